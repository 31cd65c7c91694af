// The item store: caller's item data, hidden cells, text reads, search, sort forwarding,
// deletion and display-information requests.
#include <gtest/gtest.h>

#include <cstring>

#include "listctrl_fixture.h"

namespace {

class ListItems : public ::testing::Test {
 protected:
  ListItems() {
    for (int c = 0; c < 3; ++c) f.InsertColumn(c, "C" + std::to_string(c), 60);
  }
  ListFixture f;
};

std::vector<LPARAM> g_compared;
int RecordingCompare(LPARAM a, LPARAM b, LPARAM sortData) {
  g_compared.push_back(a);
  g_compared.push_back(b);
  g_compared.push_back(sortData);
  return a < b ? -1 : (a > b ? 1 : 0);
}

int PlainCompare(LPARAM a, LPARAM b, LPARAM) {
  return a < b ? -1 : (a > b ? 1 : 0);
}

TEST_F(ListItems, CallerSeesOnlyItsOwnItemData) {
  f.InsertItem(0, 0x5151, "x");
  f.InsertItem(1, 0x4242, "y");
  EXPECT_EQ(f.Data(0), 0x5151);
  LVFINDINFOA find;
  find.flags = LVFI_PARAM;
  find.lParam = 0x4242;
  EXPECT_EQ(f.Send(LVM_FINDITEMA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)), 1);
  g_compared.clear();
  f.Send(LVM_SORTITEMS, 77, reinterpret_cast<LPARAM>(&RecordingCompare));
  ASSERT_FALSE(g_compared.empty());
  for (size_t i = 0; i < g_compared.size(); i += 3) {
    EXPECT_TRUE(g_compared[i] == 0x5151 || g_compared[i] == 0x4242);
    EXPECT_TRUE(g_compared[i + 1] == 0x5151 || g_compared[i + 1] == 0x4242);
    EXPECT_EQ(g_compared[i + 2], 77);
  }
  EXPECT_EQ(f.Data(0), 0x4242);
  EXPECT_EQ(f.Text(0, 0), "y");
}

TEST_F(ListItems, HiddenCellTextReadsBackAndShowsAgain) {
  f.InsertItem(0, 1, "first");
  f.Send(WM_COMMAND, 1, 0);
  EXPECT_TRUE(f.SetText(0, 1, "hidden text"));
  EXPECT_EQ(f.Text(0, 1), "hidden text");
  EXPECT_EQ(f.TextByGetItem(0, 1), "hidden text");
  f.Send(WM_COMMAND, 1, 0);
  EXPECT_EQ(f.ControlText(0, 1), "hidden text");
}

TEST_F(ListItems, NeverSetHiddenCellIsEmptyWithoutImageOrIndent) {
  f.InsertItem(0, 9, "x");
  f.Send(WM_COMMAND, 2, 0);
  char buf[16] = "garbage";
  LVITEMA it;
  it.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_INDENT;
  it.iItem = 0;
  it.iSubItem = 2;
  it.pszText = buf;
  it.cchTextMax = sizeof buf;
  it.iImage = 5;
  it.iIndent = 5;
  it.lParam = 0x1234;
  EXPECT_NE(f.Send(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&it)), 0);
  EXPECT_STREQ(buf, "");
  EXPECT_EQ(it.iImage, 0);
  EXPECT_EQ(it.iIndent, 0);
  EXPECT_EQ(it.lParam, 0x1234);  // the record the extension read stays out of sight
}

TEST_F(ListItems, HiddenColumnAskedForStateAloneGivesTheItemState) {
  f.InsertItem(0, 9, "x");
  LVITEMA sel;
  sel.stateMask = LVIS_SELECTED;
  sel.state = LVIS_SELECTED;
  f.Direct(LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&sel));
  f.Send(WM_COMMAND, 2, 0);
  LVITEMA it;
  it.mask = LVIF_STATE;
  it.iItem = 0;
  it.iSubItem = 2;
  it.stateMask = LVIS_SELECTED;
  EXPECT_NE(f.Send(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&it)), 0);
  EXPECT_EQ(it.state & LVIS_SELECTED, LVIS_SELECTED);
}

