// The window's contents: the modes, the mode tabs, the Preferences and Close buttons, the
// preview toolbar and the preview frame, and the observers through which the modes, the
// adjustment dialogs and the controls reach the controller.

#include "kit/View.h"
#include "ui/base/MainWindowLayout.h"
#include "ui/base/PVLocalizedString.h"
#include "ui/base/PostNotification.h"
#include "ui/controls/CTRLS_MainWindow.h"
#include "ui/controls/CTRLS_PreviewFrame.h"
#include "ui/controls/CTRLS_PushButton.h"
#include "ui/controls/CTRLS_Separator.h"
#include "ui/controls/CTRLS_TOOLView.h"
#include "ui/controls/CTRLS_TabView.h"
#include "ui/controls/FloatingPanel.h"
#include "ui/controls/InfoDlgPanel.h"
#include "ui/controls/NoFocusButton.h"
#include "ui/controls/NoFocusView.h"
#include "ui/controls/PreviewFrameView.h"
#include "ui/frontdoor/UserInterfaceModule.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/modes/advanced/ExtendMode.h"
#include "ui/modes/basic/StandardMode.h"
#include "ui/modes/multiscan/MultiScanMode.h"
#include "ui/modes/toolbar/Toolbar.h"
#include "ui/settings/InfoDialog.h"
#include "ui/windows/GetMainWindowObj.h"

namespace {

constexpr const char* kUimWindowTable = "UserInterface";

}  // namespace

void Quirel_UserInterfaceModule::setUIInitSetting_CreateMainWindow(
    const std::shared_ptr<Quirel_UIScannerInfo>& scannerInfo) {
  mStandardMode = std::make_unique<Quirel_StandardMode>(mCenter);
  mStandardMode->setUIMObject(identity());
  mStandardMode->setPVLocalizedString(mLSobj);
  mStandardMode->setMainWindow(mMainWindow);
  mStandardMode->setConnectFAU(mConnectFAU);
  mStandardMode->setScannerInfo(scannerInfo);
  mExtendMode = std::make_unique<Quirel_ExtendMode>(mCenter);
  mExtendMode->setUIMObject(identity());
  mExtendMode->setPVLocalizedString(mLSobj);
  mExtendMode->setMainWindow(mMainWindow);
  mExtendMode->setConnectFAU(mConnectFAU);
  mExtendMode->setScannerInfo(scannerInfo);
  mMultiMode = std::make_unique<Quirel_MultiScanMode>(mCenter);
  mMultiMode->setUIMObject(identity());
  mMultiMode->setPVLocalizedString(mLSobj);
  mMultiMode->setMainWindow(mMainWindow);
  mMultiMode->setConnectFAU(mConnectFAU);
  mMultiMode->setScannerInfo(scannerInfo);
  mMultiMode->setDisplayManager(mDisplay);

  // The newest generation has no multi-scan tab.
  mTabView = std::make_unique<Quirel_CTRLS_TabView>(true, true, !scannerInfo->isVer1900Later());
  kit::View* tabView = mTabView->getTabView();
  const Quirel_MainWindowLayout::Frames frames =
      Quirel_MainWindowLayout::mainWindowFrames(tabView->frame(), scannerInfo->isVer1400Later());
  tabView->setFrame(frames.tabView);
  mTabView->setDelegate(this);
  mMainWindow->addWindowItem(tabView);

  const auto makeButton = [this](const fnd::Rect& rect, const char* postName, const char* titleKey) {
    auto button = std::make_unique<Quirel_CTRLS_PushButton>();
    button->setPushBTRect(rect);
    button->setPushBTActionPostNtf(postName);
    button->setPushBTTitle(mLSobj->ls_localizedStringForKey(titleKey, kUimWindowTable).value_or(std::string()));
    return button;
  };
  mPreferenceBtn = makeButton(frames.preferenceButton, "PreferenceButtonPost", "IDC_MAINSHEET_PREFSET_STR");
  mCloseWindowBtn = makeButton(frames.closeButton, "CloseMainWindowButtonPost", "IDC_MAINSHEET_CLOSE_STR");
  mButtonView = std::make_unique<Quirel_NoFocusView>(frames.buttonStrip);
  // The strip stays under the tabs, which keep their distance to the window's right edge.
  mButtonView->setAutoresizingMask(kit::kViewMinXMargin);
  if (frames.hasButtonStrip) {
    mButtonView->addSubview(mPreferenceBtn->getPushBT());
    mButtonView->addSubview(mCloseWindowBtn->getPushBT());
    mMainWindow->addWindowItem(mButtonView.get());
  }

  mStandardMode->setCloseMainWindowButton(mCloseWindowBtn.get());
  mStandardMode->setPreferenceButton(mPreferenceBtn.get());
  mExtendMode->setCloseMainWindowButton(mCloseWindowBtn.get());
  mExtendMode->setPreferenceButton(mPreferenceBtn.get());
  mMultiMode->setCloseMainWindowButton(mCloseWindowBtn.get());
  mMultiMode->setPreferenceButton(mPreferenceBtn.get());
  mStandardMode->createStandardItem(mTabView.get());
  mExtendMode->createExtendItem(mTabView.get());
  mMultiMode->createMultiScanItem(mTabView.get());

  setUIInitSetting_CreateToolBarItem(scannerInfo);
  setUIInitSetting_CreatePreviewAreaItem();

  mColorBlcChgFlg = false;
  mToneBCChgFlg = false;
  mThresholdChgFlg = false;
  mHistChgFlg = false;
  mZooomBtnFlg = false;
  mTabChanging = false;
  mdsBundleURL.reset();

  registerMainWindowObservers(*scannerInfo);
}

