#pragma once

#include "ui/controls/CTRLS_PopupItemList.h"

// The colour-adjustment pop-up with one menu per source: 0 platen, 1 film, others the feeder.
// A feeder without items of its own shows the platen's.
class Quirel_CTRLS_ColorAdjustmentPopup : public Quirel_CTRLS_PopupButton {
 public:
  static constexpr const char* kChangePost = "AdvColorAdjustmentChangePost";
  Quirel_CTRLS_ColorAdjustmentPopup();

  using Quirel_CTRLS_PopupButton::addPopupItemWithTitle;
  void addPopupItemWithTitle(const std::string& title, int number, int mode);
  void setMenuAtMode(int mode);
  int nowMenuMode() const { return mMenuMode; }
  void ColorAdjustmentPopupAction();

 private:
  int mMenuMode = 0;
  Quirel_CTRLS_PopupItemList mPlatenItemList;
  Quirel_CTRLS_PopupItemList mFilmItemList;
  Quirel_CTRLS_PopupItemList mADFItemList;
};
