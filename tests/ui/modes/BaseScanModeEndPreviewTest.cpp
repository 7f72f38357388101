// The end of a preview: the automatic crop fitted into the visible preview, thumbnails from the
// documents found, film frames from the scanner's corners or the defaults, and the posts that
// ask the preview model to recompute; the real preview model then sends the fitted frame.

#include <gtest/gtest.h>

#include "ModesTestSupport.h"
#include "foundation/Paths.h"
#include "kit/Application.h"
#include "ui/model/PreviewInfo.h"
#include "ui/model/StandardModeLink.h"
#include "ui/windows/ProcessImagePanel.h"

using modes_test::PostLog;
using modes_test::TestScanMode;

namespace {

// A basic mode on the base, so the real preview model answers its requests.
class EndPreviewBasicMode : public TestScanMode, public StandardModeLink {
 public:
  int getImgSrcNumber() override { return 0; }
};

// A scanner whose automatic crop works at 75 dpi and whose preview at 150 dpi.
std::shared_ptr<Quirel_UIScannerInfo> endPreviewScanner(fnd::Dictionary flags = {}) {
  flags.set("PlatenAutoCropResolution", 75);
  auto scanner = modes_test::scannerWith(flags);
  fnd::Dictionary init{{"Flatbed", fnd::Dictionary{{"PreviewResX", 150}}}};
  scanner->setInitSettingData(&init);
  return scanner;
}

struct EndRig {
  EndPreviewBasicMode mode;
  std::shared_ptr<Quirel_PreferenceInfo> preferences = std::make_shared<Quirel_PreferenceInfo>();
  explicit EndRig(fnd::Dictionary flags = {}) {
    mode.setScannerInfo(endPreviewScanner(std::move(flags)));
    preferences->setTempPath(fnd::Paths::tempDir());
    mode.setPreferenceInfo(preferences);
    mode.setPlatenResolution(300);
    mode.buildPreviewArea(640, 480);
    mode.mTemplateCrop = std::make_shared<Quirel_CropInfo>();
    mode.mTemplateCrop->setPreviewSize_Pixel96({2000, 2800});
    mode.mTemplateCrop->setVisiblePreviewSize_Pixel96({2000, 2800});
    mode.mTemplateCrop->setResolution(300);
    mode.mPreview->setVisiblePreviewSize_Pixel96({2000, 2800});
    mode.updatePreview();
    mode.mPreviewDataSize = {1000, 1400};
  }
};

fnd::Value endPreviewCorners(std::array<SPointDouble, 4> c) {
  fnd::Array points;
  for (const SPointDouble& p : c) points.push_back(fnd::Dictionary{{"X", p.x}, {"Y", p.y}});
  return fnd::Dictionary{{"points", points}};
}

void endExpectRect(const SRectDouble& r, double x, double y, double w, double h, const std::string& what = "") {
  EXPECT_NEAR(r.origin.x, x, 1e-9) << what;
  EXPECT_NEAR(r.origin.y, y, 1e-9) << what;
  EXPECT_NEAR(r.size.width, w, 1e-9) << what;
  EXPECT_NEAR(r.size.height, h, 1e-9) << what;
}

// Whether a progress panel is on screen.
bool endPanelShowing() {
  for (kit::Window* w : kit::Application::shared().windows())
    if (dynamic_cast<Quirel_ProcessImagePanel*>(w) && w->isVisible()) return true;
  return false;
}

}  // namespace

