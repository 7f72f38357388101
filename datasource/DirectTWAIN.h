#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>

#include "datasource/PerformMethod.h"
#include "datasource/UIController.h"
#include "foundation/Lock.h"
#include "foundation/NotificationCenter.h"
#include "foundation/Value.h"
#include "scanmodule/SMController.h"

// The direct data source: the one object the launcher drives. This part holds its state, its
// five locks, and the error, paper and free-space checks; the launcher-facing calls, the device
// open and the scan events build on it.
//
// Lock order: DS_ERR_NOTIFY_LOCK, then DS_ERR_NUMBER_LOCK, then DS_ERR_FORECAST_LOCK (an error
// report takes them in that order, one after the other, inside the first). DS_NTC_STATE_SM_LOCK
// and DS_NTC_XFERCOUNT_LOCK are taken alone. No lock is held while a message is shown or a
// request is dispatched. Fields that the calls read while polling are atomics; they are written
// under their lock.
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

  // The start-up volume must keep this much free, whatever the image.
  static constexpr std::uint64_t kMinimumFreeSpace = 10485760;
  // Answers of the free-space check.
  static constexpr std::int32_t kVolumeOK = 0;
  static constexpr std::int32_t kVolumeRefused = 255;

  // Notifications to the launcher (object: this).
  static constexpr const char* kXferReadyNotification = "MSG_XFERREADY";
  static constexpr const char* kCloseDSRequestNotification = "MSG_CLOSEDSREQ";

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

  // --- Small pieces of the event handling the checks use
  // 1 disables the main window's controls (KIND 11) unless already disabled; 0 enables them
  // (KIND 10) only when this object disabled them.
  void dsMainWindowControl(std::int32_t disable);
  // The close request to the launcher, at most once per opening. Mode 0 at once, 1 after the
  // current run-loop turn, 2 queued for the main thread; other modes nothing.
  std::int32_t dsPerformCloseDSReq(std::int32_t mode);
  std::int32_t dsInvokeCloseDSReq();
  // When the progress window was made, waits until it is closed, then forgets it.
  void uimCloseProgress();
  // "DS_CLOSE_PROGRESS_WIN" from the dispatcher.
  void dsCloseProgressWin(const fnd::Notification& note);

  // --- State the checks read (written by the open, the scan events and the calls)
  std::atomic<std::int16_t> mCurrentState{kStateDefault};
  std::atomic<std::int16_t> mMainLoopCount{0};      // a data-source call or wait is running
  std::atomic<std::int16_t> mShowErrorDialog{0};    // >0: a message shows or is kept back
  std::atomic<std::int32_t> mErrWillOccur{0};       // an error report is announced
  std::atomic<std::int16_t> mImageInfoDummy{0};     // 0, 10 placeholder report, 20 ignore errors
  std::atomic<std::int16_t> mReceivedSMnc{0};       // received-event bits of the document
  std::atomic<bool> mXferReady{false};              // images are ready for the launcher
  std::atomic<bool> mNeedResultWindow{false};       // the scan-result window is wanted
  std::atomic<bool> mCalledCloseDSReq{false};       // the close request was made
  std::atomic<std::int16_t> mControlMainWindow{0};  // 1: this object disabled the controls
  std::atomic<std::int16_t> mCreatedProgressWin{0};
  std::atomic<std::int16_t> mClosedProgressWin{0};
  std::atomic<bool> mStartedScan{false};            // a document started and not yet waited for
  std::atomic<bool> mCancelSent{false};             // the scan was cancelled in this document
  std::atomic<bool> mTransferStartedScan{false};    // a transfer call started the scanner
  std::int32_t mCancelEventMode = 0;
  // Device description, set while the device opens.
  std::int32_t mDeviceFunction = 1;
  std::int32_t mModelYear = 0;
  std::int32_t mNetworkSupported = 0;

  // The folder of temporary files ("TemporaryPath" of the document's first image report).
  void setTempPath(const std::string& path);
  std::string tempPath() const;

  fnd::Lock DS_NTC_STATE_SM_LOCK;
  fnd::Lock DS_NTC_XFERCOUNT_LOCK;
  fnd::Lock DS_ERR_NUMBER_LOCK;
  mutable fnd::Lock DS_ERR_NOTIFY_LOCK;
  fnd::Lock DS_ERR_FORECAST_LOCK;

 private:
  // Takes one error report in (under DS_ERR_NOTIFY_LOCK).
  void takeInErrorReport(const fnd::SharedDictionary& report);
  // Polls until the progress window is closed (after the document end when the scan was
  // cancelled), keeping the windows alive.
  void waitForProgressClosed();

  std::atomic<std::int32_t> mDeviceError{0};
  std::array<std::atomic<std::int32_t>, 3> mErrNum{};
  // Under DS_ERR_NOTIFY_LOCK: the last report, whether one is being taken in, and the reports
  // that arrived meanwhile (they wait their turn; none is dropped).
  fnd::SharedDictionary myAdfDic;
  bool mErrorProcessing = false;
  std::deque<fnd::SharedDictionary> mErrorQueue;

  mutable std::mutex mPathMutex;
  std::string mTempPathStr;

  std::unique_ptr<Velmor_SMController> myScan;
  std::unique_ptr<Dravon_UIController> myUICtrl;
  std::unique_ptr<Dravon_PerformMethod> myPMethod;
  // Calls queued for later hold it weakly: a call that outlives the object does nothing.
  std::shared_ptr<Dravon_DirectTWAIN*> mAlive;
};
