#include "listctrl_fixture.h"

#include <algorithm>
#include <cstring>

#include "platform/listview/CommonControls.h"

ScriptedDesktop::ScriptedDesktop() : m_previous(AfxServices().desktop) {
  AfxServices().desktop = this;
}

ScriptedDesktop::~ScriptedDesktop() {
  AfxServices().desktop = m_previous;
}

UINT ScriptedDesktop::TrackPopupMenu(CMenu& menu, UINT, POINT screenPoint, CWnd*) {
  ++menusShown;
  shownAt = screenPoint;
  shownMenu.clear();
  const MenuObject* object = menu.GetSafeHmenu();
  if (object == nullptr) return 0;
  for (const MenuItem& item : object->items) shownMenu.push_back({item.text, item.flags});
  if (choosePosition < 0 || choosePosition >= static_cast<int>(object->items.size())) return 0;
  const MenuItem& chosen = object->items[static_cast<size_t>(choosePosition)];
  return (chosen.flags & MF_GRAYED) != 0 ? 0 : chosen.id;
}

COLORREF ScriptedDesktop::GetSysColor(int index) {
  return index == COLOR_GRAYTEXT ? grayText : DefaultSysColor(index);
}

SIZE ScriptedDesktop::MeasureText(HFONT, const std::string& text) {
  return DefaultMeasureText(text);
}

TEXTMETRIC ScriptedDesktop::FontMetrics(HFONT) {
  return DefaultFontMetrics();
}

BOOL RecordingParent::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
  // The list's own object sees its notifications first.
  if (CWnd::OnNotify(wParam, lParam, result)) return TRUE;
  auto* hdr = reinterpret_cast<NMHDR*>(lParam);
  Seen s;
  s.code = hdr->code;
  if (hdr->code == LVN_COLUMNCLICK || hdr->code == LVN_DELETEITEM) {
    auto* nm = reinterpret_cast<NMLISTVIEW*>(lParam);
    s.subItem = nm->iSubItem;
    s.lParam = nm->lParam;
  } else if (hdr->code == LVN_GETDISPINFOA) {
    auto* info = reinterpret_cast<NMLVDISPINFOA*>(lParam);
    s.subItem = info->item.iSubItem;
    s.lParam = info->item.lParam;
    if ((info->item.mask & LVIF_TEXT) != 0 && info->item.pszText != nullptr &&
        info->item.pszText != LPSTR_TEXTCALLBACKA && info->item.cchTextMax > 0) {
      std::strncpy(info->item.pszText, dispInfoText.c_str(),
                   static_cast<size_t>(info->item.cchTextMax) - 1);
      info->item.pszText[info->item.cchTextMax - 1] = '\0';
    }
  }
  seen.push_back(s);
  *result = 0;
  return TRUE;
}

int RecordingParent::Count(int code) const {
  int n = 0;
  for (const Seen& s : seen)
    if (s.code == code) ++n;
  return n;
}

ListFixture::ListFixture(DWORD style, CListViewEx* list) : m_list(list ? list : &m_ownList) {
  RegisterCommonControls();
  parent.Create("LanorixTestParent", "", WS_VISIBLE, RECT{0, 0, 800, 600}, nullptr, 0);
  m_list->Create("SysListView32", "", WS_CHILD | WS_VISIBLE | style, RECT{0, 0, 800, 600}, &parent,
                 7);
}

ListFixture::~ListFixture() {
  parent.DestroyWindow();
}

HWND ListFixture::Header() {
  return reinterpret_cast<HWND>(Direct(LVM_GETHEADER));
}

LRESULT ListFixture::Send(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::SendMessage(Hwnd(), message, wParam, lParam);
}

LRESULT ListFixture::Direct(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::CallControlProc(Hwnd(), message, wParam, lParam);
}

int ListFixture::InsertColumn(int column, const std::string& title, int width, bool canHide,
                              int order) {
  std::vector<char> text(title.begin(), title.end());
  text.push_back('\0');
  LVCOLUMNA c;
  c.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
  c.pszText = text.data();
  c.cx = width;
  if (order >= 0) {
    c.mask |= LVCF_ORDER;
    c.iOrder = order;
  }
  int r = static_cast<int>(
      Send(LVM_INSERTCOLUMNA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&c)));
  if (r >= 0 && canHide) {
    m_list->Column(column).m_bCanHide = true;
    ++m_list->m_nHideableCount;
  }
  return r;
}

