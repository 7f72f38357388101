#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ModeLinkDoubles.h"
#include "ui/base/PostNotification.h"
#include "ui/model/PreviewInfo.h"
#include "ui/model/SM_COMMON/ScanDic/ScanDic.h"

namespace {

// Records every "Set_User_Gamma" that leaves through the outward channel, with its sender.
struct GammaRecorder {
  fnd::NotificationCenter center;
  std::vector<fnd::Dictionary> tables;
  std::vector<const void*> senders;
  GammaRecorder() {
    center.addObserver(this, Quirel_PostNotification::kOverrideNotification, nullptr,
                       [this](const fnd::Notification& n) {
                         if (n.info() && n.info()->string(Quirel_PostNotification::kOverrideNotificationName) ==
                                             kSetUserGamma) {
                           tables.push_back(*n.info());
                           senders.push_back(n.sender);
                         }
                       });
  }
  ~GammaRecorder() { center.removeObserver(this); }
};

void makeNeutral(Quirel_CropInfo& crop) {
  crop.setToneBC(ToneBCValues{});
  crop.setHistogram(HistogramValues{{0, 0, 0, 0}, {128, 128, 128, 128}, {255, 255, 255, 255}, {128, 128, 128, 128}});
  crop.setToneCurve(ToneCurveValues{});
}

std::shared_ptr<Quirel_CropInfo> brighter(int amount) {
  auto crop = std::make_shared<Quirel_CropInfo>();
  makeNeutral(*crop);
  ToneBCValues bc{};
  bc.brightness = {amount, 0, 0, 0};
  bc.contrast = {0, 0, -10, 0};
  crop->setToneBC(bc);
  return crop;
}

std::vector<std::pair<int, int>> points(const fnd::Dictionary& channel) {
  std::vector<std::pair<int, int>> out;
  for (const fnd::Value& p : channel.array("UserCurvePoint")) out.emplace_back(p["h"].toInt(), p["v"].toInt());
  return out;
}

}  // namespace

TEST(PreviewInfoToneTables, EqualTonesShareATableOwnPointsGetTheirOwn) {
  GammaRecorder rec;
  Quirel_PreviewInfo model(rec.center);
  CropList crops{brighter(20), brighter(20), brighter(20)};
  ToneCurveValues own{};
  own.selectToneCurve = {0, 5, 0, 0};
  own.setPointCount[1] = 3;
  own.setPoint[1][0] = {0, 0};
  own.setPoint[1][1] = {128, 140};
  own.setPoint[1][2] = {255, 255};
  crops[2]->setToneCurve(own);

  int table[kUserGammaTableMax];
  ASSERT_EQ(model.setUserGammaNumTable(Quirel_PreviewInfo::gammaEntries(crops), table, 2.2), 0);
  EXPECT_EQ(table[0], 1);
  EXPECT_EQ(table[1], 1);
  EXPECT_EQ(table[2], 2);
  ASSERT_EQ(rec.tables.size(), 2u);
  EXPECT_EQ(rec.tables[0].intValue("UserGammaNumber"), 1);
  EXPECT_EQ(rec.tables[1].intValue("UserGammaNumber"), 2);
  // Sent as the preview model when no main-window module is set.
  EXPECT_EQ(rec.senders[0], &model);
  const fnd::Dictionary& red = rec.tables[1].dictionary("Spline").dictionary("Red");
  EXPECT_EQ(red.intValue("PointNum"), 3);
  EXPECT_EQ(points(red), (std::vector<std::pair<int, int>>{{0, 0}, {128, 140}, {255, 255}}));

  // A crop with own points is not shared even with an equal one.
  crops[1]->setToneCurve(own);
  ASSERT_EQ(model.checkUserGammaTable(Quirel_PreviewInfo::gammaEntries(crops), table, 2.2), 0);
  EXPECT_EQ(table[0], 1);
  EXPECT_EQ(table[1], 2);
  EXPECT_EQ(table[2], 3);
}

