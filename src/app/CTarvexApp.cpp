#include "app/CTarvexApp.h"

#include <new>

#include "app/CAboutDlg.h"
#include "app/CMainFrame.h"
#include "app/CTarvexDoc.h"
#include "platform/afx/CDocTemplate.h"
#include "platform/afx/PlatformInit.h"
#include "platform/afx/Resources.h"
#include "view/CTarvexView.h"

namespace {
constexpr UINT IDR_MAINFRAME = 128;
constexpr UINT IDP_SOCKETS_INIT_FAILED = 104;
}  // namespace

BEGIN_MESSAGE_MAP(CTarvexApp, CWinApp)
ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
ON_COMMAND(ID_FILE_NEW, CWinApp::OnFileNew)
ON_COMMAND(ID_FILE_OPEN, CWinApp::OnFileOpen)
ON_COMMAND(ID_FILE_PRINT_SETUP, CWinApp::OnFilePrintSetup)
END_MESSAGE_MAP()

CTarvexApp::CTarvexApp() = default;

BOOL CTarvexApp::InitInstance() {
  InitCommonControls();
  CWinApp::InitInstance();

  if (!AfxSocketInit()) {
    AfxMessageBox(IDP_SOCKETS_INIT_FAILED);
    return FALSE;
  }
  // OLE and the control container serve nothing here; there is nothing to start for them.

  SetRegistryKey(REGISTRY_KEY);
  LoadStdProfileSettings(4);

  auto* docTemplate = new (std::nothrow) CSingleDocTemplate(
      IDR_MAINFRAME, [] { return new CTarvexDoc; }, [] { return new CMainFrame; },
      [] { return new CTarvexView; });
  if (docTemplate == nullptr) return FALSE;
  AddDocTemplate(docTemplate);

  CCommandLineInfo cmdInfo;
  ParseCommandLine(cmdInfo);
  if (!ProcessShellCommand(cmdInfo)) return FALSE;

  m_pMainWnd->ShowWindow(SW_SHOW);
  m_pMainWnd->UpdateWindow();
  m_pMainWnd->SetWindowText(AfxLoadString(IDR_MAINFRAME));
  return TRUE;
}

void CTarvexApp::OnAppAbout() {
  CAboutDlg aboutDlg;
  aboutDlg.DoModal();
}
