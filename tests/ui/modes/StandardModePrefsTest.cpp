// The basic mode opening the real preferences dialog, answered through kit, and what closing it
// does to the frames, the preview and the scanner.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>

#include "StandardModeToolbarRig.h"
#include "TestEnvironment.h"
#include "kit/Application.h"
#include "kit/Button.h"
#include "ui/controls/CTRLS_CheckBox.h"
#include "ui/controls/CTRLS_ImageSourcePopup.h"
#include "ui/controls/CTRLS_PREFLampOffTimeTextF.h"
#include "ui/controls/CTRLS_PREFMonitorGammaTextF.h"
#include "ui/controls/CTRLS_PREFTabView.h"
#include "ui/controls/CTRLS_PushButton.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/settings/PrefsDialog.h"

namespace {

using modes_test::PostLog;
using std_actions_rig::StdActionsRig;

const std::vector<std::string> kPrefsPostNames{Quirel_PostNotification::kOverrideNotification,
                                               "disableMainWindowControlPost",
                                               "updateImageSetAllSelectedPost",
                                               "updateImageSetTemplatePost",
                                               "UpdateImageSetSelectedPost",
                                               "UpdateImageSetSelectedThumbnailPost",
                                               "updateImageSetAllSelectedThumbnailPost"};

fnd::Dictionary prefsScannerFlags() {
  return fnd::Dictionary{{"BitEnabled", true}, {"EnableLargeScan", true}, {"AlwaysAutoTone", false}, {"EnergySaveMode", true},
                         {"ScannerTest", false}, {"ScannerName", "Virtual Scanner"}};
}

struct PrefsRig : StdActionsRig {
  PrefsRig() : StdActionsRig(fnd::Array{0, 1, 4, 5, 6, 8, 10}, 1700, prefsScannerFlags()) {
    temp = testenv::freshFolder("std-prefs-temp").string();
    save = testenv::freshFolder("std-prefs-save").string();
    mode.setDefaultTempPath(temp);
    mode.setDefaultSavePath(save);
    auto profiles = std::make_shared<Quirel_ProfileCMList>();
    profiles->setInputProfileList(Quirel_ProfileCMList::Profiles{});
    profiles->setOutputProfileList(Quirel_ProfileCMList::Profiles{});
    mode.setProfileCMList(profiles);
    prefs().setTempPath(temp);
    prefs().setSavePath(save);
  }
  Quirel_PreferenceInfo& prefs() { return *mode.mPreferenceInfo; }
  // Opens the preferences from the basic tab and runs `during` on the shown dialog.
  void open(const std::function<void(Quirel_PrefsDialog&)>& during, bool autoScan = false) {
    bool shown = false;
    kit::Application::shared().onNextModalWindow([this, &during, &shown](kit::Window&) {
      shown = true;
      Quirel_PrefsDialog* dialog = mode.getPrefsDialog();
      ASSERT_NE(dialog, nullptr);
      during(*dialog);
      if (!dialog->isClosing()) {
        ADD_FAILURE() << "the dialog was left open";
        dialog->PreferenceCancelClose();
      }
    });
    mode.preferenceDialogOpen(fnd::Notification{"PrefBtnPost", nullptr, nullptr}, autoScan);
    EXPECT_TRUE(shown);
    EXPECT_EQ(mode.getPrefsDialog(), nullptr);
  }
  static void showTab(Quirel_PrefsDialog& d, Quirel_CTRLS_PREFTabView::Tab tab) {
    d.tabView()->getTabView()->selectTabViewItem(d.tabView()->tabItem(tab));
  }
  static void ok(Quirel_PrefsDialog& d) { d.okButton()->getPushBT()->performClick(); }
  // The edited copy, for values no control of this scanner offers.
  static Quirel_PreferenceInfo& edited(Quirel_PrefsDialog& d) { return const_cast<Quirel_PreferenceInfo&>(*d.getData()); }
  std::string temp, save;
};

}  // namespace

