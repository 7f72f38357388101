// Device open and capabilities, the user interface's opening, and the tear-down.
#include <chrono>

#include "datasource/DirectTWAIN.h"
#include "foundation/Paths.h"
#include "foundation/Thread.h"

namespace {

// The display name without the network ending the device list gives network devices.
std::string withoutNetworkEnding(const std::string& name) {
  static constexpr std::string_view kEnding = " Network";
  if (name.size() >= kEnding.size() && name.compare(name.size() - kEnding.size(), kEnding.size(), kEnding) == 0) {
    return name.substr(0, name.size() - kEnding.size());
  }
  return name;
}

}  // namespace

// --- open --------------------------------------------------------------------------------------

void Dravon_DirectTWAIN::readDeviceInfo(Velmor_DeviceInfo& info, const fnd::Dictionary& device) {
  info.setScanProtocol(0);
  info.setDeviceDictionary(device);
  {
    std::lock_guard guard(mPathMutex);
    mDeviceInfoDic = device;
    mPrefPathStr = info.getDSPrefPath();
    mDSNameTitleStr = info.getDSNameString();
    mWebManualDevStr = info.getDevNameForWebMStr();
  }
  mLangNumSuported = info.getDSLangNum();
  mDeviceFunction = info.getDeviceFunction();
  mADFSupported = info.getADFFunction();
  mNetworkSupported = info.getNetworkFunction();
  mModelYear = info.getModelYear();
  mCancelInterval = info.getCancelInterval();
}

std::int32_t Dravon_DirectTWAIN::dtScannerOpenDevice(const fnd::Dictionary& device) {
  mCurrentState = kStateOpening;
  dsSet();
  dsAddObserver(5, nullptr);
  dsAddObserver(3, nullptr);
  mMainLoopCount = 1;

  Velmor_Module* module = mModuleOverride;
  if (!module) {
    if (!mModuleLoader) mModuleLoader = velmor::ModuleLoader::load();
    if (mModuleLoader) module = &mModuleLoader->module();
  }
  if (module) {
    if (std::unique_ptr<Velmor_DeviceInfo> info = module->createDeviceInfo()) readDeviceInfo(*info, device);
  }

  if (module && !myScan) myScan = module->createController();
  if (!myUICtrl) myUICtrl = std::make_unique<Dravon_UIController>();
  if (!myPMethod) myPMethod = std::make_unique<Dravon_PerformMethod>();
  if (myScan) {
    myScan->initScanM();
    dsAddObserver(4, myScan.get());
  }
  if (myUICtrl) {
    dsAddObserver(0, myUICtrl.get());
    const fnd::Dictionary twain{{"TWAINID", dsBundleIdentifier()}};
    myUICtrl->setDsBundleInfo(&twain, this);
  }
  // Without the scan module there is nothing to open; the dispatcher stays to show why.
  if (!myScan || !myUICtrl || !myPMethod) return failOpen(true);

  auto settings = fnd::makeShared();
  if (std::unique_ptr<Velmor_DeviceInfo> info = module->createDeviceInfo()) {
    info->setScanProtocol(0);
    info->setDeviceDictionary(device);
    info->createScanMStartDic(*settings);
  }
  settings->set("NSHOMEDIRECTORY", fnd::Paths::homeDir());
  if (const fnd::Value* scanner = device.find("ICScannerDevice")) settings->set("ICScannerDevice", *scanner);
  {
    std::lock_guard guard(mPathMutex);
    mySMSettingDic = settings;
  }

  if (myScan->smInitSetting(*settings) == 0) {
    myScan->smSetMaxPercentage(80, 99);
    myScan->smSetTransferMode(3);
    fnd::SharedDictionary capabilities = myScan->smGetDeviceInformation();
    if (!capabilities) return failOpen(true);
    setDeviceDictionary(*capabilities);
  } else {
    if (fnd::SharedDictionary capabilities = myScan->smGetDeviceInformation()) setDeviceDictionary(*capabilities);
    // The module says why on its own thread; a module that never does must not hang the open.
    if (!waitForInitError()) return failOpen(true);
  }

  if (deviceError() == 0) {
    mMainLoopCount = 0;
    return 0;
  }
  return failOpen(false);
}

