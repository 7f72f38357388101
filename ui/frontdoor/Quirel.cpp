#include "ui/frontdoor/Quirel.h"

#include <algorithm>

#include "ui/base/PostNotification.h"
#include "ui/frontdoor/UserInterfaceModule.h"
#include "ui/windows/MessagePort.h"
#include "ui/windows/ProgressWindow.h"

namespace {

std::size_t countPlaceholders(const std::string& format) {
  std::size_t count = 0;
  for (std::size_t at = format.find("%d"); at != std::string::npos; at = format.find("%d", at + 2)) ++count;
  return count;
}

}  // namespace

Quirel::Quirel() : Quirel(kUseProgressWindow | kUseWindowController) {}

Quirel::Quirel(std::uint32_t flags) {
  if (flags <= 3) {
    if (flags & kUseProgressWindow) mProgressWindow = newProgressWindow();
    if (flags & kUseWindowController) mUim = newWindowController();
  }
  startOverrideNotification();
}

std::unique_ptr<Quirel_MainWindowControllerPort> Quirel::newWindowController() {
  return std::make_unique<Quirel_UserInterfaceModule>();
}

bool Quirel::canMakeMainWindow() { return true; }

std::unique_ptr<Quirel_ProgressWindowPort> Quirel::newProgressWindow() {
  return std::make_unique<Quirel_ProgressWindow>();
}

Quirel::Quirel(std::unique_ptr<Quirel_MainWindowControllerPort> windowController,
               std::unique_ptr<Quirel_ProgressWindowPort> progressWindow)
    : mUim(std::move(windowController)), mProgressWindow(std::move(progressWindow)) {
  startOverrideNotification();
}

Quirel::~Quirel() {
  stopOverrideNotification();
  fnd::NotificationCenter::defaultCenter().removeObserver(this);
}

// --- override channel -------------------------------------------------------------------------

void Quirel::startOverrideNotification() {
  auto& center = fnd::NotificationCenter::defaultCenter();
  auto relay = [this](const fnd::Notification& n) { overrideNotification(n); };
  // The filters name the owned objects: a wrapped post from any other sender reaches nobody.
  if (mUim && mUim->notificationSender())
    center.addObserver(this, Quirel_PostNotification::kOverrideNotification, mUim->notificationSender(), relay);
  if (mProgressWindow && mProgressWindow->notificationSender())
    center.addObserver(this, Quirel_PostNotification::kOverrideNotification, mProgressWindow->notificationSender(),
                       relay);
}

void Quirel::stopOverrideNotification() {
  fnd::NotificationCenter::defaultCenter().removeObserver(this, Quirel_PostNotification::kOverrideNotification);
}

void Quirel::overrideNotification(const fnd::Notification& notification) {
  if (!notification.userInfo) return;
  const fnd::Value* name = notification.userInfo->find(Quirel_PostNotification::kOverrideNotificationName);
  if (!name || !name->isString() || name->toString().empty()) return;
  fnd::NotificationCenter::defaultCenter().post(name->toString(), this, notification.userInfo);
}

// --- settings ---------------------------------------------------------------------------------

void Quirel::setInitSetting(const fnd::Dictionary* initSetting) {
  mInitSettingData = initSetting ? fnd::makeShared(*initSetting) : nullptr;
  if (mProgressWindow) mProgressWindow->setInitSettingMainThreadMode(mInitSettingData);
}

void Quirel::setTWAINRequest(const fnd::Dictionary* request) {
  mTWAINRequest = request ? fnd::makeShared(*request) : nullptr;
  if (mUim) mUim->setTWAINRequest(mTWAINRequest);
}

void Quirel::setTWAINObject(void* object) {
  if (mUim) mUim->setTWAINObject(object);
}

// --- main window ------------------------------------------------------------------------------

Quirel_MainWindowControllerPort* Quirel::inMainWindowMode() const {
  return mUim && mUIMode == kModeMainWindow ? mUim.get() : nullptr;
}

