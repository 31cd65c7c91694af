// The list host with the real list-view control: painting only what shows, mouse, header,
// wheel and scroll bars reaching the control as its own messages.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPalette>
#include <QScrollBar>
#include <QWheelEvent>
#include <set>
#include <string>
#include <vector>

#include "platform/afx/CWnd.h"
#include "platform/listview/CommonControls.h"
#include "platform/qt/QtListHost.h"
#include "platform/qt/QtListHostKeys.h"

namespace {

// The list's parent: answers custom draw so each painted row announces itself.
class RecordingParent final : public CWnd {
 public:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message != WM_NOTIFY) return CWnd::WindowProc(message, wParam, lParam);
    const auto* hdr = reinterpret_cast<const NMHDR*>(lParam);
    codes.push_back(hdr->code);
    if (hdr->code == LVN_COLUMNCLICK)
      clickedColumns.push_back(reinterpret_cast<const NMLISTVIEW*>(lParam)->iSubItem);
    if (hdr->code != NM_CUSTOMDRAW) return 0;
    const auto* cd = reinterpret_cast<const NMLVCUSTOMDRAW*>(lParam);
    if (cd->nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
    if (cd->nmcd.dwDrawStage == CDDS_ITEMPREPAINT)
      paintedRows.push_back(static_cast<int>(cd->nmcd.dwItemSpec));
    return CDRF_DODEFAULT;
  }
  int Count(int code) const {
    return static_cast<int>(std::count(codes.begin(), codes.end(), code));
  }

  std::vector<int> codes;
  std::vector<int> clickedColumns;
  std::vector<int> paintedRows;
};

class ListHostTest : public ::testing::Test {
 protected:
  static constexpr int kRows = 10000;

  void SetUp() override {
    RegisterCommonControls();
    ASSERT_TRUE(m_parent.CreateEx(0, "ListHostTestParent", "", WS_VISIBLE, RECT{0, 0, 600, 400},
                                  nullptr, 0));
    m_list = ::CreateWindowExA(0, "SysListView32", "",
                               WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS, 0, 0, 400,
                               300, m_parent.m_hWnd, 1);
    ASSERT_NE(m_list, nullptr);
    const char* titles[] = {"Device Name", "IP Address", "MAC"};
    for (int c = 0; c < 3; ++c) {
      LVCOLUMNA col;
      col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
      col.fmt = LVCFMT_LEFT;
      col.cx = 120;
      col.pszText = const_cast<char*>(titles[c]);
      ::SendMessage(m_list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(c),
                    reinterpret_cast<LPARAM>(&col));
    }
    AddRows(0, kRows);
    m_host = std::make_unique<QtListHost>(m_list);
    m_host->resize(420, 320);
    m_host->show();
    QApplication::processEvents();
  }

  void AddRows(int first, int count) {
    for (int i = first; i < first + count; ++i) {
      std::string name = "Device " + std::to_string(i);
      LVITEMA item;
      item.mask = LVIF_TEXT;
      item.iItem = i;
      item.pszText = name.data();
      ::SendMessage(m_list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
      std::string ip = "192.168." + std::to_string(i / 256) + "." + std::to_string(i % 256);
      LVITEMA cell;
      cell.iSubItem = 1;
      cell.pszText = ip.data();
      ::SendMessage(m_list, LVM_SETITEMTEXTA, static_cast<WPARAM>(i),
                    reinterpret_cast<LPARAM>(&cell));
    }
  }

  void TearDown() override {
    m_host.reset();
    ResetWindowSystem();
  }

  int TopIndex() const { return static_cast<int>(::SendMessage(m_list, LVM_GETTOPINDEX)); }
  int CountPerPage() const { return static_cast<int>(::SendMessage(m_list, LVM_GETCOUNTPERPAGE)); }
  RECT ItemRect(int item) const {
    RECT r;
    r.left = LVIR_BOUNDS;
    ::SendMessage(m_list, LVM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&r));
    return r;
  }
  RECT HeaderItemRect(int index) const {
    RECT r;
    ::SendMessage(m_host->headerWindow(), HDM_GETITEMRECT, static_cast<WPARAM>(index),
                  reinterpret_cast<LPARAM>(&r));
    return r;
  }
  bool Selected(int item) const {
    return ::SendMessage(m_list, LVM_GETITEMSTATE, static_cast<WPARAM>(item), LVIS_SELECTED) != 0;
  }
  void Click(QPoint at, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* target = m_host->viewport();
    const QPointF global = target->mapToGlobal(QPointF(at));
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), global, Qt::LeftButton, Qt::LeftButton,
                      modifiers);
    QApplication::sendEvent(target, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(at), global, Qt::LeftButton,
                        Qt::NoButton, modifiers);
    QApplication::sendEvent(target, &release);
  }
  void Wheel(int delta) {
    QWidget* target = m_host->viewport();
    const QPointF at(50, 100);
    QWheelEvent wheel(at, target->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &wheel);
  }

  void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(m_host.get(), &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers);
    QApplication::sendEvent(m_host.get(), &release);
  }
  int FocusedItem() const {
    return static_cast<int>(
        ::SendMessage(m_list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
  }

  RecordingParent m_parent;
  HWND m_list = nullptr;
  std::unique_ptr<QtListHost> m_host;
};

}  // namespace

