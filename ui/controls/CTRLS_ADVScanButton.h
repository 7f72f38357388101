#pragma once

#include "ui/controls/CTRLS_ColorPushButton.h"

// The advanced panel's Scan button.
class Quirel_CTRLS_ADVScanButton : public Quirel_CTRLS_ColorPushButton {
 public:
  static constexpr const char* kStartPost = "AdvScanStartPost";
  Quirel_CTRLS_ADVScanButton();
  void ScanBTAction();
};
