// Applying a saved column layout block: exact blocks built byte by byte.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

#include "listctrl_fixture.h"

namespace {

struct Record {
  BYTE visible;
  std::uint16_t width;
  std::int32_t order;
};

void PutInt32(std::vector<BYTE>& out, std::int32_t v) {
  const auto u = static_cast<std::uint32_t>(v);
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<BYTE>(u >> (8 * i)));
}

std::vector<BYTE> Block(std::int32_t count, std::int32_t sort, const std::vector<Record>& records) {
  std::vector<BYTE> out;
  PutInt32(out, count);
  PutInt32(out, sort);
  for (const Record& r : records) {
    out.push_back(r.visible);
    out.push_back(static_cast<BYTE>(r.width & 0xFF));
    out.push_back(static_cast<BYTE>(r.width >> 8));
    out.push_back(0xA5);  // reserved: anything
    out.push_back(0x5A);
    PutInt32(out, r.order);
  }
  return out;
}

std::vector<Record> AllVisible() {
  std::vector<Record> r;
  for (int i = 0; i < 6; ++i) r.push_back({1, static_cast<std::uint16_t>(100 + i), i});
  return r;
}

// The device list's set-up: six columns, all but the first hideable, sort state +2.
class SavedLayout : public ::testing::Test {
 protected:
  SavedLayout() {
    for (int c = 0; c < 6; ++c) f.InsertColumn(c, "C" + std::to_string(c), 50, c != 0);
    f.List().m_nSortState = 2;
  }
  int KeptWidth(int c) {
    LVCOLUMNA col;
    col.mask = LVCF_WIDTH;
    f.Send(LVM_GETCOLUMNA, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&col));
    return col.cx;
  }
  bool Apply(const std::vector<BYTE>& block) {
    return f.List().ApplySavedLayout(block.data(), block.size());
  }
  void ExpectUntouched() {
    EXPECT_EQ(f.List().m_nSortState, 2);
    for (int c = 0; c < 6; ++c) {
      EXPECT_EQ(KeptWidth(c), 50);
      EXPECT_TRUE(f.List().Column(c).m_bVisible);
    }
    EXPECT_EQ(f.OrderArray(), (std::vector<int>{0, 1, 2, 3, 4, 5}));
  }
  ListFixture f;
};

TEST_F(SavedLayout, BlockForAnotherColumnSetIsIgnored) {
  std::vector<BYTE> good = Block(6, -2, AllVisible());
  ASSERT_EQ(good.size(), 62u);
  std::vector<BYTE> shorter(good.begin(), good.end() - 1);
  std::vector<BYTE> longer = good;
  longer.push_back(0);
  const std::vector<std::vector<BYTE>> blocks = {shorter, longer, Block(5, -2, AllVisible()), {}};
  for (const auto& block : blocks) {
    EXPECT_TRUE(Apply(block)) << block.size();
    ExpectUntouched();
  }
  EXPECT_TRUE(f.List().ApplySavedLayout(nullptr, 62));
  ExpectUntouched();
}

TEST_F(SavedLayout, SortStateOutOfRangeChangesNothing) {
  for (std::int32_t sort : {7, -7, INT_MIN, INT_MAX}) {
    EXPECT_FALSE(Apply(Block(6, sort, AllVisible()))) << sort;
    ExpectUntouched();
  }
}

TEST_F(SavedLayout, AppliesWidthsSortStateAndOrder) {
  EXPECT_TRUE(Apply(Block(6, -2, AllVisible())));
  EXPECT_EQ(f.List().m_nSortState, -2);
  for (int c = 0; c < 6; ++c)
    EXPECT_EQ(f.Send(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(c)), 100 + c);
  EXPECT_EQ(f.OrderArray(), (std::vector<int>{0, 1, 2, 3, 4, 5}));
}

TEST_F(SavedLayout, ReverseOrdersHiddenColumnsAndWideWidth) {
  std::vector<Record> r = AllVisible();
  for (int i = 0; i < 6; ++i) r[static_cast<size_t>(i)].order = 5 - i;
  r[0].visible = 0;  // the first column may not be hidden
  r[0].width = 0x0140;
  r[2].visible = 0;
  EXPECT_TRUE(Apply(Block(6, 3, r)));
  EXPECT_TRUE(f.List().Column(0).m_bVisible);
  EXPECT_EQ(f.Send(LVM_GETCOLUMNWIDTH, 0), 320);
  EXPECT_FALSE(f.List().Column(2).m_bVisible);
  EXPECT_EQ(KeptWidth(2), 102);
  EXPECT_EQ(f.OrderArray(), (std::vector<int>{5, 4, 3, 2, 1, 0}));
  // Control columns 0,1,3,4,5 -> indexes 0..4, shown in reverse.
  EXPECT_EQ(f.ControlOrderArray(), (std::vector<int>{4, 3, 2, 1, 0}));
  EXPECT_EQ(f.List().m_nSortState, 3);
}

TEST_F(SavedLayout, OrderOutOfRangeStopsAfterThatRecordsWidth) {
  std::vector<Record> r = AllVisible();
  for (int i = 0; i < 6; ++i) r[static_cast<size_t>(i)].order = 5 - i;
  r[3].order = 6;
  r[3].visible = 0;
  EXPECT_FALSE(Apply(Block(6, 1, r)));
  EXPECT_EQ(f.List().m_nSortState, 1);
  EXPECT_EQ(f.Send(LVM_GETCOLUMNWIDTH, 2), 102);
  EXPECT_FALSE(f.List().Column(3).m_bVisible);
  EXPECT_EQ(KeptWidth(3), 103);
  EXPECT_EQ(KeptWidth(4), 50);  // records after the bad one are not applied
  // No order is taken from a bad block: logical and display orders stay in step.
  EXPECT_EQ(f.OrderArray(), (std::vector<int>{0, 1, 2, 3, 4, 5}));
  EXPECT_EQ(f.ControlOrderArray(), (std::vector<int>{0, 1, 2, 3, 4}));
}

TEST_F(SavedLayout, RepeatedOrdersApplyVisibilityAndWidthsButNoOrder) {
  std::vector<Record> r = AllVisible();
  r[4].order = 1;
  r[5].visible = 0;
  EXPECT_FALSE(Apply(Block(6, -6, r)));
  EXPECT_EQ(f.List().m_nSortState, -6);
  EXPECT_FALSE(f.List().Column(5).m_bVisible);
  EXPECT_EQ(f.Send(LVM_GETCOLUMNWIDTH, 4), 104);
  EXPECT_EQ(f.OrderArray(), (std::vector<int>{0, 1, 2, 3, 4, 5}));
}

TEST(SavedLayoutEmpty, ListWithoutColumnsIgnoresEveryBlock) {
  ListFixture f;
  std::vector<BYTE> block = {0, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_TRUE(f.List().ApplySavedLayout(block.data(), block.size()));
}

}  // namespace
