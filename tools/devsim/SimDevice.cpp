#include "SimDevice.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

std::string Trim(const std::string& s) {
  std::size_t b = s.find_first_not_of(" \t\r");
  if (b == std::string::npos) return {};
  std::size_t e = s.find_last_not_of(" \t\r");
  return s.substr(b, e - b + 1);
}

bool ParseQuad(const std::string& text, BYTE out[4]) {
  unsigned a, b, c, d;
  char tail;
  if (std::sscanf(text.c_str(), "%3u.%3u.%3u.%3u%c", &a, &b, &c, &d, &tail) != 4) return false;
  if (a > 255 || b > 255 || c > 255 || d > 255) return false;
  out[0] = static_cast<BYTE>(a);
  out[1] = static_cast<BYTE>(b);
  out[2] = static_cast<BYTE>(c);
  out[3] = static_cast<BYTE>(d);
  return true;
}

bool ParseMac(const std::string& text, BYTE out[6]) {
  unsigned v[6];
  char tail;
  if (std::sscanf(text.c_str(), "%2x-%2x-%2x-%2x-%2x-%2x%c", &v[0], &v[1], &v[2], &v[3], &v[4],
                  &v[5], &tail) != 6)
    return false;
  for (int i = 0; i < 6; ++i) out[i] = static_cast<BYTE>(v[i]);
  return true;
}

bool ParseNumber(const std::string& text, int base, unsigned long max, unsigned long& out) {
  if (text.empty()) return false;
  char* end = nullptr;
  out = std::strtoul(text.c_str(), &end, base);
  return *end == '\0' && out <= max && text[0] != '-' && text[0] != '+';
}

bool ParseHexBytes(const std::string& text, std::string& out) {
  if (text.size() % 2 != 0) return false;
  out.clear();
  for (std::size_t i = 0; i < text.size(); i += 2) {
    unsigned long v;
    if (!ParseNumber(text.substr(i, 2), 16, 0xFF, v)) return false;
    out.push_back(static_cast<char>(v));
  }
  return true;
}

std::vector<std::string> Split(const std::string& line, char sep) {
  std::vector<std::string> parts;
  std::size_t pos = 0;
  for (;;) {
    std::size_t end = line.find(sep, pos);
    parts.push_back(Trim(line.substr(pos, end == std::string::npos ? end : end - pos)));
    if (end == std::string::npos) break;
    pos = end + 1;
  }
  return parts;
}

// The password field up to its first NUL.
std::string PasswordOf(const DEVICE_PACKET& p) {
  const char* text = reinterpret_cast<const char*>(p.password);
  const void* nul = std::memchr(text, '\0', sizeof p.password);
  return std::string(text, nul != nullptr
                               ? static_cast<std::size_t>(static_cast<const char*>(nul) - text)
                               : sizeof p.password);
}

}  // namespace

bool SimDevice::Parse(const std::string& line, SimDevice& out, std::string& error) {
  std::vector<std::string> f = Split(line, '|');
  if (f.size() != 8) {
    error = "expected 8 fields separated by '|', found " + std::to_string(f.size());
    return false;
  }
  SimDevice d;
  if (f[0].rfind("hex:", 0) == 0) {
    if (!ParseHexBytes(f[0].substr(4), d.name)) {
      error = "name: bad hex bytes";
      return false;
    }
  } else {
    d.name = f[0];
  }
  if (d.name.size() > DEVICE_NAME_FIELD) {
    error = "name: more than 17 bytes";
    return false;
  }
  unsigned long model;
  if (!ParseNumber(f[1], 10, 255, model)) {
    error = "model code: a number 0..255";
    return false;
  }
  d.model = static_cast<BYTE>(model);
  if (!ParseQuad(f[2], d.ip) || !ParseQuad(f[3], d.mask) || !ParseQuad(f[4], d.gateway)) {
    error = "ip, mask and gateway: a.b.c.d";
    return false;
  }
  if (!ParseMac(f[5], d.mac)) {
    error = "mac: six hex pairs joined by '-'";
    return false;
  }
  std::size_t dot = f[6].find('.');
  unsigned long major, minor;
  if (dot == std::string::npos || !ParseNumber(f[6].substr(0, dot), 16, 0xFF, major) ||
      !ParseNumber(f[6].substr(dot + 1), 16, 0xFF, minor)) {
    error = "version: hex major.minor such as 1.20";
    return false;
  }
  d.versionMajor = static_cast<BYTE>(major);
  d.versionMinor = static_cast<BYTE>(minor);
  d.password = f[7];
  if (d.password.size() > DEVICE_PASSWORD_MAX) {
    error = "password: more than 8 bytes";
    return false;
  }
  out = d;
  return true;
}

