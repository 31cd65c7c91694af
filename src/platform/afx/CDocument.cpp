#include "CDocument.h"

#include <algorithm>

#include "CView.h"

BEGIN_MESSAGE_MAP(CDocument, CCmdTarget)
END_MESSAGE_MAP()

BOOL CDocument::OnNewDocument() {
  m_bModified = FALSE;
  return TRUE;
}

void CDocument::AddView(CView* view) {
  m_views.push_back(view);
  view->m_pDocument = this;
}

void CDocument::RemoveView(CView* view) {
  m_views.erase(std::remove(m_views.begin(), m_views.end(), view), m_views.end());
  if (view->m_pDocument == this) view->m_pDocument = nullptr;
}

void CDocument::UpdateAllViews(CView*) {}
