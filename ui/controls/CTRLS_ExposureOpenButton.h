#pragma once

#include "ui/controls/CTRLS_OpenButton.h"

// Opens or folds the exposure section.
class Quirel_CTRLS_ExposureOpenButton : public Quirel_CTRLS_OpenButton {
 public:
  static constexpr const char* kOpenPost = "AdvExposureOpenPost";
  Quirel_CTRLS_ExposureOpenButton() : Quirel_CTRLS_OpenButton(kOpenPost) {}
  void ExposureBTAction() { openAction(); }
};
