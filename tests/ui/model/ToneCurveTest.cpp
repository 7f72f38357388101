#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numeric>
#include <vector>

#include "ToneReference.h"
#include "ui/model/SM_COMMON/ToneCurve.h"

namespace {

ToneCurveParam neutralParam(std::uint32_t n) {
  ToneCurveParam p{};
  p.count = n;
  p.outMax = n;
  for (int c = 0; c < 4; ++c) {
    p.shadow[c] = 0;
    p.middle[c] = n / 2;
    p.hilight[c] = n - 1;
    p.grayPoint[c] = 128;
    p.brightness[c] = 128;
    p.contrast[c] = 128;
    p.balance[c] = 128;
    p.gamma[c] = 1.0f;
  }
  return p;
}

std::vector<ToneTableEntry> identityCurve(std::uint32_t n) {
  std::vector<ToneTableEntry> t(n);
  for (std::uint32_t i = 0; i < n; ++i) t[i] = {i, i, i, i};
  return t;
}

// Runs MakeToneCurve on identity user curves; the output starts as a sentinel pattern.
std::vector<ToneTableEntry> run(const ToneCurveParam& p, int* result = nullptr) {
  const auto user = identityCurve(p.count);
  std::vector<ToneTableEntry> out(p.count, ToneTableEntry{7, 7, 7, 7});
  const int r = MakeToneCurve(&p, user.data(), out.data(), nullptr);
  if (result) *result = r;
  return out;
}

ToneParam neutralToneParam() {
  ToneParam t{};
  for (int c = 0; c < 4; ++c) {
    t.brightness[c] = 128;
    t.contrast[c] = 128;
    t.gamma[c] = 1.0;
    t.shadow[c] = 0;
    t.middle[c] = 128;
    t.hilight[c] = 255;
    t.grayPoint[c] = 128;
  }
  return t;
}

struct Tables16 {
  std::vector<std::int16_t> r, g, b;
  explicit Tables16(int n) : r(n, -7), g(n, -7), b(n, -7) {}
  std::uint16_t at(int c, int i) const {
    const auto& t = c == 0 ? r : c == 1 ? g : b;
    return static_cast<std::uint16_t>(t[i]);
  }
};

}  // namespace

TEST(ToneCurve, NeutralParametersGiveTheIdentityAtBothSizes) {
  for (std::uint32_t n : {256u, 65536u}) {
    int result = -2;
    const auto out = run(neutralParam(n), &result);
    ASSERT_EQ(result, 0);
    for (std::uint32_t i = 0; i < n; ++i) {
      ASSERT_EQ(out[i].red, i) << "n " << n;
      ASSERT_EQ(out[i].green, i);
      ASSERT_EQ(out[i].blue, i);
      ASSERT_EQ(out[i].master, 7u) << "the master column is not written";
    }
  }

  for (int n : {256, 65536}) {
    Tables16 t(n);
    ASSERT_EQ(MakeFinalToneCurve(t.r.data(), t.g.data(), t.b.data(), n, neutralToneParam()), 0);
    for (int i = 0; i < n; ++i) {
      for (int c = 0; c < 3; ++c) ASSERT_EQ(t.at(c, i), static_cast<std::uint16_t>(i)) << n;
    }
  }

  std::uint8_t r[256], g[256], b[256];
  FinalToneCurve(r, g, b, neutralToneParam());
  for (int i = 0; i < 256; ++i) {
    ASSERT_EQ(r[i], i);
    ASSERT_EQ(g[i], i);
    ASSERT_EQ(b[i], i);
  }
}

