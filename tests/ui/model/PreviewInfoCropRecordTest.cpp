#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "ModeLinkDoubles.h"
#include "ui/model/PreviewInfo.h"
#include "ui/model/SM_COMMON/ScanDic/ScanDic.h"

using namespace modedoubles;

namespace {

struct Fixture {
  fnd::NotificationCenter center;  // keeps the tone tables off the default centre
  Quirel_PreviewInfo model{center};
  Quirel_PreferenceInfo prefs;
  Quirel_UIScannerInfo scanner{fnd::Dictionary{{"Ver1500Later", true}, {"ThresholdValue", 110}}};
  FakeStandardMode basic;
  FakeExtendMode advanced;
  Fixture() {
    prefs.setTempPath(std::string("/tmp/trivolan-test"));
    prefs.setMonitorGamma(2.2);
    basic.preferences = advanced.preferences = &prefs;
    basic.scanner = advanced.scanner = &scanner;
    model.setWholeSize(400, 300);
  }
};

}  // namespace

TEST(PreviewInfoCropRecord, RequestCarriesTwoCropsAndFourCellsAndSurvivesTheCodec) {
  Fixture f;
  f.basic.imageSource = 4;  // film
  f.model.setPrevModeandId(0, &f.basic, nullptr);
  Quirel_CropInfo crop;
  crop.setVisiblePreviewSize_Pixel96({200, 100});
  crop.setInputRect_Pixel96(makeSRectDouble(10, 20, 50, 40));
  crop.setResolution(600);
  crop.setThreshold(90);

  ScanInfo info;
  std::memset(&info, 0x33, sizeof(info));  // the builder treats the record as uninitialised
  EXPECT_EQ(f.model.cropSettingDataSM(&info, 1, &crop), 0);
  ASSERT_EQ(info.crop_num, 2);
  ASSERT_NE(info.CropItem[0], nullptr);
  ASSERT_NE(info.CropItem[1], nullptr);
  for (int i = 2; i < kScanInfoMaxCrops; ++i) EXPECT_EQ(info.CropItem[i], nullptr);
  EXPECT_EQ(info.CropItem[0]->DATA_WIDTH, nullptr);
  CropSetting* s = info.CropItem[1];
  ASSERT_NE(s->DATA_WIDTH, nullptr);
  ASSERT_NE(s->DATA_HEIGHT, nullptr);
  ASSERT_NE(s->DATA_P, nullptr);
  ASSERT_NE(s->DATA_H, nullptr);
  EXPECT_EQ(*s->DATA_P, nullptr);
  EXPECT_EQ(info.InputSource, 3);
  EXPECT_EQ(info.BitDepth, 8);
  EXPECT_EQ(info.Setting.ImageSource, 1);
  EXPECT_EQ(info.Setting.Threshold, 110);
  EXPECT_STREQ(info.Setting.temporaryPath, "/tmp/trivolan-test/");
  EXPECT_EQ(s->Resolution, 600);
  EXPECT_EQ(s->Threshold, 90);
  EXPECT_EQ(s->UserGamma, 1);  // default histogram points are not neutral
  const ScanRect expected{20, 120, 100, 120};
  EXPECT_DOUBLE_EQ(s->ScanRect.x, expected.x);
  EXPECT_DOUBLE_EQ(s->ScanRect.y, expected.y);
  EXPECT_DOUBLE_EQ(crop.getcropCorRect().size.height, 120);

  std::optional<fnd::Dictionary> dict = UIM_CreateDictionary_ScanInfoDT(&info, 1, 0);
  ASSERT_TRUE(dict.has_value());
  ScanInfo decoded;
  ASSERT_EQ(UIM_GetDictionary_ScanInfo(&*dict, &decoded), 0);
  ASSERT_EQ(decoded.crop_num, 2);
  ASSERT_NE(decoded.CropItem[1], nullptr);
  EXPECT_EQ(decoded.CropItem[1]->DATA_WIDTH, s->DATA_WIDTH);
  EXPECT_EQ(decoded.CropItem[1]->DATA_HEIGHT, s->DATA_HEIGHT);
  EXPECT_EQ(decoded.CropItem[1]->DATA_P, s->DATA_P);
  EXPECT_EQ(decoded.CropItem[1]->DATA_H, s->DATA_H);
  // The scan module answers through the cells.
  *decoded.CropItem[1]->DATA_WIDTH = 77;
  EXPECT_EQ(*s->DATA_WIDTH, 77);
  UIM_Clear_ScanInfo(&decoded);

  // Everything the request holds goes; the sanitizer run checks nothing leaks.
  Quirel_PreviewInfo::freeCropItem(&info);
  for (CropSetting* item : info.CropItem) EXPECT_EQ(item, nullptr);
  EXPECT_EQ(info.Setting.temporaryPath, nullptr);
  Quirel_PreviewInfo::freeCropItem(&info);  // twice is harmless
  Quirel_PreviewInfo::freeCropItem(nullptr);
}

