// The sort arrows of headers that cannot draw sort flags: black figures on white.
#include "res/ArrowBitmaps.h"

#include "platform/afx/Resources.h"

namespace {

ImageResource ArrowImage(bool pointsUp) {
  static const char* const rows[5] = {"....X....", "...XXX...", "..XXXXX..", ".XXXXXXX.",
                                      "XXXXXXXXX"};
  ImageResource image;
  image.width = 9;
  image.height = 5;
  for (int y = 0; y < 5; ++y) {
    const char* row = rows[pointsUp ? y : 4 - y];
    for (int x = 0; x < 9; ++x) image.argb.push_back(row[x] == 'X' ? 0xFF000000u : 0xFFFFFFFFu);
  }
  return image;
}

}  // namespace

void RegisterArrowBitmaps() {
  auto& images = ResourceTable::Get().images;
  if (images.count(131) == 0) images[131] = ArrowImage(true);
  if (images.count(132) == 0) images[132] = ArrowImage(false);
}
