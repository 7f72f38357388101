#pragma once

#include "ui/controls/CTRLS_PushButton.h"

// The toolbar's "select all crops" push button: "ToolSelectAllCropButtonPost" (object: the
// push button) on each click.
class Quirel_CTRLS_TOOLAllCropPushButton : public Quirel_CTRLS_PushButton {
 public:
  static constexpr const char* kSelectAllCropPost = "ToolSelectAllCropButtonPost";
  Quirel_CTRLS_TOOLAllCropPushButton();
  void setPushBTOriginX(double x);
  void SelectAllCropBTAction();
};
