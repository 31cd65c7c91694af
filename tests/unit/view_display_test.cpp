// The device list as it first shows, its saved layout, Auto Arrange, the display modes, the
// context menu and the enabling of the device commands, and the release of device records.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "platform/afx/CToolBar.h"
#include "protocol/CListSocket.h"
#include "view_fixture.h"

namespace viewtest {
namespace {

constexpr UINT ID_REFRESH = 32772;
constexpr UINT kDeviceCommands[] = {32780, 32781, 32782, 32783, 32814};

Device Named(const char* name, int lastOctet) {
  Device d;
  d.name = name;
  d.ip[3] = static_cast<BYTE>(lastOctet);
  return d;
}

// The saved layout block: count, sort state, then per column visible, width, reserved, order.
std::vector<std::uint8_t> Layout(int count, int sortState,
                                 const std::vector<std::array<int, 3>>& columns) {
  std::vector<std::uint8_t> b;
  auto put32 = [&](int v) {
    for (int i = 0; i < 4; ++i)
      b.push_back(static_cast<std::uint8_t>(static_cast<unsigned>(v) >> (8 * i)));
  };
  put32(count);
  put32(sortState);
  for (const auto& c : columns) {
    b.push_back(static_cast<std::uint8_t>(c[0]));
    b.push_back(static_cast<std::uint8_t>(c[1] & 0xFF));
    b.push_back(static_cast<std::uint8_t>(c[1] >> 8));
    b.push_back(0xEE);
    b.push_back(0xEE);
    put32(c[2]);
  }
  return b;
}

bool IsChecked(const std::vector<apptest::MenuRecordingDesktop::ShownItem>& items, UINT id) {
  for (const auto& item : items)
    if (item.id == id) return (item.flags & MF_CHECKED) != 0;
  ADD_FAILURE() << "no item " << id;
  return false;
}

TEST_F(ViewFixture, FirstShowBuildsTheSixColumnsWithoutIndicator) {
  ASSERT_TRUE(StartView());
  EXPECT_EQ(StatusBar().GetPaneText(4), "Online : 0");
  EXPECT_EQ(view->m_nSortState, 2);
  EXPECT_EQ(view->m_nSortKey, 2);
  EXPECT_EQ(Indicators(), std::vector<int>(6, 0));
  EXPECT_FALSE(view->m_bTintSortColumn);
  EXPECT_EQ(view->SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE), 0x31);
  EXPECT_EQ(view->GetStyle() & LVS_TYPEMASK, LVS_REPORT);
  EXPECT_EQ(view->GetStyle() & LVS_AUTOARRANGE, 0u) << "the switch is on, the style is not";

