// The single-line edit control: text, caret/selection, a length limit in bytes of UTF-8 that
// never splits a character, upper-case conversion of what is typed (ES_UPPERCASE) and masked
// entry (ES_PASSWORD, whose text is wiped when it changes and when the window goes).
#pragma once

#include <cstddef>
#include <string>

#include "WindowSystem.h"

class EditControl final : public WindowControl {
 public:
  explicit EditControl(HWND hwnd);
  ~EditControl() override;
  EditControl(const EditControl&) = delete;
  EditControl& operator=(const EditControl&) = delete;

  // WM_CHAR carries one Unicode code point; EM_REPLACESEL inserts text as pasting does (cut at
  // the first line break and at the limit). WM_SETTEXT places text as given: no limit, no case
  // conversion.
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  static constexpr std::size_t kDefaultLimit = 0x7FFFFFFE;

 private:
  void TypeChar(unsigned codePoint);
  void Backspace();
  // Inserts as much of text as the limit allows in place of the selection.
  void ReplaceSelection(const std::string& text);
  // Puts new text in place of [start, end) and moves the caret after it.
  void Splice(std::size_t start, std::size_t end, const std::string& insert);
  void SetText(const char* text);
  void SetSelection(long start, long end);
  void Changed();
  bool IsUpperCase() const { return (m_hwnd->style & ES_UPPERCASE) != 0; }

  HWND m_hwnd;
  std::size_t m_limit = kDefaultLimit;
  std::size_t m_selStart = 0;  // byte offsets on character boundaries
  std::size_t m_selEnd = 0;
};
