// CListBase core: construction, saved descriptions, the four translations, showing and
// hiding columns, the sort state and the sort forwarding.
#include "listctrl/CListBase.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "platform/afx/InvalidArgException.h"
#include "platform/afx/Services.h"

// No common-controls library to probe here: the header draws sort flags natively unless a
// test sets level 1 before the first construction.
int CListBase::s_nCommonControlsLevel = 0;

void SavedColumn::SetTitle(const char* text) {
  if (text == nullptr) {
    title.reset();
    desc.pszText = nullptr;
    return;
  }
  size_t n = std::strlen(text);
  auto copy = std::make_unique<char[]>(n + 1);
  std::memcpy(copy.get(), text, n + 1);
  title = std::move(copy);
  desc.pszText = title.get();
}

void SavedItem::TakeText(SavedItem& from) {
  text = std::move(from.text);
  desc.pszText = from.desc.pszText;
  from.desc.pszText = nullptr;
}

int CopyTextTruncated(const char* text, char* buf, int capacity) {
  if (buf == nullptr || capacity < 1) return 0;
  size_t n = text != nullptr ? std::strlen(text) : 0;
  size_t limit = static_cast<size_t>(capacity) - 1;
  if (n > limit) {
    n = limit;
    // Back off to the start of a UTF-8 sequence rather than cut it.
    while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0u) == 0x80u) --n;
  }
  if (n > 0) std::memcpy(buf, text, n);
  buf[n] = '\0';
  return static_cast<int>(n);
}

CListBase::CListBase() {
  if (s_nCommonControlsLevel == 0) s_nCommonControlsLevel = 2;
  m_clrHot = GetSysColor(COLOR_HOTLIGHT);
}

CListBase::~CListBase() {
  m_columns.clear();
  m_bmpArrowAsc.DeleteObject();
  m_bmpArrowDesc.DeleteObject();
  m_imlArrows.DeleteImageList();
}

std::unique_ptr<SavedColumn> CListBase::CopyColumnDescription(const LVCOLUMNA& desc) {
  auto copy = std::make_unique<SavedColumn>();
  LVCOLUMNA& c = copy->desc;
  c.mask = desc.mask;
  c.fmt = (desc.mask & LVCF_FMT) != 0 ? desc.fmt : 0;
  c.cx = (desc.mask & LVCF_WIDTH) != 0 ? desc.cx : 0;
  c.iSubItem = (desc.mask & LVCF_SUBITEM) != 0 ? desc.iSubItem : 0;
  c.iImage = (desc.mask & LVCF_IMAGE) != 0 ? desc.iImage : 0;
  c.iOrder = (desc.mask & LVCF_ORDER) != 0 ? desc.iOrder : 0;
  c.cchTextMax = 0;
  c.pszText = nullptr;
  if ((desc.mask & LVCF_TEXT) != 0) copy->SetTitle(desc.pszText);
  return copy;
}

std::unique_ptr<SavedItem> CListBase::CopyItemDescription(const LVITEMA& desc) {
  auto copy = std::make_unique<SavedItem>();
  LVITEMA& d = copy->desc;
  d = desc;
  d.iImage = (desc.mask & LVIF_IMAGE) != 0 ? desc.iImage : 0;
  d.iIndent = (desc.mask & LVIF_INDENT) != 0 ? desc.iIndent : 0;
  d.lParam = (desc.mask & LVIF_PARAM) != 0 ? desc.lParam : 0;
  if ((desc.mask & LVIF_STATE) != 0) {
    d.state = desc.state & desc.stateMask;
  } else {
    d.state = 0;
    d.stateMask = 0;
  }
  d.iSubItem = 0;
  d.cchTextMax = 0;
  d.pszText = nullptr;
  if ((desc.mask & LVIF_TEXT) != 0 && desc.pszText != nullptr) {
    if (desc.pszText == LPSTR_TEXTCALLBACKA) {
      d.pszText = LPSTR_TEXTCALLBACKA;
    } else {
      size_t n = std::strlen(desc.pszText);
      copy->text = std::make_unique<char[]>(n + 1);
      std::memcpy(copy->text.get(), desc.pszText, n + 1);
      d.pszText = copy->text.get();
    }
  }
  return copy;
}

COLUMN_DATA& CListBase::Column(int column) const {
  if (column < 0 || column >= ColumnCount()) throw CInvalidArgException();
  return *m_columns[static_cast<size_t>(column)];
}

