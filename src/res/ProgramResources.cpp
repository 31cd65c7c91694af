#include "res/ProgramResources.h"

#include <memory>

#include "platform/afx/Resources.h"
#include "res/AboutTemplate.h"
#include "res/ArrowBitmaps.h"
#include "res/DialogTemplates.h"
#include "res/EmbeddedImages.h"
#include "res/StringTable.h"

namespace {

constexpr UINT ID_REFRESH = 32772;
constexpr UINT ID_MODIFY_IP = 32780;
constexpr UINT ID_MODIFY_MAC = 32781;
constexpr UINT ID_WEB_BROWSER = 32782;
constexpr UINT ID_SOFT_RESET = 32783;
constexpr UINT ID_UPDATE_FIRMWARE = 32814;

MenuResource Item(const char* text, UINT id) {
  MenuResource item;
  item.text = text;
  item.id = id;
  return item;
}

MenuResource Separator() {
  MenuResource item;
  item.separator = true;
  return item;
}

MenuResource Popup(const char* text, std::vector<MenuResource> items) {
  MenuResource popup;
  popup.text = text;
  popup.items = std::move(items);
  return popup;
}

ImageResource Picture(const std::string& name, int width, int height) {
  ImageResource image;
  image.width = width;
  image.height = height;
  image.png = EmbeddedImageBytes(name + ".png");
  image.png2x = EmbeddedImageBytes(name + "@2x.png");
  return image;
}

// An icon at 32x32 that also carries its 16x16 picture.
ImageResource Icon(const std::string& stem) {
  ImageResource icon = Picture(stem + "_32", 32, 32);
  icon.otherSizes.push_back(Picture(stem + "_16", 16, 16));
  return icon;
}

}  // namespace

void RegisterMenus() {
  auto& menus = ResourceTable::Get().menus;
  MenuResource main;
  main.items.push_back(Popup("&File", {Item("E&xit", ID_APP_EXIT)}));
  main.items.push_back(Popup(
      "&View",
      {Item("&Tool Bar", ID_VIEW_TOOLBAR), Item("&Status Bar", ID_VIEW_STATUS_BAR), Separator(),
       Item("&Auto Arrange", ID_VIEW_AUTOARRANGE), Separator(), Item("&Refresh", ID_REFRESH)}));
  main.items.push_back(Popup("&Help", {Item("&About Lanorix...", ID_APP_ABOUT)}));
  menus[128] = main;

  // The context menu: one pop-up whose title is never shown.
  MenuResource context;
  context.items.push_back(Popup(
      "Context",
      {Item("Modify IP", ID_MODIFY_IP), Item("Modify MAC", ID_MODIFY_MAC),
       Item("Web Browser", ID_WEB_BROWSER), Item("Soft Reset", ID_SOFT_RESET),
       Item("Update Firmware ", ID_UPDATE_FIRMWARE), Separator(),
       Item("&Auto Arrange", ID_VIEW_AUTOARRANGE), Separator(), Item("&Refresh", ID_REFRESH)}));
  menus[142] = context;
}

void RegisterToolbarAndAccelerators() {
  ToolbarResource toolbar;
  toolbar.buttonWidth = 32;
  toolbar.buttonHeight = 32;
  toolbar.buttons = {ID_REFRESH,    ID_SEPARATOR,       ID_MODIFY_IP, ID_MODIFY_MAC, ID_WEB_BROWSER,
                     ID_SOFT_RESET, ID_UPDATE_FIRMWARE, ID_SEPARATOR, ID_APP_ABOUT};
  toolbar.strip = std::make_shared<ImageResource>(Picture("toolbar_128", 224, 32));
  ResourceTable::Get().toolbars[128] = toolbar;

  auto key = [](UINT vk, bool ctrl, bool shift, bool alt, UINT id) {
    AcceleratorResource a;
    a.key = vk;
    a.ctrl = ctrl;
    a.shift = shift;
    a.alt = alt;
    a.id = id;
    return a;
  };
  ResourceTable::Get().accelerators[128] = {
      key('N', true, false, false, ID_FILE_NEW),
      key('O', true, false, false, ID_FILE_OPEN),
      key('S', true, false, false, ID_FILE_SAVE),
      key('P', true, false, false, ID_FILE_PRINT),
      key('Z', true, false, false, ID_EDIT_UNDO),
      key(VK_BACK, false, false, true, ID_EDIT_UNDO),
      key('X', true, false, false, ID_EDIT_CUT),
      key(VK_DELETE, false, true, false, ID_EDIT_CUT),
      key('C', true, false, false, ID_EDIT_COPY),
      key(VK_INSERT, true, false, false, ID_EDIT_COPY),
      key('V', true, false, false, ID_EDIT_PASTE),
      key(VK_INSERT, false, true, false, ID_EDIT_PASTE),
      key(VK_F6, false, false, false, ID_NEXT_PANE),
      key(VK_F6, false, true, false, ID_PREV_PANE),
  };
}

void RegisterImages() {
  auto& images = ResourceTable::Get().images;
  images[128] = Icon("app_128");
  for (UINT id : {158u, 151u, 147u, 153u, 155u, 157u})
    images[id] = Icon("device_" + std::to_string(id));
  images[165] = Picture("logo_165", 138, 32);
}

void RegisterProgramResources() {
  RegisterStringTable();
  RegisterMenus();
  RegisterToolbarAndAccelerators();
  RegisterImages();
  RegisterAboutTemplate();
  RegisterArrowBitmaps();
  RegisterDialogTemplates();
}
