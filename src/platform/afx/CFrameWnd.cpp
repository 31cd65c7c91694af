#include "CFrameWnd.h"

#include "CDocument.h"
#include "CStatusBar.h"
#include "CToolBar.h"
#include "CView.h"
#include "CWinApp.h"
#include "Resources.h"

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
ON_WM_CREATE()
ON_MESSAGE(WM_SETMESSAGESTRING, OnSetMessageString)
ON_MESSAGE(WM_MENUSELECT, OnMenuSelect)
ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUIMessage)
ON_MESSAGE(WM_CLOSE, OnCloseMessage)
ON_COMMAND_RANGE(ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR, OnBarCheck)
ON_UPDATE_COMMAND_UI(ID_VIEW_TOOLBAR, OnUpdateControlBarMenu)
ON_UPDATE_COMMAND_UI(ID_VIEW_STATUS_BAR, OnUpdateControlBarMenu)
ON_UPDATE_COMMAND_UI(ID_INDICATOR_CAPS, OnUpdateKeyIndicator)
ON_UPDATE_COMMAND_UI(ID_INDICATOR_NUM, OnUpdateKeyIndicator)
ON_UPDATE_COMMAND_UI(ID_INDICATOR_SCRL, OnUpdateKeyIndicator)
END_MESSAGE_MAP()

namespace {

// Shows or hides an indicator pane's text the way its update handler says.
class CStatusCmdUI final : public CCmdUI {
 public:
  CStatusCmdUI(CStatusBar& bar, int index) : m_bar(bar) {
    m_nIndex = static_cast<UINT>(index);
    m_nID = bar.GetItemID(index);
  }
  void Enable(BOOL on) override {
    m_bEnableChanged = true;
    const CStatusBar::Pane& pane = m_bar.GetPane(static_cast<int>(m_nIndex));
    UINT style = on ? (pane.style & ~SBPS_DISABLED) : (pane.style | SBPS_DISABLED);
    if (style != pane.style)
      m_bar.SetPaneInfo(static_cast<int>(m_nIndex), pane.id, style, pane.width);
  }
  void SetCheck(int check) override {
    const CStatusBar::Pane& pane = m_bar.GetPane(static_cast<int>(m_nIndex));
    UINT style = check ? (pane.style | SBPS_POPOUT) : (pane.style & ~SBPS_POPOUT);
    if (style != pane.style)
      m_bar.SetPaneInfo(static_cast<int>(m_nIndex), pane.id, style, pane.width);
  }

 private:
  CStatusBar& m_bar;
};

}  // namespace

CFrameWnd::CFrameWnd() = default;
CFrameWnd::~CFrameWnd() = default;

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD style, CWnd* parent, void* createParams) {
  m_nIDResource = nIDResource;
  m_menuDefault.LoadMenu(nIDResource);
  auto& accelerators = ResourceTable::Get().accelerators;
  if (auto it = accelerators.find(nIDResource); it != accelerators.end())
    m_accelerators = it->second;
  std::string title = AfxLoadString(nIDResource);
  // The document string holds fields separated by line feeds; the first is the title.
  if (auto nl = title.find('\n'); nl != std::string::npos) title.resize(nl);
  RECT rect{0, 0, 800, 500};
  return CreateEx(0, "AfxFrameOrView", title, style, rect, parent, 0, createParams);
}

CStatusBar* CFrameWnd::GetMessageBar() const {
  return dynamic_cast<CStatusBar*>(GetDlgItem(static_cast<int>(AFX_IDW_STATUS_BAR)));
}

CDocument* CFrameWnd::GetActiveDocument() const {
  return m_pViewActive != nullptr ? m_pViewActive->GetDocument() : nullptr;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT cs) {
  return OnCreateClient(cs) ? 0 : -1;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT cs) {
  if (!m_viewFactory) return TRUE;
  m_ownedView.reset(m_viewFactory());
  if (!m_ownedView) return FALSE;
  CDocument* doc = m_pDocumentForCreate;
  if (cs != nullptr && cs->lpCreateParams != nullptr)
    doc = static_cast<CDocument*>(cs->lpCreateParams);
  if (doc != nullptr) doc->AddView(m_ownedView.get());
  RECT rect{0, 0, cs != nullptr ? cs->cx : 0, cs != nullptr ? cs->cy : 0};
  if (!m_ownedView->CreateEx(0, "AfxFrameOrView", "", WS_CHILD | WS_VISIBLE | WS_BORDER, rect, this,
                             AFX_IDW_PANE_FIRST, doc)) {
    if (doc != nullptr) doc->RemoveView(m_ownedView.get());
    m_ownedView.reset();
    return FALSE;
  }
  m_pViewActive = m_ownedView.get();
  return TRUE;
}

bool CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra) {
  if (m_pViewActive != nullptr && m_pViewActive->OnCmdMsg(nID, nCode, pExtra)) return true;
  if (CWnd::OnCmdMsg(nID, nCode, pExtra)) return true;
  CWinApp* app = AfxGetApp();
  return app != nullptr && app->OnCmdMsg(nID, nCode, pExtra);
}

