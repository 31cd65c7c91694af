// Columns of the list-view control and the header items that show them.
#include "listview_fixture.h"

namespace listview_test {
namespace {

using ListViewColumns = ListViewTest;

TEST_F(ListViewColumns, InsertingAColumnShiftsEveryItemsCells) {
  struct Case {
    int at;
    std::vector<std::string> row1;
  };
  const Case cases[] = {
      {0, {"", "r1", "r1.1", "r1.2"}},
      {1, {"r1", "", "r1.1", "r1.2"}},
      {2, {"r1", "r1.1", "", "r1.2"}},
      {3, {"r1", "r1.1", "r1.2", ""}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.at);
    ResetWindowSystem();
    ASSERT_TRUE(parent.Create("Generic", "", WS_POPUP, RECT{0, 0, 800, 600}, nullptr, 0));
    list = MakeList(WS_CHILD | LVS_REPORT);
    Fill(2);
    EXPECT_EQ(AddColumn(c.at, "New", 50), c.at);
    EXPECT_EQ(SendHeader(HDM_GETITEMCOUNT), 4);
    std::vector<std::string> row;
    for (int col = 0; col < 4; ++col) row.push_back(Text(1, col));
    EXPECT_EQ(row, c.row1);
    EXPECT_EQ(ColumnWidth(c.at), 50);
  }
}

TEST_F(ListViewColumns, DeletingAColumnShiftsCellsBack) {
  Fill(2);
  ASSERT_TRUE(Send(LVM_DELETECOLUMN, 1));
  EXPECT_EQ(Text(1, 0), "r1");
  EXPECT_EQ(Text(1, 1), "r1.2");
  EXPECT_EQ(SendHeader(HDM_GETITEMCOUNT), 2);
  ASSERT_TRUE(Send(LVM_DELETECOLUMN, 0));
  EXPECT_EQ(Text(0, 0), "r0.2");
  EXPECT_FALSE(Send(LVM_DELETECOLUMN, 5));
  // A column index beyond the columns names no cell.
  EXPECT_EQ(Text(0, 3), "");
}

TEST_F(ListViewColumns, InsertIndexIsClampedAndNegativeRefused) {
  Fill(1);
  EXPECT_EQ(AddColumn(99, "End", 10), 3);
  EXPECT_EQ(AddColumn(-1, "Bad", 10), -1);
  EXPECT_EQ(SendHeader(HDM_GETITEMCOUNT), 4);
}

TEST_F(ListViewColumns, GetColumnReportsWhatWasSetAndTheFirstColumnIsLeftAligned) {
  AddColumn(0, "Name", 120, LVCFMT_RIGHT);
  AddColumn(1, "Version", 95, LVCFMT_RIGHT);
  char title[8];
  LVCOLUMNA c;
  c.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_ORDER | LVCF_SUBITEM;
  c.pszText = title;
  c.cchTextMax = 4;
  ASSERT_TRUE(Send(LVM_GETCOLUMNA, 1, &c));
  EXPECT_STREQ(title, "Ver");
  EXPECT_EQ(c.cx, 95);
  EXPECT_EQ(c.fmt, LVCFMT_RIGHT);
  EXPECT_EQ(c.iOrder, 1);
  EXPECT_EQ(c.iSubItem, 1);
  c.cchTextMax = 8;
  ASSERT_TRUE(Send(LVM_GETCOLUMNA, 0, &c));
  EXPECT_EQ(c.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_LEFT);
  HDITEMA hd;
  hd.mask = HDI_FORMAT;
  SendHeader(HDM_GETITEMA, 1, reinterpret_cast<LPARAM>(&hd));
  EXPECT_EQ(hd.fmt, HDF_RIGHT | HDF_STRING);
  EXPECT_FALSE(Send(LVM_GETCOLUMNA, 2, &c));
}

TEST_F(ListViewColumns, OrderGivenOnInsertAndSetIsTheHeadersDisplayOrder) {
  Fill(0);
  LVCOLUMNA c;
  c.mask = LVCF_WIDTH | LVCF_ORDER;
  c.cx = 40;
  c.iOrder = 0;
  Send(LVM_INSERTCOLUMNA, 3, &c);
  EXPECT_EQ(Order(), (std::vector<int>{3, 0, 1, 2}));
  EXPECT_EQ(SendHeader(HDM_ORDERTOINDEX, 0), 3);
  c.mask = LVCF_ORDER;
  c.iOrder = 3;
  Send(LVM_SETCOLUMNA, 0, &c);
  EXPECT_EQ(Order(), (std::vector<int>{3, 1, 2, 0}));
  // Header rectangles follow the display order: item 3 (40 px) first, item 0 last.
  RECT r;
  SendHeader(HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
  EXPECT_EQ(r, (RECT{40 + 80 + 60, 0, 40 + 80 + 60 + 100, kHeaderHeight}));
}

TEST_F(ListViewColumns, OrderArrayMustBeAPermutationOfAllColumns) {
  Fill(0);
  struct Case {
    const char* name;
    std::vector<int> order;
    bool accepted;
  };
  const Case cases[] = {
      {"reverse", {2, 1, 0}, true},       {"duplicate", {0, 0, 1}, false},
      {"out of range", {0, 1, 3}, false}, {"negative", {-1, 1, 2}, false},
      {"too short", {1, 0}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    int set[] = {0, 1, 2};
    ASSERT_TRUE(Send(LVM_SETCOLUMNORDERARRAY, 3, set));
    EXPECT_EQ(Send(LVM_SETCOLUMNORDERARRAY, c.order.size(), c.order.data()) != 0, c.accepted);
    EXPECT_EQ(Order(), c.accepted ? c.order : std::vector<int>({0, 1, 2}));
  }
  int small[2];
  EXPECT_FALSE(Send(LVM_GETCOLUMNORDERARRAY, 2, small));
}

TEST_F(ListViewColumns, WidthIsASixteenBitSignedValue) {
  Fill(3);
  SetText(2, 1, "a much longer address");
  struct Case {
    const char* name;
    LPARAM value;
    bool accepted;
    int width;
  };
  // Widest text in column 1: 21 bytes * 7 px + 12 px of padding.
  const Case cases[] = {
      {"pixels", MAKELPARAM(320, 0), true, 320},
      {"0xFFFF is auto-size", 0xFFFF, true, 21 * 7 + 12},
      {"-1 is auto-size", -1, true, 21 * 7 + 12},
      {"other negative", MAKELPARAM(-5, 0), false, 33},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Send(LVM_SETCOLUMNWIDTH, 1, MAKELPARAM(33, 0));
    EXPECT_EQ(Send(LVM_SETCOLUMNWIDTH, 1, c.value) != 0, c.accepted);
    EXPECT_EQ(ColumnWidth(1), c.width);
  }
}

TEST_F(ListViewColumns, AutoSizeWithHeaderFillsTheLastDisplayedColumn) {
  Fill(1);
  // Column 1's title is wider than its texts.
  ASSERT_TRUE(Send(LVM_SETCOLUMNWIDTH, 1, LVSCW_AUTOSIZE_USEHEADER));
  EXPECT_EQ(ColumnWidth(1), 7 * 7 + 12);
  // The last column takes what is left of the 400 px client width.
  ASSERT_TRUE(Send(LVM_SETCOLUMNWIDTH, 2, LVSCW_AUTOSIZE_USEHEADER));
  EXPECT_EQ(ColumnWidth(2), 400 - 100 - (7 * 7 + 12));
}

TEST_F(ListViewColumns, HeaderPaintsItemsInDisplayOrderWithFormatAndImageThenAFiller) {
  Fill(0);
  ImageList arrows(9, 5, ILC_MASK);
  SendHeader(HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&arrows));
  EXPECT_EQ(reinterpret_cast<HIMAGELIST>(SendHeader(HDM_GETIMAGELIST)), &arrows);
  HDITEMA hd;
  hd.mask = HDI_FORMAT | HDI_IMAGE;
  hd.fmt = HDF_LEFT | HDF_STRING | HDF_IMAGE | HDF_BITMAP_ON_RIGHT;
  hd.iImage = 1;
  ASSERT_TRUE(SendHeader(HDM_SETITEMA, 2, reinterpret_cast<LPARAM>(&hd)));
  hd.mask = HDI_FORMAT;
  hd.fmt = HDF_RIGHT | HDF_STRING | HDF_SORTUP;
  ASSERT_TRUE(SendHeader(HDM_SETITEMA, 0, reinterpret_cast<LPARAM>(&hd)));
  int order[] = {2, 0, 1};
  ASSERT_TRUE(Send(LVM_SETCOLUMNORDERARRAY, 3, order));

  RecordingDC dc(RECT{0, 0, 400, kHeaderHeight});
  SendHeader(WM_PAINT, reinterpret_cast<WPARAM>(static_cast<CDC*>(&dc)));
  auto items = dc.Of(RecordingDC::Kind::DrawHeaderItem);
  ASSERT_EQ(items.size(), 4u);
  EXPECT_EQ(items[0].text, "Mask");
  EXPECT_EQ(items[0].rect, (RECT{0, 0, 60, kHeaderHeight}));
  EXPECT_EQ(items[0].flags, static_cast<UINT>(HDF_STRING | HDF_IMAGE | HDF_BITMAP_ON_RIGHT));
  EXPECT_EQ(items[0].images, &arrows);
  EXPECT_EQ(items[0].image, 1);
  EXPECT_EQ(items[1].text, "Name");
  EXPECT_EQ(items[1].flags, static_cast<UINT>(HDF_RIGHT | HDF_STRING | HDF_SORTUP));
  EXPECT_EQ(items[2].text, "Address");
  EXPECT_EQ(items[3].text, "");
  EXPECT_EQ(items[3].rect, (RECT{240, 0, 400, kHeaderHeight}));
}

TEST_F(ListViewColumns, ColumnFormatChangeKeepsTheHeadersSortArrow) {
  Fill(0);
  HDITEMA hd;
  hd.mask = HDI_FORMAT;
  hd.fmt = HDF_STRING | HDF_SORTDOWN;
  SendHeader(HDM_SETITEMA, 1, reinterpret_cast<LPARAM>(&hd));
  LVCOLUMNA c;
  c.mask = LVCF_FMT;
  c.fmt = LVCFMT_CENTER;
  Send(LVM_SETCOLUMNA, 1, &c);
  SendHeader(HDM_GETITEMA, 1, reinterpret_cast<LPARAM>(&hd));
  EXPECT_EQ(hd.fmt, HDF_CENTER | HDF_STRING | HDF_SORTDOWN);
}

TEST_F(ListViewColumns, HeaderItemChangesAreAnnouncedToTheList) {
  Fill(0);
  parent.notes.clear();
  HDITEMA hd;
  hd.mask = HDI_WIDTH;
  hd.cxy = 77;
  // The list is the header's parent: the change reaches the list's procedure, which repaints.
  HWND header = Header();
  ASSERT_EQ(GetParent(header), list);
  list->pendingInvalidations.clear();
  ASSERT_TRUE(SendHeader(HDM_SETITEMA, 1, reinterpret_cast<LPARAM>(&hd)));
  EXPECT_EQ(ColumnWidth(1), 77);
  EXPECT_FALSE(list->pendingInvalidations.empty());
}

}  // namespace
}  // namespace listview_test
