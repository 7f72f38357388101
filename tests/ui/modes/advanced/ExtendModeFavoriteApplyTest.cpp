// The advanced mode's default settings and stored favourites chosen from the pop-up: the
// question and the refusal answered through kit, what is cleared and posted, and which
// favourites end in a new preview request.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "ExtendModeFlowRig.h"
#include "TestEnvironment.h"
#include "ui/controls/CTRLS_FavoritePopup.h"
#include "ui/model/FavoriteSetting.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/model/ToneSetting.h"

namespace ext_favorite_apply_test {

using namespace flow_rig;
using modes_test::PostLog;

class Peek : public FlowMode {
 public:
  using Quirel_ExtendMode::mHasNonThumPreview;
};
Peek& peek(FlowMode& m) { return static_cast<Peek&>(m); }

std::vector<std::string> applyNames() {
  std::vector<std::string> names = flowNames();
  names.push_back("setDefaultSettingFromExtendModePost");
  names.push_back("removeThumbnailImagePost");
  return names;
}

// A favourite that matches the rig's platen: source 0, paper 0, colour mode 3.
std::unique_ptr<Quirel_FavoriteSetting> platenFavorite(int index, const std::string& name) {
  auto f = std::make_unique<Quirel_FavoriteSetting>(index, name);
  f->setImageSource(0);
  f->setPaperSize(0);
  f->setColorMode(3);
  f->setResolution(300);
  f->setUnit(1);
  return f;
}

std::string favoriteFolder(FlowRig& rig, const char* name, const std::vector<const Quirel_FavoriteSetting*>& list) {
  const std::string folder = testenv::freshFolder(name).string();
  EXPECT_TRUE(Quirel_FavoriteSetting::writeToFolder(folder, list, {}, {}));
  rig.mode.setSettingFilePath(folder + "/");
  return folder;
}

// The mode's preferences as the favourite would set them, so that only what a case changes differs.
void matchPreferences(FlowRig& rig, const Quirel_FavoriteSetting& f) {
  rig.mode.getPreferenceInfo()->setDataFromFavorite(f);
}

void choose(FlowRig& rig, int number) {
  rig.mode.mFavoritePopup->selectAtRepresentedNumber(number);
  rig.mode.ntf_favoriteSettingChange({});
}

void answerCancel(Answers& answers) {
  kit::Application::shared().onNextModalWindow([&answers](kit::Window& w) {
    auto* box = dynamic_cast<Quirel_ShowMessageDialog*>(&w);
    answers.texts.push_back(box ? box->textField()->stringValue() : std::string("<no message>"));
    if (box && box->cancelButton())
      box->cancelButton()->performClick();
    else
      kit::Application::shared().abortModal();
  });
}

TEST(ExtendModeFavoriteApply, DefaultSettingsAskFirstAndClearByScanMode) {
  struct Case {
    const char* name;
    int scanMode;
    bool preview;
    bool ok;
    int message;
    int clears;  // "Clear_Preview" posts
  };
  const Case cases[] = {
      {"platen, no preview", 0, false, true, 1600, 1},
      {"platen, preview", 0, true, true, 1601, 1},
      {"thumbnails", 1, true, true, 1601, 1},
      {"feeder", 4, true, true, 1601, 0},
      {"cancelled", 0, true, false, 1601, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FlowRig rig;
    rig.mode.mScanMode = c.scanMode;
    rig.mode.mHasPreview = c.preview;
    if (c.scanMode != 1) rig.frame(300, 400, 600, 500, true, true);
    rig.mode.mFavorite = 4;
    rig.mode.mToneCurve = 2;
    rig.mode.mBookCorrectMsg = false;
    rig.mode.getPreferenceInfo()->setLampTime(3);
    const int refreshes = rig.mode.refreshes;
    PostLog log(applyNames());
    if (c.ok)
      rig.answers.message();
    else
      answerCancel(rig.answers);
    choose(rig, 1);
    ASSERT_EQ(rig.port.shown.size(), 1u);
    EXPECT_EQ(rig.port.shown[0].number, c.message);
    EXPECT_FALSE(rig.mode.isModal());
    EXPECT_GT(rig.mode.refreshes, refreshes);  // refreshed either way
    EXPECT_EQ(log.count("Clear_Preview"), c.clears);
    if (!c.ok) {
      EXPECT_EQ(rig.mode.mCropList.size(), 1u);
      EXPECT_EQ(rig.mode.mFavorite, 4);
      EXPECT_EQ(rig.mode.mToneCurve, 2);
      EXPECT_FALSE(rig.mode.mBookCorrectMsg);
      EXPECT_EQ(rig.mode.getPreferenceInfo()->getLampTime(), 3);
      EXPECT_EQ(log.count("setDefaultSettingFromExtendModePost"), 0);
      EXPECT_EQ(log.count("Set_ShutOffLampTime"), 0);
      continue;
    }
    EXPECT_EQ(log.count("setDefaultSettingFromExtendModePost"), 1);
    EXPECT_EQ(log.count("removeThumbnailImagePost"), c.scanMode == 1 ? 1 : 0);
    if (c.scanMode != 4) {
      EXPECT_TRUE(rig.mode.mCropList.empty());
    }
    EXPECT_EQ(rig.mode.mFavorite, 0);
    EXPECT_EQ(rig.mode.mToneCurve, 0);
    EXPECT_TRUE(rig.mode.mBookCorrectMsg);
    // The lamp time came back to the default and is announced with its new value.
    const Quirel_PreferenceInfo defaults;
    EXPECT_EQ(rig.mode.getPreferenceInfo()->getLampTime(), defaults.getLampTime());
    ASSERT_EQ(log.count("Set_ShutOffLampTime"), 1);
    EXPECT_EQ(log.find("Set_ShutOffLampTime")->info.integer("ShutOffLampTime"), defaults.getLampTime());
  }
}

TEST(ExtendModeFavoriteApply, AnotherPaperSizeIsRefusedAndKeepsTheSelectionBefore1700) {
  for (const bool v1700 : {false, true}) {
    SCOPED_TRACE(v1700 ? "1700 and later" : "before 1700");
    FlowRig rig(flowScanner({{"Ver1700Later", v1700}}));
    auto f = platenFavorite(5, "Letter only");
    f->setPaperSize(rig.mode.mImgSrcSetting[0].paperSize + 3);
    f->setColorMode(1);
    const std::string folder = favoriteFolder(rig, "ext-favapply-paper", {f.get()});
    auto crop = rig.frame(300, 400, 600, 500, true, true);
    rig.mode.mFavorite = 2;
    PostLog log(applyNames());
    rig.answers.message();
    choose(rig, 5);
    ASSERT_EQ(rig.port.shown.size(), 1u);
    EXPECT_EQ(rig.port.shown[0].number, 1615);
    ASSERT_FALSE(rig.port.shown[0].args.empty());
    EXPECT_EQ(rig.port.shown[0].args[0], "Letter only");
    EXPECT_EQ(rig.mode.mFavorite, v1700 ? 0 : 2);
    EXPECT_EQ(crop->getColorMode(), 3);  // nothing applied
    EXPECT_EQ(log.count("Preview_Scan"), 0);
  }
}

TEST(ExtendModeFavoriteApply, ANamedSizeOnAnEmptyPlatenMakesOneFrame) {
  FlowRig rig;
  const int number = rig.useModelOutputSizes();
  ASSERT_NE(number, 0);
  auto f = platenFavorite(6, "Print");
  f->setOutputSize(number);
  favoriteFolder(rig, "ext-favapply-size", {f.get()});
  matchPreferences(rig, *f);
  ASSERT_TRUE(rig.mode.mCropList.empty());
  choose(rig, 6);
  ASSERT_EQ(rig.mode.mCropList.size(), 1u);
  EXPECT_TRUE(rig.mode.mCropList[0]->isSelected());
  EXPECT_TRUE(rig.mode.mCropList[0]->isFocus());
  EXPECT_EQ(rig.mode.mFavorite, 6);
}

TEST(ExtendModeFavoriteApply, WhatAFavouriteChangesDecidesBetweenRecomputingAndANewPreview) {
  struct Case {
    const char* name;
    int colorMode;   // the favourite's (the rig's is 3)
    int lampTime;    // the favourite's; 0 keeps the mode's
    bool preview;    // a new preview is asked for
  };
  const Case cases[] = {
      {"same colour mode", 3, 0, false},
      {"another colour mode", 1, 0, true},
      {"another lamp time", 3, 7, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FlowRig rig;
    auto f = platenFavorite(7, "Mine");
    f->setColorMode(c.colorMode);
    matchPreferences(rig, *f);
    if (c.lampTime) f->setLampTime(c.lampTime);
    favoriteFolder(rig, "ext-favapply-colour", {f.get()});
    rig.mode.mHasPreview = true;
    auto crop = rig.frame(300, 400, 600, 500, true, true);
    PostLog log(applyNames());
    choose(rig, 7);
    EXPECT_EQ(rig.mode.mFavorite, 7);
    EXPECT_EQ(crop->getColorMode(), c.colorMode);
    EXPECT_EQ(rig.mode.mImgSrcSetting[0].colorMode[0], c.colorMode);
    EXPECT_EQ(log.count("Preview_Scan"), c.preview ? 1 : 0);
    EXPECT_EQ(rig.mode.getChangeFavoriteSetting(), c.preview);
    EXPECT_EQ(log.count("Set_ShutOffLampTime"), c.lampTime ? 1 : 0);
    if (c.lampTime && log.find("Set_ShutOffLampTime")) {
      EXPECT_EQ(log.find("Set_ShutOffLampTime")->info.integer("ShutOffLampTime"), c.lampTime);
    }
  }
}

TEST(ExtendModeFavoriteApply, AFilmFavouriteOfAnotherSourceResetsTheFramesAndAsksWithCreateCrop) {
  FlowRig rig;
  rig.mode.mScanMode = 2;
  rig.mode.setImageSource(1);
  auto f = platenFavorite(8, "Slides");
  f->setImageSource(2);
  f->setColorMode(4);
  favoriteFolder(rig, "ext-favapply-film", {f.get()});
  matchPreferences(rig, *f);
  rig.mode.mHasPreview = true;
  rig.frame(300, 400, 600, 500, true, true);
  choose(rig, 8);
  EXPECT_EQ(rig.mode.getImageSource(), 2);
  EXPECT_EQ(rig.mode.mTemplateCrop->getImageSource(), 2);
  EXPECT_TRUE(rig.mode.mCropList.empty());
  EXPECT_EQ(rig.mode.mImgSrcSetting[1].colorMode[0], 4);
  EXPECT_TRUE(rig.mode.getCreateFilmCrop());
  EXPECT_TRUE(rig.mode.getChangeFavoriteSetting());
  EXPECT_EQ(rig.mode.mFavorite, 8);
}

TEST(ExtendModeFavoriteApply, AFavouriteWithAValueOutOfRangeCountsAsNotFoundAndTheFileStays) {
  struct Case {
    const char* name;
    void (*spoil)(Quirel_FavoriteSetting&);
  };
  const Case cases[] = {
      {"source 9", [](Quirel_FavoriteSetting& f) { f.setImageSource(9); }},
      {"source -1", [](Quirel_FavoriteSetting& f) { f.setImageSource(-1); }},
      {"colour mode 8", [](Quirel_FavoriteSetting& f) { f.setColorMode(8); }},
      {"paper -2", [](Quirel_FavoriteSetting& f) { f.setPaperSize(-2); }},
      {"output size -1", [](Quirel_FavoriteSetting& f) { f.setOutputSize(-1); }},
      {"resolution 0", [](Quirel_FavoriteSetting& f) { f.setResolution(0); }},
      {"resolution 40000", [](Quirel_FavoriteSetting& f) { f.setResolution(40000); }},
      {"unit 3", [](Quirel_FavoriteSetting& f) { f.setUnit(3); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FlowRig rig;
    auto f = platenFavorite(9, "Broken");
    c.spoil(*f);
    const std::string folder = favoriteFolder(rig, "ext-favapply-range", {f.get()});
    std::ifstream before(Quirel_FavoriteSetting::filePath(folder), std::ios::binary);
    std::ostringstream was;
    was << before.rdbuf();
    rig.mode.mToneCurve = 2;
    auto crop = rig.frame(300, 400, 600, 500, true, true);
    PostLog log(applyNames());
    choose(rig, 9);
    EXPECT_EQ(rig.mode.mFavorite, 0);
    EXPECT_EQ(rig.mode.mToneCurve, 0);
    EXPECT_TRUE(rig.port.shown.empty());
    EXPECT_EQ(crop->getResolution(), 300);
    EXPECT_EQ(log.count("Preview_Scan"), 0);
    std::ifstream after(Quirel_FavoriteSetting::filePath(folder), std::ios::binary);
    std::ostringstream is;
    is << after.rdbuf();
    EXPECT_EQ(is.str(), was.str());
  }
}

TEST(ExtendModeFavoriteApply, TheToneChoiceTheSectionsAndLargeScansFollowTheFavourite) {
  for (const bool sameTone : {true, false}) {
    SCOPED_TRACE(sameTone ? "tone values as stored" : "tone values changed since");
    FlowRig rig;
    // Large scans asked for by the application.
    const fnd::Dictionary request{{"LargeImageScan", 2}};
    auto scanner = modes_test::scannerWith(flowScanner());
    scanner->setTWAINRequest(&request);
    rig.mode.setScannerInfo(scanner);
    Quirel_ToneSetting tone(5, "Deep", 3);
    auto f = platenFavorite(4, "Toned");
    f->setToneSettingNo(5);
    f->setColorBalance(tone.getColorBalance());
    f->setToneBC(tone.getToneBC());
    f->setHistogram(tone.getHistogram());
    f->setToneCurve(tone.getToneCurve());
    if (!sameTone) {
      HistogramValues h = f->getHistogram();
      h.black = ChannelValues{30, 30, 30, 30};
      f->setHistogram(h);
    }
    f->setExposureOpen(true);
    f->setLightCorrect(2);
    const std::string folder = favoriteFolder(rig, "ext-favapply-tone", {f.get()});
    ASSERT_TRUE(Quirel_ToneSetting::writeToFolder(folder, {}, {tone}, {}, false));
    matchPreferences(rig, *f);
    for (auto& r : rig.mode.mImgSrcSetting) r.backlight = 2;
    auto crop = rig.frame(300, 400, 600, 500, true, true);
    choose(rig, 4);
    EXPECT_EQ(rig.mode.mFavorite, 4);
    EXPECT_EQ(rig.mode.mToneCurve, sameTone ? 5 : 0);
    EXPECT_TRUE(rig.mode.getLastSetting().boolean("OpenExposure"));
    // Large scans from the application leave no backlight correction anywhere.
    for (const auto& r : rig.mode.getImgSrcSettings()) EXPECT_EQ(r.backlight, 0);
    EXPECT_EQ(crop->getBackLightCorrect(), 0);
    EXPECT_EQ(rig.mode.mTemplateCrop->getBackLightCorrect(), 0);
  }
}

}  // namespace ext_favorite_apply_test
