// The quiet-mode and auto-power dialog against a recording answerer standing where the scan
// module answers, and the preferences' Scanner tab opening it and the self-test.

#include <gtest/gtest.h>

#include "SettingsTestSupport.h"
#include "ui/settings/PVUtilityDialog.h"
#include "ui/settings/ScannerTestDialog.h"

using namespace settings_test;

namespace {

using Utility = Quirel_PVUtilityDialog;

fnd::Dictionary quietAnswer(int setting, int sh, int sm, int eh, int em) {
  return {{"FuncStatus", 0}, {"SilentSetting", setting}, {"StartHour", sh},
          {"StartMinutes", sm}, {"EndHour", eh},          {"EndMinutes", em}};
}

// A device: keeps what it is told and answers reads with it.
struct FakeDevice {
  fnd::Dictionary quiet = quietAnswer(0, 21, 0, 7, 0);
  int powerOff = 0, powerOn = 0;
  int status = 0;          // "FuncStatus" of every answer
  bool sawWaitWindow = false;
  Utility* dialog = nullptr;
  void answer(const std::string& name, fnd::Dictionary& info) {
    if (dialog && dialog->progressWindow()->silentTimeWindow())
      sawWaitWindow = sawWaitWindow || dialog->progressWindow()->silentTimeWindow()->isVisible();
    info.set("FuncStatus", status);
    if (status != 0) return;
    if (name == "NC_GetSilentSetting") {
      for (const auto& [k, v] : quiet) info.set(k, v);
    } else if (name == "NC_SetSilentSetting") {
      for (const char* k : {"SilentSetting", "StartHour", "StartMinutes", "EndHour", "EndMinutes"})
        quiet.set(k, info.get(k));
    } else if (name == "NC_GetAutoPowerOffSetting") {
      info.set("AutoPowerOffTime", powerOff);
    } else if (name == "NC_GetAutoPowerOnSetting") {
      info.set("AutoPowerOnSetting", powerOn);
    } else if (name == "NC_SetAutoPowerOffSetting") {
      powerOff = info.get("AutoPowerOffTime").toInt();
    } else if (name == "NC_SetAutoPowerOnSetting") {
      powerOn = info.get("AutoPowerOnSetting").toInt();
    }
  }
};

}  // namespace

TEST(UtilityDialog, QuietModeIsReadSetAndReadBackWithTheWaitWindow) {
  BundleAnswer bundle;
  windows_test::FakeMessages messages;
  int controller = 0;
  FakeDevice device;
  RecordingAnswerer answerer([&](const std::string& n, fnd::Dictionary& i) { device.answer(n, i); });
  auto info = scanner({{"MFP", true}, {"Ver1900Later", true}, {"SFS", false}, {"QuietModeSettingType", 2}});
  {
    Utility dialog(Utility::kQuietMode, info);
    device.dialog = &dialog;
    dialog.setNotificationSender(&controller);
    app().onNextModalWindow([&](kit::Window&) {
      EXPECT_FALSE(dialog.startPicker()->isEnabled()) << "times only with the time range";
      dialog.silentRadio()->performClickOnCell(2, 0);
      EXPECT_TRUE(dialog.startPicker()->isEnabled());
      EXPECT_EQ(dialog.startPicker()->toolTip(), "Start of the quiet hours");
      dialog.startPicker()->setTime(22, 30);
      dialog.endPicker()->setTime(6, 15);
      dialog.okButton()->performClick();
    });
    EXPECT_EQ(dialog.showUtilityDialog(), 0);
    EXPECT_TRUE(device.sawWaitWindow);
    EXPECT_FALSE(dialog.progressWindow()->silentTimeWindow() && dialog.progressWindow()->silentTimeWindow()->isVisible());
  }
  EXPECT_EQ(messages.shown, std::vector<std::string>{"message:1901,0,0,0"});
  EXPECT_EQ(answerer.names(), (std::vector<std::string>{"NC_GetSilentSetting", "NC_SetSilentSetting"}));
  for (const Request& r : answerer.requests) EXPECT_EQ(r.sender, &controller) << r.name;
  EXPECT_EQ(answerer.requests[1].sent, (fnd::Dictionary{{"SilentSetting", 2}, {"StartHour", 22}, {"StartMinutes", 30},
                                                         {"EndHour", 6}, {"EndMinutes", 15}}));
  // Read back: the controls show what was set.
  Utility again(Utility::kQuietMode, info);
  app().onNextModalWindow([&](kit::Window&) {
    EXPECT_EQ(again.silentSelected(), 2);
    EXPECT_EQ(again.silentStart(), (Utility::Time{22, 30}));
    EXPECT_EQ(again.silentEnd(), (Utility::Time{6, 15}));
    again.cancelButton()->performClick();
  });
  EXPECT_EQ(again.showUtilityDialog(), 0);
  EXPECT_EQ(answerer.requests.size(), 3u) << "Cancel sends nothing";
}

