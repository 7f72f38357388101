#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <map>
#include <thread>

#include "Doubles.h"
#include "datasource/DirectTWAIN.h"
#include "foundation/FileManager.h"
#include "foundation/NotificationCenter.h"
#include "foundation/RunLoop.h"
#include "scanmodule/ErrorInformation.h"

using dstest::FakeRoot;
using dstest::FakeRootFactory;
using dstest::FakeScan;
using dstest::pumpUntil;

namespace {

constexpr std::uint64_t kMiB = 1048576;

class ErrorChecksTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto scanOwned = std::make_unique<FakeScan>();
    scan = scanOwned.get();
    auto ui = std::make_unique<Dravon_UIController>();
    root = static_cast<FakeRoot*>(ui->initUIM(3));
    ds.setComponents(std::move(scanOwned), std::move(ui), std::make_unique<Dravon_PerformMethod>());
    closeToken = fnd::NotificationCenter::defaultCenter().observe(
        Dravon_DirectTWAIN::kCloseDSRequestNotification, &ds, [this](const fnd::Notification&) { ++closeRequests; });
  }
  void TearDown() override { pumpUntil([&] { return ds.uiController()->pendingCount() == 0; }); }

  std::vector<std::string> calls() { return factory.log->snapshot(); }
  std::vector<std::string> messages() {
    std::vector<std::string> out;
    for (const std::string& c : calls())
      if (c.rfind("show", 0) == 0 && c.find("Message") != std::string::npos) out.push_back(c);
    return out;
  }
  // A fresh document on an open device in `state`, with the device error set.
  void prepare(std::int16_t state, std::int32_t error, std::array<std::int32_t, 3> numbers = {5, 6, 7}) {
    ds.mCurrentState = state;
    ds.mShowErrorDialog = 0;
    ds.mCalledCloseDSReq = false;
    ds.setDeviceError(error, numbers);
    factory.log->clear();
    closeRequests = 0;
  }
  static fnd::Notification report(std::int32_t error, std::array<std::int32_t, 3> numbers = {0, 0, 0}) {
    auto info = std::make_shared<velmor::ErrorInformation>(velmor::ErrorInformation{error, numbers[0], numbers[1], numbers[2]});
    return fnd::Notification{"TWAIN_ERROR_INFORMATION_OBJECT", nullptr,
                             fnd::makeShared({{"object", fnd::Value::object(info)}})};
  }

  FakeRootFactory factory;
  Dravon_DirectTWAIN ds;
  FakeScan* scan = nullptr;
  FakeRoot* root = nullptr;
  std::atomic<int> closeRequests{0};
  fnd::NotificationCenter::Token closeToken;
};

TEST_F(ErrorChecksTest, ErrorClasses) {
  const std::map<std::int32_t, std::int16_t> classes{{0, 0},    {1224, 3}, {1231, 3}, {10000, 3}, {10002, 3},
                                                     {1205, 1}, {1211, 1}, {1216, 1}, {10001, 1}, {-5, 1}};
  for (const auto& [error, cls] : classes) {
    ds.setDeviceError(error);
    EXPECT_EQ(cls, ds.dsGetErrorInfo()) << error;
  }
}

