// Thin wrapper of an IP address control window. Addresses are in MAKEIPADDRESS order: the
// first field in the highest byte.
#pragma once

#include "CWnd.h"

class CIPAddressCtrl : public CWnd {
  DECLARE_MESSAGE_MAP()

 public:
  void SetAddress(DWORD address) { SendMessage(IPM_SETADDRESS, 0, static_cast<LPARAM>(address)); }
  void SetAddress(BYTE f0, BYTE f1, BYTE f2, BYTE f3) {
    SetAddress(static_cast<DWORD>(MAKEIPADDRESS(f0, f1, f2, f3)));
  }
  // Returns the number of non-blank fields; a blank field reads as 0.
  int GetAddress(DWORD& address);
  int GetAddress(BYTE& f0, BYTE& f1, BYTE& f2, BYTE& f3);
  void ClearAddress() { SendMessage(IPM_CLEARADDRESS); }
  BOOL IsBlank() { return SendMessage(IPM_ISBLANK) != 0 ? TRUE : FALSE; }
  // Gives the control the focus with the caret in field 0..3.
  void SetFieldFocus(WORD field) { SendMessage(IPM_SETFOCUS, field); }
};
