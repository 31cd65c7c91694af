// CListBase column operations: every column request answered in column numbers, the control
// holding only the visible columns.
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "listctrl/CListBase.h"

LRESULT CListBase::OnInsertColumn(WPARAM wParam, LPARAM lParam) {
  int c = static_cast<int>(wParam);
  const auto* desc = reinterpret_cast<const LVCOLUMNA*>(lParam);
  if (c < 0 || c > ColumnCount() || desc == nullptr) return -1;
  auto copy = CopyColumnDescription(*desc);
  copy->desc.mask &= ~LVCF_SUBITEM;
  const int logicalOrder = (desc->mask & LVCF_ORDER) != 0 ? desc->iOrder : c;
  // The control always gets the display position: its default (the control index) differs
  // from the logical order's position once columns are reordered and some are hidden.
  LVCOLUMNA ask = copy->desc;
  ask.mask |= LVCF_ORDER;
  ask.iOrder = ControlOrderFromLogical(logicalOrder);
  LRESULT r = Direct(LVM_INSERTCOLUMNA, static_cast<WPARAM>(ControlIndexFromColumn(c)),
                     reinterpret_cast<LPARAM>(&ask));
  if (r == -1) return -1;
  if (c == 0) SetFirstColumnFormat(desc->fmt);

  auto data = std::make_unique<COLUMN_DATA>();
  copy->desc.mask |= LVCF_WIDTH;
  copy->desc.cx = 0;
  copy->desc.iOrder = 0;
  data->m_pSavedColumn = std::move(copy);
  data->m_nLogicalOrder = logicalOrder;
  for (auto& column : m_columns)
    if (column->m_nLogicalOrder >= data->m_nLogicalOrder) ++column->m_nLogicalOrder;
  m_columns.insert(m_columns.begin() + c, std::move(data));

  if (m_nSortState > 0 && c < m_nSortState)
    ++m_nSortState;
  else if (m_nSortState < 0 && c < -m_nSortState)
    --m_nSortState;

  for (int i = ItemCount() - 1; i >= 0; --i) {
    ROW_RECORD* record = FetchRowRecord(i);
    // A shorter array already reads as empty slots from c on.
    if (record != nullptr && record->m_cells.size() > static_cast<size_t>(c))
      record->m_cells.insert(record->m_cells.begin() + c, nullptr);
  }
  return r;
}

LRESULT CListBase::OnDeleteColumn(WPARAM wParam, LPARAM) {
  int c = static_cast<int>(wParam);
  if (c < 0 || c >= ColumnCount()) return 0;
  LRESULT result = 1;
  if (Column(c).m_bVisible) {
    result = Direct(LVM_DELETECOLUMN, static_cast<WPARAM>(ControlIndexFromColumn(c)));
    if (result == 0) return 0;
  }
  int order = Column(c).m_nLogicalOrder;
  for (auto& column : m_columns)
    if (column->m_nLogicalOrder > order) --column->m_nLogicalOrder;
  m_columns.erase(m_columns.begin() + c);

  if (m_nSortState != 0) {
    int k = std::abs(m_nSortState) - 1;
    if (c == k)
      m_nSortState = 0;
    else if (c < k)
      m_nSortState += m_nSortState > 0 ? -1 : 1;
  }

  for (int i = ItemCount() - 1; i >= 0; --i) {
    ROW_RECORD* record = FetchRowRecord(i);
    if (record != nullptr && record->m_cells.size() > static_cast<size_t>(c))
      record->m_cells.erase(record->m_cells.begin() + c);
  }
  return result;
}

LRESULT CListBase::OnGetColumn(WPARAM wParam, LPARAM lParam) {
  int c = static_cast<int>(wParam);
  auto* desc = reinterpret_cast<LVCOLUMNA*>(lParam);
  if (c < 0 || c >= ColumnCount() || desc == nullptr) return 0;
  const COLUMN_DATA& data = Column(c);
  if (data.m_bVisible) {
    LRESULT r = Direct(LVM_GETCOLUMNA, static_cast<WPARAM>(ControlIndexFromColumn(c)), lParam);
    if (r == 0) return 0;
    if ((desc->mask & LVCF_ORDER) != 0) desc->iOrder = data.m_nLogicalOrder;
    if ((desc->mask & LVCF_SUBITEM) != 0) desc->iSubItem = c;
    return r;
  }
  const LVCOLUMNA& s = data.m_pSavedColumn->desc;
  if ((desc->mask & LVCF_FMT) != 0) desc->fmt = (s.mask & LVCF_FMT) != 0 ? s.fmt : 0;
  if ((desc->mask & LVCF_IMAGE) != 0) desc->iImage = (s.mask & LVCF_IMAGE) != 0 ? s.iImage : -1;
  if ((desc->mask & LVCF_ORDER) != 0) desc->iOrder = data.m_nLogicalOrder;
  if ((desc->mask & LVCF_SUBITEM) != 0) desc->iSubItem = c;
  if ((desc->mask & LVCF_TEXT) != 0 && desc->pszText != nullptr && desc->cchTextMax > 0)
    CopyTextTruncated((s.mask & LVCF_TEXT) != 0 ? s.pszText : nullptr, desc->pszText,
                      desc->cchTextMax);
  if ((desc->mask & LVCF_WIDTH) != 0) desc->cx = data.m_nHiddenWidth;
  return 1;
}

