#include "CListView.h"

#include <vector>

#include "platform/listview/CommonControls.h"

BEGIN_MESSAGE_MAP(CListView, CView)
END_MESSAGE_MAP()

CListView::CListView() {
  RegisterCommonControls();
}

BOOL CListView::PreCreateWindow(CREATESTRUCT& cs) {
  cs.className = "SysListView32";
  return CView::PreCreateWindow(cs);
}

int CListCtrl::InsertColumn(int col, const std::string& heading, int format, int width,
                            int subItem) {
  LVCOLUMNA c;
  c.mask = LVCF_TEXT | LVCF_FMT;
  c.fmt = format;
  std::vector<char> text(heading.begin(), heading.end());
  text.push_back('\0');
  c.pszText = text.data();
  if (width != -1) {
    c.mask |= LVCF_WIDTH;
    c.cx = width;
  }
  if (subItem != -1) {
    c.mask |= LVCF_SUBITEM;
    c.iSubItem = subItem;
  }
  return static_cast<int>(::SendMessage(m_hWnd, LVM_INSERTCOLUMNA, static_cast<WPARAM>(col),
                                        reinterpret_cast<LPARAM>(&c)));
}

int CListCtrl::InsertItem(int item, const std::string& text, int image) {
  LVITEMA it;
  it.mask = LVIF_TEXT | LVIF_IMAGE;
  it.iItem = item;
  std::vector<char> buf(text.begin(), text.end());
  buf.push_back('\0');
  it.pszText = buf.data();
  it.iImage = image;
  return InsertItem(it);
}

int CListCtrl::InsertItem(const LVITEMA& item) {
  LVITEMA copy = item;
  return static_cast<int>(
      ::SendMessage(m_hWnd, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&copy)));
}

BOOL CListCtrl::SetItemText(int item, int subItem, const std::string& text) {
  LVITEMA it;
  it.iSubItem = subItem;
  std::vector<char> buf(text.begin(), text.end());
  buf.push_back('\0');
  it.pszText = buf.data();
  return static_cast<BOOL>(::SendMessage(m_hWnd, LVM_SETITEMTEXTA, static_cast<WPARAM>(item),
                                         reinterpret_cast<LPARAM>(&it)));
}

std::string CListCtrl::GetItemText(int item, int subItem) const {
  char buf[260] = {};
  LVITEMA it;
  it.iSubItem = subItem;
  it.pszText = buf;
  it.cchTextMax = static_cast<int>(sizeof buf);
  ::SendMessage(m_hWnd, LVM_GETITEMTEXTA, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&it));
  buf[sizeof buf - 1] = '\0';
  return std::string(buf);
}

BOOL CListCtrl::SetItemData(int item, LPARAM data) {
  LVITEMA it;
  it.mask = LVIF_PARAM;
  it.iItem = item;
  it.lParam = data;
  return static_cast<BOOL>(::SendMessage(m_hWnd, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&it)));
}

LPARAM CListCtrl::GetItemData(int item) const {
  LVITEMA it;
  it.mask = LVIF_PARAM;
  it.iItem = item;
  ::SendMessage(m_hWnd, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&it));
  return it.lParam;
}

BOOL CListCtrl::SetItemState(int item, UINT state, UINT mask) {
  LVITEMA it;
  it.state = state;
  it.stateMask = mask;
  return static_cast<BOOL>(::SendMessage(m_hWnd, LVM_SETITEMSTATE, static_cast<WPARAM>(item),
                                         reinterpret_cast<LPARAM>(&it)));
}

UINT CListCtrl::GetItemState(int item, UINT mask) const {
  return static_cast<UINT>(
      ::SendMessage(m_hWnd, LVM_GETITEMSTATE, static_cast<WPARAM>(item), mask));
}

int CListCtrl::GetItemCount() const {
  return static_cast<int>(::SendMessage(m_hWnd, LVM_GETITEMCOUNT, 0, 0));
}