TEST(ToneCurve, MiddleStepRunsOnlyOffTheNeutralMiddle) {
  // 128 = (255 + 1) / 2 skips the black/middle/white step; 127 runs it. At 256 entries the
  // plain curve it gives moves no entry by a whole level (the user curves truncate), so a gamma
  // point list shows the run: 127 gives an exponent just above 1, whose dark end follows the list.
  const std::int32_t raw[] = {3, 0, 0, 0, 100, 0, 255, 0};
  KunekuneData list = *TranslateWDParam(raw);
  TranslateWDParam(nullptr);
  ToneCurveParam p = neutralParam(256);
  const auto user = identityCurve(256);
  std::vector<ToneTableEntry> neutral(256), shifted(256);
  p.middle[kToneMaster] = 128;
  ASSERT_EQ(MakeToneCurve(&p, user.data(), neutral.data(), &list), 0);
  for (std::uint32_t i = 0; i < 256; ++i) ASSERT_EQ(neutral[i].red, i);

  p.middle[kToneMaster] = 127;
  ASSERT_EQ(MakeToneCurve(&p, user.data(), shifted.data(), &list), 0);
  const double gamma = static_cast<float>(-std::log2(127.0 / 255.0));
  const double y1 = std::trunc(std::pow(100 / 65536.0, 1 / gamma) * 65536);
  const toneref::Spline dark({0, 100, 255}, {0, y1, 0});
  for (int i = 0; i < 256; ++i) {
    const double ref = i < 100 ? std::trunc(std::clamp(dark(i), 0.0, 255.0))
                               : std::trunc(toneref::blackMidWhite(i, 0, 127, 255, 256));
    EXPECT_NEAR(shifted[i].red, ref, 1.0) << i;
    EXPECT_EQ(shifted[i].red, shifted[i].blue);
  }
  EXPECT_GT(shifted[50].red, 60u);

  // At 65536 entries the neutral middle of the final curve is 128 * 256 = 32768: identity. 127
  // becomes 32512 and runs the step.
  ToneParam t = neutralToneParam();
  Tables16 neutral16(65536);
  MakeFinalToneCurve(neutral16.r.data(), neutral16.g.data(), neutral16.b.data(), 65536, t);
  EXPECT_EQ(neutral16.at(0, 32768), 32768);
  EXPECT_EQ(neutral16.at(2, 40000), 40000);
  t.middle[kToneMaster] = 127;
  Tables16 shifted16(65536);
  MakeFinalToneCurve(shifted16.r.data(), shifted16.g.data(), shifted16.b.data(), 65536, t);
  const double ref = toneref::blackMidWhite(32768, 0, 32512, 65535, 65536);
  EXPECT_NEAR(shifted16.at(0, 32768), std::trunc(ref), 1.0);
  EXPECT_GT(shifted16.at(0, 32768), 32768);
}

TEST(ToneCurve, ContrastAndBrightnessZeroFlattenAndShift) {
  for (std::uint32_t n : {256u, 65536u}) {
    ToneCurveParam p = neutralParam(n);
    p.contrast[kToneMaster] = 0;
    const auto flat = run(p);
    for (std::uint32_t i = 0; i < n; i += 17) ASSERT_EQ(flat[i].green, n / 2) << n << " " << i;

    p = neutralParam(n);
    p.brightness[kToneMaster] = 0;
    const auto dark = run(p);
    for (std::uint32_t i = 0; i < n; i += 13) {
      ASSERT_EQ(dark[i].red, i < n / 2 ? 0u : i - n / 2) << n << " " << i;
    }
  }
}

TEST(ToneCurve, ReverseOrderAndUntouchedOutput) {
  ToneCurveParam p = neutralParam(256);
  p.reverse = 1;
  const auto reversed = run(p);
  for (std::uint32_t i = 0; i < 256; ++i) ASSERT_EQ(reversed[i].blue, 255 - i);

  for (std::uint8_t reverse : {2, 255}) {
    p.reverse = reverse;
    int result = -2;
    const auto untouched = run(p, &result);
    EXPECT_EQ(result, 0);
    for (const auto& e : untouched) ASSERT_EQ(e.red + e.green + e.blue + e.master, 28u);
  }
}

TEST(ToneCurve, GrayPointsScaleEachColourByTheMean) {
  ToneCurveParam p = neutralParam(256);
  p.grayPoint[kToneRed] = 100;
  p.grayPoint[kToneGreen] = 150;
  p.grayPoint[kToneBlue] = 200;
  const auto out = run(p);
  for (std::uint32_t i = 0; i < 256; ++i) {
    ASSERT_EQ(out[i].red, std::min<std::uint32_t>(i * 3 / 2, 255)) << i;
    ASSERT_EQ(out[i].green, i);
    ASSERT_EQ(out[i].blue, i * 3 / 4) << i;
  }

  // A zero gray point against a non-zero mean saturates the channel after its first entry.
  p.grayPoint[kToneRed] = 0;
  const auto saturated = run(p);
  EXPECT_EQ(saturated[0].red, (0u + 150 + 200) / 3);
  EXPECT_EQ(saturated[1].red, 255u);
  EXPECT_EQ(saturated[200].red, 255u);
}

