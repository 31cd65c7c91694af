// CListBase item store: every item's control data is its ROW_RECORD, which keeps the caller's
// item data and every cell, hidden columns included.
#include <cstring>

#include "listctrl/CListBase.h"

namespace {

bool HasSortingStyle(DWORD style) {
  return (style & (LVS_SORTASCENDING | LVS_SORTDESCENDING)) != 0;
}

// A visible column's text goes to the control as the callback marker, so the store stays the
// one place it lives; sorted lists need the real text for the control to sort by.
void ApplyTextRule(LVITEMA& ask, DWORD style) {
  if ((ask.mask & LVIF_TEXT) != 0 && ask.pszText != nullptr && ask.pszText != LPSTR_TEXTCALLBACKA &&
      !HasSortingStyle(style))
    ask.pszText = LPSTR_TEXTCALLBACKA;
}

void StoreCell(ROW_RECORD& record, int column, std::unique_ptr<SavedItem> cell) {
  if (record.m_cells.size() < static_cast<size_t>(column) + 1)
    record.m_cells.resize(static_cast<size_t>(column) + 1);
  record.m_cells[static_cast<size_t>(column)] = std::move(cell);
}

}  // namespace

LRESULT CListBase::OnInsertItem(WPARAM, LPARAM lParam) {
  const auto* desc = reinterpret_cast<const LVITEMA*>(lParam);
  if (desc == nullptr || desc->iItem < 0) return -1;
  auto copy = CopyItemDescription(*desc);
  auto record = std::make_unique<ROW_RECORD>();
  record->m_lCallerData = (desc->mask & LVIF_PARAM) != 0 ? desc->lParam : 0;
  // One slot per column from the start: cells set one by one never regrow the array.
  record->m_cells.reserve(static_cast<size_t>(ColumnCount() > 0 ? ColumnCount() : 1));
  LVITEMA ask = copy->desc;
  ask.mask |= LVIF_PARAM;
  ask.lParam = reinterpret_cast<LPARAM>(record.get());
  ApplyTextRule(ask, ListStyle());
  // With column 0 hidden the control's first column is another column: its text is not this.
  if (ColumnCount() > 0 && !Column(0).m_bVisible) {
    ask.mask &= ~LVIF_TEXT;
    ask.pszText = nullptr;
  }
  LRESULT r = Direct(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&ask));
  if (r == -1) return -1;
  copy->desc.iItem = static_cast<int>(r);
  record->m_cells.push_back(std::move(copy));
  record.release();  // owned by the item from now on
  return r;
}

LRESULT CListBase::OnSetItem(WPARAM, LPARAM lParam) {
  const auto* desc = reinterpret_cast<const LVITEMA*>(lParam);
  if (desc == nullptr) return 0;
  int c = desc->iSubItem;
  if (c < 0 || c >= ColumnCount() || desc->iItem < 0) return 0;
  auto copy = CopyItemDescription(*desc);
  LRESULT result = 1;
  bool visible = Column(c).m_bVisible;
  if ((visible && (desc->mask & ~LVIF_PARAM) != 0) || (c == 0 && (desc->mask & LVIF_STATE) != 0)) {
    LVITEMA ask = copy->desc;
    ask.mask &= ~LVIF_PARAM;
    if (visible)
      ApplyTextRule(ask, ListStyle());
    else
      ask.mask &= LVIF_STATE;
    if (ask.mask != 0) {
      ask.iSubItem = ControlIndexFromColumn(c);
      result = Direct(LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&ask));
      if (result == 0) return 0;
    }
  }
  ROW_RECORD* record = FetchRowRecord(desc->iItem);
  if (record == nullptr) return result;
  if ((desc->mask & LVIF_PARAM) != 0) record->m_lCallerData = desc->lParam;
  if (SavedItem* d = record->Cell(c)) {
    if ((desc->mask & LVIF_IMAGE) != 0) d->desc.iImage = desc->iImage;
    if ((desc->mask & LVIF_INDENT) != 0) d->desc.iIndent = desc->iIndent;
    if ((desc->mask & LVIF_TEXT) != 0 && copy->desc.pszText != nullptr) d->TakeText(*copy);
    d->desc.mask |= desc->mask;
    return result;
  }
  copy->desc.iSubItem = c;
  StoreCell(*record, c, std::move(copy));
  return result;
}

