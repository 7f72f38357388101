#pragma once

#include "ui/controls/CTRLS_ColorPushButton.h"

// The basic mode's Scan button; a press that reaches it while disabled reports nothing.
class Quirel_CTRLS_STDScanButton : public Quirel_CTRLS_ColorPushButton {
 public:
  static constexpr const char* kStartPost = "ScanStartPost";
  Quirel_CTRLS_STDScanButton();
  void ScanBTAction();
};
