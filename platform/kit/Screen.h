#pragma once

#include "foundation/Geometry.h"

namespace kit {

// A display, in points with the origin at the bottom-left of the main screen, y up.
// Without a screen (or a window system) every rectangle is zero and the factors 1.0.
class Screen {
 public:
  static Screen mainScreen();

  fnd::Rect frame() const { return frame_; }
  // The frame less the panels and docks of the desktop.
  fnd::Rect visibleFrame() const { return visible_; }
  double backingScaleFactor() const { return scale_; }
  // Points per user-space unit; always 1.0 here.
  double userSpaceScaleFactor() const { return 1.0; }
  bool exists() const { return exists_; }

 private:
  fnd::Rect frame_;
  fnd::Rect visible_;
  double scale_ = 1.0;
  bool exists_ = false;
};

}  // namespace kit
