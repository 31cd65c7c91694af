// A view: a child window of the frame that shows a document and takes commands first.
#pragma once

#include "CWnd.h"

class CDocument;
class CDC;

class CView : public CWnd {
  DECLARE_MESSAGE_MAP()

 public:
  ~CView() override;
  CDocument* GetDocument() const { return m_pDocument; }
  virtual void OnInitialUpdate();
  virtual void OnDraw(CDC*) {}
  bool OnCmdMsg(UINT nID, int nCode, void* pExtra) override;
  CDocument* m_pDocument = nullptr;

 protected:
  int OnCreate(LPCREATESTRUCT cs);
  void OnDestroy();
};
