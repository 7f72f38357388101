// The stand-alone dialogs the root asks for besides the main window: the device-utility
// dialogs (quiet mode, automatic power), the multi-page PDF dialogs and the automatic-scan
// confirmation. The choices not to show a dialog again reach "InitSetting.xml" at once.

#include <filesystem>
#include <system_error>

#include "foundation/Paths.h"
#include "foundation/RunLoop.h"
#include "foundation/Timer.h"
#include "ui/base/PostNotification.h"
#include "ui/base/progressCancelStatus.h"
#include "ui/controls/CTRLS_MainWindow.h"
#include "ui/controls/MainWindow.h"
#include "ui/frontdoor/UserInterfaceModule.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/settings/PVUtilityDialog.h"

namespace {

const fnd::Dictionary* utilDictionaryAt(const fnd::Dictionary* d, std::string_view key) {
  if (!d) return nullptr;
  const fnd::Value* v = d->find(key);
  return v && v->isDictionary() ? &v->toDictionary() : nullptr;
}

std::optional<std::string> utilStringAt(const fnd::Dictionary* d, std::string_view key) {
  if (!d) return std::nullopt;
  const fnd::Value* v = d->find(key);
  if (!v || !v->isString()) return std::nullopt;
  return v->toString();
}

// The user's pictures folder with its links resolved, ending in "/".
std::string utilDefaultSaveFolder() {
  std::error_code ec;
  std::filesystem::path folder = std::filesystem::canonical(fnd::Paths::picturesDir(), ec);
  if (ec) folder = fnd::Paths::picturesDir();
  return folder.string() + "/";
}

}  // namespace

// ---- Device-utility dialogs.

void Quirel_UserInterfaceModule::showSilentTimeSettingDialog(const fnd::SharedDictionary& initSetting,
                                                             const fnd::SharedDictionary& request) {
  showUtilityDialogAtType(Quirel_PVUtilityDialog::kQuietMode, initSetting.get(), request.get());
}

void Quirel_UserInterfaceModule::showAutoPowerSettingDialog(const fnd::SharedDictionary& initSetting,
                                                            const fnd::SharedDictionary& request) {
  showUtilityDialogAtType(Quirel_PVUtilityDialog::kAutoPower, initSetting.get(), request.get());
}

void Quirel_UserInterfaceModule::showUtilityDialogAtType(int type, const fnd::Dictionary* initSetting,
                                                         const fnd::Dictionary* request) {
  startDisplayPictavoIconOnMessageDialog();
  const std::optional<fnd::Dictionary> parameters =
      initSetting ? getUIParameterDictionaryAtInitSettingData(initSetting) : std::nullopt;
  const fnd::Dictionary* scannerEntry = parameters ? utilDictionaryAt(&*parameters, "ScannerInfo") : nullptr;
  int result = -1;
  if (scannerEntry) {
    auto scannerInfo = std::make_shared<Quirel_UIScannerInfo>(*scannerEntry);
    scannerInfo->setInitSettingData(initSetting);
    scannerInfo->setTWAINRequest(request);
    auto dialog = std::make_unique<Quirel_PVUtilityDialog>(type, scannerInfo);
    dialog->setNotificationSender(identity());
    if (type == Quirel_PVUtilityDialog::kQuietMode && scannerInfo->isSFS()) {
      // A scanner-only device keeps its quiet mode in the preferences, not in the device.
      const std::optional<std::string> folder = utilStringAt(initSetting, "PreferencePath");
      std::optional<std::string> tempFolder;
      if (folder) {
        mFileManager.createDirectory(*folder);
        tempFolder = *folder + "temp/";
        mFileManager.createDirectory(*tempFolder);
      }
      std::shared_ptr<Quirel_PreferenceInfo> preference = readPreferenceXMLAtPreferenceDirPath(
          folder, tempFolder, utilDefaultSaveFolder(), std::string(kDefaultSaveName), scannerInfo.get());
      dialog->setDoNotGetSettingFromDevice(true);
      dialog->setSelectedSilentSetting(preference->getQuietMode() ? 1 : 0);
      result = dialog->showUtilityDialog();
      const bool chosen = dialog->getSelectedSilentSetting() != 0;
      if (chosen != preference->getQuietMode()) {
        preference->setQuietMode(chosen);
        writePreferenceXML(preference.get(), folder);
      }
    } else {
      result = dialog->showUtilityDialog();
    }
  }
  if (result == 1) return;
  Quirel_PostNotification(mCenter).postExternalNotificationName("Click_CloseButton", identity(), nullptr);
}

// ---- Multi-page PDF dialogs.

void Quirel_UserInterfaceModule::peformPostNotificationMPDFPullScanEndDialogButton() {
  Quirel_PostNotification(mCenter).postExternalNotificationName(
      Quirel_MultiPDFDialog::kPullEndPost, identity(),
      fnd::makeShared(fnd::Dictionary{{Quirel_MultiPDFDialog::kButton, 1LL}}));
}

