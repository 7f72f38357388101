// Which scanners the launcher keeps, their order, the dialog with several, and removal.
#include "LauncherTestSupport.h"
#include "capture/Constants.h"
#include "capture/DeviceBrowser.h"
#include "capture/ScannerDevice.h"
#include "kit/Sheet.h"
#include "launcher/ProcessImageDialog.h"

namespace launchertest {
namespace {

constexpr const char* kVirtualScanner = "Vantrel TS-800 Virtual";

TEST_F(LauncherTest, OnlyListedUsbScannersOfTheMakerAreKept) {
  const std::string file = writeDeviceFile(
      "filter", {
                    {"Other Maker Scanner", "ID-VENDOR", "USB", 0x1234},
                    {kVirtualScanner, "ID-NETWORK", "TCP/IP"},
                    {"Vantrel Unlisted 9", "ID-UNLISTED", "USB"},
                    {kVirtualScanner, "ID-KEPT", "USB"},
                });
  // The other maker's device carries a listed name, so only its vendor keeps it out.
  Zorvik_AppDelegate::setDeviceListPath(writeDeviceList("filter-list", {kVirtualScanner, "Other Maker Scanner"}));
  Zorvik_AppDelegate& d = makeDelegate(file);
  launch();
  ASSERT_TRUE(runUntil([&] { return log->calls.size() >= 2; }));
  EXPECT_EQ(d.deviceNames(), std::vector<std::string>{kVirtualScanner});
  ASSERT_EQ(d.scanners().size(), 1u);
  EXPECT_EQ(d.scanners()[0]->UUIDString(), "ID-KEPT");
  auto opened = log->devices.at(0).get("ICScannerDevice").toObject<capture::ScannerDevice>();
  ASSERT_TRUE(opened);
  EXPECT_EQ(opened->UUIDString(), "ID-KEPT");
}

TEST_F(LauncherTest, NothingKeptAfterTheLastReportShowsError08AndEnds) {
  const std::string file = writeDeviceFile("nothing", {{"Other Maker Scanner", "ID-1", "USB", 0x1234},
                                                       {"Vantrel Unlisted 9", "ID-2", "USB"}});
  Zorvik_AppDelegate& d = makeDelegate(file);
  answerNextMessage();
  launch();
  EXPECT_TRUE(kit::Application::shared().isTerminated());
  EXPECT_EQ(messages, std::vector<std::string>{textOf("PVTO_ERROR_08")});
  EXPECT_TRUE(d.deviceNames().empty());
}

TEST(LauncherNames, SupportedNamesMatchExactly) {
  const std::vector<std::string> names = {"Vantrel TS-800 Virtual", "B"};
  EXPECT_TRUE(Zorvik_AppDelegate::isSupportedDevice(names, "Vantrel TS-800 Virtual"));
  EXPECT_FALSE(Zorvik_AppDelegate::isSupportedDevice(names, "vantrel ts-800 virtual"));
  EXPECT_FALSE(Zorvik_AppDelegate::isSupportedDevice(names, "Vantrel TS-800"));
  EXPECT_FALSE(Zorvik_AppDelegate::isSupportedDevice({}, "B"));
}

class SeveralScannersTest : public LauncherTest {
 protected:
  // Three listed scanners, reported in an order that neither byte order nor report order
  // would give case-insensitively.
  Zorvik_AppDelegate& launchWithThree() {
    Zorvik_AppDelegate::setDeviceListPath(writeDeviceList("three-list", {"gamma scan", "Beta Scan", "alpha Scan"}));
    const std::string file =
        writeDeviceFile("three", {{"gamma scan", "ID-G"}, {"Beta Scan", "ID-B"}, {"alpha Scan", "ID-A"}});
    Zorvik_AppDelegate& d = makeDelegate(file);
    launch();
    EXPECT_TRUE(runUntil([&] { return d.deviceSelectWindow()->isVisible(); }));
    return d;
  }
};

TEST_F(SeveralScannersTest, NamesSortIgnoringCaseAndTheScannersFollow) {
  Zorvik_AppDelegate& d = launchWithThree();
  const std::vector<std::string> expected = {"alpha Scan", "Beta Scan", "gamma scan"};
  EXPECT_EQ(d.deviceNames(), expected);
  const auto scanners = d.scanners();
  ASSERT_EQ(scanners.size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(scanners[i]->name(), expected[i]);
  // The dialog waits for a choice; nothing is opened yet.
  EXPECT_TRUE(log->calls.empty());
  EXPECT_FALSE(d.searchingNotice().isShowing());
  for (int row = 0; row < 3; ++row) EXPECT_EQ(d.scannersTableView()->valueAt(0, row).toString(), expected[row]);
}

TEST_F(SeveralScannersTest, OkOpensTheChosenScannerAndClosesTheOthersSessions) {
  Zorvik_AppDelegate& d = launchWithThree();
  d.scannersTableView()->selectRow(2, false);
  ASSERT_TRUE(d.okButton()->performClick());
  EXPECT_EQ(log->calls, (std::vector<std::string>{"dtScannerOpenDevice", "dtScannerOpenUserInterface"}));
  EXPECT_EQ(log->devices.at(0).string("DeviceName"), "gamma scan");
  EXPECT_EQ(log->devices.at(0).get("ICScannerDevice").toObject<capture::ScannerDevice>()->UUIDString(), "ID-G");
  EXPECT_EQ(fnd::UserDefaults::standard().string(Zorvik_AppDelegate::kSelectDeviceName), "gamma scan");
  EXPECT_FALSE(d.deviceSelectWindow()->isVisible());
  runUntil([] { return false; }, 4);
  for (const auto& s : d.scanners()) EXPECT_EQ(s->hasOpenSession(), s->UUIDString() == "ID-G") << s->name();
  // Once the interface is open, OK does nothing more.
  d.okButton()->performClick();
  EXPECT_EQ(log->calls.size(), 2u);
}

TEST_F(SeveralScannersTest, RemovingTheChosenScannerClearsTheChoiceAndDisablesOk) {
  Zorvik_AppDelegate& d = launchWithThree();
  kit::TableView& table = *d.scannersTableView();
  table.selectRow(1, false);  // Beta
  ASSERT_TRUE(d.okButton()->isEnabled());
  ASSERT_TRUE(d.deviceBrowser().removeDevice("ID-B"));
  EXPECT_EQ(d.deviceNames(), (std::vector<std::string>{"alpha Scan", "gamma scan"}));
  EXPECT_EQ(table.selectedRow(), -1);
  EXPECT_FALSE(d.okButton()->isEnabled());
  // OK with nothing chosen opens nothing; choosing again makes OK usable.
  d.okButton()->performClick();
  EXPECT_TRUE(log->calls.empty());
  table.selectRow(0, false);
  EXPECT_TRUE(d.okButton()->isEnabled());

  // The most recently added scanner is the current device; its removal clears it.
  ASSERT_TRUE(d.device());
  const std::string current = d.device()->UUIDString();
  ASSERT_TRUE(d.deviceBrowser().removeDevice(current));
  EXPECT_FALSE(d.device());
  ASSERT_EQ(d.scanners().size(), 1u);
  ASSERT_TRUE(d.deviceBrowser().removeDevice(d.scanners()[0]->UUIDString()));
  EXPECT_TRUE(d.deviceNames().empty());
  EXPECT_FALSE(d.okButton()->isEnabled());
}

TEST_F(SeveralScannersTest, TheScannerOpenedLastTimeIsPreselected) {
  fnd::UserDefaults::standard().set(Zorvik_AppDelegate::kSelectDeviceName, "gamma scan");
  Zorvik_AppDelegate& d = launchWithThree();
  // The table asks for its rows when it draws; the remembered one is then selected once.
  d.deviceSelectWindow()->display();
  EXPECT_EQ(d.scannersTableView()->selectedRow(), 2);
}

TEST_F(SeveralScannersTest, DeviceErrorsShowOnTheDialogExceptScannerInformation) {
  Zorvik_AppDelegate& d = launchWithThree();
  capture::ScannerDevice& scanner = *d.scanners()[0];
  d.didEncounterError(scanner, capture::kErrorScannerInformation, "Status report");
  EXPECT_FALSE(kit::Sheet::attachedSheet(*d.deviceSelectWindow()));
  d.didEncounterError(scanner, -9972, "The scanner was disconnected.");
  kit::Window* sheet = kit::Sheet::attachedSheet(*d.deviceSelectWindow());
  ASSERT_TRUE(sheet);
  EXPECT_TRUE(sheet->contentView()->findView([](kit::View& v) {
    auto* b = dynamic_cast<kit::Button*>(&v);
    return b && b->title() == "OK";
  }));
}

TEST_F(SeveralScannersTest, CancelEndsTheProgram) {
  Zorvik_AppDelegate& d = launchWithThree();
  d.cancelButton()->performClick();
  EXPECT_TRUE(kit::Application::shared().isTerminated());
  EXPECT_TRUE(log->calls.empty());
}

}  // namespace
}  // namespace launchertest
