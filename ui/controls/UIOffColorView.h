#pragma once

#include "kit/View.h"

// A blue panel with a rounded outline and a white band across its middle.
class Quirel_UIOffColorView : public kit::View {
 public:
  explicit Quirel_UIOffColorView(const fnd::Rect& frame = {}) : kit::View(frame) {}
  void drawRect(const fnd::Rect& dirty) override;
};
