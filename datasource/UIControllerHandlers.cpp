// The dispatcher's KIND tables and one handler per KIND. Every handler runs on the main thread,
// calls its root when the root exists, and lowers the pending count when the request came from
// a worker, whether or not a call was made.
#include <algorithm>
#include <array>
#include <utility>

#include "datasource/Payload.h"
#include "datasource/UIController.h"
#include "foundation/NotificationCenter.h"

namespace {

using Handler = Dravon_UIController::Handler;
using Entry = std::pair<std::int32_t, Handler>;

template <std::size_t N>
Handler lookUp(const std::array<Entry, N>& table, std::int32_t kind) {
  for (const Entry& e : table)
    if (e.first == kind) return e.second;
  return nullptr;
}

const fnd::Value& value(const fnd::SharedDictionary& dic, const char* key) {
  return dic ? dic->get(key) : fnd::Value::null();
}

std::int32_t intOf(const fnd::SharedDictionary& dic, const char* key) { return value(dic, key).toInt(); }

// The request's values arrive as 32-bit numbers and are passed on cut to 16 bits.
std::int16_t shortOf(const fnd::SharedDictionary& dic, const char* key) {
  return static_cast<std::int16_t>(value(dic, key).toInteger());
}

std::shared_ptr<Quirel_progressCancelStatus> cancelObject(const fnd::SharedDictionary& dic) {
  return value(dic, Dravon_UIController::kCancelObject).toObject<Quirel_progressCancelStatus>();
}

}  // namespace

// --- tables ------------------------------------------------------------------------------------

Handler Dravon_UIController::methodHandler(std::int32_t kind) {
  using C = Dravon_UIController;
  static const std::array<Entry, 29> table{{
      {0, &C::dsSetTWAINRequest},
      {1, &C::dsCreateMainWindow},
      {2, &C::dsShowMainWindow},
      {3, &C::dsCloseMainWindow},
      {4, &C::dsTerminateMainWindow},
      {5, &C::dsActivateMainWindow},
      {6, &C::dsSetInitSetting},
      {7, &C::dsSetPreviewData},
      {8, &C::dsSetPreviewMakeSize},
      {9, &C::dsDrawPreviewArea},
      {10, &C::dsSetEnableMainWindowControl},
      {11, &C::dsSetDisableMainWindowControl},
      {12, &C::dsEndPreview},
      {13, &C::dsEndScan},
      {100, &C::dsCreateProgressWindow},
      {101, &C::dsShowProgressWindow},
      {102, &C::dsCloseProgressWindow},
      {103, &C::dsActivateProgressWindow},
      {104, &C::dsSetInformationData},
      {105, &C::dsSetPercentage},
      {106, &C::dsSetScanningInfo},
      {107, &C::dsSetEstimatedRemainingTime},
      {108, &C::dsSetMessageFieldInfo},
      {109, &C::dsDisplayCalibrationProcWindow},
      {110, &C::dsCloseCalibrationProcWindow},
      {111, &C::dsDisplayScannerConnectWindow},
      {112, &C::dsCloseScannerConnectWindow},
      {113, &C::dsDisplayScannerTestStatus},
      {114, &C::dsCloseScannerTestStatus},
  }};
  return lookUp(table, kind);
}

Handler Dravon_UIController::messageHandler(std::int32_t kind) {
  using C = Dravon_UIController;
  static const std::array<Entry, 6> table{{
      {300, &C::dsShowMessageAndNumber},
      {301, &C::dsNetworkErrorMessage},
      {302, &C::dsShowMessageAndNumber},
      {303, &C::dsAutoScanStartMessage},
      {304, &C::dsMultiPageScanStartMessage},
      {305, &C::dsSavePathModalMessage},
  }};
  return lookUp(table, kind);
}