TEST(ToneCurve, StepsAgreeWithTheReference) {
  for (std::uint32_t n : {256u, 65536u}) {
    const double nd = n;
    std::vector<double> base(n);
    std::iota(base.begin(), base.end(), 0.0);
    const double tolerance = 1e-9 * nd;

    for (int c : {0, 1, 64, 127, 128, 129, 200, 255}) {
      auto t = base;
      MakeContrastCurve(t.data(), static_cast<std::uint8_t>(c), n);
      for (std::uint32_t i = 0; i < n; i += (n > 256 ? 97 : 1)) {
        ASSERT_NEAR(t[i], toneref::contrast(i, c, nd), tolerance) << "contrast " << c << " n " << n;
      }
    }
    for (int b : {0, 1, 50, 127, 128, 180, 255}) {
      auto t = base;
      MakeBrightnessCurve(t.data(), static_cast<std::uint8_t>(b), n);
      for (std::uint32_t i = 0; i < n; i += (n > 256 ? 89 : 1)) {
        ASSERT_NEAR(t[i], toneref::brightness(i, b, nd), tolerance) << "brightness " << b;
      }
    }
    for (int a : {0, 100, 128, 200, 255}) {
      auto t = base;
      MakeBalanceCurve(t.data(), static_cast<std::uint8_t>(a), n);
      for (std::uint32_t i = 0; i < n; i += (n > 256 ? 83 : 1)) {
        ASSERT_NEAR(t[i], toneref::balance(i, a, nd), tolerance) << "balance " << a;
      }
    }
    for (float g : {0.45f, 1.8f, 2.2f}) {
      auto t = base;
      MakeGammaCurve(t.data(), g, n, nullptr);
      for (std::uint32_t i = 0; i < n; i += (n > 256 ? 79 : 1)) {
        ASSERT_NEAR(t[i], toneref::gamma(i, g, nd), tolerance) << "gamma " << g;
      }
    }
    struct Levels {
      int black, middle, white;
    };
    for (Levels l : {Levels{10, 100, 240}, Levels{0, 60, 255}, Levels{30, 200, 220}}) {
      const int k = n > 256 ? 257 : 1;
      auto t = base;
      MakeBlackMidWhiteCurve(t.data(), l.black * k, l.middle * k, l.white * k, n, nullptr);
      for (std::uint32_t i = 0; i < n; i += (n > 256 ? 71 : 1)) {
        const double ref = toneref::blackMidWhite(i, l.black * k, l.middle * k, l.white * k, nd);
        ASSERT_NEAR(t[i], ref, tolerance) << l.black << " " << l.middle << " " << l.white;
      }
    }
  }
}

TEST(ToneCurve, FinalCurveAgreesWithTheReference) {
  // Every step at once, on both table sizes.
  ToneParam t = neutralToneParam();
  toneref::Settings s;
  const int gammaIndex[4] = {0, 1, 2, 3};
  const double gammas[4] = {2.2, 0.8, 1.0, 1.3};
  const int grays[4] = {128, 120, 128, 140};
  const int blacks[4] = {5, 10, 0, 0};
  const int middles[4] = {128, 120, 128, 110};
  const int whites[4] = {250, 240, 255, 255};
  const int brightness[4] = {140, 128, 100, 128};
  const int contrast[4] = {110, 150, 128, 128};
  for (int c : gammaIndex) {
    t.gamma[c] = gammas[c];
    t.grayPoint[c] = grays[c];
    t.shadow[c] = blacks[c];
    t.middle[c] = middles[c];
    t.hilight[c] = whites[c];
    t.brightness[c] = brightness[c];
    t.contrast[c] = contrast[c];
  }

  for (int n : {256, 65536}) {
    const bool wide = n > 256;
    for (int c : gammaIndex) {
      auto& ch = s.channel[c];
      ch.gamma = gammas[c];
      ch.gray = wide ? grays[c] * 257 : grays[c];
      ch.black = wide ? blacks[c] * 257 : blacks[c];
      ch.middle = wide ? middles[c] * 256 : middles[c];
      ch.white = wide ? whites[c] * 257 : whites[c];
      ch.brightness = brightness[c];
      ch.contrast = contrast[c];
    }
    Tables16 out(n);
    ASSERT_EQ(MakeFinalToneCurve(out.r.data(), out.g.data(), out.b.data(), n, t), 0);
    for (int i = 0; i < n; i += wide ? 61 : 1) {
      // Both sides of the user curves' index truncation, then the final truncation (±1).
      const auto below = toneref::curve(s, i, n, -1e-6);
      const auto above = toneref::curve(s, i, n, 1e-6);
      for (int c = 0; c < 3; ++c) {
        const double lo = std::trunc(std::min(below[c], above[c])) - 1;
        const double hi = std::trunc(std::max(below[c], above[c])) + 1;
        ASSERT_GE(out.at(c, i), lo) << "n " << n << " channel " << c << " input " << i;
        ASSERT_LE(out.at(c, i), hi) << "n " << n << " channel " << c << " input " << i;
      }
    }
  }
}