TEST_F(ListHostTest, FullRepaintPaintsOnlyTheVisibleRows) {
  m_parent.paintedRows.clear();
  QImage image(m_host->viewport()->size(), QImage::Format_ARGB32_Premultiplied);
  m_host->viewport()->render(&image);
  const auto& rows = m_parent.paintedRows;
  ASSERT_FALSE(rows.empty());
  EXPECT_LE(static_cast<int>(rows.size()), CountPerPage() + 1);
  EXPECT_EQ(*std::min_element(rows.begin(), rows.end()), TopIndex());
}

TEST_F(ListHostTest, PaintingAfterScrollingStartsAtTheNewTopRow) {
  m_host->verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
  const int top = TopIndex();
  EXPECT_GT(top, 0);
  m_parent.paintedRows.clear();
  QImage image(m_host->viewport()->size(), QImage::Format_ARGB32_Premultiplied);
  m_host->viewport()->render(&image);
  ASSERT_FALSE(m_parent.paintedRows.empty());
  EXPECT_EQ(*std::min_element(m_parent.paintedRows.begin(), m_parent.paintedRows.end()), top);
  EXPECT_LE(static_cast<int>(m_parent.paintedRows.size()), CountPerPage() + 1);
}

TEST_F(ListHostTest, ClickSelectsTheRowUnderThePointer) {
  const RECT row = ItemRect(3);
  Click(QPoint(20, (row.top + row.bottom) / 2));
  EXPECT_TRUE(Selected(3));
  EXPECT_FALSE(Selected(2));
  EXPECT_FALSE(Selected(4));
  EXPECT_EQ(::GetFocus(), m_list);
}

TEST_F(ListHostTest, ControlClickAddsToTheSelection) {
  const RECT first = ItemRect(1);
  const RECT second = ItemRect(5);
  Click(QPoint(20, (first.top + first.bottom) / 2));
  Click(QPoint(20, (second.top + second.bottom) / 2), Qt::ControlModifier);
  EXPECT_TRUE(Selected(1));
  EXPECT_TRUE(Selected(5));
}

TEST_F(ListHostTest, HeaderClickGivesOneColumnClickForTheItemUnderThePointer) {
  // Scrolled sideways the header sits left of the client; the click must still hit item 1.
  m_host->resize(250, 320);
  QApplication::processEvents();
  for (int scrollX : {0, 100}) {
    SCOPED_TRACE(scrollX);
    ::SendMessage(m_list, WM_HSCROLL, static_cast<WPARAM>(SB_THUMBPOSITION | (scrollX << 16)), 0);
    ASSERT_EQ(::GetScrollPos(m_list, SB_HORZ), scrollX);
    EXPECT_EQ(m_host->horizontalScrollBar()->value(), scrollX);
    HWND header = m_host->headerWindow();
    ASSERT_NE(header, nullptr);
    const RECT item = HeaderItemRect(1);
    const QPoint at(header->rect.left + (item.left + item.right) / 2,
                    header->rect.top + (item.top + item.bottom) / 2);
    m_parent.clickedColumns.clear();
    m_parent.codes.clear();
    Click(at);
    EXPECT_EQ(m_parent.Count(LVN_COLUMNCLICK), 1);
    ASSERT_EQ(m_parent.clickedColumns.size(), 1u);
    EXPECT_EQ(m_parent.clickedColumns[0], 1);
  }
  EXPECT_FALSE(Selected(0));
}

