// Sort indicators in the header, arrow images for headers without sort flags, the sort-column
// tint, its band and cell colours, and the events that bring them up to date.
#include <gtest/gtest.h>

#include "listctrl_fixture.h"
#include "platform/afx/RecordingDC.h"

namespace {

int HeaderFormat(ListFixture& f, int item, int* image = nullptr) {
  HDITEMA h;
  h.mask = HDI_FORMAT | HDI_IMAGE;
  ::SendMessage(f.Header(), HDM_GETITEMA, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&h));
  if (image != nullptr) *image = h.iImage;
  return h.fmt;
}

void InsertFormatted(ListFixture& f, int count) {
  const int formats[] = {LVCFMT_LEFT, LVCFMT_RIGHT, LVCFMT_CENTER, LVCFMT_RIGHT};
  for (int c = 0; c < count; ++c) {
    char title[] = "T";
    LVCOLUMNA col;
    col.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH;
    col.fmt = formats[c % 4];
    col.cx = 50;
    col.pszText = title;
    f.Send(LVM_INSERTCOLUMNA, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&col));
    f.List().Column(c).m_bCanHide = true;
  }
}

TEST(SortIndicators, NativeFlagsOnTheSortColumnOnlyWithJustificationKept) {
  ListFixture f;
  InsertFormatted(f, 4);
  f.List().m_bShowSortIndicator = TRUE;
  f.List().SetSortState(2);
  EXPECT_EQ(HeaderFormat(f, 0), HDF_STRING | HDF_LEFT);
  EXPECT_EQ(HeaderFormat(f, 1), HDF_STRING | HDF_RIGHT | HDF_SORTUP);
  EXPECT_EQ(HeaderFormat(f, 2), HDF_STRING | HDF_CENTER);
  f.List().m_bShowSortIndicator = FALSE;
  f.List().ApplySortIndicators();
  for (int k = 0; k < 4; ++k) EXPECT_EQ(HeaderFormat(f, k) & (HDF_SORTUP | HDF_SORTDOWN), 0);
}

TEST(SortIndicators, DescendingIndicatorOnTheControlIndexOfTheSortColumn) {
  ListFixture f;
  InsertFormatted(f, 4);
  f.List().m_bShowSortIndicator = TRUE;
  f.Send(WM_COMMAND, 1, 0);
  f.List().SetSortState(-3);
  EXPECT_EQ(HeaderFormat(f, 1), HDF_STRING | HDF_CENTER | HDF_SORTDOWN);
  EXPECT_EQ(HeaderFormat(f, 2) & HDF_SORTDOWN, 0);
  // Hiding the sort column removes its arrow; showing it brings the arrow back.
  f.Send(WM_COMMAND, 2, 0);
  for (int k = 0; k < f.HeaderCount(); ++k)
    EXPECT_EQ(HeaderFormat(f, k) & (HDF_SORTUP | HDF_SORTDOWN), 0);
  f.Send(WM_COMMAND, 2, 0);
  EXPECT_EQ(HeaderFormat(f, 1), HDF_STRING | HDF_CENTER | HDF_SORTDOWN);
}

// Headers without sort flags: level 1 for the lists made while it is set.
class OlderHeader : public ::testing::Test {
 protected:
  OlderHeader() { CListBase::s_nCommonControlsLevel = 1; }
  ~OlderHeader() override { CListBase::s_nCommonControlsLevel = 2; }
};

TEST_F(OlderHeader, ArrowImagesAreGreyNineByFiveFiguresOnTransparentGround) {
  ScriptedDesktop desktop;
  desktop.grayText = RGB(10, 20, 30);
  ListFixture f;
  f.List().BuildArrowImages();
  HIMAGELIST arrows = f.List().m_imlArrows.GetSafeHandle();
  ASSERT_NE(arrows, nullptr);
  ASSERT_EQ(arrows->Count(), 2);
  const ImageResource* up = arrows->Image(f.List().m_nAscImage);
  const ImageResource* down = arrows->Image(f.List().m_nDescImage);
  ASSERT_TRUE(up != nullptr && down != nullptr);
  ASSERT_EQ(up->width, 9);
  ASSERT_EQ(up->height, 5);
  const std::uint32_t grey = 0xFF0A141Eu;
  const char* rows[5] = {"....X....", "...XXX...", "..XXXXX..", ".XXXXXXX.", "XXXXXXXXX"};
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 9; ++x) {
      const std::uint32_t expectUp = rows[y][x] == 'X' ? grey : 0u;
      const std::uint32_t expectDown = rows[4 - y][x] == 'X' ? grey : 0u;
      EXPECT_EQ(up->argb[static_cast<size_t>(y * 9 + x)], expectUp) << x << "," << y;
      EXPECT_EQ(down->argb[static_cast<size_t>(y * 9 + x)], expectDown) << x << "," << y;
    }
  f.List().BuildArrowImages();  // once only
  EXPECT_EQ(f.List().m_imlArrows.GetSafeHandle(), arrows);
}

