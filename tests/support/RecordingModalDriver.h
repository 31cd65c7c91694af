// A modal driver that answers every message box with OK and refuses every dialog, and keeps
// what was shown, for tests that only expect message boxes.
#pragma once

#include <string>
#include <vector>

#include "platform/afx/Services.h"

class RecordingModalDriver final : public ModalDriver {
 public:
  struct Box {
    std::string text;
    std::string caption;
    UINT type = 0;
  };

  int MessageBox(HWND owner, const std::string& text, const std::string& caption,
                 UINT type) override;
  // No dialog is expected here: it is counted and cancelled.
  INT_PTR RunModalDialog(CDialog& dialog) override;

  std::vector<Box> boxes;
  int dialogs = 0;
};
