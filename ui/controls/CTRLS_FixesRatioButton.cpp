#include "ui/controls/CTRLS_FixesRatioButton.h"

#include "ui/controls/ClickHandshake.h"

Quirel_CTRLS_FixesRatioButton::Quirel_CTRLS_FixesRatioButton() {
  mIconBT->setAction([this](kit::Control&) { FixesRatioBTAction(); });
}

void Quirel_CTRLS_FixesRatioButton::FixesRatioBTAction() {
  mIconBT->changeImage(mIconBT->state() == kit::kOnState);
  Quirel_ClickHandshake::post(kChangePost, mIconBT.get());
}
