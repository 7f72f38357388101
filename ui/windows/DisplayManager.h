#pragma once

#include <optional>

#include "foundation/Geometry.h"

// Where windows go on the screen. Rectangles are in screen points, origin at the bottom left.
class Quirel_DisplayManager {
 public:
  // Reads the main screen (kit::Screen) on every question.
  Quirel_DisplayManager() = default;
  // A fixed screen, for callers that place windows on a screen of their own choosing.
  Quirel_DisplayManager(fnd::Rect displayFrame, fnd::Rect visibleFrame)
      : fixed_(Frames{displayFrame, visibleFrame}) {}

  // The main screen's frame; the zero rectangle without a screen.
  fnd::Rect getDisplayFrame() const;
  // The main screen's frame less the desktop's panels; zero without a screen.
  fnd::Rect getVisibleDisplayFrame() const;
  // A 4:3 box of 90 % of the visible width or 95 % of its height, centred, or larger when the
  // requested size is larger (then left- or top-aligned).
  fnd::Rect getDefaultWindowFrame(fnd::Size size) const;
  // The frame moved and narrowed into the visible frame, never below the minimum size.
  fnd::Rect getAdjustmentWindowFrame(fnd::Rect frame, fnd::Size minSize) const;

 private:
  struct Frames {
    fnd::Rect display;
    fnd::Rect visible;
  };
  std::optional<Frames> fixed_;
};
