#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "datasource/UIController.h"
#include "datasource/UIRoot.h"
#include "foundation/RunLoop.h"
#include "scanmodule/SMController.h"

namespace dstest {

// What the roots were asked, in order ("name" or "name:args"), shared by every root a test
// makes so it survives their release.
struct RootLog {
  std::mutex mutex;
  std::vector<std::string> calls;
  void add(std::string call) {
    std::lock_guard g(mutex);
    calls.push_back(std::move(call));
  }
  void clear() {
    std::lock_guard g(mutex);
    calls.clear();
  }
  std::vector<std::string> snapshot() {
    std::lock_guard g(mutex);
    return calls;
  }
  bool contains(const std::string& call) {
    std::lock_guard g(mutex);
    for (const auto& c : calls)
      if (c == call) return true;
    return false;
  }
};

// A root without windows. Message boxes answer through `answer` (default 1); a test can run a
// modal loop inside it.
class FakeRoot : public Dravon_UIRoot {
 public:
  FakeRoot(std::shared_ptr<RootLog> log, std::uint32_t flags) : log_(std::move(log)), flags_(flags) {}
  ~FakeRoot() override { log_->add("released:" + std::to_string(flags_)); }

  std::function<std::int32_t(std::int32_t number)> answer = [](std::int32_t) { return 1; };
  std::shared_ptr<Quirel_progressCancelStatus> lastCancelObject;
  std::vector<std::uint8_t> previewBytes;