Quirel_MainWindowControllerPort* Quirel::inMainWindowOrUILessMode() const {
  return mUim && (mUIMode == kModeMainWindow || mUIMode == kModeUILess) ? mUim.get() : nullptr;
}

void Quirel::createMainWindow() {
  if (!mUim) return;
  mUIMode = kModeMainWindow;
  if (mInitSettingData && mInitSettingData->contains("UILessMode") && mInitSettingData->integer("UILessMode") == 1)
    mUIMode = kModeUILess;
  if (mTWAINRequest) {
    // A later test overrides an earlier one.
    if (mTWAINRequest->integer("QuietSetting") == 1) mUIMode = kModeQuietSetting;
    if (mTWAINRequest->integer("AutoPowerSetting") == 1) mUIMode = kModeAutoPowerSetting;
  }
  if (mUIMode == kModeMainWindow) mUim->createMainWindowMainThreadMode();
}

void Quirel::showMainWindow() {
  if (!mUim) return;
  switch (mUIMode) {
    case kModeMainWindow:
      mUim->setInitSettingMainThreadMode(mInitSettingData);
      mUim->showMainWindowMainThreadMode();
      break;
    case kModeUILess: {
      mUim->setInitSettingMainThreadMode(mInitSettingData);
      const fnd::Value* scanDic = mTWAINRequest ? mTWAINRequest->find("ScanDic") : nullptr;
      mUim->startUILessScanMainThreadMode(scanDic && scanDic->isDictionary() ? &scanDic->toDictionary() : nullptr);
      break;
    }
    case kModeQuietSetting:
      mUim->showSilentTimeSettingDialog(mInitSettingData, mTWAINRequest);
      break;
    case kModeAutoPowerSetting:
      mUim->showAutoPowerSettingDialog(mInitSettingData, mTWAINRequest);
      break;
    default:
      break;
  }
}

void Quirel::closeMainWindow() {
  if (auto* uim = inMainWindowMode()) uim->closeMainWindowMainThreadMode();
}

void Quirel::terminateMainWindow() {
  if (!mUim) return;
  switch (mUIMode) {
    case kModeMainWindow: mUim->terminateMainWindowMainThreadMode(); break;
    case kModeUILess: mUim->terminateUILessScanMainThreadMode(); break;
    case kModeQuietSetting: mUim->terminateSilentTimeSettingDialog(); break;
    case kModeAutoPowerSetting: mUim->terminateAutoPowerSettingDialog(); break;
    default: break;
  }
}

void Quirel::activateMainWindow() {
  if (auto* uim = inMainWindowMode()) uim->activateMainWindowMainThreadMode();
}

void Quirel::setPreviewMakeSize(std::int32_t width, std::int32_t height) {
  if (auto* uim = inMainWindowOrUILessMode()) uim->setPreviewMakeSizeMainThreadMode(width, height);
}

void Quirel::setPreviewData(std::int32_t byteCount, const std::uint8_t* data) {
  if (auto* uim = inMainWindowOrUILessMode()) uim->setPreviewDataMainThreadMode(byteCount, data);
}

void Quirel::drawPreviewArea() {
  if (auto* uim = inMainWindowOrUILessMode()) uim->drawPreviewAreaMainThreadMode();
}

void Quirel::endPreview(const fnd::Dictionary* info) {
  if (auto* uim = inMainWindowOrUILessMode()) uim->endPreviewMainThreadMode(info);
}

void Quirel::setEnableMainWindowControl() {
  if (auto* uim = inMainWindowMode()) uim->setEnableMainWindowControlMainThreadMode();
}

void Quirel::setDisableMainWindowControl() {
  if (auto* uim = inMainWindowMode()) uim->setDisableMainWindowControlMainThreadMode();
}

void Quirel::endScan() {
  if (auto* uim = inMainWindowMode()) uim->endScanMainThreadMode();
}

// --- progress window --------------------------------------------------------------------------

void Quirel::createProgressWindow() {
  if (mProgressWindow) mProgressWindow->createProgressWindowMainThreadMode();
}

void Quirel::setInformationData(const fnd::Dictionary* info) {
  if (mProgressWindow) mProgressWindow->setInformationDataMainThreadMode(info);
}