int CListBase::ColumnFromControlIndex(int controlIndex) const {
  int t = controlIndex;
  for (int c = 0; c < ColumnCount(); ++c) {
    if (!Column(c).m_bVisible)
      ++t;
    else if (c == t)
      return c;
  }
  return -1;
}

int CListBase::ControlIndexFromColumn(int column) const {
  int k = 0;
  for (int c = 0; c < column; ++c)
    if (Column(c).m_bVisible) ++k;
  return k;
}

int CListBase::ColumnAtLogicalOrder(int logicalOrder) const {
  for (int c = ColumnCount() - 1; c >= 0; --c)
    if (Column(c).m_nLogicalOrder == logicalOrder) return c;
  return -1;
}

int CListBase::LogicalOrderFromControl(int displayPos) const {
  if (displayPos < 0) return -1;
  int t = displayPos;
  // Orders beyond the column count belong to no column, so the walk ends there.
  for (int j = 0; j <= t && j < ColumnCount(); ++j) {
    int c = ColumnAtLogicalOrder(j);
    if (c < 0) continue;
    if (!Column(c).m_bVisible)
      ++t;
    else if (j == t)
      return j;
  }
  return -1;
}

int CListBase::ControlOrderFromLogical(int logicalOrder) const {
  // Counts, per logical order below the given one, the column that holds it (the highest
  // column number when several do) if it is visible.
  int count = 0;
  for (int c = ColumnCount() - 1; c >= 0; --c) {
    int j = Column(c).m_nLogicalOrder;
    if (j < 0 || j >= logicalOrder) continue;
    if (ColumnAtLogicalOrder(j) != c) continue;
    if (Column(c).m_bVisible) ++count;
  }
  return count;
}

int CListBase::ControlOrderForMove(int column, int position) const {
  int from = Column(column).m_nLogicalOrder;
  if (position <= from) return ControlOrderFromLogical(position);
  // Moving right: the visible columns up to and including the target order end up before
  // it, the column itself excepted.
  int count = ControlOrderFromLogical(position == INT32_MAX ? position : position + 1);
  if (Column(column).m_bVisible && from >= 0 && ColumnAtLogicalOrder(from) == column) --count;
  return count < 0 ? 0 : count;
}

void CListBase::MoveLogicalOrder(int column, int position) {
  int o = Column(column).m_nLogicalOrder;
  if (position == o) return;
  for (int c = 0; c < ColumnCount(); ++c) {
    if (c == column) continue;
    int& j = Column(c).m_nLogicalOrder;
    if (position < o && j >= position && j < o)
      ++j;
    else if (position > o && j > o && j <= position)
      --j;
  }
  Column(column).m_nLogicalOrder = position;
}

void CListBase::SetColumnVisible(int column, bool show) {
  COLUMN_DATA& data = Column(column);
  if (!data.m_bCanHide || data.m_bVisible == show) return;
  if (!show) {
    int k = ControlIndexFromColumn(column);
    data.m_nHiddenWidth = static_cast<int>(SendToList(LVM_GETCOLUMNWIDTH, column));
    Direct(LVM_DELETECOLUMN, static_cast<WPARAM>(k));
    data.m_bVisible = false;
    return;
  }
  bool noneVisible = true;
  for (const auto& c : m_columns)
    if (c->m_bVisible) noneVisible = false;
  data.m_bVisible = true;
  int k = ControlIndexFromColumn(column);
  LVCOLUMNA desc = data.m_pSavedColumn->desc;
  desc.mask |= LVCF_ORDER;
  desc.iOrder = ControlOrderFromLogical(data.m_nLogicalOrder);
  if (Direct(LVM_INSERTCOLUMNA, static_cast<WPARAM>(k), reinterpret_cast<LPARAM>(&desc)) == -1) {
    // A column the control would not take is not present: keep it hidden.
    data.m_bVisible = false;
    return;
  }
  if (k == 0) SetFirstColumnFormat(desc.fmt);
  if (m_nSortState != 0 && std::abs(m_nSortState) - 1 == column) ApplySortIndicators();
  if ((ListStyle() & LVS_OWNERDATA) == 0) {
    RestoreColumnCells(column);
    if (k == 0 && !noneVisible) RestoreColumnCells(ColumnFromControlIndex(1));
  }
  SendToList(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column),
             static_cast<LPARAM>(static_cast<WORD>(data.m_nHiddenWidth)));
}

