#include "datasource/windows/QuirelRoot.h"

#include "datasource/UIController.h"
#include "ui/frontdoor/Quirel.h"
#include "ui/windows/MessageBoxPort.h"
#include "ui/windows/MessagePort.h"

namespace {
// Loading the library makes the front door's root the one the dispatcher uses.
const bool gInstalled = [] {
  Dravon_UIController::setRootFactory(&Dravon_QuirelRoot::make);
  return true;
}();
}  // namespace

Dravon_QuirelRoot::Dravon_QuirelRoot(std::unique_ptr<Quirel> root) : root_(std::move(root)) {}
Dravon_QuirelRoot::~Dravon_QuirelRoot() = default;

std::unique_ptr<Dravon_UIRoot> Dravon_QuirelRoot::make(std::uint32_t flags) {
  // The root shows its messages through the message port: without one nothing would ever be
  // shown. One already installed (the program's, a test's) is left in place.
  if (!Quirel_MessagePort::installed()) Quirel_MessageBoxPort::installShared();
  return std::make_unique<Dravon_QuirelRoot>(std::make_unique<Quirel>(flags));
}

const void* Dravon_QuirelRoot::notificationSender() const { return root_.get(); }

void Dravon_QuirelRoot::setTWAINRequest(const fnd::Dictionary* request) { root_->setTWAINRequest(request); }
void Dravon_QuirelRoot::createMainWindow() { root_->createMainWindow(); }
void Dravon_QuirelRoot::showMainWindow() { root_->showMainWindow(); }
void Dravon_QuirelRoot::closeMainWindow() { root_->closeMainWindow(); }
void Dravon_QuirelRoot::terminateMainWindow() { root_->terminateMainWindow(); }
void Dravon_QuirelRoot::activateMainWindow() { root_->activateMainWindow(); }
void Dravon_QuirelRoot::setInitSetting(const fnd::Dictionary* initSetting) { root_->setInitSetting(initSetting); }
void Dravon_QuirelRoot::setTWAINObject(void* object) { root_->setTWAINObject(object); }
void Dravon_QuirelRoot::setPreviewData(std::int32_t byteCount, const std::uint8_t* data) { root_->setPreviewData(byteCount, data); }
void Dravon_QuirelRoot::setPreviewMakeSize(std::int32_t width, std::int32_t height) { root_->setPreviewMakeSize(width, height); }
void Dravon_QuirelRoot::drawPreviewArea() { root_->drawPreviewArea(); }
void Dravon_QuirelRoot::setEnableMainWindowControl() { root_->setEnableMainWindowControl(); }
void Dravon_QuirelRoot::setDisableMainWindowControl() { root_->setDisableMainWindowControl(); }
void Dravon_QuirelRoot::endPreview(const fnd::Dictionary* info) { root_->endPreview(info); }
void Dravon_QuirelRoot::endScan() { root_->endScan(); }
void Dravon_QuirelRoot::createProgressWindow() { root_->createProgressWindow(); }
void Dravon_QuirelRoot::showProgressWindow() { root_->showProgressWindow(); }
void Dravon_QuirelRoot::closeProgressWindow() { root_->closeProgressWindow(); }
void Dravon_QuirelRoot::activateProgressWindow() { root_->activateProgressWindow(); }
void Dravon_QuirelRoot::setInformationData(const fnd::Dictionary* info) { root_->setInformationData(info); }
void Dravon_QuirelRoot::setPercentage(std::int16_t percent) { root_->setPercentage(percent); }
void Dravon_QuirelRoot::setScanningInfo(std::int16_t now, std::int16_t total, std::int16_t source) { root_->setScanningInfo(now, total, source); }
void Dravon_QuirelRoot::setEstimatedRemainingTime(std::int32_t seconds) { root_->setEstimatedRemainingTime(seconds); }
void Dravon_QuirelRoot::setMessageFieldInfo(std::int32_t messageNumber, const std::optional<std::string>& format, const std::vector<std::int32_t>& numbers) { root_->setMessageFieldInfo(messageNumber, format, numbers); }
void Dravon_QuirelRoot::displayCalibrationProcWindow(std::int32_t displayMode) { root_->displayCalibrationProcWindow(displayMode); }
void Dravon_QuirelRoot::closeCalibrationProcWindow() { root_->closeCalibrationProcWindow(); }
void Dravon_QuirelRoot::displayScannerConnectWindow() { root_->displayScannerConnectWindow(); }
void Dravon_QuirelRoot::closeScannerConnectWindow() { root_->closeScannerConnectWindow(); }
void Dravon_QuirelRoot::displayScannerTestStatus(const fnd::Dictionary* info) { root_->displayScannerTestStatus(info); }
void Dravon_QuirelRoot::endScannerTest(const fnd::Dictionary* info) { root_->endScannerTest(info); }
std::int32_t Dravon_QuirelRoot::showMessage(std::int32_t messageNumber, std::int32_t errNum1, std::int32_t errNum2, std::int32_t errNum3) { return root_->showMessage(messageNumber, errNum1, errNum2, errNum3); }
std::int32_t Dravon_QuirelRoot::showNetworkErrorMessage(std::int32_t messageNumber, std::int32_t errNum1, std::int32_t errNum2, std::int32_t errNum3, std::int32_t LauchApp) { return root_->showNetworkErrorMessage(messageNumber, errNum1, errNum2, errNum3, LauchApp); }
std::int32_t Dravon_QuirelRoot::showAutoScanStartDialog() { return root_->showAutoScanStartDialog(); }
std::int32_t Dravon_QuirelRoot::showMultiPagePDFPushScanStartDialog() { return root_->showMultiPagePDFPushScanStartDialog(); }
std::int32_t Dravon_QuirelRoot::showSavePathModalWindow() { return root_->showSavePathModalWindow(); }
void Dravon_QuirelRoot::showCloseSelectWindow() { root_->showCloseSelectWindow(); }
void Dravon_QuirelRoot::closeCloseSelectWindow() { root_->closeCloseSelectWindow(); }
void Dravon_QuirelRoot::showScanResultWindow() { root_->showScanResultWindow(); }
void Dravon_QuirelRoot::addScanResultImage(const fnd::Dictionary* info) { root_->addScanResultImage(info); }
void Dravon_QuirelRoot::closeScanResultWindow() { root_->closeScanResultWindow(); }
void Dravon_QuirelRoot::startEventScanResultWindow() { root_->startEventScanResultWindow(); }
void Dravon_QuirelRoot::enableMultiScanWindow() { root_->enableMultiScanWindow(); }
void Dravon_QuirelRoot::scanRetryStart() { root_->scanRetryStart(); }
void Dravon_QuirelRoot::manualCalibrationError(const fnd::Dictionary* info) { root_->manualCalibrationError(info); }
std::int32_t Dravon_QuirelRoot::showMultiPagePDFPullScanEndDialog(std::int32_t number) { return root_->showMultiPagePDFPullScanEndDialog(number); }
void Dravon_QuirelRoot::closeMultiPagePDFPullScanEndDialog() { root_->closeMultiPagePDFPullScanEndDialog(); }
std::int32_t Dravon_QuirelRoot::showMultiPagePDFPushScanEndDialog(std::int32_t number) { return root_->showMultiPagePDFPushScanEndDialog(number); }
void Dravon_QuirelRoot::closeMultiPagePDFPushScanEndDialog() { root_->closeMultiPagePDFPushScanEndDialog(); }
void Dravon_QuirelRoot::showSavePathWindow() { root_->showSavePathWindow(); }
void Dravon_QuirelRoot::closeSavePathWindow() { root_->closeSavePathWindow(); }
void Dravon_QuirelRoot::attachMousedownEvent(const std::shared_ptr<Quirel_progressCancelStatus>& status) { root_->attachMousedownEvent(status); }
void Dravon_QuirelRoot::scanResultMousedownEvent2(const std::shared_ptr<Quirel_progressCancelStatus>& status) { root_->scanResultMousedownEvent2(status); }
void Dravon_QuirelRoot::closeSelectMousedownEvent2(const std::shared_ptr<Quirel_progressCancelStatus>& status) { root_->closeSelectMousedownEvent2(status); }
void Dravon_QuirelRoot::multiPagePDFPullScanEndDialogMousedownEvent(const std::shared_ptr<Quirel_progressCancelStatus>& status) { root_->multiPagePDFPullScanEndDialogMousedownEvent(status); }
void Dravon_QuirelRoot::multiPagePDFPushScanEndDialogMousedownEvent(const std::shared_ptr<Quirel_progressCancelStatus>& status) { root_->multiPagePDFPushScanEndDialogMousedownEvent(status); }
