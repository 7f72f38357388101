#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <thread>
#include <vector>

#include "ui/model/HistogramCounter.h"

namespace histogram_counter_test {

using Tables = std::array<std::array<std::int32_t, 256>, 3>;

// Pixels with few levels (many equal neighbours), or every level when levels is 256.
std::vector<std::uint8_t> picture(std::int64_t pixels, unsigned levels, std::uint32_t seed) {
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(std::max<std::int64_t>(pixels, 1)) * 3);
  std::uint32_t state = seed;
  for (auto& v : bytes) {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    v = static_cast<std::uint8_t>(state % levels);
  }
  return bytes;
}

Tables plainCount(const std::vector<std::uint8_t>& bytes, std::int64_t pixels) {
  Tables t{};
  for (std::int64_t p = 0; p < pixels; ++p)
    for (int k = 0; k < 3; ++k) ++t[static_cast<std::size_t>(k)][bytes[static_cast<std::size_t>(p * 3 + k)]];
  return t;
}

Tables counted(const std::uint8_t* bytes, std::int64_t pixels, int threads, std::int64_t piece) {
  Tables t;
  for (auto& c : t) c.fill(99);  // cleared first
  if (threads == 0)
    Quirel_HistogramCounter::count(bytes, pixels, t[0].data(), t[1].data(), t[2].data());
  else
    Quirel_HistogramCounter::countWith(bytes, pixels, t[0].data(), t[1].data(), t[2].data(), threads, piece);
  return t;
}

// Split between threads or not, in pieces that end on every remainder of the four-pixel step,
// the counts are those of a plain count; nothing is counted without pixels or with no pixel.
TEST(HistogramCounter, SplitCountsEqualAPlainCount) {
  struct Case {
    std::int64_t pixels;
    int threads;  // 0: the default count
    std::int64_t piece;
    unsigned levels;
  };
  const Case cases[] = {
      {1, 4, 1, 7},
      {13, 4, 3, 7},
      {1000, 4, 7, 256},
      {4097, 2, 1024, 5},
      {4097, 4, 4097, 256},
      {65, 8, 2, 3},
      {5, 1, 1, 256},
      {Quirel_HistogramCounter::kSharedFrom + 5, 0, 0, 256},
      {Quirel_HistogramCounter::kSharedFrom - 1, 0, 0, 2},
      {3 * Quirel_HistogramCounter::kPiecePixels + 7, 0, 0, 11},
  };
  std::uint32_t seed = 2463534242u;
  for (const Case& c : cases) {
    const auto bytes = picture(c.pixels, c.levels, seed++);
    const Tables expected = plainCount(bytes, c.pixels);
    EXPECT_EQ(counted(bytes.data(), c.pixels, c.threads, c.piece), expected)
        << c.pixels << " pixels, " << c.threads << " threads, pieces of " << c.piece;
  }
  const Tables none{};
  const auto bytes = picture(64, 7, 1);
  EXPECT_EQ(counted(nullptr, 64, 4, 8), none);
  EXPECT_EQ(counted(bytes.data(), 0, 4, 8), none);
  EXPECT_EQ(counted(bytes.data(), -3, 0, 0), none);
}

// Several threads counting different pictures at once, each sharing its picture: one of them
// has the helpers, the others count alone, and every count is exact.
TEST(HistogramCounter, CountsFromSeveralThreadsAtOnceStayExact) {
  constexpr int kCallers = 4;
  constexpr std::int64_t kPixels = 20000;
  std::vector<std::vector<std::uint8_t>> pictures;
  std::vector<Tables> expected;
  for (int i = 0; i < kCallers; ++i) {
    pictures.push_back(picture(kPixels + i, i % 2 ? 256 : 9, 77u + static_cast<std::uint32_t>(i)));
    expected.push_back(plainCount(pictures.back(), kPixels + i));
  }
  std::vector<int> wrong(kCallers, 0);
  std::vector<std::thread> callers;
  for (int i = 0; i < kCallers; ++i)
    callers.emplace_back([&, i] {
      for (int round = 0; round < 20; ++round)
        if (counted(pictures[static_cast<std::size_t>(i)].data(), kPixels + i, 4, 333) !=
            expected[static_cast<std::size_t>(i)])
          ++wrong[static_cast<std::size_t>(i)];
    });
  for (std::thread& t : callers) t.join();
  for (int i = 0; i < kCallers; ++i) EXPECT_EQ(wrong[static_cast<std::size_t>(i)], 0) << "caller " << i;
}

// Many small shared counts back to back: helpers that wake late for one picture find it gone or
// help with the next one, and never add to a picture that is already handed back.
TEST(HistogramCounter, BackToBackSharedCountsStayExact) {
  const std::vector<std::uint8_t> bytes[2] = {picture(96, 5, 11), picture(97, 256, 12)};
  const Tables expected[2] = {plainCount(bytes[0], 96), plainCount(bytes[1], 97)};
  int wrong = 0;
  for (int round = 0; round < 300; ++round) {
    const int which = round % 2;
    if (counted(bytes[which].data(), 96 + which, Quirel_HistogramCounter::kMaxThreads, 2) != expected[which])
      ++wrong;
  }
  EXPECT_EQ(wrong, 0);
}

}  // namespace histogram_counter_test
