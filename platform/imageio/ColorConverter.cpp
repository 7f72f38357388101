#include "imageio/ColorConverter.h"

#include <cstdint>
#include <cstring>

#include "imageio/CodecModule.h"

namespace imageio {

ColorConverter::ColorConverter(const ColorSpace& from, const ColorSpace& to, bool sixteenBit)
    : inComponents_(from.numberOfComponents()), outComponents_(to.numberOfComponents()), sixteen_(sixteenBit) {
  if (from.isDevice() || to.isDevice() || from.sameAs(to)) return;
  // Without the codec module the values are kept, as between device spaces.
  if (const CodecModule* codecs = codecModule())
    transform_ = codecs->makeTransform(from.iccData(), inComponents_, to.iccData(), outComponents_, sixteen_);
}

ColorConverter::~ColorConverter() = default;

namespace {
template <class T>
void mapComponents(const T* in, T* out, std::size_t pixels, int inC, int outC) {
  if (inC == outC) {
    std::memcpy(out, in, pixels * std::size_t(inC) * sizeof(T));
  } else if (inC == 1) {
    for (std::size_t i = 0; i < pixels; ++i) out[3 * i] = out[3 * i + 1] = out[3 * i + 2] = in[i];
  } else {
    for (std::size_t i = 0; i < pixels; ++i) {
      std::uint32_t y = (299u * in[3 * i] + 587u * in[3 * i + 1] + 114u * in[3 * i + 2] + 500u) / 1000u;
      out[i] = T(y);
    }
  }
}
}  // namespace

void ColorConverter::convert(const void* in, void* out, std::size_t pixels) const {
  if (transform_) {
    transform_->convert(in, out, pixels);
  } else if (sixteen_) {
    mapComponents(static_cast<const std::uint16_t*>(in), static_cast<std::uint16_t*>(out), pixels, inComponents_,
                  outComponents_);
  } else {
    mapComponents(static_cast<const std::uint8_t*>(in), static_cast<std::uint8_t*>(out), pixels, inComponents_,
                  outComponents_);
  }
}

}  // namespace imageio
