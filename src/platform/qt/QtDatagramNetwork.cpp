#include "QtDatagramNetwork.h"

#include <sys/socket.h>

#include <QSocketNotifier>

#include "platform/posix/PosixNetwork.h"

namespace {

// A POSIX endpoint with a read notifier on its socket. The notifier goes when the socket is
// closed, so a closed socket's number, reused by the system, is never watched twice.
class NotifiedEndpoint final : public DatagramEndpoint {
 public:
  explicit NotifiedEndpoint(std::unique_ptr<DatagramEndpoint> inner) : m_inner(std::move(inner)) {
    const int fd = m_inner->NativeHandle();
    if (fd >= 0) {
      m_notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
      QObject::connect(m_notifier.get(), &QSocketNotifier::activated, [this, alive = m_alive] {
        if (onReadable) {
          // Several waiting datagrams are read per wake-up, so that a burst of replies is not
          // paced by one trip through the event loop (and its repaints) per datagram. The
          // handler may close the socket, or the endpoint may go: stop then.
          for (int n = 0; n < kReadsPerWakeUp; ++n) {
            onReadable();
            if (!*alive || !m_notifier || !onReadable || !HasWaitingDatagram()) break;
          }
        } else {
          // Nobody reads: drain so that the notifier does not fire without end.
          char sink[64];
          m_inner->Receive(sink, sizeof sink);
        }
      });
    }
  }
  ~NotifiedEndpoint() override {
    *m_alive = false;
    RetireNotifier();
  }

  bool Bind(std::uint16_t port) override { return m_inner->Bind(port); }
  void SetBroadcast(bool on) override { m_inner->SetBroadcast(on); }
  int SendTo(const void* data, std::size_t len, std::uint32_t addr, std::uint16_t port) override {
    return m_inner->SendTo(data, len, addr, port);
  }
  int Receive(void* buf, std::size_t len) override { return m_inner->Receive(buf, len); }
  void Close() override {
    RetireNotifier();
    m_inner->Close();
  }
  int NativeHandle() const override { return m_inner->NativeHandle(); }

 private:
  static constexpr int kReadsPerWakeUp = 64;

  bool HasWaitingDatagram() const {
    const int fd = m_inner->NativeHandle();
    char byte = 0;
    return fd >= 0 && recv(fd, &byte, 1, MSG_PEEK | MSG_DONTWAIT) >= 0;
  }

  void RetireNotifier() {
    if (!m_notifier) return;
    m_notifier->setEnabled(false);
    // Deleted later: closing may happen inside this notifier's own signal.
    m_notifier.release()->deleteLater();
  }

  std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
  std::unique_ptr<DatagramEndpoint> m_inner;
  std::unique_ptr<QSocketNotifier> m_notifier;
};

}  // namespace

QtDatagramNetwork::QtDatagramNetwork() : m_posix(std::make_unique<PosixNetwork>()) {}

QtDatagramNetwork::~QtDatagramNetwork() = default;

std::unique_ptr<DatagramEndpoint> QtDatagramNetwork::CreateEndpoint() {
  std::unique_ptr<DatagramEndpoint> inner = m_posix->CreateEndpoint();
  if (!inner) return nullptr;
  return std::make_unique<NotifiedEndpoint>(std::move(inner));
}