TEST_F(ErrorChecksTest, NumbersAreShownUnderTheNameThatFitsTheDevice) {
  struct Case {
    std::int32_t error;
    std::int32_t function, year, network;
    std::string shown;  // empty: nothing shown
    std::int32_t after;
  };
  const Case cases[] = {
      {10000, 1, 2010, 0, "showMessage:1231,2,111,0", 1231},
      {1249, 0, 2010, 0, "showMessage:1904,5,6,7", 1904},
      {1249, 1, 2010, 0, "showMessage:1249,5,6,7", 1249},
      {1206, 0, 2014, 0, "showMessage:1904,5,6,7", 1904},
      {1206, 0, 2013, 0, "showMessage:1206,5,6,7", 1206},
      {1206, 1, 2014, 0, "showMessage:1206,5,6,7", 1206},
      {1629, 1, 2010, 1, "showNetworkErrorMessage:1711,5,6,7,0", 1711},
      {1629, 1, 2010, 0, "showMessage:1629,5,6,7", 1629},
      {10001, 1, 2010, 0, "", 0},
      {10003, 1, 2010, 0, "", 0},
  };
  for (const Case& c : cases) {
    ds.mDeviceFunction = c.function;
    ds.mModelYear = c.year;
    ds.mNetworkSupported = c.network;
    // A transfer is under way: the message does not wait, and the check ends there.
    prepare(Dravon_DirectTWAIN::kStateTransferring, c.error);
    ds.mNeedResultWindow = true;
    ds.dsCheckError(nullptr, 1);
    if (c.shown.empty()) {
      EXPECT_TRUE(messages().empty()) << c.error;
      EXPECT_FALSE(ds.mNeedResultWindow.load()) << c.error;
    } else {
      EXPECT_EQ(std::vector<std::string>{c.shown}, messages()) << c.error;
    }
    EXPECT_EQ(c.after, ds.deviceError()) << c.error;
    EXPECT_EQ(0, closeRequests.load()) << c.error;
  }
  // 10000 is a cancel whatever it is shown as.
  prepare(Dravon_DirectTWAIN::kStateTransferring, 10000);
  ds.dsCheckError(nullptr, 1);
  EXPECT_EQ(3, ds.dsGetErrorInfo());
}

TEST_F(ErrorChecksTest, WithTheUserInterfaceOpenAShownErrorClosesTheDriver) {
  struct Case {
    std::int32_t error;
    bool imagesReady;
    std::string shown;
    std::int32_t after;
    int closes;
  };
  const Case cases[] = {
      {1205, false, "showMessage:1205,5,6,7", 1205, 1},
      {1221, true, "showMessage:1221,5,6,7", 1221, 1},
      {1104, false, "showMessage:1104,5,6,7", 0, 0},
      {1104, true, "showMessage:1104,5,6,7", 1104, 0},
      {1224, false, "showMessage:1224,5,6,7", 0, 0},
      {10002, false, "", 0, 0},
      {10002, true, "", 10002, 0},
  };
  for (const Case& c : cases) {
    prepare(Dravon_DirectTWAIN::kStateUIOpen, c.error);
    ds.mXferReady = c.imagesReady;
    ds.dsCheckError(nullptr, 1);
    if (c.shown.empty()) {
      EXPECT_TRUE(messages().empty()) << c.error;
    } else {
      EXPECT_EQ(std::vector<std::string>{c.shown}, messages()) << c.error;
    }
    EXPECT_EQ(c.after, ds.deviceError()) << c.error;
    EXPECT_EQ(c.closes, closeRequests.load()) << c.error;
  }
}

TEST_F(ErrorChecksTest, ResultWindowWishIsDroppedAndControlsComeBackAfterACancelMessage) {
  ds.dsMainWindowControl(1);
  prepare(Dravon_DirectTWAIN::kStateUIOpen, 1224);
  ds.mNeedResultWindow = true;
  ds.dsCheckError(nullptr, 1);
  EXPECT_FALSE(ds.mNeedResultWindow.load());
  EXPECT_TRUE(factory.log->contains("setEnableMainWindowControl"));
  EXPECT_EQ(0, ds.mControlMainWindow.load());
}

TEST_F(ErrorChecksTest, ControlsComeBackAfterACancelMessageWhoeverDisabledThem) {
  // The controls were disabled by the user interface, not by the data source.
  for (const std::int32_t error : {1104, 1326, 1224}) {
    for (const bool wanted : {true, false}) {
      prepare(Dravon_DirectTWAIN::kStateUIOpen, error);
      ds.mControlMainWindow = 0;
      ds.mNeedResultWindow = wanted;
      ds.dsCheckError(nullptr, 1);
      EXPECT_EQ(wanted, factory.log->contains("setEnableMainWindowControl")) << error << " " << wanted;
      EXPECT_FALSE(ds.mNeedResultWindow.load()) << error;
      EXPECT_EQ(0, ds.mControlMainWindow.load()) << error;
    }
  }
  // Enabled that way, the next scan's progress window can disable them again.
  ds.dsMainWindowControl(1);
  EXPECT_EQ(1, ds.mControlMainWindow.load());
}

