#include "ui/model/SM_COMMON/CSpline.h"

#include <algorithm>
#include <cmath>

#include "ui/model/SM_COMMON/ToneCurve.h"

namespace {

constexpr int kTop8 = 255;
constexpr int kTop16 = 65535;

}  // namespace

void CSpline::Reset() {
  mTable = nullptr;
  mTable16 = nullptr;
  mPoints = nullptr;
  mCount = 0;
  mKept = 0;
}

int CSpline::SortXYTable() {
  struct Kept {
    int h;
    int v;
  };
  Kept kept[kMaxPoints];
  int n = 0;
  for (int i = 0; i < mCount; ++i) {
    if (mPoints[i].v < 0) {
      continue;
    }
    // Levels off the scale would index outside the table; pull them onto it.
    kept[n++] = {std::clamp(mPoints[i].h, 0, kTop8), std::min(mPoints[i].v, kTop8)};
  }
  // Ascending h; equal h keep their order in the list.
  std::stable_sort(kept, kept + n, [](const Kept& a, const Kept& b) { return a.h < b.h; });

  // Points sharing an h would give an interval of zero width: keep one, the later in the list.
  mKept = 0;
  for (int i = 0; i < n; ++i) {
    if (mKept > 0 && mX[mKept - 1] == kept[i].h) {
      mY[mKept - 1] = kept[i].v;
      continue;
    }
    mX[mKept] = kept[i].h;
    mY[mKept] = kept[i].v;
    ++mKept;
  }
  return mKept;
}

void CSpline::MakeSplineTable() { maketable_Gamma(mKept, mX, mY, mCoefficient); }

int CSpline::GetSpline(double t) const {
  return static_cast<int>(spline_Gamma(mKept, mX, mY, mCoefficient, t));
}

void CSpline::MakeNewtonTable() {
  // For each new point, the differences with all earlier points from the newest backwards;
  // afterwards work[0] is the difference over points 0 .. i.
  double work[kMaxPoints];
  for (int i = 0; i < mKept; ++i) {
    work[i] = mY[i];
    for (int j = i - 1; j >= 0; --j) {
      work[j] = (work[j + 1] - work[j]) / (mX[i] - mX[j]);
    }
    mCoefficient[i] = work[0];
  }
}

double CSpline::newtonValue(double t) const {
  double c = mCoefficient[mKept - 1];
  for (int j = mKept - 1; j >= 1; --j) {
    c = (t - mX[j - 1]) * c + mCoefficient[j - 1];
  }
  return c;
}

template <typename Entry, typename Interpolate>
void CSpline::fillTable(Entry* table, int top, Interpolate value) const {
  const int first = static_cast<int>(mX[0]);
  const int last = static_cast<int>(mX[mKept - 1]);
  const auto firstValue = static_cast<Entry>(static_cast<int>(mY[0]));
  const auto lastValue = static_cast<Entry>(static_cast<int>(mY[mKept - 1]));
  for (int i = 0; i < first; ++i) {
    table[i] = firstValue;
  }
  for (int i = last; i <= top; ++i) {
    table[i] = lastValue;
  }
  for (int i = first; i < last; ++i) {
    table[i] = static_cast<Entry>(std::clamp(value(i), 0, top));
  }
}

void CSpline::CalcSplineGraph() {
  MakeSplineTable();
  fillTable(mTable, kTop8, [this](int i) { return GetSpline(i); });
}

void CSpline::CalcSplineGraph16() {
  MakeSplineTable();
  fillTable(mTable16, kTop16, [this](int i) { return GetSpline(i); });
}

void CSpline::CalcNewtonGraph() {
  MakeNewtonTable();
  fillTable(mTable, kTop8, [this](int i) { return static_cast<int>(newtonValue(i)); });
}

void CSpline::CalcNewtonGraph16() {
  MakeNewtonTable();
  fillTable(mTable16, kTop16, [this](int i) { return static_cast<int>(newtonValue(i)); });
}

int CSpline::CalculateGraph(std::uint8_t* table, const TagPoint* points, int count) {
  Reset();
  if (table == nullptr || points == nullptr || count < 0 || count > kMaxPoints) {
    return -1;
  }
  mTable = table;
  mPoints = points;
  mCount = count;
  if (SortXYTable() == 0) {
    return 0;
  }
  if (mKept > 2) {
    CalcSplineGraph();
  } else {
    CalcNewtonGraph();
  }
  return mKept;
}

int CSpline::CalculateGraph16(std::uint16_t* table, const TagPoint* points, int count) {
  Reset();
  if (table == nullptr || points == nullptr || count < 0 || count > kMaxPoints) {
    return -1;
  }
  mTable16 = table;
  mPoints = points;
  mCount = count;
  if (SortXYTable() == 0) {
    return 0;
  }
  for (int i = 0; i < mKept; ++i) {
    mX[i] *= 257.0;
    mY[i] *= 257.0;
  }
  if (mKept > 2) {
    CalcSplineGraph16();
  } else {
    CalcNewtonGraph16();
  }
  return mKept;
}

extern "C" {

int SplineCalc(std::uint8_t* table, const TagPoint* points, int count) {
  CSpline spline;
  return spline.CalculateGraph(table, points, count);
}

int SplineCalc16(std::uint16_t* table, const TagPoint* points, int count) {
  CSpline spline;
  return spline.CalculateGraph16(table, points, count);
}

}  // extern "C"
