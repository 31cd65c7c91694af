// The framework's list view with CListBase in front of its control: every list-view message
// sent to the view's window, the input and paint messages it receives and the notifications
// reflected back to it are routed to the extension.
#pragma once

#include "listctrl/CListBase.h"
#include "platform/afx/CListView.h"

class CListViewEx : public CListView, public CListBase {
  DECLARE_MESSAGE_MAP()

 public:
  CListViewEx();
  ~CListViewEx() override;
  // Dynamic creation for the document template.
  static CView* CreateObject() { return new CListViewEx; }

  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  void DrawItem(DRAWITEMSTRUCT* dis) override;

 protected:
  void OnDestroy();
  // The generic header click: the sort state follows the clicked column; the list is not
  // sorted and the parent still receives the notification, with the column number in it.
  BOOL OnColumnClick(NMHDR* nmhdr, LRESULT* result);
};
