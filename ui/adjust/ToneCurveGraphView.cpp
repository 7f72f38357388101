#include "ui/adjust/ToneCurveGraphView.h"

#include "foundation/NotificationCenter.h"
#include "kit/BezierPath.h"
#include "kit/Color.h"
#include "kit/Cursor.h"
#include "kit/GraphicsContext.h"
#include "ui/adjust/ToneGraphLook.h"

Quirel_ToneCurveGraphView::Quirel_ToneCurveGraphView(const fnd::Rect& frame) : kit::View(frame) {
  mEditor.onPost = [this](const std::string& name) { fnd::NotificationCenter::defaultCenter().post(name, this); };
  mEditor.onArrowCursor = [] { kit::Cursor::arrow().set(); };
}

Quirel_ToneCurveGraphView::~Quirel_ToneCurveGraphView() {
  if (mTrackTag != -1) removeTrackingRect(mTrackTag);
}

void Quirel_ToneCurveGraphView::replaceTrackingRect() {
  if (mTrackTag != -1) removeTrackingRect(mTrackTag);
  mTrackTag = addTrackingRect(bounds(), nullptr, false);
}

void Quirel_ToneCurveGraphView::setFrame(const fnd::Rect& frame) {
  kit::View::setFrame(frame);
  replaceTrackingRect();
}

fnd::Point Quirel_ToneCurveGraphView::pointOf(const kit::Event& event) const {
  return convertPointFromView(event.locationInWindow(), nullptr);
}

void Quirel_ToneCurveGraphView::mouseDown(const kit::Event& event) {
  const fnd::Point p = pointOf(event);
  mEditor.mouseDown(p.x, p.y, (event.modifierFlags() & kit::kControlKeyMask) != 0);
  setNeedsDisplay(true);
}

void Quirel_ToneCurveGraphView::mouseDragged(const kit::Event& event) {
  const fnd::Point p = pointOf(event);
  mEditor.mouseDragged(p.x, p.y);
  setNeedsDisplay(true);
}

void Quirel_ToneCurveGraphView::mouseUp(const kit::Event& event) {
  const fnd::Point p = pointOf(event);
  mEditor.mouseUp(p.x, p.y);
  setNeedsDisplay(true);
}

void Quirel_ToneCurveGraphView::mouseEntered(const kit::Event&) { mEnterGraphFlg = true; }

void Quirel_ToneCurveGraphView::mouseExited(const kit::Event&) {
  kit::Cursor::arrow().set();
  mEnterGraphFlg = false;
}

void Quirel_ToneCurveGraphView::drawRect(const fnd::Rect& r) {
  replaceTrackingRect();
  kit::GraphicsContext* ctx = kit::GraphicsContext::current();
  if (!ctx) return;
  ctx->setShouldAntialias(false);
  ctx->setFillColor(kit::Color::white());
  ctx->fillRect(bounds());
  kit::BezierPath grid;
  for (int k = 1; k <= 3; ++k) {
    const double x = r.origin.x + k * r.size.width / 4, y = r.origin.y + k * r.size.height / 4;
    grid.moveTo(fnd::Point(x, r.origin.y));
    grid.lineTo(fnd::Point(x, r.origin.y + r.size.height));
    grid.moveTo(fnd::Point(r.origin.x, y));
    grid.lineTo(fnd::Point(r.origin.x + r.size.width, y));
  }
  grid.setLineWidth(1);
  ctx->setStrokeColor(kit::Color::calibratedRGB(0.667, 0.667, 0.667, 1.0));
  ctx->strokePath(grid);

  ctx->setShouldAntialias(true);
  std::uint8_t red[256], green[256], blue[256];
  mEditor.outputCurves(red, green, blue);
  std::uint8_t* tables[4] = {nullptr, red, green, blue};
  const kit::Color colours[4] = {kit::Color::black(), kit::Color::red(), kit::Color::green(), kit::Color::blue()};
  const int channel = mEditor.channel();
  if (channel == 0) {
    ctx->setStrokeColor(kit::Color::black());
    Quirel_ToneGraphLook::drawToneCurve(*ctx, red, r);
  } else if (channel >= 1 && channel <= 3) {
    for (int c = 1; c <= 3; ++c) {
      if (c == channel) continue;
      ctx->setStrokeColor(colours[c]);
      Quirel_ToneGraphLook::drawToneCurve(*ctx, tables[c], r);
    }
    ctx->setStrokeColor(colours[channel]);
    Quirel_ToneGraphLook::drawToneCurve(*ctx, tables[channel], r);
  } else {
    return;
  }
  ctx->setShouldAntialias(false);
  for (const TagPoint& m : mEditor.markerCorners()) {
    ctx->setFillColor(kit::Color::white());
    ctx->fillRect(fnd::Rect(m.h, m.v, 5, 5));
    ctx->setFillColor(kit::Color::black());
    ctx->fillRect(fnd::Rect(m.h + 2, m.v + 2, 1, 1));
    kit::BezierPath frame = kit::BezierPath::withRect(fnd::Rect(m.h + 0.5, m.v + 0.5, 4, 4));
    frame.setLineWidth(1);
    ctx->setStrokeColor(kit::Color::black());
    ctx->strokePath(frame);
  }
}
