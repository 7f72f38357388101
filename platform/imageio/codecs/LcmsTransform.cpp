#include "imageio/codecs/LcmsTransform.h"

#include <lcms2.h>

namespace imageio {

std::unique_ptr<ColorTransform> LcmsTransform::make(const fnd::Data& from, int fromComponents, const fnd::Data& to,
                                                    int toComponents, bool sixteenBit) {
  cmsHPROFILE in = cmsOpenProfileFromMem(from.data(), cmsUInt32Number(from.size()));
  cmsHPROFILE out = cmsOpenProfileFromMem(to.data(), cmsUInt32Number(to.size()));
  cmsHTRANSFORM transform = nullptr;
  if (in && out) {
    cmsUInt32Number inFormat = fromComponents == 1 ? (sixteenBit ? TYPE_GRAY_16 : TYPE_GRAY_8)
                                                   : (sixteenBit ? TYPE_RGB_16 : TYPE_RGB_8);
    cmsUInt32Number outFormat = toComponents == 1 ? (sixteenBit ? TYPE_GRAY_16 : TYPE_GRAY_8)
                                                  : (sixteenBit ? TYPE_RGB_16 : TYPE_RGB_8);
    transform = cmsCreateTransform(in, inFormat, out, outFormat, INTENT_RELATIVE_COLORIMETRIC, 0);
  }
  if (in) cmsCloseProfile(in);
  if (out) cmsCloseProfile(out);
  if (!transform) return nullptr;
  return std::unique_ptr<ColorTransform>(new LcmsTransform(transform));
}

LcmsTransform::~LcmsTransform() { cmsDeleteTransform(static_cast<cmsHTRANSFORM>(transform_)); }

void LcmsTransform::convert(const void* in, void* out, std::size_t pixels) const {
  cmsDoTransform(static_cast<cmsHTRANSFORM>(transform_), in, out, cmsUInt32Number(pixels));
}

}  // namespace imageio