Handler Dravon_UIController::notificationHandler(std::int32_t kind) {
  using C = Dravon_UIController;
  static const std::array<Entry, 15> table{{
      {200, &C::dsShowCloseSelectWindow},
      {201, &C::dsCloseCloseSelectWindow},
      {202, &C::dsShowScanResultWindow},
      {203, &C::dsAddScanResultImage},
      {204, &C::dsCloseScanResultWindow},
      {205, &C::dsStartEventScanResultWindow},
      {206, &C::dsEnableMultiScanWindow},
      {207, &C::dsScanRetryStartError},
      {208, &C::dsManualCalibrationError},
      {209, &C::dsShowMultiScanEndWindow},
      {210, &C::dsCloseMultiScanEndWindow},
      {211, &C::dsShowPushMultiScanEndWindow},
      {212, &C::dsClosePushMultiScanEndWindow},
      {213, &C::dsShowSavePathWindow},
      {214, &C::dsCloseSavePathWindow},
  }};
  return lookUp(table, kind);
}

Handler Dravon_UIController::eventHandler(std::int32_t kind) {
  using C = Dravon_UIController;
  static const std::array<Entry, 5> table{{
      {400, &C::dsProgressMousedownEvent},
      {401, &C::dsScanResultMousedownEvent},
      {402, &C::dsCloseSelectMousedownEvent},
      {403, &C::dsMultiPagePullScanMousedownEvent},
      {404, &C::dsMultiPagePushScanMousedownEvent},
  }};
  return lookUp(table, kind);
}

Handler Dravon_UIController::systemEventHandler(std::int32_t kind) {
  using C = Dravon_UIController;
  static const std::array<Entry, 2> table{{
      {1000, &C::dsStartEventNoSleep},
      {1001, &C::dsStopEventNoSleep},
  }};
  return lookUp(table, kind);
}

// --- main window ------------------------------------------------------------------------------

void Dravon_UIController::dsSetTWAINRequest(const fnd::SharedDictionary& dic) {
  if (moUIM) moUIM->setTWAINRequest(dic.get());
  countDown(dic);
}

void Dravon_UIController::dsCreateMainWindow(const fnd::SharedDictionary& dic) {
  if (moUIM) moUIM->createMainWindow();
  countDown(dic);
}

void Dravon_UIController::dsShowMainWindow(const fnd::SharedDictionary& dic) {
  if (moUIM) moUIM->showMainWindow();
  countDown(dic);
}

void Dravon_UIController::dsCloseMainWindow(const fnd::SharedDictionary& dic) {
  if (moUIM) moUIM->closeMainWindow();
  countDown(dic);
}

void Dravon_UIController::dsTerminateMainWindow(const fnd::SharedDictionary& dic) {
  if (moUIM) moUIM->terminateMainWindow();
  countDown(dic);
}

void Dravon_UIController::dsActivateMainWindow(const fnd::SharedDictionary& dic) {
  if (moUIM) moUIM->activateMainWindow();
  countDown(dic);
}

void Dravon_UIController::dsSetInitSetting(const fnd::SharedDictionary& dic) {
  if (moUIM) {
    moUIM->setInitSetting(dic.get());
    moUIM->setTWAINObject(mDSSenderObject);
  }
  countDown(dic);
}

void Dravon_UIController::dsSetPreviewData(const fnd::SharedDictionary& dic) {
  // The bytes come as a typed value whose length is known; a bare address is refused, since
  // nothing could tell how far it may be read.
  if (moUIM) {
    const Dravon_Payload::Bytes bytes = Dravon_Payload::previewBytes(dic.get());
    if (bytes.data) moUIM->setPreviewData(bytes.size, bytes.data);
  }
  countDown(dic);
}

void Dravon_UIController::dsSetPreviewMakeSize(const fnd::SharedDictionary& dic) {
  if (moUIM) moUIM->setPreviewMakeSize(intOf(dic, "PreviewWidth"), intOf(dic, "PreviewHeight"));
  countDown(dic);
}

void Dravon_UIController::dsDrawPreviewArea(const fnd::SharedDictionary& dic) {
  if (moUIM) moUIM->drawPreviewArea();
  countDown(dic);
}

void Dravon_UIController::dsSetEnableMainWindowControl(const fnd::SharedDictionary& dic) {
  if (moUIM) moUIM->setEnableMainWindowControl();
  countDown(dic);
}

