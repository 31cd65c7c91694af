#include "dialogs/CInputPasswordDlg.h"

#include "platform/afx/CDataExchange.h"
#include "platform/afx/SecureWipe.h"

BEGIN_MESSAGE_MAP(CInputPasswordDlg, CDialog)
END_MESSAGE_MAP()

CInputPasswordDlg::CInputPasswordDlg(CWnd* pParent) : CDialog(IDD, pParent) {}

CInputPasswordDlg::~CInputPasswordDlg() {
  // Still open (the owner went while the dialog was up): empty the field first, which wipes it.
  if (m_hWnd != nullptr) ::SendMessage(::GetDlgItem(m_hWnd, 1001), WM_SETTEXT, 0, 0);
  SecureWipe(m_strPassword);
}

void CInputPasswordDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Text(pDX, 1001, m_strPassword);
  DDV_MaxChars(pDX, m_strPassword, kMaxChars);
}
