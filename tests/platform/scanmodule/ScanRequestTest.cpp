#include "scanmodule/ScanRequest.h"

#include <gtest/gtest.h>

using velmor::ColourMode;
using velmor::ScanRequest;
using velmor::Source;

namespace {

fnd::Dictionary rect(double x, double y, double w, double h) {
  return fnd::Dictionary{{"X", x}, {"Y", y}, {"width", w}, {"height", h}};
}

fnd::Dictionary crop(int res, fnd::Dictionary r) { return fnd::Dictionary{{"Resolution", res}, {"ScanRect", std::move(r)}}; }

}  // namespace

TEST(ScanRequest, TurnsCropsIntoAreasAtTheirResolution) {
  velmor::DeviceModel model;
  model.maximumResolution = 4800;
  const fnd::Dictionary request{
      {"ScanSetting", fnd::Dictionary{{"ColorMode", 1}, {"Threshold", 90}, {"NoCloseUI", 2}, {"TemporaryPath", "/t"}}},
      {"InputSource", 0},
      {"BitDepth", 16},
      {"CropItem", fnd::Array{fnd::Dictionary{}, crop(300, rect(10, 20, 600, 400)), crop(9600, rect(960, 0, 9600, 4800))}}};
  const ScanRequest r = ScanRequest::fromDictionary(request, model);
  EXPECT_EQ(r.source, Source::Platen);
  EXPECT_EQ(r.noCloseUI, 2);
  EXPECT_EQ(r.temporaryPath, "/t");
  ASSERT_EQ(r.areas.size(), 2u);  // the empty first slot is not scanned
  EXPECT_EQ(r.areas[0].resolution, 300);
  EXPECT_EQ(r.areas[0].x, 10);
  EXPECT_EQ(r.areas[0].y, 20);
  EXPECT_EQ(r.areas[0].width, 600);
  EXPECT_EQ(r.areas[0].height, 400);
  EXPECT_EQ(r.areas[0].mode, ColourMode::Grey);
  EXPECT_EQ(r.areas[0].bitsPerSample, 16);
  EXPECT_EQ(r.areas[0].threshold, 90);
  // Beyond the model's maximum: the same area at the maximum.
  EXPECT_EQ(r.areas[1].resolution, 4800);
  EXPECT_EQ(r.areas[1].x, 480);
  EXPECT_EQ(r.areas[1].width, 4800);
  EXPECT_EQ(r.areas[1].height, 2400);
}

TEST(ScanRequest, SourcesAndFallbackAreas) {
  struct Case {
    int inputSource;
    int colorMode;
    Source source;
    int imageSource;
    ColourMode mode;
    int bits;
  };
  velmor::DeviceModel model;
  model.filmFrames = 3;
  for (const Case& k : {Case{0, 0, Source::Platen, 0, ColourMode::BlackWhite, 1},
                        Case{1, 2, Source::Feeder, 0, ColourMode::Colour, 8},
                        Case{2, 2, Source::Feeder, 0, ColourMode::Colour, 8},
                        Case{5, 3, Source::Film, 1, ColourMode::Colour, 8}}) {
    const fnd::Dictionary request{{"ScanSetting", fnd::Dictionary{{"ColorMode", k.colorMode}}},
                                  {"InputSource", k.inputSource},
                                  {"BitDepth", 8}};
    const ScanRequest r = ScanRequest::fromDictionary(request, model);
    EXPECT_EQ(r.source, k.source) << k.inputSource;
    EXPECT_EQ(r.imageSource, k.imageSource);
    ASSERT_EQ(r.areas.size(), 1u);
    EXPECT_EQ(r.areas[0].mode, k.mode);
    EXPECT_EQ(r.areas[0].bitsPerSample, k.bits);
    EXPECT_EQ(r.areas[0].resolution, 300);
    EXPECT_FALSE(r.temporaryPath.empty());
  }
  // The scan-wide rectangle, in inches, when no crop is given.
  const fnd::Dictionary request{{"ScanSetting", fnd::Dictionary{{"ColorMode", 2}, {"ScanRect", rect(1, 2, 3, 4)}}}};
  const ScanRequest r = ScanRequest::fromDictionary(request, model);
  ASSERT_EQ(r.areas.size(), 1u);
  EXPECT_EQ(r.areas[0].x, 300);
  EXPECT_EQ(r.areas[0].y, 600);
  EXPECT_EQ(r.areas[0].width, 900);
  EXPECT_EQ(r.areas[0].height, 1200);
}

// What the image stage carries out comes from the crop record as the user interface's reader
// reads it: the tone table's number, rotation (the request's own for a crop without one),
// mirror, scale, colour balance; the profiles only when colour matching is asked for.
TEST(ScanRequest, CarriesEachCropsStageSettingsAndTheProfiles) {
  velmor::DeviceModel model;
  model.maximumResolution = 4800;
  fnd::Dictionary first = crop(300, rect(10, 20, 600, 400));
  first.set("UserGamma", 2);
  first.set("Mirror", 1.0);
  first.set("Scale", 50.0);
  first.set("HSLCyanRed", 30);
  first.set("HSLSaturation", -100);
  fnd::Dictionary second = crop(300, rect(0, 0, 100, 100));
  second.set("Rotation", 1);
  auto request = [&](int colorSetting) {
    return fnd::Dictionary{
        {"ScanSetting", fnd::Dictionary{{"ColorMode", 2},
                                        {"ColorSetting", colorSetting},
                                        {"TemporaryPath", "/t"},
                                        {"Profile2", fnd::Dictionary{{"SourcePath", "/in.icc"}, {"TargetPath", "/out.icc"}}}}},
        {"Rotation", 3},
        {"CropItem", fnd::Array{fnd::Dictionary{}, first, second}}};
  };
  const ScanRequest r = ScanRequest::fromDictionary(request(1), model);
  ASSERT_EQ(r.areas.size(), 2u);
  EXPECT_EQ(r.areas[0].userGamma, 2);
  EXPECT_EQ(r.areas[0].rotation, 3) << "the request's rotation for a crop without its own";
  EXPECT_TRUE(r.areas[0].mirror);
  EXPECT_EQ(r.areas[0].scale, 50.0);
  EXPECT_EQ(r.areas[0].cyanRed, 30);
  EXPECT_EQ(r.areas[0].saturation, -100);
  EXPECT_EQ(r.areas[1].rotation, 1);
  EXPECT_FALSE(r.areas[1].mirror);
  EXPECT_EQ(r.areas[1].scale, 100.0) << "no magnification: as it is";
  EXPECT_EQ(r.sourceProfile, "/in.icc");
  EXPECT_EQ(r.targetProfile, "/out.icc");
  const ScanRequest plain = ScanRequest::fromDictionary(request(0), model);
  EXPECT_TRUE(plain.sourceProfile.empty());
  EXPECT_TRUE(plain.targetProfile.empty());
}
