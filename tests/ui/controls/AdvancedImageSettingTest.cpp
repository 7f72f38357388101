// The advanced panel's image-setting controls: colour-adjustment menus by source, the
// exposure field and its stepper's single report per press, the apply and reset pair, the
// open buttons, the zoom button and the containers.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ControlsTestSupport.h"
#include "foundation/RunLoop.h"
#include "kit/Menu.h"
#include "ui/controls/CTRLS_ADVPreviewButton.h"
#include "ui/controls/CTRLS_ADVScanButton.h"
#include "ui/controls/CTRLS_AutoTonePopup.h"
#include "ui/controls/CTRLS_CalibrationOpenButton.h"
#include "ui/controls/CTRLS_ColorAdjustmentPopup.h"
#include "ui/controls/CTRLS_ExposureButton.h"
#include "ui/controls/CTRLS_ExposureField.h"
#include "ui/controls/CTRLS_ExposureOpenButton.h"
#include "ui/controls/CTRLS_ExposureView.h"
#include "ui/controls/CTRLS_ImageSettingScrollView.h"
#include "ui/controls/CTRLS_RemoveDustPopup.h"
#include "ui/controls/CTRLS_ScanSettingOpenButton.h"
#include "ui/controls/CTRLS_ShowThroughPopup.h"
#include "ui/controls/CTRLS_ThresholdButton.h"
#include "ui/controls/CTRLS_ZoomButton.h"

using controls_test::kBundle;
using controls_test::PostRecorder;
using controls_test::TestWindow;

namespace {

std::vector<std::string> menuTitles(const Quirel_CTRLS_PopupButton& popup) { return popup.getPopupBT()->itemTitles(); }

}  // namespace

TEST(ImageSettingMenus, ColourAdjustmentMenuFollowsTheSource) {
  Quirel_CTRLS_ColorAdjustmentPopup adjust;
  adjust.addPopupItemWithTitle("P1", 1, 0);
  adjust.addPopupItemWithTitle("P2", 2, 0);
  adjust.addPopupItemWithTitle("F1", 1, 1);
  struct Case {
    int mode;
    std::vector<std::string> titles;
  };
  for (const Case& c : std::vector<Case>{{2, {"P1", "P2"}}, {3, {"P1", "P2"}}, {1, {"F1"}}, {0, {"P1", "P2"}}}) {
    adjust.setMenuAtMode(c.mode);
    EXPECT_EQ(menuTitles(adjust), c.titles) << "mode " << c.mode << " without feeder items";
    EXPECT_EQ(adjust.nowMenuMode(), c.mode);
  }
  adjust.addPopupItemWithTitle("A1", 5, 2);
  adjust.addPopupItemWithTitle("A2", 6, 3);
  adjust.setMenuAtMode(2);
  EXPECT_EQ(menuTitles(adjust), (std::vector<std::string>{"A1", "A2"})) << "modes 2 and 3 both fill the feeder list";
  adjust.setMenuAtMode(3);
  EXPECT_EQ(menuTitles(adjust), (std::vector<std::string>{"P1", "P2"}));
  EXPECT_EQ(adjust.getRepresentedNumberAtIndex(1), 2);

  Quirel_CTRLS_AutoTonePopup tone;
  tone.addPopupItemWithTitle("Off", 0, false);
  tone.addPopupItemWithTitle("On", 1, false);
  tone.addPopupItemWithTitle("Keep", 2, true);
  tone.setDataPersistenceMenu();
  EXPECT_EQ(menuTitles(tone), (std::vector<std::string>{"Keep"}));
  EXPECT_TRUE(tone.isDataPersistence());
  tone.setNormalMenu();
  EXPECT_EQ(menuTitles(tone), (std::vector<std::string>{"Off", "On"}));
  EXPECT_FALSE(tone.isDataPersistence());
}

