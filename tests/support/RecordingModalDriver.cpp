#include "support/RecordingModalDriver.h"

int RecordingModalDriver::MessageBox(HWND, const std::string& text, const std::string& caption,
                                     UINT type) {
  boxes.push_back(Box{text, caption, type});
  return IDOK;
}

INT_PTR RecordingModalDriver::RunModalDialog(CDialog&) {
  ++dialogs;
  return IDCANCEL;
}
