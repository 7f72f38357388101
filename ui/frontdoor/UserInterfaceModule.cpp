#include "ui/frontdoor/UserInterfaceModule.h"

#include "foundation/RunLoop.h"
#include "kit/Application.h"
#include "ui/base/LockHold.h"
#include "ui/base/PVLocalizedBundle.h"
#include "ui/base/PVLocalizedString.h"
#include "ui/controls/CTRLS_MainWindow.h"
#include "ui/controls/CTRLS_Preview.h"
#include "ui/controls/CTRLS_PreviewFrame.h"
#include "ui/controls/CTRLS_PushButton.h"
#include "ui/controls/CTRLS_TabView.h"
#include "ui/controls/NoFocusView.h"
#include "ui/frontdoor/HelpControl.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/model/PreviewInfo.h"
#include "ui/model/ProfileCMList.h"
#include "ui/model/SettingsSession.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/modes/advanced/ExtendMode.h"
#include "ui/modes/basic/StandardMode.h"
#include "ui/modes/multiscan/MultiScanMode.h"
#include "ui/modes/toolbar/Toolbar.h"
#include "ui/windows/GetMainWindowObj.h"

namespace {

constexpr const char* kUimUserInterfaceTable = "UserInterface";

// The data source's requests and what answers them (the after-scan windows and the retry).
constexpr const char* kUimTWAINRequestNames[] = {
    "scanRetryStartPost",          "showScanResultWindowPost",      "addScanResultImagePost",
    "closeScanResultWindowPost",   "startEventScanResultWindowPost", "enableMultiScanWindowPost",
    "showCloseSelectWindowPost",   "closeCloseSelectWindowPost",    "showSavePathWindowPost",
    "closeSavePathWindowPost",
};

}  // namespace

Quirel_UserInterfaceModule::Quirel_UserInterfaceModule(fnd::NotificationCenter& center) : mCenter(center) {
  // The data source fills the carrier during the post; nobody answering leaves no bundle.
  mdsBundleLocalized = Quirel_PVLocalizedBundle::askDataSource(mCenter);
  mLSobj = std::make_shared<Quirel_PVLocalizedString>(mdsBundleLocalized);
  mCenter.addObserver(identity(), Quirel_PVLocalizedBundle::kLocalizePostName, nullptr,
                      [this](const fnd::Notification& n) { getDSBundleLocalize(n); });
  mCenter.addObserver(identity(), "enableMainWindowControlPost", nullptr,
                      [this](const fnd::Notification& n) { setEnableMainWindowControl(n); });
  mCenter.addObserver(identity(), "disableMainWindowControlPost", nullptr,
                      [this](const fnd::Notification& n) { setDisableMainWindowControl(n); });
  // Written at the next turn of the loop, once the change has been applied whole.
  mCenter.addObserver(identity(), Quirel_BaseScanMode::kSettingsChangedPost, nullptr, [this](const fnd::Notification&) {
    std::weak_ptr<bool> alive = mAlive;
    fnd::RunLoop::performOnMainThread([this, alive] {
      const std::shared_ptr<bool> live = alive.lock();
      if (live && *live) saveSettingsNow();
    });
  });
}

Quirel_UserInterfaceModule::~Quirel_UserInterfaceModule() {
  *mAlive = false;
  removeAllObservations();
  releaseAfterScanWindows();
  // The modes refer to the window and the preview model: they go first.
  mUILessMode.reset();
  mMultiMode.reset();
  mExtendMode.reset();
  mStandardMode.reset();
  releaseWindowItems();
  if (mMainWindow && mMainWindow->getWindow()) mMainWindow->getWindow()->setDelegate(nullptr);
  mMainWindow.reset();
  mPreviewInfo.reset();
}

void Quirel_UserInterfaceModule::releaseWindowItems() {
  // The window's items leave it before it goes; the modes that kept them went first.
  if (mTabView) mTabView->setDelegate(nullptr);
  mTabView.reset();
  mToolbar.reset();
  mPreviewFrame.reset();
  mButtonView.reset();
  mPreferenceBtn.reset();
  mCloseWindowBtn.reset();
}