TEST_F(ListHostTest, WheelMovesTheTopIndexAndTheScrollBarFollows) {
  EXPECT_EQ(TopIndex(), 0);
  Wheel(-120);
  const int afterDown = TopIndex();
  EXPECT_GT(afterDown, 0);
  EXPECT_EQ(m_host->verticalScrollBar()->value(), afterDown);
  Wheel(120);
  EXPECT_EQ(TopIndex(), 0);
}

TEST_F(ListHostTest, ScrollBarReachesTheLastRowsAndNoFurther) {
  QScrollBar* bar = m_host->verticalScrollBar();
  EXPECT_EQ(bar->maximum(), kRows - CountPerPage());
  bar->triggerAction(QAbstractSlider::SliderToMaximum);
  EXPECT_EQ(TopIndex(), kRows - CountPerPage());
  EXPECT_EQ(bar->value(), TopIndex());
  bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(TopIndex(), kRows - CountPerPage());
}

TEST_F(ListHostTest, ThumbDraggedBeyondSixteenBitPositionsShowsThatRow) {
  AddRows(kRows, 30000);
  QScrollBar* bar = m_host->verticalScrollBar();
  ASSERT_GT(bar->maximum(), 35000);
  for (int target : {35000, 1000, 39000}) {
    SCOPED_TRACE(target);
    bar->setSliderDown(true);
    bar->setSliderPosition(target);
    EXPECT_EQ(TopIndex(), target);
    bar->setSliderDown(false);
    EXPECT_EQ(TopIndex(), target);
    EXPECT_EQ(bar->value(), target);
  }
}

TEST_F(ListHostTest, KeysMoveTheFocusAndShiftExtendsTheSelection) {
  const RECT row = ItemRect(2);
  Click(QPoint(20, (row.top + row.bottom) / 2));
  Key(Qt::Key_Down);
  EXPECT_EQ(FocusedItem(), 3);
  EXPECT_FALSE(Selected(2));
  EXPECT_TRUE(Selected(3));
  Key(Qt::Key_Down, Qt::ShiftModifier);
  Key(Qt::Key_Down, Qt::ShiftModifier);
  EXPECT_EQ(FocusedItem(), 5);
  for (int item : {3, 4, 5}) EXPECT_TRUE(Selected(item)) << item;
  Key(Qt::Key_End);
  EXPECT_EQ(FocusedItem(), kRows - 1);
  EXPECT_EQ(TopIndex(), kRows - CountPerPage());
  EXPECT_EQ(m_host->verticalScrollBar()->value(), TopIndex());
}

TEST_F(ListHostTest, KeypadPlusIsTheAddKey) {
  EXPECT_EQ(QtListHostKeys::VirtualKeyOf(Qt::Key_Plus, Qt::KeypadModifier), VK_ADD);
  EXPECT_NE(QtListHostKeys::VirtualKeyOf(Qt::Key_Plus, Qt::NoModifier), VK_ADD);
  EXPECT_EQ(QtListHostKeys::VirtualKeyOf(Qt::Key_5, Qt::KeypadModifier), VK_NUMPAD0 + 5);
  EXPECT_EQ(QtListHostKeys::VirtualKeyOf(Qt::Key_A, Qt::ControlModifier), UINT{'A'});
  EXPECT_EQ(QtListHostKeys::VirtualKeyOf(Qt::Key_F6, Qt::NoModifier), VK_F6);
}

// Counts the colour-change messages that reach the list through its window object.
class ColourChangeCounter final : public CWnd {
 public:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_SYSCOLORCHANGE) ++changes;
    return CWnd::WindowProc(message, wParam, lParam);
  }
  int changes = 0;
};

TEST_F(ListHostTest, PaletteChangeSendsOneColourChange) {
  ColourChangeCounter counter;
  counter.Attach(m_list);
  QPalette palette = m_host->palette();
  palette.setColor(QPalette::Highlight, Qt::darkGreen);
  m_host->setPalette(palette);
  QApplication::processEvents();
  EXPECT_EQ(counter.changes, 1);
  counter.Detach();
}

