// The basic mode's preview and scan start, through its Preview and Scan buttons: what happens to
// the frames, the notices and questions, the limits' messages, the requests sent, the controls
// given back when a request does not go out, and the scan retry from another thread.

#include <gtest/gtest.h>

#include <thread>

#include "ModalAnswers.h"
#include "StandardModeTestRig.h"
#include "foundation/RunLoop.h"
#include "kit/Application.h"
#include "kit/Button.h"
#include "kit/TextField.h"
#include "kit/Window.h"
#include "ui/controls/CTRLS_STDPreviewButton.h"
#include "ui/controls/CTRLS_STDScanButton.h"
#include "ui/controls/ColorButton.h"
#include "ui/model/CropFrameViewLink.h"
#include "ui/model/CropInfo.h"
#include "ui/model/PreviewInfo.h"
#include "ui/model/ThumbnailInfo.h"
#include "ui/windows/BookCorrectDialog.h"
#include "ui/windows/CheckBoxDialog.h"
#include "ui/windows/ShowMessageDialog.h"

namespace {

using namespace std_rig;
using modes_test::Answers;
using modes_test::PostLog;
using modes_test::RecordFiller;

const std::vector<std::string> kStartNames{"previewSettingFromStdPost", "scanSettingFromStdPost",
                                           Quirel_PostNotification::kOverrideNotification};

struct StartRig : PanelRig {
  explicit StartRig(const fnd::Dictionary& flags) : PanelRig(flags) {
    mode.setUIMObject(&controller);
    mode.setDefaultSetting(nullptr);
    mode.setValueOfSelectedCrop(false);
  }
  void clickPreview() { mode.getPreviewButton()->PreviewBTAction(); }
  void clickScan() { mode.getScanButton()->ScanBTAction(); }
  bool enabled() const { return mainWindow->getWindow()->isEnabled() && mode.mWindowMaskView == nullptr; }
  Quirel_CropInfo* addFrame(double x, double y, double w, double h, bool focus) {
    Quirel_CropInfo* crop = mode.createCropWithView(fnd::Rect());
    crop->setInputRect_Pixel96({{x, y}, {w, h}});
    crop->setOutputSize_Pixel96({w, h});
    crop->setResolution(300);
    crop->setColorMode(3);
    crop->setVisiblePreviewSize_Pixel96({2550, 3508});
    crop->setPreviewViewSize(mode.getPreviewView()->getImageViewRect().size);
    if (focus) mode.setFocus(crop);
    return crop;
  }
  int controller = 0;
  RecordFiller filler;
  Answers answers;
};

}  // namespace

// ---- Preview --------------------------------------------------------------------------------

TEST(StandardModeStart, PreviewClickDisablesOnceAndSendsOnePreviewAt300Dpi) {
  StartRig rig(itemFlags(1700));
  PostLog log(kStartNames);
  kit::View* content = rig.mainWindow->getWindow()->contentView();
  const std::size_t views = content->subviews().size();
  rig.clickPreview();
  EXPECT_EQ(log.count("Preview_Scan"), 1);
  const PostLog::Post* preview = log.find("Preview_Scan");
  ASSERT_NE(preview, nullptr);
  EXPECT_EQ(preview->sender, &rig.controller);
  EXPECT_EQ(preview->info.array("CropItem")[0].toDictionary().intValue("Resolution"), 300);
  EXPECT_FALSE(rig.mainWindow->getWindow()->isEnabled());
  EXPECT_EQ(content->subviews().size(), views + 1);  // one overlay
  EXPECT_FALSE(rig.mode.getPreviewButton()->getColorPushBT()->isEnabled());
  // With no frame and crop-after-preview 0, one frame made from the template has the focus.
  ASSERT_EQ(rig.mode.mCropList.size(), 1u);
  EXPECT_TRUE(rig.mode.mCropList[0]->isFocus());
  EXPECT_TRUE(rig.mode.mCropList[0]->getCropView()->isHidden());
}

