#include "ui/controls/CTRLS_MSHowToPutButton.h"

#include "ui/controls/ClickHandshake.h"

Quirel_CTRLS_MSHowToPutButton::Quirel_CTRLS_MSHowToPutButton() {
  mTitleTxt->setFont(kit::Font::systemFont(13));
  mTitleTxt->setAutoresizingMask(kit::kViewMinYMargin);
  getIconBT()->setAutoresizingMask(kit::kViewMinYMargin);
  getIconBT()->setAction([this](kit::Control&) { HowToPutBTAction(); });
}

void Quirel_CTRLS_MSHowToPutButton::HowToPutBTAction() { Quirel_ClickHandshake::post(kShowPost, getIconBT()); }
