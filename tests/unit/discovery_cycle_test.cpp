// The discovery cycle of the device list view on the manual clock and the in-memory network.
#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "platform/afx/CDocTemplate.h"
#include "platform/afx/CDocument.h"
#include "platform/afx/CFrameWnd.h"
#include "platform/afx/CStatusBar.h"
#include "platform/afx/CWinApp.h"
#include "platform/afx/ManualClock.h"
#include "platform/afx/MemoryNetwork.h"
#include "platform/afx/Resources.h"
#include "platform/afx/ScriptedModalDriver.h"
#include "platform/afx/Services.h"
#include "platform/afx/SocketSettings.h"
#include "protocol/CListSocket.h"
#include "protocol/DevicePacket.h"
#include "res/StringTable.h"
#include "view/CTarvexView.h"

namespace {

int g_deleteAll = 0;

// The device list view on the real list control, counting how often the list was emptied.
class TestView final : public CTarvexView {
  DECLARE_MESSAGE_MAP()

 protected:
  LRESULT OnDeleteAll(WPARAM wParam, LPARAM lParam) {
    ++g_deleteAll;
    return OnDeleteAllRows(wParam, lParam);
  }
};
BEGIN_MESSAGE_MAP(TestView, CTarvexView)
ON_MESSAGE(LVM_DELETEALLITEMS, OnDeleteAll)
END_MESSAGE_MAP()

// A frame with just the status bar of the main frame: the five indicators, the last one the
// online count.
class TestFrame final : public CFrameWnd {
  DECLARE_MESSAGE_MAP()
 public:
  CStatusBar m_wndStatusBar;

 protected:
  int OnCreate(LPCREATESTRUCT cs) {
    if (CFrameWnd::OnCreate(cs) == -1) return -1;
    static const UINT indicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM,
                                      ID_INDICATOR_SCRL, ID_INDICATOR_EXT};
    if (!m_wndStatusBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM) ||
        !m_wndStatusBar.SetIndicators(indicators, 5))
      return -1;
    m_wndStatusBar.SetPaneInfo(4, ID_INDICATOR_EXT, SBPS_NORMAL, 100);
    return 0;
  }
};
BEGIN_MESSAGE_MAP(TestFrame, CFrameWnd)
ON_WM_CREATE()
END_MESSAGE_MAP()

const std::vector<std::uint8_t> kRequest = [] {
  std::vector<std::uint8_t> r(DEVICE_PACKET_SIZE, 0);
  r[0] = 'Q';
  r[1] = 'K';
  r[2] = 'Z';
  r[3] = '9';
  return r;
}();

class Discovery : public ::testing::Test {
 protected:
  void SetUp() override {
    m_saved = AfxServices();
    AfxServices().timers = &clock;
    AfxServices().network = &net;
    AfxServices().modal = &modal;
    SocketSettings::Get() = SocketSettings{};
    RegisterStringTable();
    g_deleteAll = 0;
    app = std::make_unique<CWinApp>();
    app->InitInstance();
    app->AddDocTemplate(new CSingleDocTemplate(
        128, [] { return new CDocument; }, [] { return new TestFrame; },
        [] { return new TestView; }));
  }
  void TearDown() override {
    EXPECT_TRUE(modal.Errors().empty()) << "a message box nobody expected";
    app.reset();
    ResetWindowSystem();
    AfxServices() = m_saved;
    SocketSettings::Get() = SocketSettings{};
  }

  // Starts the program's one document: frame, status bar and view; the view's creation runs
  // the first discovery.
  void Start() {
    app->OnFileNew();
    auto* tmpl = static_cast<CSingleDocTemplate*>(app->GetFirstDocTemplate());
    frame = static_cast<TestFrame*>(tmpl->GetFrame());
    ASSERT_NE(frame, nullptr);
    view = static_cast<TestView*>(frame->GetActiveView());
    ASSERT_NE(view, nullptr);
    ASSERT_TRUE(view->m_pSocket);
  }

