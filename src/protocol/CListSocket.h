// The discovery socket: the one UDP socket of the program. Every datagram that arrives while
// it is open is a device reply: it becomes a row of the device list and is counted online.
#pragma once

#include <cstdint>

#include "platform/afx/CSocket.h"

class CTarvexView;

class CListSocket final : public CSocket {
 public:
  CListSocket();
  ~CListSocket() override;

  void OnReceive(int nErrorCode) override;

  // Replies handled since the last Refresh.
  std::int32_t m_nOnlineCount = 0;
  // Set by every handled reply, cleared by the discovery window's tick.
  std::int32_t m_bReplySeen = 0;

 private:
  // The first view of the first document of the first template; null before it exists.
  static CTarvexView* FindView();
};
