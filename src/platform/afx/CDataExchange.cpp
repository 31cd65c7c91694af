#include "CDataExchange.h"

#include "CWinApp.h"
#include "Resources.h"
#include "SecureWipe.h"

HWND CDataExchange::PrepareCtrl(int id) {
  HWND control = ::GetDlgItem(m_pDlgWnd->m_hWnd, id);
  m_hWndLastControl = control;
  m_bEditLastControl = false;
  return control;
}

HWND CDataExchange::PrepareEditCtrl(int id) {
  HWND control = PrepareCtrl(id);
  m_bEditLastControl = true;
  return control;
}

void CDataExchange::Fail() {
  m_bFailed = true;
  if (!IsWindow(m_hWndLastControl)) return;
  ::SetFocus(m_hWndLastControl);
  if (m_bEditLastControl) ::SendMessage(m_hWndLastControl, EM_SETSEL, 0, -1);
}

void DDX_Control(CDataExchange* pDX, int id, CWnd& control) {
  if (pDX->Failed() || control.m_hWnd != nullptr) return;
  HWND hwnd = pDX->PrepareCtrl(id);
  // A missing control is a fault of the template, not of the user: nothing to bind.
  if (hwnd != nullptr && hwnd->wnd == nullptr) control.Attach(hwnd);
}

void DDX_Text(CDataExchange* pDX, int id, std::string& value) {
  if (pDX->Failed()) return;
  HWND hwnd = pDX->PrepareEditCtrl(id);
  if (hwnd == nullptr) return;
  if (!pDX->m_bSaveAndValidate) {
    ::SendMessage(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(value.c_str()));
    return;
  }
  // Read straight into a buffer that becomes the member, and wipe the member's old buffer:
  // the text may be a password.
  auto length = static_cast<std::size_t>(::SendMessage(hwnd, WM_GETTEXTLENGTH, 0, 0));
  std::string text(length + 1, '\0');
  auto copied = ::SendMessage(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]));
  text.resize(static_cast<std::size_t>(copied));
  value.swap(text);
  SecureWipe(text);
}

void DDV_MaxChars(CDataExchange* pDX, const std::string& value, int maxChars) {
  if (pDX->Failed()) return;
  if (!pDX->m_bSaveAndValidate) {
    if (pDX->m_hWndLastControl != nullptr && pDX->m_bEditLastControl)
      ::SendMessage(pDX->m_hWndLastControl, EM_LIMITTEXT, static_cast<WPARAM>(maxChars), 0);
    return;
  }
  if (static_cast<long long>(value.size()) <= maxChars) return;
  std::string prompt = AfxLoadString(AFX_IDP_PARSE_STRING_SIZE);
  const std::string limit = std::to_string(maxChars);
  for (std::size_t at = prompt.find("%1"); at != std::string::npos;
       at = prompt.find("%1", at + limit.size()))
    prompt.replace(at, 2, limit);
  AfxMessageBox(prompt, MB_ICONEXCLAMATION);
  pDX->Fail();
}
