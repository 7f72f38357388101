#include "ui/controls/UIOffColorView.h"

#include "kit/BezierPath.h"
#include "kit/Color.h"
#include "ui/controls/OutlinePaths.h"

void Quirel_UIOffColorView::drawRect(const fnd::Rect& dirty) {
  const fnd::Rect b = bounds();
  // Single-precision components, as the colour has always been given.
  kit::Color::calibratedRGB(static_cast<double>(0.192f), static_cast<double>(0.388f), static_cast<double>(0.612f), 1.0)
      .set();
  kit::BezierPath outline = Quirel_OutlinePaths::roundedRect(b.insetBy(2, 2), 10);
  outline.setLineWidth(2.0);
  outline.stroke();
  kit::BezierPath::fillRect(b.insetBy(3, 3));
  kit::Color::white().set();
  kit::BezierPath band = kit::BezierPath::withRect(fnd::Rect(0, 8, b.size.width, b.size.height - 16));
  band.setLineWidth(2.0);
  band.setLineCapStyle(kit::LineCapStyle::Square);
  band.fill();
  kit::View::drawRect(dirty);
}