TEST(ToneCurve, UserCurvesPassThroughOwnColumnThenMaster) {
  ToneCurveParam p = neutralParam(256);
  auto user = identityCurve(256);
  for (std::uint32_t i = 0; i < 256; ++i) {
    user[i].red = 255 - i;       // inverted red
    user[i].green = i / 2;       // halved green
    user[i].master = i < 200 ? i : 200;  // master clips at 200
  }
  std::vector<ToneTableEntry> out(256);
  ASSERT_EQ(MakeToneCurve(&p, user.data(), out.data(), nullptr), 0);
  for (std::uint32_t i = 0; i < 256; ++i) {
    ASSERT_EQ(out[i].red, std::min(255 - i, 200u));
    ASSERT_EQ(out[i].green, i / 2);
    ASSERT_EQ(out[i].blue, std::min(i, 200u));
  }

  // Entries far past the table stay inside it: the last entry is used.
  for (auto& e : user) {
    e.red = 0xFFFFFFFFu;
    e.green = 300;
  }
  user[255].master = 77;
  ASSERT_EQ(MakeToneCurve(&p, user.data(), out.data(), nullptr), 0);
  EXPECT_EQ(out[10].red, 77u);
  EXPECT_EQ(out[10].green, 77u);

  // The final curve feeds 8-bit and 16-bit curves the same way.
  std::vector<std::uint8_t> master8(256), red8(256);
  for (int i = 0; i < 256; ++i) {
    master8[i] = static_cast<std::uint8_t>(255 - i);
    red8[i] = static_cast<std::uint8_t>(i / 4);
  }
  ToneParam t = neutralToneParam();
  t.masterCurve = master8.data();
  t.redCurve = red8.data();
  std::uint8_t r[256], g[256], b[256];
  FinalToneCurve(r, g, b, t);
  EXPECT_EQ(r[100], 255 - 25);
  EXPECT_EQ(g[100], 155);
  EXPECT_EQ(b[0], 255);

  std::vector<std::uint16_t> master16(65536);
  for (int i = 0; i < 65536; ++i) master16[i] = static_cast<std::uint16_t>(65535 - i);
  t = neutralToneParam();
  t.masterCurve = master16.data();
  Tables16 out16(65536);
  MakeFinalToneCurve(out16.r.data(), out16.g.data(), out16.b.data(), 65536, t);
  EXPECT_EQ(out16.at(0, 0), 65535);
  EXPECT_EQ(out16.at(1, 1000), 64535);
  EXPECT_EQ(out16.at(2, 65535), 0);
}

