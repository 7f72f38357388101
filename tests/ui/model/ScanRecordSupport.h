#pragma once

// Building and comparing scan-settings records for the codec and carrier tests.

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "ui/model/SM_COMMON/ScanDic/ScanDic.h"

namespace scanrecord {

struct FreeRecord {
  void operator()(ScanInfo* info) const { UIM_Free_ScanInfo(info); }
};
using RecordPtr = std::unique_ptr<ScanInfo, FreeRecord>;

inline RecordPtr newRecord() { return RecordPtr(static_cast<ScanInfo*>(std::calloc(1, sizeof(ScanInfo)))); }

inline char* dup(const char* s) {
  char* p = static_cast<char*>(std::malloc(std::strlen(s) + 1));
  std::strcpy(p, s);
  return p;
}

// A crop whose every carried field holds a value of its own, derived from n.
inline CropSetting* newCrop(int n) {
  auto* c = static_cast<CropSetting*>(std::calloc(1, sizeof(CropSetting)));
  std::int32_t* ints[] = {&c->AutoTone,      &c->UnsharpMask,       &c->Descreen,          &c->ReduceDust,
                          &c->FadingCorrect, &c->GrainCorrect,      &c->BacklightCorrect,  &c->Threshold,
                          &c->UserGamma,     &c->Resolution,        &c->RangeMode,         &c->SetDataRetain,
                          &c->UseDataRetain, &c->CuBS,              &c->IRScan,            &c->SIRScan,
                          &c->HSLCyanRed,    &c->HSLMagentaGreen,   &c->HSLYellowBlue,     &c->HSLSaturation,
                          &c->meRatio,       &c->IMAGEDOCUMENTTYPE, &c->UISettingDocument, &c->COMPRESSION,
                          &c->AUTOFINE,      &c->AUTOFINEPHOTO,     &c->AUTOFINEDOCUMENT,  &c->FREESIZE,
                          &c->ALMBasicDestination};
  int k = 1;
  for (std::int32_t* p : ints) *p = n * 100 + k++;
  c->Rotation = 1 + n % 3;
  c->Mirror = n % 2;
  c->Scale = 50.25 + n;
  c->ScanRect = ScanRect{1.5 * n, 2.25 + n, 300.0 + n, 400.5 + n};
  c->AGRect = ScanRect{0.5, 0.75, 10.0 + n, 20.0};
  c->TRIMRECT = ScanRect{3.0, 4.0, 5.0 + n, 6.0};
  c->CropShape.Format = 4;
  for (int i = 0; i < 32; ++i) c->CropShape.Shape[i] = static_cast<std::uint8_t>(n + i);
  c->DATA_WIDTH = reinterpret_cast<std::int32_t*>(static_cast<std::uintptr_t>(0x1000 + n * 16));
  return c;
}

// A record that survives the dictionary form unchanged: every carried field set, no field
// that the reader converts in its unconverted form, record-only fields zero.
inline RecordPtr fullRecord(int crops) {
  RecordPtr r = newRecord();
  ScanSetting& s = r->Setting;
  s.NeedScan = 1;
  s.MonitorGamma = 2.2;
  s.ImageSource = 1;
  s.Threshold = 110;
  s.ColorMode = 2;
  s.ColorSetting = 1;
  s.ColorSync.monitor = 1;
  s.ColorSync.SourceProfile = dup("/profiles/in.icc");
  s.ColorSync.TargetProfile = dup("/profiles/out.icc");
  s.ScanRect = ScanRect{0.25, 0.5, 8.5, 11.75};
  s.WindowWidth = 640;
  s.WindowHeight = 480;
  s.UiLessScan = 1;
  s.NoCloseUI = 2;
  s.temporaryPath = dup("/tmp/scan work");
  std::int32_t* ints[] = {&r->OnePass,       &r->InputSource,   &r->Rotation,          &r->InvertADF,
                          &r->target_num,    &r->BitDepth,      &r->CopyGamma,         &r->FilmDetectArea,
                          &r->Silent,        &r->Calibration,   &r->HighQuality,       &r->ImageDocumentType,
                          &r->PullPush,      &r->OrderRejection, &r->HighSpeedScan,    &r->InputDocumentSize,
                          &r->ICAOverView,   &r->FAInputSourceADF, &r->RefSumMode,     &r->ALMViewScannedImages,
                          &r->ADFPrefetch};
  int k = 1;
  for (std::int32_t* p : ints) *p = 1000 + k++;
  r->InputSource = 2;  // a feeder: book correction allowed
  r->Rotation = 3;
  r->crop_num = crops;
  for (int i = 0; i < crops; ++i) r->CropItem[i] = newCrop(i);
  return r;
}

// Same content: fields and crops byte for byte, strings by their text.
inline void expectSameRecord(const ScanInfo& a, const ScanInfo& b) {
  auto sameString = [](const char* x, const char* y, const char* what) {
    ASSERT_EQ(x == nullptr, y == nullptr) << what;
    if (x) {
      EXPECT_STREQ(x, y) << what;
    }
  };
  sameString(a.Setting.temporaryPath, b.Setting.temporaryPath, "temporaryPath");
  sameString(a.Setting.ColorSync.SourceProfile, b.Setting.ColorSync.SourceProfile, "SourceProfile");
  sameString(a.Setting.ColorSync.TargetProfile, b.Setting.ColorSync.TargetProfile, "TargetProfile");
  for (int i = 0; i < kScanInfoMaxCrops; ++i) {
    ASSERT_EQ(a.CropItem[i] == nullptr, b.CropItem[i] == nullptr) << "slot " << i;
    if (a.CropItem[i]) {
      EXPECT_EQ(0, std::memcmp(a.CropItem[i], b.CropItem[i], sizeof(CropSetting))) << "crop " << i;
    }
  }
  ScanInfo x = a;
  ScanInfo y = b;
  for (ScanInfo* r : {&x, &y}) {
    r->Setting.temporaryPath = r->Setting.ColorSync.SourceProfile = r->Setting.ColorSync.TargetProfile = nullptr;
    std::memset(r->CropItem, 0, sizeof r->CropItem);
  }
  EXPECT_EQ(0, std::memcmp(&x, &y, sizeof x));
}

}  // namespace scanrecord
