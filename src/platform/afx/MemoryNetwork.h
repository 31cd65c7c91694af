// Test double of the datagram network: endpoints live in memory, bound to ports of one host.
// Tests put datagrams in front of a port and deliver them; every datagram sent is recorded.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "Services.h"

class MemoryNetwork final : public DatagramNetwork {
 public:
  struct Datagram {
    std::vector<std::uint8_t> bytes;
    std::uint32_t addr = 0;  // destination, host order
    std::uint16_t port = 0;  // destination port
    std::uint16_t sourcePort = 0;
  };

  MemoryNetwork();
  ~MemoryNetwork() override;
  MemoryNetwork(const MemoryNetwork&) = delete;
  MemoryNetwork& operator=(const MemoryNetwork&) = delete;

  std::unique_ptr<DatagramEndpoint> CreateEndpoint() override;

  // Queues a datagram at the endpoint bound to port. False, and the datagram is lost as on a
  // real network, when no open endpoint is bound there.
  bool Inject(std::uint16_t port, const void* data, std::size_t length);
  bool Inject(std::uint16_t port, const std::vector<std::uint8_t>& bytes) {
    return Inject(port, bytes.data(), bytes.size());
  }
  // Reports readiness to every endpoint with waiting datagrams until none wait. An endpoint
  // that reads nothing when told is not told again in this call; at most maxCalls calls in all.
  // Returns the number of readiness calls made.
  int Deliver(int maxCalls = 100000);

  const std::vector<Datagram>& Sent() const;
  void ClearSent();
  // Sends refused: to a broadcast address without broadcast permission, or on a closed
  // endpoint. A broadcast address here is 255.255.255.255 or any address ending in .255.
  int RefusedSends() const;

  // A port held by someone else: binding it fails.
  void SetPortTaken(std::uint16_t port, bool taken = true);
  bool IsBound(std::uint16_t port) const;
  bool BroadcastEnabled(std::uint16_t port) const;
  std::size_t Waiting(std::uint16_t port) const;
  // Endpoints that exist (open or closed) right now.
  int EndpointCount() const;

  struct State;

 private:
  std::shared_ptr<State> m_state;
};
