#pragma once

#include <array>
#include <cstdio>
#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "datasource/PerformMethod.h"
#include "datasource/TransferRecords.h"
#include "datasource/UIController.h"
#include "foundation/Lock.h"
#include "foundation/NotificationCenter.h"
#include "foundation/Value.h"
#include "scanmodule/BITMAP.h"
#include "scanmodule/ModuleLoader.h"
#include "scanmodule/PageFile.h"
#include "scanmodule/PageMemory.h"
#include "scanmodule/SMController.h"

// The direct data source: the one object the launcher drives. It opens the device through the
// scan module, makes the dispatcher and the user-interface root, relays requests and events
// between the user interface and the scan module, turns the module's reports into received-event
// bits and page counters, and waits for them on the main thread. DirectTWAIN.cpp holds the state
// and the close request, DirectTWAINOpen.cpp the device open and tear-down,
// DirectTWAINEvents.cpp the observer groups and scan reports, DirectTWAINWaits.cpp the waits,
// DirectTWAINRelays.cpp the relays, DirectTWAINErrors.cpp the error, paper and free-space checks,
// DirectTWAINTransfer.cpp the launcher's transfer calls and DirectTWAINDelivery.cpp the image
// delivery behind them.
//
// Lock order: DS_ERR_NOTIFY_LOCK, then DS_ERR_NUMBER_LOCK, then DS_ERR_FORECAST_LOCK (an error
// report takes them in that order, one after the other, inside the first). DS_NTC_STATE_SM_LOCK
// and DS_NTC_XFERCOUNT_LOCK are taken alone, as are mPageMutex and mPathMutex. No lock is held
// while a message is shown or a request is dispatched. Fields that the calls read while polling
// are atomics; they are written under their lock.
//
// Threads: the launcher's calls, the user interface's requests and the waits run on the main
// thread; the scan module's reports on its own thread. The components (controller, dispatcher,
// pump) are made before the module's reports are observed and released only after the
// module's thread has been joined, so a report never meets a component being torn down.
class Dravon_DirectTWAIN {
 public:
  // Interface states (ten times the TWAIN state where one applies).
  static constexpr std::int16_t kStateDefault = 35;
  static constexpr std::int16_t kStateOpening = 40;
  static constexpr std::int16_t kStateUIOpen = 50;
  static constexpr std::int16_t kStateClosing = 55;
  static constexpr std::int16_t kStateXferReady = 60;
  static constexpr std::int16_t kStateTransferring = 70;
  static constexpr std::int16_t kStateClosed = 80;

  // Error numbers the data source sets itself.
  static constexpr std::int32_t kErrInternal = 1216;          // with 0, 30, 0
  static constexpr std::int32_t kErrCancelFeeder = 10000;     // shown as 1231 with 2, 111, 0
  static constexpr std::int32_t kErrCancel = 10002;
  static constexpr std::int32_t kErrCancelShown = 1231;
  static constexpr std::int32_t kErrPaperOut = 1211;
  static constexpr std::array<std::int32_t, 3> kInternalNumbers{0, 30, 0};

  // The start-up volume must keep this much free, whatever the image.
  static constexpr std::uint64_t kMinimumFreeSpace = 10485760;
  // Answers of the free-space check.
  static constexpr std::int32_t kVolumeOK = 0;
  static constexpr std::int32_t kVolumeRefused = 255;

  // Received-event bits of a document.
  static constexpr std::int16_t kBitDocumentStart = 1;
  static constexpr std::int16_t kBitImageInfo = 2;
  static constexpr std::int16_t kBitPageStart = 4;
  static constexpr std::int16_t kBitPageEnd = 8;
  static constexpr std::int16_t kBitDocumentEnd = 16;

  // Longest pause of the waits between two polls (a report, an event or a queued request ends
  // it sooner), and the longest wait for the error report after a refused
  // initial setting (the scan module's own answer limit).
  static constexpr double kWaitPollSeconds = 0.1;
  static constexpr double kInitErrorTimeout = 30.0;

