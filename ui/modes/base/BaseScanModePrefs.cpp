// The preferences taken over after the preferences dialog: a new lamp-off time goes to the
// scanner, a dropped 16-bit option lowers the frames' colour modes, a changed colour-management
// choice resets the tone settings, a changed thumbnail size or monitor gamma makes a new
// preview, and otherwise the preview model recomputes the corrected preview.

#include "ui/base/FileManager.h"
#include "ui/base/PostNotification.h"
#include "ui/model/CropInfo.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/modes/base/BaseScanMode.h"
#include "ui/settings/PrefsDialog.h"

namespace {

// The values the close compares, read from one preference record.
struct PrefsCompared {
  bool bitEnabled = false;
  bool largeScan = false;
  int lampTime = 0;
  int thumbnailSize = 0;
  int colorSetting = 0;
  std::string inputProfile;
  std::string outputProfile;
  bool monitor = false;
  bool alwaysAutoTone = false;
  double monitorGamma = 0;
};

PrefsCompared prefsCompared(const Quirel_PreferenceInfo& p, bool filmThumbnailSize, int colorMode, int profileSlot) {
  PrefsCompared v;
  v.bitEnabled = p.getBitEnabled();
  v.largeScan = p.getEnableLargeScan();
  v.lampTime = p.getLampTime();
  v.thumbnailSize = filmThumbnailSize ? p.getFilmThumbnailSize() : p.getPlatenThumbnailSize();
  v.colorSetting = p.getColorSetting(colorMode);
  v.inputProfile = p.getInputPf_Name(profileSlot);
  v.outputProfile = p.getOutputPf_Name();
  v.monitor = p.getMonitor();
  v.alwaysAutoTone = p.getAlwaysAutoTone();
  v.monitorGamma = p.getMonitorGamma();
  return v;
}

// Which input profile of the record the caller's source uses.
int prefsProfileSlot(int uiMode, int imageSource, bool autoScan) {
  if (autoScan) return 0;
  if (uiMode == 1) return (imageSource == 1 || imageSource == 3) ? 1 : (imageSource == 2 || imageSource == 4) ? 2 : 0;
  return imageSource == 4 ? 1 : imageSource == 5 ? 2 : 0;
}

bool prefsManualWithoutAll(const Quirel_CropInfo& c) { return c.isExposure() && !c.isApplyToneValueToAll(); }
bool prefsAllWithAllExposure(const Quirel_CropInfo& c) {
  return c.isApplyToneValueToAll() && c.isExposureOfApplyToneValueToAll();
}

}  // namespace

