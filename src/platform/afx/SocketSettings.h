// Addressing of the one discovery socket. The defaults are the protocol's; the command line
// changes them for demos (simulated devices on loopback) and tests.
#pragma once

#include <cstdint>

struct SocketSettings {
  std::uint32_t broadcastAddress = 0xFFFFFFFFu;  // host order; where a send without host goes
  std::uint16_t devicePort = 36;
  std::uint16_t localPort = 4000;

  // The process-wide settings.
  static SocketSettings& Get() {
    static SocketSettings settings;
    return settings;
  }
};
