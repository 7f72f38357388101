#pragma once

#include "kit/View.h"

// A plain view that never takes the keyboard focus.
class Quirel_NoFocusView : public kit::View {
 public:
  explicit Quirel_NoFocusView(const fnd::Rect& frame = {}) : kit::View(frame) {}
  bool acceptsFirstResponder() const override { return false; }
};