void Quirel_UserInterfaceModule::removeAllObservations() {
  mCenter.removeObserver(identity());
  fnd::NotificationCenter::defaultCenter().removeObserver(identity());
}

void Quirel_UserInterfaceModule::setTWAINRequest(const fnd::SharedDictionary& request) {
  if (!request) return;
  if (const fnd::Value* prefetch = request->find("ADFPrefetch")) mADFPrefetch = prefetch->toInt();
  mTWAINRequest = fnd::makeShared(*request);
}

void Quirel_UserInterfaceModule::getDSBundleLocalize(const fnd::Notification& n) {
  if (std::shared_ptr<Quirel_PVLocalizedBundle> carrier = Quirel_PVLocalizedBundle::fromLocalizeRequest(n))
    carrier->setLocalizedBundleStr(mdsBundleLocalized);
}

void Quirel_UserInterfaceModule::setMainWindowObjectMes(const fnd::Notification& n) {
  std::shared_ptr<Quirel_GetMainWindowObj> carrier = Quirel_GetMainWindowObj::fromNotification(n);
  if (!carrier || !mMainWindow) return;
  carrier->setMainWindowObject(mMainWindow->getWindow());
  carrier->setEndScanLockObject(mEndScanLock.get());
  carrier->setMessageLockObject(mMessageLock.get());
}

// --- create -----------------------------------------------------------------------------------

void Quirel_UserInterfaceModule::createMainWindowMainThreadMode() {
  mPreviewInfo = std::make_unique<Quirel_PreviewInfo>(mCenter);
  mPreviewInfo->setUIMObject(identity());
  mPreviewInfo->setADFPrefetch(mADFPrefetch);
  mHelpControl = std::make_unique<Quirel_HelpControl>(mCenter);
  mScanResultLock = std::make_unique<fnd::Lock>();
  mCloseSelectLock = std::make_unique<fnd::Lock>();
  mPrevDataLock = std::make_unique<fnd::Lock>();
  mEndScanLock = std::make_unique<fnd::Lock>();
  mMessageLock = std::make_unique<fnd::Lock>();
  mMainWindow = std::make_shared<Quirel_CTRLS_MainWindow>();
  mMainWindow->setWindowTitie(
      mLSobj->ls_localizedStringForKey("IDD_ASK_TEMPLATE_STR", kUimUserInterfaceTable).value_or(std::string()));
  mMainWindow->setDelegate(this);
  mMainWindow->getWindow()->setTitleDownOnOff(true);
  mClosed = false;
  mTerminated = false;
}

void Quirel_UserInterfaceModule::setInitSettingMainThreadMode(const fnd::SharedDictionary& initSetting) {
  // The same test as the root's: only 1 means a scan without the main window.
  if (initSetting && initSetting->contains("UILessMode") && initSetting->integer("UILessMode") == 1) {
    setUILessInitSetting(initSetting.get());
    return;
  }
  setUIInitSetting(initSetting.get());
}

// --- show -------------------------------------------------------------------------------------

void Quirel_UserInterfaceModule::showMainWindowMainThreadMode() {
  if (!mMainWindow) return;
  if (mStandardMode) mStandardMode->setTWAINObject(mTwObject);
  if (mExtendMode) mExtendMode->setTWAINObject(mTwObject);
  if (mMultiMode) mMultiMode->setTWAINObject(mTwObject);
  if (mPreviewInfo) mPreviewInfo->setTWAINObject(mTwObject);
  registerTWAINNotification(mTwObject);
  mCallBackUpToSM = true;

  observeApplication();

  Quirel_MainWindow* window = mMainWindow->getWindow();
  window->setFrame(mMainWindow->getFirstRect(), false);
  if (mToolbar) mToolbar->setUIMode(mMode);
  if (mTabView) {
    Quirel_TabViewItem* items[] = {mTabView->standardTabItem(), mTabView->extendTabItem(), mTabView->multiScanTabItem()};
    if (mMode >= 0 && mMode <= 2) mTabView->getTabView()->selectTabViewItem(items[mMode]);
  }

  if (mMode == 2) {
    if (mStandardMode && mStandardMode->getPreviewView()) mStandardMode->getPreviewView()->setHidden(true);
    if (mExtendMode && mExtendMode->getPreviewView()) mExtendMode->getPreviewView()->setHidden(true);
    if (mBeforeMode == 0 && mStandardMode) mStandardMode->willShowWindow();
    if (mBeforeMode == 1 && mExtendMode) mExtendMode->willShowWindow();
    if (mMultiMode) mMultiMode->showTab();
  } else if (mMode == 1) {
    if (mStandardMode && mStandardMode->getPreviewView()) mStandardMode->getPreviewView()->setHidden(true);
    if (mMultiMode) mMultiMode->hiddenTab();
    if (mExtendMode) mExtendMode->willShowWindow();
  } else {
    if (mExtendMode && mExtendMode->getPreviewView()) mExtendMode->getPreviewView()->setHidden(true);
    if (mMultiMode) mMultiMode->hiddenTab();
    if (mStandardMode) mStandardMode->willShowWindow();
  }

  window->makeKeyAndOrderFront();

  if (effectiveSingleMode() == 1) {
    if (mExtendMode) mExtendMode->didShowWindow(mMode != 2);
  } else if (mStandardMode) {
    mStandardMode->didShowWindow(mMode != 2);
  }
}

