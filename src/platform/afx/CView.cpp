#include "CView.h"

#include "CDocument.h"

BEGIN_MESSAGE_MAP(CView, CWnd)
ON_WM_CREATE()
ON_WM_DESTROY()
END_MESSAGE_MAP()

CView::~CView() {
  if (m_pDocument != nullptr) m_pDocument->RemoveView(this);
}

int CView::OnCreate(LPCREATESTRUCT cs) {
  // The frame hands the document over in the creation parameters.
  if (cs != nullptr && cs->lpCreateParams != nullptr && m_pDocument == nullptr)
    static_cast<CDocument*>(cs->lpCreateParams)->AddView(this);
  return 0;
}

void CView::OnDestroy() {}

void CView::OnInitialUpdate() {}

bool CView::OnCmdMsg(UINT nID, int nCode, void* pExtra) {
  if (CWnd::OnCmdMsg(nID, nCode, pExtra)) return true;
  return m_pDocument != nullptr && m_pDocument->OnCmdMsg(nID, nCode, pExtra);
}
