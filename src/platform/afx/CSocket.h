// The framework's blocking socket. Datagram sockets here are read only when readiness has been
// reported, so nothing ever blocks: a read with nothing waiting fails at once.
#pragma once

#include "CAsyncSocket.h"

class CSocket : public CAsyncSocket {
 public:
  CSocket();
  ~CSocket() override;
};
