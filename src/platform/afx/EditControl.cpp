#include "EditControl.h"

#include <algorithm>

#include "SecureWipe.h"
#include "StandardControls.h"

namespace {

std::string ToUpperAscii(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

}  // namespace

EditControl::EditControl(HWND hwnd) : m_hwnd(hwnd) {}

EditControl::~EditControl() {
  // The window record may outlive us only briefly; wipe what a password field held anyway.
  SecureWipe(m_hwnd->text);
}

LRESULT EditControl::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SETTEXT:
      SetText(reinterpret_cast<const char*>(lParam));
      return TRUE;
    case WM_CHAR:
      TypeChar(static_cast<unsigned>(wParam));
      return 0;
    case EM_LIMITTEXT:
      m_limit = wParam == 0 ? kDefaultLimit : static_cast<std::size_t>(wParam);
      return 0;
    case EM_GETLIMITTEXT:
      return static_cast<LRESULT>(m_limit);
    case EM_SETSEL:
      SetSelection(static_cast<long>(static_cast<std::intptr_t>(wParam)),
                   static_cast<long>(lParam));
      return 0;
    case EM_GETSEL: {
      if (wParam != 0) *reinterpret_cast<DWORD*>(wParam) = static_cast<DWORD>(m_selStart);
      if (lParam != 0) *reinterpret_cast<DWORD*>(lParam) = static_cast<DWORD>(m_selEnd);
      return MAKELPARAM(static_cast<int>(m_selStart), static_cast<int>(m_selEnd));
    }
    case EM_REPLACESEL:
      ReplaceSelection(lParam != 0 ? reinterpret_cast<const char*>(lParam) : "");
      return 0;
    case WM_CLEAR:
      if (m_selStart != m_selEnd) {
        Splice(m_selStart, m_selEnd, {});
        Changed();
      }
      return 0;
    case WM_SETFOCUS:
      // Entering the field selects its text, so that typing replaces it.
      m_selStart = 0;
      m_selEnd = m_hwnd->text.size();
      return 0;
    case WM_DESTROY:
      SecureWipe(m_hwnd->text);
      return 0;
    default:
      return StandardWindowProc(m_hwnd, message, wParam, lParam);
  }
}

void EditControl::TypeChar(unsigned codePoint) {
  if (codePoint == VK_BACK) {
    Backspace();
    return;
  }
  if (codePoint < 0x20 || codePoint == 0x7F) return;  // Enter, Tab, Escape: the dialog's keys
  std::string typed;
  if (!utf8::Append(typed, codePoint)) return;
  if (IsUpperCase()) typed = ToUpperAscii(typed);
  std::size_t after = m_hwnd->text.size() - (m_selEnd - m_selStart) + typed.size();
  if (after > m_limit) {
    ::SendMessage(m_hwnd->parent, WM_COMMAND, MAKEWPARAM(m_hwnd->id, EN_MAXTEXT),
                  reinterpret_cast<LPARAM>(m_hwnd));
    return;
  }
  Splice(m_selStart, m_selEnd, typed);
  Changed();
}

void EditControl::Backspace() {
  if (m_selStart != m_selEnd) {
    Splice(m_selStart, m_selEnd, {});
  } else if (m_selStart > 0) {
    Splice(utf8::CharStart(m_hwnd->text, m_selStart - 1), m_selStart, {});
  } else {
    return;
  }
  Changed();
}

void EditControl::ReplaceSelection(const std::string& text) {
  std::string insert = text.substr(0, text.find_first_of("\r\n"));
  if (IsUpperCase()) insert = ToUpperAscii(insert);
  std::size_t kept = m_hwnd->text.size() - (m_selEnd - m_selStart);
  std::size_t room = kept < m_limit ? m_limit - kept : 0;
  std::size_t fit = utf8::FitPrefix(insert, room);
  if (fit < insert.size()) {
    SecureWipe(&insert[fit], insert.size() - fit);
    insert.resize(fit);
    ::SendMessage(m_hwnd->parent, WM_COMMAND, MAKEWPARAM(m_hwnd->id, EN_MAXTEXT),
                  reinterpret_cast<LPARAM>(m_hwnd));
  }
  Splice(m_selStart, m_selEnd, insert);
  SecureWipe(insert);
  Changed();
}

void EditControl::Splice(std::size_t start, std::size_t end, const std::string& insert) {
  std::string& text = m_hwnd->text;
  // Built in a fresh buffer and the old one wiped: no fragment of a password stays behind in
  // memory that a reallocation released.
  std::string result;
  result.reserve(text.size() - (end - start) + insert.size());
  result.append(text, 0, start);
  result.append(insert);
  result.append(text, end, std::string::npos);
  SecureWipe(text);
  text.swap(result);
  m_selStart = m_selEnd = start + insert.size();
}

void EditControl::SetText(const char* text) {
  std::string& current = m_hwnd->text;
  SecureWipe(current);
  std::string fresh = text != nullptr ? text : "";
  current.swap(fresh);
  m_selStart = m_selEnd = 0;
  Changed();
}

void EditControl::SetSelection(long start, long end) {
  const std::string& text = m_hwnd->text;
  if (start < 0) {
    m_selStart = m_selEnd = utf8::CharStart(text, m_selEnd);
    return;
  }
  auto clamp = [&](long v) {
    std::size_t p = v < 0 ? text.size() : std::min(static_cast<std::size_t>(v), text.size());
    return utf8::CharStart(text, p);
  };
  m_selStart = clamp(start);
  m_selEnd = clamp(end);
  if (m_selStart > m_selEnd) std::swap(m_selStart, m_selEnd);
}

void EditControl::Changed() {
  InvalidateRect(m_hwnd, nullptr, TRUE);
  ::SendMessage(m_hwnd->parent, WM_COMMAND, MAKEWPARAM(m_hwnd->id, EN_CHANGE),
                reinterpret_cast<LPARAM>(m_hwnd));
}
