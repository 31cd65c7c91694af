// Copying a text into a caller's fixed buffer without splitting a UTF-8 character.
#pragma once

#include <cstring>

// Copies as much of src as fits in capacity - 1 bytes, ending on a character boundary, and
// terminates it. Returns the bytes copied; nothing happens without a buffer.
inline int CopyTextToBuffer(char* dest, int capacity, const char* src) {
  if (dest == nullptr || capacity <= 0) return 0;
  if (src == nullptr) src = "";
  size_t length = std::strlen(src);
  size_t n =
      length < static_cast<size_t>(capacity - 1) ? length : static_cast<size_t>(capacity - 1);
  if (n < length)
    while (n > 0 && (static_cast<unsigned char>(src[n]) & 0xC0u) == 0x80u) --n;
  if (dest != src) std::memmove(dest, src, n);
  dest[n] = '\0';
  return static_cast<int>(n);
}
