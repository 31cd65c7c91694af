// Geometry and colours of a row's first column, recorded: the label box of owner-drawn rows
// by alignment, the icon area that custom draw fills after the control painted a row, and
// the refined hit test of owner-drawn rows.
#include <gtest/gtest.h>

#include "listctrl_fixture.h"
#include "platform/afx/CImageList.h"
#include "platform/afx/RecordingDC.h"

namespace {

// "forty" measures 40 pixels, any other text 300.
class FortyPixelDesktop final : public ScriptedDesktop {
 public:
  SIZE MeasureText(HFONT, const std::string& text) override {
    return SIZE{text == "forty" ? 40 : 300, 16};
  }
};

RECT ItemRect(ListFixture& f, int item, int code) {
  RECT r;
  r.left = code;
  f.Direct(LVM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&r));
  return r;
}

void SelectAndFocus(ListFixture& f, int item) {
  LVITEMA it;
  it.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  it.state = LVIS_SELECTED | LVIS_FOCUSED;
  f.Direct(LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&it));
}

TEST(OwnerDrawnLabelBox, FollowsTheFirstColumnsAlignmentInsideTheLabelRectangle) {
  struct Case {
    const char* name;
    int format;
    const char* text;
    LONG left, right;  // relative to the label rectangle's left edge
  };
  const Case cases[] = {
      {"left: text + 8", LVCFMT_LEFT, "forty", 0, 48},
      {"right: text + 8 at the right edge", LVCFMT_RIGHT, "forty", 52, 100},
      {"centre: text + 12 in the middle", LVCFMT_CENTER, "forty", 24, 76},
      {"centre, text too wide: cut to the label", LVCFMT_CENTER, "wide text", 0, 100},
      {"no single alignment: the whole label", LVCFMT_JUSTIFYMASK, "forty", 0, 100},
  };
  for (const Case& k : cases) {
    FortyPixelDesktop desktop;
    ListFixture f(LVS_REPORT | LVS_OWNERDRAWFIXED);
    f.InsertColumn(0, "Name", 100);
    f.InsertColumn(1, "IP", 80);
    f.InsertItem(0, 1, k.text);
    RECT label = ItemRect(f, 0, LVIR_LABEL);
    f.Send(LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(100 + 100 - (label.right - label.left), 0));
    label = ItemRect(f, 0, LVIR_LABEL);
    ASSERT_EQ(label.right - label.left, 100) << k.name;
    LVCOLUMNA col;
    col.mask = LVCF_FMT;
    col.fmt = k.format;
    f.Send(LVM_SETCOLUMNA, 0, reinterpret_cast<LPARAM>(&col));
    f.List().SetFirstColumnFormat(k.format);
    SelectAndFocus(f, 0);
    ::SetFocus(f.Hwnd());
    RecordingDC dc(RECT{0, 0, 800, 600});
    DRAWITEMSTRUCT dis;
    dis.itemID = 0;
    dis.hDC = &dc;
    dis.hwndItem = f.Hwnd();
    dis.rcItem = ItemRect(f, 0, LVIR_BOUNDS);
    ::SendMessage(f.parent.m_hWnd, WM_DRAWITEM, 7, reinterpret_cast<LPARAM>(&dis));
    ::SetFocus(nullptr);
    const RECT box{label.left + k.left, label.top, label.left + k.right, label.bottom};
    const auto selections = dc.Of(RecordingDC::Kind::DrawSelectionBackground);
    ASSERT_EQ(selections.size(), 1u) << k.name;
    EXPECT_EQ(selections[0].rect, box) << k.name;
    const auto focus = dc.Of(RecordingDC::Kind::DrawFocusRect);
    ASSERT_EQ(focus.size(), 1u) << k.name;
    EXPECT_EQ(focus[0].rect, box) << k.name;
  }
}

