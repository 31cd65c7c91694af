// Thin wrapper of an edit control window.
#pragma once

#include <string>

#include "CWnd.h"

class CEdit : public CWnd {
  DECLARE_MESSAGE_MAP()

 public:
  // The limit counts bytes of UTF-8; 0 restores the default (practically none).
  void SetLimitText(UINT maxBytes) { SendMessage(EM_LIMITTEXT, maxBytes, 0); }
  UINT GetLimitText() const;
  void SetSel(int start, int end) { SendMessage(EM_SETSEL, static_cast<WPARAM>(start), end); }
  // Inserts text in place of the selection as pasting does: cut at the limit.
  void ReplaceSel(const std::string& text);
};
