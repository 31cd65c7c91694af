// The main frame: holds the view, routes commands to it first, and updates command states.
#pragma once

#include <functional>
#include <memory>

#include "CWnd.h"

class CView;
class CDocument;

class CFrameWnd : public CWnd {
  DECLARE_MESSAGE_MAP()

 public:
  bool IsFrameWnd() const override { return true; }

  // Creates the frame window with the resources of nIDResource (menu, accelerators, title).
  virtual BOOL LoadFrame(UINT nIDResource, DWORD style, CWnd* parent, void* createParams);
  CView* GetActiveView() const { return m_pViewActive; }
  // The status bar whose message pane shows prompts; null when the frame has none.
  class CStatusBar* GetMessageBar() const;
  void SetActiveView(CView* view) { m_pViewActive = view; }
  CDocument* GetActiveDocument() const;

  // Commands go to the active view (then its document), the frame, then the application.
  bool OnCmdMsg(UINT nID, int nCode, void* pExtra) override;
  // Runs the update handlers of a command; disabled when nobody handles it.
  void UpdateCommandState(CCmdUI& ui);
  // The first line of a command's string, or the idle text; shown in the message pane.
  virtual void SetMessageText(const std::string& text);
  virtual void SetMessageText(UINT id);
  // Commands to show after creation: hook for the window system (called by the document
  // template once the frame and view exist).
  virtual void InitialUpdateFrame(CDocument* doc, BOOL makeVisible);

  UINT m_nIDResource = 0;
  // How the frame makes its view (set by the document template).
  std::function<CView*()> m_viewFactory;
  CDocument* m_pDocumentForCreate = nullptr;

 protected:
  int OnCreate(LPCREATESTRUCT cs);
  virtual BOOL OnCreateClient(LPCREATESTRUCT cs);
  LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
  CView* m_pViewActive = nullptr;
  std::unique_ptr<CView> m_ownedView;
};