TEST(ImageSettingControls, EachPostsItsFixedNameWithItsControl) {
  PostRecorder rec({"AdvAutoToneChangePost", "AdvColorAdjustmentChangePost", "AdvShowThroughChangePost",
                    "AdvRemoveDustChangePost", "AdvThresholdOpenPost", "AdvZoomStartPost", "AdvPreviewStartPost",
                    "AdvScanStartPost"});
  Quirel_CTRLS_AutoTonePopup tone;
  Quirel_CTRLS_ColorAdjustmentPopup adjust;
  Quirel_CTRLS_ShowThroughPopup show;
  Quirel_CTRLS_RemoveDustPopup dust;
  std::vector<const void*> expected;
  for (Quirel_CTRLS_PopupButton* p : std::vector<Quirel_CTRLS_PopupButton*>{&tone, &adjust, &show, &dust}) {
    p->addPopupItem("A");
    kit::Menu::onNextPopUp([](kit::Menu&) { return 0; });
    p->getPopupBT()->performClick();
    expected.push_back(p->getPopupBT());
  }
  Quirel_CTRLS_ThresholdButton threshold;
  threshold.getIconBT()->performClick();
  expected.push_back(threshold.getIconBT());
  Quirel_CTRLS_ZoomButton zoom;
  zoom.getPushBT()->performClick();
  expected.push_back(zoom.getPushBT());
  Quirel_CTRLS_ADVPreviewButton preview;
  preview.getColorPushBT()->performClick();
  expected.push_back(preview.getColorPushBT());
  Quirel_CTRLS_ADVScanButton scan;
  scan.getColorPushBT()->performClick();
  expected.push_back(scan.getColorPushBT());
  EXPECT_EQ(rec.posts, (std::vector<std::string>{"AdvAutoToneChangePost", "AdvColorAdjustmentChangePost",
                                                  "AdvShowThroughChangePost", "AdvRemoveDustChangePost",
                                                  "AdvThresholdOpenPost", "AdvZoomStartPost", "AdvPreviewStartPost",
                                                  "AdvScanStartPost"}));
  EXPECT_EQ(rec.senders, expected);
}

TEST(ImageSettingControls, RemoveDustPictureExistsOnlyOnceSet) {
  Quirel_CTRLS_RemoveDustPopup dust;
  dust.setVexaImageViewRect(5, 5, 40, 20);
  EXPECT_EQ(dust.getVexaImageView(), nullptr);
  EXPECT_EQ(dust.getVexaImageViewRect(), fnd::Rect());
  dust.setHidden(true);
  dust.setVexaImage("DUSTSCRACH_ON.tiff", kBundle);
  ASSERT_NE(dust.getVexaImageView(), nullptr);
  EXPECT_EQ(dust.getVexaImageViewRect(), fnd::Rect(0, 0, 50, 25));
  EXPECT_TRUE(dust.getVexaImageView()->image().isValid());
  dust.setVexaImageViewRect(5, 5, 40, 20);
  EXPECT_EQ(dust.getVexaImageViewRect(), fnd::Rect(5, 5, 40, 20));
  dust.setHidden(false);
  EXPECT_FALSE(dust.getVexaImageView()->isHidden());
  EXPECT_FALSE(dust.isHidden());
}

TEST(ExposureField, StepperStopsAtItsEndsAndTypedValuesAreNotClamped) {
  TestWindow w;
  Quirel_CTRLS_ExposureField exposure;
  w.window().contentView()->addSubview(exposure.getStepper());
  exposure.setStepperRect(10, 10, 19, 27);
  exposure.getStepper()->setAutorepeat(false);
  PostRecorder rec({"AdvExposureStepperPost", "AdvExposureChangePost"});
  exposure.setIntValue(199);
  for (int i = 0; i < 3; ++i) w.click({19, 33});
  EXPECT_EQ(exposure.getIntValue(), 200);
  exposure.setStringValue("51");
  for (int i = 0; i < 3; ++i) w.click({19, 14});
  EXPECT_EQ(exposure.getIntValue(), 50) << "no wrap to the maximum";
  EXPECT_EQ(rec.posts, std::vector<std::string>(6, "AdvExposureStepperPost")) << "one a press, from the cell";
  EXPECT_EQ(rec.senders.front(), exposure.getStepperCell());
  // The four-character field takes 250, and the wrapper leaves it.
  exposure.getNumberTxtF()->setStringValue("");
  EXPECT_TRUE(exposure.getNumberTxtF()->insertText("250"));
  EXPECT_EQ(exposure.getIntValue(), 250);
  exposure.getNumberTxtF()->sendAction();
  EXPECT_EQ(rec.posts.back(), "AdvExposureChangePost");
  EXPECT_EQ(rec.senders.back(), exposure.getNumberTxtF());
  exposure.setStringValue(nullptr);
  EXPECT_EQ(exposure.getIntValue(), 250);
  exposure.setEnabled(false);
  EXPECT_EQ(exposure.getUnitTxt()->textColor(), kit::Color::disabledControlText());
  exposure.setHidden(true);
  EXPECT_TRUE(exposure.isHidden() && exposure.getStepper()->isHidden() && exposure.getUnitTxt()->isHidden());
  exposure.getStepper()->removeFromSuperview();
}