void Quirel_UserInterfaceModule::setUIInitSetting_CreateToolBarItem(
    const std::shared_ptr<Quirel_UIScannerInfo>& scannerInfo) {
  const Quirel_MainWindowLayout::Frames frames = Quirel_MainWindowLayout::mainWindowFrames(fnd::Rect(), false);
  mToolbar = std::make_unique<Quirel_Toolbar>(scannerInfo, mCenter);
  auto toolView = std::make_shared<Quirel_CTRLS_TOOLView>();
  toolView->setToolViewRect(frames.toolView);
  mToolbar->setToolbarView(toolView);
  mMainWindow->addWindowItem(toolView->getToolView());
  mStandardMode->createToolBarItem(mToolbar.get());
  mExtendMode->createToolBarItem(mToolbar.get());
  mMultiMode->createToolBarItem(mToolbar.get());

  const auto makeSeparator = [&](const fnd::Rect& rect) {
    auto separator = std::make_shared<Quirel_CTRLS_Separator>();
    separator->setRect(rect);
    toolView->setItem(separator->getSeparator());
    return separator;
  };
  mToolbar->setHorizontalSeparator1(makeSeparator(frames.horizontalSeparator));
  mToolbar->setHorizontalSeparator2(makeSeparator(frames.horizontalSeparator));
  mToolbar->setHorizontalSeparator3(makeSeparator(frames.horizontalSeparator));
  mToolbar->setHorizontalSeparator4(makeSeparator(frames.horizontalSeparator));
  mToolbar->setHorizontalSeparator5(makeSeparator(frames.horizontalSeparator));
  std::shared_ptr<Quirel_CTRLS_Separator> vertical = makeSeparator(frames.verticalSeparator);
  vertical->getSeparator()->setAutoresizingMask(kit::kViewWidthSizable);
  mToolbar->setVerticalSeparator1(vertical);

  if (std::shared_ptr<Quirel_InfoDialog> info = mToolbar->getScanInfoDialog())
    info->setParentWindow(mMainWindow->getWindow());
}

void Quirel_UserInterfaceModule::setUIInitSetting_CreatePreviewAreaItem() {
  const Quirel_MainWindowLayout::Frames frames = Quirel_MainWindowLayout::mainWindowFrames(fnd::Rect(), false);
  mPreviewFrame = std::make_unique<Quirel_CTRLS_PreviewFrame>();
  const fnd::Rect& r = frames.previewFrame;
  mPreviewFrame->setFrameViewRect(r.origin.x, r.origin.y, r.size.width, r.size.height);
  mMainWindow->addWindowItem(mPreviewFrame->getFrameView());
  mStandardMode->createPreviewAreaItem(mPreviewFrame.get());
  mExtendMode->createPreviewAreaItem(mPreviewFrame.get());
  mMultiMode->createPreviewAreaItem(mPreviewFrame.get());
}

