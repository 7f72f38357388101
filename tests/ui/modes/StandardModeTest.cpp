// The basic mode's state: the image-source table, the crop update for a new image source, the
// model's defaults and the last settings kept in "InitSetting.xml".

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "ModesTestSupport.h"
#include "foundation/PropertyList.h"
#include "ui/model/CropInfo.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/model/ThumbnailInfo.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/modes/basic/StandardMode.h"
#include "ui/modes/toolbar/Toolbar.h"
#include "ui/settings/InfoDialog.h"

namespace {

class StdTestMode : public Quirel_StandardMode {
 public:
  using Quirel_StandardMode::mCropList;
  using Quirel_StandardMode::mImgSrcSetting;
  using Quirel_StandardMode::mRotation;
  using Quirel_StandardMode::mScanMode;
  using Quirel_StandardMode::mTemplateCrop;
  using Quirel_StandardMode::mThumbnailCount;
  using Quirel_StandardMode::mThumbnailList;
  using Quirel_StandardMode::mBookCorrectMsg;
  using Quirel_StandardMode::mColorModeAndDataFormatMsg;
  using Quirel_StandardMode::mZoomScan;
  using Quirel_StandardMode::mPreview;
  using Quirel_StandardMode::mMirror;
  using Quirel_StandardMode::mSelectAllThumbnail;

  explicit StdTestMode(const fnd::Dictionary& scanner = {}) {
    setScannerInfo(modes_test::scannerWith(scanner));
    setPreferenceInfo(std::make_shared<Quirel_PreferenceInfo>());
    setPlatenResolution(300);
    setPlatenRect_Pixel96({{0, 0}, {2550, 3508}});
    setFilmPlatenRect_Pixel96({{100, 100}, {900, 2700}});
    setADFPlatenRect_Pixel96({{0, 0}, {2550, 4200}});
  }
  std::unique_ptr<Quirel_CTRLS_PreviewFrame> ownedPreviewFrame;  // the window controller's
  void buildArea() {
    ownedPreviewFrame = std::make_unique<Quirel_CTRLS_PreviewFrame>();
    mPreviewFrame = ownedPreviewFrame.get();
    mPreviewFrame->setFrameViewRect(0, 0, 600, 500);
    mPreview = Quirel_CTRLS_Preview::initForStandardMode();
    mPreviewFrame->addView(mPreview->getShadowView(), mPreview->getShadowViewRect());
    mPreviewFrame->addView(mPreview->getScrollView(), mPreview->getScrollViewRect());
    mNextThumbnailBtn = std::make_unique<Quirel_CTRLS_NextThumbnailButton>();
  }
};

fnd::Dictionary stdDefaultEntry(int source, int destination, bool corrections) {
  auto flag = [](bool on) { return fnd::Dictionary{{"DefaultValue", on}}; };
  return fnd::Dictionary{{"ImageSource", fnd::Dictionary{{"DefaultValue", source}}},
                         {"Destination", fnd::Dictionary{{"DefaultValue", destination}}},
                         {"ISRemoveDust", flag(corrections)},
                         {"ISReduceDustForFAU", flag(corrections)},
                         {"ISFadingCorrect", flag(corrections)},
                         {"ISLightCorrect", flag(corrections)},
                         {"ISBookCorrect", flag(corrections)},
                         {"ISAutoDocCorrect", flag(corrections)}};
}

std::string stdScratchFile(const char* name) {
  const auto dir = std::filesystem::temp_directory_path() / "std_mode_test";
  std::filesystem::create_directories(dir);
  return (dir / name).string();
}

}  // namespace