LRESULT CListBase::OnSetColumn(WPARAM wParam, LPARAM lParam) {
  int c = static_cast<int>(wParam);
  const auto* desc = reinterpret_cast<const LVCOLUMNA*>(lParam);
  if (c < 0 || c >= ColumnCount() || desc == nullptr) return 0;
  auto copy = CopyColumnDescription(*desc);
  copy->desc.mask &= ~LVCF_SUBITEM;
  if ((copy->desc.mask & LVCF_ORDER) != 0) copy->desc.iOrder = ControlOrderForMove(c, desc->iOrder);
  COLUMN_DATA& data = Column(c);
  LRESULT result = 1;
  if (data.m_bVisible) {
    result = Direct(LVM_SETCOLUMNA, static_cast<WPARAM>(ControlIndexFromColumn(c)),
                    reinterpret_cast<LPARAM>(&copy->desc));
    if (result == 0) return 0;
  }
  SavedColumn& s = *data.m_pSavedColumn;
  if ((desc->mask & LVCF_FMT) != 0) s.desc.fmt = desc->fmt;
  if ((desc->mask & LVCF_IMAGE) != 0) s.desc.iImage = desc->iImage;
  if ((desc->mask & LVCF_ORDER) != 0) MoveLogicalOrder(c, desc->iOrder);
  if ((desc->mask & LVCF_TEXT) != 0 && desc->pszText != nullptr) s.SetTitle(desc->pszText);
  s.desc.mask |= copy->desc.mask;
  return result;
}

LRESULT CListBase::OnGetColumnWidth(WPARAM wParam, LPARAM) {
  int c = static_cast<int>(wParam);
  if (c < 0 || c >= ColumnCount() || !Column(c).m_bVisible) return 0;
  return Direct(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(ControlIndexFromColumn(c)));
}

LRESULT CListBase::OnSetColumnWidth(WPARAM wParam, LPARAM lParam) {
  int c = static_cast<int>(wParam);
  if (c < 0 || c >= ColumnCount()) return 0;
  if (Column(c).m_bVisible)
    return Direct(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(ControlIndexFromColumn(c)), lParam);
  // Kept as given, auto-size codes included; it takes effect when the column is shown.
  Column(c).m_nHiddenWidth = static_cast<int>(lParam);
  return 1;
}

LRESULT CListBase::OnGetColumnOrderArray(WPARAM wParam, LPARAM lParam) {
  int k = static_cast<int>(wParam);
  auto* out = reinterpret_cast<int*>(lParam);
  if (k <= 0 || out == nullptr) return 0;
  int m = std::min(k, ColumnCount());
  for (int p = 0; p < m; ++p) {
    int c = ColumnAtLogicalOrder(p);
    if (c >= 0) out[p] = c;
  }
  return m;
}

LRESULT CListBase::OnSetColumnOrderArray(WPARAM wParam, LPARAM lParam) {
  int k = static_cast<int>(wParam);
  const auto* in = reinterpret_cast<const int*>(lParam);
  if (k <= 0 || in == nullptr) return 0;
  int m = std::min(k, ColumnCount());
  std::vector<int> controlOrder;
  for (int j = 0; j < m; ++j) {
    if (in[j] < 0 || in[j] >= ColumnCount()) return 0;
    if (Column(in[j]).m_bVisible) controlOrder.push_back(ControlIndexFromColumn(in[j]));
  }
  LRESULT r = Direct(LVM_SETCOLUMNORDERARRAY, controlOrder.size(),
                     reinterpret_cast<LPARAM>(controlOrder.data()));
  if (r == 0) return 0;
  for (int j = 0; j < m; ++j) MoveLogicalOrder(in[j], j);
  return r;
}
