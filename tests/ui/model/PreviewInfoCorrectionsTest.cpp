#include <gtest/gtest.h>

#include <cstring>

#include "ModeLinkDoubles.h"
#include "ui/model/PreviewInfo.h"

namespace {

// A crop with every correction switched on, so what a request leaves out shows as 0.
std::unique_ptr<Quirel_CropInfo> busyCrop() {
  auto c = std::make_unique<Quirel_CropInfo>();
  c->setAutoTone(3);
  c->setUnsharpMask(1);
  c->setDescreen(1);
  c->setReduceDust(1);
  c->setGrainCorrect(1);
  c->setFadingCorrect(1);
  c->setBackLightCorrect(1);
  c->setBookCorrect(1);
  c->setRemoveDust(1);
  c->setReduceDustFAU(1);
  c->setColorAdjust(3);
  c->setCopyGamma(2);
  c->setAutoDocCorrect(1);
  c->setDestination(1);
  c->setColorBalance({11, 12, 13, 14});
  return c;
}

CropSetting dirty() {
  CropSetting s;
  std::memset(&s, 0x5a, sizeof(s));
  s.DATA_WIDTH = nullptr;
  s.DATA_HEIGHT = nullptr;
  s.DATA_P = nullptr;
  s.DATA_H = nullptr;
  return s;
}

}  // namespace

TEST(PreviewInfoCorrections, BasicBlackAndWhiteGetsNoSharpeningDocumentTypeOrBalance) {
  Quirel_PreviewInfo model;
  auto crop = busyCrop();
  for (int cs : {0, 1, 2, 3})
    for (bool preview : {false, true})
      for (int versions = 0; versions < 8; ++versions) {
        const bool v310 = versions & 1, v1400 = versions & 2, v1500 = versions & 4;
        CropSetting s = dirty();
        const bool documentType =
            model.setImageSettingInCropSettingStd(&s, crop.get(), preview, 2, cs, v310, v1400, v1500);
        EXPECT_FALSE(documentType);
        EXPECT_EQ(s.UnsharpMask, 0);
        EXPECT_EQ(s.Descreen, 0);
        EXPECT_EQ(s.IMAGEDOCUMENTTYPE, 0);
        EXPECT_EQ(s.HSLCyanRed, 0);
        EXPECT_EQ(s.HSLMagentaGreen, 0);
        EXPECT_EQ(s.HSLYellowBlue, 0);
        EXPECT_EQ(s.AutoTone, 0) << cs << preview << versions;
      }
}

TEST(PreviewInfoCorrections, WithoutVer1500TheOperationsAnswerNo) {
  Quirel_PreviewInfo model;
  auto crop = busyCrop();
  for (int cs : {0, 1, 2})
    for (bool preview : {false, true})
      for (int v = 0; v < 4; ++v) {
        for (int idx = 0; idx < 14; ++idx) {
          CropSetting s = dirty();
          EXPECT_FALSE(model.setImageSettingInCropSettingStd(&s, crop.get(), preview, idx, cs, v & 1, v & 2, false));
          EXPECT_EQ(s.IMAGEDOCUMENTTYPE, 0);
          EXPECT_EQ(s.UISettingDocument, 0);
        }
        for (int idx = 0; idx < 7; ++idx)
          for (int cidx = 0; cidx < 6; ++cidx) {
            CropSetting s = dirty();
            EXPECT_FALSE(model.setImageSettingInCropSettingExt(&s, crop.get(), preview, cidx, cs, idx, v & 1, v & 2,
                                                               false));
            EXPECT_EQ(s.IMAGEDOCUMENTTYPE, 0);
            EXPECT_EQ(s.UISettingDocument, 0);
          }
      }
  // AutoTone is what the preview-dependent steps set: colour matching off, preview on.
  CropSetting s = dirty();
  model.setImageSettingInCropSettingExt(&s, crop.get(), true, 3, 0, 0, false, false, false);
  EXPECT_EQ(s.AutoTone, 3);
  model.setImageSettingInCropSettingExt(&s, crop.get(), false, 3, 0, 0, false, false, false);
  EXPECT_EQ(s.AutoTone, 0);
}

