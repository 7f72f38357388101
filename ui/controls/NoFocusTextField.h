#pragma once

#include "kit/TextField.h"

// A text field that never takes the keyboard focus: the captions beside controls.
class Quirel_NoFocusTextField : public kit::TextField {
 public:
  explicit Quirel_NoFocusTextField(const fnd::Rect& frame = {}) : kit::TextField(frame) {}
  bool acceptsFirstResponder() const override { return false; }
};
