#pragma once

#include <string>

#include "foundation/Value.h"
#include "imageio/Image.h"

namespace imageio {

// Writes one image as a TIFF into an open file, one row at a time: strips, 1, 8 or 16 bits
// per sample, grey or RGB, resolution in dots per inch, orientation, the "{TIFF}" text
// entries and the colour space's profile. Uncompressed unless "{TIFF}" asks otherwise.
class TiffWriter {
 public:
  // Takes over fd (it is closed in every case). False with a message on any failure.
  static bool write(const Image& image, const fnd::Dictionary& properties, int fd, const std::string& name,
                    std::string& error);
};

}  // namespace imageio
