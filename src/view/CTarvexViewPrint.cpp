// CTarvexView print-out: the device list as plain text, one line per device, in the
// printer's current font.
#include <algorithm>

#include "platform/afx/CPrintInfo.h"
#include "view/CTarvexView.h"

namespace {

// x position of each column's text, in average character widths.
constexpr int kColumnX[CTarvexView::COLUMN_COUNT] = {0, 10, 25, 40, 55, 72};
constexpr int kCellBufferSize = 260;

}  // namespace

BOOL CTarvexView::OnPreparePrinting(CPrintInfo* pInfo) {
  return DoPreparePrinting(pInfo);
}

void CTarvexView::OnBeginPrinting(CDC*, CPrintInfo*) {}

void CTarvexView::OnEndPrinting(CDC*, CPrintInfo*) {}

// Prints the whole list in the first call and ends its own pages and the job; clearing
// m_bContinuePrinting keeps the framework's page loop from calling again or ending a page.
void CTarvexView::OnPrint(CDC* pDC, CPrintInfo* pInfo) {
  if (pDC == nullptr || pInfo == nullptr) return;
  pInfo->m_bContinuePrinting = FALSE;
  pDC->SetMapMode(MM_TEXT);
  TEXTMETRIC tm;
  pDC->GetTextMetrics(&tm);
  // A font without height, or a page lower than one line, still prints one line a page.
  const int h = std::max<int>(1, tm.tmHeight + tm.tmExternalLeading);
  const int a = tm.tmAveCharWidth;
  const int linesPerPage = std::max(1, pDC->GetDeviceCaps(VERTRES) / h);
  const int n = static_cast<int>(SendMessage(LVM_GETITEMCOUNT));
  // n / (P - 1) + 1; a page of one line would divide by zero, and then has one page a line.
  pInfo->SetMaxPage(static_cast<UINT>(linesPerPage > 1 ? n / (linesPerPage - 1) + 1 : n + 1));

  int lines = 0;
  for (int i = 0; i < n; ++i) {
    const int y = lines * h;
    for (int c = 0; c < COLUMN_COUNT; ++c) {
      char buffer[kCellBufferSize] = {};
      LVITEMA item;
      item.mask = LVIF_TEXT;
      item.iItem = i;
      item.iSubItem = c;
      item.pszText = buffer;
      item.cchTextMax = kCellBufferSize;
      SendMessage(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
      buffer[kCellBufferSize - 1] = '\0';
      // The list may answer with a text of its own instead of filling the buffer.
      const char* text =
          item.pszText != nullptr && item.pszText != LPSTR_TEXTCALLBACKA ? item.pszText : "";
      pDC->TextOut(kColumnX[c] * a, y, text);
    }
    if (++lines == linesPerPage) {
      if (pDC->Escape(NEWFRAME) < 0) return;
      lines = 0;
    }
  }
  pDC->Escape(NEWFRAME);
  pDC->Escape(ENDDOC);
  CListViewEx::OnPrint(pDC, pInfo);
}
