#include "ListItemOps.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "TextCopy.h"

namespace {

constexpr UINT kSelectionBits = LVIS_SELECTED | LVIS_FOCUSED;
constexpr int kTextBuffer = 260;

bool EqualsNoCase(const char* a, const char* b, size_t n) {
  for (size_t i = 0; i < n; ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

}  // namespace

void ListItemOps::AssignText(ListCell& cell, LPCSTR text) {
  cell.callback = text == LPSTR_TEXTCALLBACKA;
  if (cell.callback || text == nullptr)
    cell.text.clear();
  else
    cell.text = text;
}

int ListItemOps::SortedPosition(const std::string& text) const {
  bool descending = (m_state.Style() & LVS_SORTDESCENDING) != 0;
  int lo = 0;
  int hi = m_state.items.Count();
  while (lo < hi) {
    int mid = lo + (hi - lo) / 2;
    int c = std::strcmp(text.c_str(), m_state.items.Row(mid).first.text.c_str());
    if (descending ? c > 0 : c < 0)
      hi = mid;
    else
      lo = mid + 1;
  }
  return lo;
}

LRESULT ListItemOps::Insert(const LVITEMA* in) {
  if (in == nullptr || in->iItem < 0 || (m_state.Style() & LVS_OWNERDATA)) return -1;
  ListRow row;
  if (in->mask & LVIF_TEXT) AssignText(row.first, in->pszText);
  if (in->mask & LVIF_IMAGE) row.first.image = in->iImage;
  if (in->mask & LVIF_INDENT) row.indent = in->iIndent;
  if (in->mask & LVIF_PARAM) row.lParam = in->lParam;
  UINT state = (in->mask & LVIF_STATE) ? in->state & in->stateMask : 0;
  UINT stateMask = (in->mask & LVIF_STATE) ? in->stateMask : 0;
  // Selection and focus involve other items: they are set once the item is in place.
  row.state = state & ~kSelectionBits;
  if ((m_state.exStyle & LVS_EX_CHECKBOXES) && (row.state & LVIS_STATEIMAGEMASK) == 0)
    row.state |= INDEXTOSTATEIMAGEMASK(1);
  int index = in->iItem;
  if (m_state.Style() & (LVS_SORTASCENDING | LVS_SORTDESCENDING))
    index = SortedPosition(row.first.text);
  LPARAM lParam = row.lParam;
  index = m_state.items.Insert(index, std::move(row));
  if (m_state.hotItem >= index) ++m_state.hotItem;
  m_layout.Sync();
  m_layout.InvalidateFrom(index);
  unsigned generation = m_state.items.Generation();
  m_notifier.ListView(LVN_INSERTITEM, index, 0, lParam);
  if ((state & kSelectionBits) && generation == m_state.items.Generation())
    SetState(index, state, stateMask & kSelectionBits);
  return index;
}

LRESULT ListItemOps::Set(const LVITEMA* in) {
  if (in == nullptr || !m_state.items.Has(in->iItem)) return FALSE;
  int column = in->iSubItem;
  if (column < 0 || (column > 0 && column >= m_state.ColumnCount())) return FALSE;
  ListRow& row = m_state.items.Row(in->iItem);
  if (column > 0) {
    ListCell& cell = row.CellForWrite(column);
    if (in->mask & LVIF_TEXT) AssignText(cell, in->pszText);
    if (in->mask & LVIF_IMAGE) cell.image = in->iImage;
    m_layout.InvalidateCell(in->iItem, column);
    return TRUE;
  }
  if (in->mask & LVIF_TEXT) AssignText(row.first, in->pszText);
  if (in->mask & LVIF_IMAGE) row.first.image = in->iImage;
  if (in->mask & LVIF_INDENT) row.indent = in->iIndent;
  if (in->mask & LVIF_PARAM) row.lParam = in->lParam;
  m_layout.InvalidateItem(in->iItem);
  if (in->mask & LVIF_STATE) SetState(in->iItem, in->state, in->stateMask);
  return TRUE;
}

LRESULT ListItemOps::Get(LVITEMA* io) {
  if (io == nullptr || !m_state.items.Has(io->iItem)) return FALSE;
  int column = io->iSubItem;
  if (column < 0 || (column > 0 && column >= m_state.ColumnCount())) return FALSE;
  const ListRow& row = m_state.items.Row(io->iItem);
  const ListCell* cell = row.Cell(column);
  if (io->mask & LVIF_IMAGE) io->iImage = cell != nullptr ? cell->image : 0;
  if (io->mask & LVIF_INDENT) io->iIndent = column == 0 ? row.indent : 0;
  if (io->mask & LVIF_PARAM) io->lParam = row.lParam;
  if (io->mask & LVIF_STATE) io->state = row.state & io->stateMask;
  if ((io->mask & LVIF_TEXT) && io->pszText != nullptr && io->pszText != LPSTR_TEXTCALLBACKA &&
      io->cchTextMax > 0) {
    bool fromParent = (m_state.Style() & LVS_OWNERDATA) || (cell != nullptr && cell->callback);
    const char* text = m_notifier.CellText(io->iItem, column, io->pszText, io->cchTextMax);
    // A parent that answers with a text of its own hands the reader its pointer.
    if (fromParent && text != io->pszText && text[0] != '\0')
      io->pszText = const_cast<LPSTR>(text);
    else if (text != io->pszText)
      CopyTextToBuffer(io->pszText, io->cchTextMax, text);
  }
  return TRUE;
}

LRESULT ListItemOps::SetText(int item, const LVITEMA* in) {
  if (in == nullptr || !m_state.items.Has(item)) return FALSE;
  int column = in->iSubItem;
  if (column < 0 || (column > 0 && column >= m_state.ColumnCount())) return FALSE;
  ListRow& row = m_state.items.Row(item);
  // Cells set one by one get room for every column at once, not a doubling array.
  const auto columns = static_cast<size_t>(std::max(0, m_state.ColumnCount() - 1));
  if (row.rest.capacity() < columns) row.rest.reserve(columns);
  AssignText(row.CellForWrite(column), in->pszText);
  m_layout.InvalidateCell(item, column);
  return TRUE;
}

LRESULT ListItemOps::GetText(int item, LVITEMA* io) {
  if (io == nullptr || io->pszText == nullptr || io->cchTextMax <= 0) return 0;
  io->pszText[0] = '\0';
  int column = io->iSubItem;
  if (!m_state.items.Has(item) || column < 0 || (column > 0 && column >= m_state.ColumnCount()))
    return 0;
  const char* text = m_notifier.CellText(item, column, io->pszText, io->cchTextMax);
  if (text == io->pszText) return static_cast<LRESULT>(std::strlen(io->pszText));
  return CopyTextToBuffer(io->pszText, io->cchTextMax, text);
}

LRESULT ListItemOps::Delete(int item) {
  if (!m_state.items.Has(item)) return FALSE;
  unsigned generation = m_state.items.Generation();
  m_notifier.ListView(LVN_DELETEITEM, item, 0, m_state.items.Row(item).lParam);
  // The parent changed the items while it was told: this index may name another item now.
  if (generation != m_state.items.Generation() || !m_state.items.Has(item)) return FALSE;
  m_state.items.Erase(item);
  if (m_state.hotItem == item)
    m_state.hotItem = -1;
  else if (m_state.hotItem > item)
    --m_state.hotItem;
  m_layout.Sync();
  m_layout.InvalidateFrom(item);
  return TRUE;
}

LRESULT ListItemOps::DeleteAll() {
  if (m_state.items.Count() > 0 && m_notifier.ListView(LVN_DELETEALLITEMS, -1) == 0) {
    for (int i = m_state.items.Count() - 1; i >= 0; --i) {
      if (m_state.items.Has(i))
        m_notifier.ListView(LVN_DELETEITEM, i, 0, m_state.items.Row(i).lParam);
    }
  }
  m_state.items.Clear();
  m_state.hotItem = -1;
  ::SetScrollPos(m_state.hwnd, SB_VERT, 0);
  m_layout.Sync();
  m_layout.InvalidateItems();
  return TRUE;
}

bool ListItemOps::Matches(int item, const LVFINDINFOA& info) {
  if (info.flags & LVFI_PARAM) return m_state.items.Row(item).lParam == info.lParam;
  if ((info.flags & (LVFI_STRING | LVFI_PARTIAL)) == 0 || info.psz == nullptr) return false;
  char buffer[kTextBuffer];
  const char* text = m_notifier.CellText(item, 0, buffer, kTextBuffer);
  size_t wanted = std::strlen(info.psz);
  size_t have = std::strlen(text);
  if (info.flags & LVFI_PARTIAL) return have >= wanted && EqualsNoCase(text, info.psz, wanted);
  return have == wanted && EqualsNoCase(text, info.psz, wanted);
}

LRESULT ListItemOps::Find(int start, const LVFINDINFOA* info) {
  if (info == nullptr) return -1;
  int begin = std::max(0, start + 1);
  for (int i = begin; i < m_state.items.Count(); ++i)
    if (Matches(i, *info)) return i;
  if (info->flags & LVFI_WRAP) {
    for (int i = 0; i < begin && i < m_state.items.Count(); ++i)
      if (Matches(i, *info)) return i;
  }
  return -1;
}

LRESULT ListItemOps::Sort(LPARAM data, PFNLVCOMPARE compare) {
  if (compare == nullptr || (m_state.Style() & LVS_OWNERDATA)) return FALSE;
  bool sorted = m_state.items.Sort(compare, data);
  m_state.hotItem = -1;
  m_layout.InvalidateItems();
  return sorted ? TRUE : FALSE;
}

LRESULT ListItemOps::SetCount(int count) {
  if ((m_state.Style() & LVS_OWNERDATA) == 0) return TRUE;
  m_state.items.Resize(count);
  m_state.hotItem = -1;
  m_layout.Sync();
  m_layout.InvalidateItems();
  return TRUE;
}

int ListItemOps::Next(int start, UINT flags) const {
  UINT wanted = 0;
  if (flags & LVNI_SELECTED) wanted |= LVIS_SELECTED;
  if (flags & LVNI_FOCUSED) wanted |= LVIS_FOCUSED;
  for (int i = std::max(0, start + 1); i < m_state.items.Count(); ++i)
    if ((m_state.items.Row(i).state & wanted) == wanted) return i;
  return -1;
}

int ListItemOps::SelectedCount() const {
  int n = 0;
  for (int i = 0; i < m_state.items.Count(); ++i)
    if (m_state.items.Row(i).state & LVIS_SELECTED) ++n;
  return n;
}

LRESULT ListItemOps::SetStateMessage(int item, const LVITEMA* in) {
  if (in == nullptr) return FALSE;
  if (item != -1) return SetState(item, in->state, in->stateMask) ? TRUE : FALSE;
  UINT set = in->state & in->stateMask;
  if (set & LVIS_FOCUSED) return FALSE;
  if ((set & LVIS_SELECTED) && (m_state.Style() & LVS_SINGLESEL)) return FALSE;
  bool changed = false;
  for (int i = 0; i < m_state.items.Count(); ++i) {
    ListRow& row = m_state.items.Row(i);
    UINT next = (row.state & ~in->stateMask) | set;
    if (next == row.state) continue;
    row.state = next;
    changed = true;
    m_layout.InvalidateItem(i);
  }
  if (changed) m_notifier.ListView(LVN_ITEMCHANGED, -1, 0, 0, set, 0, LVIF_STATE);
  return TRUE;
}

bool ListItemOps::SetState(int item, UINT state, UINT mask) {
  if (!m_state.items.Has(item)) return false;
  UINT turnsOn = state & mask & ~m_state.items.Row(item).state;
  if (turnsOn & LVIS_FOCUSED) {
    int focused = FocusedItem();
    if (focused >= 0 && focused != item) SetState(focused, 0, LVIS_FOCUSED);
  }
  if ((turnsOn & LVIS_SELECTED) && (m_state.Style() & LVS_SINGLESEL)) {
    for (int i = Next(-1, LVNI_SELECTED); i >= 0; i = Next(i, LVNI_SELECTED))
      if (i != item) SetState(i, 0, LVIS_SELECTED);
  }
  if (!m_state.items.Has(item)) return false;
  ListRow& row = m_state.items.Row(item);
  UINT old = row.state;
  UINT next = (old & ~mask) | (state & mask);
  if (next == old) return true;
  row.state = next;
  m_layout.InvalidateItem(item);
  m_notifier.ListView(LVN_ITEMCHANGED, item, 0, row.lParam, next, old, LVIF_STATE);
  return true;
}

int ListItemOps::FocusedItem() const {
  return Next(-1, LVNI_FOCUSED);
}

int ListItemOps::AnchorItem() const {
  for (int i = 0; i < m_state.items.Count(); ++i)
    if (m_state.items.Row(i).anchor) return i;
  return -1;
}

void ListItemOps::SetAnchor(int item) {
  int old = AnchorItem();
  if (old >= 0) m_state.items.Row(old).anchor = false;
  if (m_state.items.Has(item)) m_state.items.Row(item).anchor = true;
}

void ListItemOps::SelectOnly(int item) {
  for (int i = Next(-1, LVNI_SELECTED); i >= 0; i = Next(i, LVNI_SELECTED))
    if (i != item) SetState(i, 0, LVIS_SELECTED);
  SetState(item, LVIS_SELECTED, LVIS_SELECTED);
}

void ListItemOps::SelectRange(int from, int to, bool keepOthers) {
  int lo = std::min(from, to);
  int hi = std::max(from, to);
  for (int i = 0; i < m_state.items.Count(); ++i) {
    if (i >= lo && i <= hi)
      SetState(i, LVIS_SELECTED, LVIS_SELECTED);
    else if (!keepOthers)
      SetState(i, 0, LVIS_SELECTED);
  }
}

void ListItemOps::DeselectAll() {
  for (int i = Next(-1, LVNI_SELECTED); i >= 0; i = Next(i, LVNI_SELECTED))
    SetState(i, 0, LVIS_SELECTED);
}

void ListItemOps::ToggleCheck(int item) {
  if (!m_state.items.Has(item)) return;
  UINT image = (m_state.items.Row(item).state & LVIS_STATEIMAGEMASK) >> 12;
  SetState(item, INDEXTOSTATEIMAGEMASK(image == 2 ? 1 : 2), LVIS_STATEIMAGEMASK);
}

void ListItemOps::ApplyCheckBoxes() {
  for (int i = 0; i < m_state.items.Count(); ++i) {
    ListRow& row = m_state.items.Row(i);
    if ((row.state & LVIS_STATEIMAGEMASK) == 0) row.state |= INDEXTOSTATEIMAGEMASK(1);
  }
}

void ListItemOps::SetHotItem(int item) {
  if (item == m_state.hotItem) return;
  int old = m_state.hotItem;
  m_state.hotItem = item;
  m_layout.InvalidateItem(old);
  m_layout.InvalidateItem(item);
}
