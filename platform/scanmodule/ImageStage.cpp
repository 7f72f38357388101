#include "scanmodule/ImageStage.h"

#include <cstring>

namespace velmor {

namespace {

// The device's part of a request: the same area, in 8-bit grey when black and white is made here.
RenderSpec deviceSpec(const RenderSpec& output, bool thresholdHere) {
  RenderSpec spec = output;
  if (thresholdHere) {
    spec.mode = ColourMode::Grey;
    spec.bitsPerSample = 8;
  }
  return spec;
}

bool toneChanges(const std::shared_ptr<const ToneTables>& tone) { return tone && !tone->identity(); }

bool isBlackWhite(const RenderSpec& spec) { return spec.mode == ColourMode::BlackWhite || spec.bitsPerSample == 1; }

}  // namespace

ImageStage::ImageStage(const Scene& scene, const RenderSpec& output, std::shared_ptr<const ToneTables> tone)
    : device_(scene, deviceSpec(output, isBlackWhite(output) && toneChanges(tone))),
      output_(ImageRenderer(scene, output).renderSpec()),
      tone_(toneChanges(tone) ? std::move(tone) : nullptr),
      thresholdHere_(isBlackWhite(output_) && tone_) {
  if (tone_) deviceRow_.resize(device_.rowBytes());
}

std::size_t ImageStage::rowBytes() const {
  return ImageRenderer::rowBytesFor(output_.width, samplesPerPixel(), output_.bitsPerSample);
}

void ImageStage::produceRow(int row, std::uint8_t* out) {
  if (!tone_) {
    device_.renderRow(row, out);
    return;
  }
  const RenderSpec& d = device_.renderSpec();
  std::uint8_t* levels = thresholdHere_ ? deviceRow_.data() : out;
  device_.renderRow(row, levels);
  applyTone(*tone_, device_.samplesPerPixel(), d.bitsPerSample, levels, d.width);
  if (thresholdHere_) threshold(levels, d.width, output_.threshold, out);
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
