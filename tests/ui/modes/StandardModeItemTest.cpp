// The basic mode's panel, its toolbar buttons and preview area, and the enabling of its controls
// by the crop, the preview and the window.

#include <gtest/gtest.h>

#include <filesystem>

#include "StandardModeTestRig.h"
#include "foundation/Bundle.h"
#include "foundation/PropertyList.h"
#include "foundation/RunLoop.h"
#include "kit/PopUpButton.h"
#include "kit/TabView.h"
#include "kit/Window.h"
#include "ui/base/PVLocalizedString.h"
#include "ui/controls/CTRLS_ColorPatternButton.h"
#include "ui/controls/CTRLS_DestinationPopup.h"
#include "ui/controls/CTRLS_ImageCorrectText.h"
#include "ui/controls/CTRLS_ImageSourcePopup.h"
#include "ui/controls/CTRLS_MainWindow.h"
#include "ui/controls/CTRLS_OutputSizePopup.h"
#include "ui/controls/CTRLS_PushButton.h"
#include "ui/controls/CTRLS_STDCheckBox.h"
#include "ui/controls/CTRLS_STDDirectionButton.h"
#include "ui/controls/CTRLS_STDPreviewButton.h"
#include "ui/controls/CTRLS_STDScanButton.h"
#include "ui/controls/CTRLS_TOOLView.h"
#include "ui/controls/CTRLS_TabView.h"
#include "ui/controls/ColorButton.h"
#include "ui/controls/DisabledView.h"
#include "ui/controls/NoFocusButton.h"
#include "ui/controls/NoFocusImageView.h"
#include "ui/controls/NoFocusPopUpButton.h"
#include "ui/controls/NoFocusView.h"
#include "ui/controls/ToolView.h"
#include "ui/controls/StringField.h"
#include "ui/model/CropInfo.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/modes/basic/StandardMode.h"
#include "ui/modes/toolbar/Toolbar.h"
#include "ui/settings/InfoDialog.h"

namespace {

using namespace std_rig;

const std::array<Row, 7> kBoxes{Row::AutoDoc, Row::AutoPhoto, Row::Book, Row::BackLight,
                                Row::Fading,  Row::RemoveDust, Row::ReduceDustFAU};

}  // namespace

// ---- Menus ----------------------------------------------------------------------------------

TEST(StandardModePanel, MenusFromTheParametersByFilmAdapter) {
  for (bool film : {false, true}) {
    SCOPED_TRACE(film);
    PanelRig rig(itemFlags(1700));
    rig.mode.setStandardItem(nullptr, film);  // no entry: empty menus, no crash
    EXPECT_EQ(rig.mode.getImgSrcPopup()->getPopupBT()->numberOfItems(), 0);
  }
  for (bool film : {false, true}) {
    SCOPED_TRACE(film);
    PanelRig rig(itemFlags(1700));
    const fnd::Dictionary p = itemParameters(fnd::Array{0, 4, 1, 5, 6, 12}, fnd::Array{0, 2, 1});
    rig.mode.setStandardItem(&p, film);
    const std::vector<int> expectedSources = film ? std::vector<int>{0, 4, 1, 5, 6, 12} : std::vector<int>{0, 1, 6, 12};
    EXPECT_EQ(itemNumbers(*rig.mode.getImgSrcPopup()), expectedSources);
    EXPECT_EQ(rig.mode.getImgSrcPopup()->getTitleAtAtRepresentedNumber(6), "SIMS6");
    Quirel_CTRLS_DestinationPopup& dst = *rig.mode.getDestinationPopup();
    EXPECT_FALSE(dst.isFilmModeMenu());
    EXPECT_EQ(itemNumbers(dst), (std::vector<int>{0, 2, 1}));
    EXPECT_EQ(dst.getTitleAtAtRepresentedNumber(2), "DST2");
    dst.setFilmModeMenu();
    EXPECT_EQ(itemNumbers(dst), (std::vector<int>{0, 1}));
  }
}

