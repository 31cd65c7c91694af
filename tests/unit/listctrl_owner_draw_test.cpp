// Owner-drawn rows painted by the extension: selection and focus looks, cell backgrounds, the
// label box and the tinted sort column, recorded.
#include <gtest/gtest.h>

#include "listctrl_fixture.h"
#include "platform/afx/RecordingDC.h"

namespace {

class OwnerDrawnRows : public ::testing::Test {
 protected:
  explicit OwnerDrawnRows(DWORD extra = 0) : f(LVS_REPORT | LVS_OWNERDRAWFIXED | extra) {
    f.InsertColumn(0, "Name", 100);
    f.InsertColumn(1, "IP", 80);
    f.InsertColumn(2, "Mask", 80);
    f.InsertItem(0, 1, "abc");
    f.SetText(0, 1, "10.0.0.1");
    f.SetText(0, 2, "255.0.0.0");
  }
  ~OwnerDrawnRows() override { ::SetFocus(nullptr); }
  void Select(int item) {
    LVITEMA it;
    it.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    it.state = LVIS_SELECTED | LVIS_FOCUSED;
    f.Direct(LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&it));
  }
  RECT ItemRect(int code) {
    RECT r;
    r.left = code;
    f.Direct(LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
    return r;
  }
  // Paints row 0 as the control asks its owner to.
  RecordingDC PaintRow() {
    RecordingDC dc(RECT{0, 0, 800, 600});
    DRAWITEMSTRUCT dis;
    dis.itemID = 0;
    dis.hDC = &dc;
    dis.hwndItem = f.Hwnd();
    dis.rcItem = ItemRect(LVIR_BOUNDS);
    ::SendMessage(f.parent.m_hWnd, WM_DRAWITEM, 7, reinterpret_cast<LPARAM>(&dis));
    return dc;
  }
  ListFixture f;
};

TEST_F(OwnerDrawnRows, SelectedRowWithoutFullRowHighlightsOnlyTheLabelBox) {
  Select(0);
  ::SetFocus(f.Hwnd());
  const RecordingDC dc = PaintRow();
  const RECT label = ItemRect(LVIR_LABEL);
  const auto selections = dc.Of(RecordingDC::Kind::DrawSelectionBackground);
  ASSERT_EQ(selections.size(), 1u);
  const LONG textWidth = 7 * 3;  // "abc" in the test metrics
  const RECT box{label.left, label.top, label.left + textWidth + 8, label.bottom};
  EXPECT_EQ(selections[0].rect, box);
  EXPECT_EQ(selections[0].color, GetSysColor(COLOR_HIGHLIGHT));
  const auto focus = dc.Of(RecordingDC::Kind::DrawFocusRect);
  ASSERT_EQ(focus.size(), 1u);
  EXPECT_EQ(focus[0].rect, box);
  // The other cells keep the list's background.
  const COLORREF bk = static_cast<COLORREF>(f.Send(LVM_GETBKCOLOR));
  int plainCells = 0;
  for (const auto& r : dc.Of(RecordingDC::Kind::FillSolidRect))
    if (r.color == bk && r.rect.left >= label.right) ++plainCells;
  EXPECT_EQ(plainCells, 2);
  const auto texts = dc.Of(RecordingDC::Kind::DrawText);
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[0].text, "abc");
  EXPECT_EQ(texts[0].flags, 0x8924u);
  EXPECT_EQ(texts[1].text, "10.0.0.1");
}

TEST_F(OwnerDrawnRows, FullRowSelectHighlightsEveryCellButTheIconArea) {
  f.Send(LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  Select(0);
  ::SetFocus(f.Hwnd());
  const RecordingDC dc = PaintRow();
  const auto selections = dc.Of(RecordingDC::Kind::DrawSelectionBackground);
  ASSERT_EQ(selections.size(), 3u);
  const RECT label = ItemRect(LVIR_LABEL);
  EXPECT_EQ(selections[0].rect.left, label.left);
  EXPECT_EQ(selections[1].rect.left, 100);
  EXPECT_EQ(selections[2].rect.right, 260);
}

TEST_F(OwnerDrawnRows, SelectionWithoutFocusShowsOnlyWithShowSelectionAlways) {
  Select(0);
  RecordingDC hidden = PaintRow();
  EXPECT_EQ(hidden.Count(RecordingDC::Kind::DrawSelectionBackground), 0u);
  EXPECT_EQ(hidden.Count(RecordingDC::Kind::DrawFocusRect), 0u);
  SetWindowStyle(f.Hwnd(), GetWindowStyle(f.Hwnd()) | LVS_SHOWSELALWAYS);
  RecordingDC shown = PaintRow();
  const auto selections = shown.Of(RecordingDC::Kind::DrawSelectionBackground);
  ASSERT_EQ(selections.size(), 1u);
  EXPECT_EQ(selections[0].color, GetSysColor(COLOR_BTNFACE));
}

TEST_F(OwnerDrawnRows, SortColumnCellsTakeTheTintUnlessHidden) {
  f.List().SetSortState(2);
  f.List().EnableSortTint(true);
  const COLORREF tint = f.List().m_clrSortTint;
  RecordingDC dc = PaintRow();
  int tinted = 0;
  for (const auto& r : dc.Of(RecordingDC::Kind::FillSolidRect))
    if (r.color == tint) {
      ++tinted;
      EXPECT_EQ(r.rect.left, 100);
      EXPECT_EQ(r.rect.right, 180);
    }
  EXPECT_EQ(tinted, 1);
  f.Send(WM_COMMAND, 1, 0);
  RecordingDC hidden = PaintRow();
  for (const auto& r : hidden.Of(RecordingDC::Kind::FillSolidRect)) EXPECT_NE(r.color, tint);
}

TEST_F(OwnerDrawnRows, CentredFirstColumnCentresTheLabelBox) {
  LVCOLUMNA col;
  col.mask = LVCF_FMT;
  col.fmt = LVCFMT_CENTER;
  f.Send(LVM_SETCOLUMNA, 0, reinterpret_cast<LPARAM>(&col));
  f.List().SetFirstColumnFormat(LVCFMT_CENTER);
  Select(0);
  ::SetFocus(f.Hwnd());
  const RecordingDC dc = PaintRow();
  const RECT label = ItemRect(LVIR_LABEL);
  const auto selections = dc.Of(RecordingDC::Kind::DrawSelectionBackground);
  ASSERT_EQ(selections.size(), 1u);
  const LONG width = 21 + 12;
  const LONG left = label.left + ((label.right - label.left) - width) / 2;
  EXPECT_EQ(selections[0].rect.left, left);
  EXPECT_EQ(selections[0].rect.right, left + width);
}

}  // namespace
