// What the hosted list looks like: a report list with header, sort arrow, tinted sort column,
// grid lines and a full-row selection in the palette's highlight colour. With
// LANORIX_LISTHOST_PNG set the picture is also saved there, to be looked at.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPalette>
#include <string>

#include "platform/afx/CImageList.h"
#include "platform/afx/CWnd.h"
#include "platform/afx/Services.h"
#include "platform/listview/CommonControls.h"
#include "platform/qt/QtDC.h"
#include "platform/qt/QtDesktopService.h"
#include "platform/qt/QtListHost.h"
#include "res/ProgramResources.h"

namespace {

constexpr COLORREF kTint = RGB(247, 247, 247);

// Tints column 1 as the list extension does for its sort column.
class TintingParent final : public CWnd {
 public:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message != WM_NOTIFY) return CWnd::WindowProc(message, wParam, lParam);
    if (reinterpret_cast<const NMHDR*>(lParam)->code != NM_CUSTOMDRAW) return 0;
    auto* cd = reinterpret_cast<NMLVCUSTOMDRAW*>(lParam);
    switch (cd->nmcd.dwDrawStage) {
      case CDDS_PREPAINT:
        return CDRF_NOTIFYITEMDRAW;
      case CDDS_ITEMPREPAINT:
        return CDRF_NOTIFYSUBITEMDRAW;
      case CDDS_SUBITEMPREPAINT:
        cd->clrTextBk = cd->iSubItem == 1 ? kTint : RGB(255, 255, 255);
        return CDRF_NEWFONT;
      default:
        return CDRF_DODEFAULT;
    }
  }
};

const char* const kRows[][6] = {
    {"Gateway-A", "192.168.1.10", "255.255.255.0", "192.168.1.1", "00-0A-1B-2C-3D-01", "1.20"},
    {"Serial server 2", "192.168.1.11", "255.255.255.0", "192.168.1.1", "00-0A-1B-2C-3D-02",
     "1.08"},
    {"Line 3 (packing)", "192.168.1.12", "255.255.255.0", "192.168.1.1", "00-0A-1B-2C-3D-03",
     "2.01"},
    {"A device name far too long for its column", "192.168.1.13", "255.255.255.0", "192.168.1.1",
     "00-0A-1B-2C-3D-04", "1.20"},
    {"\xe5\x80\x89\xe5\xba\xab 5", "192.168.1.14", "255.255.0.0", "192.168.1.254",
     "00-0A-1B-2C-3D-05", "1.20"},
    {"Test bench", "192.168.1.15", "255.255.255.0", "192.168.1.1", "00-0A-1B-2C-3D-06", "0.99"},
};

}  // namespace

TEST(ListHostRender, LooksLikeANativeReportList) {
  RegisterCommonControls();
  RegisterImages();
  QtDesktopService desktop;
  DesktopService* previousDesktop = AfxServices().desktop;
  AfxServices().desktop = &desktop;
  {
    TintingParent parent;
    ASSERT_TRUE(parent.CreateEx(0, "ListHostRenderParent", "", WS_VISIBLE, RECT{0, 0, 800, 300},
                                nullptr, 0));
    HWND list = ::CreateWindowExA(0, "SysListView32", "",
                                  WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS, 0, 0, 640,
                                  220, parent.m_hWnd, 1);
    ASSERT_NE(list, nullptr);
    ::SendMessage(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                  LVS_EX_GRIDLINES | LVS_EX_HEADERDRAGDROP | LVS_EX_FULLROWSELECT);
    CImageList icons;
    icons.Create(16, 16, ILC_COLOR32 | ILC_MASK, 0, 1);
    icons.AddIcon(158);
    icons.AddIcon(151);
    ::SendMessage(list, LVM_SETIMAGELIST, LVSIL_SMALL,
                  reinterpret_cast<LPARAM>(icons.m_hImageList));
    const char* titles[] = {"Device Name", "IP Address", "Subnet Mask",
                            "Gateway IP",  "MAC",        "Version"};
    const int widths[] = {120, 120, 120, 120, 130, 95};
    for (int c = 0; c < 6; ++c) {
      LVCOLUMNA col;
      col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
      col.fmt = c == 5 ? LVCFMT_RIGHT : LVCFMT_LEFT;
      col.cx = widths[c];
      col.pszText = const_cast<char*>(titles[c]);
      ::SendMessage(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(c),
                    reinterpret_cast<LPARAM>(&col));
    }
    int row = 0;
    for (const auto& fields : kRows) {
      LVITEMA item;
      item.mask = LVIF_TEXT | LVIF_IMAGE;
      item.iItem = row;
      item.iImage = 1;
      item.pszText = const_cast<char*>(fields[0]);
      ::SendMessage(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
      for (int c = 1; c < 6; ++c) {
        LVITEMA cell;
        cell.iSubItem = c;
        cell.pszText = const_cast<char*>(fields[c]);
        ::SendMessage(list, LVM_SETITEMTEXTA, static_cast<WPARAM>(row),
                      reinterpret_cast<LPARAM>(&cell));
      }
      ++row;
    }
    HDITEMA sorted;
    sorted.mask = HDI_FORMAT;
    sorted.fmt = HDF_STRING | HDF_SORTUP;
    HWND header = reinterpret_cast<HWND>(::SendMessage(list, LVM_GETHEADER));
    ::SendMessage(header, HDM_SETITEMA, 1, reinterpret_cast<LPARAM>(&sorted));
    LVITEMA state;
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED;
    ::SendMessage(list, LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&state));
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    ::SendMessage(list, LVM_SETITEMSTATE, 2, reinterpret_cast<LPARAM>(&state));

    QtListHost host(list);
    host.resize(660, 200);
    host.show();
    host.setFocus();
    ::SetFocus(list);
    QApplication::processEvents();
    QImage image(host.viewport()->size() * 2, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(2.0);
    image.fill(Qt::magenta);
    host.viewport()->render(&image);
    if (const QByteArray path = qgetenv("LANORIX_LISTHOST_PNG"); !path.isEmpty())
      image.save(QString::fromLocal8Bit(path));

    // Sampled on device pixels: the picture is at twice the size.
    auto at = [&](int x, int y) { return QColor(image.pixel(2 * x, 2 * y)); };
    RECT selected;
    selected.left = LVIR_BOUNDS;
    ::SendMessage(list, LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&selected));
    const int midY = (selected.top + selected.bottom) / 2;
    const QColor highlight = QApplication::palette().color(QPalette::Active, QPalette::Highlight);
    EXPECT_EQ(at(630, midY), highlight) << "full-row selection";
    RECT plain;
    plain.left = LVIR_BOUNDS;
    ::SendMessage(list, LVM_GETITEMRECT, 4, reinterpret_cast<LPARAM>(&plain));
    const int plainY = (plain.top + plain.bottom) / 2;
    EXPECT_EQ(at(240 - 4, plainY), QtDC::ToQColor(kTint)) << "tinted sort column";
    EXPECT_EQ(at(630, plainY), QColor(Qt::white));
    EXPECT_NE(at(630, plain.bottom - 1), QColor(Qt::white)) << "grid line under the row";
    EXPECT_NE(at(5, header->rect.bottom - 3), QColor(Qt::magenta)) << "header painted";
    for (int y = 0; y < image.height(); y += 7)
      for (int x = 0; x < image.width(); x += 7)
        ASSERT_NE(QColor(image.pixel(x, y)), QColor(Qt::magenta))
            << "unpainted at " << x << "," << y;
  }
  AfxServices().desktop = previousDesktop;
  ResetWindowSystem();
}