void Quirel::showProgressWindow() {
  if (mProgressWindow) mProgressWindow->showProgressWindowMainThreadMode();
}

void Quirel::activateProgressWindow() {
  if (mProgressWindow) mProgressWindow->activateProgressWindowMainThreadMode();
}

void Quirel::setPercentage(std::int16_t percent) {
  if (mProgressWindow) mProgressWindow->setPercentageMainThreadMode(percent);
}

void Quirel::setScanningInfo(std::int16_t now, std::int16_t total, std::int16_t source) {
  if (mProgressWindow) mProgressWindow->setScanningInfoMainThreadMode(now, total, source);
}

void Quirel::setEstimatedRemainingTime(std::int32_t minutes) {
  if (mProgressWindow) mProgressWindow->setEstimatedRemainingTimeMainThreadMode(minutes);
}

void Quirel::setMessageFieldInfo(std::int32_t messageNumber, const std::optional<std::string>& format,
                                 const std::vector<std::int32_t>& numbers) {
  if (!mProgressWindow) return;
  std::vector<std::int32_t> passed;
  if (format && !format->empty()) {
    const std::size_t wanted = countPlaceholders(*format);
    // Only numbers the caller really gave are passed: a format with more placeholders than
    // numbers leaves the rest unfilled rather than inventing values.
    if (wanted >= 1 && wanted <= 3)
      passed.assign(numbers.begin(), numbers.begin() + static_cast<std::ptrdiff_t>(std::min(wanted, numbers.size())));
  }
  mProgressWindow->setMessageFieldInfoMainThreadMode(messageNumber, format, passed);
}

void Quirel::closeProgressWindow() {
  if (mProgressWindow) mProgressWindow->closeProgressWindowMainThreadMode();
}

void Quirel::attachMousedownEvent(const std::shared_ptr<Quirel_progressCancelStatus>& status) {
  if (mProgressWindow) mProgressWindow->attachMousedownEventMainThreadMode(status);
}

void Quirel::displayCalibrationProcWindow(std::int32_t displayMode) {
  if (mProgressWindow) mProgressWindow->displayCalibrationProcWindowMainThreadMode(displayMode);
}

void Quirel::closeCalibrationProcWindow() {
  if (mProgressWindow) mProgressWindow->closeCalibrationProcWindowMainThreadMode();
}

void Quirel::displayScannerConnectWindow() {
  if (mProgressWindow) mProgressWindow->displayScannerConnectWindowMainThreadMode();
}

void Quirel::closeScannerConnectWindow() {
  if (mProgressWindow) mProgressWindow->closeScannerConnectWindowwMainThreadMode();
}

// --- messages ---------------------------------------------------------------------------------

std::int32_t Quirel::showMessage(std::int32_t messageNumber, std::int32_t errNum1, std::int32_t errNum2,
                                 std::int32_t errNum3) {
  Quirel_MessagePort* port = Quirel_MessagePort::installed();
  return port ? port->MES_ShowMessageAndNumberMainThreadMode(messageNumber, errNum1, errNum2, errNum3) : 0;
}

std::int32_t Quirel::showNetworkErrorMessage(std::int32_t messageNumber, std::int32_t errNum1, std::int32_t errNum2,
                                             std::int32_t errNum3, std::int32_t LauchApp) {
  Quirel_MessagePort* port = Quirel_MessagePort::installed();
  if (!port) return 0;
  if (LauchApp == 1) return port->MES_NetworkErrorMessageAndNumberMainThreadMode2(messageNumber, errNum1, errNum2, errNum3);
  if (LauchApp == 0) return port->MES_NetworkErrorMessageAndNumberMainThreadMode(messageNumber, errNum1, errNum2, errNum3);
  return 0;
}

// --- after-scan windows -----------------------------------------------------------------------

void Quirel::scanRetryStart() {
  if (auto* uim = inMainWindowMode()) uim->scanRetryStart();
}

void Quirel::showScanResultWindow() {
  if (auto* uim = inMainWindowMode()) uim->showScanResultWindow();
}

