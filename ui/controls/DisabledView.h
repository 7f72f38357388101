#pragma once

#include "kit/View.h"

// Laid over a window or a part of it, swallows every press so that the views beneath cannot
// be clicked. Draws nothing.
class Quirel_DisabledView : public kit::View {
 public:
  explicit Quirel_DisabledView(const fnd::Rect& frame = {}) : kit::View(frame) {}
  void setAlphaComponent(float alpha) { mAlphaComponent = alpha; }
  float alphaComponent() const { return mAlphaComponent; }
  void mouseDown(const kit::Event&) override {}
  void rightMouseDown(const kit::Event&) override {}

 private:
  float mAlphaComponent = 0;
};
