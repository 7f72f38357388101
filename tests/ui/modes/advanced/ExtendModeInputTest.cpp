// The input box through its real controls (typed numbers with Return, pop-up choices) and the
// change of image source: what each writes, what it asks and refuses, what it keeps.

#include <gtest/gtest.h>

#include "ExtendModePanelRig.h"
#include "kit/Application.h"
#include "ui/controls/NoFocusButton.h"
#include "ui/controls/NoFocusRadioButton.h"
#include "ui/model/CropInfo.h"
#include "ui/model/ThumbnailInfo.h"
#include "ui/model/OutputSize.h"
#include "ui/windows/OrientationDialog.h"

namespace {

using extend_rig::AnsweringPort;
using extend_rig::Panel;
using extend_rig::allCorrections;

// A platen template of a whole A4-like page, nothing else.
void platenTemplate(Panel& panel, int unit) {
  Quirel_CropInfo& t = panel.templ();
  t.setUnit(unit);
  t.setInputRect_Pixel96({{0, 0}, {2400, 3300}});
  t.setVisiblePreviewSize_Pixel96({2550, 3508});
  t.setResolution(300);
  t.setMagnification(100);
  t.setOutputSize(0);
}

void typeInputWidth(Panel& panel, const char* text) {
  panel.mode.mInSizeWTextF->setStringValue(text);
  panel.mode.mInSizeWTextF->InputWidthNumberFAction();
}

TEST(ExtendModeInput, TheSmallestSideTypedInCentimetresOrMillimetres) {
  struct Case {
    const char* name;
    bool ver1300;
    const char* typed;
  };
  const Case cases[] = {{"0.40 cm", false, "0.40"}, {"4.0 mm", true, "4.0"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Panel panel(allCorrections({{"Ver1300Later", c.ver1300}}));
    AnsweringPort port;
    platenTemplate(panel, 1);
    typeInputWidth(panel, c.typed);
    EXPECT_TRUE(port.shown.empty());
    // Without frames the width makes one focused frame from the template.
    ASSERT_EQ(panel.mode.mCropList.size(), 1u);
    const Quirel_CropInfo& made = *panel.mode.mCropList[0];
    EXPECT_TRUE(made.isFocus());
    EXPECT_DOUBLE_EQ(made.getInputWidth_Pixel96(), 48.0 * panel.mode.getPlatenResolution() / 300);
    EXPECT_DOUBLE_EQ(made.getInputHeight_Pixel96(), 3300);
  }
}

TEST(ExtendModeInput, TypingTheShownValueChangesNothing) {
  Panel panel(allCorrections());
  AnsweringPort port;
  platenTemplate(panel, 0);
  panel.mode.setValueOfSelectedCrop(0);
  EXPECT_EQ(panel.mode.mInSizeWTextF->getStringValue(), "8.00");
  EXPECT_FALSE(panel.mode.inputSizeTextFieldChange(0));
  EXPECT_TRUE(panel.mode.mCropList.empty());
  // Too narrow: refused with its message, nothing made.
  typeInputWidth(panel, "0.10");
  EXPECT_EQ(port.shown, std::vector<int>{1110});
  EXPECT_TRUE(panel.mode.mCropList.empty());
}

TEST(ExtendModeInput, ResolutionBoundsAndThePlatenThumbnailSteps) {
  struct Case {
    const char* name;
    int scanMode;
    bool preview;
    int typed;
    int refusedWith;  // 0: taken
    int result;
  };
  const Case cases[] = {
      {"feeder above 600", 4, false, 1200, 600, 300},
      {"below 25", 0, false, 24, 19200, 300},
      {"platen thumbnails with a preview", 1, true, 1201, 0, 2400},
      {"platen", 0, false, 1201, 0, 1201},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Panel panel(allCorrections());
    AnsweringPort port;
    platenTemplate(panel, 0);
    panel.mode.mScanMode = c.scanMode;
    panel.mode.mHasPreview = c.preview;
    panel.mode.mResComboBox->setIntValue(c.typed);
    panel.mode.mResComboBox->TextFiledAction();
    if (c.refusedWith) {
      EXPECT_EQ(port.shown, std::vector<int>{1115});
      EXPECT_EQ(port.bound, c.refusedWith);
    } else {
      EXPECT_TRUE(port.shown.empty());
    }
    EXPECT_EQ(panel.templ().getResolution(), c.result);
  }
}

TEST(ExtendModeInput, ColourModeChangesKeepOrClearTheToneSetting) {
  Panel panel(allCorrections());
  auto& m = panel.mode;
  m.mImgSrcSetting[0].colorMode[0] = 2;
  panel.templ().setColorMode(2);
  panel.templ().setAutoTone(3);
  m.mToneCurve = 7;
  m.mColorModePopup->setPlatenModeMenu(true);
  m.mColorModePopup->selectAtRepresentedNumber(1);
  m.mColorModePopup->ColorModePopupAction();
  EXPECT_EQ(m.getCurrentColorMode(), 1);
  EXPECT_EQ(panel.templ().getColorMode(), 1);
  EXPECT_EQ(panel.templ().getAutoTone(), 3) << "16 to 8-bit gray keeps the automatic tone";

  // 3 to 1: the named tone setting goes.
  m.mImgSrcSetting[0].colorMode[0] = 3;
  panel.templ().setColorMode(3);
  m.mToneCurve = 7;
  m.mColorModePopup->setPlatenModeMenu(true);
  m.mColorModePopup->selectAtRepresentedNumber(1);
  m.mColorModePopup->ColorModePopupAction();
  EXPECT_EQ(m.mToneCurve, 0);
  EXPECT_EQ(panel.templ().getColorMode(), 1);
}

TEST(ExtendModeInput, APaperSizeWithAPreviewAsksAndNoKeepsAll) {
  Panel panel(allCorrections());
  AnsweringPort port;
  auto& m = panel.mode;
  m.mHasPreview = true;
  m.mImgSrcSetting[0].paperSize = 0;
  port.answer = 0;
  m.mPaperSizePopup->selectAtRepresentedNumber(10);
  m.mPaperSizePopup->PaperSizePopupAction();
  EXPECT_EQ(port.shown, std::vector<int>{1002});
  EXPECT_EQ(m.mImgSrcSetting[0].paperSize, 0);
  EXPECT_TRUE(m.getHasPreview());
  port.answer = 1;
  m.mPaperSizePopup->selectAtRepresentedNumber(10);
  m.mPaperSizePopup->PaperSizePopupAction();
  EXPECT_EQ(m.mImgSrcSetting[0].paperSize, 10);
  EXPECT_EQ(panel.templ().getPaperSize(), 10);
  EXPECT_FALSE(m.getHasPreview());
  const SSizeDouble a4 = m.getPaperSizeWH_Pixel96(10);
  EXPECT_EQ(panel.templ().getInputWidth_Pixel96(), a4.width);
}

TEST(ExtendModeInput, TheRatioLockNeedsTwoSidesAboveZero) {
  Panel panel(allCorrections());
  Quirel_CropInfo& t = panel.templ();
  t.setOutputSize(0);
  t.setFixesRatio(false);
  t.setRatio(3, 4);
  t.setInputRect_Pixel96({{0, 0}, {0, 500}});
  panel.mode.updateCropByFixesRatio(true, t);
  EXPECT_FALSE(t.isFixesRatio());
  EXPECT_EQ(t.getRatio().width, 3);
  t.setInputRect_Pixel96({{0, 0}, {200, 500}});
  panel.mode.updateCropByFixesRatio(true, t);
  EXPECT_TRUE(t.isFixesRatio());
  EXPECT_EQ(t.getRatio().width, 200);
  EXPECT_EQ(t.getRatio().height, 500);
}

// ---- Source change ----------------------------------------------------------------------------

void chooseSource(Panel& panel, int source) {
  panel.mode.mImgSrcPopup->selectAtRepresentedNumber(source);
  panel.mode.mImgSrcPopup->popUpBTAction();
}

TEST(ExtendModeSource, WithinAFilmPairTheImageStaysAndAPreviewMakesFramesAfresh) {
  modes_test::PostLog log({Quirel_PostNotification::kOverrideNotification});
  Panel panel(allCorrections({{"FAU", true}}));
  AnsweringPort port;
  auto& m = panel.mode;
  m.changeToFilm(1);
  ASSERT_EQ(m.getImageSource(), 1);
  m.mHasPreview = true;
  m.addCrop(true);
  m.changeToSameFilm(3);
  EXPECT_EQ(m.getImageSource(), 3);
  EXPECT_TRUE(port.shown.empty()) << "no question within a pair";
  EXPECT_TRUE(m.getHasPreview()) << "the image stays";
  EXPECT_TRUE(m.mCropList.empty());
  EXPECT_TRUE(m.getCreateFilmCrop());
  EXPECT_TRUE(m.getRedrawPreview());

  // To the other pair the question comes first and the image goes.
  m.changeToFilm(2);
  EXPECT_EQ(port.shown, std::vector<int>{1001});
  EXPECT_EQ(m.getImageSource(), 2);
  EXPECT_FALSE(m.getHasPreview());
  // The input sources told: 1 -> 3, 3 -> 5, 2 -> 4.
  std::vector<int> told;
  for (const auto& p : log.posts)
    if (p.name == "changeInputSourcePost") told.push_back(static_cast<int>(p.info.intValue("InputSource")));
  EXPECT_EQ(told, (std::vector<int>{3, 5, 4}));
}

TEST(ExtendModeSource, OneSidedToTwoSidedFeederTakesTheLocalePaperUnlessA4OrLetter) {
  struct Case {
    int paper;
    int expected;
  };
  for (const Case c : {Case{13, 17}, Case{10, 10}}) {
    Panel panel(allCorrections({{"ADF", true}, {"TwoSidedADF", true}}));
    AnsweringPort port;
    auto& m = panel.mode;
    m.setDefaultUserLocaleUnits(UserLocaleUnits{0, 17, 5});
    m.changeToADF(5);
    ASSERT_EQ(m.getImageSource(), 5);
    panel.templ().setResolution(400);
    panel.templ().setUnit(2);
    m.mImgSrcSetting[2].paperSize = c.paper;
    m.changeToADF(6);
    EXPECT_EQ(m.getImageSource(), 6);
    EXPECT_EQ(m.mImgSrcSetting[2].paperSize, c.expected) << c.paper;
    EXPECT_EQ(panel.templ().getResolution(), 400);
    EXPECT_EQ(panel.templ().getUnit(), 2);
  }
}

TEST(ExtendModeSource, PlatenToFilmAndBackRestoresThePlatenCorrections) {
  Panel panel(allCorrections({{"FAU", true}}));
  AnsweringPort port;
  auto& m = panel.mode;
  panel.templ().setUnsharpMask(0);
  panel.templ().setDescreen(1);
  m.changeToFilm(1);
  EXPECT_EQ(m.getScanMode(), m.mFilmThumbnail ? 3 : 2);
  panel.templ().setUnsharpMask(1);
  panel.templ().setGrainCorrect(2);
  m.changeToPlaten(0);
  EXPECT_EQ(m.getImageSource(), 0);
  EXPECT_EQ(panel.templ().getUnsharpMask(), 0);
  EXPECT_EQ(panel.templ().getDescreen(), 1);
  // The film record keeps what the film crop had.
  EXPECT_EQ(m.mImgSrcSetting[1].unsharpMask, 1);
  EXPECT_EQ(m.mImgSrcSetting[1].grain, 2);
  EXPECT_EQ(m.mImgSrcSetting[1].resolution, 1200);
}

TEST(ExtendModeSource, LeavingTheFeederGivesThePlatenAWholePlatenAt300) {
  Panel panel(allCorrections({{"ADF", true}}));
  AnsweringPort port;
  auto& m = panel.mode;
  m.changeToADF(5);
  m.mImgSrcSetting[0].paperSize = 10;
  m.mImgSrcSetting[0].resolution = 600;
  m.changeToPlaten(0);
  EXPECT_EQ(m.mImgSrcSetting[0].paperSize, 0);
  EXPECT_EQ(m.mImgSrcSetting[0].resolution, 300);
  EXPECT_EQ(panel.templ().getResolution(), 300);
  EXPECT_EQ(m.getScanMode(), 0);
}

TEST(ExtendModeSource, NoToTheQuestionChangesNothing) {
  Panel panel(allCorrections({{"FAU", true}}));
  AnsweringPort port;
  port.answer = 0;
  auto& m = panel.mode;
  m.mHasPreview = true;
  const auto records = m.getImgSrcSettings();
  chooseSource(panel, 1);
  EXPECT_EQ(port.shown, std::vector<int>{1001});
  EXPECT_EQ(m.getImageSource(), 0);
  EXPECT_EQ(m.getImgSrcSettings(), records);
  EXPECT_TRUE(m.getHasPreview());
  EXPECT_EQ(m.mImgSrcPopup->getRepresentedNumber(), 0) << "the pop-up shows the old source again";
}

}  // namespace

// ---- Taking over from the basic tab -----------------------------------------------------------

namespace {

// The basic mode as the hand-over reads it: the scan-mode base's state only.
struct BasicSide {
  explicit BasicSide(const fnd::Dictionary& scanner) : mode(scanner) {
    mode.setDefaultUserLocaleUnits(UserLocaleUnits{1, 10, 3});
    mode.mTemplateCrop = std::make_shared<Quirel_CropInfo>();
  }
  extend_rig::ValuesMode mode;
};

}  // namespace

TEST(ExtendModeHandOver, OlderScannersTakeTheFramesSharedAndTheirViewsStay) {
  Panel panel(allCorrections({{"Ver1400Later", false}, {"Ver1500Later", false}}));
  BasicSide basic(fnd::Dictionary{});
  auto& b = basic.mode;
  b.mScanMode = 0;
  b.mHasPreview = true;
  b.mRotation = 1;
  b.mTemplateCrop->setImageSourceForStandard(1);
  auto free = b.addCrop(true);
  free->setResolution(1200);
  auto named = b.addCrop(true);
  named->setOutputSize(4);
  named->setResolution(600);
  named->setFocus(true);
  named->setImageSource(0);
  b.mLargePicMsg = false;

  panel.mode.setStandardModeData(&b);
  // The basic mode empties its own list right after.
  b.mCropList.clear();
  auto& a = panel.mode;
  ASSERT_EQ(a.mCropList.size(), 2u);
  EXPECT_EQ(a.mCropList[0].get(), free.get());
  EXPECT_NE(a.mCropList[0]->getCropView(), nullptr);
  EXPECT_NE(a.mCropList[1]->getCropView(), nullptr);
  EXPECT_EQ(free->getResolution(), 300) << "no output size: the platen's 300";
  EXPECT_EQ(named->getResolution(), 600) << "an output size keeps its own";
  EXPECT_EQ(panel.templ().getResolution(), 300);
  EXPECT_EQ(panel.templ().getDescreen(), 1) << "a basic source 1 hands over with descreening";
  EXPECT_TRUE(a.getHasPreview());
  EXPECT_EQ(a.getRotation(), 1);
  const SSizeDouble platen = a.getPaperSizeWH_Pixel96(0);
  EXPECT_EQ(panel.templ().getVisiblePreviewSize_Pixel96().width, platen.height) << "rotated: swapped";
  EXPECT_FALSE(a.showLargePixelMsg());
}

TEST(ExtendModeHandOver, AnOlderFeederComesOverEmptyOnSourceFive) {
  Panel panel(allCorrections({{"Ver1400Later", false}, {"Ver1500Later", false}}));
  BasicSide basic(fnd::Dictionary{});
  auto& b = basic.mode;
  b.mScanMode = 4;
  b.mHasPreview = true;
  b.mHasNonThumPreview = true;
  b.addCrop(true);
  panel.mode.setStandardModeData(&b);
  auto& a = panel.mode;
  EXPECT_TRUE(a.mCropList.empty());
  EXPECT_EQ(a.getImageSource(), 5);
  EXPECT_EQ(panel.templ().getImageSource(), 5);
  EXPECT_FALSE(a.getHasPreview());
  EXPECT_FALSE(a.getHasNonThumPreview());
  EXPECT_TRUE(a.getEnableThumbnailBtn());
  EXPECT_EQ(a.getScanMode(), 4);
}

TEST(ExtendModeHandOver, NewerScannersTakeTheSourceAndThePreviewAndAskForOne) {
  Panel panel(allCorrections({{"Ver1300Later", true}}));
  BasicSide basic(fnd::Dictionary{{"Ver1300Later", true}});
  auto& b = basic.mode;
  b.mScanMode = 0;
  b.mHasPreview = true;
  b.mTemplateCrop->setImageSource(0);
  b.addCrop(true);
  panel.mode.setStandardModeData(&b);
  auto& a = panel.mode;
  EXPECT_TRUE(a.mCropList.empty()) << "the frames stay with the basic mode";
  EXPECT_EQ(a.getImageSource(), 0);
  EXPECT_TRUE(a.getHasPreview());
  EXPECT_EQ(panel.templ().getResolution(), a.getImgSrcSettings()[0].resolution);
  // The preview asked again: no redraw on the platen, frames not made afresh.
  EXPECT_FALSE(a.getRedrawPreview());
  EXPECT_FALSE(a.getCreateFilmCrop());
}

TEST(ExtendModeInput, TheOrientationDialogTurnsThePaperOnOKAndKeepsItOnCancel) {
  for (const bool ok : {true, false}) {
    SCOPED_TRACE(ok);
    Panel panel(allCorrections({{"ADF", true}, {"TwoSidedADF", true}}));
    AnsweringPort port;
    auto& m = panel.mode;
    m.changeToADF(5);
    m.mImgSrcSetting[2].paperSize = 10;
    const SSizeDouble a4 = m.getPaperSizeWH_Pixel96(10);
    ASSERT_NE(a4.width, a4.height);
    kit::Application::shared().onNextModalWindow([&](kit::Window&) {
      ASSERT_TRUE(m.mOrientationDialog);
      EXPECT_TRUE(m.isModal());
      m.mOrientationDialog->directionMatrix()->performClickOnCell(1, 0);
      if (ok)
        m.mOrientationDialog->okButton()->performClick();
      else
        m.mOrientationDialog->cancelButton()->performClick();
    });
    m.ntf_orientationDialogOpen(fnd::Notification{"", nullptr});
    EXPECT_FALSE(m.mOrientationDialog) << "released after its run";
    EXPECT_FALSE(m.isModal());
    EXPECT_EQ(m.getADFDirection(), ok ? 1 : 0);
    const SSizeDouble in = panel.templ().getInputSize_Pixel96();
    if (ok) {
      EXPECT_EQ(in.width, a4.height);
      EXPECT_EQ(in.height, a4.width);
    }
  }
}

TEST(ExtendModeInput, APixelOutputSizeKeepsItsPixelsOverAResolutionChange) {
  Panel panel(allCorrections());
  auto& m = panel.mode;
  // One size in pixels and one in centimetres among the displayed ones.
  m.createOutputSizeObjects();
  const int pixelSize = 901;
  const int otherSize = 902;
  m.mDisplayArray->push_back(std::make_shared<Quirel_OutputSize>(pixelSize, 1, std::string("640 x 480"), 2));
  m.mDisplayArray->push_back(std::make_shared<Quirel_OutputSize>(otherSize, 1, std::string("10 x 15"), 1));
  Quirel_CropInfo& t = panel.templ();
  t.setInputSize_Pixel96(1000, 500);
  t.setOutputSize(pixelSize);
  t.setResolution(300);
  t.setOutputSize_Pixel96({640, 480});
  m.updateCropByResolusion(600, t);
  // 640 x 480 pixels at 300 dpi are 320 x 240 platen pixels at 600 dpi: the same pixel count.
  EXPECT_DOUBLE_EQ(t.getOutputSize_Pixel96().width, 320);
  EXPECT_DOUBLE_EQ(t.getOutputSize_Pixel96().height, 240);
  EXPECT_EQ(t.getMagnification(), 32);
  // A crop of no width keeps its magnification instead of dividing by it.
  t.setInputSize_Pixel96(0, 500);
  t.setMagnification(77);
  m.updateCropByResolusion(300, t);
  EXPECT_EQ(t.getMagnification(), 77);
  {
    t.setInputSize_Pixel96(1000, 500);
    t.setOutputSize(otherSize);
    t.setOutputSize_Pixel96({400, 300});
    m.updateCropByResolusion(1200, t);
    EXPECT_DOUBLE_EQ(t.getOutputSize_Pixel96().width, 400) << "other units keep their length";
  }
}

namespace {

// In the platen thumbnail mode, a width typed for a thumbnail's crop that has no frame view yet
// gives it one, and the crop takes its automatic tone after the resize.
TEST(ExtendModeInput, AWidthTypedForAThumbnailsCropGivesItAFrameAndItsAutomaticTone) {
  Panel panel(allCorrections());
  AnsweringPort port;
  platenTemplate(panel, 0);
  panel.mode.mScanMode = 1;
  panel.mode.mPlatenThumbnail = true;
  panel.mode.mHasPreview = true;
  Quirel_ThumbnailInfo* thumbnail = panel.mode.createThumbnailWithIndex(0, std::nullopt, {{20, 30}, {400, 500}}, false);
  ASSERT_NE(thumbnail, nullptr);
  ASSERT_EQ(panel.mode.mCropList.size(), 1u);
  Quirel_CropInfo& crop = *panel.mode.mCropList[0];
  crop.setSelect(true);
  panel.mode.setFocus(&crop);
  crop.setAutoTone(0);
  ASSERT_EQ(crop.getCropView(), nullptr);
  typeInputWidth(panel, "1.00");
  EXPECT_TRUE(port.shown.empty());
  EXPECT_NE(crop.getCropView(), nullptr) << "the crop has its frame view";
  EXPECT_DOUBLE_EQ(crop.getInputWidth_Pixel96(), panel.mode.getPlatenResolution());
  EXPECT_EQ(crop.getAutoTone(), 1) << "its automatic tone was taken for the new area";
}

}  // namespace
