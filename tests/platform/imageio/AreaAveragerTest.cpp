#include "imageio/AreaAverager.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

using imageio::AreaAverager;

namespace {

// The mean of every source pixel that falls into each small pixel, computed the
// slow way.
std::vector<std::uint8_t> reference(const std::vector<std::uint8_t> &src,
                                    std::size_t sw, std::size_t sh,
                                    std::size_t tw, std::size_t th, int comps) {
  std::vector<std::uint64_t> sums(tw * th * std::size_t(comps), 0),
      counts(tw * th, 0);
  for (std::size_t ty = 0; ty < th; ++ty)
    for (std::size_t y = ty * sh / th; y < (ty + 1) * sh / th; ++y)
      for (std::size_t x = 0; x < sw; ++x) {
        const std::size_t t = ty * tw + x * tw / sw;
        ++counts[t];
        for (int c = 0; c < comps; ++c)
          sums[t * std::size_t(comps) + std::size_t(c)] +=
              src[(y * sw + x) * std::size_t(comps) + std::size_t(c)];
      }
  std::vector<std::uint8_t> out(sums.size());
  for (std::size_t i = 0; i < out.size(); ++i) {
    const std::uint64_t n = counts[i / std::size_t(comps)];
    out[i] = std::uint8_t((sums[i] + n / 2) / n);
  }
  return out;
}

} // namespace

TEST(AreaAverager, matchesTheMeanOfEachSmallPixelsSourcePixels) {
  struct Case {
    std::size_t sw, sh, tw, th;
    int comps;
  } cases[] = {
      {300, 200, 160, 107, 3}, // uneven runs of 1 and 2 columns
      {17, 5, 17, 5, 1},       // no reduction
      {640, 9, 3, 1, 3},       // one band of every row
      {5, 700, 1, 2, 3},       // bands taller than 257 rows: wide sums
      {1001, 333, 160, 53, 1},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(testing::Message()
                 << c.sw << "x" << c.sh << " -> " << c.tw << "x" << c.th);
    std::vector<std::uint8_t> src(c.sw * c.sh * std::size_t(c.comps));
    std::uint32_t seed = 7;
    for (auto &v : src) {
      seed = seed * 1103515245u + 12345u;
      v = std::uint8_t(seed >> 24);
    }
    // Extremes too: an all-white stretch must stay 255 whatever the sum width.
    for (std::size_t i = 0; i < src.size() / 3; ++i)
      src[i] = 255;
    AreaAverager averager(c.sw, c.sh, c.tw, c.th, c.comps);
    for (std::size_t y = 0; y < c.sh; ++y) {
      EXPECT_FALSE(averager.complete());
      averager.addRow(src.data() + y * c.sw * std::size_t(c.comps));
    }
    ASSERT_TRUE(averager.complete());
    EXPECT_EQ(averager.width(), c.tw);
    EXPECT_EQ(averager.height(), c.th);
    EXPECT_EQ(averager.pixels(),
              reference(src, c.sw, c.sh, c.tw, c.th, c.comps));
  }
}

TEST(AreaAverager, fitSizeKeepsTheLongerSideWithinTheMaximum) {
  struct Case {
    std::size_t w, h, max, tw, th;
  } cases[] = {{8660, 5800, 160, 160, 107}, {5800, 8660, 160, 107, 160},
               {100, 50, 160, 100, 50},     {10000, 1, 160, 160, 1},
               {300, 300, 160, 160, 160},   {300, 200, 0, 300, 200}};
  for (const Case &c : cases) {
    std::size_t tw = 0, th = 0;
    AreaAverager::fitSize(c.w, c.h, c.max, &tw, &th);
    EXPECT_EQ(tw, c.tw) << c.w << "x" << c.h;
    EXPECT_EQ(th, c.th) << c.w << "x" << c.h;
  }
}
