// The program's pictures compiled into the binary (PNG bytes by file name).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct EmbeddedImage {
  const char* name;
  const unsigned char* data;
  std::size_t size;
};

extern const EmbeddedImage kEmbeddedImages[];
extern const std::size_t kEmbeddedImageCount;

// The bytes of an embedded file; empty when there is none of that name.
std::vector<std::uint8_t> EmbeddedImageBytes(const std::string& name);