void CListBase::RestoreColumnCells(int column) {
  if (column < 0) return;
  for (int i = ItemCount() - 1; i >= 0; --i) {
    ROW_RECORD* record = FetchRowRecord(i);
    SavedItem* cell = record != nullptr ? record->Cell(column) : nullptr;
    if (cell == nullptr) continue;
    cell->desc.iItem = i;
    cell->desc.iSubItem = column;
    // Only what the cell shows: the stored item data and state date from the cell's first
    // setting and would undo later changes to the item.
    LVITEMA shown = cell->desc;
    shown.mask &= LVIF_TEXT | LVIF_IMAGE | LVIF_INDENT;
    if (shown.mask != 0) SendToList(LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&shown));
  }
}

void CListBase::SetSortState(int state) {
  if (state == m_nSortState) return;
  int old = m_nSortState;
  m_nSortState = state;
  ApplySortIndicators();
  if (std::abs(state) != std::abs(old) && ListHwnd() != nullptr)
    ::InvalidateRect(ListHwnd(), nullptr, TRUE);
}

void CListBase::HeaderClicked(NMLISTVIEW* notification) {
  int c = ColumnFromControlIndex(notification->iSubItem);
  notification->iSubItem = c;
  if (c < 0) return;
  if (m_nSortState != 0 && std::abs(m_nSortState) == c + 1)
    m_nSortState = -m_nSortState;
  else
    m_nSortState = c + 1;
  ApplySortIndicators();
}

int CListBase::ForwardCompare(LPARAM record1, LPARAM record2, LPARAM self) {
  auto* base = reinterpret_cast<CListBase*>(self);
  auto* r1 = reinterpret_cast<ROW_RECORD*>(record1);
  auto* r2 = reinterpret_cast<ROW_RECORD*>(record2);
  if (base == nullptr || base->m_pfnCallerCompare == nullptr) return 0;
  return base->m_pfnCallerCompare(r1 != nullptr ? r1->m_lCallerData : 0,
                                  r2 != nullptr ? r2->m_lCallerData : 0, base->m_lCallerSortData);
}

int CListBase::HeaderOrderOf(int headerItem) const {
  HWND header = HeaderHwnd();
  if (header == nullptr) return -1;
  HDITEMA item;
  item.mask = HDI_ORDER;
  if (::SendMessage(header, HDM_GETITEMA, static_cast<WPARAM>(headerItem),
                    reinterpret_cast<LPARAM>(&item)) == 0)
    return -1;
  return item.iOrder;
}

int CListBase::HeaderIndexAt(int displayPos) const {
  return static_cast<int>(
      ::SendMessage(HeaderHwnd(), HDM_ORDERTOINDEX, static_cast<WPARAM>(displayPos), 0));
}

HWND CListBase::HeaderHwnd() const {
  return reinterpret_cast<HWND>(Direct(LVM_GETHEADER));
}

LRESULT CListBase::Direct(UINT message, WPARAM wParam, LPARAM lParam) const {
  return ::CallControlProc(ListHwnd(), message, wParam, lParam);
}

LRESULT CListBase::SendToList(UINT message, WPARAM wParam, LPARAM lParam) const {
  return ::SendMessage(ListHwnd(), message, wParam, lParam);
}

LRESULT CListBase::Default(UINT message, WPARAM wParam, LPARAM lParam) const {
  if (m_pListWnd == nullptr) return 0;
  return m_pListWnd->DefWindowProc(message, wParam, lParam);
}

DWORD CListBase::ListStyle() const {
  return ::GetWindowStyle(ListHwnd());
}

int CListBase::ItemCount() const {
  return static_cast<int>(SendToList(LVM_GETITEMCOUNT));
}

ROW_RECORD* CListBase::FetchRowRecord(int item) const {
  LVITEMA it;
  it.mask = LVIF_PARAM;
  it.iItem = item;
  it.iSubItem = 0;
  if (Direct(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&it)) == 0) return nullptr;
  return reinterpret_cast<ROW_RECORD*>(it.lParam);
}

COLORREF CListBase::ListBkColor() const {
  return static_cast<COLORREF>(SendToList(LVM_GETBKCOLOR));
}

int CListBase::SortColumnControlIndex() const {
  if (m_nSortState == 0) return -1;
  int c = std::abs(m_nSortState) - 1;
  if (c >= ColumnCount() || !Column(c).m_bVisible) return -1;
  return ControlIndexFromColumn(c);
}
