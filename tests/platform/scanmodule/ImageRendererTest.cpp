#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "scanmodule/ImageRenderer.h"
#include "scanmodule/Scene.h"

using velmor::ColourMode;
using velmor::ImageRenderer;
using velmor::RenderSpec;
using velmor::Scene;

namespace {

std::vector<std::uint8_t> render(const Scene& scene, const RenderSpec& renderSpec) {
  ImageRenderer r(scene, renderSpec);
  std::vector<std::uint8_t> out(r.rowBytes() * static_cast<std::size_t>(r.rows()));
  for (int row = 0; row < r.rows(); ++row) r.renderRow(row, out.data() + r.rowBytes() * static_cast<std::size_t>(row));
  return out;
}

RenderSpec renderSpec(int res, int x, int y, int w, int h, ColourMode mode = ColourMode::Colour, int bits = 8) {
  RenderSpec s;
  s.resolution = res;
  s.x = x, s.y = y, s.width = w, s.height = h;
  s.mode = mode;
  s.bitsPerSample = bits;
  return s;
}

}  // namespace

TEST(ImageRenderer, RowBytesFollowModeAndDepth) {
  struct Case {
    ColourMode mode;
    int bits;
    int width;
    std::size_t rowBytes;
    int samples;
  };
  const Case cases[] = {
      {ColourMode::BlackWhite, 1, 2550, 319, 1}, {ColourMode::BlackWhite, 8, 9, 2, 1},  // b/w is always 1 bit
      {ColourMode::Grey, 8, 1000, 1000, 1},      {ColourMode::Grey, 16, 1000, 2000, 1},
      {ColourMode::Colour, 8, 600, 1800, 3},     {ColourMode::Colour, 16, 1000, 6000, 3},
      {ColourMode::Grey, 1, 16, 2, 1},  // 1 bit means black and white
  };
  const Scene scene = Scene::platen(8.5, 11.7);
  for (const Case& c : cases) {
    ImageRenderer r(scene, renderSpec(300, 0, 0, c.width, 4, c.mode, c.bits));
    EXPECT_EQ(r.rowBytes(), c.rowBytes) << "width " << c.width << " bits " << c.bits;
    EXPECT_EQ(r.samplesPerPixel(), c.samples);
  }
}

TEST(ImageRenderer, SameAreaGivesSameBytesAndSubAreasLineUp) {
  const Scene scene = Scene::platen(8.5, 11.7);
  const auto whole = render(scene, renderSpec(150, 0, 0, 400, 300));
  EXPECT_EQ(whole, render(scene, renderSpec(150, 0, 0, 400, 300)));
  // A window of the same render, rendered on its own, holds the same pixels.
  const auto part = render(scene, renderSpec(150, 120, 80, 50, 40));
  for (int row = 0; row < 40; ++row) {
    ASSERT_EQ(0, std::memcmp(part.data() + row * 150, whole.data() + (80 + row) * 1200 + 120 * 3, 150)) << row;
  }
}

TEST(ImageRenderer, DocumentsShowOnThePlaten) {
  const Scene scene = Scene::platen(8.5, 11.7);
  const auto grey = render(scene, renderSpec(50, 0, 0, 425, 585, ColourMode::Grey));
  auto at = [&](double xInch, double yInch) { return grey[static_cast<std::size_t>(int(yInch * 50) * 425 + int(xInch * 50))]; };
  // The grey ramp runs from black to white; the lid is near white.
  const auto& ramp = scene.documents()[2];
  ASSERT_EQ(ramp.kind, Scene::DocumentKind::GreyRamp);
  EXPECT_LT(at(ramp.x + 0.02, ramp.y + ramp.height * 0.25), 20);
  EXPECT_GT(at(ramp.x + ramp.width - 0.02, ramp.y + ramp.height * 0.25), 235);
  EXPECT_GT(at(0.1, 0.05), 240);
  // The text page has ink and paper.
  const auto& text = scene.documents()[3];
  int dark = 0, light = 0;
  for (double y = text.y + 1; y < text.y + 3; y += 0.02) {
    for (double x = text.x + 0.6; x < text.x + text.width - 0.6; x += 0.02) (at(x, y) < 80 ? dark : light)++;
  }
  EXPECT_GT(dark, 100);
  EXPECT_GT(light, dark);
}

TEST(ImageRenderer, SixteenBitAndBlackWhiteAgreeWithEightBit) {
  const Scene scene = Scene::platen(8.5, 11.7);
  const auto s8 = render(scene, renderSpec(100, 30, 30, 200, 20, ColourMode::Grey, 8));
  const auto s16 = render(scene, renderSpec(100, 30, 30, 200, 20, ColourMode::Grey, 16));
  RenderSpec bw = renderSpec(100, 30, 30, 200, 20, ColourMode::BlackWhite, 1);
  bw.threshold = 128;
  const auto b1 = render(scene, bw);
  for (std::size_t i = 0; i < s8.size(); ++i) {
    std::uint16_t v;
    std::memcpy(&v, s16.data() + 2 * i, 2);
    ASSERT_NEAR(v / 257.0, s8[i], 1.0) << i;
    const std::size_t row = i / 200, col = i % 200;
    const bool white = (b1[row * 25 + col / 8] >> (7 - col % 8)) & 1;
    ASSERT_EQ(white, s8[i] >= 128) << i;
  }
}

TEST(ImageRenderer, FeederPagesAndFilmFramesDiffer) {
  const auto p0 = render(Scene::feederPage(8.5, 11, 0), renderSpec(30, 0, 0, 255, 330));
  const auto p1 = render(Scene::feederPage(8.5, 11, 1), renderSpec(30, 0, 0, 255, 330));
  EXPECT_NE(p0, p1);
  const Scene film = Scene::filmStrip(4);
  EXPECT_EQ(film.documents().size(), 4u);
  const auto& f0 = film.documents()[0];
  const auto& f1 = film.documents()[1];
  const int res = 100;
  const auto a = render(film, renderSpec(res, int(f0.x * res), int(f0.y * res), int(f0.width * res), int(f0.height * res)));
  const auto b = render(film, renderSpec(res, int(f1.x * res), int(f0.y * res), int(f0.width * res), int(f0.height * res)));
  EXPECT_NE(a, b);
}
