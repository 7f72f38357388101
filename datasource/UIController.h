#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "datasource/PerformMethod.h"
#include "datasource/UIRoot.h"
#include "foundation/Lock.h"
#include "foundation/Timer.h"
#include "foundation/Value.h"
#include "ui/base/progressCancelStatus.h"

// The dispatcher: the data source drives the user interface only through it. It owns the
// root objects and turns each numbered request (KIND) into one call on a root, always on the
// main thread:
// - from a worker thread the request is counted as pending and queued for the main thread's
//   default run-loop mode without waiting (message requests then wait for the answer, except
//   KIND 300);
// - on the main thread the requests still queued run first, then the call is made directly.
//
// Requests carry a shared mutable dictionary; the dispatcher adds "ThreadMode" (1 on the main
// thread, else 0), and message handlers write their answer under "ReturnValue".
//
// Locks: UI_CONTROL_LOCK serialises dispatch calls; UI_COUNTER_LOCK guards the pending count.
// The main thread never blocks on UI_CONTROL_LOCK while a worker that holds it waits for the
// main thread (see acquireControl in the .cpp). Create, use and destroy it on the main thread;
// worker threads may dispatch.
class Dravon_UIController {
 public:
  // Makes a root for the use flags (0 none, 1 progress window, 2 window controller, 3 both);
  // null when none can be made.
  using RootFactory = std::function<std::unique_ptr<Dravon_UIRoot>(std::uint32_t flags)>;
  // Process-wide factory for roots made from now on; answers the one it replaced. The window
  // build installs one over the front door's root when the library loads.
  static RootFactory setRootFactory(RootFactory factory);

  // Keys of the request dictionaries.
  static constexpr const char* kThreadMode = "ThreadMode";
  static constexpr const char* kReturnValue = "ReturnValue";
  static constexpr const char* kCancelObject = "CancelObject";
  // Posted (object: the dispatcher) after every close-progress request.
  static constexpr const char* kCloseProgressNotification = "DS_CLOSE_PROGRESS_WIN";
  // The application's will-terminate notification (any sender): worker waits end with it.
  static constexpr const char* kApplicationWillTerminate = "NSApplicationWillTerminateNotification";
  // The no-sleep timer's beat.
  static constexpr double kNoSleepInterval = 15.0;

  Dravon_UIController();
  ~Dravon_UIController();
  Dravon_UIController(const Dravon_UIController&) = delete;
  Dravon_UIController& operator=(const Dravon_UIController&) = delete;

  // --- Roots
  // Makes the main root (the data source passes 3) and uses it for progress requests too.
  Dravon_UIRoot* initUIM(std::uint32_t flags);
  // A progress-only root, given the dictionary as its initial setting.
  Dravon_UIRoot* initProgress(const fnd::Dictionary* dic);
  // A separate progress-only root for the scanner-connect window.
  Dravon_UIRoot* initConnectWin();
  // Keeps `object` (the data source, not owned) unless `dic` is null.
  void setDsBundleInfo(const fnd::Dictionary* dic, void* object);
  void setProgressInfo(const fnd::Dictionary* dic);
  // Each first lets every pending request run, then releases its root.
  void releaseUIM();
  void releaseProgress();
  void releaseConnectWin();

  Dravon_UIRoot* mainRoot() const { return moUIM.get(); }
  Dravon_UIRoot* progressRoot() const { return moProgress; }
  Dravon_UIRoot* connectRoot() const { return moConnectWin.get(); }
  void* dataSourceObject() const { return mDSSenderObject; }

  // Whether a dispatch call holds UI_CONTROL_LOCK right now. Reports only: the lock is never
  // released by anyone but the thread that took it.
  bool checkProcessingStatus() const { return mProcessing.load() != 0; }

  // --- Dispatch families
  // KIND 0-13 and 100-114.
  void uiControlMethod(fnd::SharedDictionary dic, std::int32_t kind);
  // KIND 300-305; the answer ("ReturnValue").
  std::int32_t uiControlMessage(fnd::SharedDictionary dic, std::int32_t kind);
  // KIND 200-214; answers 0.
  std::int32_t uiControlNotification(fnd::SharedDictionary dic, std::int32_t kind);
  // KIND 400-404: attaches the cancel object to a window; main thread only (elsewhere nothing).
  void uiControlEvent(std::shared_ptr<Quirel_progressCancelStatus> object, std::int32_t kind);
  // KIND 1000 (no-sleep start) and 1001 (stop).
  void uiControlSystemEvent(fnd::SharedDictionary dic, std::int32_t kind);
  // Under UI_CONTROL_LOCK, waits until no more than `allowed` requests are pending (none by
  // default).
  void uiClearCounter(std::int32_t allowed = 0);

