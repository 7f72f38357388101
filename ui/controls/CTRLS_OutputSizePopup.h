#pragma once

#include "ui/controls/CTRLS_PopupButton.h"

// The basic mode's output-size pop-up.
class Quirel_CTRLS_OutputSizePopup : public Quirel_CTRLS_PopupButton {
 public:
  static constexpr const char* kChangePost = "OutputSizeChangePost";
  Quirel_CTRLS_OutputSizePopup();
  void OPSizePopupAction();
};
