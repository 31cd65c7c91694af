// The IP address control: four fields, each blank or a number 0..255 typed as digits.
// Typing a fourth digit or a value above 255 is refused; "." (or a space) moves on to the
// next field, and so does a field that has three digits. A blank field reads as 0.
// IPM_GETADDRESS returns the number of non-blank fields. Its text is the four fields joined
// by "." with blank fields empty ("10..0.1").
#pragma once

#include <cstdint>
#include <string>

#include "WindowSystem.h"

class IpAddressControl final : public WindowControl {
 public:
  explicit IpAddressControl(HWND hwnd);
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  static constexpr int kFields = 4;

 private:
  void TypeChar(unsigned ch);
  void EnterField(int field);
  void SetAddress(std::uint32_t address);
  std::uint32_t Address() const;
  int FilledFields() const;
  void SetFromText(const char* text);
  void SyncText();

  HWND m_hwnd;
  std::string m_field[kFields];  // digits only, at most three, value at most 255
  int m_current = 0;
  bool m_replaceOnType = false;  // the field was just entered: typing replaces it
  bool m_justAdvanced = false;   // moved on by itself after three digits: swallow one "."
};
