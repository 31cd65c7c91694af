#include "ListPainter.h"

#include <algorithm>

#include "platform/afx/CDC.h"
#include "platform/afx/Services.h"

namespace {

constexpr int kTextBuffer = 260;
constexpr UINT kTextFormat = DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER | DT_END_ELLIPSIS;

UINT Alignment(int fmt) {
  switch (fmt & LVCFMT_JUSTIFYMASK) {
    case LVCFMT_RIGHT:
      return DT_RIGHT;
    case LVCFMT_CENTER:
      return DT_CENTER;
    default:
      return DT_LEFT;
  }
}

}  // namespace

COLORREF ListPainter::TextBkColor() const {
  return m_state.textBkColor == CLR_DEFAULT ? m_state.bkColor : m_state.textBkColor;
}

bool ListPainter::Highlighted(int item) const {
  return (m_state.items.Row(item).state & LVIS_SELECTED) &&
         (m_state.HasFocus() || (m_state.Style() & LVS_SHOWSELALWAYS));
}

bool ListPainter::HotLook(int item) const {
  DWORD ex = m_state.exStyle;
  if (item != m_state.hotItem || (ex & LVS_EX_UNDERLINEHOT) == 0) return false;
  bool selected = (m_state.items.Row(item).state & LVIS_SELECTED) != 0;
  return (ex & LVS_EX_ONECLICKACTIVATE) || ((ex & LVS_EX_TWOCLICKACTIVATE) && selected);
}

void ListPainter::DrawText(CDC* dc, int item, const char* text, RECT rect, int fmt,
                           COLORREF color) {
  if (text[0] == '\0' || rect.right <= rect.left) return;
  UINT format = kTextFormat | Alignment(fmt);
  bool hot = HotLook(item);
  if (!hot) {
    dc->SetTextColor(color);
    dc->DrawText(text, rect, format);
    return;
  }
  if (m_hotFont.GetSafeHandle() == nullptr || m_hotFontBase != m_state.hwnd->font) {
    LOGFONTA font;
    CFont::GetLogFont(m_state.hwnd->font, &font);
    font.lfUnderline = 1;
    m_hotFont.CreateFontIndirect(&font);
    m_hotFontBase = m_state.hwnd->font;
  }
  // A highlighted text keeps its highlight colour; the underline marks it hot.
  if (color == m_state.textColor) color = GetSysColor(COLOR_HOTLIGHT);
  dc->SetTextColor(color);
  HFONT old = dc->SelectFont(m_hotFont);
  dc->DrawText(text, rect, format);
  dc->SelectFont(old);
}

COLORREF ListPainter::SelectionColor() const {
  return GetSysColor(m_state.HasFocus() ? COLOR_HIGHLIGHT : COLOR_BTNFACE);
}

BOOL ListPainter::Erase(CDC* dc) {
  if (dc == nullptr) return FALSE;
  RECT clip = dc->GetClipBox();
  RECT area{clip.left, std::max(clip.top, static_cast<LONG>(m_layout.ItemsTop())), clip.right,
            clip.bottom};
  if (!IsRectEmpty(area) && m_state.bkColor != CLR_NONE) dc->FillSolidRect(area, m_state.bkColor);
  return TRUE;
}

LRESULT ListPainter::CustomDraw(NMLVCUSTOMDRAW& cd, DWORD stage) {
  cd.nmcd.dwDrawStage = stage;
  return m_notifier.Send(cd.nmcd.hdr, NM_CUSTOMDRAW);
}

NMLVCUSTOMDRAW ListPainter::ItemRecord(CDC* dc, int item, const RECT& rect) const {
  NMLVCUSTOMDRAW cd;
  cd.nmcd.hdc = dc;
  cd.nmcd.rc = rect;
  cd.nmcd.dwItemSpec = static_cast<UINT_PTR>(std::max(0, item));
  if (m_state.items.Has(item)) {
    const ListRow& row = m_state.items.Row(item);
    if (row.state & LVIS_SELECTED) cd.nmcd.uItemState |= CDIS_SELECTED;
    if ((row.state & LVIS_FOCUSED) && m_state.HasFocus()) cd.nmcd.uItemState |= CDIS_FOCUS;
    if (item == m_state.hotItem) cd.nmcd.uItemState |= CDIS_HOT;
    cd.nmcd.lItemlParam = row.lParam;
  }
  cd.clrText = m_state.textColor;
  cd.clrTextBk = TextBkColor();
  return cd;
}