TEST(StandardModePanel, OlderModelsTitleDestinationsByTheirOwnKey) {
  PanelRig rig(itemFlags(1300));
  const fnd::Dictionary p = itemParameters(fnd::Array{0}, fnd::Array{1});
  rig.mode.setStandardItem(&p, false);
  EXPECT_EQ(rig.mode.getDestinationPopup()->getTitleAtAtRepresentedNumber(1), "SDST1");
}

TEST(StandardModePanel, OutputSizeMenuByDestination) {
  PanelRig rig(itemFlags(1700));
  const fnd::Dictionary model = itemModelParameters();
  rig.mode.setUimParameterDic(&model);
  rig.mode.createOutputSizeObjects();
  const auto count = [](const std::optional<Quirel_BaseScanMode::OutputSizeList>& l) {
    return l ? static_cast<int>(l->size()) : 0;
  };
  const int print = count(rig.mode.getPrintArray());
  const int display = count(rig.mode.getDisplayArray());
  const int ocr = count(rig.mode.getOcrArray());
  ASSERT_GT(print, 0);
  struct Case {
    int destination, sizes;
    bool addDelete;
  };
  for (const Case& c : {Case{-1, 0, false}, Case{0, print, true}, Case{1, display, true}, Case{2, ocr, false},
                        Case{3, ocr, true}}) {
    SCOPED_TRACE(c.destination);
    rig.mode.setMenuItem_OutputSizePopupBT(c.destination);
    const std::vector<int> numbers = itemNumbers(*rig.mode.getOutputSizePopup());
    ASSERT_EQ(static_cast<int>(numbers.size()), 1 + c.sizes + (c.addDelete ? 2 : 0));
    EXPECT_EQ(numbers.front(), 0);
    EXPECT_EQ(rig.mode.getOutputSizePopup()->getTitleAtAtRepresentedNumber(0), "IDS_SIM_SIZE_FREE");
    if (c.addDelete) {
      EXPECT_EQ(numbers[numbers.size() - 2], -100);
      EXPECT_EQ(numbers.back(), -1);
    } else if (c.sizes > 0) {
      EXPECT_NE(numbers.back(), -1);
    }
  }
}

// ---- Layout ---------------------------------------------------------------------------------

TEST(StandardModePanel, StepsStackFromTheTopAndHiddenOnesTakeNoRoom) {
  PanelRig rig(itemFlags(1500));
  rig.mode.setFrameStandardItem();
  const double top = rig.contentHeight() - 10;
  const std::array<std::pair<Step, double>, 7> steps{
      {{Step::ImageSource, 54}, {Step::Preview, 65}, {Step::Destination, 54}, {Step::OutputSize, 78},
       {Step::AdjustCrop, 32}, {Step::ImageCorrect, -1}, {Step::Scan, 65}}};
  double y = top;
  for (const auto& [step, height] : steps) {
    const fnd::Rect frame = rig.mode.getStepView(step)->frame();
    if (height > 0) {
      EXPECT_EQ(frame.size.height, height);
    }
    EXPECT_EQ(frame.origin.y, y - frame.size.height);
    EXPECT_EQ(frame.origin.x, 0);
    EXPECT_EQ(frame.size.width, rig.tabs.getTabView()->contentRect().size.width);
    y = frame.origin.y;
  }
  const double scanBottom = y;
  // Hiding Preview moves everything below it up by its height.
  rig.mode.getStepView(Step::Preview)->setHidden(true);
  rig.mode.setFrameStandardItem();
  EXPECT_EQ(rig.mode.getStepView(Step::Destination)->frame().origin.y + 54, top - 54);
  EXPECT_EQ(rig.mode.getStepView(Step::Scan)->frame().origin.y, scanBottom + 65);
}

