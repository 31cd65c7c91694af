// The password dialog: one masked field, empty every time, at most 8 bytes of UTF-8 (never a
// split character). The password lives only in this object: its member and the field's text
// are wiped when the object goes.
#pragma once

#include <string>

#include "platform/afx/CDialog.h"

class CInputPasswordDlg : public CDialog {
  DECLARE_MESSAGE_MAP()

 public:
  explicit CInputPasswordDlg(CWnd* pParent = nullptr);
  ~CInputPasswordDlg() override;

  enum { IDD = 146 };
  static constexpr int kMaxChars = 8;

  std::string m_strPassword;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
};
