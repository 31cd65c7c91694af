// The main window: the device list view with a toolbar above it, a status bar below it whose
// last pane shows how many devices are online, and the logo painted onto the toolbar.
#pragma once

#include "platform/afx/CFrameWnd.h"
#include "platform/afx/CImageList.h"
#include "platform/afx/CStatusBar.h"
#include "platform/afx/CToolBar.h"

class CMainFrame : public CFrameWnd {
  DECLARE_MESSAGE_MAP()

 public:
  static constexpr UINT_PTR TIMER_LOGO = 1;
  static constexpr UINT LOGO_PERIOD_MS = 200;
  static constexpr int LOGO_X = 300;  // in toolbar client coordinates
  static constexpr int LOGO_Y = 3;
  static constexpr int LOGO_WIDTH = 138;
  static constexpr int LOGO_HEIGHT = 32;

  CMainFrame();
  ~CMainFrame() override;
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;

  // Public: the list view and discovery write the online count into it.
  CStatusBar m_wndStatusBar;

 protected:
  CToolBar m_wndToolBar;
  CBitmap m_bmpLogo;

  int OnCreate(LPCREATESTRUCT lpCreateStruct);
  void OnTimer(UINT_PTR nIDEvent);
};