void ListPainter::Paint(CDC* dc) {
  if (dc == nullptr) return;
  HWND hwnd = m_state.hwnd;
  if (::SendMessage(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) == 0) Erase(dc);
  if (!IsWindow(hwnd)) return;
  RECT clip = dc->GetClipBox();
  dc->SetBkMode(TRANSPARENT);
  int first = 0;
  int last = -1;
  m_layout.VisibleRange(clip, &first, &last);
  bool grid = m_state.IsReport() && (m_state.exStyle & LVS_EX_GRIDLINES);
  if (m_state.IsOwnerDrawn()) {
    PaintOwnerDrawn(dc, first, last);
    if (grid) PaintGridLines(dc, clip);
    return;
  }
  NMLVCUSTOMDRAW cd = ItemRecord(dc, -1, m_layout.Client());
  LRESULT answer = CustomDraw(cd, CDDS_PREPAINT);
  if (answer & CDRF_SKIPDEFAULT) return;
  bool notify = (answer & CDRF_NOTIFYITEMDRAW) != 0;
  for (int i = first; i <= last && m_state.items.Has(i); ++i) {
    if (m_state.IsReport())
      PaintReportItem(dc, clip, i, notify);
    else
      PaintIconItem(dc, i, notify);
  }
  if (grid) PaintGridLines(dc, clip);
  if (answer & CDRF_NOTIFYPOSTPAINT) CustomDraw(cd, CDDS_POSTPAINT);
}

void ListPainter::PaintOwnerDrawn(CDC* dc, int first, int last) {
  HWND parent = ::GetParent(m_state.hwnd);
  if (parent == nullptr) return;
  for (int i = first; i <= last && m_state.items.Has(i); ++i) {
    const ListRow& row = m_state.items.Row(i);
    DRAWITEMSTRUCT dis;
    dis.CtlType = ODT_LISTVIEW;
    dis.CtlID = m_state.hwnd->id;
    dis.itemID = static_cast<UINT>(i);
    dis.itemAction = ODA_DRAWENTIRE;
    if (row.state & LVIS_SELECTED) dis.itemState |= ODS_SELECTED;
    if ((row.state & LVIS_FOCUSED) && m_state.HasFocus()) dis.itemState |= ODS_FOCUS;
    dis.hwndItem = m_state.hwnd;
    dis.hDC = dc;
    dis.rcItem = m_layout.Parts(i).bounds;
    dis.itemData = static_cast<std::uintptr_t>(row.lParam);
    ::SendMessage(parent, WM_DRAWITEM, m_state.hwnd->id, reinterpret_cast<LPARAM>(&dis));
  }
}

