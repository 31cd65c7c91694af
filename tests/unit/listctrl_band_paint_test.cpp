// What the sort presentation paints, recorded: the tinted band of the background erase, the
// tinted cells of the control's own painting, and the header's arrow images.
#include <gtest/gtest.h>

#include "listctrl_fixture.h"
#include "platform/afx/RecordingDC.h"

namespace {

RECT HeaderItemRect(ListFixture& f, int item) {
  RECT r{};
  ::SendMessage(f.Header(), HDM_GETITEMRECT, static_cast<WPARAM>(item),
                reinterpret_cast<LPARAM>(&r));
  return r;
}

class SortBand : public ::testing::Test {
 protected:
  SortBand() {
    for (int c = 0; c < 4; ++c) f.InsertColumn(c, "C" + std::to_string(c), 60 + 10 * c);
    for (int i = 0; i < 3; ++i) {
      f.InsertItem(i, i, "row");
      for (int c = 1; c < 4; ++c) f.SetText(i, c, "cell");
    }
  }
  ListFixture f;
};

TEST_F(SortBand, EraseFillsTheBandUnderTheSortColumnOverTheWholeHeight) {
  struct Case {
    const char* name;
    std::vector<int> hidden;
    int sortState;
    int scroll;
    int headerItem;  // -1: no band
  };
  const Case cases[] = {
      {"sort column 1 visible", {}, 2, 0, 1},
      {"scrolled by 30", {}, 2, 30, 1},
      {"columns 0 and 1 hidden, sort column 3", {0, 1}, -4, 0, 1},
      {"sort column hidden", {2}, 3, 0, -1},
      {"no sort column", {}, 0, 0, -1},
  };
  for (const Case& k : cases) {
    ListFixture g;
    for (int c = 0; c < 4; ++c) g.InsertColumn(c, "C", 60 + 10 * c);
    for (int c : k.hidden) g.Send(WM_COMMAND, static_cast<WPARAM>(c), 0);
    g.List().SetSortState(k.sortState);
    g.List().EnableSortTint(true);
    ::SetScrollPos(g.Hwnd(), SB_HORZ, k.scroll);
    const COLORREF tint = g.List().m_clrSortTint;
    const COLORREF bk = static_cast<COLORREF>(g.Send(LVM_GETBKCOLOR));
    RecordingDC dc(RECT{0, 40, 800, 500});
    g.Send(WM_ERASEBKGND, reinterpret_cast<WPARAM>(&dc));
    const auto fills = dc.Of(RecordingDC::Kind::FillSolidRect);
    if (k.headerItem < 0) {
      for (const auto& r : fills) {
        EXPECT_NE(r.color, tint) << k.name;
      }
      continue;
    }
    const RECT item = HeaderItemRect(g, k.headerItem);
    const LONG left = item.left - k.scroll, right = item.right - k.scroll;
    ASSERT_EQ(fills.size(), left > 0 ? 3u : 2u) << k.name;
    size_t at = 0;
    if (left > 0) {
      EXPECT_EQ(fills[at].rect, (RECT{0, 40, left, 500})) << k.name;
      EXPECT_EQ(fills[at++].color, bk) << k.name;
    }
    EXPECT_EQ(fills[at].rect, (RECT{left, 40, right, 500})) << k.name;
    EXPECT_EQ(fills[at++].color, tint) << k.name;
    EXPECT_EQ(fills[at].rect, (RECT{right, 40, 800, 500})) << k.name;
    EXPECT_EQ(fills[at].color, bk) << k.name;
  }
}

TEST_F(SortBand, ControlPaintsOnlyTheSortColumnsCellsInTheTint) {
  f.List().SetSortState(3);
  f.List().EnableSortTint(true);
  const COLORREF tint = f.List().m_clrSortTint;
  const RECT band = HeaderItemRect(f, 2);
  RecordingDC dc(RECT{0, 0, 800, 600});
  f.Send(WM_PAINT, reinterpret_cast<WPARAM>(&dc));
  int tintedCells = 0;
  for (const auto& r : dc.records) {
    if (r.kind != RecordingDC::Kind::FillSolidRect || r.color != tint) continue;
    // Every tinted area lies inside the band.
    EXPECT_GE(r.rect.left, band.left);
    EXPECT_LE(r.rect.right, band.right);
    if (r.rect.bottom - r.rect.top < 100) ++tintedCells;
  }
  EXPECT_GE(tintedCells, 3);
  // Switched off: nothing is tinted.
  f.List().EnableSortTint(false);
  dc.Clear();
  f.Send(WM_PAINT, reinterpret_cast<WPARAM>(&dc));
  for (const auto& r : dc.records)
    if (r.kind == RecordingDC::Kind::FillSolidRect) {
      EXPECT_NE(r.color, tint);
    }
}

TEST_F(SortBand, HeaderDrawsTheNativeSortFlag) {
  f.List().m_bShowSortIndicator = TRUE;
  f.List().SetSortState(-2);
  RecordingDC dc;
  ::SendMessage(f.Header(), WM_PAINT, reinterpret_cast<WPARAM>(&dc), 0);
  const auto items = dc.Of(RecordingDC::Kind::DrawHeaderItem);
  ASSERT_GE(items.size(), 4u);
  EXPECT_EQ(items[1].flags & (HDF_SORTUP | HDF_SORTDOWN), static_cast<UINT>(HDF_SORTDOWN));
  EXPECT_EQ(items[0].flags & (HDF_SORTUP | HDF_SORTDOWN), 0u);
}

TEST_F(SortBand, OlderHeaderDrawsTheArrowImageOnTheRight) {
  CListBase::s_nCommonControlsLevel = 1;
  f.List().m_bShowSortIndicator = TRUE;
  f.List().BuildArrowImages();
  ::SendMessage(f.Header(), HDM_SETIMAGELIST, 0,
                reinterpret_cast<LPARAM>(f.List().m_imlArrows.GetSafeHandle()));
  f.List().SetSortState(3);
  RecordingDC dc;
  ::SendMessage(f.Header(), WM_PAINT, reinterpret_cast<WPARAM>(&dc), 0);
  CListBase::s_nCommonControlsLevel = 2;
  const auto items = dc.Of(RecordingDC::Kind::DrawHeaderItem);
  ASSERT_GE(items.size(), 4u);
  EXPECT_EQ(items[2].flags & 0x5800u, 0x5800u);
  EXPECT_EQ(items[2].images, f.List().m_imlArrows.GetSafeHandle());
  EXPECT_EQ(items[2].image, f.List().m_nAscImage);
  EXPECT_EQ(items[1].flags & (HDF_IMAGE | HDF_BITMAP_ON_RIGHT), 0u);
}

TEST_F(SortBand, PostPaintRefillsTheIconAreaInTheTintWhenColumnZeroIsSorted) {
  f.List().SetSortState(1);
  f.List().EnableSortTint(true);
  ImageList small(16, 16, ILC_COLOR24);
  f.Send(LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(&small));
  RecordingDC dc(RECT{0, 0, 800, 600});
  f.Send(WM_PAINT, reinterpret_cast<WPARAM>(&dc));
  RECT label;
  label.left = LVIR_LABEL;
  f.Direct(LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&label));
  bool iconAreaTinted = false;
  for (const auto& r : dc.Of(RecordingDC::Kind::FillSolidRect))
    if (r.color == f.List().m_clrSortTint && r.rect.left == 0 && r.rect.right == label.left &&
        r.rect.top == label.top)
      iconAreaTinted = true;
  EXPECT_TRUE(iconAreaTinted);
  f.Send(LVM_SETIMAGELIST, LVSIL_SMALL, 0);
}

}  // namespace
