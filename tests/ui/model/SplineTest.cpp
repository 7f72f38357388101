#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

#include "ToneReference.h"
#include "ui/model/SM_COMMON/CSpline.h"

namespace {

std::vector<std::uint8_t> curve8(const std::vector<TagPoint>& points, int* result = nullptr) {
  std::vector<std::uint8_t> table(256, 7);
  const int r = SplineCalc(table.data(), points.data(), static_cast<int>(points.size()));
  if (result) *result = r;
  return table;
}

std::vector<std::uint16_t> curve16(const std::vector<TagPoint>& points) {
  std::vector<std::uint16_t> table(65536, 7);
  SplineCalc16(table.data(), points.data(), static_cast<int>(points.size()));
  return table;
}

// Flat before the first point, the reference interpolation between, flat from the last point.
template <typename Interpolate>
double expected(int i, double x0, double y0, double x1, double y1, double top, Interpolate f) {
  if (i < static_cast<int>(x0)) return std::trunc(y0);
  if (i >= static_cast<int>(x1)) return std::trunc(y1);
  return std::clamp(std::trunc(f(i)), 0.0, top);
}

}  // namespace

TEST(Spline, TwoPointsGiveTheStraightLine) {
  const auto identity = curve8({{0, 0}, {255, 255}});
  for (int i = 0; i < 256; ++i) ASSERT_EQ(identity[i], i);

  const auto steps = curve8({{64, 0}, {192, 255}});
  for (int i = 0; i < 256; ++i) {
    const double want = expected(i, 64, 0, 192, 255, 255, [](int x) { return (x - 64) * 255.0 / 128; });
    ASSERT_NEAR(steps[i], want, i > 64 && i < 192 ? 1 : 0) << i;
  }
  EXPECT_EQ(steps[63], 0);
  EXPECT_EQ(steps[192], 255);

  // A falling line (the negative preset) and its 16-bit twin.
  const auto negative = curve8({{0, 255}, {255, 0}});
  for (int i = 0; i < 256; ++i) ASSERT_NEAR(negative[i], 255 - i, 1) << i;

  const auto identity16 = curve16({{0, 0}, {255, 255}});
  for (int i = 0; i < 65536; ++i) ASSERT_EQ(identity16[i], i);
  const auto steps16 = curve16({{64, 0}, {192, 255}});
  for (int i = 0; i < 65536; i += 37) {
    const double want = expected(i, 64 * 257, 0, 192 * 257, 65535, 65535,
                                 [](int x) { return (x - 64 * 257) * 65535.0 / (128 * 257); });
    ASSERT_NEAR(steps16[i], want, 1) << i;
  }
}

TEST(Spline, MorePointsFollowTheClampedNaturalSpline) {
  struct Case {
    std::vector<TagPoint> points;
  };
  const Case cases[] = {
      {{{0, 0}, {128, 200}, {255, 255}}},
      {{{30, 103}, {100, 195}, {0, 0}, {255, 255}}},  // unsorted, as the graph keeps them
      {{{0, 0}, {75, 40}, {175, 225}, {255, 255}}},
      {{{10, 250}, {60, 5}, {120, 250}, {180, 5}, {240, 250}}},  // undershoots
      {{{0, 0}, {30, 255}, {60, 255}, {255, 255}}},              // overshoots
  };
  for (const Case& c : cases) {
    auto sorted = c.points;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const TagPoint& a, const TagPoint& b) { return a.h < b.h; });
    std::vector<double> xs, ys;
    for (const auto& p : sorted) {
      xs.push_back(p.h);
      ys.push_back(p.v);
    }
    const toneref::Spline ref(xs, ys);
    int used = 0;
    const auto table = curve8(c.points, &used);
    EXPECT_EQ(used, static_cast<int>(c.points.size()));
    for (int i = 0; i < 256; ++i) {
      const double want = expected(i, xs.front(), ys.front(), xs.back(), ys.back(), 255, ref);
      ASSERT_NEAR(table[i], want, 1) << "point list " << &c - cases << " entry " << i;
    }

    std::vector<double> xs16, ys16;
    for (std::size_t j = 0; j < xs.size(); ++j) {
      xs16.push_back(xs[j] * 257);
      ys16.push_back(ys[j] * 257);
    }
    const toneref::Spline ref16(xs16, ys16);
    const auto table16 = curve16(c.points);
    for (int i = 0; i < 65536; i += 53) {
      const double want =
          expected(i, xs16.front(), ys16.front(), xs16.back(), ys16.back(), 65535, ref16);
      ASSERT_NEAR(table16[i], want, 1) << "point list " << &c - cases << " entry " << i;
    }
  }

  // Those splines leave the scale, so the comparisons above saw the clamp on both sides.
  const toneref::Spline wave({10, 60, 120, 180, 240}, {250, 5, 250, 5, 250});
  const toneref::Spline rise({0, 30, 60, 255}, {0, 255, 255, 255});
  double low = 0, high = 0;
  for (int i = 10; i < 240; ++i) low = std::min(low, wave(i));
  for (int i = 0; i < 256; ++i) high = std::max(high, rise(i));
  EXPECT_LT(low, 0);
  EXPECT_GT(high, 255);
}

