// Dialog data exchange: moves values between a dialog's members and its controls, in both
// directions, and validates them on the way back. A failed validation shows its message,
// puts the focus on the field and makes every later exchange step of the same pass a no-op,
// so UpdateData reports the failure and the dialog stays open.
#pragma once

#include <string>

#include "CWnd.h"

// The framework's string for an over-long text; "%1" stands for the limit.
constexpr UINT AFX_IDP_PARSE_STRING_SIZE = 61715;

class CDataExchange {
 public:
  CDataExchange(CWnd* dlgWnd, BOOL saveAndValidate)
      : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dlgWnd) {}

  BOOL m_bSaveAndValidate;  // TRUE: controls -> members (with validation)
  CWnd* m_pDlgWnd;
  HWND m_hWndLastControl = nullptr;
  bool m_bEditLastControl = false;

  // The control with this id, remembered as the one a following validation refers to.
  HWND PrepareCtrl(int id);
  HWND PrepareEditCtrl(int id);
  // Ends the pass as failed: focus to the last prepared control (its text selected).
  void Fail();
  bool Failed() const { return m_bFailed; }

 private:
  bool m_bFailed = false;
};

// Binds the dialog's control with this id to a framework object (once per dialog window).
void DDX_Control(CDataExchange* pDX, int id, CWnd& control);
// Member text <-> the control's whole text.
void DDX_Text(CDataExchange* pDX, int id, std::string& value);
// Opening: limits the last edit field to maxChars bytes. Saving: a longer value is refused
// with the framework's message.
void DDV_MaxChars(CDataExchange* pDX, const std::string& value, int maxChars);