  // Ends, for good, every wait of a worker thread for the main thread: the data source calls it
  // before it waits for the scan module's threads (which may be waiting here), and the
  // application's will-terminate notification does it too. Such a wait then answers 0; the
  // request itself still runs if the main thread gets to it. Any thread.
  void stopWaiting();
  bool waitsStopped() const { return mStopWaiting.load(); }

  // Requests queued from worker threads that have not yet run.
  std::int32_t pendingCount() const;
  Dravon_PerformMethod& performMethod() { return *moPMethod; }
  bool noSleepTimerRunning() const { return mTimerNotSleep != nullptr; }
  std::int32_t noSleepTimerCounter() const { return mTimerCounter; }

  // --- Handlers (main thread; each lowers the pending count when "ThreadMode" is not 1)
  void dsSetTWAINRequest(const fnd::SharedDictionary& dic);
  void dsCreateMainWindow(const fnd::SharedDictionary& dic);
  void dsShowMainWindow(const fnd::SharedDictionary& dic);
  void dsCloseMainWindow(const fnd::SharedDictionary& dic);
  void dsTerminateMainWindow(const fnd::SharedDictionary& dic);
  void dsActivateMainWindow(const fnd::SharedDictionary& dic);
  void dsSetInitSetting(const fnd::SharedDictionary& dic);
  void dsSetPreviewData(const fnd::SharedDictionary& dic);
  void dsSetPreviewMakeSize(const fnd::SharedDictionary& dic);
  void dsDrawPreviewArea(const fnd::SharedDictionary& dic);
  void dsSetEnableMainWindowControl(const fnd::SharedDictionary& dic);
  void dsSetDisableMainWindowControl(const fnd::SharedDictionary& dic);
  void dsEndPreview(const fnd::SharedDictionary& dic);
  void dsEndScan(const fnd::SharedDictionary& dic);

  void dsCreateProgressWindow(const fnd::SharedDictionary& dic);
  void dsShowProgressWindow(const fnd::SharedDictionary& dic);
  void dsCloseProgressWindow(const fnd::SharedDictionary& dic);
  void dsActivateProgressWindow(const fnd::SharedDictionary& dic);
  void dsSetInformationData(const fnd::SharedDictionary& dic);
  void dsSetPercentage(const fnd::SharedDictionary& dic);
  void dsSetScanningInfo(const fnd::SharedDictionary& dic);
  void dsSetEstimatedRemainingTime(const fnd::SharedDictionary& dic);
  void dsSetMessageFieldInfo(const fnd::SharedDictionary& dic);
  void dsDisplayCalibrationProcWindow(const fnd::SharedDictionary& dic);
  void dsCloseCalibrationProcWindow(const fnd::SharedDictionary& dic);
  void dsDisplayScannerConnectWindow(const fnd::SharedDictionary& dic);
  void dsCloseScannerConnectWindow(const fnd::SharedDictionary& dic);
  void dsDisplayScannerTestStatus(const fnd::SharedDictionary& dic);
  void dsCloseScannerTestStatus(const fnd::SharedDictionary& dic);

  void dsShowCloseSelectWindow(const fnd::SharedDictionary& dic);
  void dsCloseCloseSelectWindow(const fnd::SharedDictionary& dic);
  void dsShowScanResultWindow(const fnd::SharedDictionary& dic);
  void dsAddScanResultImage(const fnd::SharedDictionary& dic);
  void dsCloseScanResultWindow(const fnd::SharedDictionary& dic);
  void dsStartEventScanResultWindow(const fnd::SharedDictionary& dic);
  void dsEnableMultiScanWindow(const fnd::SharedDictionary& dic);
  void dsScanRetryStartError(const fnd::SharedDictionary& dic);
  void dsManualCalibrationError(const fnd::SharedDictionary& dic);
  void dsShowMultiScanEndWindow(const fnd::SharedDictionary& dic);
  void dsCloseMultiScanEndWindow(const fnd::SharedDictionary& dic);
  void dsShowPushMultiScanEndWindow(const fnd::SharedDictionary& dic);
  void dsClosePushMultiScanEndWindow(const fnd::SharedDictionary& dic);
  void dsShowSavePathWindow(const fnd::SharedDictionary& dic);
  void dsCloseSavePathWindow(const fnd::SharedDictionary& dic);

