#pragma once

#include <string>

#include "foundation/Value.h"
#include "imageio/Image.h"

namespace imageio {

// Encodes one image as a baseline JPEG into an open file, pulling its rows one at a time:
// JFIF density from the DPI, an EXIF APP1 segment when there is EXIF or TIFF metadata or an
// orientation, the colour space's profile in APP2, and the quality from the 0..1 value.
// Every quantisation and Huffman table goes in a segment of its own.
class JpegWriter {
 public:
  static constexpr double kDefaultQuality = 0.75;

  // False with a message when the provider runs dry or libjpeg or the file fails.
  static bool write(const Image& image, const fnd::Dictionary& properties, int fd, std::string& error);
};

}  // namespace imageio
