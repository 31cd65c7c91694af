#include "listctrl/CListViewEx.h"

BEGIN_MESSAGE_MAP(CListViewEx, CListView)
ON_WM_SYSCOLORCHANGE()
ON_WM_ERASEBKGND()
ON_WM_HSCROLL()
ON_WM_KILLFOCUS()
ON_WM_SETFOCUS()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
ON_WM_KEYDOWN()
ON_WM_KEYUP()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
ON_WM_DESTROY()
ON_WM_CONTEXTMENU()
ON_MESSAGE(LVM_DELETEALLITEMS, OnDeleteAllItems)
ON_MESSAGE(LVM_DELETECOLUMN, OnDeleteColumn)
ON_MESSAGE(LVM_DELETEITEM, OnDeleteItem)
ON_MESSAGE(LVM_FINDITEMA, OnFindItem)
ON_MESSAGE(LVM_GETCOLUMNA, OnGetColumn)
ON_MESSAGE(LVM_GETCOLUMNORDERARRAY, OnGetColumnOrderArray)
ON_MESSAGE(LVM_GETCOLUMNWIDTH, OnGetColumnWidth)
ON_MESSAGE(LVM_GETEXTENDEDLISTVIEWSTYLE, OnGetExtendedStyle)
ON_MESSAGE(LVM_GETITEMA, OnGetItem)
ON_MESSAGE(LVM_GETITEMTEXTA, OnGetItemText)
ON_MESSAGE(LVM_HITTEST, OnHitTest)
ON_MESSAGE(LVM_INSERTCOLUMNA, OnInsertColumn)
ON_MESSAGE(LVM_INSERTITEMA, OnInsertItem)
ON_MESSAGE(LVM_SETBKCOLOR, OnSetBkColor)
ON_MESSAGE(LVM_SETCOLUMNA, OnSetColumn)
ON_MESSAGE(LVM_SETCOLUMNORDERARRAY, OnSetColumnOrderArray)
ON_MESSAGE(LVM_SETCOLUMNWIDTH, OnSetColumnWidth)
ON_MESSAGE(LVM_SETEXTENDEDLISTVIEWSTYLE, OnSetExtendedStyle)
ON_MESSAGE(LVM_SETIMAGELIST, OnSetImageList)
ON_MESSAGE(LVM_SETITEMA, OnSetItem)
ON_MESSAGE(LVM_SETITEMTEXTA, OnSetItemText)
ON_MESSAGE(LVM_SORTITEMS, OnSortItems)
ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, OnCustomDraw)
ON_NOTIFY_REFLECT_EX(LVN_COLUMNCLICK, OnColumnClick)
ON_NOTIFY_REFLECT_EX(LVN_GETDISPINFOA, OnGetDispInfo)
END_MESSAGE_MAP()

CListViewEx::CListViewEx() {
  m_pListWnd = this;
}

CListViewEx::~CListViewEx() {
  // The window must go while this object can still answer WM_DESTROY, or the item records
  // would outlive their items.
  if (m_hWnd != nullptr) CListView::DestroyWindow();
}

void CListViewEx::OnDestroy() {
  SendMessage(LVM_DELETEALLITEMS);
  CListView::OnDestroy();
}

BOOL CListViewEx::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (CListBase::OnCommand(wParam, lParam)) return TRUE;
  return CListView::OnCommand(wParam, lParam);
}

BOOL CListViewEx::OnNotify(WPARAM, LPARAM lParam, LRESULT* result) {
  // The control has processed the notification once already; it is not given it again.
  LRESULT byDefault = 0;
  const bool handled = OnHeaderNotify(reinterpret_cast<NMHDR*>(lParam), &byDefault);
  if (result != nullptr) *result = handled ? 0 : byDefault;
  return TRUE;
}

void CListViewEx::DrawItem(DRAWITEMSTRUCT* dis) {
  PaintRow(dis);
}

BOOL CListViewEx::OnColumnClick(NMHDR* nmhdr, LRESULT* result) {
  HeaderClicked(reinterpret_cast<NMLISTVIEW*>(nmhdr));
  if (result != nullptr) *result = 0;
  return FALSE;
}