void ListPainter::PaintReportItem(CDC* dc, const RECT& clip, int item, bool notify) {
  ListLayout::ItemParts parts = m_layout.Parts(item);
  Colors base{m_state.textColor, TextBkColor()};
  NMLVCUSTOMDRAW cd = ItemRecord(dc, item, parts.bounds);
  LRESULT itemAnswer = 0;
  if (notify) {
    itemAnswer = CustomDraw(cd, CDDS_ITEMPREPAINT);
    if (!m_state.items.Has(item) || (itemAnswer & CDRF_SKIPDEFAULT)) return;
    if (itemAnswer & CDRF_NEWFONT) base = Colors{cd.clrText, cd.clrTextBk};
  }
  bool cellNotify = notify && (itemAnswer & CDRF_NOTIFYSUBITEMDRAW);
  m_labelBox = parts.label;
  for (int pos = 0;; ++pos) {
    HeaderControl* header = m_state.Header();
    if (header == nullptr || pos >= header->Items().Count()) break;
    int column = header->Items().IndexAt(pos);
    if (column >= m_state.ColumnCount()) continue;
    RECT cell = m_layout.CellRect(item, column);
    if (cell.right <= cell.left || cell.right <= clip.left || cell.left >= clip.right) continue;
    Colors colors = base;
    NMLVCUSTOMDRAW sub = ItemRecord(dc, item, cell);
    sub.iSubItem = column;
    sub.clrText = base.text;
    sub.clrTextBk = base.textBk;
    LRESULT cellAnswer = 0;
    if (cellNotify) {
      cellAnswer = CustomDraw(sub, CDDS_SUBITEMPREPAINT);
      if (!m_state.items.Has(item)) return;
      if (cellAnswer & CDRF_SKIPDEFAULT) continue;
      if (cellAnswer & CDRF_NEWFONT) colors = Colors{sub.clrText, sub.clrTextBk};
    }
    PaintCell(dc, item, column, cell, colors);
    if (!m_state.items.Has(item)) return;
    if (cellNotify && (cellAnswer & CDRF_NOTIFYPOSTPAINT)) {
      CustomDraw(sub, CDDS_SUBITEMPOSTPAINT);
      if (!m_state.items.Has(item)) return;
    }
  }
  if ((m_state.items.Row(item).state & LVIS_FOCUSED) && m_state.HasFocus()) {
    RECT focus = m_labelBox;
    if (m_state.exStyle & LVS_EX_FULLROWSELECT)
      focus = RECT{parts.label.left, parts.bounds.top, parts.bounds.right, parts.bounds.bottom};
    dc->DrawFocusRect(focus);
  }
  if (notify && (itemAnswer & CDRF_NOTIFYPOSTPAINT)) CustomDraw(cd, CDDS_ITEMPOSTPAINT);
}

void ListPainter::PaintCell(CDC* dc, int item, int column, const RECT& cell, const Colors& colors) {
  char buffer[kTextBuffer];
  const char* text = m_notifier.CellText(item, column, buffer, kTextBuffer);
  if (!m_state.items.Has(item)) return;
  if (column == 0) {
    PaintFirstCell(dc, item, cell, text, colors);
    return;
  }
  if (colors.textBk != CLR_NONE) dc->FillSolidRect(cell, colors.textBk);
  COLORREF textColor = colors.text;
  if (Highlighted(item) && (m_state.exStyle & LVS_EX_FULLROWSELECT)) {
    dc->DrawSelectionBackground(cell, m_state.HasFocus(), SelectionColor());
    if (m_state.HasFocus()) textColor = GetSysColor(COLOR_HIGHLIGHTTEXT);
  }
  RECT textRect{cell.left + 6, cell.top, cell.right - 6, cell.bottom};
  DrawText(dc, item, text, textRect, m_state.columns[static_cast<size_t>(column)].fmt, textColor);
}

void ListPainter::PaintFirstCell(CDC* dc, int item, const RECT& cell, const char* text,
                                 Colors colors) {
  ListLayout::ItemParts parts = m_layout.Parts(item);
  const ListRow& row = m_state.items.Row(item);
  RECT label = parts.label;
  if (colors.textBk != CLR_NONE && label.right > label.left)
    dc->FillSolidRect(label, colors.textBk);
  UINT stateImage = (row.state & LVIS_STATEIMAGEMASK) >> 12;
  bool highlighted = Highlighted(item);
  RECT area = parts.state;
  area.right = std::min(area.right, cell.right);
  if (stateImage > 0)
    DrawImage(dc, m_state.StateImages(), static_cast<int>(stateImage) - 1, area, ILD_NORMAL);
  area = parts.icon;
  area.right = std::min(area.right, cell.right);
  DrawImage(dc, m_state.images[LVSIL_SMALL], row.first.image, area,
            highlighted && m_state.HasFocus() ? ILD_SELECTED : ILD_NORMAL);
  int textWidth = text[0] != '\0' ? static_cast<int>(dc->GetTextExtent(text).cx) : 0;
  RECT box{label.left, label.top, std::min(label.right, label.left + textWidth + 4), label.bottom};
  if (m_state.exStyle & LVS_EX_FULLROWSELECT) box = label;
  m_labelBox = box;
  COLORREF textColor = colors.text;
  if (highlighted && box.right > box.left) {
    dc->DrawSelectionBackground(box, m_state.HasFocus(), SelectionColor());
    if (m_state.HasFocus()) textColor = GetSysColor(COLOR_HIGHLIGHTTEXT);
  }
  RECT textRect{label.left + 2, label.top, label.right - 2, label.bottom};
  DrawText(dc, item, text, textRect, m_state.columns[0].fmt, textColor);
}

