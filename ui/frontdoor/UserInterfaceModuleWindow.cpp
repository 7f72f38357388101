// The window's modes and toolbar. The tab view, the two bottom buttons, the tool view and the
// preview frame, and the rest of the window's observers, are built by a later layer.

#include "ui/base/PVLocalizedString.h"
#include "ui/base/PostNotification.h"
#include "ui/controls/CTRLS_MainWindow.h"
#include "ui/frontdoor/UserInterfaceModule.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/model/PreviewInfo.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/modes/basic/StandardMode.h"
#include "ui/modes/multiscan/MultiScanMode.h"
#include "ui/modes/toolbar/Toolbar.h"
#include "ui/windows/GetMainWindowObj.h"

void Quirel_UserInterfaceModule::setUIInitSetting_CreateMainWindow(
    const std::shared_ptr<Quirel_UIScannerInfo>& scannerInfo) {
  mStandardMode = std::make_unique<Quirel_StandardMode>(mCenter);
  mStandardMode->setUIMObject(identity());
  mStandardMode->setPVLocalizedString(mLSobj);
  mStandardMode->setMainWindow(mMainWindow);
  mStandardMode->setConnectFAU(mConnectFAU);
  mStandardMode->setScannerInfo(scannerInfo);
  mMultiMode = std::make_unique<Quirel_MultiScanMode>(mCenter);
  mMultiMode->setUIMObject(identity());
  mMultiMode->setPVLocalizedString(mLSobj);
  mMultiMode->setMainWindow(mMainWindow);
  mMultiMode->setConnectFAU(mConnectFAU);
  mMultiMode->setScannerInfo(scannerInfo);
  mMultiMode->setDisplayManager(mDisplay);

  mToolbar = std::make_unique<Quirel_Toolbar>(scannerInfo, mCenter);
  mStandardMode->createToolBarItem(mToolbar.get());
  mMultiMode->createToolBarItem(mToolbar.get());

  // A message box holds the end-of-scan and message locks while it shows.
  mCenter.removeObserver(identity(), Quirel_GetMainWindowObj::kPostName);
  mCenter.addObserver(identity(), Quirel_GetMainWindowObj::kPostName, nullptr,
                      [this](const fnd::Notification& n) { setMainWindowObjectMes(n); });
}

bool Quirel_UserInterfaceModule::windowShouldClose(kit::Window&) {
  // The window closes when the data source answers with the close request; until then the
  // user cannot work in it.
  if (mMode == 2 && mMultiMode) mMultiMode->setEnabledMainWindow(false);
  else if (mStandardMode) mStandardMode->setEnabledMainWindow(false);
  const bool autoExit = mPreferenceInfo && mPreferenceInfo->getAutoExit() != 0;
  Quirel_PostNotification(mCenter).postExternalNotificationName(
      "Click_CloseButton", identity(), fnd::makeShared(fnd::Dictionary{{"AutoExit", autoExit}}));
  return false;
}
