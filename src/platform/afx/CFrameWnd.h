// The main frame: holds the view, routes commands to it first, and updates command states.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "CMenu.h"
#include "CWnd.h"
#include "Resources.h"

class CView;
class CDocument;
class CToolBar;

class CFrameWnd : public CWnd {
  DECLARE_MESSAGE_MAP()

 public:
  CFrameWnd();
  ~CFrameWnd() override;
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

  // The menu bar, accelerators and icon that LoadFrame took from the resources.
  CMenu* GetMenu() { return m_menuDefault.GetSafeHmenu() != nullptr ? &m_menuDefault : nullptr; }
  const std::vector<AcceleratorResource>& GetAccelerators() const { return m_accelerators; }
  // The command of a key with its modifiers; 0 when no accelerator has it.
  UINT TranslateAccelerator(UINT key, bool ctrl, bool shift, bool alt) const;
  CToolBar* GetToolBar() const;

  // What the framework does when the program is idle: toolbar buttons and status-bar
  // indicators take their states from the update handlers. The screen calls it on a short
  // timer and after each command.
  void OnIdleUpdateCmdUI();
  // Sets the enabled and checked states of a pop-up's items just before it opens.
  void OnInitMenuPopup(CMenu* popup);
  // The pointer rests on a toolbar button (its command), or left the buttons (0): with
  // fly-by prompts the message pane shows the command's prompt, or the idle text again.
  void SetFlyByCommand(UINT id);
  UINT GetTrackingId() const { return m_nIDTracking; }
  // Whether a lock key (VK_CAPITAL, VK_NUMLOCK, VK_SCROLL) is on; unset: all off.
  std::function<bool(UINT vk)> m_lockKeyState;

  UINT m_nIDResource = 0;
  // How the frame makes its view (set by the document template).
  std::function<CView*()> m_viewFactory;
  CDocument* m_pDocumentForCreate = nullptr;

 protected:
  int OnCreate(LPCREATESTRUCT cs);
  virtual BOOL OnCreateClient(LPCREATESTRUCT cs);
  LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
  LRESULT OnMenuSelect(WPARAM wParam, LPARAM lParam);
  LRESULT OnIdleUpdateCmdUIMessage(WPARAM wParam, LPARAM lParam);
  LRESULT OnCloseMessage(WPARAM wParam, LPARAM lParam);
  void OnBarCheck(UINT id);
  void OnUpdateControlBarMenu(CCmdUI* ui);
  void OnUpdateKeyIndicator(CCmdUI* ui);
  CMenu m_menuDefault;
  std::vector<AcceleratorResource> m_accelerators;
  UINT m_nIDTracking = AFX_IDS_IDLEMESSAGE;  // the command whose prompt should show
  UINT m_nIDLastMessage = 0;                 // the string the message pane shows
  CView* m_pViewActive = nullptr;
  std::unique_ptr<CView> m_ownedView;
};
