// The module's image stage: the user's tone tables built as the adjustment graphs draw them and
// applied row by row, black and white thresholded after the tone.
#include <gtest/gtest.h>
#include <lcms2.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "TestEnvironment.h"
#include "scanmodule/ColourMatch.h"
#include "scanmodule/HSLFilter.h"
#include "scanmodule/ImageRenderer.h"
#include "scanmodule/ImageStage.h"
#include "scanmodule/Scene.h"
#include "scanmodule/ToneTables.h"
#include "ui/model/SM_COMMON/CSpline.h"
#include "ui/model/SM_COMMON/ToneCurve.h"
#include "ui/model/SM_COMMON/ToneDic/ToneDic.h"

using velmor::ColourMode;
using velmor::ImageRenderer;
using velmor::ImageStage;
using velmor::RenderSpec;
using velmor::Scene;
using velmor::ToneTables;

namespace {

// What the final-review graph draws for these values: master curve from `masterPoints`, the
// others straight, then the whole tone computation at 256 entries.
struct Predicted {
  std::uint8_t red[256], green[256], blue[256];
};
Predicted predict(int brightness, int contrast, int black, int mid, int white, double gamma,
                  std::vector<TagPoint> masterPoints = {{0, 0}, {255, 255}},
                  std::vector<TagPoint> redPoints = {{0, 0}, {255, 255}}) {
  static std::uint8_t curves[4][256];
  SplineCalc(curves[0], masterPoints.data(), int(masterPoints.size()));
  SplineCalc(curves[1], redPoints.data(), int(redPoints.size()));
  const TagPoint straight[] = {{0, 0}, {255, 255}};
  SplineCalc(curves[2], straight, 2);
  SplineCalc(curves[3], straight, 2);
  ToneParam p{};
  for (int c = 0; c < 4; ++c) {
    p.brightness[c] = c == 0 ? std::uint32_t(brightness) : 128;
    p.contrast[c] = c == 0 ? std::uint32_t(contrast) : 128;
    p.gamma[c] = c == 0 ? gamma : 1.0;
    p.shadow[c] = c == 0 ? std::uint32_t(black) : 0;
    p.middle[c] = c == 0 ? std::uint32_t(mid) : 128;
    p.hilight[c] = c == 0 ? std::uint32_t(white) : 255;
    p.grayPoint[c] = 128;
  }
  p.masterCurve = curves[0];
  p.redCurve = curves[1];
  p.greenCurve = curves[2];
  p.blueCurve = curves[3];
  Predicted out;
  for (int i = 0; i < 256; ++i) out.red[i] = out.green[i] = out.blue[i] = std::uint8_t(i);
  FinalToneCurve(out.red, out.green, out.blue, p);
  return out;
}

// The setting the user interface sends for the same values (monitor gamma 2.2 as sent).
UserToneSetting setting(int brightness, int contrast, int black, int mid, int white,
                        std::vector<TagPoint> masterPoints = {{0, 0}, {255, 255}},
                        std::vector<TagPoint> redPoints = {{0, 0}, {255, 255}}) {
  UserToneSetting s;
  UIM_Neutral_UserToneSetting(&s);
  s.UserGammaNumber = 1;
  s.Brightness[0] = std::uint32_t(brightness);
  s.Contrast[0] = std::uint32_t(contrast);
  s.Shadow[0] = std::uint32_t(black);
  s.Middle[0] = std::uint32_t(mid);
  s.Hilight[0] = std::uint32_t(white);
  s.Gamma[0] = 2.2;
  s.PointNum[0] = int(masterPoints.size());
  for (std::size_t i = 0; i < masterPoints.size(); ++i) s.UserCurvePoint[0][i] = masterPoints[i];
  s.PointNum[1] = int(redPoints.size());
  for (std::size_t i = 0; i < redPoints.size(); ++i) s.UserCurvePoint[1][i] = redPoints[i];
  return s;
}

RenderSpec area(ColourMode mode, int bits) {
  RenderSpec render;
  render.resolution = 50;
  render.x = 40;
  render.y = 60;
  render.width = 120;
  render.height = 30;
  render.mode = mode;
  render.bitsPerSample = bits;
  return render;
}

std::vector<std::uint8_t> staged(ImageStage& stage) {
  std::vector<std::uint8_t> out(stage.rowBytes() * std::size_t(stage.rows()));
  for (int r = 0; r < stage.rows(); ++r) stage.produceRow(r, out.data() + stage.rowBytes() * std::size_t(r));
  return out;
}

std::vector<std::uint8_t> rendered(const Scene& scene, const RenderSpec& render) {
  const ImageRenderer device(scene, render);
  std::vector<std::uint8_t> out(device.rowBytes() * std::size_t(device.rows()));
  for (int r = 0; r < device.rows(); ++r) device.renderRow(r, out.data() + device.rowBytes() * std::size_t(r));
  return out;
}

}  // namespace

