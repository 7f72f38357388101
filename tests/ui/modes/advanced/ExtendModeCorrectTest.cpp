// The advanced image-settings actions through the mode object: the twelve correction pop-ups as
// one table, the unsharp/descreen notice, exposure, calibration and high quality.

#include <gtest/gtest.h>

#include "ExtendModeFlowRig.h"
#include "ui/controls/CTRLS_ExposureButton.h"
#include "ui/controls/CTRLS_ExposureField.h"
#include "ui/controls/NoFocusButton.h"
#include "ui/controls/NumberField.h"
#include "ui/model/PreferenceInfo.h"

namespace {

using namespace flow_rig;
using modes_test::PostLog;


// The pop-up offers 0 to 3 and shows `value`.
void choose(Quirel_CTRLS_PopupButton* popup, int value) {
  ASSERT_TRUE(popup);
  popup->removeAllPopupItems();
  for (int n = 0; n <= 3; ++n) popup->addPopupItemWithTitle("item " + std::to_string(n), n);
  popup->selectAtRepresentedNumber(value);
}

const std::vector<std::string> kRecompute{"UpdateImageSetSelectedPost", "updateImageSetTemplatePost",
                                          "updateImageSetAllSelectedPost"};

struct Row {
  const char* name;
  void (Quirel_ExtendMode::*action)(const fnd::Notification&);
  Quirel_CTRLS_PopupButton* (*popup)(FlowMode&);
  int (Quirel_CropInfo::*get)() const;
  bool multiCrop, clearsTone, recomputes;
};

const std::vector<Row>& rows() {
  static const std::vector<Row> table{
      {"auto tone", &Quirel_ExtendMode::autoToneChange, [](FlowMode& m) -> Quirel_CTRLS_PopupButton* { return m.mAutoTonePopup.get(); }, &Quirel_CropInfo::getAutoTone, true, true, true},
      {"colour adjustment", &Quirel_ExtendMode::colorAdjustmentChange, [](FlowMode& m) -> Quirel_CTRLS_PopupButton* { return m.mColorAdjustPopup.get(); }, &Quirel_CropInfo::getColorAdjust, false, true, true},
      {"unsharp mask", &Quirel_ExtendMode::unsharpMaskChange, [](FlowMode& m) -> Quirel_CTRLS_PopupButton* { return m.mUnsharpPopup.get(); }, &Quirel_CropInfo::getUnsharpMask, true, false, true},
      {"descreen", &Quirel_ExtendMode::descreenChange, [](FlowMode& m) -> Quirel_CTRLS_PopupButton* { return m.mDescreenPopup.get(); }, &Quirel_CropInfo::getDescreen, true, false, false},
      {"reduce dust", &Quirel_ExtendMode::reduceDustChange, [](FlowMode& m) -> Quirel_CTRLS_PopupButton* { return m.mRdcDustPopup.get(); }, &Quirel_CropInfo::getReduceDust, true, false, false},
      {"remove dust", &Quirel_ExtendMode::removeDustChange, [](FlowMode& m) -> Quirel_CTRLS_PopupButton* { return m.mRemoveDustPopup.get(); }, &Quirel_CropInfo::getRemoveDust, false, false, false},
      {"reduce dust FAU", &Quirel_ExtendMode::reduceDustFAUChange, [](FlowMode& m) -> Quirel_CTRLS_PopupButton* { return m.mReduceDustFAUPopup.get(); }, &Quirel_CropInfo::getReduceDustFAU, false, false, false},
      {"fading", &Quirel_ExtendMode::fadingCorrectChange, [](FlowMode& m) -> Quirel_CTRLS_PopupButton* { return m.mFdCorctPopup.get(); }, &Quirel_CropInfo::getFadingCorrect, true, false, true},
      {"grain", &Quirel_ExtendMode::grainCorrectChange, [](FlowMode& m) -> Quirel_CTRLS_PopupButton* { return m.mGrCorctPopup.get(); }, &Quirel_CropInfo::getGrainCorrect, true, false, false},
      {"backlight", &Quirel_ExtendMode::backlightCorrectChange, [](FlowMode& m) -> Quirel_CTRLS_PopupButton* { return m.mBlCorctPopup.get(); }, &Quirel_CropInfo::getBackLightCorrect, true, false, true},
      {"book", &Quirel_ExtendMode::bookCorrectChange, [](FlowMode& m) -> Quirel_CTRLS_PopupButton* { return m.mBookCorctPopup.get(); }, &Quirel_CropInfo::getBookCorrect, false, false, true},
  };
  return table;
}

TEST(ExtendModeCorrect, EachCorrectionReachesTheSelectedFramesOrTheTemplate) {
  for (const Row& r : rows()) {
    SCOPED_TRACE(r.name);
    FlowRig rig;
    rig.mode.mHasPreview = true;
    rig.mode.mBookCorrectMsg = false;
    auto a = rig.frame(0, 0, 100, 100, true, true);
    auto b = rig.frame(200, 0, 100, 100, true);
    auto c = rig.frame(400, 0, 100, 100, false);
    rig.mode.mFavorite = 5;
    rig.mode.mToneCurve = 6;
    choose(r.popup(rig.mode), 2);
    PostLog log(kRecompute);
    (rig.mode.*r.action)(kPress);
    EXPECT_EQ(((*a).*r.get)(), 2);
    EXPECT_EQ(((*b).*r.get)(), 2);
    EXPECT_NE(((*c).*r.get)(), 2);
    EXPECT_EQ(rig.mode.mFavorite, 0);
    EXPECT_EQ(rig.mode.mToneCurve, r.clearsTone ? 0 : 6);
    EXPECT_EQ(log.posts.size(), r.recomputes ? 1u : 0u);
    EXPECT_GT(rig.mode.refreshes, 0);

    // The same value again changes nothing and keeps the favourite.
    rig.mode.mFavorite = 7;
    (rig.mode.*r.action)(kPress);
    EXPECT_EQ(rig.mode.mFavorite, 7);

    // In the multi-crop mode the branch reaches every multi-crop frame and keeps the favourite.
    rig.mode.mMultiCrop = true;
    c->setMultiCrop(true);
    a->setMultiCrop(false);
    choose(r.popup(rig.mode), 3);
    (rig.mode.*r.action)(kPress);
    if (r.multiCrop) {
      EXPECT_EQ(((*c).*r.get)(), 3);
      EXPECT_EQ(((*a).*r.get)(), 2);
      EXPECT_EQ(rig.mode.mFavorite, 7);
    } else {
      EXPECT_NE(((*c).*r.get)(), 3);
      EXPECT_EQ(((*a).*r.get)(), 3);
      EXPECT_EQ(rig.mode.mFavorite, 0);
    }
  }
}

TEST(ExtendModeCorrect, WithoutFramesOnlyTheTemplateChanges) {
  FlowRig rig;
  choose(rig.mode.mGrCorctPopup.get(), 1);
  rig.mode.grainCorrectChange(kPress);
  EXPECT_EQ(rig.mode.mTemplateCrop->getGrainCorrect(), 1);
}

TEST(ExtendModeCorrect, UnsharpAndDescreenWarnButBothStay) {
  FlowRig rig;
  auto focus = rig.frame(0, 0, 100, 100, true, true);
  focus->setUnsharpMask(1);
  choose(rig.mode.mDescreenPopup.get(), 1);
  rig.answers.message();
  rig.mode.descreenChange(kPress);
  ASSERT_EQ(rig.port.shown.size(), 1u);
  EXPECT_EQ(rig.port.shown[0].number, 1100);
  EXPECT_EQ(focus->getDescreen(), 1);
  EXPECT_EQ(focus->getUnsharpMask(), 1);
}

TEST(ExtendModeCorrect, TheSharpeningNoticeLooksWhereTheNewCorrectionGoes) {
  struct Case {
    const char* name;
    bool unsharp;            // the unsharp pop-up changes (else the descreen pop-up)
    bool multiCrop;          // the mode is in the multi-crop mode
    bool otherOnMultiFrame;  // the frames with the other correction are multi-crop frames
    bool warns;
  };
  for (const Case& c : {Case{"unsharp over a descreened focus", true, false, false, true},
                        Case{"descreen in a multi-crop with an unsharp frame", false, true, true, true},
                        Case{"unsharp in a multi-crop with a descreened frame", true, true, true, true},
                        Case{"multi-crop, only a plain frame has it", true, true, false, false}}) {
    SCOPED_TRACE(c.name);
    FlowRig rig;
    rig.mode.mMultiCrop = c.multiCrop;
    auto focus = rig.frame(0, 0, 100, 100, true, true);
    auto setOther = [&](Quirel_CropInfo& f) { c.unsharp ? f.setDescreen(1) : f.setUnsharpMask(1); };
    // The focus always has the other correction on; in the multi-crop mode it is no multi-crop
    // frame, so only the other frames count.
    setOther(*focus);
    if (c.multiCrop) {
      for (const auto& f : {rig.frame(200, 0, 100, 100, true), rig.frame(400, 0, 100, 100, true)}) {
        f->setMultiCrop(c.otherOnMultiFrame);
        setOther(*f);
      }
    }
    rig.answers.message();
    if (c.unsharp) {
      choose(rig.mode.mUnsharpPopup.get(), 1);
      rig.mode.unsharpMaskChange(kPress);
    } else {
      choose(rig.mode.mDescreenPopup.get(), 1);
      rig.mode.descreenChange(kPress);
    }
    // Once at most, however many frames have the other correction on.
    EXPECT_EQ(rig.port.shown.size(), c.warns ? 1u : 0u);
    if (!rig.port.shown.empty()) {
      EXPECT_EQ(rig.port.shown[0].number, 1100);
    } else {
      // Use up the answer that was not needed, so it does not reach another test's window.
      rig.port.MES_ShowMessageAndNumberMainThreadMode(1100, 0, 0, 0);
    }
    EXPECT_EQ(kit::Application::shared().pendingModalResponders(), 0u);
  }
}

TEST(ExtendModeCorrect, TheExposureGroupShowsTheExposureAppliedToAllOrTheCropsOwn) {
  struct Case {
    const char* name;
    bool thumbnails;  // the film thumbnails' form (else the film preview's)
    bool hasPreview;
    bool check;
    int value;
    bool applyAll, applyCheck;
    int applyValue;
    bool boxChecked, boxEnabled;
    int fieldValue;
    bool fieldEnabled, applyOn;
  };
  for (const Case& c : {
           Case{"applied to all", false, true, false, 120, true, true, 150, true, false, 150, false, true},
           Case{"applied to all, thumbnails", true, true, false, 120, true, true, 150, true, false, 150, false, true},
           Case{"applied to all unticked, thumbnails", true, true, true, 120, true, false, 150, false, false, 100, false,
                true},
           Case{"its own, ticked", false, true, true, 120, false, false, 150, true, true, 120, true, false},
           Case{"its own, ticked, thumbnails", true, true, true, 120, false, false, 150, true, true, 120, true, false},
           Case{"its own, unticked", false, true, false, 120, false, false, 150, false, true, 100, false, false},
           Case{"its own, thumbnails without a preview", true, false, true, 120, false, false, 150, true, false, 120,
                false, false},
       }) {
    SCOPED_TRACE(c.name);
    FlowRig rig;
    rig.mode.mScanMode = c.thumbnails ? 3 : 2;
    rig.mode.mHasPreview = c.hasPreview;
    if (c.thumbnails)
      rig.mode.setValueExposureTextFS_Check(c.check, c.value, c.applyAll, c.applyCheck, c.applyValue);
    else
      rig.mode.setValueExposureTextFS(c.check, c.value, c.applyAll, c.applyCheck, c.applyValue);
    EXPECT_EQ(rig.mode.mExposureCbx->isChecked(), c.boxChecked);
    EXPECT_EQ(rig.mode.mExposureCbx->isEnabled(), c.boxEnabled);
    EXPECT_EQ(rig.mode.mExposureField->getIntValue(), c.fieldValue);
    EXPECT_EQ(rig.mode.mExposureField->getNumberTxtF()->isEnabled(), c.fieldEnabled);
    EXPECT_EQ(rig.mode.mExposureBtns->isOnState(), c.applyOn);
  }
}

TEST(ExtendModeCorrect, CopyGammaSkipsFramesWithoutTheRightColourAdjustment) {
  FlowRig rig(flowScanner({{"RACS2", true}, {"Ver1700Later", true}}));
  rig.mode.mHasPreview = true;
  auto plain = rig.frame(0, 0, 100, 100, true, true);
  auto adjusted = rig.frame(200, 0, 100, 100, true);
  adjusted->setColorAdjust(3);
  rig.mode.mToneCurve = 2;
  choose(rig.mode.mCopyGammaPopup.get(), 1);
  PostLog log(kRecompute);
  rig.mode.copyGammaChange(kPress);
  EXPECT_EQ(plain->getCopyGamma(), 0);
  EXPECT_EQ(adjusted->getCopyGamma(), 1);
  EXPECT_EQ(rig.mode.mToneCurve, 0);
  EXPECT_EQ(log.posts.size(), 1u);
}

TEST(ExtendModeCorrect, BookNoticeWhenFirstTurnedOn) {
  FlowRig rig;
  choose(rig.mode.mBookCorctPopup.get(), 1);
  rig.answers.bookNotice(true);
  rig.mode.bookCorrectChange(kPress);
  EXPECT_EQ(rig.answers.texts, std::vector<std::string>{"book"});
  EXPECT_FALSE(rig.mode.mBookCorrectMsg);
  EXPECT_EQ(rig.mode.mTemplateCrop->getBookCorrect(), 1);
}

TEST(ExtendModeCorrect, ExposureBounds) {
  struct Case {
    const char* typed;
    bool refused;
  };
  for (const Case c : {Case{"49", true}, Case{"201", true}, Case{"50", false}, Case{"200", false}}) {
    SCOPED_TRACE(c.typed);
    FlowRig rig;
    auto crop = rig.frame(0, 0, 100, 100, true, true);
    crop->setExposure(true);
    crop->setExposureValue(100);
    rig.mode.mExposureField->getNumberTxtF()->setStringValue(c.typed);
    if (c.refused) rig.answers.message();
    EXPECT_TRUE(rig.mode.typedExposureChange(false));
    EXPECT_EQ(rig.port.shown.size(), c.refused ? 1u : 0u);
    if (c.refused) {
      EXPECT_EQ(rig.port.shown[0].number, 1110);
    }
    EXPECT_EQ(crop->getExposureValue(), c.refused ? 100 : std::stoi(c.typed));
  }
  // Unchanged: false at once.
  FlowRig rig;
  rig.mode.mTemplateCrop->setExposureValue(120);
  rig.mode.mExposureField->getNumberTxtF()->setStringValue("120");
  EXPECT_FALSE(rig.mode.typedExposureChange(false));
}

TEST(ExtendModeCorrect, ExposureApplyReachesUnselectedFramesAndResetUndoesIt) {
  FlowRig rig;
  auto focus = rig.frame(0, 0, 100, 100, true, true);
  focus->setExposure(true);
  focus->setExposureValue(150);
  auto other = rig.frame(200, 0, 100, 100, false);
  rig.mode.exposureApply(kPress);
  for (const auto& c : {focus, other}) {
    EXPECT_TRUE(c->isApplyToneValueToAll());
    EXPECT_TRUE(c->isExposureOfApplyToneValueToAll());
    EXPECT_EQ(c->getExposureValueOfApplyToneValueToAll(), 150);
  }
  EXPECT_EQ(rig.mode.mExposureBtns->getApplyBT()->state(), kit::kOnState);
  rig.mode.exposureReset(kPress);
  for (const auto& c : {focus, other}) {
    EXPECT_FALSE(c->isApplyToneValueToAll());
    EXPECT_EQ(c->getExposureValueOfApplyToneValueToAll(), 100);
  }
  EXPECT_EQ(rig.mode.mExposureBtns->getApplyBT()->state(), kit::kOffState);
}

TEST(ExtendModeCorrect, CalibrationMessageByScannerAndPreview) {
  struct Case {
    const char* name;
    fnd::Dictionary scanner;
    int scanMode;
    bool preview;
    int message;  // -1: none
  };
  const std::vector<Case> cases{
      {"platen with preview", flowScanner(), 0, true, 1202},
      {"platen without", flowScanner(), 0, false, -1},
      {"film, one-frame adapter, without", flowScanner({{"OneFrameFAU", true}}), 2, false, 1280},
      {"film, one-frame adapter, with", flowScanner({{"OneFrameFAU", true}}), 2, true, 1281},
      {"film, contact sensor, with", flowScanner({{"CIS", true}}), 2, true, 1418},
      {"film, contact sensor, without", flowScanner({{"CIS", true}}), 2, false, 1415},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FlowRig rig(c.scanner);
    rig.mode.mScanMode = c.scanMode;
    rig.mode.mHasPreview = c.preview;
    PostLog log(flowNames());
    if (c.message != -1) rig.answers.message();
    rig.mode.calibrationStart(kPress);
    if (c.message == -1) {
      EXPECT_TRUE(rig.port.shown.empty());
    } else {
      ASSERT_EQ(rig.port.shown.size(), 1u);
      EXPECT_EQ(rig.port.shown[0].number, c.message);
    }
    const PostLog::Post* request = log.find("ExecuteCalibrationPost");
    ASSERT_TRUE(request);
    EXPECT_EQ(request->info.integer("CalibrationMode"), c.scanMode == 2 ? 2 : 1);
  }
}

TEST(ExtendModeCalibration, RequestAtOnceOnNewerModelsAPassLaterBefore) {
  for (bool v1400 : {true, false}) {
    SCOPED_TRACE(v1400);
    FlowRig rig(flowScanner({{"Ver1400Later", v1400}}));
    PostLog log(flowNames());
    rig.mode.calibrationStart(fnd::Notification{"press", nullptr, std::make_shared<fnd::Dictionary>(
                                                                          fnd::Dictionary{{"CalibrationMode", 1LL}})});
    EXPECT_EQ(log.count("ExecuteCalibrationPost"), v1400 ? 1 : 0);
    // The controls go off before the request and come back right after it.
    EXPECT_EQ(rig.mode.enabling, v1400 ? (std::vector<bool>{false, true}) : std::vector<bool>{false});
    fnd::RunLoop::main().runFor(fnd::RunLoopMode::Default, 0.05);
    ASSERT_EQ(log.count("ExecuteCalibrationPost"), 1);
    EXPECT_EQ(log.find("ExecuteCalibrationPost")->info.integer("CalibrationMode"), 1);
    EXPECT_TRUE(rig.port.shown.empty());
    EXPECT_EQ(rig.mode.enabling, (std::vector<bool>{false, true}));
  }
}

TEST(ExtendModeCalibration, PopupsDoNothingWithoutTheFeature) {
  for (bool feature : {false, true}) {
    SCOPED_TRACE(feature);
    FlowRig rig(flowScanner({{"AlwaysCalibration", feature}, {"HighQualityMode", feature}}));
    choose(rig.mode.mCalibrationPopup.get(), 1);
    rig.mode.mFavorite = 3;
    rig.mode.calibrationChange(kPress);
    EXPECT_EQ(rig.mode.getPreferenceInfo()->getCalibrationEveryScan() != 0, feature);
    EXPECT_EQ(rig.mode.mFavorite, feature ? 0 : 3);
    rig.mode.mFavorite = 3;
    choose(rig.mode.mHighQualityPopup.get(), 1);
    rig.mode.highQualityChange(kPress);
    EXPECT_EQ(rig.mode.mHighQualityMode, feature);
    EXPECT_EQ(rig.mode.mFavorite, feature ? 0 : 3);
  }
}

}  // namespace
