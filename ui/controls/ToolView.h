#pragma once

#include "kit/View.h"

// The background of a tool area: a press anywhere on it re-arms the owner's controls
// ("CONTROL_YES"); the first click into an inactive window counts.
class Quirel_ToolView : public kit::View {
 public:
  explicit Quirel_ToolView(const fnd::Rect& frame = {}) : kit::View(frame) {}
  bool acceptsFirstMouse(const kit::Event*) const override { return true; }
  void mouseDown(const kit::Event& event) override;
};
