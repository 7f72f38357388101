#pragma once

#include "ui/controls/NoFocusView.h"

// The content of the progress and wait windows: flipped, so their message rows are laid out
// from the top and stay there when the window grows or shrinks below them.
class Quirel_MessageInfoView : public Quirel_NoFocusView {
 public:
  explicit Quirel_MessageInfoView(const fnd::Rect& frame = {}) : Quirel_NoFocusView(frame) {}
  bool isFlipped() const override;
};
