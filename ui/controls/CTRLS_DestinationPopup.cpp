#include "ui/controls/CTRLS_DestinationPopup.h"

#include "ui/controls/ClickHandshake.h"

Quirel_CTRLS_DestinationPopup::Quirel_CTRLS_DestinationPopup() {
  mTitleTxt->setFont(kit::Font::boldSystemFont(12));
  getPopupBT()->setAction([this](kit::Control&) { DstPopupAction(); });
}

void Quirel_CTRLS_DestinationPopup::addPopupItemWithTitle(const std::string& title, int number, bool isFilm) {
  (isFilm ? mFilmItemList : mPlatenItemList).add(title, number);
}

void Quirel_CTRLS_DestinationPopup::setPlatenModeMenu() {
  mFilmMode = false;
  mPlatenItemList.showIn(*this);
}

void Quirel_CTRLS_DestinationPopup::setFilmModeMenu() {
  mFilmMode = true;
  mFilmItemList.showIn(*this);
}

void Quirel_CTRLS_DestinationPopup::DstPopupAction() { Quirel_ClickHandshake::post(kChangePost, getPopupBT()); }
