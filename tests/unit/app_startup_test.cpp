#include <gtest/gtest.h>

#include "app_fixture.h"
#include "platform/afx/CDocTemplate.h"
#include "platform/afx/CDocument.h"
#include "platform/afx/Resources.h"

namespace apptest {
namespace {

using StartupTest = AppFixture;

// A network whose sockets cannot be made at all.
class NoSocketsNetwork final : public DatagramNetwork {
 public:
  int attempts = 0;
  std::unique_ptr<DatagramEndpoint> CreateEndpoint() override {
    ++attempts;
    return nullptr;
  }
};

// Passes everything to the in-memory network and notes, for each datagram sent, whether the
// main window was already showing.
class ShowWatchingNetwork final : public DatagramNetwork {
 public:
  explicit ShowWatchingNetwork(DatagramNetwork& inner) : m_inner(inner) {}
  std::vector<bool> shownAtSend;

  std::unique_ptr<DatagramEndpoint> CreateEndpoint() override {
    return std::make_unique<Endpoint>(*this, m_inner.CreateEndpoint());
  }

 private:
  class Endpoint final : public DatagramEndpoint {
   public:
    Endpoint(ShowWatchingNetwork& owner, std::unique_ptr<DatagramEndpoint> inner)
        : m_owner(owner), m_inner(std::move(inner)) {
      m_inner->onReadable = [this] {
        if (onReadable) onReadable();
      };
    }
    bool Bind(std::uint16_t port) override { return m_inner->Bind(port); }
    void SetBroadcast(bool on) override { m_inner->SetBroadcast(on); }
    int SendTo(const void* data, std::size_t len, std::uint32_t addr, std::uint16_t port) override {
      CWnd* main = AfxGetMainWnd();
      m_owner.shownAtSend.push_back(main != nullptr && main->IsWindowVisible());
      return m_inner->SendTo(data, len, addr, port);
    }
    int Receive(void* buf, std::size_t len) override { return m_inner->Receive(buf, len); }
    void Close() override { m_inner->Close(); }

