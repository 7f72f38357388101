// Relays between the user interface and the scan module, through an opened data source.
#include <gtest/gtest.h>

#include "DataSourceSupport.h"
#include "ui/base/PVLanguageNum.h"
#include "ui/base/PVLocalizedBundle.h"

using namespace dstest;

namespace {

// The root call each module event ends in ("" for the scanner-connect pair, checked apart).
const std::map<std::string, std::string>& expectedRootCalls() {
  static const std::map<std::string, std::string> calls{
      {"createMainWindowPost", "createMainWindow"},
      {"showMainWindowPost", "showMainWindow"},
      {"closeMainWindowPost", "closeMainWindow"},
      {"terminateMainWindowPost", "terminateMainWindow"},
      {"setInitSettingPost", "setInitSetting"},
      {"setPreviewDataPost", "setPreviewData:3"},
      {"setPreviewMakeSizePost", "setPreviewMakeSize:0,0"},
      {"drawPreviewAreaPost", "drawPreviewArea"},
      {"endPreviewPost", "endPreview"},
      {"endScanPost", "endScan"},
      {"ManualCalibrationErrorPost", "manualCalibrationError"},
      {"createProgressWindowPost", "createProgressWindow"},
      {"showProgressWindowPost", "showProgressWindow"},
      {"closeProgressWindowPost", "closeProgressWindow"},
      {"setInformationDataPost", "setInformationData"},
      {"setPercentagePost", "setPercentage:0"},
      {"setScanningInfoPost", "setScanningInfo:0,0,0"},
      {"setEstimatedRemainingTimePost", "setEstimatedRemainingTime:0"},
      {"setMessageFieldInfoPost", "setMessageFieldInfo:0,<none>,7"},
      {"displayCalibrationProcWindowPost", "displayCalibrationProcWindow:0"},
      {"closeCalibrationProcWindowPost", "closeCalibrationProcWindow"},
      {"displayScannerConnectWindow", ""},
      {"closeScannerConnectWindow", ""},
      {"DisplayScannerTestStatusPost", "displayScannerTestStatus"},
      {"EndScannerTestPost", "endScannerTest"},
  };
  return calls;
}

// A module event's dictionary with what its handler needs to make a call.
fnd::SharedDictionary eventInfo(const std::string& name) {
  auto info = fnd::makeShared();
  if (name == "setPreviewDataPost") {
    info->set("PreviewSendSize", 3);
    info->set("PreviewSendData", fnd::Data{1, 2, 3});
  }
  if (name == "setMessageFieldInfoPost") info->set("PParameter", fnd::Array{7});
  return info;
}

}  // namespace

