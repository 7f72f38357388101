#pragma once

#include <cstdint>

// Counts the levels of RGB pictures (three bytes a pixel) into three tables of 256, exactly:
// every pixel once in each channel. The histogram graphs recount the preview at every change the
// user waits for, so a large picture is split into pieces counted on several threads at once,
// the calling thread among them (no more threads than cores); a small one is counted on the
// calling thread only. The helper threads are started at the first large count and kept for the
// life of the program. Any thread may count; when another count is using the helpers, the
// caller counts alone.
class Quirel_HistogramCounter {
 public:
  Quirel_HistogramCounter() = delete;

  // Pictures from this many pixels on are shared with the helper threads.
  static constexpr std::int64_t kSharedFrom = std::int64_t{1} << 18;
  // Pixels in one piece handed to a thread.
  static constexpr std::int64_t kPiecePixels = std::int64_t{1} << 16;
  // Threads counting one picture at most, the caller included.
  static constexpr int kMaxThreads = 6;

  // Clears red, green and blue, then counts `pixelCount` pixels; nothing is counted without
  // pixels or with a count of zero or less.
  static void count(const std::uint8_t* pixels, std::int64_t pixelCount, std::int32_t* red, std::int32_t* green,
                    std::int32_t* blue);
  // As count, split into pieces of `piecePixels` shared by at most `threads` threads whatever
  // the picture's size (tests reach the shared path with small pictures this way).
  static void countWith(const std::uint8_t* pixels, std::int64_t pixelCount, std::int32_t* red, std::int32_t* green,
                        std::int32_t* blue, int threads, std::int64_t piecePixels);
};