TEST(StandardModeState, FreshModeAndImageSourceTable) {
  StdTestMode mode;
  EXPECT_EQ(mode.getUIMode(), 0);
  EXPECT_EQ(mode.getImageSource(), 0);
  EXPECT_EQ(mode.getDestination(), 0);
  EXPECT_EQ(mode.getInfoDialog(), nullptr);
  EXPECT_TRUE(mode.getSelectAllThumbnail());
  EXPECT_EQ(mode.getImgSrcSetting()[0], Quirel_StandardMode::ImgSrcSetting{});
  EXPECT_EQ(mode.getImgSrcSetting()[1], Quirel_StandardMode::ImgSrcSetting{});

  StdTestMode racs({{"RACS2", true}});
  struct Case {
    int source, input, adjust, adjustRacs;
  };
  const Case cases[] = {{0, 0, 2, 2},  {1, 0, 4, 4},  {2, 0, 5, 5},  {3, 0, 3, 3},  {4, 3, 2, 2},
                        {5, 4, 2, 2},  {6, 1, 0, 3},  {9, 1, 0, 3},  {11, 1, 0, 3}, {12, 0, 5, 5},
                        {13, 0, 3, 3}, {14, 0, 0, 0}, {99, 0, 0, 0}, {-1, 0, 0, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.source);
    EXPECT_EQ(Quirel_StandardMode::inputSourceForImageSource(c.source), c.input);
    EXPECT_EQ(mode.convColorAdjustFromImageSource(c.source), c.adjust);
    EXPECT_EQ(racs.convColorAdjustFromImageSource(c.source), c.adjustRacs);
  }
}

TEST(StandardModeState, CropUpdateForImageSource) {
  struct Case {
    int source, number, colorMode, paper;
    bool film;
  };
  const Case cases[] = {{0, 0, 3, 0, false},  {1, 0, 3, 0, false},  {2, 0, 0, 0, false}, {3, 0, 1, 0, false},
                        {4, 1, 3, 21, true},  {5, 2, 3, 21, true},  {6, 5, 3, 7, false}, {7, 5, 1, 7, false},
                        {8, 5, 3, 7, false},  {9, 5, 1, 7, false},  {10, 6, 3, 7, false}, {11, 6, 1, 7, false},
                        {12, 0, 1, 0, false}, {13, 0, 3, 0, false}, {40, 0, 3, 0, false}};
  for (bool racs2 : {false, true}) {
    StdTestMode mode({{"RACS2", racs2}, {"Ver1400Later", true}});
    mode.setDefaultUserLocaleUnits({1, 7, 3});
    mode.mImgSrcSetting[0] = {0, 0, 3, 3, 3, 1};
    mode.mImgSrcSetting[1] = {3, 3, 3, 0, 0, 0};
    for (const Case& c : cases) {
      for (bool change : {false, true}) {
        SCOPED_TRACE(testing::Message() << "source " << c.source << " change " << change << " racs " << racs2);
        Quirel_CropInfo crop;
        crop.setRemoveDust(3);
        crop.setBookCorrect(0);
        crop.setFadingCorrect(0);
        crop.setResolution(600);
        mode.updateCropByImageSource(c.source, crop, change, false);
        EXPECT_EQ(crop.getImageSourceForStandard(), c.source);
        EXPECT_EQ(crop.getImageSource(), c.number);
        EXPECT_EQ(crop.getColorMode(), c.colorMode);
        EXPECT_EQ(crop.getPaperSize(), c.paper);
        EXPECT_EQ(crop.getDescreen(), c.source == 1 ? 1 : 0);
        EXPECT_EQ(crop.getCopyGamma(), racs2 ? 0 : 2);
        EXPECT_EQ(crop.getColorAdjust(), mode.convColorAdjustFromImageSource(c.source));
        EXPECT_EQ(crop.getUnsharpMask(), 1);
        if (change) {
          const auto& want = mode.mImgSrcSetting[c.film ? 1 : 0];
          EXPECT_EQ(crop.getRemoveDust(), want.removeDust);
          EXPECT_EQ(crop.getFadingCorrect(), want.fading);
          EXPECT_EQ(crop.getBookCorrect(), want.book);
          EXPECT_EQ(crop.getAutoDocCorrect(), want.autoDocCorrect);
          EXPECT_EQ(crop.getResolution(), c.film ? 1200 : 300);
          EXPECT_EQ(crop.getMagnification(), 100);
          EXPECT_EQ(crop.getOutputSize(), 0);
        } else {
          EXPECT_EQ(crop.getRemoveDust(), 3);  // the crop's own corrections stay
          EXPECT_EQ(crop.getFadingCorrect(), 0);
          EXPECT_EQ(crop.getResolution(), 600);
        }
      }
    }
  }
}

