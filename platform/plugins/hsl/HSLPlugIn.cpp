// The HSL plug-in: colour balance along the cyan-red, magenta-green and yellow-blue axes and a
// saturation change, in place on 8- or 16-bit RGB images. Grey images have no hue to balance and
// pass through unchanged.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "PlugInSupport.h"

namespace {

constexpr char kInterfaceId[] = PLUGIN_HSL_INTERFACE;

// The host's state starts with the slot for our handle.
struct HostState {
  void* handle;
};

struct Handle {
  int unused = 0;
};

std::uint8_t create(void* hostState) {
  if (!hostState) return 1;
  static_cast<HostState*>(hostState)->handle = new Handle{};
  return 0;
}

void destroy(void* handle) { delete static_cast<Handle*>(handle); }

double clamp01(double v) { return std::clamp(v, 0.0, 1.0); }
double clampSetting(std::int32_t v) { return std::clamp(v, -100, 100) / 100.0; }

double hueToChannel(double p, double q, double t) {
  if (t < 0) t += 1;
  if (t > 1) t -= 1;
  if (t < 1.0 / 6) return p + (q - p) * 6 * t;
  if (t < 0.5) return q;
  if (t < 2.0 / 3) return p + (q - p) * (2.0 / 3 - t) * 6;
  return p;
}

// Scales the saturation of an RGB triple (0..1) in HSL space by `factor`.
void scaleSaturation(double& r, double& g, double& b, double factor) {
  const double mx = std::max({r, g, b});
  const double mn = std::min({r, g, b});
  const double l = (mx + mn) / 2;
  if (mx == mn) return;  // grey: no hue to keep
  const double d = mx - mn;
  double s = l > 0.5 ? d / (2 - mx - mn) : d / (mx + mn);
  double h;
  if (mx == r) h = (g - b) / d + (g < b ? 6 : 0);
  else if (mx == g) h = (b - r) / d + 2;
  else h = (r - g) / d + 4;
  h /= 6;
  s = clamp01(s * factor);
  const double q = l < 0.5 ? l * (1 + s) : l + s - l * s;
  const double p = 2 * l - q;
  r = hueToChannel(p, q, h + 1.0 / 3);
  g = hueToChannel(p, q, h);
  b = hueToChannel(p, q, h - 1.0 / 3);
}

template <class Sample>
void adjust(const PlugInHSLParams& params, std::uint8_t* image, double maxValue) {
  // A full step of 100 moves a channel by half its range.
  const double shift[3] = {clampSetting(params.cyanRed) / 2, clampSetting(params.magentaGreen) / 2,
                           clampSetting(params.yellowBlue) / 2};
  const double factor = 1 + clampSetting(params.saturation);
  const std::size_t rowBytes = std::size_t(params.bytesPerLine);
  for (std::int32_t y = 0; y < params.height; ++y) {
    std::uint8_t* row = image + rowBytes * std::size_t(y);
    for (std::int32_t x = 0; x < params.width; ++x) {
      Sample px[3];
      std::memcpy(px, row + sizeof(Sample) * 3 * std::size_t(x), sizeof px);
      double c[3];
      for (int i = 0; i < 3; ++i) c[i] = clamp01(px[i] / maxValue + shift[i]);
      if (factor != 1) scaleSaturation(c[0], c[1], c[2], factor);
      for (int i = 0; i < 3; ++i) px[i] = Sample(std::lround(clamp01(c[i]) * maxValue));
      std::memcpy(row + sizeof(Sample) * 3 * std::size_t(x), px, sizeof px);
    }
  }
}

std::uint8_t process(void* handle, const PlugInHSLParams* params, std::uint8_t* image) {
  if (!handle || !params || !image || params->width < 0 || params->height < 0) return 1;
  switch (params->format) {
    case PLUGIN_HSL_FORMAT_RGB8:
      if (params->bytesPerLine < params->width * 3) return 1;
      adjust<std::uint8_t>(*params, image, 255.0);
      return 0;
    case PLUGIN_HSL_FORMAT_RGB16:
      if (params->bytesPerLine < params->width * 6) return 1;
      adjust<std::uint16_t>(*params, image, 65535.0);
      return 0;
    case PLUGIN_HSL_FORMAT_GRAY8:
    case PLUGIN_HSL_FORMAT_GRAY16:
      return 0;
    default:
      return 1;
  }
}

const PlugInHSLTable kTable{nullptr, &plugin_support::closeInterface<PlugInHSLTable>, nullptr, &create, &destroy,
                            &process, nullptr, nullptr};

using HSLInstance = plugin_support::Instance<PlugInHSLTable, &kTable, kInterfaceId>;

}  // namespace

extern "C" __attribute__((visibility("default"))) void* HSLPlugInFactory(const PlugInUUIDBytes* type) {
  if (!type || !plugin_support::sameUUID(*type, PLUGIN_HSL_TYPE)) return nullptr;
  return new HSLInstance();
}