void Quirel_UserInterfaceModule::registerMainWindowObservers(const Quirel_UIScannerInfo& scannerInfo) {
  using Handler = void (Quirel_UserInterfaceModule::*)(const fnd::Notification&);
  const auto on = [this](const char* name, const void* sender, Handler handler) {
    mCenter.removeObserver(identity(), name);
    mCenter.addObserver(identity(), name, sender, [this, handler](const fnd::Notification& n) { (this->*handler)(n); });
  };
  // Two observations of one name from two senders: each filtered by its own sender.
  const auto also = [this](const char* name, const void* sender, Handler handler) {
    mCenter.addObserver(identity(), name, sender, [this, handler](const fnd::Notification& n) { (this->*handler)(n); });
  };
  using U = Quirel_UserInterfaceModule;
  on("COLOR_CHG_TO_MAIN", nullptr, &U::colorChanging);
  on("COLOR_FIX_TO_MAIN", nullptr, &U::colorFix);
  on("TONEBC_CHG_TO_MAIN", nullptr, &U::toneBCChanging);
  on("TONEBC_FIX_TO_MAIN", nullptr, &U::toneBCFix);
  on("HIST_CHG_TO_MAIN", nullptr, &U::histChanging);
  on("HIST_FIX_TO_MAIN", nullptr, &U::histFix);
  on("THRESHOLD_CHG_TO_MAIN", nullptr, &U::thresholdChanging);
  on("THRESHOLD_FIX_TO_MAIN", nullptr, &U::thresholdFix);
  on("TITLE_DOWN_OK_FROM_TONEBC", nullptr, &U::titleDownFlgSetYes);
  on("TITLE_DOWN_OK_FROM_HIST", nullptr, &U::titleDownFlgSetYes);
  on("TITLE_DOWN_OK_FROM_THRE", nullptr, &U::titleDownFlgSetYes);
  on(Quirel_MainWindow::kZoomBtnOnPost, nullptr, &U::zoomBtnFlgYes);
  // "SHOW_ERROR_FROM_DLG", "CLOSE_ERROR_FROM_DLG", "removeThumbnailImagePost" and
  // "setScanSoundTimerPost" are answered by the scan-result window and the scan-end sound.
  on("setImageSourceAndColorModeStrPost", nullptr, &U::setImageSourceAndColorModeStr);
  on("setMainWindowObjectPost", nullptr, &U::setMainWindowObject);
  on(Quirel_GetMainWindowObj::kPostName, nullptr, &U::setMainWindowObjectMes);
  on("setStandardModeIDPost", nullptr, &U::setStandardModeID);
  on("setDefaultSettingFromExtendModePost", nullptr, &U::setDefaultSettingFromExtendMode);
  on("setChangeTabMessageStateFromExtendModePost", static_cast<const void*>(mExtendMode.get()),
     &U::setChangeTabMessageStateFromExtendMode);
  on("getChangeTabMessageStateFromExtendModePost", static_cast<const void*>(mExtendMode.get()),
     &U::getChangeTabMessageStateFromExtendMode);
  on("showModalDialog_FolderOpen", nullptr, &U::receiveShowModalDialog);
  on("showModalDialog_SoundOpen", nullptr, &U::receiveShowModalDialog);
  on("closeModalDialog_FolderOpen", nullptr, &U::receiveCloseModalDialog);
  on("closeModalDialog_SoundOpen", nullptr, &U::receiveCloseModalDialog);
  on("reDrawCropbyAutoCropButtonPost", nullptr, &U::reDrawCropbyAutoCropButton);
  on("setMCPointsByMultiCropButtonPost", nullptr, &U::setMCPointsByMultiCropButton);

  // Sender-filtered: each only from its own window or control.
  const Quirel_FloatingPanel* infoPanel = nullptr;
  if (std::shared_ptr<Quirel_InfoDialog> info = mToolbar->getScanInfoDialog()) infoPanel = info->getWindow();
  if (infoPanel) {
    on(Quirel_FloatingPanel::kMouseMovedPost, infoPanel, &U::mouseMovedOnPreview);
    on(Quirel_FloatingPanel::kOptionKeyDownPost, infoPanel, &U::optionKeyDown);
    on(Quirel_FloatingPanel::kOptionKeyUpPost, infoPanel, &U::optionKeyUp);
  }
  on(Quirel_PreviewFrameView::kMouseEventPost, static_cast<const kit::View*>(mPreviewFrame->getFrameView()),
     &U::mouseEventOnPreviewFrame);
  const Quirel_MainWindow* window = mMainWindow->getWindow();
  on(Quirel_MainWindow::kMouseMovedPost, window, &U::mouseMovedOnPreview);
  on(Quirel_MainWindow::kOptionKeyDownPost, window, &U::optionKeyDown);
  on(Quirel_MainWindow::kOptionKeyUpPost, window, &U::optionKeyUp);
  const void* preferenceControl = mPreferenceBtn->getPushBT();
  const void* closeControl = mCloseWindowBtn->getPushBT();
  on("PreferenceButtonPost", preferenceControl, &U::preferenceButtonAction);
  on(Quirel_NoFocusButton::kButtonDownPost, preferenceControl, &U::preferenceButtonDown);
  on("CloseMainWindowButtonPost", closeControl, &U::closeMainWindowButtonAction);
  also(Quirel_NoFocusButton::kButtonDownPost, closeControl, &U::closeMainWindowButtonDown);
  if (scannerInfo.isVer1400Later() && scannerInfo.manualCalibration())
    on("PreferenceCalibrationStartPost", nullptr, &U::preferenceCalibrationStart);
}

bool Quirel_UserInterfaceModule::windowShouldClose(kit::Window&) {
  // The window closes when the data source answers with the close request; until then the
  // user cannot work in it.
  if (mMode == 2 && mMultiMode) mMultiMode->setEnabledMainWindow(false);
  else if (mMode == 1 && mExtendMode) mExtendMode->setEnabledMainWindow(false);
  else if (mStandardMode) mStandardMode->setEnabledMainWindow(false);
  const bool autoExit = mPreferenceInfo && mPreferenceInfo->getAutoExit() != 0;
  Quirel_PostNotification(mCenter).postExternalNotificationName(
      "Click_CloseButton", identity(), fnd::makeShared(fnd::Dictionary{{"AutoExit", autoExit}}));
  return false;
}
