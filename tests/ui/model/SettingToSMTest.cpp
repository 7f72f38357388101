#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>

#include "ScanRecordSupport.h"
#include "ModeLinkDoubles.h"
#include "ui/model/SettingToSM.h"

using namespace scanrecord;

TEST(SettingToSM, NewCarrierHoldsAnAllZeroRecord) {
  Quirel_SettingToSM carrier;
  ScanInfo info = carrier.getScanInfoSM();
  ScanInfo zero;
  std::memset(&zero, 0, sizeof zero);
  EXPECT_EQ(std::memcmp(&info, &zero, sizeof info), 0);
  EXPECT_EQ(carrier.getScanModeObj(), nullptr);
  EXPECT_EQ(carrier.getStandardModeObj(), nullptr);
  EXPECT_EQ(carrier.getThresholdNum(), 0);
}

TEST(SettingToSM, CopiesSurviveFreeingTheOriginals) {
  auto carrier = std::make_shared<Quirel_SettingToSM>();
  {
    RecordPtr original = fullRecord(2);
    carrier->setDataSM(*original);
    ScanInfo held = carrier->getScanInfoSM();
    for (int i = 0; i < 2; ++i) {
      EXPECT_NE(held.CropItem[i], original->CropItem[i]);
      EXPECT_EQ(std::memcmp(held.CropItem[i], original->CropItem[i], sizeof(CropSetting)), 0);
    }
    for (int i = 2; i < kScanInfoMaxCrops; ++i) EXPECT_EQ(held.CropItem[i], nullptr);
    EXPECT_NE(held.Setting.temporaryPath, original->Setting.temporaryPath);
  }  // the handler frees its record, crops and strings
  ScanInfo held = carrier->getScanInfoSM();
  RecordPtr expected = fullRecord(2);
  expectSameRecord(*expected, held);
  EXPECT_EQ(UIM_Check_ScanInfo(&held), 0);
  // What the mode does next: the dictionary form of the carried record.
  EXPECT_TRUE(UIM_CreateDictionary_ScanInfoDT(&held, 1, 0));
}

TEST(SettingToSM, UnpackedSlotsKeepTheirPlaces) {
  RecordPtr original = fullRecord(0);
  original->crop_num = 2;
  original->CropItem[3] = newCrop(3);
  original->CropItem[60] = newCrop(60);
  Quirel_SettingToSM carrier;
  carrier.setDataSM(*original);
  RecordPtr expected = fullRecord(0);
  expected->crop_num = 2;
  expected->CropItem[3] = newCrop(3);
  expected->CropItem[60] = newCrop(60);
  original.reset();
  expectSameRecord(*expected, carrier.getScanInfoSM());
}

TEST(SettingToSM, SecondHandOverReplacesTheFirstCopies) {
  Quirel_SettingToSM carrier;
  carrier.setDataSM(*fullRecord(5));
  RecordPtr second = fullRecord(1);
  second->CropItem[0]->Resolution = 1200;
  std::free(second->Setting.temporaryPath);
  second->Setting.temporaryPath = dup("/tmp/second");
  carrier.setDataSM(*second);
  ScanInfo held = carrier.getScanInfoSM();
  EXPECT_EQ(held.CropItem[0]->Resolution, 1200);
  EXPECT_EQ(held.CropItem[1], nullptr);
  EXPECT_STREQ(held.Setting.temporaryPath, "/tmp/second");
  // Handing the carrier its own record back keeps the content.
  carrier.setDataSM(held);
  ScanInfo again = carrier.getScanInfoSM();
  EXPECT_EQ(again.CropItem[0]->Resolution, 1200);
  EXPECT_STREQ(again.Setting.temporaryPath, "/tmp/second");
  // The first call's blocks are gone: the sanitizer run reports them if they leak.
}

TEST(SettingToSM, CarriesModesAndThreshold) {
  modedoubles::FakeExtendMode mode;
  modedoubles::FakeStandardMode standard;
  Quirel_SettingToSM carrier;
  carrier.setScanModeObj(&mode);
  carrier.setStandardModeObj(&standard);
  carrier.setThresholdNum(128);
  EXPECT_EQ(carrier.getScanModeObj(), &mode);
  EXPECT_EQ(carrier.getStandardModeObj(), &standard);
  EXPECT_EQ(carrier.getThresholdNum(), 128);
}
