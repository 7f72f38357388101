#include "imageio/ColorSpace.h"

#include <lcms2.h>

#include "imageio/IccProfile.h"

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

fnd::Data makeGrayProfile(double gamma, const char* description) {
  cmsToneCurve* curve = cmsBuildGamma(nullptr, gamma);
  if (!curve) return {};
  cmsHPROFILE h = cmsCreateGrayProfile(cmsD50_xyY(), curve);
  cmsFreeToneCurve(curve);
  return saveProfile(h, description);
}

}  // namespace

const fnd::Data& ColorSpace::genericGrayProfileData() {
  static const fnd::Data data = makeGrayProfile(1.8, "Generic Grey");
  return data;
}

const fnd::Data& ColorSpace::grayGamma2_2ProfileData() {
  static const fnd::Data data = makeGrayProfile(2.2, "Grey Gamma 2.2");
  return data;
}

const fnd::Data& ColorSpace::deviceGrayProfileData() {
  static const fnd::Data data = makeGrayProfile(2.2, "Device Grey");
  return data;
}

const fnd::Data& ColorSpace::sRGBProfileData() {
  static const fnd::Data data = saveProfile(cmsCreate_sRGBProfile(), "sRGB");
  return data;
}

ColorSpaceRef ColorSpace::deviceGray() {
  static const ColorSpaceRef cs = std::make_shared<ColorSpace>(Kind::DeviceGray, Model::Gray, fnd::Data{}, "DeviceGray");
  return cs;
}

ColorSpaceRef ColorSpace::deviceRGB() {
  static const ColorSpaceRef cs = std::make_shared<ColorSpace>(Kind::DeviceRGB, Model::RGB, fnd::Data{}, "DeviceRGB");
  return cs;
}

ColorSpaceRef ColorSpace::genericGray() {
  static const ColorSpaceRef cs =
      std::make_shared<ColorSpace>(Kind::GenericGray, Model::Gray, genericGrayProfileData(), "GenericGray");
  return cs;
}

ColorSpaceRef ColorSpace::genericGrayGamma2_2() {
  static const ColorSpaceRef cs = std::make_shared<ColorSpace>(Kind::GenericGrayGamma2_2, Model::Gray,
                                                               grayGamma2_2ProfileData(), "GenericGrayGamma2_2");
  return cs;
}

ColorSpaceRef ColorSpace::sRGB() {
  static const ColorSpaceRef cs = std::make_shared<ColorSpace>(Kind::SRGB, Model::RGB, sRGBProfileData(), "sRGB");
  return cs;
}

ColorSpaceRef ColorSpace::createWithICCData(const fnd::Data& icc) {
  auto profile = IccProfile::createWithData(icc);
  if (!profile) return nullptr;
  Model model;
  if (profile->colorSpace() == IccProfile::sigGray) {
    model = Model::Gray;
  } else if (profile->colorSpace() == IccProfile::sigRGB) {
    model = Model::RGB;
  } else {
    return nullptr;
  }
  return std::make_shared<ColorSpace>(Kind::ICC, model, icc, profile->description());
}

bool ColorSpace::sameAs(const ColorSpace& other) const {
  if (kind_ != other.kind_) return false;
  return kind_ != Kind::ICC || icc_ == other.icc_;
}

}  // namespace imageio
