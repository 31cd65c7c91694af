#include "ButtonControl.h"

#include "StandardControls.h"

bool ButtonControl::IsPushButton(HWND hwnd) {
  if (!IsWindow(hwnd) || hwnd->className != "Button") return false;
  DWORD type = hwnd->style & BS_TYPEMASK;
  return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
}

bool ButtonControl::IsDefaultPushButton(HWND hwnd) {
  return IsPushButton(hwnd) && (hwnd->style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
}

LRESULT ButtonControl::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case BM_CLICK:
      Click();
      return 0;
    case WM_KEYDOWN:
      if (wParam == VK_SPACE) Click();
      return 0;
    default:
      return StandardWindowProc(m_hwnd, message, wParam, lParam);
  }
}

void ButtonControl::Click() {
  if (!IsPushButton(m_hwnd) || (m_hwnd->style & WS_DISABLED) != 0) return;
  ::SendMessage(m_hwnd->parent, WM_COMMAND, MAKEWPARAM(m_hwnd->id, BN_CLICKED),
                reinterpret_cast<LPARAM>(m_hwnd));
}
