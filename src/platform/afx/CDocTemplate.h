// Makes the document, the frame and the view of a single-document program.
#pragma once

#include <functional>
#include <memory>

#include "CCmdTarget.h"

class CDocument;
class CFrameWnd;
class CView;

class CDocTemplate : public CCmdTarget {
 public:
  ~CDocTemplate() override;
  CDocument* GetFirstDoc() const { return m_pOnlyDoc.get(); }
  virtual CDocument* OpenDocumentFile(const char* path, BOOL makeVisible = TRUE) = 0;
  UINT m_nIDResource = 0;

 protected:
  std::unique_ptr<CDocument> m_pOnlyDoc;
  std::unique_ptr<CFrameWnd> m_pFrame;
};

class CSingleDocTemplate : public CDocTemplate {
 public:
  CSingleDocTemplate(UINT nIDResource, std::function<CDocument*()> makeDoc,
                     std::function<CFrameWnd*()> makeFrame, std::function<CView*()> makeView);
  ~CSingleDocTemplate() override;
  // Makes the document (once), the frame and the view, runs the view's initial update.
  // Returns null when any of them cannot be made.
  CDocument* OpenDocumentFile(const char* path, BOOL makeVisible = TRUE) override;
  CFrameWnd* GetFrame() const { return m_pFrame.get(); }

 private:
  std::function<CDocument*()> m_makeDoc;
  std::function<CFrameWnd*()> m_makeFrame;
  std::function<CView*()> m_makeView;
};
