// Painting of the list-view control through the recording device context.
#include "listview_fixture.h"
#include "platform/afx/CFont.h"
#include "platform/afx/CListView.h"

namespace listview_test {
namespace {

using Kind = RecordingDC::Kind;
using ListViewPaint = ListViewTest;

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBand = RGB(1, 2, 3);

std::vector<std::string> Texts(const RecordingDC& dc) {
  std::vector<std::string> out;
  for (const auto& r : dc.Of(Kind::DrawText)) out.push_back(r.text);
  return out;
}

TEST_F(ListViewPaint, OnlyTheRowsInTheClipBoxArePainted) {
  Fill(1000);
  Send(WM_VSCROLL, MAKELPARAM(SB_THUMBPOSITION, 500));
  // Row 2 of the page lies at y 64..84.
  RecordingDC dc(RECT{0, 66, 400, 82});
  Paint(dc);
  EXPECT_EQ(Texts(dc), (std::vector<std::string>{"r502", "r502.1", "r502.2"}));
  RecordingDC whole(RECT{0, 0, 400, 300});
  Paint(whole);
  // 13 whole rows and one cut by the bottom edge.
  EXPECT_EQ(whole.Count(Kind::DrawText), 14u * 3u);
  EXPECT_EQ(Texts(whole).front(), "r500");
  EXPECT_EQ(Texts(whole).back(), "r513.2");
}

TEST_F(ListViewPaint, CallbackTextsAreAskedOnlyForVisibleRows) {
  AddColumn(0, "Name", 100);
  for (int i = 0; i < 500; ++i) {
    LVITEMA it;
    it.mask = LVIF_TEXT;
    it.iItem = i;
    it.pszText = LPSTR_TEXTCALLBACKA;
    Send(LVM_INSERTITEMA, 0, &it);
  }
  parent.notes.clear();
  RecordingDC dc(RECT{0, 0, 400, 300});
  Paint(dc);
  EXPECT_EQ(parent.Count(LVN_GETDISPINFOA), 14u);
}

TEST_F(ListViewPaint, ControlErasesWithItsBackgroundColourBelowTheHeader) {
  Fill(1);
  RecordingDC dc(RECT{0, 0, 400, 300});
  Paint(dc);
  ASSERT_FALSE(dc.records.empty());
  EXPECT_EQ(dc.records[0].kind, Kind::FillSolidRect);
  EXPECT_EQ(dc.records[0].rect, (RECT{0, kHeaderHeight, 400, 300}));
  EXPECT_EQ(dc.records[0].color, kWhite);
  Send(LVM_SETBKCOLOR, 0, RGB(10, 20, 30));
  EXPECT_EQ(Send(LVM_GETBKCOLOR), RGB(10, 20, 30));
  dc.Clear();
  Paint(dc);
  EXPECT_EQ(dc.records[0].color, RGB(10, 20, 30));
}

// A list window object whose erase handler paints a band and says whether it did.
class BandList : public CWnd {
  DECLARE_MESSAGE_MAP()
 public:
  BOOL paintsBand = TRUE;
  int erases = 0;
  BOOL OnEraseBkgnd(CDC* dc) {
    ++erases;
    if (!paintsBand) return FALSE;
    RECT clip = dc->GetClipBox();
    dc->FillSolidRect(RECT{100, clip.top, 180, clip.bottom}, kBand);
    return TRUE;
  }
};
BEGIN_MESSAGE_MAP(BandList, CWnd)
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

TEST_F(ListViewPaint, EraseGoesThroughTheListWindowsMessageTable) {
  Fill(1);
  BandList band;
  band.Attach(list);
  RecordingDC dc(RECT{0, 0, 400, 300});
  Paint(dc);
  EXPECT_EQ(band.erases, 1);
  ASSERT_FALSE(dc.records.empty());
  EXPECT_EQ(dc.records[0].color, kBand);
  for (const auto& r : dc.Of(Kind::FillSolidRect))
    EXPECT_NE(r.rect, (RECT{0, kHeaderHeight, 400, 300}));
  // A handler that did not erase leaves it to the control.
  band.paintsBand = FALSE;
  dc.Clear();
  Paint(dc);
  EXPECT_EQ(dc.records[0].rect, (RECT{0, kHeaderHeight, 400, 300}));
  EXPECT_EQ(dc.records[0].color, kWhite);
  band.Detach();
}

TEST_F(ListViewPaint, CustomDrawStagesComeInOrderAndNewColoursNeedNewFont) {
  Fill(1);
  bool newFont = true;
  parent.answer = [&](NMHDR* hdr) -> LRESULT {
    if (hdr->code != NM_CUSTOMDRAW) return 0;
    auto* cd = reinterpret_cast<NMLVCUSTOMDRAW*>(hdr);
    switch (cd->nmcd.dwDrawStage) {
      case CDDS_PREPAINT:
        return CDRF_NOTIFYITEMDRAW;
      case CDDS_ITEMPREPAINT:
        return CDRF_NOTIFYSUBITEMDRAW;
      case CDDS_SUBITEMPREPAINT:
        EXPECT_EQ(cd->clrTextBk, kWhite);
        if (cd->iSubItem != 1) return CDRF_DODEFAULT;
        cd->clrTextBk = kBand;
        return (newFont ? CDRF_NEWFONT : CDRF_DODEFAULT) | CDRF_NOTIFYPOSTPAINT;
      default:
        return CDRF_DODEFAULT;
    }
  };
  parent.notes.clear();
  RecordingDC dc(RECT{0, 0, 400, 300});
  Paint(dc);
  std::vector<std::pair<DWORD, int>> stages;
  for (const Note& n : parent.Of(NM_CUSTOMDRAW)) stages.push_back({n.stage, n.subItem});
  EXPECT_EQ(stages, (std::vector<std::pair<DWORD, int>>{{CDDS_PREPAINT, 0},
                                                        {CDDS_ITEMPREPAINT, 0},
                                                        {CDDS_SUBITEMPREPAINT, 0},
                                                        {CDDS_SUBITEMPREPAINT, 1},
                                                        {CDDS_SUBITEMPOSTPAINT, 1},
                                                        {CDDS_SUBITEMPREPAINT, 2}}));
  EXPECT_EQ(parent.Of(NM_CUSTOMDRAW)[1].lParam, 1000);
  const RECT cell1{100, kHeaderHeight, 180, kHeaderHeight + kRowHeight};
  auto fills = dc.Of(Kind::FillSolidRect);
  auto cellFill = [&](const RECT& r) {
    for (const auto& f : fills)
      if (f.rect == r) return f.color;
    return CLR_NONE;
  };
  EXPECT_EQ(cellFill(cell1), kBand);
  EXPECT_EQ(cellFill(RECT{180, kHeaderHeight, 240, kHeaderHeight + kRowHeight}), kWhite);
  newFont = false;
  dc.Clear();
  fills.clear();
  Paint(dc);
  fills = dc.Of(Kind::FillSolidRect);
  EXPECT_EQ(cellFill(cell1), kWhite);
}

TEST_F(ListViewPaint, ParentThatWantsNoItemStagesGetsOnlyThePrepaint) {
  Fill(3);
  parent.notes.clear();
  RecordingDC dc(RECT{0, 0, 400, 300});
  Paint(dc);
  ASSERT_EQ(parent.Count(NM_CUSTOMDRAW), 1u);
  EXPECT_EQ(parent.Of(NM_CUSTOMDRAW)[0].stage, CDDS_PREPAINT);
  EXPECT_EQ(dc.Count(Kind::DrawText), 9u);
}

class OwnerDrawnList : public CListView {
 public:
  std::vector<DRAWITEMSTRUCT> drawn;
  void DrawItem(DRAWITEMSTRUCT* dis) override { drawn.push_back(*dis); }
};

TEST_F(ListViewPaint, OwnerDrawnRowsReachTheListObjectsDrawItem) {
  OwnerDrawnList view;
  ASSERT_TRUE(view.Create("SysListView32", "", WS_CHILD | LVS_REPORT | LVS_OWNERDRAWFIXED,
                          RECT{0, 0, 400, 100}, &parent, 9));
  list = view.m_hWnd;
  Fill(10);
  SetState(1, LVIS_SELECTED, LVIS_SELECTED);
  parent.notes.clear();
  RecordingDC dc(RECT{0, 0, 400, 100});
  Paint(dc);
  // (100 - 24) / 20: three whole rows and one cut.
  ASSERT_EQ(view.drawn.size(), 4u);
  const DRAWITEMSTRUCT& d = view.drawn[1];
  EXPECT_EQ(d.itemID, 1u);
  EXPECT_EQ(d.CtlType, ODT_LISTVIEW);
  EXPECT_EQ(d.CtlID, 9u);
  EXPECT_EQ(d.hwndItem, list);
  EXPECT_EQ(d.hDC, &dc);
  EXPECT_EQ(d.itemData, 1001u);
  EXPECT_EQ(d.itemState & ODS_SELECTED, ODS_SELECTED);
  EXPECT_EQ(d.rcItem, (RECT{0, kHeaderHeight + kRowHeight, 240, kHeaderHeight + 2 * kRowHeight}));
  EXPECT_EQ(dc.Count(Kind::DrawText), 0u);
  EXPECT_EQ(parent.Count(NM_CUSTOMDRAW), 0u);
  EXPECT_TRUE(parent.drawn.empty());
  // Without a window object of its own the list's rows reach the parent itself.
  list = MakeList(WS_CHILD | LVS_REPORT | LVS_OWNERDRAWFIXED, 400, 100);
  Fill(2);
  Paint(dc);
  ASSERT_EQ(parent.drawn.size(), 2u);
  EXPECT_EQ(parent.drawn[1].itemID, 1u);
  EXPECT_EQ(parent.drawn[1].CtlID, 7u);
}

TEST_F(ListViewPaint, SelectionLooksDependOnFocusAndShowSelectionAlways) {
  Fill(2);
  SetState(1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  const int top = kHeaderHeight + kRowHeight;
  struct Case {
    const char* name;
    bool focus;
    DWORD style;
    DWORD exStyle;
    size_t selections;
    COLORREF color;
    RECT first;
  };
  const Case cases[] = {
      {"focused: text box", true, 0, 0, 1, RGB(0, 120, 215),
       RECT{2, top, 2 + 14 + 4, top + kRowHeight}},
      {"focused, full row", true, 0, LVS_EX_FULLROWSELECT, 3, RGB(0, 120, 215),
       RECT{2, top, 100, top + kRowHeight}},
      {"no focus", false, 0, 0, 0, 0, RECT{}},
      {"no focus, shown always", false, LVS_SHOWSELALWAYS, 0, 1, RGB(240, 240, 240),
       RECT{2, top, 2 + 14 + 4, top + kRowHeight}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ::SetFocus(c.focus ? list : nullptr);
    SetWindowStyle(list, WS_CHILD | LVS_REPORT | c.style);
    Send(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, c.exStyle);
    RecordingDC dc(RECT{0, 0, 400, 300});
    Paint(dc);
    auto selections = dc.Of(Kind::DrawSelectionBackground);
    ASSERT_EQ(selections.size(), c.selections);
    if (c.selections == 0) continue;
    EXPECT_EQ(selections[0].color, c.color);
    EXPECT_EQ(selections[0].rect, c.first);
    EXPECT_EQ(selections[0].state, c.focus);
    EXPECT_EQ(dc.Count(Kind::DrawFocusRect), c.focus ? 1u : 0u);
  }
}

TEST_F(ListViewPaint, IconsAndStateImagesAreDrawnInTheFirstColumn) {
  Fill(1);
  ImageList small(16, 16, ILC_MASK);
  for (int i = 0; i < 3; ++i) small.Add(std::make_shared<ImageResource>());
  Send(LVM_SETIMAGELIST, LVSIL_SMALL, &small);
  Send(LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_CHECKBOXES, LVS_EX_CHECKBOXES);
  LVITEMA it;
  it.mask = LVIF_IMAGE | LVIF_STATE;
  it.iImage = 2;
  it.state = INDEXTOSTATEIMAGEMASK(2);
  it.stateMask = LVIS_STATEIMAGEMASK;
  Send(LVM_SETITEMA, 0, &it);
  RecordingDC dc(RECT{0, 0, 400, 300});
  Paint(dc);
  auto images = dc.Of(Kind::DrawImage);
  ASSERT_EQ(images.size(), 2u);
  EXPECT_EQ(images[0].images, reinterpret_cast<HIMAGELIST>(Send(LVM_GETIMAGELIST, LVSIL_STATE)));
  EXPECT_EQ(images[0].image, 1);
  EXPECT_EQ(images[0].rect, (RECT{2, kHeaderHeight + 2, 18, kHeaderHeight + 18}));
  EXPECT_EQ(images[1].images, &small);
  EXPECT_EQ(images[1].image, 2);
  EXPECT_EQ(images[1].rect.left, 18);
}

TEST_F(ListViewPaint, GridLinesFollowColumnsAndRows) {
  Fill(2);
  Send(LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_GRIDLINES, LVS_EX_GRIDLINES);
  RecordingDC dc(RECT{0, 0, 400, 100});
  Paint(dc);
  std::vector<RECT> lines;
  for (const auto& r : dc.Of(Kind::DrawLine)) lines.push_back(r.rect);
  EXPECT_EQ(lines, (std::vector<RECT>{{99, kHeaderHeight, 99, 100},
                                      {179, kHeaderHeight, 179, 100},
                                      {239, kHeaderHeight, 239, 100},
                                      {0, 43, 400, 43},
                                      {0, 63, 400, 63},
                                      {0, 83, 400, 83}}));
}

TEST_F(ListViewPaint, LongTextsEndInAnEllipsisAndFollowTheColumnAlignment) {
  AddColumn(0, "Name", 100);
  AddColumn(1, "Version", 95, LVCFMT_RIGHT);
  AddItem(0, "a name much wider than its column");
  SetText(0, 1, "1.20");
  RecordingDC dc(RECT{0, 0, 400, 300});
  Paint(dc);
  auto texts = dc.Of(Kind::DrawText);
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].rect, (RECT{4, kHeaderHeight, 98, kHeaderHeight + kRowHeight}));
  EXPECT_EQ(texts[0].flags, DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER | DT_END_ELLIPSIS);
  EXPECT_EQ(texts[1].rect, (RECT{106, kHeaderHeight, 189, kHeaderHeight + kRowHeight}));
  EXPECT_EQ(texts[1].flags & DT_RIGHT, DT_RIGHT);
  EXPECT_EQ(texts[1].textColor, RGB(0, 0, 0));
}

}  // namespace
}  // namespace listview_test

