// The advanced mode's named tone settings (the pop-up, the editor run modally, the reset) and
// the preferences opened from the advanced tab, answered through kit's modal runs.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "ExtendModeWindowRig.h"
#include "TestEnvironment.h"
#include "foundation/PropertyList.h"
#include "ui/adjust/ToneSettingDialog.h"
#include "ui/adjust/ToneSettingDlgWindow.h"
#include "ui/controls/CTRLS_CheckBox.h"
#include "ui/controls/CTRLS_PopupButton.h"
#include "ui/controls/CTRLS_PushButton.h"
#include "ui/controls/CTRLS_TONESetNameTextF.h"
#include "ui/model/CropInfo.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/model/ToneSetting.h"
#include "ui/controls/CTRLS_PREFTabView.h"
#include "ui/settings/PrefsDialog.h"

namespace ext_tone_test {

using extend_rig::WindowRig;

class Peek : public extend_rig::RigMode {
 public:
  using Quirel_ExtendMode::mPrefsDialog;
  using Quirel_ExtendMode::mToneCurvePopup;
  using Quirel_ExtendMode::mToneSettingDialog;
  using Quirel_BaseScanMode::mToneSettingMsg;
};
Peek& peek(extend_rig::RigMode& m) { return static_cast<Peek&>(m); }

Quirel_ToneSetting toneWithBlack(int index, const std::string& name, int black) {
  Quirel_ToneSetting t(index, name, 3);
  HistogramValues h = t.getHistogram();
  h.black = ChannelValues{black, black, black, black};
  t.setHistogram(h);
  return t;
}

std::string fileBytes(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

struct ToneRig : WindowRig {
  std::filesystem::path folder = testenv::freshFolder("ext-tone");
  ToneRig() {
    mode.setSettingFilePath(folder.string() + "/");
    mode.mImgSrcSetting[0].colorMode[0] = 3;
  }
  void writeTones(const std::vector<Quirel_ToneSetting>& color) {
    ASSERT_TRUE(Quirel_ToneSetting::writeToFolder(folder.string(), {}, color, {}, false));
    mode.setMenuItem_ToneCurvePopupBT(3);
  }
  void choose(int n) {
    peek(mode).mToneCurvePopup->selectAtRepresentedNumber(n);
    mode.ntf_toneSettingChange({});
  }
  int blackOf(const Quirel_CropInfo& c) const { return c.getHistogram().black.master; }
};

TEST(ExtendModeTone, AStoredEntryChangesTheSelectedCropsOrTheTemplate) {
  ToneRig rig;
  auto& m = rig.mode;
  rig.writeTones({toneWithBlack(5, "Deep", 30), toneWithBlack(6, "Deeper", 60)});
  m.mFavorite = 3;
  rig.choose(5);
  EXPECT_EQ(rig.blackOf(*m.mTemplateCrop), 30);
  EXPECT_EQ(m.mToneCurve, 5);
  EXPECT_EQ(m.mFavorite, 0);
  // With frames, only the selected one takes it.
  auto a = m.addCrop(false);
  auto b = m.addCrop(true);
  rig.choose(6);
  EXPECT_EQ(rig.blackOf(*a), 0);
  EXPECT_EQ(rig.blackOf(*b), 60);
  EXPECT_EQ(rig.blackOf(*m.mTemplateCrop), 30);
  // The "none" entry changes no crop.
  rig.choose(0);
  EXPECT_EQ(rig.blackOf(*b), 60);
  EXPECT_EQ(m.mToneCurve, 0);
  // The reset returns the selected crops to the defaults and clears both choices.
  m.mToneCurve = 6;
  m.mFavorite = 2;
  m.ntf_toneSettingReset({});
  EXPECT_EQ(rig.blackOf(*b), 0);
  EXPECT_EQ(m.mToneCurve, 0);
  EXPECT_EQ(m.mFavorite, 0);
  EXPECT_EQ(peek(m).mToneCurvePopup->getRepresentedNumber(), 0);
}

TEST(ExtendModeTone, AGoneOrDamagedFileAppliesNothingAndKeepsTheChoices) {
  ToneRig rig;
  auto& m = rig.mode;
  rig.writeTones({toneWithBlack(5, "Deep", 30), toneWithBlack(6, "Deeper", 60)});
  rig.choose(5);
  m.mFavorite = 4;
  const std::filesystem::path file = Quirel_ToneSetting::filePath(rig.folder.string());
  for (const char* damage : {"", "<plist><array><dict><key>Index</key>", "not a property list"}) {
    std::filesystem::remove(file);
    if (*damage) std::ofstream(file) << damage;
    rig.choose(6);
    EXPECT_EQ(rig.blackOf(*m.mTemplateCrop), 30) << damage;
    EXPECT_EQ(m.mToneCurve, 5) << damage;
    EXPECT_EQ(m.mFavorite, 4) << damage;
    EXPECT_EQ(peek(m).mToneCurvePopup->getRepresentedNumber(), 5) << damage;
    // Reading never rewrites the file.
    if (*damage) {
      EXPECT_EQ(fileBytes(file), damage);
    } else {
      EXPECT_FALSE(std::filesystem::exists(file));
    }
  }
}

TEST(ExtendModeTone, TheEditorSelectsASavedEntryWithoutApplyingItAndCancelGivesNone) {
  ToneRig rig;
  auto& m = rig.mode;
  rig.window().makeKeyAndOrderFront();
  m.mTemplateCrop->setHistogram(toneWithBlack(0, "", 44).getHistogram());
  peek(m).mToneSettingMsg = false;  // no save notice in between
  m.setMenuItem_ToneCurvePopupBT(3);
  auto& app = kit::Application::shared();
  app.onNextModalWindow([&](kit::Window&) {
    Quirel_ToneSettingDialog* editor = peek(m).mToneSettingDialog.get();
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(m.isModal());
    kit::TextField* f = editor->nameField()->getTextF();
    editor->getWindow()->makeFirstResponder(f);
    f->replaceText("Evening");
    editor->addButton()->getPushBT()->performClick();
    editor->saveButton()->getPushBT()->performClick();
  });
  rig.choose(-1);
  EXPECT_EQ(peek(m).mToneSettingDialog, nullptr);
  EXPECT_FALSE(m.isModal());
  EXPECT_GT(m.mToneCurve, 0);
  EXPECT_EQ(peek(m).mToneCurvePopup->getRepresentedNumber(), m.mToneCurve);
  EXPECT_EQ(rig.blackOf(*m.mTemplateCrop), 44);
  const auto stored = Quirel_ToneSetting::readAll(rig.folder.string());
  ASSERT_EQ(stored.size(), 1u);
  EXPECT_EQ(stored[0].getIndex(), m.mToneCurve);

  app.onNextModalWindow([&](kit::Window&) { peek(m).mToneSettingDialog->cancelButton()->getPushBT()->performClick(); });
  rig.choose(-1);
  EXPECT_EQ(m.mToneCurve, 0);
  EXPECT_EQ(app.pendingModalResponders(), 0u);
}

// ---- preferences ----------------------------------------------------------------------------------

TEST(ExtendModePreferences, OkAdaptsTheRecordsAndAnUnusableFolderBecomesTheDefault) {
  ToneRig rig;
  auto& m = rig.mode;
  auto scanner = modes_test::scannerWith(
      {{"Ver1400Later", true}, {"Ver1500Later", true}, {"BitEnabled", true}, {"EnableLargeScan", true}});
  m.setScannerInfo(scanner);
  const std::string defaults = testenv::freshFolder("ext-prefs-default").string();
  m.setDefaultTempPath(defaults);
  m.setDefaultSavePath(defaults);
  m.getPreferenceInfo()->setBitEnabled(true);
  m.getPreferenceInfo()->setTempPath(std::string("/nonexistent/trivolan-temp"));
  m.getPreferenceInfo()->setSavePath(defaults);
  for (auto& r : m.mImgSrcSetting) {
    r.colorMode[0] = 4;
    r.colorMode[1] = 2;
    r.backlight = 3;
  }
  m.mToneCurve = 0;
  m.mTemplateCrop->setColorMode(4);
  auto& app = kit::Application::shared();
  app.onNextModalWindow([&](kit::Window&) {
    Quirel_PrefsDialog* d = peek(m).mPrefsDialog.get();
    if (!d) {
      ADD_FAILURE() << "no preferences dialog";
      return;
    }
    EXPECT_TRUE(m.isModal());
    d->tabView()->getTabView()->selectTabViewItem(d->tabView()->tabItem(Quirel_CTRLS_PREFTabView::kScan));
    if (!d->mBitEnabledCbx || !d->mEnableLargeScanCbx) {
      ADD_FAILURE() << "the scan tab's boxes are missing";
      d->PreferenceCancelClose();
      return;
    }
    d->mBitEnabledCbx->getCheckBox()->performClick();
    d->mEnableLargeScanCbx->getCheckBox()->performClick();
    d->okButton()->getPushBT()->performClick();
  });
  m.preferenceDialogOpen(nullptr, false);
  EXPECT_EQ(app.pendingModalResponders(), 0u);
  EXPECT_EQ(peek(m).mPrefsDialog, nullptr);
  EXPECT_FALSE(m.isModal());
  EXPECT_EQ(m.getPreferenceInfo()->getTempPath().value_or(""), m.getPreferenceInfo()->getSavePath().value_or("x"));
  for (const auto& r : m.getImgSrcSettings()) {
    EXPECT_EQ(r.colorMode[0], 3);
    EXPECT_EQ(r.colorMode[1], 1);
    EXPECT_EQ(r.backlight, 0);
  }
  // The scan-mode base took the edited preferences over and applied them to the crops.
  EXPECT_FALSE(m.getPreferenceInfo()->getBitEnabled());
  EXPECT_TRUE(m.getPreferenceInfo()->getEnableLargeScan());
  EXPECT_EQ(m.mTemplateCrop->getColorMode(), 3);
  // Cancel changes nothing.
  for (auto& r : m.mImgSrcSetting) r.colorMode[0] = 4;
  app.onNextModalWindow([&](kit::Window&) { peek(m).mPrefsDialog->cancelButton()->getPushBT()->performClick(); });
  m.preferenceDialogOpen(nullptr, false);
  EXPECT_EQ(m.getImgSrcSettings()[0].colorMode[0], 4);
}

}  // namespace ext_tone_test
