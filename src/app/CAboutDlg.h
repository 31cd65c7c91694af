// The About box (dialog template 100): the icon, the name and version, and a button.
#pragma once

#include "platform/afx/CDialog.h"

class CAboutDlg : public CDialog {
  DECLARE_MESSAGE_MAP()

 public:
  static constexpr UINT IDD = 100;
  CAboutDlg();
};
