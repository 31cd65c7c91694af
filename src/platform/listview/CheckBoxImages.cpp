#include "CheckBoxImages.h"

namespace {

constexpr int kSize = 16;
constexpr std::uint32_t kFrame = 0xFF808080u;
constexpr std::uint32_t kFill = 0xFFFFFFFFu;
constexpr std::uint32_t kMark = 0xFF000000u;

std::shared_ptr<ImageResource> Box(bool checked) {
  auto image = std::make_shared<ImageResource>();
  image->width = kSize;
  image->height = kSize;
  image->argb.assign(kSize * kSize, 0u);
  auto at = [&](int x, int y) -> std::uint32_t& {
    return image->argb[static_cast<size_t>(y * kSize + x)];
  };
  for (int y = 2; y <= 14; ++y)
    for (int x = 2; x <= 14; ++x)
      at(x, y) = (x == 2 || x == 14 || y == 2 || y == 14) ? kFrame : kFill;
  if (checked) {
    // A tick two pixels thick: down from (5,8) to (7,10), then up to (11,6).
    for (int i = 0; i <= 2; ++i) {
      at(5 + i, 8 + i) = kMark;
      at(5 + i, 9 + i) = kMark;
    }
    for (int i = 0; i <= 4; ++i) {
      at(7 + i, 10 - i) = kMark;
      at(7 + i, 11 - i) = kMark;
    }
  }
  return image;
}

}  // namespace

std::unique_ptr<ImageList> CreateCheckBoxImages() {
  auto list = std::make_unique<ImageList>(kSize, kSize, ILC_COLOR32 | ILC_MASK);
  list->Add(Box(false));
  list->Add(Box(true));
  return list;
}
