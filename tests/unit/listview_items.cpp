// Items of the list-view control: insertion, texts (stored and asked of the parent), search,
// deletion and sorting with the caller's comparison.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>

#include "listview_fixture.h"

namespace listview_test {
namespace {

using ListViewItems = ListViewTest;

std::vector<std::string> Names(const ListViewTest& t, int count) {
  std::vector<std::string> out;
  for (int i = 0; i < count; ++i) out.push_back(t.Text(i, 0));
  return out;
}

TEST_F(ListViewItems, InsertIndexIsClampedToTheEndAndAnnounced) {
  AddColumn(0, "Name", 100);
  EXPECT_EQ(AddItem(0, "a"), 0);
  EXPECT_EQ(AddItem(9, "b"), 1);
  EXPECT_EQ(AddItem(1, "c"), 1);
  EXPECT_EQ(AddItem(-1, "bad"), -1);
  EXPECT_EQ(Names(*this, 3), (std::vector<std::string>{"a", "c", "b"}));
  auto inserted = parent.Of(LVN_INSERTITEM);
  ASSERT_EQ(inserted.size(), 3u);
  EXPECT_EQ(inserted[2].item, 1);
  EXPECT_EQ(Send(LVM_GETITEMCOUNT), 3);
}

TEST_F(ListViewItems, SortingStylesInsertByText) {
  for (DWORD style : {LVS_SORTASCENDING, LVS_SORTDESCENDING}) {
    SCOPED_TRACE(style);
    list = MakeList(WS_CHILD | LVS_REPORT | style);
    AddColumn(0, "Name", 100);
    for (const char* name : {"m", "b", "x", "b2"}) AddItem(0, name);
    std::vector<std::string> want = {"b", "b2", "m", "x"};
    if (style == LVS_SORTDESCENDING) std::reverse(want.begin(), want.end());
    EXPECT_EQ(Names(*this, 4), want);
  }
}

TEST_F(ListViewItems, ItemMembersRoundTrip) {
  Fill(2);
  LVITEMA set;
  set.mask = LVIF_IMAGE | LVIF_INDENT | LVIF_PARAM | LVIF_STATE;
  set.iItem = 1;
  set.iImage = 4;
  set.iIndent = 2;
  set.lParam = 77;
  set.state = INDEXTOSTATEIMAGEMASK(2);
  set.stateMask = LVIS_STATEIMAGEMASK;
  ASSERT_TRUE(Send(LVM_SETITEMA, 0, &set));
  char buffer[16];
  LVITEMA get;
  get.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_INDENT | LVIF_PARAM | LVIF_STATE;
  get.iItem = 1;
  get.stateMask = ~0u;
  get.pszText = buffer;
  get.cchTextMax = sizeof buffer;
  ASSERT_TRUE(Send(LVM_GETITEMA, 0, &get));
  EXPECT_STREQ(get.pszText, "r1");
  EXPECT_EQ(get.iImage, 4);
  EXPECT_EQ(get.iIndent, 2);
  EXPECT_EQ(get.lParam, 77);
  EXPECT_EQ(get.state, INDEXTOSTATEIMAGEMASK(2));
  get.iSubItem = 2;
  get.pszText = buffer;
  ASSERT_TRUE(Send(LVM_GETITEMA, 0, &get));
  EXPECT_STREQ(buffer, "r1.2");
  get.iSubItem = 3;
  EXPECT_FALSE(Send(LVM_GETITEMA, 0, &get));
  get.iSubItem = 0;
  get.iItem = 2;
  EXPECT_FALSE(Send(LVM_GETITEMA, 0, &get));
}

TEST_F(ListViewItems, GetItemTextCopiesWholeCharactersAndReturnsTheBytes) {
  Fill(1);
  SetText(0, 1,
          "ab\xC3\xA9"
          "cd");  // "abécd": é is two bytes
  struct Case {
    int capacity;
    const char* text;
    LRESULT bytes;
  };
  const Case cases[] = {{16,
                         "ab\xC3\xA9"
                         "cd",
                         6},
                        {5, "ab\xC3\xA9", 4},
                        {4, "ab", 2},
                        {1, "", 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.capacity);
    char buffer[16];
    std::memset(buffer, 'x', sizeof buffer);
    LVITEMA it;
    it.iSubItem = 1;
    it.pszText = buffer;
    it.cchTextMax = c.capacity;
    EXPECT_EQ(Send(LVM_GETITEMTEXTA, 0, &it), c.bytes);
    EXPECT_STREQ(buffer, c.text);
  }
}

TEST_F(ListViewItems, CallbackTextsAreAskedOfTheParentWithColumnAndItemData) {
  Fill(1);
  LVITEMA it;
  it.iSubItem = 2;
  it.pszText = LPSTR_TEXTCALLBACKA;
  Send(LVM_SETITEMTEXTA, 0, &it);
  static const char kOwnText[] = "parent's own";
  bool answerWithPointer = false;
  parent.answer = [&](NMHDR* hdr) -> LRESULT {
    if (hdr->code != LVN_GETDISPINFOA) return 0;
    auto* info = reinterpret_cast<NMLVDISPINFOA*>(hdr);
    if (answerWithPointer)
      info->item.pszText = const_cast<char*>(kOwnText);
    else
      std::snprintf(info->item.pszText, static_cast<size_t>(info->item.cchTextMax), "copied");
    return 0;
  };
  EXPECT_EQ(Text(0, 2), "copied");
  auto asked = parent.Of(LVN_GETDISPINFOA);
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].item, 0);
  EXPECT_EQ(asked[0].subItem, 2);
  EXPECT_EQ(asked[0].lParam, 1000);

