// The items of a header control and their display order. Items are numbered by index (the
// order of insertion, as list columns are); the display order is a permutation of the indexes.
#pragma once

#include <string>
#include <vector>

#include "platform/win/win.h"

struct HeaderItem {
  std::string text;
  int width = 0;
  int fmt = HDF_LEFT | HDF_STRING;
  int image = 0;
  LPARAM lParam = 0;
  void* bitmap = nullptr;
};

class HeaderItems final {
 public:
  int Count() const { return static_cast<int>(m_items.size()); }
  bool Has(int index) const { return index >= 0 && index < Count(); }
  // Only valid for Has(index).
  HeaderItem& Item(int index) { return m_items[static_cast<size_t>(index)]; }
  const HeaderItem& Item(int index) const { return m_items[static_cast<size_t>(index)]; }

  // Inserts before index (clamped to 0..Count) at display position order (clamped; a negative
  // order puts it at the position equal to its index). Returns the index taken.
  int Insert(int index, HeaderItem item, int order);
  bool Erase(int index);

  // Display position of an item, -1 for none.
  int OrderOf(int index) const;
  // Item shown at a display position, -1 for none.
  int IndexAt(int order) const;
  // Moves an item to a display position (clamped); the others keep their relative order.
  void Move(int index, int order);
  const std::vector<int>& Order() const { return m_order; }
  // Only a permutation of all indexes is taken; false (nothing changes) otherwise.
  bool SetOrder(const int* order, int count);

  // Left edge of an item in header coordinates (the widths of the items shown before it).
  int Left(int index) const;
  int TotalWidth() const;

 private:
  std::vector<HeaderItem> m_items;
  std::vector<int> m_order;  // display position -> index
};
