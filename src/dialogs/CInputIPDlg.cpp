#include "dialogs/CInputIPDlg.h"

#include <climits>

#include "platform/afx/CDataExchange.h"

namespace {

// atoi: leading blanks, an optional sign, the digits up to the first other character; 0
// without digits. Out of range saturates instead of being undefined.
int Atoi(const char* s) {
  while (*s == ' ' || (*s >= '\t' && *s <= '\r')) ++s;
  bool negative = false;
  if (*s == '+' || *s == '-') negative = *s++ == '-';
  long long value = 0;
  for (; *s >= '0' && *s <= '9'; ++s) {
    value = value * 10 + (*s - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
  }
  if (negative) return static_cast<int>(-value);
  return value > INT_MAX ? INT_MAX : static_cast<int>(value);
}

void SplitAddress(DWORD address, BYTE octets[4]) {
  for (int i = 0; i < 4; ++i) octets[i] = static_cast<BYTE>(address >> (8 * (3 - i)));
}

std::int32_t Differs(const BYTE a[4], const BYTE b[4]) {
  for (int i = 0; i < 4; ++i)
    if (a[i] != b[i]) return 1;
  return 0;
}

}  // namespace

BEGIN_MESSAGE_MAP(CInputIPDlg, CDialog)
END_MESSAGE_MAP()

// The parsed octets start at zero as well: a text with fewer than four numbers must not leave
// values behind that nobody set.
CInputIPDlg::CInputIPDlg(CWnd* pParent)
    : CDialog(IDD, pParent),
      m_newIP{},
      m_oldIP{},
      m_oldMask{},
      m_oldGateway{},
      m_newMask{},
      m_newGateway{},
      m_bIPChanged(0),
      m_bMaskChanged(0),
      m_bGatewayChanged(0) {}

CInputIPDlg::~CInputIPDlg() = default;

void CInputIPDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, 1000, m_ctlIP);
  DDX_Control(pDX, 1001, m_ctlMask);
  DDX_Control(pDX, 1002, m_ctlGateway);
}

void CInputIPDlg::ParseOctets(const std::string& text, BYTE octets[4]) {
  for (int i = 0; i < 4; ++i) octets[i] = 0;
  int taken = 0;
  std::size_t pos = 0;
  while (taken < 4) {
    pos = text.find_first_not_of('.', pos);
    if (pos == std::string::npos) break;  // the first empty token ends the split
    std::size_t end = text.find('.', pos);
    std::string token = text.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
    octets[taken++] = static_cast<BYTE>(static_cast<unsigned>(Atoi(token.c_str())) & 0xFFu);
    pos = end;
  }
}

BOOL CInputIPDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  struct Field {
    const std::string& text;
    BYTE* octets;
    CIPAddressCtrl& control;
  };
  const Field fields[] = {{m_strIP, m_oldIP, m_ctlIP},
                          {m_strMask, m_oldMask, m_ctlMask},
                          {m_strGateway, m_oldGateway, m_ctlGateway}};
  for (const Field& f : fields) {
    ParseOctets(f.text, f.octets);
    f.control.SetAddress(
        static_cast<DWORD>(MAKEIPADDRESS(f.octets[0], f.octets[1], f.octets[2], f.octets[3])));
  }
  return TRUE;
}

void CInputIPDlg::OnOK() {
  DWORD address = 0;
  m_ctlIP.GetAddress(address);
  SplitAddress(address, m_newIP);
  m_ctlMask.GetAddress(address);
  SplitAddress(address, m_newMask);
  m_ctlGateway.GetAddress(address);
  SplitAddress(address, m_newGateway);
  m_bIPChanged = Differs(m_newIP, m_oldIP);
  m_bMaskChanged = Differs(m_newMask, m_oldMask);
  m_bGatewayChanged = Differs(m_newGateway, m_oldGateway);
  CDialog::OnOK();
}
