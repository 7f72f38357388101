#pragma once

#include "kit/Button.h"

// A push button that never takes the keyboard focus. A mouse-down posts "BUTTON_DOWN" with the
// button as object before the normal handling, so that others can react to the press itself.
class Quirel_NoFocusButton : public kit::Button {
 public:
  static constexpr const char* kButtonDownPost = "BUTTON_DOWN";

  explicit Quirel_NoFocusButton(const fnd::Rect& frame = {}) : kit::Button(frame) {}
  bool acceptsFirstResponder() const override { return false; }
  void mouseDown(const kit::Event& event) override;
};
