#include "ui/controls/CTRLS_OutputSizePopup.h"

#include "ui/controls/ClickHandshake.h"

Quirel_CTRLS_OutputSizePopup::Quirel_CTRLS_OutputSizePopup() {
  mTitleTxt->setFont(kit::Font::boldSystemFont(12));
  mTitleTxt->setAutoresizingMask(kit::kViewMinYMargin);
  getPopupBT()->setAutoresizingMask(kit::kViewMinYMargin);
  getPopupBT()->setAction([this](kit::Control&) { OPSizePopupAction(); });
}

void Quirel_CTRLS_OutputSizePopup::OPSizePopupAction() { Quirel_ClickHandshake::post(kChangePost, getPopupBT()); }
