#pragma once

#include <cstddef>
#include <cstdint>

#include "foundation/Value.h"

namespace imageio {

class ColorSpace;

// The EXIF payload of a JPEG APP1 segment ("Exif\0\0" and a big-endian TIFF structure):
// IFD0 with Make, Model, Software, DateTime, Orientation, the resolution and YCbCrPositioning,
// and an Exif IFD with the entries of the "{Exif}" dictionary and the mandatory ones it lacks.
class ExifSegment {
 public:
  // The payload for an image of the given size and properties (top-level Orientation and DPI,
  // "{TIFF}" and "{Exif}" dictionaries). A ColorSpace the dictionary does not give is 1 (sRGB)
  // when the image's colour space is sRGB or device RGB, else 0xFFFF (uncalibrated).
  static fnd::Data build(const fnd::Dictionary& properties, std::size_t width, std::size_t height,
                         const ColorSpace* colorSpace = nullptr);

  // Reads a payload back into "{TIFF}" and "{Exif}" dictionaries; false, adding nothing, when
  // it is not one or an entry it reads has a type, count or place unfit for its tag.
  static bool parse(const std::uint8_t* bytes, std::size_t size, fnd::Dictionary& tiff, fnd::Dictionary& exif);
};

}  // namespace imageio
