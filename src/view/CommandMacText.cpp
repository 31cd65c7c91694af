#include "view/CommandMacText.h"

#include <algorithm>
#include <cstring>

const char* const kTypedMACAddressForm =
    "Please enter the MAC address as six hexadecimal pairs, like 00-1A-2B-3C-4D-5E.";

namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

}  // namespace

bool ParseTypedMACAddress(std::string_view text, BYTE out[6]) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);

  BYTE bytes[6] = {};
  if (text.size() == 12 && text.find_first_of("-:") == std::string_view::npos) {
    for (std::size_t i = 0; i < 6; ++i) {
      const int high = HexValue(text[2 * i]);
      const int low = HexValue(text[2 * i + 1]);
      if (high < 0 || low < 0) return false;
      bytes[i] = static_cast<BYTE>(high * 16 + low);
    }
  } else {
    const std::size_t first = text.find_first_of("-:");
    if (first == std::string_view::npos) return false;
    const char separator = text[first];
    std::size_t group = 0;
    std::size_t pos = 0;
    while (true) {
      const std::size_t end = std::min(text.find(separator, pos), text.size());
      const std::string_view piece = text.substr(pos, end - pos);
      if (group == 6 || piece.empty() || piece.size() > 2) return false;
      int value = 0;
      for (char c : piece) {
        const int digit = HexValue(c);
        if (digit < 0) return false;  // also a separator of the other kind
        value = value * 16 + digit;
      }
      bytes[group++] = static_cast<BYTE>(value);
      if (end == text.size()) break;
      pos = end + 1;
    }
    if (group != 6) return false;
  }
  std::memcpy(out, bytes, sizeof bytes);
  return true;
}
