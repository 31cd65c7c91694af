// The templates of the input dialogs. Positions and sizes are in dialog units; every item is
// created as a visible child window.
#include "res/DialogTemplates.h"

#include "platform/afx/Resources.h"
#include "res/FrameworkStrings.h"

namespace {

constexpr DWORD kDialogStyle = DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU;

DialogItemTemplate Item(const char* className, const char* text, int id, DWORD style, int x, int y,
                        int cx, int cy) {
  DialogItemTemplate item;
  item.className = className;
  item.text = text;
  item.id = id;
  item.style = style;
  item.rect = RECT{x, y, x + cx, y + cy};
  return item;
}

DialogTemplate Frame(int cx, int cy) {
  DialogTemplate t;
  t.title = "Dialog Frame";
  t.fontName = "MS Shell Dlg";
  t.fontPoints = 8;
  t.width = cx;
  t.height = cy;
  t.style = kDialogStyle;
  return t;
}

constexpr DWORD kIpField = WS_TABSTOP;
constexpr DWORD kDefaultButton = BS_DEFPUSHBUTTON | WS_TABSTOP;
constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD kGroup = BS_GROUPBOX;

}  // namespace

void RegisterDialogTemplates() {
  RegisterFrameworkStrings();
  auto& dialogs = ResourceTable::Get().dialogs;

  DialogTemplate ip = Frame(124, 138);
  ip.items = {
      Item("SysIPAddress32", "", 1000, kIpField, 12, 18, 100, 12),
      Item("SysIPAddress32", "", 1001, kIpField, 12, 54, 100, 12),
      Item("SysIPAddress32", "", 1002, kIpField, 12, 90, 100, 12),
      Item("Button", "Confirm", IDOK, kDefaultButton, 18, 114, 36, 18),
      Item("Button", "Cancel", IDCANCEL, kButton, 72, 114, 36, 18),
      Item("Button", "Input IP Address", -1, kGroup, 6, 6, 114, 30),
      Item("Button", "Input Subnet Mask", -1, kGroup, 6, 42, 114, 30),
      Item("Button", "Input Gateway IP", -1, kGroup, 6, 78, 114, 30),
  };
  dialogs[9] = ip;

  DialogTemplate mac = Frame(124, 66);
  mac.items = {
      Item("Button", "Confirm", IDOK, kDefaultButton, 18, 42, 36, 18),
      Item("Button", "Cancel", IDCANCEL, kButton, 72, 42, 36, 18),
      Item("Button", "Input MAC", -1, kGroup, 6, 6, 114, 30),
      Item("Edit", "", 1004, ES_LEFT | ES_UPPERCASE | WS_BORDER | WS_TABSTOP, 12, 18, 102, 12),
  };
  dialogs[152] = mac;

  DialogTemplate password = Frame(124, 66);
  password.items = {
      Item("Edit", "", 1001, ES_LEFT | ES_PASSWORD | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 12,
           18, 102, 12),
      Item("Button", "Confirm", IDOK, kDefaultButton, 18, 42, 36, 18),
      Item("Button", "Cancel", IDCANCEL, kButton, 72, 42, 36, 18),
      Item("Button", "Input Password", -1, kGroup, 6, 6, 114, 30),
  };
  dialogs[146] = password;
}
