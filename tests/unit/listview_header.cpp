// The header inside the list-view control: clicks, divider drags and double-clicks, drags to
// reorder, and the right-click menu request.
#include "listview_fixture.h"
#include "platform/afx/CListView.h"

namespace listview_test {
namespace {

struct HeaderNote {
  int code;
  int item;
  UINT mask;
  int width;
  int order;
};

// Subclasses the list window to see the header's notifications before the list's own
// processing (which it then gets, as default processing).
class HeaderWatcher : public CWnd {
 public:
  std::vector<HeaderNote> notes;
  std::function<bool(NMHEADERA*, LRESULT*)> answer;  // true: handled here with *result

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_NOTIFY) {
      auto* nm = reinterpret_cast<NMHEADERA*>(lParam);
      HeaderNote note{nm->hdr.code, nm->iItem, 0, -1, -99};
      if (nm->pitem != nullptr) {
        note.mask = nm->pitem->mask;
        if (nm->pitem->mask & HDI_WIDTH) note.width = nm->pitem->cxy;
        if (nm->pitem->mask & HDI_ORDER) note.order = nm->pitem->iOrder;
      }
      notes.push_back(note);
      LRESULT result = 0;
      if (answer && answer(nm, &result)) return result;
    }
    return CWnd::WindowProc(message, wParam, lParam);
  }
  std::vector<int> Codes() const {
    std::vector<int> out;
    for (const HeaderNote& n : notes) out.push_back(n.code);
    return out;
  }
};

class ListViewHeader : public ListViewTest {
 public:
  void SetUp() override {
    ListViewTest::SetUp();
    Fill(3);  // header items 0..100, 100..180, 180..240
    watcher.Attach(list);
  }
  void TearDown() override {
    watcher.Detach();
    ListViewTest::TearDown();
  }
  HeaderWatcher watcher;
};

TEST_F(ListViewHeader, ClickOnAnItemGivesExactlyOneColumnClick) {
  Click(Header(), 130, 10);
  auto clicks = parent.Of(LVN_COLUMNCLICK);
  ASSERT_EQ(clicks.size(), 1u);
  EXPECT_EQ(clicks[0].subItem, 1);
  EXPECT_EQ(clicks[0].item, -1);
  EXPECT_EQ(clicks[0].from, list);
  // A press on one item released over another is no click.
  Mouse(Header(), WM_LBUTTONDOWN, 130, 10, MK_LBUTTON);
  Mouse(Header(), WM_LBUTTONUP, 200, 10);
  EXPECT_EQ(parent.Count(LVN_COLUMNCLICK), 1u);
  // Header items follow the display order.
  int order[] = {2, 1, 0};
  Send(LVM_SETCOLUMNORDERARRAY, 3, order);
  Click(Header(), 10, 10);
  EXPECT_EQ(parent.Of(LVN_COLUMNCLICK).back().subItem, 2);
}

TEST_F(ListViewHeader, ClickThroughAListViewObjectIsStillOneColumnClick) {
  watcher.Detach();
  CListView view;
  ASSERT_TRUE(
      view.Create("SysListView32", "", WS_CHILD | LVS_REPORT, RECT{0, 0, 300, 200}, &parent, 8));
  HWND header = view.GetListCtrl().GetHeaderCtrl();
  ASSERT_NE(header, nullptr);
  view.GetListCtrl().InsertColumn(0, "A", LVCFMT_LEFT, 50);
  parent.notes.clear();
  Click(header, 20, 5);
  EXPECT_EQ(parent.Count(LVN_COLUMNCLICK), 1u);
  watcher.Attach(list);
}

