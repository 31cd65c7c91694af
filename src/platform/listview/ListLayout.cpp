#include "ListLayout.h"

#include <algorithm>

namespace {

// Space between a column's left edge and what the first column draws in it.
constexpr int kMargin = 2;
constexpr int kLargeIcon = 32;
constexpr int kSmallIcon = 16;
constexpr int kLargeCellWidth = 76;
constexpr int kSmallCellWidth = 140;

int ImageWidth(HIMAGELIST list) {
  return list != nullptr ? list->Width() : 0;
}
int ImageHeight(HIMAGELIST list) {
  return list != nullptr ? list->Height() : 0;
}

}  // namespace

RECT ListLayout::Client() const {
  RECT r;
  ::GetClientRect(m_state.hwnd, &r);
  return r;
}

int ListLayout::HeaderHeight() const {
  if (!m_state.IsReport() || (m_state.Style() & LVS_NOCOLUMNHEADER)) return 0;
  return m_state.fontHeight + 8;
}

int ListLayout::ItemsTop() const {
  return HeaderHeight();
}

int ListLayout::RowHeight() const {
  int h = m_state.fontHeight + 4;
  if (m_state.images[LVSIL_SMALL] != nullptr)
    h = std::max(h, ImageHeight(m_state.images[LVSIL_SMALL]) + 2);
  if (m_state.StateImages() != nullptr) h = std::max(h, ImageHeight(m_state.StateImages()) + 2);
  return std::max(h, 1);
}

int ListLayout::StateWidth() const {
  return ImageWidth(m_state.StateImages());
}

ListLayout::Grid ListLayout::IconGrid() const {
  Grid g;
  if (m_state.View() == LVS_ICON) {
    int icon =
        m_state.images[LVSIL_NORMAL] ? ImageHeight(m_state.images[LVSIL_NORMAL]) : kLargeIcon;
    g.cellWidth = std::max(kLargeCellWidth, ImageWidth(m_state.images[LVSIL_NORMAL]) + 8);
    g.cellHeight = icon + 4 + m_state.fontHeight + 8;
  } else {
    g.cellWidth = kSmallCellWidth;
    g.cellHeight = RowHeight();
  }
  g.perLine = std::max(1, static_cast<int>(Client().right) / g.cellWidth);
  return g;
}

int ListLayout::LineCount() const {
  int count = m_state.items.Count();
  if (m_state.IsReport()) return count;
  int perLine = IconGrid().perLine;
  return (count + perLine - 1) / perLine;
}

int ListLayout::LinesPerPage() const {
  int height = static_cast<int>(Client().bottom) - ItemsTop();
  return std::max(0, height / LineHeight());
}

int ListLayout::TopIndex() const {
  if (m_state.items.Count() == 0) return -1;
  if (m_state.IsReport()) return std::min(TopLine(), m_state.items.Count() - 1);
  return std::min(TopLine() * IconGrid().perLine, m_state.items.Count() - 1);
}

int ListLayout::ItemsPerLine() const {
  return m_state.IsReport() ? 1 : IconGrid().perLine;
}

int ListLayout::LineHeight() const {
  return m_state.IsReport() ? RowHeight() : IconGrid().cellHeight;
}

int ListLayout::CountPerPage() const {
  if (m_state.IsReport()) return LinesPerPage();
  return m_state.items.Count();
}

int ListLayout::ColumnWidth(int column) const {
  HeaderControl* header = m_state.Header();
  if (header == nullptr || !header->Items().Has(column)) return 0;
  return header->Items().Item(column).width;
}

int ListLayout::ColumnLeft(int column) const {
  HeaderControl* header = m_state.Header();
  return header != nullptr && header->Items().Has(column) ? header->Items().Left(column) : 0;
}

int ListLayout::TotalWidth() const {
  HeaderControl* header = m_state.Header();
  return header != nullptr ? header->Items().TotalWidth() : 0;
}

int ListLayout::ColumnAt(int clientX) const {
  HeaderControl* header = m_state.Header();
  if (header == nullptr) return -1;
  const HeaderItems& items = header->Items();
  int x = -ScrollX();
  for (int index : items.Order()) {
    int width = items.Item(index).width;
    if (clientX >= x && clientX < x + width) return index;
    x += width;
  }
  return -1;
}

