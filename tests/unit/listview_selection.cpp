// Selection, focus and check boxes of the list-view control, by message, mouse and keys.
#include "listview_fixture.h"

namespace listview_test {
namespace {

using ListViewSelection = ListViewTest;

std::vector<int> Selected(const ListViewTest& t) {
  std::vector<int> out;
  for (int i = static_cast<int>(t.Send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
       i >= 0; i = static_cast<int>(t.Send(LVM_GETNEXTITEM, static_cast<WPARAM>(i), LVNI_SELECTED)))
    out.push_back(i);
  return out;
}
int Focused(const ListViewTest& t) {
  return static_cast<int>(t.Send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
}
// Client y of the middle of row i (no scrolling).
int RowY(int i) {
  return kHeaderHeight + i * kRowHeight + kRowHeight / 2;
}

TEST_F(ListViewSelection, StateChangesAreAnnouncedAndFocusIsUnique) {
  Fill(4);
  parent.notes.clear();
  SetState(1, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
  SetState(3, LVIS_FOCUSED, LVIS_FOCUSED);
  EXPECT_EQ(Focused(*this), 3);
  EXPECT_EQ(State(1), static_cast<UINT>(LVIS_SELECTED));
  auto changed = parent.Of(LVN_ITEMCHANGED);
  ASSERT_EQ(changed.size(), 3u);
  EXPECT_EQ(changed[0].item, 1);
  EXPECT_EQ(changed[0].newState, static_cast<UINT>(LVIS_FOCUSED | LVIS_SELECTED));
  EXPECT_EQ(changed[0].lParam, 1001);
  // The old focus is taken away before the new one is given.
  EXPECT_EQ(changed[1].item, 1);
  EXPECT_EQ(changed[1].oldState, static_cast<UINT>(LVIS_FOCUSED | LVIS_SELECTED));
  EXPECT_EQ(changed[2].item, 3);
  EXPECT_EQ(Send(LVM_GETSELECTEDCOUNT), 1);
  // Setting what is already there changes nothing and tells nothing.
  SetState(3, LVIS_FOCUSED, LVIS_FOCUSED);
  EXPECT_EQ(parent.Count(LVN_ITEMCHANGED), 3u);
}

TEST_F(ListViewSelection, AllItemsAtOnceWithOneNotification) {
  Fill(5);
  parent.notes.clear();
  LVITEMA all;
  all.state = all.stateMask = LVIS_SELECTED;
  ASSERT_TRUE(Send(LVM_SETITEMSTATE, static_cast<WPARAM>(-1), &all));
  EXPECT_EQ(Send(LVM_GETSELECTEDCOUNT), 5);
  ASSERT_EQ(parent.Count(LVN_ITEMCHANGED), 1u);
  EXPECT_EQ(parent.Of(LVN_ITEMCHANGED)[0].item, -1);
  all.state = all.stateMask = LVIS_FOCUSED;
  EXPECT_FALSE(Send(LVM_SETITEMSTATE, static_cast<WPARAM>(-1), &all));
  EXPECT_EQ(Focused(*this), -1);
}

TEST_F(ListViewSelection, SingleSelectionListKeepsOneSelectedItem) {
  list = MakeList(WS_CHILD | LVS_REPORT | LVS_SINGLESEL);
  Fill(3);
  SetState(0, LVIS_SELECTED, LVIS_SELECTED);
  SetState(2, LVIS_SELECTED, LVIS_SELECTED);
  EXPECT_EQ(Selected(*this), std::vector<int>{2});
  LVITEMA all;
  all.state = all.stateMask = LVIS_SELECTED;
  EXPECT_FALSE(Send(LVM_SETITEMSTATE, static_cast<WPARAM>(-1), &all));
}

TEST_F(ListViewSelection, ClicksSelectWithCtrlTogglingAndShiftExtending) {
  Fill(6);
  struct Step {
    const char* name;
    int row;
    UINT keys;
    std::vector<int> selected;
  };
  const Step steps[] = {
      {"plain", 1, 0, {1}},
      {"ctrl adds", 3, MK_CONTROL, {1, 3}},
      {"ctrl removes", 1, MK_CONTROL, {3}},
      // A ctrl click sets the anchor too.
      {"shift from the anchor", 5, MK_SHIFT, {1, 2, 3, 4, 5}},
      {"shift again from the same anchor", 2, MK_SHIFT, {1, 2}},
      {"ctrl shift keeps the rest", 0, MK_CONTROL | MK_SHIFT, {0, 1, 2}},
      {"ctrl", 4, MK_CONTROL, {0, 1, 2, 4}},
      {"plain again", 4, 0, {4}},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.name);
    Click(list, 30, RowY(s.row), s.keys);
    EXPECT_EQ(Selected(*this), s.selected);
    EXPECT_EQ(Focused(*this), s.row);
  }
  EXPECT_EQ(GetFocus(), list);
  // A click below the last row clears the selection.
  Click(list, 30, RowY(12));
  EXPECT_TRUE(Selected(*this).empty());
}

TEST_F(ListViewSelection, ReleaseSendsClickDoubleClickSendsDblClk) {
  Fill(3);
  parent.notes.clear();
  Click(list, 150, RowY(2), MK_CONTROL);
  auto clicks = parent.Of(NM_CLICK);
  ASSERT_EQ(clicks.size(), 1u);
  // Column 1 is not the item's label: without full-row select the click is on no item.
  EXPECT_EQ(clicks[0].item, -1);
  EXPECT_EQ(clicks[0].point.x, 150);
  Click(list, 30, RowY(2));
  EXPECT_EQ(parent.Of(NM_CLICK).back().item, 2);
  Mouse(list, WM_LBUTTONDBLCLK, 30, RowY(1), MK_LBUTTON);
  Mouse(list, WM_LBUTTONUP, 30, RowY(1));
  EXPECT_EQ(parent.Count(NM_DBLCLK), 1u);
  EXPECT_EQ(parent.Of(NM_DBLCLK)[0].item, 1);
  EXPECT_EQ(parent.Count(NM_CLICK), 2u);
}

TEST_F(ListViewSelection, RightClickSelectsTheItemAndSendsRClickOnRelease) {
  Fill(3);
  SetState(0, LVIS_SELECTED, LVIS_SELECTED);
  SetState(1, LVIS_SELECTED, LVIS_SELECTED);
  parent.notes.clear();
  // On a selected item the selection stays; on another item it moves there.
  Mouse(list, WM_RBUTTONDOWN, 30, RowY(1), MK_RBUTTON);
  EXPECT_EQ(Selected(*this), (std::vector<int>{0, 1}));
  EXPECT_EQ(parent.Count(NM_RCLICK), 0u);
  Mouse(list, WM_RBUTTONUP, 30, RowY(1));
  ASSERT_EQ(parent.Count(NM_RCLICK), 1u);
  EXPECT_EQ(parent.Of(NM_RCLICK)[0].item, 1);
  Mouse(list, WM_RBUTTONDOWN, 30, RowY(2), MK_RBUTTON);
  Mouse(list, WM_RBUTTONUP, 30, RowY(2));
  EXPECT_EQ(Selected(*this), std::vector<int>{2});
}

TEST_F(ListViewSelection, KeysMoveTheFocusAndSelection) {
  Fill(40);  // 13 full rows on a page
  Click(list, 30, RowY(2));
  struct Step {
    const char* name;
    UINT key;
    bool shift;
    bool ctrl;
    int focused;
    size_t selected;
  };
  const Step steps[] = {
      {"down", VK_DOWN, false, false, 3, 1},
      {"shift down extends", VK_DOWN, true, false, 4, 2},
      {"ctrl up moves the focus only", VK_UP, false, true, 3, 2},
      {"end", VK_END, false, false, 39, 1},
      {"home", VK_HOME, false, false, 0, 1},
      {"page down to the bottom of the page", VK_NEXT, false, false, 12, 1},
      {"page down again", VK_NEXT, false, false, 25, 1},
      {"shift page up", VK_PRIOR, true, false, 13, 13},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.name);
    KeyState::SetDown(VK_SHIFT, s.shift);
    KeyState::SetDown(VK_CONTROL, s.ctrl);
    Send(WM_KEYDOWN, s.key);
    EXPECT_EQ(Focused(*this), s.focused);
    EXPECT_EQ(static_cast<size_t>(Send(LVM_GETSELECTEDCOUNT)), s.selected);
  }
  // The focused item is scrolled into view.
  EXPECT_LE(Send(LVM_GETTOPINDEX), 13);
  KeyState::SetDown(VK_SHIFT, false);
  KeyState::SetDown(VK_CONTROL, true);
  Send(WM_KEYDOWN, 'A');
  EXPECT_EQ(Send(LVM_GETSELECTEDCOUNT), 40);
}

TEST_F(ListViewSelection, CheckBoxClickTogglesWithoutSelecting) {
  Fill(2);
  Send(LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_CHECKBOXES, LVS_EX_CHECKBOXES);
  EXPECT_NE(Send(LVM_GETIMAGELIST, LVSIL_STATE), 0);
  EXPECT_EQ(State(0, LVIS_STATEIMAGEMASK), INDEXTOSTATEIMAGEMASK(1));
  AddItem(2, "new");
  EXPECT_EQ(State(2, LVIS_STATEIMAGEMASK), INDEXTOSTATEIMAGEMASK(1));
  // The box is the 16 px state image at the left of column 0.
  LVHITTESTINFO hit;
  hit.pt = POINT{6, RowY(1)};
  EXPECT_EQ(Send(LVM_HITTEST, 0, &hit), 1);
  EXPECT_EQ(hit.flags, LVHT_ONITEMSTATEICON);
  Click(list, 6, RowY(1));
  EXPECT_EQ(State(1, LVIS_STATEIMAGEMASK), INDEXTOSTATEIMAGEMASK(2));
  EXPECT_TRUE(Selected(*this).empty());
  Click(list, 6, RowY(1));
  EXPECT_EQ(State(1, LVIS_STATEIMAGEMASK), INDEXTOSTATEIMAGEMASK(1));
}

TEST_F(ListViewSelection, FocusChangesAreAnnounced) {
  Fill(1);
  parent.notes.clear();
  ::SetFocus(list);
  ::SetFocus(parent.m_hWnd);
  ASSERT_EQ(parent.notes.size(), 2u);
  EXPECT_EQ(parent.notes[0].code, NM_SETFOCUS);
  EXPECT_EQ(parent.notes[1].code, NM_KILLFOCUS);
  EXPECT_EQ(parent.notes[1].from, list);
}

TEST_F(ListViewSelection, ExtendedStyleMaskZeroMeansAllBits) {
  EXPECT_EQ(Send(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, 0x11), 0);
  EXPECT_EQ(Send(LVM_SETEXTENDEDLISTVIEWSTYLE, 0x20, 0x20), 0x11);
  EXPECT_EQ(Send(LVM_GETEXTENDEDLISTVIEWSTYLE), 0x31);
  EXPECT_EQ(Send(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, 0x1), 0x31);
  EXPECT_EQ(Send(LVM_GETEXTENDEDLISTVIEWSTYLE), 0x1);
}

}  // namespace
}  // namespace listview_test
