#pragma once

#include "kit/PopUpButton.h"

// A pop-up button that never takes the keyboard focus. Type 1 announces a press with
// "POPUP_DOWN" and follows the click hand-shake; any other type announces "SET_VALUE", opens
// the menu only while the flag is set, and always closes with "CONTROL_SET_YES".
class Quirel_NoFocusPopUpButton : public kit::PopUpButton {
 public:
  static constexpr const char* kPopupDownPost = "POPUP_DOWN";
  static constexpr const char* kSetValuePost = "SET_VALUE";
  static constexpr const char* kControlSetYesPost = "CONTROL_SET_YES";

  explicit Quirel_NoFocusPopUpButton(const fnd::Rect& frame = {}) : kit::PopUpButton(frame) {}
  bool acceptsFirstResponder() const override { return false; }
  void mouseDown(const kit::Event& event) override;
  void setMenuOnOff(bool on) { mMenuOnOffFlg = on; }
  bool menuOnOff() const { return mMenuOnOffFlg; }
  void setNotificationType(int type) { mNotificationType = type; }
  int notificationType() const { return mNotificationType; }

 private:
  bool mMenuOnOffFlg = true;
  int mNotificationType = 1;
};
