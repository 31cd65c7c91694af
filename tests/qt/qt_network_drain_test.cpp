#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <memory>

#include "platform/qt/QtDatagramNetwork.h"

namespace {

// Loopback only: 127.0.0.1 and a port found free here.
TEST(QtDatagramNetworkDrain, WaitingDatagramsAreReadInOneWakeUpAndCloseStopsTheReading) {
  QtDatagramNetwork network;
  auto receiver = network.CreateEndpoint();
  auto sender = network.CreateEndpoint();
  ASSERT_TRUE(receiver && sender);
  std::uint16_t port = 47311;
  while (!receiver->Bind(port) && port < 47400) ++port;

  int reads = 0;
  receiver->onReadable = [&] {
    char buf[8];
    if (receiver->Receive(buf, sizeof buf) >= 0) ++reads;
  };
  for (int i = 0; i < 5; ++i) ASSERT_EQ(sender->SendTo("x", 1, 0x7F000001u, port), 1);
  // One pass of the event loop: every waiting datagram is handled in it.
  QCoreApplication::processEvents();
  EXPECT_EQ(reads, 5);

  // A handler that closes the socket ends the reading although more is waiting.
  reads = 0;
  receiver->onReadable = [&] {
    char buf[8];
    receiver->Receive(buf, sizeof buf);
    ++reads;
    receiver->Close();
  };
  for (int i = 0; i < 3; ++i) sender->SendTo("y", 1, 0x7F000001u, port);
  QCoreApplication::processEvents();
  EXPECT_EQ(reads, 1);
}

}  // namespace
