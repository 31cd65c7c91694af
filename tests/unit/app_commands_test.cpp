#include <gtest/gtest.h>

#include "app_fixture.h"
#include "platform/afx/CDocTemplate.h"
#include "platform/afx/CDocument.h"
#include "platform/afx/CView.h"
#include "protocol/DevicePacket.h"
#include "view/CTarvexView.h"

namespace apptest {
namespace {

constexpr UINT ID_REFRESH = 32772;
constexpr UINT kDeviceCommands[] = {32780, 32781, 32782, 32783, 32814};

// A command family handled at every level of the route, so the first level that has a
// handler shows who got it: 1001 by all four, 1002 from the document up, and so on.
std::vector<std::string> g_route;

class RouteView : public CView {
  DECLARE_MESSAGE_MAP()
 public:
  void On1001() { g_route.push_back("view"); }
};
BEGIN_MESSAGE_MAP(RouteView, CView)
ON_COMMAND(1001, On1001)
END_MESSAGE_MAP()

class RouteDoc : public CDocument {
  DECLARE_MESSAGE_MAP()
 public:
  void On() { g_route.push_back("document"); }
};
BEGIN_MESSAGE_MAP(RouteDoc, CDocument)
ON_COMMAND(1001, On)
ON_COMMAND(1002, On)
END_MESSAGE_MAP()

class RouteFrame : public CFrameWnd {
  DECLARE_MESSAGE_MAP()
 public:
  void On() { g_route.push_back("frame"); }
};
BEGIN_MESSAGE_MAP(RouteFrame, CFrameWnd)
ON_COMMAND(1001, On)
ON_COMMAND(1002, On)
ON_COMMAND(1003, On)
END_MESSAGE_MAP()

class RouteApp : public CWinApp {
  DECLARE_MESSAGE_MAP()
 public:
  void On() { g_route.push_back("application"); }
};
BEGIN_MESSAGE_MAP(RouteApp, CWinApp)
ON_COMMAND(1001, On)
ON_COMMAND(1002, On)
ON_COMMAND(1003, On)
ON_COMMAND(1004, On)
END_MESSAGE_MAP()

TEST(CommandRouting, CommandsGoToViewThenDocumentThenFrameThenApplication) {
  RouteApp routeApp;
  CSingleDocTemplate* tmpl = new CSingleDocTemplate(
      128, [] { return new RouteDoc; }, [] { return new RouteFrame; },
      [] { return new RouteView; });
  routeApp.AddDocTemplate(tmpl);
  ASSERT_NE(tmpl->OpenDocumentFile(nullptr), nullptr);
  CWnd* frame = routeApp.m_pMainWnd;
  ASSERT_NE(frame, nullptr);
  const struct {
    UINT id;
    const char* receiver;
  } cases[] = {{1001, "view"}, {1002, "document"}, {1003, "frame"}, {1004, "application"}};
  for (const auto& c : cases) {
    g_route.clear();
    frame->SendMessage(WM_COMMAND, c.id, 0);
    ASSERT_EQ(g_route.size(), 1u) << c.id;
    EXPECT_EQ(g_route[0], c.receiver) << c.id;
  }
  g_route.clear();
  frame->SendMessage(WM_COMMAND, 1005, 0);
  EXPECT_TRUE(g_route.empty());
  ResetWindowSystem();
}

using ShellCommandTest = AppFixture;

TEST_F(ShellCommandTest, AboutCommandShowsTheAboutBox) {
  ASSERT_TRUE(Start());
  modal.ExpectDialog(100, [](CDialog& dialog) { ScriptedModalDriver::Click(dialog, IDOK); });
  Command(ID_APP_ABOUT);
  ASSERT_EQ(modal.Prompts().size(), 1u);
  const auto& shown = modal.Prompts()[0];
  EXPECT_EQ(shown.templateId, 100u);
  EXPECT_EQ(shown.ControlText(IDOK), "確定");
  EXPECT_TRUE(modal.Errors().empty());
}

TEST_F(ShellCommandTest, EditKeysAndPanesDoNothing) {
  ASSERT_TRUE(Start());
  const UINT inert[] = {ID_EDIT_UNDO,  ID_EDIT_CUT,  ID_EDIT_COPY,
                        ID_EDIT_PASTE, ID_NEXT_PANE, ID_PREV_PANE};
  for (UINT id : inert) {
    EXPECT_FALSE(Frame()->OnCmdMsg(id, CN_COMMAND, nullptr)) << id;
    Command(id);
  }
  EXPECT_TRUE(modal.Prompts().empty());
  EXPECT_EQ(Frame()->TranslateAccelerator('C', true, false, false), ID_EDIT_COPY);
}

TEST_F(ShellCommandTest, NewAndOpenDocumentKeysLeaveTheWindowAsItIs) {
  ASSERT_TRUE(Start());
  CView* view = Frame()->GetActiveView();
  HWND header = reinterpret_cast<HWND>(view->SendMessage(LVM_GETHEADER));
  const LRESULT columns = ::SendMessage(header, HDM_GETITEMCOUNT);
  StatusBar().SetPaneText(4, "Online : 3", TRUE);
  for (UINT id : {ID_FILE_NEW, ID_FILE_OPEN}) {
    Command(id);
    EXPECT_EQ(Frame()->GetActiveView(), view) << id;
    EXPECT_EQ(::SendMessage(header, HDM_GETITEMCOUNT), columns) << id;
    EXPECT_EQ(StatusBar().GetPaneText(4), "Online : 3") << id;
    EXPECT_EQ(Frame()->GetWindowText(), "Lanorix V1.20") << id;
  }
  EXPECT_TRUE(modal.Prompts().empty());
}

TEST_F(ShellCommandTest, ViewMenuChecksFollowTheBars) {
  ASSERT_TRUE(Start());
  CMenu* viewMenu = Frame()->GetMenu()->GetSubMenu(1);
  ASSERT_NE(viewMenu, nullptr);
  const struct {
    UINT command;
    UINT barId;
  } bars[] = {{ID_VIEW_TOOLBAR, AFX_IDW_TOOLBAR}, {ID_VIEW_STATUS_BAR, AFX_IDW_STATUS_BAR}};
  for (const auto& b : bars) {
    CWnd* bar = Frame()->GetDlgItem(static_cast<int>(b.barId));
    ASSERT_NE(bar, nullptr);
    Frame()->OnInitMenuPopup(viewMenu);
    EXPECT_TRUE(viewMenu->GetMenuState(b.command, MF_BYCOMMAND) & MF_CHECKED);
    Command(b.command);
    EXPECT_FALSE(bar->IsWindowVisible());
    Frame()->OnInitMenuPopup(viewMenu);
    EXPECT_FALSE(viewMenu->GetMenuState(b.command, MF_BYCOMMAND) & MF_CHECKED);
    Command(b.command);
    EXPECT_TRUE(bar->IsWindowVisible());
    Frame()->OnInitMenuPopup(viewMenu);
    EXPECT_TRUE(viewMenu->GetMenuState(b.command, MF_BYCOMMAND) & MF_CHECKED);
  }
}

TEST_F(ShellCommandTest, ToolbarDeviceButtonsAreDisabledWithoutSelection) {
  ASSERT_TRUE(Start());
  Frame()->OnIdleUpdateCmdUI();
  CToolBar* bar = Frame()->GetToolBar();
  for (UINT id : kDeviceCommands)
    EXPECT_FALSE(bar->GetButton(bar->CommandToIndex(id)).enabled) << id;
  EXPECT_TRUE(bar->GetButton(bar->CommandToIndex(ID_REFRESH)).enabled);
  EXPECT_TRUE(bar->GetButton(bar->CommandToIndex(ID_APP_ABOUT)).enabled);
}

TEST_F(ShellCommandTest, ContextMenuOpensWithDeviceCommandsDisabledWithoutSelection) {
  ASSERT_TRUE(Start());
  CMenu context;
  ASSERT_TRUE(context.LoadMenu(142));
  context.GetSubMenu(0)->TrackPopupMenu(0, 10, 10, Frame()->GetActiveView());
  ASSERT_EQ(desktop.shown.size(), 1u);
  for (const auto& item : desktop.shown[0]) {
    if (item.flags & MF_SEPARATOR) continue;
    bool device = std::find(std::begin(kDeviceCommands), std::end(kDeviceCommands), item.id) !=
                  std::end(kDeviceCommands);
    EXPECT_EQ((item.flags & MF_GRAYED) != 0, device) << item.text;
  }
}

TEST_F(ShellCommandTest, SelectingOneRowEnablesTheTenDeviceItemsAndButtons) {
  ASSERT_TRUE(Start());
  auto* view = dynamic_cast<CTarvexView*>(Frame()->GetActiveView());
  ASSERT_NE(view, nullptr);
  BYTE reply[DEVICE_PACKET_SIZE] = {'Q', 'K', 'Z', 'A'};
  view->AddDeviceRow(reply);
  LVITEMA state;
  state.stateMask = LVIS_SELECTED;
  state.state = LVIS_SELECTED;
  view->SendMessage(LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&state));
  ASSERT_EQ(view->SendMessage(LVM_GETSELECTEDCOUNT), 1);

