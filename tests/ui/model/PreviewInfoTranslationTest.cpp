#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "ModeLinkDoubles.h"
#include "ui/model/PreviewInfo.h"

namespace {

using P = Quirel_PreviewInfo;

struct Row {
  int mode;
  std::vector<int> values;  // by index from 0
  int fallback;             // for the first index past the table and for -1
};

void checkTable(const char* name, int (*f)(int, int), const std::vector<Row>& rows) {
  for (const Row& r : rows) {
    for (std::size_t i = 0; i < r.values.size(); ++i)
      EXPECT_EQ(f(static_cast<int>(i), r.mode), r.values[i]) << name << " mode " << r.mode << " index " << i;
    EXPECT_EQ(f(static_cast<int>(r.values.size()), r.mode), r.fallback) << name << " past the table, mode " << r.mode;
    EXPECT_EQ(f(-1, r.mode), r.fallback) << name << " index -1, mode " << r.mode;
  }
}

}  // namespace

TEST(PreviewInfoTranslation, PlainTablesWithTheirDefaults) {
  checkTable("ImageDocumentType", &P::getImageDocumentTypeToSM,
             {{0, {12288, 4096, 4096, 4096, 12288, 12288, 4096, 4096, 4096, 4096, 4096, 4096, 4096, 4096}, 0},
              {1, {0, 12288, 12288, 12288, 12288, 4096, 4096}, 0},
              {2, {0, 0, 4096, 0, 0}, 0},
              {5, {}, 0}});
  checkTable("ImageSource", &P::getImageSourceToSM,
             {{0, {0, 0, 0, 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0}, 0},
              {1, {0, 1, 1, 1, 1, 0}, 0},
              {2, {0, 0, 0, 0, 0, 1, 1}, 0},
              {3, {}, 0}});
  checkTable("BitDepth", &P::getBitDepthToSM,
             {{0, {8, 8, 1, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8}, 8},
              {1, {1, 8, 16, 8, 16, 8}, 8},
              {2, {8, 8, 1, 8, 8, 8, 8}, 8},
              {7, {}, 8}});
  checkTable("InputSource", &P::getInputSourceToSM,
             {{0, {0, 0, 0, 0, 3, 4, 1, 1, 1, 1, 2, 2, 0, 0}, 0},
              {1, {0, 3, 4, 5, 6, 1, 2}, 0},
              {2, {0, 0, 0, 0, 0, 3, 4}, 0},
              {9, {}, 0}});
  checkTable("ColorMode", static_cast<int (*)(int, int)>(&P::getColorModeToSM),
             {{0, {2, 2, 0, 1, 2, 2, 2, 1, 2, 1, 2, 1, 1, 2}, 2},
              {1, {0, 1, 1, 2, 2, 2}, 2},
              {2, {2, 1, 0, 3, 1, 2, 2}, 2},
              {4, {}, 2}});
  // The named cases.
  EXPECT_EQ(P::getInputSourceToSM(4, 0), 3);
  EXPECT_EQ(P::getInputSourceToSM(4, 1), 6);
  EXPECT_EQ(P::getInputSourceToSM(4, 2), 0);
  EXPECT_EQ(P::getBitDepthToSM(2, 1), 16);
  EXPECT_EQ(P::getBitDepthToSM(99, 1), 8);
}

TEST(PreviewInfoTranslation, ColorModeByScanOrPreview) {
  struct Case {
    int index, mode, type, expected;
  } cases[] = {
      {5, 1, 1, 3},  {5, 1, 0, 2},  {0, 1, 1, 0},  {1, 1, 0, 1},  {2, 1, 1, 1}, {3, 1, 1, 2},  {9, 1, 1, 2},
      {1, 0, 1, 3},  {1, 0, 0, 2},  {2, 0, 0, 0},  {3, 0, 0, 1},  {7, 0, 1, 1}, {9, 0, 1, 1},  {11, 0, 0, 1},
      {12, 0, 0, 1}, {13, 0, 0, 2}, {40, 0, 0, 2}, {0, 0, 1, 2},  {3, 2, 0, 3}, {9, 2, 0, 2},  {1, 4, 1, 2},
  };
  for (const Case& c : cases)
    EXPECT_EQ(P::getColorModeToSM(c.index, c.mode, c.type), c.expected)
        << "index " << c.index << " mode " << c.mode << " type " << c.type;
}

