// The advanced tab in the real controller with the three real modes: entered from the basic tab,
// left for the basic and the multi-scan tabs, with the questions each generation asks.
#include <gtest/gtest.h>

#include "UserInterfaceModuleSupport.h"
#include "foundation/RunLoop.h"
#include "kit/TabView.h"
#include "ui/controls/CTRLS_TabView.h"
#include "ui/model/CropInfo.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/controls/CTRLS_PaperSizePopup.h"
#include "ui/modes/advanced/ExtendMode.h"
#include "ui/modes/basic/StandardMode.h"
#include "ui/modes/multiscan/MultiScanMode.h"
#include "ui/windows/CheckBoxDialog.h"

namespace uim_test {
namespace {

kit::Application& extApp() { return kit::Application::shared(); }

// The initial settings of a controller that starts in the advanced tab, kept in the fresh
// settings folder `name`.
fnd::Dictionary advancedStart(const std::string& name, bool ver1500 = true) {
  const std::string folder = freshSettingsFolder(name);
  storeStartMode(folder, 1);
  return generationInitSetting(folder, ver1500);
}

// Picks a paper size from the advanced mode's pop-up, as the user does.
void pickPaperSize(Quirel_ExtendMode& a, int paper) {
  a.getPaperSizePopup()->selectAtRepresentedNumber(paper);
  a.getPaperSizePopup()->PaperSizePopupAction();
}

// The next question answered with OK; what it asked goes to `asked`.
void answerOK(std::string& asked) {
  extApp().onNextModalWindow([&asked](kit::Window& w) {
    auto& dialog = dynamic_cast<Quirel_CheckBoxDialog&>(w);
    asked = dialog.messageField()->stringValue();
    dialog.okButton()->performClick();
  });
}

class UserInterfaceModuleExtend : public ::testing::Test {
 protected:
  void TearDown() override {
    while (extApp().pendingModalResponders() > 0) {
      kit::Window spare(fnd::Rect(0, 0, 10, 10), kit::kTitledWindowMask);
      extApp().runModalForWindow(spare);
    }
  }
};

TEST_F(UserInterfaceModuleExtend, BasicToAdvancedAsksThenTakesTheSource) {
  DataSourceStandIn ds;
  const std::string folder = freshSettingsFolder("uimx-in");
  storeStartMode(folder, 0);
  Controller c(generationInitSetting(folder, true));
  c->getPreferenceInfo()->setPrevStart(1);
  c->showMainWindowMainThreadMode();
  std::string asked;
  answerOK(asked);
  EXPECT_TRUE(clickModeTab(c, 1));
  EXPECT_EQ(asked, questionText(1611));
  EXPECT_EQ(c->getMode(), 1);
  EXPECT_EQ(c->getTabView()->getTabView()->selectedTabViewItem(), c->getTabView()->extendTabItem());
  EXPECT_FALSE(c->isTabChanging());
  Quirel_ExtendMode& a = *c->getExtendMode();
  EXPECT_EQ(a.getImageSource(), c->getStandardMode()->getTemplateCrop()->getImageSource());
  EXPECT_EQ(a.getScanMode(), c->getStandardMode()->getScanMode());
}

TEST_F(UserInterfaceModuleExtend, AdvancedToBasicAsksAndLeavesTheDefaults) {
  DataSourceStandIn ds;
  Controller c(advancedStart("uimx-out"));
  c->getPreferenceInfo()->setPrevStart(2);
  c->showMainWindowMainThreadMode();
  ASSERT_EQ(c->getMode(), 1);
  Quirel_ExtendMode& a = *c->getExtendMode();
  // A paper size but no preview: the plain question.
  const_cast<Quirel_ExtendMode::ImgSrcSetting&>(a.getImgSrcSettings()[0]).paperSize = 10;
  a.getTemplateCrop()->setResolution(1200);
  std::string asked;
  answerOK(asked);
  EXPECT_TRUE(clickModeTab(c, 0));
  EXPECT_EQ(asked, questionText(1611));
  EXPECT_EQ(c->getMode(), 0);
  EXPECT_FALSE(c->isTabChanging());
  EXPECT_FALSE(a.getHasPreview());
  EXPECT_TRUE(a.getCropList().empty());
  // Back to its defaults.
  EXPECT_EQ(a.getImgSrcSettings()[0].paperSize, 0);
  EXPECT_NE(a.getTemplateCrop()->getResolution(), 1200);
}

// The scanner's side of a preview: the picture's size, its pixels and the end report with one
// document, as the data source hands them over.
void extScannerAnswer(const Controller& c) {
  const int width = 255, height = 351;
  std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width) * height * 3, 200);
  c->setPreviewMakeSizeMainThreadMode(width, height);
  c->setPreviewDataMainThreadMode(static_cast<std::int32_t>(pixels.size()), pixels.data());
  const fnd::Array crops{fnd::Dictionary{{"min", fnd::Dictionary{{"X", 20}, {"Y", 30}}},
                                         {"max", fnd::Dictionary{{"X", 120}, {"Y", 200}}}}};
  c->endPreviewMainThreadMode(fnd::makeShared(fnd::Dictionary{{"AutoMultiRect", crops}}).get());
}

