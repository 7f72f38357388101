#include "ui/model/SM_COMMON/ToneCurve.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <new>

// The general tone computation. Every step works in place on a table of doubles; the constants of
// a step are formed once before its loop, in 64-bit integers or doubles so that they stay exact
// for 65536-entry tables.

namespace {

// Static storage of the gamma point list's interpolated dark end.
std::uint32_t gGammaDarkTable[kToneGammaTableSize];

bool validTableSize(std::uint32_t n) { return n == 256 || n == 65536; }

bool validPointList(const KunekuneData& points) {
  return points.count >= 2 && points.count <= kToneMaxPoints;
}

// Truncation into a table index that stays inside 0 .. n - 1 (NaN reads as 0).
std::uint32_t clampedIndex(double v, std::uint32_t n) {
  if (!(v > 0.0)) {
    return 0;
  }
  if (v >= static_cast<double>(n - 1)) {
    return n - 1;
  }
  return static_cast<std::uint32_t>(v);
}

std::uint32_t clampedIndex(std::uint32_t v, std::uint32_t n) { return std::min(v, n - 1); }

// trunc() into an output column; values no column can hold are pinned to its limits.
std::uint32_t truncatedOutput(double v) {
  if (!(v > 0.0)) {
    return 0;
  }
  if (v >= 4294967295.0) {
    return std::numeric_limits<std::uint32_t>::max();
  }
  return static_cast<std::uint32_t>(v);
}

// The brightness formula for b < 128 at value v; its constants formed once.
struct DarkBrightness {
  double bbn;     // b * b * n
  double b256;    // 256 * b
  double k;       // 16384 * n
  double offset;  // b * n - 128 * n
  double half;    // n / 2 (integer halving)

  DarkBrightness(std::uint32_t b, std::uint32_t n)
      : bbn(static_cast<double>(std::uint64_t{b} * b * n)),
        b256(256.0 * b),
        k(static_cast<double>(std::uint64_t{16384} * n)),
        offset(static_cast<double>(std::int64_t{b} * n - std::int64_t{128} * n)),
        half(static_cast<double>(n / 2)) {}

  double operator()(double v) const {
    if (v < half) {
      return bbn * v / (-32768.0 * v + b256 * v + k);
    }
    return (256.0 * v + offset) / 256.0;
  }
};

void contrastOrBrightness(double* table, std::uint8_t b, std::uint8_t c, std::uint32_t n) {
  if (b == 128 && c == 128) {
    return;
  }
  if (b == 128) {
    MakeContrastCurve(table, c, n);
  } else if (c == 128) {
    MakeBrightnessCurve(table, b, n);
  } else if (c < 128) {
    MakeContrastCurve(table, c, n);
    MakeBrightnessCurve(table, b, n);
  } else {
    MakeBrightnessCurve(table, b, n);
    MakeContrastCurve(table, c, n);
  }
}

bool blackMidWhiteNeeded(std::uint32_t black, std::uint32_t middle, std::uint32_t white,
                         std::uint32_t n) {
  return black != 0 || white != n - 1 || middle != (std::uint64_t{white} + 1) / 2;
}

}  // namespace

