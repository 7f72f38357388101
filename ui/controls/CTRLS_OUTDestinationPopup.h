#pragma once

#include "ui/controls/CTRLS_ChannelPopupBase.h"

// The output-size dialog's choice of list (for printing or for the screen). A choice posts
// "DestChangePost" once setPopupBTAction was called.
class Quirel_CTRLS_OUTDestinationPopup : public Quirel_CTRLS_ChannelPopupBase {
 public:
  static constexpr const char* kChangePost = "DestChangePost";
  Quirel_CTRLS_OUTDestinationPopup() : Quirel_CTRLS_ChannelPopupBase(Caption::Plain) {}
  void setPopupBTAction() { wireAction(kChangePost); }
};
