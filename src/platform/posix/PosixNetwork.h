// The real datagram network: POSIX UDP sockets. An event loop watches each endpoint's
// NativeHandle() and calls its onReadable; programs without one can use Dispatch.
#pragma once

#include <cstdint>
#include <memory>

#include "PosixDatagramEndpoint.h"
#include "platform/afx/Services.h"

class PosixNetwork final : public DatagramNetwork {
 public:
  PosixNetwork();
  ~PosixNetwork() override;
  PosixNetwork(const PosixNetwork&) = delete;
  PosixNetwork& operator=(const PosixNetwork&) = delete;

  // Null when the system gives no UDP socket.
  std::unique_ptr<DatagramEndpoint> CreateEndpoint() override;

  // Waits at most timeoutMs for a datagram at any open endpoint of this network, then calls
  // onReadable once for each endpoint that has one. Returns the number of calls, -1 on error.
  int Dispatch(int timeoutMs);

 private:
  std::shared_ptr<PosixDatagramEndpoint::Registry> m_registry;
};
