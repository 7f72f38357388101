#pragma once

#include "kit/ProgressIndicator.h"

// A progress indicator that never takes the keyboard focus.
class Quirel_NoFocusProgressIndicator : public kit::ProgressIndicator {
 public:
  explicit Quirel_NoFocusProgressIndicator(const fnd::Rect& frame = {}) : kit::ProgressIndicator(frame) {}
  bool acceptsFirstResponder() const override { return false; }
};
