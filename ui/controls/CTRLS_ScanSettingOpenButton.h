#pragma once

#include "ui/controls/CTRLS_OpenButton.h"

// Opens or folds the scan-settings section.
class Quirel_CTRLS_ScanSettingOpenButton : public Quirel_CTRLS_OpenButton {
 public:
  static constexpr const char* kOpenPost = "AdvScanSettingOpenPost";
  Quirel_CTRLS_ScanSettingOpenButton() : Quirel_CTRLS_OpenButton(kOpenPost) {}
  void ScanSettingOpenBTAction() { openAction(); }
};
