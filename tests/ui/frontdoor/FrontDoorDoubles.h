#pragma once

// Recording stand-ins for the objects the root drives. Each call is logged as one line ("name"
// or "name:args") so a test can say exactly what reached them.

#include <string>
#include <vector>

#include "../windows/WindowDoubles.h"
#include "ui/frontdoor/MainWindowControllerPort.h"
#include "ui/windows/ProgressWindowPort.h"

namespace frontdoor_test {

using windows_test::FakeMessages;
using windows_test::Log;

inline std::string describe(const fnd::SharedDictionary& d) { return d ? "dict" : "nil"; }
inline std::string describe(const fnd::Dictionary* d) { return d ? "dict" : "nil"; }

class FakeWindowController : public Quirel_MainWindowControllerPort {
 public:
  explicit FakeWindowController(Log& log) : log_(log) {}
  const void* notificationSender() const override { return this; }

  fnd::SharedDictionary lastInitSetting, lastRequest;
  const fnd::Dictionary* lastScanDic = nullptr;
  std::int32_t savePathAnswer = 7, pullEndAnswer = 8, pushStartAnswer = 9, pushEndAnswer = 10, autoScanAnswer = 11;

  void setTWAINRequest(const fnd::SharedDictionary& r) override { lastRequest = r; add("setTWAINRequest:" + describe(r)); }
  void setTWAINObject(void*) override { add("setTWAINObject"); }
  void createMainWindowMainThreadMode() override { add("createMainWindow"); }
  void setInitSettingMainThreadMode(const fnd::SharedDictionary& s) override {
    lastInitSetting = s;
    add("setInitSetting:" + describe(s));
  }
  void showMainWindowMainThreadMode() override { add("showMainWindow"); }
  void closeMainWindowMainThreadMode() override { add("closeMainWindow"); }
  void terminateMainWindowMainThreadMode() override { add("terminateMainWindow"); }
  void activateMainWindowMainThreadMode() override { add("activateMainWindow"); }
  void startUILessScanMainThreadMode(const fnd::Dictionary* scanDic) override {
    lastScanDic = scanDic;
    add("startUILessScan:" + describe(scanDic));
  }
  void terminateUILessScanMainThreadMode() override { add("terminateUILessScan"); }
  void showSilentTimeSettingDialog(const fnd::SharedDictionary&, const fnd::SharedDictionary&) override {
    add("showSilentTimeSettingDialog");
  }
  void terminateSilentTimeSettingDialog() override { add("terminateSilentTimeSettingDialog"); }
  void showAutoPowerSettingDialog(const fnd::SharedDictionary&, const fnd::SharedDictionary&) override {
    add("showAutoPowerSettingDialog");
  }
  void terminateAutoPowerSettingDialog() override { add("terminateAutoPowerSettingDialog"); }
  void setPreviewMakeSizeMainThreadMode(std::int32_t w, std::int32_t h) override {
    add("setPreviewMakeSize:" + std::to_string(w) + "x" + std::to_string(h));
  }
  void setPreviewDataMainThreadMode(std::int32_t n, const std::uint8_t*) override {
    add("setPreviewData:" + std::to_string(n));
  }
  void drawPreviewAreaMainThreadMode() override { add("drawPreviewArea"); }
  void endPreviewMainThreadMode(const fnd::Dictionary* d) override { add("endPreview:" + describe(d)); }
  void setEnableMainWindowControlMainThreadMode() override { add("setEnableMainWindowControl"); }
  void setDisableMainWindowControlMainThreadMode() override { add("setDisableMainWindowControl"); }
  void endScanMainThreadMode() override { add("endScan"); }
  void scanRetryStart() override { add("scanRetryStart"); }
  void showScanResultWindow() override { add("showScanResultWindow"); }
  void addScanResultImage(const fnd::Dictionary*) override { add("addScanResultImage"); }
  void closeScanResultWindow() override { add("closeScanResultWindow"); }
  void startEventScanResultWindow() override { add("startEventScanResultWindow"); }
  void scanResultMousedownEvent2(const std::shared_ptr<Quirel_progressCancelStatus>&) override {
    add("scanResultMousedownEvent2");
  }
  void setEnableMultiScanWindow() override { add("setEnableMultiScanWindow"); }
  void showCloseSelectWindow() override { add("showCloseSelectWindow"); }
  void showSavePathWindow() override { add("showSavePathWindow"); }
  std::int32_t showSavePathModalWindow() override {
    add("showSavePathModalWindow");
    return savePathAnswer;
  }
  void closeSelectMousedownEvent2(const std::shared_ptr<Quirel_progressCancelStatus>&) override {
    add("closeSelectMousedownEvent2");
  }
  void closeCloseSelectWindow() override { add("closeCloseSelectWindow"); }
  void closeSavePathWindow() override { add("closeSavePathWindow"); }
  void manualCalibrationError(const fnd::Dictionary*) override { add("manualCalibrationError"); }
  void displayScannerTestStatus(const fnd::Dictionary*) override { add("displayScannerTestStatus"); }
  void endScannerTest(const fnd::Dictionary*) override { add("endScannerTest"); }
  std::int32_t showMultiPagePDFPullScanEndDialog(std::int32_t n, const fnd::SharedDictionary& s) override {
    add("showMultiPagePDFPullScanEndDialog:" + std::to_string(n) + "," + describe(s));
    return pullEndAnswer;
  }
  void multiPagePDFPullScanEndDialogMousedownEvent(const std::shared_ptr<Quirel_progressCancelStatus>&) override {
    add("multiPagePDFPullScanEndDialogMousedownEvent");
  }
  void closeMultiPagePDFPullScanEndDialog() override { add("closeMultiPagePDFPullScanEndDialog"); }
  std::int32_t showMultiPagePDFPushScanStartDialog(const fnd::SharedDictionary& s) override {
    add("showMultiPagePDFPushScanStartDialog:" + describe(s));
    return pushStartAnswer;
  }
  std::int32_t showMultiPagePDFPushScanEndDialog(std::int32_t n, const fnd::SharedDictionary& s) override {
    add("showMultiPagePDFPushScanEndDialog:" + std::to_string(n) + "," + describe(s));
    return pushEndAnswer;
  }
  void multiPagePDFPushScanEndDialogMousedownEvent(const std::shared_ptr<Quirel_progressCancelStatus>&) override {
    add("multiPagePDFPushScanEndDialogMousedownEvent");
  }
  void closeMultiPagePDFPushScanEndDialog() override { add("closeMultiPagePDFPushScanEndDialog"); }
  std::int32_t showAutoScanStartDialog(const fnd::SharedDictionary& s) override {
    add("showAutoScanStartDialog:" + describe(s));
    return autoScanAnswer;
  }