TEST_F(OlderHeader, SortColumnGetsArrowImageOnTheRight) {
  ListFixture f;
  InsertFormatted(f, 3);
  f.List().BuildArrowImages();
  ::SendMessage(f.Header(), HDM_SETIMAGELIST, 0,
                reinterpret_cast<LPARAM>(f.List().m_imlArrows.GetSafeHandle()));
  f.List().m_bShowSortIndicator = TRUE;
  f.List().SetSortState(-2);
  int image = -1;
  EXPECT_EQ(HeaderFormat(f, 1, &image), HDF_RIGHT | 0x5800);
  EXPECT_EQ(image, f.List().m_nDescImage);
  EXPECT_EQ(HeaderFormat(f, 0), HDF_STRING);
  f.List().SetSortState(3);
  EXPECT_EQ(HeaderFormat(f, 2, &image), HDF_CENTER | 0x5800);
  EXPECT_EQ(image, f.List().m_nAscImage);
  EXPECT_EQ(HeaderFormat(f, 1), HDF_RIGHT | HDF_STRING);
  // A new small image list does not take the arrows away from the header.
  ImageList small(16, 16, ILC_COLOR24);
  f.Send(LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(&small));
  EXPECT_EQ(::SendMessage(f.Header(), HDM_GETIMAGELIST, 0, 0),
            reinterpret_cast<LRESULT>(f.List().m_imlArrows.GetSafeHandle()));
  f.Send(LVM_SETIMAGELIST, LVSIL_SMALL, 0);
}

TEST_F(OlderHeader, SystemColourChangeRebuildsArrowsInTheNewGrey) {
  ScriptedDesktop desktop;
  ListFixture f;
  InsertFormatted(f, 2);
  f.List().BuildArrowImages();
  desktop.grayText = RGB(200, 0, 0);
  f.Send(WM_SYSCOLORCHANGE);
  HIMAGELIST arrows = f.List().m_imlArrows.GetSafeHandle();
  ASSERT_NE(arrows, nullptr);
  EXPECT_EQ(arrows->Image(f.List().m_nAscImage)->argb[4], 0xFFC80000u);
  EXPECT_EQ(::SendMessage(f.Header(), HDM_GETIMAGELIST, 0, 0), reinterpret_cast<LRESULT>(arrows));
}

TEST(SortTint, ColourIsDerivedFromTheBackground) {
  struct Case {
    COLORREF background, tint;
  };
  const Case cases[] = {
      {RGB(255, 255, 255), RGB(247, 247, 247)}, {RGB(192, 192, 192), RGB(211, 211, 211)},
      {RGB(240, 240, 240), RGB(255, 255, 255)}, {RGB(0, 0, 0), RGB(0, 0, 0)},
      {RGB(241, 250, 255), RGB(233, 242, 247)}, {RGB(241, 100, 231), RGB(255, 110, 254)},
      {RGB(10, 232, 231), RGB(11, 255, 254)},
  };
  for (const Case& k : cases) {
    ListFixture f;
    f.InsertColumn(0, "A", 60);
    f.List().SetSortState(1);
    f.Send(LVM_SETBKCOLOR, 0, static_cast<LPARAM>(k.background));
    f.List().EnableSortTint(true);
    EXPECT_TRUE(f.List().m_bTintSortColumn);
    EXPECT_EQ(f.List().m_clrSortTint, k.tint) << std::hex << k.background;
    // Painted, not only computed: the band under the column is filled with it.
    RecordingDC dc(RECT{0, 0, 200, 100});
    f.Send(WM_ERASEBKGND, reinterpret_cast<WPARAM>(&dc));
    const auto fills = dc.Of(RecordingDC::Kind::FillSolidRect);
    ASSERT_FALSE(fills.empty());
    EXPECT_EQ(fills[0].rect, (RECT{0, 0, 60, 100}));
    EXPECT_EQ(fills[0].color, k.tint) << std::hex << k.background;
  }
}

TEST(SortTint, SwitchingOnTwiceRepaintsOnceAndLowColourKeepsItOff) {
  ScriptedDesktop desktop;
  ListFixture f;
  f.Hwnd()->pendingInvalidations.clear();
  f.List().EnableSortTint(true);
  f.List().EnableSortTint(true);
  EXPECT_EQ(f.Hwnd()->pendingInvalidations.size(), 1u);
  f.List().EnableSortTint(false);
  desktop.bitsPerPixel = 8;
  f.Hwnd()->pendingInvalidations.clear();
  f.List().EnableSortTint(true);
  EXPECT_FALSE(f.List().m_bTintSortColumn);
  EXPECT_TRUE(f.Hwnd()->pendingInvalidations.empty());
  f.InsertColumn(0, "A", 60);
  f.List().SetSortState(1);
  RecordingDC dc(RECT{0, 0, 200, 100});
  f.Send(WM_ERASEBKGND, reinterpret_cast<WPARAM>(&dc));
  for (const auto& fill : dc.Of(RecordingDC::Kind::FillSolidRect)) {
    EXPECT_EQ(fill.color, static_cast<COLORREF>(f.Send(LVM_GETBKCOLOR)));
  }
}

