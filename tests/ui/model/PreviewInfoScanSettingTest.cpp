#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "ModeLinkDoubles.h"
#include "ui/model/PreviewInfo.h"
#include "ui/model/SM_COMMON/ScanDic/ScanDic.h"
#include "ui/model/SettingToSM.h"

using namespace modedoubles;

namespace {

class ThumbnailStandardMode : public FakeStandardMode {
 public:
  bool isThumbnailMode() override { return true; }
};

struct Fixture {
  fnd::NotificationCenter center;
  Quirel_PreviewInfo model{center};
  Quirel_PreferenceInfo prefs;
  Quirel_UIScannerInfo scanner{fnd::Dictionary{{"ThresholdValue", 110}}};
  FakeStandardMode basic;
  Fixture() {
    prefs.setMonitorGamma(2.2);
    basic.preferences = &prefs;
    basic.scanner = &scanner;
    basic.paperSizes[0] = {1000, 1400};
    model.setPlatenResolution(100);
  }
  static std::shared_ptr<Quirel_CropInfo> crop(int resolution) {
    auto c = std::make_shared<Quirel_CropInfo>();
    c->setResolution(resolution);
    c->setInputRect_Pixel96(makeSRectDouble(10, 10, 100, 100));
    c->setVisiblePreviewSize_Pixel96({1000, 1400});
    return c;
  }
};

}  // namespace

TEST(PreviewInfoScanSetting, BasicCropsGoInReverseSlotsAndThePostAnswersThroughTheCarrier) {
  Fixture f;
  // A, B, C told apart by their resolutions.
  f.basic.crops = {Fixture::crop(101), Fixture::crop(102), Fixture::crop(103)};
  auto carrier = std::make_shared<Quirel_SettingToSM>();
  carrier->setScanModeObj(&f.basic);
  f.center.post("scanSettingFromStdPost", nullptr,
                std::make_shared<fnd::Dictionary>(fnd::Dictionary{{"SetToSM", fnd::Value::object(carrier)}}));
  ASSERT_FALSE(carrier->isRefused());
  const ScanInfo info = carrier->getScanInfoSM();
  EXPECT_EQ(info.crop_num, 4);
  EXPECT_EQ(info.Setting.NeedScan, 1);
  EXPECT_EQ(info.Setting.Threshold, 110);
  ASSERT_NE(info.CropItem[0], nullptr);
  EXPECT_EQ(info.CropItem[0]->Resolution, 0);
  EXPECT_EQ(info.CropItem[1]->Resolution, 103);
  EXPECT_EQ(info.CropItem[2]->Resolution, 102);
  EXPECT_EQ(info.CropItem[3]->Resolution, 101);
  EXPECT_EQ(info.CropItem[1]->RangeMode, 1);
  EXPECT_EQ(f.model.getMode(), 0);
  // No temporary folder set: the system's, never an empty or made-up text.
  ASSERT_NE(info.Setting.temporaryPath, nullptr);
  EXPECT_GT(std::strlen(info.Setting.temporaryPath), 0u);
  EXPECT_EQ(std::strstr(info.Setting.temporaryPath, "(null)"), nullptr);
  // The record survives the codec.
  auto dict = UIM_CreateDictionary_ScanInfoDT(&info, 0, 0);
  ASSERT_TRUE(dict);
  ScanInfo back;
  std::memset(&back, 0, sizeof back);
  ASSERT_EQ(UIM_GetDictionary_ScanInfo(&*dict, &back), 0);
  EXPECT_EQ(back.crop_num, 4);
  EXPECT_EQ(back.CropItem[1]->Resolution, 103);
  UIM_Clear_ScanInfo(&back);
}

TEST(PreviewInfoScanSetting, CheckedThumbnailsTakeSlotsInListOrder) {
  Fixture f;
  ThumbnailStandardMode mode;
  mode.preferences = &f.prefs;
  mode.scanner = &f.scanner;
  for (int i = 1; i <= 3; ++i) {
    auto t = std::make_shared<Quirel_ThumbnailInfo>(i);
    t->setCropInfo(Fixture::crop(200 + i));
    t->setChecked(i != 2);
    mode.thumbnails.push_back(t);
  }
  Quirel_SettingToSM carrier;
  carrier.setScanModeObj(&mode);
  f.model.scanSettingFromStd(&carrier);
  const ScanInfo info = carrier.getScanInfoSM();
  ASSERT_EQ(info.crop_num, 3);
  EXPECT_EQ(info.CropItem[1]->Resolution, 201);
  EXPECT_EQ(info.CropItem[2]->Resolution, 203);
  EXPECT_EQ(info.CropItem[3], nullptr);
  EXPECT_EQ(info.RefSumMode, 1);
}

