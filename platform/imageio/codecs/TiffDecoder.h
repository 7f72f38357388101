#pragma once

#include <memory>

#include "imageio/Decoder.h"

namespace imageio {

// TIFF rows through libtiff, whatever the compression. Grey and RGB files of 1, 8 or 16
// bits in strips are handed out as they are (white-is-zero inverted); every other layout
// (tiles, planes, palettes, CMYK, YCbCr) goes through libtiff's RGBA reader band by band.
class TiffDecoder : public Decoder {
 public:
  // Null when the file is not a TIFF libtiff can open or has no image at that index.
  static std::unique_ptr<TiffDecoder> open(const DecoderInput& input, int index = 0);
  // Number of images in the file, 0 when it is not a TIFF.
  static int count(const DecoderInput& input);
  ~TiffDecoder() override;

  bool rewind() override;
  bool readRow(std::uint8_t* out) override;

 private:
  struct State;
  TiffDecoder();
  bool readHeader();

  std::unique_ptr<State> s_;
};

}  // namespace imageio
