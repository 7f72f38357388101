#pragma once

#include "ui/controls/CTRLS_PopupButton.h"

// The show-through reduction pop-up of the advanced panel.
class Quirel_CTRLS_ShowThroughPopup : public Quirel_CTRLS_PopupButton {
 public:
  static constexpr const char* kChangePost = "AdvShowThroughChangePost";
  Quirel_CTRLS_ShowThroughPopup();
  void ShowThroughPopupAction();
};