TEST(StandardModePanel, OutputSizeStepFollowsItsLabelHeight) {
  const auto tall = Quirel_StandardMode::outputSizeStepFrames(34);
  EXPECT_EQ(tall.icon, fnd::Rect(95, 11, 23, 23));
  EXPECT_EQ(tall.label, fnd::Rect(120, 0, 200, 34));
  EXPECT_EQ(tall.popup.origin.y, 34);
  EXPECT_EQ(tall.title.origin.y, 60);
  EXPECT_EQ(tall.dotY, 54);
  const auto oneLine = Quirel_StandardMode::outputSizeStepFrames(16);
  EXPECT_EQ(oneLine.icon, fnd::Rect(95, 0, 23, 23));
  EXPECT_EQ(oneLine.label, fnd::Rect(120, 0, 200, 20));
  EXPECT_EQ(oneLine.popup.origin.y, 23);  // never below the icon's 23 points
  EXPECT_EQ(oneLine.dotY, 43);
  // The step built with the real label stays 78 high whatever the label needs.
  PanelRig rig(itemFlags(1500));
  EXPECT_EQ(rig.mode.getStepView(Step::OutputSize)->frame().size.height, 78);
}

TEST(StandardModePanel, CorrectionRowsByModelFeatures) {
  for (bool autoDoc : {false, true}) {
    SCOPED_TRACE(autoDoc);
    PanelRig rig(itemFlags(1700, {{"AutoDocCorrect", autoDoc}, {"AutoPhotoCorrect", true}}));
    EXPECT_EQ(rig.mode.getCorrectRowView(Row::AutoPhoto)->frame().origin.y, autoDoc ? 66 : 36);
    const double fadingY = rig.mode.getCorrectRowView(Row::Fading)->frame().origin.y;
    EXPECT_EQ(rig.mode.getCorrectRowView(Row::RemoveDust)->frame().origin.y, fadingY);
    EXPECT_EQ(rig.mode.getCorrectRowView(Row::ReduceDustFAU)->frame().origin.y, fadingY);
    const double titleY = rig.mode.getImageCorrectText()->getTextFRect().origin.y;
    EXPECT_EQ(titleY, fadingY + 30);
    EXPECT_EQ(rig.mode.getStepView(Step::ImageCorrect)->frame().size.height, titleY + 32);
  }
  PanelRig old(itemFlags(1300));
  const double titleY = old.mode.getImageCorrectText()->getTextFRect().origin.y;
  EXPECT_EQ(old.mode.getStepView(Step::ImageCorrect)->frame().size.height, titleY + 20);
  EXPECT_EQ(old.mode.getCorrectCheckBox(Row::Book)->getCheckBoxRect(), fnd::Rect(120, 2, 195, 26));
  EXPECT_EQ(old.mode.getCorrectCheckBox(Row::AutoDoc)->getCheckBoxRect(), fnd::Rect(124, 2, 196, 26));
}

// A correction row with a picture of its own for the unavailable state is not greyed again by
// its view; an older model's row without one is, and the two automatic rows never are.
TEST(StandardModePanel, OnlyRowsWithAnUnavailablePictureAndTheAutomaticRowsAreNotGreyedByTheView) {
  for (const int version : {1300, 1500}) {
    SCOPED_TRACE(version);
    PanelRig rig(itemFlags(version, {{"AutoDocCorrect", true}, {"AutoPhotoCorrect", true}}));
    const bool ownPicture = version >= 1400;
    for (const Row row : {Row::Book, Row::BackLight, Row::Fading, Row::RemoveDust}) {
      Quirel_CTRLS_STDCheckBox* box = rig.mode.getCorrectCheckBox(row);
      EXPECT_EQ(box->hasDisableImage(), ownPicture);
      EXPECT_EQ(box->getImageView()->grayoutWhenDisable(), !ownPicture);
    }
    for (const Row row : {Row::AutoDoc, Row::AutoPhoto})
      EXPECT_FALSE(rig.mode.getCorrectCheckBox(row)->getImageView()->grayoutWhenDisable());
  }
}