TEST(BaseScanModeEndPreview, AutoCropRectangleIsScaledTurnedAndFittedIntoTheVisiblePreview) {
  struct Case {
    int rotation;
    SRectDouble found;  // at the automatic-crop resolution (half the preview's)
    SRectDouble expected;
  };
  const Case cases[] = {
      {0, {{50, 100}, {200, 300}}, {{200, 1200}, {800, 1200}}},
      {2, {{50, 100}, {200, 300}}, {{1000, 400}, {800, 1200}}},
      {1, {{50, 100}, {200, 300}}, {{400, 200}, {1200, 800}}},
      {3, {{50, 100}, {200, 300}}, {{1200, 1000}, {1200, 800}}},
      {0, {{400, 0}, {200, 100}}, {{1200, 2400}, {800, 400}}},  // past the right edge: pulled back
      {0, {{300, 0}, {700, 100}}, {{0, 2400}, {2000, 400}}},    // wider than the preview
  };
  for (const Case& c : cases) {
    EndRig rig;
    Quirel_CropInfo* crop = rig.mode.createCropWithView(fnd::Rect());
    crop->setRotation(c.rotation);
    crop->setVisiblePreviewSize_Pixel96(c.rotation % 2 ? SSizeDouble{2800, 2000} : SSizeDouble{2000, 2800});
    crop->setPreviewViewSize(rig.mode.mPreview->getImageViewRect().size);
    crop->setMagnification(50);
    crop->setFocus(true);
    rig.mode.setAutoCropRect({1000, 1400}, c.found);
    const std::string what = "turn " + std::to_string(c.rotation);
    ASSERT_EQ(rig.mode.mCropList.size(), 1u) << what;
    endExpectRect(crop->getInputRect_Pixel96(), c.expected.origin.x, c.expected.origin.y, c.expected.size.width,
                  c.expected.size.height, what);
    EXPECT_DOUBLE_EQ(crop->getOutputWidth_Pixel96(), c.expected.size.width / 2) << what;
    EXPECT_DOUBLE_EQ(crop->getRatio().height, c.expected.size.height) << what;
    EXPECT_GT(crop->getCropView()->frame().size.width, 0) << what;
  }
}

TEST(BaseScanModeEndPreview, AutoCropMakesTheFrameWhenNoneHasTheFocusAndKeepsANamedSize) {
  EndRig rig({{"Ver1500Later", true}});
  rig.mode.mTemplateCrop->setTempOutputSize(4);
  rig.mode.mTemplateCrop->setColorMode(1);
  rig.mode.setAutoCropRect({1000, 1400}, {{50, 100}, {200, 300}});
  ASSERT_EQ(rig.mode.mCropList.size(), 1u);
  Quirel_CropInfo& crop = *rig.mode.mCropList[0];
  EXPECT_TRUE(crop.isFocus());
  EXPECT_TRUE(crop.isSelected());
  EXPECT_EQ(crop.getCropView()->getLineStyle(), 1);
  EXPECT_EQ(crop.getColorMode(), 1);
  EXPECT_EQ(crop.getOutputSize(), 4);
  // A named output size changes the magnification, not the output size.
  crop.setOutputSize_Pixel96({1600, 2400});
  rig.mode.setAutoCropRect({1000, 1400}, {{50, 100}, {200, 300}});
  EXPECT_EQ(crop.getMagnification(), 200);
  EXPECT_DOUBLE_EQ(crop.getOutputWidth_Pixel96(), 1600);
  rig.mode.setAutoCropRect({0, 0}, {{50, 100}, {200, 300}});  // no data size: zero, no division
  endExpectRect(crop.getInputRect_Pixel96(), 0, 0, 0, 0, "zero data size");
  EXPECT_EQ(crop.getMagnification(), 0);
}

