#pragma once

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "Doubles.h"
#include "TestEnvironment.h"
#include "datasource/DirectTWAIN.h"
#include "foundation/PropertyList.h"
#include "foundation/RunLoop.h"
#include "scanmodule/ScanReports.h"

namespace dstest {

using testenv::ScopedEnv;

// A device file with one virtual scanner, used for the length of a scope.
class DeviceFile {
 public:
  DeviceFile(const std::string& name, fnd::Dictionary model, fnd::Dictionary behaviour, const std::string& transport = "USB")
      : path_((testenv::freshFolder("devices") / "Devices.plist").string()) {
    fnd::Dictionary device{{"Name", name},
                           {"Identifier", "TEST-" + name},
                           {"Transport", transport},
                           {"LocationID", 1},
                           {"Model", std::move(model)},
                           {"Behaviour", std::move(behaviour)}};
    fnd::PropertyList::writeFile(fnd::Value(fnd::Dictionary{{"Devices", fnd::Array{device}}}), path_);
    env_.emplace("TRIVOLAN_DEVICE_FILE", path_);
  }

 private:
  std::string path_;
  std::optional<ScopedEnv> env_;
};

// What the launcher hears from the data source.
class LauncherEar {
 public:
  explicit LauncherEar(const void* dataSource) {
    auto& center = fnd::NotificationCenter::defaultCenter();
    center.addObserver(this, Dravon_DirectTWAIN::kXferReadyNotification, dataSource, [this](const fnd::Notification&) {
      ++xferReady;
      if (!fnd::RunLoop::isMainThread()) ++offMainThread;
    });
    center.addObserver(this, Dravon_DirectTWAIN::kCloseDSRequestNotification, dataSource,
                       [this](const fnd::Notification&) { ++closeRequests; });
    center.addObserver(this, Dravon_DirectTWAIN::kDocumentEndNotification, dataSource, [this](const fnd::Notification&) {
      ++documentEnds;
      if (!fnd::RunLoop::isMainThread()) ++offMainThread;
      if (xferReady.load() == 0) ++endsBeforeAnyXferReady;
    });
    center.addObserver(this, Dravon_DirectTWAIN::kSaveInfoNotification, dataSource, [this](const fnd::Notification& n) {
      ++saveInfos;
      lastSaveInfo = n.userInfo;
    });
  }
  ~LauncherEar() { fnd::NotificationCenter::defaultCenter().removeObserver(this); }
  LauncherEar(const LauncherEar&) = delete;
  LauncherEar& operator=(const LauncherEar&) = delete;

  std::atomic<int> xferReady{0};
  std::atomic<int> offMainThread{0};
  std::atomic<int> closeRequests{0};
  std::atomic<int> saveInfos{0};
  std::atomic<int> documentEnds{0};
  std::atomic<int> endsBeforeAnyXferReady{0};
  fnd::SharedDictionary lastSaveInfo;
};

// A data source opened on a module of doubles, with its user interface open on a FakeRoot.
struct OpenedOnDoubles {
  explicit OpenedOnDoubles(bool openUI = true) {
    ds.setScanModule(&module);
    opened = ds.dtScannerOpenDevice(fnd::Dictionary{{"DeviceName", "Test Scanner"}});
    if (opened == 0 && openUI) ds.dtScannerOpenUserInterface(0);
  }
  ~OpenedOnDoubles() {
    // Settle what a test queued before the objects go.
    pumpUntil([&] { return !ds.uiController() || ds.uiController()->pendingCount() == 0; });
    ds.dtScannerCloseDevice();
  }
  FakeRoot* root() const { return static_cast<FakeRoot*>(ds.userInterfaceRoot()); }
  const void* rootSender() const { return ds.userInterfaceRoot()->notificationSender(); }
  FakeScan& scan() const { return *module.scan; }
  void post(const char* name, fnd::Dictionary info = {}) const {
    fnd::NotificationCenter::defaultCenter().post(name, rootSender(), fnd::makeShared(std::move(info)));
  }
  // A report of the scan module, posted from a thread of its own as the module does; the main
  // loop turns meanwhile, since a report may wait for the main thread.
  void report(const char* name, fnd::SharedDictionary info = nullptr) const {
    const void* sender = ds.scanController();
    std::atomic<bool> done{false};
    std::thread poster([&] {
      fnd::NotificationCenter::defaultCenter().post(name, sender, info);
      done = true;
    });
    pumpUntil([&] { return done.load(); });
    poster.join();
  }

  FakeRootFactory factory;
  FakeModule module;
  Dravon_DirectTWAIN ds;
  std::int32_t opened = -1;
};

inline void postWillTerminate() {
  fnd::NotificationCenter::defaultCenter().post(Dravon_UIController::kApplicationWillTerminate, nullptr);
}

}  // namespace dstest