TEST(StandardModeStart, FramesBeforeAPreviewByCropAfterPreview) {
  for (int setting : {0, 1, 2}) {
    SCOPED_TRACE(setting);
    StartRig rig(itemFlags(1700));
    Quirel_PreferenceInfo prefs;
    prefs.setCropAfterPrev(setting);
    rig.mode.setPreferenceInfo(std::make_shared<Quirel_PreferenceInfo>(prefs));
    rig.addFrame(10, 10, 200, 100, false);
    Quirel_CropInfo* focus = rig.addFrame(300, 300, 400, 500, true);
    focus->setResolution(600);
    focus->setMagnification(100);
    rig.mode.mTemplateCrop->setInputRect_Pixel96({{0, 0}, {2550, 3508}});
    PostLog log(kStartNames);
    rig.clickPreview();
    EXPECT_EQ(log.count("Preview_Scan"), 1);
    if (setting == 1) {
      ASSERT_EQ(rig.mode.mCropList.size(), 2u);
      for (const auto& c : rig.mode.mCropList) EXPECT_TRUE(c->getCropView()->isHidden());
    } else if (setting == 0) {
      ASSERT_EQ(rig.mode.mCropList.size(), 1u);
      EXPECT_EQ(rig.mode.mCropList[0].get(), focus);
      EXPECT_TRUE(focus->getCropView()->isHidden());
      // A free-size frame takes the template's input rectangle.
      EXPECT_EQ(focus->getInputRect_Pixel96().size.width, 2550);
      EXPECT_EQ(focus->getOutputWidth_Pixel96(), 2550);
    } else {
      EXPECT_TRUE(rig.mode.mCropList.empty());
      EXPECT_EQ(rig.mode.mTemplateCrop->getResolution(), 600);  // the focused frame's settings
    }
  }
}

TEST(StandardModeStart, BookNoticeOnlyWhereTheSourceCanUseIt) {
  struct Case {
    int version, imageSource;
    bool notice;
  };
  for (const Case& c : {Case{1700, 0, false}, Case{1700, 2, true}, Case{1600, 0, true}}) {
    SCOPED_TRACE(c.version * 100 + c.imageSource);
    StartRig rig(itemFlags(c.version));
    rig.mode.mImageSource = c.imageSource;
    rig.mode.mTemplateCrop->setBookCorrect(3);
    rig.answers.bookNotice(true);
    PostLog log(kStartNames);
    rig.clickPreview();
    EXPECT_EQ(rig.answers.texts.size(), c.notice ? 1u : 0u);
    EXPECT_EQ(rig.mode.mBookCorrectMsg, !c.notice);
    EXPECT_EQ(log.count("Preview_Scan"), 1);  // the notice never stops the preview
    if (!c.notice) {
      // Use up the answer that was not needed, so it does not reach another test's window.
      EXPECT_EQ(kit::Application::shared().pendingModalResponders(), 1u);
      Quirel_BookCorrectDialog::initWithSetting(rig.scanner.get())->runModal();
    }
    EXPECT_EQ(kit::Application::shared().pendingModalResponders(), 0u);
  }
}

TEST(StandardModeStart, CancelOnTheFilmThumbnailQuestionStopsEverything) {
  StartRig rig(itemFlags(1700));
  rig.mode.mScanMode = 3;
  rig.mode.mHasPreview = true;
  rig.mode.createEmptyThumbnailWithIndex(0);
  const std::size_t thumbnails = rig.mode.mThumbnailList.size();
  ASSERT_GT(thumbnails, 0u);
  rig.answers.question(0, true);
  PostLog log(kStartNames);
  rig.clickPreview();
  ASSERT_EQ(rig.answers.texts.size(), 1u);
  EXPECT_EQ(log.count("Preview_Scan"), 0);
  EXPECT_EQ(rig.mode.mThumbnailList.size(), thumbnails);
  EXPECT_TRUE(rig.mode.mClearThumbnailMsg);  // Cancel keeps the question on, ticked or not
  EXPECT_TRUE(rig.enabled());
  // OK with the box ticked goes on and stops asking.
  rig.answers.question(1, true);
  rig.clickPreview();
  EXPECT_EQ(log.count("Preview_Scan"), 1);
  EXPECT_FALSE(rig.mode.mClearThumbnailMsg);
  EXPECT_TRUE(rig.mode.mThumbnailList.empty());
}