  Frame()->OnIdleUpdateCmdUI();
  CToolBar* bar = Frame()->GetToolBar();
  for (UINT id : kDeviceCommands)
    EXPECT_TRUE(bar->GetButton(bar->CommandToIndex(id)).enabled) << id;
  CMenu context;
  ASSERT_TRUE(context.LoadMenu(142));
  context.GetSubMenu(0)->TrackPopupMenu(0, 10, 10, view);
  ASSERT_EQ(desktop.shown.size(), 1u);
  for (const auto& item : desktop.shown[0])
    if ((item.flags & MF_SEPARATOR) == 0) {
      EXPECT_EQ(item.flags & MF_GRAYED, 0u) << item.text;
    }
}

TEST_F(ShellCommandTest, ChosenPopupItemGoesToTheFrameAsCommand) {
  ASSERT_TRUE(Start());
  network.ClearSent();
  CMenu context;
  ASSERT_TRUE(context.LoadMenu(142));
  desktop.choice = ID_REFRESH;
  EXPECT_TRUE(context.GetSubMenu(0)->TrackPopupMenu(0, 10, 10, Frame()->GetActiveView()));
  EXPECT_EQ(network.Sent().size(), 1u);  // the Refresh ran: one discovery request
}

TEST_F(ShellCommandTest, MessagePaneShowsPromptsAndReturnsToReady) {
  ASSERT_TRUE(Start());
  CStatusBar& bar = StatusBar();
  const struct {
    const char* what;
    std::function<void(CMainFrame&)> act;
    const char* pane;
  } steps[] = {
      {"pointer on Modify MAC", [](CMainFrame& f) { f.SetFlyByCommand(32781); },
       "Modify MAC which selects device。"},
      {"pointer off the buttons", [](CMainFrame& f) { f.SetFlyByCommand(0); }, "Ready"},
      {"View > Auto Arrange highlighted",
       [](CMainFrame& f) { f.SendMessage(WM_MENUSELECT, MAKEWPARAM(ID_VIEW_AUTOARRANGE, 0), 1); },
       "Auto arrange。"},
      {"pop-up title highlighted",
       [](CMainFrame& f) { f.SendMessage(WM_MENUSELECT, MAKEWPARAM(1, MF_POPUP), 1); }, ""},
      {"menu closed", [](CMainFrame& f) { f.SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0); },
       "Ready"},
      {"pointer on Tool Bar item",
       [](CMainFrame& f) { f.SendMessage(WM_MENUSELECT, MAKEWPARAM(ID_VIEW_TOOLBAR, 0), 1); },
       "Show or hide the toolbar"},
  };
  for (const auto& s : steps) {
    s.act(*Frame());
    Frame()->OnIdleUpdateCmdUI();
    EXPECT_EQ(bar.GetPaneText(0), s.pane) << s.what;
  }
  EXPECT_EQ(CToolBar::TooltipFor(32781), "Modify MAC");
  EXPECT_EQ(CToolBar::TooltipFor(ID_VIEW_AUTOARRANGE), "");
}

