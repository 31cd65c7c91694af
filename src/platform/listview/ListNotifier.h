// Notifications of a list-view control: WM_NOTIFY to its parent with the list's id, and the
// callback texts the parent supplies through LVN_GETDISPINFOA.
#pragma once

#include "ListViewState.h"

class ListNotifier final {
 public:
  explicit ListNotifier(ListViewState& state) : m_state(state) {}

  // Fills the header (list window, its id, code) and sends; 0 when there is no parent.
  LRESULT Send(NMHDR& hdr, int code);
  // NMLISTVIEW notifications (LVN_ITEMCHANGED, LVN_INSERTITEM, LVN_DELETEITEM, ...).
  LRESULT ListView(int code, int item, int subItem = 0, LPARAM lParam = 0, UINT newState = 0,
                   UINT oldState = 0, UINT changed = 0);
  // NM_CLICK, NM_DBLCLK, NM_RCLICK with the point and the keys (LVKF_*).
  LRESULT Activate(int code, int item, int subItem, POINT point, UINT keyFlags);

  // The text of a cell: the stored text, or for a callback text what the parent answers,
  // either copied into buffer or as a pointer of its own. Valid until the next change of the
  // list; never null.
  const char* CellText(int item, int column, char* buffer, int capacity);

 private:
  ListViewState& m_state;
};
