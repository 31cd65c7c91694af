// Dialog and standard-control vocabulary: button, static, edit and IP address control styles,
// messages and notifications, plus the message record the dialog manager looks at.
#pragma once

#include "basic_types.h"
#include "window_messages.h"

constexpr WPARAM MAKEWPARAM(unsigned lo, unsigned hi) {
  return static_cast<WPARAM>((lo & 0xFFFFu) | ((hi & 0xFFFFu) << 16));
}

// A queued input message as the dialog manager sees it.
struct MSG {
  HWND hwnd = nullptr;
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
};

constexpr UINT WM_CLEAR = 0x0303;
constexpr UINT WM_PASTE = 0x0302;

// Dialog styles.
constexpr DWORD DS_SETFONT = 0x40;

// Buttons.
constexpr DWORD BS_PUSHBUTTON = 0x0000;
constexpr DWORD BS_DEFPUSHBUTTON = 0x0001;
constexpr DWORD BS_GROUPBOX = 0x0007;
constexpr DWORD BS_TYPEMASK = 0x000F;
constexpr UINT BM_CLICK = 0x00F5;
constexpr UINT BN_CLICKED = 0;

// Statics.
constexpr DWORD SS_LEFT = 0x0000;
constexpr DWORD SS_ICON = 0x0003;
constexpr DWORD SS_TYPEMASK = 0x001F;
constexpr DWORD SS_NOPREFIX = 0x0080;

// Edit controls (the styles ES_UPPERCASE, ES_PASSWORD, ES_AUTOHSCROLL are with the messages).
constexpr DWORD ES_LEFT = 0x0000;
constexpr UINT EM_GETSEL = 0x00B0;
constexpr UINT EM_REPLACESEL = 0x00C2;
constexpr UINT EN_CHANGE = 0x0300;
constexpr UINT EN_MAXTEXT = 0x0501;

// IP address control: moves the caret to field wParam (0..3).
constexpr UINT IPM_SETFOCUS = WM_USER + 104;
