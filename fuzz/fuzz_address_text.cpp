// Any text through the address and MAC text readers and the IP dialog's octet parsing,
// checked against a plain reference built on the C library's strtoll, and the text forms
// read back to the bytes they came from.
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "dialogs/CInputIPDlg.h"
#include "protocol/AddressText.h"

namespace {

[[noreturn]] void Fail(const char* what, const std::string& text) {
  std::fprintf(stderr, "%s for text of %zu bytes:", what, text.size());
  for (unsigned char ch : text) std::fprintf(stderr, " %02X", ch);
  std::fprintf(stderr, "\n");
  std::abort();
}

// The reference: split at the separator (empty pieces skipped), each piece read by strtoll
// and held within the signed 32-bit range, its low 8 bits kept.
void Reference(const std::string& text, char separator, int base, BYTE* out, int count) {
  for (int k = 0; k < count; ++k) out[k] = 0;
  int filled = 0;
  std::size_t pos = 0;
  while (filled < count && pos < text.size()) {
    std::size_t end = text.find(separator, pos);
    if (end == std::string::npos) end = text.size();
    if (end > pos) {
      const std::string piece = text.substr(pos, end - pos);
      errno = 0;
      long long v = std::strtoll(piece.c_str(), nullptr, base);
      if (v > INT_MAX) v = INT_MAX;
      if (v < INT_MIN) v = INT_MIN;
      out[filled++] = static_cast<BYTE>(static_cast<unsigned long long>(v) & 0xFFu);
    }
    pos = end + 1;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 512) return -1;
  const std::string raw(reinterpret_cast<const char*>(data), size);
  // Every reader takes the raw bytes, NULs included, without harm.
  BYTE ip[4], mac[6], octets[4];
  ReadIPAddressText(raw, ip);
  ReadMACAddressText(raw, mac);
  CInputIPDlg::ParseOctets(raw, octets);

  // Texts end at a NUL for all of them; compare on what comes before it.
  const std::string text = raw.substr(0, raw.find('\0'));
  BYTE expectIp[4], expectMac[6];
  Reference(text, '.', 10, expectIp, 4);
  Reference(text, '-', 16, expectMac, 6);
  ReadIPAddressText(text, ip);
  ReadMACAddressText(text, mac);
  CInputIPDlg::ParseOctets(text, octets);
  if (std::memcmp(ip, expectIp, 4) != 0) Fail("IP address text differs from strtoll", text);
  if (std::memcmp(mac, expectMac, 6) != 0) Fail("MAC address text differs from strtoll", text);
  if (std::memcmp(octets, expectIp, 4) != 0) Fail("IP dialog octets differ from strtoll", text);

  // The text forms of the bytes read back to the same bytes.
  BYTE back[6];
  ReadIPAddressText(IPAddressText(ip), back);
  if (std::memcmp(back, ip, 4) != 0) Fail("IP address text does not read back", text);
  ReadMACAddressText(MACAddressText(mac), back);
  if (std::memcmp(back, mac, 6) != 0) Fail("MAC address text does not read back", text);
  if (VersionText(ip[0], ip[1]).size() > 6) Fail("version text too long", text);
  return 0;
}
