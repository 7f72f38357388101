#pragma once

#include "ui/controls/CTRLS_PopupItemList.h"

// The colour-mode pop-up: one item list for reflective originals and one for film. The deep
// modes (numbers 2 and 4) are shown only while the bit depth may be chosen.
class Quirel_CTRLS_ColorModePopup : public Quirel_CTRLS_PopupButton {
 public:
  static constexpr const char* kChangePost = "AdvColorModeChangePost";
  Quirel_CTRLS_ColorModePopup();

  using Quirel_CTRLS_PopupButton::addPopupItemWithTitle;
  void addPopupItemWithTitle(const std::string& title, int number, bool isFilm);
  void setPlatenModeMenu(bool bitEnabled) { showMenu(false, bitEnabled); }
  void setFilmModeMenu(bool bitEnabled) { showMenu(true, bitEnabled); }
  bool isBitEnabledMenu() const { return mBitEnabled; }
  bool isFilmModeMenu() const { return mFilmMode; }
  void ColorModePopupAction();

 private:
  void showMenu(bool film, bool bitEnabled);
  bool mFilmMode = false;
  bool mBitEnabled = true;
  Quirel_CTRLS_PopupItemList mPlatenItemList;
  Quirel_CTRLS_PopupItemList mFilmItemList;
};