  // Notifications to the launcher (object: this).
  static constexpr const char* kXferReadyNotification = "MSG_XFERREADY";
  static constexpr const char* kCloseDSRequestNotification = "MSG_CLOSEDSREQ";
  // The scanner's document ended; posted on the main thread after the calls queued before it
  // (a "MSG_XFERREADY" of the same document comes first).
  static constexpr const char* kDocumentEndNotification = "MSG_DOCUMENTEND";
  static constexpr const char* kSaveInfoNotification = "ntfQuirel_SaveInfo";

  // The scan module's image report, as the data source keeps it.
  struct SmImageInfo {
    std::int32_t crops = 0;
    std::int32_t samples = 3;
    std::int32_t pixels = 8;  // bits per sample
    std::int32_t width = 300;
    std::int32_t height = 300;
    std::int32_t resolution = 75;
    std::uint64_t size = 0;  // row bytes times height
    std::int32_t sourcetype = 0;
  };
  // Row bytes of an image: one bit per pixel packs 8 pixels a byte.
  static std::uint64_t rowBytes(std::int32_t samples, std::int32_t bitsPerSample, std::int32_t width);

  // A user-interface request and the one scan-module call it becomes: with the whole
  // notification (`withNote`) or with its dictionary only (`withDictionary`).
  struct UIRequestRelay {
    const char* notification;
    const char* relay;
    void (Velmor_SMController::*withNote)(const fnd::Notification&);
    void (Velmor_SMController::*withDictionary)(const fnd::Dictionary&);
  };
  static const std::vector<UIRequestRelay>& uiRequestRelays();

  // A scan-module event and the dispatcher request it becomes. `indicators`: dropped unless the
  // indicators are on. `method` members with a rule of their own are named handlers.
  struct ModuleEventRelay {
    const char* notification;
    const char* handler;
    std::int32_t kind;  // dispatcher KIND; -1 when the handler does something else
    bool indicators;
    void (Dravon_DirectTWAIN::*rule)(const fnd::Notification&);  // null: plain dispatch
  };
  static const std::vector<ModuleEventRelay>& moduleEventRelays();

  Dravon_DirectTWAIN();
  ~Dravon_DirectTWAIN();
  Dravon_DirectTWAIN(const Dravon_DirectTWAIN&) = delete;
  Dravon_DirectTWAIN& operator=(const Dravon_DirectTWAIN&) = delete;

  // Every field to its default (state 35).
  void dsSet();

  // The scan-module controller, the dispatcher and the pump; the device open makes them
  // (tests hand in their own). Any may be null.
  void setComponents(std::unique_ptr<Velmor_SMController> scan, std::unique_ptr<Dravon_UIController> ui,
                     std::unique_ptr<Dravon_PerformMethod> pump);
  Velmor_SMController* scanController() const { return myScan.get(); }
  Dravon_UIController* uiController() const { return myUICtrl.get(); }
  Dravon_PerformMethod* performMethod() const { return myPMethod.get(); }
  Dravon_UIRoot* userInterfaceRoot() const { return myUIM; }
  Dravon_UIRoot* connectRoot() const { return myConnectWin; }

  // The scan module the open uses instead of loading libvelmor (not owned; tests). Null: load.
  void setScanModule(Velmor_Module* module) { mModuleOverride = module; }

  // --- Device open and close (main thread)
  // 0: the device is open. 1: it is not (the message was shown; a cancel also answers 1).
  std::int32_t dtScannerOpenDevice(const fnd::Dictionary& device);
  // State 50; makes the root once, then the launcher-facing request, the initial settings and
  // the main window. Answers 0.
  std::int32_t dtScannerOpenUserInterface(std::int32_t unused);
  // The launcher's own request, laid over the one the data source builds when the user
  // interface opens: "UILessMode" 1 opens it without the main window, and the other keys
  // ("QuietSetting", "AutoPowerSetting", "ScanDic", ...) reach the root's request.
  void dsSetLauncherRequest(const fnd::Dictionary& request) { mLauncherRequest = request; }
  std::int32_t dtScannerCloseUserInterface();
  std::int32_t dtScannerCloseDevice();

