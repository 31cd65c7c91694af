#include "support/ListModel.h"

#include <algorithm>
#include <cstdlib>

void ListModel::InsertColumn(int column, int order, const std::string& title, int width,
                             bool canHide) {
  for (int& c : logical)
    if (c >= column) ++c;
  Column data;
  data.title = title;
  data.width = width;
  data.canHide = canHide;
  columns.insert(columns.begin() + column, data);
  const int position = order < 0 ? column : order;
  logical.insert(logical.begin() + std::min(position, static_cast<int>(logical.size())), column);
  for (Item& item : items)
    if (item.cells.size() > static_cast<size_t>(column))
      item.cells.insert(item.cells.begin() + column, std::string());
  if (sortState > 0 && column < sortState) ++sortState;
  if (sortState < 0 && column < -sortState) --sortState;
}

void ListModel::DeleteColumn(int column) {
  columns.erase(columns.begin() + column);
  logical.erase(std::find(logical.begin(), logical.end(), column));
  for (int& c : logical)
    if (c > column) --c;
  for (Item& item : items)
    if (item.cells.size() > static_cast<size_t>(column))
      item.cells.erase(item.cells.begin() + column);
  if (sortState != 0) {
    const int sorted = std::abs(sortState) - 1;
    if (column == sorted)
      sortState = 0;
    else if (column < sorted)
      sortState += sortState > 0 ? -1 : 1;
  }
}

void ListModel::SetVisible(int column, bool show) {
  if (columns[static_cast<size_t>(column)].canHide)
    columns[static_cast<size_t>(column)].visible = show;
}

void ListModel::MoveColumn(int column, int position) {
  logical.erase(std::find(logical.begin(), logical.end(), column));
  logical.insert(logical.begin() + position, column);
}

void ListModel::SetOrderArray(const std::vector<int>& columnsInDisplayOrder) {
  logical = columnsInDisplayOrder;
}

void ListModel::DragHeader(int fromDisplay, int toDisplay) {
  const std::vector<int> shown = VisibleInDisplayOrder();
  const int moved = shown[static_cast<size_t>(fromDisplay)];
  const int target = shown[static_cast<size_t>(toDisplay)];
  if (moved == target) return;
  // Dragged right it lands after the column it was dropped on, dragged left before it.
  const bool right = toDisplay > fromDisplay;
  logical.erase(std::find(logical.begin(), logical.end(), moved));
  auto at = std::find(logical.begin(), logical.end(), target);
  logical.insert(right ? at + 1 : at, moved);
}

int ListModel::LogicalOrderOf(int column) const {
  return static_cast<int>(std::find(logical.begin(), logical.end(), column) - logical.begin());
}

int ListModel::ControlIndexOf(int column) const {
  int k = 0;
  for (int c = 0; c < column; ++c)
    if (columns[static_cast<size_t>(c)].visible) ++k;
  return k;
}

int ListModel::ColumnAtControlIndex(int controlIndex) const {
  for (int c = 0; c < ColumnCount(); ++c)
    if (columns[static_cast<size_t>(c)].visible && ControlIndexOf(c) == controlIndex) return c;
  return -1;
}

int ListModel::VisibleCount() const {
  return static_cast<int>(
      std::count_if(columns.begin(), columns.end(), [](const Column& c) { return c.visible; }));
}

std::vector<int> ListModel::VisibleInDisplayOrder() const {
  std::vector<int> shown;
  for (int c : logical)
    if (columns[static_cast<size_t>(c)].visible) shown.push_back(c);
  return shown;
}

int ListModel::InsertItem(int index, LPARAM data, const std::string& text) {
  index = std::min(index, ItemCount());
  Item item;
  item.data = data;
  item.cells.push_back(text);
  items.insert(items.begin() + index, item);
  return index;
}

void ListModel::DeleteItem(int index) {
  items.erase(items.begin() + index);
}

void ListModel::SetCellText(int index, int column, const std::string& text) {
  auto& cells = items[static_cast<size_t>(index)].cells;
  if (cells.size() <= static_cast<size_t>(column)) cells.resize(static_cast<size_t>(column) + 1);
  cells[static_cast<size_t>(column)] = text;
}

std::string ListModel::CellText(int index, int column) const {
  const auto& cells = items[static_cast<size_t>(index)].cells;
  return static_cast<size_t>(column) < cells.size() ? cells[static_cast<size_t>(column)]
                                                    : std::string();
}

int ListModel::FindData(LPARAM data) const {
  for (int i = 0; i < ItemCount(); ++i)
    if (items[static_cast<size_t>(i)].data == data) return i;
  return -1;
}

void ListModel::SortByData(bool ascending) {
  std::stable_sort(items.begin(), items.end(), [ascending](const Item& a, const Item& b) {
    return ascending ? a.data < b.data : a.data > b.data;
  });
}

void ListModel::HeaderClick(int controlIndex) {
  const int c = ColumnAtControlIndex(controlIndex);
  if (c < 0) return;
  if (sortState != 0 && std::abs(sortState) == c + 1)
    sortState = -sortState;
  else
    sortState = c + 1;
}
