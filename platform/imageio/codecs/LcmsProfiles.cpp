#include "imageio/codecs/LcmsProfiles.h"

#include <lcms2.h>

#include <vector>

namespace imageio {

namespace {

fnd::Data saveProfile(cmsHPROFILE h, const char* description) {
  fnd::Data out;
  if (!h) return out;
  cmsSetProfileVersion(h, 2.1);
  if (cmsMLU* mlu = cmsMLUalloc(nullptr, 1)) {
    cmsMLUsetASCII(mlu, "en", "US", description);
    cmsWriteTag(h, cmsSigProfileDescriptionTag, mlu);
    cmsMLUfree(mlu);
  }
  cmsUInt32Number size = 0;
  if (cmsSaveProfileToMem(h, nullptr, &size) && size > 0) {
    out.resize(size);
    if (!cmsSaveProfileToMem(h, out.data(), &size)) out.clear();
  }
  cmsCloseProfile(h);
  return out;
}

}  // namespace

fnd::Data LcmsProfiles::makeGray(double gamma, const char* description) {
  cmsToneCurve* curve = cmsBuildGamma(nullptr, gamma);
  if (!curve) return {};
  cmsHPROFILE h = cmsCreateGrayProfile(cmsD50_xyY(), curve);
  cmsFreeToneCurve(curve);
  return saveProfile(h, description);
}

fnd::Data LcmsProfiles::makeSRGB(const char* description) { return saveProfile(cmsCreate_sRGBProfile(), description); }

bool LcmsProfiles::read(const fnd::Data& icc, std::string& description) {
  description.clear();
  cmsHPROFILE h = cmsOpenProfileFromMem(icc.data(), cmsUInt32Number(icc.size()));
  if (!h) return false;
  cmsUInt32Number n = cmsGetProfileInfoASCII(h, cmsInfoDescription, "en", "US", nullptr, 0);
  if (n > 1) {
    std::vector<char> text(n);
    cmsGetProfileInfoASCII(h, cmsInfoDescription, "en", "US", text.data(), n);
    description.assign(text.data());
  }
  cmsCloseProfile(h);
  return true;
}

}  // namespace imageio
