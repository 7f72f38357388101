// Changing between the mode tabs, with the confirmation the scanner generation calls for, and
// enabling the active mode's controls around previews and scans.

#include "foundation/RunLoop.h"
#include "ui/base/MainWindowLayout.h"
#include "ui/controls/CTRLS_MainWindow.h"
#include "ui/controls/CTRLS_Preview.h"
#include "ui/controls/CTRLS_PreviewFrame.h"
#include "ui/controls/CTRLS_TabView.h"
#include "ui/frontdoor/UserInterfaceModule.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/modes/advanced/ExtendMode.h"
#include "ui/modes/basic/StandardMode.h"
#include "ui/modes/multiscan/MultiScanMode.h"
#include "ui/modes/toolbar/Toolbar.h"
#include "ui/windows/CheckBoxDialog.h"
#include "ui/windows/MessagePort.h"

namespace {

constexpr int kUimChangeTabMessage = 1611;
constexpr int kUimChangeTabWithPreviewMessage = 1612;

}  // namespace

int Quirel_UserInterfaceModule::modeOfTabViewItem(const kit::TabViewItem* item) const {
  if (!mTabView || !item) return -1;
  if (item == mTabView->standardTabItem()) return 0;
  if (item == mTabView->extendTabItem()) return 1;
  if (item == mTabView->multiScanTabItem()) return 2;
  return -1;
}

// --- tab view delegate ---------------------------------------------------------------------------

bool Quirel_UserInterfaceModule::tabViewShouldSelectTabViewItem(kit::TabView&, kit::TabViewItem* item) {
  // One change at a time: a second click while a confirmation is up is refused.
  if (mTabChanging) return false;
  mTabChanging = true;
  Quirel_MainWindow* window = mMainWindow ? mMainWindow->getWindow() : nullptr;
  // The selection of the restored mode before the window shows.
  if (!window || !window->isVisible()) return true;
  if (window->isEnabledSystemBtn()) {
    mNextMode = modeOfTabViewItem(item);
    bool answer = false;
    if (mMode == 2)
      answer = changeFromMultiScanMode(mNextMode);
    else if (mMode == 1)
      answer = changeFromExtendMode(mNextMode);
    else if (mMode == 0)
      answer = changeFromStandardMode(mNextMode);
    if (answer) return true;
  }
  mTabChanging = false;
  return false;
}

void Quirel_UserInterfaceModule::tabViewWillSelectTabViewItem(kit::TabView&, kit::TabViewItem* item) {
  Quirel_MainWindow* window = mMainWindow ? mMainWindow->getWindow() : nullptr;
  if (!window || !window->isVisible()) return;
  const int mode = modeOfTabViewItem(item);
  if (mode < 0) return;
  mMode = mode;
  if (mToolbar) mToolbar->setUIMode(mMode);
  if (mMode == 2 && mMultiMode)
    mMultiMode->showTab();
  else if (mMode == 1 && mExtendMode)
    mExtendMode->showTab();
  else if (mMode == 0 && mStandardMode)
    mStandardMode->showTab();
}

void Quirel_UserInterfaceModule::tabViewDidSelectTabViewItem(kit::TabView&, kit::TabViewItem*) {
  Quirel_MainWindow* window = mMainWindow ? mMainWindow->getWindow() : nullptr;
  if (window && window->isVisible()) {
    if (mMode == 2 && mMultiMode) {
      mMultiMode->didShowTabView();
      // Entering from the advanced mode, its multi-crop ends on the next pass of the loop,
      // and the change is over only then.
      if (mBeforeMode == 1) {
        std::weak_ptr<bool> alive = mAlive;
        fnd::RunLoop::main().performAfterDelay(0, [this, alive] {
          const std::shared_ptr<bool> live = alive.lock();
          if (live && *live) multiCropReset();
        });
        return;
      }
    } else if (mMode == 1 && mExtendMode) {
      mExtendMode->didShowTabView();
    } else if (mMode == 0 && mStandardMode) {
      mStandardMode->didShowTabView();
    }
  }
  // Also after the selection of the restored mode before the window shows: a flag left set
  // there would refuse every later tab change.
  mTabChanging = false;
}

// --- change steps --------------------------------------------------------------------------------

bool Quirel_UserInterfaceModule::confirmTabChange(int messageNumber) {
  if (!mShowChangeTabMsg) return true;
  if (mMode == 0 && mStandardMode) mStandardMode->showModalDialog();
  if (mMode == 1 && mExtendMode) mExtendMode->showModalDialog();
  std::unique_ptr<Quirel_CheckBoxDialog> dialog =
      Quirel_CheckBoxDialog::initWithMessageID(messageNumber, Quirel_CheckBoxDialog::kFocusOK);
  const bool ok = dialog->runModal() == 1;
  // Kept in "InitSetting.xml": the confirmations stop for good.
  if (ok && dialog->isChecked()) mShowChangeTabMsg = false;
  dialog.reset();
  if (mMode == 0 && mStandardMode) mStandardMode->closeModalDialog();
  if (mMode == 1 && mExtendMode) mExtendMode->closeModalDialog();
  if (Quirel_MainWindow* window = mMainWindow ? mMainWindow->getWindow() : nullptr) window->makeKeyWindow();
  return ok;
}

