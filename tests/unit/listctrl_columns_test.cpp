// Hidden columns and column operations: translations, show/hide, widths, order arrays, header
// drags and the sort state following inserted and deleted columns.
#include <gtest/gtest.h>

#include "listctrl_fixture.h"
#include "platform/afx/InvalidArgException.h"

namespace {

// A bare extension whose column records are set up by hand (no window).
struct Columns {
  CListBase base;
  // visible: one flag per column number; orders: logical order per column number.
  Columns(const std::vector<bool>& visible, const std::vector<int>& orders) {
    for (size_t c = 0; c < visible.size(); ++c) {
      auto data = std::make_unique<COLUMN_DATA>();
      data->m_bVisible = visible[c];
      data->m_nLogicalOrder = orders[c];
      data->m_pSavedColumn = CListBase::CopyColumnDescription(LVCOLUMNA{});
      base.m_columns.push_back(std::move(data));
    }
  }
};

TEST(ListColumnTranslations, TableOfHiddenColumnLayouts) {
  struct Case {
    const char* name;
    std::vector<bool> visible;
    std::vector<int> orders;
    int controlIndex, expectColumn;  // ColumnFromControlIndex
    int column, expectControlIndex;  // ControlIndexFromColumn
    int displayPos, expectLogical;   // LogicalOrderFromControl
    int logical, expectDisplay;      // ControlOrderFromLogical
  };
  const Case cases[] = {
      {"columns 0 and 1 hidden", {false, false, true}, {0, 1, 2}, 0, 2, 2, 0, 0, 2, 2, 0},
      {"all hidden", {false, false, false}, {0, 1, 2}, 0, -1, 2, 0, 0, -1, 3, 0},
      {"hidden column first in order", {true, true, false}, {1, 2, 0}, 1, 1, 1, 1, 0, 1, 3, 2},
      {"one hidden of three orders",
       {true, false, true, true},
       {0, 1, 2, 3},
       2,
       3,
       3,
       2,
       1,
       2,
       3,
       2},
      {"negative position", {true, true}, {0, 1}, 1, 1, 0, 0, -1, -1, 0, 0},
      {"position past the visible", {true, false}, {0, 1}, 1, -1, 1, 1, 1, -1, 2, 1},
  };
  for (const Case& k : cases) {
    Columns cols(k.visible, k.orders);
    EXPECT_EQ(cols.base.ColumnFromControlIndex(k.controlIndex), k.expectColumn) << k.name;
    EXPECT_EQ(cols.base.ControlIndexFromColumn(k.column), k.expectControlIndex) << k.name;
    EXPECT_EQ(cols.base.LogicalOrderFromControl(k.displayPos), k.expectLogical) << k.name;
    EXPECT_EQ(cols.base.ControlOrderFromLogical(k.logical), k.expectDisplay) << k.name;
  }
}

TEST(ListColumnTranslations, ColumnNumberOutsideTheArrayRaisesInvalidArgument) {
  Columns cols({true, true}, {0, 1});
  EXPECT_THROW(cols.base.SetColumnVisible(2, false), CInvalidArgException);
  EXPECT_THROW(cols.base.SetColumnVisible(-1, true), CInvalidArgException);
  EXPECT_THROW(cols.base.ControlIndexFromColumn(3), CInvalidArgException);
}

class ListColumns : public ::testing::Test {
 protected:
  void MakeColumns(int n) {
    for (int c = 0; c < n; ++c) f.InsertColumn(c, "C" + std::to_string(c), 50 + 10 * c);
  }
  void MakeItems(int count, int columns) {
    for (int i = 0; i < count; ++i) {
      f.InsertItem(i, 100 + i, "r" + std::to_string(i) + "c0");
      for (int c = 1; c < columns; ++c)
        f.SetText(i, c, "r" + std::to_string(i) + "c" + std::to_string(c));
    }
  }
  ListFixture f;
};

TEST_F(ListColumns, HiddenColumnComesBackWithWidthPositionAndCells) {
  MakeColumns(5);
  MakeItems(3, 5);
  f.Send(WM_COMMAND, 2, 0);
  EXPECT_FALSE(f.List().Column(2).m_bVisible);
  EXPECT_EQ(f.HeaderCount(), 4);
  EXPECT_EQ(f.ControlColumnTitle(2), "C3");
  EXPECT_EQ(f.Text(1, 2), "r1c2");  // the hidden cell survives
  f.Send(WM_COMMAND, 2, 0);
  EXPECT_EQ(f.HeaderCount(), 5);
  EXPECT_EQ(f.ControlColumnTitle(2), "C2");
  EXPECT_EQ(f.Send(LVM_GETCOLUMNWIDTH, 2), 70);
  EXPECT_EQ(f.ControlOrderArray(), (std::vector<int>{0, 1, 2, 3, 4}));
  for (int i = 0; i < 3; ++i) EXPECT_EQ(f.ControlText(i, 2), "r" + std::to_string(i) + "c2");
}

TEST_F(ListColumns, ColumnWithLogicalOrderZeroIsShownFirst) {
  MakeColumns(3);
  f.Send(WM_COMMAND, 2, 0);
  std::vector<int> order = {2, 0, 1};
  f.Send(LVM_SETCOLUMNORDERARRAY, 3, reinterpret_cast<LPARAM>(order.data()));
  f.Send(WM_COMMAND, 2, 0);
  EXPECT_EQ(f.ControlOrderArray(), (std::vector<int>{2, 0, 1}));
}

TEST_F(ListColumns, ShowingColumnZeroRestoresTheFormerFirstColumnToo) {
  MakeColumns(3);
  MakeItems(2, 3);
  f.Send(WM_COMMAND, 0, 0);
  EXPECT_EQ(f.ControlText(1, 0), "r1c1");
  f.Send(WM_COMMAND, 0, 0);
  EXPECT_EQ(f.ControlText(1, 0), "r1c0");
  EXPECT_EQ(f.ControlText(1, 1), "r1c1");
  EXPECT_EQ(f.ControlText(0, 2), "r0c2");
}

TEST_F(ListColumns, ShowingColumnZeroWhenNothingIsVisible) {
  MakeColumns(2);
  MakeItems(2, 2);
  f.Send(WM_COMMAND, 0, 0);
  f.Send(WM_COMMAND, 1, 0);
  EXPECT_EQ(f.HeaderCount(), 0);
  f.Send(WM_COMMAND, 0, 0);
  EXPECT_EQ(f.HeaderCount(), 1);
  EXPECT_EQ(f.ControlText(0, 0), "r0c0");
  EXPECT_EQ(f.Text(0, 1), "r0c1");
}

TEST_F(ListColumns, ColumnTheUserMayNotHideStaysVisible) {
  f.InsertColumn(0, "Name", 80, false);
  f.InsertColumn(1, "IP", 80);
  f.Send(WM_COMMAND, 0, 0);
  EXPECT_TRUE(f.List().Column(0).m_bVisible);
  EXPECT_EQ(f.HeaderCount(), 2);
}

TEST_F(ListColumns, SortStateFollowsInsertedAndDeletedColumns) {
  struct Case {
    const char* name;
    int state;
    bool insert;
    int column;
    int expect;
  };
  const Case cases[] = {
      {"insert before sorted ascending", 3, true, 1, 4},
      {"insert before sorted descending", -3, true, 0, -4},
      {"insert at sorted column", 2, true, 1, 3},
      {"insert after sorted", 2, true, 2, 2},
      {"delete sorted", -2, false, 1, 0},
      {"delete before sorted keeps sign", -3, false, 0, -2},
      {"delete after sorted", 2, false, 2, 2},
      {"delete next after sorted", 2, false, 1 + 1, 2},
  };
  for (const Case& k : cases) {
    ListFixture g;
    for (int c = 0; c < 4; ++c) g.InsertColumn(c, "C", 40);
    g.List().m_nSortState = k.state;
    if (k.insert)
      g.InsertColumn(k.column, "new", 40);
    else
      g.Send(LVM_DELETECOLUMN, static_cast<WPARAM>(k.column));
    EXPECT_EQ(g.List().m_nSortState, k.expect) << k.name;
  }
}

TEST_F(ListColumns, HiddenColumnKeepsWidthTitleAndAutoSizeCode) {
  MakeColumns(2);
  f.InsertColumn(2, "A very long column title", 90);
  MakeItems(1, 3);
  f.Send(WM_COMMAND, 2, 0);
  EXPECT_EQ(f.Send(LVM_GETCOLUMNWIDTH, 2), 0);
  char buf[8] = {};
  LVCOLUMNA col;
  col.mask = LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM | LVCF_ORDER;
  col.pszText = buf;
  col.cchTextMax = sizeof buf;
  EXPECT_EQ(f.Send(LVM_GETCOLUMNA, 2, reinterpret_cast<LPARAM>(&col)), 1);
  EXPECT_EQ(col.cx, 90);
  EXPECT_STREQ(buf, "A very ");
  EXPECT_EQ(col.iSubItem, 2);
  EXPECT_EQ(col.iOrder, 2);
  EXPECT_EQ(f.Send(LVM_SETCOLUMNWIDTH, 2, MAKELPARAM(LVSCW_AUTOSIZE, 0)), 1);
  EXPECT_EQ(f.List().Column(2).m_nHiddenWidth, 0xFFFF);
  f.Send(WM_COMMAND, 2, 0);
  EXPECT_GT(f.Send(LVM_GETCOLUMNWIDTH, 2), 0);  // auto-sized on showing, not 0xFFFF pixels
  EXPECT_LT(f.Send(LVM_GETCOLUMNWIDTH, 2), 0xFFFF);
}

TEST_F(ListColumns, InsertAfterHiddenColumnsAnswersTheControlIndex) {
  MakeColumns(3);
  f.Send(WM_COMMAND, 0, 0);
  f.Send(WM_COMMAND, 1, 0);
  EXPECT_EQ(f.InsertColumn(3, "end", 40), 1);
  EXPECT_EQ(f.InsertColumn(9, "out of range", 40), -1);
  EXPECT_EQ(f.List().ColumnCount(), 4);
}

TEST_F(ListColumns, OrderArraysCountAndRefuseOutOfRange) {
  MakeColumns(3);
  std::vector<int> out(5, -7);
  EXPECT_EQ(f.Send(LVM_GETCOLUMNORDERARRAY, 5, reinterpret_cast<LPARAM>(out.data())), 3);
  EXPECT_EQ(out, (std::vector<int>{0, 1, 2, -7, -7}));
  std::vector<int> bad = {2, 3, 0};
  EXPECT_EQ(f.Send(LVM_SETCOLUMNORDERARRAY, 3, reinterpret_cast<LPARAM>(bad.data())), 0);
  EXPECT_EQ(f.OrderArray(), (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(f.ControlOrderArray(), (std::vector<int>{0, 1, 2}));
}

TEST_F(ListColumns, HeaderDragKeepsHiddenColumnInLogicalOrder) {
  // Logical order A, H, B, C with H hidden; C dragged between A and B.
  f.InsertColumn(0, "A", 40);
  f.InsertColumn(1, "H", 40);
  f.InsertColumn(2, "B", 40);
  f.InsertColumn(3, "C", 40);
  f.Send(WM_COMMAND, 1, 0);
  f.DragHeader(2, -1);  // cancelled
  EXPECT_EQ(f.OrderArray(), (std::vector<int>{0, 1, 2, 3}));
  f.DragHeader(2, 1);
  EXPECT_EQ(f.OrderArray(), (std::vector<int>{0, 1, 3, 2}));
  EXPECT_EQ(f.ControlOrderArray(), (std::vector<int>{0, 2, 1}));
}

TEST_F(ListColumns, MovingColumnRightPastHiddenColumnKeepsControlInStep) {
  // A, H, B, C with H hidden; A's order set to 1 puts it after H, still first on screen.
  f.InsertColumn(0, "A", 40);
  f.InsertColumn(1, "H", 40);
  f.InsertColumn(2, "B", 40);
  f.InsertColumn(3, "C", 40);
  f.Send(WM_COMMAND, 1, 0);
  LVCOLUMNA col;
  col.mask = LVCF_ORDER;
  col.iOrder = 1;
  EXPECT_NE(f.Send(LVM_SETCOLUMNA, 0, reinterpret_cast<LPARAM>(&col)), 0);
  EXPECT_EQ(f.OrderArray(), (std::vector<int>{1, 0, 2, 3}));
  EXPECT_EQ(f.ControlOrderArray(), (std::vector<int>{0, 1, 2}));
  col.iOrder = 3;
  f.Send(LVM_SETCOLUMNA, 0, reinterpret_cast<LPARAM>(&col));
  EXPECT_EQ(f.OrderArray(), (std::vector<int>{1, 2, 3, 0}));
  EXPECT_EQ(f.ControlOrderArray(), (std::vector<int>{1, 2, 0}));
}

// Wraps the real control and refuses column insertions while asked to.
class RefusingControl : public WindowControl {
 public:
  explicit RefusingControl(std::unique_ptr<WindowControl> real) : m_real(std::move(real)) {}
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (refuseInsertColumn && message == LVM_INSERTCOLUMNA) return -1;
    return m_real->WndProc(message, wParam, lParam);
  }
  bool refuseInsertColumn = false;

 private:
  std::unique_ptr<WindowControl> m_real;
};

TEST_F(ListColumns, ColumnTheControlRefusesToShowStaysHidden) {
  MakeColumns(3);
  f.Send(WM_COMMAND, 1, 0);
  auto refusing = std::make_unique<RefusingControl>(std::move(f.Hwnd()->control));
  RefusingControl* control = refusing.get();
  f.Hwnd()->control = std::move(refusing);
  control->refuseInsertColumn = true;
  f.Send(WM_COMMAND, 1, 0);
  EXPECT_FALSE(f.List().Column(1).m_bVisible);
  EXPECT_EQ(f.Send(LVM_GETCOLUMNWIDTH, 2), 70);  // column 2 still answers at its own index
  EXPECT_EQ(f.ControlColumnTitle(1), "C2");
  control->refuseInsertColumn = false;
  f.Send(WM_COMMAND, 1, 0);
  EXPECT_EQ(f.ControlColumnTitle(1), "C1");
  EXPECT_EQ(f.Send(LVM_GETCOLUMNWIDTH, 1), 60);
}

TEST_F(ListColumns, SortStateRepaintsOnlyWhenTheColumnChanges) {
  MakeColumns(3);
  f.List().SetSortState(3);
  f.Hwnd()->pendingInvalidations.clear();
  auto wholeRepaints = [&] {
    int n = 0;
    for (const auto& inv : f.Hwnd()->pendingInvalidations)
      if (inv.whole && inv.erase) ++n;
    return n;
  };
  f.List().SetSortState(3);
  f.List().SetSortState(-3);
  EXPECT_EQ(wholeRepaints(), 0);
  f.List().SetSortState(2);
  EXPECT_EQ(wholeRepaints(), 1);
}

TEST_F(ListColumns, HeaderClickFlipsOrSetsSortStateInColumnNumbers) {
  MakeColumns(4);
  f.ClickHeader(1);
  EXPECT_EQ(f.List().m_nSortState, 2);
  f.ClickHeader(1);
  EXPECT_EQ(f.List().m_nSortState, -2);
  f.ClickHeader(2);
  EXPECT_EQ(f.List().m_nSortState, 3);
  // Column 0 hidden: header item 1 is now column number 2, the sort column.
  f.Send(WM_COMMAND, 0, 0);
  f.ClickHeader(1);
  EXPECT_EQ(f.List().m_nSortState, -3);
  ASSERT_EQ(f.parent.Count(LVN_COLUMNCLICK), 4);
  EXPECT_EQ(f.parent.seen.back().subItem, 2);  // the parent sees the column number
}

}  // namespace