extern "C" {

void MakeGammaCurve(double* table, float gamma, std::uint32_t n, const KunekuneData* points) {
  // A gamma of zero, below zero or NaN has no curve; leave the table as it is.
  if (table == nullptr || n < 2 || !(gamma > 0.0f)) {
    return;
  }
  const double p = 1.0 / static_cast<double>(gamma);
  const double top = static_cast<double>(n - 1);
  if (gamma <= 1.0f) {
    for (std::uint32_t i = 0; i < n; ++i) {
      table[i] = top * std::pow(table[i] / top, p);
    }
    return;
  }

  // Above 1 the dark end follows the point list, up to the second-to-last point, which is moved
  // onto the plain power curve so both parts meet. A list that cannot be used (or a table the
  // static storage cannot hold) leaves the power curve everywhere.
  double threshold = 0.0;
  if (points != nullptr && validPointList(*points) && n <= kToneGammaTableSize) {
    const int k = points->count;
    std::int32_t working[2 * kToneMaxPoints];
    const double dark = 2.2222 / static_cast<double>(gamma);
    for (int j = 0; j < k; ++j) {
      working[2 * j] = points->x[j];
      working[2 * j + 1] =
          static_cast<std::int32_t>(std::pow(points->y[j] / 65536.0, dark) * 65536.0);
    }
    working[2 * (k - 2) + 1] =
        static_cast<std::int32_t>(std::pow(points->x[k - 2] / 65536.0, p) * 65536.0);
    // A refused list leaves the static table as an earlier call filled it: use none of it.
    if (Calc_Tone_Table_Gamma(static_cast<int>(n), static_cast<std::uint8_t>(k), working,
                              static_cast<int>(n), gGammaDarkTable) == 0) {
      threshold = static_cast<double>(points->x[k - 2]);
    }
  }
  for (std::uint32_t i = 0; i < n; ++i) {
    const double v = table[i];
    if (v >= threshold) {
      table[i] = top * std::pow(v / top, p);
    } else {
      table[i] = static_cast<double>(gGammaDarkTable[clampedIndex(v, n)]);
    }
  }
}

void AdjustGBToneCurve(double* table, std::uint32_t gray, std::uint32_t average,
                       std::uint32_t n) {
  if (table == nullptr || n < 2 || (gray == 0 && average == 0)) {
    return;
  }
  const double top = static_cast<double>(n - 1);
  if (gray != 0) {
    const double a = average;
    const double g = gray;
    for (std::uint32_t i = 0; i < n; ++i) {
      table[i] = std::min(table[i] * a / g, top);
    }
    return;
  }
  table[0] = average;
  for (std::uint32_t i = 1; i < n; ++i) {
    table[i] = top;
  }
}

void MakeBlackMidWhiteCurve(double* table, std::uint32_t black, std::uint32_t middle,
                            std::uint32_t white, std::uint32_t n, const KunekuneData* points) {
  if (table == nullptr || n < 2) {
    return;
  }
  // Points that leave no room between them (white at or below black, middle outside the two)
  // are moved to the nearest curve that has it, so the stretch never divides by zero and the
  // exponent never takes the logarithm of zero or of a ratio of one or more.
  const std::int64_t b = black;
  std::int64_t w = white;
  std::int64_t m = middle;
  if (w <= b) {
    w = b + 1;
  }
  if (m <= b) {
    m = b + 1;
  }
  if (m >= w) {
    m = w - 1;
  }

  const double top = static_cast<double>(n - 1);
  const double bd = static_cast<double>(b);
  const double wd = static_cast<double>(w);
  const double span = wd - bd;
  for (std::uint32_t i = 0; i < n; ++i) {
    const double v = table[i];
    if (v <= bd) {
      table[i] = 0.0;
    } else if (v < wd) {
      table[i] = (v - bd) * top / span;
    } else {
      table[i] = top;
    }
  }
  if (m <= b) {
    // White right above black: a pure step, which no exponent changes.
    return;
  }
  const double ratio = static_cast<double>(m - b) / span;
  const auto gamma = static_cast<float>(std::log(ratio) / -0.6931471805599453);
  MakeGammaCurve(table, gamma, n, points);
}

void MakeContrastCurve(double* table, std::uint8_t contrast, std::uint32_t n) {
  if (table == nullptr || n < 2) {
    return;
  }
  const std::uint64_t c = contrast;
  if (c < 128) {
    const double twoC = static_cast<double>(2 * c);
    const double offset = static_cast<double>(128 * std::uint64_t{n} - c * n);
    for (std::uint32_t i = 0; i < n; ++i) {
      table[i] = (twoC * table[i] + offset) / 256.0;
    }
    return;
  }
  const double a = static_cast<double>(512 * c * n);
  const double b = static_cast<double>(c * c * n);
  const double e = static_cast<double>(65536 * std::uint64_t{n});
  const double f = static_cast<double>(1024 * c);
  const double half = static_cast<double>(n / 2);
  const double top = static_cast<double>(n - 1);
  auto lower = [&](double v) { return (a * v - b * v - e * v) / (-131072.0 * v + f * v - b); };
  for (std::uint32_t i = 0; i < n; ++i) {
    const double v = table[i];
    table[i] = v < half ? lower(v) : top - lower(top - v);
  }
}

void MakeBrightnessCurve(double* table, std::uint8_t brightness, std::uint32_t n) {
  if (table == nullptr || n < 2) {
    return;
  }
  if (brightness < 128) {
    const DarkBrightness dark(brightness, n);
    for (std::uint32_t i = 0; i < n; ++i) {
      table[i] = dark(table[i]);
    }
    return;
  }
  // The upper half mirrors the lower: the same formula on (n - 1) - v with 256 - b.
  const auto e = static_cast<std::uint8_t>(256 - brightness);
  const DarkBrightness dark(e, n);
  const double top = static_cast<double>(n - 1);
  for (std::uint32_t i = 0; i < n; ++i) {
    table[i] = top - dark(top - table[i]);
  }
}

void MakeBalanceCurve(double* table, std::uint8_t balance, std::uint32_t n) {
  if (table == nullptr || n < 2) {
    return;
  }
  if (balance < 128) {
    const double factor = 128.0 + balance;
    for (std::uint32_t i = 0; i < n; ++i) {
      table[i] = factor * table[i] / 256.0;
    }
    return;
  }
  const double divisor = 384.0 - balance;
  const double top = static_cast<double>(n - 1);
  for (std::uint32_t i = 0; i < n; ++i) {
    table[i] = std::min(256.0 * table[i] / divisor, top);
  }
}

int MakeToneCurve(const ToneCurveParam* param, const ToneTableEntry* userCurve,
                  ToneTableEntry* output, const KunekuneData* points) {
  if (param == nullptr || userCurve == nullptr || output == nullptr ||
      !validTableSize(param->count)) {
    return -1;
  }
  KunekuneData defaultList{};
  defaultList.count = 2;
  if (points == nullptr) {
    points = &defaultList;
  } else if (!validPointList(*points)) {
    return -1;
  }

  const std::uint32_t n = param->count;
  std::unique_ptr<double[]> storage(new (std::nothrow) double[3 * std::size_t{n}]);
  if (!storage) {
    return -1;
  }
  double* channel[3] = {storage.get(), storage.get() + n, storage.get() + 2 * std::size_t{n}};
  for (double* table : channel) {
    for (std::uint32_t i = 0; i < n; ++i) {
      table[i] = i;
    }
  }

  // 1. Gamma: each colour's own, then the master's on all three.
  for (int c = 0; c < 3; ++c) {
    if (param->gamma[c + 1] != 1.0f) {
      MakeGammaCurve(channel[c], param->gamma[c + 1], n, points);
    }
  }
  if (param->gamma[kToneMaster] != 1.0f) {
    for (double* table : channel) {
      MakeGammaCurve(table, param->gamma[kToneMaster], n, points);
    }
  }

  // 2. Gray balance against the integer mean of the three gray points.
  const auto average = static_cast<std::uint32_t>(
      (std::uint64_t{param->grayPoint[kToneRed]} + param->grayPoint[kToneGreen] +
       param->grayPoint[kToneBlue]) / 3);
  for (int c = 0; c < 3; ++c) {
    AdjustGBToneCurve(channel[c], param->grayPoint[c + 1], average, n);
  }

  // 3. Black, middle and white: each colour's own, then the master's on all three.
  for (int c = 0; c < 3; ++c) {
    if (blackMidWhiteNeeded(param->shadow[c + 1], param->middle[c + 1], param->hilight[c + 1],
                            n)) {
      MakeBlackMidWhiteCurve(channel[c], param->shadow[c + 1], param->middle[c + 1],
                             param->hilight[c + 1], n, points);
    }
  }
  if (blackMidWhiteNeeded(param->shadow[kToneMaster], param->middle[kToneMaster],
                          param->hilight[kToneMaster], n)) {
    for (double* table : channel) {
      MakeBlackMidWhiteCurve(table, param->shadow[kToneMaster], param->middle[kToneMaster],
                             param->hilight[kToneMaster], n, points);
    }
  }

  // 4. User curves: the channel's own column, then the master column. Both look-ups stay inside
  // the table whatever the curve holds.
  for (std::uint32_t i = 0; i < n; ++i) {
    double* value[3] = {&channel[0][i], &channel[1][i], &channel[2][i]};
    const std::uint32_t own[3] = {
        userCurve[clampedIndex(*value[0], n)].red,
        userCurve[clampedIndex(*value[1], n)].green,
        userCurve[clampedIndex(*value[2], n)].blue,
    };
    for (int c = 0; c < 3; ++c) {
      *value[c] = userCurve[clampedIndex(own[c], n)].master;
    }
  }

  // 5, 6. Brightness and contrast: each colour's own, then the master's on all three.
  for (int c = 0; c < 3; ++c) {
    contrastOrBrightness(channel[c], param->brightness[c + 1], param->contrast[c + 1], n);
  }
  for (double* table : channel) {
    contrastOrBrightness(table, param->brightness[kToneMaster], param->contrast[kToneMaster], n);
  }

  // 7. Colour balance.
  for (int c = 0; c < 3; ++c) {
    if (param->balance[c + 1] != 128) {
      MakeBalanceCurve(channel[c], param->balance[c + 1], n);
    }
  }

  // 8. Output, scaled to outMax.
  if (param->reverse > 1) {
    return 0;
  }
  const double scale = static_cast<double>(param->outMax) / static_cast<double>(n);
  for (std::uint32_t i = 0; i < n; ++i) {
    ToneTableEntry& out = output[param->reverse == 0 ? i : n - 1 - i];
    out.red = truncatedOutput(channel[0][i] * scale);
    out.green = truncatedOutput(channel[1][i] * scale);
    out.blue = truncatedOutput(channel[2][i] * scale);
  }
  return 0;
}

}  // extern "C"
