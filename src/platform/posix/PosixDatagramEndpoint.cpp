#include "PosixDatagramEndpoint.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <set>

namespace {

constexpr std::uint32_t kLimitedBroadcast = 0xFFFFFFFFu;

sockaddr_in MakeAddress(std::uint32_t addr, std::uint16_t port) {
  sockaddr_in sa;
  std::memset(&sa, 0, sizeof sa);
  sa.sin_family = AF_INET;
  sa.sin_port = htons(port);
  sa.sin_addr.s_addr = htonl(addr);
  return sa;
}

// Sends one datagram out of the interface ifindex, from source.
ssize_t SendVia(int fd, const void* data, std::size_t len, const sockaddr_in& to, unsigned ifindex,
                in_addr source) {
  iovec iov;
  iov.iov_base = const_cast<void*>(data);
  iov.iov_len = len;
  union {
    cmsghdr header;
    char bytes[CMSG_SPACE(sizeof(in_pktinfo))];
  } control;
  std::memset(&control, 0, sizeof control);
  msghdr msg;
  std::memset(&msg, 0, sizeof msg);
  msg.msg_name = const_cast<sockaddr_in*>(&to);
  msg.msg_namelen = sizeof to;
  msg.msg_iov = &iov;
  msg.msg_iovlen = 1;
  msg.msg_control = control.bytes;
  msg.msg_controllen = sizeof control.bytes;
  cmsghdr* c = &control.header;
  c->cmsg_level = IPPROTO_IP;
  c->cmsg_type = IP_PKTINFO;
  c->cmsg_len = CMSG_LEN(sizeof(in_pktinfo));
  in_pktinfo info;
  std::memset(&info, 0, sizeof info);
  info.ipi_ifindex = static_cast<int>(ifindex);
  info.ipi_spec_dst = source;
  std::memcpy(CMSG_DATA(c), &info, sizeof info);
  ssize_t n;
  int tries = 0;
  do {
    n = sendmsg(fd, &msg, 0);
  } while (n < 0 && errno == EINTR && ++tries < 3);
  return n;
}

}  // namespace

std::unique_ptr<PosixDatagramEndpoint> PosixDatagramEndpoint::Open(
    std::shared_ptr<Registry> registry) {
  int fd = socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd < 0) return nullptr;
  return std::unique_ptr<PosixDatagramEndpoint>(new PosixDatagramEndpoint(fd, std::move(registry)));
}

PosixDatagramEndpoint::PosixDatagramEndpoint(int fd, std::shared_ptr<Registry> registry)
    : m_fd(fd), m_registry(std::move(registry)), m_serial(m_registry->Add(this)) {}

PosixDatagramEndpoint::~PosixDatagramEndpoint() {
  Close();
  m_registry->Remove(m_serial);
}

bool PosixDatagramEndpoint::Bind(std::uint16_t port) {
  if (m_fd < 0 || m_bound) return false;
  sockaddr_in sa = MakeAddress(INADDR_ANY, port);
  if (bind(m_fd, reinterpret_cast<const sockaddr*>(&sa), sizeof sa) != 0) return false;
  m_bound = true;
  return true;
}

void PosixDatagramEndpoint::SetBroadcast(bool on) {
  if (m_fd < 0) return;
  int value = on ? 1 : 0;
  setsockopt(m_fd, SOL_SOCKET, SO_BROADCAST, &value, sizeof value);
}

int PosixDatagramEndpoint::SendTo(const void* data, std::size_t len, std::uint32_t addr,
                                  std::uint16_t port) {
  if (m_fd < 0 || (data == nullptr && len != 0)) return -1;
  // On Linux the limited broadcast leaves by one interface only; the local segment means all.
  if (addr == kLimitedBroadcast) return SendOnEveryInterface(data, len, port);
  sockaddr_in to = MakeAddress(addr, port);
  ssize_t n;
  int tries = 0;
  do {
    n = sendto(m_fd, data, len, 0, reinterpret_cast<const sockaddr*>(&to), sizeof to);
  } while (n < 0 && errno == EINTR && ++tries < 3);
  return n < 0 ? -1 : static_cast<int>(n);
}

int PosixDatagramEndpoint::SendOnEveryInterface(const void* data, std::size_t len,
                                                std::uint16_t port) {
  ifaddrs* list = nullptr;
  if (getifaddrs(&list) != 0) return -1;
  const sockaddr_in to = MakeAddress(kLimitedBroadcast, port);
  std::set<unsigned> done;
  int result = -1;
  for (ifaddrs* ifa = list; ifa != nullptr; ifa = ifa->ifa_next) {
    if (ifa->ifa_addr == nullptr || ifa->ifa_addr->sa_family != AF_INET) continue;
    const unsigned flags = ifa->ifa_flags;
    if ((flags & IFF_UP) == 0 || (flags & IFF_BROADCAST) == 0 || (flags & IFF_LOOPBACK) != 0)
      continue;
    unsigned index = if_nametoindex(ifa->ifa_name);
    if (index == 0 || !done.insert(index).second) continue;  // once per interface
    sockaddr_in local;
    std::memcpy(&local, ifa->ifa_addr, sizeof local);
    if (SendVia(m_fd, data, len, to, index, local.sin_addr) >= 0) result = static_cast<int>(len);
  }
  freeifaddrs(list);
  return result;
}

int PosixDatagramEndpoint::Receive(void* buf, std::size_t len) {
  if (m_fd < 0 || (buf == nullptr && len != 0)) return -1;
  ssize_t n;
  int tries = 0;
  do {
    n = recv(m_fd, buf, len, 0);
  } while (n < 0 && errno == EINTR && ++tries < 3);
  return n < 0 ? -1 : static_cast<int>(n);
}

void PosixDatagramEndpoint::Close() {
  if (m_fd < 0) return;
  close(m_fd);
  m_fd = -1;
}

std::uint64_t PosixDatagramEndpoint::Registry::Add(PosixDatagramEndpoint* endpoint) {
  std::uint64_t serial = m_next++;
  m_endpoints[serial] = endpoint;
  return serial;
}

void PosixDatagramEndpoint::Registry::Remove(std::uint64_t serial) {
  m_endpoints.erase(serial);
}

PosixDatagramEndpoint* PosixDatagramEndpoint::Registry::Find(std::uint64_t serial) const {
  auto it = m_endpoints.find(serial);
  return it != m_endpoints.end() ? it->second : nullptr;
}
