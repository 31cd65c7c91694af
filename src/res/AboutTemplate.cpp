#include "res/AboutTemplate.h"

#include "platform/afx/Resources.h"

namespace {

DialogItemTemplate Control(const char* className, const char* text, int id, DWORD style, int x,
                           int y, int cx, int cy) {
  DialogItemTemplate item;
  item.className = className;
  item.text = text;
  item.id = id;
  item.style = WS_CHILD | WS_VISIBLE | style;
  item.rect = RECT{x, y, x + cx, y + cy};
  return item;
}

}  // namespace

void RegisterAboutTemplate() {
  DialogTemplate about;
  about.title = "About Lanorix";
  about.fontName = "MS Shell Dlg";
  about.fontPoints = 9;
  about.width = 235;
  about.height = 55;
  about.style = DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU;
  // An icon control names its icon resource as "#<number>".
  about.items.push_back(Control("Static", "#128", -1, SS_ICON, 11, 17, 20, 20));
  about.items.push_back(
      Control("Static", "Lanorix v1.20", -1, SS_LEFT | SS_NOPREFIX, 40, 10, 119, 8));
  about.items.push_back(
      Control("Button", "確定", IDOK, BS_DEFPUSHBUTTON | WS_GROUP | WS_TABSTOP, 178, 7, 50, 16));
  ResourceTable::Get().dialogs[100] = about;
}
