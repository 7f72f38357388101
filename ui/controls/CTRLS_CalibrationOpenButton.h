#pragma once

#include "ui/controls/CTRLS_OpenButton.h"

// Opens or folds the calibration section.
class Quirel_CTRLS_CalibrationOpenButton : public Quirel_CTRLS_OpenButton {
 public:
  static constexpr const char* kOpenPost = "AdvCalibrationOpenPost";
  Quirel_CTRLS_CalibrationOpenButton() : Quirel_CTRLS_OpenButton(kOpenPost) {}
  void CalibrationOpenBTAction() { openAction(); }
};
