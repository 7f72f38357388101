#include "ui/adjust/ToneGraphLook.h"

#include <bit>
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
  kit::BezierPath grid;
  for (int k = 1; k <= 3; ++k) {
    grid.moveTo(fnd::Point(k * w / 4, 0));
    grid.lineTo(fnd::Point(k * w / 4, h));
    grid.moveTo(fnd::Point(0, k * h / 4));
    grid.lineTo(fnd::Point(w, k * h / 4));
  }
  grid.setLineWidth(1);
  ctx.setStrokeColor(kit::Color::calibratedRGB(1, 1, 1, 0.5));
  ctx.strokePath(grid);
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
  for (std::int32_t* t : {red, green, blue, grey}) std::memset(t, 0, 256 * sizeof(std::int32_t));
  if (!pixels || width <= 0 || height <= 0) return;
  const std::int64_t count = static_cast<std::int64_t>(width) * static_cast<std::int64_t>(height);
  // The graphs are recounted at every change the user waits for. Four pixels a step, read as
  // three 32-bit words, go into four sets of local tables, one set a pixel: equal neighbouring
  // levels then never wait on each other's store, and there is no branch per pixel.
  std::int32_t tables[4][3][256] = {};
  auto add = [&tables](int set, int channel, std::uint32_t level) { ++tables[set][channel][level & 0xffu]; };
  std::int64_t p = 0;
  for (; p + 3 < count; p += 4) {
    std::uint32_t w[3];
    std::memcpy(w, pixels + p * 3, sizeof w);
    if constexpr (std::endian::native == std::endian::big)
      for (std::uint32_t& v : w) v = (v >> 24) | ((v >> 8) & 0xff00u) | ((v << 8) & 0xff0000u) | (v << 24);
    add(0, 0, w[0]), add(0, 1, w[0] >> 8), add(0, 2, w[0] >> 16), add(1, 0, w[0] >> 24);
    add(1, 1, w[1]), add(1, 2, w[1] >> 8), add(2, 0, w[1] >> 16), add(2, 1, w[1] >> 24);
    add(2, 2, w[2]), add(3, 0, w[2] >> 8), add(3, 1, w[2] >> 16), add(3, 2, w[2] >> 24);
  }
  for (; p < count; ++p)
    for (int c = 0; c < 3; ++c) add(0, c, pixels[p * 3 + c]);
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