bool Dravon_DirectTWAIN::waitForInitError() {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(kInitErrorTimeout);
  while (deviceError() == 0) {
    if (waitsMustEnd() || std::chrono::steady_clock::now() >= deadline) return false;
    if (myPMethod) myPMethod->sendAnyEvents(0);
    if (deviceError() != 0) break;
    pauseForReport();
  }
  return true;
}

std::int32_t Dravon_DirectTWAIN::failOpen(bool internalError) {
  if (internalError) setDeviceError(kErrInternal, kInternalNumbers);
  dsCheckError(lastErrorReport(), 1);
  uimRelease();
  smRelease();
  dsClear();
  mMainLoopCount = 0;
  // The class is 1 or 3 (a cancel); either way nothing is open any more, and an error the check
  // settled as none must not read as an open device either: the answer is 1.
  return 1;
}

void Dravon_DirectTWAIN::setDeviceDictionary(const fnd::Dictionary& device) {
  if (device.intValue("OpticalResolution") == 0) return;
  if (device.contains("ADF")) {
    switch (device.intValue("SupportMethod")) {
      case 3:
        mADFSupported = 1;
        break;
      case 7:
        mADFSupported = 2;
        break;
      default:
        mADFSupported = 0;
        break;
    }
  }
}

// --- user interface ----------------------------------------------------------------------------

std::int32_t Dravon_DirectTWAIN::dtScannerOpenUserInterface(std::int32_t /*unused*/) {
  mCurrentState = kStateUIOpen;
  const bool uiLess = mLauncherRequest.integer("UILessMode") == 1;
  mUILessMode = uiLess;
  mShowIndicators = true;
  if (!myUIM && myUICtrl) {
    myUIM = myUICtrl->initUIM(3);
    if (myUIM) {
      dsAddObserver(1, myUIM->notificationSender());
      dsAddObserver(2, myUIM->notificationSender());
    }
  }
  prepareUserInterface(0);
  openUserInterface(deviceInfoDictionary(), uiLess ? 1 : 0, 0);
  mCalledOpenMainUI = true;
  return 0;
}

void Dravon_DirectTWAIN::prepareUserInterface(std::int32_t /*mode*/) {
  if (!myUICtrl) return;
  // The request carries no largest-scan limit.
  auto request = fnd::makeShared(fnd::Dictionary{{"ADFPrefetch", 0},
                                                 {"DeviceNameTitle", withoutNetworkEnding(nameTitle())},
                                                 {"MultiPagePDFScan", 0},
                                                 {"LargeImageScan", 0},
                                                 {"ImageDataFormat", 0},
                                                 {"QuietSetting", 0},
                                                 {"AutoPowerSetting", 0}});
  for (const auto& [key, value] : mLauncherRequest)
    if (key != "UILessMode") request->set(key, value);
  myUICtrl->uiControlMethod(request, 0);
}

void Dravon_DirectTWAIN::openUserInterface(const fnd::Dictionary& device, std::int32_t uiLess, std::int32_t subDialog) {
  if (!myUICtrl || !myScan) return;
  if (fnd::SharedDictionary information = myScan->smGetDeviceInformation()) {
    // The module's copy is ours to change.
    auto initSetting = fnd::makeShared(*information);
    initSetting->set("WebMDeviceName", webManualName());
    Velmor_Module* module = mModuleOverride ? mModuleOverride : (mModuleLoader ? &mModuleLoader->module() : nullptr);
    if (module) {
      if (std::unique_ptr<Velmor_DeviceInfo> info = module->createDeviceInfo()) {
        info->setScanProtocol(0);
        info->setDeviceDictionary(device);
        info->createUIMStartDic(*initSetting, "1", uiLess);
      }
    }
    myUICtrl->uiControlMethod(initSetting, 6);
  }
  if (subDialog == 0) {
    myUICtrl->uiControlMethod(nullptr, 1);
    myUICtrl->uiControlMethod(nullptr, 2);
  }
}

