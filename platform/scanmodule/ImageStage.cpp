#include "scanmodule/ImageStage.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace velmor {

namespace {

bool isBlackWhite(const RenderSpec& render) { return render.mode == ColourMode::BlackWhite || render.bitsPerSample == 1; }

int settledRotation(int rotation) { return rotation >= 1 && rotation <= 3 ? rotation : 0; }

bool changesOrientation(const ImageStage::Orientation& o) { return settledRotation(o.rotation) != 0 || o.mirror; }

bool toneChanges(const std::shared_ptr<const ToneTables>& tone) { return tone && !tone->identity(); }

bool scales(double scalePercent) { return scalePercent > 0 && std::abs(scalePercent - 100.0) > 1e-9; }

// The device's part of a request: the area before scaling, in 8-bit grey when black and white is
// made here.
RenderSpec deviceSpec(const RenderSpec& area, bool thresholdHere, double scalePercent) {
  RenderSpec render = area;
  if (scales(scalePercent)) {
    render.width = std::max(1, static_cast<int>(std::lround(area.width * 100.0 / scalePercent)));
    render.height = std::max(1, static_cast<int>(std::lround(area.height * 100.0 / scalePercent)));
  }
  if (thresholdHere) {
    render.mode = ColourMode::Grey;
    render.bitsPerSample = 8;
  }
  return render;
}

bool thresholdsHere(const RenderSpec& area, const std::shared_ptr<const ToneTables>& tone,
                    const ImageStage::Orientation& o, double scalePercent) {
  return isBlackWhite(area) && (toneChanges(tone) || changesOrientation(o) || scales(scalePercent));
}

}  // namespace

ImageStage::ImageStage(const Scene& scene, const RenderSpec& area, std::shared_ptr<const ToneTables> tone,
                       Orientation orientation, double scalePercent, std::unique_ptr<HSLFilter> hsl,
                       std::unique_ptr<ColourMatch> colour)
    : device_(scene, deviceSpec(area, thresholdsHere(area, tone, orientation, scalePercent), scalePercent)),
      output_(ImageRenderer(scene, area).renderSpec()),
      tone_(toneChanges(tone) ? std::move(tone) : nullptr),
      hsl_(device_.samplesPerPixel() == 3 ? std::move(hsl) : nullptr),
      colour_(device_.samplesPerPixel() == 3 ? std::move(colour) : nullptr),
      rotation_(settledRotation(orientation.rotation)),
      mirror_(orientation.mirror) {
  const RenderSpec& d = device_.renderSpec();
  plainWidth_ = output_.width;
  plainHeight_ = output_.height;
  const bool scaled = d.width != plainWidth_ || d.height != plainHeight_;
  thresholdHere_ = isBlackWhite(output_) && (tone_ || rotation_ != 0 || mirror_ || scaled);
  passThrough_ = !colour_ && !tone_ && !hsl_ && rotation_ == 0 && !mirror_ && !scaled;
  if (rotation_ == 1 || rotation_ == 3) std::swap(output_.width, output_.height);
  pixelBytes_ = static_cast<std::size_t>(device_.samplesPerPixel()) * (d.bitsPerSample == 16 ? 2 : 1);
  if (!passThrough_) work_.resize(pixelBytes_ * static_cast<std::size_t>(std::max(plainWidth_, plainHeight_)));
  if (scaled)
    scaler_ = std::make_unique<RowScaler>(d.width, d.height, plainWidth_, plainHeight_, device_.samplesPerPixel(),
                                          d.bitsPerSample, [this](int row, std::uint8_t* out) {
                                            deviceRow(row, out);
                                            return true;
                                          });
}

std::size_t ImageStage::rowBytes() const {
  return ImageRenderer::rowBytesFor(output_.width, samplesPerPixel(), output_.bitsPerSample);
}

void ImageStage::deviceRow(int row, std::uint8_t* out) {
  const RenderSpec& d = device_.renderSpec();
  device_.renderRow(row, out);
  // The device's colours into the output profile first: the user's adjustments work on what
  // the user sees.
  if (colour_) colour_->apply(out, d.width);
  if (tone_) applyTone(*tone_, device_.samplesPerPixel(), d.bitsPerSample, out, d.width);
  // The plug-in refuses only a row it cannot hold, which this stage never hands it.
  if (hsl_) hsl_->apply(out, d.width, d.bitsPerSample);
}

bool ImageStage::plainRow(int row, std::uint8_t* out) {
  if (scaler_) return scaler_->produceRow(row, out);
  deviceRow(row, out);
  return true;
}

