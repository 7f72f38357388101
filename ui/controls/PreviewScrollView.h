#pragma once

#include "kit/ScrollView.h"

// The scroll view that holds the preview image: outlined in black, never scrolled by the
// wheel (the wheel over the image moves nothing), and a click on its border only tells the
// owner that a control was clicked.
class Quirel_PreviewScrollView : public kit::ScrollView {
 public:
  explicit Quirel_PreviewScrollView(const fnd::Rect& frame = {});
  bool acceptsFirstResponder() const override { return false; }
  bool acceptsFirstMouse(const kit::Event*) const override { return true; }
  void scrollWheel(const kit::Event&) override {}
  void drawRect(const fnd::Rect& dirty) override;
  void mouseDown(const kit::Event& event) override;
};
