#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "capture/DeviceBrowserDelegate.h"
#include "capture/ScannerDeviceDelegate.h"
#include "foundation/NotificationCenter.h"
#include "foundation/Timer.h"
#include "foundation/Value.h"
#include "kit/Alert.h"
#include "kit/ApplicationDelegate.h"
#include "kit/TableView.h"
#include "kit/WindowDelegate.h"
#include "launcher/DataSourcePort.h"
#include "launcher/save/SaveModuleCore.h"

namespace capture {
class DeviceBrowser;
class ScannerDevice;
}  // namespace capture
namespace kit {
class Button;
class Control;
class ScrollView;
class Window;
}  // namespace kit
class Zorvik_ProcessImageDialog;

// The launcher: finds the user's scanner, lets the user choose one when there are several,
// opens it through the data source, and closes everything when the data source or the user
// asks. Everything runs on the main thread.
//
// Waits (device detection, the capability message) run the main loop in rounds, so device
// reports arrive meanwhile; each also ends as soon as the application is terminating.
class Zorvik_AppDelegate : public kit::ApplicationDelegate,
                           public capture::DeviceBrowserDelegate,
                           public capture::ScannerDeviceDelegate,
                           public kit::TableViewDataSource,
                           public kit::TableViewDelegate,
                           public kit::WindowDelegate {
 public:
  static constexpr const char* kXferReadyNotification = "MSG_XFERREADY";
  static constexpr const char* kCloseRequestNotification = "MSG_CLOSEDSREQ";
  static constexpr const char* kSaveInfoNotification = "ntfQuirel_SaveInfo";
  static constexpr const char* kDeviceListFile = "VantrelDevice.plist";
  static constexpr const char* kSelectDeviceName = "SelectDeviceName";
  static constexpr const char* kNameColumn = "name";
  // The capability message: code "zorv", asking the device to stop polling.
  static constexpr std::uint32_t kCapabilityMessageCode = 0x7A6F7276;
  static constexpr const char* kAppName = "Vantrel Trivolan";
  // Waits count rounds of 0.05 s, never clock time: 200 rounds are the 10 s allowed.
  static constexpr double kRoundSeconds = 0.05;
  static constexpr int kWaitRounds = 200;
  static constexpr int kTableRows = 256;
  // Tags of the main menu's items.
  enum MenuTag {
    kTagAbout = 1000, kTagHide, kTagHideOthers, kTagShowAll, kTagQuit,
    kTagCut = 2100, kTagCopy, kTagPaste, kTagDelete, kTagSelectAll,
    kTagMinimize = 3000, kTagZoom, kTagBringAll,
  };

  // Registers the value transformers "NSImageFromCGImage" and "MyDeviceName" (once).
  static void initialize();
  // Runs the main loop for the interval on the main thread (device reports arrive meanwhile);
  // sleeps elsewhere.
  static void waitMainThread(double seconds);

  // Starts browsing for scanners at once. deviceFile: the device definition file to browse
  // (empty: the default, which TRIVOLAN_DEVICE_FILE may override). makeDataSource: the data
  // source made at launch (empty: none).
  explicit Zorvik_AppDelegate(Zorvik_DataSourceFactory makeDataSource = {}, const std::string& deviceFile = {});
  ~Zorvik_AppDelegate() override;
  Zorvik_AppDelegate(const Zorvik_AppDelegate&) = delete;
  Zorvik_AppDelegate& operator=(const Zorvik_AppDelegate&) = delete;

  // --- Application
  void applicationDidFinishLaunching(kit::Application& app) override;
  kit::TerminateReply applicationShouldTerminate(kit::Application& app) override;
  bool applicationShouldTerminateAfterLastWindowClosed(kit::Application&) override { return true; }
  void applicationWillTerminate(kit::Application& app) override;

  // The main menu as the program ships it: three menus with their items by tag, untitled
  // until launch localises them. Made when there is no main menu yet.
  static void installMainMenu();
  void showAboutPanel();
  static std::string localizedStringForKey(std::string_view key);
  static fnd::Value infoValueForKey(std::string_view key);

  // --- Device-select dialog
  void createDeviceSelectDialog();
  int numberOfRowsInTableView(kit::TableView& table) override;
  fnd::Value objectValueForTableColumn(kit::TableView& table, const kit::TableColumn* column, int row) override;
  void tableViewSelectionDidChange(kit::TableView& table) override;
  void selectScanner_OkButtonClick(kit::Control* sender);
  void selectScanner_CancelButtonClick(kit::Control* sender);
  // The scanner shown in a row of the table, or null.
  std::shared_ptr<capture::ScannerDevice> selectedScanner(int row) const;

  // --- Device detection and opening
  std::shared_ptr<capture::ScannerDevice> GetICDevice();
  // Waits in rounds until the chosen device is one of the device list; timedOut is set when
  // the rounds ran out or the application is terminating.
  void waitDeviceDetect(bool& timedOut);
  void startScan();

  // --- Close
  void ntfCloseRequest(const fnd::Notification& notification);
  void closeRequest();
  void terminatePVTO();
  void showModalDialog() { mModal = true; }
  void closeModalDialog() { mModal = false; }

  // --- Scanner discovery
  // The device list, or nothing when the file is missing or unreadable.
  static std::optional<fnd::Dictionary> getVantrelDevicePlist();
  // Tests: read the device list from this file instead (empty: the resource).
  static void setDeviceListPath(const std::string& path);
  // Whether the name is one of the names (exactly, case-sensitive).
  static bool isSupportedDevice(const std::vector<std::string>& names, const std::string& name);
  bool isConnectDevice() const;
  void didAddDevice(capture::DeviceBrowser& browser, capture::ScannerDevice& device, bool moreComing) override;
  void didRemoveDevice(capture::DeviceBrowser& browser, capture::ScannerDevice& device, bool moreGoing) override;
  void didEnumerateLocalDevices(capture::DeviceBrowser& browser) override;
  void rearregeDevice();
  void didOpenSession(capture::ScannerDevice& device, int error) override;
  void deviceDidBecomeReady(capture::ScannerDevice& device) override;
  void didEncounterError(capture::ScannerDevice& device, int error, const std::string& description) override;
  // The device went away: its name leaves the list.
  void didRemoveDevice(capture::ScannerDevice& device) override;
  // Sends the capability message to the chosen device and waits for its answer.
  bool sendMessageforOpenUSB();
  // The device's answer to the capability message; its content is not used.
  struct CapabilityAnswer {
    bool done = false;
    int error = 0;
  };
  static void recieveCapabilityMessage(const fnd::Data& inData, int error, CapabilityAnswer& contextInfo);

  // --- State, for the program's own checks and for tests
  kit::Window* deviceSelectWindow() const { return window.get(); }
  kit::TableView* scannersTableView() const { return mScannersTableView; }
  kit::Button* okButton() const { return mOkBtn; }
  kit::Button* cancelButton() const { return mCancelBtn; }
  kit::Window* aboutWindow() const { return mAboutWindow.get(); }
  const std::vector<std::string>& deviceNames() const { return mDeviceName; }
  std::vector<std::shared_ptr<capture::ScannerDevice>> scanners() const;
  std::shared_ptr<capture::ScannerDevice> device() const { return mDevice; }
  capture::DeviceBrowser& deviceBrowser() const { return *mDeviceBrowser; }
  Zorvik_DataSourcePort* dataSource() const { return mDirectTWAIN.get(); }
  SaveModuleCore& saveModule() { return mSaveModule; }
  Zorvik_ProcessImageDialog& searchingNotice() const { return *m_SerchDeviceDlg; }
  bool isModal() const { return mModal; }
  bool isScanning() const { return mScanning; }
  void setScanning(bool on) { mScanning = on; }
  std::int32_t uiNotOpen() const { return mUINotOpen; }
  bool isTerminating() const;
  // Rounds the last wait ran.
  int lastWaitRounds() const { return mLastWaitRounds; }

 private:
  // Shows a launcher message of "PictavoTrivo" with the modal flag raised around it.
  void showLauncherError(const char* key);
  // No supported scanner: the message, then the end.
  void noScannerFound();
  void sortDeviceNames();
  void reloadScanners();
  void clearTableSelection();
  void terminateApplication();
  std::string localizedDialogText(const fnd::Dictionary& strings, const char* key) const;

  std::unique_ptr<Zorvik_DataSourcePort> mDirectTWAIN;
  Zorvik_DataSourceFactory mMakeDataSource;
  SaveModuleCore mSaveModule;  // readied here; the transfer loop feeds it
  std::unique_ptr<capture::DeviceBrowser> mDeviceBrowser;
  std::shared_ptr<capture::ScannerDevice> mDevice;
  mutable std::mutex mScannersLock;  // guards mScanners; never held while calling out
  std::vector<std::shared_ptr<capture::ScannerDevice>> mScanners;
  std::vector<std::string> mDeviceName;
  fnd::Date mStartTime;
  std::unique_ptr<Zorvik_ProcessImageDialog> m_ProcDlg;
  std::unique_ptr<Zorvik_ProcessImageDialog> m_SerchDeviceDlg;
  std::unique_ptr<Zorvik_ProcessImageDialog> m_EndDlg;
  std::unique_ptr<kit::Window> window;
  kit::ScrollView* mScrollView = nullptr;  // views owned by the dialog's content view
  kit::TableView* mScannersTableView = nullptr;
  kit::Button* mOkBtn = nullptr;
  kit::Button* mCancelBtn = nullptr;
  std::unique_ptr<kit::Window> mAboutWindow;
  std::unique_ptr<kit::Alert> mErrorAlert;
  std::vector<std::shared_ptr<fnd::Timer>> mPendingCalls;
  bool mSelectDevice = false;
  bool mModal = false;
  bool mScanning = false;
  bool mTerminating = false;
  std::int32_t mUINotOpen = 1;
  int mLastWaitRounds = 0;
};
