#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "ModeLinkDoubles.h"
#include "ScanModuleDouble.h"
#include "ui/model/PreviewInfo.h"
#include "ui/model/SettingToSM.h"

using namespace modedoubles;

namespace {

fnd::Dictionary scanDic(int inputSource, int colorSetting) {
  ScanInfo info;
  std::memset(&info, 0, sizeof info);
  CropSetting crop{};
  info.CropItem[0] = &crop;
  info.crop_num = 1;
  info.InputSource = inputSource;
  info.Setting.ColorSetting = colorSetting;
  info.Setting.NeedScan = 0;
  info.Setting.Threshold = 77;
  info.ImageDocumentType = 4096;
  char path[] = "/tmp/uiless/";
  info.Setting.temporaryPath = path;
  auto dict = UIM_CreateDictionary_ScanInfo(&info);
  EXPECT_TRUE(dict);
  return dict ? *dict : fnd::Dictionary{};
}

std::shared_ptr<Quirel_ThumbnailInfo> frame(int no, bool ticked) {
  auto t = std::make_shared<Quirel_ThumbnailInfo>(no);
  auto c = std::make_shared<Quirel_CropInfo>();
  c->setResolution(100 + no);
  c->setInputRect_Pixel96(makeSRectDouble(0, 0, 40, 30));
  c->setVisiblePreviewSize_Pixel96({40, 30});
  t->setCropInfo(c);
  t->setChecked(ticked);
  return t;
}

struct Fixture {
  fnd::NotificationCenter center;
  ScanModuleDouble module{center};
  Quirel_PreviewInfo model{center};
  Quirel_PreferenceInfo prefs;
  FakeUILessMode mode;
  Fixture() {
    mode.preferences = &prefs;
    model.setPlatenResolution(100);
  }
};

}  // namespace

TEST(PreviewInfoUILess, ScanTakesTheModesInputSourceAndOnlyTickedFrames) {
  Fixture f;
  f.mode.scanDic = scanDic(7, 0);
  f.mode.inputSource = 4;
  f.mode.thumbnails = {frame(0, true), frame(1, false), frame(2, true)};
  Quirel_SettingToSM carrier;
  carrier.setScanModeObj(&f.mode);
  f.center.post("scanSettingFromUILessPost", &carrier);
  ASSERT_FALSE(carrier.isRefused());
  const ScanInfo info = carrier.getScanInfoSM();
  EXPECT_EQ(info.InputSource, 4);
  EXPECT_EQ(info.Setting.NeedScan, 1);
  EXPECT_EQ(info.Setting.Threshold, 77);
  EXPECT_EQ(info.ImageDocumentType, 4096);
  EXPECT_EQ(info.BitDepth, 8);
  EXPECT_EQ(info.crop_num, 3);
  EXPECT_EQ(info.CropItem[1]->Resolution, 100);
  EXPECT_EQ(info.CropItem[2]->Resolution, 102);
  EXPECT_EQ(info.CropItem[1]->RangeMode, 1);
  EXPECT_EQ(f.model.getMode(), 3);

  // The preview keeps the dictionary's input source and sends one empty crop.
  auto shared = std::shared_ptr<Quirel_SettingToSM>(new Quirel_SettingToSM);
  shared->setScanModeObj(&f.mode);
  f.center.post("previewSettingFromUILessPost", nullptr,
                std::make_shared<fnd::Dictionary>(fnd::Dictionary{{"SetToSM", fnd::Value::object(shared)}}));
  EXPECT_EQ(shared->getScanInfoSM().InputSource, 7);
  EXPECT_EQ(shared->getScanInfoSM().crop_num, 1);
}

TEST(PreviewInfoUILess, EmptyOrOverlongFrameListsAreRefusedWhole) {
  Fixture f;
  f.mode.scanDic = scanDic(3, 0);
  Quirel_SettingToSM carrier;
  carrier.setScanModeObj(&f.mode);
  f.model.scanSettingFromUILess(&carrier);
  EXPECT_TRUE(carrier.isRefused());
  for (int i = 0; i < 61; ++i) f.mode.thumbnails.push_back(frame(i, true));
  f.model.scanSettingFromUILess(&carrier);
  EXPECT_TRUE(carrier.isRefused());
  EXPECT_EQ(carrier.getScanInfoSM().crop_num, 0);
  // The tone numbering holds one entry a frame, at most kUserGammaTableMax of them.
  f.mode.thumbnails.resize(kUserGammaTableMax + 1);
  f.model.scanSettingFromUILess(&carrier);
  EXPECT_TRUE(carrier.isRefused());
  f.mode.thumbnails.pop_back();
  f.model.scanSettingFromUILess(&carrier);
  EXPECT_FALSE(carrier.isRefused());
  EXPECT_EQ(carrier.getScanInfoSM().crop_num, kUserGammaTableMax + 1);
}

