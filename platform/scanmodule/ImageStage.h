#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "scanmodule/ColourMatch.h"
#include "scanmodule/HSLFilter.h"
#include "scanmodule/ImageRenderer.h"
#include "scanmodule/RowScaler.h"
#include "scanmodule/RowSpill.h"
#include "scanmodule/ToneTables.h"

namespace velmor {

// The module's image stage: takes the device's rows and gives the rows the module hands out, one
// at a time, in order, with memory independent of the image's height. Previews' crop
// corrections and scans go through it alike.
//
// What it does: colour matching (ColourMatch, colour only); the user's tone tables; colour balance and saturation (HSLFilter, colour only); the scale to the output size (RowScaler); then the
// frame's orientation (quarter turns and a
// mirror, as the preview shows the frame); then, for black and white, the threshold. Black and
// white with tone or a new orientation asks the device for 8-bit grey (the tone works on levels,
// and the threshold comes last, as the adjustment dialogs show it). A turn needs the whole image
// before its first row: the toned rows wait in a temporary file and come back a band of output
// rows at a time (at most kBandBytes in memory).
class ImageStage {
 public:
  // Rotation codes of a crop: 1 a quarter turn counter-clockwise, 2 a half turn, 3 a quarter turn
  // clockwise; anything else none. The mirror flips the turned image left to right.
  struct Orientation {
    int rotation;
    bool mirror;
  };
  static constexpr std::size_t kBandBytes = 8u << 20;

  // `area` is what the request asks for, in the platen's orientation: its origin on the platen,
  // and its size after scaling by `scalePercent` (the device reads width and height times
  // 100 / scalePercent from the origin). `tone` may be null (no user tone).
  ImageStage(const Scene& scene, const RenderSpec& area, std::shared_ptr<const ToneTables> tone,
             Orientation orientation = Orientation{0, false}, double scalePercent = 100.0,
             std::unique_ptr<HSLFilter> hsl = nullptr, std::unique_ptr<ColourMatch> colour = nullptr);

  // The rows handed out: the request's area after settling, turned.
  const RenderSpec& renderSpec() const { return output_; }
  int samplesPerPixel() const { return output_.mode == ColourMode::Colour ? 3 : 1; }
  std::size_t rowBytes() const;
  int rows() const { return output_.height; }

  // Writes output row `row` (0 = top) into out, rowBytes() long. Rows are asked for in order.
  // False when the rows set aside for a turn could not be written or read back.
  bool produceRow(int row, std::uint8_t* out);

  // Tone on one row in place: `samples` 1 (grey, through the green table) or 3, 8 or 16 bits.
  static void applyTone(const ToneTables& tone, int samples, int bitsPerSample, std::uint8_t* row, int width);
  // 8-bit grey to black and white: a level at or above `threshold` is white (1), packed eight
  // pixels a byte, most significant bit first.
  static void threshold(const std::uint8_t* grey, int width, int threshold, std::uint8_t* out);

 private:
  // The device's next row with the tone applied, into `row` (device width).
  void deviceRow(int row, std::uint8_t* out);
  // The next row scaled to the area's size (still in the platen's orientation).
  bool plainRow(int row, std::uint8_t* out);
  bool spillAll();
  bool loadBand(int firstOutputRow);
  void reversePixels(std::uint8_t* row, int width) const;

  ImageRenderer device_;
  RenderSpec output_;
  std::shared_ptr<const ToneTables> tone_;
  std::unique_ptr<HSLFilter> hsl_;
  std::unique_ptr<ColourMatch> colour_;
  int rotation_ = 0;
  bool mirror_ = false;
  bool thresholdHere_ = false;
  bool passThrough_ = false;
  std::size_t pixelBytes_ = 1;  // of the device's rows (never 1-bit here unless passing through)
  std::vector<std::uint8_t> work_;
  int plainWidth_ = 0, plainHeight_ = 0;  // the area's size before the turn
  std::unique_ptr<RowScaler> scaler_;
  std::unique_ptr<RowSpill> spill_;
  // A band of output rows of a quarter turn: the input columns it takes, each a whole column.
  std::vector<std::uint8_t> band_;
  int bandFirst_ = -1, bandRows_ = 0;
};

}  // namespace velmor
