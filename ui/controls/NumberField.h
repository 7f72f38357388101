#pragma once

#include "ui/controls/CursorTextField.h"

// The numeric entry field. It takes the focus (it must, to be edited) but can hold on to it:
// when an owner clears the focus flag, the next attempt to leave is refused once and
// "SET_FOCUS" tells the owner. The first keystroke of an edit posts "TEXT_BEGIN_EDIT"; a press
// follows the click hand-shake without a notification of its own.
class Quirel_NumberField : public Quirel_CursorTextField {
 public:
  static constexpr const char* kTextBeginEditPost = "TEXT_BEGIN_EDIT";
  static constexpr const char* kSetFocusPost = "SET_FOCUS";

  explicit Quirel_NumberField(const fnd::Rect& frame = {}) : Quirel_CursorTextField(frame) {}
  void setFocus(bool on) { mSetFocus = on; }
  // Whether the typed value was judged valid (an invalid one refuses to end editing once).
  bool getFocus() const { return mSetFocus; }
  void setDownOnOff(bool on) { mDownOnOffFlg = on; }
  bool textShouldBeginEditing() override;
  bool textShouldEndEditing() override;
  void mouseDown(const kit::Event& event) override;

 private:
  bool mSetFocus = true;
  bool mDownOnOffFlg = true;
};