void ListPainter::PaintIconItem(CDC* dc, int item, bool notify) {
  ListLayout::ItemParts parts = m_layout.Parts(item);
  NMLVCUSTOMDRAW cd = ItemRecord(dc, item, parts.bounds);
  Colors colors{m_state.textColor, TextBkColor()};
  LRESULT answer = 0;
  if (notify) {
    answer = CustomDraw(cd, CDDS_ITEMPREPAINT);
    if (!m_state.items.Has(item) || (answer & CDRF_SKIPDEFAULT)) return;
    if (answer & CDRF_NEWFONT) colors = Colors{cd.clrText, cd.clrTextBk};
  }
  char buffer[kTextBuffer];
  const char* text = m_notifier.CellText(item, 0, buffer, kTextBuffer);
  if (!m_state.items.Has(item)) return;
  const ListRow& row = m_state.items.Row(item);
  bool large = m_state.View() == LVS_ICON;
  bool highlighted = Highlighted(item);
  DrawImage(dc, m_state.images[large ? LVSIL_NORMAL : LVSIL_SMALL], row.first.image, parts.icon,
            highlighted && m_state.HasFocus() ? ILD_SELECTED : ILD_NORMAL);
  COLORREF textColor = colors.text;
  if (highlighted) {
    dc->DrawSelectionBackground(parts.label, m_state.HasFocus(), SelectionColor());
    if (m_state.HasFocus()) textColor = GetSysColor(COLOR_HIGHLIGHTTEXT);
  } else if (colors.textBk != CLR_NONE && text[0] != '\0') {
    dc->FillSolidRect(parts.label, colors.textBk);
  }
  RECT textRect{parts.label.left + 2, parts.label.top, parts.label.right - 2, parts.label.bottom};
  DrawText(dc, item, text, textRect, large ? LVCFMT_CENTER : LVCFMT_LEFT, textColor);
  if ((row.state & LVIS_FOCUSED) && m_state.HasFocus()) dc->DrawFocusRect(parts.label);
  if (notify && (answer & CDRF_NOTIFYPOSTPAINT)) CustomDraw(cd, CDDS_ITEMPOSTPAINT);
}

void ListPainter::PaintGridLines(CDC* dc, const RECT& clip) {
  HeaderControl* header = m_state.Header();
  if (header == nullptr) return;
  COLORREF color = GetSysColor(COLOR_BTNFACE);
  int top = std::max(static_cast<int>(clip.top), m_layout.ItemsTop());
  int x = -m_layout.ScrollX();
  for (int index : header->Items().Order()) {
    x += header->Items().Item(index).width;
    if (x - 1 >= clip.left && x - 1 < clip.right && top < clip.bottom)
      dc->DrawLine(POINT{x - 1, top}, POINT{x - 1, clip.bottom}, color);
  }
  int h = m_layout.RowHeight();
  int itemsTop = m_layout.ItemsTop();
  for (int y = itemsTop + ((top - itemsTop) / h) * h + h - 1; y < clip.bottom; y += h)
    if (y >= clip.top) dc->DrawLine(POINT{clip.left, y}, POINT{clip.right, y}, color);
}

void ListPainter::DrawImage(CDC* dc, HIMAGELIST list, int index, const RECT& area, UINT style) {
  if (list == nullptr || index < 0 || index >= list->Count()) return;
  int cx = std::min(list->Width(), static_cast<int>(area.right - area.left));
  int cy = std::min(list->Height(), static_cast<int>(area.bottom - area.top));
  if (cx <= 0 || cy <= 0) return;
  int y = area.top + std::max(0, (static_cast<int>(area.bottom - area.top) - list->Height()) / 2);
  dc->DrawImage(list, index, area.left, y, cx, cy, CLR_NONE, CLR_DEFAULT, style, SRCCOPY);
}