bool Quirel_UserInterfaceModule::changeFromStandardMode(int nextMode) {
  if (!mStandardMode || !mScannerInfo) return false;
  if (nextMode == 1) {
    if (!mExtendMode) return false;
    if ((mScannerInfo->isVer1500Later() || mScannerInfo->isVer1300Later()) && !confirmTabChange(kUimChangeTabMessage))
      return false;
    if (mStandardMode->getPreviewView()) mStandardMode->getPreviewView()->setHidden(true);
    mExtendMode->setStandardModeData(mStandardMode.get());
    return mStandardMode->willChangeToExtendMode();
  }
  if (nextMode != 2 || !mMultiMode) return false;
  if (mScannerInfo->isVer1500Later()) {
    const int message = mStandardMode->getHasPreview() ? kUimChangeTabWithPreviewMessage : kUimChangeTabMessage;
    if (!confirmTabChange(message)) return false;
  }
  mBeforeMode = 0;
  const bool answer = mStandardMode->willChangeToMultiScanMode();
  // A refused change leaves the scan module on the basic mode's source.
  if (answer && mStandardMode->getInputSourceForPostToSM() != mMultiMode->getInputSourceForPostToSM())
    mMultiMode->inputSourceChangePostToSM();
  return answer;
}

bool Quirel_UserInterfaceModule::changeFromMultiScanMode(int nextMode) {
  if (!mMultiMode || !mStandardMode || !mExtendMode) return false;
  bool takeOver = true;
  if (nextMode == 1) {
    // Only the mode it was entered from hands its settings on.
    if (mBeforeMode == 0) {
      mExtendMode->setStandardModeData(mStandardMode.get());
      takeOver = mStandardMode->willChangeToExtendMode();
    }
    if (mMultiMode->getInputSourceForPostToSM() != mExtendMode->getInputSourceForPostToSM())
      mExtendMode->inputSourceChangePostToSM();
  } else if (nextMode == 0) {
    if (mBeforeMode == 1) {
      mStandardMode->setExtendModeData(mExtendMode.get());
      takeOver = mExtendMode->willChangeToStandardMode();
    }
    if (mMultiMode->getInputSourceForPostToSM() != mStandardMode->getInputSourceForPostToSM())
      mStandardMode->inputSourceChangePostToSM();
  } else {
    return false;
  }
  const bool hidden = mMultiMode->hiddenTab();
  layPreviewAreaAfterMultiScan();
  if (nextMode == 1)
    mExtendMode->updatePreviewArea();
  else
    mStandardMode->updatePreviewArea();
  return takeOver && hidden;
}

bool Quirel_UserInterfaceModule::changeFromExtendMode(int nextMode) {
  if (!mExtendMode || !mStandardMode || !mScannerInfo) return false;
  if (!mExtendMode->checkAndEnterTextField()) return false;
  const bool v1500 = mScannerInfo->isVer1500Later();
  if (nextMode == 1) return true;
  if (nextMode != 0 && nextMode != 2) return false;
  if (v1500 || nextMode == 0) {
    int message = kUimChangeTabMessage;
    if (nextMode == 2 && mExtendMode->getHasPreview()) message = kUimChangeTabWithPreviewMessage;
    if (nextMode == 0 && !mExtendMode->isFilmMode() && mExtendMode->getHasPreview() &&
        mExtendMode->getSelectedPaperSize() != 0)
      message = kUimChangeTabWithPreviewMessage;
    bool ok;
    if (mScannerInfo->isVer1300Later()) {
      ok = confirmTabChange(message);
    } else {
      // Older models ask with the plain numbered box, without the check box.
      mExtendMode->showModalDialog();
      ok = Quirel_MessagePort::show(message, 0, 0, 0) == 1;
      mExtendMode->closeModalDialog();
    }
    if (!ok) return false;
  }
  if (nextMode == 0) {
    if (mExtendMode->getPreviewView()) mExtendMode->getPreviewView()->setHidden(true);
    mStandardMode->setExtendModeData(mExtendMode.get());
    return mExtendMode->willChangeToStandardMode();
  }
  if (!mMultiMode) return false;
  mBeforeMode = 1;
  const bool answer = mExtendMode->willChangeToMultiScanMode();
  if (answer && mExtendMode->getInputSourceForPostToSM() != mMultiMode->getInputSourceForPostToSM())
    mMultiMode->inputSourceChangePostToSM();
  return answer;
}

void Quirel_UserInterfaceModule::multiCropReset() {
  mMode = 1;
  if (mExtendMode) mExtendMode->didChangeToMultiScanMode();
  mMode = 2;
  mTabChanging = false;
}

