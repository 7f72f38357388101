#include "ui/controls/CTRLS_ColorAdjustmentPopup.h"

#include "ui/controls/ClickHandshake.h"

Quirel_CTRLS_ColorAdjustmentPopup::Quirel_CTRLS_ColorAdjustmentPopup() {
  getPopupBT()->setAction([this](kit::Control&) { ColorAdjustmentPopupAction(); });
}

void Quirel_CTRLS_ColorAdjustmentPopup::addPopupItemWithTitle(const std::string& title, int number, int mode) {
  (mode == 1 ? mFilmItemList : mode == 0 ? mPlatenItemList : mADFItemList).add(title, number);
}

void Quirel_CTRLS_ColorAdjustmentPopup::setMenuAtMode(int mode) {
  mMenuMode = mode;
  if (mode == 2 && !mADFItemList.empty())
    mADFItemList.showIn(*this);
  else if (mode == 1)
    mFilmItemList.showIn(*this);
  else
    mPlatenItemList.showIn(*this);
}

void Quirel_CTRLS_ColorAdjustmentPopup::ColorAdjustmentPopupAction() {
  Quirel_ClickHandshake::post(kChangePost, getPopupBT());
}
