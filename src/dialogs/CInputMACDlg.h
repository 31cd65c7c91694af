// The MAC dialog: one field, pre-filled with the device's MAC text; letters typed become
// capitals, text placed on opening is kept as it is; at most 17 characters.
#pragma once

#include <string>

#include "platform/afx/CDialog.h"

class CInputMACDlg : public CDialog {
  DECLARE_MESSAGE_MAP()

 public:
  explicit CInputMACDlg(CWnd* pParent = nullptr);
  ~CInputMACDlg() override;

  enum { IDD = 152 };
  static constexpr int kMaxChars = 17;

  std::string m_strMAC;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
};
