#pragma once

#include "ui/controls/CTRLS_PushButton.h"

// The zoom button, whose title says what a click will do: zoom in, or undo the zoom (on).
class Quirel_CTRLS_ZoomButton : public Quirel_CTRLS_PushButton {
 public:
  static constexpr const char* kZoomPost = "AdvZoomStartPost";
  Quirel_CTRLS_ZoomButton();

  void setPushBTTitle(const std::string& onTitle, const std::string& offTitle);
  void setState(bool on) { getPushBT()->setTitle(on ? mOnTitle : mOffTitle); }
  // Whether the on title shows; never before the titles were stored.
  bool isOnState() const { return mHasTitles && getPushBT()->title() == mOnTitle; }
  void ZoomBTAction();

 private:
  std::string mOnTitle;
  std::string mOffTitle;
  bool mHasTitles = false;
};