// A preview as the user and the scanner make it: the preview button's action, then the answer.
void extRealPreview(const Controller& c) {
  c->getExtendMode()->previewStart(fnd::Notification{"press", nullptr});
  extScannerAnswer(c);
}

// Leaving for the basic tab after a real preview: a paper size picked before it asks with
// 1612, none with 1611.
TEST_F(UserInterfaceModuleExtend, AfterARealPreviewAPaperSizeAsksTheQuestionForPreviews) {
  for (const int paper : {10, 0}) {
    SCOPED_TRACE(paper);
    DataSourceStandIn ds;
    Controller c(advancedStart("uimx-1612"));
    c->getPreferenceInfo()->setPrevStart(1);
    // Frames hidden after the preview: no second, original-scan pass.
    c->getPreferenceInfo()->setCropAfterPrev(1);
    c->showMainWindowMainThreadMode();
    ASSERT_EQ(c->getMode(), 1);
    Quirel_ExtendMode& a = *c->getExtendMode();
    ASSERT_FALSE(a.getHasPreview());
    // Picked from the pop-up before any preview: nothing is asked.
    pickPaperSize(a, paper);
    ASSERT_EQ(a.getSelectedPaperSize(), paper);

    extRealPreview(c);
    ASSERT_TRUE(a.getHasPreview());
    ASSERT_TRUE(c.window()->isEnabled());
    EXPECT_EQ(a.getSelectedPaperSize(), paper);

    std::string asked;
    answerOK(asked);
    EXPECT_TRUE(clickModeTab(c, 0));
    EXPECT_EQ(extApp().pendingModalResponders(), 0u);
    EXPECT_EQ(asked, questionText(paper ? 1612 : 1611));
    EXPECT_EQ(c->getMode(), 0);
    EXPECT_FALSE(c->isTabChanging());
  }
}

// A preview that framed the document for an original scan is taken again on the next pass of
// the loop, as a double preview; until then the window stays held.
TEST_F(UserInterfaceModuleExtend, AnOriginalScanPreviewIsRetriedOnTheNextPass) {
  DataSourceStandIn ds;
  Controller c(advancedStart("uimx-retry"));
  c->getPreferenceInfo()->setPrevStart(1);
  c->getPreferenceInfo()->setCropAfterPrev(0);
  // Without automatic tone the framed document is scanned once more at its own settings.
  c->getPreferenceInfo()->setAlwaysAutoTone(false);
  c->showMainWindowMainThreadMode();
  ASSERT_EQ(c->getMode(), 1);
  Quirel_ExtendMode& a = *c->getExtendMode();
  const std::size_t before = ds.requests.size();
  extRealPreview(c);
  ASSERT_TRUE(a.getOriginalScan());
  const std::size_t afterFirst = ds.requests.size();
  EXPECT_GT(afterFirst, before);
  EXPECT_FALSE(a.getDoublePreview()) << "not at once";
  EXPECT_FALSE(c.window()->isEnabled());
  fnd::RunLoop::main().runOnce(fnd::RunLoopMode::Default, 0.05);
  EXPECT_TRUE(a.getDoublePreview());
  ASSERT_GT(ds.requests.size(), afterFirst);
  EXPECT_EQ(ds.requests.back(), "Preview_Scan") << "the preview asked again";
}

