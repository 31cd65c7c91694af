// CListBase saved column layout: visibility, widths, display order and sort state from one
// block of bytes (8 + 9 per column, little-endian).
#include <cstdlib>
#include <cstring>
#include <vector>

#include "listctrl/CListBase.h"

namespace {

std::int32_t ReadInt32(const BYTE* p) {
  const std::uint32_t v =
      static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
      (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
  std::int32_t out;
  std::memcpy(&out, &v, sizeof out);
  return out;
}

std::uint16_t ReadUInt16(const BYTE* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

}  // namespace

bool CListBase::ApplySavedLayout(const BYTE* block, size_t size) {
  const int n = ColumnCount();
  if (n == 0) return true;
  if (block == nullptr || size != 8 + 9 * static_cast<size_t>(n) || ReadInt32(block) != n)
    return true;
  const std::int32_t sortState = ReadInt32(block + 4);
  // Compared as 64-bit so that the most negative value cannot overflow.
  if (std::llabs(static_cast<long long>(sortState)) > n) return false;
  SetSortState(sortState);

  // Orders are taken only as a whole: a block whose orders are out of range or repeat would
  // leave logical orders that no longer match the control's display order.
  auto orderOf = [&](int i) { return ReadInt32(block + 8 + 9 * static_cast<size_t>(i) + 5); };
  int firstBad = n;
  bool permutation = true;
  std::vector<bool> orderSeen(static_cast<size_t>(n), false);
  for (int i = 0; i < n && firstBad == n; ++i) {
    const std::int32_t order = orderOf(i);
    if (order < 0 || order >= n) {
      firstBad = i;
      permutation = false;
    } else if (orderSeen[static_cast<size_t>(order)]) {
      permutation = false;
    } else {
      orderSeen[static_cast<size_t>(order)] = true;
    }
  }
  for (int i = 0; i < n; ++i) {
    const BYTE* record = block + 8 + 9 * static_cast<size_t>(i);
    const bool visible = record[0] != 0;
    if (visible != Column(i).m_bVisible) SetColumnVisible(i, visible);
    SendToList(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(i),
               static_cast<LPARAM>(ReadUInt16(record + 1)));
    if (i == firstBad) return false;
  }
  if (!permutation) return false;
  for (int i = 0; i < n; ++i) Column(i).m_nLogicalOrder = orderOf(i);
  std::vector<int> columnsInOrder(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) columnsInOrder[static_cast<size_t>(Column(i).m_nLogicalOrder)] = i;
  SendToList(LVM_SETCOLUMNORDERARRAY, static_cast<WPARAM>(n),
             reinterpret_cast<LPARAM>(columnsInOrder.data()));
  return true;
}
