// Push buttons and group boxes. A push button that is clicked (BM_CLICK, or Space while it
// has the focus) tells its parent with WM_COMMAND / BN_CLICKED; a group box only shows a text.
#pragma once

#include "WindowSystem.h"

class ButtonControl final : public WindowControl {
 public:
  explicit ButtonControl(HWND hwnd) : m_hwnd(hwnd) {}
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  static bool IsPushButton(HWND hwnd);
  static bool IsDefaultPushButton(HWND hwnd);

 private:
  void Click();
  HWND m_hwnd;
};