TEST(StandardModePanel, NewestGroupOfTwoRowsPacksTo92) {
  PanelRig rig(itemFlags(1700, {{"FadingCorrect", true}, {"BackLightCorrect", true}}));
  for (Row row : {Row::ColorPattern, Row::AutoDoc, Row::AutoPhoto, Row::Book, Row::RemoveDust, Row::ReduceDustFAU})
    rig.mode.getCorrectRowView(row)->setHidden(true);
  rig.mode.setFrameInImageCorrectView();
  const fnd::Rect group = rig.mode.getStepView(Step::ImageCorrect)->frame();
  EXPECT_EQ(group.size.height, 92);
  // The rows lie under the title, inside the group, in packing order.
  const double titleY = rig.mode.getImageCorrectText()->getTextFRect().origin.y;
  EXPECT_EQ(rig.mode.getCorrectRowView(Row::Fading)->frame().origin.y, titleY - 30);
  EXPECT_EQ(rig.mode.getCorrectRowView(Row::BackLight)->frame().origin.y, titleY - 60);
  EXPECT_GE(rig.mode.getCorrectRowView(Row::BackLight)->frame().origin.y, 0);
  // The Scan step follows the shrunken group.
  EXPECT_EQ(rig.mode.getStepView(Step::Scan)->frame().maxY(), group.origin.y);
}

TEST(StandardModePanel, ScanStepHoldsBothNumbersAndTheArrowsStartHidden) {
  PanelRig rig(itemFlags(1500));
  EXPECT_FALSE(rig.mode.getScanNumberImage(false)->isHidden());
  EXPECT_TRUE(rig.mode.getScanNumberImage(true)->isHidden());
  ASSERT_NE(rig.mode.getPreviewView(), nullptr);
  EXPECT_EQ(rig.mode.getPreviewView()->platenTitle(), "IDS_PREVIEW_GUIDE");
  EXPECT_EQ(rig.mode.getPreviewView()->adfTitle(), "IDS_PREVIEW_GUIDE_ADF");
  EXPECT_EQ(rig.mode.getPreviewView()->getScrollView()->superview(), rig.previewFrame.getFrameView());
}

// ---- Toolbar --------------------------------------------------------------------------------

TEST(StandardModePanel, ToolbarButtonsByGeneration) {
  struct Case {
    int version;
    bool platenThumbnail;
    std::size_t buttons;
  };
  for (const Case& c : {Case{1400, true, 10}, Case{1500, false, 12}, Case{1500, true, 13}}) {
    SCOPED_TRACE(c.version * 10 + c.platenThumbnail);
    PanelRig rig(itemFlags(c.version, {{"PlatenThumbnail", c.platenThumbnail}}));
    const auto& items = rig.toolView->getToolView()->subviews();
    EXPECT_EQ(items.size(), c.buttons);
    for (kit::View* item : items) EXPECT_EQ(item->frame().size, fnd::Size(25, 25));
  }
}

// ---- Enabling -------------------------------------------------------------------------------

TEST(StandardModeEnabling, BeforeTheFirstPreviewEveryBoxIsOffAndDisabled) {
  const fnd::Dictionary flags = itemFlags(1700, {{"VEXA", true}, {"ReduceDustForFAU", true}, {"FadingCorrect", true},
                                                 {"BackLightCorrect", true}, {"BookCorrect", true},
                                                 {"AutoDocCorrect", true}, {"AutoPhotoCorrect", true},
                                                 {"ColorPattern", true}});
  struct Case {
    int scanMode, imageSource;
    bool outputSizeUsable, scanUsable;
  };
  for (const Case& c : {Case{0, 0, true, true}, Case{0, 2, true, true}, Case{2, 4, false, false}}) {
    SCOPED_TRACE(c.scanMode);
    PanelRig rig(flags);
    rig.mode.setDefaultSetting(nullptr);
    rig.mode.mScanMode = c.scanMode;
    rig.mode.mImageSource = c.imageSource;
    for (Row row : kBoxes) rig.mode.getCorrectCheckBox(row)->check(true);
    rig.mode.mTemplateCrop->setBookCorrect(3);
    rig.mode.mTemplateCrop->setFadingCorrect(3);
    rig.mode.setValueOfSelectedCrop(false);
    for (Row row : kBoxes) {
      SCOPED_TRACE(static_cast<int>(row));
      EXPECT_FALSE(rig.mode.getCorrectCheckBox(row)->isChecked());
      EXPECT_FALSE(rig.mode.getCorrectCheckBox(row)->isEnabled());
    }
    EXPECT_EQ(rig.mode.getOutputSizePopup()->isEnabled(), c.outputSizeUsable);
    EXPECT_EQ(rig.mode.getScanButton()->getColorPushBT()->isEnabled(), c.scanUsable);
    EXPECT_TRUE(rig.mode.getPreviewButton()->getColorPushBT()->isEnabled());
  }
}