namespace listview_test {
namespace {

TEST_F(ListViewPaint, IconModesPaintTheirImageAndLabelPerCell) {
  Fill(3);
  ImageList large(32, 32, ILC_MASK);
  ImageList small(16, 16, ILC_MASK);
  for (int i = 0; i < 2; ++i) {
    large.Add(std::make_shared<ImageResource>());
    small.Add(std::make_shared<ImageResource>());
  }
  Send(LVM_SETIMAGELIST, LVSIL_NORMAL, &large);
  Send(LVM_SETIMAGELIST, LVSIL_SMALL, &small);
  struct Case {
    DWORD view;
    HIMAGELIST images;
  };
  for (const Case& c : {Case{LVS_ICON, &large}, Case{LVS_SMALLICON, &small}}) {
    SCOPED_TRACE(c.view);
    SetWindowStyle(list, WS_CHILD | c.view);
    RecordingDC dc(RECT{0, 0, 400, 300});
    Paint(dc);
    EXPECT_EQ(Texts(dc), (std::vector<std::string>{"r0", "r1", "r2"}));
    auto images = dc.Of(Kind::DrawImage);
    ASSERT_EQ(images.size(), 3u);
    EXPECT_EQ(images[0].images, c.images);
    EXPECT_GT(images[1].rect.left, images[0].rect.left);
    // No header, no columns, no cells of other columns in these modes.
    EXPECT_EQ(dc.records[0].rect.top, 0);
  }
}

}  // namespace
}  // namespace listview_test