TEST(PreviewInfoTranslation, OnePassAutoExitDestinationRotationInvert) {
  for (int i = 0; i < 7; ++i) EXPECT_EQ(P::getOnePassToSM(i, false, 2, false), i < 5 ? 2 : 4);
  EXPECT_EQ(P::getOnePassToSM(7, true, 2, true), 0);
  EXPECT_EQ(P::getOnePassToSM(0, false, 1, true), 8);
  EXPECT_EQ(P::getOnePassToSM(1, true, 1, true), 1);
  EXPECT_EQ(P::getOnePassToSM(13, false, 0, true), 8);
  EXPECT_EQ(P::getOnePassToSM(4, true, 0, true), 1);
  EXPECT_EQ(P::getOnePassToSM(14, false, 0, true), 0);
  EXPECT_EQ(P::getOnePassToSM(0, true, 3, true), 0);

  EXPECT_EQ(P::getAutoExitToSM(2), 2);
  EXPECT_EQ(P::getAutoExitToSM(0), 1);
  EXPECT_EQ(P::getAutoExitToSM(1), 0);
  EXPECT_EQ(P::getDestinationToSM(0), 1);
  EXPECT_EQ(P::getDestinationToSM(2), 3);
  EXPECT_EQ(P::getDestinationToSM(3), 0);
  EXPECT_EQ(P::getDestinationToSM(-1), 0);

  EXPECT_EQ(P::getADFRotationToSM(5, 1, 1), 1);
  EXPECT_EQ(P::getADFRotationToSM(6, 1, 1), 1);
  EXPECT_EQ(P::getADFRotationToSM(6, 0, 1), 0);
  EXPECT_EQ(P::getADFRotationToSM(6, 1, 0), 0);

  struct Invert {
    int index, direction, binding;
    bool revised;
    int mode, expected;
  } inverts[] = {
      {6, 0, 0, false, 1, 1}, {6, 0, 1, false, 1, 0}, {6, 1, 1, false, 1, 1}, {6, 1, 1, true, 1, 0},
      {6, 1, 0, false, 1, 0}, {6, 1, 0, true, 1, 1},  {6, 1, 2, true, 1, 0},  {6, 2, 0, false, 1, 0},
      {5, 0, 0, false, 1, 0}, {6, 0, 0, false, 0, 0},
  };
  for (const Invert& c : inverts)
    EXPECT_EQ(P::getADFInvertToSM(c.index, c.direction, c.binding, c.revised, c.mode), c.expected)
        << c.index << " " << c.direction << " " << c.binding << " " << c.revised << " " << c.mode;
}

TEST(PreviewInfoTranslation, AdfPrefetchOnlyWhenSetAndForFeederSources) {
  Quirel_PreviewInfo model;
  for (int prefetch : {-1, 0}) {
    model.setADFPrefetch(prefetch);
    for (int mode : {0, 1, 2})
      for (int index = 0; index < 14; ++index) EXPECT_EQ(model.getADFPrefetch(index, mode), 0);
  }
  model.setADFPrefetch(3);
  EXPECT_EQ(model.getADFPrefetch(6, 0), 3);
  EXPECT_EQ(model.getADFPrefetch(11, 0), 3);
  EXPECT_EQ(model.getADFPrefetch(12, 0), 0);
  EXPECT_EQ(model.getADFPrefetch(5, 1), 3);
  EXPECT_EQ(model.getADFPrefetch(4, 1), 0);
  EXPECT_EQ(model.getADFPrefetch(0, 2), 3);
  EXPECT_EQ(model.getADFPrefetch(6, 3), 0);
}

