#pragma once

#include "ui/controls/CTRLS_ChannelPopupBase.h"

// The channel pop-up of the histogram dialog. A choice posts "ChannelChangePost" once setPopupBTAction was called.
class Quirel_CTRLS_HistoChannelPopup : public Quirel_CTRLS_ChannelPopupBase {
 public:
  static constexpr const char* kChangePost = "ChannelChangePost";
  Quirel_CTRLS_HistoChannelPopup();
  void setPopupBTAction() { wireAction(kChangePost); }
};
