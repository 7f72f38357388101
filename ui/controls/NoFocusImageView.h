#pragma once

#include "kit/ImageView.h"

// An image view that never takes the keyboard focus; greyed out while disabled.
class Quirel_NoFocusImageView : public kit::ImageView {
 public:
  explicit Quirel_NoFocusImageView(const fnd::Rect& frame = {}) : kit::ImageView(frame) {}
  bool acceptsFirstResponder() const override { return false; }
};
