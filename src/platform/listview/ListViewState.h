// Everything a list-view control holds, shared by the parts that make up its behaviour
// (items and columns, geometry, painting, input, notifications).
#pragma once

#include <memory>
#include <vector>

#include "HeaderControl.h"
#include "ListItemStore.h"
#include "platform/afx/CImageList.h"
#include "platform/afx/WindowSystem.h"

// What the list keeps of a column besides what its header item holds (title, width, order).
struct ListColumn {
  int fmt = LVCFMT_LEFT;
  int image = 0;
  int subItem = 0;
};

struct ListViewState {
  HWND hwnd = nullptr;
  HWND header = nullptr;
  ListItemStore items;
  std::vector<ListColumn> columns;
  DWORD exStyle = 0;
  COLORREF bkColor = 0;
  COLORREF textColor = 0;
  COLORREF textBkColor = CLR_DEFAULT;
  HIMAGELIST images[3] = {nullptr, nullptr, nullptr};  // LVSIL_NORMAL, SMALL, STATE
  std::unique_ptr<ImageList> checkBoxes;  // made for LVS_EX_CHECKBOXES without a state list
  int hotItem = -1;
  int wheelRemainder = 0;
  int fontHeight = 16;  // of the list's font, refreshed on creation, WM_SETFONT and painting

  DWORD Style() const { return GetWindowStyle(hwnd); }
  DWORD View() const { return Style() & LVS_TYPEMASK; }
  bool IsReport() const { return View() == LVS_REPORT; }
  bool IsOwnerDrawn() const { return IsReport() && (Style() & LVS_OWNERDRAWFIXED) != 0; }
  bool HasFocus() const { return GetFocus() == hwnd; }
  int ColumnCount() const { return static_cast<int>(columns.size()); }
  // The header's own object; null once the header window is gone.
  HeaderControl* Header() const {
    return IsWindow(header) ? dynamic_cast<HeaderControl*>(header->control.get()) : nullptr;
  }
  HIMAGELIST StateImages() const { return images[LVSIL_STATE]; }
};
