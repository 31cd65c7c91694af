#include "CAsyncSocket.h"

#include <cstdint>
#include <cstring>

#include "Services.h"
#include "SocketSettings.h"

namespace {

// Strict dotted quad ("192.168.1.10"); false for anything else.
bool ParseHostAddress(const char* text, std::uint32_t& out) {
  std::uint32_t addr = 0;
  const char* p = text;
  for (int part = 0; part < 4; ++part) {
    if (part > 0) {
      if (*p != '.') return false;
      ++p;
    }
    if (*p < '0' || *p > '9') return false;
    unsigned value = 0;
    int digits = 0;
    while (*p >= '0' && *p <= '9') {
      value = value * 10 + static_cast<unsigned>(*p - '0');
      if (++digits > 3 || value > 255) return false;
      ++p;
    }
    addr = (addr << 8) | value;
  }
  if (*p != '\0') return false;
  out = addr;
  return true;
}

}  // namespace

CAsyncSocket::CAsyncSocket() = default;

CAsyncSocket::~CAsyncSocket() {
  Close();
}

BOOL CAsyncSocket::Create(UINT nSocketPort, int nSocketType, long lEvent,
                          LPCSTR lpszSocketAddress) {
  if (m_endpoint) return FALSE;
  if (m_running == nullptr) m_retired.reset();
  if (nSocketType != SOCK_DGRAM || AfxServices().network == nullptr) return FALSE;
  m_endpoint = AfxServices().network->CreateEndpoint();
  if (!m_endpoint) return FALSE;
  if (!Bind(nSocketPort, lpszSocketAddress)) {
    Close();
    return FALSE;
  }
  if ((lEvent & FD_READ) != 0) {
    DatagramEndpoint* endpoint = m_endpoint.get();
    m_endpoint->onReadable = [this, endpoint] { DispatchReadable(endpoint); };
  }
  return TRUE;
}

BOOL CAsyncSocket::Bind(UINT nSocketPort, LPCSTR lpszSocketAddress) {
  if (!m_endpoint || nSocketPort > 0xFFFF) return FALSE;
  if (lpszSocketAddress != nullptr && *lpszSocketAddress != '\0' &&
      std::strcmp(lpszSocketAddress, "0.0.0.0") != 0)
    return FALSE;
  return m_endpoint->Bind(static_cast<std::uint16_t>(nSocketPort)) ? TRUE : FALSE;
}

BOOL CAsyncSocket::SetSockOpt(int nOptionName, const void* lpOptionValue, int nOptionLen,
                              int nLevel) {
  if (!m_endpoint || nLevel != SOL_SOCKET || nOptionName != SO_BROADCAST) return FALSE;
  if (lpOptionValue == nullptr || nOptionLen < static_cast<int>(sizeof(int))) return FALSE;
  int value = 0;
  std::memcpy(&value, lpOptionValue, sizeof value);
  m_endpoint->SetBroadcast(value != 0);
  return TRUE;
}

int CAsyncSocket::SendTo(const void* lpBuf, int nBufLen, UINT nHostPort, LPCSTR lpszHostAddress,
                         int) {
  if (!m_endpoint || lpBuf == nullptr || nBufLen < 0 || nHostPort > 0xFFFF) return SOCKET_ERROR;
  std::uint32_t addr = SocketSettings::Get().broadcastAddress;
  if (lpszHostAddress != nullptr && *lpszHostAddress != '\0' &&
      !ParseHostAddress(lpszHostAddress, addr))
    return SOCKET_ERROR;
  int sent = m_endpoint->SendTo(lpBuf, static_cast<std::size_t>(nBufLen), addr,
                                static_cast<std::uint16_t>(nHostPort));
  return sent < 0 ? SOCKET_ERROR : sent;
}

int CAsyncSocket::Receive(void* lpBuf, int nBufLen, int) {
  if (!m_endpoint || lpBuf == nullptr || nBufLen < 0) return SOCKET_ERROR;
  int got = m_endpoint->Receive(lpBuf, static_cast<std::size_t>(nBufLen));
  return got < 0 ? SOCKET_ERROR : got;
}

void CAsyncSocket::Close() {
  if (!m_endpoint) return;
  m_endpoint->Close();
  if (m_endpoint.get() == m_running) {
    // The endpoint's readiness call is running: keep its callback alive until it returns.
    m_retired = std::move(m_endpoint);
  } else {
    m_endpoint->onReadable = nullptr;
    m_endpoint.reset();
  }
}

void CAsyncSocket::OnReceive(int) {}

void CAsyncSocket::DispatchReadable(DatagramEndpoint* endpoint) {
  // Close() from inside OnReceive must not destroy the endpoint that is calling us.
  DatagramEndpoint* outer = m_running;
  m_running = endpoint;
  OnReceive(0);
  m_running = outer;
}
