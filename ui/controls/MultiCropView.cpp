#include "ui/controls/MultiCropView.h"

#include "kit/BezierPath.h"
#include "kit/Color.h"
#include "kit/GraphicsContext.h"

void Quirel_MultiCropView::drawRect(const fnd::Rect&) {
  kit::GraphicsContext* ctx = kit::GraphicsContext::current();
  if (!ctx) return;
  ctx->setShouldAntialias(false);
  fnd::Rect r1 = bounds();
  fnd::Rect r2 = r1.insetBy(1.0, 1.0);
  for (const fnd::Rect& r : {r2, r1}) {
    kit::BezierPath white;
    white.setLineCapStyle(kit::LineCapStyle::Square);
    kit::Color::white().setStroke();
    strokeEdges(r, white, false, 1.1);
    kit::BezierPath black;
    black.setLineCapStyle(kit::LineCapStyle::Square);
    black.setLineDash({2.0, 5.0}, dashPhase());
    kit::Color::black().setStroke();
    strokeEdges(r, black, false, 1.1);
  }
}

std::unique_ptr<Quirel_CropView> Quirel_MultiCropView::makeSibling(const fnd::Rect& frame) const {
  return std::make_unique<Quirel_MultiCropView>(frame);
}
