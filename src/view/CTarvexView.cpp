#include "view/CTarvexView.h"

#include "platform/afx/CFrameWnd.h"
#include "platform/afx/CStatusBar.h"
#include "platform/afx/CWinApp.h"
#include "platform/afx/Resources.h"
#include "platform/afx/SocketSettings.h"
#include "protocol/CListSocket.h"

namespace {

constexpr UINT IDS_ONLINE = 40007;
constexpr UINT IDS_PORT_OPEN_FAIL = 40100;

struct ColumnLayout {
  UINT heading;
  int format;
  int width;
};
const ColumnLayout kColumns[CTarvexView::COLUMN_COUNT] = {
    {40000, LVCFMT_LEFT, 120},  // Device Name
    {40001, LVCFMT_LEFT, 120},  // IP Address
    {40002, LVCFMT_LEFT, 120},  // Subnet Mask
    {40003, LVCFMT_LEFT, 120},  // Gateway IP
    {40004, LVCFMT_LEFT, 130},  // MAC
    {40006, LVCFMT_RIGHT, 95},  // Version
};

// The same icon at each image index of both lists.
const UINT kDeviceIcons[] = {158, 158, 151, 147, 153, 155, 157};

}  // namespace

BEGIN_MESSAGE_MAP(CTarvexView, CListViewEx)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_TIMER()
ON_MESSAGE(LVM_DELETEALLITEMS, OnDeleteAllRows)
ON_NOTIFY_REFLECT(LVN_COLUMNCLICK, OnColumnClick)
ON_NOTIFY_REFLECT(NM_RCLICK, OnRClick)
ON_COMMAND(CTarvexView::ID_REFRESH, OnRefresh)
ON_COMMAND(ID_VIEW_AUTOARRANGE, OnViewAutoArrange)
ON_UPDATE_COMMAND_UI(ID_VIEW_AUTOARRANGE, OnUpdateViewAutoArrange)
ON_COMMAND(ID_VIEW_LARGEICON, OnViewLargeIcon)
ON_COMMAND(ID_VIEW_SMALLICON, OnViewSmallIcon)
ON_COMMAND(ID_VIEW_DETAILS, OnViewDetails)
ON_UPDATE_COMMAND_UI(ID_VIEW_LARGEICON, OnUpdateViewLargeIcon)
ON_UPDATE_COMMAND_UI(ID_VIEW_SMALLICON, OnUpdateViewSmallIcon)
ON_UPDATE_COMMAND_UI(ID_VIEW_DETAILS, OnUpdateViewDetails)
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
ON_COMMAND(ID_FILE_PRINT, CView::OnFilePrint)
ON_COMMAND(ID_FILE_PRINT_DIRECT, CView::OnFilePrint)
ON_COMMAND(ID_FILE_PRINT_PREVIEW, CView::OnFilePrintPreview)
END_MESSAGE_MAP()

CTarvexView::CTarvexView() {
  m_imgSmall.Create(16, 16, ILC_COLOR32 | ILC_MASK, 0, 1);
  m_imgLarge.Create(32, 32, ILC_COLOR32 | ILC_MASK, 0, 1);
  for (UINT icon : kDeviceIcons) {
    m_imgSmall.AddIcon(icon);
    m_imgLarge.AddIcon(icon);
  }
}

CTarvexView::~CTarvexView() {
  // The window goes while the view can still answer WM_DESTROY: rows before their records.
  if (m_hWnd != nullptr) CListView::DestroyWindow();
}

BOOL CTarvexView::PreCreateWindow(CREATESTRUCT& cs) {
  m_nViewMode = VIEW_REPORT;
  cs.style |= WS_VISIBLE | LVS_REPORT;
  return CListViewEx::PreCreateWindow(cs);
}

int CTarvexView::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CListViewEx::OnCreate(lpCreateStruct) == -1) return -1;
  m_pSocket = std::make_unique<CListSocket>();
  OnRefresh();
  return 0;
}

