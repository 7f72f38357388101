// The advanced mode's scan flow through the mode object: the scan start's checks and questions
// over fixture scanner records, the repeated start from another thread, zoom, preview starts,
// selecting and deleting frames.

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "ExtendModeFlowRig.h"
#include "ui/model/PreferenceInfo.h"

namespace {

using namespace flow_rig;
using modes_test::PostLog;


bool sameRect(const SRectDouble& a, const SRectDouble& b) {
  return a.origin.x == b.origin.x && a.origin.y == b.origin.y && a.size.width == b.size.width &&
         a.size.height == b.size.height;
}

// ---- Scan start ------------------------------------------------------------------------------

TEST(ExtendModeScan, ChecksRefuseWithTheirMessageAndSendNothing) {
  struct Case {
    const char* name;
    fnd::Dictionary scanner;
    int colorMode;
    int number;
    std::vector<std::string> args;
  };
  const std::vector<Case> cases{
      {"data limit", flowScanner({{"MaxScanSize", flowLimits(0.005, 5000, 6000)}}), 3, 1290, {"5000", "6000", "0.0"}},
      {"size, 24-bit, 1300+", flowScanner({{"MaxScanSize", flowLimits(0, 100, 120)}}), 3, 1117, {"100", "120"}},
      {"size, 24-bit, older", flowScanner({{"Ver1300Later", false}, {"MaxScanSize", flowLimits(0, 100, 120)}}), 3,
       1113, {"100", "120"}},
      {"size, 48-bit, 1300+", flowScanner({{"MaxScanSize", flowLimits(0, 100000, 100000, 0, 100, 120)}}), 4, 1118,
       {"100", "120"}},
      {"size, 16-bit grey, older",
       flowScanner({{"Ver1300Later", false}, {"MaxScanSize", flowLimits(0, 100000, 100000, 0, 100, 120)}}), 2, 1114,
       {"100", "120"}},
      // A large model value is cut to 15 characters, never overflowing a buffer.
      {"long data limit", flowScanner({{"MaxScanSize", flowLimits(1e20, 100, 120)}}), 3, 1290,
       {"100", "120", "100000000000000"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FlowRig rig(c.scanner);
    rig.mode.setCurrentColorMode(c.colorMode);
    rig.mode.mTemplateCrop->setColorMode(c.colorMode);
    PostLog log(flowNames());
    rig.answers.message();
    rig.mode.scanStart(kPress);
    ASSERT_EQ(rig.port.shown.size(), 1u);
    EXPECT_EQ(rig.port.shown[0].number, c.number);
    EXPECT_EQ(rig.port.shown[0].args, c.args);
    EXPECT_EQ(rig.answers.texts.size(), 1u);
    EXPECT_EQ(log.count("AdvancedMode_Scan"), 0);
    EXPECT_TRUE(rig.mode.enabling.empty());
    EXPECT_FALSE(rig.mode.mScanLoop);
    EXPECT_FALSE(rig.mode.isModal());
  }
}

TEST(ExtendModeScan, ThumbnailChecksComeFirst) {
  // A preview with thumbnails of which none is ticked.
  {
    FlowRig rig;
    rig.mode.mScanMode = 1;
    rig.mode.mHasPreview = true;
    rig.mode.createEmptyThumbnailWithIndex(0)->setChecked(false);
    rig.answers.message();
    rig.mode.scanStart(kPress);
    ASSERT_EQ(rig.port.shown.size(), 1u);
    EXPECT_EQ(rig.port.shown[0].number, 1311);
  }
  // Platen thumbnails over the per-frame limit show it as a plain number.
  {
    FlowRig rig(flowScanner({{"ColorThumbSize", 100.0}}));
    rig.mode.mScanMode = 1;
    Quirel_ThumbnailInfo* t = rig.mode.createEmptyThumbnailWithIndex(0);
    t->setChecked(true);
    ASSERT_TRUE(t->getCropInfo());
    t->getCropInfo()->setInputRect_Pixel96({{0, 0}, {2550, 3300}});
    t->getCropInfo()->setOutputSize_Pixel96({2550, 3300});
    t->getCropInfo()->setResolution(1200);
    t->getCropInfo()->setColorMode(3);
    rig.answers.message();
    rig.mode.scanStart(kPress);
    ASSERT_EQ(rig.port.shown.size(), 1u);
    EXPECT_EQ(rig.port.shown[0].number, 1291);
    EXPECT_EQ(rig.port.shown[0].args, std::vector<std::string>{"100"});
  }
}

TEST(ExtendModeScan, LargePictureAndBitDepthQuestions) {
  struct Case {
    const char* name;
    fnd::Dictionary scanner;
    int colorMode;
    int fileFormat;
    int questions;  // asked before the scan goes out
  };
  const std::vector<Case> cases{
      {"16-bit, newer, JPEG", flowScanner({{"TrivoVer100Later", true}}), 4, 0, 1},
      {"16-bit, newer, TIFF", flowScanner({{"TrivoVer100Later", true}}), 4, 1, 0},
      {"16-bit grey, format from the application 1", flowScanner({{"ImageDataFormat", 1LL}}), 2, 0, 1},
      {"16-bit, format from the application 0", flowScanner({{"ImageDataFormat", 0LL}}), 4, 0, 1},
      {"24-bit", flowScanner({{"TrivoVer100Later", true}}), 3, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FlowRig rig(c.scanner);
    rig.mode.setCurrentColorMode(c.colorMode);
    rig.mode.getPreferenceInfo()->setFileFormat(c.fileFormat);
    PostLog log(flowNames());
    for (int i = 0; i < c.questions; ++i) rig.answers.question(1, false);
    rig.mode.scanStart(kPress);
    EXPECT_EQ(static_cast<int>(rig.answers.texts.size()), c.questions);
    EXPECT_EQ(log.count("AdvancedMode_Scan"), 1);
    EXPECT_EQ(log.count("ntfQuirel_SaveInfo"), 1);
    EXPECT_EQ(rig.mode.enabling, std::vector<bool>{false});
    EXPECT_TRUE(rig.mode.mScanLoop);
    EXPECT_EQ(kit::Application::shared().pendingModalResponders(), 0u);
  }

  // Two frames of 60 MB each come to 100 MB together: the question is asked.
  for (int answer : {0, 1}) {
    SCOPED_TRACE(answer);
    FlowRig rig;
    rig.frame(0, 0, 2550, 3508, true, true)->setResolution(450);
    rig.frame(0, 0, 2550, 3508, true)->setResolution(450);
    rig.mode.mFavorite = 4;
    PostLog log(flowNames());
    rig.answers.question(answer, true);
    rig.mode.scanStart(kPress);
    ASSERT_EQ(rig.answers.texts.size(), 1u);
    // Cancel with the box ticked keeps the flag and changes nothing; OK with it ticked clears it.
    EXPECT_EQ(rig.mode.mLargePicMsg, answer == 0);
    EXPECT_EQ(log.count("AdvancedMode_Scan"), answer);
    EXPECT_EQ(rig.mode.mFavorite, answer == 0 ? 4 : 0);
    EXPECT_EQ(rig.mode.enabling.size(), static_cast<std::size_t>(answer));
  }
}

TEST(ExtendModeScan, TickedBitDepthQuestionsClearTheirOwnFlag) {
  FlowRig rig(flowScanner({{"ImageDataFormat", 0LL}}));
  rig.mode.setCurrentColorMode(4);
  rig.answers.question(1, true);
  rig.mode.scanStart(kPress);
  EXPECT_FALSE(rig.mode.mColorBitMsg);
  EXPECT_TRUE(rig.mode.mColorModeAndDataFormatMsg);

  FlowRig other(flowScanner({{"TrivoVer100Later", true}}));
  other.mode.setCurrentColorMode(4);
  other.answers.question(1, true);
  other.mode.scanStart(kPress);
  EXPECT_TRUE(other.mode.mColorBitMsg);
  EXPECT_FALSE(other.mode.mColorModeAndDataFormatMsg);
  // Asked no more.
  other.mode.scanStart(kPress);
  EXPECT_EQ(other.answers.texts.size(), 1u);
}

TEST(ExtendModeScan, RetriesRunOnTheMainThreadOneAfterTheOther) {
  FlowRig rig;
  std::vector<std::thread::id> threads;
  auto token = fnd::NotificationCenter::defaultCenter().observe(
      "scanSettingFromExtPost", nullptr,
      [&threads](const fnd::Notification&) { threads.push_back(std::this_thread::get_id()); });
  PostLog log(flowNames());
  rig.mode.scanStartRerty();
  rig.mode.scanStartRerty();
  for (int round = 0; round < 400 && log.count("AdvancedMode_Scan") < 2; ++round)
    fnd::RunLoop::main().runFor(fnd::RunLoopMode::Default, 0.025);
  EXPECT_EQ(log.count("AdvancedMode_Scan"), 2);
  ASSERT_EQ(threads.size(), 2u);
  for (const auto& id : threads) EXPECT_EQ(id, std::this_thread::get_id());
  EXPECT_EQ(rig.mode.enabling, (std::vector<bool>{false, false}));
  EXPECT_EQ(rig.mode.offMainThread, 0);
  EXPECT_TRUE(rig.mode.mScanLoop);
  EXPECT_TRUE(rig.answers.texts.empty());  // no checks, no questions
}

TEST(ExtendModeScan, ARetryThatOutlivesTheModeLeavesItAlone) {
  PostLog log(flowNames());
  for (int i = 0; i < 3; ++i) {
    auto rig = std::make_unique<FlowRig>();
    rig->mode.scanStartRerty();
    if (i == 1) std::this_thread::sleep_for(std::chrono::milliseconds(20));
    rig.reset();  // the mode ends while the retry is starting or waiting for the main thread
  }
  for (int round = 0; round < 20; ++round) fnd::RunLoop::main().runFor(fnd::RunLoopMode::Default, 0.01);
  EXPECT_EQ(log.count("AdvancedMode_Scan"), 0);
}

TEST(ExtendModeScan, ARequestThatDoesNotGoOutGivesTheControlsBack) {
  FlowRig rig;
  rig.filler.refuse = true;
  rig.mode.scanStart(kPress);
  EXPECT_EQ(rig.mode.enabling, (std::vector<bool>{false, true}));
  EXPECT_FALSE(rig.mode.mScanLoop);
}

// ---- Zoom ------------------------------------------------------------------------------------

TEST(ExtendModeZoom, InAndOut) {
  FlowRig rig;
  rig.mode.mPreview = Quirel_CTRLS_Preview::initForExtendMode();
  auto focus = rig.frame(300, 400, 600, 500, true, true);
  auto other = rig.frame(1200, 400, 300, 300, false);

  // Without a preview nothing happens.
  PostLog none(flowNames());
  rig.mode.zoomScanStart(kPress);
  EXPECT_TRUE(none.posts.empty());
  EXPECT_FALSE(rig.mode.mZoomScan);

  rig.mode.mHasPreview = true;
  const std::vector<std::uint8_t> red(40 * 50 * 3, 200);
  const kit::Image picture = kit::Image::fromRGB(red.data(), 40, 50);
  rig.mode.mPreview->setImage(picture);
  PostLog in(flowNames());
  rig.mode.zoomScanStart(kPress);
  EXPECT_TRUE(rig.mode.mZoomScan);
  ASSERT_TRUE(rig.mode.mTempImage);
  EXPECT_EQ(rig.mode.mTempImage->pixelsWide(), 40);
  EXPECT_FALSE(rig.mode.mPreview->getImageView()->getPreviewImage());
  EXPECT_TRUE(other->getCropView()->isHidden());
  EXPECT_FALSE(focus->getCropView()->isHidden());
  EXPECT_TRUE(rig.mode.mZoomBtn->isOnState());
  const PostLog::Post* retain = in.find("retainSettingFromExtPost");
  ASSERT_TRUE(retain);
  EXPECT_EQ(retain->info.integer("Mode"), 1);
  EXPECT_EQ(retain->info.integer("ZoomRetain"), 1);
  const PostLog::Post* sent = in.find("Zoom_Scan");
  ASSERT_TRUE(sent);
  EXPECT_TRUE(rig.mode.getNeedScan());
  EXPECT_TRUE(rig.mode.getRedrawPreview());
  EXPECT_FALSE(rig.mode.getPreviewAtStart());
  EXPECT_FALSE(rig.mode.getCreateFilmCrop());
  EXPECT_FALSE(rig.mode.getChangeThumbnailSize());
  EXPECT_EQ(rig.filler.threshold, 128);
  EXPECT_EQ(in.find("previewModeChangePost")->info.integer("PreviewMode"), 1);
  EXPECT_EQ(rig.mode.enabling, std::vector<bool>{false});

  // The zoomed preview ends (the window controller gives the window back), then back out: the
  // kept picture comes back and the frame goes where the base puts it.
  rig.mode.setEnabledAllControl(true);
  rig.mode.mPreview->removeImage();
  Quirel_CropInfo expected;
  expected.setInputRect_Pixel96(focus->getInputRect_Pixel96());
  expected.setVisiblePreviewSize_Pixel96(focus->getVisiblePreviewSize_Pixel96());
  expected.setPreviewStartPoint_Pixel96(focus->getPreviewStartPoint_Pixel96());
  const SSizeDouble paper = rig.mode.getPaperSizeWH_Pixel96(0);
  rig.mode.updateCropByResetZoomScan(expected, paper.width, paper.height);
  PostLog out(flowNames());
  rig.mode.zoomScanStart(kPress);
  EXPECT_FALSE(rig.mode.mZoomScan);
  EXPECT_FALSE(rig.mode.mTempImage);
  ASSERT_TRUE(rig.mode.mPreview->getImageView()->getPreviewImage());
  EXPECT_EQ(rig.mode.mPreview->getImageView()->getPreviewImage()->pixelsWide(), 40);
  EXPECT_TRUE(sameRect(focus->getInputRect_Pixel96(), expected.getInputRect_Pixel96()));
  EXPECT_FALSE(other->getCropView()->isHidden());
  EXPECT_FALSE(rig.mode.mZoomBtn->isOnState());
  ASSERT_TRUE(out.find("retainSettingFromExtPost"));
  EXPECT_EQ(out.find("retainSettingFromExtPost")->info.integer("ZoomRetain"), 0);
  EXPECT_TRUE(out.find("Preview_Scan"));
  EXPECT_FALSE(rig.mode.getNeedScan());

  // A new preview while zoomed resets the preview and drops the kept picture.
  rig.mode.setEnabledAllControl(true);
  rig.mode.zoomScanStart(kPress);
  ASSERT_TRUE(rig.mode.mTempImage);
  rig.mode.setEnabledAllControl(true);
  rig.mode.previewStart(kPress);
  EXPECT_FALSE(rig.mode.mZoomScan);
  EXPECT_FALSE(rig.mode.mTempImage);
  rig.mode.mHasPreview = true;
  rig.mode.mPreview->setImage(picture);
  for (const auto& c : rig.mode.mCropList) c->setSelect(false);
  rig.mode.setFocus(rig.mode.mCropList.front().get());
  other = rig.frame(1200, 400, 300, 300, false);

  // Select all does nothing while zoomed.
  rig.mode.setEnabledAllControl(true);
  rig.mode.zoomScanStart(kPress);
  ASSERT_TRUE(rig.mode.mZoomScan);
  rig.mode.selectAll();
  EXPECT_FALSE(other->isSelected());
}

TEST(ExtendModeZoom, WithoutAFocusFrameNothingHappens) {
  FlowRig rig;
  rig.mode.mHasPreview = true;
  rig.frame(300, 400, 600, 500, true);
  PostLog log(flowNames());
  rig.mode.zoomScanStart(kPress);
  EXPECT_TRUE(log.posts.empty());
  EXPECT_FALSE(rig.mode.mZoomScan);
}

// ---- Preview starts --------------------------------------------------------------------------

TEST(ExtendModePreview, PlatenPreviewKeepsOnlyTheFocusFrameAndAsksWithItsThreshold) {
  FlowRig rig;
  auto focus = rig.frame(300, 400, 600, 500, true, true);
  focus->setThreshold(77);
  rig.frame(1200, 400, 300, 300, true);
  rig.mode.mFavorite = 3;
  rig.mode.setDoublePreview(true);
  PostLog log(flowNames());
  rig.mode.previewStart(kPress);
  EXPECT_FALSE(rig.mode.getDoublePreview());
  ASSERT_EQ(rig.mode.mCropList.size(), 1u);
  EXPECT_EQ(rig.mode.mCropList[0], focus);
  EXPECT_TRUE(focus->getCropView()->isHidden());
  EXPECT_EQ(log.count("Preview_Scan"), 1);
  EXPECT_EQ(rig.filler.threshold, 77);
  EXPECT_TRUE(rig.mode.getCreateFilmCrop());
  EXPECT_TRUE(rig.mode.mScanLoop);
  EXPECT_EQ(rig.mode.mFavorite, 0);
  EXPECT_EQ(rig.mode.enabling, std::vector<bool>{false});
}

TEST(ExtendModePreview, BookNoticeComesFirstAndItsBoxStopsIt) {
  FlowRig rig;
  rig.mode.mTemplateCrop->setBookCorrect(1);
  rig.answers.bookNotice(true);
  PostLog log(flowNames());
  rig.mode.previewStart(kPress);
  EXPECT_EQ(rig.answers.texts, std::vector<std::string>{"book"});
  EXPECT_FALSE(rig.mode.mBookCorrectMsg);
  EXPECT_EQ(log.count("Preview_Scan"), 1);
}

TEST(ExtendModePreview, FilmThumbnailPreviewAsksBeforeClearingThumbnails) {
  FlowRig rig;
  rig.mode.mScanMode = 3;
  rig.mode.mHasPreview = true;
  rig.mode.mTemplateCrop->setThreshold(99);
  PostLog log(flowNames());
  rig.answers.question(0, true);
  rig.mode.previewStart(kPress);
  EXPECT_EQ(log.count("Preview_Scan"), 0);
  EXPECT_TRUE(rig.mode.mClearThumbnailMsg);
  rig.answers.question(1, true);
  rig.mode.previewStart(kPress);
  EXPECT_EQ(log.count("Preview_Scan"), 1);
  EXPECT_FALSE(rig.mode.mClearThumbnailMsg);
  // The threshold is the template's after the preview was cleared.
  EXPECT_EQ(rig.filler.threshold, rig.mode.mTemplateCrop->getThreshold());
}

TEST(ExtendModePreview, PreviewAtStartMatrix) {
  struct Case {
    int scanMode;
    bool current;  // false: opened beside the multi-scan tab
    bool sent;
  };
  const Case cases[] = {{0, true, true},  {2, true, true},  {1, true, true},   {3, true, true},
                        {4, true, false}, {0, false, false}, {2, false, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.scanMode << " " << c.current);
    FlowRig rig;
    rig.mode.getPreferenceInfo()->setPrevStart(0);
    rig.mode.mScanMode = c.scanMode;
    PostLog log(flowNames());
    rig.mode.didShowWindow(c.current);
    EXPECT_EQ(log.count("Preview_Scan"), c.sent ? 1 : 0);
    EXPECT_EQ(rig.mode.mScanLoop, c.sent);
  }
  // Keep the preview: a window shown again with one asks for it, marked as the start's.
  FlowRig rig;
  rig.mode.getPreferenceInfo()->setPrevStart(1);
  rig.mode.mHasPreview = true;
  PostLog log(flowNames());
  rig.mode.willShowWindow();
  EXPECT_EQ(log.count("Preview_Scan"), 1);
  EXPECT_TRUE(rig.mode.getPreviewAtStart());
}

// ---- Selection and deletion --------------------------------------------------------------------

TEST(ExtendModeDelete, AllFramesDeletedByKindOfSource) {
  // Platen without a named size: the template takes the focus frame's settings.
  {
    FlowRig rig;
    auto focus = rig.frame(300, 400, 600, 500, true, true);
    focus->setUnsharpMask(1);
    rig.frame(1200, 400, 300, 300, true);
    rig.mode.deleteCrops();
    EXPECT_TRUE(rig.mode.mCropList.empty());
    EXPECT_EQ(rig.mode.mTemplateCrop->getUnsharpMask(), 1);
  }
  // Every frame selected and none focused: the last one stands in.
  {
    FlowRig rig;
    rig.frame(300, 400, 600, 500, true)->setGrainCorrect(1);
    rig.frame(1200, 400, 300, 300, true)->setGrainCorrect(2);
    rig.mode.deleteCrops();
    EXPECT_TRUE(rig.mode.mCropList.empty());
    EXPECT_EQ(rig.mode.mTemplateCrop->getGrainCorrect(), 2);
  }
  // Some selected: only those go, and the next frame takes the focus.
  {
    FlowRig rig;
    rig.frame(300, 400, 600, 500, true, true);
    auto kept = rig.frame(1200, 400, 300, 300, false);
    rig.mode.deleteCrops();
    ASSERT_EQ(rig.mode.mCropList.size(), 1u);
    EXPECT_TRUE(kept->isFocus());
    EXPECT_TRUE(kept->isSelected());
  }
  // None selected, or a thumbnail mode: nothing.
  {
    FlowRig rig;
    rig.frame(300, 400, 600, 500, false);
    rig.mode.deleteCrops();
    EXPECT_EQ(rig.mode.mCropList.size(), 1u);
    rig.mode.mCropList[0]->setSelect(true);
    rig.mode.mScanMode = 1;
    rig.mode.deleteCrops();
    EXPECT_EQ(rig.mode.mCropList.size(), 1u);
  }
}

TEST(ExtendModeDelete, NamedSizeMakesANewFrameAndFilmTheFirstHolderFrame) {
  // Platen with a named size on the focus frame: a new frame of that size takes its settings.
  {
    FlowRig rig;
    const int named = rig.useModelOutputSizes();
    ASSERT_NE(named, 0);
    auto focus = rig.frame(300, 400, 600, 500, true, true);
    focus->setOutputSize(named);
    focus->setDescreen(1);
    rig.mode.deleteCrops();
    ASSERT_EQ(rig.mode.mCropList.size(), 1u);
    EXPECT_NE(rig.mode.mCropList[0], focus);
    EXPECT_EQ(rig.mode.mCropList[0]->getOutputSize(), named);
    EXPECT_EQ(rig.mode.mCropList[0]->getDescreen(), 1);
    EXPECT_TRUE(rig.mode.mCropList[0]->isFocus());
  }
  // Film: a new frame over the holder's first frame.
  {
    FlowRig rig;
    rig.mode.mScanMode = 2;
    rig.mode.addDefaultFilmSizeRects(21, fnd::Array{fnd::Dictionary{{"X", 10.0}, {"Y", 20.0}, {"Width", 300.0}, {"Height", 200.0}}});
    auto focus = rig.frame(300, 400, 600, 500, true, true);
    focus->setPaperSize(21);
    focus->setMagnification(200);
    rig.mode.deleteCrops();
    ASSERT_EQ(rig.mode.mCropList.size(), 1u);
    const Quirel_CropInfo& made = *rig.mode.mCropList[0];
    EXPECT_TRUE(sameRect(made.getInputRect_Pixel96(), SRectDouble{{10, 20}, {300, 200}}));
    EXPECT_DOUBLE_EQ(made.getOutputWidth_Pixel96(), 600);
    EXPECT_TRUE(made.isFocus());
  }
}

TEST(ExtendModeSelect, SelectAllClearsTheChoices) {
  FlowRig rig;
  auto a = rig.frame(300, 400, 600, 500, false);
  auto b = rig.frame(1200, 400, 300, 300, false);
  rig.mode.mFavorite = 2;
  rig.mode.mToneCurve = 3;
  rig.mode.selectAll();
  EXPECT_TRUE(a->isSelected());
  EXPECT_TRUE(b->isSelected());
  EXPECT_EQ(rig.mode.mFavorite, 0);
  EXPECT_EQ(rig.mode.mToneCurve, 0);
}

TEST(ExtendModeDelete, AutoCropDeletesTheFocusFrame) {
  FlowRig rig;
  auto focus = rig.frame(300, 400, 600, 500, true, true);
  focus->setFadingCorrect(1);
  rig.mode.deleteCropByAutoCrop();
  EXPECT_TRUE(rig.mode.mCropList.empty());
  EXPECT_EQ(rig.mode.mTemplateCrop->getFadingCorrect(), 1);
  // Film, feeder and thumbnails keep their frames.
  for (int scanMode : {1, 2, 4}) {
    FlowRig other;
    other.mode.mScanMode = scanMode;
    other.frame(300, 400, 600, 500, true, true);
    other.mode.deleteCropByAutoCrop();
    EXPECT_EQ(other.mode.mCropList.size(), 1u);
  }
}

}  // namespace
