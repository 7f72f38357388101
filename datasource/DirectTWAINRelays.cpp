// Relays between the user interface and the scan module: each user-interface request becomes
// one call of the controller, each module event one dispatcher request.
#include "datasource/DirectTWAIN.h"
#include "foundation/RunLoop.h"
#include "ui/base/PVLanguageNum.h"
#include "ui/base/PVLocalizedBundle.h"

namespace {

using C = Velmor_SMController;
using D = Dravon_DirectTWAIN;

// How many requests (a preview block and its percentage each) the scan module's thread may have
// waiting for the main thread before a further preview block waits for them.
constexpr std::int32_t kPreviewRequestsAhead = 16;

// Status 1206 of the module is shown to the user as message 1904.
void showStatusAs1904(const fnd::Notification& note) {
  fnd::Dictionary* info = note.info();
  if (info && info->intValue("TestStatus") == 1206) info->set("TestStatus", 1904);
}

}  // namespace

const std::vector<Dravon_DirectTWAIN::UIRequestRelay>& Dravon_DirectTWAIN::uiRequestRelays() {
  static const std::vector<UIRequestRelay> table{
      {"Preview_Scan", "viaDsPreview_Scan", &C::smPreviewScan, nullptr},
      {"crop_Imageset2", "viaDscrop_Imageset2", nullptr, &C::smCropCorrect},
      {"Auto_Crop2", "viaDsAuto_Crop2", nullptr, &C::smAutoCrop},
      {"StandardMode_Scan", "viaDsStandardMode_Scan", nullptr, &C::smStartScanEvent},
      {"MultiScanMode_Scan", "viaDsMultiScanMode_Scan", nullptr, &C::smStartScanEvent},
      {"AdvancedMode_Scan", "viaDsAdvancedMode_Scan", nullptr, &C::smStartScanEvent},
      {"Zoom_Scan", "viaDsZoom_Scan", &C::smZoomScan, nullptr},
      {"ScanModule_Backup2", "viaDsScanModule_Backup2", &C::smScanModuleBackup, nullptr},
      {"ScanModule_Resume2", "viaDsScanModule_Resume2", &C::smScanModuleResume, nullptr},
      {"Clear_Preview", "viaDsClear_Preview", &C::smClearPreview, nullptr},
      {"Set_User_Gamma", "viaDsSet_User_Gamma", nullptr, &C::smSetUserGamma},
      {"ExecuteCalibrationPost", "viaDsExecuteCalibrationPost", &C::smCalibration, nullptr},
      {"ExecuteScannerTestPost", "viaDsExecuteScannerTestPost", &C::smScannterTest, nullptr},
      {"Set_ShutOffLampTime", "viaDsSet_ShutOffLampTime", nullptr, &C::smSetLampOff},
      {"UILessMode_Scan", "viaDsUILessMode_Scan", nullptr, &C::smStartScanEvent},
      {"changeInputSourcePost", "viaDschangeInputSourcePost", &C::smChangeInputSource, nullptr},
      {"ExecuteHSL", "viaExecuteHSL", &C::smExecuteHSL, nullptr},
      {"ResizeBitmap", "viaResizeBitmap", &C::smResizeBitmap, nullptr},
      {"NC_SetSilentSetting", "viaSetSilentSetting", &C::smSetSilentSetting, nullptr},
      {"NC_GetSilentSetting", "viaGetSilentSetting", &C::smGetSilentSetting, nullptr},
      {"NC_SetAutoPowerOffSetting", "viaSetAutoPowerOffSetting", &C::smSetAutoPowerOffSetting, nullptr},
      {"NC_GetAutoPowerOffSetting", "viaGetAutoPowerOffSetting", &C::smGetAutoPowerOffSetting, nullptr},
      {"NC_SetAutoPowerOnSetting", "viaSetAutoPowerOnSetting", &C::smSetAutoPowerOnSetting, nullptr},
      {"NC_GetAutoPowerOnSetting", "viaGetAutoPowerOnSetting", &C::smGetAutoPowerOnSetting, nullptr},
  };
  return table;
}

