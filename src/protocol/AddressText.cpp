#include "AddressText.h"

#include <cstdint>
#include <cstdio>

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

int DigitValue(char c, int base) {
  int v = -1;
  if (c >= '0' && c <= '9')
    v = c - '0';
  else if (c >= 'a' && c <= 'f')
    v = c - 'a' + 10;
  else if (c >= 'A' && c <= 'F')
    v = c - 'A' + 10;
  return v < base ? v : -1;
}

// One number in the manner of atoi (base 10) or strtol (base 16), kept in the int32 range.
std::int32_t ReadNumber(std::string_view piece, int base) {
  std::size_t i = 0;
  while (i < piece.size() && IsBlank(piece[i])) ++i;
  bool negative = false;
  if (i < piece.size() && (piece[i] == '+' || piece[i] == '-')) negative = piece[i++] == '-';
  // "0x" counts as a prefix only when a hex digit follows; "0x" alone reads as 0 either way.
  if (base == 16 && i + 2 < piece.size() && piece[i] == '0' &&
      (piece[i + 1] == 'x' || piece[i + 1] == 'X') && DigitValue(piece[i + 2], 16) >= 0)
    i += 2;
  // The magnitude saturates just past the largest one that fits, so it never overflows.
  constexpr std::uint64_t kLimit = 0x80000001ull;
  std::uint64_t magnitude = 0;
  for (; i < piece.size(); ++i) {
    int d = DigitValue(piece[i], base);
    if (d < 0) break;
    magnitude = magnitude * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(d);
    if (magnitude > kLimit) magnitude = kLimit;
  }
  if (negative)
    return magnitude >= 0x80000000ull ? INT32_MIN : -static_cast<std::int32_t>(magnitude);
  return magnitude > 0x7FFFFFFFull ? INT32_MAX : static_cast<std::int32_t>(magnitude);
}

void ReadPieces(std::string_view text, char separator, int base, BYTE* out, std::size_t count) {
  for (std::size_t k = 0; k < count; ++k) out[k] = 0;
  if (auto nul = text.find('\0'); nul != std::string_view::npos) text = text.substr(0, nul);
  std::size_t filled = 0;
  std::size_t pos = 0;
  while (filled < count && pos < text.size()) {
    std::size_t end = text.find(separator, pos);
    if (end == std::string_view::npos) end = text.size();
    if (end > pos) {
      std::int32_t value = ReadNumber(text.substr(pos, end - pos), base);
      out[filled++] = static_cast<BYTE>(static_cast<std::uint32_t>(value) & 0xFFu);
    }
    pos = end + 1;
  }
}

}  // namespace

void AppendIPAddressText(std::string& out, const BYTE ip[4]) {
  char text[16];
  int n = std::snprintf(text, sizeof text, "%u.%u.%u.%u", unsigned{ip[0]}, unsigned{ip[1]},
                        unsigned{ip[2]}, unsigned{ip[3]});
  out.append(text, static_cast<std::size_t>(n));
}

std::string IPAddressText(const BYTE ip[4]) {
  std::string out;
  AppendIPAddressText(out, ip);
  return out;
}

void AppendMACAddressText(std::string& out, const BYTE mac[6]) {
  char text[18];
  int n = std::snprintf(text, sizeof text, "%02X-%02X-%02X-%02X-%02X-%02X", unsigned{mac[0]},
                        unsigned{mac[1]}, unsigned{mac[2]}, unsigned{mac[3]}, unsigned{mac[4]},
                        unsigned{mac[5]});
  out.append(text, static_cast<std::size_t>(n));
}

std::string MACAddressText(const BYTE mac[6]) {
  std::string out;
  AppendMACAddressText(out, mac);
  return out;
}

void AppendVersionText(std::string& out, BYTE major, BYTE minor) {
  char text[8];
  int n = std::snprintf(text, sizeof text, "%X.%02X", unsigned{major}, unsigned{minor});
  out.append(text, static_cast<std::size_t>(n));
}

std::string VersionText(BYTE major, BYTE minor) {
  std::string out;
  AppendVersionText(out, major, minor);
  return out;
}

void ReadIPAddressText(std::string_view text, BYTE out[4]) {
  ReadPieces(text, '.', 10, out, 4);
}

void ReadMACAddressText(std::string_view text, BYTE out[6]) {
  ReadPieces(text, '-', 16, out, 6);
}
