#pragma once

#include "kit/View.h"

// The frame around a graph: black, or grey for one drawing after setToneCurveFrame(true).
class Quirel_GraphFrameView : public kit::View {
 public:
  explicit Quirel_GraphFrameView(const fnd::Rect& frame = {}) : kit::View(frame) {}
  void setToneCurveFrame(bool on) { mToneCurveFrame = on; }
  bool toneCurveFrame() const { return mToneCurveFrame; }
  void drawRect(const fnd::Rect& dirtyRect) override;

 private:
  bool mToneCurveFrame = false;
};
