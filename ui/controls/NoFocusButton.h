#pragma once

#include <functional>

#include "kit/Button.h"
#include "ui/model/ThumbnailCheckBoxLink.h"

// A button that never takes the keyboard focus. A mouse-down posts "BUTTON_DOWN" with the
// button as object before anything else; when an owner has cleared the hand-shake flag (also
// from that post) the press is swallowed and "CONTROL_YES" follows. As a check box it is the
// check box of a thumbnail.
class Quirel_NoFocusButton : public kit::Button, public ThumbnailCheckBoxLink {
 public:
  static constexpr const char* kButtonDownPost = "BUTTON_DOWN";

  explicit Quirel_NoFocusButton(const fnd::Rect& frame = {}) : kit::Button(frame) {}
  bool acceptsFirstResponder() const override { return false; }
  void mouseDown(const kit::Event& event) override;
  void setDownOnOff(bool on) { mDownOnOffFlg = on; }
  bool downOnOff() const { return mDownOnOffFlg; }

  void setState(int state) override { kit::Button::setState(state); }
  int state() const override { return kit::Button::state(); }
  using kit::Button::setAction;
  void setAction(std::function<void()> action) override;

 private:
  bool mDownOnOffFlg = true;
};
