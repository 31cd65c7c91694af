#include "res/EmbeddedImages.h"

#include <cstring>

std::vector<std::uint8_t> EmbeddedImageBytes(const std::string& name) {
  for (std::size_t i = 0; i < kEmbeddedImageCount; ++i) {
    const EmbeddedImage& image = kEmbeddedImages[i];
    if (name == image.name) return std::vector<std::uint8_t>(image.data, image.data + image.size);
  }
  return {};
}