void Quirel::addScanResultImage(const fnd::Dictionary* info) {
  if (auto* uim = inMainWindowMode()) uim->addScanResultImage(info);
}

void Quirel::closeScanResultWindow() {
  if (auto* uim = inMainWindowMode()) uim->closeScanResultWindow();
}

void Quirel::startEventScanResultWindow() {
  if (auto* uim = inMainWindowMode()) uim->startEventScanResultWindow();
}

void Quirel::scanResultMousedownEvent2(const std::shared_ptr<Quirel_progressCancelStatus>& status) {
  if (auto* uim = inMainWindowMode()) uim->scanResultMousedownEvent2(status);
}

void Quirel::enableMultiScanWindow() {
  if (auto* uim = inMainWindowMode()) uim->setEnableMultiScanWindow();
}

void Quirel::showCloseSelectWindow() {
  if (auto* uim = inMainWindowMode()) uim->showCloseSelectWindow();
}

void Quirel::showSavePathWindow() {
  if (auto* uim = inMainWindowMode()) uim->showSavePathWindow();
}

std::int32_t Quirel::showSavePathModalWindow() {
  auto* uim = inMainWindowMode();
  return uim ? uim->showSavePathModalWindow() : 1;
}

void Quirel::closeSelectMousedownEvent2(const std::shared_ptr<Quirel_progressCancelStatus>& status) {
  if (auto* uim = inMainWindowMode()) uim->closeSelectMousedownEvent2(status);
}

void Quirel::closeCloseSelectWindow() {
  if (auto* uim = inMainWindowMode()) uim->closeCloseSelectWindow();
}

void Quirel::closeSavePathWindow() {
  if (auto* uim = inMainWindowMode()) uim->closeSavePathWindow();
}

void Quirel::manualCalibrationError(const fnd::Dictionary* info) {
  if (auto* uim = inMainWindowMode()) uim->manualCalibrationError(info);
}

void Quirel::displayScannerTestStatus(const fnd::Dictionary* info) {
  if (auto* uim = inMainWindowMode()) uim->displayScannerTestStatus(info);
}

void Quirel::endScannerTest(const fnd::Dictionary* info) {
  if (auto* uim = inMainWindowMode()) uim->endScannerTest(info);
}

// --- multi-page and auto-scan dialogs: a controller is enough, whatever the mode ---------------

std::int32_t Quirel::showMultiPagePDFPullScanEndDialog(std::int32_t number) {
  return mUim ? mUim->showMultiPagePDFPullScanEndDialog(number, mInitSettingData) : 0;
}

void Quirel::multiPagePDFPullScanEndDialogMousedownEvent(const std::shared_ptr<Quirel_progressCancelStatus>& status) {
  if (mUim) mUim->multiPagePDFPullScanEndDialogMousedownEvent(status);
}

void Quirel::closeMultiPagePDFPullScanEndDialog() {
  if (mUim) mUim->closeMultiPagePDFPullScanEndDialog();
}

std::int32_t Quirel::showMultiPagePDFPushScanStartDialog() {
  return mUim ? mUim->showMultiPagePDFPushScanStartDialog(mInitSettingData) : 1;
}

std::int32_t Quirel::showMultiPagePDFPushScanEndDialog(std::int32_t number) {
  return mUim ? mUim->showMultiPagePDFPushScanEndDialog(number, mInitSettingData) : 0;
}

void Quirel::multiPagePDFPushScanEndDialogMousedownEvent(const std::shared_ptr<Quirel_progressCancelStatus>& status) {
  if (mUim) mUim->multiPagePDFPushScanEndDialogMousedownEvent(status);
}

void Quirel::closeMultiPagePDFPushScanEndDialog() {
  if (mUim) mUim->closeMultiPagePDFPushScanEndDialog();
}

std::int32_t Quirel::showMultiPagePDFPushScanAddPageDialog() { return showMessage(1900, 0, 0, 0); }

std::int32_t Quirel::showAutoScanStartDialog() {
  return mUim ? mUim->showAutoScanStartDialog(mInitSettingData) : 1;
}
