// The real UDP network on the Qt event loop: each endpoint's socket is watched by a socket
// notifier, which reports readiness through the endpoint's onReadable.
#pragma once

#include <memory>

#include "platform/afx/Services.h"

class PosixNetwork;

class QtDatagramNetwork final : public DatagramNetwork {
 public:
  QtDatagramNetwork();
  ~QtDatagramNetwork() override;
  QtDatagramNetwork(const QtDatagramNetwork&) = delete;
  QtDatagramNetwork& operator=(const QtDatagramNetwork&) = delete;

  // Null when the system gives no UDP socket.
  std::unique_ptr<DatagramEndpoint> CreateEndpoint() override;

 private:
  std::unique_ptr<PosixNetwork> m_posix;
};