TEST(SortTint, FollowsBackgroundAndSystemColourChanges) {
  ScriptedDesktop desktop;
  ListFixture f;
  f.List().EnableSortTint(true);
  f.Send(LVM_SETBKCOLOR, 0, static_cast<LPARAM>(RGB(192, 192, 192)));
  EXPECT_EQ(f.List().m_clrSortTint, RGB(211, 211, 211));
  desktop.bitsPerPixel = 8;
  f.Send(WM_SYSCOLORCHANGE);
  EXPECT_FALSE(f.List().m_bTintSortColumn);
  desktop.bitsPerPixel = 32;
  f.Send(WM_SYSCOLORCHANGE);
  EXPECT_FALSE(f.List().m_bTintSortColumn);  // off stays off
}

LRESULT CustomDraw(ListFixture& f, DWORD stage, int subItem, COLORREF* textBk) {
  NMLVCUSTOMDRAW cd;
  cd.nmcd.hdr.hwndFrom = f.Hwnd();
  cd.nmcd.hdr.idFrom = 7;
  cd.nmcd.hdr.code = NM_CUSTOMDRAW;
  cd.nmcd.dwDrawStage = stage;
  cd.iSubItem = subItem;
  cd.clrTextBk = RGB(1, 2, 3);
  const LRESULT r = ::SendMessage(f.parent.m_hWnd, WM_NOTIFY, 7, reinterpret_cast<LPARAM>(&cd));
  if (textBk != nullptr) *textBk = cd.clrTextBk;
  return r;
}

TEST(SortTint, CustomDrawTintsTheSortColumnsCellsOnly) {
  ListFixture f;
  InsertFormatted(f, 4);
  f.Send(WM_COMMAND, 0, 0);
  f.Send(WM_COMMAND, 1, 0);
  f.List().SetSortState(4);  // column number 3: control index 1
  f.List().EnableSortTint(true);
  const COLORREF tint = f.List().m_clrSortTint;
  const COLORREF bk = static_cast<COLORREF>(f.Send(LVM_GETBKCOLOR));
  COLORREF textBk = 0;
  EXPECT_EQ(CustomDraw(f, CDDS_PREPAINT, 0, nullptr), CDRF_NOTIFYITEMDRAW);
  EXPECT_EQ(CustomDraw(f, CDDS_ITEMPREPAINT, 0, nullptr), CDRF_NOTIFYSUBITEMDRAW);
  EXPECT_EQ(CustomDraw(f, CDDS_SUBITEMPREPAINT, 1, &textBk), CDRF_NEWFONT);
  EXPECT_EQ(textBk, tint);
  EXPECT_EQ(CustomDraw(f, CDDS_SUBITEMPREPAINT, 0, &textBk), CDRF_NEWFONT | CDRF_NOTIFYPOSTPAINT);
  EXPECT_EQ(textBk, bk);
  // Sort column hidden: no cell is tinted.
  f.Send(WM_COMMAND, 3, 0);
  CustomDraw(f, CDDS_SUBITEMPREPAINT, 1, &textBk);
  EXPECT_EQ(textBk, bk);
  // Tint off: cells keep their default background.
  f.List().EnableSortTint(false);
  EXPECT_EQ(CustomDraw(f, CDDS_SUBITEMPREPAINT, 1, &textBk), CDRF_DODEFAULT);
  EXPECT_EQ(textBk, RGB(1, 2, 3));
}

TEST(SortTint, DividerDragRepaintsTheAreasOutsideTheItems) {
  ListFixture f;
  InsertFormatted(f, 2);
  for (int i = 0; i < 2; ++i) f.InsertItem(i, i, "x");
  f.List().SetSortState(1);
  f.List().EnableSortTint(true);
  f.Hwnd()->pendingInvalidations.clear();
  NMHEADERA nm;
  nm.hdr.hwndFrom = f.Header();
  nm.hdr.code = HDN_ENDTRACKA;
  nm.iItem = 0;
  f.Send(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&nm));
  bool below = false;
  for (const auto& inv : f.Hwnd()->pendingInvalidations)
    if (!inv.whole && inv.rect.bottom == 600 && inv.erase) below = true;
  EXPECT_TRUE(below);
}

TEST(SortTint, EmptyListRepaintsNothingOutsideItems) {
  ListFixture f;
  InsertFormatted(f, 2);
  f.List().SetSortState(1);
  f.Hwnd()->pendingInvalidations.clear();
  f.List().RepaintOutsideItems();
  EXPECT_TRUE(f.Hwnd()->pendingInvalidations.empty());
}

}  // namespace