  // One reply of a device arrives and is handled.
  void Reply(std::size_t length = DEVICE_PACKET_SIZE) {
    std::vector<std::uint8_t> bytes(length, 0x31);
    net.Inject(4000, bytes);
    net.Deliver();
  }
  void AdvanceTo(std::uint64_t ms) { clock.Advance(ms - clock.NowMs()); }
  bool WindowOpen() const { return net.IsBound(4000); }
  std::string OnlinePane() const { return frame->m_wndStatusBar.GetPaneText(4); }
  void Refresh() { frame->SendMessage(WM_COMMAND, CTarvexView::ID_REFRESH, 0); }
  int RequestsSent() const {
    int n = 0;
    for (const auto& d : net.Sent()) n += d.bytes == kRequest ? 1 : 0;
    return n;
  }

  ManualClock clock;
  MemoryNetwork net;
  ScriptedModalDriver modal;
  std::unique_ptr<CWinApp> app;
  TestFrame* frame = nullptr;
  TestView* view = nullptr;

 private:
  PlatformServices m_saved;
};

TEST_F(Discovery, CreatingTheViewBroadcastsOneRequestAndOpensTheWindow) {
  Start();
  ASSERT_EQ(net.Sent().size(), 1u);
  const MemoryNetwork::Datagram& d = net.Sent()[0];
  EXPECT_EQ(d.bytes, kRequest);
  EXPECT_EQ(d.addr, 0xFFFFFFFFu);
  EXPECT_EQ(d.port, 36);
  EXPECT_EQ(d.sourcePort, 4000);
  EXPECT_TRUE(net.BroadcastEnabled(4000));
  EXPECT_EQ(clock.DueAt(view->m_hWnd, CTarvexView::TIMER_DISCOVERY), 5000u);
  EXPECT_EQ(g_deleteAll, 1);
  EXPECT_EQ(view->m_pSocket->m_nOnlineCount, 0);
  EXPECT_EQ(view->m_pSocket->m_bReplySeen, 0);
  EXPECT_TRUE(modal.Prompts().empty());
}

TEST_F(Discovery, RepliesAreCountedAndShownInTheOnlinePane) {
  Start();
  Reply();
  Reply();
  Reply();
  EXPECT_EQ(view->m_pSocket->m_nOnlineCount, 3);
  EXPECT_EQ(view->m_pSocket->m_bReplySeen, 1);
  EXPECT_EQ(OnlinePane(), "Online : 3");
}

TEST_F(Discovery, OnlineCountSaturatesAndItsTextIsNeverAFormat) {
  Start();
  view->m_pSocket->m_nOnlineCount = INT32_MAX;
  Reply();
  EXPECT_EQ(view->m_pSocket->m_nOnlineCount, INT32_MAX);
  EXPECT_EQ(OnlinePane(), "Online : 2147483647");

  std::string& online = ResourceTable::Get().strings[40007];
  const std::string saved = online;
  online = "%s%n%d";
  Reply();
  online = saved;
  EXPECT_EQ(OnlinePane(), "%s%n%d : 2147483647");
}

TEST_F(Discovery, EveryNonEmptyDatagramCountsAsAReply) {
  struct Case {
    std::size_t length;
    int counted;
  } cases[] = {{0, 0}, {1, 1}, {18, 1}, {52, 1}, {53, 1}, {2048, 1}};
  Start();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.length);
    const int before = view->m_pSocket->m_nOnlineCount;
    view->m_pSocket->m_bReplySeen = 0;
    Reply(c.length);
    EXPECT_EQ(view->m_pSocket->m_nOnlineCount - before, c.counted);
    EXPECT_EQ(view->m_pSocket->m_bReplySeen, c.counted);
  }
  EXPECT_EQ(OnlinePane(), "Online : 5");
}

// The window lasts 5000 ms and each step that brought a reply adds another 5000 ms.
struct WindowCase {
  const char* name;
  std::vector<std::uint64_t> replies;
  std::uint64_t closesAt;
};

void PrintTo(const WindowCase& c, std::ostream* os) {
  *os << c.name;
}

class DiscoveryWindow : public Discovery, public ::testing::WithParamInterface<WindowCase> {};