void Quirel_UserInterfaceModule::activateMainWindowMainThreadMode() {
  if (mMainWindow) mMainWindow->getWindow()->makeKeyAndOrderFront();
}

void Quirel_UserInterfaceModule::registerTWAINNotification(const void* object) {
  for (const char* name : kUimTWAINRequestNames) {
    mCenter.removeObserver(identity(), name);
    if (std::string_view(name) == "enableMultiScanWindowPost")
      mCenter.addObserver(identity(), name, object, [this](const fnd::Notification& n) { NC_SetEnableMultiScanWindow(n); });
    else
      mCenter.addObserver(identity(), name, object, [](const fnd::Notification&) {});
  }
  registerAfterScanNotifications(object);
}

// --- close ------------------------------------------------------------------------------------

void Quirel_UserInterfaceModule::closeMainWindowMainThreadMode() {
  if (!mMainWindow || mClosed) return;
  // A message box, an end of scan or an after-scan window running further out on this thread
  // holds the locks; the close comes when it has let go of them, as the data source asked.
  if (Quirel_LockHold::anyHeld({mScanResultLock.get(), mCloseSelectLock.get(), mMessageLock.get(), mEndScanLock.get()})) {
    if (mClosePending) return;
    mClosePending = true;
    std::weak_ptr<bool> alive = mAlive;
    fnd::RunLoop::performOnMainThread([this, alive] {
      const std::shared_ptr<bool> live = alive.lock();
      if (!live || !*live || !mClosePending) return;
      mClosePending = false;
      closeMainWindowMainThreadMode();
    });
    return;
  }
  mClosePending = false;
  closeMainWindowNow();
  if (mTerminateAfterClose) {
    mTerminateAfterClose = false;
    terminateMainWindowMainThreadMode();
  }
}

void Quirel_UserInterfaceModule::closeMainWindowNow() {
  Quirel_LockHold hold{mScanResultLock.get(), mCloseSelectLock.get(), mMessageLock.get(), mEndScanLock.get()};
  Quirel_MainWindow* window = mMainWindow->getWindow();
  window->setCloseFlg(true);
  if (mAppObserved) {
    auto& center = fnd::NotificationCenter::defaultCenter();
    center.removeObserver(identity(), kit::Application::kDidBecomeActiveNotification);
    center.removeObserver(identity(), kit::Application::kWillResignActiveNotification);
    center.removeObserver(identity(), kit::Application::kDidUpdateNotification);
    mAppObserved = false;
  }
  stopScanSound();
  Quirel_BaseScanMode* single = singleMode(effectiveSingleMode());
  if (effectiveSingleMode() == 1) {
    if (mExtendMode) mExtendMode->willCloseWindow();
  } else if (mStandardMode) {
    mStandardMode->willCloseWindow();
  }

  bool keep = true;
  if (mPreviewInfo && mPreviewInfo->getUIResetImageError()) {
    keep = false;
  } else if (mCallBackUpToSM && single && single->getHasPreview() && mPreferenceInfo &&
             mPreferenceInfo->getPrevStart() == 1) {
    if (call_SMBackupAndResume(1, mPreferenceInfo->getTempPath()) != 0) keep = false;
  }

  // Without a usable preview backup the stored state goes; the preferences have nothing to do
  // with the preview and are kept.
  if (!keep) {
    if (mSettingFilePath) removeSettingFile(*mSettingFilePath, kInitSettingFile);
  } else {
    const fnd::Dictionary initSetting = makeInitSettingDictionary();
    writeInitSettingXML(&initSetting, mSettingFilePath);
  }
  writePreferenceXML(mPreferenceInfo.get(), mSettingFilePath);
  if (mSettingFilePath) Quirel_SettingsSession::end(*mSettingFilePath);

  if (mMode == 0 && mStandardMode) mStandardMode->closeWindow();
  if (mMode == 1 && mExtendMode) mExtendMode->closeWindow();
  window->orderOut();
  mClosed = true;
  // The hold lets go of the four locks in the order they were taken.
}

