#pragma once

#include "ui/controls/CTRLS_PopupButton.h"

// The favourite-settings pop-up of the advanced panel; kept at its distance from the top.
class Quirel_CTRLS_FavoritePopup : public Quirel_CTRLS_PopupButton {
 public:
  static constexpr const char* kChangePost = "AdvFavoriteChangePost";
  Quirel_CTRLS_FavoritePopup();
  void FavoritePopupAction();
};