TEST(StandardModePrefs, CancelChangesAndPostsNothing) {
  PrefsRig rig;
  rig.addFrame(true)->setColorMode(4);
  rig.mode.mHasPreview = true;
  const fnd::Dictionary before = rig.prefs().getDictionary();
  PostLog log(kPrefsPostNames);
  rig.open([](Quirel_PrefsDialog& d) {
    PrefsRig::edited(d).setLampTime(d.getData()->getLampTime() + 5);
    PrefsRig::edited(d).setMonitorGamma(1.5);
    d.cancelButton()->getPushBT()->performClick();
  });
  EXPECT_TRUE(log.posts.empty());
  EXPECT_EQ(rig.prefs().getDictionary(), before);
  EXPECT_EQ(rig.mode.mCropList[0]->getColorMode(), 4);
}

TEST(StandardModePrefs, ANewLampTimeAloneTellsOnlyTheScanner) {
  PrefsRig rig;
  modes_test::RecordFiller filler;
  rig.addFrame(true);
  rig.mode.mHasPreview = true;
  rig.prefs().setLampTime(10);
  PostLog log(kPrefsPostNames);
  rig.open([](Quirel_PrefsDialog& d) {
    PrefsRig::showTab(d, Quirel_CTRLS_PREFTabView::kScanner);
    d.mOffTimeTxtF->setIntValue(20);
    d.LampOffTimeChange();
    PrefsRig::ok(d);
  });
  ASSERT_EQ(log.names(), std::vector<std::string>{"Set_ShutOffLampTime"});
  EXPECT_EQ(log.posts[0].info.intValue("ShutOffLampTime"), 20);
  EXPECT_EQ(log.posts[0].sender, &rig.controller);
  EXPECT_EQ(rig.prefs().getLampTime(), 20);
}

TEST(StandardModePrefs, SixteenBitOffLowersOnlyTheSixteenBitModes) {
  PrefsRig rig;
  rig.prefs().setBitEnabled(true);
  const int modes[] = {0, 1, 2, 3, 4, 5, 6};
  const int after[] = {0, 1, 1, 3, 3, 5, 6};
  for (int m : modes) rig.addFrame(m == 0)->setColorMode(m);
  rig.mode.mTemplateCrop->setColorMode(4);
  rig.open([](Quirel_PrefsDialog& d) {
    PrefsRig::showTab(d, Quirel_CTRLS_PREFTabView::kScan);
    d.mBitEnabledCbx->getCheckBox()->performClick();
    PrefsRig::ok(d);
  });
  ASSERT_FALSE(rig.prefs().getBitEnabled());
  std::vector<int> got;
  for (const auto& c : rig.mode.mCropList) got.push_back(c->getColorMode());
  std::sort(got.begin(), got.end());
  std::vector<int> want(std::begin(after), std::end(after));
  std::sort(want.begin(), want.end());
  EXPECT_EQ(got, want);
  EXPECT_EQ(rig.mode.mTemplateCrop->getColorMode(), 3);
}

TEST(StandardModePrefs, AMonitorGammaChangeAsksForAPreviewOnlyWhenOneExists) {
  for (bool preview : {true, false}) {
    SCOPED_TRACE(preview);
    PrefsRig rig;
    modes_test::RecordFiller filler;
    rig.addFrame(true);
    rig.mode.mHasPreview = preview;
    rig.prefs().setMonitorGamma(2.2);
    PostLog log(kPrefsPostNames);
    rig.open([](Quirel_PrefsDialog& d) {
      PrefsRig::showTab(d, Quirel_CTRLS_PREFTabView::kColorSetting);
      d.mGammaTextF->getNumberField()->setStringValue("1.8");
      d.MonitorGanmaChange();
      PrefsRig::ok(d);
    });
    EXPECT_DOUBLE_EQ(rig.prefs().getMonitorGamma(), 1.8);
    EXPECT_EQ(log.count("Preview_Scan"), preview ? 1 : 0);
    EXPECT_FALSE(rig.mode.getNeedScan());
    EXPECT_EQ(log.posts.size(), preview ? 1u : 0u);
  }
}