  // --- Image transfer (main thread), in the order the launcher calls them
  // Answers 0 and keeps nothing: each transfer takes its block size from Memory.Length.
  std::int32_t dtScannerSetupMemorySize(std::uint32_t size);
  // Describes the image about to be transferred (waiting for its image report when the main
  // user interface is open). 0; after a failed wait the error's class with a zeroed record.
  std::int32_t dtScannerGetImageInfo(DT_IMAGEINFO* info);
  // Hands over the next block of rows into the caller's buffer: 0 rows remain, 6 the image's
  // last block, else the error class (1 failure, 3 cancelled).
  std::int32_t dtScannerImageMemoryTransfer(TW_IMAGEMEMXFER* xfer);
  // Mode 1 gives every pending image up (answers 0); other modes answer how many images
  // follow: positive more, 0 none, -3 no room for the next feeder page, -2 the scan failed.
  std::int32_t dtScannerPendingTransfers(std::int32_t mode);
  // 0 saved, 1 after a failed transfer (both show the save-path window first), 2 given up.
  // Then the close request or the main window's controls enabled again. Answers 0.
  std::int32_t dtScannerNotifyDidFinishSaving(std::int32_t status);

  // --- Image delivery behind the transfer calls (main thread). Results: 0 go on, 255 internal
  // failure, any other value a device error number.
  static constexpr std::int16_t kInternalFailure = 255;
  // The longest wait for the error report of a document the module ended with an error.
  static constexpr double kPendingErrorTimeout = 30.0;
  // Describes the image of the data source's current page (waiting for its image report when
  // the main user interface is open). 0; a failed wait describes an empty image and answers
  // the wait's result.
  std::int16_t getImageInfo();
  // The preparation before an image's first block, line mode and page modes.
  std::int16_t getScanImageBlock();
  std::int16_t getScanImagePage();
  // One block of rows, from the module's lines or from the page it handed over.
  std::int16_t setAppImageBlock(TW_IMAGEMEMXFER* xfer);
  std::int16_t setAppImagePage(TW_IMAGEMEMXFER* xfer);
  // The result bitmap of the current page, or null.
  std::unique_ptr<Velmor_BITMAP> prepareDSBitmap();
  // Writes the bitmap into the document's temporary folder: its path, or empty.
  std::string createBitmapFile(Velmor_BITMAP& bitmap);
  // Moves the progress bar and polls Cancel: 0, or the cancel's error number.
  std::int32_t setPercentageAndCheckCancel(std::int16_t percent);
  // During line reading: the device error (after its check), or Cancel once every
  // mCancelInterval ticks. 0 to go on.
  std::int32_t getSMStatus(const std::shared_ptr<Quirel_progressCancelStatus>& status);
  // Monotonic ticks of 1/60 s.
  static std::int64_t tickCount();
  TW_IMAGEINFO twImageInfo() const { return mImageInfo; }
  bool holdsResultBitmap() const { return myBitmap != nullptr; }
  void setDSBundleIdentifier(const std::string& identifier);
  std::string dsBundleIdentifier() const;
  // Capability update from a device dictionary.
  void setDeviceDictionary(const fnd::Dictionary& device);
  void prepareUserInterface(std::int32_t mode);
  void openUserInterface(const fnd::Dictionary& device, std::int32_t uiLess, std::int32_t subDialog);
  // Tear-down, each safe when what it ends is absent, and safe twice.
  void uimCloseWindow();
  void uimRelease();
  void smRelease();
  void dsClear();

  // --- Observer groups
  // Groups 0-5 for `sender` (null: any sender); anything else does nothing. A group already
  // registered for that sender is not registered again.
  void dsAddObserver(std::int32_t group, const void* sender);
  // 1 and 2 end that group for that sender; 50 ends every observation of this object.
  void dsRemoveObserver(std::int32_t group, const void* sender);
  // The groups registered now, with their senders, in the order they were registered.
  std::vector<std::pair<std::int32_t, const void*>> registeredGroups() const;

  // --- Launcher events
  std::int32_t dsInvokeXferReady();

