#include "ui/adjust/ToneGraphLook.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "foundation/NotificationCenter.h"
#include "kit/BezierPath.h"
#include "kit/Color.h"
#include "kit/GraphicsContext.h"
#include "kit/View.h"
#include "ui/model/HistogramCounter.h"

void Quirel_ToneGraphLook::fillField(kit::GraphicsContext& ctx, const fnd::Rect& bounds) {
  ctx.setShouldAntialias(false);
  ctx.setFillColor(kit::Color::calibratedRGB(kFieldGrey, kFieldGrey, kFieldGrey, 1.0));
  ctx.fillRect(bounds);
}

void Quirel_ToneGraphLook::drawQuarterGrid(kit::GraphicsContext& ctx, const fnd::Rect& r) {
  const double w = r.size.width, h = r.size.height;
  ctx.setStrokeColor(kit::Color::calibratedRGB(1, 1, 1, 0.5));
  // The painter under the kit hands a translucent stroke of about a hundred pixels or more to
  // worker threads, and waking them costs ten times this drawing: each line is stroked in
  // pieces of at most kGridPiece points. The pieces meet end to end: the same pixels.
  auto line = [&ctx](fnd::Point from, fnd::Point to, double length) {
    const int pieces = std::max(1, static_cast<int>(std::ceil(length / kGridPiece)));
    for (int i = 0; i < pieces; ++i) {
      kit::BezierPath piece;
      piece.moveTo(fnd::Point(from.x + (to.x - from.x) * i / pieces, from.y + (to.y - from.y) * i / pieces));
      piece.lineTo(fnd::Point(from.x + (to.x - from.x) * (i + 1) / pieces, from.y + (to.y - from.y) * (i + 1) / pieces));
      piece.setLineWidth(1);
      ctx.strokePath(piece);
    }
  };
  for (int k = 1; k <= 3; ++k) {
    line(fnd::Point(k * w / 4, 0), fnd::Point(k * w / 4, h), h);
    line(fnd::Point(0, k * h / 4), fnd::Point(w, k * h / 4), w);
  }
}

void Quirel_ToneGraphLook::drawToneCurve(kit::GraphicsContext& ctx, std::uint8_t* table, const fnd::Rect& r) {
  const double w = r.size.width, h = r.size.height;
  for (int i = 0; i < 256; ++i)
    if (table[i] == 255) table[i] = 254;
  // One path of 255 separate segments, stroked once: the segments keep their own ends, as if
  // each were stroked alone, without a stroke's setup for each.
  kit::BezierPath segments;
  for (int i = 0; i < 255; ++i) {
    segments.moveTo(fnd::Point(i * w / 255, table[i] * h / 255));
    segments.lineTo(fnd::Point((i + 1) * w / 255, table[i + 1] * h / 255));
  }
  segments.setLineWidth(1);
  ctx.strokePath(segments);
}

void Quirel_ToneGraphLook::drawHistogram(kit::GraphicsContext& ctx, const std::int32_t* counts, const fnd::Rect& r) {
  const double w = r.size.width, h = r.size.height;
  std::int64_t sum = 0;
  for (int i = 0; i < 256; ++i) sum += counts[i];
  const std::int64_t divisor = (sum >= -49 && sum <= 49) ? 1 : sum / 50;
  kit::BezierPath bars;
  for (int i = 0; i < 256; ++i) {
    const double height = static_cast<double>(counts[i]) * (h - 1) / static_cast<double>(divisor);
    if (height == 0) continue;
    bars.moveTo(fnd::Point(i * w / 255, 0));
    bars.lineTo(fnd::Point(i * w / 255, height));
  }
  bars.setLineWidth(1);
  ctx.setStrokeColor(kit::Color::black());
  ctx.strokePath(bars);
}

void Quirel_ToneGraphLook::countHistograms(int width, int height, const std::uint8_t* pixels, std::int32_t* red,
                                           std::int32_t* green, std::int32_t* blue, std::int32_t* grey) {
  const std::int64_t count =
      width <= 0 || height <= 0 ? 0 : static_cast<std::int64_t>(width) * static_cast<std::int64_t>(height);
  Quirel_HistogramCounter::count(pixels, count, red, green, blue);
  std::memcpy(grey, red, 256 * sizeof(std::int32_t));  // grey is counted from red
}

void Quirel_ToneGraphLook::sumMaster(std::int32_t* master, const std::int32_t* red, const std::int32_t* green,
                                     const std::int32_t* blue) {
  for (int i = 0; i < 256; ++i) master[i] = red[i] + green[i] + blue[i];
}

void Quirel_ToneGraphLook::identity(std::uint8_t* table) {
  for (int i = 0; i < 256; ++i) table[i] = static_cast<std::uint8_t>(i);
}

void Quirel_ToneGraphLook::postGraphPress(const kit::View* view) {
  fnd::NotificationCenter::defaultCenter().post("CONTROL_YES", view);
  fnd::NotificationCenter::defaultCenter().post("DLG_MOUSE_DOWN", view);
}
