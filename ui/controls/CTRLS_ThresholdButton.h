#pragma once

#include "ui/controls/CTRLS_IconBezelButton.h"

// Opens the threshold dialog from the advanced panel.
class Quirel_CTRLS_ThresholdButton : public Quirel_CTRLS_IconBezelButton {
 public:
  static constexpr const char* kOpenPost = "AdvThresholdOpenPost";
  Quirel_CTRLS_ThresholdButton();
  void ThresholdBTAction();
};
