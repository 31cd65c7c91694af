#include "StandardControls.h"

#include <algorithm>
#include <memory>

#include "ButtonControl.h"
#include "EditControl.h"
#include "IpAddressControl.h"

namespace {

// Static text, icons and frames: nothing but a text to show.
class StaticControl final : public WindowControl {
 public:
  explicit StaticControl(HWND hwnd) : m_hwnd(hwnd) {}
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    return StandardWindowProc(m_hwnd, message, wParam, lParam);
  }

 private:
  HWND m_hwnd;
};

bool IsContinuation(unsigned char c) {
  return (c & 0xC0u) == 0x80u;
}

}  // namespace

void RegisterDialogControls() {
  static bool registered = false;
  if (registered) return;
  registered = true;
  RegisterWindowClass("Edit", [](HWND h) { return std::make_unique<EditControl>(h); });
  RegisterWindowClass("Button", [](HWND h) { return std::make_unique<ButtonControl>(h); });
  RegisterWindowClass("Static", [](HWND h) { return std::make_unique<StaticControl>(h); });
  RegisterWindowClass("SysIPAddress32",
                      [](HWND h) { return std::make_unique<IpAddressControl>(h); });
}

LRESULT StandardWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!IsWindow(hwnd)) return 0;
  switch (message) {
    case WM_SETTEXT:
      hwnd->text = lParam != 0 ? reinterpret_cast<const char*>(lParam) : "";
      InvalidateRect(hwnd, nullptr, TRUE);
      return TRUE;
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(hwnd->text.size());
    case WM_GETTEXT: {
      auto* buf = reinterpret_cast<char*>(lParam);
      if (buf == nullptr || wParam == 0) return 0;
      std::size_t n = std::min<std::size_t>(hwnd->text.size(), wParam - 1);
      hwnd->text.copy(buf, n);
      buf[n] = '\0';
      return static_cast<LRESULT>(n);
    }
    case WM_SETFONT:
      hwnd->font = reinterpret_cast<HFONT>(wParam);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(hwnd->font);
    default:
      return 0;
  }
}

namespace utf8 {

bool Append(std::string& out, unsigned cp) {
  if (cp >= 0xD800 && cp <= 0xDFFF) return false;
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp <= 0x10FFFF) {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    return false;
  }
  return true;
}

std::size_t CharStart(const std::string& text, std::size_t pos) {
  if (pos >= text.size()) return text.size();
  // A character is at most four bytes; a longer run of continuation bytes is malformed and
  // each of its bytes stands alone.
  std::size_t start = pos;
  for (int back = 0;
       back < 3 && start > 0 && IsContinuation(static_cast<unsigned char>(text[start])); ++back)
    --start;
  unsigned char lead = static_cast<unsigned char>(text[start]);
  std::size_t len = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
  return (IsContinuation(lead) || start + len <= pos) ? pos : start;
}

std::size_t FitPrefix(const std::string& text, std::size_t maxBytes) {
  if (text.size() <= maxBytes) return text.size();
  return CharStart(text, maxBytes);
}

std::size_t CharCount(const std::string& text) {
  std::size_t n = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    std::size_t start = CharStart(text, i);
    if (start == i) ++n;
  }
  return n;
}

}  // namespace utf8
