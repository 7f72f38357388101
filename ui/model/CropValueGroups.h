#pragma once

#include <algorithm>
#include <cstdint>

#include "ui/model/SM_COMMON/ChannelValues.h"
#include "ui/model/SM_COMMON/TagPoint.h"

// The value groups of a crop's image adjustments; plain 32-bit integers, copied by value.

// Most points of one channel of a user tone curve.
inline constexpr int kCropToneCurvePoints = 15;

struct ColorBalanceValues {
  std::int32_t chroma;
  std::int32_t cyanRed;
  std::int32_t magentaGreen;
  std::int32_t yellowBlue;
};

struct ToneBCValues {
  ChannelValues brightness;
  ChannelValues contrast;
};

struct HistogramValues {
  ChannelValues black;
  ChannelValues mid;
  ChannelValues white;
  ChannelValues gray;
};

// Per channel, in the order master, red, green, blue: the chosen curve, the number of user
// points in use (0..15) and the points themselves.
struct ToneCurveValues {
  ChannelValues selectToneCurve;
  std::int32_t setPointCount[4];
  TagPoint setPoint[4][kCropToneCurvePoints];
  TagPoint squarePoint[4][kCropToneCurvePoints];
};

// Sets the point counts, each kept within 0..kCropToneCurvePoints: the curve builders walk that
// many stored points, so a larger count from a damaged or foreign file or a caller must not send
// them past the table.
inline void setPointCounts(ToneCurveValues& curve, const ChannelValues& counts) {
  const std::int32_t values[4] = {counts.master, counts.red, counts.green, counts.blue};
  for (int c = 0; c < 4; ++c) curve.setPointCount[c] = std::clamp(values[c], 0, kCropToneCurvePoints);
}
