#include "imageio/RowReader.h"

namespace imageio {

RowReader::RowReader(const Image& image)
    : image_(image),
      pixelBytes_((image.width() * image.bitsPerPixel() + 7) / 8),
      components_(image.colorSpace()->numberOfComponents()),
      samples_(image.samplesPerPixel()),
      colourOffset_(image.alphaInfo() == AlphaInfo::First || image.alphaInfo() == AlphaInfo::PremultipliedFirst ||
                            image.alphaInfo() == AlphaInfo::NoneSkipFirst
                        ? 1
                        : 0),
      little16_(image.bitmapInfo().order == ByteOrder::Little16) {
  raw_.resize(pixelBytes_);
}

const std::uint8_t* RowReader::nextRaw() {
  if (row_ >= image_.height()) return nullptr;
  // Bytes the provider holds already are looked at where they are.
  const std::int64_t position = std::int64_t(row_) * std::int64_t(image_.bytesPerRow());
  if (const void* held = image_.dataProvider()->bytePointer(position, pixelBytes_)) {
    ++row_;
    return static_cast<const std::uint8_t*>(held);
  }
  return nextRawInto(raw_.data()) ? raw_.data() : nullptr;
}

bool RowReader::nextRawInto(std::uint8_t* dst) {
  if (row_ >= image_.height()) return false;
  std::int64_t position = std::int64_t(row_) * std::int64_t(image_.bytesPerRow());
  if (image_.dataProvider()->read(dst, position, pixelBytes_) != pixelBytes_) return false;
  ++row_;
  return true;
}

std::uint16_t RowReader::sample16(const std::uint8_t* p) const {
  return little16_ ? std::uint16_t(p[0] | (p[1] << 8)) : std::uint16_t((p[0] << 8) | p[1]);
}

bool RowReader::next8(std::uint8_t* out) {
  const std::uint8_t* raw = nextRaw();
  if (!raw) return false;
  convert8(raw, out);
  return true;
}

void RowReader::convert8(const std::uint8_t* raw, std::uint8_t* out) const {
  const std::size_t w = image_.width();
  switch (image_.bitsPerComponent()) {
    case 1:
      for (std::size_t x = 0; x < w; ++x) out[x] = (raw[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
      break;
    case 8:
      if (samples_ == components_) {
        std::copy(raw, raw + w * std::size_t(components_), out);
      } else {
        for (std::size_t x = 0; x < w; ++x) {
          const std::uint8_t* p = raw + x * std::size_t(samples_) + colourOffset_;
          for (int c = 0; c < components_; ++c) *out++ = p[c];
        }
      }
      break;
    default:
      for (std::size_t x = 0; x < w; ++x) {
        const std::uint8_t* p = raw + (x * std::size_t(samples_) + std::size_t(colourOffset_)) * 2;
        for (int c = 0; c < components_; ++c) *out++ = to8(sample16(p + 2 * c));
      }
      break;
  }
}

const std::uint8_t* RowReader::next8View(std::uint8_t* buffer) {
  if (image_.bitsPerComponent() == 8 && samples_ == components_) return nextRaw();
  return next8(buffer) ? buffer : nullptr;
}

bool RowReader::next16(std::uint16_t* out) {
  const std::uint8_t* raw = nextRaw();
  if (!raw) return false;
  const std::size_t w = image_.width();
  switch (image_.bitsPerComponent()) {
    case 1:
      for (std::size_t x = 0; x < w; ++x) out[x] = (raw[x >> 3] & (0x80 >> (x & 7))) ? 65535 : 0;
      break;
    case 8:
      for (std::size_t x = 0; x < w; ++x) {
        const std::uint8_t* p = raw + x * std::size_t(samples_) + colourOffset_;
        for (int c = 0; c < components_; ++c) *out++ = std::uint16_t(p[c] * 257);
      }
      break;
    default:
      for (std::size_t x = 0; x < w; ++x) {
        const std::uint8_t* p = raw + (x * std::size_t(samples_) + std::size_t(colourOffset_)) * 2;
        for (int c = 0; c < components_; ++c) *out++ = sample16(p + 2 * c);
      }
      break;
  }
  return true;
}

}  // namespace imageio