LRESULT CListBase::OnSetItemText(WPARAM wParam, LPARAM lParam) {
  const auto* desc = reinterpret_cast<const LVITEMA*>(lParam);
  int i = static_cast<int>(wParam);
  if (desc == nullptr) return 0;
  int c = desc->iSubItem;
  if (c < 0 || c >= ColumnCount() || i < 0) return 0;
  LVITEMA textOnly = *desc;
  textOnly.mask = LVIF_TEXT;
  auto copy = CopyItemDescription(textOnly);
  LRESULT result = 1;
  if (Column(c).m_bVisible) {
    LVITEMA ask = copy->desc;
    ApplyTextRule(ask, ListStyle());
    ask.iSubItem = ControlIndexFromColumn(c);
    result = Direct(LVM_SETITEMTEXTA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&ask));
    if (result == 0) return 0;
  }
  ROW_RECORD* record = FetchRowRecord(i);
  if (record == nullptr) return result;
  if (SavedItem* d = record->Cell(c)) {
    if (copy->desc.pszText != nullptr) d->TakeText(*copy);
    d->desc.mask |= LVIF_TEXT;
    return result;
  }
  copy->desc.iItem = i;
  copy->desc.iSubItem = c;
  StoreCell(*record, c, std::move(copy));
  return result;
}

LRESULT CListBase::OnGetItem(WPARAM wParam, LPARAM lParam) {
  auto* desc = reinterpret_cast<LVITEMA*>(lParam);
  if (desc == nullptr) return 0;
  const int c = desc->iSubItem;
  const UINT mask = desc->mask;
  const LPARAM callerLParam = desc->lParam;
  if (c < 0 || c >= ColumnCount() || desc->iItem < 0) return 0;
  const bool visible = Column(c).m_bVisible;
  if (visible) {
    desc->iSubItem = ControlIndexFromColumn(c);
  } else {
    if ((mask & ~LVIF_STATE) != 0) desc->mask |= LVIF_PARAM;
    desc->mask &= LVIF_PARAM | LVIF_STATE;
    desc->iSubItem = 0;
  }
  LRESULT r = Default(LVM_GETITEMA, wParam, lParam);
  const UINT askedMask = desc->mask;
  const auto* record =
      (askedMask & LVIF_PARAM) != 0 ? reinterpret_cast<const ROW_RECORD*>(desc->lParam) : nullptr;
  desc->mask = mask;
  desc->iSubItem = c;
  // The record is never shown to callers, not even when only this class asked for it.
  if ((mask & LVIF_PARAM) == 0) desc->lParam = callerLParam;
  if (r == 0) return 0;
  if (mask == LVIF_STATE) return r;
  if ((mask & LVIF_PARAM) != 0) desc->lParam = record != nullptr ? record->m_lCallerData : 0;
  if (visible) return r;
  const SavedItem* d = record != nullptr ? record->Cell(c) : nullptr;
  if ((mask & LVIF_IMAGE) != 0)
    desc->iImage = d != nullptr && (d->desc.mask & LVIF_IMAGE) != 0 ? d->desc.iImage : 0;
  if ((mask & LVIF_INDENT) != 0)
    desc->iIndent = d != nullptr && (d->desc.mask & LVIF_INDENT) != 0 ? d->desc.iIndent : 0;
  if ((mask & LVIF_TEXT) != 0 && desc->pszText != nullptr && desc->pszText != LPSTR_TEXTCALLBACKA &&
      desc->cchTextMax > 0)
    CopyTextTruncated(d != nullptr && d->HasRealText() ? d->desc.pszText : nullptr, desc->pszText,
                      desc->cchTextMax);
  return r;
}

LRESULT CListBase::OnGetItemText(WPARAM wParam, LPARAM lParam) {
  auto* desc = reinterpret_cast<LVITEMA*>(lParam);
  int i = static_cast<int>(wParam);
  if (desc == nullptr) return 0;
  int c = desc->iSubItem;
  if (c < 0 || c >= ColumnCount() || i < 0) return 0;
  if (Column(c).m_bVisible) {
    desc->iSubItem = ControlIndexFromColumn(c);
    LRESULT r = Direct(LVM_GETITEMTEXTA, wParam, lParam);
    desc->iSubItem = c;
    return r;
  }
  ROW_RECORD* record = FetchRowRecord(i);
  if (record == nullptr) return 0;
  if (desc->pszText == nullptr || desc->pszText == LPSTR_TEXTCALLBACKA || desc->cchTextMax <= 0)
    return 0;
  const SavedItem* d = record->Cell(c);
  return CopyTextTruncated(d != nullptr && d->HasRealText() ? d->desc.pszText : nullptr,
                           desc->pszText, desc->cchTextMax);
}

