// The advanced mode's object: its start and end, the per-source records, the model's defaults
// and the rule by which a setting reaches the crops.

#include <gtest/gtest.h>

#include "ExtendModeTestSupport.h"
#include "foundation/NotificationCenter.h"
#include "ui/model/CropInfo.h"
#include "ui/model/FavoriteSetting.h"
#include "ui/model/ToneSetting.h"
#include "ui/windows/MessagePort.h"

using extend_test::defaultValue;
using extend_test::TestExtendMode;

namespace {

TEST(ExtendModeCore, StartsOnThePlatenWithZeroRecords) {
  TestExtendMode mode;
  EXPECT_EQ(mode.getUIMode(), 1);
  EXPECT_EQ(mode.getImageSource(), 0);
  EXPECT_EQ(mode.getFilmSizeWithoutCaps(), 21);
  EXPECT_EQ(mode.getFavorite(), 0);
  EXPECT_EQ(mode.getToneCurve(), 0);
  EXPECT_FALSE(mode.getSelectAllThumbnail());
  EXPECT_FALSE(mode.getScanLoop());
  EXPECT_FALSE(mode.getDoublePreview());
  for (const auto& r : mode.getImgSrcSettings()) EXPECT_EQ(r, Quirel_ExtendMode::ImgSrcSetting{});
  EXPECT_EQ(mode.countExtendItems(), 0);
}

TEST(ExtendModeCore, RecordOfEachImageSource) {
  TestExtendMode mode;
  struct Case {
    int source;
    int record;  // -1: none
  };
  for (const Case c : {Case{0, 0}, Case{1, 1}, Case{2, 1}, Case{3, 1}, Case{4, 1}, Case{5, 2}, Case{6, 2},
                       Case{7, -1}, Case{-1, -1}, Case{1000, -1}}) {
    SCOPED_TRACE(c.source);
    Quirel_ExtendMode::ImgSrcSetting* r = mode.getImgSrcSettingAtIndex(c.source);
    if (c.record < 0)
      EXPECT_EQ(r, nullptr);
    else
      EXPECT_EQ(r, &mode.mImgSrcSetting[c.record]);
  }
}

TEST(ExtendModeCore, ImageSourceOutsideTheSevenIsNotTaken) {
  TestExtendMode mode;
  mode.setImageSource(6);
  EXPECT_EQ(mode.getImageSource(), 6);
  mode.setImageSource(7);
  mode.setImageSource(-1);
  EXPECT_EQ(mode.getImageSource(), 6);
  ASSERT_NE(mode.getImgSrcSettingAtIndex(mode.getImageSource()), nullptr);
}

TEST(ExtendModeCore, ColourModeOfMonochromeFilmUsesTheSecondSlot) {
  TestExtendMode mode;
  mode.mImgSrcSetting[1].colorMode[0] = 3;
  mode.mImgSrcSetting[1].colorMode[1] = 1;
  mode.setImageSource(3);
  mode.setCurrentColorMode(2);
  EXPECT_EQ(mode.mImgSrcSetting[1].colorMode[1], 2);
  EXPECT_EQ(mode.mImgSrcSetting[1].colorMode[0], 3);
  EXPECT_EQ(mode.mImgSrcSetting[0], Quirel_ExtendMode::ImgSrcSetting{});
  mode.setImageSource(1);
  EXPECT_EQ(mode.getCurrentColorMode(), 3);
  mode.setImageSource(4);
  EXPECT_EQ(mode.getCurrentColorMode(), 2);
}

TEST(ExtendModeCore, RecordCopySetsElevenCorrectionsAndKeepsTheRest) {
  Quirel_ExtendMode::ImgSrcSetting r{};
  r.paperSize = 9;
  r.colorMode[0] = 0;
  r.resolution = 4800;
  r.colorAdjust = 1, r.copyGamma = 2, r.unsharpMask = 3, r.descreen = 4, r.reduceDust = 5, r.removeDust = 6;
  r.reduceDustFAU = 7, r.fading = 8, r.grain = 9, r.backlight = 10, r.book = 11;
  r.toneBcCh = 3;
  Quirel_CropInfo crop;
  crop.setColorMode(4);
  crop.setPaperSize(10);
  crop.setResolution(600);
  crop.setAutoDocCorrect(1);
  crop.setToneBC_Channel(2);
  Quirel_ExtendMode::updateImageSettingFromImageSouceSetting(r, crop);
  EXPECT_EQ((std::vector<int>{crop.getColorAdjust(), crop.getCopyGamma(), crop.getUnsharpMask(), crop.getDescreen(),
                              crop.getReduceDust(), crop.getRemoveDust(), crop.getReduceDustFAU(),
                              crop.getFadingCorrect(), crop.getGrainCorrect(), crop.getBackLightCorrect(),
                              crop.getBookCorrect()}),
            (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
  EXPECT_EQ(crop.getAutoDocCorrect(), 0);
  EXPECT_EQ(crop.getColorMode(), 4);
  EXPECT_EQ(crop.getPaperSize(), 10);
  EXPECT_EQ(crop.getResolution(), 600);
  EXPECT_EQ(crop.getToneBC_Channel(), 2);
}

// A port that answers every box with `answer` and remembers what it showed.
class RecordingPort : public Quirel_MessagePort {
 public:
  std::int32_t MES_ShowMessageAndNumberMainThreadMode(std::int32_t n, std::int32_t, std::int32_t,
                                                      std::int32_t) override {
    shown.push_back(n);
    modalWhileShown = mode && mode->isModal();
    return answer;
  }
  std::int32_t MES_NetworkErrorMessageAndNumberMainThreadMode(std::int32_t, std::int32_t, std::int32_t,
                                                              std::int32_t) override {
    return 0;
  }
  std::int32_t MES_NetworkErrorMessageAndNumberMainThreadMode2(std::int32_t, std::int32_t, std::int32_t,
                                                               std::int32_t) override {
    return 0;
  }
  std::int32_t MES_ShowMessageAndNumberWithArguments(std::int32_t n, std::int32_t a, std::int32_t b, std::int32_t c,
                                                     const std::string& types, const fnd::Array& args) override {
    argTypes = types;
    if (!args.empty()) bound = static_cast<int>(args[0].toInteger());
    return MES_ShowMessageAndNumberMainThreadMode(n, a, b, c);
  }
  std::vector<int> shown;
  std::string argTypes;
  int bound = 0;
  std::int32_t answer = 1;
  bool modalWhileShown = false;
  Quirel_ExtendMode* mode = nullptr;
};

TEST(ExtendModeCore, MessagesGoOutInsideTheKeyBracket) {
  TestExtendMode mode;
  RecordingPort port;
  port.mode = &mode;
  port.answer = 0;
  Quirel_MessagePort* old = Quirel_MessagePort::install(&port);
  modes_test::PostLog log({"DLG_NOT_KEY_FROM_MAIN", "DLG_BECOME_KEY_FROM_MAIN"});
  EXPECT_EQ(mode.showMessage(301, 25), 0);
  Quirel_MessagePort::install(old);
  ASSERT_EQ(port.shown, std::vector<int>{301});
  EXPECT_EQ(port.argTypes, "%d");
  EXPECT_EQ(port.bound, 25);
  EXPECT_TRUE(port.modalWhileShown);
  EXPECT_FALSE(mode.isModal());
  ASSERT_EQ(log.names(), (std::vector<std::string>{"DLG_NOT_KEY_FROM_MAIN", "DLG_BECOME_KEY_FROM_MAIN"}));
  EXPECT_EQ(log.posts[0].sender, log.posts[1].sender);
  EXPECT_NE(log.posts[0].sender, nullptr);
}

TEST(ExtendModeCore, DestructionLeavesNoObservation) {
  const std::size_t before = fnd::NotificationCenter::defaultCenter().observerCount();
  {
    TestExtendMode mode;
    mode.registObserver(&mode, [](const fnd::Notification&) {}, "AdvScanStartPost");
    EXPECT_GT(fnd::NotificationCenter::defaultCenter().observerCount(), before);
  }
  EXPECT_EQ(fnd::NotificationCenter::defaultCenter().observerCount(), before);
}

// ---- defaults ----------------------------------------------------------------------------------

fnd::Dictionary fullEntry() {
  return fnd::Dictionary{
      {"ImageSource", defaultValue(5)},
      {"PaperSize", defaultValue(10)},
      {"ColorMode", defaultValue(4)},
      {"OutputResolution", defaultValue(600)},
      {"ISAutoTone", defaultValue(1)},
      {"ISImageAdjustment", fnd::Dictionary{{"Platen", defaultValue(3)}, {"Film", defaultValue(4)},
                                            {"ADF", defaultValue(5)}}},
      {"ISCopyGamma", defaultValue(1)},
      {"ISUnsharpMask", defaultValue(0)},
      {"ISDescreen", defaultValue(1)},
      {"ISReduceDust", defaultValue(2)},
      {"ISRemoveDust", defaultValue(3)},
      {"ISReduceDustForFAU", defaultValue(4)},
      {"ISFadingCorrect", defaultValue(2)},
      {"ISGrainCorrect", defaultValue(3)},
      {"ISLightCorrect", defaultValue(4)},
      {"ISBookCorrect", defaultValue(2)},
  };
}

TEST(ExtendModeDefaults, WithoutAnyEntryTheTableDefaultsHold) {
  TestExtendMode mode;
  mode.setDefaultSetting(nullptr);
  const auto& p = mode.mImgSrcSetting[0];
  EXPECT_EQ(p.paperSize, 0);
  EXPECT_EQ(p.colorMode[0], 3);
  EXPECT_EQ(p.colorMode[1], 3);
  EXPECT_EQ(p.resolution, 300);
  EXPECT_EQ(p.colorAdjust, 1);
  EXPECT_EQ(p.unsharpMask, 1);
  EXPECT_EQ(p.copyGamma + p.descreen + p.reduceDust + p.fading + p.grain + p.backlight + p.book, 0);
  const auto& f = mode.mImgSrcSetting[1];
  EXPECT_EQ(f.paperSize, 21);
  EXPECT_EQ(f.colorMode[0], 3);
  EXPECT_EQ(f.colorMode[1], 1);
  EXPECT_EQ(f.resolution, 1200);
  EXPECT_EQ(f.colorAdjust, 2);
  EXPECT_EQ(f.unsharpMask, 1);
  const auto& a = mode.mImgSrcSetting[2];
  EXPECT_EQ(a.paperSize, mode.getDefaultUserLocaleUnits().paperSize);
  EXPECT_EQ(a.colorMode[0], 3);
  EXPECT_EQ(a.resolution, 300);
  EXPECT_EQ(a.copyGamma, 2);
  EXPECT_EQ(a.unsharpMask, 1);
  EXPECT_EQ(a.colorAdjust, 0);
  ASSERT_NE(mode.getTemplateCrop(), nullptr);
  EXPECT_EQ(mode.getTemplateCrop()->getResolution(), 300);
  EXPECT_EQ(mode.getTemplateCrop()->getColorMode(), 3);
  EXPECT_EQ(mode.getTemplateCrop()->getMagnification(), 100);
  EXPECT_EQ(mode.getImageSource(), 0);
}

TEST(ExtendModeDefaults, FullEntryFillsRecordsAndTemplate) {
  TestExtendMode mode({{"RACS2", true}});
  mode.mFavorite = 4;
  mode.mToneCurve = 2;
  const fnd::Dictionary entry = fullEntry();
  mode.setDefaultSetting(&entry);
  EXPECT_EQ(mode.getImageSource(), 5);
  EXPECT_EQ(mode.mFavorite, 0);
  EXPECT_EQ(mode.mToneCurve, 0);
  const auto& p = mode.mImgSrcSetting[0];
  EXPECT_EQ(p.paperSize, 10);
  EXPECT_EQ(p.colorMode[1], 4);
  EXPECT_EQ(p.resolution, 300);
  EXPECT_EQ(p.colorAdjust, 3);
  EXPECT_EQ(p.copyGamma, 1);
  EXPECT_EQ(p.book, 2);
  EXPECT_EQ(p.removeDust, 0);
  const auto& f = mode.mImgSrcSetting[1];
  EXPECT_EQ(f.colorMode[0], 4);
  EXPECT_EQ(f.colorMode[1], 1);
  EXPECT_EQ(f.colorAdjust, 4);
  EXPECT_EQ(f.removeDust, 3);
  EXPECT_EQ(f.reduceDustFAU, 4);
  EXPECT_EQ(f.copyGamma + f.descreen + f.reduceDust + f.book, 0);
  const auto& a = mode.mImgSrcSetting[2];
  EXPECT_EQ(a.colorAdjust, 5);
  EXPECT_EQ(a.copyGamma, 1);
  EXPECT_EQ(a.resolution, 300);
  EXPECT_EQ(a.fading + a.backlight + a.book + a.removeDust, 0);
  EXPECT_EQ(a.grain, 3);
  const Quirel_CropInfo& t = *mode.getTemplateCrop();
  EXPECT_EQ(t.getResolution(), 600);
  EXPECT_EQ(t.getAutoTone(), 1);
  EXPECT_EQ(t.getRemoveDust(), 3);
  EXPECT_EQ(t.getReduceDustFAU(), 4);
  EXPECT_EQ(t.getBookCorrect(), 2);
  EXPECT_EQ(t.getPaperSize(), 10);
}

TEST(ExtendModeDefaults, CopyGammaWithoutRACS2ReachesOnlyTheFeeder) {
  TestExtendMode mode;
  const fnd::Dictionary entry = fullEntry();
  mode.setDefaultSetting(&entry);
  EXPECT_EQ(mode.mImgSrcSetting[0].copyGamma, 0);
  EXPECT_EQ(mode.mImgSrcSetting[2].copyGamma, 1);
  EXPECT_EQ(mode.mImgSrcSetting[2].colorAdjust, 0);
}

TEST(ExtendModeDefaults, PartialAndMalformedEntriesReadAsMissing) {
  TestExtendMode mode;
  const fnd::Dictionary entry{
      {"ColorMode", defaultValue(9)},               // outside 0..6
      {"OutputResolution", defaultValue(20)},       // outside 25..19200
      {"ImageSource", defaultValue(12)},            // outside 0..6
      {"ISUnsharpMask", fnd::Value(1)},             // not a dictionary
      {"ISDescreen", fnd::Dictionary{}},            // no DefaultValue: 0
      {"ISImageAdjustment", fnd::Value("Platen")},  // wrong kind
  };
  mode.setDefaultSetting(&entry);
  EXPECT_EQ(mode.getImageSource(), 0);
  EXPECT_EQ(mode.mImgSrcSetting[0].colorMode[0], 3);
  EXPECT_EQ(mode.getTemplateCrop()->getResolution(), 300);
  EXPECT_EQ(mode.mImgSrcSetting[0].unsharpMask, 1);
  EXPECT_EQ(mode.mImgSrcSetting[0].descreen, 0);
  EXPECT_EQ(mode.mImgSrcSetting[0].colorAdjust, 1);
  EXPECT_EQ(mode.mImgSrcSetting[1].colorAdjust, 2);
}

TEST(ExtendModeDefaults, ModelEntryIsTakenWhenNoneIsGiven) {
  TestExtendMode mode;
  const fnd::Dictionary parameters{{"ExtendMode", fnd::Dictionary{{"OutputResolution", defaultValue(600)}}}};
  mode.setUimParameterDic(&parameters);
  mode.setDefaultSetting(nullptr);
  EXPECT_EQ(mode.getTemplateCrop()->getResolution(), 600);
  EXPECT_EQ(mode.mImgSrcSetting[0].resolution, 300);
  EXPECT_EQ(mode.mImgSrcSetting[2].resolution, 300);
  mode.addCrop(true);
  mode.setDefaultSettingAtADF();
  EXPECT_EQ(mode.mImgSrcSetting[2].resolution, 600);
  EXPECT_EQ(mode.getTemplateCrop()->getResolution(), 600);
  EXPECT_TRUE(mode.getCropList().empty());
}

TEST(ExtendModeDefaults, FilmResetTurnsMonochromeFilmIntoColour) {
  struct Case {
    bool resetColour;
    int source, colourMode;
  };
  for (const Case c : {Case{true, 2, 3}, Case{false, 4, 1}}) {
    TestExtendMode mode;
    mode.setDefaultSetting(nullptr);
    mode.mTemplateCrop->setImageSource(4);
    mode.mHighQualityMode = true;
    mode.mFavorite = 3;
    mode.addCrop(false);
    mode.setDefaultSettingAtFilmWithResetColorFilm(c.resetColour, true);
    EXPECT_EQ(mode.getImageSource(), c.source);
    EXPECT_EQ(mode.getTemplateCrop()->getImageSource(), c.source);
    EXPECT_EQ(mode.getTemplateCrop()->getColorMode(), c.colourMode);
    EXPECT_EQ(mode.getTemplateCrop()->getResolution(), 1200);
    EXPECT_FALSE(mode.mHighQualityMode);
    EXPECT_EQ(mode.mFavorite, 0);
    EXPECT_TRUE(mode.getCropList().empty());
    EXPECT_EQ(mode.mImgSrcSetting[1].colorMode[0], 3);
    EXPECT_GE(mode.dialogResets, 1);
  }
}

TEST(ExtendModeDefaults, PlatenResetTakesThePlatenSource) {
  TestExtendMode mode;
  mode.setDefaultSetting(nullptr);
  mode.mTemplateCrop->setImageSourceForStandard(3);
  mode.setImageSource(5);
  mode.setDefaultSettingAtPlaten();
  EXPECT_EQ(mode.getImageSource(), 0);
  EXPECT_EQ(mode.getTemplateCrop()->getImageSourceForStandard(), 0);
  EXPECT_EQ(mode.getTemplateCrop()->getColorAdjust(), 1);
  EXPECT_EQ(mode.getTemplateCrop()->getUnsharpMask(), 1);
}

// ---- crop sync ---------------------------------------------------------------------------------

TEST(ExtendModeCrops, ACorrectionReachesTheSelectedFramesOrTheTemplate) {
  TestExtendMode mode;
  mode.setDefaultSetting(nullptr);
  mode.applyToTargetCrops([&](Quirel_CropInfo& c) { mode.updateCropByDescreen(1, c); });
  EXPECT_EQ(mode.getTemplateCrop()->getDescreen(), 1);

  auto a = mode.addCrop(true);
  auto b = mode.addCrop(false);
  auto c = mode.addCrop(true);
  mode.mFavorite = 5;
  mode.applyToTargetCrops([&](Quirel_CropInfo& crop) { mode.updateCropByGrainCorrect(3, crop); });
  EXPECT_EQ(a->getGrainCorrect(), 3);
  EXPECT_EQ(b->getGrainCorrect(), 0);
  EXPECT_EQ(c->getGrainCorrect(), 3);
  EXPECT_EQ(mode.getTemplateCrop()->getGrainCorrect(), 0);
  EXPECT_EQ(mode.mFavorite, 0);

  for (Quirel_CropInfo* crop : mode.getAllCrops()) mode.updateCropByColorMode(0, *crop);
  EXPECT_EQ(a->getColorMode(), 0);
  EXPECT_EQ(b->getColorMode(), 0);
  EXPECT_EQ(mode.getTemplateCrop()->getColorMode(), 0);
}

TEST(ExtendModeCrops, ToneSettingZeroesChannelsFavouriteKeepsThem) {
  TestExtendMode mode;
  Quirel_CropInfo crop;
  crop.setToneBC_Channel(2);
  crop.setHistogram_Channel(3);
  crop.setToneCurve_Channel(1);
  Quirel_ToneSetting tone(4, "warm", 3);
  tone.setColorBalance({10, -5, 3, 0});
  tone.setThreshold(99);
  mode.updateCropByToneSetting(nullptr, crop);
  EXPECT_EQ(crop.getToneBC_Channel(), 2);
  mode.updateCropByToneSetting(&tone, crop);
  EXPECT_EQ(crop.getToneBC_Channel(), 0);
  EXPECT_EQ(crop.getHistogram_Channel(), 0);
  EXPECT_EQ(crop.getToneCurve_Channel(), 0);
  EXPECT_EQ(crop.getColorBalance().chroma, 10);
  EXPECT_EQ(crop.getThreshold(), 99);

  crop.setToneBC_Channel(2);
  crop.setHistogram_Channel(3);
  Quirel_FavoriteSetting favourite(7, std::string("mine"));
  favourite.setColorMode(1);
  favourite.setResolution(720);
  mode.updateCropByFavoriteSetting(favourite, crop);
  EXPECT_EQ(crop.getToneBC_Channel(), 2);
  EXPECT_EQ(crop.getHistogram_Channel(), 3);
  EXPECT_EQ(crop.getColorMode(), 1);
  EXPECT_EQ(crop.getResolution(), 720);
}

TEST(ExtendModeCrops, EndOfMultiCropFollowsTheCropAfterPreviewPreference) {
  for (int cropAfterPreview : {1, 0}) {
    SCOPED_TRACE(cropAfterPreview);
    TestExtendMode mode;
    mode.setDefaultSetting(nullptr);
    mode.getPreferenceInfo()->setCropAfterPrev(cropAfterPreview);
    auto earlier = mode.addCrop(false);
    auto multi = mode.addCrop(true);
    multi->setMultiCrop(true);
    multi->setResolution(1234);
    multi->setFixesRatio(true);
    mode.updateCropsByStartMultiCrop();
    EXPECT_TRUE(earlier->isHidden());
    EXPECT_FALSE(multi->isHidden());
    mode.updateCropsByEndMultiCrop();
    if (cropAfterPreview == 1) {
      ASSERT_EQ(mode.getCropList().size(), 1u);
      EXPECT_EQ(mode.getCropList()[0], earlier);
      EXPECT_FALSE(earlier->isHidden());
    } else {
      EXPECT_TRUE(mode.getCropList().empty());
      EXPECT_EQ(mode.getTemplateCrop()->getResolution(), 1234);
      EXPECT_FALSE(mode.getTemplateCrop()->isFixesRatio());
      EXPECT_EQ(mode.getTemplateCrop()->getMagnification(), 100);
    }
  }
}

TEST(ExtendModeCrops, ToneResetAlsoResetsTheDialogs) {
  TestExtendMode mode({{"ThresholdValue", 90}});
  Quirel_CropInfo crop;
  crop.setColorBalance({5, 5, 5, 5});
  crop.setThreshold(10);
  mode.updateCropByResetToneSetting(crop, true);
  EXPECT_EQ(crop.getColorBalance().chroma, 0);
  EXPECT_EQ(crop.getThreshold(), 90);
  EXPECT_EQ(mode.dialogResets, 1);
}

}  // namespace