  // LVM_GETITEMA hands over the parent's pointer; LVM_GETITEMTEXTA copies it.
  answerWithPointer = true;
  char buffer[32] = {};
  LVITEMA get;
  get.mask = LVIF_TEXT;
  get.iSubItem = 2;
  get.pszText = buffer;
  get.cchTextMax = sizeof buffer;
  ASSERT_TRUE(Send(LVM_GETITEMA, 0, &get));
  EXPECT_EQ(get.pszText, kOwnText);
  EXPECT_EQ(Text(0, 2), kOwnText);
  // Stored texts never reach the parent.
  parent.notes.clear();
  EXPECT_EQ(Text(0, 1), "r0.1");
  EXPECT_EQ(parent.Count(LVN_GETDISPINFOA), 0u);
}

TEST_F(ListViewItems, FindItemByDataAndByText) {
  Fill(4);
  SetText(2, 0, "Gateway");
  struct Case {
    const char* name;
    UINT flags;
    const char* text;
    LPARAM data;
    int start;
    LRESULT found;
  };
  const Case cases[] = {
      {"data", LVFI_PARAM, nullptr, 1003, -1, 3},
      {"data after start", LVFI_PARAM, nullptr, 1001, 1, -1},
      {"data with wrap", LVFI_PARAM | LVFI_WRAP, nullptr, 1001, 1, 1},
      {"text ignores case", LVFI_STRING, "gateway", 0, -1, 2},
      {"whole text only", LVFI_STRING, "Gate", 0, -1, -1},
      {"partial", LVFI_PARTIAL | LVFI_STRING, "GATE", 0, -1, 2},
      {"no text", LVFI_STRING, nullptr, 0, -1, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    LVFINDINFOA find;
    find.flags = c.flags;
    find.psz = c.text;
    find.lParam = c.data;
    EXPECT_EQ(Send(LVM_FINDITEMA, static_cast<WPARAM>(c.start), &find), c.found);
  }
}

TEST_F(ListViewItems, DeletionTellsTheParentEachItemsData) {
  Fill(3);
  parent.notes.clear();
  ASSERT_TRUE(Send(LVM_DELETEITEM, 1));
  EXPECT_FALSE(Send(LVM_DELETEITEM, 5));
  ASSERT_EQ(parent.Count(LVN_DELETEITEM), 1u);
  EXPECT_EQ(parent.Of(LVN_DELETEITEM)[0].lParam, 1001);
  EXPECT_EQ(Names(*this, 2), (std::vector<std::string>{"r0", "r2"}));
  ASSERT_TRUE(Send(LVM_DELETEALLITEMS));
  EXPECT_EQ(Send(LVM_GETITEMCOUNT), 0);
  EXPECT_EQ(parent.Count(LVN_DELETEALLITEMS), 1u);
  EXPECT_EQ(parent.Count(LVN_DELETEITEM), 3u);
}

TEST_F(ListViewItems, ParentThatAnswersDeleteAllGetsNoPerItemNotes) {
  Fill(3);
  parent.notes.clear();
  parent.answer = [](NMHDR* hdr) -> LRESULT { return hdr->code == LVN_DELETEALLITEMS; };
  ASSERT_TRUE(Send(LVM_DELETEALLITEMS));
  EXPECT_EQ(parent.Count(LVN_DELETEITEM), 0u);
}

// ---- sorting ----

int CompareData(LPARAM a, LPARAM b, LPARAM direction) {
  return a < b ? static_cast<int>(-direction) : a > b ? static_cast<int>(direction) : 0;
}
int CompareTens(LPARAM a, LPARAM b, LPARAM) {
  return CompareData(a / 10, b / 10, 1);
}

std::vector<LPARAM> Data(const ListViewTest& t) {
  std::vector<LPARAM> out;
  int n = static_cast<int>(t.Send(LVM_GETITEMCOUNT));
  for (int i = 0; i < n; ++i) {
    LVITEMA it;
    it.mask = LVIF_PARAM;
    it.iItem = i;
    t.Send(LVM_GETITEMA, 0, &it);
    out.push_back(it.lParam);
  }
  return out;
}

TEST_F(ListViewItems, SortUsesTheCallersComparisonAndIsStable) {
  AddColumn(0, "Name", 100);
  const LPARAM data[] = {31, 12, 35, 10, 38, 14};
  for (LPARAM d : data) AddItem(9999, std::to_string(d).c_str(), d);
  ASSERT_TRUE(Send(LVM_SORTITEMS, 0, reinterpret_cast<LPARAM>(&CompareTens)));
  EXPECT_EQ(Data(*this), (std::vector<LPARAM>{12, 10, 14, 31, 35, 38}));
  // Texts move with their items.
  EXPECT_EQ(Text(0, 0), "12");
  ASSERT_TRUE(Send(LVM_SORTITEMS, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&CompareData)));
  EXPECT_EQ(Data(*this), (std::vector<LPARAM>{38, 35, 31, 14, 12, 10}));
  EXPECT_FALSE(Send(LVM_SORTITEMS, 0, 0));
}