TEST_F(ListViewHeader, DividerDragTracksAndChangesTheWidth) {
  Mouse(Header(), WM_LBUTTONDOWN, 101, 10, MK_LBUTTON);
  Mouse(Header(), WM_MOUSEMOVE, 120, 10, MK_LBUTTON);
  Mouse(Header(), WM_MOUSEMOVE, 131, 10, MK_LBUTTON);
  Mouse(Header(), WM_LBUTTONUP, 131, 10);
  EXPECT_EQ(ColumnWidth(0), 131);
  EXPECT_EQ(watcher.Codes(),
            (std::vector<int>{HDN_BEGINTRACKA, HDN_TRACKA, HDN_ITEMCHANGINGA, HDN_ITEMCHANGEDA,
                              HDN_TRACKA, HDN_ITEMCHANGINGA, HDN_ITEMCHANGEDA, HDN_ENDTRACKA}));
  EXPECT_EQ(watcher.notes.back().width, 131);
  EXPECT_EQ(watcher.notes.back().item, 0);
  // The rows follow the new width.
  EXPECT_EQ(ItemRect(0, LVIR_BOUNDS).right, 131 + 80 + 60);
}

TEST_F(ListViewHeader, EscapeDuringADividerDragRestoresTheWidth) {
  Mouse(Header(), WM_LBUTTONDOWN, 180, 10, MK_LBUTTON);
  Mouse(Header(), WM_MOUSEMOVE, 150, 10, MK_LBUTTON);
  EXPECT_EQ(ColumnWidth(1), 50);
  Send(WM_KEYDOWN, VK_ESCAPE);
  EXPECT_EQ(ColumnWidth(1), 80);
  EXPECT_EQ(watcher.notes.back().code, HDN_ENDTRACKA);
  Mouse(Header(), WM_LBUTTONUP, 150, 10);
  EXPECT_EQ(ColumnWidth(1), 80);
}

TEST_F(ListViewHeader, ParentCanRefuseADividerDrag) {
  watcher.answer = [](NMHEADERA* nm, LRESULT* result) {
    *result = TRUE;
    return nm->hdr.code == HDN_BEGINTRACKA;
  };
  Mouse(Header(), WM_LBUTTONDOWN, 100, 10, MK_LBUTTON);
  Mouse(Header(), WM_MOUSEMOVE, 150, 10, MK_LBUTTON);
  Mouse(Header(), WM_LBUTTONUP, 150, 10);
  EXPECT_EQ(ColumnWidth(0), 100);
  EXPECT_EQ(watcher.Codes(), std::vector<int>{HDN_BEGINTRACKA});
}

TEST_F(ListViewHeader, DividerDoubleClickSizesTheColumnToItsWidestText) {
  SetText(1, 1, "192.168.100.200");
  Mouse(Header(), WM_LBUTTONDBLCLK, 179, 10, MK_LBUTTON);
  ASSERT_FALSE(watcher.notes.empty());
  EXPECT_EQ(watcher.notes[0].code, HDN_DIVIDERDBLCLICKA);
  EXPECT_EQ(watcher.notes[0].item, 1);
  EXPECT_EQ(ColumnWidth(1), 15 * 7 + 12);
  // A double-click on an item is no divider double-click.
  watcher.notes.clear();
  Mouse(Header(), WM_LBUTTONDBLCLK, 50, 10, MK_LBUTTON);
  EXPECT_EQ(watcher.Codes(), std::vector<int>{HDN_ITEMDBLCLICKA});
}

TEST_F(ListViewHeader, DragToReorderNeedsTheExtendedStyle) {
  Mouse(Header(), WM_LBUTTONDOWN, 20, 10, MK_LBUTTON);
  Mouse(Header(), WM_MOUSEMOVE, 150, 10, MK_LBUTTON);
  Mouse(Header(), WM_LBUTTONUP, 220, 10);
  EXPECT_EQ(Order(), (std::vector<int>{0, 1, 2}));
  for (const HeaderNote& n : watcher.notes) EXPECT_NE(n.code, HDN_BEGINDRAG);
}

