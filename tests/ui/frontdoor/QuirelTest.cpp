// The root object: which user-interface mode the settings choose, which operations reach the
// window controller or the progress window in each mode, and the defaults without them.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "FrontDoorDoubles.h"
#include "ui/frontdoor/Quirel.h"

using namespace frontdoor_test;

namespace {

struct Root {
  Log log;
  FakeWindowController* uim = nullptr;
  FakeProgressWindow* progress = nullptr;
  std::unique_ptr<Quirel> root;

  explicit Root(bool withUim = true, bool withProgress = true) {
    auto u = withUim ? std::make_unique<FakeWindowController>(log) : nullptr;
    auto p = withProgress ? std::make_unique<FakeProgressWindow>(log) : nullptr;
    uim = u.get();
    progress = p.get();
    root = std::make_unique<Quirel>(std::move(u), std::move(p));
  }
  bool called(const std::string& line) const { return std::find(log.begin(), log.end(), line) != log.end(); }
};

}  // namespace

TEST(QuirelModes, SettingsChooseTheMode) {
  using D = fnd::Dictionary;
  struct Case {
    const char* what;
    std::optional<D> init, request;
    int mode;
    const char* shows;  // what showMainWindow reaches
  } cases[] = {
      {"nothing set", std::nullopt, std::nullopt, 0, "uim.showMainWindow"},
      {"UI-less", D{{"UILessMode", 1}}, std::nullopt, 1, "uim.startUILessScan:nil"},
      {"UI-less 2 is no UI-less", D{{"UILessMode", 2}}, D{}, 0, "uim.showMainWindow"},
      {"quiet", std::nullopt, D{{"QuietSetting", 1}}, 2, "uim.showSilentTimeSettingDialog"},
      {"auto power", D{}, D{{"AutoPowerSetting", 1}}, 3, "uim.showAutoPowerSettingDialog"},
      {"quiet and auto power", D{}, D{{"QuietSetting", 1}, {"AutoPowerSetting", 1}}, 3,
       "uim.showAutoPowerSettingDialog"},
      {"UI-less and quiet", D{{"UILessMode", 1}}, D{{"QuietSetting", 1}}, 2, "uim.showSilentTimeSettingDialog"},
      {"quiet 0", D{}, D{{"QuietSetting", 0}, {"AutoPowerSetting", 2}}, 0, "uim.showMainWindow"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Root r;
    r.root->setInitSetting(c.init ? &*c.init : nullptr);
    r.root->setTWAINRequest(c.request ? &*c.request : nullptr);
    r.root->showMainWindow();  // before createMainWindow: nothing
    EXPECT_EQ(r.root->uiMode(), -1);
    r.log.clear();
    r.root->createMainWindow();
    EXPECT_EQ(r.root->uiMode(), c.mode);
    // Only the main-window mode makes a main window.
    EXPECT_EQ(r.called("uim.createMainWindow"), c.mode == 0);
    r.log.clear();
    r.root->showMainWindow();
    EXPECT_TRUE(r.called(c.shows)) << ::testing::PrintToString(r.log);
  }
}

TEST(QuirelModes, UILessScanGetsTheRequestsScanDictionaryAndTheInitialSettings) {
  Root r;
  fnd::Dictionary init{{"UILessMode", 1}, {"Other", "x"}};
  fnd::Dictionary request{{"ScanDic", fnd::Dictionary{{"Resolution", 600}}}};
  r.root->setInitSetting(&init);
  r.root->setTWAINRequest(&request);
  init.set("Other", "changed later");  // the root keeps its own copy
  r.root->createMainWindow();
  r.log.clear();
  r.root->showMainWindow();
  EXPECT_EQ(r.log, (Log{"uim.setInitSetting:dict", "uim.startUILessScan:dict"}));
  ASSERT_NE(r.uim->lastScanDic, nullptr);
  EXPECT_EQ(r.uim->lastScanDic->intValue("Resolution"), 600);
  EXPECT_EQ(r.uim->lastInitSetting->string("Other"), "x");
}

TEST(QuirelModes, EachModeLetsThroughOnlyItsOperations) {
  enum Gate { Mode0, Modes01, AnyController, Progress };
  struct Op {
    const char* expect;
    Gate gate;
    std::function<void(Quirel&)> call;
  };
  const auto status = std::make_shared<Quirel_progressCancelStatus>();
  const fnd::Dictionary dict;
  const std::uint8_t bytes[4] = {};
  const std::vector<Op> ops = {
      {"uim.closeMainWindow", Mode0, [](Quirel& q) { q.closeMainWindow(); }},
      {"uim.activateMainWindow", Mode0, [](Quirel& q) { q.activateMainWindow(); }},
      {"uim.setEnableMainWindowControl", Mode0, [](Quirel& q) { q.setEnableMainWindowControl(); }},
      {"uim.setDisableMainWindowControl", Mode0, [](Quirel& q) { q.setDisableMainWindowControl(); }},
      {"uim.endScan", Mode0, [](Quirel& q) { q.endScan(); }},
      {"uim.scanRetryStart", Mode0, [](Quirel& q) { q.scanRetryStart(); }},
      {"uim.showScanResultWindow", Mode0, [](Quirel& q) { q.showScanResultWindow(); }},
      {"uim.addScanResultImage", Mode0, [&](Quirel& q) { q.addScanResultImage(&dict); }},
      {"uim.closeScanResultWindow", Mode0, [](Quirel& q) { q.closeScanResultWindow(); }},
      {"uim.startEventScanResultWindow", Mode0, [](Quirel& q) { q.startEventScanResultWindow(); }},
      {"uim.scanResultMousedownEvent2", Mode0, [&](Quirel& q) { q.scanResultMousedownEvent2(status); }},
      {"uim.setEnableMultiScanWindow", Mode0, [](Quirel& q) { q.enableMultiScanWindow(); }},
      {"uim.showCloseSelectWindow", Mode0, [](Quirel& q) { q.showCloseSelectWindow(); }},
      {"uim.showSavePathWindow", Mode0, [](Quirel& q) { q.showSavePathWindow(); }},
      {"uim.showSavePathModalWindow", Mode0, [](Quirel& q) { q.showSavePathModalWindow(); }},
      {"uim.closeSelectMousedownEvent2", Mode0, [&](Quirel& q) { q.closeSelectMousedownEvent2(status); }},
      {"uim.closeCloseSelectWindow", Mode0, [](Quirel& q) { q.closeCloseSelectWindow(); }},
      {"uim.closeSavePathWindow", Mode0, [](Quirel& q) { q.closeSavePathWindow(); }},
      {"uim.manualCalibrationError", Mode0, [&](Quirel& q) { q.manualCalibrationError(&dict); }},
      {"uim.displayScannerTestStatus", Mode0, [&](Quirel& q) { q.displayScannerTestStatus(&dict); }},
      {"uim.endScannerTest", Mode0, [&](Quirel& q) { q.endScannerTest(&dict); }},
      {"uim.setPreviewMakeSize:640x480", Modes01, [](Quirel& q) { q.setPreviewMakeSize(640, 480); }},
      {"uim.setPreviewData:4", Modes01, [&](Quirel& q) { q.setPreviewData(4, bytes); }},
      {"uim.drawPreviewArea", Modes01, [](Quirel& q) { q.drawPreviewArea(); }},
      {"uim.endPreview:dict", Modes01, [&](Quirel& q) { q.endPreview(&dict); }},
      {"uim.showMultiPagePDFPullScanEndDialog:3,", AnyController,
       [](Quirel& q) { q.showMultiPagePDFPullScanEndDialog(3); }},
      {"uim.multiPagePDFPullScanEndDialogMousedownEvent", AnyController,
       [&](Quirel& q) { q.multiPagePDFPullScanEndDialogMousedownEvent(status); }},
      {"uim.closeMultiPagePDFPullScanEndDialog", AnyController,
       [](Quirel& q) { q.closeMultiPagePDFPullScanEndDialog(); }},
      {"uim.showMultiPagePDFPushScanStartDialog:", AnyController,
       [](Quirel& q) { q.showMultiPagePDFPushScanStartDialog(); }},
      {"uim.showMultiPagePDFPushScanEndDialog:2,", AnyController,
       [](Quirel& q) { q.showMultiPagePDFPushScanEndDialog(2); }},
      {"uim.multiPagePDFPushScanEndDialogMousedownEvent", AnyController,
       [&](Quirel& q) { q.multiPagePDFPushScanEndDialogMousedownEvent(status); }},
      {"uim.closeMultiPagePDFPushScanEndDialog", AnyController,
       [](Quirel& q) { q.closeMultiPagePDFPushScanEndDialog(); }},
      {"uim.showAutoScanStartDialog:", AnyController, [](Quirel& q) { q.showAutoScanStartDialog(); }},
      {"progress.createProgressWindow", Progress, [](Quirel& q) { q.createProgressWindow(); }},
      {"progress.setInformationData:dict", Progress, [&](Quirel& q) { q.setInformationData(&dict); }},
      {"progress.showProgressWindow", Progress, [](Quirel& q) { q.showProgressWindow(); }},
      {"progress.activateProgressWindow", Progress, [](Quirel& q) { q.activateProgressWindow(); }},
      {"progress.setPercentage:-3", Progress, [](Quirel& q) { q.setPercentage(-3); }},
      {"progress.setScanningInfo:1,5,2", Progress, [](Quirel& q) { q.setScanningInfo(1, 5, 2); }},
      {"progress.setEstimatedRemainingTime:90", Progress, [](Quirel& q) { q.setEstimatedRemainingTime(90); }},
      {"progress.closeProgressWindow", Progress, [](Quirel& q) { q.closeProgressWindow(); }},
      {"progress.attachMousedownEvent", Progress, [&](Quirel& q) { q.attachMousedownEvent(status); }},
      {"progress.displayCalibrationProcWindow:1351", Progress, [](Quirel& q) { q.displayCalibrationProcWindow(1351); }},
      {"progress.closeCalibrationProcWindow", Progress, [](Quirel& q) { q.closeCalibrationProcWindow(); }},
      {"progress.displayScannerConnectWindow", Progress, [](Quirel& q) { q.displayScannerConnectWindow(); }},
      {"progress.closeScannerConnectWindow", Progress, [](Quirel& q) { q.closeScannerConnectWindow(); }},
  };
  using D = fnd::Dictionary;
  struct Mode {
    int mode;
    std::optional<D> init, request;
  } modes[] = {{-1, std::nullopt, std::nullopt},
               {0, D{}, D{}},
               {1, D{{"UILessMode", 1}}, D{}},
               {2, D{}, D{{"QuietSetting", 1}}},
               {3, D{}, D{{"AutoPowerSetting", 1}}}};
  for (const Mode& m : modes) {
    for (const Op& op : ops) {
      SCOPED_TRACE(std::string(op.expect) + " in mode " + std::to_string(m.mode));
      Root r;
      r.root->setInitSetting(m.init ? &*m.init : nullptr);
      r.root->setTWAINRequest(m.request ? &*m.request : nullptr);
      if (m.mode >= 0) r.root->createMainWindow();
      ASSERT_EQ(r.root->uiMode(), m.mode);
      r.log.clear();
      op.call(*r.root);
      const bool reaches = op.gate == Progress || op.gate == AnyController || (op.gate == Mode0 && m.mode == 0) ||
                           (op.gate == Modes01 && (m.mode == 0 || m.mode == 1));
      if (reaches) {
        // The call, with its arguments (the dialogs' settings argument differs by mode).
        ASSERT_EQ(r.log.size(), 1u);
        EXPECT_EQ(r.log[0].rfind(op.expect, 0), 0u) << r.log[0];
      } else {
        EXPECT_TRUE(r.log.empty()) << r.log[0];
      }
    }
  }
}

TEST(QuirelModes, TerminateEndsWhatTheModeOpened) {
  using D = fnd::Dictionary;
  struct Case {
    D init, request;
    const char* expect;
  } cases[] = {{D{}, D{}, "uim.terminateMainWindow"},
               {D{{"UILessMode", 1}}, D{}, "uim.terminateUILessScan"},
               {D{}, D{{"QuietSetting", 1}}, "uim.terminateSilentTimeSettingDialog"},
               {D{}, D{{"AutoPowerSetting", 1}}, "uim.terminateAutoPowerSettingDialog"}};
  for (const Case& c : cases) {
    Root r;
    r.root->terminateMainWindow();  // mode -1: nothing
    EXPECT_TRUE(r.log.empty());
    r.root->setInitSetting(&c.init);
    r.root->setTWAINRequest(&c.request);
    r.root->createMainWindow();
    r.log.clear();
    r.root->terminateMainWindow();
    EXPECT_EQ(r.log, Log{c.expect});
  }
}

TEST(QuirelModes, WithoutObjectsEveryOperationAnswersItsDefault) {
  Root progressOnly(false, true);  // a root made with flags 1
  Quirel& q = *progressOnly.root;
  q.createMainWindow();
  EXPECT_EQ(q.uiMode(), -1);
  q.showMainWindow();
  q.closeMainWindow();
  q.terminateMainWindow();
  q.endScan();
  q.setPreviewMakeSize(1, 1);
  EXPECT_EQ(q.showSavePathModalWindow(), 1);
  EXPECT_EQ(q.showMultiPagePDFPushScanStartDialog(), 1);
  EXPECT_EQ(q.showAutoScanStartDialog(), 1);
  EXPECT_EQ(q.showMultiPagePDFPullScanEndDialog(1), 0);
  EXPECT_EQ(q.showMultiPagePDFPushScanEndDialog(1), 0);
  EXPECT_TRUE(progressOnly.log.empty());

  Root controllerOnly(true, false);  // flags 2: progress operations go nowhere, and nothing breaks
  controllerOnly.root->showProgressWindow();
  controllerOnly.root->setMessageFieldInfo(1, "%d", {1});
  EXPECT_TRUE(controllerOnly.log.empty());

  // Answers of a controller come back in mode 0.
  Root full;
  full.root->createMainWindow();
  EXPECT_EQ(full.root->showSavePathModalWindow(), full.uim->savePathAnswer);
  EXPECT_EQ(full.root->showAutoScanStartDialog(), full.uim->autoScanAnswer);
  EXPECT_EQ(full.root->showMultiPagePDFPushScanEndDialog(2), full.uim->pushEndAnswer);
}

TEST(QuirelSettings, CopiesAreKeptAndHandedOn) {
  Root r;
  fnd::Dictionary init{{"A", 1}};
  r.root->setInitSetting(&init);
  fnd::Dictionary request{{"QuietSetting", 0}};
  r.root->setTWAINRequest(&request);
  EXPECT_EQ(r.log, (Log{"progress.setInitSetting:dict", "uim.setTWAINRequest:dict"}));
  ASSERT_TRUE(r.root->initSetting());
  EXPECT_EQ(*r.root->initSetting(), init);
  EXPECT_EQ(r.uim->lastRequest, r.root->twainRequest());
  // The multi-page dialogs get the initial settings.
  EXPECT_EQ(r.root->showMultiPagePDFPushScanStartDialog(), r.uim->pushStartAnswer);
  EXPECT_EQ(r.log.back(), "uim.showMultiPagePDFPushScanStartDialog:dict");

  r.log.clear();
  r.root->setInitSetting(nullptr);
  r.root->setTWAINRequest(nullptr);
  EXPECT_EQ(r.log, (Log{"progress.setInitSetting:nil", "uim.setTWAINRequest:nil"}));
  EXPECT_FALSE(r.root->initSetting());
}

TEST(QuirelProgress, MessageFieldGetsOnlyTheNumbersItWasGiven) {
  struct Case {
    std::optional<std::string> format;
    std::vector<std::int32_t> given, passed;
  } cases[] = {
      {std::nullopt, {1, 2}, {}},
      {"", {1}, {}},
      {"Page %d of %d", {3, 9, 27}, {3, 9}},   // two placeholders: exactly two numbers
      {"%d/%d/%d", {5}, {5}},                  // fewer numbers than placeholders: only those given
      {"%d/%d/%d", {}, {}},
      {"No number", {1}, {}},
      {"%d%d%d%d", {1, 2, 3}, {}},             // more than three placeholders: none
      {"%s and %d", {9, 8}, {9}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.format.value_or("(nil)"));
    Root r;
    r.root->setMessageFieldInfo(1317, c.format, c.given);
    EXPECT_EQ(r.log, Log{"progress.setMessageFieldInfo:1317"});
    EXPECT_EQ(r.progress->lastFormat, c.format);
    EXPECT_EQ(r.progress->lastNumbers, c.passed);
  }
}

TEST(QuirelMessages, MessagesGoToTheMessageFunctions) {
  Root r;
  EXPECT_EQ(r.root->showMessage(1640, 1, 2, 3), 0);  // nothing installed: nothing shown
  FakeMessages messages;
  messages.answer = 2;
  EXPECT_EQ(r.root->showMessage(1640, 1, 2, 3), 2);
  EXPECT_EQ(r.root->showNetworkErrorMessage(1500, 4, 5, 6, 0), 2);
  EXPECT_EQ(r.root->showNetworkErrorMessage(1501, 4, 5, 6, 1), 2);
  EXPECT_EQ(r.root->showNetworkErrorMessage(1502, 4, 5, 6, 2), 0);
  EXPECT_EQ(r.root->showMultiPagePDFPushScanAddPageDialog(), 2);
  EXPECT_EQ(messages.shown,
            (Log{"message:1640,1,2,3", "network:1500,4,5,6", "network2:1501,4,5,6", "message:1900,0,0,0"}));
}

TEST(QuirelFlags, FlagsOneAndThreeMakeTheProgressWindowAndTwoAndThreeTheWindowController) {
  for (std::uint32_t flags : {0u, 1u, 2u, 3u, 4u, 7u}) {
    SCOPED_TRACE(flags);
    Quirel q(flags);
    EXPECT_EQ(q.windowController() != nullptr, flags == 2 || flags == 3);
    EXPECT_EQ(q.progressWindow() != nullptr, flags == 1 || flags == 3);
    EXPECT_EQ(q.uiMode(), -1);
  }
  Quirel both;
  EXPECT_NE(both.windowController(), nullptr);
  EXPECT_NE(both.progressWindow(), nullptr);
  // No main window was made: the save-path question still gets the root's own answer.
  EXPECT_EQ(both.showSavePathModalWindow(), 1);
}

// The launcher asks at start-up whether a main window can be made, without making a root; the
// answer must be the one a root made for the main window gives.
TEST(QuirelModes, TheMainWindowQuestionAnswersAsARootWould) {
  const Quirel root(Quirel::kUseWindowController);
  EXPECT_EQ(Quirel::canMakeMainWindow(), root.windowController() != nullptr);
}
