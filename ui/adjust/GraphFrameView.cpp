#include "ui/adjust/GraphFrameView.h"

#include "kit/BezierPath.h"
#include "kit/Color.h"
#include "kit/GraphicsContext.h"

void Quirel_GraphFrameView::drawRect(const fnd::Rect&) {
  kit::GraphicsContext* ctx = kit::GraphicsContext::current();
  if (!ctx) return;
  kit::BezierPath frame = kit::BezierPath::withRect(bounds());
  frame.setLineCapStyle(kit::LineCapStyle::Square);
  frame.setLineWidth(1.6);
  if (mToneCurveFrame) {
    ctx->setStrokeColor(kit::Color::calibratedRGB(0.5, 0.5, 0.5, 1.0));
    mToneCurveFrame = false;
  } else {
    ctx->setStrokeColor(kit::Color::black());
  }
  ctx->strokePath(frame);
}
