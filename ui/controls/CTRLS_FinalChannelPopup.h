#pragma once

#include "ui/controls/CTRLS_ChannelPopupBase.h"

// The channel pop-up of the final-review dialog. A choice posts "ChannelChangePost" once setPopupBTAction was called.
class Quirel_CTRLS_FinalChannelPopup : public Quirel_CTRLS_ChannelPopupBase {
 public:
  static constexpr const char* kChangePost = "ChannelChangePost";
  Quirel_CTRLS_FinalChannelPopup();
  void setPopupBTAction() { wireAction(kChangePost); }
};
