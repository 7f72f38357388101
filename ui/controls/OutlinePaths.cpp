#include "ui/controls/OutlinePaths.h"

kit::BezierPath Quirel_OutlinePaths::roundedRect(const fnd::Rect& r, double c) {
  const double x = r.minX(), y = r.minY(), top = r.maxY(), right = r.maxX();
  kit::BezierPath p;
  p.moveTo({x, y + c});
  p.lineTo({x, top - c});
  p.curveTo({x + c, top}, {x, top}, {x, top});
  p.lineTo({right - c, top});
  p.curveTo({right, top - c}, {right, top}, {right, top});
  p.lineTo({right, y + c});
  p.curveTo({right - c, y}, {right, y}, {right, y});
  p.lineTo({x + c, y});
  p.curveTo({x, y + c}, {x, y}, {x, y});
  return p;
}

kit::BezierPath Quirel_OutlinePaths::chamferedRect(const fnd::Rect& r, double cut) {
  const double x = r.minX(), y = r.minY(), top = r.maxY(), right = r.maxX();
  kit::BezierPath p;
  p.moveTo({x, y + cut});
  p.lineTo({x, top - cut});
  p.lineTo({x + cut, top});
  p.lineTo({right - cut, top});
  p.lineTo({right, top - cut});
  p.lineTo({right, y + cut});
  p.lineTo({right - cut, y});
  p.lineTo({x + cut, y});
  p.closePath();
  return p;
}