TEST(ToneCurve, DegenerateLevelsTakeTheNearestValidCurve) {
  struct Case {
    std::uint32_t black, middle, white;
    std::uint32_t validBlack, validMiddle, validWhite;
  };
  // White at black, middle at or below black, middle at or above white.
  const Case cases[] = {
      {100, 100, 100, 100, 100, 101}, {100, 50, 200, 100, 101, 200},
      {100, 100, 200, 100, 101, 200}, {100, 200, 200, 100, 199, 200},
      {100, 250, 200, 100, 199, 200}, {200, 100, 50, 200, 200, 201},
      {0, 0, 0, 0, 0, 1},             {255, 255, 255, 255, 255, 256},
  };
  for (const Case& c : cases) {
    std::vector<double> got(256), want(256);
    std::iota(got.begin(), got.end(), 0.0);
    want = got;
    MakeBlackMidWhiteCurve(got.data(), c.black, c.middle, c.white, 256, nullptr);
    MakeBlackMidWhiteCurve(want.data(), c.validBlack, c.validMiddle, c.validWhite, 256, nullptr);
    for (int i = 0; i < 256; ++i) {
      ASSERT_TRUE(std::isfinite(got[i])) << c.black << " " << c.middle << " " << c.white;
      ASSERT_GE(got[i], 0.0);
      ASSERT_LE(got[i], 255.0);
      ASSERT_EQ(got[i], want[i]) << c.black << " " << c.middle << " " << c.white << " at " << i;
    }
  }

  // A step with nothing between black and white: 0 up to black, full above.
  std::uint8_t table[256];
  CurveFromBlackMiddleWhiteMaster(table, 100, 100, 100);
  EXPECT_EQ(table[100], 0);
  EXPECT_EQ(table[101], 255);
}

TEST(ToneCurve, GammaWithoutACurveLeavesTheTableAlone) {
  // Zero, negative or NaN gammas have no power curve; the values stay finite and unchanged.
  // The curve pointers are left missing, which reads as identity curves.
  for (double gamma : {0.0, -1.0, std::nan("")}) {
    ToneParam t = neutralToneParam();
    t.gamma[kToneMaster] = gamma;
    t.gamma[kToneGreen] = gamma;
    std::uint8_t r[256], g[256], b[256];
    FinalToneCurve(r, g, b, t);
    for (int i = 0; i < 256; ++i) {
      ASSERT_EQ(r[i], i) << gamma;
      ASSERT_EQ(g[i], i) << gamma;
    }
  }
}

TEST(ToneCurve, RefusesWhatTheTablesCannotHold) {
  const auto user = identityCurve(65536);
  std::vector<ToneTableEntry> out(65536, ToneTableEntry{7, 7, 7, 7});
  for (std::uint32_t n : {0u, 1u, 2u, 255u, 257u, 65535u, 65537u, 70000u}) {
    ToneCurveParam p = neutralParam(n);
    EXPECT_EQ(MakeToneCurve(&p, user.data(), out.data(), nullptr), -1) << n;
  }
  ToneCurveParam p = neutralParam(256);
  EXPECT_EQ(MakeToneCurve(nullptr, user.data(), out.data(), nullptr), -1);
  EXPECT_EQ(MakeToneCurve(&p, nullptr, out.data(), nullptr), -1);
  EXPECT_EQ(MakeToneCurve(&p, user.data(), nullptr, nullptr), -1);
  KunekuneData list{};
  for (int count : {-1, 0, 1, 16, 1000}) {
    list.count = count;
    EXPECT_EQ(MakeToneCurve(&p, user.data(), out.data(), &list), -1) << count;
  }
  for (const auto& e : out) ASSERT_EQ(e.red, 7u);

  // The final curve writes nothing for a refused size or a missing table.
  Tables16 t(512);
  EXPECT_EQ(MakeFinalToneCurve(t.r.data(), t.g.data(), t.b.data(), 512, neutralToneParam()), -1);
  EXPECT_EQ(MakeFinalToneCurve(t.r.data(), nullptr, t.b.data(), 256, neutralToneParam()), -1);
  for (int i = 0; i < 512; ++i) ASSERT_EQ(t.r[i], -7);
}

