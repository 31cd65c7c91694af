// Any bytes as the saved layout block, applied to a list of 0 to 8 columns (some of them
// fixed, some hidden), checked against the reference model with the block applied to it.
//
// Input: byte 0 the column count (mod 9) and, in bit 4, whether the block is taken as it
// is; otherwise it is fitted to the list (its size and column count made right) so that the
// records themselves get explored. Byte 1: which columns may be hidden; byte 2: which of
// those start hidden. The rest: the block.
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "ListOpsRun.h"

namespace {

std::int32_t Int32At(const std::vector<BYTE>& b, std::size_t at) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(b[at]) |
                                   (static_cast<std::uint32_t>(b[at + 1]) << 8) |
                                   (static_cast<std::uint32_t>(b[at + 2]) << 16) |
                                   (static_cast<std::uint32_t>(b[at + 3]) << 24));
}

// What a block does to the model: a block of another column set changes nothing; a sort
// state out of range refuses the block; records apply in order up to the first order out of
// range; the orders apply only as a whole permutation. A width with its top bit set reads as
// a negative 16-bit width, which the control takes as a size-to-fit request: those columns
// are listed in sizedToFit, their width is the control's to choose.
bool ApplyToModel(ListModel& m, const std::vector<BYTE>& b, std::vector<int>& sizedToFit) {
  const int n = m.ColumnCount();
  if (n == 0 || b.size() != 8 + 9 * static_cast<std::size_t>(n) || Int32At(b, 0) != n) return true;
  const long long sort = Int32At(b, 4);
  if (sort < -n || sort > n) return false;
  m.sortState = static_cast<int>(sort);
  std::vector<int> columnsInOrder(static_cast<std::size_t>(n), -1);
  bool permutation = true;
  for (int i = 0; i < n; ++i) {
    const std::size_t r = 8 + 9 * static_cast<std::size_t>(i);
    m.SetVisible(i, b[r] != 0);
    const int width = b[r + 1] | (b[r + 2] << 8);
    m.columns[static_cast<std::size_t>(i)].width = width;
    if (width >= 0x8000) sizedToFit.push_back(i);
    const std::int32_t order = Int32At(b, r + 5);
    if (order < 0 || order >= n) return false;
    int& slot = columnsInOrder[static_cast<std::size_t>(order)];
    if (slot >= 0) permutation = false;
    slot = i;
  }
  if (!permutation) return false;
  m.SetOrderArray(columnsInOrder);
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 3 || size > 4096) return -1;
  const int n = data[0] % 9;
  const bool asGiven = (data[0] & 0x10) != 0;
  ListOpsRun run;
  for (int c = 0; c < n; ++c) {
    const bool canHide = (data[1] >> c) & 1;
    // Insert at the end, logical order = column number; b % 4 == 1 makes a fixed column.
    run.Apply(ListOpsRun::Op{0, static_cast<std::uint8_t>(c),
                             static_cast<std::uint8_t>(canHide ? 2 : 1), 60});
  }
  for (int c = 0; c < n; ++c)
    if (((data[1] & data[2]) >> c) & 1)
      run.Apply(ListOpsRun::Op{2, static_cast<std::uint8_t>(c), 0, 0});

  std::vector<BYTE> block(data + 3, data + size);
  if (!asGiven) {
    block.resize(8 + 9 * static_cast<std::size_t>(n));
    block[0] = static_cast<BYTE>(n), block[1] = block[2] = block[3] = 0;
  }
  std::string problem = run.Check();
  if (problem.empty()) {
    const bool applied = run.Fixture().List().ApplySavedLayout(block.data(), block.size());
    std::vector<int> sizedToFit;
    const bool expected = ApplyToModel(run.Model(), block, sizedToFit);
    if (applied != expected) problem = applied ? "block taken" : "block refused";
    for (int c : sizedToFit) {
      LVCOLUMNA col;
      col.mask = LVCF_WIDTH;
      run.Fixture().Send(LVM_GETCOLUMNA, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&col));
      if (col.cx < 0) problem += "column " + std::to_string(c) + " has a negative width; ";
      run.Model().columns[static_cast<std::size_t>(c)].width = col.cx;
    }
    problem += run.Check();
  }
  if (!problem.empty()) {
    std::fprintf(stderr, "saved layout on %d columns: %s\n", n, problem.c_str());
    std::abort();
  }
  return 0;
}