void Dravon_UIController::dsSetDisableMainWindowControl(const fnd::SharedDictionary& dic) {
  if (moUIM) moUIM->setDisableMainWindowControl();
  countDown(dic);
}

void Dravon_UIController::dsEndPreview(const fnd::SharedDictionary& dic) {
  if (moUIM) moUIM->endPreview(dic.get());
  countDown(dic);
}

void Dravon_UIController::dsEndScan(const fnd::SharedDictionary& dic) {
  if (moUIM) moUIM->endScan();
  countDown(dic);
}

// --- progress window ----------------------------------------------------------------------------

void Dravon_UIController::dsCreateProgressWindow(const fnd::SharedDictionary& dic) {
  if (moProgress) moProgress->createProgressWindow();
  countDown(dic);
}

void Dravon_UIController::dsShowProgressWindow(const fnd::SharedDictionary& dic) {
  if (moProgress) moProgress->showProgressWindow();
  countDown(dic);
}

void Dravon_UIController::dsCloseProgressWindow(const fnd::SharedDictionary& dic) {
  if (moProgress) moProgress->closeProgressWindow();
  // Always, also without a root: the data source waits for this to learn the window is gone.
  fnd::NotificationCenter::defaultCenter().post(kCloseProgressNotification, this);
  countDown(dic);
}

void Dravon_UIController::dsActivateProgressWindow(const fnd::SharedDictionary& dic) {
  if (moProgress) moProgress->activateProgressWindow();
  countDown(dic);
}

void Dravon_UIController::dsSetInformationData(const fnd::SharedDictionary& dic) {
  if (moProgress) moProgress->setInformationData(dic.get());
  countDown(dic);
}

void Dravon_UIController::dsSetPercentage(const fnd::SharedDictionary& dic) {
  if (moProgress) moProgress->setPercentage(shortOf(dic, "PercentVal"));
  countDown(dic);
}

void Dravon_UIController::dsSetScanningInfo(const fnd::SharedDictionary& dic) {
  if (moProgress)
    moProgress->setScanningInfo(shortOf(dic, "NowVal"), shortOf(dic, "TotalVal"), shortOf(dic, "SourceVal"));
  countDown(dic);
}

void Dravon_UIController::dsSetEstimatedRemainingTime(const fnd::SharedDictionary& dic) {
  if (moProgress) moProgress->setEstimatedRemainingTime(intOf(dic, "TimeVal"));
  countDown(dic);
}

void Dravon_UIController::dsSetMessageFieldInfo(const fnd::SharedDictionary& dic) {
  const fnd::Array& parameters = value(dic, "PParameter").toArray();
  // One to three numbers follow the format; any other count makes no call.
  if (moProgress && !parameters.empty() && parameters.size() <= 3) {
    std::vector<std::int32_t> numbers;
    for (const fnd::Value& p : parameters) numbers.push_back(p.toInt());
    const fnd::Value& format = value(dic, "PFormat");
    std::optional<std::string> formatText;
    if (format.isString()) formatText = format.toString();
    moProgress->setMessageFieldInfo(intOf(dic, "MessageID"), formatText, numbers);
  }
  countDown(dic);
}

void Dravon_UIController::dsDisplayCalibrationProcWindow(const fnd::SharedDictionary& dic) {
  std::int32_t mode = intOf(dic, "DisplayMode");
  // Models from 2011 on show the calibration notice of their own generation.
  if (dic && dic->contains("ModelYear") && mode == 1350 && intOf(dic, "ModelYear") >= 2011) mode = 1351;
  if (moProgress) moProgress->displayCalibrationProcWindow(mode);
  countDown(dic);
}

void Dravon_UIController::dsCloseCalibrationProcWindow(const fnd::SharedDictionary& dic) {
  if (moProgress) moProgress->closeCalibrationProcWindow();
  countDown(dic);
}

