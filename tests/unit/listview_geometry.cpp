// Rectangles, hit testing, scrolling and the header's place in the list-view control.
#include "listview_fixture.h"
#include "platform/afx/CListView.h"

namespace listview_test {
namespace {

using ListViewGeometry = ListViewTest;

TEST_F(ListViewGeometry, ReportRowsSitBelowTheHeader) {
  Fill(3);
  ImageList small(16, 16, ILC_MASK);
  Send(LVM_SETIMAGELIST, LVSIL_SMALL, &small);
  HWND header = Header();
  EXPECT_EQ(header->rect, (RECT{0, 0, 400, kHeaderHeight}));
  EXPECT_TRUE(GetWindowStyle(header) & WS_VISIBLE);
  const int top = kHeaderHeight + 2 * kRowHeight;
  EXPECT_EQ(ItemRect(2, LVIR_BOUNDS), (RECT{0, top, 240, top + kRowHeight}));
  EXPECT_EQ(ItemRect(2, LVIR_ICON), (RECT{2, top, 18, top + kRowHeight}));
  EXPECT_EQ(ItemRect(2, LVIR_LABEL), (RECT{18, top, 100, top + kRowHeight}));
  EXPECT_EQ(ItemRect(2, LVIR_SELECTBOUNDS), (RECT{2, top, 100, top + kRowHeight}));
  RECT r;
  r.top = 1;
  r.left = LVIR_BOUNDS;
  ASSERT_TRUE(Send(LVM_GETSUBITEMRECT, 2, &r));
  EXPECT_EQ(r, (RECT{100, top, 180, top + kRowHeight}));
  // Sub-item 0's bounds are the whole row, as the platform reports them.
  r.top = 0;
  r.left = LVIR_BOUNDS;
  ASSERT_TRUE(Send(LVM_GETSUBITEMRECT, 2, &r));
  EXPECT_EQ(r, ItemRect(2, LVIR_BOUNDS));
  r.left = LVIR_BOUNDS;
  EXPECT_FALSE(Send(LVM_GETITEMRECT, 3, &r));
}

TEST_F(ListViewGeometry, FirstColumnMovedRightKeepsIconAndLabelInItsCell) {
  Fill(1);
  int order[] = {1, 0, 2};
  Send(LVM_SETCOLUMNORDERARRAY, 3, order);
  EXPECT_EQ(ItemRect(0, LVIR_LABEL), (RECT{82, kHeaderHeight, 180, kHeaderHeight + kRowHeight}));
  RECT r;
  r.top = 1;
  r.left = LVIR_BOUNDS;
  Send(LVM_GETSUBITEMRECT, 0, &r);
  EXPECT_EQ(r.left, 0);
}

TEST_F(ListViewGeometry, HitTestNamesThePartUnderThePoint) {
  Fill(2);
  ImageList small(16, 16, ILC_MASK);
  ImageList states(16, 16, ILC_MASK);
  Send(LVM_SETIMAGELIST, LVSIL_SMALL, &small);
  Send(LVM_SETIMAGELIST, LVSIL_STATE, &states);
  // Column 0: state image 2..18, icon 18..34, label 34..100.
  const int y = kHeaderHeight + kRowHeight + 5;
  struct Case {
    const char* name;
    DWORD exStyle;
    DWORD style;
    POINT pt;
    LRESULT item;
    UINT flags;
    int subItem;
  };
  const Case cases[] = {
      {"state image", 0, 0, {5, y}, 1, LVHT_ONITEMSTATEICON, 0},
      {"icon", 0, 0, {20, y}, 1, LVHT_ONITEMICON, 0},
      {"label", 0, 0, {60, y}, 1, LVHT_ONITEMLABEL, 0},
      {"other cell", 0, 0, {150, y}, -1, LVHT_NOWHERE, 0},
      {"other cell, full row", LVS_EX_FULLROWSELECT, 0, {150, y}, 1, LVHT_ONITEMLABEL, 1},
      {"right of the columns", LVS_EX_FULLROWSELECT, 0, {300, y}, -1, LVHT_NOWHERE, 0},
      {"below the rows", 0, 0, {20, 200}, -1, LVHT_NOWHERE, 0},
      {"on the header", 0, 0, {20, 5}, -1, LVHT_ABOVE, 0},
      {"left of the list", 0, 0, {-3, y}, -1, LVHT_TOLEFT, 0},
      {"owner-drawn row", 0, LVS_OWNERDRAWFIXED, {60, y}, 1, LVHT_ONITEM, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Send(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, c.exStyle);
    SetWindowStyle(list, WS_CHILD | LVS_REPORT | c.style);
    LVHITTESTINFO info;
    info.pt = c.pt;
    EXPECT_EQ(Send(LVM_SUBITEMHITTEST, 0, &info), c.item);
    EXPECT_EQ(info.flags, c.flags);
    EXPECT_EQ(info.iItem, static_cast<int>(c.item));
    if (c.item >= 0) {
      EXPECT_EQ(info.iSubItem, c.subItem);
    }
  }
}

TEST_F(ListViewGeometry, VerticalScrollingGoesByRows) {
  Fill(100);
  EXPECT_EQ(Send(LVM_GETCOUNTPERPAGE), 13);
  EXPECT_EQ(Send(LVM_GETTOPINDEX), 0);
  Send(WM_VSCROLL, SB_PAGEDOWN);
  EXPECT_EQ(Send(LVM_GETTOPINDEX), 13);
  Send(WM_VSCROLL, SB_LINEUP);
  EXPECT_EQ(Send(LVM_GETTOPINDEX), 12);
  Send(WM_VSCROLL, MAKELPARAM(SB_THUMBTRACK, 50));
  EXPECT_EQ(Send(LVM_GETTOPINDEX), 50);
  EXPECT_EQ(ItemRect(50, LVIR_BOUNDS).top, kHeaderHeight);
  Send(WM_VSCROLL, SB_BOTTOM);
  EXPECT_EQ(Send(LVM_GETTOPINDEX), 100 - 13);
  Send(WM_MOUSEWHEEL, MAKELPARAM(0, WHEEL_DELTA));
  EXPECT_EQ(Send(LVM_GETTOPINDEX), 100 - 13 - 3);
  Send(LVM_SCROLL, 0, -2 * kRowHeight);
  EXPECT_EQ(Send(LVM_GETTOPINDEX), 100 - 13 - 5);
  ASSERT_TRUE(Send(LVM_ENSUREVISIBLE, 5, FALSE));
  EXPECT_EQ(Send(LVM_GETTOPINDEX), 5);
  ASSERT_TRUE(Send(LVM_ENSUREVISIBLE, 30, FALSE));
  EXPECT_EQ(Send(LVM_GETTOPINDEX), 30 - 12);
  EXPECT_EQ(list->scrollMax[SB_VERT], 99);
  EXPECT_EQ(list->scrollPage[SB_VERT], 13);
  Send(LVM_DELETEALLITEMS);
  EXPECT_EQ(Send(LVM_GETTOPINDEX), -1);
}

TEST_F(ListViewGeometry, HorizontalScrollingMovesRowsAndHeaderTogether) {
  Fill(2);
  Send(LVM_SETCOLUMNWIDTH, 2, MAKELPARAM(500, 0));  // 680 px in all
  EXPECT_EQ(list->scrollMax[SB_HORZ], 679);
  Send(WM_HSCROLL, MAKELPARAM(SB_THUMBPOSITION, 30));
  EXPECT_EQ(GetScrollPos(list, SB_HORZ), 30);
  EXPECT_EQ(ItemRect(0, LVIR_BOUNDS).left, -30);
  EXPECT_EQ(Header()->rect, (RECT{-30, 0, 400, kHeaderHeight}));
  // Header rectangles stay in the header's own (unscrolled) coordinates.
  RECT r;
  SendHeader(HDM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&r));
  EXPECT_EQ(r.left, 100);
  Send(WM_HSCROLL, SB_BOTTOM);
  EXPECT_EQ(GetScrollPos(list, SB_HORZ), 680 - 400);
}

TEST_F(ListViewGeometry, NoHeaderOutsideReportModeOrWithoutColumnHeaders) {
  Fill(3);
  SetWindowStyle(list, WS_CHILD | LVS_REPORT | LVS_NOCOLUMNHEADER);
  EXPECT_FALSE(GetWindowStyle(Header()) & WS_VISIBLE);
  EXPECT_EQ(ItemRect(0, LVIR_BOUNDS).top, 0);
  SetWindowStyle(list, WS_CHILD | LVS_ICON);
  EXPECT_FALSE(GetWindowStyle(Header()) & WS_VISIBLE);
  // Icon mode: a grid of cells, left to right.
  RECT first = ItemRect(0, LVIR_ICON);
  RECT second = ItemRect(1, LVIR_ICON);
  EXPECT_EQ(first.right - first.left, 32);
  EXPECT_EQ(second.top, first.top);
  EXPECT_GT(second.left, first.left);
  LVHITTESTINFO info;
  info.pt = POINT{first.left + 3, first.top + 3};
  EXPECT_EQ(Send(LVM_HITTEST, 0, &info), 0);
  EXPECT_EQ(info.flags, LVHT_ONITEMICON);
  SetWindowStyle(list, WS_CHILD | LVS_REPORT);
  EXPECT_TRUE(GetWindowStyle(Header()) & WS_VISIBLE);
}

TEST_F(ListViewGeometry, RowHeightFollowsTheSmallImages) {
  Fill(2);
  ImageList tall(24, 24, ILC_MASK);
  Send(LVM_SETIMAGELIST, LVSIL_SMALL, &tall);
  EXPECT_EQ(ItemRect(1, LVIR_BOUNDS).top, kHeaderHeight + 26);
  ImageList small(16, 16, ILC_MASK);
  EXPECT_EQ(Send(LVM_SETIMAGELIST, LVSIL_SMALL, &small), reinterpret_cast<LRESULT>(&tall));
  EXPECT_EQ(ItemRect(1, LVIR_BOUNDS).top, kHeaderHeight + kRowHeight);
}

TEST_F(ListViewGeometry, ChangesInvalidateTheSmallestArea) {
  Fill(5);
  list->pendingInvalidations.clear();
  SetText(2, 1, "changed");
  ASSERT_EQ(list->pendingInvalidations.size(), 1u);
  const int top = kHeaderHeight + 2 * kRowHeight;
  EXPECT_EQ(list->pendingInvalidations[0].rect, (RECT{100, top, 180, top + kRowHeight}));
  list->pendingInvalidations.clear();
  SetState(3, LVIS_SELECTED, LVIS_SELECTED);
  ASSERT_EQ(list->pendingInvalidations.size(), 1u);
  EXPECT_EQ(list->pendingInvalidations[0].rect,
            (RECT{0, top + kRowHeight, 400, top + 2 * kRowHeight}));
  list->pendingInvalidations.clear();
  Send(LVM_DELETEITEM, 1);
  ASSERT_FALSE(list->pendingInvalidations.empty());
  EXPECT_EQ(list->pendingInvalidations.back().rect,
            (RECT{0, kHeaderHeight + kRowHeight, 400, 300}));
}

}  // namespace
}  // namespace listview_test

