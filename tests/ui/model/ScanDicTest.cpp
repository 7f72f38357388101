#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "ScanRecordSupport.h"
#include "ui/model/SM_COMMON/ScanDic/ScanDic.h"

using namespace scanrecord;

namespace {

// Reads a dictionary into a fresh heap record.
RecordPtr readBack(const fnd::Dictionary& d, int* result = nullptr) {
  RecordPtr r(static_cast<ScanInfo*>(std::malloc(sizeof(ScanInfo))));
  int rc = UIM_GetDictionary_ScanInfo(&d, r.get());
  if (result) *result = rc;
  return r;
}

fnd::Dictionary write(const ScanInfo& info) {
  std::optional<fnd::Dictionary> d = UIM_CreateDictionary_ScanInfo(&info);
  EXPECT_TRUE(d.has_value());
  return d ? *d : fnd::Dictionary{};
}

}  // namespace

TEST(ScanDic, FullRecordWithEveryCropSlotRoundTrips) {
  RecordPtr original = fullRecord(kScanInfoMaxCrops);
  fnd::Dictionary d = write(*original);
  ASSERT_EQ(d.array("CropItem").size(), 61u);

  int rc = -1;
  RecordPtr back = readBack(d, &rc);
  EXPECT_EQ(rc, 0);
  EXPECT_EQ(back->crop_num, 61);
  expectSameRecord(*original, *back);
  EXPECT_EQ(UIM_Check_ScanInfo(back.get()), 0);
}

TEST(ScanDic, EmptyRecordReadsWithAllSlotsNull) {
  RecordPtr original = fullRecord(0);
  RecordPtr back = readBack(write(*original));
  EXPECT_EQ(back->crop_num, 0);
  for (CropSetting* c : back->CropItem) EXPECT_EQ(c, nullptr);
}

TEST(ScanDic, ValuesTravelAsTheScanModuleExpects) {
  RecordPtr original = fullRecord(1);
  original->CropItem[0]->Mirror = 1;
  fnd::Dictionary d = write(*original);
  const fnd::Dictionary& crop = d.array("CropItem")[0].toDictionary();
  EXPECT_TRUE(crop.get("Mirror").isReal());
  EXPECT_EQ(crop.real("Mirror"), 1.0);
  EXPECT_TRUE(crop.get("Scale").isReal());
  EXPECT_TRUE(crop.get("DATA_WIDTH").isPointer());
  EXPECT_TRUE(crop.get("AutoTone").isInteger());
  EXPECT_EQ(crop.dictionary("CropShape").data("Shape").size(), 32u);
  const fnd::Dictionary& setting = d.dictionary("ScanSetting");
  EXPECT_EQ(setting.string("TemporaryPath"), "/tmp/scan work");
  EXPECT_EQ(setting.intValue("UiLess"), 1);
  EXPECT_FALSE(setting.contains("UiLessScan"));
  EXPECT_EQ(setting.dictionary("ScanRect").real("height"), 11.75);
  // Record-only fields never travel.
  for (const char* key : {"targetCrop", "ActionMode", "error_number", "BAF", "RawJpeg", "MultiPDF", "UsbNetwork"}) {
    EXPECT_FALSE(d.contains(key)) << key;
  }
  RecordPtr back = readBack(d);
  EXPECT_EQ(back->CropItem[0]->Mirror, 1);
}

// Each row: what the dictionary says, and what the record reads.
TEST(ScanDic, ReaderFoldsTheSecondInputSourceCodesAndDefaultsTheFeederSourceToOne) {
  struct Row {
    const char* key;
    fnd::Value stored;  // null: key removed
    int expected;
  };
  const std::vector<Row> inputSource = {{"InputSource", 5, 3}, {"InputSource", 6, 4}, {"InputSource", 1, 1},
                                        {"InputSource", 2, 2}, {"InputSource", 3, 3}, {"InputSource", 4, 4},
                                        {"FAInputSourceADF", nullptr, 1}, {"FAInputSourceADF", 0, 1},
                                        {"FAInputSourceADF", 2, 2}};
  RecordPtr original = fullRecord(0);
  for (const Row& row : inputSource) {
    fnd::Dictionary d = write(*original);
    if (row.stored.isNull()) {
      d.remove(row.key);
    } else {
      d.set(row.key, row.stored);
    }
    RecordPtr back = readBack(d);
    int got = std::string(row.key) == "InputSource" ? back->InputSource : back->FAInputSourceADF;
    EXPECT_EQ(got, row.expected) << row.key << " = " << row.stored.toString();
  }
}

