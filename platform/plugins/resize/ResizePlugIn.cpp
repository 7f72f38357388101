// The resize plug-in: area averaging along an axis that shrinks, bilinear interpolation along an
// axis that grows. Source lines go in one at a time; a destination line is ready as soon as every
// source line it draws on has arrived, so the host can fetch lines while it feeds them.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <deque>
#include <map>
#include <new>
#include <vector>

#include "PlugInSupport.h"

namespace {

constexpr char kInterfaceId[] = PLUGIN_RESIZE_INTERFACE;

struct Tap {
  int index;  // source index on the axis
  double weight;
};

// For every destination index of one axis, the source indexes it draws on and their weights.
std::vector<std::vector<Tap>> axisTaps(int src, int dst) {
  std::vector<std::vector<Tap>> taps(static_cast<std::size_t>(dst));
  const double scale = double(src) / dst;
  for (int d = 0; d < dst; ++d) {
    auto& t = taps[std::size_t(d)];
    if (dst <= src) {
      // Area: the destination cell covers [d*scale, (d+1)*scale) of the source.
      const double from = d * scale;
      const double to = (d + 1) * scale;
      for (int s = int(std::floor(from)); s < int(std::ceil(to)) && s < src; ++s) {
        const double w = std::min<double>(to, s + 1) - std::max<double>(from, s);
        if (w > 1e-12) t.push_back({s, w / scale});
      }
    } else {
      // Bilinear between the two source centres around the destination centre.
      const double pos = std::clamp((d + 0.5) * scale - 0.5, 0.0, double(src - 1));
      const int s0 = int(std::floor(pos));
      const int s1 = std::min(s0 + 1, src - 1);
      const double f = pos - s0;
      if (s1 == s0 || f < 1e-12) t.push_back({s0, 1.0});
      else t.insert(t.end(), {{s0, 1 - f}, {s1, f}});
    }
  }
  return taps;
}

struct Resizer {
  int srcW = 0, srcH = 0, dstW = 0, dstH = 0;
  int channels = 0;
  int sampleBytes = 0;
  std::vector<std::vector<Tap>> xTaps, yTaps;
  std::vector<std::vector<Tap>> rowsFed;  // for each source row: (destination row, weight)
  std::vector<int> lastSourceOfRow;       // for each destination row: the last source row it needs
  std::map<int, std::vector<double>> open;  // destination rows being summed
  std::deque<std::vector<double>> ready;
  int nextSource = 0;
  std::vector<double> scratch;

  double maxValue() const { return sampleBytes == 1 ? 255.0 : 65535.0; }

  double sample(const std::uint8_t* line, std::size_t i) const {
    if (sampleBytes == 1) return line[i];
    std::uint16_t v;
    std::memcpy(&v, line + 2 * i, 2);
    return v;
  }

  void put(std::uint8_t* line, std::size_t i, double v) const {
    const double c = std::clamp(std::round(v), 0.0, maxValue());
    if (sampleBytes == 1) {
      line[i] = std::uint8_t(c);
    } else {
      const std::uint16_t s = std::uint16_t(c);
      std::memcpy(line + 2 * i, &s, 2);
    }
  }

  int feed(const std::uint8_t* line) {
    if (nextSource >= srcH) return 2;  // more lines than the source has
    const int y = nextSource++;
    // Horizontal pass into scratch.
    scratch.assign(std::size_t(dstW) * channels, 0.0);
    for (int dx = 0; dx < dstW; ++dx) {
      for (const Tap& t : xTaps[std::size_t(dx)]) {
        for (int c = 0; c < channels; ++c) {
          scratch[std::size_t(dx) * channels + c] += t.weight * sample(line, std::size_t(t.index) * channels + c);
        }
      }
    }
    for (const Tap& t : rowsFed[std::size_t(y)]) {
      auto& acc = open[t.index];
      if (acc.empty()) acc.assign(scratch.size(), 0.0);
      for (std::size_t i = 0; i < acc.size(); ++i) acc[i] += t.weight * scratch[i];
    }
    // Rows complete in order: every row whose last source row has arrived.
    while (!open.empty() && lastSourceOfRow[std::size_t(open.begin()->first)] <= y) {
      ready.push_back(std::move(open.begin()->second));
      open.erase(open.begin());
    }
    return 0;
  }
};

std::int32_t create(void** handle, std::int32_t dstWidth, std::int32_t dstHeight, std::int32_t srcWidth,
                    std::int32_t srcHeight, std::int32_t bitsPerPixel) {
  if (!handle) return -1;
  *handle = nullptr;
  if (dstWidth <= 0 || dstHeight <= 0 || srcWidth <= 0 || srcHeight <= 0) return -1;
  int channels, sampleBytes;
  switch (bitsPerPixel) {
    case 8: channels = 1; sampleBytes = 1; break;
    case 16: channels = 1; sampleBytes = 2; break;
    case 24: channels = 3; sampleBytes = 1; break;
    case 48: channels = 3; sampleBytes = 2; break;
    default: return -1;
  }
  auto* r = new (std::nothrow) Resizer();
  if (!r) return -1;
  r->srcW = srcWidth;
  r->srcH = srcHeight;
  r->dstW = dstWidth;
  r->dstH = dstHeight;
  r->channels = channels;
  r->sampleBytes = sampleBytes;
  r->xTaps = axisTaps(srcWidth, dstWidth);
  r->yTaps = axisTaps(srcHeight, dstHeight);
  r->rowsFed.resize(std::size_t(srcHeight));
  r->lastSourceOfRow.resize(std::size_t(dstHeight));
  for (int d = 0; d < dstHeight; ++d) {
    int last = 0;
    for (const Tap& t : r->yTaps[std::size_t(d)]) {
      r->rowsFed[std::size_t(t.index)].push_back({d, t.weight});
      last = std::max(last, t.index);
    }
    r->lastSourceOfRow[std::size_t(d)] = last;
  }
  *handle = r;
  return 0;
}

std::int32_t setLine(void* handle, const std::uint8_t* srcLine, std::int32_t* pending) {
  auto* r = static_cast<Resizer*>(handle);
  if (!r || !srcLine) return -1;
  const int status = r->feed(srcLine);
  if (pending) *pending = std::int32_t(r->ready.size());
  return status;
}

std::int32_t getLine(void* handle, std::uint8_t* dstLine, std::int32_t* pending) {
  auto* r = static_cast<Resizer*>(handle);
  if (!r || !dstLine) return -1;
  if (r->ready.empty()) {
    if (pending) *pending = 0;
    return 1;
  }
  const std::vector<double>& row = r->ready.front();
  for (std::size_t i = 0; i < row.size(); ++i) r->put(dstLine, i, row[i]);
  r->ready.pop_front();
  if (pending) *pending = std::int32_t(r->ready.size());
  return 0;
}

void destroy(void** handle) {
  if (!handle) return;
  delete static_cast<Resizer*>(*handle);
  *handle = nullptr;
}

const PlugInResizeTable kTable{nullptr, &plugin_support::closeInterface<PlugInResizeTable>, nullptr, &create,
                               &setLine, &getLine, nullptr, &destroy};

using ResizeInstance = plugin_support::Instance<PlugInResizeTable, &kTable, kInterfaceId>;

}  // namespace

extern "C" __attribute__((visibility("default"))) void* ResizePlugInFactory(const PlugInUUIDBytes* type) {
  if (!type || !plugin_support::sameUUID(*type, PLUGIN_RESIZE_TYPE)) return nullptr;
  return new ResizeInstance();
}
