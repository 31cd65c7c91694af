// Basic value types of the window system the program was designed against.
#pragma once

#include <cstdint>

using BOOL = int;
using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = unsigned int;
using LONG = std::int32_t;
using UINT_PTR = std::uintptr_t;
using INT_PTR = std::intptr_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using COLORREF = std::uint32_t;
using LPSTR = char*;
using LPCSTR = const char*;

constexpr BOOL TRUE = 1;
constexpr BOOL FALSE = 0;

// Window handles point at the window system's own window record.
struct NativeWindow;
using HWND = NativeWindow*;

// Opaque graphics objects; the platform layer defines what they point to.
class ImageList;
using HIMAGELIST = ImageList*;
struct FontObject;
using HFONT = FontObject*;
struct CursorObject;
using HCURSOR = CursorObject*;
struct MenuObject;
using HMENU = MenuObject*;

struct POINT {
  LONG x = 0;
  LONG y = 0;
};

struct SIZE {
  LONG cx = 0;
  LONG cy = 0;
};

struct RECT {
  LONG left = 0;
  LONG top = 0;
  LONG right = 0;
  LONG bottom = 0;
};

constexpr COLORREF RGB(unsigned r, unsigned g, unsigned b) {
  return static_cast<COLORREF>((r & 0xFFu) | ((g & 0xFFu) << 8) | ((b & 0xFFu) << 16));
}
constexpr BYTE GetRValue(COLORREF c) {
  return static_cast<BYTE>(c & 0xFFu);
}
constexpr BYTE GetGValue(COLORREF c) {
  return static_cast<BYTE>((c >> 8) & 0xFFu);
}
constexpr BYTE GetBValue(COLORREF c) {
  return static_cast<BYTE>((c >> 16) & 0xFFu);
}

constexpr WORD LOWORD(std::uintptr_t v) {
  return static_cast<WORD>(v & 0xFFFFu);
}
constexpr WORD HIWORD(std::uintptr_t v) {
  return static_cast<WORD>((v >> 16) & 0xFFFFu);
}
constexpr LPARAM MAKELPARAM(int lo, int hi) {
  return static_cast<LPARAM>((static_cast<std::uint32_t>(lo) & 0xFFFFu) |
                             ((static_cast<std::uint32_t>(hi) & 0xFFFFu) << 16));
}
constexpr short GET_X_LPARAM(LPARAM lp) {
  return static_cast<short>(lp & 0xFFFF);
}
constexpr short GET_Y_LPARAM(LPARAM lp) {
  return static_cast<short>((lp >> 16) & 0xFFFF);
}

inline bool PtInRect(const RECT& r, POINT p) {
  return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}
inline bool IsRectEmpty(const RECT& r) {
  return r.right <= r.left || r.bottom <= r.top;
}
inline bool operator==(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline bool operator!=(const RECT& a, const RECT& b) {
  return !(a == b);
}