// Each tone setting of the adjustment dialogs gives, with the monitor's gamma left out (a
// saved file), the tables the final-review graph draws for it with gamma 1.
TEST(ToneTables, BuiltFromASettingAsTheGraphDrawsIt) {
  struct Case {
    const char* what;
    UserToneSetting s;
    Predicted expected;
  } cases[] = {
      {"brightness +50", setting(178, 128, 0, 128, 255), predict(178, 128, 0, 128, 255, 1.0)},
      {"brightness -50", setting(78, 128, 0, 128, 255), predict(78, 128, 0, 128, 255, 1.0)},
      {"contrast +40", setting(128, 168, 0, 128, 255), predict(128, 168, 0, 128, 255, 1.0)},
      {"black 40, white 200", setting(128, 128, 40, 120, 200), predict(128, 128, 40, 120, 200, 1.0)},
      {"inverted master curve", setting(128, 128, 0, 128, 255, {{0, 255}, {255, 0}}),
       predict(128, 128, 0, 128, 255, 1.0, {{0, 255}, {255, 0}})},
      {"red curve", setting(128, 128, 0, 128, 255, {{0, 0}, {255, 255}}, {{0, 0}, {255, 255}, {30, 103}, {100, 195}}),
       predict(128, 128, 0, 128, 255, 1.0, {{0, 0}, {255, 255}}, {{0, 0}, {255, 255}, {30, 103}, {100, 195}})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const auto tone = ToneTables::fromSetting(c.s, 1.0, false);
    ASSERT_NE(tone, nullptr);
    EXPECT_FALSE(tone->identity());
    for (int v = 0; v < 256; ++v) {
      ASSERT_EQ(tone->map8(0, std::uint8_t(v)), c.expected.red[v]) << v;
      ASSERT_EQ(tone->map8(1, std::uint8_t(v)), c.expected.green[v]) << v;
      ASSERT_EQ(tone->map8(2, std::uint8_t(v)), c.expected.blue[v]) << v;
    }
  }
  // The neutral setting changes nothing, at either depth.
  UserToneSetting neutral;
  UIM_Neutral_UserToneSetting(&neutral);
  EXPECT_TRUE(ToneTables::fromSetting(neutral, 1.0, true)->identity());
  // The 16-bit tables agree with the 8-bit ones within two levels at the 8-bit samples' places
  // (the 8-bit steps truncate at every stage).
  const auto deep = ToneTables::fromSetting(setting(178, 100, 20, 128, 230), 1.0, true);
  ASSERT_TRUE(deep->hasTable16());
  for (int v = 0; v < 256; ++v)
    EXPECT_NEAR(deep->map16(1, std::uint16_t(v * 257)) / 257.0, deep->map8(1, std::uint8_t(v)), 2.0) << v;
}

TEST(ImageStage, ColourRowsGoThroughTheTablesOfTheirChannel) {
  const Scene scene = Scene::platen(8.5, 11.7);
  const RenderSpec render = area(ColourMode::Colour, 8);
  const auto s = setting(128, 128, 0, 128, 255, {{0, 0}, {255, 255}}, {{0, 0}, {255, 255}, {155, 131}});
  const auto tone = ToneTables::fromSetting(s, 1.0, false);
  ImageStage stage(scene, render, tone);
  ASSERT_EQ(stage.rows(), 30);
  ASSERT_EQ(stage.rowBytes(), 360u);
  const std::vector<std::uint8_t> out = staged(stage);
  const std::vector<std::uint8_t> raw = rendered(scene, render);
  ASSERT_EQ(out.size(), raw.size());
  for (std::size_t i = 0; i < raw.size(); ++i) ASSERT_EQ(out[i], tone->map8(int(i % 3), raw[i])) << i;
  // Without tone the rows are the device's.
  ImageStage plain(scene, render, nullptr);
  EXPECT_EQ(staged(plain), raw);
}

TEST(ImageStage, SixteenBitGreyGoesThroughTheGreenTable) {
  const Scene scene = Scene::platen(8.5, 11.7);
  const RenderSpec render = area(ColourMode::Grey, 16);
  const auto tone = ToneTables::fromSetting(setting(60, 190, 0, 128, 255), 1.0, true);
  ImageStage stage(scene, render, tone);
  const std::vector<std::uint8_t> out = staged(stage);
  const std::vector<std::uint8_t> raw = rendered(scene, render);
  ASSERT_EQ(out.size(), raw.size());
  for (std::size_t i = 0; i + 1 < raw.size(); i += 2) {
    std::uint16_t in, got;
    std::memcpy(&in, raw.data() + i, 2);
    std::memcpy(&got, out.data() + i, 2);
    ASSERT_EQ(got, tone->map16(1, in)) << i;
  }
}

// Black and white with tone: the levels are toned first, then the threshold decides; an
// inverted curve turns every pixel over.
TEST(ImageStage, BlackAndWhiteThresholdsTheTonedLevels) {
  const Scene scene = Scene::platen(8.5, 11.7);
  RenderSpec render = area(ColourMode::BlackWhite, 1);
  render.threshold = 100;
  const auto inverted = ToneTables::fromSetting(setting(128, 128, 0, 128, 255, {{0, 255}, {255, 0}}), 1.0, false);
  ImageStage stage(scene, render, inverted);
  ASSERT_EQ(stage.rowBytes(), 15u);
  const std::vector<std::uint8_t> out = staged(stage);
  RenderSpec grey = render;
  grey.mode = ColourMode::Grey;
  grey.bitsPerSample = 8;
  const std::vector<std::uint8_t> levels = rendered(scene, grey);
  for (int r = 0; r < render.height; ++r)
    for (int x = 0; x < render.width; ++x) {
      const bool white = inverted->map8(1, levels[std::size_t(r * render.width + x)]) >= 100;
      const bool got = out[std::size_t(r) * 15 + std::size_t(x / 8)] & (0x80 >> (x % 8));
      ASSERT_EQ(got, white) << r << ", " << x;
    }
  // Without tone the device's own black and white is handed out.
  ImageStage plain(scene, render, nullptr);
  EXPECT_EQ(staged(plain), rendered(scene, render));
}

namespace {

// The frame's orientation done the plain way on a whole image: quarter turns counter-clockwise
// (3: one clockwise), then the mirror left to right.
std::vector<std::uint8_t> oriented(const std::vector<std::uint8_t>& in, int w, int h, std::size_t pixel, int rotation,
                                   bool mirror, int& outW, int& outH) {
  const bool across = rotation == 1 || rotation == 3;
  outW = across ? h : w;
  outH = across ? w : h;
  std::vector<std::uint8_t> out(in.size());
  for (int y = 0; y < outH; ++y)
    for (int x = 0; x < outW; ++x) {
      const int xs = mirror ? outW - 1 - x : x;
      int sx = xs, sy = y;
      if (rotation == 1) sx = w - 1 - y, sy = xs;
      if (rotation == 2) sx = w - 1 - xs, sy = h - 1 - y;
      if (rotation == 3) sx = y, sy = h - 1 - xs;
      std::memcpy(out.data() + (std::size_t(y) * std::size_t(outW) + std::size_t(x)) * pixel,
                  in.data() + (std::size_t(sy) * std::size_t(w) + std::size_t(sx)) * pixel, pixel);
    }
  return out;
}

}  // namespace

TEST(ImageStage, TurnsAndMirrorsAsThePreviewShowsTheFrame) {
  const Scene scene = Scene::platen(8.5, 11.7);
  const RenderSpec render = area(ColourMode::Colour, 8);
  const std::vector<std::uint8_t> raw = rendered(scene, render);
  const auto tone = ToneTables::fromSetting(setting(160, 128, 0, 128, 255), 1.0, false);
  std::vector<std::uint8_t> toned = raw;
  ImageStage::applyTone(*tone, 3, 8, toned.data(), render.width * render.height);
  for (int rotation : {0, 1, 2, 3})
    for (bool mirror : {false, true}) {
      SCOPED_TRACE(testing::Message() << "rotation " << rotation << (mirror ? ", mirrored" : ""));
      ImageStage stage(scene, render, tone, ImageStage::Orientation{rotation, mirror});
      int w = 0, h = 0;
      const std::vector<std::uint8_t> expected = oriented(toned, render.width, render.height, 3, rotation, mirror, w, h);
      EXPECT_EQ(stage.renderSpec().width, w);
      EXPECT_EQ(stage.rows(), h);
      EXPECT_EQ(staged(stage), expected);
    }
}

// A turn of an image whose columns do not fit one band comes back band by band, the same.
TEST(ImageStage, AQuarterTurnLargerThanABandComesBackWhole) {
  const Scene scene = Scene::platen(8.5, 11.7);
  RenderSpec render = area(ColourMode::Colour, 16);
  render.resolution = 150;
  render.x = 0;
  render.y = 0;
  render.width = 1000;
  render.height = 1500;
  ASSERT_GT(std::size_t(render.width) * std::size_t(render.height) * 6, ImageStage::kBandBytes) << "more than one band";
  const std::vector<std::uint8_t> raw = rendered(scene, render);
  for (int rotation : {1, 3}) {
    SCOPED_TRACE(rotation);
    ImageStage stage(scene, render, nullptr, ImageStage::Orientation{rotation, rotation == 3});
    int w = 0, h = 0;
    EXPECT_EQ(staged(stage), oriented(raw, render.width, render.height, 6, rotation, rotation == 3, w, h));
  }
}

// Black and white turned: the grey levels are turned, then thresholded.
TEST(ImageStage, BlackAndWhiteIsTurnedBeforeTheThreshold) {
  const Scene scene = Scene::platen(8.5, 11.7);
  RenderSpec render = area(ColourMode::BlackWhite, 1);
  render.threshold = 140;
  RenderSpec grey = render;
  grey.mode = ColourMode::Grey;
  grey.bitsPerSample = 8;
  int w = 0, h = 0;
  const std::vector<std::uint8_t> levels = oriented(rendered(scene, grey), render.width, render.height, 1, 1, false, w, h);
  ImageStage stage(scene, render, nullptr, ImageStage::Orientation{1, false});
  ASSERT_EQ(stage.renderSpec().width, w);
  const std::size_t rowBytes = (std::size_t(w) + 7) / 8;
  ASSERT_EQ(stage.rowBytes(), rowBytes);
  const std::vector<std::uint8_t> out = staged(stage);
  std::vector<std::uint8_t> expected(rowBytes * std::size_t(h));
  for (int y = 0; y < h; ++y) ImageStage::threshold(levels.data() + std::size_t(y) * std::size_t(w), w, 140, expected.data() + std::size_t(y) * rowBytes);
  EXPECT_EQ(out, expected);
}

// Colour balance and saturation through the HSL plug-in the user interface loads: saturation
// -100 leaves every pixel grey, a step towards red lifts red by half the step of the range.
TEST(HSLFilter, TheStageBalancesAndDesaturatesThroughThePlugIn) {
  const Scene scene = Scene::platen(8.5, 11.7);
  const RenderSpec render = area(ColourMode::Colour, 8);
  const std::vector<std::uint8_t> raw = rendered(scene, render);
  EXPECT_EQ(velmor::HSLFilter::open({0, 0, 0, 0}), nullptr) << "nothing to change";

  auto grey = velmor::HSLFilter::open({0, 0, 0, -100});
  ASSERT_NE(grey, nullptr) << "the HSL plug-in loads from the resources";
  ImageStage greyStage(scene, render, nullptr, ImageStage::Orientation{0, false}, 100.0, std::move(grey));
  const std::vector<std::uint8_t> out = staged(greyStage);
  std::size_t coloured = 0;
  for (std::size_t i = 0; i + 2 < raw.size(); i += 3) coloured += raw[i] != raw[i + 1] || raw[i + 1] != raw[i + 2];
  ASSERT_GT(coloured, raw.size() / 30) << "the area has colour to lose";
  for (std::size_t i = 0; i + 2 < out.size(); i += 3) {
    ASSERT_EQ(out[i], out[i + 1]) << i;
    ASSERT_EQ(out[i + 1], out[i + 2]) << i;
  }

  ImageStage redStage(scene, render, nullptr, ImageStage::Orientation{0, false}, 100.0,
                      velmor::HSLFilter::open({50, 0, 0, 0}));
  const std::vector<std::uint8_t> red = staged(redStage);
  for (std::size_t i = 0; i + 2 < raw.size(); i += 3) {
    ASSERT_EQ(red[i], std::min(255L, std::lround(raw[i] + 0.25 * 255))) << i;
    ASSERT_EQ(red[i + 1], raw[i + 1]);
    ASSERT_EQ(red[i + 2], raw[i + 2]);
  }
}

namespace {

// An RGB profile written to `path`: sRGB's primaries with the given gamma.
std::string writeProfile(const std::string& path, double gamma) {
  cmsCIExyY white;
  cmsWhitePointFromTemp(&white, 6504);
  const cmsCIExyYTRIPLE primaries{{0.64, 0.33, 1.0}, {0.30, 0.60, 1.0}, {0.15, 0.06, 1.0}};
  cmsToneCurve* curve = cmsBuildGamma(nullptr, gamma);
  cmsToneCurve* curves[3] = {curve, curve, curve};
  cmsHPROFILE p = cmsCreateRGBProfile(&white, &primaries, curves);
  cmsSaveProfileToFile(p, path.c_str());
  cmsCloseProfile(p);
  cmsFreeToneCurve(curve);
  return path;
}

}  // namespace

// Colour matching from the input profile to the output profile with Little CMS; no profile, or
// one that cannot be read, leaves the device's colours.
TEST(ColourMatch, TheStageMatchesTheDevicesColoursToTheOutputProfile) {
  const std::string folder = testenv::freshFolder("colour-match").string();
  const std::string source = writeProfile(folder + "/scanner.icc", 1.0);
  const std::string target = writeProfile(folder + "/output.icc", 2.2);
  EXPECT_EQ(velmor::ColourMatch::open("", target, 8), nullptr);
  EXPECT_EQ(velmor::ColourMatch::open(folder + "/missing.icc", target, 8), nullptr);

  const Scene scene = Scene::platen(8.5, 11.7);
  const RenderSpec render = area(ColourMode::Colour, 8);
  const std::vector<std::uint8_t> raw = rendered(scene, render);
  ImageStage stage(scene, render, nullptr, ImageStage::Orientation{0, false}, 100.0, nullptr,
                   velmor::ColourMatch::open(source, target, 8));
  const std::vector<std::uint8_t> out = staged(stage);
  // Linear light into a 2.2 gamma: a mid level rises towards the light end; black and white stay.
  std::size_t checked = 0;
  for (std::size_t i = 0; i < raw.size(); ++i) {
    const double expected = 255.0 * std::pow(raw[i] / 255.0, 1 / 2.2);
    ASSERT_NEAR(out[i], expected, 3.0) << i << " from " << int(raw[i]);
    checked += raw[i] > 20 && raw[i] < 235;
  }
  EXPECT_GT(checked, raw.size() / 10);
}
