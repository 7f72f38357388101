#pragma once

#include "kit/ImageView.h"

// A picture on a dialog's background; a press on it acts as a press on the background.
class Quirel_DlgImageView : public kit::ImageView {
 public:
  explicit Quirel_DlgImageView(const fnd::Rect& frame = {}) : kit::ImageView(frame) {}
  bool acceptsFirstMouse(const kit::Event*) const override { return true; }
  bool acceptsFirstResponder() const override { return false; }
  void mouseDown(const kit::Event& event) override;
};