// The basic tab's preview comes over to the advanced tab, which asks the scanner for it again:
// on the platen without a redraw and without making frames afresh.
TEST_F(UserInterfaceModuleExtend, BasicToAdvancedTakesThePreviewAndAsksForItAgain) {
  DataSourceStandIn ds;
  const std::string folder = freshSettingsFolder("uimx-in-prev");
  storeStartMode(folder, 0, true);
  Controller c(generationInitSetting(folder, true));
  c->getPreferenceInfo()->setPrevStart(1);
  c->showMainWindowMainThreadMode();
  ASSERT_TRUE(c->getStandardMode()->getHasPreview());
  // The kept preview is worked again on show; the scanner's end gives the window back.
  c->getStandardMode()->setEnabledMainWindow(true);
  std::string asked;
  answerOK(asked);
  const int before = ds.count("Preview_Scan");
  EXPECT_TRUE(clickModeTab(c, 1));
  EXPECT_EQ(asked, questionText(1611));
  ASSERT_EQ(c->getMode(), 1);
  Quirel_ExtendMode& a = *c->getExtendMode();
  EXPECT_TRUE(a.getHasPreview());
  EXPECT_EQ(ds.count("Preview_Scan"), before + 1) << "a preview asked of the scanner";
  EXPECT_FALSE(a.getRedrawPreview());
  EXPECT_FALSE(a.getCreateFilmCrop());
}

// After a real preview, the multi-scan tab asks 1612 and clears the advanced preview and
// settings from 1500 on; older models ask nothing and keep both.
TEST_F(UserInterfaceModuleExtend, AdvancedToMultiScanAfterAPreviewClearsItFrom1500Only) {
  for (const bool ver1500 : {false, true}) {
    SCOPED_TRACE(ver1500);
    DataSourceStandIn ds;
    Controller c(advancedStart("uimx-multi-prev", ver1500));
    c->getPreferenceInfo()->setPrevStart(1);
    c->getPreferenceInfo()->setCropAfterPrev(1);
    c->showMainWindowMainThreadMode();
    ASSERT_EQ(c->getMode(), 1);
    Quirel_ExtendMode& a = *c->getExtendMode();
    pickPaperSize(a, 10);
    extRealPreview(c);
    ASSERT_TRUE(a.getHasPreview());
    ASSERT_TRUE(c.window()->isEnabled());
    std::string asked;
    if (ver1500) answerOK(asked);
    EXPECT_TRUE(clickModeTab(c, 2));
    EXPECT_EQ(extApp().pendingModalResponders(), 0u);
    EXPECT_EQ(asked, ver1500 ? questionText(1612) : std::string());
    EXPECT_EQ(c->getMode(), 2);
    EXPECT_EQ(a.getHasPreview(), !ver1500);
    // The platen's defaults come back from 1500 on: no paper size any more.
    EXPECT_EQ(a.getSelectedPaperSize(), ver1500 ? 0 : 10);
    fnd::RunLoop::main().runOnce(fnd::RunLoopMode::Default, 0.05);
    EXPECT_FALSE(c->isTabChanging());
  }
}

// Closed in the platen thumbnail mode while only the platen's own preview was made (the
// thumbnail preview asked for on the way in came back with nothing), with the preview kept for
// the next start: the scanner is told once, in all, to forget it.
TEST_F(UserInterfaceModuleExtend, ClosingInThumbnailModeWithOnlyThePlatenPreviewClearsItOnce) {
  DataSourceStandIn ds;
  Controller c(advancedStart("uimx-close-thumb"));
  c->getPreferenceInfo()->setPrevStart(1);
  c->getPreferenceInfo()->setCropAfterPrev(1);
  c->showMainWindowMainThreadMode();
  ASSERT_EQ(c->getMode(), 1);
  Quirel_ExtendMode& a = *c->getExtendMode();
  extRealPreview(c);
  ASSERT_TRUE(a.getHasPreview());
  a.toolPlatenThumbnailButtonClick(fnd::Notification{"press", nullptr});
  ASSERT_TRUE(a.isThumbnailMode());
  ASSERT_TRUE(a.getHasNonThumPreview());
  c->endPreviewMainThreadMode(fnd::makeShared(fnd::Dictionary{{"PreviewCancelFlag", 1}}).get());
  ASSERT_FALSE(a.getHasPreview());
  c->closeMainWindowMainThreadMode();
  EXPECT_EQ(ds.count("Clear_Preview"), 1);
}