  const void* notificationSender() const override { return this; }
  void setTWAINRequest(const fnd::Dictionary*) override { log_->add("setTWAINRequest"); }
  void createMainWindow() override { log_->add("createMainWindow"); }
  void showMainWindow() override { log_->add("showMainWindow"); }
  void closeMainWindow() override { log_->add("closeMainWindow"); }
  void terminateMainWindow() override { log_->add("terminateMainWindow"); }
  void activateMainWindow() override { log_->add("activateMainWindow"); }
  void setInitSetting(const fnd::Dictionary*) override { log_->add("setInitSetting"); }
  void setTWAINObject(void*) override { log_->add("setTWAINObject"); }
  void setPreviewData(std::int32_t n, const std::uint8_t* data) override {
    previewBytes.assign(data, data + n);
    log_->add("setPreviewData:" + std::to_string(n));
  }
  void setPreviewMakeSize(std::int32_t w, std::int32_t h) override {
    log_->add("setPreviewMakeSize:" + std::to_string(w) + "," + std::to_string(h));
  }
  void drawPreviewArea() override { log_->add("drawPreviewArea"); }
  void setEnableMainWindowControl() override { log_->add("setEnableMainWindowControl"); }
  void setDisableMainWindowControl() override { log_->add("setDisableMainWindowControl"); }
  void endPreview(const fnd::Dictionary*) override { log_->add("endPreview"); }
  void endScan() override { log_->add("endScan"); }
  void createProgressWindow() override { log_->add("createProgressWindow"); }
  void showProgressWindow() override { log_->add("showProgressWindow"); }
  void closeProgressWindow() override { log_->add("closeProgressWindow"); }
  void activateProgressWindow() override { log_->add("activateProgressWindow"); }
  void setInformationData(const fnd::Dictionary*) override { log_->add("setInformationData"); }
  void setPercentage(std::int16_t p) override { log_->add("setPercentage:" + std::to_string(p)); }
  void setScanningInfo(std::int16_t a, std::int16_t b, std::int16_t c) override {
    log_->add("setScanningInfo:" + std::to_string(a) + "," + std::to_string(b) + "," + std::to_string(c));
  }
  void setEstimatedRemainingTime(std::int32_t s) override { log_->add("setEstimatedRemainingTime:" + std::to_string(s)); }
  void setMessageFieldInfo(std::int32_t n, const std::optional<std::string>& f,
                           const std::vector<std::int32_t>& numbers) override {
    std::string s = "setMessageFieldInfo:" + std::to_string(n) + "," + f.value_or("<none>");
    for (auto v : numbers) s += "," + std::to_string(v);
    log_->add(s);
  }
  void displayCalibrationProcWindow(std::int32_t m) override {
    log_->add("displayCalibrationProcWindow:" + std::to_string(m));
  }
  void closeCalibrationProcWindow() override { log_->add("closeCalibrationProcWindow"); }
  void displayScannerConnectWindow() override { log_->add("displayScannerConnectWindow"); }
  void closeScannerConnectWindow() override { log_->add("closeScannerConnectWindow"); }
  void displayScannerTestStatus(const fnd::Dictionary*) override { log_->add("displayScannerTestStatus"); }
  void endScannerTest(const fnd::Dictionary*) override { log_->add("endScannerTest"); }
  std::int32_t showMessage(std::int32_t n, std::int32_t a, std::int32_t b, std::int32_t c) override {
    log_->add("showMessage:" + std::to_string(n) + "," + std::to_string(a) + "," + std::to_string(b) + "," +
              std::to_string(c));
    return answer(n);
  }
  std::int32_t showNetworkErrorMessage(std::int32_t n, std::int32_t a, std::int32_t b, std::int32_t c,
                                       std::int32_t launch) override {
    log_->add("showNetworkErrorMessage:" + std::to_string(n) + "," + std::to_string(a) + "," + std::to_string(b) +
              "," + std::to_string(c) + "," + std::to_string(launch));
    return answer(n);
  }
  std::int32_t showAutoScanStartDialog() override {
    log_->add("showAutoScanStartDialog");
    return 7;
  }
  std::int32_t showMultiPagePDFPushScanStartDialog() override {
    log_->add("showMultiPagePDFPushScanStartDialog");
    return 8;
  }
  std::int32_t showSavePathModalWindow() override {
    log_->add("showSavePathModalWindow");
    return 9;
  }
  void showCloseSelectWindow() override { log_->add("showCloseSelectWindow"); }
  void closeCloseSelectWindow() override { log_->add("closeCloseSelectWindow"); }
  void showScanResultWindow() override { log_->add("showScanResultWindow"); }
  void addScanResultImage(const fnd::Dictionary*) override { log_->add("addScanResultImage"); }
  void closeScanResultWindow() override { log_->add("closeScanResultWindow"); }
  void startEventScanResultWindow() override { log_->add("startEventScanResultWindow"); }
  void enableMultiScanWindow() override { log_->add("enableMultiScanWindow"); }
  void scanRetryStart() override { log_->add("scanRetryStart"); }
  void manualCalibrationError(const fnd::Dictionary*) override { log_->add("manualCalibrationError"); }
  std::int32_t showMultiPagePDFPullScanEndDialog(std::int32_t n) override {
    log_->add("showMultiPagePDFPullScanEndDialog:" + std::to_string(n));
    return 0;
  }
  void closeMultiPagePDFPullScanEndDialog() override { log_->add("closeMultiPagePDFPullScanEndDialog"); }
  std::int32_t showMultiPagePDFPushScanEndDialog(std::int32_t n) override {
    log_->add("showMultiPagePDFPushScanEndDialog:" + std::to_string(n));
    return 0;
  }
  void closeMultiPagePDFPushScanEndDialog() override { log_->add("closeMultiPagePDFPushScanEndDialog"); }
  void showSavePathWindow() override { log_->add("showSavePathWindow"); }
  void closeSavePathWindow() override { log_->add("closeSavePathWindow"); }
  void attachMousedownEvent(const std::shared_ptr<Quirel_progressCancelStatus>& s) override {
    lastCancelObject = s;
    log_->add("attachMousedownEvent");
  }
  void scanResultMousedownEvent2(const std::shared_ptr<Quirel_progressCancelStatus>& s) override {
    lastCancelObject = s;
    log_->add("scanResultMousedownEvent2");
  }
  void closeSelectMousedownEvent2(const std::shared_ptr<Quirel_progressCancelStatus>& s) override {
    lastCancelObject = s;
    log_->add("closeSelectMousedownEvent2");
  }
  void multiPagePDFPullScanEndDialogMousedownEvent(const std::shared_ptr<Quirel_progressCancelStatus>& s) override {
    lastCancelObject = s;
    log_->add("multiPagePDFPullScanEndDialogMousedownEvent");
  }
  void multiPagePDFPushScanEndDialogMousedownEvent(const std::shared_ptr<Quirel_progressCancelStatus>& s) override {
    lastCancelObject = s;
    log_->add("multiPagePDFPushScanEndDialogMousedownEvent");
  }

