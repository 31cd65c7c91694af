#include "CStatusBar.h"

#include "Resources.h"

BEGIN_MESSAGE_MAP(CStatusBar, CWnd)
ON_MESSAGE(WM_SETTEXT, OnSetText)
END_MESSAGE_MAP()

BOOL CStatusBar::Create(CWnd* parent, DWORD style, UINT id) {
  return CreateEx(0, "msctls_statusbar32", "", style, RECT{}, parent, id);
}

BOOL CStatusBar::SetIndicators(const UINT* ids, int count) {
  if (ids == nullptr || count < 0) return FALSE;
  m_panes.clear();
  for (int i = 0; i < count; ++i) {
    Pane pane;
    pane.id = ids[i];
    if (pane.id != ID_SEPARATOR) {
      pane.text = AfxLoadString(pane.id);
      pane.width = static_cast<int>(7 * pane.text.size()) + 8;
    } else {
      pane.style = SBPS_STRETCH;
    }
    m_panes.push_back(pane);
  }
  if (m_observer != nullptr) m_observer->PanesChanged(*this, -1, false);
  return TRUE;
}

int CStatusBar::CommandToIndex(UINT id) const {
  for (size_t i = 0; i < m_panes.size(); ++i)
    if (m_panes[i].id == id) return static_cast<int>(i);
  return -1;
}

UINT CStatusBar::GetItemID(int index) const {
  return index >= 0 && index < GetCount() ? m_panes[static_cast<size_t>(index)].id : 0;
}

void CStatusBar::SetPaneInfo(int index, UINT id, UINT style, int width) {
  if (index < 0 || index >= GetCount()) return;
  Pane& pane = m_panes[static_cast<size_t>(index)];
  pane.id = id;
  pane.style = style;
  pane.width = width;
  if (m_observer != nullptr) m_observer->PanesChanged(*this, index, false);
}

BOOL CStatusBar::SetPaneText(int index, const std::string& text, BOOL update) {
  if (index < 0 || index >= GetCount()) return FALSE;
  Pane& pane = m_panes[static_cast<size_t>(index)];
  if (pane.text == text) return TRUE;
  pane.text = text;
  if (m_observer != nullptr) m_observer->PanesChanged(*this, index, update != FALSE);
  return TRUE;
}

std::string CStatusBar::GetPaneText(int index) const {
  return index >= 0 && index < GetCount() ? m_panes[static_cast<size_t>(index)].text
                                          : std::string();
}

LRESULT CStatusBar::OnSetText(WPARAM, LPARAM lParam) {
  if (m_panes.empty()) return TRUE;
  SetPaneText(0, lParam != 0 ? reinterpret_cast<const char*>(lParam) : "", TRUE);
  return TRUE;
}
