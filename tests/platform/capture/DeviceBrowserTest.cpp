#include "capture/DeviceBrowser.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "TestEnvironment.h"
#include "capture/DeviceDefinition.h"
#include "foundation/PropertyList.h"
#include "foundation/RunLoop.h"

using capture::DeviceBrowser;
using capture::ScannerDevice;

namespace {

// Runs the main loop in short rounds until done() or a time-out.
bool runUntil(const std::function<bool()>& done, double seconds = 5.0) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    fnd::RunLoop::main().runOnce(fnd::RunLoopMode::Default, 0.02);
  }
  return true;
}

struct Recorder : capture::DeviceBrowserDelegate, capture::ScannerDeviceDelegate {
  std::vector<std::string> events;
  std::vector<std::pair<ScannerDevice*, bool>> added;
  bool enumerated = false;
  int openError = 1;
  bool ready = false;
  bool removed = false;

  void didAddDevice(DeviceBrowser&, ScannerDevice& d, bool moreComing) override {
    added.emplace_back(&d, moreComing);
    events.push_back("add " + d.name());
  }
  void didRemoveDevice(DeviceBrowser&, ScannerDevice& d, bool) override { events.push_back("remove " + d.name()); }
  void didEnumerateLocalDevices(DeviceBrowser&) override {
    enumerated = true;
    events.push_back("enumerated");
  }
  void didOpenSession(ScannerDevice&, int error) override {
    openError = error;
    events.push_back("open " + std::to_string(error));
  }
  void deviceDidBecomeReady(ScannerDevice&) override {
    ready = true;
    events.push_back("ready");
  }
  void didRemoveDevice(ScannerDevice&) override { removed = true; }
};

using testenv::ScopedEnv;

std::string writeDevices(const std::string& name, fnd::Array devices) {
  const std::string path = (testenv::freshFolder(name) / "Devices.plist").string();
  EXPECT_TRUE(fnd::PropertyList::writeFile(fnd::Dictionary{{"Devices", std::move(devices)}}, path));
  return path;
}

fnd::Dictionary device(const std::string& name, fnd::Dictionary behaviour = {}) {
  return fnd::Dictionary{{"Name", name}, {"Identifier", "ID-" + name}, {"Behaviour", std::move(behaviour)}};
}

}  // namespace

TEST(DeviceBrowser, FindsTheVirtualScannerOfTheDefaultFileAndOpensIt) {
  Recorder r;
  DeviceBrowser browser;
  browser.setDelegate(&r);
  browser.setBrowsedDeviceTypeMask(0xFF02);
  browser.start();
  EXPECT_TRUE(r.added.empty()) << "devices are reported later, on the main loop";
  ASSERT_TRUE(runUntil([&] { return r.enumerated; }));
  ASSERT_EQ(r.added.size(), 1u);
  ScannerDevice& d = *r.added[0].first;
  EXPECT_FALSE(r.added[0].second);
  EXPECT_EQ(d.name(), "Vantrel TS-800 Virtual");
  EXPECT_EQ(d.usbVendorID(), capture::kMakerUsbVendorId);
  EXPECT_EQ(d.transportType(), capture::TransportType::USB);
  EXPECT_NE(d.type() & capture::kDeviceTypeScanner, 0u);
  EXPECT_FALSE(d.UUIDString().empty());
  ASSERT_EQ(browser.devices().size(), 1u);
  EXPECT_EQ(browser.devices()[0].get(), &d);

  d.setDelegate(&r);
  d.requestOpenSession();
  ASSERT_TRUE(runUntil([&] { return r.ready; }));
  EXPECT_EQ(r.openError, 0);
  EXPECT_TRUE(d.hasOpenSession());
  EXPECT_EQ(d.selectedFunctionalUnit(), capture::FunctionalUnit::Flatbed);
  EXPECT_EQ(r.events, (std::vector<std::string>{"add Vantrel TS-800 Virtual", "enumerated", "open 0", "ready"}));
  d.setDelegate(nullptr);
}

TEST(DeviceBrowser, ReportsEveryDeviceOfAnotherFileWithItsFields) {
  fnd::Dictionary other = device("Other Scanner");
  other.set("VendorID", 0x1234);
  fnd::Dictionary net = device("Vantrel TS-800 Virtual Network");
  net.set("Transport", "TCP/IP");
  fnd::Dictionary usb = device("Vantrel TS-500 Virtual");
  usb.set("LocationID", 0x14200000);
  const std::string file = writeDevices("three", {usb, other, net});
  ScopedEnv env(capture::kDeviceFileVariable, file);

  Recorder r;
  DeviceBrowser browser;  // the variable names the file
  browser.setDelegate(&r);
  browser.start();
  ASSERT_TRUE(runUntil([&] { return r.enumerated; }));
  ASSERT_EQ(r.added.size(), 3u);
  const ScannerDevice& a = *r.added[0].first;
  const ScannerDevice& b = *r.added[1].first;
  const ScannerDevice& c = *r.added[2].first;
  EXPECT_EQ(a.name(), "Vantrel TS-500 Virtual");
  EXPECT_EQ(a.usbVendorID(), capture::kMakerUsbVendorId);
  EXPECT_EQ(a.usbLocationID(), 0x14200000u);
  EXPECT_EQ(a.UUIDString(), "ID-Vantrel TS-500 Virtual");
  EXPECT_EQ(b.usbVendorID(), 0x1234);
  EXPECT_EQ(b.transportType(), capture::TransportType::USB);
  EXPECT_EQ(c.transportType(), capture::TransportType::TCPIP);
  EXPECT_NE(c.type() & capture::kDeviceLocationNetwork, 0u);
  EXPECT_EQ(c.type() & capture::kDeviceLocationLocal, 0u);
  EXPECT_TRUE(r.added[0].second);
  EXPECT_TRUE(r.added[1].second);
  EXPECT_FALSE(r.added[2].second);
}