TEST(Relays, EachUserInterfaceRequestCallsOneScanModuleOperationWithItsArgument) {
  OpenedOnDoubles o;
  ASSERT_EQ(o.opened, 0);
  // The operation each request must reach, written out here rather than taken from the table.
  const std::map<std::string, std::string> target{
      {"Preview_Scan", "smPreviewScan"}, {"crop_Imageset2", "smCropCorrect"}, {"Auto_Crop2", "smAutoCrop"},
      {"StandardMode_Scan", "smStartScanEvent"}, {"MultiScanMode_Scan", "smStartScanEvent"},
      {"AdvancedMode_Scan", "smStartScanEvent"}, {"Zoom_Scan", "smZoomScan"},
      {"ScanModule_Backup2", "smScanModuleBackup"}, {"ScanModule_Resume2", "smScanModuleResume"},
      {"Clear_Preview", "smClearPreview"}, {"Set_User_Gamma", "smSetUserGamma"},
      {"ExecuteCalibrationPost", "smCalibration"}, {"ExecuteScannerTestPost", "smScannterTest"},
      {"Set_ShutOffLampTime", "smSetLampOff"}, {"UILessMode_Scan", "smStartScanEvent"},
      {"changeInputSourcePost", "smChangeInputSource"}, {"ExecuteHSL", "smExecuteHSL"},
      {"ResizeBitmap", "smResizeBitmap"}, {"NC_SetSilentSetting", "smSetSilentSetting"},
      {"NC_GetSilentSetting", "smGetSilentSetting"}, {"NC_SetAutoPowerOffSetting", "smSetAutoPowerOffSetting"},
      {"NC_GetAutoPowerOffSetting", "smGetAutoPowerOffSetting"}, {"NC_SetAutoPowerOnSetting", "smSetAutoPowerOnSetting"},
      {"NC_GetAutoPowerOnSetting", "smGetAutoPowerOnSetting"}};
  ASSERT_EQ(Dravon_DirectTWAIN::uiRequestRelays().size(), target.size());

  std::string seenNoteName;
  o.scan().onCall = [&](const FakeScan::Call& c) { seenNoteName = c.note ? c.note->name : std::string(); };
  int row = 0;
  for (const auto& relay : Dravon_DirectTWAIN::uiRequestRelays()) {
    SCOPED_TRACE(relay.notification);
    o.scan().clear();
    seenNoteName.clear();
    o.post(relay.notification, {{"Row", ++row}});
    const auto calls = o.scan().calls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].name, target.at(relay.notification));
    EXPECT_EQ(calls[0].argument.intValue("Row"), row);
    // "note" relays hand over the notification itself, the others only its dictionary.
    EXPECT_EQ(seenNoteName, relay.withNote ? relay.notification : "");
  }
  o.scan().onCall = nullptr;  // it writes into this scope's string

  // A request posted by anything but the root reaches nothing.
  o.scan().clear();
  int stranger = 0;
  fnd::NotificationCenter::defaultCenter().post("Preview_Scan", &stranger, fnd::makeShared());
  EXPECT_TRUE(o.scan().calls().empty());

  // Cancel reaches the module every time.
  o.post("Cancel_Scan");
  o.post("Cancel_Scan");
  EXPECT_EQ(o.scan().cancels.load(), 2);
}

TEST(Relays, EachModuleEventBecomesOneRequestOfTheDispatcher) {
  OpenedOnDoubles o;
  ASSERT_EQ(o.opened, 0);
  ASSERT_EQ(Dravon_DirectTWAIN::moduleEventRelays().size(), expectedRootCalls().size());
  for (const auto& relay : Dravon_DirectTWAIN::moduleEventRelays()) {
    SCOPED_TRACE(relay.notification);
    const std::string expected = expectedRootCalls().at(relay.notification);
    if (expected.empty()) continue;
    o.factory.log->clear();
    o.report(relay.notification, eventInfo(relay.notification));
    ASSERT_TRUE(pumpUntil([&] { return o.factory.log->contains(expected); }));
  }

  // The scanner-connect pair makes a root of its own whose Cancel reaches the module.
  const std::size_t madeBefore = o.factory.made.size();
  o.report("displayScannerConnectWindow");
  ASSERT_TRUE(pumpUntil([&] { return o.ds.connectRoot() != nullptr; }));
  EXPECT_EQ(o.factory.made.size(), madeBefore + 1);
  EXPECT_EQ(o.factory.made.back(), 1u);
  // ... and that root shows its window at once, and closes it before it goes.
  ASSERT_TRUE(pumpUntil([&] { return o.factory.log->contains("displayScannerConnectWindow"); }));
  o.scan().clear();
  fnd::NotificationCenter::defaultCenter().post("Cancel_Scan", o.ds.connectRoot()->notificationSender(), nullptr);
  EXPECT_EQ(o.scan().cancels.load(), 1);
  o.report("closeScannerConnectWindow");
  ASSERT_TRUE(pumpUntil([&] { return o.ds.connectRoot() == nullptr; }));
  EXPECT_TRUE(o.factory.log->contains("closeScannerConnectWindow"));
  EXPECT_TRUE(o.factory.log->contains("released:1"));
}

TEST(Relays, IndicatorEventsAreDroppedWhileTheIndicatorsAreOff) {
  OpenedOnDoubles o;
  ASSERT_EQ(o.opened, 0);
  o.ds.mShowIndicators = false;
  o.factory.log->clear();
  for (const auto& relay : Dravon_DirectTWAIN::moduleEventRelays()) {
    if (relay.indicators) o.report(relay.notification, eventInfo(relay.notification));
  }
  pumpUntil([&] { return o.ds.uiController()->pendingCount() == 0; });
  EXPECT_TRUE(o.factory.log->snapshot().empty());
  EXPECT_EQ(o.ds.mCreatedProgressWin.load(), 0);
  EXPECT_TRUE(o.ds.mNeedActivateWindow.load());
  EXPECT_EQ(o.ds.connectRoot(), nullptr);
}

