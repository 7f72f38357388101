// The main window's events as its delegate sees them, the application's activation and
// updates, the open panels' brackets, and the relays of the window, the preview frame and the
// adjustment dialogs.

#include <algorithm>

#include "kit/Application.h"
#include "ui/base/PostNotification.h"
#include "ui/controls/CTRLS_MainWindow.h"
#include "ui/controls/ResponderView.h"
#include "ui/frontdoor/UserInterfaceModule.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/modes/advanced/ExtendMode.h"
#include "ui/modes/basic/StandardMode.h"

namespace {

Quirel_MainWindow* uimEventsWindow(const std::shared_ptr<Quirel_CTRLS_MainWindow>& wrapper) {
  return wrapper ? wrapper->getWindow() : nullptr;
}

}  // namespace

void Quirel_UserInterfaceModule::postInner(const char* name, const fnd::Dictionary* info) {
  mCenter.post(name, identity(), info ? fnd::makeShared(*info) : nullptr);
}

// --- window delegate ----------------------------------------------------------------------------

fnd::Size Quirel_UserInterfaceModule::windowWillResize(kit::Window& window, fnd::Size proposedFrameSize) {
  Quirel_MainWindow* main = uimEventsWindow(mMainWindow);
  if (!main || &window != main) return proposedFrameSize;
  if (!main->isEnabled() || !main->isEnabledSystemBtn()) return main->frame().size;
  const fnd::Size minSize = main->minSize();
  return fnd::Size(std::max(proposedFrameSize.width, minSize.width), std::max(proposedFrameSize.height, minSize.height));
}

void Quirel_UserInterfaceModule::windowDidResize(kit::Window& window) {
  Quirel_MainWindow* main = uimEventsWindow(mMainWindow);
  if (!main || &window != main) return;
  if (mMode == 0) {
    if (mStandardMode) mStandardMode->updatePreviewArea();
  } else if (mExtendMode) {
    mExtendMode->updatePreviewArea();
    mExtendMode->setFrameInImageSettings();
  }
  const fnd::Rect frame = main->frame();
  if (!main->isZoomed()) mOldWindowRect = frame;
  // The record is the one every mode shares.
  if (mScannerInfo && mScannerInfo->isVer1700Later()) {
    const fnd::Dictionary info{{"SIZE_WIDTH", static_cast<int>(frame.size.width)},
                               {"SIZE_HEIGHT", static_cast<int>(frame.size.height)}};
    Quirel_PostNotification(mCenter).postExternalNotificationName("setALMUserInterfaceData", identity(),
                                                                  fnd::makeShared(info));
  }
}

bool Quirel_UserInterfaceModule::windowShouldZoom(kit::Window& window, const fnd::Rect& newFrame) {
  Quirel_MainWindow* main = uimEventsWindow(mMainWindow);
  if (!main || &window != main) return true;
  if (!main->isEnabled()) return false;
  const fnd::Size minSize = main->minSize();
  if (mMode == 2) {
    // The multi-scan layout shows the tab only: it never grows sideways.
    const fnd::Rect current = main->frame();
    const fnd::Rect& source = main->isZoomed() ? mOldWindowRect : newFrame;
    const fnd::Rect frame(current.origin.x, source.origin.y, current.size.width, source.size.height);
    main->setFrame(mDisplay.getAdjustmentWindowFrame(frame, minSize), true);
    return false;
  }
  if (newFrame.size.width >= minSize.width && newFrame.size.height >= minSize.height) return true;
  fnd::Rect raised = newFrame;
  raised.size.width = std::max(raised.size.width, minSize.width);
  raised.size.height = std::max(raised.size.height, minSize.height);
  main->setFrame(raised, true);
  return false;
}

