#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "foundation/Value.h"
#include "ui/base/progressCancelStatus.h"

// The user-interface root as the dispatcher drives it: one call per request KIND. The window
// build wraps the front door's root object in it (datasource/windows/QuirelRoot.h); builds and
// tests without windows put a double in its place. Every operation runs on the main thread.
//
// Dictionaries are borrowed for the call only and may be null.
class Dravon_UIRoot {
 public:
  virtual ~Dravon_UIRoot() = default;

  // The identity the root posts its relayed notifications with (observers filter on it).
  virtual const void* notificationSender() const = 0;

  // Main window.
  virtual void setTWAINRequest(const fnd::Dictionary* request) = 0;
  virtual void createMainWindow() = 0;
  virtual void showMainWindow() = 0;
  virtual void closeMainWindow() = 0;
  virtual void terminateMainWindow() = 0;
  virtual void activateMainWindow() = 0;
  virtual void setInitSetting(const fnd::Dictionary* initSetting) = 0;
  virtual void setTWAINObject(void* object) = 0;
  virtual void setPreviewData(std::int32_t byteCount, const std::uint8_t* data) = 0;
  virtual void setPreviewMakeSize(std::int32_t width, std::int32_t height) = 0;
  virtual void drawPreviewArea() = 0;
  virtual void setEnableMainWindowControl() = 0;
  virtual void setDisableMainWindowControl() = 0;
  virtual void endPreview(const fnd::Dictionary* info) = 0;
  virtual void endScan() = 0;

  // Progress window and its wait windows.
  virtual void createProgressWindow() = 0;
  virtual void showProgressWindow() = 0;
  virtual void closeProgressWindow() = 0;
  virtual void activateProgressWindow() = 0;
  virtual void setInformationData(const fnd::Dictionary* info) = 0;
  virtual void setPercentage(std::int16_t percent) = 0;
  virtual void setScanningInfo(std::int16_t now, std::int16_t total, std::int16_t source) = 0;
  virtual void setEstimatedRemainingTime(std::int32_t seconds) = 0;
  virtual void setMessageFieldInfo(std::int32_t messageNumber, const std::optional<std::string>& format,
                                   const std::vector<std::int32_t>& numbers) = 0;
  virtual void displayCalibrationProcWindow(std::int32_t displayMode) = 0;
  virtual void closeCalibrationProcWindow() = 0;
  virtual void displayScannerConnectWindow() = 0;
  virtual void closeScannerConnectWindow() = 0;
  virtual void displayScannerTestStatus(const fnd::Dictionary* info) = 0;
  virtual void endScannerTest(const fnd::Dictionary* info) = 0;

  // Message boxes and modal dialogs; each answers the button.
  virtual std::int32_t showMessage(std::int32_t messageNumber, std::int32_t errNum1, std::int32_t errNum2,
                                   std::int32_t errNum3) = 0;
  virtual std::int32_t showNetworkErrorMessage(std::int32_t messageNumber, std::int32_t errNum1, std::int32_t errNum2,
                                               std::int32_t errNum3, std::int32_t LauchApp) = 0;
  virtual std::int32_t showAutoScanStartDialog() = 0;
  virtual std::int32_t showMultiPagePDFPushScanStartDialog() = 0;
  virtual std::int32_t showSavePathModalWindow() = 0;

  // Scan-flow windows.
  virtual void showCloseSelectWindow() = 0;
  virtual void closeCloseSelectWindow() = 0;
  virtual void showScanResultWindow() = 0;
  virtual void addScanResultImage(const fnd::Dictionary* info) = 0;
  virtual void closeScanResultWindow() = 0;
  virtual void startEventScanResultWindow() = 0;
  virtual void enableMultiScanWindow() = 0;
  virtual void scanRetryStart() = 0;
  virtual void manualCalibrationError(const fnd::Dictionary* info) = 0;
  virtual std::int32_t showMultiPagePDFPullScanEndDialog(std::int32_t number) = 0;
  virtual void closeMultiPagePDFPullScanEndDialog() = 0;
  virtual std::int32_t showMultiPagePDFPushScanEndDialog(std::int32_t number) = 0;
  virtual void closeMultiPagePDFPushScanEndDialog() = 0;
  virtual void showSavePathWindow() = 0;
  virtual void closeSavePathWindow() = 0;

  // Cancel objects attached to a window while the data source waits.
  virtual void attachMousedownEvent(const std::shared_ptr<Quirel_progressCancelStatus>& status) = 0;
  virtual void scanResultMousedownEvent2(const std::shared_ptr<Quirel_progressCancelStatus>& status) = 0;
  virtual void closeSelectMousedownEvent2(const std::shared_ptr<Quirel_progressCancelStatus>& status) = 0;
  virtual void multiPagePDFPullScanEndDialogMousedownEvent(const std::shared_ptr<Quirel_progressCancelStatus>& status) = 0;
  virtual void multiPagePDFPushScanEndDialogMousedownEvent(const std::shared_ptr<Quirel_progressCancelStatus>& status) = 0;
};