ListLayout::ItemParts ListLayout::Parts(int item) const {
  ItemParts p;
  const ListRow& row = m_state.items.Row(item);
  if (m_state.IsReport()) {
    int top = ItemsTop() + (item - TopLine()) * RowHeight();
    int bottom = top + RowHeight();
    int x0 = -ScrollX();
    p.bounds = RECT{x0, top, x0 + TotalWidth(), bottom};
    int cellLeft = x0 + ColumnLeft(0);
    int cellRight = cellLeft + ColumnWidth(0);
    int stateWidth = StateWidth();
    int smallWidth = ImageWidth(m_state.images[LVSIL_SMALL]);
    p.state = RECT{cellLeft + kMargin, top, cellLeft + kMargin + stateWidth, bottom};
    if (stateWidth == 0) p.state.left = p.state.right = cellLeft;
    int iconLeft = cellLeft + kMargin + stateWidth + std::max(0, row.indent) * smallWidth;
    p.icon = RECT{iconLeft, top, iconLeft + smallWidth, bottom};
    p.label = RECT{p.icon.right, top, std::max(p.icon.right, cellRight), bottom};
    return p;
  }
  Grid g = IconGrid();
  int line = item / g.perLine - TopLine();
  int x = (item % g.perLine) * g.cellWidth;
  int y = line * g.cellHeight;
  p.bounds = RECT{x, y, x + g.cellWidth, y + g.cellHeight};
  p.state = RECT{x, y, x, y};
  if (m_state.View() == LVS_ICON) {
    int w = m_state.images[LVSIL_NORMAL] ? ImageWidth(m_state.images[LVSIL_NORMAL]) : kLargeIcon;
    int h = m_state.images[LVSIL_NORMAL] ? ImageHeight(m_state.images[LVSIL_NORMAL]) : kLargeIcon;
    int left = x + (g.cellWidth - w) / 2;
    p.icon = RECT{left, y + 2, left + w, y + 2 + h};
    p.label =
        RECT{x + 2, p.icon.bottom + 2, x + g.cellWidth - 2, p.icon.bottom + 6 + m_state.fontHeight};
  } else {
    int w = m_state.images[LVSIL_SMALL] ? ImageWidth(m_state.images[LVSIL_SMALL]) : kSmallIcon;
    p.icon = RECT{x + kMargin, y, x + kMargin + w, y + g.cellHeight};
    p.label = RECT{p.icon.right + 2, y, x + g.cellWidth, y + g.cellHeight};
  }
  return p;
}

RECT ListLayout::CellRect(int item, int column) const {
  ItemParts p = Parts(item);
  if (!m_state.IsReport()) return p.bounds;
  int left = -ScrollX() + ColumnLeft(column);
  return RECT{left, p.bounds.top, left + ColumnWidth(column), p.bounds.bottom};
}

bool ListLayout::ItemRect(int item, int code, RECT* rect) const {
  if (rect == nullptr || !m_state.items.Has(item)) return false;
  ItemParts p = Parts(item);
  switch (code) {
    case LVIR_BOUNDS:
      *rect = m_state.IsReport()
                  ? p.bounds
                  : RECT{p.bounds.left, p.bounds.top, p.bounds.right, p.label.bottom};
      return true;
    case LVIR_ICON:
      *rect = p.icon;
      return true;
    case LVIR_LABEL:
      *rect = p.label;
      return true;
    case LVIR_SELECTBOUNDS:
      *rect = RECT{std::min(p.icon.left, p.label.left), p.bounds.top,
                   std::max(p.icon.right, p.label.right), p.label.bottom};
      if (m_state.IsReport() && (m_state.exStyle & LVS_EX_FULLROWSELECT))
        rect->right = std::max(rect->right, p.bounds.right);
      return true;
    default:
      return false;
  }
}