TEST_P(DiscoveryWindow, IsLengthenedInStepsWhileRepliesKeepComing) {
  const WindowCase& c = GetParam();
  Start();
  for (std::uint64_t t : c.replies) {
    AdvanceTo(t);
    ASSERT_TRUE(WindowOpen());
    Reply();
  }
  AdvanceTo(c.closesAt - 1);
  EXPECT_TRUE(WindowOpen());
  AdvanceTo(c.closesAt);
  EXPECT_FALSE(WindowOpen());
  EXPECT_FALSE(clock.IsRunning(view->m_hWnd, CTarvexView::TIMER_DISCOVERY));
  // A closed window reads nothing: later datagrams are lost, the count stays.
  const int count = view->m_pSocket->m_nOnlineCount;
  EXPECT_FALSE(net.Inject(4000, kRequest));
  net.Deliver();
  EXPECT_EQ(view->m_pSocket->m_nOnlineCount, count);
  EXPECT_EQ(RequestsSent(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DiscoveryWindow,
    ::testing::Values(WindowCase{"NoDevice", {}, 5000},
                      WindowCase{"AnswersInTheFirstStepThenSilence", {100, 4900}, 10000},
                      WindowCase{"AReplyInEachOfTwoSteps", {100, 5100}, 15000},
                      WindowCase{"AReplyJustBeforeTheSecondTick", {100, 9999}, 15000},
                      WindowCase{"OneReplyAtTheEndOfTheFirstStep", {4999}, 10000}),
    [](const ::testing::TestParamInfo<WindowCase>& info) { return info.param.name; });

TEST_F(Discovery, ClosingTickKeepsTheLastCountInThePane) {
  Start();
  Reply();
  Reply();
  AdvanceTo(10000);
  ASSERT_FALSE(WindowOpen());
  EXPECT_EQ(OnlinePane(), "Online : 2");
  Refresh();
  AdvanceTo(15000);
  EXPECT_FALSE(WindowOpen());
  EXPECT_EQ(OnlinePane(), "Online : 2") << "a discovery without replies leaves the old count";
  EXPECT_EQ(view->m_pSocket->m_nOnlineCount, 0);
}

TEST_F(Discovery, RefreshDuringAnOpenWindowStartsAnew) {
  Start();
  AdvanceTo(1000);
  Reply();
  Reply();
  AdvanceTo(3000);
  Refresh();
  EXPECT_EQ(g_deleteAll, 2);
  EXPECT_EQ(RequestsSent(), 2);
  EXPECT_EQ(view->m_pSocket->m_nOnlineCount, 0);
  EXPECT_EQ(OnlinePane(), "Online : 2") << "the pane waits for the next reply";
  EXPECT_EQ(clock.DueAt(view->m_hWnd, CTarvexView::TIMER_DISCOVERY), 8000u);
  Reply();
  EXPECT_EQ(OnlinePane(), "Online : 1");
}

TEST_F(Discovery, FlagLeftSetLengthensTheFirstStepOnce) {
  Start();
  AdvanceTo(1000);
  Reply();  // sets the flag
  AdvanceTo(3000);
  Refresh();  // leaves the flag set
  EXPECT_EQ(view->m_pSocket->m_bReplySeen, 1);
  AdvanceTo(8000);
  EXPECT_TRUE(WindowOpen()) << "the old flag keeps the window open";
  EXPECT_EQ(view->m_pSocket->m_bReplySeen, 0);
  AdvanceTo(12999);
  EXPECT_TRUE(WindowOpen());
  AdvanceTo(13000);
  EXPECT_FALSE(WindowOpen());
}

TEST_F(Discovery, TakenPortShowsThePortMessageOncePerRefresh) {
  net.SetPortTaken(4000);
  modal.AnswerMessageBox();
  Start();
  ASSERT_EQ(modal.Prompts().size(), 1u);
  const ScriptedModalDriver::Prompt& box = modal.Prompts()[0];
  EXPECT_EQ(box.kind, ScriptedModalDriver::Prompt::Kind::MessageBox);
  EXPECT_EQ(box.text, "Socket port '4000' Open fail ！");
  EXPECT_EQ(box.caption, "Lanorix");
  EXPECT_EQ(box.type & MB_ICONMASK, MB_ICONEXCLAMATION);
  EXPECT_TRUE(net.Sent().empty());
  EXPECT_FALSE(clock.IsRunning(view->m_hWnd, CTarvexView::TIMER_DISCOVERY));
  EXPECT_EQ(OnlinePane(), "Online : 0") << "the status bar keeps the text of the first show";

  modal.AnswerMessageBox();
  Refresh();
  EXPECT_EQ(modal.Prompts().size(), 2u);
  EXPECT_EQ(g_deleteAll, 2);
  AdvanceTo(60000);
  EXPECT_EQ(modal.Prompts().size(), 2u) << "nothing retries on its own";
  EXPECT_TRUE(net.Sent().empty());

  net.SetPortTaken(4000, false);
  Refresh();
  EXPECT_EQ(modal.Prompts().size(), 2u);
  EXPECT_EQ(RequestsSent(), 1);
}

TEST_F(Discovery, PortMessageNamesTheConfiguredLocalPort) {
  RegisterStringTable();
  EXPECT_EQ(CTarvexView::PortMessage(), "Socket port '4000' Open fail ！");
  SocketSettings::Get().localPort = 4711;
  EXPECT_EQ(CTarvexView::PortMessage(), "Socket port '4711' Open fail ！");
}

TEST_F(Discovery, RescanTimerRefreshesOnceAndStops) {
  Start();
  AdvanceTo(5000);
  ASSERT_FALSE(WindowOpen());
  view->SetTimer(CTarvexView::TIMER_RESCAN, 2000);
  AdvanceTo(7000);
  EXPECT_EQ(RequestsSent(), 2);
  EXPECT_TRUE(WindowOpen());
  EXPECT_FALSE(clock.IsRunning(view->m_hWnd, CTarvexView::TIMER_RESCAN));
  EXPECT_EQ(clock.DueAt(view->m_hWnd, CTarvexView::TIMER_DISCOVERY), 12000u);
  AdvanceTo(30000);
  EXPECT_EQ(RequestsSent(), 2);
}

TEST_F(Discovery, OtherTimerIdsAreIgnored) {
  Start();
  view->SendMessage(WM_TIMER, 3, 0);
  view->SendMessage(WM_TIMER, 0, 0);
  EXPECT_TRUE(WindowOpen());
  EXPECT_EQ(RequestsSent(), 1);
  EXPECT_EQ(g_deleteAll, 1);
}

TEST_F(Discovery, ClosingTickClosesASocketThatACommandJustReopened) {
  Start();
  // A device command recreates the socket for sending, leaving timer 1 as it was.
  view->m_pSocket->Close();
  ASSERT_TRUE(view->m_pSocket->Create(4000, SOCK_DGRAM, FD_READ | FD_WRITE, nullptr));
  AdvanceTo(5000);
  EXPECT_FALSE(WindowOpen());
  const std::uint8_t command[DEVICE_PACKET_SIZE] = {'Q', 'K', 'Z', '='};
  EXPECT_EQ(view->m_pSocket->SendTo(command, DEVICE_PACKET_SIZE, 36, nullptr), SOCKET_ERROR);
  EXPECT_EQ(net.Sent().size(), 1u) << "nothing goes out on the closed socket";
}

TEST_F(Discovery, SocketReopenedOutsideAWindowStillCountsReplies) {
  Start();
  AdvanceTo(5000);
  ASSERT_FALSE(WindowOpen());
  ASSERT_TRUE(view->m_pSocket->Create(4000, SOCK_DGRAM, FD_READ | FD_WRITE, nullptr));
  Reply();
  EXPECT_EQ(view->m_pSocket->m_nOnlineCount, 1);
  AdvanceTo(60000);
  EXPECT_TRUE(WindowOpen()) << "no timer runs to close it";
}

TEST_F(Discovery, DestroyingTheViewEmptiesTheListAndDeletesTheSocket) {
  Start();
  ASSERT_TRUE(WindowOpen());
  const int before = g_deleteAll;
  frame->DestroyWindow();
  EXPECT_EQ(g_deleteAll, before + 1);
  EXPECT_FALSE(net.IsBound(4000));
  EXPECT_EQ(net.EndpointCount(), 0);
  AdvanceTo(20000);  // the view's timers die with its window
}

}  // namespace
