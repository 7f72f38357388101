#include "ui/controls/CTRLS_FavoritePopup.h"

#include "ui/controls/ClickHandshake.h"

Quirel_CTRLS_FavoritePopup::Quirel_CTRLS_FavoritePopup() {
  mTitleTxt->setFont(kit::Font::boldSystemFont(13));
  mTitleTxt->setAutoresizingMask(kit::kViewMinYMargin);
  getPopupBT()->setAutoresizingMask(kit::kViewMinYMargin);
  getPopupBT()->setAction([this](kit::Control&) { FavoritePopupAction(); });
}

void Quirel_CTRLS_FavoritePopup::FavoritePopupAction() { Quirel_ClickHandshake::post(kChangePost, getPopupBT()); }
