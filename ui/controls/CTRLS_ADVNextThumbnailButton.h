#pragma once

#include "ui/controls/CTRLS_NextThumbnailButton.h"

// The advanced mode's pair of thumbnail stepping buttons: the same buttons, reporting under the
// advanced mode's names.
class Quirel_CTRLS_ADVNextThumbnailButton : public Quirel_CTRLS_NextThumbnailButton {
 public:
  static constexpr const char* kAdvNextPost = "AdvNextThumbnailPost";
  static constexpr const char* kAdvBackPost = "AdvBackThumbnailPost";
  Quirel_CTRLS_ADVNextThumbnailButton();
  void AdvNextBTAction();
  void AdvBackBTAction();
};
