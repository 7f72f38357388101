#pragma once

#include <string>

#include "ui/controls/CTRLS_PushButton.h"

// The advanced mode's multi-crop push button, which shows either its on title (reset) or its
// off title (apply), with the matching tool tip; "ToolMultiCropButtonPost" (object: the push
// button) on each click.
class Quirel_CTRLS_TOOLMultiCropButton : public Quirel_CTRLS_PushButton {
 public:
  static constexpr const char* kMultiCropPost = "ToolMultiCropButtonPost";
  static constexpr const char* kResetToolTipKey = "IDMAC_PGADV_MULTIRESET_BTN";
  static constexpr const char* kApplyToolTipKey = "IDMAC_PGADV_MULTIAPPLY_BTN";

  Quirel_CTRLS_TOOLMultiCropButton();
  void setPushBTOriginX(double x);
  using Quirel_CTRLS_PushButton::setPushBTTitle;
  // Copies of the two titles; a missing one is stored as "".
  void setPushBTTitle(const char* onTitle, const char* offTitle);
  // The on (YES) or off title, and its tool tip in the window controller's language.
  void setState(bool on);
  // YES exactly when the shown title is the on title.
  bool isOnState() const { return getPushBT()->title() == mOnTitle; }
  void MultiCropBTAction();

 private:
  std::string mOnTitle;
  std::string mOffTitle;
};