namespace listview_test {
namespace {

TEST_F(ListViewPaint, HotItemTextIsUnderlinedInTheHotColour) {
  Fill(3);
  struct Case {
    const char* name;
    DWORD exStyle;
    bool hotLook;
  };
  const Case cases[] = {
      {"one click, underline", LVS_EX_ONECLICKACTIVATE | LVS_EX_UNDERLINEHOT, true},
      {"one click alone", LVS_EX_ONECLICKACTIVATE, false},
      {"two clicks, not selected", LVS_EX_TWOCLICKACTIVATE | LVS_EX_UNDERLINEHOT, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Send(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, c.exStyle);
    Send(LVM_SETHOTITEM, 1);
    EXPECT_EQ(Send(LVM_GETHOTITEM), 1);
    RecordingDC dc(RECT{0, 0, 400, 300});
    Paint(dc);
    for (const auto& t : dc.Of(Kind::DrawText)) {
      bool hot = t.text.rfind("r1", 0) == 0;
      bool underlined = t.font != nullptr && t.font->logFont.lfUnderline != 0;
      EXPECT_EQ(underlined, hot && c.hotLook) << t.text;
      EXPECT_EQ(t.textColor, hot && c.hotLook ? RGB(0, 102, 204) : RGB(0, 0, 0)) << t.text;
    }
  }
}

TEST_F(ListViewPaint, MouseOverAnItemMakesItHotWithActivationStyles) {
  Fill(3);
  Mouse(list, WM_MOUSEMOVE, 30, kHeaderHeight + kRowHeight + 5);
  EXPECT_EQ(Send(LVM_GETHOTITEM), -1);
  Send(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_ONECLICKACTIVATE);
  list->pendingInvalidations.clear();
  Mouse(list, WM_MOUSEMOVE, 30, kHeaderHeight + kRowHeight + 5);
  EXPECT_EQ(Send(LVM_GETHOTITEM), 1);
  ASSERT_EQ(list->pendingInvalidations.size(), 1u);
  EXPECT_EQ(list->pendingInvalidations[0].rect.top, kHeaderHeight + kRowHeight);
  Mouse(list, WM_MOUSEMOVE, 30, 250);
  EXPECT_EQ(Send(LVM_GETHOTITEM), -1);
}

}  // namespace
}  // namespace listview_test