const std::vector<Dravon_DirectTWAIN::ModuleEventRelay>& Dravon_DirectTWAIN::moduleEventRelays() {
  static const std::vector<ModuleEventRelay> table{
      {"createMainWindowPost", "createMainWindowNtf", 1, false, nullptr},
      {"showMainWindowPost", "showMainWindowNtf", 2, false, nullptr},
      {"closeMainWindowPost", "closeMainWindowNtf", 3, false, nullptr},
      {"terminateMainWindowPost", "terminateMainWindowNtf", 4, false, nullptr},
      {"setInitSettingPost", "setInitSettingNtf", 6, false, nullptr},
      {"setPreviewDataPost", "setPreviewDataNtf", 7, false, &D::setPreviewDataNtf},
      {"setPreviewMakeSizePost", "setPreviewMakeSizeNtf", 8, false, nullptr},
      {"drawPreviewAreaPost", "drawPreviewAreaNtf", 9, false, nullptr},
      {"endPreviewPost", "endPreviewNtf", 12, false, nullptr},
      {"endScanPost", "endScanNtf", 13, true, &D::endScanNtf},
      {"ManualCalibrationErrorPost", "ManualCalibrationErrorNtf", 208, false, &D::ManualCalibrationErrorNtf},
      {"createProgressWindowPost", "createProgressWindowNtf", 100, true, &D::createProgressWindowNtf},
      {"showProgressWindowPost", "showProgressWindowNtf", 101, true, nullptr},
      {"closeProgressWindowPost", "closeProgressWindowNtf", 102, true, nullptr},
      {"setInformationDataPost", "setInformationDataNtf", 104, true, nullptr},
      {"setPercentagePost", "setPercentageNtf", 105, true, &D::setPercentageNtf},
      {"setScanningInfoPost", "setScanningInfoNtf", 106, true, nullptr},
      {"setEstimatedRemainingTimePost", "setEstimatedRemainingTimeNtf", 107, true, nullptr},
      {"setMessageFieldInfoPost", "setMessageFieldInfoNtf", 108, true, nullptr},
      {"displayCalibrationProcWindowPost", "displayCalibrationProcWindowNtf", 109, true,
       &D::displayCalibrationProcWindowNtf},
      {"closeCalibrationProcWindowPost", "closeCalibrationProcWindowNtf", 110, true, nullptr},
      {"displayScannerConnectWindow", "displayScannerConnectWindowNtf", -1, true, &D::displayScannerConnectWindowNtf},
      {"closeScannerConnectWindow", "closeScannerConnectWindowNtf", -1, true, &D::closeScannerConnectWindowNtf},
      {"DisplayScannerTestStatusPost", "DisplayScannerTestStatusNtf", 113, true, &D::DisplayScannerTestStatusNtf},
      {"EndScannerTestPost", "EndScannerTestNtf", 114, true, nullptr},
  };
  return table;
}

// --- user interface to scan module -------------------------------------------------------------

void Dravon_DirectTWAIN::relayUIRequest(const UIRequestRelay& relay, const fnd::Notification& note) {
  // Without the scan module (its library missing) the requests reach nothing.
  if (!myScan) return;
  if (relay.withNote) {
    (myScan.get()->*relay.withNote)(note);
  } else {
    static const fnd::Dictionary empty;
    (myScan.get()->*relay.withDictionary)(note.info() ? *note.info() : empty);
  }
}

void Dravon_DirectTWAIN::viaNtfQuirel_SaveInfo(const fnd::Notification& note) {
  fnd::NotificationCenter::defaultCenter().post(kSaveInfoNotification, this, note.userInfo);
}

void Dravon_DirectTWAIN::viaDsCancel_Scan(const fnd::Notification&) {
  // Every press reaches the module, not only the first of a document.
  if (myScan) myScan->smCancelScan();
}

void Dravon_DirectTWAIN::setUILanguageNumNtf(const fnd::Notification& note) {
  // Another poster of the same name gets no answer: only a real carrier is written into.
  if (Quirel_PVLanguageNum* carrier = Quirel_PVLanguageNum::fromNotification(note)) carrier->setLanguageNum(mLangNumSuported);
}

void Dravon_DirectTWAIN::setUIDSBundleIDNtf(const fnd::Notification& note) {
  if (Quirel_PVLocalizedBundle* carrier = Quirel_PVLocalizedBundle::fromNotification(note))
    carrier->setLocalizedBundleStr(dsBundleIdentifier());
}