TEST(ExposureField, HeldPressStepsOnEveryRepeatButReportsOnceOnRelease) {
  TestWindow w;
  Quirel_CTRLS_ExposureField exposure;
  w.window().contentView()->addSubview(exposure.getStepper());
  exposure.setStepperRect(10, 10, 19, 27);
  exposure.setIntValue(100);
  PostRecorder rec({"AdvExposureStepperPost"});
  std::vector<int> seenWhileHeld;
  // The release comes well after the first repeat; the field is read while the press is held.
  fnd::RunLoop::main().performAfterDelay(1.2, [&] {
    seenWhileHeld.push_back(exposure.getIntValue());
    EXPECT_TRUE(rec.posts.empty()) << "nothing while held";
    w.post(kit::EventType::LeftMouseUp, {19, 33});
  }, fnd::kCommonModes);
  w.post(kit::EventType::LeftMouseDown, {19, 33});
  w.dispatch();
  ASSERT_EQ(seenWhileHeld.size(), 1u);
  EXPECT_GE(seenWhileHeld[0], 102) << "the press repeated";
  EXPECT_EQ(rec.posts.size(), 1u);
  EXPECT_EQ(exposure.getStepper()->intValue(), exposure.getIntValue());
  exposure.getStepper()->removeFromSuperview();
}

TEST(ExposurePair, OnStateIsItsOwnAndSingleButtonModeShowsTheActingButton) {
  Quirel_CTRLS_ExposureButton pair;
  pair.setOnState(true);
  EXPECT_TRUE(pair.isOnState());
  EXPECT_FALSE(pair.getApplyBT()->isEnabled());
  EXPECT_TRUE(pair.getResetBT()->isEnabled());
  EXPECT_FALSE(pair.getApplyBT()->isHidden()) << "two buttons by default";
  // Disabling the pair leaves the state alone (it used to read the apply button's enabling).
  pair.setOnState(false);
  pair.setEnabled(false);
  EXPECT_FALSE(pair.isOnState());
  pair.setEnabled(true);
  EXPECT_FALSE(pair.isOnState());

  pair.setTwoButtons(false);
  pair.setOnState(true);
  EXPECT_TRUE(pair.getApplyBT()->isHidden());
  EXPECT_FALSE(pair.getResetBT()->isHidden());
  pair.setOnState(false);
  EXPECT_FALSE(pair.getApplyBT()->isHidden());
  EXPECT_TRUE(pair.getResetBT()->isHidden());
  pair.setHidden(true);
  pair.setOnState(true);
  EXPECT_TRUE(pair.getApplyBT()->isHidden() && pair.getResetBT()->isHidden()) << "hidden stays hidden";
  pair.setHidden(false);
  EXPECT_FALSE(pair.getApplyBT()->isHidden() || pair.getResetBT()->isHidden()) << "both until the next state";

  pair.setTitleTxtTitleForCrop("crop");
  EXPECT_TRUE(pair.isCropTitle());
  pair.setTitleTxtTitleForFrame("frame");
  EXPECT_FALSE(pair.isCropTitle());
  pair.changeCropTitle(true);
  EXPECT_EQ(pair.getTitleTxt()->stringValue(), "crop");

  PostRecorder rec({"AdvExposureApplyPost", "AdvExposureResetPost"});
  pair.setEnabled(true);
  pair.getApplyBT()->performClick();
  pair.getResetBT()->performClick();
  EXPECT_EQ(rec.posts, (std::vector<std::string>{"AdvExposureApplyPost", "AdvExposureResetPost"}));
  EXPECT_EQ(rec.senders, (std::vector<const void*>{pair.getApplyBT(), pair.getResetBT()}));
}