TEST(StandardModeEnabling, FeederDisablesPreviewAndOutputSizeButNotAutoDocument) {
  PanelRig rig(itemFlags(1700, {{"AutoDocCorrect", true}}));
  rig.mode.setDefaultSetting(nullptr);
  rig.mode.mScanMode = 4;
  rig.mode.mImageSource = 6;
  rig.mode.mTemplateCrop->setAutoDocCorrect(1);
  rig.mode.setValueOfSelectedCrop(false);
  EXPECT_FALSE(rig.mode.getPreviewButton()->getColorPushBT()->isEnabled());
  EXPECT_FALSE(rig.mode.getOutputSizePopup()->isEnabled());
  EXPECT_FALSE(rig.mode.getCorrectRowView(Row::AutoDoc)->isHidden());
  EXPECT_TRUE(rig.mode.getCorrectCheckBox(Row::AutoDoc)->isEnabled());
  EXPECT_TRUE(rig.mode.getCorrectCheckBox(Row::AutoDoc)->isChecked());
}

TEST(StandardModeEnabling, ColourSettingAndFreeSizeDisableTheirControls) {
  PanelRig rig(itemFlags(1700, {{"FadingCorrect", true}, {"BackLightCorrect", true}, {"AutoDocCorrect", true}}));
  rig.mode.setDefaultSetting(nullptr);
  rig.mode.mHasPreview = true;
  rig.mode.mImageSource = 0;
  rig.mode.mTemplateCrop->setColorMode(3);
  rig.mode.mTemplateCrop->setFadingCorrect(3);
  rig.mode.mTemplateCrop->setBackLightCorrect(3);
  rig.mode.mTemplateCrop->setOutputSize(0);
  rig.mode.setValueOfSelectedCrop(false);
  EXPECT_TRUE(rig.mode.getCorrectCheckBox(Row::Fading)->isChecked());
  EXPECT_TRUE(rig.mode.getCorrectCheckBox(Row::BackLight)->isEnabled());
  EXPECT_FALSE(rig.mode.getDirectionButton()->getIconBT()->isEnabled());
  Quirel_PreferenceInfo prefs;
  prefs.setColorSetting(3, 1);
  rig.mode.setPreferenceInfo(std::make_shared<Quirel_PreferenceInfo>(prefs));
  rig.mode.setValueOfSelectedCrop(false);
  for (Row row : {Row::Fading, Row::BackLight, Row::AutoDoc}) {
    EXPECT_FALSE(rig.mode.getCorrectCheckBox(row)->isChecked());
    EXPECT_FALSE(rig.mode.getCorrectCheckBox(row)->isEnabled());
  }
}

TEST(StandardModeEnabling, DisablingLaysOneOverlayAndEnablingTakesItAway) {
  PanelRig rig(itemFlags(1500));
  rig.mode.setDefaultSetting(nullptr);
  kit::View* content = rig.mainWindow->getWindow()->contentView();
  const std::size_t before = content->subviews().size();
  rig.mode.setEnabledAllControl(false);
  rig.mode.setEnabledAllControl(false);
  EXPECT_EQ(content->subviews().size(), before + 1);
  EXPECT_TRUE(rig.mode.isModal());
  EXPECT_FALSE(rig.mainWindow->getWindow()->isEnabled());
  EXPECT_FALSE(rig.mode.getImgSrcPopup()->isEnabled());
  EXPECT_FALSE(rig.mode.getScanButton()->getColorPushBT()->isEnabled());
  EXPECT_FALSE(rig.prefBtn.getPushBT()->isEnabled());
  // The base's own disabling shares the overlay.
  rig.mode.setEnabledMainWindow(false);
  EXPECT_EQ(content->subviews().size(), before + 1);
  rig.mode.setEnabledAllControl(true);
  EXPECT_EQ(content->subviews().size(), before);
  EXPECT_EQ(rig.mode.mWindowMaskView, nullptr);
  EXPECT_FALSE(rig.mode.isModal());
  EXPECT_TRUE(rig.mode.getImgSrcPopup()->isEnabled());
  EXPECT_TRUE(rig.mode.getScanButton()->getColorPushBT()->isEnabled());
  EXPECT_TRUE(rig.closeBtn.getPushBT()->isEnabled());
  // A closing window is left alone.
  rig.mainWindow->getWindow()->setCloseFlg(true);
  rig.mode.setEnabledAllControl(false);
  EXPECT_EQ(content->subviews().size(), before);
  EXPECT_TRUE(rig.mainWindow->getWindow()->isEnabled());
}

