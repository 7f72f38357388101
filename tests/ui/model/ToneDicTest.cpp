// The user tone setting's dictionary form: the codec both ways, and the payload the preview model
// sends read back with the reader the scan module uses.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "ui/model/CropInfo.h"
#include "ui/model/PreviewInfo.h"
#include "ui/model/SM_COMMON/ToneDic/ToneDic.h"

namespace {

fnd::Dictionary payloadOf(const Quirel_CropInfo* crop, double monitorGamma) {
  // As setUserGammaTableToSM builds it.
  return fnd::Dictionary{{"UserGammaNumber", 2},
                         {"Spline", Quirel_PreviewInfo::setUserGammaSplineValue(crop)},
                         {"ToneParam", Quirel_PreviewInfo::setUserGammaValue(crop, monitorGamma)}};
}

}  // namespace

TEST(ToneDic, WriterAndReaderKeepEveryValue) {
  UserToneSetting s;
  UIM_Neutral_UserToneSetting(&s);
  s.UserGammaNumber = 7;
  for (int c = 0; c < 4; ++c) {
    s.Brightness[c] = 100 + c;
    s.Contrast[c] = 150 + c;
    s.Shadow[c] = 10 + c;
    s.Middle[c] = 120 + c;
    s.Hilight[c] = 240 + c;
    s.GrayPoint[c] = 130 + c;
    s.Gamma[c] = 1.0 + c / 10.0;
  }
  s.PointNum[2] = 4;
  s.UserCurvePoint[2][2] = {75, 40};
  s.UserCurvePoint[2][3] = {175, 225};
  const auto d = UIM_CreateDictionary_UserToneSetting(&s);
  ASSERT_TRUE(d);
  UserToneSetting back;
  ASSERT_EQ(UIM_GetDictionary_UserToneSetting(&*d, &back), 0);
  EXPECT_EQ(std::memcmp(&s, &back, sizeof s), 0);
}

TEST(ToneDic, ReaderKeepsNeutralValuesForWhatIsMissingOrDamaged) {
  UserToneSetting s;
  EXPECT_EQ(UIM_GetDictionary_UserToneSetting(nullptr, &s), -1);
  const fnd::Dictionary nothing{{"UserGammaNumber", 3}};
  EXPECT_EQ(UIM_GetDictionary_UserToneSetting(&nothing, &s), -1) << "nothing to build a table from";
  UserToneSetting neutral;
  UIM_Neutral_UserToneSetting(&neutral);
  EXPECT_EQ(std::memcmp(&s, &neutral, sizeof s), 0);

  fnd::Array many;
  for (int i = 0; i < 20; ++i) many.push_back(fnd::Dictionary{{"h", i * 10}, {"v", i * 10}});
  const fnd::Dictionary damaged{
      {"UserGammaNumber", 3},
      {"Spline", fnd::Dictionary{{"Master", fnd::Dictionary{{"PointNum", 40}, {"UserCurvePoint", many}}},
                                 {"Red", fnd::Dictionary{{"PointNum", 3}, {"UserCurvePoint", "no list"}}},
                                 {"Green", fnd::Dictionary{{"PointNum", 5}, {"UserCurvePoint", fnd::Array{}}}}}},
      {"ToneParam", fnd::Dictionary{{"Brightness", fnd::Array{300, -4}},
                                    {"Contrast", "none"},
                                    {"Gamma", fnd::Array{0.0, -1.0, 2.0}}}}};
  ASSERT_EQ(UIM_GetDictionary_UserToneSetting(&damaged, &s), 0);
  EXPECT_EQ(s.UserGammaNumber, 3);
  EXPECT_EQ(s.PointNum[0], kToneMaxPoints) << "cut to the 15 there is room for";
  EXPECT_EQ(s.PointNum[1], 2) << "no list: straight";
  EXPECT_EQ(s.PointNum[2], 0) << "an empty list: no points";
  EXPECT_EQ(s.PointNum[3], 2);
  EXPECT_EQ(s.Brightness[0], 255u);
  EXPECT_EQ(s.Brightness[1], 0u);
  EXPECT_EQ(s.Brightness[2], 128u);
  EXPECT_EQ(s.Contrast[0], 128u);
  EXPECT_EQ(s.Gamma[0], 1.0);
  EXPECT_EQ(s.Gamma[1], 1.0);
  EXPECT_EQ(s.Gamma[2], 2.0);
  // A setting with no usable points still builds tables: straight curves.
  std::uint8_t r[256], g[256], b[256];
  EXPECT_EQ(UIM_MakeUserToneTables(&s, 1.0, r, g, b), 0);
  EXPECT_EQ(UIM_MakeUserToneTables(nullptr, 1.0, r, g, b), -1);
}

// The seam: what the preview model sends for a crop is what the module reads.
TEST(ToneDic, ThePreviewModelsPayloadReadsBackAsTheCropsValues) {
  auto crop = std::make_unique<Quirel_CropInfo>();
  crop->setToneBC({{20, -5, 3, 0}, {-30, 0, 7, 1}});
  crop->setHistogram({{12, 1, 2, 3}, {120, 128, 127, 126}, {230, 255, 250, 249}, {128, 129, 130, 131}});
  ToneCurveValues curve{};
  curve.selectToneCurve = {4, 1, 5, 0};
  curve.setPointCount[2] = 3;
  curve.setPoint[2][0] = {0, 10};
  curve.setPoint[2][1] = {128, 140};
  curve.setPoint[2][2] = {255, 250};
  crop->setToneCurve(curve);

  const fnd::Dictionary payload = payloadOf(crop.get(), 1.8);
  UserToneSetting s;
  ASSERT_EQ(UIM_GetDictionary_UserToneSetting(&payload, &s), 0);
  EXPECT_EQ(s.UserGammaNumber, 2);
  const int brightness[4] = {20, -5, 3, 0}, contrast[4] = {-30, 0, 7, 1};
  const int black[4] = {12, 1, 2, 3}, white[4] = {230, 255, 250, 249};
  for (int c = 0; c < 4; ++c) {
    EXPECT_EQ(s.Brightness[c], std::uint32_t(brightness[c] + 128));
    EXPECT_EQ(s.Contrast[c], std::uint32_t(contrast[c] + 128));
    EXPECT_EQ(s.Shadow[c], std::uint32_t(black[c]));
    EXPECT_EQ(s.Hilight[c], std::uint32_t(white[c]));
  }
  EXPECT_EQ(s.Gamma[0], 1.8);
  EXPECT_EQ(s.Gamma[1], 1.0);
  // Master: the inverted preset; red: preset 1; green: the crop's own three points.
  ASSERT_EQ(s.PointNum[0], 2);
  EXPECT_EQ(s.UserCurvePoint[0][0].v, 255);
  EXPECT_EQ(s.UserCurvePoint[0][1].v, 0);
  ASSERT_EQ(s.PointNum[1], 4);
  EXPECT_EQ(s.UserCurvePoint[1][2].h, 30);
  EXPECT_EQ(s.UserCurvePoint[1][2].v, 103);
  ASSERT_EQ(s.PointNum[2], 3);
  EXPECT_EQ(s.UserCurvePoint[2][1].h, 128);
  EXPECT_EQ(s.UserCurvePoint[2][1].v, 140);
  EXPECT_EQ(s.PointNum[3], 2);
}