TEST(ToneCurve, GammaTableErrorsInOrder) {
  struct Case {
    int range, count, tableSize;
    std::vector<std::int32_t> points;
    int expected;
  };
  const Case cases[] = {
      {1, 2, 256, {}, 16},                             // range first, points not looked at
      {0, 0, 0, {}, 16},
      {256, 1, 256, {0, 0}, 48},
      {256, 16, 256, {}, 48},                          // more points than the list holds
      {256, 2, 1, {0, 0, 255, 255}, 64},
      {256, 2, 256, {100, 0, 100, 255}, 34},           // equal x
      {256, 2, 256, {200, 0, 100, 255}, 34},
      {256, 2, 256, {-1, 0, 100, 255}, 32},
      {256, 2, 256, {0, 0, 256, 255}, 32},
      {256, 2, 256, {0, -1, 100, 255}, 33},
      {256, 2, 256, {0, 0, 100, 256}, 33},
      {256, 3, 256, {0, 0, 256, 10, 300, 20}, 32},
      {256, 3, 256, {0, 0, 100, 300, 200, 20}, 33},
      {256, 3, 256, {0, 0, 100, 10, 100, 20}, 34},
      {256, 3, 256, {0, 0, 0, 10, 100, 20}, 34},
      {256, 3, 256, {300, 0, 100, 10, 200, 20}, 32},   // the first point is checked too
      {256, 3, 256, {150, 0, 100, 10, 200, 20}, 34},
      {256, 3, 256, {0, -5, 100, 10, 200, 20}, 33},
  };
  for (const Case& c : cases) {
    std::vector<std::uint32_t> table(std::max(c.tableSize, 1), 9);
    const int result = Calc_Tone_Table_Gamma(c.range, static_cast<std::uint8_t>(c.count),
                                             c.points.empty() ? nullptr : c.points.data(),
                                             c.tableSize, table.data());
    EXPECT_EQ(result, c.expected) << c.range << " " << c.count;
    for (auto v : table) ASSERT_EQ(v, 9u);
  }
}

TEST(ToneCurve, GammaTableFillsLinesAndSplines) {
  // Two points: flat, straight line, flat; scaled to a table twice the range.
  const std::int32_t line[] = {64, 16, 192, 240};
  std::vector<std::uint32_t> table(512);
  ASSERT_EQ(Calc_Tone_Table_Gamma(256, 2, line, 512, table.data()), 0);
  const std::int64_t sx0 = 64 * 511 / 255, sy0 = 16 * 511 / 255;
  const std::int64_t sx1 = 192 * 511 / 255, sy1 = 240 * 511 / 255;
  for (int i = 0; i < 512; ++i) {
    double want = i < sx0 ? sy0 : i >= sx1 ? sy1 : sy0 + double(i - sx0) * (sy1 - sy0) / (sx1 - sx0);
    ASSERT_NEAR(table[i], std::trunc(want), i >= sx0 && i < sx1 ? 1 : 0) << i;
  }

  // Four points: flat to the first, the natural spline, flat after the last.
  const std::int32_t points[] = {20, 10, 90, 150, 160, 120, 230, 250};
  std::vector<std::uint32_t> spline(256, 9);
  ASSERT_EQ(Calc_Tone_Table_Gamma(256, 4, points, 256, spline.data()), 0);
  const toneref::Spline ref({20, 90, 160, 230}, {10, 150, 120, 250});
  for (int i = 0; i < 256; ++i) {
    double want = i <= 20 ? 10 : i >= 230 ? 250 : std::clamp(ref(i), 0.0, 255.0);
    ASSERT_NEAR(spline[i], std::trunc(want), 1) << i;
  }
  EXPECT_EQ(spline[255], spline[230]);
}

TEST(ToneCurve, PointListSetsTheDarkEndOfGamma) {
  // Default list: the plain power curve everywhere.
  KunekuneData* list = TranslateWDParam(nullptr);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->count, 2);

  // A list of three points: below the second point's x the dark end is the spline through the
  // working points, above it the power curve.
  const std::int32_t raw[] = {3, 0, 0, 0, 8192, 4096, 65535, 65535};
  list = TranslateWDParam(raw);
  ASSERT_EQ(list->count, 3);
  EXPECT_EQ(list->x[1], 8192);
  EXPECT_EQ(list->y[2], 65535);

  const float gamma = 2.2f;
  ToneCurveParam p = neutralParam(65536);
  p.gamma[kToneMaster] = gamma;
  const auto user = identityCurve(65536);
  std::vector<ToneTableEntry> out(65536);
  ASSERT_EQ(MakeToneCurve(&p, user.data(), out.data(), list), 0);

  const double dark = 2.2222 / gamma;
  const double p1 = 1.0 / gamma;
  const double y2 = std::trunc(std::pow(65535 / 65536.0, dark) * 65536);
  const double y1 = std::trunc(std::pow(8192 / 65536.0, p1) * 65536);
  const toneref::Spline ref({0, 8192, 65535}, {0, y1, y2});
  for (int i : {0, 1, 100, 2000, 4096, 8191}) {
    EXPECT_NEAR(out[i].red, std::trunc(std::clamp(ref(i), 0.0, 65535.0)), 1) << i;
  }
  for (int i : {8192, 20000, 65535}) {
    EXPECT_NEAR(out[i].red, std::trunc(toneref::gamma(i, gamma, 65536)), 1) << i;
  }

  // Lists the static storage cannot hold are refused: the default comes back.
  std::vector<std::int32_t> tooLong(2 * 17, 0);
  tooLong[0] = 16;
  EXPECT_EQ(TranslateWDParam(tooLong.data())->count, 2);
  const std::int32_t tooShort[] = {1, 0, 5, 5};
  EXPECT_EQ(TranslateWDParam(tooShort)->count, 2);

  // The final curve resets the list, so a direct caller's list does not leak into it.
  TranslateWDParam(raw);
  ToneParam t = neutralToneParam();
  t.gamma[kToneMaster] = gamma;
  Tables16 final16(65536);
  MakeFinalToneCurve(final16.r.data(), final16.g.data(), final16.b.data(), 65536, t);
  EXPECT_EQ(TranslateWDParam(nullptr)->count, 2);
  EXPECT_NEAR(final16.at(0, 100), std::trunc(toneref::gamma(100, gamma, 65536)), 1);
}

