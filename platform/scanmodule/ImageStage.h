#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "scanmodule/ImageRenderer.h"
#include "scanmodule/ToneTables.h"

namespace velmor {

// The module's image stage: takes the device's rows and gives the rows the module hands out,
// one at a time, holding no more than a row or two whatever the image's height. Previews' crop
// corrections and scans go through it alike.
//
// What it does to a row: the user's tone tables, then, for black and white, the threshold.
// Black and white with tone asks the device for 8-bit grey (the tone works on levels, and the
// threshold comes after it, as the adjustment dialogs show it).
class ImageStage {
 public:
  // `output` is what the request asks for; `tone` may be null (no user tone).
  ImageStage(const Scene& scene, const RenderSpec& output, std::shared_ptr<const ToneTables> tone);

  // The rows handed out: the request's area after settling, like the device's.
  const RenderSpec& renderSpec() const { return output_; }
  int samplesPerPixel() const { return output_.mode == ColourMode::Colour ? 3 : 1; }
  std::size_t rowBytes() const;
  int rows() const { return output_.height; }

  // Writes output row `row` (0 = top) into out, rowBytes() long. Rows are asked for in order.
  void produceRow(int row, std::uint8_t* out);

  // Tone on one row in place: `samples` 1 (grey, through the green table) or 3, 8 or 16 bits.
  static void applyTone(const ToneTables& tone, int samples, int bitsPerSample, std::uint8_t* row, int width);
  // 8-bit grey to black and white: a level at or above `threshold` is white (1), packed eight
  // pixels a byte, most significant bit first.
  static void threshold(const std::uint8_t* grey, int width, int threshold, std::uint8_t* out);

 private:
  ImageRenderer device_;
  RenderSpec output_;
  std::shared_ptr<const ToneTables> tone_;
  bool thresholdHere_ = false;
  std::vector<std::uint8_t> deviceRow_;
};

}  // namespace velmor