fnd::Dictionary Quirel_UserInterfaceModule::makeInitSettingDictionary() const {
  const fnd::Rect frame = mMainWindow->getWindow()->frame();
  double x = frame.origin.x;
  double width = frame.size.width;
  double hiddenWidth = 0;
  if (mMode == 2) {
    hiddenWidth = mMultiMode ? mMultiMode->getHiddenWidth() : 0;
    x -= hiddenWidth;
    width += hiddenWidth;
  }
  const double y = displayFrame().size.height - frame.origin.y - frame.size.height;
  fnd::Dictionary oldRect{{"x", mOldWindowRect.origin.x},
                          {"y", mOldWindowRect.origin.y},
                          {"width", mOldWindowRect.size.width},
                          {"height", mOldWindowRect.size.height}};
  fnd::Dictionary mainWindow{{"x", x},
                             {"y", y},
                             {"width", width},
                             {"height", frame.size.height},
                             {"hiddenWidth", hiddenWidth},
                             {"oldWindowRect", std::move(oldRect)}};
  fnd::Dictionary d{{"MainWindow", std::move(mainWindow)},
                    {"Mode", mMode},
                    {"BeforeMode", mBeforeMode},
                    {"CloseSelect", mCloseSelectFlg},
                    {"ShowChangeTabMessage", mShowChangeTabMsg},
                    {"ShowMultiPDFScanEndMessage", mShowMultiPDFScanEndMsg},
                    {"ShowCloseSavePathMessage", mShowMCloseSaveMsg}};
  if (mStandardMode) d.set("StandardMode", mStandardMode->getLastSetting());
  if (mExtendMode) d.set("ExtendMode", mExtendMode->getLastSetting());
  if (mMultiMode) d.set("MultiScanMode", mMultiMode->getLastSetting());
  return d;
}

Quirel_BaseScanMode* Quirel_UserInterfaceModule::singleMode(int mode) const {
  if (mode == 0) return mStandardMode.get();
  if (mode == 1) return mExtendMode.get();
  return nullptr;
}

// --- terminate --------------------------------------------------------------------------------

void Quirel_UserInterfaceModule::terminateMainWindowMainThreadMode() {
  if (mClosePending) {
    // The close still waits for a holder of the locks: the terminate follows it.
    mTerminateAfterClose = true;
    return;
  }
  mdsBundleURL.reset();
  // An end-of-page dialog still open would outlive the window it is attached to.
  mMultiPDFDialog.reset();
  releaseAfterScanWindows();
  mMultiMode.reset();
  mExtendMode.reset();
  mStandardMode.reset();
  if (mMainWindow && mMainWindow->getWindow()) {
    mMainWindow->getWindow()->setDelegate(nullptr);
    mMainWindow->getWindow()->orderOut();
  }
  releaseWindowItems();
  mMainWindow.reset();
  mPreviewInfo.reset();
  mHelpControl.reset();
  mScanResultLock.reset();
  mCloseSelectLock.reset();
  mPrevDataLock.reset();
  mEndScanLock.reset();
  mMessageLock.reset();
  removeAllObservations();
  mTerminated = true;
}