   private:
    ShowWatchingNetwork& m_owner;
    std::unique_ptr<DatagramEndpoint> m_inner;
  };
  DatagramNetwork& m_inner;
};

TEST_F(StartupTest, TitleReadsExactlyTheProgramNameAndVersion) {
  ASSERT_TRUE(Start());
  ASSERT_NE(Frame(), nullptr);
  EXPECT_EQ(Frame()->GetWindowText(), "Lanorix V1.20");
  EXPECT_TRUE(Frame()->IsWindowVisible());
  EXPECT_TRUE(modal.Prompts().empty());
}

TEST_F(StartupTest, FirstDiscoveryIsSentBeforeTheWindowIsShown) {
  ShowWatchingNetwork watching(network);
  AfxServices().network = &watching;
  ASSERT_TRUE(Start());
  ASSERT_FALSE(watching.shownAtSend.empty());
  EXPECT_FALSE(watching.shownAtSend.front());
  EXPECT_TRUE(Frame()->IsWindowVisible());
}

TEST_F(StartupTest, ProfileIsNamedAndKeepsFourRecentFiles) {
  ASSERT_TRUE(Start());
  EXPECT_EQ(app->m_strRegistryKey, "本機 AppWizard 所產生的應用程式");
  EXPECT_EQ(app->m_pszAppName, "Lanorix");
  EXPECT_EQ(app->m_nMaxMru, 4u);
}

TEST_F(StartupTest, OneTemplateMakesDocumentFrameAndView) {
  ASSERT_TRUE(Start());
  CDocTemplate* tmpl = app->GetFirstDocTemplate();
  ASSERT_NE(tmpl, nullptr);
  EXPECT_EQ(tmpl->m_nIDResource, 128u);
  CDocument* doc = tmpl->GetFirstDoc();
  ASSERT_NE(doc, nullptr);
  EXPECT_EQ(doc->GetFirstView(), Frame()->GetActiveView());
  EXPECT_FALSE(doc->IsModified());
}

TEST_F(StartupTest, StatusBarHasFivePanesWithTheOnlineCountLast) {
  ASSERT_TRUE(Start());
  CStatusBar& bar = StatusBar();
  ASSERT_EQ(bar.GetCount(), 5);
  const UINT ids[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL,
                      ID_INDICATOR_EXT};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(bar.GetItemID(i), ids[i]) << "pane " << i;
  EXPECT_EQ(bar.CommandToIndex(ID_INDICATOR_EXT), 4);
  EXPECT_EQ(bar.GetPane(4).width, 100);
  EXPECT_EQ(bar.GetPane(4).style, SBPS_NORMAL);
}

TEST_F(StartupTest, OnlinePaneShowsZeroCountNotExtAfterStartUp) {
  ASSERT_TRUE(Start());
  EXPECT_EQ(StatusBar().GetPaneText(4), "Online : 0");
}

TEST_F(StartupTest, MessagePaneReadsReadyOnceIdle) {
  ASSERT_TRUE(Start());
  Frame()->OnIdleUpdateCmdUI();
  EXPECT_EQ(StatusBar().GetPaneText(0), "Ready");
}

TEST_F(StartupTest, FailedSocketsShowString104AndNoWindow) {
  NoSocketsNetwork none;
  AfxServices().network = &none;
  modal.AnswerMessageBox(IDOK);
  EXPECT_FALSE(Start());
  ASSERT_EQ(modal.Prompts().size(), 1u);
  EXPECT_EQ(modal.Prompts()[0].text, "Windows 通訊端安裝失敗。");
  EXPECT_EQ(modal.Prompts()[0].caption, "Lanorix");
  EXPECT_EQ(modal.Prompts()[0].type & MB_ICONMASK, MB_ICONEXCLAMATION);
  EXPECT_EQ(AfxGetMainWnd(), nullptr);
  EXPECT_EQ(app->GetFirstDocTemplate(), nullptr);
  EXPECT_EQ(none.attempts, 1);
}

TEST_F(StartupTest, RefusedFrameShowsFailedToCreateDocumentAndEnds) {
  ResourceTable::Get().toolbars.erase(128);  // the toolbar cannot be loaded
  modal.AnswerMessageBox(IDOK);
  EXPECT_FALSE(Start());
  ASSERT_EQ(modal.Prompts().size(), 1u);
  EXPECT_EQ(modal.Prompts()[0].text, "Failed to create empty document.");
  EXPECT_EQ(AfxGetMainWnd(), nullptr);
}

TEST_F(StartupTest, TakenDiscoveryPortStillOpensTheWindow) {
  network.SetPortTaken(4000);
  modal.AnswerMessageBox(IDOK);
  ASSERT_TRUE(Start());
  ASSERT_EQ(modal.Prompts().size(), 1u);
  EXPECT_EQ(modal.Prompts()[0].text, "Socket port '4000' Open fail ！");
  EXPECT_TRUE(Frame()->IsWindowVisible());
}

TEST_F(StartupTest, LogoIsDrawnOntoTheToolbarEvery200Ms) {
  ToolbarScreen screen;
  ASSERT_TRUE(Start());
  Frame()->GetToolBar()->SetObserver(&screen);
  clock.Advance(199);
  EXPECT_TRUE(screen.dc.bitmaps.empty());
  clock.Advance(1);
  ASSERT_EQ(screen.dc.bitmaps.size(), 1u);
  EXPECT_EQ(screen.dc.bitmaps[0].rect, (RECT{300, 3, 438, 35}));
  ASSERT_NE(screen.dc.bitmaps[0].image, nullptr);
  EXPECT_EQ(screen.dc.bitmaps[0].image->width, 138);
  EXPECT_EQ(screen.dc.bitmaps[0].image->height, 32);
  clock.Advance(1000);
  EXPECT_EQ(screen.dc.bitmaps.size(), 6u);
  EXPECT_EQ(screen.taken, screen.released);
}

TEST_F(StartupTest, LogoTimerIgnoresOtherTimerIds) {
  ToolbarScreen screen;
  ASSERT_TRUE(Start());
  Frame()->GetToolBar()->SetObserver(&screen);
  Frame()->SendMessage(WM_TIMER, 2, 0);
  EXPECT_EQ(screen.taken, 0);
}

TEST_F(StartupTest, ClosingTheFrameStopsTheLogoTimer) {
  ASSERT_TRUE(Start());
  HWND frame = Frame()->m_hWnd;
  ASSERT_TRUE(clock.IsRunning(frame, CMainFrame::TIMER_LOGO));
  app.reset();
  EXPECT_FALSE(clock.IsRunning(frame, CMainFrame::TIMER_LOGO));
}

TEST_F(StartupTest, ExitEndsTheProgramWithoutPrompts) {
  ASSERT_TRUE(Start());
  Command(ID_APP_EXIT);
  EXPECT_TRUE(app->m_bQuitPosted);
  EXPECT_TRUE(modal.Prompts().empty());
}

}  // namespace
}  // namespace apptest
