#pragma once

#include "ui/controls/CTRLS_ChannelPopupBase.h"

// The output-size dialog's unit; items carry the unit's number. A choice posts
// "UnitChangePost" once setPopupBTAction was called.
class Quirel_CTRLS_OUTUnitPopup : public Quirel_CTRLS_ChannelPopupBase {
 public:
  static constexpr const char* kChangePost = "UnitChangePost";
  Quirel_CTRLS_OUTUnitPopup() : Quirel_CTRLS_ChannelPopupBase(Caption::Plain) {}
  void setPopupBTAction() { wireAction(kChangePost); }
  using Quirel_CTRLS_ChannelPopupBase::getRepresentedNumber;
  using Quirel_CTRLS_ChannelPopupBase::selectAtRepresentedNumber;
  using Quirel_CTRLS_ChannelPopupBase::setRepresentedNumberAtIndex;
};
