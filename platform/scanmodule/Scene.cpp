#include "scanmodule/Scene.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace velmor {

namespace {

constexpr double kPi = 3.14159265358979323846;

std::uint32_t mix(std::uint32_t x) {
  x ^= x >> 16;
  x *= 0x7feb352dU;
  x ^= x >> 15;
  x *= 0x846ca68bU;
  x ^= x >> 16;
  return x;
}

std::uint32_t hash(std::uint32_t a, std::uint32_t b = 0, std::uint32_t c = 0) {
  return mix(a * 0x9e3779b9U ^ mix(b + 0x632be5abU) ^ mix(c * 0x85ebca6bU + 0xc2b2ae35U));
}

double unit(std::uint32_t h) { return (h & 0xffffffU) / double(0xffffff); }

double clamp01(double v) { return std::clamp(v, 0.0, 1.0); }

Rgb mixRgb(const Rgb& a, const Rgb& b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

double smoothstep(double e0, double e1, double x) {
  double t = clamp01((x - e0) / (e1 - e0));
  return t * t * (3 - 2 * t);
}

// A landscape: sky, sun, two ranges of hills and water; u, v from 0 to 1 across the picture,
// aspect its width over its height (so the sun stays round).
Rgb photo(double u, double v, double aspect, std::uint32_t seed) {
  const double hue = unit(hash(seed, 1));
  const double sunX = 0.2 + 0.6 * unit(hash(seed, 2));
  const double sunY = 0.12 + 0.2 * unit(hash(seed, 3));
  const double ridge = 0.42 + 0.12 * unit(hash(seed, 4));
  const double phase = 2 * kPi * unit(hash(seed, 5));
  const double dusk = unit(hash(seed, 6));

  Rgb skyTop{0.18 + 0.3 * dusk, 0.35 + 0.1 * hue, 0.75 - 0.25 * dusk};
  Rgb skyLow{0.85, 0.78 - 0.2 * dusk, 0.6 + 0.25 * hue};
  Rgb c = mixRgb(skyTop, skyLow, smoothstep(0.0, ridge + 0.1, v));

  const double dx = (u - sunX) * aspect, dy = v - sunY;
  const double d = std::sqrt(dx * dx + dy * dy);
  const double sun = 1.0 - smoothstep(0.05, 0.075, d);
  const double glow = std::exp(-d * 6.0) * 0.35;
  c = mixRgb(c, Rgb{1.0, 0.93, 0.7}, clamp01(sun + glow));

  const double far = ridge + 0.06 * std::sin(u * 7.0 + phase) + 0.03 * std::sin(u * 17.0 + 2 * phase);
  if (v > far) {
    Rgb hill{0.35 + 0.2 * hue, 0.45 + 0.1 * dusk, 0.55};
    c = mixRgb(c, hill, 0.85);
  }
  const double nearEdge = ridge + 0.16 + 0.05 * std::sin(u * 4.0 - phase) + 0.02 * std::sin(u * 23.0 + phase);
  if (v > nearEdge) {
    const double shade = 0.5 + 0.5 * std::sin(u * 11.0 + v * 9.0 + phase);
    Rgb grass{0.18 + 0.15 * shade, 0.42 + 0.2 * shade * (1 - hue * 0.5), 0.12 + 0.1 * hue};
    c = grass;
  }
  const double water = 0.84 + 0.03 * std::sin(u * 3.0 + phase);
  if (v > water) {
    const double ripple = 0.5 + 0.5 * std::sin(v * 120.0 + std::sin(u * 30.0) * 2.0);
    c = mixRgb(Rgb{0.12, 0.28, 0.45 + 0.1 * dusk}, Rgb{0.55, 0.65, 0.8}, 0.25 * ripple);
  }
  // Vignette of a print.
  const double vx = u - 0.5, vy = v - 0.5;
  const double vig = 1.0 - 0.35 * (vx * vx + vy * vy);
  return {clamp01(c.r * vig), clamp01(c.g * vig), clamp01(c.b * vig)};
}

// A printed page: a heading, then ragged lines of blocky glyphs; (x, y) inches on the page.
Rgb textPage(double x, double y, double w, double h, std::uint32_t seed) {
  const Rgb paper{0.97, 0.96, 0.93};
  const Rgb ink{0.08, 0.08, 0.1};
  const double margin = std::min(w, h) * 0.09;
  if (x < margin || y < margin || x > w - margin || y > h - margin) return paper;
  double lx = x - margin, ly = y - margin;
  const double textWidth = w - 2 * margin;

  double glyphW = 0.07, glyphH = 0.1, pitch = 0.19;
  int line;
  if (ly < 0.32) {  // heading: larger glyphs on one line
    glyphW = 0.14, glyphH = 0.2;
    if (ly > glyphH) return paper;
    line = -1;
  } else {
    ly -= 0.42;
    if (ly < 0) return paper;
    line = static_cast<int>(ly / pitch);
    ly -= line * pitch;
    if (ly > glyphH) return paper;
    if (hash(seed, line, 77) % 9 == 0) return paper;  // paragraph break
  }
  const double cellW = glyphW * 1.1;
  const int cell = static_cast<int>(lx / cellW);
  const double lineEnd = line < 0 ? textWidth * (0.4 + 0.3 * unit(hash(seed, 99)))
                                  : textWidth - (hash(seed, line, 5) % 12) * cellW;
  if (lx > lineEnd) return paper;
  const std::uint32_t cellHash = hash(seed, static_cast<std::uint32_t>(line + 1), static_cast<std::uint32_t>(cell));
  if (cellHash % 6 == 0) return paper;  // space between words
  const double fx = (lx - cell * cellW) / glyphW;
  const double fy = ly / glyphH;
  if (fx >= 1.0) return paper;
  const int col = std::min(4, static_cast<int>(fx * 5));
  const int row = std::min(6, static_cast<int>(fy * 7));
  const std::uint32_t glyph = mix(cellHash % 48 + 1000);
  // Keep a stem on the left so glyphs read as letters rather than noise.
  const bool on = col == 0 ? row > 0 : ((glyph >> (row * 4 + col - 1)) & 1U) != 0;
  return on ? ink : paper;
}

// A colour chart: four rows of six patches.
Rgb colourPatches(double u, double v) {
  static const std::array<Rgb, 24> kPatches = {{
      {0.45, 0.32, 0.26}, {0.76, 0.59, 0.51}, {0.37, 0.48, 0.61}, {0.35, 0.42, 0.26}, {0.51, 0.5, 0.69},
      {0.4, 0.74, 0.67},  {0.84, 0.49, 0.17}, {0.29, 0.36, 0.65}, {0.76, 0.33, 0.38}, {0.36, 0.24, 0.42},
      {0.62, 0.74, 0.25}, {0.88, 0.64, 0.18}, {0.17, 0.24, 0.58}, {0.27, 0.58, 0.29}, {0.69, 0.2, 0.23},
      {0.93, 0.78, 0.12}, {0.73, 0.33, 0.58}, {0.0, 0.52, 0.65}, {0.95, 0.95, 0.95}, {0.78, 0.78, 0.78},
      {0.62, 0.62, 0.62}, {0.47, 0.47, 0.47}, {0.33, 0.33, 0.33}, {0.2, 0.2, 0.2},
  }};
  const Rgb frame{0.1, 0.1, 0.1};
  const double cx = u * 6.0, cy = v * 4.0;
  const int col = std::min(5, static_cast<int>(cx)), row = std::min(3, static_cast<int>(cy));
  const double fx = cx - col, fy = cy - row;
  if (fx < 0.08 || fx > 0.92 || fy < 0.08 || fy > 0.92) return frame;
  return kPatches[static_cast<std::size_t>(row * 6 + col)];
}

// A grey ramp: a smooth ramp above, eleven steps below, black to white from left to right.
Rgb greyRamp(double u, double v) {
  double g = v < 0.5 ? u : std::min(10, static_cast<int>(u * 11.0)) / 10.0;
  return {g, g, g};
}

}  // namespace

Scene Scene::platen(double widthInch, double heightInch) {
  Scene s(widthInch, heightInch, Rgb{0.985, 0.985, 0.98}, false);
  const double W = widthInch, H = heightInch;
  s.documents_ = {
      {DocumentKind::Photo, 0.06 * W, 0.04 * H, 0.52 * W, 0.28 * H, 11},
      {DocumentKind::ColourPatches, 0.64 * W, 0.04 * H, 0.30 * W, 0.20 * H, 0},
      {DocumentKind::GreyRamp, 0.64 * W, 0.27 * H, 0.30 * W, 0.05 * H, 0},
      {DocumentKind::TextPage, 0.06 * W, 0.37 * H, 0.48 * W, 0.58 * H, 21},
      {DocumentKind::Photo, 0.60 * W, 0.39 * H, 0.34 * W, 0.30 * H, 31},
      {DocumentKind::Photo, 0.60 * W, 0.73 * H, 0.34 * W, 0.22 * H, 41},
  };
  return s;
}

Scene::Area Scene::documentsArea() const {
  if (documents_.empty()) return Area{};
  double left = documents_.front().x, top = documents_.front().y;
  double right = left + documents_.front().width, bottom = top + documents_.front().height;
  for (const Document& d : documents_) {
    left = std::min(left, d.x);
    top = std::min(top, d.y);
    right = std::max(right, d.x + d.width);
    bottom = std::max(bottom, d.y + d.height);
  }
  return Area{left, top, right - left, bottom - top};
}

Scene Scene::feederPage(double widthInch, double heightInch, int index) {
  Scene s(widthInch, heightInch, Rgb{0.97, 0.96, 0.93}, false);
  const auto seed = static_cast<std::uint32_t>(100 + index);
  s.documents_.push_back({DocumentKind::TextPage, 0, 0, widthInch, heightInch, seed});
  // Every other page carries a picture in its upper half.
  if (index % 2 == 1) {
    s.documents_.push_back({DocumentKind::Photo, 0.5 * widthInch, 0.12 * heightInch, 0.38 * widthInch,
                            0.22 * heightInch, seed * 7});
  }
  return s;
}

Scene Scene::filmStrip(int frames) {
  const int n = std::clamp(frames, 1, kMaxFilmFrames);
  Scene s(n * (kFrameWidth + kFrameGap) + kFrameGap, kStripHeight, Rgb{0.04, 0.035, 0.03}, true);
  const double top = (kStripHeight - kFrameHeight) / 2;
  for (int i = 0; i < n; ++i) {
    s.documents_.push_back({DocumentKind::FilmFrame, kFrameGap + i * (kFrameWidth + kFrameGap), top, kFrameWidth,
                            kFrameHeight, static_cast<std::uint32_t>(500 + i)});
  }
  return s;
}

Rgb Scene::colourAt(double x, double y) const {
  for (auto it = documents_.rbegin(); it != documents_.rend(); ++it) {
    const Document& d = *it;
    if (x < d.x || y < d.y || x >= d.x + d.width || y >= d.y + d.height) continue;
    const double lx = x - d.x, ly = y - d.y;
    switch (d.kind) {
      case DocumentKind::Photo:
      case DocumentKind::FilmFrame:
        return photo(lx / d.width, ly / d.height, d.width / d.height, d.seed);
      case DocumentKind::TextPage:
        return textPage(lx, ly, d.width, d.height, d.seed);
      case DocumentKind::ColourPatches:
        return colourPatches(lx / d.width, ly / d.height);
      case DocumentKind::GreyRamp:
        return greyRamp(lx / d.width, ly / d.height);
    }
  }
  if (film_ && y >= 0 && y < height_) {
    // Sprocket holes along both edges of the strip let the light through.
    const double edge = (kStripHeight - kFrameHeight) / 2;
    const bool inBand = (y > edge * 0.25 && y < edge * 0.75) || (y > height_ - edge * 0.75 && y < height_ - edge * 0.25);
    if (inBand && std::fmod(x, 0.187) < 0.11) return {0.92, 0.9, 0.85};
  }
  return background_;
}

}  // namespace velmor
