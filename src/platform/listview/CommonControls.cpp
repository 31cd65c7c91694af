#include "CommonControls.h"

#include <memory>

#include "HeaderControl.h"
#include "ListViewControl.h"

void RegisterCommonControls() {
  static bool registered = false;
  if (registered) return;
  registered = true;
  RegisterWindowClass("SysHeader32",
                      [](HWND hwnd) { return std::make_unique<HeaderControl>(hwnd); });
  RegisterWindowClass("SysListView32",
                      [](HWND hwnd) { return std::make_unique<ListViewControl>(hwnd); });
}