TEST(PreviewInfoCorrections, AdvancedCases) {
  Quirel_PreviewInfo model;
  auto crop = busyCrop();
  struct Case {
    bool preview;
    int cidx, cs, idx;
    bool v310, v1400, v1500;
    // expected
    bool documentType;
    int autoTone, unsharp, fading, backlight, cubs, irScan, sirScan, saturation, docType, uiDoc;
  } cases[] = {
      // colour photo, colour matching off, preview, newest scanner
      {true, 3, 0, 0, false, false, true, true, 1, 1, 1, 1, 1, 0, 0, 11, 4096, 14},
      // same without preview: the four set values only
      {false, 3, 0, 0, false, false, true, false, 0, 1, 0, 0, 0, 0, 0, 11, 0, 9},
      // grey (cidx 1): no fading, no balance
      {true, 1, 0, 0, false, false, true, true, 1, 1, 0, 1, 1, 0, 0, 0, 4096, 14},
      // black and white (cidx 0), cs 0: nothing but book correction and the settings document
      {true, 0, 0, 0, false, false, true, false, 0, 0, 0, 0, 1, 0, 0, 0, 0, 9},
      // film source 1: dust from the crop
      {true, 3, 0, 1, false, false, true, true, 1, 1, 1, 1, 0, 1, 1, 11, 0, 22},
      // film source 3: only the infrared dust removal of the film unit
      {true, 3, 0, 3, false, false, true, true, 1, 1, 1, 1, 0, 0, 1, 11, 0, 24},
      // colour matching (cs 1), older scanner: the four set values instead of AutoTone
      {true, 3, 1, 0, true, false, true, false, 0, 1, 0, 0, 1, 0, 0, 0, 0, 9},
      {true, 3, 1, 0, false, false, true, false, 3, 0, 0, 0, 1, 0, 0, 0, 0, 9},
      // cs 2 on a film source with preview: document type, no AutoTone
      {true, 3, 2, 2, false, false, true, true, 0, 1, 0, 0, 0, 1, 1, 11, 12288, 21},
      // feeder source 5
      {true, 3, 0, 5, false, false, true, true, 1, 1, 1, 1, 0, 0, 0, 11, 4096, 16},
  };
  for (const Case& c : cases) {
    CropSetting s = dirty();
    const bool d = model.setImageSettingInCropSettingExt(&s, crop.get(), c.preview, c.cidx, c.cs, c.idx, c.v310,
                                                         c.v1400, c.v1500);
    const std::string where = "cidx " + std::to_string(c.cidx) + " cs " + std::to_string(c.cs) + " idx " +
                              std::to_string(c.idx) + " preview " + std::to_string(c.preview);
    EXPECT_EQ(d, c.documentType) << where;
    EXPECT_EQ(s.AutoTone, c.autoTone) << where;
    EXPECT_EQ(s.UnsharpMask, c.unsharp) << where;
    EXPECT_EQ(s.FadingCorrect, c.fading) << where;
    EXPECT_EQ(s.BacklightCorrect, c.backlight) << where;
    EXPECT_EQ(s.CuBS, c.cubs) << where;
    EXPECT_EQ(s.IRScan, c.irScan) << where;
    EXPECT_EQ(s.SIRScan, c.sirScan) << where;
    EXPECT_EQ(s.HSLSaturation, c.saturation) << where;
    EXPECT_EQ(s.IMAGEDOCUMENTTYPE, c.docType) << where;
    EXPECT_EQ(s.UISettingDocument, c.uiDoc) << where;
  }
  // A multi-crop frame: AutoTone forced on, fading, backlight and book correction off, no balance.
  crop->setMultiCrop(true);
  CropSetting s = dirty();
  model.setImageSettingInCropSettingExt(&s, crop.get(), true, 3, 0, 0, false, false, false);
  EXPECT_EQ(s.AutoTone, 1);
  EXPECT_EQ(s.FadingCorrect, 0);
  EXPECT_EQ(s.CuBS, 0);
  EXPECT_EQ(s.HSLSaturation, 0);
}