TEST_F(ListItems, TextReadsAreCutToTheBufferAtCharacterBoundaries) {
  struct Case {
    const char* name;
    const char* text;
    int capacity;
    int expectCount;
    const char* expectText;
  };
  const Case cases[] = {
      {"ten bytes into five", "0123456789", 5, 4, "0123"},
      {"fits exactly", "abcd", 5, 4, "abcd"},
      {"one byte buffer", "abc", 1, 0, ""},
      {"two-byte character not split", "ab\xC3\xA9z", 4, 2, "ab"},
      {"three-byte character not split", "\xE5\x90\x8D\xE7\xA8\xB1", 5, 3, "\xE5\x90\x8D"},
  };
  f.InsertItem(0, 1, "x");
  f.Send(WM_COMMAND, 1, 0);
  for (const Case& k : cases) {
    f.SetText(0, 1, k.text);
    char buf[16];
    std::memset(buf, 'Z', sizeof buf);
    LVITEMA it;
    it.iSubItem = 1;
    it.pszText = buf;
    it.cchTextMax = k.capacity;
    EXPECT_EQ(f.Send(LVM_GETITEMTEXTA, 0, reinterpret_cast<LPARAM>(&it)), k.expectCount) << k.name;
    EXPECT_STREQ(buf, k.expectText) << k.name;
    EXPECT_EQ(buf[k.capacity], 'Z') << k.name << ": wrote past the buffer";
  }
}

TEST_F(ListItems, FindByItemDataWrapsToTheStart) {
  for (int i = 0; i < 10; ++i) f.InsertItem(i, 100 + i, "x");
  LVFINDINFOA find;
  find.flags = LVFI_PARAM | LVFI_WRAP;
  find.lParam = 103;
  EXPECT_EQ(f.Send(LVM_FINDITEMA, 3, reinterpret_cast<LPARAM>(&find)), 3);
  find.flags = LVFI_PARAM;
  EXPECT_EQ(f.Send(LVM_FINDITEMA, 3, reinterpret_cast<LPARAM>(&find)), -1);
  EXPECT_EQ(f.Send(LVM_FINDITEMA, 2, reinterpret_cast<LPARAM>(&find)), 3);
  find.lParam = 555;
  find.flags = LVFI_PARAM | LVFI_WRAP;
  EXPECT_EQ(f.Send(LVM_FINDITEMA, 3, reinterpret_cast<LPARAM>(&find)), -1);
}

TEST_F(ListItems, DeleteAllOnEmptyListSucceeds) {
  EXPECT_EQ(f.Send(LVM_DELETEALLITEMS), 1);
  f.InsertItem(0, 1, "a");
  f.InsertItem(1, 2, "b");
  EXPECT_EQ(f.Send(LVM_DELETEALLITEMS), 1);
  EXPECT_EQ(f.Send(LVM_GETITEMCOUNT), 0);
  // One delete per item, each carrying its record.
  EXPECT_EQ(f.parent.Count(LVN_DELETEITEM), 2);
  EXPECT_EQ(f.parent.Count(LVN_DELETEALLITEMS), 0);
}

// Counts the display-information requests the control makes of the extension.
class CountingList : public CListViewEx {
  DECLARE_MESSAGE_MAP()
 public:
  int requests = 0;
  BOOL OnDispInfo(NMHDR* nmhdr, LRESULT* result) {
    ++requests;
    return OnGetDispInfo(nmhdr, result);
  }
};
BEGIN_MESSAGE_MAP(CountingList, CListViewEx)
ON_NOTIFY_REFLECT_EX(LVN_GETDISPINFOA, OnDispInfo)
END_MESSAGE_MAP()