TEST(IconAreaPostPaint, FillsLeftOfTheLabelInTheColourOfTheRowsState) {
  const COLORREF highlight = RGB(0, 120, 215), buttonFace = RGB(240, 240, 240);
  struct Case {
    const char* name;
    bool columnZeroMoved;  // displayed second, so not leftmost
    bool selected, focus, showSelAlways, tintColumnZero;
    int image;
    int expect;  // 0 background, 1 highlight, 2 button face, 3 tint
  };
  const Case cases[] = {
      {"moved, selected in a focused list", true, true, true, false, false, 1, 1},
      {"moved, selected, no focus, selection shown", true, true, false, true, false, 1, 2},
      {"moved, selected, no focus, selection hidden", true, true, false, false, false, 1, 0},
      {"moved, not selected, column 0 sorted and tinted", true, false, true, false, true, 1, 3},
      {"leftmost, selected in a focused list", false, true, true, false, false, 1, 0},
      {"leftmost, column 0 tinted, image index 0", false, false, false, false, true, 0, 3},
  };
  for (const Case& k : cases) {
    ScriptedDesktop desktop;
    ListFixture f(LVS_REPORT | (k.showSelAlways ? LVS_SHOWSELALWAYS : 0));
    f.InsertColumn(0, "Name", 100);
    f.InsertColumn(1, "IP", 80);
    f.Send(LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    ImageList small(16, 16, ILC_COLOR24);
    small.Add(nullptr);
    small.Add(nullptr);
    f.Send(LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(&small));
    f.InsertItem(0, 1, "row");
    LVITEMA image;
    image.mask = LVIF_IMAGE;
    image.iItem = 0;
    image.iImage = k.image;
    f.Send(LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&image));
    if (k.columnZeroMoved) {
      std::vector<int> order = {1, 0};
      f.Send(LVM_SETCOLUMNORDERARRAY, 2, reinterpret_cast<LPARAM>(order.data()));
    }
    if (k.tintColumnZero) {
      f.List().SetSortState(1);
      f.List().EnableSortTint(true);
    }
    if (k.selected) SelectAndFocus(f, 0);
    if (k.focus) ::SetFocus(f.Hwnd());
    RecordingDC dc(RECT{0, 0, 800, 600});
    NMLVCUSTOMDRAW cd;
    cd.nmcd.hdr.hwndFrom = f.Hwnd();
    cd.nmcd.hdr.code = static_cast<UINT>(NM_CUSTOMDRAW);
    cd.nmcd.dwDrawStage = CDDS_SUBITEM | CDDS_ITEMPOSTPAINT;
    cd.nmcd.hdc = &dc;
    cd.nmcd.dwItemSpec = 0;
    cd.iSubItem = 0;
    LRESULT result = -1;
    f.List().OnCustomDraw(&cd.nmcd.hdr, &result);
    ::SetFocus(nullptr);
    EXPECT_EQ(result, CDRF_DODEFAULT) << k.name;
    const COLORREF bk = static_cast<COLORREF>(f.Send(LVM_GETBKCOLOR));
    const COLORREF want[] = {bk, highlight, buttonFace, f.List().m_clrSortTint};
    RECT header0;
    ::SendMessage(f.Header(), HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&header0));
    const RECT label = ItemRect(f, 0, LVIR_LABEL);
    const auto fills = dc.Of(RecordingDC::Kind::FillSolidRect);
    ASSERT_EQ(fills.size(), 1u) << k.name;
    EXPECT_EQ(fills[0].rect, (RECT{header0.left, label.top, label.left, label.bottom})) << k.name;
    EXPECT_EQ(fills[0].color, want[k.expect]) << k.name;
    const auto icons = dc.Of(RecordingDC::Kind::DrawImage);
    ASSERT_EQ(icons.size(), k.image > 0 ? 1u : 0u) << k.name;
    if (k.image > 0) {
      EXPECT_EQ(icons[0].image, k.image) << k.name;
      EXPECT_EQ(icons[0].flags, k.selected && k.focus ? ILD_SELECTED : ILD_NORMAL) << k.name;
    }
    f.Send(LVM_SETIMAGELIST, LVSIL_SMALL, 0);
  }
}

