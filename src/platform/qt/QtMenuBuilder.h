// Qt menus made from the framework's menus: one action per item, carrying its command id,
// with the item's text, mnemonic, enabled and checked state.
#pragma once

#include <QString>
#include <string>

class CMenu;
class CWnd;
class QAction;
class QMenu;

class QtMenuBuilder final {
 public:
  QtMenuBuilder() = delete;

  // Adds the items of menu to qmenu; pop-ups become sub-menus. While an item is highlighted
  // the owner gets WM_MENUSELECT, so its frame shows the item's prompt.
  static void Fill(QMenu* qmenu, CMenu& menu, CWnd* owner);
  // Copies each item's enabled and checked state onto the actions Fill made.
  static void SyncStates(QMenu* qmenu, CMenu& menu);
  // The command id an action carries; 0 for separators and sub-menus.
  static unsigned CommandOf(const QAction* action);
  static QString Text(const std::string& text);
};