void Quirel_UserInterfaceModule::windowDidBecomeKey(kit::Window& window) {
  if (&window != uimEventsWindow(mMainWindow)) return;
  // A click on the zoom button makes the window key: no dialog comes forward for that.
  if (mZooomBtnFlg) {
    mZooomBtnFlg = false;
    return;
  }
  if (mToneBCChgFlg) {
    mToneBCChgFlg = false;
    mHistChgFlg = false;
    postInner("TONEBC_MAKEKEY_FROM_MAIN");
  }
  if (mHistChgFlg) {
    mHistChgFlg = false;
    mToneBCChgFlg = false;
    postInner("HIST_MAKEKEY_FROM_MAIN");
  }
  if (mThresholdChgFlg) {
    mThresholdChgFlg = false;
    postInner("THRESHOLD_MAKEKEY_FROM_MAIN");
  }
  if (mColorBlcChgFlg) {
    mColorBlcChgFlg = false;
    postInner("COLOR_MAKEKEY_FROM_MAIN");
  }
  if (mExtendMode && mExtendMode->histIsVisible()) postInner("HIST_REFLESH");
  if (mExtendMode && mExtendMode->finalIsVisible()) postInner("FINAL_REFLESH");
}

void Quirel_UserInterfaceModule::windowDidResignKey(kit::Window& window) {
  if (&window == uimEventsWindow(mMainWindow)) mZooomBtnFlg = false;
}

// --- application ----------------------------------------------------------------------------

void Quirel_UserInterfaceModule::observeApplication() {
  auto& center = fnd::NotificationCenter::defaultCenter();
  center.removeObserver(identity(), kit::Application::kDidBecomeActiveNotification);
  center.removeObserver(identity(), kit::Application::kWillResignActiveNotification);
  center.removeObserver(identity(), kit::Application::kDidUpdateNotification);
  center.addObserver(identity(), kit::Application::kDidBecomeActiveNotification, nullptr,
                     [this](const fnd::Notification& n) { appDidBecomeActive(n); });
  center.addObserver(identity(), kit::Application::kWillResignActiveNotification, nullptr,
                     [this](const fnd::Notification& n) { appWillResignActive(n); });
  center.addObserver(identity(), kit::Application::kDidUpdateNotification, nullptr,
                     [this](const fnd::Notification& n) { appDidUpdate(n); });
  mAppObserved = true;
}

void Quirel_UserInterfaceModule::appActivationChanged(int level, const char* postName) {
  if (!mShowOpenPanel) {
    Quirel_MainWindow* window = uimEventsWindow(mMainWindow);
    if (!window || !window->isVisible()) return;
    window->setLevel(level);
    window->orderFront();
  }
  postInner(postName);
}

void Quirel_UserInterfaceModule::appDidBecomeActive(const fnd::Notification&) {
  Quirel_MainWindow* window = uimEventsWindow(mMainWindow);
  appActivationChanged(window ? window->baseWindowLevel() : kit::kNormalWindowLevel, "appBecomeActiveFromMainPost");
}

void Quirel_UserInterfaceModule::appWillResignActive(const fnd::Notification&) {
  appActivationChanged(kit::kNormalWindowLevel, "appResignActiveFromMainPost");
}

int Quirel_UserInterfaceModule::selectAllTarget() const {
  Quirel_MainWindow* window = uimEventsWindow(mMainWindow);
  if (!window || !window->isKeyWindow() || window->getCloseFlg() || !window->isEnabled() ||
      !window->isEnabledSystemBtn() || mMode == 2)
    return -1;
  // Only where the crops have the keyboard: a text field keeps its own select-all.
  if (!dynamic_cast<Quirel_ResponderView*>(window->firstResponder())) return -1;
  const std::optional<kit::Event> event = kit::Application::shared().currentEvent();
  if (!event || event->type() != kit::EventType::KeyDown || event->characters().empty()) return -1;
  const char c = event->characters()[0];
  if ((c != 'a' && c != 'A') || !(event->modifierFlags() & kit::kCommandKeyMask)) return -1;
  return mMode == 0 || mMode == 1 ? mMode : -1;
}

void Quirel_UserInterfaceModule::appDidUpdate(const fnd::Notification&) {
  const int target = selectAllTarget();
  if (target == 0 && mStandardMode) mStandardMode->selectAll();
  if (target == 1 && mExtendMode) mExtendMode->selectAll();
}

void Quirel_UserInterfaceModule::receiveShowModalDialog(const fnd::Notification&) {
  mShowOpenPanel = true;
  if (Quirel_MainWindow* window = uimEventsWindow(mMainWindow)) window->setLevel(kit::kNormalWindowLevel);
  postInner("floatingDialogLevelChangePost");
}