TEST(PreviewInfoTranslation, ColorSettingSlotsAndProfilePaths) {
  Quirel_PreferenceInfo prefs;
  prefs.setColorSetting(0, 0);  // black and white
  prefs.setColorSetting(1, 1);  // grey
  prefs.setColorSetting(3, 2);  // colour
  EXPECT_EQ(P::getColorSettingToSM(1, &prefs, 1), 1);
  EXPECT_EQ(P::getColorSettingToSM(4, &prefs, 1), 2);
  EXPECT_EQ(P::getColorSettingToSM(3, &prefs, 0), 1);   // index 3 -> grey slot
  EXPECT_EQ(P::getColorSettingToSM(2, &prefs, 0), 0);   // index 2 -> black-and-white slot
  EXPECT_EQ(P::getColorSettingToSM(0, &prefs, 0), 2);   // index 0 -> colour slot
  EXPECT_EQ(P::getColorSettingToSM(99, &prefs, 0), 2);  // beyond the table -> colour slot
  EXPECT_EQ(P::getColorSettingToSM(1, &prefs, 3), 1);
  EXPECT_EQ(P::getColorSettingToSM(2, &prefs, 3), 2);
  EXPECT_EQ(P::getColorSettingToSM(0, &prefs, 7), 2);
  EXPECT_EQ(P::getColorSettingToSM(0, nullptr, 0), 0);

  prefs.setInputPf_FilePath(0, "/p/reflective.icc");
  prefs.setInputPf_FilePath(1, "/p/negative.icc");
  prefs.setInputPf_FilePath(2, "/p/positive.icc");
  prefs.setOutputPf_FilePath("/p/out.icc");
  struct Case {
    int code;
    const char* path;
  } cases[] = {{0, "/p/reflective.icc"}, {2, "/p/reflective.icc"}, {3, "/p/negative.icc"}, {5, "/p/negative.icc"},
               {4, "/p/positive.icc"},   {6, "/p/positive.icc"},   {7, nullptr},            {-1, nullptr}};
  for (const Case& c : cases) {
    char* path = P::getSourceProfilePathToSM(c.code, &prefs);
    if (c.path)
      EXPECT_STREQ(path, c.path) << c.code;
    else
      EXPECT_EQ(path, nullptr) << c.code;
    std::free(path);
  }
  EXPECT_EQ(P::getSourceProfilePathToSM(0, nullptr), nullptr);
  char* out = P::getOutputProfilePathToSM(&prefs);
  EXPECT_STREQ(out, "/p/out.icc");
  std::free(out);
}