SimDevice SimDevice::Generated(std::uint32_t index, const std::string& password) {
  SimDevice d;
  char name[24];
  std::snprintf(name, sizeof name, "Device-%03u", static_cast<unsigned>(index + 1) % 100000u);
  d.name = name;
  d.model = index % 2 == 0 ? DEVICE_MODEL_NQ710 : DEVICE_MODEL_NQ710W;
  const std::uint32_t host = index + 10;  // 10.0.0.10 onwards
  d.ip[0] = 10;
  d.ip[1] = static_cast<BYTE>(host >> 16);
  d.ip[2] = static_cast<BYTE>(host >> 8);
  d.ip[3] = static_cast<BYTE>(host);
  const BYTE mask[4] = {255, 0, 0, 0};
  const BYTE gateway[4] = {10, 0, 0, 1};
  std::memcpy(d.mask, mask, 4);
  std::memcpy(d.gateway, gateway, 4);
  const std::uint32_t serial = index + 1;
  const BYTE mac[6] = {0x00,
                       0x1A,
                       0x2B,
                       static_cast<BYTE>(serial >> 16),
                       static_cast<BYTE>(serial >> 8),
                       static_cast<BYTE>(serial)};
  std::memcpy(d.mac, mac, 6);
  d.versionMajor = index % 2 == 0 ? 1 : 2;
  d.versionMinor = index % 2 == 0 ? 0x20 : 0x05;
  d.password = password.substr(0, DEVICE_PASSWORD_MAX);
  return d;
}

DEVICE_PACKET SimDevice::Reply() const {
  DEVICE_PACKET p = DEVICE_PACKET::Request(DEVICE_CMD_DISCOVER);
  std::memcpy(p.ip, ip, 4);
  std::memcpy(p.mask, mask, 4);
  std::memcpy(p.mac, mac, 6);
  std::memcpy(p.name, name.data(), name.size() < sizeof p.name ? name.size() : sizeof p.name);
  std::memcpy(p.gateway, gateway, 4);
  p.versionMajor = versionMajor;
  p.versionMinor = versionMinor;
  p.model = model;
  return p;
}

SimDevice::Outcome SimDevice::Apply(const DEVICE_PACKET& c, std::uint64_t nowUs,
                                    std::uint64_t resetSilenceUs) {
  const bool byIp = c.command == DEVICE_CMD_SET_MAC;
  switch (c.command) {
    case DEVICE_CMD_SET_IP:
    case DEVICE_CMD_SET_MASK:
    case DEVICE_CMD_SET_GATEWAY:
    case DEVICE_CMD_SET_MAC:
    case DEVICE_CMD_SOFT_RESET:
    case DEVICE_CMD_FIRMWARE_UPDATE:
      break;
    default:
      return Outcome::NotForMe;
  }
  if (byIp ? std::memcmp(c.ip, ip, 4) != 0 : std::memcmp(c.mac, mac, 6) != 0)
    return Outcome::NotForMe;
  if (PasswordOf(c) != password) return Outcome::WrongPassword;
  switch (c.command) {
    case DEVICE_CMD_SET_IP:
      std::memcpy(ip, c.ip, 4);
      break;
    case DEVICE_CMD_SET_MASK:
      std::memcpy(mask, c.mask, 4);
      break;
    case DEVICE_CMD_SET_GATEWAY:
      std::memcpy(gateway, c.gateway, 4);
      break;
    case DEVICE_CMD_SET_MAC:
      std::memcpy(mac, c.mac, 6);
      break;
    case DEVICE_CMD_SOFT_RESET:
      silentUntilUs = nowUs + resetSilenceUs;
      break;
    case DEVICE_CMD_FIRMWARE_UPDATE:
      if (!firmwareMode) {
        // Firmware-update mode shows in the list as a "-FW" name suffix; the name is cut
        // (never inside a UTF-8 character) so that it still fits 16 bytes.
        std::size_t keep = name.size() < 13 ? name.size() : 13;
        while (keep > 0 && keep < name.size() &&
               (static_cast<unsigned char>(name[keep]) & 0xC0u) == 0x80u)
          --keep;
        std::string base = name.substr(0, keep);
        if (auto nul = base.find('\0'); nul != std::string::npos) base.resize(nul);
        name = base + "-FW";
        firmwareMode = true;
      }
      break;
    default:
      break;
  }
  return Outcome::Applied;
}