TEST_F(ShellCommandTest, ContextMenuPromptGivesWayToReadyWhenItCloses) {
  ASSERT_TRUE(Start());
  CMenu context;
  ASSERT_TRUE(context.LoadMenu(142));
  std::string whileOpen;
  desktop.hover = 32783;
  desktop.whileOpen = [&] { whileOpen = StatusBar().GetPaneText(0); };
  context.GetSubMenu(0)->TrackPopupMenu(0, 10, 10, Frame()->GetActiveView());
  EXPECT_EQ(whileOpen, "Soft Reset which selects device。");
  Frame()->OnIdleUpdateCmdUI();
  EXPECT_EQ(StatusBar().GetPaneText(0), "Ready");
}

TEST_F(ShellCommandTest, LockKeyPanesShowOnlyWhileTheirKeyIsOn) {
  ASSERT_TRUE(Start());
  CStatusBar& bar = StatusBar();
  Frame()->m_lockKeyState = [](UINT vk) { return vk == VK_CAPITAL; };
  Frame()->OnIdleUpdateCmdUI();
  EXPECT_EQ(bar.GetPane(1).style & SBPS_DISABLED, 0u);
  EXPECT_NE(bar.GetPane(2).style & SBPS_DISABLED, 0u);
  EXPECT_NE(bar.GetPane(3).style & SBPS_DISABLED, 0u);
  // The online count has no update handler: the idle update leaves it alone.
  EXPECT_EQ(bar.GetPane(4).style & SBPS_DISABLED, 0u);
  EXPECT_EQ(bar.GetPane(4).width, 100);
  Frame()->m_lockKeyState = nullptr;
  Frame()->OnIdleUpdateCmdUI();
  EXPECT_NE(bar.GetPane(1).style & SBPS_DISABLED, 0u);
}

}  // namespace
}  // namespace apptest