std::int32_t Quirel_UserInterfaceModule::showMultiPagePDFPullScanEndDialog(std::int32_t kind,
                                                                          const fnd::SharedDictionary& initSetting) {
  if (kind == 1 && !mShowMultiPDFScanEndMsg) {
    // As if Scan had been pressed, answered on the next pass like a press.
    std::weak_ptr<bool> alive = mAlive;
    if (mPendingPullScanAnswer) mPendingPullScanAnswer->invalidate();
    mPendingPullScanAnswer = fnd::RunLoop::main().performAfterDelay(0, [this, alive] {
      if (alive.expired()) return;
      mPendingPullScanAnswer.reset();
      peformPostNotificationMPDFPullScanEndDialogButton();
    });
    return 1;
  }
  const std::optional<fnd::Dictionary> parameters =
      initSetting ? getUIParameterDictionaryAtInitSettingData(initSetting.get()) : std::nullopt;
  if (!parameters) return 0;
  if (mMultiPDFDialog) mMultiPDFDialog->closeDialog();
  mMultiPDFDialog = std::make_unique<Quirel_MultiPDFDialog>(parameters, mCenter);
  mMultiPDFDialog->setNotificationSender(identity());
  mMultiPDFDialog->createMultiPagePDFPullScanEndDialog(kind == 1);
  if (kind == 1 && mMainWindow && mMainWindow->getWindow())
    mMultiPDFDialog->setParentWindow(mMainWindow->getWindow(), identity());
  mMultiPDFDialog->showDialog();
  return 0;
}

void Quirel_UserInterfaceModule::multiPagePDFPullScanEndDialogMousedownEvent(
    const std::shared_ptr<Quirel_progressCancelStatus>& event) {
  if (mMultiPDFDialog) mMultiPDFDialog->getMousedownEvent(event.get());
}

void Quirel_UserInterfaceModule::multiPagePDFPushScanEndDialogMousedownEvent(
    const std::shared_ptr<Quirel_progressCancelStatus>& event) {
  if (mMultiPDFDialog) mMultiPDFDialog->getMousedownEvent(event.get());
}

void Quirel_UserInterfaceModule::closeMultiPagePDFPullScanEndDialog() {
  if (!mMultiPDFDialog) return;
  mMultiPDFDialog->closeDialog();
  if (mMultiPDFDialog->displayDialogAgain() == 0) mShowMultiPDFScanEndMsg = false;
  mMultiPDFDialog.reset();
}

std::int32_t Quirel_UserInterfaceModule::showMultiPagePDFPushScanEndDialog(std::int32_t kind,
                                                                          const fnd::SharedDictionary& initSetting) {
  const std::optional<fnd::Dictionary> parameters =
      initSetting ? getUIParameterDictionaryAtInitSettingData(initSetting.get()) : std::nullopt;
  if (!parameters) return 0;
  if (mMultiPDFDialog) mMultiPDFDialog->closeDialog();
  mMultiPDFDialog = std::make_unique<Quirel_MultiPDFDialog>(parameters, mCenter);
  mMultiPDFDialog->setNotificationSender(identity());
  mMultiPDFDialog->createMultiPagePDFPushScanEndDialog(kind);
  mMultiPDFDialog->showDialog();
  return 0;
}

void Quirel_UserInterfaceModule::closeMultiPagePDFPushScanEndDialog() {
  if (!mMultiPDFDialog) return;
  mMultiPDFDialog->closeDialog();
  mMultiPDFDialog.reset();
}

std::int32_t Quirel_UserInterfaceModule::showMultiPagePDFPushScanStartDialog(const fnd::SharedDictionary& initSetting) {
  const std::optional<std::string> folder = utilStringAt(initSetting.get(), "PreferencePath");
  std::optional<fnd::Dictionary> stored = readInitSettingXMLAtPreferenceDirPath(folder);
  if (!mShowMultiPDFScanStartMsg || !initSetting) return 1;
  const std::optional<fnd::Dictionary> parameters = getUIParameterDictionaryAtInitSettingData(initSetting.get());
  if (!parameters) return 1;
  Quirel_MultiPDFDialog dialog(parameters, mCenter);
  dialog.createMultiPagePDFPushScanStartDialog();
  dialog.showDialog();
  if (dialog.displayDialogAgain() == 0) {
    mShowMultiPDFScanStartMsg = false;
    const fnd::Dictionary empty;
    if (folder) mFileManager.createDirectory(*folder);
    writeInitSettingXML(stored ? &*stored : &empty, folder);
  }
  return 1;
}

std::int32_t Quirel_UserInterfaceModule::showAutoScanStartDialog(const fnd::SharedDictionary& initSetting) {
  const std::optional<std::string> folder = utilStringAt(initSetting.get(), "PreferencePath");
  std::optional<fnd::Dictionary> stored = readInitSettingXMLAtPreferenceDirPath(folder);
  if (!mShowAutoScanConfirmMsg || !initSetting) return 1;
  const std::optional<fnd::Dictionary> parameters = getUIParameterDictionaryAtInitSettingData(initSetting.get());
  if (!parameters) return 1;
  const fnd::Dictionary* scannerEntry = utilDictionaryAt(&*parameters, "ScannerInfo");
  auto scannerInfo = scannerEntry ? std::make_shared<Quirel_UIScannerInfo>(*scannerEntry)
                                  : std::make_shared<Quirel_UIScannerInfo>();
  scannerInfo->setInitSettingData(initSetting.get());
  Quirel_MultiPDFDialog dialog(scannerInfo, parameters, mCenter);
  if (!dialog.isInstalledHelp()) return 1;
  dialog.createAutoScanConfirmDialog();
  dialog.setNotificationSender(identity());
  dialog.showDialog();
  if (dialog.displayDialogAgain() == 0) {
    mShowAutoScanConfirmMsg = false;
    const fnd::Dictionary empty;
    if (folder) mFileManager.createDirectory(*folder);
    writeInitSettingXML(stored ? &*stored : &empty, folder);
  }
  return 1;
}
