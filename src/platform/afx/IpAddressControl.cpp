#include "IpAddressControl.h"

#include "StandardControls.h"

namespace {

bool IsDigits(const std::string& s) {
  if (s.empty() || s.size() > 3) return false;
  for (char c : s)
    if (c < '0' || c > '9') return false;
  return std::stoi(s) <= 255;
}

}  // namespace

IpAddressControl::IpAddressControl(HWND hwnd) : m_hwnd(hwnd) {
  std::string given = hwnd->text;
  SetFromText(given.c_str());
}

LRESULT IpAddressControl::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case IPM_SETADDRESS:
      SetAddress(static_cast<std::uint32_t>(lParam));
      return TRUE;
    case IPM_GETADDRESS:
      if (lParam != 0) *reinterpret_cast<DWORD*>(lParam) = Address();
      return FilledFields();
    case IPM_CLEARADDRESS:
      for (std::string& f : m_field) f.clear();
      SyncText();
      return 0;
    case IPM_ISBLANK:
      return FilledFields() == 0 ? TRUE : FALSE;
    case IPM_SETFOCUS:
      EnterField(wParam < kFields ? static_cast<int>(wParam) : 0);
      if (GetFocus() != m_hwnd) SetFocus(m_hwnd);
      return 0;
    case WM_SETFOCUS:
      // Focus from outside starts in the first field; IPM_SETFOCUS has chosen one already.
      if (!m_replaceOnType) EnterField(0);
      return 0;
    case WM_KILLFOCUS:
      m_replaceOnType = false;
      m_justAdvanced = false;
      return 0;
    case WM_CHAR:
      TypeChar(static_cast<unsigned>(wParam));
      return 0;
    case WM_SETTEXT:
      SetFromText(reinterpret_cast<const char*>(lParam));
      return TRUE;
    default:
      return StandardWindowProc(m_hwnd, message, wParam, lParam);
  }
}

void IpAddressControl::TypeChar(unsigned ch) {
  std::string& field = m_field[m_current];
  bool advanced = m_justAdvanced;
  m_justAdvanced = false;
  if (ch >= '0' && ch <= '9') {
    std::string next = (m_replaceOnType ? std::string() : field) + static_cast<char>(ch);
    if (!IsDigits(next)) return;  // a fourth digit or a value above 255
    field = next;
    m_replaceOnType = false;
    if (field.size() == 3 && m_current + 1 < kFields) {
      EnterField(m_current + 1);
      m_justAdvanced = true;
    }
  } else if (ch == '.' || ch == ' ') {
    if (advanced || field.empty() || m_current + 1 >= kFields) return;
    EnterField(m_current + 1);
  } else if (ch == VK_BACK) {
    if (m_replaceOnType || !field.empty()) {
      if (m_replaceOnType)
        field.clear();
      else
        field.pop_back();
      m_replaceOnType = false;
    } else if (m_current > 0) {
      --m_current;
      if (!m_field[m_current].empty()) m_field[m_current].pop_back();
    }
  } else {
    return;  // letters and everything else
  }
  SyncText();
}

void IpAddressControl::EnterField(int field) {
  m_current = field;
  m_replaceOnType = true;
}

void IpAddressControl::SetAddress(std::uint32_t address) {
  for (int i = 0; i < kFields; ++i)
    m_field[i] = std::to_string((address >> (8 * (kFields - 1 - i))) & 0xFFu);
  SyncText();
}

std::uint32_t IpAddressControl::Address() const {
  std::uint32_t address = 0;
  for (const std::string& f : m_field)
    address = (address << 8) | (f.empty() ? 0u : static_cast<std::uint32_t>(std::stoi(f)));
  return address;
}

int IpAddressControl::FilledFields() const {
  int n = 0;
  for (const std::string& f : m_field)
    if (!f.empty()) ++n;
  return n;
}

void IpAddressControl::SetFromText(const char* text) {
  std::string s = text != nullptr ? text : "";
  for (int i = 0; i < kFields; ++i) {
    std::size_t dot = s.find('.');
    std::string part = s.substr(0, dot);
    s = dot == std::string::npos ? std::string() : s.substr(dot + 1);
    // Whatever the control could not have shown itself reads as a blank field.
    m_field[i] = IsDigits(part) ? part : std::string();
  }
  SyncText();
}

void IpAddressControl::SyncText() {
  std::string text;
  for (int i = 0; i < kFields; ++i) {
    if (i > 0) text += '.';
    text += m_field[i];
  }
  if (text == m_hwnd->text) return;
  m_hwnd->text = text;
  InvalidateRect(m_hwnd, nullptr, TRUE);
}
