#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

namespace velmor {

// Resamples an image to another size row by row: a separable triangle filter, as wide as one
// input pixel when enlarging (linear interpolation) and as wide as one output pixel when reducing
// (every input pixel counts, so fine detail averages instead of aliasing). Edges repeat the last
// pixel. Holds only the few input rows the filter spans, whatever the image's height.
class RowScaler {
 public:
  // Fills `row` with input row `index` (rows are asked for in order, each once); false ends the
  // image with an error.
  using Source = std::function<bool(int index, std::uint8_t* row)>;

  // Samples per pixel 1 or 3, 8 or 16 bits each (host order).
  RowScaler(int inWidth, int inHeight, int outWidth, int outHeight, int samples, int bitsPerSample, Source source);

  // Writes output row `row` (asked for in order). False when the source failed.
  bool produceRow(int row, std::uint8_t* out);

 private:
  struct Taps {
    int first = 0;
    std::vector<float> weights;  // for input first, first + 1, ... (indices clamped to the image)
  };
  static std::vector<Taps> tapsFor(int in, int out);
  bool ensureRows(int last);

  int inWidth_, inHeight_, outWidth_, samples_, bits_;
  Source source_;
  std::vector<Taps> columns_, rows_;
  std::vector<std::uint8_t> inputRow_;
  // Horizontally resampled input rows, from windowFirst_ on.
  std::deque<std::vector<float>> window_;
  int windowFirst_ = 0;
  int nextInput_ = 0;
};

}  // namespace velmor
