#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "foundation/Value.h"

namespace imageio {

// The widest and tallest image a decoder opens: far beyond any scan or photograph. A header
// that claims more is refused before anything is sized from it.
constexpr std::size_t kMaxImageSide = std::size_t(1) << 20;

// Where a decoder reads its file from: a path, or bytes in memory.
struct DecoderInput {
  std::string path;
  std::shared_ptr<const fnd::Data> data;
};

// Reads one image of a file row by row, from the top, holding one row (or one strip) at a
// time, allocated when rows are first asked for; a failed allocation fails the row. Rows come out as 1, 8 or 16-bit samples (16-bit little-endian), grey or RGB, with a
// trailing alpha sample when the file has one.
class Decoder {
 public:
  struct Info {
    std::size_t width = 0;
    std::size_t height = 0;
    int components = 1;     // 1 grey, 3 RGB
    int bitsPerSample = 8;  // of the rows handed out
    bool alpha = false;     // a fourth (or second) sample, last in each pixel
    std::size_t rowBytes() const {
      return (width * std::size_t(bitsPerSample) * std::size_t(components + (alpha ? 1 : 0)) + 7) / 8;
    }
  };

  virtual ~Decoder() = default;

  const Info& info() const { return info_; }
  // The file's metadata: PixelWidth and the other top-level keys, "{TIFF}", "{Exif}", "{JFIF}".
  const fnd::Dictionary& properties() const { return properties_; }
  // The embedded ICC profile; empty when there is none.
  const fnd::Data& iccProfile() const { return icc_; }

  // Back to the first row; false when the file cannot be read again.
  virtual bool rewind() = 0;
  // The next row, info().rowBytes() bytes; false at the end or when the data is damaged.
  virtual bool readRow(std::uint8_t* out) = 0;
  // Asks for rows reduced by up to this power-of-two factor, for thumbnails; the decoder may
  // ignore it. Only before the first row; info() then tells the size that comes out.
  virtual void setReduction(int factor) { (void)factor; }

 protected:
  Info info_;
  fnd::Dictionary properties_;
  fnd::Data icc_;
};

}  // namespace imageio
