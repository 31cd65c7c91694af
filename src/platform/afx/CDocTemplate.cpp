#include "CDocTemplate.h"

#include "CDocument.h"
#include "CFrameWnd.h"
#include "CView.h"
#include "CWinApp.h"

CDocTemplate::~CDocTemplate() {
  // The frame (and its view) goes before the document it shows.
  m_pFrame.reset();
  m_pOnlyDoc.reset();
}

CSingleDocTemplate::CSingleDocTemplate(UINT nIDResource, std::function<CDocument*()> makeDoc,
                                       std::function<CFrameWnd*()> makeFrame,
                                       std::function<CView*()> makeView)
    : m_makeDoc(std::move(makeDoc)),
      m_makeFrame(std::move(makeFrame)),
      m_makeView(std::move(makeView)) {
  m_nIDResource = nIDResource;
}

CSingleDocTemplate::~CSingleDocTemplate() = default;

CDocument* CSingleDocTemplate::OpenDocumentFile(const char*, BOOL makeVisible) {
  if (m_pOnlyDoc) {
    // The one document is reused; nothing to reinitialise in this program.
    return m_pOnlyDoc->OnNewDocument() ? m_pOnlyDoc.get() : nullptr;
  }
  m_pOnlyDoc.reset(m_makeDoc());
  if (!m_pOnlyDoc) {
    AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
    return nullptr;
  }
  m_pOnlyDoc->m_pDocTemplate = this;
  m_pFrame.reset(m_makeFrame());
  if (!m_pFrame) {
    m_pOnlyDoc.reset();
    AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
    return nullptr;
  }
  m_pFrame->m_viewFactory = m_makeView;
  m_pFrame->m_pDocumentForCreate = m_pOnlyDoc.get();
  if (!m_pFrame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW, nullptr, m_pOnlyDoc.get())) {
    m_pFrame.reset();
    m_pOnlyDoc.reset();
    AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
    return nullptr;
  }
  if (!m_pOnlyDoc->OnNewDocument()) {
    m_pFrame.reset();
    m_pOnlyDoc.reset();
    return nullptr;
  }
  if (CWinApp* app = AfxGetApp(); app != nullptr && app->m_pMainWnd == nullptr)
    app->m_pMainWnd = m_pFrame.get();
  m_pFrame->InitialUpdateFrame(m_pOnlyDoc.get(), makeVisible);
  return m_pOnlyDoc.get();
}