// --- scan module to user interface -------------------------------------------------------------

void Dravon_DirectTWAIN::relayModuleEvent(const ModuleEventRelay& relay, const fnd::Notification& note) {
  // Progress, calibration, connect, test and end-of-scan events need the open user interface;
  // dropped, they change nothing (not even the activation flags).
  if (relay.indicators && !mShowIndicators.load()) return;
  if (relay.rule) {
    (this->*relay.rule)(note);
  } else if (myUICtrl) {
    myUICtrl->uiControlMethod(note.userInfo, relay.kind);
  }
}

void Dravon_DirectTWAIN::setPreviewDataNtf(const fnd::Notification& note) {
  if (mAppWillTerminate.load() || !myUICtrl) return;
  // The block travels as typed bytes with their length; the dispatcher's request holds its own
  // copy. The module goes on reading while the main thread takes the blocks (and does what was
  // queued before them, such as building the progress window), but never more than a few
  // requests ahead: the post first waits until no more than kPreviewRequestsAhead are left for
  // the main thread (at once when the application ends: a closing program never holds the
  // module's thread here).
  myUICtrl->uiClearCounter(kPreviewRequestsAhead);
  if (mAppWillTerminate.load()) return;
  myUICtrl->uiControlMethod(note.userInfo, 7);
}

void Dravon_DirectTWAIN::endScanNtf(const fnd::Notification& note) {
  if (!myUICtrl) return;
  myUICtrl->uiControlMethod(note.userInfo, 13);
  if (mCurrentState.load() == kStateUIOpen && !mCalledCloseDSReq.load()) dsMainWindowControl(0);
}

void Dravon_DirectTWAIN::ManualCalibrationErrorNtf(const fnd::Notification& note) {
  showStatusAs1904(note);
  if (myUICtrl) myUICtrl->uiControlNotification(note.userInfo, 208);
}

void Dravon_DirectTWAIN::createProgressWindowNtf(const fnd::Notification& note) {
  if (!myUICtrl) return;
  myUICtrl->uiControlMethod(note.userInfo, 100);
  mCreatedProgressWin = 1;
  mClosedProgressWin = 0;
  dsMainWindowControl(1);
}

void Dravon_DirectTWAIN::setPercentageNtf(const fnd::Notification& note) {
  if (!myUICtrl) return;
  myUICtrl->uiControlMethod(note.userInfo, 105);
  // The first percentage after the progress window was made brings it to the front, once per open.
  if (mCreatedProgressWin.load() == 1 && mNeedActivateWindow.exchange(false)) myUICtrl->uiControlMethod(nullptr, 103);
}

void Dravon_DirectTWAIN::displayCalibrationProcWindowNtf(const fnd::Notification& note) {
  if (fnd::Dictionary* info = note.info()) info->set("ModelYear", mModelYear);
  if (!myUICtrl) return;
  myUICtrl->uiControlMethod(note.userInfo, 109);
  if (myPMethod) myPMethod->sendAnyEvents(mCancelEventMode);
}

void Dravon_DirectTWAIN::displayScannerConnectWindowNtf(const fnd::Notification&) {
  // Roots live on the main thread.
  runOnMain([this] {
    if (!myUICtrl || myConnectWin) return;
    myConnectWin = myUICtrl->initConnectWin();
    if (!myConnectWin) return;
    dsAddObserver(2, myConnectWin->notificationSender());
    // The root alone shows nothing: its window is asked for in the same turn.
    myUICtrl->uiControlMethod(nullptr, 111);
  });
}

void Dravon_DirectTWAIN::closeScannerConnectWindowNtf(const fnd::Notification&) {
  runOnMain([this] {
    if (!myConnectWin) return;
    dsRemoveObserver(2, myConnectWin->notificationSender());
    if (myUICtrl) {
      myUICtrl->uiControlMethod(nullptr, 112);
      myUICtrl->releaseConnectWin();
    }
    myConnectWin = nullptr;
  });
}

void Dravon_DirectTWAIN::DisplayScannerTestStatusNtf(const fnd::Notification& note) {
  showStatusAs1904(note);
  if (myUICtrl) myUICtrl->uiControlMethod(note.userInfo, 113);
}
