#pragma once

#include "ui/controls/CTRLS_PREFPopup.h"

// The calibration pop-up of the preferences; it may keep the default caption font.
class Quirel_CTRLS_PREFCalibrationPopup : public Quirel_CTRLS_PREFPopup {
 public:
  static constexpr const char* kChangePost = "PrefCalibrationChangePost";
  explicit Quirel_CTRLS_PREFCalibrationPopup(Variant variant = Variant::Default)
      : Quirel_CTRLS_PREFPopup(kChangePost, variant) {}
  static std::unique_ptr<Quirel_CTRLS_PREFCalibrationPopup> initWithDefaultFontSize() {
    return std::make_unique<Quirel_CTRLS_PREFCalibrationPopup>(Variant::DefaultFontSize);
  }
};
