#pragma once

#include "ui/controls/CTRLS_PopupButton.h"

// The basic mode's image-source pop-up.
class Quirel_CTRLS_ImageSourcePopup : public Quirel_CTRLS_PopupButton {
 public:
  static constexpr const char* kChangePost = "ImageSourceChangePost";
  Quirel_CTRLS_ImageSourcePopup();
  void ImgSrcPopupAction();
};
