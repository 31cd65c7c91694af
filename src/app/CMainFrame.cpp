#include "app/CMainFrame.h"

#include "platform/afx/CDC.h"

namespace {

constexpr UINT kIndicators[] = {
    ID_SEPARATOR,  // the message pane
    ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL,
    ID_INDICATOR_EXT,  // the online count
};
constexpr int kOnlinePane = 4;
constexpr int kOnlinePaneWidth = 100;

}  // namespace

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)
ON_WM_CREATE()
ON_WM_TIMER()
END_MESSAGE_MAP()

CMainFrame::CMainFrame() {
  m_bmpLogo.LoadBitmap(165);
}

CMainFrame::~CMainFrame() {
  if (m_hWnd != nullptr) {
    KillTimer(TIMER_LOGO);
    // The windows go while every object behind them is whole, children first, so the view
    // closes its socket through its own handler.
    DestroyWindow();
  }
  m_bmpLogo.DeleteObject();
}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs) {
  return CFrameWnd::PreCreateWindow(cs);
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CFrameWnd::OnCreate(lpCreateStruct) == -1) return -1;

  if (!m_wndToolBar.CreateEx(
          this, TBSTYLE_FLAT,
          WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC, RECT{},
          AFX_IDW_TOOLBAR) ||
      !m_wndToolBar.LoadToolBar(128))
    return -1;

  if (!m_wndStatusBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR) ||
      !m_wndStatusBar.SetIndicators(kIndicators, static_cast<int>(std::size(kIndicators))))
    return -1;
  m_wndStatusBar.SetPaneInfo(kOnlinePane, ID_INDICATOR_EXT, SBPS_NORMAL, kOnlinePaneWidth);

  SetTimer(TIMER_LOGO, LOGO_PERIOD_MS, nullptr);
  return 0;
}

void CMainFrame::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent != TIMER_LOGO) return;
  // The logo is not part of the toolbar's painting; this redraw brings it back after the
  // toolbar has painted over it.
  CDC* dc = m_wndToolBar.GetDC();
  if (dc == nullptr) return;
  if (!m_bmpLogo.IsNull()) dc->DrawBitmap(m_bmpLogo, LOGO_X, LOGO_Y, LOGO_WIDTH, LOGO_HEIGHT);
  m_wndToolBar.ReleaseDC(dc);
}
