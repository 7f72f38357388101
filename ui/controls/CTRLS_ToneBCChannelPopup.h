#pragma once

#include "ui/controls/CTRLS_ChannelPopupBase.h"

// The channel pop-up of the brightness and contrast dialog. A choice posts "ChannelChangePost" once setPopupBTAction was called.
class Quirel_CTRLS_ToneBCChannelPopup : public Quirel_CTRLS_ChannelPopupBase {
 public:
  static constexpr const char* kChangePost = "ChannelChangePost";
  Quirel_CTRLS_ToneBCChannelPopup();
  void setPopupBTAction() { wireAction(kChangePost); }
  // Popup and caption alike.
  void setAutoresizingMask(unsigned mask);
};
