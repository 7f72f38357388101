#include "ui/controls/CTRLS_ImageSourcePopup.h"

#include "ui/controls/ClickHandshake.h"

Quirel_CTRLS_ImageSourcePopup::Quirel_CTRLS_ImageSourcePopup() {
  mTitleTxt->setFont(kit::Font::boldSystemFont(12));
  mTitleTxt->setAutoresizingMask(kit::kViewMinYMargin);
  getPopupBT()->setAutoresizingMask(kit::kViewMinYMargin);
  getPopupBT()->setAction([this](kit::Control&) { ImgSrcPopupAction(); });
}

void Quirel_CTRLS_ImageSourcePopup::ImgSrcPopupAction() { Quirel_ClickHandshake::post(kChangePost, getPopupBT()); }
