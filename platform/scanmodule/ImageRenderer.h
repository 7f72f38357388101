#pragma once

#include <cstddef>
#include <cstdint>

#include "scanmodule/Scene.h"

namespace velmor {

// Colour modes, numbered as the scan settings number them.
enum class ColourMode { BlackWhite = 0, Grey = 1, Colour = 2 };

// One area of a scene as the sensor reads it.
struct RenderSpec {
  int resolution = 300;  // dots per inch
  int x = 0, y = 0;      // top-left pixel of the area, at `resolution`
  int width = 0, height = 0;
  ColourMode mode = ColourMode::Colour;
  int bitsPerSample = 8;  // 1 (black and white only), 8 or 16
  int threshold = 128;    // black-and-white threshold on the 8-bit grey value
};

// Renders an area of a scene row by row, without holding the page.
//
// Row layout: colour is R, G, B per pixel; grey one sample per pixel; 16-bit samples are in the
// host's byte order; black and white packs eight pixels a byte, most significant bit first,
// 1 for white and 0 for black (zero is the darkest shade, as in the transfer records).
// The result depends only on the scene and the renderSpec.
class ImageRenderer {
 public:
  ImageRenderer(const Scene& scene, const RenderSpec& renderSpec);

  // The renderSpec after settling inconsistent parts: black and white always has 1 bit, 1 bit means
  // black and white, other depths become 8; resolution and size at least 1.
  const RenderSpec& renderSpec() const { return spec_; }
  int samplesPerPixel() const { return spec_.mode == ColourMode::Colour ? 3 : 1; }
  std::size_t rowBytes() const;
  int rows() const { return spec_.height; }

  // Writes row `row` (0 = top of the area) into out, rowBytes() long.
  void renderRow(int row, std::uint8_t* out) const;

  static std::size_t rowBytesFor(int width, int samples, int bitsPerSample);

 private:
  const Scene& scene_;
  RenderSpec spec_;
};

}  // namespace velmor
