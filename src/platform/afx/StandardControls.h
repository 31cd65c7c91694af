// The standard dialog controls of the window system: "Edit", "Button", "Static" and
// "SysIPAddress32". Each is a plain window procedure, so dialogs run the same headless and
// on screen (where the Qt backend mirrors them with widgets).
#pragma once

#include <cstddef>
#include <string>

#include "WindowSystem.h"

// Registers the four control classes; calling it again changes nothing.
void RegisterDialogControls();

// Text and font handling shared by the controls: what a window without a procedure of its
// own does with WM_SETTEXT, WM_GETTEXT, WM_GETTEXTLENGTH, WM_SETFONT and WM_GETFONT.
LRESULT StandardWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// UTF-8 helpers used by the controls and their on-screen mirrors.
namespace utf8 {
// Appends the encoding of a code point; false (nothing appended) for surrogates and values
// beyond U+10FFFF.
bool Append(std::string& out, unsigned codePoint);
// Start of the character that contains byte offset pos (pos itself when it starts one).
std::size_t CharStart(const std::string& text, std::size_t pos);
// The longest prefix of text that is at most maxBytes long and ends on a character boundary.
std::size_t FitPrefix(const std::string& text, std::size_t maxBytes);
// Number of characters (code points; a stray byte counts as one).
std::size_t CharCount(const std::string& text);
}  // namespace utf8