// Into the platen thumbnails after a preview: the thumbnails are asked for from the preview the
// scanner keeps, the whole preview area makes way for them, and on the way back the plain
// preview is asked for and shown again.
TEST_F(UserInterfaceModuleExtend, EnteringTheThumbnailsAfterAPreviewAsksForThemAndLeavingShowsThePreviewAgain) {
  DataSourceStandIn ds;
  Controller c(advancedStart("uimx-thumb-back"));
  c->getPreferenceInfo()->setPrevStart(1);
  c->getPreferenceInfo()->setCropAfterPrev(1);
  c->showMainWindowMainThreadMode();
  Quirel_ExtendMode& a = *c->getExtendMode();
  extRealPreview(c);
  const int previews = ds.count("Preview_Scan");
  a.toolPlatenThumbnailButtonClick(fnd::Notification{"press", nullptr});
  EXPECT_TRUE(a.isThumbnailMode());
  EXPECT_TRUE(a.getHasPreview());
  EXPECT_EQ(ds.count("Preview_Scan"), previews + 1) << "the thumbnails are asked for at once";
  EXPECT_TRUE(a.getChangeThumbnailMode());
  EXPECT_NE(a.getWindowMaskView(), nullptr);
  ASSERT_NE(a.getPreviewView(), nullptr);
  EXPECT_TRUE(a.getPreviewView()->isHidden()) << "the whole preview area, not only its picture";
  // The scanner's answer: the document found, as a thumbnail.
  extScannerAnswer(c);
  EXPECT_FALSE(a.getThumbnailList().empty());
  EXPECT_EQ(a.getWindowMaskView(), nullptr);

  a.toolPlatenThumbnailButtonClick(fnd::Notification{"press", nullptr});
  EXPECT_FALSE(a.isThumbnailMode());
  EXPECT_EQ(ds.count("Clear_Preview"), 0);
  EXPECT_TRUE(a.getHasPreview());
  EXPECT_FALSE(a.getPreviewView()->isHidden());
  EXPECT_EQ(ds.count("Preview_Scan"), previews + 2);
  EXPECT_TRUE(a.getRedrawPreview());
}

TEST_F(UserInterfaceModuleExtend, AdvancedToMultiScanAsksOnlyFrom1500AndResetsOnePassLater) {
  for (const bool ver1500 : {false, true}) {
    SCOPED_TRACE(ver1500);
    DataSourceStandIn ds;
    Controller c(advancedStart("uimx-multi", ver1500));
    c->getPreferenceInfo()->setPrevStart(2);
    c->showMainWindowMainThreadMode();
    ASSERT_EQ(c->getMode(), 1);
    std::string asked;
    if (ver1500) answerOK(asked);
    EXPECT_TRUE(clickModeTab(c, 2));
    EXPECT_EQ(extApp().pendingModalResponders(), 0u);
    EXPECT_EQ(asked, ver1500 ? questionText(1611) : std::string());
    EXPECT_EQ(c->getMode(), 2);
    EXPECT_EQ(c->getBeforeMode(), 1);
    // The advanced mode's multi-crop ends on the next pass; the change is over only then.
    EXPECT_TRUE(c->isTabChanging());
    fnd::RunLoop::main().runOnce(fnd::RunLoopMode::Default, 0.05);
    EXPECT_FALSE(c->isTabChanging());
    EXPECT_EQ(c->getMode(), 2);
  }
}

}  // namespace
}  // namespace uim_test
