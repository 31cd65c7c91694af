// The list-view control ("SysListView32"): the procedure of the list window, answering the
// LVM_* messages and the window messages of painting, input, focus and scrolling. It makes
// its header (class "SysHeader32", id 0) as a child window when it is created, shown at the
// top in report mode unless LVS_NOCOLUMNHEADER, and takes the header's notifications when
// they reach it by default processing:
//   HDN_ITEMCLICKA        one LVN_COLUMNCLICK to the parent, iSubItem = the header item
//   HDN_DIVIDERDBLCLICKA  that column sized to its widest text
//   HDN_ITEMCHANGEDA, HDN_TRACKA, HDN_ENDTRACKA, HDN_ENDDRAG   relayout and repaint
//   HDN_BEGINDRAG         allowed only with LVS_EX_HEADERDRAGDROP
// Notifications go to the parent as WM_NOTIFY with the list's id.
// Answers worth knowing: LVM_GETTOPINDEX is -1 for an empty list; LVM_GETORIGIN fails in
// report mode (there is no origin there); LVS_OWNERDATA lists take their count from
// LVM_SETITEMCOUNT and ask the parent for every text.
#pragma once

#include "ListColumnOps.h"
#include "ListInput.h"
#include "ListItemOps.h"
#include "ListLayout.h"
#include "ListNotifier.h"
#include "ListPainter.h"
#include "ListViewState.h"

class ListViewControl final : public WindowControl {
 public:
  explicit ListViewControl(HWND hwnd);
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  LRESULT ListMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT WindowMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnHeaderNotify(const NMHEADERA* nm);
  LRESULT SetImageList(int which, HIMAGELIST list);
  LRESULT SetExtendedStyle(DWORD mask, DWORD style);
  LRESULT ViewRect(RECT* rect) const;
  void RefreshMetrics();
  void RefreshColors();

  ListViewState m_state;
  ListNotifier m_notifier;
  ListLayout m_layout;
  ListItemOps m_items;
  ListColumnOps m_columns;
  ListPainter m_painter;
  ListInput m_input;
  bool m_defaultBk = true;
  bool m_defaultText = true;
  DWORD m_view;
};
