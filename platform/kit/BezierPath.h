#pragma once

#include <vector>

#include "foundation/Geometry.h"

namespace kit {

enum class LineCapStyle { Butt = 0, Round = 1, Square = 2 };
enum class LineJoinStyle { Miter = 0, Round = 1, Bevel = 2 };

// A path of straight and cubic segments with its own stroke attributes (width, caps, joins,
// dash pattern and phase). fill() and stroke() draw into the current graphics context.
class BezierPath {
 public:
  struct Element {
    enum class Kind { MoveTo, LineTo, CurveTo, ClosePath };
    Kind kind = Kind::MoveTo;
    // MoveTo and LineTo use points[0]; CurveTo: points[0] end, points[1] and [2] controls.
    fnd::Point points[3];
    friend bool operator==(const Element&, const Element&) = default;
  };

  BezierPath() = default;
  static BezierPath withRect(const fnd::Rect& rect);
  static BezierPath withOvalInRect(const fnd::Rect& rect);

  // Fill or stroke a rectangle, or stroke a line, with the default path attributes.
  static void fillRect(const fnd::Rect& rect);
  static void strokeRect(const fnd::Rect& rect);
  static void strokeLine(fnd::Point from, fnd::Point to);

  void moveTo(fnd::Point p);
  void lineTo(fnd::Point p);
  void curveTo(fnd::Point end, fnd::Point control1, fnd::Point control2);
  void closePath();
  void appendRect(const fnd::Rect& rect);
  void removeAllPoints() { elements_.clear(); }

  const std::vector<Element>& elements() const { return elements_; }
  bool isEmpty() const { return elements_.empty(); }
  fnd::Point currentPoint() const;
  // Bounds of the points, control points included.
  fnd::Rect controlPointBounds() const;

  double lineWidth() const { return lineWidth_; }
  void setLineWidth(double width) { lineWidth_ = width; }
  LineCapStyle lineCapStyle() const { return cap_; }
  void setLineCapStyle(LineCapStyle cap) { cap_ = cap; }
  LineJoinStyle lineJoinStyle() const { return join_; }
  void setLineJoinStyle(LineJoinStyle join) { join_ = join; }
  // An empty pattern strokes solid. The phase shifts where the pattern starts.
  void setLineDash(std::vector<double> pattern, double phase);
  const std::vector<double>& lineDash() const { return dash_; }
  double lineDashPhase() const { return phase_; }

  // Point inside the filled path (non-zero winding).
  bool containsPoint(fnd::Point p) const;

  void fill() const;
  void stroke() const;

 private:
  std::vector<Element> elements_;
  double lineWidth_ = 1.0;
  LineCapStyle cap_ = LineCapStyle::Butt;
  LineJoinStyle join_ = LineJoinStyle::Miter;
  std::vector<double> dash_;
  double phase_ = 0;
};

}  // namespace kit
