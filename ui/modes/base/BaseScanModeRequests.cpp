// Preview and scan requests: the preview model fills a record on a carrier, the record leaves in
// its dictionary form through the outward channel, a scan is followed by the save settings.

#include <new>

#include "foundation/FileManager.h"
#include "ui/base/FileManager.h"
#include "ui/base/PostNotification.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/model/ProfileCMList.h"
#include "ui/model/SM_COMMON/ScanDic/ScanDic.h"
#include "ui/model/SettingToSM.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/modes/base/BaseScanMode.h"

namespace {

constexpr const char* kModePreviewSettingFromStdPost = "previewSettingFromStdPost";
constexpr const char* kModePreviewSettingFromExtPost = "previewSettingFromExtPost";
constexpr const char* kModeScanSettingFromStdPost = "scanSettingFromStdPost";
constexpr const char* kModeScanSettingFromExtPost = "scanSettingFromExtPost";

fnd::SharedDictionary settingCarrierInfo(const std::shared_ptr<Quirel_SettingToSM>& carrier) {
  auto info = std::make_shared<fnd::Dictionary>();
  info->set(Quirel_BaseScanMode::kSetToSMKey, fnd::Value::object(carrier));
  return info;
}

// The default input-profile slot of a scan-module input source: 0 reflective, 1 and 2 film.
int saveInfoProfileSlot(int inputSource) {
  switch (inputSource) {
    case 0:
    case 1:
    case 2: return 0;
    case 3:
    case 5: return 1;
    case 4:
    case 6: return 2;
    default: return -1;
  }
}

}  // namespace

void Quirel_BaseScanMode::postPreviewSettingFromStd(const std::shared_ptr<Quirel_SettingToSM>& carrier) {
  mCenter.post(kModePreviewSettingFromStdPost, selfIdentity(), settingCarrierInfo(carrier));
}

void Quirel_BaseScanMode::postPreviewSettingFromExt(const std::shared_ptr<Quirel_SettingToSM>& carrier) {
  mCenter.post(kModePreviewSettingFromExtPost, selfIdentity(), settingCarrierInfo(carrier));
}

void Quirel_BaseScanMode::armScanSound(fnd::NotificationCenter& center, const Quirel_PreferenceInfo* preferences,
                                       const void* sender) {
  if (!preferences || !preferences->getSound()) return;
  // Bookmark access scopes do not exist here; the file itself decides.
  const std::optional<std::string> path = preferences->getSoundPath();
  if (!path || path->empty()) return;
  const Quirel_FileManager files;
  if (files.isEnabledFile(*path, true, true) && !fnd::FileManager::isFolder(*path))
    center.post(kScanSoundTimerPost, sender);
}

