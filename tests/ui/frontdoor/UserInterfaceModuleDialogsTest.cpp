// The controller's stand-alone dialogs: the device-utility dialogs as the whole user
// interface, the multi-page PDF dialogs and the automatic-scan confirmation, and their
// "don't show again" choices in "InitSetting.xml".

#include <gtest/gtest.h>

#include "../windows/WindowDoubles.h"
#include "UserInterfaceModuleSupport.h"
#include "foundation/RunLoop.h"
#include "kit/Button.h"
#include "ui/controls/NoFocusRadioButton.h"
#include "ui/model/PreferenceInfo.h"

using namespace uim_test;

namespace {

kit::Application& dlgApp() { return kit::Application::shared(); }

void dlgRunPasses() {
  for (int i = 0; i < 3; ++i) fnd::RunLoop::main().runOnce(fnd::RunLoopMode::Default, 0.01);
}

kit::Button* dlgButtonTitled(kit::Window& window, const std::string& title) {
  return static_cast<kit::Button*>(window.contentView()->findView([&](kit::View& v) {
    auto* b = dynamic_cast<kit::Button*>(&v);
    return b && b->title() == title;
  }));
}

Quirel_NoFocusRadioButton* dlgRadio(kit::Window& window) {
  return static_cast<Quirel_NoFocusRadioButton*>(
      window.contentView()->findView([](kit::View& v) { return dynamic_cast<Quirel_NoFocusRadioButton*>(&v) != nullptr; }));
}

// A check box of a dialog window ticked.
void dlgTick(kit::Window& window) {
  kit::View* v = window.contentView()->findView([](kit::View& view) {
    auto* b = dynamic_cast<kit::Button*>(&view);
    return b && b->buttonType() == kit::ButtonType::Switch;
  });
  ASSERT_NE(v, nullptr);
  static_cast<kit::Button*>(v)->performClick();
}

// Initial settings whose model parameters are given directly.
fnd::Dictionary initWithParameters(const std::string& folder, const fnd::Dictionary& parameters) {
  fnd::Dictionary init = modelInitSetting(folder);
  init.set("Uthric", parameters);
  return init;
}

class ControllerDialogs : public ::testing::Test {
 protected:
  void TearDown() override { EXPECT_EQ(dlgApp().pendingModalResponders(), 0u); }
  DataSourceStandIn ds;
  windows_test::FakeMessages messages;
  // Answers the localisation question as the controller's own observer would.
  fnd::NotificationCenter::Token lc = fnd::NotificationCenter::defaultCenter().observe(
      Quirel_PVLocalizedBundle::kLocalizePostName, nullptr, [](const fnd::Notification& n) {
        if (auto carrier = Quirel_PVLocalizedBundle::fromLocalizeRequest(n))
          carrier->setLocalizedBundleStr(fnd::Bundle::main().identifier());
      });
};

}  // namespace

TEST_F(ControllerDialogs, PullScanEndWithTheChoiceOffAnswersWithoutAWindow) {
  const std::string folder = freshSettingsFolder("uim-pull-end");
  auto init = fnd::makeShared(modelInitSetting(folder));
  Quirel_UserInterfaceModule uim;
  EXPECT_TRUE(uim.getShowMultiPDFScanEndMsg());

  // Kind 1 asks; its box ticked and the dialog closed switches the question off.
  EXPECT_EQ(uim.showMultiPagePDFPullScanEndDialog(1, init), 0);
  ASSERT_NE(uim.getMultiPDFDialog(), nullptr);
  EXPECT_TRUE(uim.getMultiPDFDialog()->window()->isVisible());
  dlgTick(*uim.getMultiPDFDialog()->window());
  uim.closeMultiPagePDFPullScanEndDialog();
  EXPECT_EQ(uim.getMultiPDFDialog(), nullptr);
  EXPECT_FALSE(uim.getShowMultiPDFScanEndMsg());

  // The next kind 1: button 1 on the next pass, no window.
  ds.requests.clear();
  EXPECT_EQ(uim.showMultiPagePDFPullScanEndDialog(1, init), 1);
  EXPECT_EQ(uim.getMultiPDFDialog(), nullptr);
  EXPECT_EQ(ds.count(Quirel_MultiPDFDialog::kPullEndPost), 0) << "not from inside the call";
  dlgRunPasses();
  ASSERT_EQ(ds.count(Quirel_MultiPDFDialog::kPullEndPost), 1);
  EXPECT_EQ(ds.requestInfo.back().integer(Quirel_MultiPDFDialog::kButton), 1);

  // Other kinds still show theirs, and its press reaches the data source from the controller.
  EXPECT_EQ(uim.showMultiPagePDFPullScanEndDialog(0, init), 0);
  ASSERT_NE(uim.getMultiPDFDialog(), nullptr);
  auto cancel = std::make_shared<Quirel_progressCancelStatus>();
  uim.multiPagePDFPullScanEndDialogMousedownEvent(cancel);
  EXPECT_EQ(cancel->getCancelNum(), 0);
  uim.getMultiPDFDialog()->pullEndExitButton()->performClick();
  dlgRunPasses();
  EXPECT_EQ(ds.count(Quirel_MultiPDFDialog::kPullEndPost), 2);
  EXPECT_EQ(ds.requestInfo.back().integer(Quirel_MultiPDFDialog::kButton), 0);
  uim.multiPagePDFPullScanEndDialogMousedownEvent(cancel);
  EXPECT_EQ(cancel->getCancelNum(), 1);
  uim.closeMultiPagePDFPullScanEndDialog();

  // Without settings nothing is shown.
  EXPECT_EQ(uim.showMultiPagePDFPullScanEndDialog(0, nullptr), 0);
  EXPECT_EQ(uim.getMultiPDFDialog(), nullptr);
  EXPECT_EQ(uim.showMultiPagePDFPushScanEndDialog(2, nullptr), 0);
  EXPECT_EQ(uim.getMultiPDFDialog(), nullptr);
}

