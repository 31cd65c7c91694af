#include "dialogs/CInputMACDlg.h"

#include "platform/afx/CDataExchange.h"

BEGIN_MESSAGE_MAP(CInputMACDlg, CDialog)
END_MESSAGE_MAP()

CInputMACDlg::CInputMACDlg(CWnd* pParent) : CDialog(IDD, pParent) {}

CInputMACDlg::~CInputMACDlg() = default;

void CInputMACDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Text(pDX, 1004, m_strMAC);
  DDV_MaxChars(pDX, m_strMAC, kMaxChars);
}