TEST(ScanDic, CropReadingFillsInheritedAndDefaultValues) {
  RecordPtr original = fullRecord(3);
  original->Rotation = 2;
  original->CropItem[0]->Rotation = 0;  // inherits 2
  original->CropItem[1]->Rotation = 1;  // keeps its own
  original->CropItem[2]->meRatio = 0;   // unchanged exposure
  fnd::Dictionary d = write(*original);
  d.slot("CropItem").array()->at(1).dictionary()->remove("AGRect");

  RecordPtr back = readBack(d);
  EXPECT_EQ(back->CropItem[0]->Rotation, 2);
  EXPECT_EQ(back->CropItem[1]->Rotation, 1);
  EXPECT_EQ(back->CropItem[2]->meRatio, 100);
  EXPECT_EQ(0, std::memcmp(&back->CropItem[1]->AGRect, &original->CropItem[1]->ScanRect, sizeof(ScanRect)));
  EXPECT_EQ(back->CropItem[0]->AGRect.width, original->CropItem[0]->AGRect.width);

  // A record without rotation leaves its crops' rotation 0.
  original->Rotation = 0;
  RecordPtr unrotated = readBack(write(*original));
  EXPECT_EQ(unrotated->CropItem[0]->Rotation, 0);
}

TEST(ScanDic, TrimRectangleTravelsOnlyWhenBothSidesArePositive) {
  struct Row {
    double width, height;
    bool carried;
  };
  for (Row row : {Row{10, 0, false}, Row{0, 10, false}, Row{-1, 5, false}, Row{10, 0.5, true}}) {
    RecordPtr original = fullRecord(1);
    original->CropItem[0]->TRIMRECT = ScanRect{1, 2, row.width, row.height};
    fnd::Dictionary d = write(*original);
    EXPECT_EQ(d.array("CropItem")[0].toDictionary().contains("TRIMRECT"), row.carried) << row.width << "x" << row.height;
    RecordPtr back = readBack(d);
    ScanRect expected = row.carried ? original->CropItem[0]->TRIMRECT : ScanRect{};
    EXPECT_EQ(0, std::memcmp(&back->CropItem[0]->TRIMRECT, &expected, sizeof expected));
  }
}

TEST(ScanDic, ColourMatchingTravelsOnlyForColorSettingOne) {
  RecordPtr original = fullRecord(0);
  original->Setting.ColorSetting = 0;
  fnd::Dictionary d = write(*original);
  EXPECT_FALSE(d.dictionary("ScanSetting").contains("Profile2"));

  // Even when the dictionary has one, a record with ColorSetting 0 ignores it.
  original->Setting.ColorSetting = 1;
  fnd::Dictionary withProfiles = write(*original);
  ASSERT_TRUE(withProfiles.dictionary("ScanSetting").contains("Profile2"));
  d.slot("ScanSetting").dictionary()->set("Profile2", withProfiles.dictionary("ScanSetting").get("Profile2"));
  RecordPtr back = readBack(d);
  EXPECT_EQ(back->Setting.ColorSync.monitor, 0);
  EXPECT_EQ(back->Setting.ColorSync.SourceProfile, nullptr);
  EXPECT_EQ(back->Setting.ColorSync.TargetProfile, nullptr);

  // A null profile path is left out, and reads back null.
  std::free(original->Setting.ColorSync.TargetProfile);
  original->Setting.ColorSync.TargetProfile = nullptr;
  fnd::Dictionary oneProfile = write(*original);
  EXPECT_FALSE(oneProfile.dictionary("ScanSetting").dictionary("Profile2").contains("TargetPath"));
  RecordPtr backOne = readBack(oneProfile);
  EXPECT_STREQ(backOne->Setting.ColorSync.SourceProfile, "/profiles/in.icc");
  EXPECT_EQ(backOne->Setting.ColorSync.TargetProfile, nullptr);
}

TEST(ScanDic, RequestVariantSendsDocumentKeysOnlyWhenAsked) {
  RecordPtr original = fullRecord(0);
  struct Row {
    unsigned char type, size;
  };
  for (Row row : {Row{0, 0}, Row{1, 0}, Row{0, 1}, Row{1, 1}}) {
    std::optional<fnd::Dictionary> d = UIM_CreateDictionary_ScanInfoDT(original.get(), row.type, row.size);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->contains("IMAGEDOCUMENTTYPE"), row.type != 0);
    EXPECT_EQ(d->contains("INPUTDOCUMENTSIZE"), row.size != 0);
    RecordPtr back = readBack(*d);
    EXPECT_EQ(back->ImageDocumentType, row.type ? original->ImageDocumentType : 0);
    EXPECT_EQ(back->InputDocumentSize, row.size ? original->InputDocumentSize : 0);
  }
}

