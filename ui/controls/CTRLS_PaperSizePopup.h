#pragma once

#include "ui/controls/CTRLS_PopupItemList.h"

// The paper-size pop-up: one item list for the platen and one for the feeder. The two-sided
// feeder menu keeps only the sizes that can be scanned on both sides (10 and 17).
class Quirel_CTRLS_PaperSizePopup : public Quirel_CTRLS_PopupButton {
 public:
  static constexpr const char* kChangePost = "AdvPaperSizeChangePost";
  Quirel_CTRLS_PaperSizePopup();

  using Quirel_CTRLS_PopupButton::addPopupItemWithTitle;
  void addPopupItemWithTitle(const std::string& title, int number, bool isADF);
  void setPlatenMenu();
  void setADFMenu(bool bothSides);
  bool isADFMenu() const { return mADFMenu; }
  bool isBothSideADFMenu() const { return mBothSideADFMenu; }
  void PaperSizePopupAction();

 private:
  bool mADFMenu = false;
  bool mBothSideADFMenu = false;
  Quirel_CTRLS_PopupItemList mPlatenItemList;
  Quirel_CTRLS_PopupItemList mADFItemList;
};