TEST(PreviewInfoUILess, ColourBalanceOnlyInColourModes) {
  Quirel_CropInfo crop;
  crop.setColorBalance(ColorBalanceValues{5, 10, -20, 30});
  struct Case {
    int colorMode, colorSetting, cyanRed, saturation;
  };
  for (const Case& c : {Case{3, 0, 10, 5}, Case{4, 0, 10, 5}, Case{5, 0, 10, 5}, Case{1, 0, 0, 0}, Case{3, 1, 0, 0},
                        Case{5, 2, 10, 5}}) {
    crop.setColorMode(c.colorMode);
    CropSetting s{};
    Quirel_PreviewInfo::setImageSettingInCropSettingForUILess(&s, &crop, c.colorSetting);
    EXPECT_EQ(s.HSLCyanRed, c.cyanRed) << c.colorMode << "/" << c.colorSetting;
    EXPECT_EQ(s.HSLSaturation, c.saturation) << c.colorMode << "/" << c.colorSetting;
  }
}

TEST(PreviewInfoUILess, ColourBalanceRequestsCarryNoBalance) {
  Fixture f;
  FakeStandardMode basic;
  basic.preferences = &f.prefs;
  f.model.setPrevModeandId(0, &basic, nullptr);
  auto crop = std::make_shared<Quirel_CropInfo>();
  crop->setResolution(60);
  crop->setColorMode(3);
  crop->setColorBalance(ColorBalanceValues{5, 10, -20, 30});
  crop->setInputRect_Pixel96(makeSRectDouble(0, 0, 40, 40));
  crop->setVisiblePreviewSize_Pixel96({40, 40});
  f.model.setWholeSize(40, 40);
  auto info = std::make_shared<fnd::Dictionary>(
      fnd::Dictionary{{"Mode", 0}, {"ImageSetTarget", fnd::Value::object(crop)}});
  f.center.post("updateImageSetHSLPost", nullptr, info);
  ASSERT_EQ(f.module.hsl.size(), 1u);
  EXPECT_EQ(f.module.hsl[0], 0);
  ASSERT_NE(crop->getCropHSLData(), nullptr);
  EXPECT_EQ(crop->getCropHSLData()[0], 60);
  EXPECT_EQ(crop->getcropCorData(), nullptr);  // the corrected image is not touched
}

TEST(PreviewInfoUILess, FilmFrameColourBalanceRequestsTheFrameWithoutBalance) {
  Fixture f;
  FakeExtendMode advanced;
  advanced.preferences = &f.prefs;
  advanced.film = true;
  f.model.setPrevModeandId(1, nullptr, &advanced);
  auto t = frame(0, true);
  t->getThumnailCrop()->setColorMode(3);
  t->getThumnailCrop()->setColorBalance(ColorBalanceValues{5, 10, -20, 30});
  f.model.createThumbnailImageData({fnd::Value(fnd::Dictionary{{"min", fnd::Value(fnd::Dictionary{{"X", 0}, {"Y", 0}})},
                                                               {"max", fnd::Value(fnd::Dictionary{{"X", 40}, {"Y", 30}})}})},
                                   {t});
  f.module.hsl.clear();
  auto info = std::make_shared<fnd::Dictionary>(fnd::Dictionary{
      {"Mode", 1}, {"ThumbnailMode", true}, {"ImageSetTarget", fnd::Value::object(t)}});
  f.center.post("updateImageSetHSLPost", nullptr, info);
  ASSERT_FALSE(f.module.hsl.empty());
  for (int balance : f.module.hsl) EXPECT_EQ(balance, 0);
  ASSERT_NE(t->getThumnailCrop()->getCropHSLData(), nullptr);
  EXPECT_EQ(t->getThumnailCrop()->getCropHSLData()[0], 100);
}