TEST(BaseScanModeEndPreview, PlatenEndOfPreviewFollowsTheRequestFlagsAndTheCropAfterPreviewChoice) {
  Quirel_PreviewInfo model;
  model.setWholeSize(1000, 1400);
  const SRectDouble found{{50, 100}, {200, 300}};
  {  // CreateCrop NO: the data size is kept, no frame is made or changed.
    EndRig rig;
    rig.mode.mPreviewDataSize = {0, 0};
    rig.mode.endPreview_previewInfo(&model, found, nullptr);
    EXPECT_TRUE(rig.mode.getHasPreview());
    EXPECT_TRUE(rig.mode.getHasNonThumPreview());
    EXPECT_DOUBLE_EQ(rig.mode.getPreviewDataSize().height, 1400);
    EXPECT_TRUE(rig.mode.mCropList.empty());
  }
  {  // The advanced mode's zoomed preview: the flags only.
    EndRig rig;
    rig.mode.mUIMode = 1;
    rig.mode.mZoomScan = true;
    rig.mode.mCreateFilmCrop = true;
    rig.mode.mEnableThumbnailBtn = false;
    rig.mode.mPreviewDataSize = {7, 7};
    rig.mode.endPreview_previewInfo(&model, found, nullptr);
    EXPECT_TRUE(rig.mode.getHasPreview());
    EXPECT_TRUE(rig.mode.getEnableThumbnailBtn());
    EXPECT_DOUBLE_EQ(rig.mode.getPreviewDataSize().width, 7);
    EXPECT_TRUE(rig.mode.mCropList.empty());
  }
  {  // Crop after preview 0: the focused frame (made) fits the automatic crop.
    EndRig rig;
    rig.mode.mCreateFilmCrop = true;
    rig.mode.mTemplateCrop->setTempOutputSize(3);
    rig.mode.endPreview_previewInfo(&model, found, nullptr);
    ASSERT_EQ(rig.mode.mCropList.size(), 1u);
    endExpectRect(rig.mode.mCropList[0]->getInputRect_Pixel96(), 200, 1200, 800, 1200, "fitted");
    EXPECT_FALSE(rig.mode.mCropList[0]->isHidden());
    EXPECT_EQ(rig.mode.mTemplateCrop->getTempOutputSize(), 0);
  }
  {  // Crop after preview 1: hidden frames show again, the focused one is not refitted.
    EndRig rig;
    rig.preferences->setCropAfterPrev(1);
    rig.mode.mCreateFilmCrop = true;
    Quirel_CropInfo* a = rig.mode.createCropWithView(fnd::Rect());
    a->setInputRect_Pixel96({{1, 2}, {3, 4}});
    a->setFocus(true);
    a->setHidden(true);
    rig.mode.endPreview_previewInfo(&model, found, nullptr);
    ASSERT_EQ(rig.mode.mCropList.size(), 1u);
    EXPECT_FALSE(a->isHidden());
    endExpectRect(a->getInputRect_Pixel96(), 1, 2, 3, 4, "kept");
  }
  {  // Crop after preview 2: nothing is fitted or shown.
    EndRig rig;
    rig.preferences->setCropAfterPrev(2);
    rig.mode.mCreateFilmCrop = true;
    rig.mode.endPreview_previewInfo(&model, found, nullptr);
    EXPECT_TRUE(rig.mode.mCropList.empty());
  }
}

TEST(BaseScanModeEndPreview, TheEndOfPreviewSetsAutoToneForTheTemplateAndEveryFrame) {
  Quirel_PreviewInfo model;
  model.setWholeSize(1000, 1400);
  EndRig rig;
  rig.preferences->setAlwaysAutoTone(true);
  rig.mode.mCreateFilmCrop = true;
  rig.mode.endPreview_previewInfo(&model, {{50, 100}, {200, 300}}, nullptr);
  ASSERT_EQ(rig.mode.mCropList.size(), 1u);
  EXPECT_EQ(rig.mode.mCropList[0]->getAutoTone(), 1);
  EXPECT_EQ(rig.mode.mTemplateCrop->getAutoTone(), 1);
}

TEST(BaseScanModeEndPreview, DocumentCornerListsBecomeAtMostTwelveThumbnails) {
  Quirel_PreviewInfo model;
  model.setWholeSize(1000, 1400);
  fnd::Array fifteen;
  for (int i = 0; i < 15; ++i)
    fifteen.push_back(endPreviewCorners({{{10.0 * i, 20}, {100, 20}, {100, 200}, {10, 200}}}));
  {
    EndRig rig;
    rig.mode.mScanMode = 1;
    rig.mode.mCreateFilmCrop = true;
    rig.mode.mTemplateCrop->setTempOutputSize(6);
    rig.mode.endPreview_previewInfo(&model, {}, &fifteen);
    EXPECT_EQ(rig.mode.getThumbnailCount(), 12);
    ASSERT_EQ(rig.mode.mThumbnailList.size(), 12u);
    SPointDouble corners[4];
    rig.mode.mThumbnailList[11]->getMultiCropPoints(corners);
    EXPECT_DOUBLE_EQ(corners[0].x, 110);
    EXPECT_FALSE(rig.mode.mThumbnailList[11]->isHidden());
    EXPECT_EQ(rig.mode.mCropList[5]->getOutputSize(), 6);
    EXPECT_TRUE(rig.mode.getEnableThumbnailBtn());
  }
  {  // None found: one thumbnail with the automatic crop's corners.
    EndRig rig;
    rig.mode.mScanMode = 1;
    rig.mode.mCreateFilmCrop = true;
    const fnd::Array none;
    rig.mode.endPreview_previewInfo(&model, {{10, 20}, {30, 40}}, &none);
    ASSERT_EQ(rig.mode.mThumbnailList.size(), 1u);
    SPointDouble corners[4];
    rig.mode.mThumbnailList[0]->getMultiCropPoints(corners);
    EXPECT_DOUBLE_EQ(corners[0].y, 60);
    EXPECT_DOUBLE_EQ(corners[1].x, 40);
    EXPECT_DOUBLE_EQ(corners[2].y, 20);
    EXPECT_DOUBLE_EQ(corners[3].x, 10);
  }
  {  // Changing the sizes with fewer thumbnails than documents makes the missing ones.
    EndRig rig;
    rig.mode.mScanMode = 1;
    rig.mode.mCreateFilmCrop = true;
    rig.mode.createEmptyThumbnailWithIndex(0);
    rig.mode.createEmptyThumbnailWithIndex(1);
    Quirel_ThumbnailInfo* first = rig.mode.mThumbnailList[0].get();
    rig.mode.mChangeThumbnailSize = true;
    fnd::Array five(fifteen.begin(), fifteen.begin() + 5);
    rig.mode.endPreview_previewInfo(&model, {}, &five);
    ASSERT_EQ(rig.mode.mThumbnailList.size(), 5u);
    EXPECT_EQ(rig.mode.mThumbnailList[0].get(), first);  // reused
    EXPECT_EQ(rig.mode.mThumbnailList[4]->getNo(), 4);
  }
}

