#pragma once

// The small upright picture of a page that the conversion pass makes from the rows it encodes
// and hands to the EXIF JPEG pass, which then need not decode the whole JPEG again.

#include <cstddef>
#include <cstdint>
#include <vector>

struct SM_ThumbnailPixels {
  std::size_t width = 0;
  std::size_t height = 0;
  std::vector<std::uint8_t> rgb;  // width x 3 bytes a row, top row first
};
