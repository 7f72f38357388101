#pragma once

#include "kit/View.h"

// A dotted white selection rectangle.
class Quirel_ThumbnailSelectView : public kit::View {
 public:
  explicit Quirel_ThumbnailSelectView(const fnd::Rect& frame = {}) : kit::View(frame) {}
  void drawRect(const fnd::Rect& dirty) override;
};
