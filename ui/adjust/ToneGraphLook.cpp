#include "ui/adjust/ToneGraphLook.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

#include "foundation/NotificationCenter.h"
#include "kit/BezierPath.h"
#include "kit/Color.h"
#include "kit/GraphicsContext.h"
#include "kit/View.h"

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

namespace {
constexpr std::uint32_t toneCountByteSwapped(std::uint32_t v) {
  return (v >> 24) | ((v >> 8) & 0xff00u) | ((v << 8) & 0xff0000u) | (v << 24);
}
}  // namespace

void Quirel_ToneGraphLook::countHistograms(int width, int height, const std::uint8_t* pixels, std::int32_t* red,
                                           std::int32_t* green, std::int32_t* blue, std::int32_t* grey) {
  for (std::int32_t* t : {red, green, blue, grey}) std::memset(t, 0, 256 * sizeof(std::int32_t));
  if (!pixels || width <= 0 || height <= 0) return;
  const std::int64_t count = static_cast<std::int64_t>(width) * static_cast<std::int64_t>(height);
  // The graphs are recounted at every change the user waits for. Four pixels a step, read as
  // three 32-bit words, go into four sets of local tables, one set a pixel: equal neighbouring
  // levels then never wait on each other's store, and there is no branch per pixel.
  std::int32_t tables[4][3][256] = {};
  const std::uint8_t* px = pixels;
  const std::uint8_t* const quadsEnd = pixels + (count / 4) * 12;
  for (; px != quadsEnd; px += 12) {
    std::uint32_t a, b, c;
    std::memcpy(&a, px, 4);
    std::memcpy(&b, px + 4, 4);
    std::memcpy(&c, px + 8, 4);
    if constexpr (std::endian::native == std::endian::big) {
      a = toneCountByteSwapped(a);
      b = toneCountByteSwapped(b);
      c = toneCountByteSwapped(c);
    }
    ++tables[0][0][a & 0xff], ++tables[0][1][(a >> 8) & 0xff], ++tables[0][2][(a >> 16) & 0xff];
    ++tables[1][0][a >> 24], ++tables[1][1][b & 0xff], ++tables[1][2][(b >> 8) & 0xff];
    ++tables[2][0][(b >> 16) & 0xff], ++tables[2][1][b >> 24], ++tables[2][2][c & 0xff];
    ++tables[3][0][(c >> 8) & 0xff], ++tables[3][1][(c >> 16) & 0xff], ++tables[3][2][c >> 24];
  }
  for (const std::uint8_t* end = pixels + count * 3; px != end; px += 3) {
    ++tables[0][0][px[0]];
    ++tables[0][1][px[1]];
    ++tables[0][2][px[2]];
  }
  for (int i = 0; i < 256; ++i) {
    red[i] = tables[0][0][i] + tables[1][0][i] + tables[2][0][i] + tables[3][0][i];
    green[i] = tables[0][1][i] + tables[1][1][i] + tables[2][1][i] + tables[3][1][i];
    blue[i] = tables[0][2][i] + tables[1][2][i] + tables[2][2][i] + tables[3][2][i];
    grey[i] = red[i];  // grey is counted from red
  }
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
