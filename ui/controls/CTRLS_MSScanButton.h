#pragma once

#include "ui/controls/CTRLS_ColorPushButton.h"

// The multi-scan tab's Scan button.
class Quirel_CTRLS_MSScanButton : public Quirel_CTRLS_ColorPushButton {
 public:
  static constexpr const char* kStartPost = "MsScanStartPost";
  Quirel_CTRLS_MSScanButton();
  void ScanBTAction();
};