TEST(PreviewInfoTranslation, CopyGammaAutoToneDocumentTypesFilmArea) {
  Quirel_CropInfo crop;
  crop.setCopyGamma(4);
  Quirel_UIScannerInfo plain;
  Quirel_UIScannerInfo racs2(fnd::Dictionary{{"RACS2", true}});
  EXPECT_EQ(P::getCopyGammaToSM(5, 1, 0, &crop, 1, &plain), 2);
  EXPECT_EQ(P::getCopyGammaToSM(5, 1, 0, &crop, 1, &racs2), 0);
  EXPECT_EQ(P::getCopyGammaToSM(5, 2, 0, &crop, 1, &plain), 0);
  EXPECT_EQ(P::getCopyGammaToSM(8, 0, 0, &crop, 0, nullptr), 2);
  crop.setCopyGamma(2);
  EXPECT_EQ(P::getCopyGammaToSM(6, 3, 0, &crop, 1, nullptr), 1);
  crop.setAutoDocCorrect(1);
  EXPECT_EQ(P::getCopyGammaToSM(8, 0, 0, &crop, 0, nullptr), 0);
  EXPECT_EQ(P::getCopyGammaToSM(5, 1, 0, nullptr, 1, nullptr), 0);

  EXPECT_EQ(P::getAutoToneToSM(0, 0), 1);
  EXPECT_EQ(P::getAutoToneToSM(3, 1), 1);
  EXPECT_EQ(P::getAutoToneToSM(0, 1), 0);
  EXPECT_EQ(P::getAutoToneToSM(3, 2), 0);

  const int byAdjust[] = {0, 0, 12288, 4096, 8192, 4096};
  for (int a = 0; a < 6; ++a) {
    EXPECT_EQ(P::getCropImageDocumetType(a, 0, 1), byAdjust[a]);
    EXPECT_EQ(P::getCropImageDocumetType(a, 0, 0, 1), byAdjust[a]);
  }
  EXPECT_EQ(P::getCropImageDocumetType(6, 0, 0, 1), 0);
  EXPECT_EQ(P::getCropImageDocumetType(1, 5, 1), 4096);
  EXPECT_EQ(P::getCropImageDocumetType(0, 1, 0), 8192);
  EXPECT_EQ(P::getCropImageDocumetType(0, 14, 0), 0);
  EXPECT_EQ(P::getCropImageDocumetType(0, 3, 2, 1), 12288);
  EXPECT_EQ(P::getCropImageDocumetType(0, 5, 2, 1), 0);
  EXPECT_EQ(P::getCropImageDocumetType(0, 2, 1, 1), 0);
  EXPECT_EQ(P::getCropImageDocumetType(2, 3, 0, 1), 12288);
  EXPECT_EQ(P::getCropImageDocumetType(1, 3, 0, 1), 0);
  EXPECT_EQ(P::getCropImageDocumetType(1, 6, 0, 1), 4096);
  EXPECT_EQ(P::getCropImageDocumetType(0, 5, 0, 0), 12288);
  EXPECT_EQ(P::getCropImageDocumetType(0, 1, 0, 0), 8192);
  EXPECT_EQ(P::getCropImageDocumetType(0, 13, 1, 0), 4096);
  EXPECT_EQ(P::getCropImageDocumetType(0, 9, 0, 0), 4096);
  EXPECT_EQ(P::getCropImageDocumetType(0, 9, 1, 0), 0);
  EXPECT_EQ(P::getCropImageDocumetType(0, 0, 0, 2), 0);

  EXPECT_EQ(P::getFilmDetectAreaToSM(2, 0), -1);
  EXPECT_EQ(P::getFilmDetectAreaToSM(0, 1), 1);
  EXPECT_EQ(P::getFilmDetectAreaToSM(1, 1), 0);
  EXPECT_EQ(P::getFilmDetectAreaToSM(1, 3), -1);
  EXPECT_EQ(P::getFilmDetectAreaToSM(2, 3), 0);
  EXPECT_EQ(P::getFilmDetectAreaToSM(2, 2), 0);
}

