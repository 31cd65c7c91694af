// The real datagram network: POSIX UDP sockets. An event loop watches each endpoint's
// NativeHandle() and calls its onReadable; programs without one can use Dispatch.
#pragma once

#include <cstdint>
#include <map>
#include <memory>

#include "PosixDatagramEndpoint.h"
#include "platform/afx/Services.h"

class PosixDatagramEndpoint::Registry {
 public:
  std::uint64_t Add(PosixDatagramEndpoint* endpoint);
  void Remove(std::uint64_t serial);
  PosixDatagramEndpoint* Find(std::uint64_t serial) const;
  const std::map<std::uint64_t, PosixDatagramEndpoint*>& All() const { return m_endpoints; }

 private:
  std::map<std::uint64_t, PosixDatagramEndpoint*> m_endpoints;
  std::uint64_t m_next = 1;
};

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