TEST_F(ErrorChecksTest, BeforeTheUserInterfaceOpensErrorsAreOnlyShownFromACall) {
  prepare(Dravon_DirectTWAIN::kStateDefault, 1216, {0, 30, 0});
  ds.dsCheckError(nullptr, 0);
  EXPECT_TRUE(messages().empty());
  ds.mShowErrorDialog = 0;
  ds.dsCheckError(nullptr, 1);
  EXPECT_EQ(std::vector<std::string>{"showMessage:1216,0,30,0"}, messages());
  EXPECT_EQ(0, closeRequests.load());
}

TEST_F(ErrorChecksTest, OptionTwoKeepsLaterMessagesOfTheDocumentBack) {
  const std::array<std::int32_t, 3> none{0, 0, 0};
  EXPECT_EQ(1, ds.dsShowMessageEx(1205, {}, 1, none, 2));
  EXPECT_EQ(-1, ds.dsShowMessageEx(1221, {}, 1, none, 0));
  EXPECT_EQ(std::vector<std::string>{"showMessage:1205,0,0,0"}, messages());
  // The next document opens the way again; option 0 leaves it open.
  ds.mShowErrorDialog = 0;
  EXPECT_EQ(1, ds.dsShowMessageEx(1221, {}, 1, none, 0));
  EXPECT_EQ(1, ds.dsShowMessageEx(1222, {}, 0, none, 0));
  EXPECT_EQ(3u, messages().size());
}

TEST_F(ErrorChecksTest, NetworkAndMaintenanceMessagesBringTheirFollowUps) {
  struct Case {
    std::int32_t number;
    std::int32_t year;
    std::int32_t button;
    std::vector<std::string> shown;
  };
  const Case cases[] = {
      {1712, 2007, 2, {"showNetworkErrorMessage:1712,1,2,3,0", "showMessage:1705,0,0,0"}},
      {1712, 2009, 2, {"showNetworkErrorMessage:1712,1,2,3,0", "showMessage:1713,0,0,0"}},
      {1712, 2011, 2, {"showNetworkErrorMessage:1712,1,2,3,1", "showMessage:1715,0,0,0"}},
      {1712, 2011, 3, {"showNetworkErrorMessage:1712,1,2,3,1", "showMessage:1208,0,0,0"}},
      {1712, 2011, 1, {"showNetworkErrorMessage:1712,1,2,3,1"}},
      {9001, 2011, 2, {"showMessage:9001,1,2,3", "showMessage:1715,0,0,0"}},
      {9001, 2009, 3, {"showMessage:9001,1,2,3", "showMessage:1208,0,0,0"}},
      // An older model has nothing to follow a 2 with: the answer stands, nothing else shows.
      {9001, 2010, 2, {"showMessage:9001,1,2,3"}},
      {1205, 2011, 2, {"showMessage:1205,1,2,3"}},
  };
  for (const Case& c : cases) {
    factory.log->clear();
    ds.mModelYear = c.year;
    ds.mShowErrorDialog = 0;
    root->answer = [&](std::int32_t n) { return n == c.number ? c.button : 6; };
    const std::int32_t answer = ds.dsShowMessageEx(c.number, {}, 0, {1, 2, 3}, 0);
    EXPECT_EQ(c.shown, messages()) << c.number << " " << c.year << " " << c.button;
    EXPECT_EQ(c.shown.size() == 2 ? 6 : c.button, answer) << c.number << " " << c.year << " " << c.button;
  }
}

