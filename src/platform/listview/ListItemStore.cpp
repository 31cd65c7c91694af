#include "ListItemStore.h"

#include <algorithm>
#include <iterator>

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

std::size_t ListItemStore::BlockOf(int item) const {
  // The last block whose first row is at or before item.
  auto it = std::upper_bound(m_blockStart.begin(), m_blockStart.end(), item);
  return static_cast<std::size_t>(it - m_blockStart.begin()) - 1;
}

ListRow* ListItemStore::Locate(int item) const {
  const std::size_t b = BlockOf(item);
  return m_blocks[b][static_cast<std::size_t>(item - m_blockStart[b])].get();
}

void ListItemStore::RenumberFrom(std::size_t block) {
  for (std::size_t b = block; b < m_blocks.size(); ++b)
    m_blockStart[b] = b == 0 ? 0 : m_blockStart[b - 1] + static_cast<int>(m_blocks[b - 1].size());
}

std::vector<std::unique_ptr<ListRow>> ListItemStore::TakeAll() {
  std::vector<std::unique_ptr<ListRow>> rows;
  rows.reserve(static_cast<std::size_t>(m_count));
  for (Block& block : m_blocks)
    for (auto& row : block) rows.push_back(std::move(row));
  m_blocks.clear();
  m_blockStart.clear();
  m_count = 0;
  return rows;
}

void ListItemStore::Rebuild(std::vector<std::unique_ptr<ListRow>> rows) {
  m_blocks.clear();
  m_blockStart.clear();
  const std::size_t fill = kBlockMax / 2;
  for (std::size_t first = 0; first < rows.size(); first += fill) {
    const std::size_t last = std::min(rows.size(), first + fill);
    m_blockStart.push_back(static_cast<int>(first));
    Block block;
    block.reserve(kBlockMax + 1);
    for (std::size_t i = first; i < last; ++i) block.push_back(std::move(rows[i]));
    m_blocks.push_back(std::move(block));
  }
  m_count = static_cast<int>(rows.size());
}

int ListItemStore::Insert(int index, ListRow row) {
  index = std::clamp(index, 0, Count());
  auto owned = std::make_unique<ListRow>(std::move(row));
  if (m_blocks.empty()) {
    m_blocks.emplace_back();
    m_blocks.back().reserve(kBlockMax + 1);
    m_blockStart.push_back(0);
  }
  // An index at the end goes to the last block.
  const std::size_t b = index == m_count ? m_blocks.size() - 1 : BlockOf(index);
  Block& block = m_blocks[b];
  block.insert(block.begin() + (index - m_blockStart[b]), std::move(owned));
  ++m_count;
  if (block.size() > kBlockMax) {
    // A full block gives its upper half to a new block after it.
    Block upper;
    upper.reserve(kBlockMax + 1);
    const auto half = static_cast<std::ptrdiff_t>(block.size() / 2);
    std::move(block.begin() + half, block.end(), std::back_inserter(upper));
    block.erase(block.begin() + half, block.end());
    m_blocks.insert(m_blocks.begin() + static_cast<std::ptrdiff_t>(b) + 1, std::move(upper));
    m_blockStart.insert(m_blockStart.begin() + static_cast<std::ptrdiff_t>(b) + 1, 0);
  }
  RenumberFrom(b + 1);
  ++m_generation;
  return index;
}

void ListItemStore::Erase(int item) {
  if (!Has(item)) return;
  const std::size_t b = BlockOf(item);
  Block& block = m_blocks[b];
  block.erase(block.begin() + (item - m_blockStart[b]));
  --m_count;
  if (block.empty()) {
    m_blocks.erase(m_blocks.begin() + static_cast<std::ptrdiff_t>(b));
    m_blockStart.erase(m_blockStart.begin() + static_cast<std::ptrdiff_t>(b));
  }
  RenumberFrom(b);
  ++m_generation;
}

void ListItemStore::Clear() {
  m_blocks.clear();
  m_blockStart.clear();
  m_count = 0;
  ++m_generation;
}

void ListItemStore::Resize(int count) {
  std::vector<std::unique_ptr<ListRow>> rows = TakeAll();
  const auto wanted = static_cast<std::size_t>(std::max(0, count));
  if (rows.size() > wanted) rows.resize(wanted);
  while (rows.size() < wanted) {
    auto blank = std::make_unique<ListRow>();
    blank->first.callback = true;
    rows.push_back(std::move(blank));
  }
  Rebuild(std::move(rows));
  ++m_generation;
}

void ListItemStore::InsertColumn(int column) {
  for (Block& block : m_blocks) {
    for (auto& owned : block) {
      ListRow& row = *owned;
      if (column == 0) {
        row.rest.insert(row.rest.begin(), std::move(row.first));
        row.first = ListCell();
      } else if (column <= static_cast<int>(row.rest.size())) {
        row.rest.insert(row.rest.begin() + (column - 1), ListCell());
      }
    }
  }
}

void ListItemStore::DeleteColumn(int column) {
  for (Block& block : m_blocks) {
    for (auto& owned : block) {
      ListRow& row = *owned;
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
  std::vector<SortKey> keys;
  keys.reserve(static_cast<std::size_t>(m_count));
  for (const Block& block : m_blocks)
    for (const auto& row : block)
      keys.push_back(SortKey{row->lParam, static_cast<int>(keys.size())});
  unsigned generation = m_generation;
  // The comparison may call back into the list; the items stay where they are until it ends.
  KeySorter(compare, data).Sort(keys);
  if (generation != m_generation || static_cast<int>(keys.size()) != m_count) return false;
  std::vector<std::unique_ptr<ListRow>> rows = TakeAll();
  std::vector<std::unique_ptr<ListRow>> sorted;
  sorted.reserve(rows.size());
  for (const SortKey& key : keys)
    sorted.push_back(std::move(rows[static_cast<std::size_t>(key.index)]));
  Rebuild(std::move(sorted));
  return true;
}
