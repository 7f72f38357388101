#pragma once

#include "ui/controls/CTRLS_IconBezelButton.h"

// The advanced panel's button that swaps the output width and height; it only reports the press.
class Quirel_CTRLS_ADVDirectionButton : public Quirel_CTRLS_IconBezelButton {
 public:
  static constexpr const char* kChangePost = "AdvDirectionChangePost";
  Quirel_CTRLS_ADVDirectionButton();
  void DirectionBTAction();
};