  const struct {
    const char* heading;
    int format;
    int width;
  } columns[] = {{"Device Name", LVCFMT_LEFT, 120}, {"IP Address", LVCFMT_LEFT, 120},
                 {"Subnet Mask", LVCFMT_LEFT, 120}, {"Gateway IP", LVCFMT_LEFT, 120},
                 {"MAC", LVCFMT_LEFT, 130},         {"Version", LVCFMT_RIGHT, 95}};
  ASSERT_EQ(view->ColumnCount(), 6);
  for (int c = 0; c < 6; ++c) {
    char text[64] = {};
    LVCOLUMNA col;
    col.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH;
    col.pszText = text;
    col.cchTextMax = sizeof text;
    ASSERT_TRUE(List().GetColumn(c, &col));
    EXPECT_STREQ(text, columns[c].heading);
    EXPECT_EQ(col.fmt & LVCFMT_JUSTIFYMASK, columns[c].format) << c;
    EXPECT_EQ(col.cx, columns[c].width) << c;
    EXPECT_EQ(view->Column(c).m_bCanHide, c != 0) << c;
  }
  EXPECT_EQ(view->m_nHideableCount, 5);
  EXPECT_EQ(view->m_imgSmall.GetImageCount(), 7);
  EXPECT_EQ(view->m_imgLarge.GetImageCount(), 7);
  EXPECT_EQ(List().GetImageList(LVSIL_SMALL), view->m_imgSmall.m_hImageList);
  EXPECT_EQ(List().GetImageList(LVSIL_NORMAL), view->m_imgLarge.m_hImageList);
}

TEST_F(ViewFixture, SavedLayoutIsAppliedAtFirstShow) {
  // Subnet Mask hidden, widths set, the display order reversed, sorted by Gateway descending.
  profile.values["Settings/Overview"] =
      Layout(6, -4, {{1, 150, 5}, {1, 101, 4}, {0, 77, 3}, {1, 103, 2}, {1, 0x140, 1}, {1, 90, 0}});
  ASSERT_TRUE(StartView());
  EXPECT_EQ(view->m_nSortState, -4);
  EXPECT_EQ(view->m_nSortKey, -4);
  EXPECT_FALSE(view->Column(2).m_bVisible);
  EXPECT_EQ(view->Column(2).m_nHiddenWidth, 77);
  EXPECT_EQ(List().GetColumnWidth(4), 320);
  int order[6] = {};
  ASSERT_TRUE(List().GetColumnOrderArray(order, 6));
  EXPECT_EQ(std::vector<int>(order, order + 6), (std::vector<int>{5, 4, 3, 2, 1, 0}));

  Device a = Named("a", 1), b = Named("b", 2), c = Named("c", 3);
  a.gateway[3] = 5;
  b.gateway[3] = 9;
  c.gateway[3] = 5;
  Receive(a);
  Receive(b);
  Receive(c);
  EXPECT_EQ(Names(), (std::vector<std::string>{"b", "a", "c"}));
  EXPECT_EQ(Text(0, 2), "255.255.255.0") << "the hidden column keeps its texts";
}

TEST_F(ViewFixture, LayoutOfAnotherColumnSetIsIgnored) {
  profile.values["Settings/Overview"] =
      Layout(5, -3, {{0, 1, 0}, {0, 1, 1}, {0, 1, 2}, {0, 1, 3}, {0, 1, 4}});
  ASSERT_TRUE(StartView());
  EXPECT_EQ(view->m_nSortState, 2);
  EXPECT_EQ(view->m_nSortKey, 2);
  for (int c = 0; c < 6; ++c) EXPECT_TRUE(view->Column(c).m_bVisible) << c;
}

TEST_F(ViewFixture, AutoArrangeOffLeavesIndicatorUntilTheNextRowWhichStaysAtTheEnd) {
  ASSERT_TRUE(StartView());
  Receive(Named("b", 20));
  Receive(Named("a", 10));
  ASSERT_EQ(Names(), (std::vector<std::string>{"a", "b"}));
  Command(ID_VIEW_AUTOARRANGE);
  EXPECT_EQ(view->m_bAutoArrange, 0);
  EXPECT_EQ(view->GetStyle() & LVS_AUTOARRANGE, 0u);
  EXPECT_EQ(Indicators(), (std::vector<int>{0, 1, 0, 0, 0, 0})) << "nothing changes yet";
  EXPECT_TRUE(view->m_bTintSortColumn);

  Receive(Named("c", 5));
  EXPECT_EQ(Names(), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(Indicators(), std::vector<int>(6, 0));
  EXPECT_FALSE(view->m_bTintSortColumn);

  // Switched on again: the style comes now, and the next row sorts everything.
  Command(ID_VIEW_AUTOARRANGE);
  EXPECT_EQ(view->m_bAutoArrange, 1);
  EXPECT_NE(view->GetStyle() & LVS_AUTOARRANGE, 0u);
  Receive(Named("d", 1));
  EXPECT_EQ(Names(), (std::vector<std::string>{"d", "c", "a", "b"}));
  EXPECT_EQ(Indicators(), (std::vector<int>{0, 1, 0, 0, 0, 0}));
}

TEST_F(ViewFixture, ColumnClickSortsWhateverAutoArrangeSays) {
  ASSERT_TRUE(StartView());
  Command(ID_VIEW_AUTOARRANGE);
  Receive(Named("b", 1));
  Receive(Named("a", 2));
  EXPECT_EQ(Names(), (std::vector<std::string>{"b", "a"}));
  ClickHeader(0);
  EXPECT_EQ(Names(), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(Indicators(), (std::vector<int>{1, 0, 0, 0, 0, 0}));
}

TEST_F(ViewFixture, DisplayModesChangeStyleCheckMarkAndSortDisplay) {
  ASSERT_TRUE(StartView());
  Receive(Named("b", 20));
  Receive(Named("a", 10));
  const struct {
    UINT command;
    DWORD style;
    int mode;
    bool sortShown;
  } steps[] = {{ID_VIEW_LARGEICON, LVS_ICON, 0, false},
               {ID_VIEW_SMALLICON, LVS_SMALLICON, 2, false},
               {ID_VIEW_DETAILS, LVS_REPORT, 1, true}};
  for (const auto& s : steps) {
    Command(s.command);
    EXPECT_EQ(view->GetStyle() & LVS_TYPEMASK, s.style) << s.command;
    EXPECT_EQ(view->m_nViewMode, s.mode);
    EXPECT_EQ(view->m_bTintSortColumn != FALSE, s.sortShown) << s.command;
    EXPECT_EQ(view->m_bShowSortIndicator != FALSE, s.sortShown) << s.command;
    for (UINT id : {ID_VIEW_LARGEICON, ID_VIEW_SMALLICON, ID_VIEW_DETAILS}) {
      CStateCmdUI ui;
      ui.m_nID = id;
      ui.DoUpdate(view, false);
      EXPECT_EQ(ui.check, id == s.command ? 1 : 0) << s.command << " " << id;
    }
    Receive(Named("z", 1));
    EXPECT_EQ(Names().back() == "z", !s.sortShown) << s.command;
  }
}

TEST_F(ViewFixture, RightClickOpensTheContextMenuOwnedByTheFrame) {
  ASSERT_TRUE(StartView());
  Receive(Named("a", 1));
  for (int selected = 0; selected <= 1; ++selected) {
    if (selected == 1) Select(0);
    desktop.shown.clear();
    NMITEMACTIVATE click;
    click.hdr.hwndFrom = view->m_hWnd;
    click.hdr.idFrom = static_cast<UINT_PTR>(view->GetDlgCtrlID());
    click.hdr.code = static_cast<UINT>(NM_RCLICK);
    const LRESULT r = ::SendMessage(::GetParent(view->m_hWnd), WM_NOTIFY, click.hdr.idFrom,
                                    reinterpret_cast<LPARAM>(&click));
    EXPECT_EQ(r, 0);
    ASSERT_EQ(desktop.shown.size(), 1u);
    const auto& items = desktop.shown[0];
    ASSERT_EQ(items.size(), 9u);
    EXPECT_EQ(items[4].text, "Update Firmware ");
    for (const auto& item : items) {
      if (item.flags & MF_SEPARATOR) continue;
      const bool device = std::find(std::begin(kDeviceCommands), std::end(kDeviceCommands),
                                    item.id) != std::end(kDeviceCommands);
      EXPECT_EQ((item.flags & MF_GRAYED) != 0, device && selected == 0) << item.text;
    }
    EXPECT_TRUE(IsChecked(items, ID_VIEW_AUTOARRANGE));

    Frame()->OnIdleUpdateCmdUI();
    CToolBar* bar = Frame()->GetToolBar();
    for (UINT id : kDeviceCommands)
      EXPECT_EQ(bar->GetButton(bar->CommandToIndex(id)).enabled, selected == 1) << id;
    EXPECT_TRUE(bar->GetButton(bar->CommandToIndex(ID_REFRESH)).enabled);
  }
  // The chosen item is a command of the frame: Auto Arrange goes off, and its mark with it.
  desktop.choice = ID_VIEW_AUTOARRANGE;
  desktop.shown.clear();
  NMHDR click;
  click.hwndFrom = view->m_hWnd;
  click.idFrom = static_cast<UINT_PTR>(view->GetDlgCtrlID());
  click.code = static_cast<UINT>(NM_RCLICK);
  ::SendMessage(::GetParent(view->m_hWnd), WM_NOTIFY, click.idFrom,
                reinterpret_cast<LPARAM>(&click));
  EXPECT_EQ(view->m_bAutoArrange, 0);
  desktop.choice = 0;
  ::SendMessage(::GetParent(view->m_hWnd), WM_NOTIFY, click.idFrom,
                reinterpret_cast<LPARAM>(&click));
  ASSERT_EQ(desktop.shown.size(), 2u);
  EXPECT_FALSE(IsChecked(desktop.shown[1], ID_VIEW_AUTOARRANGE));
}

TEST_F(ViewFixture, MainMenuAutoArrangeCarriesTheCheckMark) {
  ASSERT_TRUE(StartView());
  CMenu* viewMenu = Frame()->GetMenu()->GetSubMenu(1);
  ASSERT_NE(viewMenu, nullptr);
  Frame()->OnInitMenuPopup(viewMenu);
  EXPECT_TRUE(viewMenu->GetMenuState(ID_VIEW_AUTOARRANGE, MF_BYCOMMAND) & MF_CHECKED);
  Command(ID_VIEW_AUTOARRANGE);
  Frame()->OnInitMenuPopup(viewMenu);
  EXPECT_FALSE(viewMenu->GetMenuState(ID_VIEW_AUTOARRANGE, MF_BYCOMMAND) & MF_CHECKED);
}

TEST_F(ViewFixture, DocumentKeysLeaveTheListAsItIs) {
  ASSERT_TRUE(StartView());
  Receive(Named("a", 1));
  ClickHeader(0);
  network.ClearSent();
  for (UINT id : {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE}) {
    Command(id);
    EXPECT_EQ(RowCount(), 1) << id;
    EXPECT_EQ(view->ColumnCount(), 6) << id;
    EXPECT_EQ(view->m_nSortKey, 1) << id;
  }
  EXPECT_TRUE(network.Sent().empty());
  EXPECT_TRUE(modal.Prompts().empty());
}

TEST_F(ViewFixture, DeviceRecordsLiveExactlyAsLongAsTheirRows) {
  ASSERT_TRUE(StartView());
  for (int i = 0; i < 5; ++i) Receive(Named("d", i));
  EXPECT_EQ(RowCount(), 5);
  EXPECT_EQ(view->RecordCount(), 5u);
  Command(ID_REFRESH);
  EXPECT_EQ(RowCount(), 0);
  EXPECT_EQ(view->RecordCount(), 0u);
  for (int i = 0; i < 3; ++i) Receive(Named("d", i));
  EXPECT_EQ(view->RecordCount(), 3u);
  List().DeleteAllItems();
  EXPECT_EQ(view->RecordCount(), 0u);
  // Rows left at the end go with the window (the sanitizer build checks that nothing leaks).
  for (int i = 0; i < 3; ++i) Receive(Named("d", i));
}

}  // namespace
}  // namespace viewtest