TEST(BaseScanModeEndPreview, FilmCornersBecomeFramesInPreviewPixels) {
  const fnd::Array one{endPreviewCorners({{{10, 20}, {109, 20}, {109, 219}, {10, 219}}})};
  {  // Thumbnails in film-platen units (here the same as the data).
    EndRig rig;
    rig.mode.mScanMode = 3;
    rig.mode.mPreviewDataSize = {800, 1000};
    rig.mode.setFilmPlatenRect_Pixel96({{0, 0}, {800, 1000}});
    rig.mode.endFilmThumbnailPreview_capsPointArray(&one);
    ASSERT_EQ(rig.mode.mThumbnailList.size(), 1u);
    const Quirel_ThumbnailInfo& t = *rig.mode.mThumbnailList[0];
    EXPECT_DOUBLE_EQ(t.getPreviewStartPoint_Pixel96().x, 10);
    EXPECT_DOUBLE_EQ(t.getPreviewStartPoint_Pixel96().y, 780);
    EXPECT_DOUBLE_EQ(t.getVisiblePreviewSize_Pixel96().width, 100);
    EXPECT_DOUBLE_EQ(t.getVisiblePreviewSize_Pixel96().height, 200);
    EXPECT_TRUE(t.isHidden());
  }
  {  // Frames on the preview; newer scanners keep the film-platen rectangle itself.
    EndRig rig({{"Ver1600Later", true}});
    rig.mode.mScanMode = 2;
    rig.mode.mPreviewDataSize = {800, 1000};
    rig.mode.setFilmPlatenRect_Pixel96({{0, 0}, {1600, 2000}});
    rig.mode.mTemplateCrop->setVisiblePreviewSize_Pixel96({1600, 2000});
    rig.mode.endFilmPlatenPreview_capsPointArray(&one);
    ASSERT_EQ(rig.mode.mCropList.size(), 1u);
    const Quirel_CropInfo& crop = *rig.mode.mCropList[0];
    endExpectRect(crop.getInputRect_Pixel96(), 20, 1560, 200, 400, "film platen");
    EXPECT_TRUE(crop.isFocus());
    EXPECT_TRUE(crop.isSelected());
    EXPECT_EQ(crop.getCropView()->getLineStyle(), 1);
  }
}