TEST_F(ListViewItems, SelectionAndFocusMoveWithTheItems) {
  AddColumn(0, "Name", 100);
  for (LPARAM d : {3, 1, 2}) AddItem(9, "x", d);
  SetState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  Send(LVM_SORTITEMS, 1, reinterpret_cast<LPARAM>(&CompareData));
  EXPECT_EQ(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 2);
  EXPECT_EQ(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED), 2);
}

// Comparisons that break the rules: the sort ends and every item is still there once.
int Inconsistent(LPARAM a, LPARAM b, LPARAM) {
  static std::mt19937 random(7);
  (void)a;
  (void)b;
  return static_cast<int>(random() % 3) - 1;
}
int AlwaysGreater(LPARAM, LPARAM, LPARAM) {
  return 1;
}
int RockPaperScissors(LPARAM a, LPARAM b, LPARAM) {
  return (a % 3 + 3 - b % 3) % 3 == 1 ? 1 : ((b % 3 + 3 - a % 3) % 3 == 1 ? -1 : 0);
}

TEST_F(ListViewItems, InconsistentComparisonNeverLosesItems) {
  AddColumn(0, "Name", 100);
  for (int i = 0; i < 200; ++i) AddItem(i, "x", i);
  for (PFNLVCOMPARE compare : {&Inconsistent, &AlwaysGreater, &RockPaperScissors}) {
    Send(LVM_SORTITEMS, 0, reinterpret_cast<LPARAM>(compare));
    std::vector<LPARAM> data = Data(*this);
    std::sort(data.begin(), data.end());
    for (int i = 0; i < 200; ++i) ASSERT_EQ(data[static_cast<size_t>(i)], i);
  }
}

