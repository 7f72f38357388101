#pragma once

#include "ui/controls/CTRLS_PopupButton.h"

// The film-size pop-up, whose caption reads differently for crop frames and film frames.
class Quirel_CTRLS_FilmSizePopup : public Quirel_CTRLS_PopupButton {
 public:
  static constexpr const char* kChangePost = "AdvFilmSizeChangePost";
  Quirel_CTRLS_FilmSizePopup();

  void setTitleTxtTitleForCrop(const std::string& title);
  void setTitleTxtTitleForFrame(const std::string& title);
  void changeCropTitle(bool crop) { setTitleTxtTitle(crop ? mCropTitleStr : mFrameTitleStr); }
  void FilmSizePopupAction();

 private:
  std::string mCropTitleStr;
  std::string mFrameTitleStr;
};