TEST(BaseScanModeEndPreview, DefaultFilmFramesOneOrAllAndWhenTheReportedSizeIsNotTheUsers) {
  const fnd::Array frames{fnd::Dictionary{{"X", 100}, {"Y", 100}, {"W", 300}, {"H", 200}},
                          fnd::Dictionary{{"X", 100}, {"Y", 400}, {"W", 300}, {"H", 200}},
                          fnd::Dictionary{{"X", 100}, {"Y", 700}, {"W", 300}, {"H", 200}}};
  const fnd::Dictionary reference{{"X", 0}, {"Y", 0}, {"W", 800}, {"H", 1000}};
  auto rigWithFilm = [&](EndRig& rig) {
    rig.mode.mScanMode = 2;
    rig.mode.setFilmPlatenRect_Pixel96({{0, 0}, {800, 1000}});
    rig.mode.mTemplateCrop->setPaperSize(21);
    rig.mode.mTemplateCrop->setVisiblePreviewSize_Pixel96({800, 1000});
    rig.mode.setDefaultFilmSizeRects(21, &frames, &reference);
  };
  {
    EndRig rig;
    rigWithFilm(rig);
    rig.mode.createDefaultFilmCrop(1);
    ASSERT_EQ(rig.mode.mCropList.size(), 1u);
    EXPECT_TRUE(rig.mode.mCropList[0]->isFocus());
    EXPECT_DOUBLE_EQ(rig.mode.mCropList[0]->getInputHeight_Pixel96(), 200);
  }
  {
    EndRig rig;
    rigWithFilm(rig);
    rig.mode.createDefaultFilmCrop(-1);
    ASSERT_EQ(rig.mode.mCropList.size(), 3u);
    Quirel_CropInfo* focus = rig.mode.getFocusCrop();
    ASSERT_NE(focus, nullptr);
    EXPECT_DOUBLE_EQ(focus->getInputY_Pixel96(), 1000 - (100 + 200));  // frame 1, flipped
    for (const auto& crop : rig.mode.mCropList) EXPECT_TRUE(crop->isSelected());
  }
  {  // The scanner saw another film size and its sizes are not to be used: the first default.
    EndRig rig;
    rigWithFilm(rig);
    rig.mode.setUseCapsFilmSize(false);
    rig.mode.mPreviewDataSize = {800, 1000};
    const fnd::Array reported{endPreviewCorners({{{10, 20}, {109, 20}, {109, 219}, {10, 219}}}),
                              endPreviewCorners({{{10, 300}, {109, 300}, {109, 499}, {10, 499}}})};
    rig.mode.endFilmPlatenPreview_capsPointArray(&reported, 22, 21);
    ASSERT_EQ(rig.mode.mCropList.size(), 1u);
    EXPECT_DOUBLE_EQ(rig.mode.mCropList[0]->getInputHeight_Pixel96(), 200);
    EXPECT_DOUBLE_EQ(rig.mode.mCropList[0]->getInputWidth_Pixel96(), 300);
    rig.mode.endFilmPlatenPreview_capsPointArray(&reported, 21, 21);  // the same size: the reported frames
    EXPECT_EQ(rig.mode.mCropList.size(), 3u);
    rig.mode.endFilmPlatenPreview_capsPointArray(nullptr, 21, 21);
    EXPECT_EQ(rig.mode.mCropList.size(), 3u);
  }
}

