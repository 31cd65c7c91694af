#include "view/CTarvexView.h"

#include "platform/afx/CWinApp.h"
#include "platform/afx/Resources.h"
#include "platform/afx/SocketSettings.h"
#include "protocol/CListSocket.h"

namespace {
constexpr UINT IDS_PORT_OPEN_FAIL = 40100;
}

BEGIN_MESSAGE_MAP(CTarvexView, CListView)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_TIMER()
ON_COMMAND(CTarvexView::ID_REFRESH, OnRefresh)
ON_COMMAND(CTarvexView::ID_MODIFY_IP, OnModifyIP)
ON_COMMAND(CTarvexView::ID_MODIFY_MAC, OnModifyMAC)
ON_COMMAND(CTarvexView::ID_WEB_BROWSER, OnWebBrowser)
ON_COMMAND(CTarvexView::ID_SOFT_RESET, OnSoftReset)
ON_COMMAND(CTarvexView::ID_UPDATE_FIRMWARE, OnUpdateFirmware)
ON_UPDATE_COMMAND_UI(CTarvexView::ID_MODIFY_IP, OnUpdateDeviceCommand)
ON_UPDATE_COMMAND_UI(CTarvexView::ID_MODIFY_MAC, OnUpdateDeviceCommand)
ON_UPDATE_COMMAND_UI(CTarvexView::ID_WEB_BROWSER, OnUpdateDeviceCommand)
ON_UPDATE_COMMAND_UI(CTarvexView::ID_SOFT_RESET, OnUpdateDeviceCommand)
ON_UPDATE_COMMAND_UI(CTarvexView::ID_UPDATE_FIRMWARE, OnUpdateDeviceCommand)
END_MESSAGE_MAP()

CTarvexView::CTarvexView() = default;

CTarvexView::~CTarvexView() = default;

int CTarvexView::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CListView::OnCreate(lpCreateStruct) == -1) return -1;
  m_pSocket = std::make_unique<CListSocket>();
  OnRefresh();
  return 0;
}

void CTarvexView::OnDestroy() {
  SendMessage(LVM_DELETEALLITEMS);
  CListView::OnDestroy();
  m_pSocket.reset();
}

void CTarvexView::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent == TIMER_DISCOVERY) {
    if (m_pSocket && m_pSocket->m_bReplySeen) {
      m_pSocket->m_bReplySeen = 0;
      SetTimer(TIMER_DISCOVERY, DISCOVERY_STEP_MS, nullptr);
    } else {
      if (m_pSocket) m_pSocket->Close();
      KillTimer(TIMER_DISCOVERY);
    }
  } else if (nIDEvent == TIMER_RESCAN) {
    OnRefresh();
    KillTimer(TIMER_RESCAN);
  }
}

void CTarvexView::OnRefresh() {
  if (!m_pSocket) return;
  const SocketSettings& settings = SocketSettings::Get();
  GetListCtrl().DeleteAllItems();
  KillTimer(TIMER_DISCOVERY);
  m_pSocket->Close();
  m_pSocket->m_nOnlineCount = 0;
  if (!m_pSocket->Create(settings.localPort, SOCK_DGRAM,
                         FD_READ | FD_WRITE | FD_OOB | FD_ACCEPT | FD_CONNECT | FD_CLOSE,
                         nullptr)) {
    AfxMessageBox(PortMessage(), MB_ICONEXCLAMATION);
    return;
  }
  int broadcast = 1;
  m_pSocket->SetSockOpt(SO_BROADCAST, &broadcast, static_cast<int>(sizeof broadcast));
  BYTE request[DEVICE_PACKET_SIZE] = {};
  MakeDiscoveryRequest().Write(request);
  m_pSocket->SendTo(request, static_cast<int>(sizeof request), settings.devicePort, nullptr);
  SetTimer(TIMER_DISCOVERY, DISCOVERY_STEP_MS, nullptr);
}

void CTarvexView::AddDeviceRow(const BYTE[DEVICE_PACKET_SIZE]) {
  // FIXME: the row building (device record, six texts, image, re-sort) comes next.
}

void CTarvexView::OnUpdateDeviceCommand(CCmdUI* pCmdUI) {
  pCmdUI->Enable(GetListCtrl().GetSelectedCount() >= 1);
}

std::string CTarvexView::PortMessage() {
  std::string text = AfxLoadString(IDS_PORT_OPEN_FAIL);
  if (auto nl = text.find('\n'); nl != std::string::npos)
    text.replace(nl, 1, std::to_string(SocketSettings::Get().localPort));
  return text;
}
