#include "ui/controls/CTRLS_PaperSizePopup.h"

#include "ui/controls/ClickHandshake.h"

Quirel_CTRLS_PaperSizePopup::Quirel_CTRLS_PaperSizePopup() {
  getPopupBT()->setAction([this](kit::Control&) { PaperSizePopupAction(); });
}

void Quirel_CTRLS_PaperSizePopup::addPopupItemWithTitle(const std::string& title, int number, bool isADF) {
  (isADF ? mADFItemList : mPlatenItemList).add(title, number);
}

void Quirel_CTRLS_PaperSizePopup::setPlatenMenu() {
  mADFMenu = false;
  mBothSideADFMenu = false;
  mPlatenItemList.showIn(*this);
}

void Quirel_CTRLS_PaperSizePopup::setADFMenu(bool bothSides) {
  mADFMenu = true;
  mBothSideADFMenu = bothSides;
  if (bothSides)
    mADFItemList.showIn(*this, [](int number) { return number == 10 || number == 17; });
  else
    mADFItemList.showIn(*this);
}

void Quirel_CTRLS_PaperSizePopup::PaperSizePopupAction() { Quirel_ClickHandshake::post(kChangePost, getPopupBT()); }
