// The scan-mode base's state: defaults, setters that keep or copy, counts, the dialog list and
// the observations it holds for its whole life and for thumbnails.

#include <gtest/gtest.h>

#include "ModesTestSupport.h"
#include "kit/Window.h"
#include "ui/controls/CTRLS_MainWindow.h"
#include "ui/controls/NoFocusButton.h"
#include "ui/controls/ThumbnailFrameView.h"
#include "ui/controls/ThumbnailPreviewView.h"
#include "ui/windows/ProgressWindow.h"
#include "ui/windows/ShowMessageDialog.h"

using modes_test::TestScanMode;

namespace {

// Counts what reaches the thumbnail handlers.
class ThumbnailCountingMode : public TestScanMode {
 public:
  int mouseEvents = 0;
  int otherControls = 0;
  int cursorRects = 0;

 protected:
  void mouseEventOnThumbnail(const fnd::Notification&) override { ++mouseEvents; }
  void enterTextFByOtherControls(const fnd::Notification&) override { ++otherControls; }
  void thumbnailPreviewViewUpdateCursorRects(const fnd::Notification&) override { ++cursorRects; }
};

}  // namespace

TEST(BaseScanModeState, AFreshModeIsABasicPlatenModeWithEveryNoticeOn) {
  TestScanMode mode;
  EXPECT_EQ(mode.getUIMode(), 0);
  EXPECT_EQ(mode.getScanMode(), 0);
  EXPECT_FALSE(mode.isFilmMode());
  EXPECT_FALSE(mode.isADFMode());
  EXPECT_FALSE(mode.isThumbnailMode());
  EXPECT_TRUE(mode.getRedrawPreview());
  EXPECT_TRUE(mode.getEnableThumbnailBtn());
  EXPECT_TRUE(mode.getFilmThumbnail());
  EXPECT_FALSE(mode.getPlatenThumbnail());
  EXPECT_FALSE(mode.getNeedScan());
  EXPECT_FALSE(mode.getOriginalScan());
  EXPECT_EQ(mode.getProgressStatus(), 0);
  for (bool notice : {mode.showBookCorrectMsg(), mode.showClearThumbnailMsg(), mode.showLargePixelMsg(),
                      mode.showBitEnableMsg(), mode.showFavoriteDlgMsg(), mode.showToneSettingDlgMsg(),
                      mode.showColorModeAndDataFormatMsg()})
    EXPECT_TRUE(notice);
  EXPECT_EQ(mode.getPlatenResolution(), 9600);
  const UserLocaleUnits units = mode.getDefaultUserLocaleUnits();
  EXPECT_EQ(units.unit, 1);
  EXPECT_EQ(units.paperSize, 10);
  EXPECT_EQ(units.filmSize, 3);
  EXPECT_DOUBLE_EQ(mode.getUserSpaceScaleFactor(), 1.0);
  EXPECT_TRUE(mode.getCropList().empty());
  EXPECT_TRUE(mode.getThumbnailList().empty());
  EXPECT_EQ(mode.getTemplateCrop(), nullptr);
  EXPECT_FALSE(mode.isCalibrationEveryScan());
}

TEST(BaseScanModeState, TheDerivedTestsFollowTheScanMode) {
  struct Case {
    int scanMode;
    bool film, thumbnail, adf;
  };
  for (const Case c : {Case{0, false, false, false}, Case{1, false, true, false}, Case{2, true, false, false},
                       Case{3, true, true, false}, Case{4, false, false, true}}) {
    TestScanMode mode;
    mode.mScanMode = c.scanMode;
    EXPECT_EQ(mode.isFilmMode(), c.film) << c.scanMode;
    EXPECT_EQ(mode.isThumbnailMode(), c.thumbnail) << c.scanMode;
    EXPECT_EQ(mode.isADFMode(), c.adf) << c.scanMode;
  }
}

