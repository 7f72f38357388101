#pragma once

#include "kit/View.h"

// The grey drop shadow behind the preview's scroll view. A click on it only tells the owner
// that a control was clicked.
class Quirel_PreviewShadowView : public kit::View {
 public:
  explicit Quirel_PreviewShadowView(const fnd::Rect& frame = {}) : kit::View(frame) {}
  bool acceptsFirstResponder() const override { return false; }
  bool acceptsFirstMouse(const kit::Event*) const override { return true; }
  void drawRect(const fnd::Rect& dirty) override;
  void mouseDown(const kit::Event& event) override;
};
