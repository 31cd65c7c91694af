#include "PosixNetwork.h"

#include <poll.h>

#include <cerrno>
#include <vector>

PosixNetwork::PosixNetwork() : m_registry(std::make_shared<PosixDatagramEndpoint::Registry>()) {}

PosixNetwork::~PosixNetwork() = default;

std::unique_ptr<DatagramEndpoint> PosixNetwork::CreateEndpoint() {
  return PosixDatagramEndpoint::Open(m_registry);
}

int PosixNetwork::Dispatch(int timeoutMs) {
  std::vector<pollfd> fds;
  std::vector<std::uint64_t> serials;
  for (const auto& [serial, endpoint] : m_registry->All()) {
    if (endpoint->NativeHandle() < 0 || !endpoint->onReadable) continue;
    fds.push_back(pollfd{endpoint->NativeHandle(), POLLIN, 0});
    serials.push_back(serial);
  }
  if (fds.empty()) {
    if (timeoutMs > 0) poll(nullptr, 0, timeoutMs);
    return 0;
  }
  int ready = poll(fds.data(), fds.size(), timeoutMs);
  if (ready < 0) return errno == EINTR ? 0 : -1;
  int calls = 0;
  for (std::size_t i = 0; i < fds.size(); ++i) {
    if ((fds[i].revents & (POLLIN | POLLERR)) == 0) continue;
    // An earlier handler may have closed or destroyed this endpoint.
    PosixDatagramEndpoint* endpoint = m_registry->Find(serials[i]);
    if (endpoint == nullptr || endpoint->NativeHandle() != fds[i].fd || !endpoint->onReadable)
      continue;
    ++calls;
    endpoint->onReadable();
  }
  return calls;
}