TEST(BaseScanModeState, UsedOutputSizesAreDistinctInTheOrderOfTheirLastUse) {
  struct Case {
    std::vector<int> frames;
    std::vector<int> used;
  };
  for (const Case& c : {Case{{2, 5, 2}, {2, 5}}, Case{{3, 1, 3, 2}, {2, 3, 1}}, Case{{}, {}}, Case{{0, 0}, {0}}}) {
    TestScanMode mode;
    for (int size : c.frames) mode.addCrop(100, 100)->setOutputSize(size);
    EXPECT_EQ(mode.getUsedOutputSize(), c.used);
  }
}

TEST(BaseScanModeState, CountsOfSelectedMultiCropFramesAndCheckedThumbnails) {
  TestScanMode mode;
  auto a = mode.addCrop(10, 10);
  auto b = mode.addCrop(10, 10);
  auto c = mode.addCrop(10, 10);
  a->setSelect(true);
  b->setMultiCrop(true);
  c->setMultiCrop(true);
  c->setSelect(true);
  EXPECT_EQ(mode.getSelectedCropCount(), 2);
  EXPECT_EQ(mode.getMultiCropCount(false), 2);
  EXPECT_EQ(mode.getMultiCropCount(true), 1);
  mode.addThumbnail(10, 10, true);
  mode.addThumbnail(10, 10, false);
  mode.addThumbnail(10, 10, true);
  EXPECT_EQ(mode.getCheckedThumbnailCount(), 2);
}

TEST(BaseScanModeState, ADialogIsListedOnceAndTextSettersKeepTheirTextWhenGivenNone) {
  TestScanMode mode;
  auto dialog = std::make_shared<kit::Window>(fnd::Rect(0, 0, 100, 100), kit::kTitledWindowMask);
  mode.addDialog(dialog);
  mode.addDialog(dialog);
  mode.addDialog(nullptr);
  EXPECT_EQ(mode.getDialogList().size(), 1u);

  mode.setLLDVersion("1.2.3");
  mode.setLLDVersion(std::nullopt);
  EXPECT_EQ(mode.getLLDVersion(), "1.2.3");
  mode.setInterfaceInfo("USB");
  mode.setInterfaceInfo(std::nullopt);
  EXPECT_EQ(mode.getInterfaceInfo(), "USB");
  mode.setDriverVersion("4.0");
  mode.setDriverVersion(std::nullopt);
  EXPECT_EQ(mode.getDriverVersion(), "4.0");

  const fnd::Dictionary parameters{{"PaperSizeWH", fnd::Array{}}};
  mode.setUimParameterDic(&parameters);
  mode.setUimParameterDic(nullptr);
  ASSERT_TRUE(mode.getUimParameterDic().has_value());
  EXPECT_TRUE(mode.getUimParameterDic()->contains("PaperSizeWH"));

  auto preferences = std::make_shared<Quirel_PreferenceInfo>();
  preferences->setCalibrationEveryScan(1);
  mode.setPreferenceInfo(preferences);
  EXPECT_TRUE(mode.isCalibrationEveryScan());
}

TEST(BaseScanModeState, AMessageBoxGetsTheMainWindowOfTheModeThatHasOne) {
  auto mainWindow = std::make_shared<Quirel_CTRLS_MainWindow>();
  TestScanMode withWindow;
  withWindow.setMainWindow(mainWindow);
  TestScanMode withoutWindow;  // answers too, and must not take the parent away
  auto box = Quirel_ShowMessageDialog::initMessageID("A message", 0, 0);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->getMainWindow(), mainWindow->getWindow());
}

TEST(BaseScanModeState, TheProgressWindowsResultIsKeptAndOtherSendersAreIgnored) {
  TestScanMode mode;
  Quirel_ProgressWindow progress;
  progress.cancelBTAction();
  EXPECT_EQ(mode.getProgressStatus(), Quirel_ProgressWindow::kStatusCancelled);
  mode.setProgressStatusValue(5);
  int stranger = 0;
  fnd::NotificationCenter::defaultCenter().post(Quirel_ProgressWindow::kProgressStatusPost, &stranger);
  EXPECT_EQ(mode.getProgressStatus(), 5);
}

