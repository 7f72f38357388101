#include "datasource/DirectTWAIN.h"

#include "foundation/Bundle.h"
#include "foundation/RunLoop.h"

Dravon_DirectTWAIN::Dravon_DirectTWAIN() : mAlive(std::make_shared<Dravon_DirectTWAIN*>(this)) {
  dsSet();
  setDSBundleIdentifier(fnd::Bundle::main().identifier());
}

Dravon_DirectTWAIN::~Dravon_DirectTWAIN() {
  // Queued calls (close request, images ready) find nothing from here on.
  mAlive.reset();
  uimRelease();
  releaseResultBitmap();
  closePageReader();
  smRelease();
  dsRemoveObserver(50, nullptr);
  fnd::NotificationCenter::defaultCenter().removeObserver(this);
}

void Dravon_DirectTWAIN::dsSet() {
  mCurrentState = kStateDefault;
  mMainLoopCount = 0;
  mShowErrorDialog = 0;
  mErrWillOccur = 0;
  mImageInfoDummy = 0;
  mReceivedSMnc = 0;
  mDoingDSpage = 1;
  mDoingSMpage = 0;
  mDocEndInfo = 0;
  mXferCount = 65535;
  mXferReady = false;
  mXferReadyPosted = false;
  mDoneNextPage = false;
  mDataTransMode = 0;
  mIsFinalLine = false;
  mRowsTransfered = 0;
  mRemainTransData = false;
  mNeedResultWindow = false;
  mShowingResWin = 0;
  mCalledCloseDSReq = false;
  mControlMainWindow = 0;
  mCreatedProgressWin = 0;
  mClosedProgressWin = 0;
  mStartedScan = false;
  mCancelSent = false;
  mTransferStartedScan = false;
  mGaveUpTransfers = false;
  mShowIndicators = false;
  mUILessMode = false;
  mNeedActivateWindow = true;
  mCalledOpenMainUI = false;
  mClosePictavoUI = 1;
  mScanningMode = 0;
  mADFOption = 0;
  mFilmOption = 0;
  mCancelEventMode = 0;
  mDeviceFunction = 1;
  mModelYear = 0;
  mNetworkSupported = 0;
  mLangNumSuported = 7;
  mADFSupported = 0;
  mCancelInterval = 0;
  setDeviceError(0, {0, 0, 0});
  // Until an image report describes one: 8-bit colour at 75 dpi, no rows.
  mImageInfo = TW_IMAGEINFO{};
  mImageInfo.XResolution = mImageInfo.YResolution = TW_FIX32{75, 0};
  mImageInfo.SamplesPerPixel = 3;
  mImageInfo.BitsPerPixel = 24;
  mImageInfo.BitsPerSample[0] = mImageInfo.BitsPerSample[1] = mImageInfo.BitsPerSample[2] = 8;
  mImageInfo.PixelType = TWPT_RGB;
  mCalledImageInfo = 0;
  mImageInfoFailure = 0;
  mTickTime = 0;
  {
    std::lock_guard guard(mPathMutex);
    mTempPathStr.clear();
    mSmImageInfo = SmImageInfo{};
  }
}

void Dravon_DirectTWAIN::setComponents(std::unique_ptr<Velmor_SMController> scan,
                                       std::unique_ptr<Dravon_UIController> ui,
                                       std::unique_ptr<Dravon_PerformMethod> pump) {
  myUICtrl = std::move(ui);
  myPMethod = std::move(pump);
  myScan = std::move(scan);
}

std::uint64_t Dravon_DirectTWAIN::rowBytes(std::int32_t samples, std::int32_t bitsPerSample, std::int32_t width) {
  if (samples <= 0 || bitsPerSample <= 0 || width <= 0) return 0;
  const std::uint64_t bits = static_cast<std::uint64_t>(samples) * static_cast<std::uint64_t>(bitsPerSample);
  const std::uint64_t w = static_cast<std::uint64_t>(width);
  if (bits == 1) return (w + 7) / 8;
  return bits / 8 * w;
}

void Dravon_DirectTWAIN::runOnMain(std::function<void()> fn) {
  if (fnd::RunLoop::isMainThread()) {
    fn();
    return;
  }
  std::weak_ptr<Dravon_DirectTWAIN*> alive = mAliveWeak;
  fnd::RunLoop::performOnMainThread([alive, fn = std::move(fn)] {
    if (alive.lock()) fn();
  });
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

// --- strings and records -----------------------------------------------------------------------

void Dravon_DirectTWAIN::setTempPath(const std::string& path) {
  std::lock_guard guard(mPathMutex);
  mTempPathStr = path;
}

std::string Dravon_DirectTWAIN::tempPath() const {
  std::lock_guard guard(mPathMutex);
  return mTempPathStr;
}

Dravon_DirectTWAIN::SmImageInfo Dravon_DirectTWAIN::smImageInfo() const {
  std::lock_guard guard(mPathMutex);
  return mSmImageInfo;
}

void Dravon_DirectTWAIN::setDSBundleIdentifier(const std::string& identifier) {
  std::lock_guard guard(mPathMutex);
  mDSBundleIdentifier = identifier;
}

std::string Dravon_DirectTWAIN::dsBundleIdentifier() const {
  std::lock_guard guard(mPathMutex);
  return mDSBundleIdentifier;
}

std::string Dravon_DirectTWAIN::prefPath() const {
  std::lock_guard guard(mPathMutex);
  return mPrefPathStr;
}

std::string Dravon_DirectTWAIN::nameTitle() const {
  std::lock_guard guard(mPathMutex);
  return mDSNameTitleStr;
}

std::string Dravon_DirectTWAIN::webManualName() const {
  std::lock_guard guard(mPathMutex);
  return mWebManualDevStr;
}

fnd::Dictionary Dravon_DirectTWAIN::deviceInfoDictionary() const {
  std::lock_guard guard(mPathMutex);
  return mDeviceInfoDic;
}

fnd::SharedDictionary Dravon_DirectTWAIN::settingDictionary() const {
  std::lock_guard guard(mPathMutex);
  return mySMSettingDic;
}

std::string Dravon_DirectTWAIN::pageFilePath() const {
  std::lock_guard guard(mPageMutex);
  return mPageFile ? mPageFile->path() : std::string();
}

bool Dravon_DirectTWAIN::holdsPage() const {
  std::lock_guard guard(mPageMutex);
  return mPageFile || mPageMemory;
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
  std::weak_ptr<Dravon_DirectTWAIN*> alive = mAliveWeak;
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

std::int32_t Dravon_DirectTWAIN::dsInvokeXferReady() {
  mCurrentState = kStateXferReady;
  mXferReady = true;
  fnd::NotificationCenter::defaultCenter().post(kXferReadyNotification, this);
  mXferReadyPosted = true;
  return 0;
}

// --- progress window ---------------------------------------------------------------------------

void Dravon_DirectTWAIN::dsCloseProgressWin(const fnd::Notification&) { mClosedProgressWin = 1; }

void Dravon_DirectTWAIN::uimCloseProgress() {
  if (mCreatedProgressWin.load() == 0) return;
  dsWaitForNextEvent(8);
  mCreatedProgressWin = 0;
  mTransferStartedScan = false;
}