  // --- Waits (main thread). 0, or the device error that ended the wait. Every kind ends on
  // the application's end or stopWaiting() (answering 10002).
  std::int16_t dsWaitForNextEvent(std::int32_t kind);
  // Ends every wait of the data source for good (also what will-terminate does).
  void stopWaiting();
  bool waitsMustEnd() const;

  // --- Scan-document steps used by the waits and the image delivery
  // Cancels the scan once per document.
  void dsCancelScan();
  // Ends the current page when an image report came and the page is not yet ended.
  void dsEndScan(std::int32_t cancel);

  // --- Device error
  // Class of the current device error: 0 none, 3 cancelled, 1 failure.
  std::int16_t dsGetErrorInfo() const;
  static std::int16_t errorClass(std::int32_t error);
  std::int32_t deviceError() const { return mDeviceError.load(); }
  std::array<std::int32_t, 3> errorNumbers() const;
  // Sets the device error, and its detail numbers when given, under DS_ERR_NUMBER_LOCK.
  void setDeviceError(std::int32_t error);
  void setDeviceError(std::int32_t error, const std::array<std::int32_t, 3>& numbers);

  // Shows or drops the current error and settles it. entry 1: from one of the data source's
  // own calls (the progress window is closed first); 0: from a report handler. The report is
  // the last error report, which the check does not read.
  void dsCheckError(const fnd::SharedDictionary& report, std::int32_t entry);
  // Paper out in the feeder: 1 when the user reloaded paper (the error is cleared), else 0 with
  // *error and the device error set to 10002.
  std::int32_t dsCheckPaper(std::int32_t* error);
  // 0 when the image fits on the volumes, 255 when not.
  std::int32_t dsCheckVolumeInfo(std::uint64_t imageSize);
  // Shows message `messageNumber` through the dispatcher: `num` 1 waits for the answer, `info`
  // the detail numbers, `opt` 2 keeps further messages back until the next document. The
  // user's answer; -1 when a message is already showing (or kept back). `str` is not used.
  std::int32_t dsShowMessageEx(std::int32_t messageNumber, const std::string& str, std::int32_t num,
                               const std::array<std::int32_t, 3>& info, std::int32_t opt);

  // Error reports of the scan module (its threads).
  void smErrorInfoObject(const fnd::Notification& note);
  void smErrorWillOccur(const fnd::Notification& note);
  void smModalDialogObject(const fnd::Notification& note);
  // The last error report taken in.
  fnd::SharedDictionary lastErrorReport() const;

  // --- Scan reports (the module's thread)
  void smDocumentStart(const fnd::Notification& note);
  void smImageInfo(const fnd::Notification& note);
  void smImageInfoDummy(const fnd::Notification& note);
  void smPageStartObject(const fnd::Notification& note);
  void smPageEnd(const fnd::Notification& note);
  void smDocumentEnd(const fnd::Notification& note);
  void smStartNoSleep(const fnd::Notification& note);
  void smStopNoSleep(const fnd::Notification& note);
  void smUpdateReadPushButton(const fnd::Notification& note);
  void getTerminateApp(const fnd::Notification& note);

  // --- Group-1 handlers (main thread)
  void uiCloseButton(const fnd::Notification& note);
  void uiLessCloseButton(const fnd::Notification& note);
  void uiResultWindow(const fnd::Notification& note);
  void uiCloseResultWin(const fnd::Notification& note);
  void uiCloseSelectWin(const fnd::Notification& note);
  void uiCloseMultiPageWin(const fnd::Notification& note);
  void uiClosePushMultiPageWin(const fnd::Notification& note);
  void uiAlmNotify(const fnd::Notification& note);

  // --- Relays
  void viaNtfQuirel_SaveInfo(const fnd::Notification& note);
  void viaDsCancel_Scan(const fnd::Notification& note);
  void setUILanguageNumNtf(const fnd::Notification& note);
  void setUIDSBundleIDNtf(const fnd::Notification& note);
  void setPreviewDataNtf(const fnd::Notification& note);
  void endScanNtf(const fnd::Notification& note);
  void ManualCalibrationErrorNtf(const fnd::Notification& note);
  void createProgressWindowNtf(const fnd::Notification& note);
  void setPercentageNtf(const fnd::Notification& note);
  void displayCalibrationProcWindowNtf(const fnd::Notification& note);
  void displayScannerConnectWindowNtf(const fnd::Notification& note);
  void closeScannerConnectWindowNtf(const fnd::Notification& note);
  void DisplayScannerTestStatusNtf(const fnd::Notification& note);

