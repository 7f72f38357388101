// The close-select question and the save-folder notice after a scan, and the main window's
// key status while a dialog shows a message box.
#include "foundation/RunLoop.h"
#include "ui/base/LockHold.h"
#include "ui/controls/CTRLS_MainWindow.h"
#include "ui/frontdoor/UserInterfaceModule.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/modes/advanced/ExtendMode.h"
#include "ui/modes/basic/StandardMode.h"
#include "ui/modes/multiscan/MultiScanMode.h"

void Quirel_UserInterfaceModule::setEnabledCurrentModeMainWindow(bool enable) {
  if (mMode == 2) {
    if (mMultiMode) mMultiMode->setEnabledMainWindow(enable);
  } else if (mMode == 1) {
    // The advanced mode's own version also takes its floating adjustment dialogs along.
    if (mExtendMode) mExtendMode->setEnabledMainWindow(enable);
  } else if (mStandardMode) {
    mStandardMode->setEnabledMainWindow(enable);
  }
}

void Quirel_UserInterfaceModule::showCloseSelectWindow() {
  if (mCloseSelDlg || !mShowMCloseSaveMsg) return;
  if (Quirel_LockHold::isHeld(mCloseSelectLock.get())) return deferAfterScanOperation(&Quirel_UserInterfaceModule::showCloseSelectWindow);
  Quirel_LockHold hold{mCloseSelectLock.get()};
  setEnabledCurrentModeMainWindow(false);
  mCloseSelDlg = std::make_unique<Quirel_CloseSelectDialog>(mCenter);
  mCloseSelDlg->setUIMObject(identity());
  mCloseSelDlg->createDialog(mScannerInfo && mScannerInfo->isVer1400Later() ? 1 : 0);
  mCloseSelDlg->selectAutoExit(mCloseSelectFlg);
  mCloseSelDlg->showDialog(mMainWindow ? mMainWindow->getWindow() : nullptr);
}

void Quirel_UserInterfaceModule::closeCloseSelectWindow() {
  if (!mCloseSelDlg) return;
  if (Quirel_LockHold::isHeld(mCloseSelectLock.get())) return deferAfterScanOperation(&Quirel_UserInterfaceModule::closeCloseSelectWindow);
  Quirel_LockHold hold{mCloseSelectLock.get()};
  const bool checked = mCloseSelDlg->isChecked();
  const int choice = mCloseSelDlg->selectedAutoExit();
  mCloseSelDlg->closeDialog();
  mCloseSelDlg.reset();
  mCloseSelectFlg = choice;
  if (checked && mPreferenceInfo) mPreferenceInfo->setAutoExit(choice);
  setEnabledCurrentModeMainWindow(true);
}

void Quirel_UserInterfaceModule::closeSelectMousedownEvent2(const std::shared_ptr<Quirel_progressCancelStatus>& status) {
  if (mCloseSelDlg) mCloseSelDlg->closeSelectMousedownEvent2(status);
}

void Quirel_UserInterfaceModule::showSavePathWindow() {
  if (mCloseSaveDlg || !mShowMCloseSaveMsg) return;
  if (Quirel_LockHold::isHeld(mCloseSelectLock.get())) return deferAfterScanOperation(&Quirel_UserInterfaceModule::showSavePathWindow);
  Quirel_LockHold hold{mCloseSelectLock.get()};
  setEnabledCurrentModeMainWindow(false);
  mCloseSaveDlg = std::make_unique<Quirel_CloseSavePathtDialog>(mCenter);
  mCloseSaveDlg->setUIMObject(identity());
  mCloseSaveDlg->setPreferenceInfo(mPreferenceInfo);
  mCloseSaveDlg->createDialog();
  mCloseSaveDlg->showDialog(mMainWindow ? mMainWindow->getWindow() : nullptr);
}

std::int32_t Quirel_UserInterfaceModule::showSavePathModalWindow() {
  // Asked for from inside another of these windows' runs it cannot wait for an answer: the
  // notice is left out rather than wait for a lock this thread holds.
  if (mCloseSaveDlg || !mShowMCloseSaveMsg || Quirel_LockHold::isHeld(mCloseSelectLock.get())) return 1;
  {
    Quirel_LockHold hold{mCloseSelectLock.get()};
    setEnabledCurrentModeMainWindow(false);
    mCloseSaveDlg = std::make_unique<Quirel_CloseSavePathtDialog>(mCenter);
    mCloseSaveDlg->setUIMObject(identity());
    mCloseSaveDlg->setPreferenceInfo(mPreferenceInfo);
    mCloseSaveDlg->createDialog();
    mCloseSaveDlg->showModalDialog(mMainWindow ? mMainWindow->getWindow() : nullptr);
  }
  closeSavePathWindow();
  return 1;
}

void Quirel_UserInterfaceModule::closeSavePathWindow() {
  if (!mCloseSaveDlg) return;
  if (Quirel_LockHold::isHeld(mCloseSelectLock.get())) return deferAfterScanOperation(&Quirel_UserInterfaceModule::closeSavePathWindow);
  Quirel_LockHold hold{mCloseSelectLock.get()};
  if (mCloseSaveDlg->isChecked()) mShowMCloseSaveMsg = false;
  mCloseSaveDlg->closeDialog();
  mCloseSaveDlg.reset();
  setEnabledCurrentModeMainWindow(true);
}

void Quirel_UserInterfaceModule::showErrorDialogFromDialog() {
  if (mMainWindow && mMainWindow->getWindow()) mMainWindow->getWindow()->setCanBecomeKeyWindow(false);
}

void Quirel_UserInterfaceModule::closeErrorDialogFromDialog() {
  if (mMainWindow && mMainWindow->getWindow()) mMainWindow->getWindow()->setCanBecomeKeyWindow(true);
}
