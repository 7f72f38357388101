// The information panel's rows and value texts as pure functions: which rows each layout
// shows, and the texts of sizes, lengths and codes.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SettingsDialogsTestSupport.h"
#include "ui/settings/InfoDialogRows.h"

namespace {

using IR = Quirel_InfoDialogRows;

// Texts stand for their keys, so the tests read which key was chosen.
std::string infoRowsKey(const std::string& key) { return key; }

// Every feature of the panel on, by version.
std::unique_ptr<Quirel_UIScannerInfo> infoRowsScanner(bool v1400, bool v1700, bool racs2 = false,
                                                      bool ver310 = false) {
  fnd::Dictionary extra{{"AutoTone", true},         {"ImageAdjustment", true},  {"CopyGamma", true},
                        {"Unsharp", true},          {"Descreen", true},         {"ReduceDust", true},
                        {"ReduceDustForFAU", true}, {"VEXA", true},             {"FadingCorrect", true},
                        {"GrainCorrect", true},     {"BackLightCorrect", true}, {"BookCorrect", true},
                        {"AutoDocCorrect", true},   {"RACS2", racs2},           {"HighQualityMode", true},
                        {"AlwaysCalibration", true}, {"QuietMode", true},       {"QuietModeSettingType", 0},
                        {"Ver310", ver310}};
  return settings2_test::s2Scanner(true, v1400, v1400, v1700, extra);
}

std::vector<IR::Row> infoShownRows(const IR::Shown& shown) {
  std::vector<IR::Row> rows;
  for (int i = 0; i < IR::kRowCount; ++i)
    if (shown[static_cast<std::size_t>(i)]) rows.push_back(static_cast<IR::Row>(i));
  return rows;
}

}  // namespace