TEST_F(ListHostTest, FocusFollowsTheWidget) {
  m_host->activateWindow();
  m_host->setFocus(Qt::OtherFocusReason);
  QApplication::processEvents();
  ASSERT_TRUE(m_host->hasFocus());
  EXPECT_EQ(::GetFocus(), m_list);
  QFocusEvent out(QEvent::FocusOut, Qt::OtherFocusReason);
  QApplication::sendEvent(m_host.get(), &out);
  EXPECT_EQ(::GetFocus(), nullptr);
  QFocusEvent in(QEvent::FocusIn, Qt::OtherFocusReason);
  QApplication::sendEvent(m_host.get(), &in);
  EXPECT_EQ(::GetFocus(), m_list);
  // A popup (the context menu) takes the toolkit's focus, not the list's.
  QFocusEvent popup(QEvent::FocusOut, Qt::PopupFocusReason);
  QApplication::sendEvent(m_host.get(), &popup);
  EXPECT_EQ(::GetFocus(), m_list);
}

TEST_F(ListHostTest, PointerOverAHeaderDividerShowsTheSizingCursor) {
  HWND header = m_host->headerWindow();
  ASSERT_NE(header, nullptr);
  const RECT item = HeaderItemRect(0);
  const int y = (item.top + item.bottom) / 2;
  auto moveTo = [&](int x) {
    QWidget* target = m_host->viewport();
    QMouseEvent move(QEvent::MouseMove, QPointF(x, y), target->mapToGlobal(QPointF(x, y)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(target, &move);
    return m_host->viewport()->cursor().shape();
  };
  EXPECT_EQ(moveTo((item.left + item.right) / 2), Qt::ArrowCursor);
  EXPECT_EQ(moveTo(item.right - 1), Qt::SplitHCursor);
  EXPECT_EQ(moveTo((item.left + item.right) / 2), Qt::ArrowCursor);
}

TEST_F(ListHostTest, DraggingAHeaderDividerSizesTheColumnEvenOutsideTheHeader) {
  const RECT item = HeaderItemRect(0);
  const int y = (item.top + item.bottom) / 2;
  QWidget* target = m_host->viewport();
  auto send = [&](QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
    QMouseEvent event(type, QPointF(at), target->mapToGlobal(QPointF(at)), Qt::LeftButton, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(target, &event);
  };
  send(QEvent::MouseButtonPress, QPoint(item.right - 1, y), Qt::LeftButton);
  // The pointer leaves the header downwards while dragging: the header keeps the mouse.
  send(QEvent::MouseMove, QPoint(item.right + 19, y + 80), Qt::LeftButton);
  send(QEvent::MouseMove, QPoint(item.right + 39, y + 80), Qt::LeftButton);
  send(QEvent::MouseButtonRelease, QPoint(item.right + 39, y + 80), Qt::NoButton);
  EXPECT_NEAR(::SendMessage(m_list, LVM_GETCOLUMNWIDTH, 0), 120 + 40, 1);
  EXPECT_FALSE(Selected(0)) << "no row took the drag's release";
  EXPECT_FALSE(Selected(1));
}

TEST_F(ListHostTest, ResizingTheHostSizesTheListAndItsHeader) {
  m_host->resize(500, 200);
  QApplication::processEvents();
  RECT client;
  ::GetClientRect(m_list, &client);
  EXPECT_EQ(client.right, m_host->viewport()->width());
  EXPECT_EQ(client.bottom, m_host->viewport()->height());
  HWND header = m_host->headerWindow();
  ASSERT_NE(header, nullptr);
  EXPECT_EQ(header->rect.top, 0);
  EXPECT_GE(header->rect.right, client.right);
}

TEST_F(ListHostTest, HostGoneLeavesTheWindowsWithoutHost) {
  HWND header = m_host->headerWindow();
  m_host.reset();
  EXPECT_EQ(m_list->host, nullptr);
  EXPECT_EQ(header->host, nullptr);
  // Invalidation without a host is recorded, never sent to a freed widget.
  EXPECT_TRUE(::InvalidateRect(m_list, nullptr, TRUE));
}

TEST_F(ListHostTest, ListDestroyedFirstLeavesAHostThatStillPaints) {
  ::DestroyWindow(m_list);
  QImage image(m_host->viewport()->size(), QImage::Format_ARGB32_Premultiplied);
  m_host->viewport()->render(&image);
  Click(QPoint(20, 40));
  Wheel(-120);
  SUCCEED();
}
