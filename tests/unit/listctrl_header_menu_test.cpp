// The header as the user handles it: the column show/hide menu of the device list, a column
// without a title in that menu, and real mouse clicks and drags on the header items.
#include <gtest/gtest.h>

#include "listctrl_fixture.h"
#include "view_fixture.h"

namespace {

using viewtest::ViewFixture;

class DeviceListHeaderMenu : public ViewFixture {
 protected:
  void SetUp() override {
    ViewFixture::SetUp();
    ASSERT_TRUE(StartView());
  }
  // Right click on the header; the user picks the entry of a command id (0: none).
  const std::vector<apptest::MenuRecordingDesktop::ShownItem>& RightClickHeader(UINT pick = 0) {
    desktop.choice = pick;
    view->SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Header()), MAKELPARAM(20, 5));
    return desktop.shown.back();
  }
};

TEST_F(DeviceListHeaderMenu, ListsTheSixColumnsInOrderAndHidesAndShowsTheChosenOne) {
  const auto entries = RightClickHeader();
  const char* titles[] = {"Device Name", "IP Address", "Subnet Mask",
                          "Gateway IP",  "MAC",        "Version"};
  ASSERT_EQ(entries.size(), 6u);
  for (size_t c = 0; c < 6; ++c) {
    EXPECT_EQ(entries[c].text, titles[c]) << c;
    const UINT want = c == 0 ? (MF_CHECKED | MF_GRAYED) : MF_CHECKED;
    EXPECT_EQ(entries[c].flags & (MF_CHECKED | MF_GRAYED), want) << c;
  }
  const UINT mask = entries[2].id;
  RightClickHeader(mask);
  EXPECT_FALSE(view->Column(2).m_bVisible);
  EXPECT_EQ(::SendMessage(Header(), HDM_GETITEMCOUNT, 0, 0), 5);
  EXPECT_EQ(RightClickHeader(mask)[2].flags & MF_CHECKED, 0u);
  EXPECT_TRUE(view->Column(2).m_bVisible);
  EXPECT_EQ(::SendMessage(Header(), HDM_GETITEMCOUNT, 0, 0), 6);
  // The greyed first entry cannot hide the device name.
  RightClickHeader(entries[0].id);
  EXPECT_TRUE(view->Column(0).m_bVisible);
}

TEST(ColumnMenu, ColumnWithoutTitleShowsAsEmptyEntryThatToggles) {
  ScriptedDesktop desktop;
  ListFixture f;
  f.InsertColumn(0, "Name", 60, false);
  LVCOLUMNA untitled;
  untitled.mask = LVCF_WIDTH;
  untitled.cx = 50;
  f.Send(LVM_INSERTCOLUMNA, 1, reinterpret_cast<LPARAM>(&untitled));
  f.List().Column(1).m_bCanHide = true;
  ++f.List().m_nHideableCount;
  f.InsertColumn(2, "", 40);
  for (bool visibleAfter : {false, true}) {
    for (int c : {1, 2}) {
      desktop.choosePosition = c;
      f.Send(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(f.Header()), MAKELPARAM(5, 5));
      ASSERT_EQ(desktop.shownMenu.size(), 3u);
      EXPECT_EQ(desktop.shownMenu[static_cast<size_t>(c)].text, "");
      EXPECT_EQ(f.List().Column(c).m_bVisible, visibleAfter) << c;
    }
  }
}

class HeaderMouse : public ::testing::Test {
 protected:
  HeaderMouse() {
    // Logical order A, H, B, C with H hidden: the header shows A, B, C.
    for (const char* title : {"A", "H", "B", "C"}) f.InsertColumn(f.HeaderCount(), title, 60);
    f.Send(LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_HEADERDRAGDROP, LVS_EX_HEADERDRAGDROP);
    f.Send(WM_COMMAND, 1, 0);
  }
  LRESULT ToHeader(UINT message, int x, WPARAM wParam = 0) {
    return ::SendMessage(f.Header(), message, wParam, MAKELPARAM(x, 5));
  }
  ListFixture f;
};

TEST_F(HeaderMouse, ClickOnAHeaderItemGivesExactlyOneColumnClick) {
  ToHeader(WM_LBUTTONDOWN, 90);
  ToHeader(WM_LBUTTONUP, 90);
  ASSERT_EQ(f.parent.Count(LVN_COLUMNCLICK), 1);
  EXPECT_EQ(f.parent.seen.back().subItem, 2);  // header item 1 is column number 2 (B)
}

TEST_F(HeaderMouse, DraggingAnItemKeepsTheLogicalOrderAndACancelledDragChangesNothing) {
  // C (header item 2, at 120..180) pressed and dropped between A and B, then cancelled.
  ToHeader(WM_LBUTTONDOWN, 150);
  ToHeader(WM_MOUSEMOVE, 100);
  ToHeader(WM_MOUSEMOVE, 62);
  ToHeader(WM_KEYDOWN, 62, VK_ESCAPE);
  ToHeader(WM_LBUTTONUP, 62);
  EXPECT_EQ(f.OrderArray(), (std::vector<int>{0, 1, 2, 3}));
  EXPECT_EQ(f.ControlOrderArray(), (std::vector<int>{0, 1, 2}));

  ToHeader(WM_LBUTTONDOWN, 150);
  ToHeader(WM_MOUSEMOVE, 100);
  ToHeader(WM_MOUSEMOVE, 62);
  ToHeader(WM_LBUTTONUP, 62);
  EXPECT_EQ(f.OrderArray(), (std::vector<int>{0, 1, 3, 2}));
  EXPECT_EQ(f.ControlOrderArray(), (std::vector<int>{0, 2, 1}));
  EXPECT_EQ(f.parent.Count(LVN_COLUMNCLICK), 0);
}

}  // namespace
