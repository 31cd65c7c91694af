// CListBase row painting: an owner-drawn row cell by cell in display order, and the first
// column's icon area after the control painted a row itself.
#include <algorithm>

#include "listctrl/CListBase.h"
#include "platform/afx/CFont.h"
#include "platform/afx/Services.h"

namespace {

constexpr DWORD kHotTrackingBits =
    LVS_EX_ONECLICKACTIVATE | LVS_EX_TWOCLICKACTIVATE | LVS_EX_UNDERLINEHOT;

// The label box of a row drawn without full-row select: the text's width plus a margin,
// aligned like the label column and cut to the label rectangle.
RECT LabelBox(const RECT& label, int align, int textWidth) {
  RECT box = label;
  switch (align) {
    case 0:
      box.right = label.left + textWidth + 8;
      break;
    case 1:
      box.left = label.right - (textWidth + 8);
      break;
    case 2:
      box.left = label.left + ((label.right - label.left) - (textWidth + 12)) / 2;
      box.right = box.left + textWidth + 12;
      break;
    default:
      return label;
  }
  box.left = std::max(box.left, label.left);
  box.right = std::min(box.right, label.right);
  return box;
}

}  // namespace

void CListBase::PaintRow(const DRAWITEMSTRUCT* dis) {
  if (dis == nullptr || dis->hDC == nullptr) return;
  CDC* dc = dis->hDC;
  const int i = static_cast<int>(dis->itemID);
  std::unique_ptr<SavedItem> row = FetchItem(i, 0);
  if (!row) return;

  const bool hasFocus = ListHwnd() != nullptr && ::GetFocus() == ListHwnd();
  const bool selected = (row->desc.state & LVIS_SELECTED) != 0;
  const bool highlighted = selected && (hasFocus || (ListStyle() & LVS_SHOWSELALWAYS) != 0);
  const bool focused = (row->desc.state & LVIS_FOCUSED) != 0 && hasFocus;
  const bool fullRow = (m_dwExStyle & LVS_EX_FULLROWSELECT) != 0;
  const bool hotFont = ((m_dwExStyle & LVS_EX_TWOCLICKACTIVATE) != 0 && selected) ||
                       ((m_dwExStyle & LVS_EX_ONECLICKACTIVATE) != 0 &&
                        (m_dwExStyle & LVS_EX_UNDERLINEHOT) != 0 && i == m_nHotRow);
  RECT bounds;
  bounds.left = LVIR_BOUNDS;
  if (Direct(LVM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&bounds)) == 0)
    return;
  RECT label = bounds;
  CellBounds(i, 0, 2, &label);
  const int order0 = HeaderOrderOf(0);

  RECT focusRect = bounds;
  if (fullRow && (order0 == 0 || m_bLabelInLeadColumn)) {
    const int leadWidth =
        static_cast<int>(Direct(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(HeaderIndexAt(0))));
    focusRect.left = std::min(static_cast<int>(label.left), leadWidth);
  }

  const COLORREF selectionBk = hasFocus ? (i == m_nHotRow ? m_clrHot : GetSysColor(COLOR_HIGHLIGHT))
                                        : GetSysColor(COLOR_BTNFACE);
  const COLORREF normalText = hotFont ? m_clrHot : GetSysColor(COLOR_WINDOWTEXT);
  const COLORREF highlightText = hasFocus ? GetSysColor(COLOR_HIGHLIGHTTEXT) : normalText;
  const COLORREF listBk = ListBkColor();
  const int sortIndex = m_bTintSortColumn ? SortColumnControlIndex() : -1;

  CFont underlined;
  HFONT previousFont = nullptr;
  if (hotFont) {
    LOGFONTA lf;
    CFont::GetLogFont(reinterpret_cast<HFONT>(SendToList(WM_GETFONT)), &lf);
    lf.lfUnderline = 1;
    underlined.CreateFontIndirect(&lf);
    previousFont = dc->SelectFont(underlined);
  }

  // The saved description of column 0 with the control's current state, so that icons and
  // check marks follow state changes made after insertion.
  const auto* record = reinterpret_cast<const ROW_RECORD*>(row->desc.lParam);
  const SavedItem* saved0 = record != nullptr ? record->Cell(0) : nullptr;
  LVITEMA imageDesc = saved0 != nullptr ? saved0->desc : row->desc;
  imageDesc.state = row->desc.state;

  int cellLeft = bounds.left;
  for (int p = 0;; ++p) {
    const int k = HeaderIndexAt(p);
    LVCOLUMNA column;
    column.mask = LVCF_FMT | LVCF_WIDTH;
    if (k < 0 ||
        Direct(LVM_GETCOLUMNA, static_cast<WPARAM>(k), reinterpret_cast<LPARAM>(&column)) == 0)
      break;
    std::unique_ptr<SavedItem> fetched = k == 0 ? nullptr : FetchItem(i, k);
    LVITEMA empty;
    LVITEMA& cellDesc = k == 0 ? row->desc : (fetched ? fetched->desc : empty);

    const RECT cell{cellLeft, bounds.top, cellLeft + column.cx, bounds.bottom};
    cellLeft = cell.right;
    const COLORREF cellBk = k == sortIndex ? m_clrSortTint : listBk;
    const bool labelCell = m_bLabelInLeadColumn ? p == 0 : k == 0;
    RECT textRect = cell;
    if (labelCell) {
      textRect = label;
      textRect.left += 2;
      textRect.right -= k == 0 ? 2 : 6;
    } else {
      textRect.left += 6;
      textRect.right -= 6;
    }
    const int textWidth = textRect.right > textRect.left
                              ? TextFitWidth(textRect.right - textRect.left, dc, cellDesc)
                              : 0;
    RECT box = label;
    if (labelCell && !fullRow && (highlighted || focused)) {
      const int align = k == 0 ? m_nFirstColumnFormat : (column.fmt & LVCFMT_JUSTIFYMASK);
      box = LabelBox(label, align, textWidth);
      focusRect = box;
    }

    if (labelCell && highlighted && !(k == 0 && order0 > 0 && fullRow)) {
      if (box.left > cell.left)
        dc->FillSolidRect(RECT{cell.left, cell.top, box.left - 1, cell.bottom}, cellBk);
      dc->DrawSelectionBackground(box, hasFocus, selectionBk);
      if (box.right < cell.right)
        dc->FillSolidRect(RECT{box.right + 1, cell.top, cell.right, cell.bottom}, cellBk);
      dc->SetBkColor(selectionBk);
      dc->SetTextColor(highlightText);
    } else if (highlighted && fullRow) {
      dc->DrawSelectionBackground(cell, hasFocus, selectionBk);
      dc->SetBkColor(selectionBk);
      dc->SetTextColor(highlightText);
    } else {
      dc->FillSolidRect(cell, cellBk);
      dc->SetBkColor(cellBk);
      dc->SetTextColor(normalText);
    }

    if (labelCell) {
      RECT r;
      if (StateImageBounds(i, &r)) PaintStateImage(dc, imageDesc, r);
      if (CellBounds(i, 0, 1, &r)) PaintItemIcon(dc, imageDesc, r);
    }
    cellDesc.iSubItem = ColumnFromControlIndex(k);
    PaintCellText(dc, cellDesc, column, textRect);
  }

  if (hotFont) dc->SelectFont(previousFont);
  if (focused) {
    dc->SetTextColor(GetSysColor(COLOR_WINDOWTEXT));
    dc->DrawFocusRect(focusRect);
  }
}