 private:
  std::shared_ptr<RootLog> log_;
  std::uint32_t flags_;
};

// Installs a factory of FakeRoots for the length of a test and restores the previous one.
class FakeRootFactory {
 public:
  FakeRootFactory() {
    previous_ = Dravon_UIController::setRootFactory([this](std::uint32_t flags) -> std::unique_ptr<Dravon_UIRoot> {
      if (refuse) return nullptr;
      made.push_back(flags);
      auto root = std::make_unique<FakeRoot>(log, flags);
      if (answer) root->answer = answer;
      return root;
    });
  }
  ~FakeRootFactory() { Dravon_UIController::setRootFactory(std::move(previous_)); }

  std::shared_ptr<RootLog> log = std::make_shared<RootLog>();
  std::vector<std::uint32_t> made;
  std::function<std::int32_t(std::int32_t)> answer;
  bool refuse = false;

 private:
  Dravon_UIController::RootFactory previous_;
};

// Turns the main run loop in the default mode until `done` holds. A bound on the rounds (not on
// time) keeps a broken build from hanging the suite; the caller checks `done` afterwards.
inline bool pumpUntil(const std::function<bool()>& done, int rounds = 20000) {
  for (int i = 0; i < rounds && !done(); ++i) fnd::RunLoop::main().runOnce(fnd::RunLoopMode::Default, 0.005);
  return done();
}

// A scan-module controller that answers the paper question and counts cancels.
class FakeScan : public Velmor_SMController {
 public:
  std::function<int()> paperStatus = [] { return 0; };
  std::atomic<int> paperChecks{0};
  std::atomic<int> cancels{0};

  void initScanM() override {}
  int smInitSetting(const fnd::Dictionary&) override { return 0; }
  void smSetMaxPercentage(int, int) override {}
  void smSetTransferMode(int) override {}
  fnd::SharedDictionary smGetDeviceInformation() override { return nullptr; }
  void smStartScan() override {}
  const std::uint8_t* smReadScan() override { return nullptr; }
  void smEndScan() override {}
  int smContinousScan2(int) override { return 0; }
  void smCancelScan() override { ++cancels; }
  int smCheckADFPaperStatus(int) override {
    ++paperChecks;
    return paperStatus();
  }
  void releaseScanM() override {}
  void smPreviewScan(const fnd::Notification&) override {}
  void smCropCorrect(const fnd::Dictionary&) override {}
  void smAutoCrop(const fnd::Dictionary&) override {}
  void smStartScanEvent(const fnd::Dictionary&) override {}
  void smZoomScan(const fnd::Notification&) override {}
  void smScanModuleBackup(const fnd::Notification&) override {}
  void smScanModuleResume(const fnd::Notification&) override {}
  void smClearPreview(const fnd::Notification&) override {}
  void smSetUserGamma(const fnd::Dictionary&) override {}
  void smCalibration(const fnd::Notification&) override {}
  void smScannterTest(const fnd::Notification&) override {}
  void smSetLampOff(const fnd::Dictionary&) override {}
  void smChangeInputSource(const fnd::Notification&) override {}
  void smExecuteHSL(const fnd::Notification&) override {}
  void smResizeBitmap(const fnd::Notification&) override {}
  void smSetSilentSetting(const fnd::Notification&) override {}
  void smGetSilentSetting(const fnd::Notification&) override {}
  void smSetAutoPowerOffSetting(const fnd::Notification&) override {}
  void smGetAutoPowerOffSetting(const fnd::Notification&) override {}
  void smSetAutoPowerOnSetting(const fnd::Notification&) override {}
  void smGetAutoPowerOnSetting(const fnd::Notification&) override {}
};

}  // namespace dstest
