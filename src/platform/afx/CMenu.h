// Menus: the menu bar and pop-ups loaded from the menu resources, with per-item state.
// A pop-up opened with TrackPopupMenu has its items updated by the owner frame first.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "Resources.h"

class CWnd;

struct MenuItem {
  std::string text;  // with its "&" mnemonic marker; empty for a separator
  UINT id = 0;       // command id; 0 for separators and pop-ups
  UINT flags = 0;    // MF_GRAYED, MF_CHECKED, MF_SEPARATOR, MF_POPUP
  std::unique_ptr<MenuObject> popup;
};

struct MenuObject {
  std::vector<MenuItem> items;
};

class CMenu final {
 public:
  CMenu() = default;
  CMenu(const CMenu&) = delete;
  CMenu& operator=(const CMenu&) = delete;
  ~CMenu();

  // Builds the menu of resource id; false when there is none (the menu stays empty).
  BOOL LoadMenu(UINT id);
  BOOL DestroyMenu();
  // Takes ownership of a menu made elsewhere.
  BOOL Attach(HMENU menu);
  HMENU Detach();
  HMENU GetSafeHmenu() const { return m_hMenu; }

  // The pop-up at a position; null when the position holds none. Valid while this menu lives.
  CMenu* GetSubMenu(int pos) const;
  UINT GetMenuItemCount() const;
  UINT GetMenuItemID(int pos) const;  // 0 for separators, (UINT)-1 for pop-ups
  std::string GetMenuString(int pos) const;
  // MF_BYCOMMAND (default) searches pop-ups too. Return the previous state, or (UINT)-1 when
  // there is no such item.
  UINT CheckMenuItem(UINT item, UINT check);
  UINT EnableMenuItem(UINT item, UINT enable);
  UINT GetMenuState(UINT item, UINT flags) const;

  // Opens the menu at a screen point. The owner's frame runs its update handlers on the items
  // first; a chosen item goes to that frame as WM_COMMAND (or is returned with TPM_RETURNCMD).
  BOOL TrackPopupMenu(UINT flags, int x, int y, CWnd* owner);

  // Sets every item's enabled and checked state from the frame's update handlers (what the
  // framework does when a pop-up is about to open). Pop-ups inside are left to their own turn.
  static void UpdateItemStates(CMenu& menu, CWnd* frame);

 private:
  MenuItem* FindItem(UINT item, UINT flags) const;
  HMENU m_hMenu = nullptr;
  bool m_owned = false;
  mutable std::vector<std::unique_ptr<CMenu>> m_subMenus;
};
