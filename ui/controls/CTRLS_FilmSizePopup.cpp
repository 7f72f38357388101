#include "ui/controls/CTRLS_FilmSizePopup.h"

#include "ui/controls/ClickHandshake.h"

Quirel_CTRLS_FilmSizePopup::Quirel_CTRLS_FilmSizePopup() {
  getPopupBT()->setAction([this](kit::Control&) { FilmSizePopupAction(); });
}

void Quirel_CTRLS_FilmSizePopup::setTitleTxtTitleForCrop(const std::string& title) {
  mCropTitleStr = title;
  setTitleTxtTitle(title);
}

void Quirel_CTRLS_FilmSizePopup::setTitleTxtTitleForFrame(const std::string& title) {
  mFrameTitleStr = title;
  setTitleTxtTitle(title);
}

void Quirel_CTRLS_FilmSizePopup::FilmSizePopupAction() { Quirel_ClickHandshake::post(kChangePost, getPopupBT()); }