void Quirel_UserInterfaceModule::layPreviewAreaAfterMultiScan() {
  Quirel_MainWindow* window = mMainWindow ? mMainWindow->getWindow() : nullptr;
  if (!window || !mTabView) return;
  const Quirel_MainWindowLayout::PreviewArea area = Quirel_MainWindowLayout::previewAreaAfterMultiScan(
      window->contentRectSize(), mTabView->getTabView()->frame().size.width);
  if (mPreviewFrame) mPreviewFrame->getFrameView()->setFrame(area.previewFrame);
  if (mToolbar) mToolbar->setToolViewWidth(area.toolViewWidth);
}

// --- enabling ------------------------------------------------------------------------------------

void Quirel_UserInterfaceModule::setEnableControlMainWindow(bool enable) { setEnableControlMainWindowRule(enable, false); }

void Quirel_UserInterfaceModule::setEnableControlMainWindowScanEnd(bool enable) {
  setEnableControlMainWindowRule(enable, true);
}

void Quirel_UserInterfaceModule::setEnableControlMainWindowRule(bool enable, bool scanEnd) {
  if (mMode == 2) {
    if (!mMultiMode) return;
    // The result list keeps the window disabled until its window has closed after the scan.
    if (mMultiMode->getShowResult()) {
      const bool scanOver = mStandardMode && mStandardMode->getProgressStatus() == -1;
      if (!scanOver || mMultiMode->getResultShowStatus()) return;
    }
    mMultiMode->setEnabledAllControl(enable);
    mMultiMode->setEnabledToolTips();
    return;
  }
  if (mMode == 1) {
    if (!mExtendMode) return;
    const bool leaveAsIs = scanEnd && mExtendMode->getProgressStatus() == 0 && mPreferenceInfo &&
                           mPreferenceInfo->getAutoExit() == 1;
    if (!leaveAsIs) {
      if (mExtendMode->getNeedScan() || mExtendMode->getDoublePreview()) {
        mExtendMode->setEnabledAllControl(enable);
        mExtendMode->setEnabledToolTips();
        mExtendMode->setDoublePreview(false);
      } else {
        mExtendMode->setValueOfSelectedCrop(0);
      }
    }
    if (mExtendMode->getChangeThumbnailMode()) {
      mExtendMode->setChangeThumbnailMode(false);
      mExtendMode->setEnabledMainWindow(true);
      mExtendMode->setValueOfSelectedCrop(0);
    }
    return;
  }
  // Mode 3 has no window.
  if (mMode != 0 || !mStandardMode) return;
  const bool leaveAsIs = scanEnd && mStandardMode->getProgressStatus() == 0 && mPreferenceInfo &&
                         mPreferenceInfo->getAutoExit() == 1;
  if (!leaveAsIs && mStandardMode->getNeedScan()) {
    mStandardMode->setEnabledAllControl(enable);
    mStandardMode->setEnabledToolTips();
  }
  if (mStandardMode->getChangeThumbnailMode()) {
    mStandardMode->setChangeThumbnailMode(false);
    mStandardMode->setEnabledMainWindow(true);
  }
}

void Quirel_UserInterfaceModule::setEnableMainWindowControlMainThreadMode() {
  setEnableMainWindowControlMainThread_NRT(true);
}

void Quirel_UserInterfaceModule::setDisableMainWindowControlMainThreadMode() {
  setEnableMainWindowControlMainThread_NRT(false);
}

void Quirel_UserInterfaceModule::setEnableMainWindowControlMainThread_NRT(bool enable) {
  if (mMode == 0 || mMode == 1) {
    Quirel_BaseScanMode* mode = singleMode(mMode);
    if (!mode) return;
    if (mMode == 0)
      mStandardMode->setEnabledAllControl(enable);
    else
      mExtendMode->setEnabledAllControl(enable);
    // Newer models also renew the preview's cursor rectangles.
    const Quirel_UIScannerInfo* scanner = mode->getScannerInfo();
    if (scanner && scanner->isVer1700Later()) mode->updateMouseCursorRects();
  } else if (mMode == 2) {
    if (mMultiMode) mMultiMode->setEnabledAllControl(enable);
  }
}

namespace {

// On another thread the change waits for the main thread, without holding the poster; a
// controller gone by then is not touched.
void uimEnableOnMainThread(Quirel_UserInterfaceModule* uim, const std::weak_ptr<bool>& alive, bool enable) {
  if (fnd::RunLoop::isMainThread()) {
    uim->setEnableMainWindowControlMainThread_NRT(enable);
    return;
  }
  fnd::RunLoop::performOnMainThread(
      [uim, alive, enable] {
        const std::shared_ptr<bool> live = alive.lock();
        if (!live || !*live) return;
        if (enable)
          uim->setEnableMainWindowControlMainThread();
        else
          uim->setDisableMainWindowControlMainThread();
      },
      fnd::RunLoopMode::Default);
}

}  // namespace

void Quirel_UserInterfaceModule::setEnableMainWindowControl(const fnd::Notification&) {
  uimEnableOnMainThread(this, mAlive, true);
}

void Quirel_UserInterfaceModule::setDisableMainWindowControl(const fnd::Notification&) {
  uimEnableOnMainThread(this, mAlive, false);
}

void Quirel_UserInterfaceModule::setEnableMultiScanWindow() {
  if (mMultiMode) mMultiMode->setEnabledAllControl(true);
}