  // --- Small pieces of the event handling
  // 1 disables the main window's controls (KIND 11) unless already disabled; 0 enables them
  // (KIND 10) only when this object disabled them.
  void dsMainWindowControl(std::int32_t disable);
  // The close request to the launcher, at most once per opening. Mode 0 at once, 1 after the
  // current run-loop turn, 2 queued for the main thread; other modes nothing.
  std::int32_t dsPerformCloseDSReq(std::int32_t mode);
  std::int32_t dsInvokeCloseDSReq();
  // When the progress window was made, waits until it is closed (wait kind 8), then forgets it.
  void uimCloseProgress();
  // "DS_CLOSE_PROGRESS_WIN" from the dispatcher.
  void dsCloseProgressWin(const fnd::Notification& note);

  // --- State (written by the open, the scan events and the calls)
  std::atomic<std::int16_t> mCurrentState{kStateDefault};
  std::atomic<std::int16_t> mMainLoopCount{0};      // a data-source call or wait is running
  std::atomic<std::int16_t> mShowErrorDialog{0};    // >0: a message shows or is kept back
  std::atomic<std::int32_t> mErrWillOccur{0};       // an error report is announced
  std::atomic<std::int16_t> mImageInfoDummy{0};     // 0, 10 placeholder report, 20 ignore errors
  std::atomic<std::int16_t> mReceivedSMnc{0};       // received-event bits of the document
  std::atomic<std::int16_t> mDoingDSpage{1};        // the page the data source delivers, from 1
  std::atomic<std::int16_t> mDoingSMpage{0};        // image reports of this document
  std::atomic<std::int32_t> mDocEndInfo{0};         // "STATUS" of the document end
  std::atomic<std::uint16_t> mXferCount{65535};     // pending count (signed when answered)
  std::atomic<bool> mXferReady{false};              // images are ready for the launcher
  std::atomic<bool> mXferReadyPosted{false};        // "MSG_XFERREADY" was posted
  std::atomic<bool> mDoneNextPage{false};           // an image report came; page not yet ended
  std::atomic<std::int16_t> mDataTransMode{0};      // 1 lines, 2 file, 3 memory; 0 none
  std::atomic<bool> mIsFinalLine{false};
  std::atomic<std::int32_t> mRowsTransfered{0};
  std::atomic<bool> mRemainTransData{false};
  std::atomic<bool> mNeedResultWindow{false};       // the scan-result window is wanted
  std::atomic<std::int16_t> mShowingResWin{0};      // 0 none, 1 shown, 2 waiting for it
  std::atomic<bool> mCalledCloseDSReq{false};       // the close request was made
  std::atomic<std::int16_t> mControlMainWindow{0};  // 1: this object disabled the controls
  std::atomic<std::int16_t> mCreatedProgressWin{0};
  std::atomic<std::int16_t> mClosedProgressWin{0};
  std::atomic<bool> mStartedScan{false};            // a document started and not yet waited for
  std::atomic<bool> mCancelSent{false};             // the scan was cancelled in this document
  std::atomic<bool> mTransferStartedScan{false};    // a transfer call started the scanner
  std::atomic<bool> mGaveUpTransfers{false};        // the launcher gave the images up
  std::atomic<bool> mShowIndicators{false};
  std::atomic<bool> mUILessMode{false};
  std::atomic<bool> mAppWillTerminate{false};
  std::atomic<bool> mNeedActivateWindow{false};
  std::atomic<bool> mCalledOpenMainUI{false};
  // Per-document settings of the first image report.
  std::atomic<std::int16_t> mClosePictavoUI{1};     // 1 close after the scan; 0 or 2 keep open
  std::atomic<std::int32_t> mScanningMode{0};       // 0 platen, 1 feeder, 2 film
  std::atomic<std::int32_t> mADFOption{0};
  std::atomic<std::int32_t> mFilmOption{0};
  std::int32_t mCancelEventMode = 0;
  // Device description, set while the device opens.
  std::int32_t mDeviceFunction = 1;
  std::int32_t mModelYear = 0;
  std::int32_t mNetworkSupported = 0;
  std::int32_t mLangNumSuported = 7;
  std::int32_t mADFSupported = 0;
  std::int32_t mCancelInterval = 0;