TEST(PreviewInfoCropRecord, AutoToneFiveIsSentAsOneAndAnswered) {
  Fixture f;
  f.advanced.imageSource = 0;
  f.advanced.colorMode = 3;
  f.model.setPrevModeandId(1, nullptr, &f.advanced);
  Quirel_CropInfo crop;
  crop.setVisiblePreviewSize_Pixel96({200, 100});
  crop.setInputRect_Pixel96(makeSRectDouble(10, 20, 50, 40));
  crop.setAutoTone(5);
  crop.setColorAdjust(0);
  ScanInfo info;
  // Colour matching off (cs 0): the corrections give AutoTone from the colour adjust (0), then 5 -> 1.
  EXPECT_EQ(f.model.cropSettingDataSM(&info, 1, &crop), 5);
  EXPECT_EQ(info.CropItem[1]->AutoTone, 1);
  EXPECT_EQ(info.Setting.ColorMode, 2);
  Quirel_PreviewInfo::freeCropItem(&info);
}

TEST(PreviewInfoCropRecord, FilmCropsCarryExposureAndTheirRectangle) {
  Fixture f;
  f.basic.film = true;
  f.model.setPrevModeandId(0, &f.basic, nullptr);
  Quirel_CropInfo crop;
  crop.setVisiblePreviewSize_Pixel96({200, 100});
  crop.setInputRect_Pixel96(makeSRectDouble(10, 20, 50, 40));
  crop.setExposure(true);
  crop.setExposureValue(130);
  ScanInfo info;
  f.model.cropSettingDataSM(&info, 1, &crop);
  EXPECT_EQ(info.CropItem[1]->meRatio, 130);
  EXPECT_DOUBLE_EQ(info.CropItem[1]->AGRect.width, info.CropItem[1]->ScanRect.width);
  Quirel_PreviewInfo::freeCropItem(&info);
}

TEST(PreviewInfoCropRecord, NullModeAndNullCropReadAsEmpty) {
  fnd::NotificationCenter center;
  Quirel_PreviewInfo model(center);
  ScanInfo info;
  EXPECT_EQ(model.cropSettingDataSM(&info, 1, nullptr), 0);
  EXPECT_EQ(info.crop_num, 2);
  ASSERT_NE(info.CropItem[1], nullptr);
  EXPECT_EQ(info.CropItem[1]->UserGamma, 0);
  Quirel_PreviewInfo::freeCropItem(&info);
  model.multicropSettingDataSM(&info, nullptr);
  EXPECT_EQ(info.crop_num, 2);
  Quirel_PreviewInfo::freeCropItem(&info);
  EXPECT_EQ(model.cropSettingDataSM(nullptr, 1, nullptr), 0);
}

TEST(PreviewInfoCropRecord, MultiCropFrameWorkedExample) {
  Fixture f;
  f.advanced.colorMode = 3;
  f.model.setPrevModeandId(1, nullptr, &f.advanced);
  Quirel_CropInfo crop;
  crop.setMultiCrop(true);
  const SPointDouble corners[4] = {{10.7, 20.2}, {110.9, 20.2}, {110.9, 80.5}, {10.7, 80.5}};
  crop.setMultiCropCorPoints(corners);
  crop.setUnsharpMask(1);
  ScanInfo info;
  f.model.multicropSettingDataSM(&info, &crop);
  const CropSetting* s = info.CropItem[1];
  ASSERT_NE(s, nullptr);
  EXPECT_DOUBLE_EQ(s->ScanRect.x, 10);
  EXPECT_DOUBLE_EQ(s->ScanRect.y, 20);
  EXPECT_DOUBLE_EQ(s->ScanRect.width, 101);
  EXPECT_DOUBLE_EQ(s->ScanRect.height, 61);
  const SRectDouble cor = crop.getcropCorRect();
  EXPECT_DOUBLE_EQ(cor.origin.x, 10);
  EXPECT_DOUBLE_EQ(cor.origin.y, 20);
  EXPECT_DOUBLE_EQ(cor.size.width, 100);
  EXPECT_DOUBLE_EQ(cor.size.height, 60);
  EXPECT_EQ(s->CropShape.Format, 4);
  std::int32_t shape[8];
  std::memcpy(shape, s->CropShape.Shape, sizeof(shape));
  const std::int32_t expected[8] = {10, 20, 110, 20, 110, 80, 10, 80};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(shape[i], expected[i]);
  EXPECT_EQ(info.OnePass, 1);
  EXPECT_EQ(info.BitDepth, 0);
  EXPECT_EQ(s->UnsharpMask, 1);
  EXPECT_EQ(s->AutoTone, 1);
  EXPECT_EQ(s->UserGamma, 1);
  Quirel_PreviewInfo::freeCropItem(&info);
}

