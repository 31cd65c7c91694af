// The IP settings dialog: the device's IP address, subnet mask and gateway in three IP
// address controls, pre-filled from the list's texts; after Confirm the new values, first
// octet first, and one flag per value that says whether it differs from the one given.
#pragma once

#include <cstdint>
#include <string>

#include "platform/afx/CDialog.h"
#include "platform/afx/CIPAddressCtrl.h"

class CInputIPDlg : public CDialog {
  DECLARE_MESSAGE_MAP()

 public:
  explicit CInputIPDlg(CWnd* pParent = nullptr);
  ~CInputIPDlg() override;

  enum { IDD = 9 };

  std::string m_strIP;
  BYTE m_newIP[4];
  CIPAddressCtrl m_ctlIP;
  CIPAddressCtrl m_ctlMask;
  CIPAddressCtrl m_ctlGateway;
  BYTE m_oldIP[4];
  BYTE m_oldMask[4];
  BYTE m_oldGateway[4];
  BYTE m_newMask[4];
  std::string m_strMask;
  std::string m_strGateway;
  BYTE m_newGateway[4];
  std::int32_t m_bIPChanged;
  std::int32_t m_bMaskChanged;
  std::int32_t m_bGatewayChanged;

  BOOL OnInitDialog() override;

  // Up to four octets from a dotted text: "."-separated tokens (runs of dots count as one),
  // each read as atoi does and cut to its low eight bits. Octets the text does not supply
  // are 0.
  static void ParseOctets(const std::string& text, BYTE octets[4]);

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void OnOK() override;
};
