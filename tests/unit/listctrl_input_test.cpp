// Input the extension adds to owner-drawn lists: check boxes on state images, the refined hit
// test, the lead-column auto-size and the Ctrl key state.
#include <gtest/gtest.h>

#include "listctrl_fixture.h"

namespace {

class OwnerDrawnInput : public ::testing::Test {
 protected:
  OwnerDrawnInput() : f(LVS_REPORT | LVS_OWNERDRAWFIXED) {
    f.InsertColumn(0, "Name", 120);
    f.InsertColumn(1, "IP", 80);
    f.Send(LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_CHECKBOXES, LVS_EX_CHECKBOXES);
    f.InsertItem(0, 1, "first");
    f.InsertItem(1, 2, "second");
  }
  ~OwnerDrawnInput() override { ::SetFocus(nullptr); }
  UINT Check(int item) {
    return static_cast<UINT>(
               f.Direct(LVM_GETITEMSTATE, static_cast<WPARAM>(item), LVIS_STATEIMAGEMASK)) >>
           12;
  }
  LVHITTESTINFO Hit(POINT pt) {
    LVHITTESTINFO info;
    info.pt = pt;
    f.Send(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info));
    return info;
  }
  ListFixture f;
};

TEST_F(OwnerDrawnInput, HitTestTellsStateImageIconAndLabelApart) {
  RECT state, label;
  ASSERT_TRUE(f.List().StateImageBounds(1, &state));
  ASSERT_TRUE(f.List().CellBounds(1, 0, 2, &label));
  ASSERT_LT(state.left, state.right);
  EXPECT_EQ(Hit(POINT{state.left, state.top + 1}).flags, LVHT_ONITEMSTATEICON);
  EXPECT_EQ(Hit(POINT{label.left + 1, label.top + 1}).flags, LVHT_ONITEMLABEL);
  EXPECT_EQ(Hit(POINT{label.left + 1, label.top + 1}).iItem, 1);
  // Left of the state image gap: nowhere.
  EXPECT_EQ(Hit(POINT{0, label.top + 1}).flags, LVHT_NOWHERE);
}

TEST_F(OwnerDrawnInput, ClickOnStateImageTogglesCheckWithoutSelecting) {
  RECT state;
  ASSERT_TRUE(f.List().StateImageBounds(0, &state));
  const UINT before = Check(0);
  f.Send(WM_LBUTTONDOWN, 0, MAKELPARAM(state.left, state.top + 1));
  f.Send(WM_LBUTTONUP, 0, MAKELPARAM(state.left, state.top + 1));
  EXPECT_NE(Check(0), before);
  EXPECT_EQ(f.Direct(LVM_GETITEMSTATE, 0, LVIS_SELECTED), 0);
  f.Send(WM_LBUTTONDBLCLK, 0, MAKELPARAM(state.left, state.top + 1));
  EXPECT_EQ(Check(0), before);
  // A click on the label selects as usual.
  RECT label;
  f.List().CellBounds(0, 0, 2, &label);
  f.Send(WM_LBUTTONDOWN, 0, MAKELPARAM(label.left + 2, label.top + 1));
  EXPECT_EQ(f.Direct(LVM_GETITEMSTATE, 0, LVIS_SELECTED), LVIS_SELECTED);
}

TEST_F(OwnerDrawnInput, CtrlIsKeptOnlyWhenTheLabelSitsInAnotherLeadColumn) {
  f.Send(WM_KEYDOWN, VK_CONTROL, 0);
  EXPECT_FALSE(f.List().m_bCtrlDown);
  f.List().m_bLabelInLeadColumn = true;
  std::vector<int> order = {1, 0};
  f.Send(LVM_SETCOLUMNORDERARRAY, 2, reinterpret_cast<LPARAM>(order.data()));
  f.Send(WM_KEYDOWN, VK_CONTROL, 0);
  EXPECT_TRUE(f.List().m_bCtrlDown);
  f.Send(WM_KEYDOWN, VK_ADD, 0);
  // Control column 0, shown second, is sized to its texts with the label margin.
  EXPECT_EQ(f.Send(LVM_GETCOLUMNWIDTH, 0), 7 * 6 + 6 + 6);
  f.Send(WM_KEYUP, VK_CONTROL, 0);
  EXPECT_FALSE(f.List().m_bCtrlDown);
}

TEST_F(OwnerDrawnInput, DividerDoubleClickSizesTheLeadColumnToItsTexts) {
  f.SetText(0, 1, "10.0.0.1");
  f.SetText(1, 1, "192.168.100.200");
  f.List().m_bLabelInLeadColumn = true;
  std::vector<int> order = {1, 0};
  f.Send(LVM_SETCOLUMNORDERARRAY, 2, reinterpret_cast<LPARAM>(order.data()));
  RECT cell, label;
  ASSERT_TRUE(f.List().CellBounds(0, 1, 0, &cell));
  ASSERT_TRUE(f.List().CellBounds(0, 1, 2, &label));
  NMHEADERA nm;
  nm.hdr.hwndFrom = f.Header();
  nm.hdr.code = HDN_DIVIDERDBLCLICKA;
  nm.iItem = 1;
  f.Send(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&nm));
  EXPECT_EQ(f.Send(LVM_GETCOLUMNWIDTH, 1), 7 * 15 + (label.left - cell.left) + 2 + 6);
}

}  // namespace
