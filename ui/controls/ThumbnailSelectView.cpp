#include "ui/controls/ThumbnailSelectView.h"

#include "kit/BezierPath.h"
#include "kit/Color.h"
#include "kit/GraphicsContext.h"

// Each segment runs from a corner to the far end moved back by one unit in both directions.
void Quirel_ThumbnailSelectView::drawRect(const fnd::Rect& dirty) {
  kit::GraphicsContext* ctx = kit::GraphicsContext::current();
  if (!ctx) return;
  ctx->setShouldAntialias(false);
  const fnd::Rect r = bounds().insetBy(1, 1);
  const double x = r.minX(), y = r.minY(), w = r.size.width, h = r.size.height;
  const fnd::Point segments[4][2] = {
      {{x, y}, {x - 1, y + h - 1}},
      {{x, y + h}, {x + w - 1, y + h - 1}},
      {{x, y}, {x + w - 1, y - 1}},
      {{x + w, y}, {x + w - 1, y + h - 1}},
  };
  kit::Color::white().setStroke();
  kit::BezierPath path;
  path.setLineWidth(1.0);
  path.setLineCapStyle(kit::LineCapStyle::Butt);
  path.setLineDash({1.5}, 1.0);
  for (const auto& s : segments) {
    path.moveTo(s[0]);
    path.lineTo(s[1]);
    path.stroke();
    path.removeAllPoints();
  }
  kit::View::drawRect(dirty);
}