// Which input profile the close compares: image source 5 uses slot 2; the automatic scan of a
// film source slot 0.
TEST(StandardModePrefs, TheInputProfileComparedFollowsTheSourceAndTheAutoScanFlag) {
  struct Case {
    const char* name;
    int source;
    bool autoScan;
    int changedSlot;
    bool asks;
  };
  const Case cases[] = {{"source 5, slot 2 changed", 5, false, 2, true},
                        {"source 5, slot 1 changed", 5, false, 1, false},
                        {"auto scan, slot 2 changed", 5, true, 2, false},
                        {"auto scan, slot 0 changed", 5, true, 0, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PrefsRig rig;
    modes_test::RecordFiller filler;
    rig.mode.getImgSrcPopup()->selectAtRepresentedNumber(c.source);
    rig.mode.getImgSrcPopup()->ImgSrcPopupAction();
    ASSERT_EQ(rig.mode.getImageSource(), c.source);
    rig.mode.mHasPreview = true;
    rig.addFrame(true);
    const int colorMode = rig.mode.mTemplateCrop->getColorMode();
    rig.prefs().setColorSetting(colorMode, 1);
    for (int slot = 0; slot < 3; ++slot) rig.prefs().setInputPf_Name(slot, std::string("profile"));
    PostLog log(kPrefsPostNames);
    rig.open(
        [&c](Quirel_PrefsDialog& d) {
          PrefsRig::edited(d).setInputPf_Name(c.changedSlot, std::string("other"));
          PrefsRig::ok(d);
        },
        c.autoScan);
    EXPECT_EQ(log.count("Preview_Scan"), c.asks ? 1 : 0);
  }
}

TEST(StandardModePrefs, AnErrorCloseDisablesTheWindowOrClosesTheDriver) {
  for (int type : {2, 1, 3}) {
    SCOPED_TRACE(type);
    PrefsRig rig;
    rig.prefs().setAutoExit(1);
    PostLog log(kPrefsPostNames);
    rig.open([type](Quirel_PrefsDialog& d) { d.closePreferenceDialogWithCloseCode(0, false, true, type); });
    if (type == 2) {
      ASSERT_EQ(log.names(), std::vector<std::string>{"disableMainWindowControlPost"});
      EXPECT_EQ(log.posts[0].sender, static_cast<const void*>(static_cast<Quirel_StandardMode*>(&rig.mode)));
    } else {
      ASSERT_EQ(log.names(), std::vector<std::string>{"Click_CloseButton"});
      EXPECT_TRUE(log.posts[0].info.get("AutoExit").toBool());
    }
  }
}

TEST(StandardModePrefs, AFolderThatIsGoneBecomesTheDefaultBeforeTheDialogOpens) {
  PrefsRig rig;
  const std::string gone = (testenv::freshFolder("std-prefs-gone") / "removed").string();
  rig.prefs().setSavePath(gone);
  rig.prefs().setSavePathBookmarkURL(gone);
  std::string seen;
  rig.open([&seen](Quirel_PrefsDialog& d) {
    seen = Quirel_PrefsDialog::deleteLastSlashAtPath(d.getData()->getSavePath().value_or(""));
    d.cancelButton()->getPushBT()->performClick();
  });
  EXPECT_EQ(seen, Quirel_PrefsDialog::deleteLastSlashAtPath(rig.save));
  EXPECT_EQ(Quirel_PrefsDialog::deleteLastSlashAtPath(rig.prefs().getSavePath().value_or("")),
            Quirel_PrefsDialog::deleteLastSlashAtPath(rig.save));
}

// A new colour-management choice resets the tone and asks for a new preview; leaving "none"
// (0) for a managed choice switches automatic tone off in every frame.
TEST(StandardModePrefs, ANewColourManagementChoiceResetsToneAndAsksForAPreview) {
  for (bool preview : {true, false}) {
    SCOPED_TRACE(preview);
    PrefsRig rig;
    modes_test::RecordFiller filler;
    Quirel_CropInfo* crop = rig.addFrame(true);
    crop->setAutoTone(1);
    rig.mode.mHasPreview = preview;
    const int colorMode = rig.mode.mTemplateCrop->getColorMode();
    rig.prefs().setColorSetting(colorMode, 0);
    PostLog log(kPrefsPostNames);
    rig.open([colorMode](Quirel_PrefsDialog& d) {
      PrefsRig::edited(d).setColorSetting(colorMode, 1);
      PrefsRig::ok(d);
    });
    EXPECT_EQ(log.count("Preview_Scan"), preview ? 1 : 0);
    EXPECT_EQ(crop->getAutoTone(), preview ? 0 : 1);
  }
}
