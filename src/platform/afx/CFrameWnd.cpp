#include "CFrameWnd.h"

#include "CDocument.h"
#include "CStatusBar.h"
#include "CView.h"
#include "CWinApp.h"
#include "Resources.h"

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
ON_WM_CREATE()
ON_MESSAGE(WM_SETMESSAGESTRING, OnSetMessageString)
END_MESSAGE_MAP()

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD style, CWnd* parent, void* createParams) {
  m_nIDResource = nIDResource;
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