TEST(StandardModeStart, ARequestNotSentGivesTheControlsBack) {
  StartRig rig(itemFlags(1700));
  rig.filler.refuse = true;
  PostLog log(kStartNames);
  rig.clickPreview();
  EXPECT_EQ(log.count("Preview_Scan"), 0);
  EXPECT_TRUE(rig.enabled());
  EXPECT_TRUE(rig.mode.getPreviewButton()->getColorPushBT()->isEnabled());
  rig.clickScan();
  EXPECT_EQ(log.count("StandardMode_Scan"), 0);
  EXPECT_TRUE(rig.enabled());
  EXPECT_TRUE(rig.mode.getScanButton()->getColorPushBT()->isEnabled());
}

// ---- Scan -----------------------------------------------------------------------------------

TEST(StandardModeStart, LimitsShowTheirMessageAndSendNothing) {
  auto limits = [](double data, int width, int height) {
    return fnd::Dictionary{
        {"24bit", fnd::Dictionary{{"DataSize", data}, {"Width", width}, {"Height", height}}}};
  };
  struct Case {
    int version;
    fnd::Dictionary limits;
    std::vector<std::string> parts;  // pieces the message must hold
    std::string start;
  };
  const std::vector<Case> cases{
      {1700, limits(1.5, 100, 120), {"100 × 120", "1.5"}, "The image would be too large"},
      {1700, limits(0, 100, 120), {"100 × 120", "lower the resolution"}, "The scan area is too large"},
      {1200, limits(0, 100, 120), {"100 × 120"}, "The scan area is too large"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.parts.front() + std::to_string(c.version));
    StartRig rig(itemFlags(c.version, {{"MaxScanSize", c.limits}}));
    rig.answers.message();
    PostLog log(kStartNames);
    rig.clickScan();
    ASSERT_EQ(rig.answers.texts.size(), 1u);
    const std::string& text = rig.answers.texts[0];
    EXPECT_EQ(text.rfind(c.start, 0), 0u) << text;
    for (const std::string& part : c.parts) EXPECT_NE(text.find(part), std::string::npos) << text;
    if (c.version < 1300) {
      EXPECT_EQ(text.find("lower the resolution"), std::string::npos) << text;
    }
    EXPECT_EQ(log.count("StandardMode_Scan"), 0);
    EXPECT_TRUE(rig.enabled());
    EXPECT_FALSE(rig.mode.isModal());
  }
  // A preview with thumbnails of which none is checked.
  StartRig rig(itemFlags(1700));
  rig.mode.mScanMode = 1;
  rig.mode.mHasPreview = true;
  rig.mode.createEmptyThumbnailWithIndex(0)->setChecked(false);
  rig.answers.message();
  PostLog log(kStartNames);
  rig.clickScan();
  ASSERT_EQ(rig.answers.texts.size(), 1u);
  EXPECT_EQ(rig.answers.texts[0].rfind("No image is selected", 0), 0u) << rig.answers.texts[0];
  EXPECT_EQ(log.count("StandardMode_Scan"), 0);
  EXPECT_TRUE(rig.enabled());
}

