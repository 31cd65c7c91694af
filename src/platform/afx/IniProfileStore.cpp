#include "IniProfileStore.h"

#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

// A profile is a few lines; anything bigger is not ours.
constexpr std::streamoff kMaxProfileBytes = 1 << 20;

std::string Trim(const std::string& s) {
  const char* blanks = " \t\r\n";
  size_t first = s.find_first_not_of(blanks);
  if (first == std::string::npos) return {};
  size_t last = s.find_last_not_of(blanks);
  return s.substr(first, last - first + 1);
}

bool EqualNoCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    unsigned char x = static_cast<unsigned char>(a[i]);
    unsigned char y = static_cast<unsigned char>(b[i]);
    if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::string IniProfileStore::DefaultPath() {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  std::string base;
  if (xdg != nullptr && xdg[0] == '/') {
    base = xdg;
  } else if (const char* home = std::getenv("HOME"); home != nullptr && home[0] != '\0') {
    base = std::string(home) + "/.config";
  } else {
    return {};
  }
  return base + "/Lanorix/Lanorix.ini";
}

bool IniProfileStore::FindValue(const std::string& text, const std::string& section,
                                const std::string& entry, std::string& value) {
  std::istringstream in(text);
  std::string line;
  bool inSection = false;
  while (std::getline(in, line)) {
    std::string t = Trim(line);
    if (t.empty() || t[0] == ';' || t[0] == '#') continue;
    if (t[0] == '[') {
      size_t close = t.find(']');
      inSection = close != std::string::npos && EqualNoCase(Trim(t.substr(1, close - 1)), section);
      continue;
    }
    if (!inSection) continue;
    size_t eq = t.find('=');
    if (eq == std::string::npos) continue;
    if (EqualNoCase(Trim(t.substr(0, eq)), entry)) {
      value = Trim(t.substr(eq + 1));
      return true;
    }
  }
  return false;
}

bool IniProfileStore::DecodeHex(const std::string& text, std::vector<std::uint8_t>& out) {
  std::vector<std::uint8_t> bytes;
  int high = -1;
  for (char c : text) {
    if (c == ' ' || c == '\t') {
      if (high >= 0) return false;  // a blank splits a digit pair
      continue;
    }
    int d = HexDigit(c);
    if (d < 0) return false;
    if (high < 0) {
      high = d;
    } else {
      bytes.push_back(static_cast<std::uint8_t>(high * 16 + d));
      high = -1;
    }
  }
  if (high >= 0) return false;
  out = std::move(bytes);
  return true;
}

bool IniProfileStore::GetBinary(const std::string& section, const std::string& entry,
                                std::vector<std::uint8_t>& out) {
  out.clear();
  if (m_path.empty()) return false;
  // Only a regular file: opening a pipe or a device could block or never end.
  struct stat info {};
  if (stat(m_path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
  std::ifstream file(m_path, std::ios::binary);
  if (!file) return false;
  file.seekg(0, std::ios::end);
  std::streamoff size = file.tellg();
  if (size < 0 || size > kMaxProfileBytes) return false;
  file.seekg(0, std::ios::beg);
  std::string text(static_cast<size_t>(size), '\0');
  if (size > 0 && !file.read(&text[0], size)) return false;
  std::string value;
  if (!FindValue(text, section, entry, value)) return false;
  // An empty value holds nothing to restore: the same as none.
  return DecodeHex(value, out) && !out.empty();
}