TEST(PreviewInfoCorrections, BasicCasesAndAutoFine) {
  Quirel_PreviewInfo model;
  auto crop = busyCrop();
  // Photo (idx 0), cs 0, preview, newest: balance without saturation, AutoTone 1, destination.
  CropSetting s = dirty();
  EXPECT_TRUE(model.setImageSettingInCropSettingStd(&s, crop.get(), true, 0, 0, false, false, true));
  EXPECT_EQ(s.HSLCyanRed, 12);
  EXPECT_EQ(s.HSLSaturation, 0x5a5a5a5a);  // not the basic mode's to touch
  EXPECT_EQ(s.AutoTone, 1);
  EXPECT_EQ(s.UnsharpMask, 1);
  EXPECT_EQ(s.FadingCorrect, 1);
  EXPECT_EQ(s.IMAGEDOCUMENTTYPE, 12288);
  EXPECT_EQ(s.UISettingDocument, 1);
  EXPECT_EQ(s.ALMBasicDestination, 2);
  EXPECT_EQ(s.CuBS, 0);  // book correction only for document sources, and only with Ver1700

  // Magazine (idx 1): descreen; book correction needs mVer1700, which a request sets.
  s = dirty();
  model.setImageSettingInCropSettingStd(&s, crop.get(), true, 1, 0, false, false, false);
  EXPECT_EQ(s.Descreen, 1);
  EXPECT_EQ(s.CuBS, 0);
  EXPECT_EQ(s.AutoTone, 3);

  // Film (idx 4): dust; cs 1 on a balance source, older scanner: no AutoTone.
  s = dirty();
  model.setImageSettingInCropSettingStd(&s, crop.get(), true, 4, 1, true, false, true);
  EXPECT_EQ(s.IRScan, 1);
  EXPECT_EQ(s.SIRScan, 1);
  EXPECT_EQ(s.AutoTone, 0);
  EXPECT_EQ(s.UnsharpMask, 1);
  EXPECT_EQ(s.HSLCyanRed, 0);  // colour matching carries no balance
  EXPECT_EQ(s.IMAGEDOCUMENTTYPE, 0);

  // Automatic document correction: only cs 0 with Ver1700Later.
  s = dirty();
  s.AutoTone = 1;
  model.setImageSettingInCropSettingStdAutoFine(&s, crop.get(), true, 3, 0, true);
  EXPECT_EQ(s.AUTOFINEDOCUMENT, 1);
  EXPECT_EQ(s.AutoTone, 0);
  EXPECT_EQ(s.CuBS, 1);
  EXPECT_EQ(s.FadingCorrect, 0);
  s = dirty();
  model.setImageSettingInCropSettingStdAutoFine(&s, crop.get(), true, 0, 0, true);
  EXPECT_EQ(s.FadingCorrect, 1);
  EXPECT_EQ(s.AUTOFINEDOCUMENT, 0);
  s = dirty();
  model.setImageSettingInCropSettingStdAutoFine(&s, crop.get(), false, 9, 0, true);
  EXPECT_EQ(s.AUTOFINEDOCUMENT, 1);
  EXPECT_EQ(s.CuBS, 0);
  s = dirty();
  model.setImageSettingInCropSettingStdAutoFine(&s, crop.get(), true, 3, 1, true);
  EXPECT_EQ(s.AUTOFINEDOCUMENT, 0x5a5a5a5a);
  model.setImageSettingInCropSettingStdAutoFine(&s, crop.get(), true, 3, 0, false);
  EXPECT_EQ(s.AUTOFINEDOCUMENT, 0x5a5a5a5a);

  // A null crop clears and answers NO.
  s = dirty();
  EXPECT_FALSE(model.setImageSettingInCropSettingStd(&s, nullptr, true, 0, 0, false, false, true));
  EXPECT_EQ(s.UnsharpMask, 0);
  EXPECT_FALSE(model.setImageSettingInCropSettingExt(&s, nullptr, true, 3, 0, 0, false, false, true));
  model.setImageSettingInCropSettingStdAutoFine(&s, nullptr, true, 3, 0, true);
}