TEST(PreviewInfoToneTables, NeutralAtMonitorGamma18SendsNothing) {
  GammaRecorder rec;
  Quirel_PreviewInfo model(rec.center);
  auto crop = std::make_shared<Quirel_CropInfo>();
  makeNeutral(*crop);
  EXPECT_EQ(Quirel_PreviewInfo::checkUserGammaDefault(crop.get(), 1.8), 0);
  EXPECT_EQ(Quirel_PreviewInfo::checkUserGammaDefault(crop.get(), 2.2), -1);
  EXPECT_EQ(Quirel_PreviewInfo::checkUserGammaDefault(nullptr, 1.8), -1);
  CropList crops{crop};
  EXPECT_EQ(model.setUserGammaNumTableFirstCrop(Quirel_PreviewInfo::gammaEntries(crops), 1.8), 0);
  int table[kUserGammaTableMax];
  ASSERT_EQ(model.setUserGammaNumTable(Quirel_PreviewInfo::gammaEntries(crops), table, 1.8), 0);
  EXPECT_EQ(table[0], 0);
  EXPECT_TRUE(rec.tables.empty());

  // The per-crop request of a neutral crop names no table.
  ScanInfo info;
  Quirel_PreferenceInfo prefs;
  prefs.setMonitorGamma(1.8);
  modedoubles::FakeStandardMode basic;
  basic.preferences = &prefs;
  model.setPrevModeandId(0, &basic, nullptr);
  model.cropSettingDataSM(&info, 1, crop.get());
  EXPECT_EQ(info.CropItem[1]->UserGamma, 0);
  EXPECT_TRUE(rec.tables.empty());
  Quirel_PreviewInfo::freeCropItem(&info);
  UIM_Clear_ScanInfo(&info);

  // Not neutral: sent as table 1 and answered 1.
  auto toned = brighter(5);
  CropList one{toned};
  EXPECT_EQ(model.setUserGammaNumTableFirstCrop(Quirel_PreviewInfo::gammaEntries(one), 1.8), 1);
  ASSERT_EQ(rec.tables.size(), 1u);
  EXPECT_EQ(rec.tables[0].intValue("UserGammaNumber"), 1);
}

TEST(PreviewInfoToneTables, PayloadCurvesAndToneParameters) {
  GammaRecorder rec;
  Quirel_PreviewInfo model(rec.center);
  int uim = 0;
  model.setUIMObject(&uim);
  auto crop = brighter(-30);
  ToneCurveValues curve{};
  curve.selectToneCurve = {4, 1, 2, 3};
  crop->setToneCurve(curve);
  HistogramValues h{{1, 2, 3, 4}, {120, 121, 122, 123}, {250, 251, 252, 253}, {128, 129, 130, 131}};
  crop->setHistogram(h);
  model.setUserGammaTableToSM(3, crop.get(), 1.8);
  ASSERT_EQ(rec.tables.size(), 1u);
  EXPECT_EQ(rec.senders[0], &uim);
  const fnd::Dictionary& t = rec.tables[0];
  EXPECT_EQ(t.intValue("UserGammaNumber"), 3);
  const fnd::Dictionary& spline = t.dictionary("Spline");
  using Pts = std::vector<std::pair<int, int>>;
  EXPECT_EQ(points(spline.dictionary("Master")), (Pts{{0, 255}, {255, 0}}));
  EXPECT_EQ(spline.dictionary("Master").intValue("PointNum"), 2);
  EXPECT_EQ(points(spline.dictionary("Red")), (Pts{{0, 0}, {255, 255}, {30, 103}, {100, 195}}));
  EXPECT_EQ(points(spline.dictionary("Green")), (Pts{{0, 0}, {255, 255}, {155, 131}}));
  EXPECT_EQ(points(spline.dictionary("Blue")), (Pts{{0, 0}, {255, 255}, {75, 40}, {175, 225}}));
  const fnd::Dictionary& tone = t.dictionary("ToneParam");
  EXPECT_EQ(tone.get("Brightness"), fnd::Value(fnd::Array{98, 128, 128, 128}));
  EXPECT_EQ(tone.get("Contrast"), fnd::Value(fnd::Array{128, 128, 118, 128}));
  EXPECT_EQ(tone.get("Shadow"), fnd::Value(fnd::Array{1, 2, 3, 4}));
  EXPECT_EQ(tone.get("Middle"), fnd::Value(fnd::Array{120, 121, 122, 123}));
  EXPECT_EQ(tone.get("Hilight"), fnd::Value(fnd::Array{250, 251, 252, 253}));
  EXPECT_EQ(tone.get("GrayPoint"), fnd::Value(fnd::Array{128, 129, 130, 131}));
  EXPECT_EQ(tone.get("Gamma"), fnd::Value(fnd::Array{1.8, 1.0, 1.0, 1.0}));

  // Curve 5 with a count past the table sends at most 15 points; an unknown curve is straight.
  TagPoint many[kCropToneCurvePoints] = {};
  EXPECT_EQ(Quirel_PreviewInfo::setUserGammaSplineChannelValue(5, 40, many).intValue("PointNum"), 15);
  EXPECT_EQ(Quirel_PreviewInfo::setUserGammaSplineChannelValue(9, 0, nullptr).intValue("PointNum"), 2);
}

