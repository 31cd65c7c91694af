// CView printing: the framework's print loop on the platform's printer service.
#include "CDC.h"
#include "CDocument.h"
#include "CPrintInfo.h"
#include "CView.h"
#include "Services.h"

BOOL CView::OnPreparePrinting(CPrintInfo* pInfo) {
  return DoPreparePrinting(pInfo);
}

void CView::OnBeginPrinting(CDC*, CPrintInfo*) {}

void CView::OnPrepareDC(CDC*, CPrintInfo* pInfo) {
  if (pInfo != nullptr && pInfo->GetMaxPage() == CPrintInfo::kUnknownMaxPage &&
      pInfo->m_nCurPage != 1)
    pInfo->m_bContinuePrinting = FALSE;
}

void CView::OnPrint(CDC* pDC, CPrintInfo*) {
  OnDraw(pDC);
}

void CView::OnEndPrinting(CDC*, CPrintInfo*) {}

BOOL CView::DoPreparePrinting(CPrintInfo* pInfo) {
  PrinterService* printer = AfxServices().printer;
  if (printer == nullptr || pInfo == nullptr) return FALSE;
  return printer->ChoosePrinter(m_hWnd, *pInfo) ? TRUE : FALSE;
}

void CView::OnFilePrint() {
  PrinterService* printer = AfxServices().printer;
  if (printer == nullptr) return;
  CPrintInfo info;
  if (!OnPreparePrinting(&info)) return;
  CDC* dc = printer->BeginDocument(m_pDocument != nullptr ? m_pDocument->GetTitle() : "");
  if (dc == nullptr) return;
  info.m_rectDraw = RECT{0, 0, dc->GetDeviceCaps(HORZRES), dc->GetDeviceCaps(VERTRES)};
  OnBeginPrinting(dc, &info);
  // The page range is read anew each round: a view may give its last page while printing.
  for (info.m_nCurPage = info.GetMinPage(); info.m_nCurPage <= info.GetMaxPage();
       ++info.m_nCurPage) {
    OnPrepareDC(dc, &info);
    if (!info.m_bContinuePrinting) break;
    OnPrint(dc, &info);
    if (!info.m_bContinuePrinting) break;
    if (dc->Escape(NEWFRAME) < 0) break;
  }
  OnEndPrinting(dc, &info);
  printer->EndDocument(dc);
}

void CView::OnFilePrintPreview() {}
