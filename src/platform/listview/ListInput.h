// Mouse, keyboard, focus and scrolling of a list-view control.
//
// A left click selects the item under it (Ctrl toggles, Shift extends from the anchor), makes
// it the focused item and starts nothing else; a click on a check box (LVS_EX_CHECKBOXES)
// only toggles it. NM_CLICK follows on the release, NM_DBLCLK on a double-click, NM_RCLICK on
// the release of a right click (which first selects an unselected item under it).
// Keys: arrows, Home, End, Page Up/Down move the focus (Shift extends, Ctrl moves the focus
// alone), Space selects or toggles, Ctrl+A selects all; modifiers come from KeyState.
#pragma once

#include "ListItemOps.h"
#include "ListLayout.h"
#include "ListNotifier.h"

class ListInput final {
 public:
  ListInput(ListViewState& state, ListLayout& layout, ListItemOps& items, ListNotifier& notifier)
      : m_state(state), m_layout(layout), m_items(items), m_notifier(notifier) {}

  void LButtonDown(UINT keys, POINT pt, bool doubleClick);
  void LButtonUp(UINT keys, POINT pt);
  void RButtonDown(UINT keys, POINT pt);
  void RButtonUp(UINT keys, POINT pt);
  void MouseMove(POINT pt);
  void KeyDown(UINT key);
  void FocusChanged(bool gained);
  // WM_VSCROLL / WM_HSCROLL codes; pos is the thumb position of SB_THUMBPOSITION/THUMBTRACK.
  void Scroll(int bar, UINT code, int pos);
  void Wheel(int delta);

 private:
  int Hit(POINT pt, LVHITTESTINFO* info) const;
  void ClickSelect(int item, bool ctrl, bool shift);
  void MoveFocus(int target, bool ctrl, bool shift);
  static UINT KeyFlags(UINT keys);

  ListViewState& m_state;
  ListLayout& m_layout;
  ListItemOps& m_items;
  ListNotifier& m_notifier;
  bool m_leftPressed = false;
  bool m_rightPressed = false;
};
