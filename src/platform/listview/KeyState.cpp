#include "KeyState.h"

#include <bitset>

namespace {

std::bitset<256>& Keys() {
  static std::bitset<256> keys;
  return keys;
}

}  // namespace

bool KeyState::IsDown(UINT virtualKey) {
  return virtualKey < 256 && Keys().test(virtualKey);
}

void KeyState::SetDown(UINT virtualKey, bool down) {
  if (virtualKey < 256) Keys().set(virtualKey, down);
}

void KeyState::Reset() {
  Keys().reset();
}