TEST(PreviewInfoCropRecord, AutoCropInitRect) {
  Quirel_PreviewInfo model;
  const fnd::Dictionary found{{"min", fnd::Dictionary{{"X", 0}, {"Y", 0}}},
                              {"max", fnd::Dictionary{{"X", 99}, {"Y", 49}}}};
  model.setAutoCropInitRect(&found);
  const SRectDouble r = model.getAutoCropRect();
  EXPECT_DOUBLE_EQ(r.origin.x, 0);
  EXPECT_DOUBLE_EQ(r.size.width, 100);
  EXPECT_DOUBLE_EQ(r.size.height, 50);
  EXPECT_DOUBLE_EQ(model.getPrevInitAutoCrop().size.width, 100);

  // Without one: the whole preview, converted to the auto-crop resolution when it differs.
  model.setWholeSize(400, 300);
  auto scanner = std::make_shared<Quirel_UIScannerInfo>(fnd::Dictionary{{"PlatenAutoCropResolution", 50}});
  const fnd::Dictionary init{{"Flatbed", fnd::Dictionary{{"PreviewResX", 100}}}};
  scanner->setInitSettingData(&init);
  model.setScannerInfo(scanner);
  model.setAutoCropInitRect(nullptr);
  EXPECT_DOUBLE_EQ(model.getAutoCropRect().size.width, 200);
  EXPECT_DOUBLE_EQ(model.getAutoCropRect().size.height, 150);
}

TEST(PreviewInfoCropRecord, MultiCropPointList) {
  Quirel_PreviewInfo model;
  model.setWholeSize(400, 300);
  const fnd::Value given = fnd::Dictionary{{"tag", 1}};
  const fnd::Value second = fnd::Dictionary{{"tag", 2}};

  // One entry, keep-single clear: the whole-preview entry, not the given one.
  model.setmultiCropPointArray(fnd::Array{given}, false, true, true);
  ASSERT_EQ(model.getMultiCropPoints().size(), 1u);
  const fnd::Value& whole = model.getMultiCropPoints()[0];
  EXPECT_EQ(whole["points"].toArray().size(), 4u);
  EXPECT_EQ(whole["points"][2]["X"].toInt(), 400);
  EXPECT_EQ(whole["points"][2]["Y"].toInt(), 300);
  EXPECT_EQ(whole["max"]["X"].toInt(), 400);
  EXPECT_EQ(whole["min"]["Y"].toInt(), 0);
  EXPECT_EQ(model.getThumbnailAuto(), 0);

  // Keep-single set: the given entry.
  model.setmultiCropPointArray(fnd::Array{given}, true, false, true);
  ASSERT_EQ(model.getMultiCropPoints().size(), 1u);
  EXPECT_EQ(model.getMultiCropPoints()[0], given);
  EXPECT_EQ(model.getThumbnailAuto(), 1);

  // An empty list with keep-single set stores nothing and reads no entry.
  model.setmultiCropPointArray(fnd::Array{}, true, true, true);
  EXPECT_TRUE(model.getMultiCropPoints().empty());
  EXPECT_EQ(model.getThumbnailAuto(), 0);

  // Two or more: entry 0 (the whole found area) is skipped.
  model.setmultiCropPointArray(fnd::Array{given, second, given}, false, true, true);
  ASSERT_EQ(model.getMultiCropPoints().size(), 2u);
  EXPECT_EQ(model.getMultiCropPoints()[0], second);
  EXPECT_EQ(model.getThumbnailAuto(), 1);
  model.setmultiCropPointArray(fnd::Array{given, second}, false, false, true);
  EXPECT_EQ(model.getThumbnailAuto(), 0);
}
