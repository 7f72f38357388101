// The window's modes and toolbar. The tab view, the two bottom buttons, the tool view and the
// preview frame, and the rest of the window's observers, are built by a later layer.

#include "ui/base/PVLocalizedString.h"
#include "ui/controls/CTRLS_MainWindow.h"
#include "ui/frontdoor/UserInterfaceModule.h"
#include "ui/model/PreviewInfo.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/modes/basic/StandardMode.h"
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
  multiScanCreate();

  mToolbar = std::make_unique<Quirel_Toolbar>(scannerInfo, mCenter);
  mStandardMode->createToolBarItem(mToolbar.get());

  // A message box holds the end-of-scan and message locks while it shows.
  mCenter.removeObserver(identity(), Quirel_GetMainWindowObj::kPostName);
  mCenter.addObserver(identity(), Quirel_GetMainWindowObj::kPostName, nullptr,
                      [this](const fnd::Notification& n) { setMainWindowObjectMes(n); });
}

// --- the multi-scan mode ----------------------------------------------------------------------

void Quirel_UserInterfaceModule::multiScanCreate() {}

void Quirel_UserInterfaceModule::multiScanHandRecords() {}

double Quirel_UserInterfaceModule::multiScanHiddenWidth() const { return 0; }

void Quirel_UserInterfaceModule::multiScanShowTab() {}

void Quirel_UserInterfaceModule::multiScanHiddenTab() {}

std::optional<fnd::Dictionary> Quirel_UserInterfaceModule::multiScanLastSetting() const { return std::nullopt; }

void Quirel_UserInterfaceModule::multiScanSetLastSetting(const fnd::Dictionary&) {}

void Quirel_UserInterfaceModule::multiScanSetItem(const fnd::Dictionary*) {}

void Quirel_UserInterfaceModule::multiScanInputSourceChange() {}