std::optional<Quirel_BaseScanMode::FilledRecord> Quirel_BaseScanMode::requestRecord(const char* postName,
                                                                                    int threshold) {
  std::shared_ptr<Quirel_SettingToSM> carrier;
  try {
    carrier = std::make_shared<Quirel_SettingToSM>();
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
  carrier->setScanModeObj(this);
  carrier->setThresholdNum(threshold);
  mCenter.post(postName, selfIdentity(), settingCarrierInfo(carrier));
  if (carrier->isRefused()) return std::nullopt;
  // The copy's crop entries stay the carrier's, so the carrier travels with it.
  ScanInfo record = carrier->getScanInfoSM();
  return FilledRecord{std::move(carrier), record};
}

bool Quirel_BaseScanMode::postPreviewWithScan(bool scan, bool zoomScan, bool changePreviewMode, bool redraw,
                                              bool originalScan, bool previewAtStart, bool createCrop,
                                              bool changeThumbnailSize, int progressStatus, int threshold) {
  return postPreviewWithScan(scan, zoomScan, changePreviewMode, redraw, originalScan, previewAtStart, createCrop,
                             changeThumbnailSize, progressStatus, threshold, false);
}

bool Quirel_BaseScanMode::postPreviewWithScan(bool scan, bool zoomScan, bool changePreviewMode, bool redraw,
                                              bool originalScan, bool previewAtStart, bool createCrop,
                                              bool changeThumbnailSize, int progressStatus, int threshold,
                                              bool changeFavoriteSetting) {
  Quirel_PostNotification poster(mCenter);
  mNeedScan = scan;
  mRedraw = redraw;
  mOriginalScan = originalScan;
  mPreviewAtStart = previewAtStart;
  mCreateFilmCrop = createCrop;
  mChangeThumbnailSize = changeThumbnailSize;
  mProgressStatus = progressStatus;
  mChangeFavoriteSetting = changeFavoriteSetting;
  if (scan) armScanSound();

  bool sent = false;
  std::optional<FilledRecord> filled =
      requestRecord(mUIMode != 0 ? kModePreviewSettingFromExtPost : kModePreviewSettingFromStdPost, threshold);
  // A preview is read at 300 dpi through its first frame: without one there is nothing to send,
  // and the caller is told so it can give the controls back.
  if (filled && filled->record.crop_num >= 1 && filled->record.CropItem[0]) {
    filled->record.CropItem[0]->Resolution = 300;
    const bool documentType = mScannerInfo && mScannerInfo->needsImageDocumentTypeToSM();
    std::optional<fnd::Dictionary> dictionary = UIM_CreateDictionary_ScanInfoDT(&filled->record, documentType, 1);
    if (dictionary) {
      if (changePreviewMode) {
        auto mode = std::make_shared<fnd::Dictionary>();
        mode->set("PreviewMode", zoomScan ? 1 : 0);
        mCenter.post(kPreviewModeChangePost, selfIdentity(), mode);
      }
      poster.postExternalNotificationName(zoomScan ? "Zoom_Scan" : "Preview_Scan", outwardObject(),
                                          std::make_shared<fnd::Dictionary>(std::move(*dictionary)));
      sent = true;
    }
  }
  mOriginalScan = false;
  return sent;
}

bool Quirel_BaseScanMode::postScan() {
  Quirel_PostNotification poster(mCenter);
  mNeedScan = true;
  mOriginalScan = false;
  mCreateFilmCrop = false;
  armScanSound();

  std::optional<FilledRecord> filled =
      requestRecord(mUIMode != 0 ? kModeScanSettingFromExtPost : kModeScanSettingFromStdPost, 0);
  if (!filled) return false;
  const bool documentType = mScannerInfo && mScannerInfo->needsImageDocumentTypeToSM();
  std::optional<fnd::Dictionary> dictionary = UIM_CreateDictionary_ScanInfoDT(&filled->record, documentType, 0);
  // A record the codec refuses (never filled, or not whole) is not sent.
  if (!dictionary) return false;
  const void* object = outwardObject();
  poster.postExternalNotificationName(mUIMode != 0 ? "AdvancedMode_Scan" : "StandardMode_Scan", object,
                                      std::make_shared<fnd::Dictionary>(std::move(*dictionary)));
  poster.postExternalNotificationName(kSaveInfoPost, object,
                                      makeSaveInfo(filled->record, mPreferenceInfo.get(), mProfileCMList.get()));
  return true;
}

fnd::SharedDictionary Quirel_BaseScanMode::makeSaveInfo(const ScanInfo& record, const Quirel_PreferenceInfo* p,
                                                        const Quirel_ProfileCMList* profiles) {
  auto d = std::make_shared<fnd::Dictionary>();
  if (!p) return d;
  // A value the preferences do not hold is left out rather than sent empty.
  if (auto name = p->getSaveName()) d->set("SaveFileName", *name);
  if (auto path = p->getSavePath()) d->set("SaveFilePath", *path);
  if (auto bookmark = p->getSavePathBookmarkURL()) d->set("SaveFilePathBookmark", *bookmark);
  d->set("SaveFileFormat", p->getFileFormat());
  d->set("SaveCompression", p->getFileCompression());
  const int colorMode = record.Setting.ColorMode;
  d->set("ColorSetting", p->getColorSetting(colorMode == 0 ? 0 : colorMode == 1 ? 1 : 3));
  if (record.Setting.ColorSetting == 2) {
    const int slot = saveInfoProfileSlot(record.InputSource);
    if (slot >= 0 && profiles) {
      const auto& paths = profiles->getDefaultInputProfilePathList();
      if (paths && static_cast<std::size_t>(slot) < paths->size())
        d->set("OutputPf_FilePath", (*paths)[static_cast<std::size_t>(slot)]);
    }
  } else {
    d->set("OutputPf_FilePath", p->getOutputPf_FilePath());
  }
  d->set("isLargeTif", p->getEnableLargeScan());
  return d;
}
