#pragma once

#include "ui/controls/CTRLS_IconOnOffButton.h"

// The advanced panel's lock that keeps the output size's proportions: each click turns the
// picture to the new state, then reports it.
class Quirel_CTRLS_FixesRatioButton : public Quirel_CTRLS_IconOnOffButton {
 public:
  static constexpr const char* kChangePost = "AdvFixesRatioChangePost";
  Quirel_CTRLS_FixesRatioButton();
  void FixesRatioBTAction();
};
