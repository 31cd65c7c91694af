// The device list's sort order and its display: column clicks, the sort indicator and tint,
// Auto Arrange, the three display modes and the context menu.
#include "platform/afx/CWinApp.h"
#include "platform/afx/Services.h"
#include "view/CTarvexView.h"

namespace {

// The sort key of a column number: column c orders by key c + 1 (Version included); 0 for a
// click that names no column.
int SortKeyOfColumn(int column) {
  return column >= 0 && column < CTarvexView::COLUMN_COUNT ? column + 1 : 0;
}

}  // namespace

void CTarvexView::OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult) {
  auto* click = reinterpret_cast<NMLISTVIEW*>(pNMHDR);
  if (pResult != nullptr) *pResult = 0;
  if (click == nullptr) return;
  HeaderClicked(click);
  const int key = SortKeyOfColumn(click->iSubItem);
  // A click that names no column changes nothing: indicator, state and order stay together.
  if (key == 0) return;
  m_nSortKey = key == m_nSortKey ? -key : key;
  ShowSortState();
}

void CTarvexView::ShowSortState() {
  m_bShowSortIndicator = TRUE;
  if (s_nCommonControlsLevel == 1) {
    BuildArrowImages();
    if (HWND header = GetListCtrl().GetHeaderCtrl())
      ::SendMessage(header, HDM_SETIMAGELIST, 0,
                    reinterpret_cast<LPARAM>(m_imlArrows.GetSafeHandle()));
  }
  ApplySortIndicators();
  EnableSortTint(true);
  // Rows already in this key's order (each new one was put in its place) need no sort.
  if (!RowsInKeyOrder()) SortRows();
}

void CTarvexView::HideSortState() {
  m_bShowSortIndicator = FALSE;
  ApplySortIndicators();
  EnableSortTint(false);
}

void CTarvexView::ApplyAutoArrange() {
  if (m_bAutoArrange == 1 && m_nViewMode == VIEW_REPORT)
    ShowSortState();
  else
    HideSortState();
}

void CTarvexView::OnRClick(NMHDR*, LRESULT* pResult) {
  POINT point{};
  GetCursorPos(&point);
  if (CMenu* popup = m_menuContext.GetSubMenu(0))
    popup->TrackPopupMenu(0, point.x, point.y, AfxGetMainWnd());
  if (pResult != nullptr) *pResult = 0;
}

void CTarvexView::OnViewAutoArrange() {
  m_bAutoArrange = m_bAutoArrange != 0 ? 0 : 1;
  // The window starts without the style while the switch starts on: the first use only
  // clears the switch.
  if (m_bAutoArrange == 0)
    ModifyStyle(LVS_AUTOARRANGE, 0, SWP_SHOWWINDOW);
  else
    ModifyStyle(0, LVS_AUTOARRANGE, SWP_SHOWWINDOW);
}

void CTarvexView::OnUpdateViewAutoArrange(CCmdUI* pCmdUI) {
  pCmdUI->SetCheck(m_bAutoArrange == 1 ? 1 : 0);
}

void CTarvexView::SetViewMode(ViewMode mode) {
  ModifyStyle(static_cast<DWORD>(m_nViewMode), static_cast<DWORD>(mode), SWP_SHOWWINDOW);
  m_nViewMode = mode;
  if (mode == VIEW_REPORT)
    ApplyAutoArrange();
  else
    HideSortState();
}

void CTarvexView::OnViewLargeIcon() {
  SetViewMode(VIEW_LARGE_ICONS);
}

void CTarvexView::OnViewSmallIcon() {
  SetViewMode(VIEW_SMALL_ICONS);
}

void CTarvexView::OnViewDetails() {
  SetViewMode(VIEW_REPORT);
}

void CTarvexView::OnUpdateViewLargeIcon(CCmdUI* pCmdUI) {
  pCmdUI->SetCheck(m_nViewMode == VIEW_LARGE_ICONS ? 1 : 0);
}

void CTarvexView::OnUpdateViewSmallIcon(CCmdUI* pCmdUI) {
  pCmdUI->SetCheck(m_nViewMode == VIEW_SMALL_ICONS ? 1 : 0);
}

void CTarvexView::OnUpdateViewDetails(CCmdUI* pCmdUI) {
  pCmdUI->SetCheck(m_nViewMode == VIEW_REPORT ? 1 : 0);
}