TEST_F(ErrorChecksTest, FreeSpaceOfTheStartUpVolumeAndOfTheTemporaryFolder) {
  std::map<std::string, std::optional<std::uint64_t>> free;
  fnd::FileManager::setFreeSpaceSource([&](const std::string& path) { return free[path]; });
  struct Case {
    std::optional<std::uint64_t> startup;
    std::string temp;
    std::optional<std::uint64_t> tempFree;
    std::uint64_t image;
    std::int32_t answer;
  };
  const Case cases[] = {
      {9 * kMiB, "", {}, 0, 255},
      {9 * kMiB, "", {}, 1, 255},
      {20 * kMiB, "", {}, 10 * kMiB, 0},
      {20 * kMiB, "", {}, 10 * kMiB + 1, 255},
      {std::nullopt, "", {}, 1, 255},
      {20 * kMiB, "/scratch", 100 * kMiB, 40 * kMiB, 0},
      {20 * kMiB, "/scratch", 2 * kMiB, 1 * kMiB, 0},
      {20 * kMiB, "/scratch", 2 * kMiB, 1 * kMiB + 1, 255},
      {20 * kMiB, "/scratch", std::nullopt, 1, 255},
      {9 * kMiB, "/scratch", 100 * kMiB, 1, 255},
      {UINT64_MAX, "", {}, UINT64_MAX / 2 + 1, 255},
  };
  for (const Case& c : cases) {
    free.clear();
    free["/"] = c.startup;
    if (!c.temp.empty()) free[c.temp] = c.tempFree;
    ds.setTempPath(c.temp);
    EXPECT_EQ(c.answer, ds.dsCheckVolumeInfo(c.image)) << c.image << " " << c.temp;
  }
  fnd::FileManager::setFreeSpaceSource({});
  ds.setTempPath({});
}

TEST_F(ErrorChecksTest, PaperReloadedStartsTheScanAgain) {
  ds.mReceivedSMnc = 3;
  prepare(Dravon_DirectTWAIN::kStateUIOpen, 1211);
  // The first "reloaded" finds the feeder still empty; the second finds paper.
  int checks = 0;
  scan->paperStatus = [&] { return ++checks == 2 ? 1 : 0; };
  ds.dsCheckError(nullptr, 1);
  const std::vector<std::string> expected{"showMessage:1211,5,6,7", "showMessage:1211,5,6,7"};
  EXPECT_EQ(expected, messages());
  EXPECT_EQ(2, scan->paperChecks.load());
  EXPECT_EQ(0, ds.deviceError());
  EXPECT_EQ(0, ds.mReceivedSMnc.load());
  EXPECT_TRUE(factory.log->contains("scanRetryStart"));
  EXPECT_EQ(0, closeRequests.load());
}

TEST_F(ErrorChecksTest, PaperNotReloadedCancelsAndClosesTheDriver) {
  prepare(Dravon_DirectTWAIN::kStateUIOpen, 1211);
  root->answer = [](std::int32_t) { return 2; };
  ds.dsCheckError(nullptr, 1);
  EXPECT_EQ(10002, ds.deviceError());
  EXPECT_EQ(3, ds.dsGetErrorInfo());
  EXPECT_EQ(0, scan->paperChecks.load());
  EXPECT_FALSE(factory.log->contains("scanRetryStart"));
  EXPECT_EQ(1, closeRequests.load());
  // In a transfer the launcher sees the cancel instead.
  prepare(Dravon_DirectTWAIN::kStateTransferring, 1211);
  std::int32_t error = 1211;
  EXPECT_EQ(0, ds.dsCheckPaper(&error));
  EXPECT_EQ(10002, error);
}

// A check from one of the data source's calls closes the progress window first and waits for
// it; the close request the scan module queued runs during the wait.
TEST_F(ErrorChecksTest, CheckFromACallWaitsUntilTheProgressWindowIsClosed) {
  auto closed = fnd::NotificationCenter::defaultCenter().observe(
      Dravon_UIController::kCloseProgressNotification, ds.uiController(),
      [this](const fnd::Notification& n) { ds.dsCloseProgressWin(n); });
  prepare(Dravon_DirectTWAIN::kStateTransferring, 1221);
  ds.mCreatedProgressWin = 1;
  ds.mTransferStartedScan = true;
  std::thread([&] { ds.uiController()->uiControlMethod(nullptr, 102); }).join();
  ds.dsCheckError(nullptr, 1);
  const std::vector<std::string> expected{"attachMousedownEvent", "closeProgressWindow", "showMessage:1221,5,6,7"};
  EXPECT_EQ(expected, calls());
  EXPECT_EQ(0, ds.mCreatedProgressWin.load());
  EXPECT_FALSE(ds.mTransferStartedScan.load());
  EXPECT_EQ(0, ds.mMainLoopCount.load());
  // With no window left to close, the wait ends at once.
  ds.uiController()->releaseUIM();
  ds.mCreatedProgressWin = 1;
  ds.mClosedProgressWin = 0;
  ds.uimCloseProgress();
  EXPECT_EQ(0, ds.mCreatedProgressWin.load());
}