TEST_F(ListViewHeader, DragToReorderMovesTheItemWhereItIsDropped) {
  Send(LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_HEADERDRAGDROP, LVS_EX_HEADERDRAGDROP);
  Mouse(Header(), WM_LBUTTONDOWN, 20, 10, MK_LBUTTON);
  Mouse(Header(), WM_MOUSEMOVE, 150, 10, MK_LBUTTON);
  list->pendingInvalidations.clear();
  Mouse(Header(), WM_LBUTTONUP, 220, 10);
  EXPECT_EQ(watcher.Codes(), (std::vector<int>{HDN_BEGINDRAG, HDN_ENDDRAG}));
  EXPECT_EQ(watcher.notes[1].item, 0);
  EXPECT_EQ(watcher.notes[1].order, 2);
  EXPECT_EQ(Order(), (std::vector<int>{1, 2, 0}));
  EXPECT_FALSE(list->pendingInvalidations.empty());
  // No column click after a drag.
  EXPECT_EQ(parent.Count(LVN_COLUMNCLICK), 0u);
  EXPECT_EQ(ItemRect(0, LVIR_LABEL).left, 80 + 60 + 2);
}

TEST_F(ListViewHeader, CancelledDragsLeaveTheOrder) {
  Send(LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_HEADERDRAGDROP, LVS_EX_HEADERDRAGDROP);
  struct Case {
    const char* name;
    std::function<void(ListViewHeader&)> finish;
  };
  const Case cases[] = {
      {"escape",
       [](ListViewHeader& t) {
         t.Send(WM_KEYDOWN, VK_ESCAPE);
         Mouse(t.Header(), WM_LBUTTONUP, 220, 10);
       }},
      {"dropped below the header",
       [](ListViewHeader& t) { Mouse(t.Header(), WM_LBUTTONUP, 220, 90); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    watcher.notes.clear();
    Mouse(Header(), WM_LBUTTONDOWN, 20, 10, MK_LBUTTON);
    Mouse(Header(), WM_MOUSEMOVE, 150, 10, MK_LBUTTON);
    c.finish(*this);
    EXPECT_EQ(watcher.Codes(), (std::vector<int>{HDN_BEGINDRAG, HDN_ENDDRAG}));
    EXPECT_EQ(watcher.notes.back().order, -1);
    EXPECT_EQ(Order(), (std::vector<int>{0, 1, 2}));
  }
  // A list that answers TRUE to the end of a drag keeps the order too.
  watcher.answer = [](NMHEADERA* nm, LRESULT* result) {
    *result = TRUE;
    return nm->hdr.code == HDN_ENDDRAG;
  };
  Mouse(Header(), WM_LBUTTONDOWN, 20, 10, MK_LBUTTON);
  Mouse(Header(), WM_MOUSEMOVE, 150, 10, MK_LBUTTON);
  Mouse(Header(), WM_LBUTTONUP, 220, 10);
  EXPECT_EQ(Order(), (std::vector<int>{0, 1, 2}));
}

TEST_F(ListViewHeader, RightClickAsksTheListForAContextMenuWithTheHeaderAndScreenPoint) {
  MoveWindow(list, 10, 20, 400, 300);
  Mouse(Header(), WM_RBUTTONDOWN, 50, 5, MK_RBUTTON);
  Mouse(Header(), WM_RBUTTONUP, 50, 5);
  // The list does not take it: its parent gets it, as for any child window.
  ASSERT_EQ(parent.contextMenus.size(), 1u);
  EXPECT_EQ(parent.contextMenus[0].first, Header());
  EXPECT_EQ(parent.contextMenus[0].second.x, 60);
  EXPECT_EQ(parent.contextMenus[0].second.y, 25);
  EXPECT_EQ(parent.Count(NM_RCLICK), 0u);
}

TEST_F(ListViewHeader, HitTestFindsItemsAndDividers) {
  struct Case {
    int x;
    int y;
    int item;
    UINT flags;
  };
  const Case cases[] = {
      {50, 5, 0, HHT_ONHEADER},  {97, 5, 0, HHT_ONDIVIDER}, {103, 5, 0, HHT_ONDIVIDER},
      {110, 5, 1, HHT_ONHEADER}, {300, 5, -1, HHT_NOWHERE}, {50, 40, -1, HHT_NOWHERE},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.x);
    HDHITTESTINFO info;
    info.pt = POINT{c.x, c.y};
    EXPECT_EQ(SendHeader(HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)), c.item);
    EXPECT_EQ(info.flags, c.flags);
  }
}

}  // namespace
}  // namespace listview_test