ListViewTest* g_reentered = nullptr;
int DeletesWhileComparing(LPARAM a, LPARAM b, LPARAM) {
  // The first comparison deletes the first item.
  if (g_reentered->Send(LVM_GETITEMCOUNT) == 5) g_reentered->Send(LVM_DELETEITEM, 0);
  return CompareData(a, b, 1);
}

TEST_F(ListViewItems, ComparisonThatChangesTheListEndsTheSortWithoutHarm) {
  AddColumn(0, "Name", 100);
  for (LPARAM d : {5, 4, 3, 2, 1}) AddItem(9, "x", d);
  g_reentered = this;
  EXPECT_FALSE(Send(LVM_SORTITEMS, 0, reinterpret_cast<LPARAM>(&DeletesWhileComparing)));
  // The sort is given up; the items that remain keep their places.
  EXPECT_EQ(Data(*this), (std::vector<LPARAM>{4, 3, 2, 1}));
}

int g_comparisons = 0;
int CountingCompare(LPARAM a, LPARAM b, LPARAM) {
  ++g_comparisons;
  return CompareData(a, b, 1);
}

TEST_F(ListViewItems, OneNewLastItemIsPlacedByBinarySearchWithTheMergeSortsResult) {
  AddColumn(0, "Name", 100);
  std::mt19937 random(3);
  std::vector<LPARAM> model;
  for (int i = 0; i < 1000; ++i) {
    LPARAM d = static_cast<LPARAM>(random() % 300);  // many equal keys
    AddItem(i, std::to_string(i).c_str(), d * 10000 + i);
    model.push_back(d * 10000 + i);
  }
  // Order by key only (ties keep insertion order), then add one more item at the end.
  auto byKey = [](LPARAM a, LPARAM b, LPARAM) -> int {
    return CompareData(a / 10000, b / 10000, 1);
  };
  PFNLVCOMPARE compare = byKey;
  Send(LVM_SORTITEMS, 0, reinterpret_cast<LPARAM>(compare));
  std::stable_sort(model.begin(), model.end(),
                   [](LPARAM a, LPARAM b) { return a / 10000 < b / 10000; });
  ASSERT_EQ(Data(*this), model);
  for (LPARAM key : {LPARAM{150}, LPARAM{0}, LPARAM{299}, LPARAM{500}}) {
    LPARAM d = key * 10000 + static_cast<LPARAM>(model.size());
    AddItem(99999, "new", d);
    model.push_back(d);
    std::stable_sort(model.begin(), model.end(),
                     [](LPARAM a, LPARAM b) { return a / 10000 < b / 10000; });
    Send(LVM_SORTITEMS, 0, reinterpret_cast<LPARAM>(compare));
    ASSERT_EQ(Data(*this), model) << key;
  }
  // The fast path costs a pass over the items and a binary search, not a full sort.
  AddItem(99999, "new", 77 * 10000);
  g_comparisons = 0;
  Send(LVM_SORTITEMS, 0, reinterpret_cast<LPARAM>(&CountingCompare));
  EXPECT_LE(g_comparisons, 1005 + 12);
}

