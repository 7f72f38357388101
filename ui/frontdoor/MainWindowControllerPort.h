#pragma once

#include <cstdint>
#include <memory>

#include "foundation/Value.h"
#include "ui/base/progressCancelStatus.h"

// What the root object asks of the main-window controller. The root reaches the controller only
// through this interface, so the root's tests can stand in for the controller.
//
// Dictionaries the root keeps are shared (the controller may keep them too); other dictionary
// arguments are borrowed for the call only and may be null (none).
class Quirel_MainWindowControllerPort {
 public:
  virtual ~Quirel_MainWindowControllerPort() = default;

  // The identity the controller's windows pass as the sender of their outward posts; the root
  // relays "Uthric_OverrideNotification" from exactly this sender.
  virtual const void* notificationSender() const = 0;

  virtual void setTWAINRequest(const fnd::SharedDictionary& request) = 0;
  // The data-source object, an identity that the controller hands on; never owned.
  virtual void setTWAINObject(void* object) = 0;

  virtual void createMainWindowMainThreadMode() = 0;
  virtual void setInitSettingMainThreadMode(const fnd::SharedDictionary& initSetting) = 0;
  virtual void showMainWindowMainThreadMode() = 0;
  virtual void closeMainWindowMainThreadMode() = 0;
  virtual void terminateMainWindowMainThreadMode() = 0;
  virtual void activateMainWindowMainThreadMode() = 0;

  virtual void startUILessScanMainThreadMode(const fnd::Dictionary* scanDic) = 0;
  virtual void terminateUILessScanMainThreadMode() = 0;
  virtual void showSilentTimeSettingDialog(const fnd::SharedDictionary& initSetting,
                                           const fnd::SharedDictionary& request) = 0;
  virtual void terminateSilentTimeSettingDialog() = 0;
  virtual void showAutoPowerSettingDialog(const fnd::SharedDictionary& initSetting,
                                          const fnd::SharedDictionary& request) = 0;
  virtual void terminateAutoPowerSettingDialog() = 0;

  virtual void setPreviewMakeSizeMainThreadMode(std::int32_t width, std::int32_t height) = 0;
  virtual void setPreviewDataMainThreadMode(std::int32_t byteCount, const std::uint8_t* data) = 0;
  virtual void drawPreviewAreaMainThreadMode() = 0;
  virtual void endPreviewMainThreadMode(const fnd::Dictionary* info) = 0;
  virtual void setEnableMainWindowControlMainThreadMode() = 0;
  virtual void setDisableMainWindowControlMainThreadMode() = 0;
  virtual void endScanMainThreadMode() = 0;

  virtual void scanRetryStart() = 0;
  virtual void showScanResultWindow() = 0;
  virtual void addScanResultImage(const fnd::Dictionary* info) = 0;
  virtual void closeScanResultWindow() = 0;
  virtual void startEventScanResultWindow() = 0;
  virtual void scanResultMousedownEvent2(const std::shared_ptr<Quirel_progressCancelStatus>& status) = 0;
  virtual void setEnableMultiScanWindow() = 0;
  virtual void showCloseSelectWindow() = 0;
  virtual void showSavePathWindow() = 0;
  virtual std::int32_t showSavePathModalWindow() = 0;
  virtual void closeSelectMousedownEvent2(const std::shared_ptr<Quirel_progressCancelStatus>& status) = 0;
  virtual void closeCloseSelectWindow() = 0;
  virtual void closeSavePathWindow() = 0;
  virtual void manualCalibrationError(const fnd::Dictionary* info) = 0;
  virtual void displayScannerTestStatus(const fnd::Dictionary* info) = 0;
  virtual void endScannerTest(const fnd::Dictionary* info) = 0;

  virtual std::int32_t showMultiPagePDFPullScanEndDialog(std::int32_t number, const fnd::SharedDictionary& initSetting) = 0;
  virtual void multiPagePDFPullScanEndDialogMousedownEvent(const std::shared_ptr<Quirel_progressCancelStatus>& status) = 0;
  virtual void closeMultiPagePDFPullScanEndDialog() = 0;
  virtual std::int32_t showMultiPagePDFPushScanStartDialog(const fnd::SharedDictionary& initSetting) = 0;
  virtual std::int32_t showMultiPagePDFPushScanEndDialog(std::int32_t number, const fnd::SharedDictionary& initSetting) = 0;
  virtual void multiPagePDFPushScanEndDialogMousedownEvent(const std::shared_ptr<Quirel_progressCancelStatus>& status) = 0;
  virtual void closeMultiPagePDFPushScanEndDialog() = 0;
  virtual std::int32_t showAutoScanStartDialog(const fnd::SharedDictionary& initSetting) = 0;
};