TEST(StandardModeStart, LargeImageQuestion) {
  StartRig rig(itemFlags(1700));
  rig.mode.mTemplateCrop->setResolution(1200);  // a letter page at 1200 dpi: far above 100 MiB
  PostLog log(kStartNames);
  rig.answers.question(0, true);
  rig.clickScan();
  EXPECT_EQ(rig.answers.texts.size(), 1u);
  EXPECT_EQ(log.count("StandardMode_Scan"), 0);
  EXPECT_TRUE(rig.mode.mLargePicMsg);
  EXPECT_TRUE(rig.enabled());

  rig.answers.question(1, true);
  rig.clickScan();
  EXPECT_EQ(rig.answers.texts.size(), 2u);
  EXPECT_EQ(log.count("StandardMode_Scan"), 1);
  EXPECT_FALSE(rig.mode.mLargePicMsg);
  EXPECT_FALSE(rig.mainWindow->getWindow()->isEnabled());  // enabled again at the end of the scan

  // Asked no more.
  rig.mode.setEnabledAllControl(true);
  rig.clickScan();
  EXPECT_EQ(rig.answers.texts.size(), 2u);
  EXPECT_EQ(log.count("StandardMode_Scan"), 2);
  EXPECT_EQ(kit::Application::shared().pendingModalResponders(), 0u);
}

TEST(StandardModeStart, RetriesRunTheScanStartOnTheMainThreadOneAfterTheOther) {
  StartRig rig(itemFlags(1700));
  std::vector<std::thread::id> threads;
  auto token = fnd::NotificationCenter::defaultCenter().observe(
      "scanSettingFromStdPost", nullptr, [&threads](const fnd::Notification&) { threads.push_back(std::this_thread::get_id()); });
  PostLog log(kStartNames);
  rig.mode.scanStartRerty();
  rig.mode.scanStartRerty();
  for (int round = 0; round < 400 && log.count("StandardMode_Scan") < 2; ++round)
    fnd::RunLoop::main().runFor(fnd::RunLoopMode::Default, 0.025);
  EXPECT_EQ(log.count("StandardMode_Scan"), 2);
  ASSERT_EQ(threads.size(), 2u);
  for (const auto& id : threads) EXPECT_EQ(id, std::this_thread::get_id());
  // Let both retry threads leave the lock before the mode goes.
  for (int round = 0; round < 40; ++round) fnd::RunLoop::main().runFor(fnd::RunLoopMode::Default, 0.01);
}

// ---- End of preview -------------------------------------------------------------------------

TEST(StandardModeEndPreview, ClearedPlatenPreviewKeepsANamedFrameAndMovesAFreeOneIntoTheTemplate) {
  for (bool named : {false, true}) {
    SCOPED_TRACE(named);
    StartRig rig(itemFlags(1700));
    const fnd::Dictionary model = itemModelParameters();
    rig.mode.setUimParameterDic(&model);
    rig.mode.createOutputSizeObjects();
    ASSERT_TRUE(rig.mode.getPrintArray() && !rig.mode.getPrintArray()->empty());
    const int outputSize = named ? rig.mode.getPrintArray()->front()->getIndex() : 0;
    Quirel_CropInfo* focus = rig.addFrame(100, 100, 600, 400, true);
    focus->setResolution(450);
    focus->setMagnification(100);
    if (outputSize != 0) rig.mode.updateCropByOutputSize(outputSize, *focus, true);
    ASSERT_EQ(focus->getOutputSize(), outputSize);
    rig.mode.mHasPreview = true;
    rig.mode.endPreviewClearImage();
    EXPECT_FALSE(rig.mode.mHasPreview);
    if (outputSize == 0) {
      EXPECT_TRUE(rig.mode.mCropList.empty());
      EXPECT_EQ(rig.mode.mTemplateCrop->getResolution(), 450);
      const SRectDouble input = rig.mode.mTemplateCrop->getInputRect_Pixel96();
      EXPECT_EQ(rig.mode.mTemplateCrop->getOutputWidth_Pixel96(), input.size.width);
    } else {
      ASSERT_EQ(rig.mode.mCropList.size(), 1u);
      EXPECT_EQ(rig.mode.mCropList[0].get(), focus);
      EXPECT_EQ(focus->getOutputSize(), outputSize);
      EXPECT_FALSE(focus->getCropView()->isHidden());
      EXPECT_GT(focus->getInputRect_Pixel96().size.width, 0);  // rebuilt for its named size
    }
  }
}