LRESULT CListBase::OnDeleteItem(WPARAM wParam, LPARAM lParam) {
  int i = static_cast<int>(wParam);
  if (i < 0) return 0;
  ROW_RECORD* record = FetchRowRecord(i);
  if (record == nullptr) return 0;
  if (Default(LVM_DELETEITEM, wParam, lParam) == 0) return 0;
  delete record;
  return 1;
}

LRESULT CListBase::OnDeleteAllItems(WPARAM, LPARAM) {
  LRESULT result = 1;
  // One delete per item from the last, so the control never moves the items that remain.
  for (int i = static_cast<int>(Direct(LVM_GETITEMCOUNT)) - 1; i >= 0; --i) {
    ROW_RECORD* record = FetchRowRecord(i);
    if (record == nullptr || Direct(LVM_DELETEITEM, static_cast<WPARAM>(i)) == 0) {
      result = 0;
      continue;
    }
    delete record;
  }
  return result;
}

LRESULT CListBase::OnFindItem(WPARAM wParam, LPARAM lParam) {
  const auto* find = reinterpret_cast<const LVFINDINFOA*>(lParam);
  if (find == nullptr) return -1;
  if ((find->flags & LVFI_PARAM) == 0) return Default(LVM_FINDITEMA, wParam, lParam);
  const int start = static_cast<int>(wParam);
  const int count = static_cast<int>(Direct(LVM_GETITEMCOUNT));
  auto matches = [&](int i) {
    const ROW_RECORD* record = FetchRowRecord(i);
    return record != nullptr && record->m_lCallerData == find->lParam;
  };
  for (int i = start < -1 ? 0 : start + 1; i < count; ++i)
    if (matches(i)) return i;
  if (start >= 0 && (find->flags & LVFI_WRAP) != 0)
    for (int i = 0; i <= start && i < count; ++i)
      if (matches(i)) return i;
  return -1;
}

LRESULT CListBase::OnSortItems(WPARAM wParam, LPARAM lParam) {
  auto compare = reinterpret_cast<PFNLVCOMPARE>(lParam);
  if (compare == nullptr) return 0;
  m_pfnCallerCompare = compare;
  m_lCallerSortData = static_cast<LPARAM>(wParam);
  LRESULT r = Direct(LVM_SORTITEMS, reinterpret_cast<WPARAM>(this),
                     reinterpret_cast<LPARAM>(&CListBase::ForwardCompare));
  m_pfnCallerCompare = nullptr;
  m_lCallerSortData = 0;
  return r;
}

BOOL CListBase::OnGetDispInfo(NMHDR* nmhdr, LRESULT* result) {
  if (m_bInDispInfo || nmhdr == nullptr) return FALSE;
  auto* info = reinterpret_cast<NMLVDISPINFOA*>(nmhdr);
  m_bInDispInfo = true;
  if (result != nullptr) *result = 0;
  const int k = info->item.iSubItem;
  const int c = ColumnFromControlIndex(k);
  info->item.iSubItem = c;
  auto* record = reinterpret_cast<ROW_RECORD*>(info->item.lParam);
  if ((ListStyle() & LVS_OWNERDATA) == 0 && (info->item.mask & LVIF_TEXT) != 0 &&
      record != nullptr) {
    const SavedItem* d = record->Cell(c);
    if (d != nullptr && d->HasRealText()) {
      info->item.pszText = d->desc.pszText;
      info->item.iSubItem = k;
      m_bInDispInfo = false;
      return TRUE;
    }
  }
  HWND parent = ::GetParent(ListHwnd());
  if (parent != nullptr) {
    // The parent answers in its own terms: its item data, not the record.
    const LPARAM recordParam = info->item.lParam;
    if (record != nullptr && (ListStyle() & LVS_OWNERDATA) == 0)
      info->item.lParam = record->m_lCallerData;
    info->hdr.idFrom = static_cast<UINT_PTR>(::GetDlgCtrlID(ListHwnd()));
    ::SendMessage(parent, WM_NOTIFY, info->hdr.idFrom, reinterpret_cast<LPARAM>(info));
    info->item.lParam = recordParam;
  }
  info->item.iSubItem = k;
  m_bInDispInfo = false;
  return TRUE;
}
