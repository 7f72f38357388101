#pragma once

#include <cstdint>

#include "ui/model/SM_COMMON/TagPoint.h"

// Builds a user tone curve from its control points: a natural cubic spline through more than two
// points, Newton's interpolating polynomial (a straight line, or a constant) through fewer.
// One object serves one computation and lives on the stack; all its storage is inline.
//
// Points are input levels `h` and output levels `v` on the 0..255 scale, in any order; a point
// with negative `v` is ignored, points outside 0..255 are pulled onto the scale, and points that
// share an `h` are merged into one (the later in the list wins), so no interval has zero width.
class CSpline {
 public:
  static constexpr int kMaxPoints = 15;

  CSpline() = default;
  ~CSpline() = default;
  CSpline(const CSpline&) = delete;
  CSpline& operator=(const CSpline&) = delete;

  void Reset();

  // Fill a 256-entry byte table or a 65536-entry 16-bit table. Return the number of points used
  // (0: nothing written), or -1 when refused (a missing table or list, more than 15 points).
  int CalculateGraph(std::uint8_t* table, const TagPoint* points, int count);
  int CalculateGraph16(std::uint16_t* table, const TagPoint* points, int count);

  // The kept points in ascending `h`, as doubles in mX / mY; returns their number.
  int SortXYTable();

  // Natural cubic spline: coefficients, then the truncated value at `t`.
  void MakeSplineTable();
  int GetSpline(double t) const;
  void CalcSplineGraph();
  void CalcSplineGraph16();

  // Newton's divided differences; the polynomial fills the table.
  void MakeNewtonTable();
  void CalcNewtonGraph();
  void CalcNewtonGraph16();

 private:
  // Writes the whole table from the kept points, with `value` interpolating between them.
  template <typename Entry, typename Interpolate>
  void fillTable(Entry* table, int top, Interpolate value) const;
  double newtonValue(double t) const;

  std::uint8_t* mTable = nullptr;
  std::uint16_t* mTable16 = nullptr;
  const TagPoint* mPoints = nullptr;
  int mCount = 0;

  int mKept = 0;
  double mX[kMaxPoints] = {};
  double mY[kMaxPoints] = {};
  double mCoefficient[kMaxPoints] = {};  // z of the spline, or Newton's divided differences
};

extern "C" {
// A 256-entry byte curve from `count` points; returns the number of points used, or -1.
int SplineCalc(std::uint8_t* table, const TagPoint* points, int count);
// A 65536-entry 16-bit curve from `count` points on the 0..255 scale; returns the same.
int SplineCalc16(std::uint16_t* table, const TagPoint* points, int count);
}
