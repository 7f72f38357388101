#include "ui/adjust/ThresholdGraphViewBase.h"

#include <cstring>

#include "kit/BezierPath.h"
#include "kit/Color.h"
#include "kit/GraphicsContext.h"
#include "ui/adjust/ToneGraphLook.h"

void Quirel_ThresholdGraphViewBase::countSamples(long long count, const std::uint8_t* data, int stride) {
  std::memset(grayHistogram, 0, sizeof grayHistogram);
  if (count <= 0 || !data) return;
  for (long long i = 0; i < count; ++i) ++grayHistogram[data[i * stride]];
}

void Quirel_ThresholdGraphViewBase::setImgData(int rows, int columns, const std::uint8_t* data) {
  countSamples(static_cast<long long>(rows) * columns, data, 1);
}

int Quirel_ThresholdGraphViewBase::markerLevel(int threshold) {
  if (threshold <= 2) return 3;
  if (threshold >= 254) return 253;
  return threshold;
}

void Quirel_ThresholdGraphViewBase::drawHistogram(const fnd::Rect& rect) {
  kit::GraphicsContext* ctx = kit::GraphicsContext::current();
  if (ctx) Quirel_ToneGraphLook::drawHistogram(*ctx, grayHistogram, rect);
}

void Quirel_ThresholdGraphViewBase::drawRect(const fnd::Rect& dirtyRect) {
  kit::GraphicsContext* ctx = kit::GraphicsContext::current();
  if (!ctx) return;
  const double w = dirtyRect.size.width, h = dirtyRect.size.height;
  Quirel_ToneGraphLook::fillField(*ctx, bounds());
  if (mHasPreview) drawHistogram(dirtyRect);
  Quirel_ToneGraphLook::drawQuarterGrid(*ctx, dirtyRect);

  const double x = w / 255 * markerLevel(mThreshold);
  kit::BezierPath marker;
  marker.moveTo(fnd::Point(x, 0));
  marker.lineTo(fnd::Point(x, h));
  marker.setLineWidth(1);
  ctx->setStrokeColor(kit::Color::red());
  ctx->strokePath(marker);

  // The levels below the threshold turn black: shade them.
  ctx->setFillColor(kit::Color::calibratedRGB(0, 0, 0, 0.5));
  ctx->fillRect(fnd::Rect(1, 1, x - 2, h - 2));

  kit::BezierPath frame = kit::BezierPath::withRect(bounds());
  frame.setLineWidth(1.5);
  frame.setLineCapStyle(kit::LineCapStyle::Square);
  ctx->setStrokeColor(kit::Color::black());
  ctx->strokePath(frame);
}

void Quirel_ThresholdGraphViewBase::mouseDown(const kit::Event&) { Quirel_ToneGraphLook::postGraphPress(this); }