TEST(StandardModeEnabling, ToolTipsFollowTheEnabledState) {
  PanelRig rig(itemFlags(1500));
  kit::Control* popup = rig.mode.getImgSrcPopup()->getPopupBT();
  popup->setToolTip("mine");
  rig.mode.setEnabledToolTips();
  EXPECT_EQ(popup->toolTip(), "mine");
  EXPECT_EQ(rig.mode.getScanButton()->getColorPushBT()->toolTip(), "IDC_MS_BTN_MULTI_SCAN");
  EXPECT_EQ(rig.mode.getDirectionButton()->getTitleTxt()->toolTip(), "IDC_SP_SWAPASPECT_BTN");
  EXPECT_EQ(rig.mode.getCorrectCheckBox(Row::AutoPhoto)->getCheckBox()->toolTip(), "");
  rig.mode.getImgSrcPopup()->setEnabled(false);
  rig.mode.getDirectionButton()->setEnabled(false);
  rig.mode.setEnabledToolTips();
  EXPECT_EQ(popup->toolTip(), "");
  EXPECT_EQ(rig.mode.getDirectionButton()->getTitleTxt()->toolTip(), "");
  rig.mode.getImgSrcPopup()->setEnabled(true);
  rig.mode.setEnabledToolTips();
  EXPECT_EQ(popup->toolTip(), "IDC_SP_CMB_SOURCESELECT");
}

// ---- The information panel ------------------------------------------------------------------

TEST(StandardModeEnabling, InformationPanelFilledWhenShownOrForced) {
  PanelRig rig(itemFlags(1700, {{"FadingCorrect", true}, {"BookCorrect", true}}));
  const fnd::Dictionary p = itemParameters(fnd::Array{0, 4}, fnd::Array{0});
  rig.mode.setStandardItem(&p, true);
  Quirel_InfoDialog* info = rig.mode.getInfoDialog();
  ASSERT_NE(info, nullptr);
  ASSERT_FALSE(info->isVisible());
  Quirel_CropInfo crop;
  crop.setColorMode(3);
  crop.setResolution(600);
  crop.setUnit(2);
  crop.setInputRect_Pixel96({{0, 0}, {300, 150}});
  crop.setOutputSize_Pixel96({300, 150});
  crop.setFadingCorrect(3);
  crop.setBookCorrect(3);
  const std::string before = info->valueText(Quirel_InfoDialog::Row::InputW);
  rig.mode.setValueInfoDialog(crop, false, false);
  EXPECT_EQ(info->valueText(Quirel_InfoDialog::Row::InputW), before);  // hidden, not forced
  rig.mode.setValueInfoDialog(crop, false, true);
  // Pixels at the crop's own resolution: 300 platen pixels at 300 dpi are 600 at 600 dpi.
  EXPECT_NE(info->valueText(Quirel_InfoDialog::Row::InputW).find("600"), std::string::npos);
  EXPECT_EQ(info->valueText(Quirel_InfoDialog::Row::Fading), info->valueText(Quirel_InfoDialog::Row::Grain));
  // Film without a preview counts no crops.
  rig.mode.mScanMode = 2;
  rig.mode.setValueInfoDialog(crop, false, true);
  EXPECT_EQ(info->valueText(Quirel_InfoDialog::Row::NumberCrop), "-");
}