TEST(UtilityDialog, AutoPowerIsReadSetAndReadBack) {
  BundleAnswer bundle;
  windows_test::FakeMessages messages;
  FakeDevice device;
  device.powerOff = 3;
  device.powerOn = 1;
  RecordingAnswerer answerer([&](const std::string& n, fnd::Dictionary& i) { device.answer(n, i); });
  auto info = scanner({{"MFP", true}});
  Utility dialog(Utility::kAutoPower, info);
  device.dialog = &dialog;
  app().onNextModalWindow([&](kit::Window&) {
    EXPECT_EQ(dialog.powerOffPopup()->indexOfSelectedItem(), 2) << "30 minutes";
    EXPECT_EQ(dialog.powerOnPopup()->indexOfSelectedItem(), 1);
    dialog.powerOffPopup()->selectItemAtIndex(5);
    dialog.powerOnPopup()->selectItemAtIndex(0);
    dialog.okButton()->performClick();
  });
  EXPECT_EQ(dialog.showUtilityDialog(), 0);
  EXPECT_TRUE(device.sawWaitWindow);
  EXPECT_EQ(device.powerOff, 6);
  EXPECT_EQ(device.powerOn, 0);
  EXPECT_EQ(answerer.names(), (std::vector<std::string>{"NC_GetAutoPowerOffSetting", "NC_GetAutoPowerOnSetting",
                                                        "NC_SetAutoPowerOffSetting", "NC_SetAutoPowerOnSetting"}));
  for (const Request& r : answerer.requests) EXPECT_EQ(r.sender, &dialog) << "no sender set: the dialog itself";
  EXPECT_TRUE(messages.shown.empty()) << "no confirmation before 19.00";
}

