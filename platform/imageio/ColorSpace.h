#pragma once

#include <memory>
#include <string>

#include "foundation/Value.h"

namespace imageio {

class ColorSpace;
// Colour spaces are immutable and shared by every image and context that uses them.
using ColorSpaceRef = std::shared_ptr<const ColorSpace>;

// A grey or RGB colour space: a device space (no profile), one of the three generic spaces
// whose profiles we make ourselves, or one made from ICC profile bytes.
class ColorSpace {
 public:
  enum class Model { Gray, RGB };
  enum class Kind { DeviceGray, DeviceRGB, GenericGray, GenericGrayGamma2_2, SRGB, ICC };

  static ColorSpaceRef deviceGray();
  static ColorSpaceRef deviceRGB();
  static ColorSpaceRef genericGray();          // gamma 1.8, D50
  static ColorSpaceRef genericGrayGamma2_2();  // gamma 2.2, D50
  static ColorSpaceRef sRGB();
  // Null when the bytes are not an ICC profile of a grey or RGB data colour space, or the codec
  // module cannot be loaded to read them.
  static ColorSpaceRef createWithICCData(const fnd::Data& icc);

  // Profile bytes of the generic spaces (version 2 profiles); empty when the codec module
  // (CodecModule.h), which makes them, cannot be loaded.
  static const fnd::Data& genericGrayProfileData();
  static const fnd::Data& grayGamma2_2ProfileData();
  static const fnd::Data& sRGBProfileData();
  // The profile a file carries for the device grey space where the writer must name one
  // (the device space itself carries none): the display's gamma 2.2 grey, described as the
  // device's.
  static const fnd::Data& deviceGrayProfileData();

  Kind kind() const { return kind_; }
  Model model() const { return model_; }
  int numberOfComponents() const { return model_ == Model::Gray ? 1 : 3; }
  bool isDevice() const { return kind_ == Kind::DeviceGray || kind_ == Kind::DeviceRGB; }
  // The profile written into files with an image of this space; empty for device spaces.
  const fnd::Data& iccData() const { return icc_; }
  // "DeviceGray", "DeviceRGB", "GenericGray", "GenericGrayGamma2_2", "sRGB", or the
  // profile's description.
  const std::string& name() const { return name_; }

  // Same colour meaning: same kind, and for profiles the same bytes.
  bool sameAs(const ColorSpace& other) const;

  ColorSpace(Kind kind, Model model, fnd::Data icc, std::string name)
      : kind_(kind), model_(model), icc_(std::move(icc)), name_(std::move(name)) {}

 private:
  Kind kind_;
  Model model_;
  fnd::Data icc_;
  std::string name_;
};

}  // namespace imageio