void CTarvexView::OnInitialUpdate() {
  CListViewEx::OnInitialUpdate();

  if (CFrameWnd* frame = GetParentFrame()) {
    if (CStatusBar* bar = frame->GetMessageBar())
      bar->SetPaneText(bar->CommandToIndex(ID_INDICATOR_EXT), AfxLoadString(IDS_ONLINE) + " : 0",
                       TRUE);
  }
  m_menuContext.DestroyMenu();
  m_menuContext.LoadMenu(IDR_CONTEXT_MENU);
  SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LIST_EX_STYLE);

  CListCtrl& list = GetListCtrl();
  for (int c = 0; c < COLUMN_COUNT; ++c) {
    const ColumnLayout& column = kColumns[c];
    list.InsertColumn(c, AfxLoadString(column.heading), column.format, column.width, -1);
    if (c > 0 && c < ColumnCount() && !Column(c).m_bCanHide) {
      Column(c).m_bCanHide = true;
      ++m_nHideableCount;
    }
  }
  SendMessage(LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(m_imgLarge.m_hImageList));
  SendMessage(LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(m_imgSmall.m_hImageList));

  m_bShowSortIndicator = FALSE;
  ApplySortIndicators();
  EnableSortTint(false);
  SetSortState(2);
  m_bLabelInLeadColumn = (GetStyle() & LVS_OWNERDRAWFIXED) != 0;

  if (ColumnCount() > 0) {
    BYTE* block = nullptr;
    UINT bytes = 0;
    if (CWinApp* app = AfxGetApp();
        app != nullptr && app->GetProfileBinary("Settings", "Overview", &block, &bytes)) {
      ApplySavedLayout(block, bytes);
      delete[] block;
    }
  }
  m_nSortKey = m_nSortState;
  SortRows();
}

void CTarvexView::OnDraw(CDC*) {}

void CTarvexView::OnDestroy() {
  SendMessage(LVM_DELETEALLITEMS);
  CListView::OnDestroy();
  m_pSocket.reset();
}

LRESULT CTarvexView::OnDeleteAllRows(WPARAM wParam, LPARAM lParam) {
  const LRESULT result = CListBase::OnDeleteAllItems(wParam, lParam);
  // A row the control kept still reads its record: then every record stays until the next
  // emptying, or the view's end.
  if (Direct(LVM_GETITEMCOUNT) == 0) {
    m_records.clear();
    m_bRowsInKeyOrder = true;
  }
  return result;
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

void CTarvexView::AddDeviceRow(const BYTE reply[DEVICE_PACKET_SIZE]) {
  std::unique_ptr<CDeviceRecord> record = CDeviceRecord::FromReply(reply);
  const CDeviceRecord& row = *record;
  CListCtrl& list = GetListCtrl();

  // When Auto Arrange is about to re-sort rows that are in order already, the new row goes
  // straight to the place the sort would give it: a reply costs a binary search, not a sort.
  const bool placeNow = m_bAutoArrange == 1 && m_nViewMode == VIEW_REPORT && RowsInKeyOrder();
  LVITEMA item;
  item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
  item.iItem = placeNow ? SortedPosition(row) : list.GetItemCount();
  item.iSubItem = 0;
  // The control copies the text; it never writes through this pointer.
  item.pszText = const_cast<char*>(row.FieldText(CDeviceRecord::NAME));
  item.iImage = row.Image();
  item.lParam = reinterpret_cast<LPARAM>(&row);
  const int index =
      static_cast<int>(SendMessage(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
  if (index < 0) return;  // no row: the record goes with this call
  m_records.push_back(std::move(record));
  if (!placeNow && index > 0) m_bRowsInKeyOrder = false;

  for (int k = CDeviceRecord::IP_ADDRESS; k < CDeviceRecord::FIELD_COUNT; ++k) {
    LVITEMA cell;
    cell.iSubItem = k;
    cell.pszText = const_cast<char*>(row.FieldText(k));
    SendMessage(LVM_SETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&cell));
  }
  ApplyAutoArrange();
}

int CTarvexView::SortedPosition(const CDeviceRecord& row) {
  // After every row that is not greater, as the control's stable sort puts a last row.
  int lo = 0;
  int hi = GetListCtrl().GetItemCount();
  while (lo < hi) {
    const int mid = lo + (hi - lo) / 2;
    // The row's item data straight from the extension's record: a probe of a long list
    // should not cost a routed message.
    const ROW_RECORD* record = FetchRowRecord(mid);
    const LPARAM other = record != nullptr ? record->m_lCallerData : 0;
    if (CompareDeviceRows(other, reinterpret_cast<LPARAM>(&row), m_nSortKey) > 0)
      hi = mid;
    else
      lo = mid + 1;
  }
  return lo;
}

void CTarvexView::SortRows() {
  GetListCtrl().SortItems(&CTarvexView::CompareDeviceRows, m_nSortKey);
  m_nOrderedKey = m_nSortKey;
  m_bRowsInKeyOrder = true;
}

bool CTarvexView::RowsInKeyOrder() const {
  return m_bRowsInKeyOrder && m_nOrderedKey == m_nSortKey;
}

int CTarvexView::CompareDeviceRows(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort) {
  const auto* a = reinterpret_cast<const CDeviceRecord*>(lParam1);
  const auto* b = reinterpret_cast<const CDeviceRecord*>(lParam2);
  if (a == nullptr || b == nullptr) return 0;
  return CDeviceRecord::Compare(*a, *b, static_cast<int>(lParamSort));
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