// ---- A picture ------------------------------------------------------------------------------

TEST(StandardModePanel, PanelPicture) {
  PanelRig rig(std::make_shared<Quirel_PVLocalizedString>(fnd::Bundle::main().identifier()), itemFlags(1700, {{"FadingCorrect", true}, {"BackLightCorrect", true}, {"BookCorrect", true},
                                {"AutoDocCorrect", true}, {"ColorPattern", true}}),
               560);
  const fnd::Dictionary model = itemModelParameters();
  rig.mode.setUimParameterDic(&model);
  rig.mode.createOutputSizeObjects();
  rig.mode.setStandardItem(&model.dictionary("StandardMode"), false);
  kit::Window& window = *rig.mainWindow->getWindow();
  // The toolbar and the preview frame right of the tab, as the window controller places them.
  rig.mainWindow->addWindowItem(rig.toolView->getToolView());
  rig.mainWindow->addWindowItem(rig.previewFrame.getFrameView());
  rig.toolView->setToolViewRect(400, 0, 440, 25);
  rig.previewFrame.setFrameViewRect(400, 20, 440, 100);
  rig.mode.showTab();
  rig.mode.didShowTabView();
  rig.mode.setEnabledAllControl(true);
  const std::string png = (std::filesystem::current_path() / "standard_mode_panel.png").string();
  std::filesystem::remove(png);
  window.makeKeyAndOrderFront();
  bool grabbed = false;
  fnd::RunLoop::main().performAfterDelay(0.05, [&] {
    window.contentView()->display();
    grabbed = window.grabToPng(png);
    fnd::RunLoop::main().stop();
  });
  fnd::RunLoop::main().runFor(fnd::RunLoopMode::Default, 5);
  EXPECT_TRUE(grabbed);
  EXPECT_TRUE(std::filesystem::exists(png));
}

// Disabling leaves the drawing to the loop's next pass: once it ran, the window shows the
// overlay over disabled controls without anyone asking for a redraw.
TEST(StandardModePanel, DisabledPanelIsDrawnByTheLoop) {
  PanelRig rig(std::make_shared<Quirel_PVLocalizedString>(fnd::Bundle::main().identifier()), itemFlags(1700, {{"FadingCorrect", true}, {"BackLightCorrect", true}, {"BookCorrect", true},
                                {"AutoDocCorrect", true}, {"ColorPattern", true}}),
               560);
  const fnd::Dictionary model = itemModelParameters();
  rig.mode.setUimParameterDic(&model);
  rig.mode.createOutputSizeObjects();
  rig.mode.setStandardItem(&model.dictionary("StandardMode"), false);
  kit::Window& window = *rig.mainWindow->getWindow();
  // The toolbar and the preview frame right of the tab, as the window controller places them.
  rig.mainWindow->addWindowItem(rig.toolView->getToolView());
  rig.mainWindow->addWindowItem(rig.previewFrame.getFrameView());
  rig.toolView->setToolViewRect(400, 0, 440, 25);
  rig.previewFrame.setFrameViewRect(400, 20, 440, 100);
  rig.mode.showTab();
  rig.mode.didShowTabView();
  rig.mode.setEnabledAllControl(true);
  window.makeKeyAndOrderFront();
  const std::string png = (std::filesystem::current_path() / "standard_mode_disabled.png").string();
  std::filesystem::remove(png);
  bool grabbed = false;
  fnd::RunLoop::main().performAfterDelay(0.05, [&] {
    rig.mode.setEnabledAllControl(false);
    fnd::RunLoop::main().performAfterDelay(0.05, [&] {
      grabbed = window.grabToPng(png);
      fnd::RunLoop::main().stop();
    });
  });
  fnd::RunLoop::main().runFor(fnd::RunLoopMode::Default, 5);
  EXPECT_TRUE(grabbed);
  EXPECT_NE(rig.mode.mWindowMaskView, nullptr);
  EXPECT_FALSE(rig.mode.getScanButton()->getColorPushBT()->isEnabled());
}