namespace listview_test {
namespace {

TEST_F(ListViewGeometry, ListCtrlWrappersCarryTheirArgumentsAsTheControlReadsThem) {
  Fill(3);
  CListCtrl ctrl(list);
  RECT r;
  ASSERT_TRUE(ctrl.GetSubItemRect(1, 2, LVIR_BOUNDS, &r));
  EXPECT_EQ(r, (RECT{180, kHeaderHeight + kRowHeight, 240, kHeaderHeight + 2 * kRowHeight}));
  ASSERT_TRUE(ctrl.SetColumnWidth(1, LVSCW_AUTOSIZE));
  EXPECT_EQ(ctrl.GetColumnWidth(1), 4 * 7 + 12);
  LVFINDINFOA find;
  find.flags = LVFI_PARAM;
  find.lParam = 1002;
  EXPECT_EQ(ctrl.FindItem(&find), 2);
  EXPECT_EQ(ctrl.GetStringWidth("abc"), 21);
  EXPECT_EQ(ctrl.GetHeaderCtrl(), Header());
  EXPECT_EQ(ctrl.GetTopIndex(), 0);
  EXPECT_EQ(ctrl.GetCountPerPage(), 13);
  EXPECT_EQ(ctrl.GetItemText(2, 1), "r2.1");
  EXPECT_EQ(ctrl.GetItemData(2), 1002);
}

}  // namespace
}  // namespace listview_test

namespace listview_test {
namespace {

TEST_F(ListViewGeometry, ThumbPositionIsAnUnsignedSixteenBitValue) {
  AddColumn(0, "Name", 100);
  for (int i = 0; i < 40000; ++i) AddItem(i, "x");
  Send(WM_VSCROLL, MAKELPARAM(SB_THUMBTRACK, 39000));
  EXPECT_EQ(Send(LVM_GETTOPINDEX), 39000);
}

}  // namespace
}  // namespace listview_test
