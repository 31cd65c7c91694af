// What the framework's print loop knows about one print job: the page range the view
// announces, the page being printed and whether printing goes on.
#pragma once

#include "platform/win/win.h"

class CPrintInfo final {
 public:
  // The view has not said how many pages there are.
  static constexpr UINT kUnknownMaxPage = 0xFFFF;

  void SetMinPage(UINT page) { m_nMinPage = page; }
  void SetMaxPage(UINT page) { m_nMaxPage = page; }
  UINT GetMinPage() const { return m_nMinPage; }
  UINT GetMaxPage() const { return m_nMaxPage; }

  // Cleared by OnPrepareDC or OnPrint to end the loop after the current page.
  BOOL m_bContinuePrinting = TRUE;
  UINT m_nCurPage = 1;
  // Print directly (no dialog), and print preview; this platform has no preview.
  BOOL m_bDirect = FALSE;
  BOOL m_bPreview = FALSE;
  // The printable area of the page in device units, known once the printer is open.
  RECT m_rectDraw{};

 private:
  UINT m_nMinPage = 1;
  UINT m_nMaxPage = kUnknownMaxPage;
};
