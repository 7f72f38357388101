#include <algorithm>
#include <cstdint>

#include "ui/model/SM_COMMON/ToneCurve.h"

// The point-list interpolator behind the dark end of gamma curves, and the natural cubic spline
// that the user tone curves share with it.

namespace {

enum : int {
  kErrorRange = 16,
  kErrorXOutOfRange = 32,
  kErrorYOutOfRange = 33,
  kErrorXNotIncreasing = 34,
  kErrorCount = 48,
  kErrorTableSize = 64,
};

bool inRange(std::int32_t v, int range) { return v >= 0 && v < range; }

// v * (m - 1) / (range - 1) in integers; 64-bit so 65535 * 65535 stays exact.
std::int64_t scaleToTable(std::int32_t v, int range, int m) {
  return std::int64_t{v} * (m - 1) / (range - 1);
}

int fillFromTwoPoints(int range, const std::int32_t* points, int m, std::uint32_t* table) {
  const std::int32_t x0 = points[0];
  const std::int32_t y0 = points[1];
  const std::int32_t x1 = points[2];
  const std::int32_t y1 = points[3];
  if (x0 >= x1) {
    return kErrorXNotIncreasing;
  }
  if (x0 < 0 || x1 >= range) {
    return kErrorXOutOfRange;
  }
  if (!inRange(y0, range) || !inRange(y1, range)) {
    return kErrorYOutOfRange;
  }
  const std::int64_t sx0 = scaleToTable(x0, range, m);
  const std::int64_t sy0 = scaleToTable(y0, range, m);
  const std::int64_t sx1 = scaleToTable(x1, range, m);
  const std::int64_t sy1 = scaleToTable(y1, range, m);
  std::int64_t i = 0;
  for (; i < sx0; ++i) {
    table[i] = static_cast<std::uint32_t>(sy0);
  }
  const double slope = static_cast<double>(sy1 - sy0);
  const double run = static_cast<double>(sx1 - sx0);
  for (; i < sx1; ++i) {
    const double step = static_cast<double>(i - sx0);
    table[i] = static_cast<std::uint32_t>(static_cast<std::int64_t>(step * slope / run +
                                                                    static_cast<double>(sy0)));
  }
  for (; i < m; ++i) {
    table[i] = static_cast<std::uint32_t>(sy1);
  }
  return 0;
}

int fillFromSpline(int range, int k, const std::int32_t* points, int m, std::uint32_t* table) {
  // Every point is checked, the first one too: an unchecked first point would index the table
  // out of bounds or give the spline an interval of zero width.
  for (int j = 0; j < k; ++j) {
    const std::int32_t x = points[2 * j];
    const std::int32_t y = points[2 * j + 1];
    if (!inRange(x, range)) {
      return kErrorXOutOfRange;
    }
    if (!inRange(y, range)) {
      return kErrorYOutOfRange;
    }
    if (j > 0 && x <= points[2 * (j - 1)]) {
      return kErrorXNotIncreasing;
    }
  }
  double sx[kToneMaxPoints];
  double sy[kToneMaxPoints];
  double z[kToneMaxPoints];
  const double md = m;
  for (int j = 0; j < k; ++j) {
    sx[j] = md * points[2 * j] / range;
    sy[j] = md * points[2 * j + 1] / range;
  }
  maketable_Gamma(k, sx, sy, z);

  const double top = md - 1.0;
  int i = 0;
  const int firstEnd = static_cast<int>(sx[0]);
  const auto firstValue = static_cast<std::uint32_t>(sy[0]);
  for (; i <= firstEnd; ++i) {
    table[i] = firstValue;
  }
  const int splineEnd = std::min(m / range + static_cast<int>(sx[k - 1]), m);
  for (; i < splineEnd; ++i) {
    const double v = std::clamp(spline_Gamma(k, sx, sy, z, i), 0.0, top);
    table[i] = static_cast<std::uint32_t>(v);
  }
  for (; i < m; ++i) {
    table[i] = table[i - 1];
  }
  return 0;
}

}  // namespace

extern "C" {

void maketable_Gamma(int count, const double* x, const double* y, double* z) {
  if (count < 2 || count > kToneMaxPoints) {
    return;
  }
  // Tridiagonal system for the inner points, solved by forward elimination and back substitution:
  // h[i-1] z[i-1] + 2 (x[i+1] - x[i-1]) z[i] + h[i] z[i+1] = d[i] - d[i-1], z at both ends 0.
  double h[kToneMaxPoints];
  double d[kToneMaxPoints];
  double diag[kToneMaxPoints];
  double rhs[kToneMaxPoints];
  for (int i = 0; i < count - 1; ++i) {
    h[i] = x[i + 1] - x[i];
    d[i] = (y[i + 1] - y[i]) / h[i];
  }
  z[0] = 0.0;
  z[count - 1] = 0.0;
  if (count == 2) {
    return;
  }
  for (int i = 1; i < count - 1; ++i) {
    diag[i] = 2.0 * (x[i + 1] - x[i - 1]);
    rhs[i] = d[i] - d[i - 1];
  }
  for (int i = 2; i < count - 1; ++i) {
    const double t = h[i - 1] / diag[i - 1];
    diag[i] -= t * h[i - 1];
    rhs[i] -= t * rhs[i - 1];
  }
  z[count - 2] = rhs[count - 2] / diag[count - 2];
  for (int i = count - 3; i >= 1; --i) {
    z[i] = (rhs[i] - h[i] * z[i + 1]) / diag[i];
  }
}

double spline_Gamma(int count, const double* x, const double* y, const double* z, double t) {
  if (count < 2) {
    return count == 1 ? y[0] : 0.0;
  }
  // The first point whose x is not below t, less one; the search never passes the last point,
  // so the interval index stays within 0 .. count - 2.
  int lo = 0;
  int hi = count - 1;
  while (lo < hi) {
    const int mid = (lo + hi) / 2;
    if (x[mid] < t) {
      lo = mid + 1;
    } else {
      hi = mid;
    }
  }
  if (lo > 0) {
    --lo;
  }
  const double h = x[lo + 1] - x[lo];
  const double dt = t - x[lo];
  return y[lo] + dt * ((y[lo + 1] - y[lo]) / h - (2.0 * z[lo] + z[lo + 1]) * h) +
         3.0 * z[lo] * dt * dt + (z[lo + 1] - z[lo]) / h * dt * dt * dt;
}

int Calc_Tone_Table_Gamma(int range, std::uint8_t count, const std::int32_t* points,
                          int tableSize, std::uint32_t* table) {
  if (range < 2) {
    return kErrorRange;
  }
  // More points than the working storage holds are refused like too few.
  if (count < 2 || count > kToneMaxPoints) {
    return kErrorCount;
  }
  if (tableSize < 2) {
    return kErrorTableSize;
  }
  if (points == nullptr || table == nullptr) {
    return -1;
  }
  if (count == 2) {
    return fillFromTwoPoints(range, points, tableSize, table);
  }
  return fillFromSpline(range, count, points, tableSize, table);
}

}  // extern "C"
