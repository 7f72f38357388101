#pragma once

#include "foundation/Geometry.h"
#include "ui/windows/DisplayManager.h"

// Screen frames for the launcher's windows, in screen points with the origin at the bottom
// left. The screen questions and the adjustment are the driver's; only the default frame
// differs (no 4:3 box).
class Zorvik_DisplayManager {
 public:
  // Reads the main screen on every question.
  Zorvik_DisplayManager() = default;
  // A fixed screen (tests, or a caller that chose its screen).
  Zorvik_DisplayManager(fnd::Rect displayFrame, fnd::Rect visibleFrame) : screen_(displayFrame, visibleFrame) {}

  // The main screen's frame, or its visible part; the zero rectangle without a screen.
  fnd::Rect getDisplayFrame() const;
  fnd::Rect getVisibleDisplayFrame() const;
  // 90 % of the visible width and 95 % of its height, centred; a larger size wins and is then
  // placed at the left or top edge.
  fnd::Rect getDefaultWindowFrame(fnd::Size size) const;
  // The frame moved and narrowed into the visible frame, never below the minimum size.
  fnd::Rect getAdjustmentWindowFrame(fnd::Size minSize, const fnd::Rect& frame) const;

 private:
  Quirel_DisplayManager screen_;
};
