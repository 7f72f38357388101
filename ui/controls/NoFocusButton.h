#pragma once

#include "kit/Button.h"

// A button that never takes the keyboard focus. A mouse-down posts "BUTTON_DOWN" with the
// button as object before anything else; when an owner has cleared the hand-shake flag (also
// from that post) the press is swallowed and "CONTROL_YES" follows.
class Quirel_NoFocusButton : public kit::Button {
 public:
  static constexpr const char* kButtonDownPost = "BUTTON_DOWN";

  explicit Quirel_NoFocusButton(const fnd::Rect& frame = {}) : kit::Button(frame) {}
  bool acceptsFirstResponder() const override { return false; }
  void mouseDown(const kit::Event& event) override;
  void setDownOnOff(bool on) { mDownOnOffFlg = on; }
  bool downOnOff() const { return mDownOnOffFlg; }

 private:
  bool mDownOnOffFlg = true;
};
