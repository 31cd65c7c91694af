// A real UDP endpoint: a non-blocking IPv4 datagram socket, closed on exec so that programs we
// start do not hold our port.
#pragma once

#include <cstdint>
#include <map>
#include <memory>

#include "platform/afx/Services.h"

class PosixDatagramEndpoint final : public DatagramEndpoint {
 public:
  // Registry of the endpoints one network has made, for its dispatcher.
  class Registry;

  // Null when the system gives no UDP socket.
  static std::unique_ptr<PosixDatagramEndpoint> Open(std::shared_ptr<Registry> registry);
  ~PosixDatagramEndpoint() override;
  PosixDatagramEndpoint(const PosixDatagramEndpoint&) = delete;
  PosixDatagramEndpoint& operator=(const PosixDatagramEndpoint&) = delete;

  // All local interfaces; no address reuse, so a port that another socket holds fails.
  bool Bind(std::uint16_t port) override;
  void SetBroadcast(bool on) override;
  // To 255.255.255.255: once on every up, broadcast-capable, non-loopback IPv4 interface,
  // each from that interface's address; the bytes sent when at least one went out, else -1.
  // Any other address: one plain send.
  int SendTo(const void* data, std::size_t len, std::uint32_t addr, std::uint16_t port) override;
  int Receive(void* buf, std::size_t len) override;
  void Close() override;
  // Valid from creation until Close.
  int NativeHandle() const override { return m_fd; }
  std::uint64_t Serial() const { return m_serial; }

 private:
  PosixDatagramEndpoint(int fd, std::shared_ptr<Registry> registry);
  int SendOnEveryInterface(const void* data, std::size_t len, std::uint16_t port);

  int m_fd;
  std::shared_ptr<Registry> m_registry;
  std::uint64_t m_serial;
  bool m_bound = false;
};

// Which endpoints of one network are alive, by serial: a dispatcher looks an endpoint up
// again before each call, since an earlier handler may have destroyed it.
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
