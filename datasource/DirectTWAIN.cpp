#include "datasource/DirectTWAIN.h"

#include "foundation/RunLoop.h"
#include "foundation/Thread.h"
#include "ui/base/progressCancelStatus.h"

namespace {
// Poll interval of the data source's waits on the main thread.
constexpr double kWaitPollSeconds = 0.1;
}  // namespace

Dravon_DirectTWAIN::Dravon_DirectTWAIN() : mAlive(std::make_shared<Dravon_DirectTWAIN*>(this)) { dsSet(); }

Dravon_DirectTWAIN::~Dravon_DirectTWAIN() {
  fnd::NotificationCenter::defaultCenter().removeObserver(this);
  // The dispatcher's handlers may still reach the scan module's objects: it goes first.
  myUICtrl.reset();
  myPMethod.reset();
  myScan.reset();
}

void Dravon_DirectTWAIN::dsSet() {
  mCurrentState = kStateDefault;
  mMainLoopCount = 0;
  mShowErrorDialog = 0;
  mErrWillOccur = 0;
  mImageInfoDummy = 0;
  mReceivedSMnc = 0;
  mXferReady = false;
  mNeedResultWindow = false;
  mCalledCloseDSReq = false;
  mControlMainWindow = 0;
  mCreatedProgressWin = 0;
  mClosedProgressWin = 0;
  mStartedScan = false;
  mCancelSent = false;
  mTransferStartedScan = false;
  mCancelEventMode = 0;
  mDeviceFunction = 1;
  mModelYear = 0;
  mNetworkSupported = 0;
  setDeviceError(0, {0, 0, 0});
  setTempPath({});
}

void Dravon_DirectTWAIN::setComponents(std::unique_ptr<Velmor_SMController> scan,
                                       std::unique_ptr<Dravon_UIController> ui,
                                       std::unique_ptr<Dravon_PerformMethod> pump) {
  myUICtrl = std::move(ui);
  myPMethod = std::move(pump);
  myScan = std::move(scan);
}

// --- device error ------------------------------------------------------------------------------

std::int16_t Dravon_DirectTWAIN::errorClass(std::int32_t error) {
  switch (error) {
    case 0:
      return 0;
    case 1224:
    case 1231:
    case kErrCancelFeeder:
    case kErrCancel:
      return 3;
    default:
      return 1;
  }
}

std::int16_t Dravon_DirectTWAIN::dsGetErrorInfo() const { return errorClass(mDeviceError.load()); }

std::array<std::int32_t, 3> Dravon_DirectTWAIN::errorNumbers() const {
  return {mErrNum[0].load(), mErrNum[1].load(), mErrNum[2].load()};
}

void Dravon_DirectTWAIN::setDeviceError(std::int32_t error) {
  std::lock_guard guard(DS_ERR_NUMBER_LOCK);
  mDeviceError = error;
}

void Dravon_DirectTWAIN::setDeviceError(std::int32_t error, const std::array<std::int32_t, 3>& numbers) {
  std::lock_guard guard(DS_ERR_NUMBER_LOCK);
  mDeviceError = error;
  for (std::size_t i = 0; i < 3; ++i) mErrNum[i] = numbers[i];
}

void Dravon_DirectTWAIN::setTempPath(const std::string& path) {
  std::lock_guard guard(mPathMutex);
  mTempPathStr = path;
}

std::string Dravon_DirectTWAIN::tempPath() const {
  std::lock_guard guard(mPathMutex);
  return mTempPathStr;
}

// --- main window's controls and the close request ----------------------------------------------

void Dravon_DirectTWAIN::dsMainWindowControl(std::int32_t disable) {
  if (!myUICtrl) return;
  if (disable == 1) {
    std::int16_t expected = 0;
    if (mControlMainWindow.compare_exchange_strong(expected, 1)) myUICtrl->uiControlMethod(nullptr, 11);
  } else if (disable == 0) {
    std::int16_t expected = 1;
    if (mControlMainWindow.compare_exchange_strong(expected, 0)) myUICtrl->uiControlMethod(nullptr, 10);
  }
}

std::int32_t Dravon_DirectTWAIN::dsInvokeCloseDSReq() {
  mCurrentState = kStateUIOpen;
  fnd::NotificationCenter::defaultCenter().post(kCloseDSRequestNotification, this);
  return 0;
}

std::int32_t Dravon_DirectTWAIN::dsPerformCloseDSReq(std::int32_t mode) {
  if (mode < 0 || mode > 2) return 0;
  bool expected = false;
  if (!mCalledCloseDSReq.compare_exchange_strong(expected, true)) return 0;
  if (mode == 0) return dsInvokeCloseDSReq();
  std::weak_ptr<Dravon_DirectTWAIN*> alive = mAlive;
  auto invoke = [alive] {
    if (auto self = alive.lock()) (*self)->dsInvokeCloseDSReq();
  };
  if (mode == 1) {
    fnd::RunLoop::main().performAfterDelay(0, invoke);
  } else {
    fnd::RunLoop::performOnMainThread(invoke);
  }
  return 0;
}

// --- progress window ---------------------------------------------------------------------------

void Dravon_DirectTWAIN::dsCloseProgressWin(const fnd::Notification&) { mClosedProgressWin = 1; }

void Dravon_DirectTWAIN::uimCloseProgress() {
  if (mCreatedProgressWin.load() == 0) return;
  waitForProgressClosed();
  mCreatedProgressWin = 0;
  mTransferStartedScan = false;
}

void Dravon_DirectTWAIN::waitForProgressClosed() {
  ++mMainLoopCount;
  auto status = std::make_shared<Quirel_progressCancelStatus>();
  for (;;) {
    // Nothing can close a window that has no dispatcher or root left: the wait ends then.
    if (!myUICtrl || !myUICtrl->progressRoot()) break;
    myUICtrl->uiControlEvent(status, 400);
    if (myPMethod) myPMethod->sendAnyEvents(0);
    const bool documentDone = !(mCancelSent.load() && mStartedScan.load()) || (mReceivedSMnc.load() & 16) != 0;
    if (documentDone && mClosedProgressWin.load() != 0) break;
    fnd::Thread::sleepFor(kWaitPollSeconds);
  }
  --mMainLoopCount;
}
