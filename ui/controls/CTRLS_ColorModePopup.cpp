#include "ui/controls/CTRLS_ColorModePopup.h"

#include "ui/controls/ClickHandshake.h"

Quirel_CTRLS_ColorModePopup::Quirel_CTRLS_ColorModePopup() {
  getPopupBT()->setAction([this](kit::Control&) { ColorModePopupAction(); });
}

void Quirel_CTRLS_ColorModePopup::addPopupItemWithTitle(const std::string& title, int number, bool isFilm) {
  (isFilm ? mFilmItemList : mPlatenItemList).add(title, number);
}

void Quirel_CTRLS_ColorModePopup::showMenu(bool film, bool bitEnabled) {
  mFilmMode = film;
  mBitEnabled = bitEnabled;
  (film ? mFilmItemList : mPlatenItemList).showIn(*this, [bitEnabled](int number) {
    return bitEnabled || (number != 2 && number != 4);
  });
}

void Quirel_CTRLS_ColorModePopup::ColorModePopupAction() { Quirel_ClickHandshake::post(kChangePost, getPopupBT()); }
