#include "QtImages.h"

#include <QImage>
#include <QPainter>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "platform/afx/Resources.h"

namespace {

// Above this many resources the cache starts again; the program has a few dozen pictures.
constexpr std::size_t kMaxCachedResources = 512;

struct Variant {
  bool hiDpi = false;
  QRgb blend = 0;
  int blendAmount = 0;  // 0..256; 0 = the plain picture
  QPixmap pixmap;
};

struct Entry {
  std::uint64_t fingerprint = 0;
  std::vector<Variant> variants;
};

struct Cache {
  std::unordered_map<const ImageResource*, Entry> entries;
  int decodes = 0;
};

Cache& cache() {
  static Cache c;
  return c;
}

std::uint64_t fnv1a(std::uint64_t h, const void* data, std::size_t len) {
  const auto* p = static_cast<const unsigned char*>(data);
  for (std::size_t i = 0; i < len; ++i) {
    h ^= p[i];
    h *= 1099511628211ull;
  }
  return h;
}

std::uint64_t fingerprintOf(const ImageResource& image) {
  std::uint64_t h = 1469598103934665603ull;
  const int size[2] = {image.width, image.height};
  h = fnv1a(h, size, sizeof size);
  h = fnv1a(h, image.png.data(), image.png.size());
  h = fnv1a(h, image.png2x.data(), image.png2x.size());
  h = fnv1a(h, image.argb.data(), image.argb.size() * sizeof(std::uint32_t));
  return h;
}

QImage decode(const ImageResource& image, bool hiDpi) {
  ++cache().decodes;
  if (hiDpi && !image.png2x.empty()) {
    QImage img = QImage::fromData(image.png2x.data(), static_cast<int>(image.png2x.size()));
    if (!img.isNull()) {
      img.setDevicePixelRatio(2.0);
      return img;
    }
  }
  if (!image.png.empty())
    return QImage::fromData(image.png.data(), static_cast<int>(image.png.size()));
  if (image.width <= 0 || image.height <= 0) return {};
  const auto needed =
      static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height);
  if (image.argb.size() < needed) return {};
  // The pixels are 0xAARRGGBB words, the layout of Format_ARGB32; copy so the image owns them.
  QImage img(image.width, image.height, QImage::Format_ARGB32);
  for (int y = 0; y < image.height; ++y)
    std::copy_n(image.argb.data() + static_cast<std::size_t>(y) * image.width, image.width,
                reinterpret_cast<QRgb*>(img.scanLine(y)));
  return img;
}

QPixmap blend(QPixmap source, const QColor& colour, int amount) {
  QPainter painter(&source);
  painter.setCompositionMode(QPainter::CompositionMode_SourceAtop);
  painter.setOpacity(amount / 256.0);
  painter.fillRect(QRect(QPoint(0, 0), source.deviceIndependentSize().toSize()), colour);
  painter.end();
  return source;
}

Entry& entryFor(const ImageResource& image) {
  auto& entries = cache().entries;
  const std::uint64_t fingerprint = fingerprintOf(image);
  auto it = entries.find(&image);
  if (it != entries.end() && it->second.fingerprint != fingerprint) it->second = Entry{};
  if (it == entries.end()) {
    if (entries.size() >= kMaxCachedResources) entries.clear();
    it = entries.emplace(&image, Entry{}).first;
  }
  it->second.fingerprint = fingerprint;
  return it->second;
}

QPixmap variant(const ImageResource& image, qreal dpr, QRgb colour, int amount) {
  const bool hiDpi = dpr > 1.0 && !image.png2x.empty();
  Entry& entry = entryFor(image);
  for (const Variant& v : entry.variants)
    if (v.hiDpi == hiDpi && v.blendAmount == amount && (amount == 0 || v.blend == colour))
      return v.pixmap;
  QPixmap plain;
  for (const Variant& v : entry.variants)
    if (v.hiDpi == hiDpi && v.blendAmount == 0) plain = v.pixmap;
  if (plain.isNull()) {
    plain = QPixmap::fromImage(decode(image, hiDpi));
    if (amount != 0) entry.variants.push_back(Variant{hiDpi, 0, 0, plain});
  }
  QPixmap result = amount == 0 || plain.isNull() ? plain : blend(plain, QColor(colour), amount);
  entry.variants.push_back(Variant{hiDpi, colour, amount, result});
  return result;
}

}  // namespace

QPixmap QtImages::Pixmap(const ImageResource& image, qreal dpr) {
  return variant(image, dpr, 0, 0);
}

QPixmap QtImages::Blended(const ImageResource& image, qreal dpr, const QColor& colour,
                          qreal amount) {
  const int steps = qBound(0, qRound(amount * 256), 256);
  return variant(image, dpr, colour.rgba(), steps);
}

int QtImages::DecodeCount() {
  return cache().decodes;
}

void QtImages::ClearCache() {
  cache().entries.clear();
}
