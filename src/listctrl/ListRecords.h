// What CListBase keeps per column and per item: saved descriptions that own their texts.
#pragma once

#include <memory>
#include <vector>

#include "platform/win/win.h"

// A copy of a caller's column description that owns its title (desc.pszText points into it).
struct SavedColumn {
  LVCOLUMNA desc;
  std::unique_ptr<char[]> title;
  void SetTitle(const char* text);
};

// A copy of a caller's item description. desc.pszText is null, the callback marker (never
// owned) or the owned text.
struct SavedItem {
  LVITEMA desc;
  std::unique_ptr<char[]> text;
  bool HasRealText() const {
    return (desc.mask & LVIF_TEXT) != 0 && desc.pszText != nullptr &&
           desc.pszText != LPSTR_TEXTCALLBACKA;
  }
  // Takes over another copy's text (owned text or marker).
  void TakeText(SavedItem& from);
};

struct COLUMN_DATA {
  bool m_bCanHide = false;
  bool m_bVisible = true;
  int m_nHiddenWidth = 0;
  int m_nLogicalOrder = 0;
  std::unique_ptr<SavedColumn> m_pSavedColumn;
};

struct ROW_RECORD {
  LPARAM m_lCallerData = 0;
  // Index = column number; a slot may be empty and the array shorter than the column count.
  std::vector<std::unique_ptr<SavedItem>> m_cells;
  SavedItem* Cell(int column) const {
    return column >= 0 && static_cast<size_t>(column) < m_cells.size()
               ? m_cells[static_cast<size_t>(column)].get()
               : nullptr;
  }
};

// Copies at most capacity-1 bytes of text into buf, never splitting a UTF-8 sequence, and
// terminates it. Returns the bytes copied; nothing is written when buf is null or capacity < 1.
int CopyTextTruncated(const char* text, char* buf, int capacity);
