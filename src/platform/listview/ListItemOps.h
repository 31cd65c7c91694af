// The item messages of a list-view control (LVM_INSERTITEMA ... LVM_SORTITEMS) and the item
// states: selection, focus, check boxes, each change announced with LVN_ITEMCHANGED.
#pragma once

#include "ListLayout.h"
#include "ListNotifier.h"

class ListItemOps final {
 public:
  ListItemOps(ListViewState& state, ListLayout& layout, ListNotifier& notifier)
      : m_state(state), m_layout(layout), m_notifier(notifier) {}

  LRESULT Insert(const LVITEMA* in);
  LRESULT Set(const LVITEMA* in);
  LRESULT Get(LVITEMA* io);
  LRESULT SetText(int item, const LVITEMA* in);
  // Always copies into the caller's buffer; returns the bytes copied.
  LRESULT GetText(int item, LVITEMA* io);
  LRESULT Delete(int item);
  LRESULT DeleteAll();
  LRESULT Find(int start, const LVFINDINFOA* info);
  LRESULT Sort(LPARAM data, PFNLVCOMPARE compare);
  // Owner-data lists: the number of (virtual) items.
  LRESULT SetCount(int count);

  int Next(int start, UINT flags) const;
  int SelectedCount() const;
  // LVM_SETITEMSTATE: item -1 changes every item and sends one LVN_ITEMCHANGED for item -1;
  // focusing every item, or selecting every item of a single-selection list, is refused.
  LRESULT SetStateMessage(int item, const LVITEMA* in);

  // Changes the state bits in mask of one item: one focused item at most, one selected item
  // at most with LVS_SINGLESEL. False when the item does not exist.
  bool SetState(int item, UINT state, UINT mask);
  int FocusedItem() const;
  int AnchorItem() const;
  void SetAnchor(int item);
  void SelectOnly(int item);
  // Selects from..to; other items lose their selection unless keepOthers.
  void SelectRange(int from, int to, bool keepOthers);
  void DeselectAll();
  void ToggleCheck(int item);
  // Gives every item without a state image the unchecked box (LVS_EX_CHECKBOXES switched on).
  void ApplyCheckBoxes();
  void SetHotItem(int item);

 private:
  int SortedPosition(const std::string& text) const;
  static void AssignText(ListCell& cell, LPCSTR text);
  bool Matches(int item, const LVFINDINFOA& info);

  ListViewState& m_state;
  ListLayout& m_layout;
  ListNotifier& m_notifier;
};
