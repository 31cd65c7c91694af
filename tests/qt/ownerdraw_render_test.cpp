// A small owner-drawn list on screen: the extension paints every row itself (check boxes on
// state images, icons, a tinted sort column, a label-box selection and focus rectangle).
// With LANORIX_OWNERDRAW_PNG set the picture is also saved there, to be looked at.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPalette>
#include <cstdlib>

#include "listctrl/CListViewEx.h"
#include "platform/afx/CImageList.h"
#include "platform/afx/CWnd.h"
#include "platform/afx/Services.h"
#include "platform/listview/CommonControls.h"
#include "platform/qt/QtDC.h"
#include "platform/qt/QtDesktopService.h"
#include "platform/qt/QtListHost.h"
#include "res/ProgramResources.h"

namespace {

const char* const kRows[][3] = {
    {"Gateway-A", "192.168.1.10", "1.20"},
    {"Serial server 2", "192.168.1.11", "1.08"},
    {"A device name far too long for its column", "192.168.1.13", "2.01"},
    {"Test bench", "192.168.1.15", "0.99"},
};

TEST(OwnerDrawRender, RowsPaintedByTheExtensionLookLikeTheControls) {
  RegisterCommonControls();
  RegisterImages();
  QtDesktopService desktop;
  DesktopService* previousDesktop = AfxServices().desktop;
  AfxServices().desktop = &desktop;
  {
    // The image list outlives the list that shows it, as callers of the list must ensure.
    CImageList icons;
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, "OwnerDrawRenderParent", "", WS_VISIBLE, RECT{0, 0, 600, 200},
                                nullptr, 0));
    CListViewEx list;
    ASSERT_TRUE(
        list.Create("SysListView32", "",
                    WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDRAWFIXED | LVS_SHOWSELALWAYS,
                    RECT{0, 0, 440, 160}, &parent, 1));
    const HWND hwnd = list.m_hWnd;
    list.SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_CHECKBOXES | LVS_EX_GRIDLINES);
    icons.Create(16, 16, ILC_COLOR32 | ILC_MASK, 0, 1);
    icons.AddIcon(158);
    icons.AddIcon(151);
    list.SendMessage(LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(icons.m_hImageList));
    const char* titles[] = {"Device Name", "IP Address", "Version"};
    const int widths[] = {170, 130, 70};
    for (int c = 0; c < 3; ++c) {
      LVCOLUMNA col;
      col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
      col.fmt = c == 2 ? LVCFMT_RIGHT : LVCFMT_LEFT;
      col.cx = widths[c];
      col.pszText = const_cast<char*>(titles[c]);
      list.SendMessage(LVM_INSERTCOLUMNA, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&col));
    }
    int row = 0;
    for (const auto& fields : kRows) {
      LVITEMA item;
      item.mask = LVIF_TEXT | LVIF_IMAGE;
      item.iItem = row;
      item.iImage = 1;
      item.pszText = const_cast<char*>(fields[0]);
      list.SendMessage(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
      for (int c = 1; c < 3; ++c) {
        LVITEMA cell;
        cell.iSubItem = c;
        cell.pszText = const_cast<char*>(fields[c]);
        list.SendMessage(LVM_SETITEMTEXTA, static_cast<WPARAM>(row),
                         reinterpret_cast<LPARAM>(&cell));
      }
      ++row;
    }
    list.SetSortState(2);
    list.EnableSortTint(true);
    LVITEMA state;
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    list.SendMessage(LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&state));

    QtListHost host(hwnd);
    host.resize(460, 150);
    host.show();
    host.setFocus();
    ::SetFocus(hwnd);
    QApplication::processEvents();
    // A click on row 0's check box, as the user does it.
    RECT box;
    ASSERT_TRUE(list.StateImageBounds(0, &box));
    list.SendMessage(WM_LBUTTONDOWN, 0, MAKELPARAM(box.left + 2, box.top + 2));
    list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(box.left + 2, box.top + 2));
    QApplication::processEvents();

    QImage image(host.viewport()->size() * 2, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(2.0);
    image.fill(Qt::magenta);
    host.viewport()->render(&image);
    if (const QByteArray path = qgetenv("LANORIX_OWNERDRAW_PNG"); !path.isEmpty())
      image.save(QString::fromLocal8Bit(path));

    auto at = [&](int x, int y) { return QColor(image.pixel(2 * x, 2 * y)); };
    RECT r0, r1, label1;
    r0.left = r1.left = LVIR_BOUNDS;
    ::CallControlProc(hwnd, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r0));
    ::CallControlProc(hwnd, LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&r1));
    ASSERT_TRUE(list.CellBounds(1, 0, 2, &label1));
    const int y0 = (r0.top + r0.bottom) / 2, y1 = (r1.top + r1.bottom) / 2;
    // The clicked check box shows checked at once; the row stays unselected.
    EXPECT_EQ(::CallControlProc(hwnd, LVM_GETITEMSTATE, 0, LVIS_STATEIMAGEMASK) >> 12, 2);
    EXPECT_EQ(::CallControlProc(hwnd, LVM_GETITEMSTATE, 0, LVIS_SELECTED), 0);
    RECT box1;
    ASSERT_TRUE(list.StateImageBounds(1, &box1));
    int differing = 0;
    for (int dy = 0; dy < box.bottom - box.top; ++dy)
      for (int dx = 0; dx < box.right - box.left; ++dx)
        if (at(box.left + dx, box.top + dy) != at(box1.left + dx, box1.top + dy)) ++differing;
    EXPECT_GT(differing, 4) << "checked and unchecked boxes look the same";
    const QColor highlight = QApplication::palette().color(QPalette::Active, QPalette::Highlight);
    // The style may shade its selection panel slightly.
    auto near = [](const QColor& a, const QColor& b) {
      return std::abs(a.red() - b.red()) <= 6 && std::abs(a.green() - b.green()) <= 6 &&
             std::abs(a.blue() - b.blue()) <= 6;
    };
    EXPECT_TRUE(near(at(label1.left + 4, y1), highlight)) << "label box of the selected row";
    EXPECT_FALSE(near(at(label1.right - 2, y1), highlight)) << "no full-row selection";
    EXPECT_EQ(at(170 + 125, y0), QtDC::ToQColor(list.m_clrSortTint)) << "tinted sort column";
    for (int y = 0; y < image.height(); y += 7)
      for (int x = 0; x < image.width(); x += 7)
        ASSERT_NE(QColor(image.pixel(x, y)), QColor(Qt::magenta))
            << "unpainted at " << x << "," << y;
  }
  AfxServices().desktop = previousDesktop;
  ResetWindowSystem();
}

}  // namespace