TEST(Spline, UnusablePointsAreLeftOut) {
  // v = -1 marks an empty slot.
  const auto skipped = curve8({{0, 0}, {100, -1}, {255, 255}});
  for (int i = 0; i < 256; ++i) ASSERT_EQ(skipped[i], i);

  // One point: a constant. No point: nothing written.
  const auto constant = curve8({{100, 80}, {50, -1}});
  for (int i = 0; i < 256; ++i) ASSERT_EQ(constant[i], 80);
  int used = -2;
  const auto untouched = curve8({{10, -1}, {20, -5}}, &used);
  EXPECT_EQ(used, 0);
  for (auto v : untouched) ASSERT_EQ(v, 7);
  EXPECT_EQ(SplineCalc(std::vector<std::uint8_t>(256).data(), nullptr, 0), -1);

  // A missing table, or a list longer than a curve holds, writes nothing.
  const std::vector<TagPoint> fine = {{0, 0}, {255, 255}};
  EXPECT_EQ(SplineCalc(nullptr, fine.data(), 2), -1);
  EXPECT_EQ(SplineCalc16(nullptr, fine.data(), 2), -1);
  const std::vector<TagPoint> sixteen(16, TagPoint{10, 10});
  std::vector<std::uint8_t> table(256, 7);
  EXPECT_EQ(SplineCalc(table.data(), sixteen.data(), 16), -1);
  EXPECT_EQ(SplineCalc(table.data(), sixteen.data(), -3), -1);
  for (auto v : table) ASSERT_EQ(v, 7);
}

TEST(Spline, OffScalePointsAreClampedAndSharedInputsMerged) {
  // Levels off the 0..255 scale are pulled onto it; exact-size heap tables let the sanitizer see
  // any write outside.
  struct Case {
    std::vector<TagPoint> given;
    std::vector<TagPoint> same;
  };
  const Case cases[] = {
      {{{-50, 10}, {300, 400}}, {{0, 10}, {255, 255}}},
      {{{-10, 0}, {128, 100}, {1000, 255}}, {{0, 0}, {128, 100}, {255, 255}}},
      // Two points at one input: the later one wins, no interval of zero width.
      {{{0, 0}, {100, 50}, {100, 150}, {255, 255}}, {{0, 0}, {100, 150}, {255, 255}}},
      {{{100, 50}, {100, 150}}, {{100, 150}}},
      {{{255, 10}, {300, 20}, {0, 0}}, {{0, 0}, {255, 20}}},
  };
  for (const Case& c : cases) {
    auto table = std::make_unique<std::uint8_t[]>(256);
    auto want = std::make_unique<std::uint8_t[]>(256);
    SplineCalc(table.get(), c.given.data(), static_cast<int>(c.given.size()));
    SplineCalc(want.get(), c.same.data(), static_cast<int>(c.same.size()));
    for (int i = 0; i < 256; ++i) ASSERT_EQ(table[i], want[i]) << &c - cases << " at " << i;

    auto table16 = std::make_unique<std::uint16_t[]>(65536);
    auto want16 = std::make_unique<std::uint16_t[]>(65536);
    SplineCalc16(table16.get(), c.given.data(), static_cast<int>(c.given.size()));
    SplineCalc16(want16.get(), c.same.data(), static_cast<int>(c.same.size()));
    for (int i = 0; i < 65536; ++i) ASSERT_EQ(table16[i], want16[i]) << &c - cases << " at " << i;
  }
}

TEST(Spline, ObjectSortsAndReportsWhatItKept) {
  CSpline spline;
  std::uint8_t table[256];
  const TagPoint points[] = {{200, 10}, {50, 100}, {120, -1}, {50, 90}, {10, 5}};
  EXPECT_EQ(spline.CalculateGraph(table, points, 5), 3);  // one skipped, one merged
  EXPECT_EQ(table[0], 5);
  EXPECT_NEAR(table[50], 90, 1);
  EXPECT_EQ(table[255], 10);
  spline.Reset();
  EXPECT_EQ(spline.CalculateGraph(table, points, 0), 0);
}
