#pragma once

#include "ui/controls/CTRLS_IconBezelButton.h"

// The basic mode's button that swaps the output's width and height, with its caption.
class Quirel_CTRLS_STDDirectionButton : public Quirel_CTRLS_IconBezelButton {
 public:
  static constexpr const char* kChangePost = "DirectionChangePost";
  Quirel_CTRLS_STDDirectionButton();
  void setEnabled(bool enabled);
  void DirectionBTAction();
};
