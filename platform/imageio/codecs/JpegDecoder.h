#pragma once

#include <memory>

#include "imageio/Decoder.h"

namespace imageio {

// JPEG rows through libjpeg-turbo: grey stays grey, everything else comes out as RGB.
// A truncated or damaged file makes readRow fail instead of padding the image with grey.
class JpegDecoder : public Decoder {
 public:
  // Null when the header cannot be read.
  static std::unique_ptr<JpegDecoder> open(const DecoderInput& input);
  ~JpegDecoder() override;

  bool rewind() override;
  bool readRow(std::uint8_t* out) override;
  void setReduction(int factor) override;

 private:
  struct State;
  JpegDecoder();
  bool begin(bool readMetadata);
  // Output size for reduction_; only before decoding has started.
  void applyReduction();
  void end();

  DecoderInput input_;
  std::unique_ptr<State> s_;
  int reduction_ = 1;
};

}  // namespace imageio
