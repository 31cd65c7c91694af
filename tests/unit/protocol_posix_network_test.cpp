// The real UDP endpoints, on loopback only.
#include <arpa/inet.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/posix/PosixNetwork.h"

namespace {

constexpr std::uint32_t kLoopback = 0x7F000001u;
constexpr std::uint32_t kLoopbackBroadcast = 0x7FFFFFFFu;

// A free UDP port on all interfaces, held by a plain socket for as long as the object lives.
class HeldPort {
 public:
  HeldPort() {
    m_fd = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_addr.s_addr = htonl(INADDR_ANY);
    socklen_t len = sizeof sa;
    if (m_fd >= 0 && bind(m_fd, reinterpret_cast<sockaddr*>(&sa), sizeof sa) == 0 &&
        getsockname(m_fd, reinterpret_cast<sockaddr*>(&sa), &len) == 0)
      m_port = ntohs(sa.sin_port);
  }
  ~HeldPort() { Release(); }
  void Release() {
    if (m_fd >= 0) close(m_fd);
    m_fd = -1;
  }
  std::uint16_t port() const { return m_port; }

 private:
  int m_fd = -1;
  std::uint16_t m_port = 0;
};

TEST(PosixNetwork, PortHeldByAnotherSocketFailsTheBind) {
  HeldPort held;
  ASSERT_NE(held.port(), 0);
  PosixNetwork net;
  auto endpoint = net.CreateEndpoint();
  ASSERT_TRUE(endpoint);
  EXPECT_FALSE(endpoint->Bind(held.port()));
  held.Release();
  EXPECT_TRUE(endpoint->Bind(held.port()));
  auto second = net.CreateEndpoint();
  EXPECT_FALSE(second->Bind(held.port())) << "no address reuse between our own endpoints";
}

TEST(PosixNetwork, SocketIsNonBlockingAndClosedOnExec) {
  PosixNetwork net;
  auto endpoint = net.CreateEndpoint();
  ASSERT_TRUE(endpoint);
  int fd = endpoint->NativeHandle();
  ASSERT_GE(fd, 0);
  EXPECT_NE(fcntl(fd, F_GETFD) & FD_CLOEXEC, 0);
  EXPECT_NE(fcntl(fd, F_GETFL) & O_NONBLOCK, 0);
  char buf[4];
  EXPECT_EQ(endpoint->Receive(buf, sizeof buf), -1) << "nothing waits: no blocking";
  endpoint->Close();
  EXPECT_EQ(endpoint->NativeHandle(), -1);
  EXPECT_EQ(endpoint->SendTo(buf, 1, kLoopback, 9), -1);
  endpoint->Close();
}

TEST(PosixNetwork, DispatchReportsEachDatagramAndReadsAreCutToTheBuffer) {
  HeldPort probe;
  const std::uint16_t port = probe.port();
  probe.Release();
  PosixNetwork net;
  auto receiver = net.CreateEndpoint();
  ASSERT_TRUE(receiver->Bind(port));
  std::vector<int> reads;
  receiver->onReadable = [&] {
    char buf[4];
    reads.push_back(receiver->Receive(buf, sizeof buf));
  };
  auto sender = net.CreateEndpoint();
  EXPECT_EQ(sender->SendTo("hello", 5, kLoopback, port), 5);
  EXPECT_EQ(sender->SendTo("", 0, kLoopback, port), 0);
  for (int i = 0; i < 50 && reads.size() < 2; ++i) net.Dispatch(100);
  EXPECT_EQ(reads, (std::vector<int>{4, 0}));
}

TEST(PosixNetwork, AllInterfacesSocketHearsTheLoopbackBroadcast) {
  HeldPort probe;
  const std::uint16_t port = probe.port();
  probe.Release();
  PosixNetwork net;
  auto receiver = net.CreateEndpoint();
  ASSERT_TRUE(receiver->Bind(port));
  std::string got;
  receiver->onReadable = [&] {
    char buf[16] = {};
    int n = receiver->Receive(buf, sizeof buf);
    if (n > 0) got.assign(buf, static_cast<std::size_t>(n));
  };
  auto sender = net.CreateEndpoint();
  EXPECT_EQ(sender->SendTo("QKZ9", 4, kLoopbackBroadcast, port), -1) << "needs SO_BROADCAST";
  sender->SetBroadcast(true);
  ASSERT_EQ(sender->SendTo("QKZ9", 4, kLoopbackBroadcast, port), 4);
  for (int i = 0; i < 50 && got.empty(); ++i) net.Dispatch(100);
  EXPECT_EQ(got, "QKZ9");
}

TEST(PosixNetwork, EndpointDestroyedByAnEarlierHandlerIsSkipped) {
  HeldPort p1, p2;
  const std::uint16_t port1 = p1.port(), port2 = p2.port();
  p1.Release();
  p2.Release();
  PosixNetwork net;
  std::unique_ptr<DatagramEndpoint> a = net.CreateEndpoint();
  std::unique_ptr<DatagramEndpoint> b = net.CreateEndpoint();
  ASSERT_TRUE(a->Bind(port1));
  ASSERT_TRUE(b->Bind(port2));
  int calls = 0;
  // Whichever runs first destroys the other.
  a->onReadable = [&] {
    ++calls;
    b.reset();
  };
  b->onReadable = [&] {
    ++calls;
    a.reset();
  };
  auto sender = net.CreateEndpoint();
  sender->SendTo("x", 1, kLoopback, port1);
  sender->SendTo("y", 1, kLoopback, port2);
  usleep(20000);
  net.Dispatch(100);
  EXPECT_EQ(calls, 1);
}

}  // namespace
