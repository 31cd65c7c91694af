#include "view/DeviceNameText.h"

namespace {

constexpr char kReplacement[] = "\xEF\xBF\xBD";

struct LeadRule {
  int continuations;  // bytes that must follow
  unsigned char low;  // range of the first of them; the others are 0x80..0xBF
  unsigned char high;
};

// The well-formed UTF-8 table: overlong forms, surrogates and code points above U+10FFFF are
// ruled out by the narrowed range of the second byte.
bool RuleFor(unsigned char lead, LeadRule& rule) {
  if (lead >= 0xC2 && lead <= 0xDF)
    rule = {1, 0x80, 0xBF};
  else if (lead == 0xE0)
    rule = {2, 0xA0, 0xBF};
  else if (lead == 0xED)
    rule = {2, 0x80, 0x9F};
  else if (lead >= 0xE1 && lead <= 0xEF)
    rule = {2, 0x80, 0xBF};
  else if (lead == 0xF0)
    rule = {3, 0x90, 0xBF};
  else if (lead >= 0xF1 && lead <= 0xF3)
    rule = {3, 0x80, 0xBF};
  else if (lead == 0xF4)
    rule = {3, 0x80, 0x8F};
  else
    return false;
  return true;
}

}  // namespace

void AppendDeviceNameText(std::string& out, std::string_view bytes) {
  std::size_t i = 0;
  while (i < bytes.size()) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    if (lead < 0x80) {
      out += bytes[i++];
      continue;
    }
    LeadRule rule{};
    if (!RuleFor(lead, rule)) {
      out += kReplacement;
      ++i;
      continue;
    }
    std::size_t end = i + 1;
    int taken = 0;
    while (taken < rule.continuations && end < bytes.size()) {
      const auto c = static_cast<unsigned char>(bytes[end]);
      const unsigned char low = taken == 0 ? rule.low : 0x80;
      const unsigned char high = taken == 0 ? rule.high : 0xBF;
      if (c < low || c > high) break;
      ++end;
      ++taken;
    }
    if (taken == rule.continuations)
      out.append(bytes.substr(i, end - i));
    else
      out += kReplacement;  // one for the whole broken start; the next byte starts afresh
    i = end;
  }
}
