#include "kit/BezierPath.h"

#include <QPainterPath>
#include <algorithm>

#include "kit/GraphicsContext.h"
#include "kit/QtBridge.h"

namespace kit {

using fnd::Point;
using fnd::Rect;

BezierPath BezierPath::withRect(const Rect& rect) {
  BezierPath p;
  p.appendRect(rect);
  return p;
}

BezierPath BezierPath::withOvalInRect(const Rect& rect) {
  // Four cubic quarter arcs; k places the control points of a circle's quarter.
  constexpr double k = 0.5522847498;
  Rect r = rect.standardized();
  double cx = r.midX(), cy = r.midY(), rx = r.width() / 2, ry = r.height() / 2;
  BezierPath p;
  p.moveTo({cx + rx, cy});
  p.curveTo({cx, cy + ry}, {cx + rx, cy + k * ry}, {cx + k * rx, cy + ry});
  p.curveTo({cx - rx, cy}, {cx - k * rx, cy + ry}, {cx - rx, cy + k * ry});
  p.curveTo({cx, cy - ry}, {cx - rx, cy - k * ry}, {cx - k * rx, cy - ry});
  p.curveTo({cx + rx, cy}, {cx + k * rx, cy - ry}, {cx + rx, cy - k * ry});
  p.closePath();
  return p;
}

void BezierPath::fillRect(const Rect& rect) { withRect(rect).fill(); }
void BezierPath::strokeRect(const Rect& rect) { withRect(rect).stroke(); }
void BezierPath::strokeLine(Point from, Point to) {
  BezierPath p;
  p.moveTo(from);
  p.lineTo(to);
  p.stroke();
}

void BezierPath::moveTo(Point p) { elements_.push_back({Element::Kind::MoveTo, {p, {}, {}}}); }

void BezierPath::lineTo(Point p) {
  if (elements_.empty()) {
    moveTo(p);
    return;
  }
  elements_.push_back({Element::Kind::LineTo, {p, {}, {}}});
}

void BezierPath::curveTo(Point end, Point c1, Point c2) {
  if (elements_.empty()) moveTo(c1);
  elements_.push_back({Element::Kind::CurveTo, {end, c1, c2}});
}

void BezierPath::closePath() {
  if (!elements_.empty() && elements_.back().kind != Element::Kind::ClosePath)
    elements_.push_back({Element::Kind::ClosePath, {}});
}

void BezierPath::appendRect(const Rect& rect) {
  moveTo({rect.origin.x, rect.origin.y});
  lineTo({rect.origin.x + rect.size.width, rect.origin.y});
  lineTo({rect.origin.x + rect.size.width, rect.origin.y + rect.size.height});
  lineTo({rect.origin.x, rect.origin.y + rect.size.height});
  closePath();
}

Point BezierPath::currentPoint() const {
  // After a close the current point is the start of the closed subpath.
  for (auto it = elements_.rbegin(); it != elements_.rend(); ++it) {
    if (it->kind != Element::Kind::ClosePath) {
      if (it == elements_.rbegin()) return it->points[0];
      for (auto jt = it; jt != elements_.rend(); ++jt)
        if (jt->kind == Element::Kind::MoveTo) return jt->points[0];
      return it->points[0];
    }
  }
  return {};
}

Rect BezierPath::controlPointBounds() const {
  bool any = false;
  double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  for (const Element& e : elements_) {
    int n = e.kind == Element::Kind::CurveTo ? 3 : (e.kind == Element::Kind::ClosePath ? 0 : 1);
    for (int i = 0; i < n; ++i) {
      const Point& p = e.points[i];
      if (!any) {
        x0 = x1 = p.x;
        y0 = y1 = p.y;
        any = true;
      }
      x0 = std::min(x0, p.x); x1 = std::max(x1, p.x);
      y0 = std::min(y0, p.y); y1 = std::max(y1, p.y);
    }
  }
  return any ? Rect(x0, y0, x1 - x0, y1 - y0) : Rect();
}

void BezierPath::setLineDash(std::vector<double> pattern, double phase) {
  dash_ = std::move(pattern);
  phase_ = phase;
}

bool BezierPath::containsPoint(Point p) const {
  QPainterPath path = bridge::toQPainterPath(*this);
  path.setFillRule(Qt::WindingFill);
  return path.contains(QPointF(p.x, p.y));
}

void BezierPath::fill() const {
  if (GraphicsContext* ctx = GraphicsContext::current()) ctx->fillPath(*this);
}

void BezierPath::stroke() const {
  if (GraphicsContext* ctx = GraphicsContext::current()) ctx->strokePath(*this);
}

}  // namespace kit
