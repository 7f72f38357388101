// Pictures of the settings dialogs, grabbed offscreen to look at: every tab under the launcher
// and on a 14.00 scanner, the self-test after a failure, quiet mode, auto power and the sound
// chooser.

#include <gtest/gtest.h>

#include <fstream>
#include <iostream>

#include "SettingsTestSupport.h"
#include "ui/settings/PVUtilityDialog.h"
#include "ui/settings/ScannerTestDialog.h"
#include "ui/settings/SoundOpenDialog.h"

using namespace settings_test;

namespace {

std::string galleryShot(const std::string& name) { return (shotFolder() / (name + ".png")).string(); }

}  // namespace

TEST(SettingsGallery, EveryTabOfThePreferences) {
  BundleAnswer bundle;
  struct Variant {
    const char* name;
    fnd::Dictionary flags;
  };
  fnd::Dictionary v14 = launcherFlags();
  v14.set("TrivoVer100Later", false);
  for (const Variant& v : {Variant{"launcher", launcherFlags()}, Variant{"v14", v14}}) {
    Opening o;
    o.scanner = scanner(v.flags);
    o.prefs.setSaveName(std::string("scan"));
    o.prefs.setSavePath(testenv::freshFolder("gallery-save").string());
    o.prefs.setSound(true);
    o.prefs.setSoundPath(std::string("/usr/share/sounds/done.wav"));
    auto d = openPrefs(o);
    runPrefs(*d, [&] {
      kit::TabView* tabs = d->tabView()->getTabView();
      for (int i = 0; i < tabs->numberOfTabViewItems(); ++i) {
        tabs->selectTabViewItemAtIndex(i);
        const std::string png = galleryShot(std::string("prefs-") + v.name + "-" + std::to_string(i) + "-" +
                                            tabs->tabViewItemAtIndex(i)->label());
        EXPECT_TRUE(d->window()->grabToPng(png));
        std::cout << "preferences tab: " << png << std::endl;
      }
      d->cancelButton()->getPushBT()->performClick();
    });
  }
}

TEST(SettingsGallery, SelfTestAfterAFailure) {
  BundleAnswer bundle;
  int uim = 0;
  auto info = scanner({{"ScannerName", "Virtual Scanner"}});
  Quirel_ScannerTestDialog dialog(info.get(), nullptr);
  dialog.setUIMObject(&uim);
  dialog.setTimeLimitScheduler([](double, std::function<void()>) {});
  app().onNextModalWindow([&](kit::Window& w) {
    dialog.startButton()->performClick();
    fnd::NotificationCenter::defaultCenter().post(
        "EndScannerTestInnerPost", &uim,
        fnd::makeShared({{"TestStatus", 1904}, {"Number1", 0}, {"Number2", 2}, {"Number3", 0}}));
    const std::string png = galleryShot("self-test-failed");
    EXPECT_TRUE(w.grabToPng(png));
    std::cout << "self-test: " << png << std::endl;
    dialog.closeButton()->performClick();
  });
  EXPECT_EQ(dialog.runModal(), 1);
}

TEST(SettingsGallery, QuietModeAutoPowerAndTheSoundChooser) {
  BundleAnswer bundle;
  windows_test::FakeMessages messages;
  RecordingAnswerer answerer([](const std::string&, fnd::Dictionary& i) {
    for (const auto& [k, v] : fnd::Dictionary{{"FuncStatus", 0}, {"SilentSetting", 2}, {"StartHour", 22},
                                              {"StartMinutes", 30}, {"EndHour", 6}, {"EndMinutes", 15},
                                              {"AutoPowerOffTime", 3}, {"AutoPowerOnSetting", 1}})
      i.set(k, v);
  });
  for (int type : {Quirel_PVUtilityDialog::kQuietMode, Quirel_PVUtilityDialog::kAutoPower}) {
    Quirel_PVUtilityDialog dialog(type, scanner({{"MFP", true}, {"SFS", false}, {"QuietModeSettingType", 2}}));
    app().onNextModalWindow([&](kit::Window& w) {
      const std::string png = galleryShot(type == 0 ? "quiet-mode-mfp" : "auto-power-mfp");
      EXPECT_TRUE(w.grabToPng(png));
      std::cout << "device setting: " << png << std::endl;
      dialog.cancelButton()->performClick();
    });
    EXPECT_EQ(dialog.showUtilityDialog(), 0);
  }

  const auto folder = testenv::freshFolder("gallery-sounds");
  for (const char* name : {"chime.wav", "bell.aiff", "tune.mid", "notes.txt"}) std::ofstream(folder / name) << "x";
  auto chooser = Quirel_SoundOpenDialog::init();
  ASSERT_TRUE(chooser);
  chooser->openPanel()->setDirectory(folder.string());
  app().onNextModalWindow([&](kit::Window& w) {
    const std::string png = galleryShot("sound-chooser");
    EXPECT_TRUE(w.grabToPng(png));
    std::cout << "sound chooser: " << png << std::endl;
    chooser->openPanel()->cancel();
  });
  EXPECT_EQ(chooser->openPanel()->runModal(), kit::OpenPanel::kCancel);
}