int CListCtrl::GetNextItem(int item, UINT flags) const {
  return static_cast<int>(::SendMessage(m_hWnd, LVM_GETNEXTITEM, static_cast<WPARAM>(item),
                                        static_cast<LPARAM>(flags)));
}

UINT CListCtrl::GetSelectedCount() const {
  return static_cast<UINT>(::SendMessage(m_hWnd, LVM_GETSELECTEDCOUNT, 0, 0));
}

BOOL CListCtrl::DeleteAllItems() {
  return static_cast<BOOL>(::SendMessage(m_hWnd, LVM_DELETEALLITEMS, 0, 0));
}

BOOL CListCtrl::DeleteItem(int item) {
  return static_cast<BOOL>(::SendMessage(m_hWnd, LVM_DELETEITEM, static_cast<WPARAM>(item), 0));
}

BOOL CListCtrl::SortItems(PFNLVCOMPARE compare, LPARAM data) {
  return static_cast<BOOL>(::SendMessage(m_hWnd, LVM_SORTITEMS, static_cast<WPARAM>(data),
                                         reinterpret_cast<LPARAM>(compare)));
}

DWORD CListCtrl::SetExtendedStyle(DWORD style) {
  return static_cast<DWORD>(
      ::SendMessage(m_hWnd, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, static_cast<LPARAM>(style)));
}

