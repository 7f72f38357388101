#pragma once

#include <algorithm>
#include <cmath>

namespace fnd {

// Points, sizes and rectangles in points, origin at the bottom left, y up.
struct Point {
  double x = 0;
  double y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
  double width = 0;
  double height = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

struct Rect {
  Point origin;
  Size size;

  Rect() = default;
  Rect(double x, double y, double w, double h) : origin{x, y}, size{w, h} {}
  Rect(Point o, Size s) : origin(o), size(s) {}

  double minX() const { return std::min(origin.x, origin.x + size.width); }
  double minY() const { return std::min(origin.y, origin.y + size.height); }
  double maxX() const { return std::max(origin.x, origin.x + size.width); }
  double maxY() const { return std::max(origin.y, origin.y + size.height); }
  double midX() const { return origin.x + size.width / 2; }
  double midY() const { return origin.y + size.height / 2; }
  double width() const { return std::fabs(size.width); }
  double height() const { return std::fabs(size.height); }
  bool isEmpty() const { return !(size.width > 0) || !(size.height > 0); }

  // Standardised copy: width and height not negative.
  Rect standardized() const { return Rect(minX(), minY(), width(), height()); }

  // Inset by dx and dy on each side; a negative amount grows the rectangle.
  Rect insetBy(double dx, double dy) const {
    Rect r = standardized();
    return Rect(r.origin.x + dx, r.origin.y + dy, r.size.width - 2 * dx, r.size.height - 2 * dy);
  }
  Rect offsetBy(double dx, double dy) const {
    return Rect(origin.x + dx, origin.y + dy, size.width, size.height);
  }
  // Smallest rectangle with whole-number edges that holds this one.
  Rect integral() const {
    if (isEmpty()) return Rect();
    double x0 = std::floor(minX()), y0 = std::floor(minY());
    double x1 = std::ceil(maxX()), y1 = std::ceil(maxY());
    return Rect(x0, y0, x1 - x0, y1 - y0);
  }
  // Empty (zero) rectangle when the two do not overlap.
  Rect intersection(const Rect& o) const {
    double x0 = std::max(minX(), o.minX()), y0 = std::max(minY(), o.minY());
    double x1 = std::min(maxX(), o.maxX()), y1 = std::min(maxY(), o.maxY());
    if (x1 <= x0 || y1 <= y0) return Rect();
    return Rect(x0, y0, x1 - x0, y1 - y0);
  }
  bool intersects(const Rect& o) const { return !intersection(o).isEmpty(); }
  Rect unionWith(const Rect& o) const {
    if (isEmpty()) return o.standardized();
    if (o.isEmpty()) return standardized();
    double x0 = std::min(minX(), o.minX()), y0 = std::min(minY(), o.minY());
    double x1 = std::max(maxX(), o.maxX()), y1 = std::max(maxY(), o.maxY());
    return Rect(x0, y0, x1 - x0, y1 - y0);
  }
  // Half-open: the left and bottom edges are inside, the right and top edges are not.
  bool contains(Point p) const {
    return !isEmpty() && p.x >= minX() && p.x < maxX() && p.y >= minY() && p.y < maxY();
  }
  bool contains(const Rect& o) const {
    return !isEmpty() && !o.isEmpty() && o.minX() >= minX() && o.maxX() <= maxX() &&
           o.minY() >= minY() && o.maxY() <= maxY();
  }

  friend bool operator==(const Rect&, const Rect&) = default;
};

// Affine transform with the platform's layout: x' = a x + c y + tx, y' = b x + d y + ty.
struct AffineTransform {
  double a = 1, b = 0, c = 0, d = 1, tx = 0, ty = 0;

  static AffineTransform identity() { return {}; }
  static AffineTransform translation(double x, double y) { return {1, 0, 0, 1, x, y}; }
  static AffineTransform scale(double sx, double sy) { return {sx, 0, 0, sy, 0, 0}; }
  static AffineTransform rotation(double radians) {
    double cs = std::cos(radians), sn = std::sin(radians);
    return {cs, sn, -sn, cs, 0, 0};
  }

  // This transform followed by `next`.
  AffineTransform concat(const AffineTransform& next) const {
    return {a * next.a + b * next.c,        a * next.b + b * next.d,
            c * next.a + d * next.c,        c * next.b + d * next.d,
            tx * next.a + ty * next.c + next.tx, tx * next.b + ty * next.d + next.ty};
  }
  AffineTransform translated(double x, double y) const { return translation(x, y).concat(*this); }
  AffineTransform scaled(double sx, double sy) const { return scale(sx, sy).concat(*this); }
  AffineTransform rotated(double radians) const { return rotation(radians).concat(*this); }

  Point apply(Point p) const { return {a * p.x + c * p.y + tx, b * p.x + d * p.y + ty}; }
  Size apply(Size s) const { return {a * s.width + c * s.height, b * s.width + d * s.height}; }
  // Bounding box of the transformed rectangle.
  Rect apply(const Rect& r) const {
    Point p[4] = {apply(Point{r.minX(), r.minY()}), apply(Point{r.maxX(), r.minY()}),
                  apply(Point{r.minX(), r.maxY()}), apply(Point{r.maxX(), r.maxY()})};
    double x0 = p[0].x, x1 = p[0].x, y0 = p[0].y, y1 = p[0].y;
    for (const Point& q : p) {
      x0 = std::min(x0, q.x); x1 = std::max(x1, q.x);
      y0 = std::min(y0, q.y); y1 = std::max(y1, q.y);
    }
    return Rect(x0, y0, x1 - x0, y1 - y0);
  }
  bool isInvertible() const { return a * d - b * c != 0; }
  AffineTransform inverted() const {
    double det = a * d - b * c;
    if (det == 0) return *this;
    return {d / det, -b / det, -c / det, a / det, (c * ty - d * tx) / det, (b * tx - a * ty) / det};
  }

  friend bool operator==(const AffineTransform&, const AffineTransform&) = default;
};

}  // namespace fnd
