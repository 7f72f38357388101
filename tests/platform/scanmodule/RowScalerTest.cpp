// The stage's resampler: sizes, flat and sloping images kept as they are, rows asked for once
// and in order, a window of rows independent of the height.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "scanmodule/RowScaler.h"

using velmor::RowScaler;

namespace {

struct Scaled {
  std::vector<std::uint8_t> pixels;
  std::vector<int> asked;
};

// An 8-bit grey image of `in` pixels whose value at (x, y) is f(x, y), scaled to `out`.
template <typename F>
Scaled scale(int inW, int inH, int outW, int outH, F f) {
  Scaled run;
  RowScaler scaler(inW, inH, outW, outH, 1, 8, [&](int index, std::uint8_t* row) {
    run.asked.push_back(index);
    for (int x = 0; x < inW; ++x) row[x] = static_cast<std::uint8_t>(f(x, index));
    return true;
  });
  run.pixels.resize(std::size_t(outW) * std::size_t(outH));
  for (int y = 0; y < outH; ++y) EXPECT_TRUE(scaler.produceRow(y, run.pixels.data() + std::size_t(y) * std::size_t(outW)));
  return run;
}

}  // namespace

TEST(RowScaler, AFlatImageStaysFlatAtAnySize) {
  struct Case {
    int inW, inH, outW, outH;
  } cases[] = {{100, 80, 50, 40}, {100, 80, 33, 17}, {40, 30, 100, 75}, {7, 5, 1, 1}, {1, 1, 9, 4}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.inW << "x" << c.inH << " to " << c.outW << "x" << c.outH);
    const Scaled run = scale(c.inW, c.inH, c.outW, c.outH, [](int, int) { return 173; });
    for (std::uint8_t v : run.pixels) ASSERT_EQ(v, 173);
    // Every input row once, in order.
    ASSERT_EQ(run.asked.size(), std::size_t(c.inH));
    for (int i = 0; i < c.inH; ++i) ASSERT_EQ(run.asked[std::size_t(i)], i);
  }
}

// A linear ramp comes out as the same ramp sampled at the output pixels' centres (away from the
// edges, which repeat the last pixel), halving or doubling.
TEST(RowScaler, ASlopeIsSampledAtTheOutputPixelsCentres) {
  const Scaled half = scale(200, 10, 100, 5, [](int x, int) { return x; });
  for (int x = 2; x < 98; ++x) EXPECT_NEAR(half.pixels[std::size_t(2 * 100 + x)], 2 * x + 0.5, 0.51) << x;
  const Scaled twice = scale(100, 10, 200, 20, [](int x, int) { return 2 * x; });
  for (int x = 2; x < 198; ++x) EXPECT_NEAR(twice.pixels[std::size_t(7 * 200 + x)], 2 * ((x + 0.5) / 2 - 0.5), 0.51) << x;
}

// Reducing averages fine detail instead of picking every other pixel: a one-pixel checkerboard
// becomes its mean grey.
TEST(RowScaler, ReducingAveragesFineDetail) {
  const Scaled run = scale(64, 64, 32, 32, [](int x, int y) { return (x + y) % 2 ? 200 : 0; });
  for (int y = 1; y < 31; ++y)
    for (int x = 1; x < 31; ++x) EXPECT_NEAR(run.pixels[std::size_t(y * 32 + x)], 100, 1) << x << ", " << y;
}

TEST(RowScaler, SixteenBitColourKeepsItsSamples) {
  const int inW = 30, inH = 20, outW = 15, outH = 10;
  RowScaler scaler(inW, inH, outW, outH, 3, 16, [&](int, std::uint8_t* row) {
    for (int x = 0; x < inW; ++x) {
      const std::uint16_t v[3] = {1000, 40000, 65535};
      std::memcpy(row + 6 * x, v, 6);
    }
    return true;
  });
  std::vector<std::uint8_t> out(std::size_t(outW) * 6);
  for (int y = 0; y < outH; ++y) {
    ASSERT_TRUE(scaler.produceRow(y, out.data()));
    for (int x = 0; x < outW; ++x) {
      std::uint16_t v[3];
      std::memcpy(v, out.data() + 6 * x, 6);
      ASSERT_EQ(v[0], 1000);
      ASSERT_EQ(v[1], 40000);
      ASSERT_EQ(v[2], 65535);
    }
  }
}

TEST(RowScaler, ASourceThatFailsEndsTheImage) {
  RowScaler scaler(10, 10, 5, 5, 1, 8, [](int index, std::uint8_t* row) {
    std::memset(row, 0, 10);
    return index < 4;
  });
  std::uint8_t out[5];
  EXPECT_TRUE(scaler.produceRow(0, out));
  bool failed = false;
  for (int y = 1; y < 5 && !failed; ++y) failed = !scaler.produceRow(y, out);
  EXPECT_TRUE(failed);
}