TEST(UtilityDialog, FailuresAndTheSingleFunctionDevice) {
  BundleAnswer bundle;
  windows_test::FakeMessages messages;
  // A minute of 60 fails the read: -1, 1209, no window.
  {
    RecordingAnswerer answerer([](const std::string&, fnd::Dictionary& i) {
      for (const auto& [k, v] : quietAnswer(1, 21, 0, 7, 60)) i.set(k, v);
    });
    Utility dialog(Utility::kQuietMode, scanner({{"MFP", true}, {"SFS", false}}));
    const std::size_t responders = app().pendingModalResponders();
    EXPECT_EQ(dialog.showUtilityDialog(), -1);
    EXPECT_EQ(app().pendingModalResponders(), responders) << "no modal run";
    EXPECT_FALSE(dialog.window()->isVisible());
    EXPECT_EQ(messages.shown, std::vector<std::string>{"message:1209,0,0,0"});
  }
  // Not a multifunction device: power off only, and 4 selects "disabled".
  {
    messages.shown.clear();
    FakeDevice device;
    device.powerOff = 4;
    RecordingAnswerer answerer([&](const std::string& n, fnd::Dictionary& i) { device.answer(n, i); });
    Utility dialog(Utility::kAutoPower, scanner({{"MFP", false}}));
    EXPECT_EQ(dialog.powerOnPopup(), nullptr);
    app().onNextModalWindow([&](kit::Window&) {
      EXPECT_EQ(dialog.powerOffPopup()->indexOfSelectedItem(), 0);
      EXPECT_EQ(dialog.powerOffPopup()->numberOfItems(), 2);
      dialog.powerOffPopup()->selectItemAtIndex(1);
      dialog.okButton()->performClick();
    });
    EXPECT_EQ(dialog.showUtilityDialog(), 0);
    EXPECT_EQ(answerer.names(), (std::vector<std::string>{"NC_GetAutoPowerOffSetting", "NC_SetAutoPowerOffSetting"}));
    EXPECT_EQ(device.powerOff, 1);
  }
  // A failed power-off set sends no power-on; the device's failure answers 1 without a message.
  {
    messages.shown.clear();
    RecordingAnswerer answerer([](const std::string& name, fnd::Dictionary& i) {
      i.set("FuncStatus", name == "NC_SetAutoPowerOffSetting" ? 3 : 0);
      i.set("AutoPowerOffTime", 2);
      i.set("AutoPowerOnSetting", 1);
    });
    Utility dialog(Utility::kAutoPower, scanner({{"MFP", true}}));
    app().onNextModalWindow([&](kit::Window&) { dialog.okButton()->performClick(); });
    EXPECT_EQ(dialog.showUtilityDialog(), 1);
    EXPECT_EQ(answerer.names().back(), "NC_SetAutoPowerOffSetting");
    EXPECT_TRUE(messages.shown.empty());
  }
  // The two-row dialog: a device quiet within a range shows "on".
  {
    RecordingAnswerer answerer([](const std::string&, fnd::Dictionary& i) {
      for (const auto& [k, v] : quietAnswer(2, 21, 0, 7, 0)) i.set(k, v);
    });
    Utility dialog(Utility::kQuietMode, scanner({{"MFP", false}, {"SFS", false}}));
    EXPECT_EQ(dialog.silentRadio()->numberOfRows(), 2);
    app().onNextModalWindow([&](kit::Window&) {
      EXPECT_EQ(dialog.silentSelected(), 1);
      dialog.cancelButton()->performClick();
    });
    EXPECT_EQ(dialog.showUtilityDialog(), 0);
  }
}

TEST(UtilityDialog, SingleFunctionQuietModeUsesTheCallersChoice) {
  BundleAnswer bundle;
  windows_test::FakeMessages messages;
  RecordingAnswerer answerer;
  Utility dialog(Utility::kQuietMode, scanner({{"MFP", false}, {"SFS", true}, {"Ver1900Later", true}}));
  dialog.setDoNotGetSettingFromDevice(true);
  dialog.setSelectedSilentSetting(1);
  app().onNextModalWindow([&](kit::Window&) {
    EXPECT_EQ(dialog.silentSelected(), 1);
    dialog.silentRadio()->performClickOnCell(0, 0);
    dialog.okButton()->performClick();
  });
  EXPECT_EQ(dialog.showUtilityDialog(), 0);
  EXPECT_EQ(dialog.getSelectedSilentSetting(), 0);
  EXPECT_TRUE(answerer.requests.empty()) << "nothing posted either way";
  EXPECT_TRUE(messages.shown.empty()) << "no confirmation";
}