void CFrameWnd::UpdateCommandState(CCmdUI& ui) {
  ui.DoUpdate(this, true);
}

void CFrameWnd::SetMessageText(const std::string& text) {
  if (CWnd* bar = GetDlgItem(static_cast<int>(AFX_IDW_STATUS_BAR))) bar->SetWindowText(text);
}

void CFrameWnd::SetMessageText(UINT id) {
  std::string text = AfxLoadString(id);
  if (auto nl = text.find('\n'); nl != std::string::npos) text.resize(nl);
  SetMessageText(text);
}

LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam) {
  m_nIDLastMessage = lParam != 0 ? 0 : static_cast<UINT>(wParam);
  if (lParam != 0)
    SetMessageText(std::string(reinterpret_cast<const char*>(lParam)));
  else
    SetMessageText(static_cast<UINT>(wParam));
  return 0;
}

void CFrameWnd::InitialUpdateFrame(CDocument*, BOOL makeVisible) {
  if (m_pViewActive != nullptr) m_pViewActive->OnInitialUpdate();
  if (makeVisible) ShowWindow(SW_SHOW);
}

UINT CFrameWnd::TranslateAccelerator(UINT key, bool ctrl, bool shift, bool alt) const {
  for (const AcceleratorResource& a : m_accelerators)
    if (a.key == key && a.ctrl == ctrl && a.shift == shift && a.alt == alt) return a.id;
  return 0;
}

CToolBar* CFrameWnd::GetToolBar() const {
  return dynamic_cast<CToolBar*>(GetDlgItem(static_cast<int>(AFX_IDW_TOOLBAR)));
}

void CFrameWnd::OnIdleUpdateCmdUI() {
  if (m_nIDTracking != m_nIDLastMessage) SendMessage(WM_SETMESSAGESTRING, m_nIDTracking, 0);
  if (CToolBar* bar = GetToolBar()) bar->OnUpdateCmdUI(this, TRUE);
  if (CStatusBar* bar = GetMessageBar()) {
    // Indicators without a handler (the online count) keep their text as it is.
    for (int i = 0; i < bar->GetCount(); ++i) {
      if (bar->GetItemID(i) == ID_SEPARATOR) continue;
      CStatusCmdUI ui(*bar, i);
      ui.DoUpdate(this, false);
    }
  }
}

void CFrameWnd::OnInitMenuPopup(CMenu* popup) {
  if (popup != nullptr) CMenu::UpdateItemStates(*popup, this);
}

void CFrameWnd::SetFlyByCommand(UINT id) {
  CToolBar* bar = GetToolBar();
  if (bar == nullptr || (bar->GetBarStyle() & CBRS_FLYBY) == 0) return;
  m_nIDTracking = id != 0 ? id : AFX_IDS_IDLEMESSAGE;
  SendMessage(WM_SETMESSAGESTRING, m_nIDTracking, 0);
}

LRESULT CFrameWnd::OnMenuSelect(WPARAM wParam, LPARAM lParam) {
  const UINT id = LOWORD(wParam);
  const UINT flags = HIWORD(wParam);
  if (flags == 0xFFFF && lParam == 0) {
    m_nIDTracking = AFX_IDS_IDLEMESSAGE;  // the menu closed
  } else if (id == 0 || (flags & (MF_SEPARATOR | MF_POPUP)) != 0) {
    m_nIDTracking = 0;  // pop-up titles and separators have no prompt
  } else {
    m_nIDTracking = id;
  }
  SendMessage(WM_SETMESSAGESTRING, m_nIDTracking, 0);
  return 0;
}

LRESULT CFrameWnd::OnIdleUpdateCmdUIMessage(WPARAM, LPARAM) {
  OnIdleUpdateCmdUI();
  return 0;
}

LRESULT CFrameWnd::OnCloseMessage(WPARAM, LPARAM) {
  // The main window's closing ends the program; the windows go with the objects later.
  CWinApp* app = AfxGetApp();
  if (app != nullptr && app->m_pMainWnd == this) app->PostQuit(0);
  ShowWindow(SW_HIDE);
  return 0;
}

void CFrameWnd::OnBarCheck(UINT id) {
  // The bar's window id is the command id of its show/hide item.
  CWnd* bar = GetDlgItem(static_cast<int>(id));
  if (bar == nullptr) return;
  bar->ShowWindow(bar->IsWindowVisible() ? SW_HIDE : SW_SHOW);
}

void CFrameWnd::OnUpdateControlBarMenu(CCmdUI* ui) {
  CWnd* bar = GetDlgItem(static_cast<int>(ui->m_nID));
  if (bar == nullptr) {
    ui->ContinueRouting();
    return;
  }
  ui->SetCheck(bar->IsWindowVisible() ? 1 : 0);
}

void CFrameWnd::OnUpdateKeyIndicator(CCmdUI* ui) {
  UINT vk = ui->m_nID == ID_INDICATOR_CAPS  ? VK_CAPITAL
            : ui->m_nID == ID_INDICATOR_NUM ? VK_NUMLOCK
                                            : VK_SCROLL;
  ui->Enable(m_lockKeyState && m_lockKeyState(vk) ? TRUE : FALSE);
}