TEST(PreviewInfoScanSetting, MoreThanSixtyCropsAreRefusedWhole) {
  Fixture f;
  for (int i = 0; i < 61; ++i) f.basic.crops.push_back(Fixture::crop(300));
  Quirel_SettingToSM carrier;
  carrier.setScanModeObj(&f.basic);
  f.model.scanSettingFromStd(&carrier);
  EXPECT_TRUE(carrier.isRefused());
  const ScanInfo info = carrier.getScanInfoSM();
  EXPECT_EQ(info.crop_num, 0);
  for (CropSetting* c : info.CropItem) EXPECT_EQ(c, nullptr);
  // Sixty fit.
  f.basic.crops.pop_back();
  f.model.scanSettingFromStd(&carrier);
  EXPECT_FALSE(carrier.isRefused());
  EXPECT_EQ(carrier.getScanInfoSM().crop_num, 61);
}

TEST(PreviewInfoScanSetting, MultiScanFeederItemSendsWidthOnly) {
  Fixture f;
  f.basic.paperSizes[2] = {850, 1400};
  FakeMultiMode multi;
  multi.imageSource = 6;
  multi.destination = 2;
  multi.scanner = &f.scanner;
  Quirel_SettingToSM carrier;
  carrier.setScanModeObj(&multi);
  carrier.setStandardModeObj(&f.basic);
  f.center.post("scanSettingFromMultiPost", &carrier);
  const ScanInfo info = carrier.getScanInfoSM();
  EXPECT_EQ(info.InputSource, 4);
  EXPECT_EQ(info.Setting.ImageSource, 1);
  EXPECT_EQ(info.OnePass, 4);
  EXPECT_EQ(info.crop_num, 1);
  ASSERT_NE(info.CropItem[0], nullptr);
  const CropSetting& c = *info.CropItem[0];
  EXPECT_EQ(c.Rotation, 1);
  EXPECT_EQ(c.Resolution, 300);
  EXPECT_DOUBLE_EQ(c.ScanRect.width, 850 * 3.0);
  EXPECT_EQ(c.ScanRect.x, 0);
  EXPECT_EQ(c.ScanRect.y, 0);
  EXPECT_EQ(c.ScanRect.height, 0);
}

TEST(PreviewInfoScanSetting, AutomaticDuplexOnTwoSidedFeeder) {
  Fixture f;
  Quirel_UIScannerInfo feeder{fnd::Dictionary{{"ADF", true}, {"TwoSidedADF", true}}};
  f.prefs.setADF_OrderRejection(1);
  FakeMultiMode multi;
  multi.duplex = true;
  multi.scanner = &feeder;
  Quirel_SettingToSM carrier;
  carrier.setScanModeObj(&multi);
  carrier.setStandardModeObj(&f.basic);
  f.model.scanSettingFromAuto(&carrier);
  const ScanInfo info = carrier.getScanInfoSM();
  EXPECT_EQ(info.FAInputSourceADF, 2);
  EXPECT_EQ(info.InvertADF, 1);
  EXPECT_EQ(info.OrderRejection, 1);
  EXPECT_EQ(info.OnePass, 6);
  EXPECT_EQ(info.ALMViewScannedImages, 1);
  EXPECT_EQ(info.CropItem[0]->Resolution, 300);
  // One-sided duplex off: 1 and no inversion.
  multi.duplex = false;
  f.model.scanSettingFromAuto(&carrier);
  EXPECT_EQ(carrier.getScanInfoSM().FAInputSourceADF, 1);
  EXPECT_EQ(carrier.getScanInfoSM().InvertADF, 0);
}

TEST(PreviewInfoScanSetting, RetainNumbersAreSmallestFreeAndCounted) {
  Fixture f;
  for (int i = 1; i <= kRetainTableSize; ++i) EXPECT_EQ(f.model.searchRetainNumber(), i);
  EXPECT_EQ(f.model.searchRetainNumber(), 0);  // none free
  f.model.clearRetainNumberAll();
  auto a = Fixture::crop(100), b = Fixture::crop(100);
  a->setRetainNumber(3);
  b->setRetainNumber(3);
  f.model.setRetainTable({a, b});
  EXPECT_EQ(f.model.getRetainCount(3), 2);
  f.center.post(kResetRetainNumberPost, a.get());
  EXPECT_EQ(f.model.getRetainCount(3), 1);
  EXPECT_EQ(a->getRetainNumber(), 0);
  EXPECT_EQ(f.model.searchRetainNumber(), 1);
}