TEST(ListItemTexts, SortedListControlHoldsRealTextsOthersTheMarker) {
  for (DWORD style : {DWORD{0}, LVS_SORTASCENDING}) {
    CountingList list;
    ListFixture f(LVS_REPORT | style, &list);
    f.InsertColumn(0, "Name", 80);
    f.InsertItem(0, 1, "beta");
    f.InsertItem(1, 2, "alpha");
    list.requests = 0;
    const std::string first = f.ControlText(0, 0);
    if (style == 0) {
      EXPECT_EQ(first, "beta");
      EXPECT_GT(list.requests, 0);
    } else {
      EXPECT_EQ(first, "alpha");
      EXPECT_EQ(list.requests, 0);
    }
  }
}

TEST_F(ListItems, CallbackTextGoesToTheParentWithColumnNumberAndCallerData) {
  f.InsertItem(0, 0x77, "x");
  f.Send(WM_COMMAND, 0, 0);  // column 1 is now control column 0
  LVITEMA it;
  it.iSubItem = 2;
  it.pszText = LPSTR_TEXTCALLBACKA;
  f.Send(LVM_SETITEMTEXTA, 0, reinterpret_cast<LPARAM>(&it));
  f.parent.seen.clear();
  EXPECT_EQ(f.Text(0, 2), "from parent");
  ASSERT_EQ(f.parent.Count(LVN_GETDISPINFOA), 1);
  EXPECT_EQ(f.parent.seen.back().subItem, 2);
  EXPECT_EQ(f.parent.seen.back().lParam, 0x77);
}

TEST_F(ListItems, SetItemKeepsImageIndentAndTextOfHiddenCell) {
  f.InsertItem(0, 1, "x");
  f.Send(WM_COMMAND, 2, 0);
  char text[] = "cell";
  LVITEMA set;
  set.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_INDENT;
  set.iSubItem = 2;
  set.pszText = text;
  set.iImage = 3;
  set.iIndent = 2;
  EXPECT_EQ(f.Send(LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&set)), 1);
  set.mask = LVIF_IMAGE;
  set.iImage = 4;
  f.Send(LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&set));
  char buf[16] = {};
  LVITEMA get;
  get.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_INDENT;
  get.iSubItem = 2;
  get.pszText = buf;
  get.cchTextMax = sizeof buf;
  f.Send(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&get));
  EXPECT_STREQ(buf, "cell");
  EXPECT_EQ(get.iImage, 4);
  EXPECT_EQ(get.iIndent, 2);
}

TEST_F(ListItems, OutOfRangeRequestsChangeNothing) {
  f.InsertItem(0, 1, "x");
  LVITEMA it;
  it.mask = LVIF_TEXT;
  it.iItem = -1;
  EXPECT_EQ(f.Send(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&it)), -1);
  it.iItem = 0;
  it.iSubItem = 3;
  EXPECT_EQ(f.Send(LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&it)), 0);
  EXPECT_EQ(f.Send(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&it)), 0);
  EXPECT_EQ(f.Send(LVM_DELETEITEM, 5), 0);
  EXPECT_EQ(f.Send(LVM_DELETEITEM, static_cast<WPARAM>(-1)), 0);
  EXPECT_EQ(f.Send(LVM_GETITEMCOUNT), 1);
}

TEST(ListItemScale, HundredThousandItemsInsertSortAndClear) {
  ListFixture f;
  f.InsertColumn(0, "Name", 80);
  f.InsertColumn(1, "IP", 80);
  const int n = 100000;
  for (int i = 0; i < n; ++i) f.InsertItem(i, (i * 7919) % n, "item");
  f.SetText(n - 1, 1, "last");
  f.Send(WM_COMMAND, 1, 0);
  f.Send(WM_COMMAND, 1, 0);
  EXPECT_EQ(f.Text(n - 1, 1), "last");
  f.Send(LVM_SORTITEMS, 0, reinterpret_cast<LPARAM>(&PlainCompare));
  EXPECT_EQ(f.Data(0), 0);
  EXPECT_EQ(f.Data(n - 1), n - 1);
  EXPECT_EQ(f.Send(LVM_DELETEALLITEMS), 1);
}

}  // namespace
