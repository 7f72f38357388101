#include "ui/controls/CTRLS_MSHelpButton.h"

#include "ui/controls/ClickHandshake.h"

Quirel_CTRLS_MSHelpButton::Quirel_CTRLS_MSHelpButton() {
  mTitleTxt->setFont(kit::Font::systemFont(13));
  mTitleTxt->setAutoresizingMask(kit::kViewMinYMargin);
  getIconBT()->setAutoresizingMask(kit::kViewMinYMargin);
  getIconBT()->setAction([this](kit::Control&) { HelpBTAction(); });
}

void Quirel_CTRLS_MSHelpButton::HelpBTAction() { Quirel_ClickHandshake::post(kShowPost, getIconBT()); }