TEST_F(ControllerDialogs, PushScanEndShowsUntilClosed) {
  const std::string folder = freshSettingsFolder("uim-push-end");
  Quirel_UserInterfaceModule uim;
  EXPECT_EQ(uim.showMultiPagePDFPushScanEndDialog(7, fnd::makeShared(modelInitSetting(folder))), 0);
  ASSERT_NE(uim.getMultiPDFDialog(), nullptr);
  EXPECT_EQ(uim.getMultiPDFDialog()->pushEndScanPicture(), "PDF_5Button_N.tif");
  uim.getMultiPDFDialog()->pushEndScanButton()->performClick();
  dlgRunPasses();
  ASSERT_EQ(ds.count(Quirel_MultiPDFDialog::kPushEndPost), 1);
  EXPECT_EQ(ds.requestInfo.back().integer(Quirel_MultiPDFDialog::kButton), 1);
  uim.closeMultiPagePDFPushScanEndDialog();
  EXPECT_EQ(uim.getMultiPDFDialog(), nullptr);
}

TEST_F(ControllerDialogs, PushStartSwitchOffIsStoredAtOnce) {
  const std::string folder = freshSettingsFolder("uim-push-start");
  writePlist(folder + "InitSetting.xml", fnd::Dictionary{{"Mode", 2}});
  auto init = fnd::makeShared(modelInitSetting(folder));
  Quirel_UserInterfaceModule uim;
  dlgApp().onNextModalWindow([](kit::Window& w) {
    dlgTick(w);
    dlgButtonTitled(w, "OK")->performClick();
  });
  EXPECT_EQ(uim.showMultiPagePDFPushScanStartDialog(init), 1);
  const std::optional<fnd::Dictionary> stored = readPlist(folder + "InitSetting.xml");
  ASSERT_TRUE(stored);
  EXPECT_EQ(stored->integer("Mode"), 2) << "the rest of the file stays";
  EXPECT_FALSE(stored->dictionary("UIOFFMode").boolean("ShowMultiPDFScanStartMessage"));
  EXPECT_TRUE(stored->dictionary("UIOFFMode").boolean("ShowAutoScanConfirmMessage"));
  // Switched off: no window the next time.
  EXPECT_EQ(uim.showMultiPagePDFPushScanStartDialog(init), 1);
}

TEST_F(ControllerDialogs, AutoScanConfirmationOnlyWithInstalledHelp) {
  const std::string folder = freshSettingsFolder("uim-auto-scan");
  // A web-manual model: its help counts as installed.
  fnd::Dictionary parameters = modelParametersWith([](fnd::Dictionary&) {});
  parameters.set("HelpFileInfo", fnd::Dictionary{{"WEBM_CTV", "CTV=2.0"}});
  auto init = fnd::makeShared(initWithParameters(folder, parameters));
  Quirel_UserInterfaceModule uim;
  dlgApp().onNextModalWindow([](kit::Window& w) {
    dlgTick(w);
    dlgButtonTitled(w, "OK")->performClick();
  });
  EXPECT_EQ(uim.showAutoScanStartDialog(init), 1);
  const std::optional<fnd::Dictionary> stored = readPlist(folder + "InitSetting.xml");
  ASSERT_TRUE(stored);
  EXPECT_FALSE(stored->dictionary("UIOFFMode").boolean("ShowAutoScanConfirmMessage"));

  // A guide-viewer model without its viewer shows nothing.
  const std::string other = freshSettingsFolder("uim-auto-scan-viewer");
  fnd::Dictionary viewerParameters = modelParametersWith([](fnd::Dictionary& s) {
    s.set("Ver1500Later", true);
    s.set("Ver1910Later", false);
  });
  viewerParameters.set("HelpFileInfo", fnd::Dictionary{{"ManualInfoFile", other + "missing.plist"}});
  auto viewerInit = fnd::makeShared(initWithParameters(other, viewerParameters));
  Quirel_UserInterfaceModule second;
  EXPECT_EQ(second.showAutoScanStartDialog(viewerInit), 1);
  EXPECT_FALSE(readPlist(other + "InitSetting.xml"));
}

