#include "CIPAddressCtrl.h"

BEGIN_MESSAGE_MAP(CIPAddressCtrl, CWnd)
END_MESSAGE_MAP()

int CIPAddressCtrl::GetAddress(DWORD& address) {
  address = 0;
  return static_cast<int>(SendMessage(IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&address)));
}

int CIPAddressCtrl::GetAddress(BYTE& f0, BYTE& f1, BYTE& f2, BYTE& f3) {
  DWORD address = 0;
  int filled = GetAddress(address);
  f0 = static_cast<BYTE>(address >> 24);
  f1 = static_cast<BYTE>(address >> 16);
  f2 = static_cast<BYTE>(address >> 8);
  f3 = static_cast<BYTE>(address);
  return filled;
}