TEST(OwnerDrawnHitTest, RefinesTheControlsWholeItemAnswer) {
  ScriptedDesktop desktop;
  ListFixture f(LVS_REPORT | LVS_OWNERDRAWFIXED);
  f.InsertColumn(0, "Name", 120);
  f.InsertColumn(1, "IP", 80);
  f.Send(LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_CHECKBOXES, LVS_EX_CHECKBOXES);
  ImageList small(16, 16, ILC_COLOR24);
  small.Add(nullptr);
  f.Send(LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(&small));
  f.InsertItem(0, 1, "first");
  f.InsertItem(1, 2, "second");
  RECT state, icon, label;
  ASSERT_TRUE(f.List().StateImageBounds(1, &state));
  ASSERT_TRUE(f.List().CellBounds(1, 0, 1, &icon));
  ASSERT_TRUE(f.List().CellBounds(1, 0, 2, &label));
  ASSERT_LT(state.left, state.right);
  ASSERT_LT(icon.left, icon.right);
  const RECT bounds = ItemRect(f, 1, LVIR_BOUNDS);
  const LONG y = label.top + 1;
  struct Case {
    const char* name;
    POINT pt;
    UINT flags;
    int item;
  };
  const Case cases[] = {
      {"label", {label.left, y}, LVHT_ONITEMLABEL, 1},
      {"icon", {icon.left, y}, LVHT_ONITEMICON, 1},
      {"state image", {state.left, y}, LVHT_ONITEMSTATEICON, 1},
      {"within the state gap", {0, y}, LVHT_NOWHERE, 1},
      {"second column", {150, y}, LVHT_ONITEM, 1},
      {"right of the last column", {bounds.right + 5, y}, LVHT_NOWHERE, -1},
  };
  for (const Case& k : cases) {
    LVHITTESTINFO info;
    info.pt = k.pt;
    const LRESULT r = f.Send(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.flags, k.flags) << k.name;
    EXPECT_EQ(r, k.item) << k.name;
  }
  f.Send(LVM_SETIMAGELIST, LVSIL_SMALL, 0);
}

TEST(OwnerDrawnStateImage, ShowsTheCheckMarkAsTheControlHoldsItRightAfterAClick) {
  ScriptedDesktop desktop;
  ListFixture f(LVS_REPORT | LVS_OWNERDRAWFIXED);
  f.InsertColumn(0, "Name", 120);
  f.Send(LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_CHECKBOXES, LVS_EX_CHECKBOXES);
  f.InsertItem(0, 1, "first");
  const auto states = reinterpret_cast<HIMAGELIST>(f.Direct(LVM_GETIMAGELIST, LVSIL_STATE));
  ASSERT_NE(states, nullptr);
  auto paintedStateImages = [&] {
    RecordingDC dc(RECT{0, 0, 800, 600});
    DRAWITEMSTRUCT dis;
    dis.itemID = 0;
    dis.hDC = &dc;
    dis.hwndItem = f.Hwnd();
    dis.rcItem = ItemRect(f, 0, LVIR_BOUNDS);
    ::SendMessage(f.parent.m_hWnd, WM_DRAWITEM, 7, reinterpret_cast<LPARAM>(&dis));
    std::vector<int> shown;
    for (const auto& r : dc.Of(RecordingDC::Kind::DrawImage))
      if (r.images == states) shown.push_back(r.image);
    return shown;
  };
  EXPECT_EQ(paintedStateImages(), std::vector<int>{0});  // unchecked: image 1
  RECT box;
  ASSERT_TRUE(f.List().StateImageBounds(0, &box));
  f.Send(WM_LBUTTONDOWN, 0, MAKELPARAM(box.left, box.top + 1));
  f.Send(WM_LBUTTONUP, 0, MAKELPARAM(box.left, box.top + 1));
  EXPECT_EQ(paintedStateImages(), std::vector<int>{1});  // checked: image 2
}

}  // namespace