bool ListLayout::SubItemRect(int item, int column, int code, RECT* rect) const {
  if (rect == nullptr || !m_state.items.Has(item)) return false;
  if (column == 0) return ItemRect(item, code, rect);
  if (!m_state.IsReport() || column < 0 || column >= m_state.ColumnCount()) return false;
  RECT cell = CellRect(item, column);
  int iconWidth = (m_state.exStyle & LVS_EX_SUBITEMIMAGES) && m_state.images[LVSIL_SMALL]
                      ? ImageWidth(m_state.images[LVSIL_SMALL])
                      : 0;
  RECT icon{cell.left + (iconWidth ? kMargin : 0), cell.top, 0, cell.bottom};
  icon.right = icon.left + iconWidth;
  switch (code) {
    case LVIR_BOUNDS:
    case LVIR_SELECTBOUNDS:
      *rect = cell;
      return true;
    case LVIR_ICON:
      *rect = icon;
      return true;
    case LVIR_LABEL:
      *rect = RECT{icon.right, cell.top, std::max(icon.right, cell.right), cell.bottom};
      return true;
    default:
      return false;
  }
}

int ListLayout::HitTest(LVHITTESTINFO& info) const {
  info.flags = 0;
  info.iItem = -1;
  info.iSubItem = 0;
  RECT client = Client();
  POINT pt = info.pt;
  if (pt.x < 0) info.flags |= LVHT_TOLEFT;
  if (pt.x >= client.right) info.flags |= LVHT_TORIGHT;
  if (pt.y < ItemsTop()) info.flags |= LVHT_ABOVE;
  if (pt.y >= client.bottom) info.flags |= LVHT_BELOW;
  if (info.flags != 0) return -1;
  int item = -1;
  if (m_state.IsReport()) {
    item = TopLine() + (pt.y - ItemsTop()) / RowHeight();
  } else {
    Grid g = IconGrid();
    int col = pt.x / g.cellWidth;
    if (col < g.perLine) item = (TopLine() + pt.y / g.cellHeight) * g.perLine + col;
  }
  info.flags = LVHT_NOWHERE;
  if (!m_state.items.Has(item)) return -1;
  ItemParts p = Parts(item);
  int column = m_state.IsReport() ? ColumnAt(pt.x) : 0;
  if (m_state.IsOwnerDrawn()) {
    if (PtInRect(p.bounds, pt)) info.flags = LVHT_ONITEM;
  } else if (StateWidth() > 0 && column == 0 && pt.x < p.state.right) {
    info.flags = LVHT_ONITEMSTATEICON;
  } else if (PtInRect(p.icon, pt)) {
    info.flags = LVHT_ONITEMICON;
  } else if (PtInRect(p.label, pt)) {
    info.flags = LVHT_ONITEMLABEL;
  } else if (column > 0 && (m_state.exStyle & LVS_EX_FULLROWSELECT)) {
    info.flags = LVHT_ONITEMLABEL;
  }
  if ((info.flags & LVHT_ONITEM) == 0) return -1;
  info.iItem = item;
  info.iSubItem = std::max(0, column);
  return item;
}

void ListLayout::VisibleRange(const RECT& area, int* first, int* last) const {
  *first = 0;
  *last = -1;
  int count = m_state.items.Count();
  int top = std::max(area.top, static_cast<LONG>(ItemsTop()));
  if (count == 0 || area.bottom <= top || area.right <= area.left) return;
  if (m_state.IsReport()) {
    int h = RowHeight();
    *first = TopLine() + (top - ItemsTop()) / h;
    *last = std::min(count - 1, TopLine() + (static_cast<int>(area.bottom) - 1 - ItemsTop()) / h);
    return;
  }
  Grid g = IconGrid();
  *first = (TopLine() + top / g.cellHeight) * g.perLine;
  *last = std::min(
      count - 1,
      (TopLine() + (static_cast<int>(area.bottom) - 1) / g.cellHeight + 1) * g.perLine - 1);
}

int ListLayout::MaxTopLine() const {
  return std::max(0, LineCount() - std::max(1, LinesPerPage()));
}

int ListLayout::MaxScrollX() const {
  if (!m_state.IsReport()) return 0;
  return std::max(0, TotalWidth() - static_cast<int>(Client().right));
}

void ListLayout::Sync() {
  RECT client = Client();
  int lines = LineCount();
  ::SetScrollRange(m_state.hwnd, SB_VERT, lines > 0 ? lines - 1 : 0, LinesPerPage());
  int total = m_state.IsReport() ? TotalWidth() : 0;
  ::SetScrollRange(m_state.hwnd, SB_HORZ, total > 0 ? total - 1 : 0, client.right);
  if (TopLine() > MaxTopLine()) ::SetScrollPos(m_state.hwnd, SB_VERT, MaxTopLine());
  if (ScrollX() > MaxScrollX()) ::SetScrollPos(m_state.hwnd, SB_HORZ, MaxScrollX());
  PlaceHeader();
}

