#pragma once

#include <cstdint>
#include <memory>
#include <vector>

// A preview picture as the model hands it to a scan mode for drawing: 8-bit RGB, three bytes a
// pixel, rows top-down, 3 × width bytes a row, no alpha. The bytes are shared and never changed
// after the model made them, so the mode may keep them for its image without another copy.
struct PreviewBitmap {
  int width = 0;
  int height = 0;
  std::shared_ptr<const std::vector<std::uint8_t>> bytes;

  int bytesPerRow() const { return width * 3; }
};
