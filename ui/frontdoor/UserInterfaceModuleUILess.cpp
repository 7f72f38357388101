// The UI-less scan: the controller runs in mode 3 with the UI-less mode's frame-select dialog
// instead of the main window, its tabs and toolbar.

#include <filesystem>
#include <system_error>

#include "foundation/Paths.h"
#include "ui/base/PostNotification.h"
#include "ui/frontdoor/HelpControl.h"
#include "ui/frontdoor/UserInterfaceModule.h"
#include "ui/model/CropInfo.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/model/PreviewInfo.h"
#include "ui/model/ProfileCMList.h"
#include "ui/model/ProfileManager.h"
#include "ui/model/ThumbnailCropResize.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/windows/MessagePort.h"
#include "ui/windows/ProcessImageDialog.h"

namespace {

const fnd::Dictionary* uilDictionaryAt(const fnd::Dictionary* d, std::string_view key) {
  if (!d) return nullptr;
  const fnd::Value* v = d->find(key);
  return v && v->isDictionary() ? &v->toDictionary() : nullptr;
}

std::optional<std::string> uilStringAt(const fnd::Dictionary* d, std::string_view key) {
  if (!d) return std::nullopt;
  const fnd::Value* v = d->find(key);
  if (!v || !v->isString()) return std::nullopt;
  return v->toString();
}

std::string uilDefaultSaveFolder() {
  std::error_code ec;
  std::filesystem::path folder = std::filesystem::canonical(fnd::Paths::picturesDir(), ec);
  if (ec) folder = fnd::Paths::picturesDir();
  return folder.string() + "/";
}

}  // namespace

void Quirel_UserInterfaceModule::setUILessInitSetting(const fnd::Dictionary* initSetting) {
  mMode = 3;
  mPreviewInfo = std::make_unique<Quirel_PreviewInfo>(mCenter);
  mPreviewInfo->setUIMObject(identity());
  mHelpControl = std::make_unique<Quirel_HelpControl>(mCenter);
  mScanResultLock = std::make_unique<fnd::Lock>();
  mCloseSelectLock = std::make_unique<fnd::Lock>();
  mPrevDataLock = std::make_unique<fnd::Lock>();
  mEndScanLock = std::make_unique<fnd::Lock>();
  mMessageLock = std::make_unique<fnd::Lock>();
  mCenter.addObserver(identity(), Quirel_UILessScanMode::kRemoveThumbnailImagePost, nullptr,
                      [this](const fnd::Notification&) {
                        if (mPreviewInfo) mPreviewInfo->removeThumbnailImageData();
                      });

  // The model's parameters and the scanner's record; the record takes neither the initial
  // settings nor the request here.
  mUIParameterDic = getUIParameterDictionaryAtInitSettingData(initSetting);
  const fnd::Dictionary* parameters = mUIParameterDic ? &*mUIParameterDic : nullptr;
  const fnd::Dictionary* scannerEntry = uilDictionaryAt(parameters, "ScannerInfo");
  mScannerInfo = scannerEntry ? std::make_shared<Quirel_UIScannerInfo>(*scannerEntry)
                              : std::make_shared<Quirel_UIScannerInfo>();
  mPreviewInfo->setScannerInfo(mScannerInfo);

  // Folders and preferences.
  mSettingFilePath = uilStringAt(initSetting, "PreferencePath");
  std::optional<std::string> tempFolder;
  if (mSettingFilePath) {
    mFileManager.createDirectory(*mSettingFilePath);
    tempFolder = *mSettingFilePath + "temp/";
    mFileManager.createDirectory(*tempFolder);
  }
  mPreferenceInfo = readPreferenceXMLAtPreferenceDirPath(mSettingFilePath, tempFolder, uilDefaultSaveFolder(),
                                                         std::string(kDefaultSaveName), mScannerInfo.get());
  if (mPreferenceInfo->getColorSetting(3) == 1) {
    Quirel_ProfileCMList profiles;
    setInitSetting_ProfilePath(initSetting, parameters, profiles);
    Quirel_ProfileManager().checkAndSetProfilesData(profiles, *mPreferenceInfo);
  }
  Quirel_PostNotification(mCenter).postExternalNotificationName(
      "Set_ShutOffLampTime", identity(),
      fnd::makeShared(fnd::Dictionary{{"ShutOffLampTime", mPreferenceInfo->getLampTime()}}));

  // Resolution and the film area.
  const int resolution = initSetting ? initSetting->intValue("OpticalResolution") : 0;
  const SRectDouble filmRect = Quirel_BaseScanMode::dictionaryToRect(uilDictionaryAt(initSetting, "TPU_RGB"));
  mConnectFAU = isConnectFAU(initSetting);
  mPreviewInfo->setPlatenResolution(resolution);

  setInitSetting_HelpSetting(parameters, *mScannerInfo);
  mUserSpaceScaleFactor = getUserSpaceScaleFactor();
  const fnd::LocaleFacts facts = localeFacts();
  mUserLocaleUnits = UserLocaleUnits{facts.metric ? 1 : 0, defaultADFPaperSize(facts), defaultFilmSize(facts)};

  // The UI-less mode and its dialog.
  mUILessMode = std::make_unique<Quirel_UILessScanMode>(mCenter);
  mUILessMode->setDisplayManager(mDisplay);
  mUILessMode->setPreferenceInfo(mPreferenceInfo);
  mUILessMode->setScannerInfo(mScannerInfo);
  mUILessMode->setUserSpaceScaleFactor(mUserSpaceScaleFactor);
  mUILessMode->setPlatenResolution(resolution);
  mUILessMode->setFilmPlatenRect_Pixel96(filmRect);
  mUILessMode->createDialog();
  mUILessMode->setUIMObject(identity());

  if (Quirel_CropInfo* crop = mUILessMode->getTemplateCrop()) {
    crop->setImageSource(2);
    crop->setColorMode(3);
    crop->setThreshold(mScannerInfo->thresholdValue());
  }
}

