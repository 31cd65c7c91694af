#include "view/CommandSupport.h"

#include "platform/afx/CWinApp.h"
#include "platform/afx/Services.h"
#include "platform/afx/SocketSettings.h"
#include "protocol/CListSocket.h"

std::string CommandSupport::CellText(int row, int column) {
  return m_view.GetListCtrl().GetItemText(row, column);
}

bool CommandSupport::CreateSocket() {
  CListSocket* socket = m_view.m_pSocket.get();
  if (socket == nullptr ||
      !socket->Create(SocketSettings::Get().localPort, SOCK_DGRAM,
                      FD_READ | FD_WRITE | FD_OOB | FD_ACCEPT | FD_CONNECT | FD_CLOSE, nullptr)) {
    AfxMessageBox(CTarvexView::PortMessage(), MB_ICONEXCLAMATION);
    return false;
  }
  int broadcast = 1;
  socket->SetSockOpt(SO_BROADCAST, &broadcast, static_cast<int>(sizeof broadcast));
  return true;
}

bool CommandSupport::RecreateSocket() {
  if (m_view.m_pSocket) m_view.m_pSocket->Close();
  return CreateSocket();
}

bool CommandSupport::Send(DEVICE_PACKET& packet) {
  CListSocket* socket = m_view.m_pSocket.get();
  if (socket == nullptr || !socket->IsOpen()) {
    if (!CreateSocket()) {
      Wipe(packet);
      return false;
    }
    socket = m_view.m_pSocket.get();
  }
  BYTE datagram[DEVICE_PACKET_SIZE] = {};
  packet.Write(datagram);
  Wipe(packet);
  // The result is not looked at: the re-scan shows whether the device took the change.
  socket->SendTo(datagram, static_cast<int>(sizeof datagram), SocketSettings::Get().devicePort,
                 nullptr);
  SecureWipe(datagram, sizeof datagram);
  m_bSent = true;
  return true;
}

void CommandSupport::FinishAddressChange() {
  m_view.SetTimer(CTarvexView::TIMER_RESCAN, ADDRESS_RESCAN_MS, nullptr);
  m_view.GetListCtrl().DeleteAllItems();
}

void CommandSupport::FinishDeviceChange() {
  m_view.SetTimer(CTarvexView::TIMER_RESCAN, DEVICE_RESCAN_MS, nullptr);
  ::Sleep(DEVICE_SETTLE_MS);
  m_view.GetListCtrl().DeleteAllItems();
}
