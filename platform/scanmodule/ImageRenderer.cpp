#include "scanmodule/ImageRenderer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace velmor {

ImageRenderer::ImageRenderer(const Scene& scene, const RenderSpec& renderSpec) : scene_(scene), spec_(renderSpec) {
  if (spec_.mode == ColourMode::BlackWhite || spec_.bitsPerSample == 1) {
    spec_.mode = ColourMode::BlackWhite;
    spec_.bitsPerSample = 1;
  } else if (spec_.bitsPerSample != 16) {
    spec_.bitsPerSample = 8;
  }
  spec_.resolution = std::max(1, spec_.resolution);
  spec_.width = std::max(1, spec_.width);
  spec_.height = std::max(1, spec_.height);
  spec_.threshold = std::clamp(spec_.threshold, 0, 255);
}

std::size_t ImageRenderer::rowBytesFor(int width, int samples, int bitsPerSample) {
  const auto w = static_cast<std::size_t>(std::max(0, width));
  const int bits = samples * bitsPerSample;
  if (bits == 1) return (w + 7) / 8;
  return static_cast<std::size_t>(bits / 8) * w;
}

std::size_t ImageRenderer::rowBytes() const { return rowBytesFor(spec_.width, samplesPerPixel(), spec_.bitsPerSample); }

void ImageRenderer::renderRow(int row, std::uint8_t* out) const {
  const double res = spec_.resolution;
  const double y = (spec_.y + row + 0.5) / res;
  const int width = spec_.width;
  if (spec_.mode == ColourMode::BlackWhite) std::memset(out, 0, rowBytes());
  for (int i = 0; i < width; ++i) {
    const double x = (spec_.x + i + 0.5) / res;
    const Rgb c = scene_.colourAt(x, y);
    const double grey = 0.299 * c.r + 0.587 * c.g + 0.114 * c.b;
    switch (spec_.mode) {
      case ColourMode::BlackWhite: {
        const int g8 = static_cast<int>(std::lround(grey * 255.0));
        if (g8 >= spec_.threshold) out[i / 8] |= static_cast<std::uint8_t>(0x80U >> (i % 8));
        break;
      }
      case ColourMode::Grey:
        if (spec_.bitsPerSample == 16) {
          const auto v = static_cast<std::uint16_t>(std::lround(grey * 65535.0));
          std::memcpy(out + 2 * i, &v, 2);
        } else {
          out[i] = static_cast<std::uint8_t>(std::lround(grey * 255.0));
        }
        break;
      case ColourMode::Colour: {
        const double s[3] = {c.r, c.g, c.b};
        if (spec_.bitsPerSample == 16) {
          for (int k = 0; k < 3; ++k) {
            const auto v = static_cast<std::uint16_t>(std::lround(s[k] * 65535.0));
            std::memcpy(out + 6 * i + 2 * k, &v, 2);
          }
        } else {
          for (int k = 0; k < 3; ++k) out[3 * i + k] = static_cast<std::uint8_t>(std::lround(s[k] * 255.0));
        }
        break;
      }
    }
  }
}

}  // namespace velmor