void Quirel_UserInterfaceModule::startUILessScanMainThreadMode(const fnd::Dictionary* scanDic) {
  if (!mUILessMode || !mPreviewInfo) return;
  mUILessMode->setTWAINObject(mTwObject);
  mPreviewInfo->setTWAINObject(mTwObject);
  mUILessMode->setScanDic(scanDic);
  mUILessMode->previewStart();
}

void Quirel_UserInterfaceModule::endPreviewThread_UILessMode(const fnd::Array* crops, std::int32_t filmSize,
                                                             std::int32_t inputSource, std::int32_t cancel,
                                                             std::int32_t error) {
  mShowedProcessImageDialog = false;
  if (!crops || cancel != 0 || error != 0 || !mUILessMode || !mPreviewInfo) return;
  if (crops->empty()) {
    Quirel_MessagePort::show(1326, 0, 0, 0);
    Quirel_PostNotification(mCenter).postExternalNotificationName(Quirel_UILessScanMode::kCancelClosePost, identity(),
                                                                  nullptr);
    return;
  }
  mUILessMode->setEnabledAllControl(false, true);
  mUILessMode->showDialog();
  const fnd::Array resized = filmThumbnailFrames(*crops, mPreferenceInfo.get());
  mUILessMode->createThumbnail(mPreviewInfo.get(), &resized, filmSize, inputSource);

  std::unique_ptr<Quirel_ProcessImageDialog> process;
  if (mScannerInfo && mScannerInfo->isVer1600Later() && resized.size() >= 2) {
    process = showThumbnailProgress(resized.size(), mUILessMode->getWindow());
    mShowedProcessImageDialog = true;
  }
  mPreviewInfo->createThumbnailImageData(resized, mUILessMode->getThumbnailList());
  mUILessMode->setThumbnailImage(mPreviewInfo.get());
  if (process) process->closeProcessImageDialog();
  process.reset();
  mUILessMode->setEnabledAllControl(true, true);
}

void Quirel_UserInterfaceModule::terminateUILessScanMainThreadMode() {
  removeAllObservations();
  mdsBundleURL.reset();
  if (mUILessMode) mUILessMode->closeDialog();
  mUILessMode.reset();
  mPreviewInfo.reset();
  mHelpControl.reset();
  mScanResultLock.reset();
  mCloseSelectLock.reset();
  mPrevDataLock.reset();
  mEndScanLock.reset();
  mMessageLock.reset();
  mTerminated = true;
}
