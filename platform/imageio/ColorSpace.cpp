#include "imageio/ColorSpace.h"

#include "imageio/CodecModule.h"
#include "imageio/IccProfile.h"

namespace imageio {

namespace {

// Empty when the codec module cannot be loaded: the space then carries no profile.
fnd::Data grayProfile(double gamma, const char* description) {
  const CodecModule* codecs = codecModule();
  return codecs ? codecs->makeGrayProfile(gamma, description) : fnd::Data{};
}

}  // namespace

const fnd::Data& ColorSpace::genericGrayProfileData() {
  static const fnd::Data data = grayProfile(1.8, "Generic Grey");
  return data;
}

const fnd::Data& ColorSpace::grayGamma2_2ProfileData() {
  static const fnd::Data data = grayProfile(2.2, "Grey Gamma 2.2");
  return data;
}

const fnd::Data& ColorSpace::deviceGrayProfileData() {
  static const fnd::Data data = grayProfile(2.2, "Device Grey");
  return data;
}

const fnd::Data& ColorSpace::sRGBProfileData() {
  static const fnd::Data data = [] {
    const CodecModule* codecs = codecModule();
    return codecs ? codecs->makeSRGBProfile("sRGB") : fnd::Data{};
  }();
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