bool ImageStage::produceRow(int row, std::uint8_t* out) {
  if (passThrough_) {
    device_.renderRow(row, out);
    return true;
  }
  std::uint8_t* levels = thresholdHere_ ? work_.data() : out;
  const int width = output_.width;
  if (rotation_ == 0) {
    if (!plainRow(row, levels)) return false;
    if (mirror_) reversePixels(levels, width);
  } else {
    if (!spill_ && !spillAll()) return false;
    if (rotation_ == 2) {
      // A half turn reads the rows bottom up, each right to left; the mirror undoes the latter.
      if (!spill_->read(plainHeight_ - 1 - row, 0, pixelBytes_ * static_cast<std::size_t>(plainWidth_), levels)) return false;
      if (!mirror_) reversePixels(levels, width);
    } else {
      if ((bandFirst_ < 0 || row < bandFirst_ || row >= bandFirst_ + bandRows_) && !loadBand(row)) return false;
      // Output row `row` is one input column, read down the input's rows (a clockwise turn reads
      // them bottom up); the mirror reverses the direction.
      const int column = rotation_ == 1 ? plainWidth_ - 1 - row : row;
      const int firstColumn = rotation_ == 1 ? plainWidth_ - bandFirst_ - bandRows_ : bandFirst_;
      const std::uint8_t* source = band_.data() + static_cast<std::size_t>(column - firstColumn) *
                                                      static_cast<std::size_t>(plainHeight_) * pixelBytes_;
      const bool upwards = (rotation_ == 3) != mirror_;
      for (int x = 0; x < width; ++x) {
        const int from = upwards ? plainHeight_ - 1 - x : x;
        std::memcpy(levels + static_cast<std::size_t>(x) * pixelBytes_, source + static_cast<std::size_t>(from) * pixelBytes_,
                    pixelBytes_);
      }
    }
  }
  if (thresholdHere_) threshold(levels, width, output_.threshold, out);
  return true;
}

bool ImageStage::spillAll() {
  spill_ = std::make_unique<RowSpill>(pixelBytes_ * static_cast<std::size_t>(plainWidth_));
  std::vector<std::uint8_t> row(pixelBytes_ * static_cast<std::size_t>(plainWidth_));
  for (int r = 0; r < plainHeight_; ++r) {
    if (!plainRow(r, row.data()) || !spill_->append(row.data())) return false;
  }
  return spill_->ok();
}

bool ImageStage::loadBand(int firstOutputRow) {
  const std::size_t column = static_cast<std::size_t>(plainHeight_) * pixelBytes_;
  const int fits = static_cast<int>(std::max<std::size_t>(1, kBandBytes / std::max<std::size_t>(1, column)));
  bandFirst_ = firstOutputRow;
  bandRows_ = std::min(fits, output_.height - firstOutputRow);
  band_.resize(column * static_cast<std::size_t>(bandRows_));
  // The band's input columns, as one run of each input row.
  const int firstColumn = rotation_ == 1 ? plainWidth_ - bandFirst_ - bandRows_ : bandFirst_;
  std::vector<std::uint8_t> run(pixelBytes_ * static_cast<std::size_t>(bandRows_));
  for (int y = 0; y < plainHeight_; ++y) {
    if (!spill_->read(y, pixelBytes_ * static_cast<std::size_t>(firstColumn), run.size(), run.data())) return false;
    for (int c = 0; c < bandRows_; ++c)
      std::memcpy(band_.data() + static_cast<std::size_t>(c) * column + static_cast<std::size_t>(y) * pixelBytes_,
                  run.data() + static_cast<std::size_t>(c) * pixelBytes_, pixelBytes_);
  }
  return true;
}

void ImageStage::reversePixels(std::uint8_t* row, int width) const {
  for (int a = 0, b = width - 1; a < b; ++a, --b) {
    std::uint8_t* pa = row + static_cast<std::size_t>(a) * pixelBytes_;
    std::uint8_t* pb = row + static_cast<std::size_t>(b) * pixelBytes_;
    std::uint8_t tmp[8];
    std::memcpy(tmp, pa, pixelBytes_);
    std::memcpy(pa, pb, pixelBytes_);
    std::memcpy(pb, tmp, pixelBytes_);
  }
}

void ImageStage::applyTone(const ToneTables& tone, int samples, int bitsPerSample, std::uint8_t* row, int width) {
  const std::size_t n = static_cast<std::size_t>(width) * static_cast<std::size_t>(samples);
  if (bitsPerSample == 16) {
    for (std::size_t i = 0; i < n; ++i) {
      std::uint16_t v;
      std::memcpy(&v, row + 2 * i, 2);
      v = tone.map16(samples == 1 ? 1 : static_cast<int>(i % 3), v);
      std::memcpy(row + 2 * i, &v, 2);
    }
    return;
  }
  if (bitsPerSample != 8) return;
  if (samples == 1) {
    for (std::size_t i = 0; i < n; ++i) row[i] = tone.map8(1, row[i]);
    return;
  }
  for (std::size_t i = 0; i + 2 < n; i += 3) {
    row[i] = tone.map8(0, row[i]);
    row[i + 1] = tone.map8(1, row[i + 1]);
    row[i + 2] = tone.map8(2, row[i + 2]);
  }
}

void ImageStage::threshold(const std::uint8_t* grey, int width, int threshold, std::uint8_t* out) {
  std::memset(out, 0, (static_cast<std::size_t>(width) + 7) / 8);
  for (int i = 0; i < width; ++i)
    if (grey[i] >= threshold) out[i / 8] |= static_cast<std::uint8_t>(0x80U >> (i % 8));
}

}  // namespace velmor
