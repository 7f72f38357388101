#pragma once

#include <memory>

#include "datasource/UIRoot.h"

class Quirel;

// The dispatcher's root over the front door's root object. Loading the library installs it as
// the dispatcher's root factory.
class Dravon_QuirelRoot final : public Dravon_UIRoot {
 public:
  explicit Dravon_QuirelRoot(std::unique_ptr<Quirel> root);
  ~Dravon_QuirelRoot() override;

  Quirel& quirel() const { return *root_; }
  // Makes the root for the use flags (never null); installs the real message boxes as the
  // message port when none is installed. Main thread.
  static std::unique_ptr<Dravon_UIRoot> make(std::uint32_t flags);

  const void* notificationSender() const override;
  void setTWAINRequest(const fnd::Dictionary* request) override;
  void createMainWindow() override;
  void showMainWindow() override;
  void closeMainWindow() override;
  void terminateMainWindow() override;
  void activateMainWindow() override;
  void setInitSetting(const fnd::Dictionary* initSetting) override;
  void setTWAINObject(void* object) override;
  void setPreviewData(std::int32_t byteCount, const std::uint8_t* data) override;
  void setPreviewMakeSize(std::int32_t width, std::int32_t height) override;
  void drawPreviewArea() override;
  void setEnableMainWindowControl() override;
  void setDisableMainWindowControl() override;
  void endPreview(const fnd::Dictionary* info) override;
  void endScan() override;
  void createProgressWindow() override;
  void showProgressWindow() override;
  void closeProgressWindow() override;
  void activateProgressWindow() override;
  void setInformationData(const fnd::Dictionary* info) override;
  void setPercentage(std::int16_t percent) override;
  void setScanningInfo(std::int16_t now, std::int16_t total, std::int16_t source) override;
  void setEstimatedRemainingTime(std::int32_t seconds) override;
  void setMessageFieldInfo(std::int32_t messageNumber, const std::optional<std::string>& format,
                           const std::vector<std::int32_t>& numbers) override;
  void displayCalibrationProcWindow(std::int32_t displayMode) override;
  void closeCalibrationProcWindow() override;
  void displayScannerConnectWindow() override;
  void closeScannerConnectWindow() override;
  void displayScannerTestStatus(const fnd::Dictionary* info) override;
  void endScannerTest(const fnd::Dictionary* info) override;
  std::int32_t showMessage(std::int32_t messageNumber, std::int32_t errNum1, std::int32_t errNum2,
                           std::int32_t errNum3) override;
  std::int32_t showNetworkErrorMessage(std::int32_t messageNumber, std::int32_t errNum1, std::int32_t errNum2,
                                       std::int32_t errNum3, std::int32_t LauchApp) override;
  std::int32_t showAutoScanStartDialog() override;
  std::int32_t showMultiPagePDFPushScanStartDialog() override;
  std::int32_t showSavePathModalWindow() override;
  void showCloseSelectWindow() override;
  void closeCloseSelectWindow() override;
  void showScanResultWindow() override;
  void addScanResultImage(const fnd::Dictionary* info) override;
  void closeScanResultWindow() override;
  void startEventScanResultWindow() override;
  void enableMultiScanWindow() override;
  void scanRetryStart() override;
  void manualCalibrationError(const fnd::Dictionary* info) override;
  std::int32_t showMultiPagePDFPullScanEndDialog(std::int32_t number) override;
  void closeMultiPagePDFPullScanEndDialog() override;
  std::int32_t showMultiPagePDFPushScanEndDialog(std::int32_t number) override;
  void closeMultiPagePDFPushScanEndDialog() override;
  void showSavePathWindow() override;
  void closeSavePathWindow() override;
  void attachMousedownEvent(const std::shared_ptr<Quirel_progressCancelStatus>& status) override;
  void scanResultMousedownEvent2(const std::shared_ptr<Quirel_progressCancelStatus>& status) override;
  void closeSelectMousedownEvent2(const std::shared_ptr<Quirel_progressCancelStatus>& status) override;
  void multiPagePDFPullScanEndDialogMousedownEvent(const std::shared_ptr<Quirel_progressCancelStatus>& status) override;
  void multiPagePDFPushScanEndDialogMousedownEvent(const std::shared_ptr<Quirel_progressCancelStatus>& status) override;

 private:
  std::unique_ptr<Quirel> root_;
};