void Quirel_UserInterfaceModule::receiveCloseModalDialog(const fnd::Notification&) {
  mShowOpenPanel = false;
  if (Quirel_MainWindow* window = uimEventsWindow(mMainWindow)) window->setLevel(window->baseWindowLevel());
  postInner("floatingDialogLevelChangePost");
}

// --- relays ---------------------------------------------------------------------------------

void Quirel_UserInterfaceModule::mouseMovedOnPreview(const fnd::Notification& n) {
  if (mMode == 1 && mExtendMode) mExtendMode->mouseMovedOnPreview(n);
  if (mMode == 0 && mStandardMode) mStandardMode->mouseMovedOnPreview(n);
}

void Quirel_UserInterfaceModule::mouseEventOnPreviewFrame(const fnd::Notification& n) {
  if (!n.info() || !n.info()->contains("event")) return;
  if (mMode == 0 && mStandardMode) mStandardMode->mouseEventOnPreviewFrameStd(n);
  if (mMode == 1 && mExtendMode) mExtendMode->mouseEventOnPreviewFrameExt(n);
}

// The Option key matters to the advanced mode only.
void Quirel_UserInterfaceModule::optionKeyDown(const fnd::Notification& n) {
  if (mMode == 1 && mExtendMode) mExtendMode->optionKeyDown(n);
}

void Quirel_UserInterfaceModule::optionKeyUp(const fnd::Notification& n) {
  if (mMode == 1 && mExtendMode) mExtendMode->optionKeyUp(n);
}

void Quirel_UserInterfaceModule::titleDownFlgSetYes(const fnd::Notification&) {
  if (Quirel_MainWindow* window = uimEventsWindow(mMainWindow)) window->setTitleDownOnOff(true);
}

namespace {

// While a dialog holds a pending change, a click on the main window's title bar would pull the
// window over the dialog, and a click on an advanced control would act on stale settings: the
// window and the advanced mode's controls swallow presses until the change is fixed.
void uimAdjustmentDragging(const std::shared_ptr<Quirel_CTRLS_MainWindow>& wrapper, Quirel_ExtendMode* advanced,
                           bool& flag, bool dragging) {
  flag = dragging;
  if (advanced) advanced->setEnabledMouseDownOnControl(!dragging);
  if (Quirel_MainWindow* window = uimEventsWindow(wrapper)) window->setTitleDownOnOff(!dragging);
}

}  // namespace

void Quirel_UserInterfaceModule::colorChanging(const fnd::Notification&) {
  uimAdjustmentDragging(mMainWindow, mExtendMode.get(), mColorBlcChgFlg, true);
}
void Quirel_UserInterfaceModule::colorFix(const fnd::Notification&) {
  uimAdjustmentDragging(mMainWindow, mExtendMode.get(), mColorBlcChgFlg, false);
}
void Quirel_UserInterfaceModule::toneBCChanging(const fnd::Notification&) {
  uimAdjustmentDragging(mMainWindow, mExtendMode.get(), mToneBCChgFlg, true);
}
void Quirel_UserInterfaceModule::toneBCFix(const fnd::Notification&) {
  uimAdjustmentDragging(mMainWindow, mExtendMode.get(), mToneBCChgFlg, false);
}
void Quirel_UserInterfaceModule::histChanging(const fnd::Notification&) {
  uimAdjustmentDragging(mMainWindow, mExtendMode.get(), mHistChgFlg, true);
}
void Quirel_UserInterfaceModule::histFix(const fnd::Notification&) {
  uimAdjustmentDragging(mMainWindow, mExtendMode.get(), mHistChgFlg, false);
}
void Quirel_UserInterfaceModule::thresholdChanging(const fnd::Notification&) {
  uimAdjustmentDragging(mMainWindow, mExtendMode.get(), mThresholdChgFlg, true);
}
void Quirel_UserInterfaceModule::thresholdFix(const fnd::Notification&) {
  uimAdjustmentDragging(mMainWindow, mExtendMode.get(), mThresholdChgFlg, false);
}

void Quirel_UserInterfaceModule::zoomBtnFlgYes(const fnd::Notification&) { mZooomBtnFlg = true; }
