// The Qt timer and network services against the real event loop, on loopback only.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <cstring>

#include "platform/afx/CWnd.h"
#include "platform/qt/QtDatagramNetwork.h"
#include "platform/qt/QtTimerService.h"

namespace {

class TickCounter : public CWnd {
  DECLARE_MESSAGE_MAP()
 public:
  int ticks = 0;
  void OnTimer(UINT_PTR) { ++ticks; }
};
BEGIN_MESSAGE_MAP(TickCounter, CWnd)
ON_WM_TIMER()
END_MESSAGE_MAP()

// Runs the event loop for ms milliseconds or until done says so.
template <typename Done>
void RunFor(int ms, Done done) {
  QElapsedTimer t;
  t.start();
  while (t.elapsed() < ms && !done()) QApplication::processEvents(QEventLoop::AllEvents, 10);
}

TEST(QtTimerServiceTest, TimerSendsWmTimerAndSettingAgainRestartsIt) {
  QtTimerService timers;
  TickCounter wnd;
  ASSERT_TRUE(wnd.Create("Generic", "", 0, RECT{}, nullptr, 1));
  timers.SetTimer(wnd.m_hWnd, 7, 30);
  RunFor(2000, [&] { return wnd.ticks > 0; });
  EXPECT_GT(wnd.ticks, 0);

  // Same id with a long period: no tick for a while.
  timers.SetTimer(wnd.m_hWnd, 7, 5000);
  const int before = wnd.ticks;
  RunFor(150, [] { return false; });
  EXPECT_EQ(wnd.ticks, before);
  EXPECT_EQ(timers.RunningCount(), 1);

  timers.KillTimer(wnd.m_hWnd, 7);
  EXPECT_EQ(timers.RunningCount(), 0);
}

TEST(QtTimerServiceTest, SleepHandlesNothing) {
  QtTimerService timers;
  TickCounter wnd;
  ASSERT_TRUE(wnd.Create("Generic", "", 0, RECT{}, nullptr, 2));
  timers.SetTimer(wnd.m_hWnd, 1, 5);
  const auto start = timers.NowMs();
  timers.Sleep(60);
  EXPECT_GE(timers.NowMs() - start, 60u);
  EXPECT_EQ(wnd.ticks, 0);
  timers.KillTimer(wnd.m_hWnd, 1);
}

TEST(QtTimerServiceTest, TimerOfADestroyedWindowStops) {
  QtTimerService timers;
  HWND gone = nullptr;
  {
    TickCounter wnd;
    ASSERT_TRUE(wnd.Create("Generic", "", 0, RECT{}, nullptr, 3));
    gone = wnd.m_hWnd;
    timers.SetTimer(gone, 1, 5);
  }
  RunFor(100, [&] { return timers.RunningCount() == 0; });
  EXPECT_EQ(timers.RunningCount(), 0);
}

TEST(QtDatagramNetworkTest, ReadinessArrivesThroughTheEventLoop) {
  QtDatagramNetwork network;
  auto receiver = network.CreateEndpoint();
  auto sender = network.CreateEndpoint();
  ASSERT_TRUE(receiver && sender);
  std::uint16_t port = 47211;
  while (!receiver->Bind(port) && port < 47300) ++port;
  char got[16] = {};
  int length = -1;
  receiver->onReadable = [&] { length = receiver->Receive(got, sizeof got); };
  ASSERT_EQ(sender->SendTo("hello", 5, 0x7F000001u, port), 5);  // 127.0.0.1 only
  RunFor(2000, [&] { return length >= 0; });
  EXPECT_EQ(length, 5);
  EXPECT_EQ(std::strncmp(got, "hello", 5), 0);

  // A closed endpoint is not reported again.
  receiver->Close();
  length = -1;
  sender->SendTo("again", 5, 0x7F000001u, port);
  RunFor(100, [] { return false; });
  EXPECT_EQ(length, -1);
}

}  // namespace
