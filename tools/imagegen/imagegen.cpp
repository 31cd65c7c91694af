// Draws the program's pictures (application icon, device icons, toolbar strip, logo) and
// writes them as PNG files at 1x and 2x into a directory:  imagegen <dir>
// The pictures are drawn in a 32-unit (or 16-unit) square so each scale is crisp.
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cstdio>
#include <functional>

namespace {

using Draw = std::function<void(QPainter&, int size)>;

const QColor kBlue(0x1f, 0x6f, 0xc5);
const QColor kBlueDark(0x12, 0x45, 0x86);
const QColor kGreen(0x2e, 0xa0, 0x43);
const QColor kOrange(0xe8, 0x8a, 0x1a);
const QColor kRed(0xcc, 0x33, 0x2b);
const QColor kGrey(0x7a, 0x80, 0x88);
const QColor kGreyDark(0x3c, 0x41, 0x48);

QImage Render(int w, int h, int scale, const Draw& draw, int unit) {
  QImage img(w * scale, h * scale, QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  p.scale(scale, scale);
  draw(p, unit);
  p.end();
  return img;
}

bool Save(const QString& dir, const QString& name, int w, int h, const Draw& draw, int unit) {
  bool ok = Render(w, h, 1, draw, unit).save(dir + "/" + name + ".png");
  ok = Render(w, h, 2, draw, unit).save(dir + "/" + name + "@2x.png") && ok;
  if (!ok) std::fprintf(stderr, "imagegen: cannot write %s\n", qPrintable(name));
  return ok;
}

// A device-server box seen from the front: body, port, status lights. Units of s/32.
void DeviceBox(QPainter& p, int s, const QColor& body, const QColor& light) {
  p.save();
  p.scale(s / 32.0, s / 32.0);
  QLinearGradient g(0, 8, 0, 26);
  g.setColorAt(0, body.lighter(135));
  g.setColorAt(1, body.darker(120));
  p.setPen(QPen(body.darker(170), 1.2));
  p.setBrush(g);
  p.drawRoundedRect(QRectF(2.5, 9.5, 27, 15), 2.5, 2.5);
  // Front plate.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255, 60));
  p.drawRoundedRect(QRectF(4, 11, 24, 4), 1.5, 1.5);
  // Network port.
  p.setBrush(QColor(0x22, 0x22, 0x22));
  p.drawRect(QRectF(5, 16.5, 7, 5.5));
  p.setBrush(QColor(0xd8, 0xb4, 0x3c));
  p.drawRect(QRectF(6.5, 17.5, 4, 1.2));
  // Status lights.
  p.setBrush(light);
  p.drawEllipse(QPointF(19, 19.5), 1.7, 1.7);
  p.setBrush(kOrange);
  p.drawEllipse(QPointF(24, 19.5), 1.7, 1.7);
  // Feet.
  p.setBrush(body.darker(200));
  p.drawRect(QRectF(5, 24.5, 4, 1.5));
  p.drawRect(QRectF(23, 24.5, 4, 1.5));
  p.restore();
}

void Badge(QPainter& p, int s, const QColor& colour, const std::function<void(QPainter&)>& glyph) {
  p.save();
  p.scale(s / 32.0, s / 32.0);
  p.setPen(QPen(Qt::white, 1.2));
  p.setBrush(colour);
  p.drawEllipse(QPointF(24, 8), 7, 7);
  glyph(p);
  p.restore();
}

void Antenna(QPainter& p, int s) {
  p.save();
  p.scale(s / 32.0, s / 32.0);
  p.setPen(QPen(kGreyDark, 1.6, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(25, 9.5), QPointF(25, 2.5));
  p.setPen(QPen(kBlue, 1.3, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(20.5, 0.5, 9, 9), 30 * 16, 120 * 16);
  p.drawArc(QRectF(17.5, -2, 15, 13), 40 * 16, 100 * 16);
  p.restore();
}

// The seven device pictures, by resource id.
void DeviceIcon(QPainter& p, int s, int id) {
  switch (id) {
    case 158:  // a device of unknown type
      DeviceBox(p, s, kGrey, QColor(0x9a, 0xa0, 0xa6));
      Badge(p, s, kGreyDark, [](QPainter& q) {
        QFont f("DejaVu Sans", 1);
        f.setPixelSize(11);
        f.setBold(true);
        q.setFont(f);
        q.setPen(Qt::white);
        q.drawText(QRectF(17, 1, 14, 14), Qt::AlignCenter, "?");
      });
      break;
    case 151:  // the known device servers
      DeviceBox(p, s, kBlue, kGreen);
      break;
    case 147:  // serial model: a DB9 plug on the side
      DeviceBox(p, s, QColor(0x2d, 0x8a, 0x6e), kGreen);
      p.save();
      p.scale(s / 32.0, s / 32.0);
      p.setPen(QPen(kGreyDark, 1));
      p.setBrush(QColor(0xc8, 0xcc, 0xd0));
      p.drawRoundedRect(QRectF(8, 3, 16, 6), 2, 2);
      p.setPen(Qt::NoPen);
      p.setBrush(kGreyDark);
      for (int i = 0; i < 5; ++i) p.drawEllipse(QPointF(10.5 + i * 2.75, 6), 0.8, 0.8);
      p.restore();
      break;
    case 153:  // wireless model
      DeviceBox(p, s, QColor(0x5b, 0x4a, 0xb5), kGreen);
      Antenna(p, s);
      break;
    case 155:  // industrial model: orange body
      DeviceBox(p, s, QColor(0xd0, 0x74, 0x16), kGreen);
      break;
    case 157:  // device with a fault light
      DeviceBox(p, s, QColor(0x4f, 0x5b, 0x66), kRed);
      break;
    default:
      break;
  }
}

void AppIcon(QPainter& p, int s) {
  p.save();
  p.scale(s / 32.0, s / 32.0);
  // Network: three linked nodes behind a magnifier.
  QRadialGradient bg(QPointF(12, 10), 18);
  bg.setColorAt(0, kBlue.lighter(150));
  bg.setColorAt(1, kBlueDark);
  p.setPen(QPen(kBlueDark.darker(130), 1));
  p.setBrush(bg);
  p.drawRoundedRect(QRectF(1.5, 1.5, 29, 29), 6, 6);
  p.setPen(QPen(QColor(255, 255, 255, 170), 1.4));
  p.drawLine(QPointF(7, 23), QPointF(16, 8));
  p.drawLine(QPointF(16, 8), QPointF(25, 23));
  p.drawLine(QPointF(7, 23), QPointF(25, 23));
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  for (QPointF c : {QPointF(7, 23), QPointF(16, 8), QPointF(25, 23)}) p.drawEllipse(c, 3, 3);
  p.setBrush(kGreen);
  p.drawEllipse(QPointF(16, 8), 1.6, 1.6);
  p.setBrush(kOrange);
  p.drawEllipse(QPointF(7, 23), 1.6, 1.6);
  p.drawEllipse(QPointF(25, 23), 1.6, 1.6);
  // Magnifier.
  p.setPen(QPen(QColor(0x30, 0x30, 0x30), 3, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(22, 18), QPointF(28.5, 25.5));
  p.setPen(QPen(Qt::white, 2.2));
  p.setBrush(QColor(255, 255, 255, 70));
  p.drawEllipse(QPointF(18, 14), 6, 6);
  p.restore();
}

// Toolbar glyphs, each in a 32x32 cell.
void Pencil(QPainter& p, QPointF tip) {
  p.save();
  p.translate(tip);
  p.rotate(-45);
  p.setPen(QPen(QColor(0x55, 0x3a, 0x10), 0.8));
  p.setBrush(QColor(0xf2, 0xc1, 0x3b));
  p.drawRect(QRectF(3, -2, 11, 4));
  p.setBrush(QColor(0xe8, 0x9f, 0x9f));
  p.drawRect(QRectF(14, -2, 2.5, 4));
  QPainterPath cone;
  cone.moveTo(0, 0);
  cone.lineTo(3, -2);
  cone.lineTo(3, 2);
  cone.closeSubpath();
  p.setBrush(QColor(0xf5, 0xdc, 0xb0));
  p.drawPath(cone);
  p.restore();
}

void ToolRefresh(QPainter& p) {
  QPen pen(kGreen.darker(110), 3.2, Qt::SolidLine, Qt::RoundCap);
  p.setPen(pen);
  p.setBrush(Qt::NoBrush);
  QRectF r(6, 6, 20, 20);
  p.drawArc(r, 100 * 16, 150 * 16);
  p.drawArc(r, 280 * 16, 150 * 16);
  p.setPen(Qt::NoPen);
  p.setBrush(kGreen.darker(110));
  QPainterPath a;
  a.moveTo(14, 1.5);
  a.lineTo(20.5, 6);
  a.lineTo(14, 10.5);
  a.closeSubpath();
  p.drawPath(a);
  QPainterPath b;
  b.moveTo(18, 21.5);
  b.lineTo(11.5, 26);
  b.lineTo(18, 30.5);
  b.closeSubpath();
  p.drawPath(b);
}

void LabelBox(QPainter& p, const QString& text, const QColor& colour) {
  QLinearGradient g(0, 6, 0, 24);
  g.setColorAt(0, colour.lighter(130));
  g.setColorAt(1, colour.darker(115));
  p.setPen(QPen(colour.darker(160), 1));
  p.setBrush(g);
  p.drawRoundedRect(QRectF(2.5, 6.5, 23, 17), 3, 3);
  QFont f("DejaVu Sans", 1);
  f.setPixelSize(text.size() > 2 ? 8 : 11);
  f.setBold(true);
  p.setFont(f);
  p.setPen(Qt::white);
  p.drawText(QRectF(2.5, 6.5, 23, 17), Qt::AlignCenter, text);
}

void ToolModifyIp(QPainter& p) {
  LabelBox(p, "IP", kBlue);
  Pencil(p, QPointF(17, 29));
}

void ToolModifyMac(QPainter& p) {
  LabelBox(p, "MAC", QColor(0x6a, 0x4c, 0xb8));
  Pencil(p, QPointF(17, 29));
}

void ToolWeb(QPainter& p) {
  QRadialGradient g(QPointF(12, 11), 16);
  g.setColorAt(0, QColor(0x8e, 0xc8, 0xf5));
  g.setColorAt(1, kBlue);
  p.setPen(QPen(kBlueDark, 1.2));
  p.setBrush(g);
  p.drawEllipse(QPointF(16, 16), 12.5, 12.5);
  p.setPen(QPen(QColor(255, 255, 255, 200), 1.1));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QPointF(16, 16), 5.5, 12.5);
  p.drawLine(QPointF(16, 3.5), QPointF(16, 28.5));
  p.drawLine(QPointF(3.5, 16), QPointF(28.5, 16));
  p.drawArc(QRectF(5, 0, 22, 11), 200 * 16, 140 * 16);
  p.drawArc(QRectF(5, 21, 22, 11), 20 * 16, 140 * 16);
}

void ToolReset(QPainter& p) {
  QRadialGradient g(QPointF(12, 11), 18);
  g.setColorAt(0, kRed.lighter(140));
  g.setColorAt(1, kRed.darker(110));
  p.setPen(QPen(kRed.darker(160), 1));
  p.setBrush(g);
  p.drawEllipse(QPointF(16, 16), 13, 13);
  p.setPen(QPen(Qt::white, 2.6, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(9, 9.5, 14, 14), 120 * 16, 300 * 16);
  p.drawLine(QPointF(16, 7), QPointF(16, 15));
}

void ToolFirmware(QPainter& p) {
  // A chip with a download arrow.
  p.setPen(QPen(kGreyDark, 1.1));
  for (int i = 0; i < 4; ++i) {
    double x = 9 + i * 4.5;
    p.drawLine(QPointF(x, 9), QPointF(x, 6));
    p.drawLine(QPointF(x, 27), QPointF(x, 30));
  }
  p.setBrush(QColor(0x2b, 0x2f, 0x35));
  p.setPen(QPen(Qt::black, 1));
  p.drawRoundedRect(QRectF(5.5, 9.5, 21, 17), 2, 2);
  p.setPen(Qt::NoPen);
  p.setBrush(kGreen);
  QPainterPath arrow;
  arrow.moveTo(13, 1);
  arrow.lineTo(19, 1);
  arrow.lineTo(19, 11);
  arrow.lineTo(23.5, 11);
  arrow.lineTo(16, 20);
  arrow.lineTo(8.5, 11);
  arrow.lineTo(13, 11);
  arrow.closeSubpath();
  p.setPen(QPen(kGreen.darker(160), 1));
  p.drawPath(arrow);
}

void ToolAbout(QPainter& p) {
  QRadialGradient g(QPointF(12, 11), 18);
  g.setColorAt(0, kBlue.lighter(160));
  g.setColorAt(1, kBlue);
  p.setPen(QPen(kBlueDark, 1));
  p.setBrush(g);
  p.drawEllipse(QPointF(16, 16), 13, 13);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawEllipse(QPointF(16, 9.5), 2.2, 2.2);
  p.drawRoundedRect(QRectF(14, 13.5, 4, 11), 1, 1);
}

void ToolbarStrip(QPainter& p, int) {
  const std::function<void(QPainter&)> tools[] = {ToolRefresh, ToolModifyIp, ToolModifyMac, ToolWeb,
                                                  ToolReset,   ToolFirmware, ToolAbout};
  int x = 0;
  for (const auto& tool : tools) {
    p.save();
    p.translate(x, 0);
    p.setClipRect(QRectF(0, 0, 32, 32));
    tool(p);
    p.restore();
    x += 32;
  }
}

void Logo(QPainter& p, int) {
  // Emblem: the application picture, small, then the name.
  p.save();
  p.translate(2, 2);
  AppIcon(p, 28);
  p.restore();
  QFont f("DejaVu Sans", 1);
  f.setPixelSize(21);
  f.setBold(true);
  f.setLetterSpacing(QFont::AbsoluteSpacing, 0.5);
  p.setFont(f);
  QLinearGradient g(0, 4, 0, 28);
  g.setColorAt(0, kBlue.lighter(115));
  g.setColorAt(1, kBlueDark);
  QPainterPath text;
  text.addText(QPointF(36, 23), f, "Lanorix");
  p.setPen(Qt::NoPen);
  p.setBrush(g);
  p.drawPath(text);
  p.setPen(QPen(kOrange, 2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(37, 27.5), QPointF(134, 27.5));
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: imagegen <output directory>\n");
    return 2;
  }
  const QString dir = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(dir);
  bool ok = true;
  for (int size : {16, 32})
    ok = Save(
             dir, QString("app_128_%1").arg(size), size, size,
             [](QPainter& p, int s) { AppIcon(p, s); }, size) &&
         ok;
  for (int id : {158, 151, 147, 153, 155, 157})
    for (int size : {16, 32})
      ok = Save(
               dir, QString("device_%1_%2").arg(id).arg(size), size, size,
               [id](QPainter& p, int s) { DeviceIcon(p, s, id); }, size) &&
           ok;
  ok = Save(dir, "toolbar_128", 224, 32, ToolbarStrip, 32) && ok;
  ok = Save(dir, "logo_165", 138, 32, Logo, 32) && ok;
  return ok ? 0 : 1;
}