TEST_F(ListViewItems, HundredThousandItemsInsertAndSortQuickly) {
  AddColumn(0, "Name", 100);
  std::mt19937 random(11);
  auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < 100000; ++i) AddItem(i, "device", static_cast<LPARAM>(random()));
  ASSERT_TRUE(Send(LVM_SORTITEMS, 1, reinterpret_cast<LPARAM>(&CompareData)));
  auto elapsed = std::chrono::steady_clock::now() - start;
  std::vector<LPARAM> data = Data(*this);
  EXPECT_TRUE(std::is_sorted(data.begin(), data.end()));
  // Generous bound for sanitizer builds; a quadratic store takes minutes.
  EXPECT_LT(std::chrono::duration_cast<std::chrono::seconds>(elapsed).count(), 10);
}

}  // namespace
}  // namespace listview_test

namespace listview_test {
namespace {

TEST_F(ListViewItems, OwnerDataListHoldsACountAndAsksForEveryText) {
  list = MakeList(WS_CHILD | LVS_REPORT | LVS_OWNERDATA);
  AddColumn(0, "Name", 100);
  AddColumn(1, "Address", 100);
  EXPECT_EQ(AddItem(0, "refused"), -1);
  ASSERT_TRUE(Send(LVM_SETITEMCOUNT, 50));
  EXPECT_EQ(Send(LVM_GETITEMCOUNT), 50);
  parent.answer = [](NMHDR* hdr) -> LRESULT {
    if (hdr->code == LVN_GETDISPINFOA) {
      auto* info = reinterpret_cast<NMLVDISPINFOA*>(hdr);
      std::snprintf(info->item.pszText, static_cast<size_t>(info->item.cchTextMax), "%d/%d",
                    info->item.iItem, info->item.iSubItem);
    }
    return 0;
  };
  EXPECT_EQ(Text(42, 1), "42/1");
  EXPECT_EQ(Text(7, 0), "7/0");
}

}  // namespace
}  // namespace listview_test

namespace listview_test {
namespace {

TEST_F(ListViewItems, ParentDeletingTheItemItIsToldAboutDoesNotCostAnotherItem) {
  Fill(3);
  bool nested = false;
  parent.answer = [&](NMHDR* hdr) -> LRESULT {
    if (hdr->code == LVN_DELETEITEM && !nested) {
      nested = true;
      Send(LVM_DELETEITEM, static_cast<WPARAM>(reinterpret_cast<NMLISTVIEW*>(hdr)->iItem));
    }
    return 0;
  };
  Send(LVM_DELETEITEM, 0);
  EXPECT_EQ(Send(LVM_GETITEMCOUNT), 2);
  EXPECT_EQ(Text(0, 0), "r1");
  EXPECT_EQ(Text(1, 0), "r2");
}

TEST_F(ListViewItems, UnterminatedCallbackTextStaysInsideTheBuffer) {
  Fill(1);
  SetText(0, 1, LPSTR_TEXTCALLBACKA);
  parent.answer = [](NMHDR* hdr) -> LRESULT {
    if (hdr->code == LVN_GETDISPINFOA) {
      auto* info = reinterpret_cast<NMLVDISPINFOA*>(hdr);
      std::memset(info->item.pszText, 'x', static_cast<size_t>(info->item.cchTextMax));
    }
    return 0;
  };
  char buffer[8];
  LVITEMA it;
  it.iSubItem = 1;
  it.pszText = buffer;
  it.cchTextMax = sizeof buffer;
  EXPECT_EQ(Send(LVM_GETITEMTEXTA, 0, &it), 7);
  EXPECT_STREQ(buffer, "xxxxxxx");
  RecordingDC dc(RECT{0, 0, 400, 300});
  Paint(dc);
  for (const auto& r : dc.Of(RecordingDC::Kind::DrawText)) EXPECT_LT(r.text.size(), 260u);
}

}  // namespace
}  // namespace listview_test