 private:
  void add(std::string line) { log_.push_back("uim." + std::move(line)); }
  Log& log_;
};

class FakeProgressWindow : public Quirel_ProgressWindowPort {
 public:
  explicit FakeProgressWindow(Log& log) : log_(log) {}
  const void* notificationSender() const override { return this; }

  std::optional<std::string> lastFormat;
  std::vector<std::int32_t> lastNumbers;
  std::shared_ptr<Quirel_progressCancelStatus> lastStatus;

  void setInitSettingMainThreadMode(const fnd::SharedDictionary& s) override { add("setInitSetting:" + describe(s)); }
  void createProgressWindowMainThreadMode() override { add("createProgressWindow"); }
  void setInformationDataMainThreadMode(const fnd::Dictionary* d) override { add("setInformationData:" + describe(d)); }
  void showProgressWindowMainThreadMode() override { add("showProgressWindow"); }
  void activateProgressWindowMainThreadMode() override { add("activateProgressWindow"); }
  void setPercentageMainThreadMode(std::int16_t p) override { add("setPercentage:" + std::to_string(p)); }
  void setScanningInfoMainThreadMode(std::int16_t a, std::int16_t b, std::int16_t c) override {
    add("setScanningInfo:" + std::to_string(a) + "," + std::to_string(b) + "," + std::to_string(c));
  }
  void setEstimatedRemainingTimeMainThreadMode(std::int32_t s) override {
    add("setEstimatedRemainingTime:" + std::to_string(s));
  }
  void setMessageFieldInfoMainThreadMode(std::int32_t n, const std::optional<std::string>& f,
                                         const std::vector<std::int32_t>& numbers) override {
    lastFormat = f;
    lastNumbers = numbers;
    add("setMessageFieldInfo:" + std::to_string(n));
  }
  void closeProgressWindowMainThreadMode() override { add("closeProgressWindow"); }
  void attachMousedownEventMainThreadMode(const std::shared_ptr<Quirel_progressCancelStatus>& s) override {
    lastStatus = s;
    add("attachMousedownEvent");
  }
  void displayCalibrationProcWindowMainThreadMode(std::int32_t m) override {
    add("displayCalibrationProcWindow:" + std::to_string(m));
  }
  void closeCalibrationProcWindowMainThreadMode() override { add("closeCalibrationProcWindow"); }
  void displayScannerConnectWindowMainThreadMode() override { add("displayScannerConnectWindow"); }
  void closeScannerConnectWindowwMainThreadMode() override { add("closeScannerConnectWindow"); }

 private:
  void add(std::string line) { log_.push_back("progress." + std::move(line)); }
  Log& log_;
};

}  // namespace frontdoor_test
