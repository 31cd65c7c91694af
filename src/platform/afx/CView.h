// A view: a child window of the frame that shows a document and takes commands first.
#pragma once

#include "CWnd.h"

class CDocument;
class CDC;
class CPrintInfo;

class CView : public CWnd {
  DECLARE_MESSAGE_MAP()

 public:
  ~CView() override;
  CDocument* GetDocument() const { return m_pDocument; }
  virtual void OnInitialUpdate();
  virtual void OnDraw(CDC*) {}
  bool OnCmdMsg(UINT nID, int nCode, void* pExtra) override;
  CDocument* m_pDocument = nullptr;

  // Printing. OnFilePrint runs the print loop: OnPreparePrinting, OnBeginPrinting, then per
  // page from the first to the last page of the print information OnPrepareDC and OnPrint,
  // each page ended with NEWFRAME, then OnEndPrinting and the end of the job. A view that
  // clears m_bContinuePrinting in OnPrint has ended its pages itself; the loop stops there.
  // Defaults: the dialog; nothing; draws the page with OnDraw; nothing.
  virtual BOOL OnPreparePrinting(CPrintInfo* pInfo);
  virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo);
  // Stops the loop after the first page while the view has not given its last page.
  virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo);
  virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo);
  virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo);
  // Shows the print dialog (none with m_bDirect); FALSE when printing should not go on.
  BOOL DoPreparePrinting(CPrintInfo* pInfo);
  void OnFilePrint();
  // There is no print preview on this platform; the command does nothing.
  void OnFilePrintPreview();

 protected:
  int OnCreate(LPCREATESTRUCT cs);
  void OnDestroy();
};
