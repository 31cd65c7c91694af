// lanorix_probe: one discovery the way the program does it (PosixNetwork, CSocket, the same
// request), without any window: sends the request, prints every reply for a while, exits.
// It broadcasts to 255.255.255.255 by default, so it runs only inside a test's own network
// namespace: --in-test-namespace says so, and without it the default broadcast is refused.
#include <arpa/inet.h>
#include <time.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/afx/CSocket.h"
#include "platform/afx/Services.h"
#include "platform/afx/SocketSettings.h"
#include "platform/posix/PosixNetwork.h"
#include "protocol/AddressText.h"
#include "protocol/DevicePacket.h"

namespace {

const char kHelp[] =
    "usage: lanorix_probe [--broadcast ADDR] [--device-port N] [--local-port N] [--wait MS]\n"
    "                     [--in-test-namespace]\n"
    "Sends one discovery request and prints each reply: ip mac model version name.\n"
    "The default broadcast 255.255.255.255 needs --in-test-namespace.\n";

std::uint64_t NowMs() {
  timespec ts;
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<std::uint64_t>(ts.tv_sec) * 1000u +
         static_cast<std::uint64_t>(ts.tv_nsec) / 1000000u;
}

class ProbeSocket final : public CSocket {
 public:
  void OnReceive(int) override {
    BYTE reply[DEVICE_PACKET_SIZE] = {};
    int n = Receive(reply, static_cast<int>(sizeof reply));
    if (n <= 0) return;
    ++replies;
    DEVICE_PACKET p = DEVICE_PACKET::Read(reply, sizeof reply);
    std::string name(p.Name());
    std::printf("reply %s %s %u %s %s\n", IPAddressText(p.ip).c_str(),
                MACAddressText(p.mac).c_str(), unsigned{p.model},
                VersionText(p.versionMajor, p.versionMinor).c_str(), name.c_str());
    std::fflush(stdout);
  }
  int replies = 0;
};

bool ParsePort(const char* text, std::uint16_t& out) {
  char* end = nullptr;
  long v = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || v < 1 || v > 65535) return false;
  out = static_cast<std::uint16_t>(v);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  SocketSettings& settings = SocketSettings::Get();
  long waitMs = 3000;
  bool inNamespace = false;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    const char* v = i + 1 < argc ? argv[i + 1] : nullptr;
    bool ok = true;
    if (a == "--help") {
      std::fputs(kHelp, stdout);
      return 0;
    } else if (a == "--in-test-namespace") {
      inNamespace = true;
      continue;
    } else if (v == nullptr) {
      ok = false;
    } else if (a == "--broadcast") {
      in_addr addr;
      ok = inet_pton(AF_INET, v, &addr) == 1;
      settings.broadcastAddress = ntohl(addr.s_addr);
    } else if (a == "--device-port") {
      ok = ParsePort(v, settings.devicePort);
    } else if (a == "--local-port") {
      ok = ParsePort(v, settings.localPort);
    } else if (a == "--wait") {
      char* end = nullptr;
      waitMs = std::strtol(v, &end, 10);
      ok = end != v && *end == '\0' && waitMs >= 0 && waitMs <= 600000;
    } else {
      ok = false;
    }
    if (!ok) {
      std::fprintf(stderr, "lanorix_probe: bad option %s\n%s", a.c_str(), kHelp);
      return 2;
    }
    ++i;
  }
  if (settings.broadcastAddress == 0xFFFFFFFFu && !inNamespace) {
    std::fprintf(stderr,
                 "lanorix_probe: refusing to broadcast to 255.255.255.255 outside a test "
                 "namespace (give --in-test-namespace, or --broadcast 127.255.255.255)\n");
    return 2;
  }

  PosixNetwork network;
  AfxServices().network = &network;
  ProbeSocket socket;
  if (!socket.Create(settings.localPort, SOCK_DGRAM,
                     FD_READ | FD_WRITE | FD_OOB | FD_ACCEPT | FD_CONNECT | FD_CLOSE, nullptr)) {
    std::fprintf(stderr, "lanorix_probe: port %u cannot be opened\n", settings.localPort);
    return 1;
  }
  int broadcast = 1;
  socket.SetSockOpt(SO_BROADCAST, &broadcast, static_cast<int>(sizeof broadcast));
  BYTE request[DEVICE_PACKET_SIZE] = {};
  MakeDiscoveryRequest().Write(request);
  if (socket.SendTo(request, static_cast<int>(sizeof request), settings.devicePort, nullptr) < 0)
    std::fprintf(stderr, "lanorix_probe: the request could not be sent\n");
  const std::uint64_t end = NowMs() + static_cast<std::uint64_t>(waitMs);
  for (std::uint64_t now = NowMs(); now < end; now = NowMs())
    network.Dispatch(static_cast<int>(end - now));
  socket.Close();
  AfxServices().network = nullptr;
  std::printf("replies %d\n", socket.replies);
  return 0;
}