TEST(Relays, TheFirstPercentageBringsTheProgressWindowForwardOncePerOpen) {
  OpenedOnDoubles o;
  ASSERT_EQ(o.opened, 0);
  // A percentage before any progress window activates nothing.
  o.report("setPercentagePost", fnd::makeShared(fnd::Dictionary{{"PercentVal", 5}}));
  o.report("createProgressWindowPost");
  for (int p : {10, 20, 30}) o.report("setPercentagePost", fnd::makeShared(fnd::Dictionary{{"PercentVal", p}}));
  o.report("createProgressWindowPost");
  o.report("setPercentagePost", fnd::makeShared(fnd::Dictionary{{"PercentVal", 40}}));
  ASSERT_TRUE(pumpUntil([&] { return o.factory.log->contains("setPercentage:40"); }));
  EXPECT_EQ(o.factory.log->count("activateProgressWindow"), 1);
  // The progress window disabled the main window's controls, once.
  EXPECT_EQ(o.factory.log->count("setDisableMainWindowControl"), 1);
  EXPECT_EQ(o.ds.mCreatedProgressWin.load(), 1);
}

TEST(Relays, Status1206IsShownAs1904) {
  OpenedOnDoubles o;
  ASSERT_EQ(o.opened, 0);
  for (int status : {1206, 1207}) {
    const int shown = status == 1206 ? 1904 : status;
    o.report("DisplayScannerTestStatusPost", fnd::makeShared(fnd::Dictionary{{"TestStatus", status}}));
    o.report("ManualCalibrationErrorPost", fnd::makeShared(fnd::Dictionary{{"TestStatus", status}, {"Number1", 1}}));
    ASSERT_TRUE(pumpUntil([&] { return o.factory.log->kept("manualCalibrationError").intValue("TestStatus") == shown; }));
    ASSERT_TRUE(pumpUntil([&] { return o.factory.log->kept("displayScannerTestStatus").intValue("TestStatus") == shown; }));
    EXPECT_EQ(o.factory.log->kept("manualCalibrationError").intValue("Number1"), 1);
  }
  // The calibration notice learns the model's year.
  o.report("displayCalibrationProcWindowPost", fnd::makeShared(fnd::Dictionary{{"DisplayMode", 1350}}));
  ASSERT_TRUE(pumpUntil([&] { return o.factory.log->contains("displayCalibrationProcWindow:1351"); }));
}

TEST(Relays, EndOfScanGivesTheControlsBackUnlessTheDriverIsClosing) {
  for (bool closing : {false, true}) {
    SCOPED_TRACE(closing);
    OpenedOnDoubles o;
    LauncherEar ear(&o.ds);
    o.report("createProgressWindowPost");
    if (closing) o.post("Click_CloseButton");
    o.report("endScanPost");
    ASSERT_TRUE(pumpUntil([&] { return o.factory.log->contains("endScan"); }));
    // The controls come back in a call of their own, queued after the end of the scan: wait for
    // every queued call before judging.
    pumpUntil([&] {
      return o.ds.uiController()->pendingCount() == 0 &&
             (closing || o.factory.log->contains("setEnableMainWindowControl"));
    });
    EXPECT_EQ(o.factory.log->contains("setEnableMainWindowControl"), !closing);
    EXPECT_EQ(ear.closeRequests.load(), closing ? 1 : 0);
  }
}

TEST(Relays, PreviewDataAfterTheProgramAnnouncedItsEndIsDropped) {
  OpenedOnDoubles o;
  ASSERT_EQ(o.opened, 0);
  o.report("setPreviewDataPost", eventInfo("setPreviewDataPost"));
  ASSERT_TRUE(pumpUntil([&] { return o.factory.log->contains("setPreviewData:3"); }));
  EXPECT_EQ(o.root()->previewBytes, (std::vector<std::uint8_t>{1, 2, 3}));
  postWillTerminate();
  EXPECT_TRUE(o.ds.mAppWillTerminate.load());
  o.factory.log->clear();
  o.report("setPreviewDataPost", eventInfo("setPreviewDataPost"));
  pumpUntil([&] { return o.ds.uiController()->pendingCount() == 0; });
  EXPECT_FALSE(o.factory.log->contains("setPreviewData:3"));
}