TEST(ScanDic, WriterRefusesRecordsItCannotDescribe) {
  RecordPtr noPath = fullRecord(1);
  std::free(noPath->Setting.temporaryPath);
  noPath->Setting.temporaryPath = nullptr;
  EXPECT_FALSE(UIM_CreateDictionary_ScanInfo(noPath.get()));
  EXPECT_FALSE(UIM_CreateDictionary_ScanInfoDT(noPath.get(), 1, 1));
  EXPECT_FALSE(UIM_CreateDictionary_ScanSetting(&noPath->Setting));

  RecordPtr hole = fullRecord(2);
  std::free(hole->CropItem[0]);
  hole->CropItem[0] = nullptr;
  EXPECT_FALSE(UIM_CreateDictionary_ScanInfo(hole.get()));

  RecordPtr overCount = fullRecord(0);
  overCount->crop_num = 62;
  EXPECT_FALSE(UIM_CreateDictionary_ScanInfo(overCount.get()));
  overCount->crop_num = -1;
  EXPECT_FALSE(UIM_CreateDictionary_ScanInfo(overCount.get()));
  overCount->crop_num = 0;

  EXPECT_FALSE(UIM_CreateDictionary_ScanInfo(nullptr));
  EXPECT_FALSE(UIM_CreateDictionary_ColorSyncSetting(nullptr));
  EXPECT_FALSE(UIM_CreateDictionary_CropSetting(nullptr));
}

TEST(ScanDic, CheckRejectsMissingCropsAndBookCorrectionOnFilm) {
  RecordPtr r = fullRecord(2);
  r->CropItem[0]->CuBS = 0;
  r->CropItem[1]->CuBS = 1;
  struct Row {
    int inputSource;
    int expected;
  };
  for (Row row : {Row{0, 0}, Row{1, 0}, Row{2, 0}, Row{3, -1}, Row{5, -1}, Row{7, -1}, Row{8, 0}}) {
    r->InputSource = row.inputSource;
    EXPECT_EQ(UIM_Check_ScanInfo(r.get()), row.expected) << "source " << row.inputSource;
  }
  r->CropItem[1]->CuBS = 0;
  r->InputSource = 3;
  EXPECT_EQ(UIM_Check_ScanInfo(r.get()), 0);

  CropSetting* held = r->CropItem[1];
  r->CropItem[1] = nullptr;
  EXPECT_EQ(UIM_Check_ScanInfo(r.get()), -1);
  r->CropItem[1] = held;

  r->crop_num = 62;
  EXPECT_EQ(UIM_Check_ScanInfo(r.get()), -1);
  r->crop_num = 2;
  EXPECT_EQ(UIM_Check_ScanInfo(nullptr), -1);
}

TEST(ScanDic, OversizedCropListIsCutAtTheTable) {
  RecordPtr original = fullRecord(1);
  fnd::Dictionary d = write(*original);
  fnd::Array& crops = *d.slot("CropItem").array();
  const fnd::Value one = crops[0];
  crops.assign(70, one);

  int rc = -1;
  RecordPtr back = readBack(d, &rc);
  EXPECT_EQ(rc, 0);
  EXPECT_EQ(back->crop_num, 61);
  EXPECT_EQ(UIM_Check_ScanInfo(back.get()), 0);
  EXPECT_EQ(back->BitDepth, original->BitDepth);  // the field after the table is intact
  EXPECT_EQ(back->CopyGamma, original->CopyGamma);
}

namespace {
int gAllocationsLeft = 0;
void* failingAfter(std::size_t n) { return gAllocationsLeft-- > 0 ? std::malloc(n) : nullptr; }
}  // namespace

TEST(ScanDic, FailedCropAllocationLeavesAConsistentRecord) {
  RecordPtr original = fullRecord(5);
  fnd::Dictionary d = write(*original);
  gAllocationsLeft = 3;
  scandic_testing::CropAllocator previous = scandic_testing::setCropAllocator(&failingAfter);
  int rc = 0;
  RecordPtr back = readBack(d, &rc);
  scandic_testing::setCropAllocator(previous);

  EXPECT_EQ(rc, -1);
  EXPECT_EQ(back->crop_num, 3);  // the slots actually filled
  EXPECT_EQ(UIM_Check_ScanInfo(back.get()), 0);
  for (int i = 3; i < kScanInfoMaxCrops; ++i) EXPECT_EQ(back->CropItem[i], nullptr);
  EXPECT_EQ(std::memcmp(back->CropItem[2], original->CropItem[2], sizeof(CropSetting)), 0);
}

