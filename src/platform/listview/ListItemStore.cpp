#include "ListItemStore.h"

#include <algorithm>

const ListCell* ListRow::Cell(int column) const {
  if (column == 0) return &first;
  if (column < 1 || column > static_cast<int>(rest.size())) return nullptr;
  return &rest[static_cast<size_t>(column - 1)];
}

ListCell& ListRow::CellForWrite(int column) {
  if (column <= 0) return first;
  if (column > static_cast<int>(rest.size())) rest.resize(static_cast<size_t>(column));
  return rest[static_cast<size_t>(column - 1)];
}

int ListItemStore::Insert(int index, ListRow row) {
  index = std::clamp(index, 0, Count());
  m_rows.insert(m_rows.begin() + index, std::move(row));
  ++m_generation;
  return index;
}

void ListItemStore::Erase(int item) {
  if (!Has(item)) return;
  m_rows.erase(m_rows.begin() + item);
  ++m_generation;
}

void ListItemStore::Clear() {
  m_rows.clear();
  ++m_generation;
}

void ListItemStore::Resize(int count) {
  ListRow blank;
  blank.first.callback = true;
  m_rows.resize(static_cast<size_t>(std::max(0, count)), blank);
  ++m_generation;
}

void ListItemStore::InsertColumn(int column) {
  for (ListRow& row : m_rows) {
    if (column == 0) {
      row.rest.insert(row.rest.begin(), std::move(row.first));
      row.first = ListCell();
    } else if (column <= static_cast<int>(row.rest.size())) {
      row.rest.insert(row.rest.begin() + (column - 1), ListCell());
    }
  }
}

void ListItemStore::DeleteColumn(int column) {
  for (ListRow& row : m_rows) {
    if (column == 0) {
      if (row.rest.empty()) {
        row.first = ListCell();
      } else {
        row.first = std::move(row.rest.front());
        row.rest.erase(row.rest.begin());
      }
    } else if (column <= static_cast<int>(row.rest.size())) {
      row.rest.erase(row.rest.begin() + (column - 1));
    }
  }
}

namespace {

struct SortKey {
  LPARAM data;
  int index;
};

class KeySorter {
 public:
  KeySorter(PFNLVCOMPARE compare, LPARAM data) : m_compare(compare), m_data(data) {}

  void Sort(std::vector<SortKey>& keys) {
    size_t n = keys.size();
    if (n < 2) return;
    if (PrefixInOrder(keys)) {
      InsertLast(keys);
      return;
    }
    // Bottom-up merge sort; the right element goes first only when it is strictly smaller.
    std::vector<SortKey> buffer(n);
    for (size_t width = 1; width < n; width *= 2) {
      for (size_t lo = 0; lo < n; lo += 2 * width) {
        size_t mid = std::min(lo + width, n);
        size_t hi = std::min(lo + 2 * width, n);
        size_t i = lo;
        size_t j = mid;
        size_t k = lo;
        while (i < mid && j < hi) buffer[k++] = Greater(keys[i], keys[j]) ? keys[j++] : keys[i++];
        while (i < mid) buffer[k++] = keys[i++];
        while (j < hi) buffer[k++] = keys[j++];
      }
      keys.swap(buffer);
    }
  }

 private:
  bool Greater(const SortKey& a, const SortKey& b) const {
    return m_compare(a.data, b.data, m_data) > 0;
  }

  bool PrefixInOrder(const std::vector<SortKey>& keys) const {
    for (size_t i = 0; i + 2 < keys.size(); ++i)
      if (Greater(keys[i], keys[i + 1])) return false;
    return true;
  }

  // The last item goes before the first item greater than it, as the merge would put it.
  void InsertLast(std::vector<SortKey>& keys) const {
    size_t last = keys.size() - 1;
    size_t lo = 0;
    size_t hi = last;
    while (lo < hi) {
      size_t mid = lo + (hi - lo) / 2;
      if (Greater(keys[mid], keys[last]))
        hi = mid;
      else
        lo = mid + 1;
    }
    std::rotate(keys.begin() + static_cast<std::ptrdiff_t>(lo),
                keys.begin() + static_cast<std::ptrdiff_t>(last), keys.end());
  }

  PFNLVCOMPARE m_compare;
  LPARAM m_data;
};

}  // namespace

bool ListItemStore::Sort(PFNLVCOMPARE compare, LPARAM data) {
  if (compare == nullptr) return false;
  std::vector<SortKey> keys(m_rows.size());
  for (size_t i = 0; i < m_rows.size(); ++i)
    keys[i] = SortKey{m_rows[i].lParam, static_cast<int>(i)};
  unsigned generation = m_generation;
  // The comparison may call back into the list; the items stay where they are until it ends.
  KeySorter(compare, data).Sort(keys);
  if (generation != m_generation || keys.size() != m_rows.size()) return false;
  std::vector<ListRow> sorted;
  sorted.reserve(m_rows.size());
  for (const SortKey& key : keys)
    sorted.push_back(std::move(m_rows[static_cast<size_t>(key.index)]));
  m_rows.swap(sorted);
  return true;
}