TEST(ToneCurve, RefusedPointListLeavesThePowerCurve) {
  // First a list that fills the dark end, so the static storage holds something of its own.
  const float gamma = 2.0f;
  KunekuneData good{};
  good.count = 3;
  const std::int32_t goodX[] = {0, 1000, 65535};
  const std::int32_t goodY[] = {0, 0, 65535};
  std::copy(goodX, goodX + 3, good.x);
  std::copy(goodY, goodY + 3, good.y);
  std::vector<double> table(65536);
  std::iota(table.begin(), table.end(), 0.0);
  MakeGammaCurve(table.data(), gamma, 65536, &good);

  // Then one whose x values go back, which the interpolator refuses: no part of the curve may
  // come from what the earlier list left behind.
  KunekuneData bad = good;
  bad.x[2] = 500;
  std::iota(table.begin(), table.end(), 0.0);
  MakeGammaCurve(table.data(), gamma, 65536, &bad);
  for (int i : {0, 1, 100, 500, 999, 1000, 30000, 65535}) {
    EXPECT_NEAR(table[i], toneref::gamma(i, gamma, 65536), 1e-6) << i;
  }
}

TEST(ToneCurve, DialogCurvesMatchTheReference) {
  struct Case {
    int brightness, contrast;
    double gamma;
  };
  for (Case c : {Case{128, 128, 1.0}, Case{60, 128, 1.0}, Case{200, 90, 1.0},
                 Case{100, 180, 1.0}, Case{128, 128, 2.2}, Case{150, 140, 0.7}}) {
    std::uint8_t table[256];
    CurveFromBCG(table, c.brightness, c.contrast, c.gamma);
    toneref::Settings s;
    s.channel[0].brightness = c.brightness;
    s.channel[0].contrast = c.contrast;
    s.channel[0].gamma = c.gamma;
    for (int i = 0; i < 256; ++i) {
      const double ref = toneref::curve(s, i, 256)[0];
      ASSERT_NEAR(table[i], std::trunc(ref), 1) << c.brightness << " " << c.contrast << " " << i;
    }
  }

  std::uint8_t master[256];
  CurveFromBlackMiddleWhiteMaster(master, 20, 100, 230);
  std::uint8_t r[256], g[256], b[256];
  CurveFromBlackMiddleWhite(r, g, b, 20, 100, 230, ChannelValues{128, 100, 150, 200});
  for (int i = 0; i < 256; ++i) {
    const double ref = toneref::blackMidWhite(i, 20, 100, 230, 256);
    ASSERT_NEAR(master[i], std::trunc(ref), 1) << i;
    const double redIn = std::min(i * 150.0 / 100, 255.0);
    const double blueIn = i * 150.0 / 200;
    ASSERT_NEAR(r[i], std::trunc(toneref::blackMidWhite(redIn, 20, 100, 230, 256)), 1) << i;
    ASSERT_EQ(g[i], master[i]);
    ASSERT_NEAR(b[i], std::trunc(toneref::blackMidWhite(blueIn, 20, 100, 230, 256)), 1) << i;
  }
}
