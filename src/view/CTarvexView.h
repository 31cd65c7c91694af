// The device list view: one row per device that answered the discovery. It owns the discovery
// socket and runs the discovery cycle on its two timers.
#pragma once

#include <memory>
#include <string>

#include "platform/afx/CListView.h"
#include "protocol/DevicePacket.h"

class CListSocket;

class CTarvexView : public CListView {
  DECLARE_MESSAGE_MAP()

 public:
  static constexpr UINT ID_REFRESH = 32772;
  static constexpr UINT_PTR TIMER_DISCOVERY = 1;  // the discovery window, 5000 ms steps
  static constexpr UINT_PTR TIMER_RESCAN = 2;     // the re-scan after a device command
  static constexpr UINT DISCOVERY_STEP_MS = 5000;

  CTarvexView();
  ~CTarvexView() override;

  // Row building: appends the device of one reply to the list.
  void AddDeviceRow(const BYTE reply[DEVICE_PACKET_SIZE]);
  // String 40100 with the local port number in place of its first line break.
  static std::string PortMessage();

  // The discovery socket, owned; made in OnCreate, deleted in OnDestroy.
  std::unique_ptr<CListSocket> m_pSocket;

 protected:
  int OnCreate(LPCREATESTRUCT lpCreateStruct);
  void OnDestroy();
  void OnTimer(UINT_PTR nIDEvent);
  void OnRefresh();

  // Device commands, each in its own file (src/view/Command*.cpp).
 public:
  static constexpr UINT ID_MODIFY_IP = 32780;
  static constexpr UINT ID_MODIFY_MAC = 32781;
  static constexpr UINT ID_WEB_BROWSER = 32782;
  static constexpr UINT ID_SOFT_RESET = 32783;
  static constexpr UINT ID_UPDATE_FIRMWARE = 32814;

 protected:
  void OnModifyIP();
  void OnModifyMAC();
  void OnWebBrowser();
  void OnSoftReset();
  void OnUpdateFirmware();
  // Enables the five device commands while at least one row is selected.
  void OnUpdateDeviceCommand(CCmdUI* pCmdUI);
};
