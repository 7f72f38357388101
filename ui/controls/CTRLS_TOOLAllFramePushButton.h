#pragma once

#include "ui/controls/CTRLS_PushButton.h"

// The toolbar's "select all frames" push button: "ToolSelectAllFrameButtonPost" (object: the
// push button) on each click.
class Quirel_CTRLS_TOOLAllFramePushButton : public Quirel_CTRLS_PushButton {
 public:
  static constexpr const char* kSelectAllFramePost = "ToolSelectAllFrameButtonPost";
  Quirel_CTRLS_TOOLAllFramePushButton();
  void setPushBTOriginX(double x);
  void SelectAllFrameBTAction();
};
