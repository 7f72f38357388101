#pragma once

#include <cstdint>

#include "ui/model/ChannelValues.h"
#include "ui/model/TagPoint.h"

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