TEST(PreviewInfoToneTables, ToneCurveParamFromCropAndPreferences) {
  Quirel_PreviewInfo model;
  ToneCurveParam p{};
  model.makeToneCurveParam(&p, nullptr);
  EXPECT_FLOAT_EQ(p.gamma[0], 2.2f);
  EXPECT_FLOAT_EQ(p.gamma[3], 1.0f);
  EXPECT_EQ(p.brightness[2], 128);
  EXPECT_EQ(p.hilight[1], 0u);

  Quirel_PreferenceInfo prefs;
  prefs.setMonitorGamma(1.8);
  modedoubles::FakeExtendMode advanced;
  advanced.preferences = &prefs;
  model.setPrevModeandId(1, nullptr, &advanced);
  auto crop = brighter(12);
  model.makeToneCurveParam(&p, crop.get());
  EXPECT_FLOAT_EQ(p.gamma[0], 1.8f);
  EXPECT_EQ(p.brightness[0], 140);
  EXPECT_EQ(p.contrast[2], 118);
  EXPECT_EQ(p.middle[0], 128u);
  EXPECT_EQ(p.hilight[3], 255u);
}

TEST(PreviewInfoToneTables, MoreThanThirtyEntriesAreRefused) {
  GammaRecorder rec;
  Quirel_PreviewInfo model(rec.center);
  CropList crops;
  for (int i = 0; i < 31; ++i) crops.push_back(brighter(i + 1));
  int table[kUserGammaTableMax + 1];
  for (int& v : table) v = 77;
  EXPECT_EQ(model.setUserGammaNumTable(Quirel_PreviewInfo::gammaEntries(crops), table, 2.2), -1);
  EXPECT_EQ(model.checkUserGammaTable(Quirel_PreviewInfo::gammaEntries(crops), table, 2.2), -1);
  for (int v : table) EXPECT_EQ(v, 77);
  EXPECT_TRUE(rec.tables.empty());

  crops.pop_back();
  ASSERT_EQ(model.setUserGammaNumTable(Quirel_PreviewInfo::gammaEntries(crops), table, 2.2), 0);
  EXPECT_EQ(table[29], 30);
  EXPECT_EQ(table[30], 77);
  EXPECT_EQ(rec.tables.size(), 30u);
}

TEST(PreviewInfoToneTables, ThumbnailModeCountsOnlyCheckedEntries) {
  GammaRecorder rec;
  Quirel_PreviewInfo model(rec.center);
  ThumbnailList thumbs;
  for (int i = 0; i < 3; ++i) {
    auto t = std::make_shared<Quirel_ThumbnailInfo>();
    t->setCropInfo(brighter(10));
    t->setChecked(i != 0);
    thumbs.push_back(t);
  }
  thumbs.push_back(nullptr);
  int table[kUserGammaTableMax];
  ASSERT_EQ(model.setUserGammaNumTable(Quirel_PreviewInfo::gammaEntries(thumbs), table, 2.2), 0);
  EXPECT_EQ(table[0], -1);
  EXPECT_EQ(table[1], 1);
  EXPECT_EQ(table[2], 1);
  EXPECT_EQ(table[3], -1);
  EXPECT_EQ(rec.tables.size(), 1u);
  EXPECT_EQ(model.setUserGammaNumTableFirstCrop(Quirel_PreviewInfo::gammaEntries(thumbs), 2.2), 1);
}