TEST(BaseScanModeEndPreview, ImageSetPostsWithTheirGuardsNamesAndKeys) {
  struct Case {
    const char* what;
    int scanMode;
    bool hasPreview, crops;
    std::function<void(TestScanMode&)> call;
    std::string name;  // "" nothing
    std::vector<std::string> keys;
  };
  const Case cases[] = {
      {"all selected", 0, false, true, [](TestScanMode& m) { m.updateImageSetAllSelectByPreview(1, true, true, true); },
       "updateImageSetAllSelectedPost", {"CropList", "Mode", "multiCropMode"}},
      {"all selected, template", 0, false, false,
       [](TestScanMode& m) { m.updateImageSetAllSelectByPreview(0, false, true, true); }, "updateImageSetTemplatePost",
       {"CropTemplate", "Mode", "multiCropMode"}},
      {"all selected, not asked", 0, true, true,
       [](TestScanMode& m) { m.updateImageSetAllSelectByPreview(0, false, false, true); }, "", {}},
      {"all selected in a thumbnail mode", 1, true, true,
       [](TestScanMode& m) { m.updateImageSetAllSelectByPreview(0, false, true, true); }, "", {}},
      {"delete", 0, true, true, [](TestScanMode& m) { m.RemakeDeleteCropPostByPreview(0); }, "RemakeDeleteCropPost",
       {"CropList", "Mode"}},
      {"delete without a preview", 0, false, true, [](TestScanMode& m) { m.RemakeDeleteCropPostByPreview(0); }, "", {}},
      {"selected", 2, true, true, [](TestScanMode& m) { m.updateImageSetSelectByPreview(0); },
       "UpdateImageSetSelectedPost", {"CropList", "Mode"}},
      {"selected, template", 0, true, false, [](TestScanMode& m) { m.updateImageSetSelectByPreview(0); },
       "updateImageSetTemplatePost", {"CropTemplate", "Mode"}},
      {"selected without a preview", 0, false, true, [](TestScanMode& m) { m.updateImageSetSelectByPreview(0); }, "", {}},
      {"selected thumbnails, platen", 1, true, true, [](TestScanMode& m) { m.updateImageSetSelectByThumbnailPreview(1); },
       "UpdateImageSetSelectedThumbnailPlatenPost", {"Mode", "ThumbnailList"}},
      {"selected thumbnails, film", 3, true, true, [](TestScanMode& m) { m.updateImageSetSelectByThumbnailPreview(1); },
       "UpdateImageSetSelectedThumbnailPost", {"Mode", "ThumbnailList"}},
      {"selected thumbnails outside thumbnails", 0, true, true,
       [](TestScanMode& m) { m.updateImageSetSelectByThumbnailPreview(1); }, "", {}},
      {"all thumbnails, platen", 1, true, true,
       [](TestScanMode& m) { m.updateImageSetAllSelectByThumbnailPreview(0); },
       "updateImageSetAllSelectedThumbnailPlatenPost", {"Mode", "ThumbnailList"}},
      {"all thumbnails, film", 3, true, true,
       [](TestScanMode& m) { m.updateImageSetAllSelectByThumbnailPreview(0, false); },
       "updateImageSetAllSelectedThumbnailPost", {"Mode", "ThumbnailList"}},
      {"all thumbnails without a preview", 3, false, true,
       [](TestScanMode& m) { m.updateImageSetAllSelectByThumbnailPreview(0); }, "", {}},
      {"focus", 0, false, true, [](TestScanMode& m) { m.updateFocusCropPostByPreview(0, true, 1); },
       "UpdateFocusCropPost", {"CropCor", "CropList", "Mode"}},
      {"focus, not asked", 0, true, true, [](TestScanMode& m) { m.updateFocusCropPostByPreview(0, false, 1); }, "", {}},
      {"focus thumbnail, platen", 1, false, true, [](TestScanMode& m) { m.updateFocusThumbnailPostByPreview(0, true); },
       "updateFocusThumbnailPlatenPost", {"Mode", "ThumbnailList"}},
      {"focus thumbnail, film", 3, false, true, [](TestScanMode& m) { m.updateFocusThumbnailPostByPreview(0, true); },
       "updateFocusThumbnailPost", {"Mode", "ThumbnailList"}},
      {"focus thumbnail outside thumbnails", 0, false, true,
       [](TestScanMode& m) { m.updateFocusThumbnailPostByPreview(0, true); }, "", {}},
      {"multi-crop button", 0, false, true, [](TestScanMode& m) { m.remakeMultiCropButtonByPreview(); },
       "remakeMultiCropButtonPost", {"CropList", "Mode", "multiCropMode"}},
      {"multi-crop button on film", 2, false, true, [](TestScanMode& m) { m.remakeMultiCropButtonByPreview(); }, "", {}},
      {"auto-crop button", 0, false, true, [](TestScanMode& m) { m.remakeCropAutoCropButtonByPreview(0); },
       "remakeCropAutoCropButtonPost", {"CropList", "Mode"}},
      {"auto-crop button on a thumbnail view", 1, false, true,
       [](TestScanMode& m) { m.remakeCropAutoCropButtonByPreview(0); }, "", {}},
  };
  const std::vector<std::string> names = {
      "updateImageSetAllSelectedPost", "updateImageSetTemplatePost", "RemakeDeleteCropPost", "UpdateImageSetSelectedPost",
      "UpdateImageSetSelectedThumbnailPlatenPost", "UpdateImageSetSelectedThumbnailPost",
      "updateImageSetAllSelectedThumbnailPlatenPost", "updateImageSetAllSelectedThumbnailPost", "UpdateFocusCropPost",
      "updateFocusThumbnailPlatenPost", "updateFocusThumbnailPost", "remakeMultiCropButtonPost",
      "remakeCropAutoCropButtonPost"};
  for (const Case& c : cases) {
    TestScanMode mode;
    mode.mTemplateCrop = std::make_shared<Quirel_CropInfo>();
    mode.mScanMode = c.scanMode;
    mode.mHasPreview = c.hasPreview;
    if (c.crops) mode.addCrop(10, 10);
    mode.addThumbnail(10, 10, true);
    PostLog log(names);
    c.call(mode);
    if (c.name.empty()) {
      EXPECT_TRUE(log.posts.empty()) << c.what;
      continue;
    }
    ASSERT_FALSE(log.posts.empty()) << c.what;
    const PostLog::Post& p = log.posts[0];
    EXPECT_EQ(p.name, c.name) << c.what;
    EXPECT_EQ(p.sender, dynamic_cast<const void*>(static_cast<Quirel_BaseScanMode*>(&mode))) << c.what;
    std::vector<std::string> keys = p.info.keys();
    std::sort(keys.begin(), keys.end());
    EXPECT_EQ(keys, c.keys) << c.what;
  }
  // The multi-crop button always says advanced and multi-crop; the focus post passes its value.
  TestScanMode mode;
  mode.addCrop(10, 10);
  PostLog log(names);
  mode.remakeMultiCropButtonByPreview();
  mode.updateFocusCropPostByPreview(0, true, 7);
  ASSERT_EQ(log.posts.size(), 2u);
  EXPECT_EQ(log.posts[0].info.intValue("Mode"), 1);
  EXPECT_TRUE(log.posts[0].info.boolean("multiCropMode"));
  EXPECT_EQ(log.posts[1].info.intValue("CropCor"), 7);
  ASSERT_EQ(log.posts[1].info.array("CropList").size(), 1u);
  EXPECT_EQ(log.posts[1].info.array("CropList")[0].toObject<Quirel_CropInfo>(), mode.mCropList[0]);
}