void Dravon_UIController::dsDisplayScannerConnectWindow(const fnd::SharedDictionary& dic) {
  if (moConnectWin) moConnectWin->displayScannerConnectWindow();
  countDown(dic);
}

void Dravon_UIController::dsCloseScannerConnectWindow(const fnd::SharedDictionary& dic) {
  if (moConnectWin) moConnectWin->closeScannerConnectWindow();
  countDown(dic);
}

void Dravon_UIController::dsDisplayScannerTestStatus(const fnd::SharedDictionary& dic) {
  if (moProgress) moProgress->displayScannerTestStatus(dic.get());
  countDown(dic);
}

void Dravon_UIController::dsCloseScannerTestStatus(const fnd::SharedDictionary& dic) {
  if (moProgress) moProgress->endScannerTest(dic.get());
  countDown(dic);
}

// --- scan-flow windows -------------------------------------------------------------------------

void Dravon_UIController::dsShowCloseSelectWindow(const fnd::SharedDictionary& dic) {
  if (moUIM) moUIM->showCloseSelectWindow();
  countDown(dic);
}

void Dravon_UIController::dsCloseCloseSelectWindow(const fnd::SharedDictionary& dic) {
  if (moUIM) moUIM->closeCloseSelectWindow();
  countDown(dic);
}

void Dravon_UIController::dsShowScanResultWindow(const fnd::SharedDictionary& dic) {
  if (moUIM) moUIM->showScanResultWindow();
  countDown(dic);
}

void Dravon_UIController::dsAddScanResultImage(const fnd::SharedDictionary& dic) {
  if (moUIM) moUIM->addScanResultImage(dic.get());
  countDown(dic);
}

void Dravon_UIController::dsCloseScanResultWindow(const fnd::SharedDictionary& dic) {
  if (moUIM) moUIM->closeScanResultWindow();
  countDown(dic);
}

void Dravon_UIController::dsStartEventScanResultWindow(const fnd::SharedDictionary& dic) {
  if (moUIM) moUIM->startEventScanResultWindow();
  countDown(dic);
}

void Dravon_UIController::dsEnableMultiScanWindow(const fnd::SharedDictionary& dic) {
  if (moUIM) moUIM->enableMultiScanWindow();
  countDown(dic);
}

void Dravon_UIController::dsScanRetryStartError(const fnd::SharedDictionary& dic) {
  if (moUIM) moUIM->scanRetryStart();
  countDown(dic);
}

void Dravon_UIController::dsManualCalibrationError(const fnd::SharedDictionary& dic) {
  if (moUIM) moUIM->manualCalibrationError(dic.get());
  countDown(dic);
}

void Dravon_UIController::dsShowMultiScanEndWindow(const fnd::SharedDictionary& dic) {
  if (moUIM) moUIM->showMultiPagePDFPullScanEndDialog(intOf(dic, "UiMode"));
  countDown(dic);
}

void Dravon_UIController::dsCloseMultiScanEndWindow(const fnd::SharedDictionary& dic) {
  if (moUIM) moUIM->closeMultiPagePDFPullScanEndDialog();
  countDown(dic);
}

void Dravon_UIController::dsShowPushMultiScanEndWindow(const fnd::SharedDictionary& dic) {
  if (moUIM) moUIM->showMultiPagePDFPushScanEndDialog(intOf(dic, "ButtonType"));
  countDown(dic);
}

void Dravon_UIController::dsClosePushMultiScanEndWindow(const fnd::SharedDictionary& dic) {
  if (moUIM) moUIM->closeMultiPagePDFPushScanEndDialog();
  countDown(dic);
}

void Dravon_UIController::dsShowSavePathWindow(const fnd::SharedDictionary& dic) {
  if (moUIM) moUIM->showSavePathWindow();
  countDown(dic);
}

void Dravon_UIController::dsCloseSavePathWindow(const fnd::SharedDictionary& dic) {
  if (moUIM) moUIM->closeSavePathWindow();
  countDown(dic);
}

// --- messages -----------------------------------------------------------------------------------

