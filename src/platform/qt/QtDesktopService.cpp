#include "QtDesktopService.h"

#include <QApplication>
#include <QCursor>
#include <QFontMetrics>
#include <QMenu>
#include <QPalette>
#include <QScreen>
#include <QWidget>

#include "QtDC.h"
#include "QtMenuBuilder.h"
#include "platform/afx/CMenu.h"
#include "platform/afx/SystemCursors.h"

namespace {

COLORREF FromQColor(const QColor& c) {
  return RGB(static_cast<unsigned>(c.red()), static_cast<unsigned>(c.green()),
             static_cast<unsigned>(c.blue()));
}

Qt::CursorShape ShapeOf(HCURSOR cursor) {
  if (cursor == nullptr) return Qt::ArrowCursor;
  switch (cursor->id) {
    case IDC_HAND:
      return Qt::PointingHandCursor;
    case IDC_SIZEWE:
      return Qt::SplitHCursor;
    case IDC_IBEAM:
      return Qt::IBeamCursor;
    default:
      return Qt::ArrowCursor;
  }
}

}  // namespace

UINT QtDesktopService::TrackPopupMenu(CMenu& menu, UINT, POINT screenPoint, CWnd* owner) {
  QMenu popup;
  QtMenuBuilder::Fill(&popup, menu, owner);
  QAction* chosen = popup.exec(QPoint(screenPoint.x, screenPoint.y));
  return QtMenuBuilder::CommandOf(chosen);
}

POINT QtDesktopService::GetCursorPos() {
  const QPoint p = QCursor::pos();
  return POINT{p.x(), p.y()};
}

COLORREF QtDesktopService::GetSysColor(int index) {
  const QPalette palette = QApplication::palette();
  switch (index) {
    case COLOR_WINDOW:
      return FromQColor(palette.color(QPalette::Base));
    case COLOR_WINDOWTEXT:
      return FromQColor(palette.color(QPalette::Text));
    case COLOR_HIGHLIGHT:
      return FromQColor(palette.color(QPalette::Highlight));
    case COLOR_HIGHLIGHTTEXT:
      return FromQColor(palette.color(QPalette::HighlightedText));
    case COLOR_BTNFACE:
      return FromQColor(palette.color(QPalette::Button));
    case COLOR_BTNSHADOW:
      return FromQColor(palette.color(QPalette::Dark));
    case COLOR_BTNTEXT:
      return FromQColor(palette.color(QPalette::ButtonText));
    case COLOR_BTNHIGHLIGHT:
      return FromQColor(palette.color(QPalette::Light));
    case COLOR_GRAYTEXT:
      return FromQColor(palette.color(QPalette::Disabled, QPalette::Text));
    case COLOR_HOTLIGHT:
      return FromQColor(palette.color(QPalette::Link));
    default:
      return FromQColor(palette.color(QPalette::WindowText));
  }
}

int QtDesktopService::BitsPerPixel(HWND) {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen != nullptr ? screen->depth() : 32;
}

HCURSOR QtDesktopService::LoadSystemCursor(int id) {
  return SystemCursor(id);
}

void QtDesktopService::SetCursor(HCURSOR cursor) {
  if (QWidget* under = QApplication::widgetAt(QCursor::pos())) under->setCursor(ShapeOf(cursor));
}

SIZE QtDesktopService::MeasureText(HFONT font, const std::string& text) {
  const QFontMetrics fm(QtDC::FontFor(font, QApplication::font()));
  const QString s = QString::fromUtf8(text.data(), static_cast<int>(text.size()));
  return SIZE{fm.horizontalAdvance(s), fm.height()};
}

TEXTMETRIC QtDesktopService::FontMetrics(HFONT font) {
  const QFontMetrics fm(QtDC::FontFor(font, QApplication::font()));
  TEXTMETRIC tm;
  tm.tmHeight = fm.height();
  tm.tmAscent = fm.ascent();
  tm.tmDescent = fm.descent();
  tm.tmExternalLeading = fm.leading();
  tm.tmAveCharWidth = fm.averageCharWidth();
  tm.tmMaxCharWidth = fm.maxWidth();
  return tm;
}