TEST(UtilityDialog, ConfirmationMessagesAsATable) {
  BundleAnswer bundle;
  struct Row {
    int type;
    fnd::Dictionary flags;
    int powerOff;
    int message;
  };
  const std::vector<Row> rows = {
      {Utility::kQuietMode, {{"SFS", true}, {"MFP", true}}, 0, 1902},
      {Utility::kQuietMode, {{"SFS", false}, {"MFP", true}}, 0, 1901},
      {Utility::kAutoPower, {{"SFS", false}, {"MFP", true}, {"SupportPortType", 0x08}}, 3, 1903},
      {Utility::kAutoPower, {{"SFS", false}, {"MFP", true}, {"SupportPortType", 0x10}}, 0, 1901},
      {Utility::kAutoPower, {{"SFS", false}, {"MFP", true}, {"SupportPortType", 0x04}}, 3, 1901},
      {Utility::kAutoPower, {{"SFS", true}, {"MFP", true}, {"SupportPortType", 0x08}}, 3, 1902},
  };
  for (const Row& r : rows) {
    windows_test::FakeMessages messages;
    fnd::Dictionary flags = r.flags;
    flags.set("Ver1900Later", true);
    FakeDevice device;
    device.powerOff = r.powerOff;
    RecordingAnswerer answerer([&](const std::string& n, fnd::Dictionary& i) { device.answer(n, i); });
    auto info = scanner(flags);
    // The port types come with the initial settings.
    const fnd::Dictionary initial{{"SupportPortType", flags.get("SupportPortType").toInt()}};
    info->setInitSettingData(&initial);
    Utility dialog(r.type, info);
    messages.answer = 0;  // Cancel in the confirmation keeps the dialog open
    bool stillOpen = false;
    app().onNextModalWindow([&](kit::Window& w) {
      dialog.okButton()->performClick();
      stillOpen = w.isVisible();
      dialog.cancelButton()->performClick();
    });
    EXPECT_EQ(dialog.showUtilityDialog(), 0);
    EXPECT_TRUE(stillOpen) << &r - rows.data();
    EXPECT_EQ(messages.shown, std::vector<std::string>{"message:" + std::to_string(r.message) + ",0,0,0"})
        << &r - rows.data();
  }
}

TEST(UtilityDialog, ScannerTabClosesThePreferencesOnDeviceAndTestFailures) {
  BundleAnswer bundle;
  windows_test::FakeMessages messages;
  int twain = 0, controller = 0;
  struct Row {
    int status;
    int errorType;
  };
  for (const Row& r : std::vector<Row>{{1, 2}, {-1, 1}}) {
    RecordingAnswerer answerer([&](const std::string&, fnd::Dictionary& i) { i.set("FuncStatus", r.status); });
    Opening o;
    o.scanner = scanner(launcherFlags());
    o.twain = &twain;
    o.uim = &controller;
    auto d = openPrefs(o);
    runPrefs(*d, [&] {
      showTab(*d, Quirel_CTRLS_PREFTabView::kScanner);
      d->mAutoPowerSettingBtn->getPushBT()->performClick();
    });
    EXPECT_TRUE(d->isErrorClose()) << r.status;
    EXPECT_FALSE(d->isOkClose());
    EXPECT_EQ(d->errorType(), r.errorType) << r.status;
    ASSERT_FALSE(answerer.requests.empty());
    EXPECT_EQ(answerer.requests[0].sender, &controller);
  }
  // A failing self-test.
  RecordingAnswerer answerer([&](const std::string& name, fnd::Dictionary&) {
    if (name == "ExecuteScannerTestPost")
      fnd::NotificationCenter::defaultCenter().post("EndScannerTestPost", &twain, fnd::makeShared({{"TestStatus", 1904}}));
  });
  Opening o;
  o.scanner = scanner(bareFlags({{"ScannerTest", true}, {"TrivoVer100Later", true}}));
  o.twain = &twain;
  o.uim = &controller;
  auto d = openPrefs(o);
  runPrefs(*d, [&] {
    showTab(*d, Quirel_CTRLS_PREFTabView::kScanner);
    app().onNextModalWindow([&](kit::Window& w) {
      auto* test = dynamic_cast<Quirel_ScannerTestDialog*>(&w);
      ASSERT_NE(test, nullptr);
      test->startButton()->performClick();
      test->clickStartBtnPerformSelector();
      EXPECT_FALSE(test->startButton()->isEnabled());
      test->closeButton()->performClick();
    });
    d->mScanTestBtn->getPushBT()->performClick();
  });
  EXPECT_TRUE(d->isErrorClose());
  EXPECT_EQ(d->errorType(), 1);
}
