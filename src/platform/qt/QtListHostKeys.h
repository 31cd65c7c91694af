// The platform's virtual key codes for the toolkit's keys, as the list host sends them.
#pragma once

#include <Qt>

#include "platform/win/win.h"

class QtListHostKeys final {
 public:
  QtListHostKeys() = delete;

  // 0 for keys the platform has no code for. The keypad's keys have their own codes
  // (keypad plus is VK_ADD, the main keyboard's plus VK_OEM_PLUS).
  static UINT VirtualKeyOf(int qtKey, Qt::KeyboardModifiers modifiers);
};
