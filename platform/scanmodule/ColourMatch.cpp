#include "scanmodule/ColourMatch.h"

#include <lcms2.h>

namespace velmor {

std::unique_ptr<ColourMatch> ColourMatch::open(const std::string& sourceProfile, const std::string& targetProfile,
                                               int bitsPerSample) {
  if (sourceProfile.empty() || targetProfile.empty()) return nullptr;
  cmsHPROFILE in = cmsOpenProfileFromFile(sourceProfile.c_str(), "r");
  cmsHPROFILE out = in ? cmsOpenProfileFromFile(targetProfile.c_str(), "r") : nullptr;
  cmsHTRANSFORM transform = nullptr;
  if (in && out && cmsGetColorSpace(in) == cmsSigRgbData && cmsGetColorSpace(out) == cmsSigRgbData) {
    const cmsUInt32Number format = bitsPerSample == 16 ? TYPE_RGB_16 : TYPE_RGB_8;
    transform = cmsCreateTransform(in, format, out, format, INTENT_PERCEPTUAL, 0);
  }
  if (out) cmsCloseProfile(out);
  if (in) cmsCloseProfile(in);
  if (!transform) return nullptr;
  std::unique_ptr<ColourMatch> match(new ColourMatch());
  match->transform_ = transform;
  return match;
}

ColourMatch::~ColourMatch() {
  if (transform_) cmsDeleteTransform(static_cast<cmsHTRANSFORM>(transform_));
}

void ColourMatch::apply(std::uint8_t* row, int width) const {
  if (width > 0) cmsDoTransform(static_cast<cmsHTRANSFORM>(transform_), row, row, static_cast<cmsUInt32Number>(width));
}

}  // namespace velmor