TEST(StandardModeState, DefaultsWithAndWithoutModelEntry) {
  StdTestMode bare;
  bare.setDefaultUserLocaleUnits({0, 10, 3});
  bare.setDefaultSetting(nullptr);
  ASSERT_NE(bare.getTemplateCrop(), nullptr);
  const Quirel_CropInfo& t = *bare.getTemplateCrop();
  EXPECT_EQ(bare.getImageSource(), 0);
  EXPECT_EQ(bare.getDestination(), 0);
  EXPECT_EQ(t.getResolution(), 300);
  EXPECT_EQ(t.getUnit(), 0);
  EXPECT_EQ(t.getFadingCorrect() + t.getBackLightCorrect() + t.getBookCorrect() + t.getAutoDocCorrect(), 0);
  EXPECT_EQ(t.getOutputSize_Pixel96().width, 2550);
  EXPECT_TRUE(bare.getSelectAllThumbnail());
  EXPECT_TRUE(bare.showBookCorrectMsg());

  fnd::Dictionary entry = stdDefaultEntry(1, 1, true);
  StdTestMode mode;
  mode.setDefaultSetting(&entry);
  const Quirel_CropInfo& u = *mode.getTemplateCrop();
  EXPECT_EQ(mode.getImageSource(), 1);
  EXPECT_EQ(mode.getDestination(), 1);
  EXPECT_EQ(u.getResolution(), 150);
  EXPECT_EQ(u.getUnit(), 2);
  EXPECT_EQ(u.getFadingCorrect(), 3);
  EXPECT_EQ(u.getAutoDocCorrect(), 1);
  EXPECT_EQ(u.getRemoveDust(), 0);
  EXPECT_EQ(mode.getImgSrcSetting()[0], (Quirel_StandardMode::ImgSrcSetting{0, 0, 3, 3, 3, 1}));
  EXPECT_EQ(mode.getImgSrcSetting()[1], (Quirel_StandardMode::ImgSrcSetting{3, 3, 3, 3, 0, 0}));

  // "SelectAllThumbnail": false leaves NO, a missing key leaves YES.
  entry.set("SelectAllThumbnail", false);
  mode.setDefaultSetting(&entry);
  EXPECT_FALSE(mode.getSelectAllThumbnail());
  entry.remove("SelectAllThumbnail");
  mode.setDefaultSetting(&entry);
  EXPECT_TRUE(mode.getSelectAllThumbnail());

  // An out-of-range default never reaches the tables.
  fnd::Dictionary wild = stdDefaultEntry(77, -4, false);
  mode.setDefaultSetting(&wild);
  EXPECT_EQ(mode.getImageSource(), 0);
  EXPECT_EQ(mode.getDestination(), 0);
}

TEST(StandardModeState, PerSourceResets) {
  StdTestMode mode;
  fnd::Dictionary params{{"StandardMode", stdDefaultEntry(3, 0, true)}};
  mode.setUimParameterDic(&params);
  mode.setDefaultUserLocaleUnits({1, 11, 3});
  mode.setDefaultSetting(nullptr);
  mode.getTemplateCrop()->setImageSourceForStandard(9);
  mode.getTemplateCrop()->setImageSource(5);
  mode.setDefaultSettingAtADF();
  EXPECT_EQ(mode.getImageSource(), 8);
  EXPECT_EQ(mode.getTemplateCrop()->getImageSource(), 5);
  EXPECT_EQ(mode.getTemplateCrop()->getPaperSize(), 11);
  EXPECT_EQ(mode.getTemplateCrop()->getColorAdjust(), 0);
  EXPECT_EQ(mode.getTemplateCrop()->getAutoDocCorrect(), 1);

  mode.setDefaultSettingAtPlaten();
  EXPECT_EQ(mode.getImageSource(), 3);
  EXPECT_EQ(mode.getTemplateCrop()->getColorMode(), 1);
  EXPECT_EQ(mode.getTemplateCrop()->getBookCorrect(), 3);

  mode.getTemplateCrop()->setImageSourceForStandard(4);
  mode.getTemplateCrop()->setImageSource(1);
  mode.setDefaultSettingAtFilm();
  EXPECT_EQ(mode.getImageSource(), 4);
  EXPECT_EQ(mode.getTemplateCrop()->getResolution(), 1200);
  EXPECT_EQ(mode.getTemplateCrop()->getPaperSize(), 21);
  EXPECT_EQ(mode.getTemplateCrop()->getRemoveDust(), 3);
  EXPECT_EQ(mode.getTemplateCrop()->getBookCorrect(), 0);
}

