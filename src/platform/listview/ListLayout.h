// Geometry of a list-view control: header placement, row and cell rectangles, hit testing,
// scroll ranges and the invalidation of changed areas.
//
// Report mode: the header sits at the top (font height + 8 high) and is moved left by the
// horizontal scroll position; rows follow it, max(font height + 4, small image height + 2)
// high. The vertical scroll position is the top row, the horizontal one a pixel origin.
// Icon modes: a grid of cells filled left to right; the vertical position is the top grid line.
#pragma once

#include "ListViewState.h"

class ListLayout final {
 public:
  explicit ListLayout(ListViewState& state) : m_state(state) {}

  struct ItemParts {
    RECT bounds;  // the whole row (report) or cell (icon modes)
    RECT state;   // state image, empty without state images
    RECT icon;
    RECT label;
  };

  RECT Client() const;
  int HeaderHeight() const;  // 0 when no header is shown
  int ItemsTop() const;
  int RowHeight() const;
  int ScrollX() const { return ::GetScrollPos(m_state.hwnd, SB_HORZ); }
  int TopLine() const { return ::GetScrollPos(m_state.hwnd, SB_VERT); }
  int TopIndex() const;
  int CountPerPage() const;
  int StateWidth() const;
  // Items on one grid line (1 in report mode) and the height of a line.
  int ItemsPerLine() const;
  int LineHeight() const;

  // Columns, by control column index; x in unscrolled content coordinates.
  int ColumnWidth(int column) const;
  int ColumnLeft(int column) const;
  int TotalWidth() const;
  // Column under a client x, -1 for none.
  int ColumnAt(int clientX) const;

  ItemParts Parts(int item) const;  // item must exist
  RECT CellRect(int item, int column) const;
  bool ItemRect(int item, int code, RECT* rect) const;
  bool SubItemRect(int item, int column, int code, RECT* rect) const;
  // Fills flags, item and sub-item; returns the item or -1.
  int HitTest(LVHITTESTINFO& info) const;
  // Items that intersect an area of the client, as first and last; first > last when none.
  void VisibleRange(const RECT& area, int* first, int* last) const;

  // Puts header, scroll ranges and positions in step with items, columns, size and style.
  void Sync();
  // Scrolls to a top line and horizontal origin (clamped); false when nothing moved.
  bool ScrollTo(int topLine, int x);
  void EnsureVisible(int item, bool partialOk);

  void InvalidateItem(int item);
  void InvalidateCell(int item, int column);
  void InvalidateFrom(int item);
  void InvalidateItems();
  void InvalidateAll();

 private:
  struct Grid {
    int cellWidth;
    int cellHeight;
    int perLine;
  };
  Grid IconGrid() const;
  int LineCount() const;
  int LinesPerPage() const;
  int MaxTopLine() const;
  int MaxScrollX() const;
  void PlaceHeader();
  void Invalidate(const RECT& rect);

  ListViewState& m_state;
};
