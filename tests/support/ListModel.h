// Reference model of an extended list: every column in logical order with every cell, as a
// caller of the list should see it, whatever the control holds. Tests drive the model and the
// real list with the same operations and compare every read.
#pragma once

#include <string>
#include <vector>

#include "platform/win/win.h"

class ListModel {
 public:
  struct Column {
    std::string title;
    int width = 0;  // the control's width when visible, the kept width when hidden
    bool visible = true;
    bool canHide = false;
  };
  struct Item {
    LPARAM data = 0;
    std::vector<std::string> cells;  // by column number; missing cells read as ""
  };

  int ColumnCount() const { return static_cast<int>(columns.size()); }
  int ItemCount() const { return static_cast<int>(items.size()); }

  // Columns. order < 0: the new column takes its column number as logical order.
  void InsertColumn(int column, int order, const std::string& title, int width, bool canHide);
  void DeleteColumn(int column);
  // Honours canHide like the list does.
  void SetVisible(int column, bool show);
  // Column column takes logical order position; those in between shift by one.
  void MoveColumn(int column, int position);
  void SetOrderArray(const std::vector<int>& columnsInDisplayOrder);
  // A header item dragged from one control display position to another.
  void DragHeader(int fromDisplay, int toDisplay);

  int LogicalOrderOf(int column) const;
  int ControlIndexOf(int column) const;
  // Column number of the visible column with this control index, -1 for none.
  int ColumnAtControlIndex(int controlIndex) const;
  int VisibleCount() const;
  std::vector<int> VisibleInDisplayOrder() const;

  // Items.
  int InsertItem(int index, LPARAM data, const std::string& text);
  void DeleteItem(int index);
  void SetCellText(int index, int column, const std::string& text);
  std::string CellText(int index, int column) const;
  int FindData(LPARAM data) const;
  void SortByData(bool ascending);

  // The generic header click on a control column index.
  void HeaderClick(int controlIndex);

  std::vector<Column> columns;  // by column number
  std::vector<int> logical;     // column numbers, display order of all columns
  std::vector<Item> items;
  int sortState = 0;
};
