#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace imageio {

// Reduces an image fed row by row, from the top, to a small one by averaging the source
// pixels that fall into each small pixel (source column x goes to column x * tw / sw; small
// row t takes the source rows from t * sh / th up to (t + 1) * sh / th; the mean is rounded
// to nearest). Holds one row of column sums, never the image,
// so it can watch rows go by on their way to an encoder at little cost.
class AreaAverager {
 public:
  // The size of a thumbnail whose longer side is at most maxSize (the image's own size when
  // it is already that small, or when maxSize is 0).
  static void fitSize(std::size_t width, std::size_t height, std::size_t maxSize, std::size_t* tw, std::size_t* th);

  // components 8-bit samples per pixel; every size at least 1 and the target no larger than
  // the source. Throws std::bad_alloc when the sums cannot be held.
  AreaAverager(std::size_t sourceWidth, std::size_t sourceHeight, std::size_t targetWidth, std::size_t targetHeight,
               int components);

  // The next source row: sourceWidth x components samples. Rows past the last are ignored.
  void addRow(const std::uint8_t* row);
  // Every source row has been added.
  bool complete() const { return row_ == sh_; }
  std::size_t rowsAdded() const { return row_; }
  std::size_t width() const { return tw_; }
  std::size_t height() const { return th_; }
  // The reduced pixels, targetWidth x components bytes a row; whole once complete().
  const std::vector<std::uint8_t>& pixels() const { return out_; }
  std::vector<std::uint8_t> takePixels() { return std::move(out_); }

 private:
  void finishBand();

  std::size_t sw_, sh_, tw_, th_;
  std::size_t comps_;
  std::size_t row_ = 0;
  std::size_t band_ = 0;      // target row being summed
  std::size_t bandEnd_ = 0;   // first source row of the next band
  std::size_t bandRows_ = 0;  // source rows summed into the current band
  bool narrow_;               // a band's column sums fit 16 bits
  std::vector<std::uint16_t> sums16_;
  std::vector<std::uint32_t> sums32_;
  std::vector<std::uint32_t> firstColumn_;  // first source column of each target column, plus sw
  std::vector<std::uint8_t> out_;
};

}  // namespace imageio
