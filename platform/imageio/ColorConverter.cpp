#include "imageio/ColorConverter.h"

#include <lcms2.h>

#include <cstdint>
#include <cstring>

namespace imageio {

ColorConverter::ColorConverter(const ColorSpace& from, const ColorSpace& to, bool sixteenBit)
    : inComponents_(from.numberOfComponents()), outComponents_(to.numberOfComponents()), sixteen_(sixteenBit) {
  if (from.isDevice() || to.isDevice() || from.sameAs(to)) return;
  cmsHPROFILE in = cmsOpenProfileFromMem(from.iccData().data(), cmsUInt32Number(from.iccData().size()));
  cmsHPROFILE out = cmsOpenProfileFromMem(to.iccData().data(), cmsUInt32Number(to.iccData().size()));
  if (in && out) {
    cmsUInt32Number inFormat = inComponents_ == 1 ? (sixteen_ ? TYPE_GRAY_16 : TYPE_GRAY_8)
                                                  : (sixteen_ ? TYPE_RGB_16 : TYPE_RGB_8);
    cmsUInt32Number outFormat = outComponents_ == 1 ? (sixteen_ ? TYPE_GRAY_16 : TYPE_GRAY_8)
                                                    : (sixteen_ ? TYPE_RGB_16 : TYPE_RGB_8);
    transform_ = cmsCreateTransform(in, inFormat, out, outFormat, INTENT_RELATIVE_COLORIMETRIC, 0);
  }
  if (in) cmsCloseProfile(in);
  if (out) cmsCloseProfile(out);
}

ColorConverter::~ColorConverter() {
  if (transform_) cmsDeleteTransform(static_cast<cmsHTRANSFORM>(transform_));
}

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
    cmsDoTransform(static_cast<cmsHTRANSFORM>(transform_), in, out, cmsUInt32Number(pixels));
  } else if (sixteen_) {
    mapComponents(static_cast<const std::uint16_t*>(in), static_cast<std::uint16_t*>(out), pixels, inComponents_,
                  outComponents_);
  } else {
    mapComponents(static_cast<const std::uint8_t*>(in), static_cast<std::uint8_t*>(out), pixels, inComponents_,
                  outComponents_);
  }
}

}  // namespace imageio
