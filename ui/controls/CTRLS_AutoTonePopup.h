#pragma once

#include "ui/controls/CTRLS_PopupItemList.h"

// The auto-tone pop-up: a normal menu and one for when the settings are kept between scans.
class Quirel_CTRLS_AutoTonePopup : public Quirel_CTRLS_PopupButton {
 public:
  static constexpr const char* kChangePost = "AdvAutoToneChangePost";
  Quirel_CTRLS_AutoTonePopup();

  using Quirel_CTRLS_PopupButton::addPopupItemWithTitle;
  void addPopupItemWithTitle(const std::string& title, int number, bool isDataPersistence);
  void setNormalMenu();
  void setDataPersistenceMenu();
  bool isDataPersistence() const { return mDataPersistence; }
  void AutoTonePopupAction();

 private:
  bool mDataPersistence = false;
  Quirel_CTRLS_PopupItemList mNormalItemList;
  Quirel_CTRLS_PopupItemList mDataPersistenceItemList;
};