  // The folder of temporary files ("TemporaryPath" of the document's first image report).
  void setTempPath(const std::string& path);
  std::string tempPath() const;
  SmImageInfo smImageInfo() const;
  // The device strings taken at open.
  std::string prefPath() const;
  std::string nameTitle() const;
  std::string webManualName() const;
  fnd::Dictionary deviceInfoDictionary() const;
  fnd::SharedDictionary settingDictionary() const;

  // The page handed over with the page-start report (null when none): the data source owns it
  // until the page ends.
  std::string pageFilePath() const;
  bool holdsPage() const;

  fnd::Lock DS_NTC_STATE_SM_LOCK;
  fnd::Lock DS_NTC_XFERCOUNT_LOCK;
  fnd::Lock DS_ERR_NUMBER_LOCK;
  mutable fnd::Lock DS_ERR_NOTIFY_LOCK;
  fnd::Lock DS_ERR_FORECAST_LOCK;

 private:
  class WaitScope;
  // Takes one error report in (under DS_ERR_NOTIFY_LOCK).
  void takeInErrorReport(const fnd::SharedDictionary& report);
  // Ends the open with the error shown (steps 11 and 12 of the open): the answer.
  std::int32_t failOpen(bool internalError);
  // Waits after a refused initial setting until the module reports its error; false when the
  // wait ended without one (application end, time-out).
  bool waitForInitError();
  // Ends one group's observations for one sender (any group; the public call takes 1, 2, 50).
  void removeGroup(std::int32_t group, const void* sender);
  // The names of a group and their handlers.
  std::vector<std::pair<std::string, fnd::NotificationCenter::Handler>> groupObservations(std::int32_t group);
  void readDeviceInfo(Velmor_DeviceInfo& info, const fnd::Dictionary& device);
  void setBits(std::int16_t bits);
  void orBits(std::int16_t bits);
  // The image report of either kind; `dummy` is the placeholder mark it leaves.
  void takeImageReport(const fnd::Notification& note, std::int16_t dummy);
  void dropPage();
  // Runs fn on the main thread: at once there, else queued (held weakly).
  void runOnMain(std::function<void()> fn);
  void relayModuleEvent(const ModuleEventRelay& relay, const fnd::Notification& note);
  void relayUIRequest(const UIRequestRelay& relay, const fnd::Notification& note);
  // One poll of a wait: the window gets the cancel object, pending events run. False when
  // the wait must end now (application end).
  bool pollEvents(const std::shared_ptr<Quirel_progressCancelStatus>& status, std::int32_t eventKind);
  // The pause between two polls: until the scan module reports (its reports wake the main
  // loop), the windows get an event or a request is queued, at most one poll interval.
  void pauseForReport();
  // The cancel of a wait: cancels the scan and sets and answers 10000 (feeder) or 10002.
  std::int16_t cancelFromWait();
  std::int16_t waitForPage(bool pageStart);  // kinds 2 and 3
  std::int16_t waitForPageEnd();             // kind 4
  std::int16_t waitForDocumentEnd();         // kind 5
  std::int16_t waitForResultWindow();        // kind 6
  std::int16_t waitForProgressClosed();      // kind 8
  std::int16_t waitForErrorReport();         // kind 9
  std::int16_t waitForErrorHandled();        // kind 10

