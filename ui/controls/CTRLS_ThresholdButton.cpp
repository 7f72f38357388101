#include "ui/controls/CTRLS_ThresholdButton.h"

#include "ui/controls/ClickHandshake.h"

Quirel_CTRLS_ThresholdButton::Quirel_CTRLS_ThresholdButton() {
  getIconBT()->setAction([this](kit::Control&) { ThresholdBTAction(); });
}

void Quirel_CTRLS_ThresholdButton::ThresholdBTAction() { Quirel_ClickHandshake::post(kOpenPost, getIconBT()); }