TEST(Relays, PreviewBlocksGoOnWhileTheMainThreadIsBusyButNeverPileUp) {
  OpenedOnDoubles o;
  ASSERT_EQ(o.opened, 0);
  o.factory.log->clear();
  // The module's thread sends 40 blocks of one byte each while the main thread runs nothing.
  constexpr int kBlocks = 40;
  std::atomic<int> posted{0};
  const void* sender = o.ds.scanController();
  std::thread module([&] {
    for (int i = 0; i < kBlocks; ++i) {
      auto info = fnd::makeShared();
      info->set("PreviewSendSize", 1);
      info->set("PreviewSendData", fnd::Data{static_cast<std::uint8_t>(i)});
      fnd::NotificationCenter::defaultCenter().post("setPreviewDataPost", sender, info);
      ++posted;
    }
  });
  // The first posts return without the main thread, then the posts wait for it: a few blocks
  // are on their way, never all of them.
  for (int i = 0; i < 500 && posted.load() < 2; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  const int early = posted.load();
  EXPECT_GE(early, 2);
  EXPECT_LT(early, kBlocks);
  EXPECT_LE(o.ds.uiController()->pendingCount(), early);
  EXPECT_TRUE(o.factory.log->snapshot().empty());
  // Once the main thread takes them, every block arrives, in order.
  const bool all = pumpUntil([&] { return posted.load() == kBlocks; });
  if (!all) o.ds.uiController()->stopWaiting();
  module.join();
  ASSERT_TRUE(all);
  pumpUntil([&] { return o.ds.uiController()->pendingCount() == 0; });
  EXPECT_EQ(o.factory.log->count("setPreviewData:1"), kBlocks);
  EXPECT_EQ(o.root()->previewBytes, (std::vector<std::uint8_t>{kBlocks - 1}));
}

TEST(Relays, PlainQuestionsAreAnsweredForAnySenderAndSaveInfoReachesTheLauncher) {
  OpenedOnDoubles o;
  ASSERT_EQ(o.opened, 0);
  EXPECT_EQ(Quirel_PVLanguageNum::ask(), 4);
  o.ds.setDSBundleIdentifier("org.trivolan.test");
  EXPECT_EQ(Quirel_PVLocalizedBundle::askDataSource(), "org.trivolan.test");
  // A poster of the same names whose object is no carrier is not written into.
  int notACarrier = 0;
  fnd::NotificationCenter::defaultCenter().post(Quirel_PVLanguageNum::kPostName, &notACarrier, nullptr);
  fnd::NotificationCenter::defaultCenter().post(Quirel_PVLocalizedBundle::kDataSourcePostName, &notACarrier, nullptr);
  EXPECT_EQ(notACarrier, 0);

  LauncherEar ear(&o.ds);
  auto info = fnd::makeShared(fnd::Dictionary{{"SaveFolder", "/tmp/scans"}});
  fnd::NotificationCenter::defaultCenter().post("ntfQuirel_SaveInfo", o.rootSender(), info);
  EXPECT_EQ(ear.saveInfos.load(), 1);
  EXPECT_EQ(ear.lastSaveInfo, info);  // the same dictionary
}

TEST(Relays, WithoutAScanModuleTheRequestsReachNothing) {
  Dravon_DirectTWAIN ds;
  int root = 0;
  ds.dsAddObserver(1, &root);
  ds.dsAddObserver(2, &root);
  fnd::NotificationCenter::defaultCenter().post("Preview_Scan", &root, nullptr);
  fnd::NotificationCenter::defaultCenter().post("Cancel_Scan", &root, nullptr);
  fnd::NotificationCenter::defaultCenter().post("NC_GetSilentSetting", &root, fnd::makeShared());
  SUCCEED();
}