TEST(BaseScanModeEndPreview, DeletingTheLastFrameAlsoAsksForTheTemplate) {
  TestScanMode mode;
  mode.mTemplateCrop = std::make_shared<Quirel_CropInfo>();
  mode.mHasPreview = true;
  PostLog log({"RemakeDeleteCropPost", "updateImageSetTemplatePost"});
  mode.RemakeDeleteCropPostByPreview(0);
  EXPECT_EQ(log.names(), (std::vector<std::string>{"RemakeDeleteCropPost", "updateImageSetTemplatePost"}));
}

TEST(BaseScanModeEndPreview, CorrectionDialogsReachOnlyWithTheirModuleName) {
  const char* name = "remakeCropFromCorrectionDlgPost";
  for (int scanMode : {0, 1}) {
    TestScanMode mode;
    mode.mTemplateCrop = std::make_shared<Quirel_CropInfo>();
    mode.mScanMode = scanMode;
    mode.mHasPreview = true;
    mode.addCrop(10, 10);
    PostLog log({"UpdateImageSetSelectedPost", "UpdateImageSetSelectedThumbnailPlatenPost"});
    int dialog = 0;
    for (const char* module : {"updateImageSetAllSelectByPreview", "", "other"})
      fnd::NotificationCenter::defaultCenter().post(name, &dialog, fnd::makeShared({{"Module", module}}));
    fnd::NotificationCenter::defaultCenter().post(name, &dialog, nullptr);
    fnd::NotificationCenter::defaultCenter().post(name, &dialog, fnd::makeShared({{"Module", 5}}));
    EXPECT_TRUE(log.posts.empty()) << scanMode;
    fnd::NotificationCenter::defaultCenter().post(name, &dialog,
                                                  fnd::makeShared({{"Module", "updateImageSetSelectByPreview"}}));
    ASSERT_EQ(log.posts.size(), 1u) << scanMode;
    EXPECT_EQ(log.posts[0].name,
              scanMode ? "UpdateImageSetSelectedThumbnailPlatenPost" : "UpdateImageSetSelectedPost");
    EXPECT_EQ(log.posts[0].info.intValue("Mode"), 1);
  }
}