// --- tear-down ---------------------------------------------------------------------------------

std::int32_t Dravon_DirectTWAIN::dtScannerCloseUserInterface() {
  mCurrentState = kStateClosing;
  uimCloseWindow();
  return 0;
}

std::int32_t Dravon_DirectTWAIN::dtScannerCloseDevice() {
  mCurrentState = kStateClosed;
  uimRelease();
  smRelease();
  dsClear();
  return 0;
}

void Dravon_DirectTWAIN::uimCloseWindow() {
  if (!myScan) return;
  // A document that has only started is stopped; a page under way ends normally.
  if (mReceivedSMnc.load() == kBitDocumentStart) dsCancelScan();
  dsEndScan(0);
  // The rest of a document still running is given up too: its next page would wait for a
  // transfer that will never come, and the wait for its end below would never end.
  if (mStartedScan.load() && (mReceivedSMnc.load() & kBitDocumentEnd) == 0) dsCancelScan();
  uimCloseProgress();
  dsWaitForNextEvent(6);
  if (mStartedScan.load()) {
    dsWaitForNextEvent(5);
    mStartedScan = false;
  }
  if (mCalledOpenMainUI.exchange(false) && myUICtrl) {
    myUICtrl->uiControlMethod(nullptr, 3);
    myUICtrl->uiControlMethod(nullptr, 4);
  }
}

void Dravon_DirectTWAIN::uimRelease() {
  uimCloseWindow();
  if (myConnectWin && myUICtrl) {
    dsRemoveObserver(2, myConnectWin->notificationSender());
    myUICtrl->releaseConnectWin();
  }
  myConnectWin = nullptr;
  if (myUIM) {
    dsRemoveObserver(1, myUIM->notificationSender());
    dsRemoveObserver(2, myUIM->notificationSender());
    if (myUICtrl) myUICtrl->releaseUIM();
    myUIM = nullptr;
  }
}

void Dravon_DirectTWAIN::smRelease() {
  // A report handler on the module's thread may be waiting for the main thread (a message, the
  // preview copy): that wait ends first, so joining the module's thread cannot deadlock.
  if (myUICtrl) myUICtrl->stopWaiting();
  if (myScan) {
    myScan->releaseScanM();
    removeGroup(4, myScan.get());
    myScan.reset();
  }
  if (myUICtrl) {
    removeGroup(0, myUICtrl.get());
    myUICtrl.reset();
  }
  myPMethod.reset();
}

void Dravon_DirectTWAIN::dsClear() {
  mCancelSent = false;
  mControlMainWindow = 0;
  mMainLoopCount = 0;
  setDeviceError(0, {0, 0, 0});
  {
    std::lock_guard guard(DS_ERR_NOTIFY_LOCK);
    myAdfDic.reset();
    mErrorQueue.clear();
  }
  releaseResultBitmap();
  closePageReader();
  dropPage();
  // The bundle identifier stays: it is the application's, set once when the object is made, and
  // a later open would otherwise send the user interface an empty one.
  {
    std::lock_guard guard(mPathMutex);
    mySMSettingDic.reset();
    mTempPathStr.clear();
    mPrefPathStr.clear();
    mDSNameTitleStr.clear();
    mWebManualDevStr.clear();
    mDeviceInfoDic = fnd::Dictionary{};
  }
  // The error reports and pages just dropped were made by the module's library: only now, with
  // its controller gone too, may the library be unloaded.
  if (!myScan) mModuleLoader.reset();
}
