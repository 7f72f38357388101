#pragma once

#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "datasource/UIController.h"
#include "datasource/UIRoot.h"
#include "foundation/RunLoop.h"
#include "scanmodule/Module.h"
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
  int count(const std::string& call) {
    std::lock_guard g(mutex);
    int n = 0;
    for (const auto& c : calls)
      if (c == call) ++n;
    return n;
  }
  // The dictionary of the last call of that name that carried one.
  std::map<std::string, fnd::Dictionary> dictionaries;
  void keep(const std::string& call, const fnd::Dictionary* d) {
    std::lock_guard g(mutex);
    dictionaries[call] = d ? *d : fnd::Dictionary{};
  }
  fnd::Dictionary kept(const std::string& call) {
    std::lock_guard g(mutex);
    auto it = dictionaries.find(call);
    return it == dictionaries.end() ? fnd::Dictionary{} : it->second;
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
  // Cancel pressed in the progress window: every cancel object it is handed reads 1.
  std::atomic<bool> cancelPressed{false};
  // The user closes the scan-result window as soon as it waits for them.
  bool closeResultWindowAtOnce = false;
  std::vector<std::uint8_t> previewBytes;

  const void* notificationSender() const override { return this; }
  void setTWAINRequest(const fnd::Dictionary* d) override {
    log_->keep("setTWAINRequest", d);
    log_->add("setTWAINRequest");
  }
  void createMainWindow() override { log_->add("createMainWindow"); }
  void showMainWindow() override { log_->add("showMainWindow"); }
  void closeMainWindow() override { log_->add("closeMainWindow"); }
  void terminateMainWindow() override { log_->add("terminateMainWindow"); }
  void activateMainWindow() override { log_->add("activateMainWindow"); }
  void setInitSetting(const fnd::Dictionary* d) override {
    log_->keep("setInitSetting", d);
    log_->add("setInitSetting");
  }
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
  void endPreview(const fnd::Dictionary* d) override {
    log_->keep("endPreview", d);
    log_->add("endPreview");
  }
  void endScan() override { log_->add("endScan"); }
  void createProgressWindow() override { log_->add("createProgressWindow"); }
  void showProgressWindow() override { log_->add("showProgressWindow"); }
  void closeProgressWindow() override { log_->add("closeProgressWindow"); }
  void activateProgressWindow() override { log_->add("activateProgressWindow"); }
  void setInformationData(const fnd::Dictionary* d) override {
    log_->keep("setInformationData", d);
    log_->add("setInformationData");
  }
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
  void displayScannerTestStatus(const fnd::Dictionary* d) override {
    log_->keep("displayScannerTestStatus", d);
    log_->add("displayScannerTestStatus");
  }
  void endScannerTest(const fnd::Dictionary* d) override {
    log_->keep("endScannerTest", d);
    log_->add("endScannerTest");
  }
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
  void addScanResultImage(const fnd::Dictionary* d) override {
    log_->keep("addScanResultImage", d);
    log_->add("addScanResultImage");
  }
  void closeScanResultWindow() override { log_->add("closeScanResultWindow"); }
  void startEventScanResultWindow() override {
    log_->add("startEventScanResultWindow");
    if (closeResultWindowAtOnce) fnd::NotificationCenter::defaultCenter().post("clickCloseButtonPost", this);
  }
  void enableMultiScanWindow() override { log_->add("enableMultiScanWindow"); }
  void scanRetryStart() override { log_->add("scanRetryStart"); }
  void manualCalibrationError(const fnd::Dictionary* d) override {
    log_->keep("manualCalibrationError", d);
    log_->add("manualCalibrationError");
  }
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
    if (cancelPressed.load()) s->setCancelNum(1);
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

// A scan-module controller that answers the paper question, counts cancels and records every
// call with its argument (the notification's dictionary, or the dictionary).
class FakeScan : public Velmor_SMController {
 public:
  struct Call {
    std::string name;
    fnd::Dictionary argument;
    const fnd::Notification* note = nullptr;  // the notification passed, valid during the call only
  };

  std::function<int()> paperStatus = [] { return 0; };
  std::atomic<int> paperChecks{0};
  std::atomic<int> cancels{0};
  std::atomic<int> initAnswer{0};
  std::atomic<int> continueAnswer{0};  // smContinousScan2
  fnd::Dictionary capabilities{{"OpticalResolution", 4800}};
  bool noCapabilities = false;
  // Called inside each recorded call (to answer into the posted objects).
  std::function<void(const Call&)> onCall;

  std::vector<Call> calls() {
    std::lock_guard g(mutex_);
    return calls_;
  }
  std::vector<std::string> names() {
    std::lock_guard g(mutex_);
    std::vector<std::string> out;
    for (const auto& c : calls_) out.push_back(c.name);
    return out;
  }
  void clear() {
    std::lock_guard g(mutex_);
    calls_.clear();
  }

  void initScanM() override { add("initScanM"); }
  int smInitSetting(const fnd::Dictionary& d) override {
    add("smInitSetting", d);
    return initAnswer.load();
  }
  void smSetMaxPercentage(int p, int l) override { add("smSetMaxPercentage:" + std::to_string(p) + "," + std::to_string(l)); }
  void smSetTransferMode(int m) override { add("smSetTransferMode:" + std::to_string(m)); }
  fnd::SharedDictionary smGetDeviceInformation() override {
    add("smGetDeviceInformation");
    return noCapabilities ? nullptr : fnd::makeShared(capabilities);
  }
  void smStartScan() override { add("smStartScan"); }
  const std::uint8_t* smReadScan() override { return nullptr; }
  void smEndScan() override { add("smEndScan"); }
  int smContinousScan2(int) override { return continueAnswer.load(); }
  // Like the module, a cancel ends the document (status 1), on the caller's thread here.
  void smCancelScan() override {
    ++cancels;
    add("smCancelScan");
    fnd::NotificationCenter::defaultCenter().post("SM_DOCUMENT_END", this, fnd::makeShared(fnd::Dictionary{{"STATUS", 1}}));
  }
  int smCheckADFPaperStatus(int) override {
    ++paperChecks;
    return paperStatus();
  }
  void releaseScanM() override { add("releaseScanM"); }
  void smPreviewScan(const fnd::Notification& n) override { add("smPreviewScan", n); }
  void smCropCorrect(const fnd::Dictionary& d) override { add("smCropCorrect", d); }
  void smAutoCrop(const fnd::Dictionary& d) override { add("smAutoCrop", d); }
  void smStartScanEvent(const fnd::Dictionary& d) override { add("smStartScanEvent", d); }
  void smZoomScan(const fnd::Notification& n) override { add("smZoomScan", n); }
  void smScanModuleBackup(const fnd::Notification& n) override { add("smScanModuleBackup", n); }
  void smScanModuleResume(const fnd::Notification& n) override { add("smScanModuleResume", n); }
  void smClearPreview(const fnd::Notification& n) override { add("smClearPreview", n); }
  void smSetUserGamma(const fnd::Dictionary& d) override { add("smSetUserGamma", d); }
  void smCalibration(const fnd::Notification& n) override { add("smCalibration", n); }
  void smScannterTest(const fnd::Notification& n) override { add("smScannterTest", n); }
  void smSetLampOff(const fnd::Dictionary& d) override { add("smSetLampOff", d); }
  void smChangeInputSource(const fnd::Notification& n) override { add("smChangeInputSource", n); }
  void smExecuteHSL(const fnd::Notification& n) override { add("smExecuteHSL", n); }
  void smResizeBitmap(const fnd::Notification& n) override { add("smResizeBitmap", n); }
  void smSetSilentSetting(const fnd::Notification& n) override { add("smSetSilentSetting", n); }
  void smGetSilentSetting(const fnd::Notification& n) override { add("smGetSilentSetting", n); }
  void smSetAutoPowerOffSetting(const fnd::Notification& n) override { add("smSetAutoPowerOffSetting", n); }
  void smGetAutoPowerOffSetting(const fnd::Notification& n) override { add("smGetAutoPowerOffSetting", n); }
  void smSetAutoPowerOnSetting(const fnd::Notification& n) override { add("smSetAutoPowerOnSetting", n); }
  void smGetAutoPowerOnSetting(const fnd::Notification& n) override { add("smGetAutoPowerOnSetting", n); }

 private:
  void add(std::string name, const fnd::Dictionary& d = {}) { record(Call{std::move(name), d, nullptr}); }
  void add(std::string name, const fnd::Notification& n) {
    record(Call{std::move(name), n.info() ? *n.info() : fnd::Dictionary{}, &n});
  }
  void record(Call call) {
    if (onCall) onCall(call);
    call.note = nullptr;
    std::lock_guard g(mutex_);
    calls_.push_back(std::move(call));
  }
  std::mutex mutex_;
  std::vector<Call> calls_;
};

// Device information with names a test chooses.
class FakeDeviceInfo : public Velmor_DeviceInfo {
 public:
  std::string name = "Test Scanner";
  int modelYear = 2014;
  int adf = 0;
  void setScanProtocol(int) override {}
  void setDeviceDictionary(const fnd::Dictionary&) override {}
  std::string getDSPrefPath() override { return "/tmp/prefs/"; }
  std::string getDSNameString() override { return name; }
  std::string getDevNameForWebMStr() override { return "WEBNAME"; }
  int getDSLangNum() override { return 4; }
  int getDeviceFunction() override { return 1; }
  int getADFFunction() override { return adf; }
  int getNetworkFunction() override { return 0; }
  int getModelYear() override { return modelYear; }
  int getCancelInterval() override { return 9; }
  void createScanMStartDic(fnd::Dictionary& settings) override { settings.set("FromDeviceInfo", 1); }
  void createUIMStartDic(fnd::Dictionary& settings, const std::string& app, int uiLess) override {
    settings.set("APPOVERRIDE", app);
    settings.set("UILessMode", uiLess);
  }
};

// A scan module of doubles: the controller it makes is a FakeScan the test can reach.
class FakeModule : public Velmor_Module {
 public:
  std::function<void(FakeScan&)> prepare;  // called on each controller made
  bool withDeviceInfo = true;
  std::string deviceName = "Test Scanner";
  FakeScan* scan = nullptr;  // the last controller made (owned by the data source)

  std::unique_ptr<Velmor_DeviceInfo> createDeviceInfo() override {
    if (!withDeviceInfo) return nullptr;
    auto info = std::make_unique<FakeDeviceInfo>();
    info->name = deviceName;
    return info;
  }
  std::unique_ptr<Velmor_SMController> createController() override {
    auto c = std::make_unique<FakeScan>();
    if (prepare) prepare(*c);
    scan = c.get();
    return c;
  }
  std::unique_ptr<Velmor_BITMAP> createBitmap() override { return nullptr; }
  std::unique_ptr<Velmor_FileCreate> createFileCreate() override { return nullptr; }
};

}  // namespace dstest