TEST(BaseScanModeEndPreview, TheProgressPanelStandsOnlyOverTwoOrMoreFilmFrames) {
  struct Case {
    int scanMode, frames;
    bool showPanel, expected;
  };
  const Case cases[] = {{2, 2, true, true}, {2, 1, true, false}, {0, 3, true, false}, {2, 3, false, false}};
  for (const Case& c : cases) {
    TestScanMode mode;
    mode.mTemplateCrop = std::make_shared<Quirel_CropInfo>();
    mode.mScanMode = c.scanMode;
    for (int i = 0; i < c.frames; ++i) mode.addCrop(10, 10);
    bool shown = false;
    auto token = fnd::NotificationCenter::defaultCenter().observe(
        "updateImageSetAllSelectedPost", nullptr, [&](const fnd::Notification&) { shown = endPanelShowing(); });
    mode.updateImageSetAllSelectByPreview(0, false, true, c.showPanel);
    EXPECT_EQ(shown, c.expected) << c.scanMode << " " << c.frames;
    EXPECT_FALSE(endPanelShowing());
  }
  // Selected thumbnails: at least two selected frames.
  TestScanMode mode;
  mode.mScanMode = 3;
  mode.mHasPreview = true;
  mode.addThumbnail(10, 10, true);
  auto a = mode.addCrop(10, 10);
  auto b = mode.addCrop(10, 10);
  a->setSelect(true);
  bool shown = false;
  auto token = fnd::NotificationCenter::defaultCenter().observe(
      "UpdateImageSetSelectedThumbnailPost", nullptr, [&](const fnd::Notification&) { shown = endPanelShowing(); });
  mode.updateImageSetSelectByThumbnailPreview(0);
  EXPECT_FALSE(shown);
  b->setSelect(true);
  mode.updateImageSetSelectByThumbnailPreview(0);
  EXPECT_TRUE(shown);
}

TEST(BaseScanModeEndPreview, TheRealPreviewModelSendsTheFrameTheEndOfPreviewFitted) {
  Quirel_PreviewInfo model;
  model.setWholeSize(1000, 1400);
  model.setPlatenResolution(300);
  EndRig rig;
  int controller = 0;
  rig.mode.setUIMObject(&controller);
  rig.mode.setPlatenRect_Pixel96({{0, 0}, {2000, 2800}});
  rig.mode.mCreateFilmCrop = true;
  rig.mode.endPreview_previewInfo(&model, {{50, 100}, {200, 300}}, nullptr);
  ASSERT_EQ(rig.mode.mCropList.size(), 1u);
  rig.mode.mCropList[0]->setResolution(300);

  PostLog log({Quirel_PostNotification::kOverrideNotification});
  ASSERT_TRUE(rig.mode.postScan());
  const PostLog::Post* scan = log.find("StandardMode_Scan");
  ASSERT_NE(scan, nullptr);
  const fnd::Array& crops = scan->info.array("CropItem");
  const fnd::Dictionary* frame = nullptr;
  for (const fnd::Value& c : crops)
    if (c.toDictionary().intValue("Resolution") == 300) frame = &c.toDictionary();
  ASSERT_NE(frame, nullptr);
  // 800 x 1200 pixels at 300 dpi, the frame fitted to the automatic crop, counted from the top.
  const fnd::Dictionary& rect = frame->dictionary("ScanRect");
  EXPECT_NEAR(rect.real("X"), 200, 1e-6);
  EXPECT_NEAR(rect.real("Y"), 2800 - (1200 + 1200), 1e-6);
  EXPECT_NEAR(rect.real("width"), 800, 1e-6);
  EXPECT_NEAR(rect.real("height"), 1200, 1e-6);
}

TEST(BaseScanModeEndPreview, ThumbnailButtonAndOriginalScanFlagsAtTheEndOfAPlatenPreview) {
  Quirel_PreviewInfo model;
  model.setWholeSize(1000, 1400);
  struct Case {
    bool platenThumbnail;
    int progress;
    int uiMode;
    bool always;
    bool button, original;
  };
  const Case cases[] = {
      {true, -1, 0, false, false, false}, {true, 0, 0, false, true, false}, {false, -1, 0, false, true, false},
      {false, 0, 1, false, true, true},   {false, 0, 1, true, true, false},
  };
  for (const Case& c : cases) {
    EndRig rig(c.platenThumbnail ? fnd::Dictionary{{"PlatenThumbnail", true}} : fnd::Dictionary{});
    rig.preferences->setAlwaysAutoTone(c.always);
    rig.mode.mCreateFilmCrop = true;
    rig.mode.mUIMode = c.uiMode;
    rig.mode.mEnableThumbnailBtn = !c.button;
    rig.mode.setProgressStatusValue(c.progress);
    rig.mode.endPreview_previewInfo(&model, {{50, 100}, {200, 300}}, nullptr);
    EXPECT_EQ(rig.mode.getEnableThumbnailBtn(), c.button) << c.platenThumbnail << " " << c.progress;
    EXPECT_EQ(rig.mode.getOriginalScan(), c.original) << c.uiMode << " " << c.always;
  }
}