int ListFixture::InsertItem(int index, LPARAM data, const std::string& text) {
  std::vector<char> buf(text.begin(), text.end());
  buf.push_back('\0');
  LVITEMA it;
  it.mask = LVIF_TEXT | LVIF_PARAM;
  it.iItem = index;
  it.pszText = buf.data();
  it.lParam = data;
  return static_cast<int>(Send(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&it)));
}

BOOL ListFixture::SetText(int item, int column, const std::string& text) {
  std::vector<char> buf(text.begin(), text.end());
  buf.push_back('\0');
  LVITEMA it;
  it.iSubItem = column;
  it.pszText = buf.data();
  return static_cast<BOOL>(
      Send(LVM_SETITEMTEXTA, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&it)));
}

std::string ListFixture::Text(int item, int column) {
  char buf[512] = {};
  LVITEMA it;
  it.iSubItem = column;
  it.pszText = buf;
  it.cchTextMax = static_cast<int>(sizeof buf);
  Send(LVM_GETITEMTEXTA, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&it));
  return buf;
}

std::string ListFixture::TextByGetItem(int item, int column) {
  char buf[512] = {};
  LVITEMA it;
  it.mask = LVIF_TEXT;
  it.iItem = item;
  it.iSubItem = column;
  it.pszText = buf;
  it.cchTextMax = static_cast<int>(sizeof buf);
  if (Send(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&it)) == 0) return "<failed>";
  // The control may answer with a pointer of its own instead of filling the buffer.
  return it.pszText != nullptr && it.pszText != LPSTR_TEXTCALLBACKA ? it.pszText : "";
}

std::string ListFixture::ControlText(int item, int controlIndex) {
  char buf[512] = {};
  LVITEMA it;
  it.iSubItem = controlIndex;
  it.pszText = buf;
  it.cchTextMax = static_cast<int>(sizeof buf);
  Direct(LVM_GETITEMTEXTA, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&it));
  return buf;
}

std::string ListFixture::ControlColumnTitle(int controlIndex) {
  char buf[256] = {};
  LVCOLUMNA c;
  c.mask = LVCF_TEXT;
  c.pszText = buf;
  c.cchTextMax = static_cast<int>(sizeof buf);
  if (Direct(LVM_GETCOLUMNA, static_cast<WPARAM>(controlIndex), reinterpret_cast<LPARAM>(&c)) == 0)
    return "<none>";
  return buf;
}

LPARAM ListFixture::Data(int item) {
  LVITEMA it;
  it.mask = LVIF_PARAM;
  it.iItem = item;
  Send(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&it));
  return it.lParam;
}

std::vector<int> ListFixture::OrderArray() {
  std::vector<int> order(static_cast<size_t>(m_list->ColumnCount()), -1);
  if (order.empty()) return order;
  Send(LVM_GETCOLUMNORDERARRAY, order.size(), reinterpret_cast<LPARAM>(order.data()));
  return order;
}

std::vector<int> ListFixture::ControlOrderArray() {
  std::vector<int> order(static_cast<size_t>(HeaderCount()), -1);
  if (order.empty()) return order;
  Direct(LVM_GETCOLUMNORDERARRAY, order.size(), reinterpret_cast<LPARAM>(order.data()));
  return order;
}

int ListFixture::HeaderCount() {
  return static_cast<int>(::SendMessage(Header(), HDM_GETITEMCOUNT, 0, 0));
}

void ListFixture::DragHeader(int headerItem, int newOrder) {
  HDITEMA item;
  item.mask = HDI_ORDER;
  item.iOrder = newOrder;
  NMHEADERA nm;
  nm.hdr.hwndFrom = Header();
  nm.hdr.idFrom = 0;
  nm.hdr.code = HDN_ENDDRAG;
  nm.iItem = headerItem;
  nm.pitem = &item;
  if (Send(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&nm)) != 0 || newOrder < 0) return;
  std::vector<int> order = ControlOrderArray();
  auto at = std::find(order.begin(), order.end(), headerItem);
  if (at == order.end()) return;
  order.erase(at);
  order.insert(order.begin() + newOrder, headerItem);
  ::SendMessage(Header(), HDM_SETORDERARRAY, order.size(), reinterpret_cast<LPARAM>(order.data()));
}

void ListFixture::ClickHeader(int headerItem) {
  NMHEADERA nm;
  nm.hdr.hwndFrom = Header();
  nm.hdr.idFrom = 0;
  nm.hdr.code = HDN_ITEMCLICKA;
  nm.iItem = headerItem;
  Send(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&nm));
}