void Dravon_UIController::dsShowMessageAndNumber(const fnd::SharedDictionary& dic) {
  const std::int32_t answer = askMessage([&](Dravon_UIRoot& root) {
    return root.showMessage(intOf(dic, "ErrorID"), intOf(dic, "ErrorNum1"), intOf(dic, "ErrorNum2"),
                            intOf(dic, "ErrorNum3"));
  });
  if (dic) dic->set(kReturnValue, answer);
  countDown(dic);
}

void Dravon_UIController::dsNetworkErrorMessage(const fnd::SharedDictionary& dic) {
  const std::int32_t launchApp = intOf(dic, "ErrorType") == 1 ? 1 : 0;
  const std::int32_t answer = askMessage([&](Dravon_UIRoot& root) {
    return root.showNetworkErrorMessage(intOf(dic, "ErrorID"), intOf(dic, "ErrorNum1"), intOf(dic, "ErrorNum2"),
                                        intOf(dic, "ErrorNum3"), launchApp);
  });
  if (dic) dic->set(kReturnValue, answer);
  countDown(dic);
}

void Dravon_UIController::dsAutoScanStartMessage(const fnd::SharedDictionary& dic) {
  const std::int32_t answer = moUIM ? moUIM->showAutoScanStartDialog() : 0;
  if (dic) dic->set(kReturnValue, answer);
  countDown(dic);
}

void Dravon_UIController::dsMultiPageScanStartMessage(const fnd::SharedDictionary& dic) {
  const std::int32_t answer = moUIM ? moUIM->showMultiPagePDFPushScanStartDialog() : 0;
  if (dic) dic->set(kReturnValue, answer);
  countDown(dic);
}

void Dravon_UIController::dsSavePathModalMessage(const fnd::SharedDictionary& dic) {
  const std::int32_t answer = moUIM ? moUIM->showSavePathModalWindow() : 0;
  if (dic) dic->set(kReturnValue, answer);
  countDown(dic);
}

// --- cancel objects (called directly on the main thread; never counted) -------------------------

void Dravon_UIController::dsProgressMousedownEvent(const fnd::SharedDictionary& dic) {
  if (moProgress) moProgress->attachMousedownEvent(cancelObject(dic));
}

void Dravon_UIController::dsScanResultMousedownEvent(const fnd::SharedDictionary& dic) {
  if (moUIM) moUIM->scanResultMousedownEvent2(cancelObject(dic));
}

void Dravon_UIController::dsCloseSelectMousedownEvent(const fnd::SharedDictionary& dic) {
  if (moUIM) moUIM->closeSelectMousedownEvent2(cancelObject(dic));
}

void Dravon_UIController::dsMultiPagePullScanMousedownEvent(const fnd::SharedDictionary& dic) {
  if (moUIM) moUIM->multiPagePDFPullScanEndDialogMousedownEvent(cancelObject(dic));
}

void Dravon_UIController::dsMultiPagePushScanMousedownEvent(const fnd::SharedDictionary& dic) {
  if (moUIM) moUIM->multiPagePDFPushScanEndDialogMousedownEvent(cancelObject(dic));
}

// --- no-sleep timer ------------------------------------------------------------------------------

void Dravon_UIController::dsStartEventNoSleep(const fnd::SharedDictionary& dic) {
  if (!mTimerNotSleep) {
    std::weak_ptr<Dravon_UIController*> alive = mAlive;
    mTimerNotSleep = fnd::Timer::scheduled(kNoSleepInterval, true, [alive](fnd::Timer&) {
      if (auto self = alive.lock()) (*self)->dsTimerNotSleep(nullptr);
    });
  } else {
    ++mTimerCounter;
  }
  countDown(dic);
}

void Dravon_UIController::dsStopEventNoSleep(const fnd::SharedDictionary& dic) {
  if (mTimerCounter < 1) {
    if (mTimerNotSleep) mTimerNotSleep->invalidate();
    mTimerNotSleep.reset();
  } else {
    --mTimerCounter;
  }
  countDown(dic);
}

void Dravon_UIController::dsTimerNotSleep(const fnd::SharedDictionary&) {}
