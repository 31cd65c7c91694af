// The items of a list-view control: per item its state, data, indent and one cell per control
// column (text or the callback marker, image). Cells are indexed by control column index, so
// inserting or deleting a column shifts every item's cells.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "platform/win/win.h"

struct ListCell {
  std::string text;
  bool callback = false;  // the text is asked of the parent (LVN_GETDISPINFOA)
  int image = 0;
};

struct ListRow {
  ListCell first;              // column 0, the item's label
  std::vector<ListCell> rest;  // columns 1.., made when first set
  UINT state = 0;              // LVIS_* bits
  LPARAM lParam = 0;
  int indent = 0;
  bool anchor = false;  // where a Shift selection range starts

  // Null when the cell was never made (it reads as an empty text).
  const ListCell* Cell(int column) const;
  ListCell& CellForWrite(int column);
};

// Rows live in blocks of at most kBlockMax pointers, so inserting or erasing in the middle of
// a long list moves one block's pointers and renumbers the blocks, not every row; finding a
// row by index is a binary search over the blocks.
class ListItemStore final {
 public:
  ListItemStore() = default;
  ListItemStore(const ListItemStore&) = delete;
  ListItemStore& operator=(const ListItemStore&) = delete;

  int Count() const { return m_count; }
  bool Has(int item) const { return item >= 0 && item < Count(); }
  ListRow& Row(int item) { return *Locate(item); }
  const ListRow& Row(int item) const { return *Locate(item); }

  // Inserts before index (clamped to the end); returns the index taken.
  int Insert(int index, ListRow row);
  void Erase(int item);
  void Clear();
  void Resize(int count);

  void InsertColumn(int column);
  void DeleteColumn(int column);

  // Stable merge sort of the items by the caller's comparison of their data. When every item
  // but the last is already in order, the last is placed by binary search (the same result
  // for a consistent comparison). An inconsistent comparison still yields every item once.
  // False, with the items untouched, when the comparison changed the store while it ran.
  bool Sort(PFNLVCOMPARE compare, LPARAM data);

  // Changes whenever items are inserted or removed; lets callers notice re-entrant changes.
  unsigned Generation() const { return m_generation; }

 private:
  static constexpr std::size_t kBlockMax = 512;
  using Block = std::vector<std::unique_ptr<ListRow>>;

  // The block holding item (which must exist).
  std::size_t BlockOf(int item) const;
  ListRow* Locate(int item) const;
  // Start indexes of the blocks from block on, after a block's size changed.
  void RenumberFrom(std::size_t block);
  // Every row, in order, taken out of the blocks.
  std::vector<std::unique_ptr<ListRow>> TakeAll();
  // Blocks made anew from rows in order, each half full so inserts have room.
  void Rebuild(std::vector<std::unique_ptr<ListRow>> rows);

  std::vector<Block> m_blocks;
  std::vector<int> m_blockStart;  // index of each block's first row
  int m_count = 0;
  unsigned m_generation = 0;
};