TEST(PreviewInfoTranslation, BackGhostAndUISettingDocument) {
  auto racs2 = std::make_shared<Quirel_UIScannerInfo>(fnd::Dictionary{{"RACS2", true}});
  Quirel_UIScannerInfo plain;
  EXPECT_EQ(P::getBackGhostClearAt(0, 1, 3, 0, 0, true, 1, &plain), -1);
  EXPECT_EQ(P::getBackGhostClearAt(0, 1, 3, 0, 0, true, 1, nullptr), -1);
  EXPECT_EQ(P::getBackGhostClearAt(0, 1, 3, 0, 0, true, 1, racs2.get()), 1);
  EXPECT_EQ(P::getBackGhostClearAt(0, 1, 4, 2, 0, true, 1, racs2.get()), 2);
  EXPECT_EQ(P::getBackGhostClearAt(0, 1, 3, 0, 0, false, 1, racs2.get()), 0);  // no preview, no feeder
  EXPECT_EQ(P::getBackGhostClearAt(5, 1, 3, 0, 0, false, 1, racs2.get()), 1);  // feeder
  EXPECT_EQ(P::getBackGhostClearAt(2, 1, 3, 0, 0, true, 1, racs2.get()), 0);   // film
  EXPECT_EQ(P::getBackGhostClearAt(0, 0, 3, 0, 0, true, 1, racs2.get()), 0);   // black and white
  EXPECT_EQ(P::getBackGhostClearAt(0, 1, 3, 0, 1, true, 1, racs2.get()), 0);   // colour matching
  EXPECT_EQ(P::getBackGhostClearAt(0, 1, 2, 0, 0, true, 1, racs2.get()), 0);
  EXPECT_EQ(P::getBackGhostClearAt(2, 0, 3, 0, 0, true, 0, racs2.get()), 0);   // basic black and white
  EXPECT_EQ(P::getBackGhostClearAt(7, 0, 4, 0, 0, false, 0, racs2.get()), 1);  // basic feeder

  Quirel_PreviewInfo model;
  // g = 1, 2 and -1 (no RACS2) give 1014 / 2014 / 14 and 1012 / 2012 / 12.
  model.setScannerInfo(racs2);
  EXPECT_EQ(model.getUISettingDocumentToSM(0, 0, 1, true, 3, 0, 0, 1), 1014);
  EXPECT_EQ(model.getUISettingDocumentToSM(0, 0, 1, true, 3, 4, 0, 1), 2014);
  EXPECT_EQ(model.getUISettingDocumentToSM(0, 0, 1, true, 4, 0, 0, 1), 1012);
  EXPECT_EQ(model.getUISettingDocumentToSM(0, 0, 1, true, 4, 2, 0, 1), 2012);
  EXPECT_EQ(model.getUISettingDocumentToSM(5, 0, 1, true, 3, 0, 0, 1), 1015);
  EXPECT_EQ(model.getUISettingDocumentToSM(6, 0, 1, true, 4, 2, 0, 1), 2018);
  Quirel_PreviewInfo noRacs;
  noRacs.setScannerInfo(std::make_shared<Quirel_UIScannerInfo>());
  EXPECT_EQ(noRacs.getUISettingDocumentToSM(0, 0, 1, true, 3, 0, 0, 1), 14);
  EXPECT_EQ(noRacs.getUISettingDocumentToSM(0, 0, 1, true, 4, 0, 0, 1), 12);
  struct Case {
    int index, cs, cidx;
    bool preview;
    int adjust, copyGamma, autoFine, mode, expected;
  } cases[] = {
      {0, 0, 1, true, 1, 0, 0, 1, 10},  {0, 0, 1, true, 2, 0, 0, 1, 11},  {0, 0, 1, true, 5, 0, 0, 1, 13},
      {0, 0, 1, true, 0, 0, 0, 1, 9},   {0, 0, 1, false, 1, 0, 0, 1, 9}, {0, 0, 0, true, 1, 0, 0, 1, 9},
      {0, 1, 1, true, 1, 0, 0, 1, 9},   {1, 0, 1, true, 0, 0, 0, 1, 22}, {2, 0, 1, true, 0, 0, 0, 1, 21},
      {3, 0, 1, true, 0, 0, 0, 1, 24},  {4, 0, 1, true, 0, 0, 0, 1, 23}, {1, 0, 2, true, 2, 0, 0, 1, 28},
      {2, 0, 3, false, 2, 0, 0, 1, 27}, {3, 0, 4, true, 2, 0, 0, 1, 30}, {4, 0, 4, true, 2, 0, 0, 1, 29},
      {4, 0, 5, true, 2, 0, 0, 1, 23},  {5, 0, 1, true, 0, 4, 0, 1, 17}, {5, 0, 1, true, 0, 2, 0, 1, 16},
      {5, 0, 1, true, 0, 0, 0, 1, 15},  {5, 1, 1, true, 0, 4, 0, 1, 15}, {6, 0, 1, true, 0, 4, 0, 1, 20},
      {6, 0, 1, true, 0, 2, 0, 1, 19},  {6, 0, 0, true, 0, 2, 0, 1, 18}, {7, 0, 1, true, 0, 0, 0, 1, 0},
      {0, 0, 0, true, 0, 0, 1, 2, 26},  {0, 1, 0, true, 0, 0, 1, 2, 25}, {0, 0, 0, true, 0, 0, 0, 2, 25},
      {0, 0, 0, true, 0, 0, 0, 3, 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(noRacs.getUISettingDocumentToSM(c.index, c.cs, c.cidx, c.preview, c.adjust, c.copyGamma, c.autoFine,
                                              c.mode),
              c.expected)
        << "index " << c.index << " cs " << c.cs << " cidx " << c.cidx << " adjust " << c.adjust << " mode "
        << c.mode;
  const int basic[] = {1, 2, 3, 4, 8, 7, 5, 31, 5, 31, 6, 32, 3, 33};
  for (int i = 0; i < 14; ++i) EXPECT_EQ(noRacs.getUISettingDocumentToSM(i, 0, 0, true, 0, 0, 0, 0), basic[i]);
  EXPECT_EQ(noRacs.getUISettingDocumentToSM(14, 0, 0, true, 0, 0, 0, 0), 0);
}
