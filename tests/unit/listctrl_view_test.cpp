// The list view joined with the extension: routing, reflected notifications, commands,
// header notifications, the column menu, focus and the kept extended style.
#include <gtest/gtest.h>

#include "listctrl_fixture.h"

namespace {

TEST(ListViewRouting, RequestsToTheViewAreTranslatedDirectOnesAreNot) {
  ListFixture f;
  f.InsertColumn(0, "A", 40);
  f.InsertColumn(1, "B", 90);
  f.Send(WM_COMMAND, 0, 0);
  EXPECT_EQ(f.Send(LVM_GETCOLUMNWIDTH, 0), 0);     // column number 0: hidden
  EXPECT_EQ(f.Direct(LVM_GETCOLUMNWIDTH, 0), 90);  // control column 0: column number 1
  // The list's own code goes through the extension too.
  EXPECT_EQ(f.List().GetListCtrl().GetColumnWidth(1), 90);
}

// A view that handles header clicks itself, as the device list does.
class OwnClickView : public CListViewEx {
  DECLARE_MESSAGE_MAP()
 public:
  int clicks = 0;
  int lastColumn = -1;
  void OnOwnColumnClick(NMHDR* nmhdr, LRESULT* result) {
    ++clicks;
    HeaderClicked(reinterpret_cast<NMLISTVIEW*>(nmhdr));
    lastColumn = reinterpret_cast<NMLISTVIEW*>(nmhdr)->iSubItem;
    *result = 0;
  }
};
BEGIN_MESSAGE_MAP(OwnClickView, CListViewEx)
ON_NOTIFY_REFLECT(LVN_COLUMNCLICK, OnOwnColumnClick)
END_MESSAGE_MAP()

TEST(ListViewRouting, DerivedColumnClickReplacesTheGenericOne) {
  OwnClickView view;
  ListFixture f(LVS_REPORT, &view);
  for (int c = 0; c < 3; ++c) f.InsertColumn(c, "C", 40);
  f.Send(WM_COMMAND, 0, 0);
  f.ClickHeader(0);
  EXPECT_EQ(view.clicks, 1);
  EXPECT_EQ(view.lastColumn, 1);
  EXPECT_EQ(view.m_nSortState, 2);
  EXPECT_EQ(f.parent.Count(LVN_COLUMNCLICK), 0);  // handled: the parent does not see it

  ListFixture generic;
  for (int c = 0; c < 3; ++c) generic.InsertColumn(c, "C", 40);
  generic.ClickHeader(2);
  EXPECT_EQ(generic.List().m_nSortState, 3);
  ASSERT_EQ(generic.parent.Count(LVN_COLUMNCLICK), 1);
  EXPECT_EQ(generic.parent.seen.back().subItem, 2);
}

TEST(ListViewLifetime, DestroyingTheViewReleasesEveryItemFirst) {
  ListFixture f;
  f.InsertColumn(0, "A", 40);
  for (int i = 0; i < 5; ++i) f.InsertItem(i, i, "x");
  f.List().DestroyWindow();
  ASSERT_EQ(f.parent.Count(LVN_DELETEITEM), 5);
  for (const auto& s : f.parent.seen) {
    if (s.code == LVN_DELETEITEM) {
      EXPECT_NE(s.lParam, 0);
    }
  }
}

TEST(ListViewLifetime, DestroyingTheParentReleasesTheViewsItems) {
  // The control tells a parent that is going away nothing; leak checkers see what is left.
  ListFixture f;
  f.InsertColumn(0, "A", 40);
  for (int i = 0; i < 5; ++i) f.InsertItem(i, i, "x");
  f.parent.DestroyWindow();
  EXPECT_EQ(f.List().m_hWnd, nullptr);
}

TEST(ListViewLifetime, DeletingTheViewObjectWithItsWindowReleasesItems) {
  ListFixture f;
  auto* view = new CListViewEx;
  view->Create("SysListView32", "", WS_CHILD | LVS_REPORT, RECT{0, 0, 100, 100}, &f.parent, 9);
  LVCOLUMNA column;
  ::SendMessage(view->m_hWnd, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
  LVITEMA it;
  it.mask = LVIF_PARAM;
  it.lParam = 3;
  ::SendMessage(view->m_hWnd, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&it));
  delete view;  // leak checkers see a record that outlived its item
  EXPECT_EQ(f.parent.Count(LVN_DELETEITEM), 1);
}

TEST(ListViewCommands, CommandWithColumnNumberTogglesAHideableColumn) {
  ListFixture f;
  for (int c = 0; c < 4; ++c) f.InsertColumn(c, "C", 40, c != 1);
  f.Send(WM_COMMAND, 2, 0);
  EXPECT_FALSE(f.List().Column(2).m_bVisible);
  f.Send(WM_COMMAND, 1, 0);
  EXPECT_TRUE(f.List().Column(1).m_bVisible);
  // A notification code in the high word makes it another command.
  f.Send(WM_COMMAND, 0x10002, 0);
  EXPECT_FALSE(f.List().Column(2).m_bVisible);
  f.Send(WM_COMMAND, 4, 0);
  EXPECT_EQ(f.HeaderCount(), 3);
}

TEST(ListViewColumnMenu, HeaderMenuListsAllColumnsAndTogglesTheChosenOne) {
  ScriptedDesktop desktop;
  ListFixture f;
  const char* titles[] = {"Name", "IP", "Mask", "Gateway", "MAC", "Version"};
  for (int c = 0; c < 6; ++c) f.InsertColumn(c, titles[c], 40, c != 0);
  f.Send(WM_COMMAND, 4, 0);
  desktop.choosePosition = 2;
  f.Send(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(f.Header()), MAKELPARAM(5, 5));
  ASSERT_EQ(desktop.shownMenu.size(), 6u);
  EXPECT_EQ(desktop.shownAt.x, 300);  // at the mouse pointer, not the request's point
  for (int c = 0; c < 6; ++c) EXPECT_EQ(desktop.shownMenu[static_cast<size_t>(c)].text, titles[c]);
  EXPECT_EQ(desktop.shownMenu[0].flags, MF_CHECKED | MF_GRAYED);
  EXPECT_EQ(desktop.shownMenu[4].flags, MF_UNCHECKED);
  EXPECT_EQ(desktop.shownMenu[2].flags, MF_CHECKED);
  EXPECT_FALSE(f.List().Column(2).m_bVisible);
  f.Send(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(f.Header()), MAKELPARAM(5, 5));
  EXPECT_TRUE(f.List().Column(2).m_bVisible);
  // Not on the header, or nothing hideable: no menu.
  f.Send(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(f.Hwnd()), MAKELPARAM(5, 5));
  EXPECT_EQ(desktop.menusShown, 2);
  f.List().m_nHideableCount = 0;
  f.Send(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(f.Header()), MAKELPARAM(5, 5));
  EXPECT_EQ(desktop.menusShown, 2);
}

TEST(ListViewStyle, KeptExtendedStyleFollowsMaskAndStyle) {
  ListFixture f;
  f.Send(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, 0x11);
  EXPECT_EQ(f.Send(LVM_SETEXTENDEDLISTVIEWSTYLE, 0x20, 0x20), 0x11);
  EXPECT_EQ(f.Send(LVM_GETEXTENDEDLISTVIEWSTYLE), 0x31);
  f.Send(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, 0x31);
  EXPECT_EQ(f.Send(LVM_GETEXTENDEDLISTVIEWSTYLE), 0x31);
  EXPECT_EQ(f.Direct(LVM_GETEXTENDEDLISTVIEWSTYLE), 0x31);
}

TEST(ListViewFocus, FirstSelectedItemIsFocusedOnlyWhileTheListHasFocus) {
  ListFixture f;
  f.InsertColumn(0, "A", 40);
  for (int i = 0; i < 3; ++i) f.InsertItem(i, i, "x");
  LVITEMA sel;
  sel.stateMask = LVIS_SELECTED;
  sel.state = LVIS_SELECTED;
  f.Direct(LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&sel));
  ::SetFocus(f.Hwnd());
  EXPECT_EQ(f.Direct(LVM_GETITEMSTATE, 1, LVIS_FOCUSED), LVIS_FOCUSED);
  ::SetFocus(nullptr);
  EXPECT_EQ(f.Direct(LVM_GETITEMSTATE, 1, LVIS_FOCUSED), 0);
  ::SetFocus(f.Hwnd());
  EXPECT_EQ(f.Direct(LVM_GETITEMSTATE, 1, LVIS_FOCUSED), LVIS_FOCUSED);
  ::SetFocus(nullptr);
}

}  // namespace
