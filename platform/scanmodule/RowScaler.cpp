#include "scanmodule/RowScaler.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace velmor {

RowScaler::RowScaler(int inWidth, int inHeight, int outWidth, int outHeight, int samples, int bitsPerSample,
                     Source source)
    : inWidth_(std::max(1, inWidth)),
      inHeight_(std::max(1, inHeight)),
      outWidth_(std::max(1, outWidth)),
      samples_(samples),
      bits_(bitsPerSample),
      source_(std::move(source)),
      columns_(tapsFor(inWidth_, outWidth_)),
      rows_(tapsFor(inHeight_, std::max(1, outHeight))) {
  inputRow_.resize(static_cast<std::size_t>(inWidth_) * static_cast<std::size_t>(samples_) * (bits_ == 16 ? 2 : 1));
}

std::vector<RowScaler::Taps> RowScaler::tapsFor(int in, int out) {
  std::vector<Taps> taps(static_cast<std::size_t>(out));
  const double ratio = double(in) / double(out);
  const double radius = std::max(1.0, ratio);
  for (int o = 0; o < out; ++o) {
    const double centre = (o + 0.5) * ratio - 0.5;
    const int first = static_cast<int>(std::floor(centre - radius)) + 1;
    const int last = static_cast<int>(std::ceil(centre + radius)) - 1;
    Taps& t = taps[static_cast<std::size_t>(o)];
    t.first = first;
    double sum = 0;
    for (int i = first; i <= last; ++i) {
      const double w = std::max(0.0, 1.0 - std::abs(i - centre) / radius);
      t.weights.push_back(static_cast<float>(w));
      sum += w;
    }
    if (sum <= 0) {  // cannot happen with radius >= 1, but never divide by zero
      t.weights.assign(1, 1.0f);
      t.first = std::clamp(static_cast<int>(std::lround(centre)), 0, in - 1);
      continue;
    }
    for (float& w : t.weights) w = static_cast<float>(w / sum);
  }
  return taps;
}

bool RowScaler::ensureRows(int last) {
  last = std::min(last, inHeight_ - 1);
  while (nextInput_ <= last) {
    if (!source_(nextInput_, inputRow_.data())) return false;
    std::vector<float> row(static_cast<std::size_t>(outWidth_) * static_cast<std::size_t>(samples_), 0.0f);
    for (int o = 0; o < outWidth_; ++o) {
      const Taps& t = columns_[static_cast<std::size_t>(o)];
      for (std::size_t k = 0; k < t.weights.size(); ++k) {
        const int i = std::clamp(t.first + static_cast<int>(k), 0, inWidth_ - 1);
        for (int s = 0; s < samples_; ++s) {
          const std::size_t at = static_cast<std::size_t>(i) * static_cast<std::size_t>(samples_) + static_cast<std::size_t>(s);
          float v;
          if (bits_ == 16) {
            std::uint16_t x;
            std::memcpy(&x, inputRow_.data() + 2 * at, 2);
            v = x;
          } else {
            v = inputRow_[at];
          }
          row[static_cast<std::size_t>(o) * static_cast<std::size_t>(samples_) + static_cast<std::size_t>(s)] += t.weights[k] * v;
        }
      }
    }
    window_.push_back(std::move(row));
    ++nextInput_;
  }
  return true;
}

bool RowScaler::produceRow(int row, std::uint8_t* out) {
  const Taps& t = rows_[static_cast<std::size_t>(std::clamp<std::size_t>(static_cast<std::size_t>(row), 0, rows_.size() - 1))];
  const int first = std::clamp(t.first, 0, inHeight_ - 1);
  if (!ensureRows(t.first + static_cast<int>(t.weights.size()) - 1)) return false;
  // Rows above this output row's filter are done with.
  while (windowFirst_ < first && !window_.empty()) {
    window_.pop_front();
    ++windowFirst_;
  }
  const std::size_t n = static_cast<std::size_t>(outWidth_) * static_cast<std::size_t>(samples_);
  std::vector<float> sum(n, 0.0f);
  for (std::size_t k = 0; k < t.weights.size(); ++k) {
    const int i = std::clamp(t.first + static_cast<int>(k), 0, inHeight_ - 1);
    const std::vector<float>& source = window_[static_cast<std::size_t>(i - windowFirst_)];
    for (std::size_t j = 0; j < n; ++j) sum[j] += t.weights[k] * source[j];
  }
  for (std::size_t j = 0; j < n; ++j) {
    if (bits_ == 16) {
      const auto v = static_cast<std::uint16_t>(std::clamp(std::lround(sum[j]), 0L, 65535L));
      std::memcpy(out + 2 * j, &v, 2);
    } else {
      out[j] = static_cast<std::uint8_t>(std::clamp(std::lround(sum[j]), 0L, 255L));
    }
  }
  return true;
}

}  // namespace velmor
