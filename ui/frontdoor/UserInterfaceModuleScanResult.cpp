// The scan-result window of a multi-page scan, the scan-end sound and the registration of the
// after-scan requests of the data source.
#include "foundation/RunTempFolder.h"
#include "foundation/RunLoop.h"
#include "kit/Application.h"
#include "ui/base/LockHold.h"
#include "ui/controls/CTRLS_MainWindow.h"
#include "ui/frontdoor/UserInterfaceModule.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/model/PreviewInfo.h"
#include "ui/modes/multiscan/MultiScanMode.h"

void Quirel_UserInterfaceModule::registerAfterScanNotifications(const void* object) {
  using Self = Quirel_UserInterfaceModule;
  struct Plain {
    const char* name;
    void (Self::*operation)();
  };
  static constexpr Plain kPlain[] = {
      {"scanRetryStartPost", &Self::scanRetryStart},
      {"showScanResultWindowPost", &Self::showScanResultWindow},
      {"closeScanResultWindowPost", &Self::closeScanResultWindow},
      {"startEventScanResultWindowPost", &Self::startEventScanResultWindow},
      {"showCloseSelectWindowPost", &Self::showCloseSelectWindow},
      {"closeCloseSelectWindowPost", &Self::closeCloseSelectWindow},
      {"showSavePathWindowPost", &Self::showSavePathWindow},
      {"closeSavePathWindowPost", &Self::closeSavePathWindow},
  };
  for (const Plain& p : kPlain) {
    mCenter.removeObserver(identity(), p.name);
    mCenter.addObserver(identity(), p.name, object, [this, op = p.operation](const fnd::Notification&) { (this->*op)(); });
  }
  mCenter.removeObserver(identity(), "addScanResultImagePost");
  mCenter.addObserver(identity(), "addScanResultImagePost", object,
                      [this](const fnd::Notification& n) { addScanResultImage(n.userInfo.get()); });
  // From the scan modes and the dialogs, whoever sends them.
  struct Any {
    const char* name;
    void (Self::*operation)();
  };
  static constexpr Any kAny[] = {
      {"setScanSoundTimerPost", &Self::setScanSoundTimer},
      {"removeThumbnailImagePost", &Self::removeThumbnailImage},
      {"SHOW_ERROR_FROM_DLG", &Self::showErrorDialogFromDialog},
      {"CLOSE_ERROR_FROM_DLG", &Self::closeErrorDialogFromDialog},
  };
  for (const Any& a : kAny) {
    mCenter.removeObserver(identity(), a.name);
    mCenter.addObserver(identity(), a.name, nullptr, [this, op = a.operation](const fnd::Notification&) { (this->*op)(); });
  }
}

void Quirel_UserInterfaceModule::deferAfterScanOperation(void (Quirel_UserInterfaceModule::*operation)()) {
  std::weak_ptr<bool> alive = mAlive;
  fnd::RunLoop::performOnMainThread([this, alive, operation] {
    const std::shared_ptr<bool> live = alive.lock();
    if (live && *live) (this->*operation)();
  });
}

std::vector<std::string> Quirel_UserInterfaceModule::scanResultTemporaryFolders() const {
  std::vector<std::string> folders;
  if (mPreferenceInfo) {
    const std::string temp = mPreferenceInfo->getTempPath().value_or("");
    if (!temp.empty()) folders.push_back(temp);
  }
  folders.push_back(fnd::RunTempFolder::path());
  return folders;
}

void Quirel_UserInterfaceModule::releaseAfterScanWindows() {
  if (mScanRetDlg) mScanRetDlg->closeDialog();
  if (mCloseSelDlg) mCloseSelDlg->closeDialog();
  if (mCloseSaveDlg) mCloseSaveDlg->closeDialog();
  mScanRetDlg.reset();
  mCloseSelDlg.reset();
  mCloseSaveDlg.reset();
  mScanSound.reset();
}

