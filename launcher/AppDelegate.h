#pragma once

#include <cstdint>
#include <ctime>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "capture/DeviceBrowserDelegate.h"
#include "capture/ScannerDeviceDelegate.h"
#include "foundation/FileManager.h"
#include "foundation/NotificationCenter.h"
#include "foundation/Timer.h"
#include "foundation/Value.h"
#include "kit/Alert.h"
#include "kit/ApplicationDelegate.h"
#include "kit/TableView.h"
#include "kit/WindowDelegate.h"
#include "launcher/DataSourcePort.h"
#include "launcher/save/SaveModuleCore.h"
#include "launcher/save/SM_ImageProperty_Struct.h"

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
class ISM_XFORM_INFO;

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
  static constexpr const char* kDocumentEndNotification = "MSG_DOCUMENTEND";
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
  // Turns the main run loop until something happens (an event, a queued call, a wake-up from a
  // save worker), at most `seconds`; off the main thread it sleeps them.
  static void waitMainThreadForEvent(double seconds);

  // Starts browsing for scanners at once. deviceFile: the device definition file to browse
  // (empty: the default, which TRIVOLAN_DEVICE_FILE may override). makeDataSource: the data
  // source made at launch (empty: none).
  explicit Zorvik_AppDelegate(Zorvik_DataSourceFactory makeDataSource = {}, const std::string& deviceFile = {});
  // The request the data source opens its user interface with (the program's --request file).
  void setRequest(const fnd::Dictionary& request) { mRequest = request; }
  ~Zorvik_AppDelegate() override;
  Zorvik_AppDelegate(const Zorvik_AppDelegate&) = delete;
  Zorvik_AppDelegate& operator=(const Zorvik_AppDelegate&) = delete;

  // --- Application
  void applicationDidFinishLaunching(kit::Application& app) override;
  kit::TerminateReply applicationShouldTerminate(kit::Application& app) override;
  // With a request of its own the driver may have no window open for a while (its frame-select
  // dialog closes before the scan): the program then ends on the data source's close request.
  bool applicationShouldTerminateAfterLastWindowClosed(kit::Application&) override { return !mRequest; }
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

  // --- Image transfer (AppDelegateTransfer.cpp)
  static constexpr std::uint32_t kBlockSize = 0x100000;
  // How long the launcher waits for the save driver's workers, in 50 ms rounds.
  static constexpr std::uint32_t kWorkerWaitMs = SaveModuleCore::kWorkerWaitMs;
  static constexpr double kPollSeconds = 0.05;
  // "MSG_XFERREADY": the run starts 0.1 s later, after the data source's post has returned.
  void ntfXferReady(const fnd::Notification& notification);
  // One scan request: pulls every image in 1 MiB blocks into the save driver and tells the
  // data source the end of saving once.
  void xferReady();
  // The save layout of a scanner depth (1, 8, 16, 24, 48 bits per pixel); 0xACA03 for another
  // depth, 0xAF207 for a zero resolution, width, length or depth.
  static CMResult imagePropertyFor(const DT_IMAGEINFO& info, SM_ImageProperty_Struct* property);
  // The transfer record as each image starts: everything "don't care", the launcher's buffer.
  static TW_IMAGEMEMXFER presetTransferRecord(void* buffer);
  bool isTransferring() const { return mTransferring; }

  // --- Save settings and file naming (AppDelegateSave.cpp)
  // "ntfQuirel_SaveInfo": the save settings of the next scan request.
  void ntfQuirel_SaveInfo(const fnd::Notification& notification);
  // Before each image: the next free numbered name, handed to the save driver.
  void changeSaveFileName();
  // Format pair, JPEG compression, application and device names of the image's transform.
  void setFileFormat(ISM_XFORM_INFO* xform) const;
  // The save folder of `path` exists, is writable and holds the current image: 0 when the
  // file at the save path exists, 0xD7200 when it does not (yet); 0xDF200 not writable,
  // 0xDF400 missing or too full (each after its message).
  CMResult checkSavePathAccess(const std::string& path, std::uint32_t format);
  // The first free numbered path for `path` (folder/name_date.ext), or the next one after the
  // image saved at `path` (same name and date, the number advanced).
  std::string fileNameWithNumber(const std::string& path, bool isFirst);
  // text + "_" + today as yyyymmdd; the text itself with skip.
  static std::string stringAddTimeStamp(const std::string& text, bool skip);
  // The largest number of the files in `folder` named prefix_NNNN (any extension, any case,
  // precomposed form); 0 when there is none.
  static std::uint32_t FindMaxFileNumber(const std::string& folder, const std::string& prefix);
  static bool IsFile(const std::string& path);
  // Tests: "today" and the free space of a folder (empty: the system's).
  using Clock = std::function<std::time_t()>;
  static void setClock(Clock clock);
  static void setFreeSpaceSource(fnd::FileManager::FreeSpaceSource source);
  // Tests: whether a folder can be written to (empty: the system's answer, which is always
  // yes for the superuser).
  static void setWritableSource(std::function<bool(const std::string& folder)> source);

  std::uint32_t saveFileFormat() const { return mSaveFileFormat; }
  const std::string& saveFilePath() const { return m_SaveFilePath; }
  const std::string& saveFileName() const { return m_SaveFileName; }
  const std::string& saveFileURL() const { return mSaveFilePathBookmark; }
  const std::string& saveFileURLSecurityBookmark() const { return mSaveFilePathSecurityBookmark; }
  const std::optional<std::string>& outputProfilePath() const { return m_OutputPf_FilePath; }
  std::uint32_t compression() const { return mCompression; }
  std::uint32_t colorSetting() const { return m_ColorSetting; }
  std::uint32_t outFileFormat() const { return m_uiOutFileFormat; }
  std::uint32_t fileNumber() const { return m_FileNum; }
  bool fileIndexOver() const { return mFileIndexOver; }
  // The image being transferred (the free-space check's size).
  void setRawImageProperty(const SM_ImageProperty_Struct& p) { m_RawImageProperty = p; }

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
  // Calls waiting for a later turn of the main loop (those that ran are dropped as new ones come).
  std::size_t pendingCallCount() const { return mPendingCalls.size(); }
  SaveModuleCore& saveModule() { return mSaveModule; }
  Zorvik_ProcessImageDialog& searchingNotice() const { return *m_SerchDeviceDlg; }
  Zorvik_ProcessImageDialog& savingNotice() const { return *m_ProcDlg; }
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
  // Shows a launcher message of `table` with the modal flag raised around it.
  void showLauncherMessage(const char* key, const char* table, const fnd::Array& args = {});
  // Waits, turning the main loop, until the save driver runs no worker (at most 180000 ms).
  void waitForSaveWorkers(bool turnLoop);
  // How the wait for an image's final JPEG ended.
  enum class JpegWaitEnd { Saved, FolderRefused, Failed };
  JpegWaitEnd waitForFinalJpeg();
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
  // Calls on a later turn of the main loop, invalidated when the delegate goes.
  std::vector<std::shared_ptr<fnd::Timer>> mPendingCalls;
  void performLater(double seconds, std::function<void()> call);
  // Save settings of the current request (AppDelegateSave.cpp).
  bool mHasSaveSettings = false;
  std::uint32_t mSaveFileFormat = 0;
  std::string m_SaveFilePath;
  std::string m_SaveFileName;
  std::string mSaveFilePathSecurityBookmark;  // the save folder
  std::string mSaveFilePathBookmark;          // the folder with the file's name
  std::uint32_t m_ColorSetting = 0;
  std::optional<std::string> m_OutputPf_FilePath;
  std::optional<fnd::Dictionary> mRequest;  // setRequest
  bool mIsLargeTif = false;  // always off
  std::uint32_t mCompression = 0;
  std::uint32_t m_uiOutFileFormat = 0;
  std::uint32_t m_FileNum = 0;
  bool mFileIndexOver = false;
  // The image being transferred (AppDelegateTransfer.cpp).
  SM_ImageProperty_Struct m_RawImageProperty{};
  bool mTransferring = false;
  bool mCloseAfterRun = false;  // a close request waits for the transfer run
  bool mSelectDevice = false;
  bool mModal = false;
  bool mScanning = false;
  bool mTerminating = false;
  std::int32_t mUINotOpen = 1;
  int mLastWaitRounds = 0;

  // --- A JPEG's final pass, and a scan request that ends without images
  // The final pass of the JPEG just requested has ended (its file renamed into place or its
  // error recorded): only then does the folder check see what was saved.
  bool finalJpegPassEnded();
  // From a request's save settings on (AppDelegateScanEnd.cpp): the data source announcing its
  // images, and the end of the scanner's document. A document that ends with no image
  // announced (cancelled, failed, refused) ends the request: no transfer run will clear
  // `mScanning` for it.
  void watchScanRequestEnd();
  void scanDocumentEnded();
  bool mImagesAnnounced = false;
  std::shared_ptr<char> mScanEndAlive = std::make_shared<char>();  // queued calls' liveness
  fnd::NotificationCenter::Token mImagesAnnouncedToken;
  fnd::NotificationCenter::Token mDocumentEndToken;
};