TEST(OpenButtons, ClickFlipsTheStateShowsItsPictureAndReports) {
  TestWindow w;
  Quirel_CTRLS_ExposureOpenButton exposure;
  Quirel_CTRLS_ScanSettingOpenButton scan;
  Quirel_CTRLS_CalibrationOpenButton calib;
  kit::Image on = kit::Image::named("BT_FOLD", kBundle);
  kit::Image off = kit::Image::named("BT_SPREAD", kBundle);
  struct Case {
    Quirel_CTRLS_OpenButton* button;
    const char* post;
  };
  for (const Case& c : std::vector<Case>{{&exposure, "AdvExposureOpenPost"}, {&scan, "AdvScanSettingOpenPost"},
                                         {&calib, "AdvCalibrationOpenPost"}}) {
    SCOPED_TRACE(c.post);
    PostRecorder rec({c.post});
    c.button->setPushBTImage("BT_FOLD.tif", "BT_SPREAD.tif", kBundle);
    EXPECT_TRUE(c.button->isOnState()) << "starts open";
    w.window().contentView()->addSubview(c.button->getPushBT());
    c.button->setPushBTRect(10, 10, 20, 20);
    w.click({20, 20});
    EXPECT_FALSE(c.button->isOnState());
    EXPECT_EQ(c.button->getPushBT()->image().colorAtPixel(6, 8), off.colorAtPixel(6, 8));
    EXPECT_EQ(rec.senders, (std::vector<const void*>{c.button->getPushBT()}));
    c.button->setOnState(true);
    EXPECT_EQ(c.button->getPushBT()->image().colorAtPixel(6, 4), on.colorAtPixel(6, 4));
    c.button->getPushBT()->removeFromSuperview();
  }
}

TEST(ZoomButton, OnStateReadsTheShownTitle) {
  Quirel_CTRLS_ZoomButton zoom;
  EXPECT_FALSE(zoom.isOnState()) << "no titles stored yet";
  zoom.setState(true);
  EXPECT_FALSE(zoom.isOnState());
  zoom.setPushBTTitle("Undo Zoom", "Zoom");
  EXPECT_FALSE(zoom.isOnState());
  zoom.setState(true);
  EXPECT_EQ(zoom.getPushBT()->title(), "Undo Zoom");
  EXPECT_TRUE(zoom.isOnState());
  zoom.setState(false);
  EXPECT_EQ(zoom.getPushBT()->title(), "Zoom");
  EXPECT_FALSE(zoom.isOnState());
}

TEST(ImageSettingContainers, ScrollListNestsOnEndAndSectionsKeepTheirHeights) {
  Quirel_CTRLS_ImageSettingScrollView list(0, 0, 200, 300);
  kit::View row;
  list.setItem(&row, fnd::Rect(0, 10, 200, 24));
  list.setViewRect(0, 0, 200, 600);
  EXPECT_EQ(row.superview(), list.getView());
  EXPECT_EQ(row.frame(), fnd::Rect(0, 10, 200, 24));
  EXPECT_EQ(list.getViewRect(), fnd::Rect(0, 0, 200, 600));
  EXPECT_EQ(list.getScrollView()->documentView(), nullptr);
  list.endScrollView();
  EXPECT_EQ(list.getScrollView()->documentView(), list.getView());

  Quirel_CTRLS_ExposureView section;
  section.setFullHeight(120);
  section.setCloseHeight(24);
  section.setHasHighQualityPopup(true);
  section.setHidden(true);
  EXPECT_EQ(section.getFullHeight(), 120);
  EXPECT_EQ(section.getCloseHeight(), 24);
  EXPECT_TRUE(section.hasHighQualityPopup());
  EXPECT_TRUE(section.isHidden());
  section.setItem(&row, fnd::Rect(1, 2, 3, 4));
  EXPECT_EQ(row.superview(), section.getView());
}