TEST(DeviceBrowser, MaskLeavesOutDevicesOfOtherKindsAndMissingFilesGiveNone) {
  Recorder r;
  DeviceBrowser cameras;
  cameras.setDelegate(&r);
  cameras.setBrowsedDeviceTypeMask(0xFF01);
  cameras.start();
  Recorder r2;
  DeviceBrowser missing((testenv::freshFolder("none") / "missing.plist").string());
  missing.setDelegate(&r2);
  missing.start();
  ASSERT_TRUE(runUntil([&] { return r.enumerated && r2.enumerated; }));
  EXPECT_TRUE(r.added.empty());
  EXPECT_TRUE(r2.added.empty());
}

TEST(DeviceBrowser, SessionFaultsOfTheDefinitionReachTheDelegate) {
  for (int error : {capture::kErrorDeviceInUse, capture::kErrorTimedOut}) {
    const std::string file = writeDevices("busy", {device("Busy", {{"SessionOpenError", error}})});
    Recorder r;
    DeviceBrowser browser(file);
    browser.setDelegate(&r);
    browser.start();
    ASSERT_TRUE(runUntil([&] { return r.enumerated; }));
    ASSERT_EQ(r.added.size(), 1u);
    ScannerDevice& d = *r.added[0].first;
    d.setDelegate(&r);
    d.requestOpenSession();
    ASSERT_TRUE(runUntil([&] { return r.openError != 1; }));
    EXPECT_EQ(r.openError, error);
    runUntil([] { return false; }, 0.1);
    EXPECT_FALSE(r.ready);
    EXPECT_FALSE(d.hasOpenSession());
    d.setDelegate(nullptr);
  }
}

TEST(DeviceBrowser, MessagesNeedASessionAndAreAnsweredWithinTheLimit) {
  const std::string file = writeDevices("msg", {device("Vantrel TS-800 Virtual")});
  Recorder r;
  DeviceBrowser browser(file);
  browser.setDelegate(&r);
  browser.start();
  ASSERT_TRUE(runUntil([&] { return r.enumerated; }));
  ScannerDevice& d = *browser.devices().at(0);
  d.setDelegate(&r);

  int error = 1;
  fnd::Data answer;
  auto done = [&](ScannerDevice&, std::uint32_t, const fnd::Data& a, int e) { answer = a, error = e; };
  d.requestSendMessage(0x7a6f7276, fnd::Data{1, 2, 3, 4}, 4, done);
  ASSERT_TRUE(runUntil([&] { return error != 1; }));
  EXPECT_EQ(error, capture::kErrorSessionNotOpen);

  d.requestOpenSession();
  ASSERT_TRUE(runUntil([&] { return r.ready; }));
  error = 1;
  d.requestSendMessage(0x7a6f7276, fnd::Data{1, 2, 3, 4}, 3, done);
  ASSERT_TRUE(runUntil([&] { return error != 1; }));
  EXPECT_EQ(error, 0);
  EXPECT_EQ(answer, (fnd::Data{1, 2, 3}));
  EXPECT_EQ(d.lastMessageCode(), 0x7a6f7276u);
  d.setDelegate(nullptr);
}

TEST(DeviceBrowser, RemovedDeviceLeavesTheListAndTellsBothDelegates) {
  const std::string file = writeDevices("remove", {device("A"), device("B")});
  Recorder r;
  DeviceBrowser browser(file);
  browser.setDelegate(&r);
  browser.start();
  ASSERT_TRUE(runUntil([&] { return r.enumerated; }));
  std::shared_ptr<ScannerDevice> a = browser.devices().at(0);
  a->setDelegate(&r);
  EXPECT_TRUE(browser.removeDevice("ID-A"));
  EXPECT_FALSE(browser.removeDevice("ID-A"));
  EXPECT_TRUE(r.removed);
  EXPECT_EQ(r.events.back(), "remove A");
  ASSERT_EQ(browser.devices().size(), 1u);
  EXPECT_EQ(browser.devices()[0]->name(), "B");
  a->setDelegate(nullptr);
}

TEST(DeviceBrowser, ReportsQueuedForADestroyedBrowserAreDropped) {
  // There are reports to drop: the default file lists devices.
  ASSERT_FALSE(capture::DeviceDefinition::loadFile(capture::DeviceDefinition::defaultFile()).empty());
  Recorder r;
  {
    DeviceBrowser browser;
    browser.setDelegate(&r);
    browser.start();
  }
  runUntil([] { return false; }, 0.1);
  EXPECT_TRUE(r.events.empty());
}
