#pragma once

#include "foundation/Geometry.h"
#include "kit/BezierPath.h"

// The outlines the cell views share: a rounded rectangle whose corners are cubics with both
// control points on the corner, and a rectangle with small diagonal corner cuts (the mark of
// a selected cell).
class Quirel_OutlinePaths {
 public:
  // Edges start `corner` units after one corner and end as far before the next; order left,
  // top-left, top, top-right, right, bottom-right, bottom, bottom-left.
  static kit::BezierPath roundedRect(const fnd::Rect& r, double corner);
  // (x, y+cut) up the left side, round the top, down the right, back along the bottom, closed.
  static kit::BezierPath chamferedRect(const fnd::Rect& r, double cut);
};
