#include "MemoryNetwork.h"

#include <deque>
#include <map>
#include <set>

namespace {
class MemoryEndpoint;
}

struct MemoryNetwork::State {
  std::map<std::uint16_t, MemoryEndpoint*> bound;
  std::set<std::uint16_t> taken;
  std::vector<Datagram> sent;
  int refused = 0;
  int endpoints = 0;
};

namespace {

bool IsBroadcast(std::uint32_t addr) {
  return addr == 0xFFFFFFFFu || (addr & 0xFFu) == 0xFFu;
}

class MemoryEndpoint final : public DatagramEndpoint {
 public:
  explicit MemoryEndpoint(std::shared_ptr<MemoryNetwork::State> state) : m_state(std::move(state)) {
    ++m_state->endpoints;
  }
  ~MemoryEndpoint() override {
    Close();
    --m_state->endpoints;
  }

  bool Bind(std::uint16_t port) override {
    if (!m_open || m_port != 0) return false;
    if (port == 0) {
      for (std::uint32_t p = 49152; p <= 65535 && port == 0; ++p)
        if (Free(static_cast<std::uint16_t>(p))) port = static_cast<std::uint16_t>(p);
      if (port == 0) return false;
    } else if (!Free(port)) {
      return false;
    }
    m_port = port;
    m_state->bound[port] = this;
    return true;
  }

  void SetBroadcast(bool on) override { m_broadcast = on; }

  int SendTo(const void* data, std::size_t len, std::uint32_t addr, std::uint16_t port) override {
    if (!m_open || (IsBroadcast(addr) && !m_broadcast)) {
      ++m_state->refused;
      return -1;
    }
    if (m_port == 0 && !Bind(0)) return -1;
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    m_state->sent.push_back(
        MemoryNetwork::Datagram{std::vector<std::uint8_t>(bytes, bytes + len), addr, port, m_port});
    return static_cast<int>(len);
  }

  int Receive(void* buf, std::size_t len) override {
    if (!m_open || m_queue.empty()) return -1;
    std::vector<std::uint8_t> datagram = std::move(m_queue.front());
    m_queue.pop_front();
    std::size_t n = datagram.size() < len ? datagram.size() : len;
    for (std::size_t i = 0; i < n; ++i) static_cast<std::uint8_t*>(buf)[i] = datagram[i];
    return static_cast<int>(n);
  }

  void Close() override {
    if (!m_open) return;
    m_open = false;
    m_queue.clear();
    if (m_port != 0) {
      auto it = m_state->bound.find(m_port);
      if (it != m_state->bound.end() && it->second == this) m_state->bound.erase(it);
    }
  }

  void Queue(const void* data, std::size_t len) {
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    m_queue.emplace_back(bytes, bytes + len);
  }
  std::size_t Waiting() const { return m_queue.size(); }
  bool Broadcast() const { return m_broadcast; }

 private:
  bool Free(std::uint16_t port) const {
    return m_state->bound.count(port) == 0 && m_state->taken.count(port) == 0;
  }

  std::shared_ptr<MemoryNetwork::State> m_state;
  std::deque<std::vector<std::uint8_t>> m_queue;
  std::uint16_t m_port = 0;
  bool m_open = true;
  bool m_broadcast = false;
};

MemoryEndpoint* BoundAt(const MemoryNetwork::State& state, std::uint16_t port) {
  auto it = state.bound.find(port);
  return it != state.bound.end() ? it->second : nullptr;
}

}  // namespace

MemoryNetwork::MemoryNetwork() : m_state(std::make_shared<State>()) {}

MemoryNetwork::~MemoryNetwork() = default;

std::unique_ptr<DatagramEndpoint> MemoryNetwork::CreateEndpoint() {
  return std::make_unique<MemoryEndpoint>(m_state);
}

bool MemoryNetwork::Inject(std::uint16_t port, const void* data, std::size_t length) {
  MemoryEndpoint* endpoint = BoundAt(*m_state, port);
  if (endpoint == nullptr || (data == nullptr && length != 0)) return false;
  endpoint->Queue(data, length);
  return true;
}

int MemoryNetwork::Deliver(int maxCalls) {
  int calls = 0;
  std::set<std::uint16_t> deaf;  // ports whose endpoint read nothing when told
  while (calls < maxCalls) {
    MemoryEndpoint* ready = nullptr;
    std::uint16_t port = 0;
    for (const auto& [p, endpoint] : m_state->bound) {
      if (endpoint->Waiting() > 0 && deaf.count(p) == 0) {
        ready = endpoint;
        port = p;
        break;
      }
    }
    if (ready == nullptr) break;
    const std::size_t before = ready->Waiting();
    ++calls;
    if (ready->onReadable) ready->onReadable();
    // The handler may have closed or destroyed the endpoint: look it up again.
    MemoryEndpoint* after = BoundAt(*m_state, port);
    if (after == ready && after->Waiting() >= before) deaf.insert(port);
  }
  return calls;
}

const std::vector<MemoryNetwork::Datagram>& MemoryNetwork::Sent() const {
  return m_state->sent;
}

void MemoryNetwork::ClearSent() {
  m_state->sent.clear();
  m_state->refused = 0;
}

int MemoryNetwork::RefusedSends() const {
  return m_state->refused;
}

void MemoryNetwork::SetPortTaken(std::uint16_t port, bool taken) {
  if (taken)
    m_state->taken.insert(port);
  else
    m_state->taken.erase(port);
}

bool MemoryNetwork::IsBound(std::uint16_t port) const {
  return BoundAt(*m_state, port) != nullptr;
}

bool MemoryNetwork::BroadcastEnabled(std::uint16_t port) const {
  MemoryEndpoint* endpoint = BoundAt(*m_state, port);
  return endpoint != nullptr && endpoint->Broadcast();
}

std::size_t MemoryNetwork::Waiting(std::uint16_t port) const {
  MemoryEndpoint* endpoint = BoundAt(*m_state, port);
  return endpoint != nullptr ? endpoint->Waiting() : 0;
}

int MemoryNetwork::EndpointCount() const {
  return m_state->endpoints;
}