// --- the scan module's reports ---------------------------------------------------------------

TEST_F(ErrorChecksTest, ReportTakenInWhileACallRunsIsOnlyStored) {
  ds.mCurrentState = Dravon_DirectTWAIN::kStateTransferring;
  ds.mMainLoopCount = 1;
  ds.smErrorWillOccur({});
  EXPECT_EQ(1, ds.mErrWillOccur.load());
  ds.smErrorInfoObject(report(1221, {1221, 1, 40}));
  EXPECT_EQ(1221, ds.deviceError());
  EXPECT_EQ((std::array<std::int32_t, 3>{1221, 1, 40}), ds.errorNumbers());
  EXPECT_EQ(0, ds.mErrWillOccur.load());
  EXPECT_TRUE(messages().empty());
  EXPECT_NE(nullptr, ds.lastErrorReport());
}

TEST_F(ErrorChecksTest, ReportPayloadsAreCheckedByType) {
  ds.mMainLoopCount = 1;
  std::int32_t raw[4] = {1221, 1, 2, 3};
  ds.smErrorInfoObject(fnd::Notification{"", nullptr, fnd::makeShared({{"object", fnd::Value::pointer(raw)}})});
  ds.smErrorInfoObject(
      fnd::Notification{"", nullptr, fnd::makeShared({{"object", fnd::Value::object(std::make_shared<int>(1221))}})});
  ds.smErrorInfoObject(fnd::Notification{});
  EXPECT_EQ(0, ds.deviceError());
  // The modal question's answer goes only into a typed answer slot.
  ds.mMainLoopCount = 0;
  root->answer = [](std::int32_t) { return 2; };
  auto slot = std::make_shared<velmor::ModalAnswer>();
  ds.smModalDialogObject(
      fnd::Notification{"", nullptr, fnd::makeShared({{"ErrorNumber", 1404}, {"object", fnd::Value::object(slot)}})});
  EXPECT_EQ(2, slot->answer);
  ds.smModalDialogObject(
      fnd::Notification{"", nullptr, fnd::makeShared({{"ErrorNumber", 1405}, {"object", fnd::Value::pointer(raw)}})});
  EXPECT_EQ(1221, raw[0]);
  const std::vector<std::string> expected{"showMessage:1404,0,0,0", "showMessage:1405,0,0,0"};
  EXPECT_EQ(expected, messages());
}

TEST_F(ErrorChecksTest, CancelAfterAPlaceholderImageSilencesLaterReports) {
  ds.mCurrentState = Dravon_DirectTWAIN::kStateUIOpen;
  ds.mImageInfoDummy = 10;
  ds.smErrorInfoObject(report(1224));
  EXPECT_EQ(20, ds.mImageInfoDummy.load());
  ds.smErrorInfoObject(report(1205));
  EXPECT_EQ(1224, ds.deviceError());
  EXPECT_TRUE(messages().empty());
}

// A report on the scan module's thread with no call running is checked there; its message is
// shown on the main thread and the worker waits for the answer.
TEST_F(ErrorChecksTest, ReportWithNoCallRunningShowsItsMessageOnTheMainThread) {
  ds.mCurrentState = Dravon_DirectTWAIN::kStateUIOpen;
  std::atomic<bool> done{false};
  std::thread module([&] {
    ds.smErrorInfoObject(report(1205, {1205, 2, 0}));
    done = true;
  });
  ASSERT_TRUE(pumpUntil([&] { return done.load() && closeRequests.load() == 1; }));
  module.join();
  EXPECT_EQ(std::vector<std::string>{"showMessage:1205,1205,2,0"}, messages());
  EXPECT_EQ(1205, ds.deviceError());
}