TEST(StandardModeState, LastSettingRoundTripsThroughTheFile) {
  StdTestMode mode;
  mode.buildArea();
  mode.setDefaultSetting(nullptr);
  mode.mRotation = 2;
  mode.mMirror = true;
  mode.mZoomScan = true;
  mode.mBookCorrectMsg = false;
  auto crop = std::make_shared<Quirel_CropInfo>();
  crop->setOutputSize_Pixel96({300, 200});
  crop->setResolution(600);
  mode.mCropList.push_back(crop);
  const fnd::Dictionary written = mode.getLastSetting();
  EXPECT_EQ(written.size(), 28u);  // no thumbnails outside thumbnail mode
  EXPECT_TRUE(written.get("ZoomScan").isInteger());
  EXPECT_EQ(written.integer("ZoomScan"), 1);

  const std::string path = stdScratchFile("InitSetting.xml");
  ASSERT_TRUE(fnd::PropertyList::writeFile(fnd::Dictionary{{"StandardMode", written}}, path));
  auto back = fnd::PropertyList::readFile(path);
  ASSERT_TRUE(back.ok());
  const fnd::Dictionary& stored = back.value->toDictionary().dictionary("StandardMode");
  EXPECT_EQ(stored, written);

  StdTestMode other;
  other.buildArea();
  other.setDefaultSetting(nullptr);
  other.setLastSetting(stored);
  EXPECT_EQ(other.getRotation(), 2);
  EXPECT_TRUE(other.getMirror());
  EXPECT_TRUE(other.getZoomScan());
  EXPECT_FALSE(other.showBookCorrectMsg());
  ASSERT_EQ(other.mCropList.size(), 1u);
  EXPECT_EQ(other.mCropList[0]->getResolution(), 600);
  // Every scalar key reads back as written (the frames are placed on the new preview).
  const fnd::Dictionary again = other.getLastSetting();
  for (const std::string& key : written.keys()) {
    if (key == "CropList") continue;
    if (key == "Template") {
      for (const std::string& sub : written.dictionary(key).keys()) {
        if (sub == "PreviewViewSize") continue;  // the preview is redrawn after the read
        EXPECT_TRUE(again.dictionary(key).get(sub) == written.dictionary(key).get(sub)) << sub;
      }
      continue;
    }
    EXPECT_TRUE(again.get(key) == written.get(key)) << key;
  }
}

TEST(StandardModeState, LastSettingMissingKeysAndPreviewSize) {
  StdTestMode mode;
  mode.buildArea();
  mode.setDefaultSetting(nullptr);
  mode.setLastSetting(fnd::Dictionary{{"PreviewSize", fnd::Dictionary{{"width", 2.54}, {"height", 5.08}}}});
  const fnd::Size visible = mode.mPreview->getVisiblePreviewSize_Pixel96();
  EXPECT_DOUBLE_EQ(visible.width, 300);
  EXPECT_DOUBLE_EQ(visible.height, 600);
  // A notice flag missing from the file reads NO; the last one is left as it was.
  EXPECT_FALSE(mode.showBookCorrectMsg());
  EXPECT_FALSE(mode.showLargePixelMsg());
  EXPECT_TRUE(mode.showColorModeAndDataFormatMsg());
  EXPECT_TRUE(mode.getLastSetting().find("CropList") == nullptr);
  EXPECT_TRUE(mode.getLastSetting().find("ThumbnailList") == nullptr);
}

TEST(StandardModeState, FilmThumbnailStateRestoresThumbnailsNotCrops) {
  StdTestMode mode;
  mode.buildArea();
  mode.setDefaultSetting(nullptr);
  fnd::Array thumbs;
  for (int i = 0; i < 15; ++i) {
    Quirel_ThumbnailInfo t(i % 12);
    t.setCropInfo(std::make_shared<Quirel_CropInfo>());
    thumbs.push_back(t.getDictionary());
  }
  fnd::Array crops{Quirel_CropInfo().getDictionary()};
  mode.setLastSetting(fnd::Dictionary{{"FilmMode", true},
                                      {"FilmThumbnail", true},
                                      {"ThumbnailList", thumbs},
                                      {"CropList", crops}});
  EXPECT_EQ(mode.getScanMode(), 3);
  EXPECT_EQ(mode.mThumbnailCount, 12);
  EXPECT_EQ(mode.mThumbnailList.size(), 12u);
  // Each thumbnail brings its own crop; the stored crop list is not read.
  EXPECT_EQ(mode.mCropList.size(), 12u);
}