void CListBase::RepaintIconArea(NMLVCUSTOMDRAW* cd) {
  CDC* dc = cd->nmcd.hdc;
  if (dc == nullptr) return;
  const int i = static_cast<int>(cd->nmcd.dwItemSpec);
  RECT header0;
  if (::SendMessage(HeaderHwnd(), HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&header0)) == 0)
    return;
  const int w0 = header0.right - header0.left;
  const int x0 = header0.left - ::GetScrollPos(ListHwnd(), SB_HORZ);
  const bool leftmost = header0.left == 0;
  const bool hasFocus = ListHwnd() != nullptr && ::GetFocus() == ListHwnd();
  RECT label;
  label.left = LVIR_LABEL;
  if (Direct(LVM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&label)) == 0)
    return;
  LVITEMA it;
  it.mask = LVIF_IMAGE | LVIF_STATE;
  it.iItem = i;
  it.iSubItem = 0;
  it.stateMask = 0xF003;
  SendToList(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&it));
  const bool selected = (it.state & LVIS_SELECTED) != 0;

  const COLORREF plain =
      m_bTintSortColumn && SortColumnControlIndex() == 0 ? m_clrSortTint : ListBkColor();
  COLORREF fill = plain;
  if (!leftmost && (m_dwExStyle & LVS_EX_FULLROWSELECT) != 0) {
    if (selected && hasFocus && (m_dwExStyle & kHotTrackingBits) != 0 &&
        static_cast<int>(SendToList(LVM_GETHOTITEM)) == i)
      fill = m_clrHot;
    else if (selected && hasFocus)
      fill = GetSysColor(COLOR_HIGHLIGHT);
    else if (selected && (ListStyle() & LVS_SHOWSELALWAYS) != 0)
      fill = GetSysColor(COLOR_BTNFACE);
  }
  dc->FillSolidRect(RECT{x0, label.top, std::min(label.left, label.right), label.bottom}, fill);
  if (w0 <= m_nStateGap) return;

  const UINT style = selected && hasFocus ? ILD_SELECTED : ILD_NORMAL;
  auto states = reinterpret_cast<HIMAGELIST>(Direct(LVM_GETIMAGELIST, LVSIL_STATE));
  const int n = static_cast<int>((it.state >> 12) & 0xFu);
  RECT s;
  int cx = 0, cy = 0;
  if (states != nullptr && n > 0 && n - 1 < states->Count() && states->GetImageSize(&cx, &cy) &&
      StateImageBounds(i, &s))
    dc->DrawImage(states, n - 1, s.left, s.top, std::min(cx, static_cast<int>(s.right - s.left)),
                  std::min(cy, static_cast<int>(s.bottom - s.top)), CLR_NONE, CLR_DEFAULT, style,
                  SRCCOPY);
  auto small = reinterpret_cast<HIMAGELIST>(Direct(LVM_GETIMAGELIST, LVSIL_SMALL));
  const int m = it.iImage;
  RECT icon;
  icon.left = LVIR_ICON;
  if (small != nullptr && m > 0 && m < small->Count() && small->GetImageSize(&cx, &cy) &&
      Direct(LVM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&icon)) != 0 &&
      icon.left - x0 < w0)
    dc->DrawImage(small, m, icon.left, icon.top, std::min(w0 - (icon.left - x0), cx),
                  std::min(static_cast<int>(icon.bottom - icon.top), cy), CLR_NONE, CLR_DEFAULT,
                  style, SRCCOPY);
}
