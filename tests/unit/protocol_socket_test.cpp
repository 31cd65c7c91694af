#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/afx/CSocket.h"
#include "platform/afx/MemoryNetwork.h"
#include "platform/afx/Services.h"
#include "platform/afx/SocketSettings.h"

namespace {

constexpr long kAllEvents = FD_READ | FD_WRITE | FD_OOB | FD_ACCEPT | FD_CONNECT | FD_CLOSE;

class SocketOnMemoryNetwork : public ::testing::Test {
 protected:
  void SetUp() override {
    m_saved = AfxServices();
    AfxServices().network = &net;
    SocketSettings::Get() = SocketSettings{};
  }
  void TearDown() override {
    AfxServices() = m_saved;
    SocketSettings::Get() = SocketSettings{};
  }
  MemoryNetwork net;

 private:
  PlatformServices m_saved;
};

// Reads one datagram per readiness call into a small buffer; optionally closes itself.
class ReadingSocket final : public CSocket {
 public:
  void OnReceive(int) override {
    char buf[8] = {};
    int n = Receive(buf, static_cast<int>(sizeof buf));
    reads.push_back(n);
    if (n > 0) texts.emplace_back(buf, static_cast<std::size_t>(n));
    if (closeOnReceive) Close();
    if (churnOnReceive) {
      // Close, reopen and close again while the first endpoint's call is still running.
      Close();
      Create(4000, SOCK_DGRAM, FD_READ, nullptr);
      Close();
    }
  }
  std::vector<int> reads;
  std::vector<std::string> texts;
  bool closeOnReceive = false;
  bool churnOnReceive = false;
};

TEST_F(SocketOnMemoryNetwork, CreateBindsThePortAndATakenPortFails) {
  CSocket a;
  ASSERT_TRUE(a.Create(4000, SOCK_DGRAM, kAllEvents, nullptr));
  EXPECT_TRUE(net.IsBound(4000));
  EXPECT_FALSE(a.Create(4000, SOCK_DGRAM, kAllEvents, nullptr)) << "already open";
  EXPECT_TRUE(a.IsOpen());

  CSocket b;
  EXPECT_FALSE(b.Create(4000, SOCK_DGRAM, kAllEvents, nullptr));
  EXPECT_FALSE(b.IsOpen());

  net.SetPortTaken(4001);
  EXPECT_FALSE(b.Create(4001, SOCK_DGRAM, kAllEvents, nullptr));
  EXPECT_FALSE(b.Create(4002, SOCK_STREAM, kAllEvents, nullptr)) << "datagram sockets only";
  EXPECT_FALSE(b.Create(4002, SOCK_DGRAM, kAllEvents, "10.0.0.1")) << "no single-address bind";
  EXPECT_EQ(net.EndpointCount(), 1);

  AfxServices().network = nullptr;
  EXPECT_FALSE(b.Create(4003, SOCK_DGRAM, kAllEvents, nullptr));
}

TEST_F(SocketOnMemoryNetwork, NullHostSendsToTheConfiguredBroadcastAddress) {
  CSocket s;
  ASSERT_TRUE(s.Create(4000, SOCK_DGRAM, kAllEvents, nullptr));
  const char data[3] = {'a', 'b', 'c'};
  EXPECT_EQ(s.SendTo(data, 3, 36, nullptr), SOCKET_ERROR) << "broadcast needs SO_BROADCAST";
  int on = 1;
  ASSERT_TRUE(s.SetSockOpt(SO_BROADCAST, &on, static_cast<int>(sizeof on)));
  EXPECT_EQ(s.SendTo(data, 3, 36, nullptr), 3);
  SocketSettings::Get().broadcastAddress = 0x7FFFFFFFu;
  SocketSettings::Get().devicePort = 3636;
  EXPECT_EQ(s.SendTo(data, 3, SocketSettings::Get().devicePort, ""), 3);
  EXPECT_EQ(s.SendTo(data, 2, 99, "127.0.0.1"), 2);
  EXPECT_EQ(s.SendTo(data, 3, 99, "127.0.0.256"), SOCKET_ERROR);
  EXPECT_EQ(s.SendTo(data, 3, 99, "localhost"), SOCKET_ERROR);

  ASSERT_EQ(net.Sent().size(), 3u);
  EXPECT_EQ(net.Sent()[0].addr, 0xFFFFFFFFu);
  EXPECT_EQ(net.Sent()[0].port, 36);
  EXPECT_EQ(net.Sent()[0].sourcePort, 4000);
  EXPECT_EQ(net.Sent()[1].addr, 0x7FFFFFFFu);
  EXPECT_EQ(net.Sent()[1].port, 3636);
  EXPECT_EQ(net.Sent()[2].addr, 0x7F000001u);
  EXPECT_EQ(net.Sent()[2].bytes, (std::vector<std::uint8_t>{'a', 'b'}));
}

TEST_F(SocketOnMemoryNetwork, ClosedSocketSendsNothingAndClosingTwiceIsHarmless) {
  CSocket s;
  const char data[4] = {};
  char buf[4];
  int on = 1;
  EXPECT_EQ(s.SendTo(data, 4, 36, nullptr), SOCKET_ERROR) << "never created";
  EXPECT_EQ(s.Receive(buf, 4), SOCKET_ERROR);
  EXPECT_FALSE(s.SetSockOpt(SO_BROADCAST, &on, static_cast<int>(sizeof on)));
  s.Close();
  ASSERT_TRUE(s.Create(4000, SOCK_DGRAM, kAllEvents, nullptr));
  s.Close();
  s.Close();
  EXPECT_FALSE(net.IsBound(4000));
  EXPECT_EQ(s.SendTo(data, 4, 36, nullptr), SOCKET_ERROR);
  EXPECT_TRUE(net.Sent().empty());
  ASSERT_TRUE(s.Create(4000, SOCK_DGRAM, kAllEvents, nullptr)) << "the port is free again";
}

TEST_F(SocketOnMemoryNetwork, EachWaitingDatagramIsReportedAndReadOnce) {
  ReadingSocket s;
  ASSERT_TRUE(s.Create(4000, SOCK_DGRAM, kAllEvents, nullptr));
  net.Inject(4000, std::vector<std::uint8_t>{'h', 'i'});
  net.Inject(4000, std::vector<std::uint8_t>{});
  net.Inject(4000, std::vector<std::uint8_t>(100, 'x'));  // longer than the reader's buffer
  EXPECT_EQ(net.Deliver(), 3);
  EXPECT_EQ(s.reads, (std::vector<int>{2, 0, 8}));
  EXPECT_EQ(s.texts, (std::vector<std::string>{"hi", "xxxxxxxx"}));
  EXPECT_EQ(net.Waiting(4000), 0u);
}

TEST_F(SocketOnMemoryNetwork, NoReadinessWithoutFdRead) {
  ReadingSocket s;
  ASSERT_TRUE(s.Create(4000, SOCK_DGRAM, FD_WRITE, nullptr));
  net.Inject(4000, std::vector<std::uint8_t>{1});
  net.Deliver();
  EXPECT_TRUE(s.reads.empty());
}

TEST_F(SocketOnMemoryNetwork, ClosingFromInsideOnReceiveStopsReadingSafely) {
  ReadingSocket s;
  s.closeOnReceive = true;
  ASSERT_TRUE(s.Create(4000, SOCK_DGRAM, kAllEvents, nullptr));
  net.Inject(4000, std::vector<std::uint8_t>{'1'});
  net.Inject(4000, std::vector<std::uint8_t>{'2'});
  net.Deliver();
  EXPECT_EQ(s.texts, (std::vector<std::string>{"1"}));
  EXPECT_FALSE(s.IsOpen());
  EXPECT_FALSE(net.Inject(4000, std::vector<std::uint8_t>{'3'})) << "nobody bound any more";

  s.closeOnReceive = false;
  ASSERT_TRUE(s.Create(4000, SOCK_DGRAM, kAllEvents, nullptr));
  net.Inject(4000, std::vector<std::uint8_t>{'4'});
  net.Deliver();
  EXPECT_EQ(s.texts, (std::vector<std::string>{"1", "4"}));
}

TEST_F(SocketOnMemoryNetwork, ReopeningAndClosingInsideOnReceiveKeepsTheCallingEndpointAlive) {
  ReadingSocket s;
  s.churnOnReceive = true;
  ASSERT_TRUE(s.Create(4000, SOCK_DGRAM, kAllEvents, nullptr));
  net.Inject(4000, std::vector<std::uint8_t>{'1'});
  net.Deliver();
  EXPECT_EQ(s.texts, (std::vector<std::string>{"1"}));
  EXPECT_FALSE(s.IsOpen());
  EXPECT_FALSE(net.IsBound(4000));
  s.churnOnReceive = false;
  ASSERT_TRUE(s.Create(4000, SOCK_DGRAM, kAllEvents, nullptr));
  EXPECT_EQ(net.EndpointCount(), 1) << "what was retired is gone once outside the call";
}

TEST_F(SocketOnMemoryNetwork, DestroyingTheSocketFreesThePort) {
  {
    CSocket s;
    ASSERT_TRUE(s.Create(4000, SOCK_DGRAM, kAllEvents, nullptr));
  }
  EXPECT_FALSE(net.IsBound(4000));
  EXPECT_EQ(net.EndpointCount(), 0);
}

}  // namespace
