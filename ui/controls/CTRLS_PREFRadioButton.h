#pragma once

#include "ui/controls/CTRLS_RadioButton.h"

// A radio column that posts the owner's notification on each choice, and greys its caption
// while disabled.
class Quirel_CTRLS_PREFRadioButton : public Quirel_CTRLS_RadioButton {
 public:
  Quirel_CTRLS_PREFRadioButton();
  void setRadioBTActionPostNtf(const std::string& name) { setActionPostName(name); }
  void RadioBTAction() { postAction(mRadioBT.get()); }
  void setEnabled(bool enabled) override;
};
