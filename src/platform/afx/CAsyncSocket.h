// The framework's asynchronous socket: one datagram endpoint of the platform's network, with
// readiness reported through OnReceive on the user-interface thread.
#pragma once

#include <memory>

#include "platform/win/socket_defs.h"
#include "platform/win/win.h"

class DatagramEndpoint;

class CAsyncSocket {
 public:
  CAsyncSocket();
  CAsyncSocket(const CAsyncSocket&) = delete;
  CAsyncSocket& operator=(const CAsyncSocket&) = delete;
  virtual ~CAsyncSocket();

  // Makes a socket and binds it to nSocketPort on all local interfaces (without address
  // reuse). Only datagram sockets exist here. Returns FALSE, leaving the socket closed, when
  // there is no network, the port is taken or the type is not SOCK_DGRAM; FALSE as well, the
  // socket unchanged, when it is already open.
  BOOL Create(UINT nSocketPort = 0, int nSocketType = SOCK_DGRAM,
              long lEvent = FD_READ | FD_WRITE | FD_OOB | FD_ACCEPT | FD_CONNECT | FD_CLOSE,
              LPCSTR lpszSocketAddress = nullptr);
  // Binding to one address is not offered: a non-empty address other than 0.0.0.0 fails.
  BOOL Bind(UINT nSocketPort, LPCSTR lpszSocketAddress = nullptr);
  // SO_BROADCAST at SOL_SOCKET is the one option known; FALSE for others or a closed socket.
  BOOL SetSockOpt(int nOptionName, const void* lpOptionValue, int nOptionLen,
                  int nLevel = SOL_SOCKET);
  // A null or empty host means the configured broadcast address (SocketSettings). Returns the
  // bytes sent, or SOCKET_ERROR (closed socket, bad address, failed send).
  int SendTo(const void* lpBuf, int nBufLen, UINT nHostPort, LPCSTR lpszHostAddress = nullptr,
             int nFlags = 0);
  // Reads one waiting datagram, at most nBufLen bytes (the rest of a longer one is lost).
  // Returns the bytes read (0 for an empty datagram) or SOCKET_ERROR when nothing waits.
  virtual int Receive(void* lpBuf, int nBufLen, int nFlags = 0);
  // Closing a closed socket does nothing.
  virtual void Close();
  bool IsOpen() const { return m_endpoint != nullptr; }

  // A datagram is waiting (only when FD_READ was asked for).
  virtual void OnReceive(int nErrorCode);

 private:
  void DispatchReadable(DatagramEndpoint* endpoint);

  std::unique_ptr<DatagramEndpoint> m_endpoint;
  // An endpoint closed from inside its own readiness call lives until that call has returned.
  std::unique_ptr<DatagramEndpoint> m_retired;
  DatagramEndpoint* m_running = nullptr;  // the endpoint whose readiness call is running
};
