// Found by fuzzing the saved layout block: a width field holds 16 bits, and the list-view
// reads a column width as a signed 16-bit value. A saved width of 0xFFFF or 0xFFFE therefore
// sizes the column to fit; any other width with the top bit set is a negative width that the
// control refuses, so the column keeps the width it had. No column ever ends up with a
// negative width, visible or hidden.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "listctrl_fixture.h"

namespace {

struct Saved {
  BYTE visible;
  std::uint16_t width;
};

// Count, sort state 0, then per column: visible, width, two reserved bytes, order.
std::vector<BYTE> Block(const std::vector<Saved>& columns) {
  std::vector<BYTE> out = {static_cast<BYTE>(columns.size()), 0, 0, 0, 0, 0, 0, 0};
  BYTE order = 0;
  for (const Saved& c : columns)
    out.insert(out.end(), {c.visible, static_cast<BYTE>(c.width & 0xFF),
                           static_cast<BYTE>(c.width >> 8), 0, 0, order++, 0, 0, 0});
  return out;
}

int ColumnWidth(ListFixture& f, int column) {
  LVCOLUMNA col;
  col.mask = LVCF_WIDTH;
  f.Send(LVM_GETCOLUMNA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&col));
  return col.cx;
}

struct WidthCase {
  const char* name;
  std::uint16_t saved;
  bool sizedToFit;  // else: the column keeps its width of 77
};

const WidthCase kWidths[] = {
    {"LargestPositive", 0x7FFF, false}, {"TopBitOnly", 0x8000, false},
    {"MinusThree", 0xFFFD, false},      {"SizeToFitUsingHeader", 0xFFFE, true},
    {"SizeToFit", 0xFFFF, true},
};

TEST(RegressionLayoutWidth, WidthsWithTheTopBitSetSizeToFitOrAreRefused) {
  for (const WidthCase& c : kWidths) {
    SCOPED_TRACE(c.name);
    ListFixture f;
    f.InsertColumn(0, "Device Name", 77, false);
    f.InsertItem(0, 1, "a fairly long device name to size the column by");
    const std::vector<BYTE> block = Block({{1, c.saved}});
    EXPECT_TRUE(f.List().ApplySavedLayout(block.data(), block.size()));
    const int width = ColumnWidth(f, 0);
    EXPECT_GE(width, 0);
    if (c.saved == 0x7FFF)
      EXPECT_EQ(width, 0x7FFF);
    else if (c.sizedToFit)
      EXPECT_NE(width, 77);
    else
      EXPECT_EQ(width, 77);
  }
}

TEST(RegressionLayoutWidth, HiddenColumnWithARefusedWidthShowsAgainWithANonNegativeWidth) {
  ListFixture f;
  f.InsertColumn(0, "Device Name", 90, false);
  f.InsertColumn(1, "Gateway", 77, true);
  const std::vector<BYTE> block = Block({{1, 90}, {0, 0x8000}});
  EXPECT_TRUE(f.List().ApplySavedLayout(block.data(), block.size()));
  EXPECT_FALSE(f.List().Column(1).m_bVisible);
  EXPECT_GE(ColumnWidth(f, 1), 0);
  f.Send(WM_COMMAND, 1, 0);  // the user shows it again
  ASSERT_TRUE(f.List().Column(1).m_bVisible);
  EXPECT_GE(ColumnWidth(f, 1), 0);
  EXPECT_GE(f.Send(LVM_GETCOLUMNWIDTH, 1), 0);
}

}  // namespace