// --- scan-result window ----------------------------------------------------------------------

void Quirel_UserInterfaceModule::showScanResultWindow() {
  if (mScanRetDlg) return;
  if (Quirel_LockHold::isHeld(mScanResultLock.get())) return deferAfterScanOperation(&Quirel_UserInterfaceModule::showScanResultWindow);
  Quirel_LockHold hold{mScanResultLock.get()};
  mScanRetDlg = std::make_unique<Quirel_ScanResultDialog>(mCenter);
  mScanRetDlg->setUIMObject(identity());
  mScanRetDlg->setTemporaryFolders(scanResultTemporaryFolders());
  mScanRetDlg->createDialog();
  mScanRetDlg->showDialog(mMainWindow ? mMainWindow->getWindow() : nullptr);
}

void Quirel_UserInterfaceModule::addScanResultImage(const fnd::Dictionary* info) {
  if (!mScanRetDlg || !info) return;
  if (Quirel_LockHold::isHeld(mScanResultLock.get())) {
    // Run later with its own copy of the request.
    std::weak_ptr<bool> alive = mAlive;
    fnd::RunLoop::performOnMainThread([this, alive, copy = *info] {
      const std::shared_ptr<bool> live = alive.lock();
      if (live && *live) addScanResultImage(&copy);
    });
    return;
  }
  Quirel_LockHold hold{mScanResultLock.get()};
  mScanRetDlg->addImage(info->string("filePath"), static_cast<std::int32_t>(info->integer("fileErase")));
}

void Quirel_UserInterfaceModule::closeScanResultWindow() {
  if (mScanRetDlg) {
    if (Quirel_LockHold::isHeld(mScanResultLock.get())) return deferAfterScanOperation(&Quirel_UserInterfaceModule::closeScanResultWindow);
    Quirel_LockHold hold{mScanResultLock.get()};
    mScanRetDlg->closeDialog();
    mScanRetDlg.reset();
  }
  if (mMultiMode && mMultiMode->getPreferenceInfo() && mMultiMode->getPreferenceInfo()->getAutoExit() != 1)
    mMultiMode->setEnabledAllControl(true);
}

void Quirel_UserInterfaceModule::startEventScanResultWindow() {
  if (Quirel_LockHold::isHeld(mScanResultLock.get())) return deferAfterScanOperation(&Quirel_UserInterfaceModule::startEventScanResultWindow);
  Quirel_LockHold hold{mScanResultLock.get()};
  if (mScanRetDlg) {
    mScanRetDlg->setEnableCloseButton(true);
    if (mScanRetDlg->getWindow()) mScanRetDlg->getWindow()->makeKeyAndOrderFront();
  }
  kit::Application::shared().requestUserAttention(kit::AttentionRequest::Critical);
}

void Quirel_UserInterfaceModule::scanResultMousedownEvent2(const std::shared_ptr<Quirel_progressCancelStatus>& status) {
  if (mScanRetDlg) mScanRetDlg->scanResultMousedownEvent2(status);
}

void Quirel_UserInterfaceModule::removeThumbnailImage() {
  if (mPreviewInfo) mPreviewInfo->removeThumbnailImageData();
}

// --- scan-end sound --------------------------------------------------------------------------

Quirel_ScanEndSound& Quirel_UserInterfaceModule::scanEndSound() {
  if (!mScanSound) mScanSound = std::make_unique<Quirel_ScanEndSound>();
  return *mScanSound;
}

void Quirel_UserInterfaceModule::setScanSoundTimer() { scanEndSound().setScanSoundTimer(mPreferenceInfo.get()); }

void Quirel_UserInterfaceModule::startScanSound(const Quirel_PreferenceInfo* preferences) {
  scanEndSound().startScanSound(preferences);
}

void Quirel_UserInterfaceModule::stopScanSound() {
  if (mScanSound) mScanSound->stopScanSound();
}
