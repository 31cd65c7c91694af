// The screen device context: texts, fills, lines, images and the style's looks, checked on
// the pixels of an image.
#include <gtest/gtest.h>

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPalette>
#include <QPrinter>
#include <memory>

#include "platform/afx/CFont.h"
#include "platform/afx/CImageList.h"
#include "platform/qt/QtDC.h"
#include "platform/qt/QtImages.h"

namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;

QImage blankImage(int w = 200, int h = 60) {
  QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
  image.fill(kWhite);
  return image;
}

// Columns holding any pixel that is not white.
std::pair<int, int> inkColumns(const QImage& image) {
  int first = -1;
  int last = -1;
  for (int x = 0; x < image.width(); ++x)
    for (int y = 0; y < image.height(); ++y)
      if (image.pixel(x, y) != kWhite) {
        if (first < 0) first = x;
        last = x;
        break;
      }
  return {first, last};
}

std::shared_ptr<ImageResource> solidImage(int w, int h, std::uint32_t argb) {
  auto image = std::make_shared<ImageResource>();
  image->width = w;
  image->height = h;
  image->argb.assign(static_cast<std::size_t>(w) * h, argb);
  return image;
}

const std::string kLongText = "A device name far too long for its little cell in the list";

}  // namespace

TEST(QtDCText, EllipsisKeepsTheTextInsideTheRect) {
  struct Case {
    const char* name;
    UINT format;
    bool staysInside;
  };
  const Case cases[] = {
      {"end ellipsis, no clip", DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP | DT_END_ELLIPSIS, true},
      {"clipped", DT_SINGLELINE | DT_NOPREFIX, true},
      {"neither clip nor ellipsis", DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QImage image = blankImage();
    {
      QtDC dc(&image);
      dc.SetBkMode(TRANSPARENT);
      RECT rect{10, 10, 90, 40};
      dc.DrawText(kLongText, rect, c.format);
    }
    const auto [first, last] = inkColumns(image);
    EXPECT_GE(first, 10);
    if (c.staysInside) {
      EXPECT_LT(last, 90);
    } else {
      EXPECT_GE(last, 90);
    }
  }
}

TEST(QtDCText, EllipsisEndsTheVisibleTextWithTheEllipsisCharacter) {
  QImage shortened = blankImage();
  QImage exact = blankImage();
  {
    QtDC dc(&shortened);
    RECT rect{0, 0, 80, 30};
    dc.DrawText(kLongText, rect, DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
  }
  {
    // The same rectangle wide enough shows the full text: the elided drawing differs.
    QtDC dc(&exact);
    RECT rect{0, 0, 80, 30};
    dc.DrawText(kLongText, rect, DT_SINGLELINE | DT_NOPREFIX);
  }
  EXPECT_NE(shortened, exact);
}

TEST(QtDCText, AlignmentFlagsPlaceTheText) {
  struct Case {
    const char* name;
    UINT align;
  };
  const Case cases[] = {{"left", DT_LEFT}, {"centre", DT_CENTER}, {"right", DT_RIGHT}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QImage image = blankImage();
    {
      QtDC dc(&image);
      RECT rect{20, 0, 180, 40};
      dc.DrawText("IP", rect, DT_SINGLELINE | DT_VCENTER | c.align);
    }
    const auto [first, last] = inkColumns(image);
    ASSERT_GE(first, 0);
    const int leftGap = first - 20;
    const int rightGap = 179 - last;
    if (c.align == DT_LEFT) {
      EXPECT_LT(leftGap, 5);
    } else if (c.align == DT_RIGHT) {
      EXPECT_LT(rightGap, 5);
    } else {
      EXPECT_NEAR(leftGap, rightGap, 4);
    }
  }
}

TEST(QtDCText, OpaqueModeFillsTheTextBackgroundTransparentDoesNot) {
  for (int mode : {OPAQUE, TRANSPARENT}) {
    QImage image = blankImage();
    {
      QtDC dc(&image);
      dc.SetBkMode(mode);
      dc.SetBkColor(RGB(0, 255, 0));
      dc.TextOut(5, 5, "Gateway");
    }
    EXPECT_EQ(image.pixel(6, 6) == qRgb(0, 255, 0), mode == OPAQUE) << "mode " << mode;
  }
}

TEST(QtDCText, InvalidUtf8IsDrawnWithoutHarm) {
  QImage image = blankImage();
  QtDC dc(&image);
  RECT rect{0, 0, 200, 60};
  const std::string bytes("\xff\xfe\xc3(\x80 name\0tail", 16);
  EXPECT_GT(dc.DrawText(bytes, rect, DT_SINGLELINE | DT_END_ELLIPSIS), 0);
  EXPECT_TRUE(dc.TextOut(0, 0, bytes));
}

TEST(QtDCDrawing, ColourRefIsBlueGreenRed) {
  QImage image = blankImage();
  {
    QtDC dc(&image);
    dc.FillSolidRect(RECT{2, 3, 12, 13}, RGB(10, 20, 30));
  }
  EXPECT_EQ(image.pixel(2, 3), qRgb(10, 20, 30));
  EXPECT_EQ(image.pixel(11, 12), qRgb(10, 20, 30));
  EXPECT_EQ(image.pixel(12, 12), kWhite);
  EXPECT_EQ(image.pixel(11, 13), kWhite);
}

TEST(QtDCDrawing, LinesLeaveOutTheirEndPoint) {
  struct Case {
    const char* name;
    POINT from, to;
    QPoint drawnFirst, drawnLast, notDrawn;
  };
  const Case cases[] = {
      {"rightwards", {10, 5}, {20, 5}, {10, 5}, {19, 5}, {20, 5}},
      {"leftwards", {20, 5}, {10, 5}, {20, 5}, {11, 5}, {10, 5}},
      {"downwards", {7, 10}, {7, 30}, {7, 10}, {7, 29}, {7, 30}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QImage image = blankImage();
    {
      QtDC dc(&image);
      dc.DrawLine(c.from, c.to, RGB(255, 0, 0));
    }
    EXPECT_EQ(image.pixel(c.drawnFirst), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(c.drawnLast), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(c.notDrawn), kWhite);
  }
}

TEST(QtDCDrawing, SystemHighlightSelectionCoversTheRectOtherColoursAreFilledAsGiven) {
  const QColor highlight = QApplication::palette().color(QPalette::Active, QPalette::Highlight);
  const COLORREF highlightRef = RGB(highlight.red(), highlight.green(), highlight.blue());
  QImage image = blankImage();
  {
    QtDC dc(&image);
    dc.DrawSelectionBackground(RECT{0, 0, 100, 20}, true, highlightRef);
    dc.DrawSelectionBackground(RECT{0, 30, 100, 50}, false, RGB(240, 240, 240));
  }
  for (QPoint p : {QPoint(1, 1), QPoint(50, 10), QPoint(98, 18)})
    EXPECT_EQ(QColor(image.pixel(p)), highlight) << p.x() << "," << p.y();
  EXPECT_EQ(image.pixel(50, 40), qRgb(240, 240, 240));
  EXPECT_EQ(image.pixel(50, 25), kWhite);
}

TEST(QtDCDrawing, DeviceCapsDescribeTheDevice) {
  QImage image = blankImage(320, 100);
  QtDC dc(&image);
  EXPECT_EQ(dc.GetDeviceCaps(HORZRES), 320);
  EXPECT_EQ(dc.GetDeviceCaps(VERTRES), 100);
  EXPECT_EQ(dc.GetDeviceCaps(BITSPIXEL), 32);
  EXPECT_GT(dc.GetDeviceCaps(LOGPIXELSY), 0);
  const RECT clip = dc.GetClipBox();
  EXPECT_EQ(clip.right, 320);
  EXPECT_EQ(clip.bottom, 100);
}

TEST(QtDCFonts, LogicalFontBecomesTheDrawingFont) {
  LOGFONTA lf;
  lf.lfHeight = -20;
  lf.lfUnderline = 1;
  lf.lfWeight = FW_BOLD;
  CFont font;
  ASSERT_TRUE(font.CreateFontIndirect(&lf));
  const QFont base = QApplication::font();
  const QFont f = QtDC::FontFor(font, base);
  EXPECT_TRUE(f.underline());
  EXPECT_EQ(f.pixelSize(), 20);
  EXPECT_EQ(f.weight(), QFont::Bold);
  EXPECT_EQ(QtDC::FontFor(nullptr, base), base);

  QImage image = blankImage();
  QtDC dc(&image);
  TEXTMETRIC before;
  dc.GetTextMetrics(&before);
  const SIZE plain = dc.GetTextExtent("MAC");
  EXPECT_EQ(dc.SelectFont(font), nullptr);
  TEXTMETRIC after;
  dc.GetTextMetrics(&after);
  EXPECT_GT(dc.GetTextExtent("MAC").cx, plain.cx);
  EXPECT_NE(after.tmHeight, before.tmHeight);
  EXPECT_EQ(dc.SelectFont(nullptr), font.GetSafeHandle());
}

TEST(QtDCImages, ImageIsCutToTheGivenSizeAndBlendedWhenSelected) {
  CImageList list;
  list.Create(16, 16, ILC_COLOR32 | ILC_MASK, 0, 1);
  list.m_hImageList->Add(solidImage(16, 16, 0xFF0000FFu));  // opaque blue
  QImage image = blankImage();
  {
    QtDC dc(&image);
    dc.DrawImage(list, 0, 10, 10, 8, 4, CLR_NONE, CLR_DEFAULT, ILD_NORMAL, SRCCOPY);
    dc.DrawImage(list, 0, 40, 10, 0, 0, CLR_NONE, RGB(255, 0, 0), ILD_BLEND50, SRCCOPY);
  }
  EXPECT_EQ(image.pixel(10, 10), qRgb(0, 0, 255));
  EXPECT_EQ(image.pixel(17, 13), qRgb(0, 0, 255));
  EXPECT_EQ(image.pixel(18, 13), kWhite);
  EXPECT_EQ(image.pixel(17, 14), kWhite);
  const QColor blended(image.pixel(45, 15));
  EXPECT_NEAR(blended.red(), 128, 2);
  EXPECT_NEAR(blended.blue(), 127, 2);
  EXPECT_EQ(image.pixel(55, 25), blended.rgb());  // the whole 16 x 16 cell
}

TEST(QtDCImages, TransparentPixelsKeepTheGround) {
  CImageList list;
  list.Create(2, 1, ILC_COLOR32 | ILC_MASK, 0, 1);
  auto picture = solidImage(2, 1, 0xFF000000u);
  picture->argb[1] = 0;  // what AddMasked makes of the mask colour
  list.m_hImageList->Add(picture);
  QImage image = blankImage();
  {
    QtDC dc(&image);
    dc.DrawImage(list, 0, 0, 0, 0, 0, CLR_NONE, CLR_DEFAULT, ILD_NORMAL, SRCCOPY);
  }
  EXPECT_EQ(image.pixel(0, 0), qRgb(0, 0, 0));
  EXPECT_EQ(image.pixel(1, 0), kWhite);
}

TEST(QtDCImages, DecodedOnceThenTakenFromTheCache) {
  QtImages::ClearCache();
  CImageList list;
  list.Create(16, 16, ILC_COLOR32, 0, 1);
  list.m_hImageList->Add(solidImage(16, 16, 0xFF00FF00u));
  QImage image = blankImage();
  const int before = QtImages::DecodeCount();
  {
    QtDC dc(&image);
    for (int row = 0; row < 30; ++row)
      dc.DrawImage(list, 0, 0, 0, 0, 0, CLR_NONE, CLR_DEFAULT, ILD_NORMAL, SRCCOPY);
  }
  EXPECT_EQ(QtImages::DecodeCount() - before, 1);
}

TEST(QtDCImages, ChangedPixelsAtTheSameAddressAreDecodedAgain) {
  // The arrow images are rebuilt in a new colour after a colour change; a freed resource's
  // address may come back for the new one.
  ImageResource resource;
  resource.width = 1;
  resource.height = 1;
  resource.argb = {0xFF808080u};
  EXPECT_EQ(QtImages::Pixmap(resource, 1.0).toImage().pixel(0, 0), qRgb(128, 128, 128));
  resource.argb = {0xFF204060u};
  EXPECT_EQ(QtImages::Pixmap(resource, 1.0).toImage().pixel(0, 0), qRgb(0x20, 0x40, 0x60));
}

TEST(QtDCImages, BadPicturesDrawNothing) {
  struct Case {
    const char* name;
    ImageResource resource;
  };
  ImageResource garbage;
  garbage.width = 16;
  garbage.height = 16;
  garbage.png = {0x89, 'P', 'N', 'G', 1, 2, 3};
  ImageResource shortPixels;
  shortPixels.width = 16;
  shortPixels.height = 16;
  shortPixels.argb.assign(10, 0xFF000000u);
  ImageResource noSize;
  noSize.argb.assign(4, 0xFF000000u);
  const Case cases[] = {{"undecodable bytes", garbage},
                        {"fewer pixels than the size", shortPixels},
                        {"no size", noSize}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CImageList list;
    list.Create(16, 16, ILC_COLOR32, 0, 1);
    list.m_hImageList->Add(std::make_shared<ImageResource>(c.resource));
    QImage image = blankImage();
    {
      QtDC dc(&image);
      dc.DrawImage(list, 0, 0, 0, 0, 0, CLR_NONE, CLR_DEFAULT, ILD_NORMAL, SRCCOPY);
      dc.DrawImage(list, 5, 0, 0, 0, 0, CLR_NONE, CLR_DEFAULT, ILD_NORMAL, SRCCOPY);
      dc.DrawImage(nullptr, 0, 0, 0, 0, 0, CLR_NONE, CLR_DEFAULT, ILD_NORMAL, SRCCOPY);
    }
    EXPECT_EQ(inkColumns(image).first, -1);
  }
}

TEST(QtDCImages, DoubleSizePictureIsUsedOnHighDensityDevices) {
  auto pngOf = [](QRgb colour, int size) {
    QImage img(size, size, QImage::Format_ARGB32);
    img.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    img.save(&buffer, "PNG");
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
  };
  ImageResource resource;
  resource.width = 4;
  resource.height = 4;
  resource.png = pngOf(qRgb(255, 0, 0), 4);
  resource.png2x = pngOf(qRgb(0, 0, 255), 8);
  const QPixmap normal = QtImages::Pixmap(resource, 1.0);
  const QPixmap dense = QtImages::Pixmap(resource, 2.0);
  EXPECT_EQ(normal.toImage().pixel(0, 0), qRgb(255, 0, 0));
  EXPECT_EQ(dense.toImage().pixel(0, 0), qRgb(0, 0, 255));
  EXPECT_EQ(dense.deviceIndependentSize().toSize(), QSize(4, 4));
}

TEST(QtDCHeader, SortIndicatorAndImageAreDrawn) {
  auto draw = [](int fmt, HIMAGELIST images) {
    QImage image = blankImage(160, 24);
    QtDC dc(&image);
    HeaderItemPaint item;
    item.rect = RECT{0, 0, 160, 24};
    item.text = "IP";
    item.fmt = fmt;
    item.images = images;
    item.image = 0;
    dc.DrawHeaderItem(item);
    return image;
  };
  const QImage plain = draw(HDF_STRING, nullptr);
  EXPECT_NE(draw(HDF_STRING | HDF_SORTUP, nullptr), plain);
  EXPECT_NE(draw(HDF_STRING | HDF_SORTDOWN, nullptr), plain);
  EXPECT_NE(draw(HDF_STRING | HDF_SORTUP, nullptr), draw(HDF_STRING | HDF_SORTDOWN, nullptr));

  CImageList arrows;
  arrows.Create(9, 5, ILC_COLOR24 | ILC_MASK, 2, 0);
  arrows.m_hImageList->Add(solidImage(9, 5, 0xFFFF00FFu));
  const QImage withImage = draw(HDF_STRING | HDF_IMAGE | HDF_BITMAP_ON_RIGHT, arrows);
  int magentaLeft = -1;
  for (int x = 0; x < withImage.width() && magentaLeft < 0; ++x)
    if (withImage.pixel(x, 12) == qRgb(255, 0, 255)) magentaLeft = x;
  // Just after the short left-aligned text, not at the far right of the item.
  EXPECT_GT(magentaLeft, 10);
  EXPECT_LT(magentaLeft, 60);
}

TEST(QtDCPrinter, EachNewFrameEndsOnePageAndEndDocFinishesTheFile) {
  const QString path = QDir::temp().filePath("lanorix_qtdc_print_test.pdf");
  QFile::remove(path);
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(path);
  {
    QtDC dc(&printer);
    ASSERT_TRUE(dc.isActive());
    EXPECT_EQ(dc.GetDeviceCaps(LOGPIXELSY), printer.resolution());
    EXPECT_EQ(dc.GetDeviceCaps(HORZRES), printer.width());
    dc.TextOut(100, 100, "Gateway-A\t192.168.1.10");
    EXPECT_EQ(dc.Escape(NEWFRAME), 1);
    dc.TextOut(100, 100, "Test bench\t192.168.1.15");
    EXPECT_EQ(dc.Escape(NEWFRAME), 1);  // the last page's end adds no empty page
    EXPECT_EQ(dc.Escape(ENDDOC), 1);
    EXPECT_EQ(dc.Escape(ENDDOC), 0);
  }
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_TRUE(file.readAll().contains("/Count 2"));
  file.close();
  QFile::remove(path);
}

TEST(QtDCPrinter, NewFrameOnAScreenPictureDoesNothing) {
  QImage image = blankImage();
  QtDC dc(&image);
  EXPECT_EQ(dc.Escape(NEWFRAME), 0);
}
