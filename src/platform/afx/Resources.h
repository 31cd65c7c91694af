// The program's resources: string table, menus, accelerators, toolbars, images, dialog templates.
// src/res fills the table at start-up; the framework looks resources up by number.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/win/win.h"

struct MenuResource {
  std::string text;  // "&File"; empty for a separator
  UINT id = 0;       // command id; 0 for pop-ups and separators
  bool separator = false;
  std::vector<MenuResource> items;  // the items of a pop-up
};

struct AcceleratorResource {
  UINT key = 0;  // virtual key
  bool ctrl = false;
  bool shift = false;
  bool alt = false;
  UINT id = 0;
};

struct ImageResource;

struct ToolbarResource {
  int buttonWidth = 32;
  int buttonHeight = 32;
  std::vector<UINT> buttons;  // command ids in order, ID_SEPARATOR for a separator
  // The button images side by side in button order (the toolbar's own bitmap).
  std::shared_ptr<const ImageResource> strip;
};

// A picture: encoded image bytes (PNG), optionally a double-resolution variant for HiDPI,
// or raw 0xAARRGGBB pixels.
struct ImageResource {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> png;
  std::vector<std::uint8_t> png2x;
  std::vector<std::uint32_t> argb;
  // An icon's pictures at other sizes (the device icons come at 16x16 and 32x32); an image
  // list takes the one of its own size.
  std::vector<ImageResource> otherSizes;
};

struct DialogItemTemplate {
  std::string className;  // "Button", "Edit", "Static", "SysIPAddress32"
  std::string text;
  int id = -1;
  DWORD style = 0;
  RECT rect;  // dialog units: left, top, right = left + width, bottom = top + height
};

struct DialogTemplate {
  std::string title;
  std::string fontName;
  int fontPoints = 8;
  int width = 0;  // dialog units
  int height = 0;
  DWORD style = 0;
  std::vector<DialogItemTemplate> items;  // creation order
};

class ResourceTable {
 public:
  static ResourceTable& Get();
  std::map<UINT, std::string> strings;
  std::map<UINT, MenuResource> menus;  // the menu bar / popup container
  std::map<UINT, std::vector<AcceleratorResource>> accelerators;
  std::map<UINT, ToolbarResource> toolbars;
  std::map<UINT, ImageResource> images;  // bitmaps and icons by resource id
  std::map<UINT, DialogTemplate> dialogs;
};

// Loads string id; false (and out empty) when the table has no such string.
bool AfxLoadString(UINT id, std::string& out);
std::string AfxLoadString(UINT id);