TEST(StandardModeEndPreview, EmptyFilmThumbnailPreviewShowsMessage1500ExceptAfterAHandOver) {
  for (bool handOver : {false, true}) {
    SCOPED_TRACE(handOver);
    StartRig rig(itemFlags(1700));
    rig.mode.mScanMode = 3;
    rig.mode.mCreateFilmCrop = true;
    rig.mode.mTabChanging = handOver;
    if (!handOver) rig.answers.message();
    Quirel_PreviewInfo preview;
    rig.mode.endFilmPreview_previewInfo(&preview, nullptr, 0);
    EXPECT_EQ(rig.answers.texts.size(), handOver ? 0u : 1u);
    EXPECT_FALSE(rig.mode.mTabChanging);
    EXPECT_FALSE(rig.mode.mHasPreview);  // no thumbnail: nothing to show
    EXPECT_EQ(rig.mode.mTemplateCrop->getPaperSize(), 21);  // no frame points: the strip size
    EXPECT_EQ(kit::Application::shared().pendingModalResponders(), 0u);
  }
}

TEST(StandardModeEndPreview, TinyAutoCropDeletesTheFocusFrameExceptInAZoomScan) {
  for (bool zoom : {false, true}) {
    SCOPED_TRACE(zoom);
    StartRig rig(itemFlags(1700));
    rig.mode.mHasPreview = true;
    rig.mode.resetPreview({2550, 3508}, false, false);
    Quirel_CropInfo* other = rig.addFrame(10, 10, 300, 300, false);
    rig.addFrame(500, 500, 600, 400, true);
    rig.mode.mZoomScan = zoom;
    Quirel_PreviewInfo preview;
    preview.setWholeSize(255, 351);
    preview.setAutoCropRect({{20, 30}, {11.9, 300}});
    rig.mode.setAutoCropRect(&preview);
    if (!zoom) {
      ASSERT_EQ(rig.mode.mCropList.size(), 1u);
      EXPECT_EQ(rig.mode.mCropList[0].get(), other);
      EXPECT_TRUE(other->isFocus());
    } else {
      ASSERT_EQ(rig.mode.mCropList.size(), 2u);
      Quirel_CropInfo* focus = rig.mode.getFocusCrop();
      ASSERT_NE(focus, nullptr);
      // Applied: the frame now has the automatic crop's shape, tall and narrow.
      EXPECT_LT(focus->getInputRect_Pixel96().size.width, focus->getInputRect_Pixel96().size.height);
    }
  }
}

// ---- The window's life and the tab ----------------------------------------------------------

TEST(StandardModeWindow, ShowTabLaysOutTheToolbarAndThePreviewFrame) {
  StartRig rig(itemFlags(1700));
  kit::Window& window = *rig.mainWindow->getWindow();
  window.setMinSize(fnd::Size(100, 100));
  window.setContentSize(fnd::Size(850, 600));
  ASSERT_EQ(window.contentView()->frame().size.height, 600);
  rig.toolView->setToolViewRect(20, 0, 500, 25);
  rig.previewFrame.setFrameViewRect(20, 20, 500, 100);
  rig.mode.showTab();
  EXPECT_EQ(rig.toolView->getToolViewRect(), fnd::Rect(20, 555, 500, 40));
  EXPECT_EQ(rig.previewFrame.getFrameViewRect(), fnd::Rect(20, 20, 500, 530));
  EXPECT_FALSE(rig.mode.getPreviewView()->isHidden());
}

