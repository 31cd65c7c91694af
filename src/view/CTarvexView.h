// The device list view: one row per device that answered the discovery, on the list
// extension (hidden columns, sort indicator and tint, saved layout). It owns the discovery
// socket and runs the discovery cycle on its two timers, and it owns the rows' device records.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "listctrl/CListViewEx.h"
#include "platform/afx/CImageList.h"
#include "platform/afx/CMenu.h"
#include "protocol/DevicePacket.h"
#include "view/CDeviceRecord.h"

class CListSocket;

class CTarvexView : public CListViewEx {
  DECLARE_MESSAGE_MAP()

 public:
  static constexpr UINT ID_REFRESH = 32772;
  static constexpr UINT_PTR TIMER_DISCOVERY = 1;  // the discovery window, 5000 ms steps
  static constexpr UINT_PTR TIMER_RESCAN = 2;     // the re-scan after a device command
  static constexpr UINT DISCOVERY_STEP_MS = 5000;
  static constexpr UINT IDR_CONTEXT_MENU = 142;
  static constexpr DWORD LIST_EX_STYLE = 0x31;  // grid lines, header drag-drop, full-row select
  static constexpr int COLUMN_COUNT = 6;

  // m_nViewMode values; each is also the list style of that display.
  enum ViewMode { VIEW_LARGE_ICONS = 0, VIEW_REPORT = 1, VIEW_SMALL_ICONS = 2 };

  CTarvexView();
  ~CTarvexView() override;

  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  void OnInitialUpdate() override;
  // Draws nothing: the list control paints itself.
  void OnDraw(CDC* pDC) override;

  // Print-out of the device list, one line per device (CTarvexViewPrint.cpp).
  BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
  void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override;
  void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;
  void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) override;

  // Row building: appends the device of one reply at the end and applies Auto Arrange.
  void AddDeviceRow(const BYTE reply[DEVICE_PACKET_SIZE]);
  // The comparison handed to LVM_SORTITEMS: two device records and the sort key.
  static int CompareDeviceRows(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort);
  // String 40100 with the local port number in place of its first line break.
  static std::string PortMessage();

  // Sort display: indicator, tint and order on; off; or whichever Auto Arrange asks for.
  void ShowSortState();
  void HideSortState();
  void ApplyAutoArrange();

  // Signed sort key of CompareDeviceRows; follows m_nSortState (column c is key c + 1).
  int m_nSortKey = 0;
  CImageList m_imgSmall;
  CImageList m_imgLarge;
  CMenu m_menuContext;
  // The discovery socket, owned; made in OnCreate, deleted in OnDestroy.
  std::unique_ptr<CListSocket> m_pSocket;
  int m_bAutoArrange = 1;
  int m_nViewMode = VIEW_REPORT;

  // Rows whose device records are alive (the records outlive their rows; released when
  // all rows are deleted).
  std::size_t RecordCount() const { return m_records.size(); }

 protected:
  int OnCreate(LPCREATESTRUCT lpCreateStruct);
  void OnDestroy();
  void OnTimer(UINT_PTR nIDEvent);
  void OnRefresh();
  // Every LVM_DELETEALLITEMS sent to the view (Refresh, commands, destroy) ends here.
  LRESULT OnDeleteAllRows(WPARAM wParam, LPARAM lParam);
  void OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult);
  void OnRClick(NMHDR* pNMHDR, LRESULT* pResult);
  void OnViewAutoArrange();
  void OnUpdateViewAutoArrange(CCmdUI* pCmdUI);
  void OnViewLargeIcon();
  void OnViewSmallIcon();
  void OnViewDetails();
  void OnUpdateViewLargeIcon(CCmdUI* pCmdUI);
  void OnUpdateViewSmallIcon(CCmdUI* pCmdUI);
  void OnUpdateViewDetails(CCmdUI* pCmdUI);

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

 private:
  void SetViewMode(ViewMode mode);
  // Sorts all rows with m_nSortKey; afterwards they are known to be in its order.
  void SortRows();
  // The rows are in the order of m_nSortKey: sorted by it, and since then only emptied or
  // given rows at their places.
  bool RowsInKeyOrder() const;
  // Index at which a row belongs among rows in the order of m_nSortKey (binary search).
  int SortedPosition(const CDeviceRecord& row);

  std::vector<std::unique_ptr<CDeviceRecord>> m_records;
  int m_nOrderedKey = 0;
  bool m_bRowsInKeyOrder = false;
};
