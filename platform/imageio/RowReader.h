#pragma once

#include <cstdint>
#include <vector>

#include "imageio/Image.h"

namespace imageio {

// Pulls an image's rows from its provider in order, one row in memory at a time, and hands
// them out as they are or reduced to their colour samples (alpha and padding dropped).
class RowReader {
 public:
  explicit RowReader(const Image& image);

  // The next row's pixel bytes as the image lays them out; null when the provider fails or
  // every row has been read.
  const std::uint8_t* nextRaw();
  // The next row's pixel bytes copied straight into dst (pixelBytes() bytes).
  bool nextRawInto(std::uint8_t* dst);
  std::size_t pixelBytes() const { return pixelBytes_; }
  // The next row as components() 8-bit samples per pixel (1-bit pixels become 0 or 255).
  bool next8(std::uint8_t* out);
  // As next8, but answers the provider's row itself when it already has that layout (8-bit
  // colour samples only), sparing a copy; otherwise fills and answers buffer. Null at the end.
  const std::uint8_t* next8View(std::uint8_t* buffer);
  // One row of the image's raw pixel bytes (as nextRaw answers them, from whatever source) as
  // next8 would hand it out.
  void convert8(const std::uint8_t* raw, std::uint8_t* out) const;
  // The next row as components() 16-bit samples per pixel in host order.
  bool next16(std::uint16_t* out);

  int components() const { return components_; }
  std::size_t rowsRead() const { return row_; }

  static std::uint8_t to8(std::uint16_t v) { return std::uint8_t((std::uint32_t(v) * 255u + 32767u) / 65535u); }

 private:
  std::uint16_t sample16(const std::uint8_t* p) const;

  const Image& image_;
  std::vector<std::uint8_t> raw_;
  std::size_t row_ = 0;
  std::size_t pixelBytes_;
  int components_;
  int samples_;
  int colourOffset_;  // index of the first colour sample inside a pixel
  bool little16_;
};

}  // namespace imageio
