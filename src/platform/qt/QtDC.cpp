#include "QtDC.h"

#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QPaintDevice>
#include <QPrinter>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QStyleOptionHeaderV2>
#include <QStyleOptionViewItem>
#include <QWidget>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "QtImages.h"
#include "platform/afx/CFont.h"
#include "platform/afx/CImageList.h"

namespace {

constexpr UINT kHorizontalFlags = DT_CENTER | DT_RIGHT;
// Bottom alignment of a single line; not in the shared vocabulary since nothing else uses it.
constexpr UINT kDtBottom = 0x0008;

QRect toQRect(const RECT& r) {
  return QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1));
}

QString fromBytes(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QtDC::QtDC(QPainter& painter, const QRect& clip, const QWidget* widget)
    : m_painter(&painter), m_clip(clip), m_widget(widget), m_baseFont(painter.font()) {
  m_painter->save();
}

QtDC::QtDC(QPaintDevice* device)
    : m_ownPainter(std::make_unique<QPainter>()), m_painter(m_ownPainter.get()), m_widget(nullptr) {
  if (device != nullptr && m_painter->begin(device)) {
    m_clip = QRect(0, 0, device->width(), device->height());
    m_baseFont = m_painter->font();
  }
  m_painter->save();
}

QtDC::~QtDC() {
  if (m_painter->isActive()) m_painter->restore();
  if (m_ownPainter && m_ownPainter->isActive()) m_ownPainter->end();
}

void QtDC::SetBaseFont(const QFont& font) {
  m_baseFont = font;
  m_painter->setFont(currentFont());
}

QFont QtDC::FontFor(HFONT font, const QFont& base) {
  QFont f = base;
  if (font == nullptr) return f;
  const LOGFONTA& lf = font->logFont;
  const auto faceLength = static_cast<qsizetype>(strnlen(lf.lfFaceName, LF_FACESIZE));
  if (faceLength > 0) f.setFamily(QString::fromUtf8(lf.lfFaceName, faceLength));
  if (lf.lfHeight < 0) {
    f.setPixelSize(std::min<LONG>(-lf.lfHeight, 1000));
  } else if (lf.lfHeight > 0) {
    // A cell height: the character height is the same share of it as in the base font.
    const QFontMetrics fm(base);
    const int em = QFontInfo(base).pixelSize();
    const int cell = std::min<LONG>(lf.lfHeight, 1000);
    f.setPixelSize(std::max(1, fm.height() > 0 ? cell * em / fm.height() : cell));
  }
  if (lf.lfWeight > 0)
    f.setWeight(static_cast<QFont::Weight>(std::clamp<LONG>(lf.lfWeight, 1, 1000)));
  f.setItalic(lf.lfItalic != 0);
  f.setUnderline(lf.lfUnderline != 0);
  f.setStrikeOut(lf.lfStrikeOut != 0);
  return f;
}

QColor QtDC::ToQColor(COLORREF color) {
  return QColor(GetRValue(color), GetGValue(color), GetBValue(color));
}

QStyle* QtDC::style() const {
  return m_widget != nullptr ? m_widget->style() : QApplication::style();
}

QPalette QtDC::palette() const {
  return m_widget != nullptr ? m_widget->palette() : QApplication::palette();
}

QFont QtDC::currentFont() const {
  return FontFor(m_font, m_baseFont);
}

qreal QtDC::devicePixelRatio() const {
  return m_painter->device() != nullptr ? m_painter->device()->devicePixelRatioF() : 1.0;
}

COLORREF QtDC::SetTextColor(COLORREF color) {
  return std::exchange(m_textColor, color);
}

COLORREF QtDC::SetBkColor(COLORREF color) {
  return std::exchange(m_bkColor, color);
}

int QtDC::SetBkMode(int mode) {
  if (mode != OPAQUE && mode != TRANSPARENT) return 0;
  return std::exchange(m_bkMode, mode);
}

HFONT QtDC::SelectFont(HFONT font) {
  HFONT old = std::exchange(m_font, font);
  m_painter->setFont(currentFont());
  return old;
}

int QtDC::SetMapMode(int mode) {
  // Only device units exist here; other modes are refused.
  return mode == MM_TEXT ? std::exchange(m_mapMode, mode) : 0;
}

RECT QtDC::GetClipBox() const {
  return RECT{m_clip.left(), m_clip.top(), m_clip.left() + m_clip.width(),
              m_clip.top() + m_clip.height()};
}

int QtDC::GetDeviceCaps(int index) const {
  const QPaintDevice* device = m_painter->device();
  if (device == nullptr) return 0;
  const QScreen* screen = m_widget != nullptr ? m_widget->screen() : nullptr;
  switch (index) {
    case BITSPIXEL:
      return screen != nullptr ? screen->depth() : device->depth();
    case HORZRES:
      return screen != nullptr ? screen->geometry().width() : device->width();
    case VERTRES:
      return screen != nullptr ? screen->geometry().height() : device->height();
    case LOGPIXELSX:
      return device->logicalDpiX();
    case LOGPIXELSY:
      return device->logicalDpiY();
    default:
      return 0;
  }
}

BOOL QtDC::GetTextMetrics(TEXTMETRIC* metrics) const {
  if (metrics == nullptr) return FALSE;
  const QFont font = currentFont();
  const QFontMetrics fm(font, m_painter->device());
  metrics->tmHeight = fm.height();
  metrics->tmAscent = fm.ascent();
  metrics->tmDescent = fm.descent();
  metrics->tmInternalLeading = std::max(0, fm.height() - QFontInfo(font).pixelSize());
  metrics->tmExternalLeading = std::max(0, fm.leading());
  metrics->tmAveCharWidth = fm.averageCharWidth();
  metrics->tmMaxCharWidth = fm.maxWidth();
  return TRUE;
}

SIZE QtDC::GetTextExtent(const std::string& text) const {
  const QFontMetrics fm(currentFont(), m_painter->device());
  return SIZE{fm.horizontalAdvance(fromBytes(text)), fm.height()};
}

void QtDC::FillSolidRect(const RECT& rect, COLORREF color) {
  StartPendingPage();
  if (IsRectEmpty(rect)) return;
  m_painter->fillRect(toQRect(rect), ToQColor(color));
}

void QtDC::FillTextBackground(const QRect& box) {
  if (m_bkMode == OPAQUE && !box.isEmpty()) m_painter->fillRect(box, ToQColor(m_bkColor));
}

BOOL QtDC::TextOut(int x, int y, const std::string& text) {
  StartPendingPage();
  const QString s = fromBytes(text);
  const QFontMetrics fm(currentFont(), m_painter->device());
  FillTextBackground(QRect(x, y, fm.horizontalAdvance(s), fm.height()));
  m_painter->setPen(ToQColor(m_textColor));
  m_painter->drawText(QPoint(x, y + fm.ascent()), s);
  return TRUE;
}

int QtDC::DrawText(const std::string& text, RECT& rect, UINT format) {
  StartPendingPage();
  const QRect box = toQRect(rect);
  const bool singleLine = (format & DT_SINGLELINE) != 0;
  int flags = 0;
  switch (format & kHorizontalFlags) {
    case DT_CENTER:
      flags |= Qt::AlignHCenter;
      break;
    case DT_RIGHT:
      flags |= Qt::AlignRight;
      break;
    default:
      flags |= Qt::AlignLeft;
  }
  if (singleLine && (format & DT_VCENTER) != 0)
    flags |= Qt::AlignVCenter;
  else if (singleLine && (format & kDtBottom) != 0)
    flags |= Qt::AlignBottom;
  else
    flags |= Qt::AlignTop;
  if (singleLine) flags |= Qt::TextSingleLine;
  const int mnemonic = (format & DT_NOPREFIX) != 0 ? 0 : Qt::TextShowMnemonic;
  flags |= mnemonic;

  const QFontMetrics fm(currentFont(), m_painter->device());
  QString s = fromBytes(text);
  if ((format & DT_END_ELLIPSIS) != 0) {
    if (singleLine) {
      s = fm.elidedText(s, Qt::ElideRight, std::max(0, box.width()), mnemonic);
    } else {
      QStringList lines = s.split(QLatin1Char('\n'));
      for (QString& line : lines)
        line = fm.elidedText(line, Qt::ElideRight, std::max(0, box.width()), mnemonic);
      s = lines.join(QLatin1Char('\n'));
    }
  }
  if (s.isEmpty()) return 0;
  // The toolkit clips to the rectangle unless told not to.
  const bool clip = (format & DT_NOCLIP) == 0;
  if (!clip) flags |= Qt::TextDontClip;
  const QRect bounds = fm.boundingRect(box, flags, s);
  FillTextBackground(clip ? bounds.intersected(box) : bounds);
  m_painter->setPen(ToQColor(m_textColor));
  m_painter->drawText(box, flags, s);
  return bounds.height();
}

void QtDC::DrawFocusRect(const RECT& rect) {
  StartPendingPage();
  if (IsRectEmpty(rect)) return;
  QStyleOptionFocusRect opt;
  opt.rect = toQRect(rect);
  opt.palette = palette();
  opt.state = QStyle::State_Enabled | QStyle::State_HasFocus | QStyle::State_KeyboardFocusChange;
  opt.backgroundColor = ToQColor(m_bkColor);
  style()->drawPrimitive(QStyle::PE_FrameFocusRect, &opt, m_painter, m_widget);
}

void QtDC::DrawLine(POINT from, POINT to, COLORREF color) {
  StartPendingPage();
  if (from.x == to.x && from.y == to.y) return;
  const QColor c = ToQColor(color);
  // Straight lines as one-pixel fills: exact at every device pixel ratio.
  if (from.y == to.y) {
    const int left = from.x < to.x ? from.x : to.x + 1;
    m_painter->fillRect(QRect(left, from.y, std::abs(to.x - from.x), 1), c);
  } else if (from.x == to.x) {
    const int top = from.y < to.y ? from.y : to.y + 1;
    m_painter->fillRect(QRect(from.x, top, 1, std::abs(to.y - from.y)), c);
  } else {
    m_painter->save();
    m_painter->setRenderHint(QPainter::Antialiasing, false);
    m_painter->setPen(QPen(c, 1));
    m_painter->drawLine(QPoint(from.x, from.y), QPoint(to.x, to.y));
    m_painter->restore();
  }
}

void QtDC::DrawImage(HIMAGELIST list, int index, int x, int y, int cx, int cy, COLORREF bk,
                     COLORREF fg, UINT style, DWORD rop) {
  StartPendingPage();
  (void)rop;  // every caller copies
  if (list == nullptr) return;
  const ImageResource* image = list->Image(index);
  if (image == nullptr) return;
  const int width = cx > 0 ? std::min(cx, list->Width()) : list->Width();
  const int height = cy > 0 ? std::min(cy, list->Height()) : list->Height();
  if (width <= 0 || height <= 0) return;
  const QRect target(x, y, width, height);
  if (bk != CLR_NONE && bk != CLR_DEFAULT) m_painter->fillRect(target, ToQColor(bk));

  const qreal dpr = devicePixelRatio();
  QPixmap pixmap;
  if ((style & ILD_MASK) != 0) {
    pixmap = QtImages::Blended(*image, dpr, Qt::black, 1.0);
  } else if ((style & (ILD_BLEND50 | ILD_BLEND25)) != 0) {
    const QColor colour = fg == CLR_DEFAULT || fg == CLR_NONE
                              ? palette().color(QPalette::Active, QPalette::Highlight)
                              : ToQColor(fg);
    pixmap = QtImages::Blended(*image, dpr, colour, (style & ILD_BLEND50) != 0 ? 0.5 : 0.25);
  } else {
    pixmap = QtImages::Pixmap(*image, dpr);
  }
  if (pixmap.isNull()) return;
  // The picture fills the list's cell (scaled if the resource has another size), cut to cx, cy.
  m_painter->save();
  m_painter->setClipRect(target, Qt::IntersectClip);
  m_painter->setRenderHint(QPainter::SmoothPixmapTransform, true);
  m_painter->drawPixmap(QRect(x, y, list->Width(), list->Height()), pixmap);
  m_painter->restore();
}

void QtDC::DrawBitmap(const CBitmap& bitmap, int x, int y, int cx, int cy) {
  StartPendingPage();
  if (bitmap.IsNull()) return;
  const QPixmap pixmap = QtImages::Pixmap(*bitmap.Image(), devicePixelRatio());
  if (pixmap.isNull()) return;
  const int width = cx > 0 ? std::min(cx, bitmap.Width()) : bitmap.Width();
  const int height = cy > 0 ? std::min(cy, bitmap.Height()) : bitmap.Height();
  if (width <= 0 || height <= 0) return;
  m_painter->save();
  m_painter->setClipRect(QRect(x, y, width, height), Qt::IntersectClip);
  m_painter->drawPixmap(QRect(x, y, bitmap.Width(), bitmap.Height()), pixmap);
  m_painter->restore();
}

void QtDC::DrawHeaderItem(const HeaderItemPaint& item) {
  StartPendingPage();
  if (IsRectEmpty(item.rect)) return;
  QStyle* st = style();
  QStyleOptionHeaderV2 opt;
  opt.rect = toQRect(item.rect);
  opt.palette = palette();
  opt.fontMetrics = QFontMetrics(currentFont(), m_painter->device());
  opt.state = QStyle::State_Enabled | QStyle::State_Horizontal | QStyle::State_Raised;
  if (item.pressed) opt.state |= QStyle::State_Sunken;
  if (item.hot) opt.state |= QStyle::State_MouseOver;
  opt.orientation = Qt::Horizontal;
  opt.position = QStyleOptionHeader::Middle;
  opt.textElideMode = Qt::ElideRight;
  opt.text = fromBytes(item.text);
  switch (item.fmt & HDF_JUSTIFYMASK) {
    case HDF_RIGHT:
      opt.textAlignment = Qt::AlignRight | Qt::AlignVCenter;
      break;
    case HDF_CENTER:
      opt.textAlignment = Qt::AlignHCenter | Qt::AlignVCenter;
      break;
    default:
      opt.textAlignment = Qt::AlignLeft | Qt::AlignVCenter;
  }
  // Up for ascending, down for descending, whatever the toolkit's item views make of them.
  if ((item.fmt & HDF_SORTUP) != 0)
    opt.sortIndicator = QStyleOptionHeader::SortUp;
  else if ((item.fmt & HDF_SORTDOWN) != 0)
    opt.sortIndicator = QStyleOptionHeader::SortDown;

  m_painter->save();
  m_painter->setFont(currentFont());
  st->drawControl(QStyle::CE_HeaderSection, &opt, m_painter, m_widget);

  QRect label = st->subElementRect(QStyle::SE_HeaderLabel, &opt, m_widget);
  const ImageResource* image = (item.fmt & HDF_IMAGE) != 0 && item.images != nullptr
                                   ? item.images->Image(item.image)
                                   : nullptr;
  QPixmap pixmap = image != nullptr ? QtImages::Pixmap(*image, devicePixelRatio()) : QPixmap();
  if (!pixmap.isNull()) {
    // Room for the picture beside the text: after it with BITMAP_ON_RIGHT, before it otherwise.
    const QSize size(item.images->Width(), item.images->Height());
    const int gap = 4;
    const int textWidth =
        std::min(opt.fontMetrics.horizontalAdvance(opt.text), label.width() - size.width() - gap);
    QRect textRect = label;
    QRect imageRect(QPoint(0, label.top() + (label.height() - size.height()) / 2), size);
    if ((item.fmt & HDF_BITMAP_ON_RIGHT) != 0) {
      textRect.setRight(label.right() - size.width() - gap);
      int textLeft = label.left();
      if (opt.textAlignment & Qt::AlignRight)
        textLeft = textRect.right() + 1 - textWidth;
      else if (opt.textAlignment & Qt::AlignHCenter)
        textLeft = label.left() + (textRect.width() - textWidth) / 2;
      imageRect.moveLeft(textLeft + std::max(0, textWidth) + gap);
    } else {
      imageRect.moveLeft(label.left());
      textRect.setLeft(label.left() + size.width() + gap);
    }
    label = textRect;
    m_painter->save();
    m_painter->setClipRect(opt.rect, Qt::IntersectClip);
    m_painter->drawPixmap(imageRect, pixmap);
    m_painter->restore();
  }
  QStyleOptionHeaderV2 labelOpt = opt;
  labelOpt.rect = label;
  st->drawControl(QStyle::CE_HeaderLabel, &labelOpt, m_painter, m_widget);
  if (opt.sortIndicator != QStyleOptionHeader::None) {
    QStyleOptionHeaderV2 arrow = opt;
    arrow.rect = st->subElementRect(QStyle::SE_HeaderArrow, &opt, m_widget);
    st->drawPrimitive(QStyle::PE_IndicatorHeaderArrow, &arrow, m_painter, m_widget);
  }
  m_painter->restore();
}

void QtDC::DrawSelectionBackground(const RECT& rect, bool focused, COLORREF color) {
  StartPendingPage();
  if (IsRectEmpty(rect)) return;
  const QPalette pal = palette();
  const QColor highlight = pal.color(QPalette::Active, QPalette::Highlight);
  // Only the system highlight gets the style's look; other colours (hot item, button face)
  // are the caller's choice and filled as given.
  if (ToQColor(color) != highlight) {
    FillSolidRect(rect, color);
    return;
  }
  QStyleOptionViewItem opt;
  opt.rect = toQRect(rect);
  opt.palette = pal;
  opt.state = QStyle::State_Enabled | QStyle::State_Selected;
  if (focused) opt.state |= QStyle::State_Active;
  opt.showDecorationSelected = true;
  opt.viewItemPosition = QStyleOptionViewItem::OnlyOne;
  const QPalette::ColorGroup group = focused ? QPalette::Active : QPalette::Inactive;
  m_painter->fillRect(opt.rect, pal.brush(group, QPalette::Highlight));
  style()->drawPrimitive(QStyle::PE_PanelItemViewItem, &opt, m_painter, m_widget);
}

void QtDC::StartPendingPage() {
  if (!m_pageEnded) return;
  m_pageEnded = false;
  if (auto* printer = dynamic_cast<QPrinter*>(m_painter->device())) printer->newPage();
}

int QtDC::Escape(int code) {
  QPaintDevice* device = m_painter->device();
  switch (code) {
    case NEWFRAME:
      // Ends the page; the next page starts with the next drawing, so the last page's end
      // leaves no empty page behind.
      if (device == nullptr || device->devType() != QInternal::Printer) return 0;
      // A page ended and nothing drawn since: still the same end, no empty page between.
      m_pageEnded = true;
      return 1;
    case ENDDOC:
      if (!m_ownPainter || !m_ownPainter->isActive()) return 0;
      m_pageEnded = false;
      m_ownPainter->restore();
      return m_ownPainter->end() ? 1 : 0;
    default:
      return 0;
  }
}