void ListLayout::PlaceHeader() {
  HWND header = m_state.header;
  if (!IsWindow(header)) return;
  RECT client = Client();
  int height = HeaderHeight();
  RECT want = height > 0 ? RECT{-ScrollX(), 0, client.right, height} : RECT{0, 0, client.right, 0};
  if (header->rect != want)
    ::MoveWindow(header, want.left, want.top, want.right - want.left, want.bottom - want.top, TRUE);
  DWORD style = GetWindowStyle(header) & ~(WS_VISIBLE | HDS_BUTTONS | HDS_DRAGDROP);
  if (height > 0) style |= WS_VISIBLE;
  if ((m_state.Style() & LVS_NOSORTHEADER) == 0) style |= HDS_BUTTONS;
  if (m_state.exStyle & LVS_EX_HEADERDRAGDROP) style |= HDS_DRAGDROP;
  SetWindowStyle(header, style);
}

bool ListLayout::ScrollTo(int topLine, int x) {
  topLine = std::clamp(topLine, 0, MaxTopLine());
  x = std::clamp(x, 0, MaxScrollX());
  bool moved = topLine != TopLine() || x != ScrollX();
  if (!moved) return false;
  ::SetScrollPos(m_state.hwnd, SB_VERT, topLine);
  ::SetScrollPos(m_state.hwnd, SB_HORZ, x);
  PlaceHeader();
  InvalidateItems();
  return true;
}

void ListLayout::EnsureVisible(int item, bool partialOk) {
  if (!m_state.items.Has(item)) return;
  int line = m_state.IsReport() ? item : item / IconGrid().perLine;
  int page = std::max(1, LinesPerPage());
  int top = TopLine();
  if (line < top) {
    top = line;
  } else if (line >= top + page) {
    // A row cut by the bottom edge counts as visible when the caller allows it.
    bool partlyShown = partialOk && m_state.IsReport() && line == top + page &&
                       ItemsTop() + page * RowHeight() < Client().bottom;
    if (!partlyShown) top = line - page + 1;
  }
  ScrollTo(top, ScrollX());
}

void ListLayout::Invalidate(const RECT& rect) {
  RECT client = Client();
  RECT r{std::max(rect.left, client.left), std::max(rect.top, static_cast<LONG>(ItemsTop())),
         std::min(rect.right, client.right), std::min(rect.bottom, client.bottom)};
  if (IsRectEmpty(r)) return;
  ::InvalidateRect(m_state.hwnd, &r, TRUE);
}

void ListLayout::InvalidateItem(int item) {
  if (!m_state.items.Has(item)) return;
  ItemParts p = Parts(item);
  RECT r = p.bounds;
  if (m_state.IsReport()) {
    r.left = 0;
    r.right = Client().right;
  }
  Invalidate(r);
}

void ListLayout::InvalidateCell(int item, int column) {
  if (!m_state.items.Has(item)) return;
  if (!m_state.IsReport()) return InvalidateItem(item);
  // A row outside the window has nothing on screen to repaint, and in a long list most rows
  // are there: skip working out the cell's rectangle.
  const int top = ItemsTop() + (item - TopLine()) * RowHeight();
  if (top >= Client().bottom || top + RowHeight() <= ItemsTop()) return;
  Invalidate(CellRect(item, column));
}

void ListLayout::InvalidateFrom(int item) {
  int top = ItemsTop();
  if (m_state.IsReport()) {
    top += (item - TopLine()) * RowHeight();
  } else {
    Grid g = IconGrid();
    top = (item / g.perLine - TopLine()) * g.cellHeight;
  }
  RECT client = Client();
  Invalidate(RECT{0, top, client.right, client.bottom});
}

void ListLayout::InvalidateItems() {
  RECT client = Client();
  Invalidate(RECT{0, ItemsTop(), client.right, client.bottom});
}

void ListLayout::InvalidateAll() {
  ::InvalidateRect(m_state.hwnd, nullptr, TRUE);
}
