#include "ui/controls/CTRLS_AutoTonePopup.h"

#include "ui/controls/ClickHandshake.h"

Quirel_CTRLS_AutoTonePopup::Quirel_CTRLS_AutoTonePopup() {
  getPopupBT()->setAction([this](kit::Control&) { AutoTonePopupAction(); });
}

void Quirel_CTRLS_AutoTonePopup::addPopupItemWithTitle(const std::string& title, int number,
                                                       bool isDataPersistence) {
  (isDataPersistence ? mDataPersistenceItemList : mNormalItemList).add(title, number);
}

void Quirel_CTRLS_AutoTonePopup::setNormalMenu() {
  mDataPersistence = false;
  mNormalItemList.showIn(*this);
}

void Quirel_CTRLS_AutoTonePopup::setDataPersistenceMenu() {
  mDataPersistence = true;
  mDataPersistenceItemList.showIn(*this);
}

void Quirel_CTRLS_AutoTonePopup::AutoTonePopupAction() { Quirel_ClickHandshake::post(kChangePost, getPopupBT()); }