TEST(StandardModeState, MalformedLastSettingReadsInRange) {
  struct Case {
    const char* name;
    fnd::Dictionary d;
  };
  fnd::Array manyCrops;
  for (int i = 0; i < 40; ++i) manyCrops.push_back(Quirel_CropInfo().getDictionary());
  manyCrops.push_back(fnd::Value("not a crop"));
  const Case cases[] = {
      {"out of range", {{"ImageSource", 99}, {"Rotation", 7}, {"ZoomScan", 5}, {"Destination", -3}, {"CropList", manyCrops}}},
      {"wrong kinds",
       {{"ImageSource", "4"}, {"Rotation", 2.5}, {"ZoomScan", true}, {"FilmMode", 1}, {"PreviewDataSize", 3},
        {"VisiblePreviewSize", fnd::Dictionary{{"width", "x"}}}, {"Template", 4}, {"CropList", 7}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    StdTestMode mode;
    mode.buildArea();
    mode.setDefaultSetting(nullptr);
    mode.setLastSetting(c.d);
    EXPECT_EQ(mode.getImageSource(), 0);
    EXPECT_EQ(mode.getRotation(), 0);
    EXPECT_FALSE(mode.getZoomScan());
    EXPECT_EQ(mode.getDestination(), 0);
    EXPECT_EQ(mode.getScanMode(), 0);
    EXPECT_LE(mode.mCropList.size(), 10u);
  }
}

TEST(StandardModeState, InformationPanelTakenFromTheToolbarOnce) {
  Quirel_Toolbar toolbar(modes_test::scannerWith({}));
  StdTestMode mode;
  mode.setToolbar(&toolbar);
  mode.initModelessDialogs();
  ASSERT_NE(mode.getInfoDialog(), nullptr);
  EXPECT_EQ(mode.getInfoDialog(), toolbar.getScanInfoDialog().get());
  EXPECT_FALSE(mode.getInfoDialog()->hasOpened());
  mode.getInfoDialog()->setHasOpened(true);
  mode.initModelessDialogs();
  EXPECT_FALSE(mode.getInfoDialog()->hasOpened());
  EXPECT_EQ(mode.getDialogList().size(), 1u);
}

TEST(StandardModeState, RestoredCropWithAMissingNamedSizeIsFreeSize) {
  StdTestMode mode;
  mode.buildArea();
  mode.setDefaultSetting(nullptr);
  Quirel_CropInfo stored;
  stored.setOutputSize(977);  // no such named size
  stored.setFixesRatio(true);
  stored.setInputRect_Pixel96({{10, 10}, {600, 400}});
  mode.setLastSetting(fnd::Dictionary{{"CropList", fnd::Array{stored.getDictionary()}}});
  ASSERT_EQ(mode.mCropList.size(), 1u);
  EXPECT_EQ(mode.mCropList[0]->getOutputSize(), 0);
  EXPECT_FALSE(mode.mCropList[0]->isFixesRatio());
  EXPECT_TRUE(mode.mCropList[0]->isHidden());
}

TEST(StandardModeState, VirtualScannerModelDefaults) {
  const char* dir = std::getenv("TRIVOLAN_RESOURCE_DIR");
  ASSERT_NE(dir, nullptr);
  auto model = fnd::PropertyList::readFile(std::string(dir) + "/models/PVTS800.xml");
  ASSERT_TRUE(model.ok());
  const fnd::Dictionary& parameters = model.value->toDictionary();
  const fnd::Dictionary& entry = parameters.dictionary("StandardMode");
  EXPECT_TRUE(entry.contains("OutputSize"));
  StdTestMode mode;
  mode.setUimParameterDic(&parameters);
  mode.setDefaultSetting(nullptr);
  EXPECT_EQ(mode.getImageSource(), 0);
  EXPECT_EQ(mode.getDestination(), 0);
  EXPECT_TRUE(mode.getSelectAllThumbnail());
  // The film element takes the infrared dust reduction the model turns on.
  EXPECT_EQ(mode.getImgSrcSetting()[1].reduceDustFAU, 3);
  EXPECT_EQ(mode.getImgSrcSetting()[0].reduceDustFAU, 0);
}