TEST(StandardModeWindow, FeederLayoutHidesPreviewOutputSizeAndCropHint) {
  StartRig rig(itemFlags(1500));
  const double destinationHeight = rig.mode.getStepView(Step::Destination)->frame().size.height;
  rig.mode.setADFControl(true);
  EXPECT_TRUE(rig.mode.getStepView(Step::Preview)->isHidden());
  EXPECT_TRUE(rig.mode.getStepView(Step::OutputSize)->isHidden());
  EXPECT_TRUE(rig.mode.getStepView(Step::AdjustCrop)->isHidden());
  EXPECT_TRUE(rig.mode.getStepView(Step::ImageCorrect)->isHidden());
  EXPECT_TRUE(rig.mode.getScanNumberImage(false)->isHidden());
  EXPECT_FALSE(rig.mode.getScanNumberImage(true)->isHidden());
  EXPECT_EQ(rig.mode.getStepView(Step::Destination)->frame().size.height, destinationHeight + 30);
  // The Scan step follows the destination step directly.
  EXPECT_EQ(rig.mode.getStepView(Step::Scan)->frame().maxY(), rig.mode.getStepView(Step::Destination)->frame().origin.y);
  rig.mode.setADFControl(false);
  EXPECT_FALSE(rig.mode.getStepView(Step::Preview)->isHidden());
  EXPECT_EQ(rig.mode.getStepView(Step::Destination)->frame().size.height, destinationHeight);
}

TEST(StandardModeWindow, ShownWindowPreviewsByThePreferenceButNotOnTheFeeder) {
  struct Case {
    int prevStart, scanMode;
    bool wanted;
    int previews;
  };
  for (const Case& c : {Case{0, 0, true, 1}, Case{0, 4, true, 0}, Case{2, 0, true, 0}, Case{0, 0, false, 0}}) {
    SCOPED_TRACE(c.prevStart * 100 + c.scanMode * 10 + c.wanted);
    StartRig rig(itemFlags(1700));
    Quirel_PreferenceInfo prefs;
    prefs.setPrevStart(c.prevStart);
    rig.mode.setPreferenceInfo(std::make_shared<Quirel_PreferenceInfo>(prefs));
    rig.mode.mScanMode = c.scanMode;
    PostLog log(kStartNames);
    rig.mode.didShowWindow(c.wanted);
    EXPECT_EQ(log.count("Preview_Scan"), c.previews);
  }
}

TEST(StandardModeWindow, ClosingInFilmModeKeepsTheTemplateAndDropsEveryFrame) {
  StartRig rig(itemFlags(1700));
  Quirel_PreferenceInfo prefs;
  prefs.setPrevStart(0);
  rig.mode.setPreferenceInfo(std::make_shared<Quirel_PreferenceInfo>(prefs));
  rig.mode.mScanMode = 2;
  rig.mode.mHasPreview = true;
  Quirel_CropInfo* focus = rig.addFrame(100, 100, 300, 200, true);
  focus->setResolution(2400);
  rig.addFrame(500, 100, 300, 200, false);
  rig.mode.willCloseWindow();
  EXPECT_TRUE(rig.mode.mCropList.empty());
  EXPECT_EQ(rig.mode.mTemplateCrop->getResolution(), 2400);
}

TEST(StandardModeStart, ARetryThatOutlivesTheModeLeavesItAlone) {
  RecordFiller filler;
  PostLog log(kStartNames);
  for (int i = 0; i < 3; ++i) {
    auto rig = std::make_unique<StartRig>(itemFlags(1700));
    rig->mode.scanStartRerty();
    if (i == 1) std::this_thread::sleep_for(std::chrono::milliseconds(20));  // let it reach the gate first
    rig.reset();  // the mode ends while the retry is starting or waiting for the main thread
  }
  for (int round = 0; round < 20; ++round) fnd::RunLoop::main().runFor(fnd::RunLoopMode::Default, 0.01);
  EXPECT_EQ(log.count("StandardMode_Scan"), 0);
}
