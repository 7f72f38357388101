#pragma once

#include "ui/controls/CTRLS_PopupItemList.h"

// The basic mode's destination pop-up: one menu for reflective originals, one for film.
class Quirel_CTRLS_DestinationPopup : public Quirel_CTRLS_PopupButton {
 public:
  static constexpr const char* kChangePost = "DestinationChangePost";
  Quirel_CTRLS_DestinationPopup();

  using Quirel_CTRLS_PopupButton::addPopupItemWithTitle;
  void addPopupItemWithTitle(const std::string& title, int number, bool isFilm);
  void setPlatenModeMenu();
  void setFilmModeMenu();
  bool isFilmModeMenu() const { return mFilmMode; }
  void DstPopupAction();

 private:
  bool mFilmMode = false;
  Quirel_CTRLS_PopupItemList mPlatenItemList;
  Quirel_CTRLS_PopupItemList mFilmItemList;
};