  void dsShowMessageAndNumber(const fnd::SharedDictionary& dic);
  void dsNetworkErrorMessage(const fnd::SharedDictionary& dic);
  void dsAutoScanStartMessage(const fnd::SharedDictionary& dic);
  void dsMultiPageScanStartMessage(const fnd::SharedDictionary& dic);
  void dsSavePathModalMessage(const fnd::SharedDictionary& dic);

  void dsProgressMousedownEvent(const fnd::SharedDictionary& dic);
  void dsScanResultMousedownEvent(const fnd::SharedDictionary& dic);
  void dsCloseSelectMousedownEvent(const fnd::SharedDictionary& dic);
  void dsMultiPagePullScanMousedownEvent(const fnd::SharedDictionary& dic);
  void dsMultiPagePushScanMousedownEvent(const fnd::SharedDictionary& dic);

  void dsStartEventNoSleep(const fnd::SharedDictionary& dic);
  void dsStopEventNoSleep(const fnd::SharedDictionary& dic);
  // The no-sleep timer's action: keeping a timer alive is all that is asked of it.
  void dsTimerNotSleep(const fnd::SharedDictionary& dic);

  using Handler = void (Dravon_UIController::*)(const fnd::SharedDictionary&);
  // The handler of a KIND in a family's table, or null when the KIND is not in it.
  static Handler methodHandler(std::int32_t kind);
  static Handler messageHandler(std::int32_t kind);
  static Handler notificationHandler(std::int32_t kind);
  static Handler eventHandler(std::int32_t kind);
  static Handler systemEventHandler(std::int32_t kind);

 private:
  class ControlScope;
  // The shared body of the queued families. `waitForAnswer`: the caller (on a worker) waits
  // until its request has run. False when that wait was given up (stopWaiting).
  bool dispatch(fnd::SharedDictionary& dic, Handler handler, bool waitForAnswer);
  // The waiting rule: pump until no more than `allowed` queued requests are left (on the main
  // thread, requests whose handlers are running further up its own stack do not count).
  void waitForPending(std::int32_t allowed = 0);
  bool hasPending(std::int32_t allowed = 0) const;
  // Wakes a worker waiting in waitForPending.
  void wakePendingWaiter();
  void countUp();
  // Lowers the pending count when the request came from a worker thread.
  void countDown(const fnd::SharedDictionary& dic);
  void runQueued(Handler handler, const fnd::SharedDictionary& dic);
  // The message answer of the root, through a temporary root when none is open.
  std::int32_t askMessage(const std::function<std::int32_t(Dravon_UIRoot&)>& ask);
  std::unique_ptr<Dravon_UIRoot> makeRoot(std::uint32_t flags) const;
  void releaseRoot(std::unique_ptr<Dravon_UIRoot>& root);

  fnd::Lock UI_CONTROL_LOCK;
  mutable fnd::Lock UI_COUNTER_LOCK;
  std::unique_ptr<Dravon_PerformMethod> moPMethod;
  std::int32_t mPerformCounter = 0;          // under UI_COUNTER_LOCK
  std::atomic<std::int32_t> mProcessing{0};  // 1 while a dispatch call holds UI_CONTROL_LOCK
  std::atomic<std::thread::id> mControlOwner{};
  // Set while the holder of UI_CONTROL_LOCK (a worker) only waits for the main thread.
  std::atomic<bool> mHolderWaiting{false};
  std::atomic<bool> mStopWaiting{false};
  // A worker waiting for the main thread sleeps here until a request is done or the waits stop.
  std::mutex mPendingMutex;
  std::condition_variable mPendingDone;
  // Queued handlers running on the main thread right now (main thread only).
  std::int32_t mRunningQueued = 0;
  std::int32_t mTimerCounter = 0;
  std::shared_ptr<fnd::Timer> mTimerNotSleep;
  void* mDSSenderObject = nullptr;
  std::unique_ptr<Dravon_UIRoot> moUIM;
  Dravon_UIRoot* moProgress = nullptr;  // moUIM or mProgressRoot
  std::unique_ptr<Dravon_UIRoot> mProgressRoot;  // made by initProgress
  std::unique_ptr<Dravon_UIRoot> moConnectWin;
  // Queued calls hold it weakly: a call that outlives the dispatcher does nothing.
  std::shared_ptr<Dravon_UIController*> mAlive;
};