TEST_F(ControllerDialogs, QuietModeDialogAndThePreferences) {
  // A scanner-only device: the choice is the preferences', and a change is stored.
  const std::string folder = freshSettingsFolder("uim-quiet-sfs");
  auto sfs = fnd::makeShared(initWithParameters(folder, modelParametersWith([](fnd::Dictionary& s) {
    s.set("SFS", true);
    s.set("MFP", false);
  })));
  {
    Quirel_UserInterfaceModule uim;
    dlgApp().onNextModalWindow([](kit::Window& w) {
      Quirel_NoFocusRadioButton* radio = dlgRadio(w);
      ASSERT_NE(radio, nullptr);
      radio->performClickOnCell(1, 0);
      dlgButtonTitled(w, "OK")->performClick();
    });
    uim.showSilentTimeSettingDialog(sfs, nullptr);
  }
  const std::optional<fnd::Dictionary> preference = readPlist(folder + "Preference.xml");
  ASSERT_TRUE(preference) << "a changed quiet mode is written";
  {
    Quirel_UserInterfaceModule uim;
    auto info = uim.readPreferenceXMLAtPreferenceDirPath(folder, folder + "temp/", "/tmp/", "IMG", nullptr);
    EXPECT_TRUE(info->getQuietMode());
  }
  EXPECT_EQ(ds.count("NC_GetSilentSetting"), 0) << "not asked of the device";
  EXPECT_EQ(ds.count("Click_CloseButton"), 1) << "the dialog was the whole interface";

  // Any other device: the device is asked, the preferences stay untouched.
  const std::string other = freshSettingsFolder("uim-quiet-mfp");
  auto mfp = fnd::makeShared(initWithParameters(other, modelParametersWith([](fnd::Dictionary& s) {
    s.set("SFS", false);
    s.set("MFP", true);
  })));
  // The device answers its setting.
  fnd::NotificationCenter::Token device = fnd::NotificationCenter::defaultCenter().observe(
      Quirel_PostNotification::kOverrideNotification, nullptr, [](const fnd::Notification& n) {
        if (!n.userInfo || n.userInfo->string(Quirel_PostNotification::kOverrideNotificationName) != "NC_GetSilentSetting")
          return;
        for (const auto& [k, v] : fnd::Dictionary{{"FuncStatus", 0}, {"SilentSetting", 1}, {"StartHour", 21},
                                                  {"StartMinutes", 0}, {"EndHour", 7}, {"EndMinutes", 0}})
          n.userInfo->set(k, v);
      });
  Quirel_UserInterfaceModule uim;
  dlgApp().onNextModalWindow([](kit::Window& w) { dlgButtonTitled(w, "Cancel")->performClick(); });
  uim.showSilentTimeSettingDialog(mfp, nullptr);
  EXPECT_EQ(ds.count("NC_GetSilentSetting"), 1);
  EXPECT_FALSE(fs::exists(other + "Preference.xml"));
}

TEST_F(ControllerDialogs, UtilityDialogThatCannotBeBuiltClosesTheDriver) {
  const std::string folder = freshSettingsFolder("uim-utility-missing");
  Quirel_UserInterfaceModule uim;
  uim.showAutoPowerSettingDialog(nullptr, nullptr);
  EXPECT_EQ(ds.count("Click_CloseButton"), 1);
  uim.showSilentTimeSettingDialog(fnd::makeShared(initWithParameters(folder, fnd::Dictionary{{"Other", 1}})), nullptr);
  EXPECT_EQ(ds.count("Click_CloseButton"), 2);
  // The close request comes from the controller, which the root relays.
  EXPECT_EQ(ds.requests.back(), "Click_CloseButton");
}

TEST_F(ControllerDialogs, AnOpenEndOfPageDialogGoesWithTheWindow) {
  const std::string folder = freshSettingsFolder("uim-pull-end-window");
  Controller c(modelInitSetting(folder));
  ASSERT_NE(c.window(), nullptr);
  EXPECT_EQ(c->showMultiPagePDFPullScanEndDialog(1, fnd::makeShared(modelInitSetting(folder))), 0);
  ASSERT_NE(c->getMultiPDFDialog(), nullptr);
  c->terminateMainWindowMainThreadMode();
  EXPECT_EQ(c->getMultiPDFDialog(), nullptr);
  // A late activation finds no dialog holding on to the closed window.
  fnd::NotificationCenter::defaultCenter().post(Quirel_MultiPDFDialog::kAppBecomeActivePost, c->notificationSender());
}
