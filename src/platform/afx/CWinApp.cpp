#include "CWinApp.h"

#include <cstring>

#include "CDocTemplate.h"
#include "CWnd.h"
#include "Resources.h"
#include "Services.h"

namespace {
CWinApp* g_app = nullptr;
}

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
ON_COMMAND(ID_APP_EXIT, OnAppExit)
END_MESSAGE_MAP()

CWinApp::CWinApp(const std::string& appName) : m_pszAppName(appName) {
  g_app = this;
}

CWinApp::~CWinApp() {
  m_templates.clear();
  if (g_app == this) g_app = nullptr;
}

BOOL CWinApp::InitInstance() {
  if (m_pszAppName.empty()) m_pszAppName = AfxLoadString(AFX_IDS_APP_TITLE);
  return TRUE;
}

void CWinApp::AddDocTemplate(CDocTemplate* tmpl) {
  m_templates.emplace_back(tmpl);
}

CDocTemplate* CWinApp::GetFirstDocTemplate() const {
  return m_templates.empty() ? nullptr : m_templates.front().get();
}

BOOL CWinApp::GetProfileBinary(const std::string& section, const std::string& entry, BYTE** data,
                               UINT* bytes) {
  if (data == nullptr || bytes == nullptr) return FALSE;
  *data = nullptr;
  *bytes = 0;
  if (AfxServices().profile == nullptr) return FALSE;
  std::vector<std::uint8_t> value;
  if (!AfxServices().profile->GetBinary(section, entry, value)) return FALSE;
  *data = new BYTE[value.size() > 0 ? value.size() : 1];
  if (!value.empty()) std::memcpy(*data, value.data(), value.size());
  *bytes = static_cast<UINT>(value.size());
  return TRUE;
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& info) {
  if (info.m_nShellCommand == CCommandLineInfo::FileNew) {
    if (!OnCmdMsg(ID_FILE_NEW, CN_COMMAND, nullptr)) OnFileNew();
    if (m_pMainWnd == nullptr) return FALSE;
  }
  return TRUE;
}

void CWinApp::OnFileNew() {
  if (CDocTemplate* t = GetFirstDocTemplate()) t->OpenDocumentFile(nullptr);
}

void CWinApp::OnFileOpen() {}

void CWinApp::OnAppExit() {
  if (m_pMainWnd != nullptr) m_pMainWnd->SendMessage(WM_CLOSE);
}

void CWinApp::PostQuit(int exitCode) {
  m_bQuitPosted = true;
  if (m_onQuit) m_onQuit(exitCode);
}

CWinApp* AfxGetApp() {
  return g_app;
}
CWnd* AfxGetMainWnd() {
  return g_app != nullptr ? g_app->m_pMainWnd : nullptr;
}

int AfxMessageBox(const std::string& text, UINT type) {
  if ((type & MB_ICONMASK) == 0) type |= MB_ICONEXCLAMATION;
  std::string caption = g_app != nullptr ? g_app->m_pszAppName : AfxLoadString(AFX_IDS_APP_TITLE);
  if (AfxServices().modal == nullptr) return IDOK;
  CWnd* owner = AfxGetMainWnd();
  return AfxServices().modal->MessageBox(owner != nullptr ? owner->m_hWnd : nullptr, text, caption,
                                         type);
}

int AfxMessageBox(UINT idPrompt, UINT type) {
  return AfxMessageBox(AfxLoadString(idPrompt), type);
}