  // The row bytes of the current description; 0 when it describes no transferable image.
  std::uint64_t describedRowBytes() const;
  // Whether a transfer record can take at least one row of the current description.
  bool transferRecordUsable(const TW_IMAGEMEMXFER* xfer) const;
  static std::uint8_t* transferDestination(const TW_IMAGEMEMXFER& xfer);
  void fillTransferRecord(TW_IMAGEMEMXFER& xfer, std::uint32_t rows) const;
  // Copies one row into the result bitmap when one is wanted and made.
  void copyToResultBitmap(const std::uint8_t* row, std::uint64_t rowBytes);
  // The end of an image's last block: the scan-result window and its file, the bar at 100.
  std::int32_t finishImage();
  // Waits for the next line of the module; null when the block must end (the status to answer
  // in *result, 0 when the row is to be left unwritten).
  const std::uint8_t* nextLine(std::uint32_t row, const std::shared_ptr<Quirel_progressCancelStatus>& status,
                               std::int32_t* result);
  // After a pending count of 65534: the module's error report, Cancel, the application's end
  // or the time-out.
  void waitForPendingError();
  // How many images follow the current one (the pending call's modes other than 1).
  std::int32_t pendingCount();
  Velmor_Module* scanModule() const;
  void releaseResultBitmap();
  void closePageReader();

  // The data-source page the description belongs to; 0 when none of this document (cleared at
  // the document's start, on the module's thread).
  std::atomic<std::int16_t> mCalledImageInfo{0};
  // Main thread only.
  TW_IMAGEINFO mImageInfo{};
  std::int16_t mImageInfoFailure = 0;    // class of a failed description, answered by the transfer
  std::int64_t mTickTime = 0;            // tick count of the last cancel check
  std::unique_ptr<Velmor_BITMAP> myBitmap;
  std::FILE* mPageReader = nullptr;      // the page file, open for reading

  std::atomic<std::int32_t> mDeviceError{0};
  std::array<std::atomic<std::int32_t>, 3> mErrNum{};
  std::atomic<bool> mStopWaiting{false};
  // Under DS_ERR_NOTIFY_LOCK: the last report, whether one is being taken in, and the reports
  // that arrived meanwhile (they wait their turn; none is dropped).
  fnd::SharedDictionary myAdfDic;
  bool mErrorProcessing = false;
  std::deque<fnd::SharedDictionary> mErrorQueue;

  mutable std::mutex mPathMutex;  // the strings and dictionaries below, and the image record
  std::string mTempPathStr;
  std::string mPrefPathStr;
  std::string mDSNameTitleStr;
  std::string mWebManualDevStr;
  std::string mDSBundleIdentifier;
  fnd::Dictionary mDeviceInfoDic;
  fnd::Dictionary mLauncherRequest;  // dsSetLauncherRequest
  fnd::SharedDictionary mySMSettingDic;
  SmImageInfo mSmImageInfo;

  mutable std::mutex mPageMutex;  // the page of the current image
  std::unique_ptr<velmor::PageFile> mPageFile;
  std::unique_ptr<velmor::PageMemory> mPageMemory;

  // One owner identity per registered group and sender, so each can be ended on its own.
  mutable std::mutex mObserverMutex;
  struct Registration {
    std::int32_t group;
    const void* sender;
    std::unique_ptr<char> owner;
  };
  std::vector<Registration> mGroups;

  Velmor_Module* mModuleOverride = nullptr;
  std::unique_ptr<velmor::ModuleLoader> mModuleLoader;
  std::unique_ptr<Velmor_SMController> myScan;
  std::unique_ptr<Dravon_UIController> myUICtrl;
  std::unique_ptr<Dravon_PerformMethod> myPMethod;
  Dravon_UIRoot* myUIM = nullptr;         // made and released by the dispatcher
  Dravon_UIRoot* myConnectWin = nullptr;  // main thread only
  // Calls queued for later hold it weakly: a call that outlives the object does nothing. The
  // destructor resets mAlive while the module's thread may still be queueing calls, so those
  // copy the never-changing mAliveWeak, not mAlive itself.
  std::shared_ptr<Dravon_DirectTWAIN*> mAlive;
  const std::weak_ptr<Dravon_DirectTWAIN*> mAliveWeak{mAlive};
};