// A second report that comes while the first one's message shows waits its turn.
TEST_F(ErrorChecksTest, ReportArrivingWhileAnotherIsHandledIsQueuedNotDropped) {
  ds.mCurrentState = Dravon_DirectTWAIN::kStateUIOpen;
  ds.mXferReady = true;
  std::atomic<bool> secondPosted{false};
  std::thread second;
  root->answer = [&](std::int32_t n) {
    if (n == 1104 && !secondPosted) {
      second = std::thread([&] {
        ds.smErrorInfoObject(report(1326, {9, 9, 9}));
        secondPosted = true;
      });
      // The second poster returns while this box is still up.
      while (!secondPosted) std::this_thread::yield();
    }
    return 1;
  };
  std::atomic<bool> done{false};
  std::thread first([&] {
    ds.smErrorInfoObject(report(1104, {1, 1, 1}));
    done = true;
  });
  ASSERT_TRUE(pumpUntil([&] { return done.load() && messages().size() == 2; }));
  first.join();
  second.join();
  const std::vector<std::string> expected{"showMessage:1104,1,1,1", "showMessage:1326,9,9,9"};
  EXPECT_EQ(expected, messages());
  EXPECT_EQ(1326, ds.deviceError());
}

// Reports from several threads at once, with the data source's calls reading meanwhile.
TEST_F(ErrorChecksTest, ReportsFromManyThreadsAreAllTakenIn) {
  ds.mMainLoopCount = 1;
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&, t] {
      for (int i = 0; i < 50; ++i) {
        ds.smErrorWillOccur({});
        ds.smErrorInfoObject(report(2000 + t, {t, i, 0}));
      }
    });
  }
  for (int i = 0; i < 200; ++i) {
    // Whatever moment it is read at, a report's number and its details belong together.
    std::lock_guard guard(ds.DS_ERR_NUMBER_LOCK);
    const std::int32_t error = ds.deviceError();
    const std::array<std::int32_t, 3> numbers = ds.errorNumbers();
    if (error != 0) {
      EXPECT_EQ(error - 2000, numbers[0]);
    }
  }
  for (auto& t : threads) t.join();
  EXPECT_GE(ds.deviceError(), 2000);
  EXPECT_EQ(49, ds.errorNumbers()[1]);
  EXPECT_EQ(0, ds.mErrWillOccur.load());
}

// With no call running every report is checked as it is taken in: each one reaches the user,
// none is lost, and each thread's reports come in the order it sent them.
TEST_F(ErrorChecksTest, ReportsFromManyThreadsAreEachCheckedInTheirThreadsOrder) {
  prepare(Dravon_DirectTWAIN::kStateUIOpen, 0);
  ds.mMainLoopCount = 0;
  constexpr int kThreads = 4, kReports = 50;
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      for (int i = 0; i < kReports; ++i) ds.smErrorInfoObject(report(1104, {t, i, 0}));
    });
  }
  // Each message waits for the main thread, which answers while it reads the error state.
  const bool all = pumpUntil([&] {
    (void)ds.dsGetErrorInfo();
    return messages().size() >= std::size_t(kThreads * kReports);
  });
  for (auto& t : threads) t.join();
  ASSERT_TRUE(all) << messages().size();
  std::array<int, kThreads> next{};
  for (const std::string& m : messages()) {
    int error = 0, t = -1, i = -1, last = -1;
    ASSERT_EQ(std::sscanf(m.c_str(), "showMessage:%d,%d,%d,%d", &error, &t, &i, &last), 4) << m;
    ASSERT_TRUE(t >= 0 && t < kThreads) << m;
    EXPECT_EQ(i, next[std::size_t(t)]) << m;
    next[std::size_t(t)] = i + 1;
  }
  for (int t = 0; t < kThreads; ++t) EXPECT_EQ(next[std::size_t(t)], kReports) << t;
  EXPECT_EQ(messages().size(), std::size_t(kThreads * kReports));
}

}  // namespace