TEST(ScanDic, ReadRecordOwnsItsStrings) {
  RecordPtr original = fullRecord(0);
  RecordPtr back;
  {
    fnd::Dictionary d = write(*original);
    back = readBack(d);
  }  // the dictionary and its strings are gone
  EXPECT_STREQ(back->Setting.temporaryPath, "/tmp/scan work");
  EXPECT_STREQ(back->Setting.ColorSync.SourceProfile, "/profiles/in.icc");
  EXPECT_STREQ(back->Setting.ColorSync.TargetProfile, "/profiles/out.icc");

  // A stack record is emptied with the clear function, which also frees its crops.
  ScanInfo onStack;
  fnd::Dictionary d = write(*fullRecord(2));
  ASSERT_EQ(UIM_GetDictionary_ScanInfo(&d, &onStack), 0);
  UIM_Clear_ScanInfo(&onStack);
  EXPECT_EQ(onStack.Setting.temporaryPath, nullptr);
  EXPECT_EQ(onStack.CropItem[0], nullptr);
  EXPECT_EQ(onStack.crop_num, 0);
}

TEST(ScanDic, CropShapeCopiesAtMostItsBlock) {
  CropShape shape;
  for (std::size_t size : {std::size_t{0}, std::size_t{5}, std::size_t{32}, std::size_t{100}}) {
    fnd::Data data(size, 0xAB);
    fnd::Dictionary d{{"Format", 4}, {"Shape", data}};
    ASSERT_EQ(UIM_GetDictionary_CropShape(&d, &shape), 0);
    EXPECT_EQ(shape.Format, 4);
    for (std::size_t i = 0; i < 32; ++i) EXPECT_EQ(shape.Shape[i], i < size ? 0xAB : 0) << size << " @" << i;
  }
}

TEST(ScanDic, UserGammaRoundTripsAndKeepsBlocksForMissingOrWrongChannels) {
  auto gamma = std::make_unique<UserGamma>();
  gamma->Size = 3;
  gamma->UserGammaNumber = 7;
  for (std::size_t i = 0; i < kUserGammaChannelBytes; ++i) {
    gamma->Red[i] = static_cast<std::uint8_t>(i);
    gamma->Green[i] = static_cast<std::uint8_t>(i * 3);
    gamma->Blue[i] = static_cast<std::uint8_t>(255 - i);
  }
  std::optional<fnd::Dictionary> d = UIM_CreateDictionary_UserGamma(gamma.get());
  ASSERT_TRUE(d);
  auto back = std::make_unique<UserGamma>();
  std::memset(back.get(), 0, sizeof(UserGamma));
  EXPECT_EQ(UIM_GetDictionary_UserGamma(&*d, back.get()), 0);
  EXPECT_EQ(std::memcmp(back.get(), gamma.get(), sizeof(UserGamma)), 0);

  std::memset(back->Green, 0x5A, kUserGammaChannelBytes);
  std::memset(back->Blue, 0x5B, kUserGammaChannelBytes);
  d->remove("Green");
  d->set("Blue", fnd::Data(16, 0));
  EXPECT_EQ(UIM_GetDictionary_UserGamma(&*d, back.get()), -1);
  EXPECT_EQ(back->Green[100], 0x5A);
  EXPECT_EQ(back->Blue[100], 0x5B);
  EXPECT_EQ(back->Red[100], gamma->Red[100]);
}

TEST(ScanDic, StringInfoCopiesOnlyStrings) {
  char* s = UIM_getStringInfo(fnd::Value("plug-in päth"));
  ASSERT_NE(s, nullptr);
  EXPECT_STREQ(s, "plug-in päth");
  std::free(s);
  char* empty = UIM_getStringInfo(fnd::Value(""));
  ASSERT_NE(empty, nullptr);
  EXPECT_STREQ(empty, "");
  std::free(empty);
  EXPECT_EQ(UIM_getStringInfo(fnd::Value()), nullptr);
  EXPECT_EQ(UIM_getStringInfo(fnd::Value(12)), nullptr);
}

TEST(ScanDic, NullArgumentsAreRefusedNotFollowed) {
  ScanInfo info;
  fnd::Dictionary d;
  EXPECT_EQ(UIM_GetDictionary_ScanInfo(nullptr, &info), -1);
  EXPECT_EQ(info.crop_num, 0);
  EXPECT_EQ(UIM_GetDictionary_ScanInfo(&d, nullptr), -1);
  ColorSyncSetting cs{7, 0, nullptr, nullptr};
  EXPECT_EQ(UIM_GetDictionary_ColorSyncSetting(nullptr, &cs), -1);
  EXPECT_EQ(cs.monitor, 7);  // untouched
  UIM_Free_ScanInfo(nullptr);
  UIM_Clear_ScanInfo(nullptr);
}
