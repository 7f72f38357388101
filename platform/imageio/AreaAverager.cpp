#include "imageio/AreaAverager.h"

#include <algorithm>
#include <cmath>

namespace imageio {

namespace {

// Vertical sums first: one add per sample, in order, which the compiler turns into wide adds;
// the columns of a band are folded together only once per band.
template <class Sum>
void addSamples(Sum* sums, const std::uint8_t* row, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i) sums[i] = Sum(sums[i] + row[i]);
}

template <class Sum>
void foldBand(const Sum* sums, const std::vector<std::uint32_t>& firstColumn, std::size_t tw, std::size_t comps,
              std::uint64_t rows, std::uint8_t* out) {
  for (std::size_t tx = 0; tx < tw; ++tx) {
    const std::size_t x0 = firstColumn[tx], x1 = firstColumn[tx + 1];
    const std::uint64_t n = std::uint64_t(x1 - x0) * rows;
    for (std::size_t c = 0; c < comps; ++c) {
      std::uint64_t total = 0;
      for (std::size_t x = x0; x < x1; ++x) total += sums[x * comps + c];
      out[tx * comps + c] = std::uint8_t((total + n / 2) / n);
    }
  }
}

}  // namespace

void AreaAverager::fitSize(std::size_t width, std::size_t height, std::size_t maxSize, std::size_t* tw,
                           std::size_t* th) {
  *tw = width;
  *th = height;
  if (maxSize == 0 || std::max(width, height) <= maxSize) return;
  const double m = double(maxSize);
  if (width >= height) {
    *tw = maxSize;
    *th = std::clamp<std::size_t>(std::size_t(std::lround(double(height) * m / double(width))), 1, *tw);
  } else {
    *th = maxSize;
    *tw = std::clamp<std::size_t>(std::size_t(std::lround(double(width) * m / double(height))), 1, *th);
  }
}

AreaAverager::AreaAverager(std::size_t sourceWidth, std::size_t sourceHeight, std::size_t targetWidth,
                           std::size_t targetHeight, int components)
    : sw_(std::max<std::size_t>(sourceWidth, 1)),
      sh_(std::max<std::size_t>(sourceHeight, 1)),
      tw_(std::clamp<std::size_t>(targetWidth, 1, sw_)),
      th_(std::clamp<std::size_t>(targetHeight, 1, sh_)),
      comps_(std::size_t(std::max(components, 1))) {
  // The tallest band has ceil(sh / th) rows; 257 rows of 255 still fit 16 bits.
  narrow_ = (sh_ + th_ - 1) / th_ <= 257;
  if (narrow_) {
    sums16_.assign(sw_ * comps_, 0);
  } else {
    sums32_.assign(sw_ * comps_, 0);
  }
  // Source column x belongs to target column x * tw / sw: each target column is a run.
  firstColumn_.assign(tw_ + 1, std::uint32_t(sw_));
  for (std::size_t x = sw_; x-- > 0;) firstColumn_[x * tw_ / sw_] = std::uint32_t(x);
  out_.assign(tw_ * th_ * comps_, 0);
  bandEnd_ = sh_ / th_;  // (0 + 1) * sh / th
}

void AreaAverager::addRow(const std::uint8_t* row) {
  if (row_ >= sh_) return;
  // A band may hold no rows (never when th <= sh); skip to the one this row belongs to.
  while (row_ >= bandEnd_) finishBand();
  if (narrow_) {
    addSamples(sums16_.data(), row, sw_ * comps_);
  } else {
    addSamples(sums32_.data(), row, sw_ * comps_);
  }
  ++bandRows_;
  ++row_;
  if (row_ == sh_) {
    while (band_ < th_) finishBand();
  }
}

void AreaAverager::finishBand() {
  if (band_ >= th_) return;
  std::uint8_t* out = out_.data() + band_ * tw_ * comps_;
  if (bandRows_ > 0) {
    if (narrow_) {
      foldBand(sums16_.data(), firstColumn_, tw_, comps_, bandRows_, out);
      std::fill(sums16_.begin(), sums16_.end(), 0);
    } else {
      foldBand(sums32_.data(), firstColumn_, tw_, comps_, bandRows_, out);
      std::fill(sums32_.begin(), sums32_.end(), 0);
    }
  }
  bandRows_ = 0;
  ++band_;
  bandEnd_ = (band_ + 1) * sh_ / th_;
}

}  // namespace imageio