TEST(BaseScanModeState, RegisteredObservationsHearTheirSenderOnlyUntilRemoved) {
  auto& center = fnd::NotificationCenter::defaultCenter();
  TestScanMode mode;
  int heard = 0;
  int a = 0;
  int b = 0;
  mode.registObserver(&a, [&heard](const fnd::Notification&) { ++heard; }, "SomeControlPost");
  center.post("SomeControlPost", &a);
  center.post("SomeControlPost", &b);
  EXPECT_EQ(heard, 1);
  mode.removeObserver(&a, "SomeControlPost");
  center.post("SomeControlPost", &a);
  EXPECT_EQ(heard, 1);
}

TEST(BaseScanModeState, AThumbnailsSixObservationsComeAndGoTogether) {
  auto& center = fnd::NotificationCenter::defaultCenter();
  ThumbnailCountingMode mode;
  Quirel_ThumbnailInfo thumbnail(0);
  thumbnail.setFrameView(std::make_unique<Quirel_ThumbnailFrameView>(fnd::Rect(0, 0, 50, 50), 0));
  thumbnail.setPreviewView(std::make_unique<Quirel_ThumbnailPreviewView>(fnd::Rect(0, 0, 40, 40), 0));
  thumbnail.setCheckBox(std::make_unique<Quirel_NoFocusButton>(fnd::Rect(0, 0, 16, 16)));
  auto* frame = static_cast<Quirel_ThumbnailFrameView*>(thumbnail.getFrameView());
  auto* preview = static_cast<Quirel_ThumbnailPreviewView*>(thumbnail.getPreviewView());
  auto* box = static_cast<Quirel_NoFocusButton*>(thumbnail.getCheckBox());

  const std::size_t before = center.observerCount();
  mode.registObserverToThumbnailInfo(thumbnail);
  EXPECT_EQ(center.observerCount(), before + 6);

  const void* frameId = static_cast<const kit::View*>(frame);
  const void* previewId = static_cast<const void*>(preview);
  const void* boxId = static_cast<const void*>(box);
  center.post(Quirel_ThumbnailFrameView::kMouseEventPost, frameId);
  center.post(Quirel_ThumbnailPreviewView::kMouseEventPost, previewId);
  center.post(Quirel_ThumbnailPreviewView::kUpdateCursorRectsPost, previewId);
  center.post("VIEW_DOWN", frameId);
  center.post("VIEW_DOWN", previewId);
  center.post("BUTTON_DOWN", boxId);
  center.post("BUTTON_DOWN", frameId);  // the frame view is not observed for this name
  EXPECT_EQ(mode.mouseEvents, 2);
  EXPECT_EQ(mode.cursorRects, 1);
  EXPECT_EQ(mode.otherControls, 3);

  mode.removeObserverFromThumbnailInfo(thumbnail);
  EXPECT_EQ(center.observerCount(), before);
  center.post(Quirel_ThumbnailFrameView::kMouseEventPost, frameId);
  EXPECT_EQ(mode.mouseEvents, 2);
}

TEST(BaseScanModeState, AfterDestructionNoObservationOfTheModeIsLeft) {
  auto& center = fnd::NotificationCenter::defaultCenter();
  const std::size_t before = center.observerCount();
  {
    auto mode = std::make_unique<TestScanMode>();
    int sender = 0;
    mode->registObserver(&sender, [](const fnd::Notification&) {}, "SomeControlPost");
    EXPECT_EQ(center.observerCount(), before + 4);
  }
  EXPECT_EQ(center.observerCount(), before);
  // Nothing is left to call into the destroyed mode.
  center.post("remakeCropFromCorrectionDlgPost");
  center.post(Quirel_ProgressWindow::kProgressStatusPost);
  auto box = Quirel_ShowMessageDialog::initMessageID("After the mode", 0, 0);
  EXPECT_EQ(box->getMainWindow(), nullptr);
}
