#pragma once

#include "ui/controls/CTRLS_ChannelPopupBase.h"

// A pop-up of the tone-curve dialog (the channel, or the curve preset); items may carry a
// number. A choice posts "ToneCrvChangePost" once setPopupBTAction was called; the dialog
// tells its two pop-ups apart by the object.
class Quirel_CTRLS_ToneCurvePopup : public Quirel_CTRLS_ChannelPopupBase {
 public:
  static constexpr const char* kChangePost = "ToneCrvChangePost";
  Quirel_CTRLS_ToneCurvePopup() : Quirel_CTRLS_ChannelPopupBase(Caption::Plain) {}
  void setPopupBTAction() { wireAction(kChangePost); }
  using Quirel_CTRLS_ChannelPopupBase::getRepresentedNumber;
  using Quirel_CTRLS_ChannelPopupBase::selectAtRepresentedNumber;
  using Quirel_CTRLS_ChannelPopupBase::setRepresentedNumberAtIndex;
};