TEST(InfoDialogRows, TheRowTableOverBothLayouts) {
  auto s = infoRowsScanner(true, true);
  struct Case {
    const char* what;
    IR::Choice choice;
    std::vector<IR::Row> shown;
  };
  IR::Choice platen;  // basic mode, platen, colour, recommended colour setting
  platen.colorMode = 3;
  IR::Choice multi = platen;
  multi.multiCrop = true;
  IR::Choice feeder = platen;
  feeder.scanMode = 4;
  feeder.uiMode = 1;
  IR::Choice film;
  film.scanMode = 2;
  film.imageSource = 1;
  film.colorMode = 3;
  film.hasPreview = true;
  film.exposure = true;
  film.uiMode = 1;
  IR::Choice filmThumbs = film;
  filmThumbs.scanMode = 3;
  filmThumbs.hasPreview = false;
  filmThumbs.exposure = false;
  filmThumbs.outputSizeNo = 4;
  const std::vector<Case> cases = {
      {"platen",
       platen,
       {IR::Interface, IR::Source, IR::PaperSize, IR::InputW, IR::InputH, IR::ColorMode, IR::Resolution, IR::OutputSize,
        IR::OutputW, IR::OutputH, IR::OutputScale, IR::DataSize, IR::AutoTone, IR::AutoDocCorrect, IR::ColorAdjust,
        IR::Unsharp, IR::Descreen, IR::ReduceDust, IR::Fading, IR::Grain, IR::BackLight, IR::Book, IR::CalbEveryScan,
        IR::ColorSetting, IR::SilentMode, IR::NumberCrop}},
      {"multi-crop",
       multi,
       {IR::Interface, IR::Source, IR::PaperSize, IR::ColorMode, IR::Resolution, IR::AutoTone, IR::AutoDocCorrect,
        IR::ColorAdjust, IR::Unsharp, IR::Descreen, IR::ReduceDust, IR::Fading, IR::Grain, IR::BackLight, IR::Book,
        IR::CalbEveryScan, IR::ColorSetting, IR::SilentMode, IR::NumberCrop}},
      // Feeder on 1400+: no auto tone, fading or backlight; no colour adjustment without the
      // newer gamma; copy gamma only here without it; no book correction; advanced: no document fix.
      {"feeder",
       feeder,
       {IR::Interface, IR::Source, IR::PaperSize, IR::InputW, IR::InputH, IR::ColorMode, IR::Resolution, IR::OutputSize,
        IR::OutputW, IR::OutputH, IR::OutputScale, IR::DataSize, IR::CopyGamma, IR::Unsharp, IR::Descreen,
        IR::ReduceDust, IR::Grain, IR::CalbEveryScan, IR::ColorSetting, IR::SilentMode, IR::NumberCrop}},
      {"film",
       film,
       {IR::Interface, IR::Source, IR::FilmSize, IR::InputW, IR::InputH, IR::ColorMode, IR::Resolution, IR::OutputSize,
        IR::OutputW, IR::OutputH, IR::OutputScale, IR::DataSize, IR::AutoTone, IR::ColorAdjust, IR::Unsharp,
        IR::RemoveDust, IR::ReduceDustFAU, IR::Fading, IR::Grain, IR::BackLight, IR::Exposure, IR::ExposureValue,
        IR::SaveCropTone, IR::HighQualityMode, IR::CalbEveryScan, IR::ColorSetting, IR::SilentMode, IR::NumberCrop}},
      {"film thumbnails",
       filmThumbs,
       {IR::Interface, IR::Source, IR::ColorMode, IR::Resolution, IR::OutputSize, IR::AutoTone, IR::ColorAdjust,
        IR::Unsharp, IR::RemoveDust, IR::ReduceDustFAU, IR::Fading, IR::Grain, IR::BackLight, IR::Exposure,
        IR::SaveFrameTone, IR::HighQualityMode, IR::CalbEveryScan, IR::ColorSetting, IR::SilentMode}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(infoShownRows(IR::select(c.choice, *s)), c.shown) << c.what;
  }
}

TEST(InfoDialogRows, WithoutColourTheCorrectionRowsGoButBookAndCalibrationFollowTheirOwnRules) {
  auto s = infoRowsScanner(true, true);
  for (int mode : {0, 6}) {
    IR::Choice c;
    c.colorMode = mode;
    const IR::Shown shown = IR::select(c, *s);
    for (int r = IR::AutoTone; r <= IR::BackLight; ++r) EXPECT_FALSE(shown[static_cast<std::size_t>(r)]) << mode << " " << r;
    EXPECT_TRUE(shown[IR::Book]);
    EXPECT_TRUE(shown[IR::CalbEveryScan]);
  }
  // Colour mode 1 (gray): C holds but fading needs a colour mode.
  IR::Choice gray;
  gray.colorMode = 1;
  EXPECT_TRUE(IR::select(gray, *s)[IR::Unsharp]);
  EXPECT_FALSE(IR::select(gray, *s)[IR::Fading]);
}

TEST(InfoDialogRows, RuleAForAutoToneByVersionAndColourSetting) {
  struct Case {
    bool v1400, ver310;
    int colorSetting, scanMode;
    bool shown;
  };
  const std::vector<Case> cases = {
      // Old models: shown unless the colour setting is 2.
      {false, false, 0, 0, true}, {false, false, 1, 0, true}, {false, false, 2, 0, false}, {false, false, 1, 4, true},
      // Others: only with colour setting 0, and not in the feeder on 1400+.
      {true, false, 0, 0, true},  {true, false, 1, 0, false}, {true, false, 0, 4, false}, {false, true, 0, 4, true},
      {false, true, 1, 0, false},
      // Film layout on 1400+: the feeder rule does not apply.
      {true, false, 0, 2, true},
  };
  for (const Case& c : cases) {
    auto s = infoRowsScanner(c.v1400, false, false, c.ver310);
    IR::Choice choice;
    choice.colorMode = 3;
    choice.colorSetting = c.colorSetting;
    choice.scanMode = c.scanMode;
    EXPECT_EQ(IR::select(choice, *s)[IR::AutoTone], c.shown)
        << c.v1400 << c.ver310 << " setting " << c.colorSetting << " mode " << c.scanMode;
  }
  auto noAutoTone = settings2_test::s2Scanner(true, true, true, true, {{"AutoTone", false}});
  IR::Choice plain;
  plain.colorMode = 3;
  EXPECT_FALSE(IR::select(plain, *noAutoTone)[IR::AutoTone]);
}

TEST(InfoDialogRows, CopyGammaAndQuietModeByScannerFlags) {
  IR::Choice c;
  c.colorMode = 3;
  EXPECT_TRUE(IR::select(c, *infoRowsScanner(true, true, true))[IR::CopyGamma]);
  c.hideCopyGamma = true;
  EXPECT_FALSE(IR::select(c, *infoRowsScanner(true, true, true))[IR::CopyGamma]);
  c.hideCopyGamma = false;
  EXPECT_FALSE(IR::select(c, *infoRowsScanner(true, true, false))[IR::CopyGamma]);  // platen, older gamma
  for (int type : {1, 2}) {
    auto s = settings2_test::s2Scanner(true, true, true, true, {{"QuietMode", true}, {"QuietModeSettingType", type}});
    EXPECT_FALSE(IR::select(c, *s)[IR::SilentMode]);
  }
}

TEST(InfoDialogRows, SizesInTheirUnitRoundedDown) {
  const auto k = infoRowsKey;
  EXPECT_EQ(IR::dataSizeText(1073741825ULL, true, k), "1.01 IDS_GB");
  EXPECT_EQ(IR::dataSizeText(1073741825ULL, false, k), "1.00 IDS_GB");
  EXPECT_EQ(IR::dataSizeText(1073741824ULL, true, k), "1024.00 IDS_MB");
  EXPECT_EQ(IR::dataSizeText(1048576ULL, true, k), "1024.00 IDS_KB");
  EXPECT_EQ(IR::dataSizeText(1048577ULL, true, k), "1.00 IDS_MB");
  EXPECT_EQ(IR::dataSizeText(0, true, k), "0.01 IDS_KB");
  EXPECT_EQ(IR::dataSizeText(1023, false, k), "0.99 IDS_KB");

  EXPECT_EQ(IR::lengthText(1, 21.59, true, k), "215.9 UNT_1300_1");
  EXPECT_EQ(IR::lengthText(1, 21.59, false, k), "21.59 UNT1");
  EXPECT_EQ(IR::lengthText(0, 2.999, true, k), "2.99 UNT_1300_0");
  EXPECT_EQ(IR::lengthText(0, 2.3, true, k), "2.30 UNT_1300_0");
  EXPECT_EQ(IR::lengthText(0, 0.29, false, k), "0.29 UNT0");
  EXPECT_EQ(IR::lengthText(2, 1199.7, true, k), "1199 UNT_1300_2");
  EXPECT_EQ(IR::lengthText(-1, 5, true, k), "-");
  EXPECT_EQ(IR::roundDown(1.239, 2), "1.23");
}

TEST(InfoDialogRows, CodesMapToTheirTextsOrADashOrNothing) {
  const auto k = infoRowsKey;
  struct Case {
    std::string got, expected;
  };
  const std::vector<Case> cases = {
      {IR::colorModeText(-1, k), "-"},
      {IR::colorModeText(3, k), "ECOM3"},
      {IR::resolutionText(-1, k), "-"},
      {IR::resolutionText(600, k), "600 IDC_DPI_LABEL_STR"},
      {IR::percentText(120, k), "120 IDMAC_PGADV_AGDATA_PCT_STR"},
      {IR::autoToneText(5, k), "IDMAC_ADV_TONE_SHARE"},
      {IR::autoToneText(3, k), ""},
      {IR::colorAdjustText(4, k), "IDS_ADV_FLAG_MAGAZINE"},
      {IR::colorAdjustText(6, k), ""},
      {IR::colorAdjustText(-1, k), ""},
      {IR::onWhenOneText(1, k), "IDS_ADV_FLAG_ON"},
      {IR::onWhenOneText(7, k), "IDS_ADV_FLAG_OFF"},
      {IR::copyGammaText(0, true, k), "IDS_ADV_FLAG_OFF"},
      {IR::copyGammaText(0, false, k), "IDS_ADV_FLAG_NONE"},
      {IR::copyGammaText(4, false, k), "IDS_INFO_COPY2"},
      {IR::copyGammaText(3, false, k), "-"},
      {IR::unsharpText(2, k), "-"},
      {IR::levelText(1, k), "-"},
      {IR::levelText(3, k), "IDS_INFO_VEXA3"},
      {IR::colorSettingText(1, k), "IDC_PGPREF_TAVO_COLORMATCH_STR"},
      {IR::colorSettingText(9, k), "IDC_PGPREF_NONE_COLORMATCH_STR"},
      {IR::numberCropText(0), "1"},
      {IR::numberCropText(7), "7"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.got, c.expected);
  EXPECT_FALSE(IR::offOnText(2, k).has_value());
  EXPECT_EQ(IR::offOnText(1, k), "IDS_ADV_FLAG_ON");
  auto v1600 = settings2_test::s2Scanner(true, true, true, false);
  auto old = settings2_test::s2Scanner(false, false, false, false);
  EXPECT_EQ(IR::paperSizeText(3, *v1600, k), "PAPERSIZE_1600_3");
  EXPECT_EQ(IR::paperSizeText(3, *old, k), "PAPERSIZE_3");
  EXPECT_EQ(IR::labelKey(IR::FilmSize, *v1600), "IDC_PGADV_SCANSIZE_LABEL_STR");
  EXPECT_EQ(IR::labelKey(IR::SaveFrameTone, *old), "IDS_SAVEAGLABEL_THMB");
}
