#pragma once

#include "ui/controls/CTRLS_ColorPushButton.h"

// The advanced panel's Preview button.
class Quirel_CTRLS_ADVPreviewButton : public Quirel_CTRLS_ColorPushButton {
 public:
  static constexpr const char* kStartPost = "AdvPreviewStartPost";
  Quirel_CTRLS_ADVPreviewButton();
  void PreviewBTAction();
};