DWORD CListCtrl::GetExtendedStyle() const {
  return static_cast<DWORD>(::SendMessage(m_hWnd, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
}

HIMAGELIST CListCtrl::SetImageList(HIMAGELIST list, int which) {
  return reinterpret_cast<HIMAGELIST>(::SendMessage(
      m_hWnd, LVM_SETIMAGELIST, static_cast<WPARAM>(which), reinterpret_cast<LPARAM>(list)));
}

HIMAGELIST CListCtrl::GetImageList(int which) const {
  return reinterpret_cast<HIMAGELIST>(
      ::SendMessage(m_hWnd, LVM_GETIMAGELIST, static_cast<WPARAM>(which), 0));
}

int CListCtrl::GetColumnWidth(int col) const {
  return static_cast<int>(::SendMessage(m_hWnd, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(col), 0));
}

BOOL CListCtrl::SetColumnWidth(int col, int width) {
  return static_cast<BOOL>(
      ::SendMessage(m_hWnd, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(col), MAKELPARAM(width, 0)));
}

HWND CListCtrl::GetHeaderCtrl() const {
  return reinterpret_cast<HWND>(::SendMessage(m_hWnd, LVM_GETHEADER, 0, 0));
}

COLORREF CListCtrl::GetBkColor() const {
  return static_cast<COLORREF>(::SendMessage(m_hWnd, LVM_GETBKCOLOR, 0, 0));
}

BOOL CListCtrl::SetBkColor(COLORREF color) {
  return static_cast<BOOL>(::SendMessage(m_hWnd, LVM_SETBKCOLOR, 0, static_cast<LPARAM>(color)));
}

BOOL CListCtrl::GetItemRect(int item, RECT* rect, int code) const {
  if (rect == nullptr) return FALSE;
  rect->left = code;
  return static_cast<BOOL>(::SendMessage(m_hWnd, LVM_GETITEMRECT, static_cast<WPARAM>(item),
                                         reinterpret_cast<LPARAM>(rect)));
}

int CListCtrl::HitTest(LVHITTESTINFO* info) const {
  return static_cast<int>(::SendMessage(m_hWnd, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(info)));
}

BOOL CListCtrl::GetColumnOrderArray(int* order, int count) const {
  return static_cast<BOOL>(::SendMessage(m_hWnd, LVM_GETCOLUMNORDERARRAY,
                                         static_cast<WPARAM>(count),
                                         reinterpret_cast<LPARAM>(order)));
}

BOOL CListCtrl::SetColumnOrderArray(int count, const int* order) {
  return static_cast<BOOL>(::SendMessage(m_hWnd, LVM_SETCOLUMNORDERARRAY,
                                         static_cast<WPARAM>(count),
                                         reinterpret_cast<LPARAM>(order)));
}

BOOL CListCtrl::DeleteColumn(int col) {
  return static_cast<BOOL>(::SendMessage(m_hWnd, LVM_DELETECOLUMN, static_cast<WPARAM>(col), 0));
}

BOOL CListCtrl::GetColumn(int col, LVCOLUMNA* column) const {
  return static_cast<BOOL>(::SendMessage(m_hWnd, LVM_GETCOLUMNA, static_cast<WPARAM>(col),
                                         reinterpret_cast<LPARAM>(column)));
}

BOOL CListCtrl::SetColumn(int col, const LVCOLUMNA* column) {
  return static_cast<BOOL>(::SendMessage(m_hWnd, LVM_SETCOLUMNA, static_cast<WPARAM>(col),
                                         reinterpret_cast<LPARAM>(column)));
}

BOOL CListCtrl::GetItem(LVITEMA* item) const {
  return static_cast<BOOL>(::SendMessage(m_hWnd, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(item)));
}

BOOL CListCtrl::SetItem(const LVITEMA* item) {
  return static_cast<BOOL>(::SendMessage(m_hWnd, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(item)));
}

BOOL CListCtrl::GetSubItemRect(int item, int subItem, int code, RECT* rect) const {
  if (rect == nullptr) return FALSE;
  rect->top = subItem;
  rect->left = code;
  return static_cast<BOOL>(::SendMessage(m_hWnd, LVM_GETSUBITEMRECT, static_cast<WPARAM>(item),
                                         reinterpret_cast<LPARAM>(rect)));
}

int CListCtrl::SubItemHitTest(LVHITTESTINFO* info) const {
  return static_cast<int>(
      ::SendMessage(m_hWnd, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(info)));
}

int CListCtrl::FindItem(const LVFINDINFOA* find, int start) const {
  return static_cast<int>(::SendMessage(m_hWnd, LVM_FINDITEMA, static_cast<WPARAM>(start),
                                        reinterpret_cast<LPARAM>(find)));
}

BOOL CListCtrl::EnsureVisible(int item, BOOL partialOk) {
  return static_cast<BOOL>(
      ::SendMessage(m_hWnd, LVM_ENSUREVISIBLE, static_cast<WPARAM>(item), partialOk));
}

int CListCtrl::GetTopIndex() const {
  return static_cast<int>(::SendMessage(m_hWnd, LVM_GETTOPINDEX, 0, 0));
}

int CListCtrl::GetCountPerPage() const {
  return static_cast<int>(::SendMessage(m_hWnd, LVM_GETCOUNTPERPAGE, 0, 0));
}

int CListCtrl::GetStringWidth(const std::string& text) const {
  return static_cast<int>(
      ::SendMessage(m_hWnd, LVM_GETSTRINGWIDTHA, 0, reinterpret_cast<LPARAM>(text.c_str())));
}

int CListCtrl::GetHotItem() const {
  return static_cast<int>(::SendMessage(m_hWnd, LVM_GETHOTITEM, 0, 0));
}

int CListCtrl::SetHotItem(int item) {
  return static_cast<int>(::SendMessage(m_hWnd, LVM_SETHOTITEM, static_cast<WPARAM>(item), 0));
}

COLORREF CListCtrl::GetTextBkColor() const {
  return static_cast<COLORREF>(::SendMessage(m_hWnd, LVM_GETTEXTBKCOLOR, 0, 0));
}

BOOL CListCtrl::SetTextBkColor(COLORREF color) {
  return static_cast<BOOL>(
      ::SendMessage(m_hWnd, LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(color)));
}

BOOL CListCtrl::RedrawItems(int first, int last) {
  return static_cast<BOOL>(::SendMessage(m_hWnd, LVM_REDRAWITEMS, static_cast<WPARAM>(first),
                                         static_cast<LPARAM>(last)));
}
