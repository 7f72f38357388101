#pragma once

#include "ui/controls/CTRLS_ColorPushButton.h"

// The basic mode's Preview button; a press that reaches it while disabled reports nothing.
class Quirel_CTRLS_STDPreviewButton : public Quirel_CTRLS_ColorPushButton {
 public:
  static constexpr const char* kStartPost = "PreviewStartPost";
  Quirel_CTRLS_STDPreviewButton();
  void PreviewBTAction();
};
