// Which keys are held down while a key message is handled. Mouse messages carry Shift and
// Ctrl in their wParam (MK_SHIFT, MK_CONTROL); key messages do not, so the host records the
// modifiers here before it sends WM_KEYDOWN, and the list view asks here (Shift extends a
// selection, Ctrl moves only the focus, Ctrl+A selects all). Tests set it directly.
#pragma once

#include "platform/win/win.h"

class KeyState final {
 public:
  static bool IsDown(UINT virtualKey);
  static void SetDown(UINT virtualKey, bool down);
  // Every key up.
  static void Reset();
};
