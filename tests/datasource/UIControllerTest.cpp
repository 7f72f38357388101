#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "Doubles.h"
#include "datasource/Payload.h"
#include "datasource/UIController.h"
#include "foundation/NotificationCenter.h"
#include "foundation/RunLoop.h"

using dstest::FakeRoot;
using dstest::FakeRootFactory;
using dstest::pumpUntil;

namespace {

class UIControllerTest : public ::testing::Test {
 protected:
  void SetUp() override { root = static_cast<FakeRoot*>(ui.initUIM(3)); }
  void TearDown() override {
    // Nothing a test queued may run into the next test.
    pumpUntil([&] { return ui.pendingCount() == 0; });
  }
  std::vector<std::string> calls() { return factory.log->snapshot(); }

  FakeRootFactory factory;
  Dravon_UIController ui;
  FakeRoot* root = nullptr;
};

// Runs `body` on a worker thread and joins it.
void onWorker(const std::function<void()>& body) {
  std::thread t(body);
  t.join();
}

TEST_F(UIControllerTest, WorkerRequestIsQueuedAndPendingUntilTheMainThreadRunsIt) {
  ASSERT_NE(nullptr, root);
  auto dic = fnd::makeShared();
  onWorker([&] { ui.uiControlMethod(dic, 2); });
  // The worker came back before anything reached the window.
  EXPECT_EQ(0, dic->intValue(Dravon_UIController::kThreadMode));
  EXPECT_TRUE(dic->contains(Dravon_UIController::kThreadMode));
  EXPECT_FALSE(factory.log->contains("showMainWindow"));
  EXPECT_EQ(1, ui.pendingCount());
  ASSERT_TRUE(pumpUntil([&] { return ui.pendingCount() == 0; }));
  EXPECT_TRUE(factory.log->contains("showMainWindow"));
}

TEST_F(UIControllerTest, MainThreadRequestRunsAfterTheWorkerRequestsStillPending) {
  onWorker([&] {
    ui.uiControlMethod(nullptr, 1);
    ui.uiControlMethod(nullptr, 2);
  });
  EXPECT_EQ(2, ui.pendingCount());
  auto dic = fnd::makeShared();
  ui.uiControlMethod(dic, 3);
  EXPECT_EQ(1, dic->intValue(Dravon_UIController::kThreadMode));
  EXPECT_EQ(0, ui.pendingCount());
  const std::vector<std::string> expected{"createMainWindow", "showMainWindow", "closeMainWindow"};
  EXPECT_EQ(expected, calls());
}

TEST_F(UIControllerTest, Kind300FromWorkerAnswersOneAtOnceAndShowsTheBoxLater) {
  root->answer = [](std::int32_t) { return 2; };
  std::int32_t answer = 0;
  onWorker([&] {
    answer = ui.uiControlMessage(
        fnd::makeShared({{"ErrorID", 1205}, {"ErrorNum1", 4}, {"ErrorNum2", 5}, {"ErrorNum3", 6}}), 300);
  });
  EXPECT_EQ(1, answer);
  EXPECT_TRUE(calls().empty());
  ASSERT_TRUE(pumpUntil([&] { return ui.pendingCount() == 0; }));
  EXPECT_EQ(std::vector<std::string>{"showMessage:1205,4,5,6"}, calls());
}

TEST_F(UIControllerTest, Kind302FromWorkerWaitsForTheUsersAnswer) {
  std::atomic<bool> shown{false};
  root->answer = [&](std::int32_t) {
    shown = true;
    return 2;
  };
  std::atomic<bool> done{false};
  std::atomic<bool> shownBeforeReturn{false};
  std::int32_t answer = 0;
  std::thread worker([&] {
    answer = ui.uiControlMessage(fnd::makeShared({{"ErrorID", 1104}}), 302);
    shownBeforeReturn = shown.load();
    done = true;
  });
  ASSERT_TRUE(pumpUntil([&] { return done.load(); }));
  worker.join();
  EXPECT_TRUE(shownBeforeReturn);
  EXPECT_EQ(2, answer);
}

TEST_F(UIControllerTest, MessagesOnTheMainThreadRunAtOnceAndAnswerTheButton) {
  root->answer = [](std::int32_t n) { return n == 1 ? 5 : 2; };
  EXPECT_EQ(5, ui.uiControlMessage(fnd::makeShared({{"ErrorID", 1}}), 300));
  EXPECT_EQ(2, ui.uiControlMessage(fnd::makeShared({{"ErrorID", 9}}), 302));
  EXPECT_EQ(7, ui.uiControlMessage(nullptr, 303));
  EXPECT_EQ(8, ui.uiControlMessage(nullptr, 304));
  EXPECT_EQ(9, ui.uiControlMessage(nullptr, 305));
  auto dic = fnd::makeShared({{"ErrorID", 1712}, {"ErrorType", 1}});
  EXPECT_EQ(2, ui.uiControlMessage(dic, 301));
  EXPECT_EQ(2, dic->intValue(Dravon_UIController::kReturnValue));
  EXPECT_TRUE(factory.log->contains("showNetworkErrorMessage:1712,0,0,0,1"));
}

// Every KIND reaches its own root operation, from the main thread and from a worker.
TEST_F(UIControllerTest, EveryKindReachesItsRootOperation) {
  ui.initConnectWin();
  struct Case {
    int kind;
    const char* call;
  };
  const Case methods[] = {
      {0, "setTWAINRequest"}, {1, "createMainWindow"}, {2, "showMainWindow"}, {3, "closeMainWindow"},
      {4, "terminateMainWindow"}, {5, "activateMainWindow"}, {6, "setTWAINObject"}, {8, "setPreviewMakeSize:0,0"},
      {9, "drawPreviewArea"}, {10, "setEnableMainWindowControl"}, {11, "setDisableMainWindowControl"},
      {12, "endPreview"}, {13, "endScan"}, {100, "createProgressWindow"}, {101, "showProgressWindow"},
      {102, "closeProgressWindow"}, {103, "activateProgressWindow"}, {104, "setInformationData"},
      {105, "setPercentage:0"}, {106, "setScanningInfo:0,0,0"}, {107, "setEstimatedRemainingTime:0"},
      {109, "displayCalibrationProcWindow:0"}, {110, "closeCalibrationProcWindow"},
      {111, "displayScannerConnectWindow"}, {112, "closeScannerConnectWindow"}, {113, "displayScannerTestStatus"},
      {114, "endScannerTest"}};
  const Case notifications[] = {
      {200, "showCloseSelectWindow"}, {201, "closeCloseSelectWindow"}, {202, "showScanResultWindow"},
      {203, "addScanResultImage"}, {204, "closeScanResultWindow"}, {205, "startEventScanResultWindow"},
      {206, "enableMultiScanWindow"}, {207, "scanRetryStart"}, {208, "manualCalibrationError"},
      {209, "showMultiPagePDFPullScanEndDialog:0"}, {210, "closeMultiPagePDFPullScanEndDialog"},
      {211, "showMultiPagePDFPushScanEndDialog:0"}, {212, "closeMultiPagePDFPushScanEndDialog"},
      {213, "showSavePathWindow"}, {214, "closeSavePathWindow"}};
  const Case events[] = {{400, "attachMousedownEvent"}, {401, "scanResultMousedownEvent2"},
                         {402, "closeSelectMousedownEvent2"}, {403, "multiPagePDFPullScanEndDialogMousedownEvent"},
                         {404, "multiPagePDFPushScanEndDialogMousedownEvent"}};
  for (bool worker : {false, true}) {
    for (const Case& c : methods) {
      factory.log->clear();
      auto call = [&] { ui.uiControlMethod(nullptr, c.kind); };
      worker ? onWorker(call) : call();
      ASSERT_TRUE(pumpUntil([&] { return ui.pendingCount() == 0; }));
      EXPECT_TRUE(factory.log->contains(c.call)) << "KIND " << c.kind << (worker ? " from a worker" : "");
    }
    for (const Case& c : notifications) {
      factory.log->clear();
      auto call = [&] { EXPECT_EQ(0, ui.uiControlNotification(nullptr, c.kind)); };
      worker ? onWorker(call) : call();
      ASSERT_TRUE(pumpUntil([&] { return ui.pendingCount() == 0; }));
      EXPECT_TRUE(factory.log->contains(c.call)) << "KIND " << c.kind << (worker ? " from a worker" : "");
    }
  }
  for (const Case& c : events) {
    factory.log->clear();
    auto status = std::make_shared<Quirel_progressCancelStatus>();
    onWorker([&] { ui.uiControlEvent(status, c.kind); });
    EXPECT_TRUE(calls().empty()) << "KIND " << c.kind << " does nothing off the main thread";
    ui.uiControlEvent(status, c.kind);
    EXPECT_TRUE(factory.log->contains(c.call)) << "KIND " << c.kind;
    EXPECT_EQ(status, root->lastCancelObject);
    EXPECT_EQ(0, ui.pendingCount());
  }
}

TEST_F(UIControllerTest, UnknownKindsChangeNothing) {
  for (int kind : {-1, 14, 99, 115, 199, 215, 299, 306, 399, 405, 999, 1002}) {
    auto dic = fnd::makeShared();
    onWorker([&] {
      ui.uiControlMethod(dic, kind);
      EXPECT_EQ(0, ui.uiControlMessage(dic, kind));
      EXPECT_EQ(0, ui.uiControlNotification(dic, kind));
      ui.uiControlSystemEvent(dic, kind);
    });
    ui.uiControlMethod(dic, kind);
    ui.uiControlEvent(nullptr, kind);
    EXPECT_EQ(0, ui.pendingCount()) << kind;
    EXPECT_TRUE(dic->empty()) << kind;
  }
  EXPECT_TRUE(calls().empty());
}

TEST_F(UIControllerTest, MessageFieldInfoPassesOneToThreeNumbersAndTheCountAlwaysDrops) {
  struct Case {
    fnd::Array parameters;
    const char* expected;  // null: no call
  };
  const Case cases[] = {
      {{fnd::Value(4)}, "setMessageFieldInfo:1300,%d pages,4"},
      {{fnd::Value(4), fnd::Value(5)}, "setMessageFieldInfo:1300,%d pages,4,5"},
      {{fnd::Value(4), fnd::Value(), fnd::Value(6)}, "setMessageFieldInfo:1300,%d pages,4,0,6"},
      {{fnd::Value(1), fnd::Value(2), fnd::Value(3), fnd::Value(4)}, nullptr},
      {{}, nullptr},
  };
  for (const Case& c : cases) {
    factory.log->clear();
    onWorker([&] {
      ui.uiControlMethod(
          fnd::makeShared({{"MessageID", 1300}, {"PFormat", "%d pages"}, {"PParameter", c.parameters}}), 108);
    });
    EXPECT_EQ(1, ui.pendingCount());
    ASSERT_TRUE(pumpUntil([&] { return ui.pendingCount() == 0; }));
    if (c.expected) {
      EXPECT_EQ(std::vector<std::string>{c.expected}, calls());
    } else {
      EXPECT_TRUE(calls().empty()) << c.parameters.size() << " parameters";
    }
  }
}

TEST_F(UIControllerTest, CalibrationNoticeOfNewerModels) {
  struct Case {
    fnd::Dictionary request;
    int shown;
  };
  const Case cases[] = {
      {{{"DisplayMode", 1350}, {"ModelYear", 2010}}, 1350}, {{{"DisplayMode", 1350}, {"ModelYear", 2011}}, 1351},
      {{{"DisplayMode", 1350}}, 1350},                      {{{"DisplayMode", 1340}, {"ModelYear", 2014}}, 1340},
      {{{"ModelYear", 2014}}, 0},
  };
  for (const Case& c : cases) {
    factory.log->clear();
    ui.uiControlMethod(fnd::makeShared(c.request), 109);
    EXPECT_EQ(std::vector<std::string>{"displayCalibrationProcWindow:" + std::to_string(c.shown)}, calls());
  }
}

TEST_F(UIControllerTest, ProgressValuesAreCutToSixteenBits) {
  ui.uiControlMethod(fnd::makeShared({{"PercentVal", 65536 + 42}}), 105);
  ui.uiControlMethod(fnd::makeShared({{"NowVal", 2}, {"TotalVal", 65535}, {"SourceVal", 1}}), 106);
  const std::vector<std::string> expected{"setPercentage:42", "setScanningInfo:2,-1,1"};
  EXPECT_EQ(expected, calls());
}

TEST_F(UIControllerTest, PreviewDataIsTakenOnlyAsTypedBytes) {
  auto bytes = std::make_shared<fnd::Data>(fnd::Data{1, 2, 3, 4, 5, 6});
  ui.uiControlMethod(fnd::makeShared({{"PreviewSendSize", 4}, {"PreviewSendData", fnd::Value::object(bytes)}}), 7);
  EXPECT_EQ((std::vector<std::uint8_t>{1, 2, 3, 4}), root->previewBytes);
  // Never more than the value holds.
  ui.uiControlMethod(fnd::makeShared({{"PreviewSendSize", 100}, {"PreviewSendData", fnd::Data{9, 8}}}), 7);
  EXPECT_EQ((std::vector<std::uint8_t>{9, 8}), root->previewBytes);
  // A bare address or a wrong object type is not read.
  factory.log->clear();
  std::uint8_t raw[4] = {7, 7, 7, 7};
  ui.uiControlMethod(fnd::makeShared({{"PreviewSendSize", 4}, {"PreviewSendData", fnd::Value::pointer(raw)}}), 7);
  ui.uiControlMethod(
      fnd::makeShared({{"PreviewSendSize", 4}, {"PreviewSendData", fnd::Value::object(std::make_shared<int>(3))}}), 7);
  EXPECT_TRUE(calls().empty());
}

TEST_F(UIControllerTest, CloseProgressIsAnnouncedAlsoWithoutARoot) {
  int announced = 0;
  auto token = fnd::NotificationCenter::defaultCenter().observe(Dravon_UIController::kCloseProgressNotification, &ui,
                                                               [&](const fnd::Notification&) { ++announced; });
  ui.uiControlMethod(nullptr, 102);
  ui.releaseUIM();
  ui.uiControlMethod(nullptr, 102);
  EXPECT_EQ(2, announced);
}

TEST_F(UIControllerTest, NoSleepStartsAndStopsNest) {
  ui.uiControlSystemEvent(nullptr, 1000);
  ui.uiControlSystemEvent(nullptr, 1000);
  onWorker([&] { ui.uiControlSystemEvent(nullptr, 1001); });
  ASSERT_TRUE(pumpUntil([&] { return ui.pendingCount() == 0; }));
  EXPECT_TRUE(ui.noSleepTimerRunning());
  ui.uiControlSystemEvent(nullptr, 1001);
  EXPECT_FALSE(ui.noSleepTimerRunning());
  // A stop without a start leaves nothing behind.
  ui.uiControlSystemEvent(nullptr, 1001);
  EXPECT_FALSE(ui.noSleepTimerRunning());
  EXPECT_EQ(0, ui.noSleepTimerCounter());
}

TEST_F(UIControllerTest, MessageWithoutARootUsesATemporaryRoot) {
  ui.releaseUIM();
  factory.made.clear();
  factory.answer = [](std::int32_t) { return 4; };
  EXPECT_EQ(4, ui.uiControlMessage(fnd::makeShared({{"ErrorID", 1216}, {"ErrorNum2", 30}}), 302));
  EXPECT_EQ(std::vector<std::uint32_t>{0}, factory.made);
  EXPECT_EQ(nullptr, ui.mainRoot());
  EXPECT_TRUE(factory.log->contains("showMessage:1216,0,30,0"));
  EXPECT_TRUE(factory.log->contains("released:0"));
  factory.refuse = true;
  EXPECT_EQ(0, ui.uiControlMessage(fnd::makeShared({{"ErrorID", 1216}}), 302));
}

TEST_F(UIControllerTest, ProgressRootOfItsOwn) {
  factory.made.clear();
  Dravon_UIRoot* progress = ui.initProgress(nullptr);
  ASSERT_NE(nullptr, progress);
  EXPECT_EQ(std::vector<std::uint32_t>{1}, factory.made);
  EXPECT_EQ(progress, ui.progressRoot());
  EXPECT_NE(progress, ui.mainRoot());
  factory.log->clear();
  ui.setProgressInfo(nullptr);
  ui.uiControlMethod(nullptr, 101);
  ui.uiControlMethod(nullptr, 2);
  ui.releaseProgress();
  const std::vector<std::string> expected{"setInitSetting", "showProgressWindow", "showMainWindow", "released:1"};
  EXPECT_EQ(expected, calls());
  EXPECT_EQ(nullptr, ui.progressRoot());
  EXPECT_NE(nullptr, ui.mainRoot());
}

TEST(PayloadTest, AnswerSlotsAreTakenOnlyAsTypedIntegers) {
  auto slot = std::make_shared<int>(0);
  fnd::Dictionary typed{{"SMResult", fnd::Value::object(slot)}};
  EXPECT_EQ(slot, Dravon_Payload::resultSlot(&typed));
  int raw = 0;
  fnd::Dictionary bare{{"SMResult", fnd::Value::pointer(&raw)}};
  EXPECT_EQ(nullptr, Dravon_Payload::resultSlot(&bare));
  EXPECT_EQ(nullptr, Dravon_Payload::resultSlot(nullptr));
  fnd::Dictionary wrong{{"object", fnd::Value::object(std::make_shared<velmor::ModalAnswer>())}};
  EXPECT_FALSE(Dravon_Payload::errorInformation(&wrong).has_value());
  EXPECT_NE(nullptr, Dravon_Payload::modalAnswer(&wrong));
}

TEST_F(UIControllerTest, ReleaseLetsPendingRequestsRunFirst) {
  onWorker([&] { ui.uiControlMethod(nullptr, 4); });
  ui.releaseUIM();
  const std::vector<std::string> expected{"terminateMainWindow", "released:3"};
  EXPECT_EQ(expected, calls());
  EXPECT_EQ(nullptr, ui.mainRoot());
  EXPECT_EQ(nullptr, ui.progressRoot());
}

TEST_F(UIControllerTest, HandlersLowerTheCountEvenWithoutARoot) {
  ui.releaseUIM();
  onWorker([&] {
    ui.uiControlMethod(nullptr, 2);
    ui.uiControlNotification(nullptr, 202);
    ui.uiControlSystemEvent(nullptr, 1000);
  });
  EXPECT_EQ(3, ui.pendingCount());
  ASSERT_TRUE(pumpUntil([&] { return ui.pendingCount() == 0; }));
  ui.uiControlSystemEvent(nullptr, 1001);
}

// --- threads meeting: the worker holds the dispatcher while it waits for the main thread -------

// A worker's message request holds the dispatcher while it waits for the box; a request the
// main thread makes meanwhile must not wait for the worker (which waits for the main thread).
TEST_F(UIControllerTest, MainThreadRequestDuringAWorkersMessageFinishes) {
  root->answer = [](std::int32_t) { return 3; };
  std::atomic<bool> done{false};
  std::int32_t answer = 0;
  std::thread worker([&] {
    answer = ui.uiControlMessage(fnd::makeShared({{"ErrorID", 1221}}), 302);
    done = true;
  });
  // The worker has queued its request and now waits, holding the dispatcher.
  while (ui.pendingCount() == 0 || !ui.checkProcessingStatus()) std::this_thread::yield();
  ui.uiControlMethod(nullptr, 10);
  ASSERT_TRUE(pumpUntil([&] { return done.load(); }));
  worker.join();
  EXPECT_EQ(3, answer);
  const std::vector<std::string> expected{"showMessage:1221,0,0,0", "setEnableMainWindowControl"};
  EXPECT_EQ(expected, calls());
}

// The main thread makes a request from inside the worker's box (a handler the dispatcher runs).
TEST_F(UIControllerTest, RequestFromInsideAQueuedHandlerRunsWithoutWaitingForItself) {
  root->answer = [&](std::int32_t) {
    ui.uiControlMethod(nullptr, 5);
    return 1;
  };
  std::atomic<bool> done{false};
  std::thread worker([&] {
    ui.uiControlMessage(fnd::makeShared({{"ErrorID", 1}}), 302);
    ui.uiControlMethod(nullptr, 2);
    done = true;
  });
  ASSERT_TRUE(pumpUntil([&] { return done.load(); }));
  worker.join();
  ASSERT_TRUE(pumpUntil([&] { return ui.pendingCount() == 0; }));
  const std::vector<std::string> calls_ = calls();
  ASSERT_GE(calls_.size(), 3u);
  EXPECT_EQ("showMessage:1,0,0,0", calls_[0]);
  EXPECT_EQ("activateMainWindow", calls_[1]);
  EXPECT_EQ("showMainWindow", calls_.back());
}

// A worker's box asked for while another window runs modally is shown when that run ends.
TEST_F(UIControllerTest, WorkerMessageDuringAModalRunIsAnsweredWhenTheRunEnds) {
  std::atomic<bool> done{false};
  std::thread worker([&] {
    ui.uiControlMessage(fnd::makeShared({{"ErrorID", 1104}}), 302);
    done = true;
  });
  while (ui.pendingCount() == 0) std::this_thread::yield();
  // The modal run ends itself after a few turns (its timer belongs to the modal mode only).
  int turns = 0;
  auto timer = fnd::Timer::create(0.001, true, [&](fnd::Timer& t) {
    if (++turns == 5) {
      t.invalidate();
      fnd::RunLoop::main().stop();
    }
  });
  fnd::RunLoop::main().addTimer(timer, fnd::RunLoopMode::ModalPanel);
  fnd::RunLoop::main().run(fnd::RunLoopMode::ModalPanel);
  EXPECT_FALSE(factory.log->contains("showMessage:1104,0,0,0"));
  EXPECT_FALSE(done.load());
  ASSERT_TRUE(pumpUntil([&] { return done.load(); }));
  worker.join();
  EXPECT_TRUE(factory.log->contains("showMessage:1104,0,0,0"));
}

// The data source closing (or the application ending) ends a worker's wait for the main thread,
// which may never come: the wait answers 0, and the request still runs if the main thread gets
// to it.
TEST_F(UIControllerTest, StoppedWaitsEndWithoutTheMainThread) {
  std::int32_t answer = -1;
  std::thread worker([&] { answer = ui.uiControlMessage(fnd::makeShared({{"ErrorID", 1205}}), 302); });
  while (ui.pendingCount() == 0) std::this_thread::yield();
  ui.stopWaiting();
  worker.join();  // without a single turn of the main loop
  EXPECT_EQ(0, answer);
  EXPECT_TRUE(calls().empty());
  ASSERT_TRUE(pumpUntil([&] { return ui.pendingCount() == 0; }));
  EXPECT_TRUE(factory.log->contains("showMessage:1205,0,0,0"));
  // Later waits do not start at all; requests that need no answer are still queued.
  onWorker([&] {
    EXPECT_EQ(0, ui.uiControlMessage(fnd::makeShared({{"ErrorID", 1206}}), 302));
    ui.uiClearCounter();
    ui.uiControlMethod(nullptr, 2);
  });
  ASSERT_TRUE(pumpUntil([&] { return ui.pendingCount() == 0; }));
  EXPECT_TRUE(factory.log->contains("showMainWindow"));

  // The notification is process-wide: the message functions' own watch sees it too, which only
  // matters to boxes asked for from worker threads (none in this suite).
  Dravon_UIController other;
  EXPECT_FALSE(other.waitsStopped());
  fnd::NotificationCenter::defaultCenter().post(Dravon_UIController::kApplicationWillTerminate, nullptr);
  EXPECT_TRUE(other.waitsStopped());
}

// Several workers and the main thread at once: every request runs once, every caller returns.
TEST_F(UIControllerTest, ManyThreadsAtOnceAllFinish) {
  std::atomic<int> finished{0};
  std::vector<std::thread> workers;
  for (int w = 0; w < 4; ++w) {
    workers.emplace_back([&, w] {
      for (int i = 0; i < 10; ++i) {
        ui.uiControlMethod(fnd::makeShared({{"PercentVal", w * 100 + i}}), 105);
        if (i % 3 == 0) ui.uiControlMessage(fnd::makeShared({{"ErrorID", w}}), 302);
        if (i % 4 == 0) ui.uiClearCounter();
      }
      ++finished;
    });
  }
  int mainRequests = 0;
  pumpUntil([&] {
    ui.uiControlMethod(nullptr, 9);
    ++mainRequests;
    return finished.load() == 4;
  });
  for (auto& t : workers) t.join();
  ASSERT_TRUE(pumpUntil([&] { return ui.pendingCount() == 0; }));
  int percentages = 0, messages = 0, draws = 0;
  for (const std::string& c : calls()) {
    percentages += c.rfind("setPercentage:", 0) == 0;
    messages += c.rfind("showMessage:", 0) == 0;
    draws += c == "drawPreviewArea";
  }
  EXPECT_EQ(40, percentages);
  EXPECT_EQ(16, messages);
  EXPECT_EQ(mainRequests, draws);
}

TEST(PerformMethodTest, NestedPumpOnTheMainThreadRunsTheCallsQueuedBehind) {
  Dravon_PerformMethod pump;
  std::vector<int> order;
  fnd::RunLoop::performOnMainThread([&] {
    order.push_back(1);
    // Inside a call the pump runs, a wait pumps again: the call queued behind must run.
    pump.performMethods();
    order.push_back(3);
  });
  fnd::RunLoop::performOnMainThread([&] { order.push_back(2); });
  pump.performMethods();
  dstest::pumpUntil([&] { return order.size() == 3; });
  EXPECT_EQ((std::vector<int>{1, 2, 3}), order);
  EXPECT_FALSE(pump.checkProcessingStatus());
}

TEST(PerformMethodTest, OffTheMainThreadNothingRuns) {
  Dravon_PerformMethod pump;
  std::atomic<bool> ran{false};
  fnd::RunLoop::performOnMainThread([&] { ran = true; });
  std::thread([&] {
    pump.performMethods();
    pump.sendAnyEvents(1);
    pump.sendAnyEvents(0);
  }).join();
  EXPECT_FALSE(ran.load());
  pump.sendAnyEvents(0);
  EXPECT_TRUE(dstest::pumpUntil([&] { return ran.load(); }));
}

}  // namespace
