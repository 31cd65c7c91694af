// Pictures of image resources as pixmaps: decoded once and cached per resource. A cached
// picture is checked against the resource's bytes, so a resource freed and another made at
// the same address (the arrow images rebuilt after a colour change) is never shown stale.
#pragma once

#include <QColor>
#include <QPixmap>

struct ImageResource;

class QtImages final {
 public:
  QtImages() = delete;

  // The picture for a device pixel ratio: the double-size variant (device pixel ratio 2) above
  // 1 when there is one. A null pixmap when the bytes do not decode or raw pixels are fewer
  // than width * height.
  static QPixmap Pixmap(const ImageResource& image, qreal dpr);
  // The picture with its visible pixels mixed with colour by amount (0..1), alpha kept.
  static QPixmap Blended(const ImageResource& image, qreal dpr, const QColor& colour, qreal amount);
  // Decodes done so far (tests check that painting reuses the cache).
  static int DecodeCount();
  static void ClearCache();
};
