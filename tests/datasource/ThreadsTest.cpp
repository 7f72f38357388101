// The data source between the main thread and the scan module's thread (also run under the
// thread sanitizer, repeatedly).
#include <gtest/gtest.h>

#include "DataSourceSupport.h"

using namespace dstest;
namespace report = velmor::report;

TEST(Threads, ReportsFromTheModulesThreadWhileTheMainThreadWaits) {
  for (int round = 0; round < 3; ++round) {
    OpenedOnDoubles o;
    ASSERT_EQ(o.opened, 0);
    fnd::NotificationCenter::defaultCenter().post(report::kDocumentStart, o.ds.scanController(), nullptr);
    const void* sender = o.ds.scanController();
    std::thread module([sender] {
      auto& center = fnd::NotificationCenter::defaultCenter();
      center.post(report::kCreateProgressWindow, sender, fnd::makeShared());
      for (int i = 0; i < 100; ++i) {
        center.post(report::kSetPercentage, sender, fnd::makeShared(fnd::Dictionary{{"PercentVal", i}}));
        center.post(report::kSetScanningInfo, sender, fnd::makeShared(fnd::Dictionary{{"NowVal", 1}, {"TotalVal", 1}}));
      }
      center.post(report::kImageInfo, sender, fnd::makeShared(fnd::Dictionary{{"SAMPLES", 3}, {"PIXELS", 8}, {"WIDTH", 4}, {"HEIGHT", 4}}));
      center.post(report::kPageStartObject, sender, nullptr);
      center.post(report::kPageEnd, sender, fnd::makeShared(fnd::Dictionary{{"CROPS", 0}}));
      center.post(report::kDocumentEnd, sender, fnd::makeShared(fnd::Dictionary{{"STATUS", 0}}));
      center.post(report::kCloseProgressWindow, sender, fnd::makeShared());
    });
    EXPECT_EQ(o.ds.dsWaitForNextEvent(5), 0);
    module.join();
    EXPECT_TRUE(pumpUntil([&] { return o.factory.log->contains("setPercentage:99"); }));
    EXPECT_EQ(o.ds.mReceivedSMnc.load(), 31);
  }
}

TEST(Threads, ClosingTheDeviceWhileTheModuleSendsAPreviewEnds) {
  for (int round = 0; round < 4; ++round) {
    FakeRootFactory factory;
    Dravon_DirectTWAIN ds;
    ASSERT_EQ(0, ds.dtScannerOpenDevice(fnd::Dictionary{}));
    ds.dtScannerOpenUserInterface(0);
    fnd::NotificationCenter::defaultCenter().post("Preview_Scan", ds.userInterfaceRoot()->notificationSender(), fnd::makeShared());
    // Let a varying part of the preview through, then close without turning the loop again:
    // the module's thread, waiting for the main thread to take a block, must be let go.
    pumpUntil([&] { return factory.log->count("setPreviewData:" + std::to_string(637 * 3 * 64)) > round; }, 2000);
    EXPECT_EQ(0, ds.dtScannerCloseUserInterface());
    EXPECT_EQ(0, ds.dtScannerCloseDevice());
    EXPECT_EQ(ds.scanController(), nullptr);
    EXPECT_TRUE(factory.log->contains("released:3"));
    EXPECT_EQ(0, ds.dtScannerCloseDevice());
  }
}

TEST(Threads, DestroyingTheDataSourceWhileTheModuleSendsAPreviewEnds) {
  // No close calls first: the destructor lets the module's thread go while it still reports.
  for (int round = 0; round < 4; ++round) {
    FakeRootFactory factory;
    {
      Dravon_DirectTWAIN ds;
      ASSERT_EQ(0, ds.dtScannerOpenDevice(fnd::Dictionary{}));
      ds.dtScannerOpenUserInterface(0);
      fnd::NotificationCenter::defaultCenter().post("Preview_Scan", ds.userInterfaceRoot()->notificationSender(),
                                                    fnd::makeShared());
      pumpUntil([&] { return factory.log->count("setPreviewData:" + std::to_string(637 * 3 * 64)) > round; }, 2000);
    }
    EXPECT_TRUE(factory.log->contains("released:3"));
    // Calls the module's reports queued for the main thread find nothing now.
    pumpUntil([] { return false; }, 20);
  }
}

TEST(Threads, DestroyingTheDataSourceWhileTheModuleQueuesMainThreadCalls) {
  // The module's thread queues main-thread calls (the scanner-connect window) while the data
  // source is destroyed: its handle for queued calls must not be read while it is dropped.
  for (int round = 0; round < 10; ++round) {
    FakeRootFactory factory;
    FakeModule module;
    auto ds = std::make_unique<Dravon_DirectTWAIN>();
    ds->setScanModule(&module);
    ASSERT_EQ(0, ds->dtScannerOpenDevice(fnd::Dictionary{{"DeviceName", "Test Scanner"}}));
    ds->dtScannerOpenUserInterface(0);
    const void* sender = ds->scanController();
    std::atomic<int> posts{0};
    std::atomic<bool> stop{false};
    std::thread poster([&] {
      while (!stop.load()) {
        fnd::NotificationCenter::defaultCenter().post(report::kDisplayScannerConnect, sender, nullptr);
        ++posts;
      }
    });
    while (posts.load() < 50) std::this_thread::yield();
    ds.reset();
    stop = true;
    poster.join();
    // What was queued before the end finds nothing now.
    pumpUntil([] { return false; }, 20);
  }
}

TEST(Threads, ClosingInTheMiddleOfAFeederDocumentEnds) {
  const std::string temp = testenv::freshFolder("threads").string();
  DeviceFile file("Threads Feeder", {{"FeederPages", 3}}, {{"PageDelivery", "Memory"}});
  FakeRootFactory factory;
  Dravon_DirectTWAIN ds;
  LauncherEar ear(&ds);
  ASSERT_EQ(0, ds.dtScannerOpenDevice(fnd::Dictionary{{"DeviceName", "Threads Feeder"}}));
  ds.dtScannerOpenUserInterface(0);
  const fnd::Dictionary crop{{"Resolution", 75}, {"ScanRect", fnd::Dictionary{{"X", 0}, {"Y", 0}, {"width", 30}, {"height", 30}}}};
  fnd::NotificationCenter::defaultCenter().post(
      "StandardMode_Scan", ds.userInterfaceRoot()->notificationSender(),
      fnd::makeShared(fnd::Dictionary{{"ScanSetting", fnd::Dictionary{{"ColorMode", 2}, {"TemporaryPath", temp}}},
                                      {"InputSource", 1},
                                      {"BitDepth", 8},
                                      {"CropItem", fnd::Array{fnd::Dictionary{}, crop}}}));
  ASSERT_TRUE(pumpUntil([&] { return ear.xferReady.load() == 1; }));
  ds.scanController()->smStartScan();
  EXPECT_EQ(ds.dsWaitForNextEvent(3), 0);
  EXPECT_EQ(ds.dsWaitForNextEvent(4), 0);
  // The launcher closes after the first of three pages.
  EXPECT_EQ(0, ds.dtScannerCloseUserInterface());
  EXPECT_NE(ds.mReceivedSMnc.load() & Dravon_DirectTWAIN::kBitDocumentEnd, 0);
  EXPECT_EQ(0, ds.dtScannerCloseDevice());
  EXPECT_FALSE(ds.holdsPage());
}