void Quirel_BaseScanMode::preferenceDialogClose(int uiMode, int imageSource, bool autoScanReflective) {
  if (!mPrefsDialog || !mPreferenceInfo) return;
  Quirel_PrefsDialog& dialog = *mPrefsDialog;
  if (dialog.isErrorClose()) {
    if (dialog.errorType() == 2) {
      mCenter.post("disableMainWindowControlPost", selfIdentity(), nullptr);
      return;
    }
    // The data source closes the driver on this.
    Quirel_PostNotification(mCenter).postExternalNotificationName(
        "Click_CloseButton", outwardObject(),
        fnd::makeShared(fnd::Dictionary{{"AutoExit", mPreferenceInfo->getAutoExit() != 0}}));
    return;
  }
  if (!dialog.isOkClose() || !dialog.getData()) return;

  const bool thumbnailMode = inThumbnailMode();
  const bool filmSize = !autoScanReflective && inFilmMode();
  const int slot = prefsProfileSlot(uiMode, imageSource, autoScanReflective);
  const PrefsCompared was = prefsCompared(*mPreferenceInfo, filmSize, dialog.getColorMode(), slot);
  const PrefsCompared now = prefsCompared(*dialog.getData(), filmSize, dialog.getColorMode(), slot);
  mPreferenceInfo->copy(*dialog.getData());
  mCenter.post(kSettingsChangedPost, selfIdentity(), nullptr);

  // The template first, then every frame.
  auto everyCrop = [this](const std::function<void(Quirel_CropInfo&)>& apply) {
    if (mTemplateCrop) apply(*mTemplateCrop);
    const CropList crops = mCropList;
    for (const auto& crop : crops) apply(*crop);
  };
  const bool thumbnailSizeChanged = was.thumbnailSize != now.thumbnailSize;

  if (was.lampTime != now.lampTime)
    Quirel_PostNotification(mCenter).postExternalNotificationName(
        "Set_ShutOffLampTime", outwardObject(), fnd::makeShared(fnd::Dictionary{{"ShutOffLampTime", now.lampTime}}));

  if (was.bitEnabled && !now.bitEnabled)
    everyCrop([](Quirel_CropInfo& c) {
      if (c.getColorMode() == 2) c.setColorMode(1);
      if (c.getColorMode() == 4) c.setColorMode(3);
    });

  bool relayout = false;
  if (thumbnailSizeChanged && thumbnailMode && mHasPreview) {
    everyCrop([](Quirel_CropInfo& c) {
      if (!prefsAllWithAllExposure(c)) return;
      c.setExposure(false);
      c.setExposureValue(100);
    });
    if (mZoomScan) zoomThumbnail();
    relayout = true;
  }

  bool newPreview = false;
  bool recompute = false;
  bool allFrames = false;
  if (was.colorSetting == now.colorSetting) {
    const int c = now.colorSetting;
    if (c != 0) {
      if (mHasPreview && thumbnailMode && thumbnailSizeChanged) {
        everyCrop([this](Quirel_CropInfo& crop) {
          crop.setAutoTone(0);
          updateCropByResetToneSetting(crop, true);
        });
        recompute = true;
      }
      newPreview = c == 1 ? (was.monitor != now.monitor || relayout || was.inputProfile != now.inputProfile ||
                             was.outputProfile != now.outputProfile)
                          : relayout;
    } else {
      newPreview = relayout;
      const bool untouched =
          !mHasPreview || (was.alwaysAutoTone == now.alwaysAutoTone && (!thumbnailMode || !thumbnailSizeChanged));
      if (!untouched) {
        everyCrop([this, &now](Quirel_CropInfo& crop) {
          if (prefsManualWithoutAll(crop) || prefsAllWithAllExposure(crop)) {
            crop.setAutoTone(0);
          } else if (now.alwaysAutoTone) {
            updateCropByResetToneSetting(crop, true);
            crop.setAutoTone(1);
          }
        });
        recompute = true;
      }
    }
  } else {
    everyCrop([this](Quirel_CropInfo& crop) { updateCropByResetToneSetting(crop, true); });
    if (mHasPreview) {
      if (was.colorSetting == 0) {
        everyCrop([](Quirel_CropInfo& crop) { crop.setAutoTone(0); });
      } else if (now.colorSetting == 0) {
        everyCrop([&now](Quirel_CropInfo& crop) {
          const bool off = prefsManualWithoutAll(crop) || prefsAllWithAllExposure(crop);
          crop.setAutoTone(off ? 0 : now.alwaysAutoTone ? 1 : 0);
        });
      }
    }
    newPreview = true;
    recompute = false;
  }

  everyCrop([](Quirel_CropInfo& crop) {
    if (crop.getAutoTone() != 5) crop.removeBaseCropOfDataPersistence();
  });

  if (!was.largeScan && now.largeScan && uiMode == 1 && mScannerInfo && mScannerInfo->enableLargeScan()) {
    bool switchedOff = false;
    everyCrop([&switchedOff](Quirel_CropInfo& crop) {
      if (crop.getBackLightCorrect() == 0) return;
      crop.setBackLightCorrect(0);
      switchedOff = true;
    });
    if (switchedOff) recompute = allFrames = true;
  }

  if (was.monitorGamma != now.monitorGamma || newPreview) {
    if (!mHasPreview && !mHasNonThumPreview) return;
    setEnabledMainWindow(false);
    const int threshold = mScannerInfo ? mScannerInfo->thresholdValue() : 0;
    // A request that cannot go out leaves the window usable.
    if (!postPreviewWithScan(false, thumbnailMode ? false : mZoomScan, false, false, false, false, relayout, relayout,
                             0, threshold))
      setEnabledMainWindow(true);
    return;
  }
  if (!recompute || !mHasPreview) return;
  if (thumbnailMode) {
    if (allFrames)
      updateImageSetAllSelectByThumbnailPreview(uiMode);
    else
      updateImageSetSelectByThumbnailPreview(uiMode);
  } else {
    updateImageSetAllSelectByPreview(uiMode, mMultiCrop, mHasPreview, true);
  }
}

Quirel_PrefsDialog& Quirel_BaseScanMode::preparePrefsDialog(bool film, int colorMode, int inputProfileSourceType) {
  // The bookmark needs no access grant here: it resolves to the folder itself.
  if (mPreferenceInfo) {
    const Quirel_FileManager files;
    const std::optional<std::string> temp = mPreferenceInfo->getTempPath();
    if (!temp || !files.isEnabledFile(*temp, false, false)) {
      mPreferenceInfo->setTempPath(mDefaultTempPath);
      mPreferenceInfo->setTempPathBookmarkURL(mDefaultTempPath);
    }
    const std::optional<std::string> save = mPreferenceInfo->getSavePath();
    if (!save || !files.isEnabledFile(*save, false, false)) {
      mPreferenceInfo->setSavePath(mDefaultSavePath);
      mPreferenceInfo->setSavePathBookmarkURL(mDefaultSavePath);
    }
  }
  mPrefsDialog = std::make_unique<Quirel_PrefsDialog>();
  Quirel_PrefsDialog& dialog = *mPrefsDialog;
  dialog.setFilmMode(film, isThumbnailMode(), mZoomScan);
  dialog.setADFMode(isADFMode());
  dialog.setColorMode(colorMode);
  dialog.setDefaultTempPath(mDefaultTempPath);
  dialog.setDefaultSavePath(mDefaultSavePath);
  // The window controller owns the list and lets the dialog bring its profile data up to date.
  dialog.setProfileCMList(std::const_pointer_cast<Quirel_ProfileCMList>(mProfileCMList));
  dialog.setInputProfileSourceType(inputProfileSourceType);
  dialog.setScannerInfo(mScannerInfo);
  dialog.setTWAINObject(mTwObject, mUIMObject);
  dialog.createPreferenceDialog();
  dialog.setData(mPreferenceInfo.get());
  return dialog;
}
