// The advanced mode's default settings and the application of a stored favourite to the
// platen, the feeder or a film source, ending in a recomputed or a freshly scanned preview.

#include <cmath>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/adjust/ToneBCDialog.h"
#include "ui/base/FileManager.h"
#include "ui/base/PostNotification.h"
#include "ui/controls/CTRLS_CalibrationOpenButton.h"
#include "ui/controls/CTRLS_ExposureOpenButton.h"
#include "ui/controls/CTRLS_FavoritePopup.h"
#include "ui/controls/CTRLS_MainWindow.h"
#include "ui/controls/CTRLS_PaperSizePopup.h"
#include "ui/controls/CTRLS_PopupButton.h"
#include "ui/controls/CTRLS_Preview.h"
#include "ui/controls/CTRLS_ScanSettingOpenButton.h"
#include "ui/model/CropInfo.h"
#include "ui/model/FavoriteSetting.h"
#include "ui/model/OutputSize.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/model/ProfileManager.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/modes/advanced/ExtendMode.h"

namespace {

fnd::Rect favApplyIntegralRect(const fnd::Rect& r) {
  const double left = std::floor(r.origin.x);
  const double bottom = std::floor(r.origin.y);
  const double right = std::ceil(r.origin.x + r.size.width);
  const double top = std::ceil(r.origin.y + r.size.height);
  return fnd::Rect(left, bottom, right - left, top - bottom);
}

bool favApplyIn(int v, int low, int high) { return v >= low && v <= high; }

}  // namespace

bool Quirel_ExtendMode::isUsableFavorite(const Quirel_FavoriteSetting& f) {
  return favApplyIn(f.getImageSource(), 0, kImageSourceCount - 1) && favApplyIn(f.getColorMode(), 0, 6) &&
         f.getPaperSize() >= 0 && f.getOutputSize() >= 0 && favApplyIn(f.getResolution(), 25, 19200) &&
         favApplyIn(f.getUnit(), 0, 2);
}

void Quirel_ExtendMode::favoriteSettingChangeToInit() {
  const int sourceBefore = mImageSource;
  const std::int32_t answer = showMessage(mHasPreview ? 1601 : 1600);
  if (answer == 1) {
    mClickCrop = nullptr;
    if (isADFMode()) {
      // The feeder announces nothing: its layout reset must not report a cleared preview.
      mHasPreview = false;
      mHasNonThumPreview = false;
      setADFControl(false, mADFDirection);
    } else {
      if (isThumbnailMode()) {
        removeThumbnails();
        if (mPreview) mPreview->removeImage();
        mCenter.post("removeThumbnailImagePost", selfIdentity());
      } else {
        for (const auto& crop : mCropList)
          if (CropFrameViewLink* view = crop->getCropView()) view->removeFromSuperview();
        mCropList.clear();
        if (mPreview) mPreview->removeImage();
      }
      Quirel_PostNotification(mCenter).postExternalNotificationName("Clear_Preview", outwardObject(), nullptr);
    }
    // Announced once above: the preview reset below has nothing left to tell.
    mHasPreview = false;
    mHasNonThumPreview = false;

    setDefaultSetting(nullptr);
    mCenter.post("setDefaultSettingFromExtendModePost", selfIdentity());

    const int lampBefore = mPreferenceInfo ? mPreferenceInfo->getLampTime() : 0;
    Quirel_PreferenceInfo defaults;
    defaults.setTempPath(mDefaultTempPath);
    defaults.setTempPathBookmarkURL(mDefaultTempPath);
    defaults.setSavePath(mDefaultSavePath);
    defaults.setSavePathBookmarkURL(mDefaultSavePath);
    defaults.setSaveName(mDefaultSaveName);
    if (mScannerInfo && (mScannerInfo->isMFP() || !mScannerInfo->closeSelect())) defaults.setAutoExit(0);
    if (ver(&Quirel_UIScannerInfo::isVer1600Later)) defaults.setPrevStart(mScannerInfo->defaultAtStartUpPreview());
    if (!mPreferenceInfo) mPreferenceInfo = std::make_shared<Quirel_PreferenceInfo>();
    mPreferenceInfo->copy(defaults);
    if (mPreferenceInfo->getColorSetting(3) == 1 && mProfileCMList)
      Quirel_ProfileManager().checkAndSetProfilesData(*std::const_pointer_cast<Quirel_ProfileCMList>(mProfileCMList),
                                                      *mPreferenceInfo);
    if (mPreferenceInfo->getLampTime() != lampBefore)
      Quirel_PostNotification(mCenter).postExternalNotificationName(
          "Set_ShutOffLampTime", outwardObject(),
          fnd::makeShared(fnd::Dictionary{{"ShutOffLampTime", mPreferenceInfo->getLampTime()}}));

    if (mTemplateCrop) resetPreview(mTemplateCrop->getPreviewSize_Pixel96(), true, false);
    initModelessDialogs();

    if (mMainWindow && mMainWindow->getWindow()) {
      Quirel_MainWindow* window = mMainWindow->getWindow();
      const fnd::Rect frame = favApplyIntegralRect(mDisplays.getDefaultWindowFrame(window->minSize()));
      mMainWindow->setDefaultRect(frame);
      window->setFrame(frame, true);
    }

    setHiddenToolbar(mScanMode, static_cast<int>(mCropList.size()));
    setEnabledToolbar();
    if (mPreview) mPreview->setHidden(isThumbnailMode());
    updatePreviewArea();

    mFavorite = 0;
    setMenuItem_FavoritePopupBT();
    mToneCurve = 0;
    setMenuItem_ToneCurvePopupBT(3);
    mBookCorrectMsg = mClearThumbnailMsg = mLargePicMsg = mColorBitMsg = true;
    mFavoriteMsg = mToneSettingMsg = mColorModeAndDataFormatMsg = true;
    setExposureSettingViewState(false, true);
    setScanSettingViewState(false, true);
    setCalibrationSettingViewState(false, true);
  }
  setValueOfSelectedCrop(0);
  updateMouseCursorRects();
  if (mImageSource != sourceBefore) inputSourceChangePostToSM();
}

std::unique_ptr<Quirel_FavoriteSetting> Quirel_ExtendMode::findFavorite(int index, bool fromLast) const {
  if (!mSettingFilePath) return nullptr;
  std::vector<std::unique_ptr<Quirel_FavoriteSetting>> all = Quirel_FavoriteSetting::readFromFolder(*mSettingFilePath);
  const auto matches = [index](const std::unique_ptr<Quirel_FavoriteSetting>& f) { return f->getIndex() == index; };
  std::unique_ptr<Quirel_FavoriteSetting> found;
  if (fromLast) {
    for (auto it = all.rbegin(); it != all.rend() && !found; ++it)
      if (matches(*it)) found = std::move(*it);
  } else {
    for (auto it = all.begin(); it != all.end() && !found; ++it)
      if (matches(*it)) found = std::move(*it);
  }
  // An entry with a value out of range counts as not found: applying it would put the value
  // into every crop and the scan request.
  if (found && !isUsableFavorite(*found)) found.reset();
  return found;
}

void Quirel_ExtendMode::favoriteNotFound() {
  mFavorite = 0;
  mToneCurve = 0;
  setMenuItem_FavoritePopupBT();
  setValueOfSelectedCrop(0);
}

void Quirel_ExtendMode::takeFavoritePreferences(const Quirel_FavoriteSetting& f, bool film) {
  if (!mPreferenceInfo) mPreferenceInfo = std::make_shared<Quirel_PreferenceInfo>();
  Quirel_PreferenceInfo before;
  before.copy(*mPreferenceInfo);
  mPreferenceInfo->setDataFromFavorite(f);
  if (mPreferenceInfo->getColorSetting(3) == 1 && mProfileCMList)
    Quirel_ProfileManager().checkAndSetProfilesData(*std::const_pointer_cast<Quirel_ProfileCMList>(mProfileCMList),
                                                    *mPreferenceInfo);
  if (before.compare(*mPreferenceInfo)) return;
  if (before.getLampTime() != mPreferenceInfo->getLampTime())
    Quirel_PostNotification(mCenter).postExternalNotificationName(
        "Set_ShutOffLampTime", outwardObject(),
        fnd::makeShared(fnd::Dictionary{{"ShutOffLampTime", mPreferenceInfo->getLampTime()}}));
  const Quirel_FileManager files;
  if (before.getTempPath() != mPreferenceInfo->getTempPath()) {
    const std::optional<std::string> temp = mPreferenceInfo->getTempPath();
    if (!temp || !files.isEnabledFile(*temp, false, false)) {
      mPreferenceInfo->setTempPath(mDefaultTempPath);
      mPreferenceInfo->setTempPathBookmarkURL(mDefaultTempPath);
    }
  }
  if (before.getSavePath() != mPreferenceInfo->getSavePath()) {
    const std::optional<std::string> save = mPreferenceInfo->getSavePath();
    if (!save || !files.isEnabledFile(*save, false, false)) {
      mPreferenceInfo->setSavePath(mDefaultSavePath);
      mPreferenceInfo->setSavePathBookmarkURL(mDefaultSavePath);
    }
  }
  if (before.needPreview(*mPreferenceInfo, isThumbnailMode())) mOriginalScan = true;
  if (!isThumbnailMode()) return;
  if (!film && before.getPlatenThumbnailSize() != mPreferenceInfo->getPlatenThumbnailSize()) {
    mOriginalScan = true;
    mCreateFilmCrop = true;
    mChangeThumbnailSize = true;
  }
  if (film && before.getFilmThumbnailSize() != mPreferenceInfo->getFilmThumbnailSize()) {
    mOriginalScan = true;
    mCreateFilmCrop = true;
  }
}

bool Quirel_ExtendMode::lookUpFavoriteOutputSize(Quirel_FavoriteSetting& f) {
  if (f.getOutputSize() == 0) return false;
  std::shared_ptr<Quirel_OutputSize> size;
  if (ver(&Quirel_UIScannerInfo::isVer1700Later)) {
    size = getOutputSizeObjectAtName(f.getOutputSizeName(), f.getOutputSizeWidth(), f.getOutputSizeHeight());
    if (size) f.setOutputSize(size->getIndex());
  } else {
    size = getOutputSizeObject(f.getOutputSize());
  }
  if (!size) f.setOutputSize(0);
  return size != nullptr;
}

void Quirel_ExtendMode::finishFavorite(const Quirel_FavoriteSetting& f, int index) {
  // Large scans leave no room for the backlight correction.
  if ((mScannerInfo && mScannerInfo->enableLargeScan() && mPreferenceInfo && mPreferenceInfo->getEnableLargeScan()) ||
      (mScannerInfo && mScannerInfo->largeScanFromApplication() == 2)) {
    for (ImgSrcSetting& r : mImgSrcSetting) r.backlight = 0;
    for (Quirel_CropInfo* crop : getAllCrops()) crop->setBackLightCorrect(0);
  }
  if (mToneBCDialog) mToneBCDialog->setOpend(f.getToneBC_OpenState());
  closeModelessDialogs(false);
  if (const fnd::SharedDictionary states = f.getDialogState()) setImageDialogStates(*states);

  mFavorite = index;
  setMenuItem_ToneCurvePopupBT(f.getColorMode());
  const bool toneKnown = mToneCurvePopup && mToneCurvePopup->isExistAtRepresentedNumber(f.getToneSettingNo());
  mToneCurve = toneKnown && compareFavoriteToneWithTone(f) ? f.getToneSettingNo() : 0;
}

void Quirel_ExtendMode::finishFavoriteSectionsAndMessages(const Quirel_FavoriteSetting& f) {
  setExposureSettingViewState(f.getExposureOpen(), true);
  setScanSettingViewState(f.getScanSettingOpen(), true);
  setCalibrationSettingViewState(f.getCalibrationOpen(), true);
  if (!ver(&Quirel_UIScannerInfo::isVer1700Later)) return;
  mBookCorrectMsg = f.getShowBookCorrectMessage();
  mClearThumbnailMsg = f.getShowClearThumbnailMessage();
  mLargePicMsg = f.getShow100MBOverScanMessage();
  mColorBitMsg = f.getShow48or16BitScanMessage();
  mFavoriteMsg = f.getShowSaveFavoriteMessage();
  mToneSettingMsg = f.getShowSaveToneSettingMessage();
  mColorModeAndDataFormatMsg = f.getShowColorModeAndDataFormatMessage();
  mCenter.post("setChangeTabMessageStateFromExtendModePost", selfIdentity(),
               fnd::makeShared(fnd::Dictionary{{"changeTabMessageState", f.getShowChangeTabMessage()},
                                               {"multiPDFScanEndMessageState", f.getShowMultiPDFScanEndMessage()}}));
}

void Quirel_ExtendMode::favoriteSettingChangeToOther(int index) {
  mOriginalScan = false;
  mCreateFilmCrop = false;
  mChangeThumbnailSize = false;
  const int sourceBefore = mImageSource;
  ImgSrcSetting* record = getImgSrcSettingAtIndex(mImageSource);
  if (!record || !mTemplateCrop) return;
  const int slot = colorModeSlot(mImageSource);
  const int colorBefore = record->colorMode[slot];

  std::unique_ptr<Quirel_FavoriteSetting> found = findFavorite(index, true);
  if (!found) {
    favoriteNotFound();
    return;
  }
  Quirel_FavoriteSetting& f = *found;
  if (f.getPaperSize() != record->paperSize) {
    const std::string paper =
        mPaperSizePopup ? mPaperSizePopup->getTitleAtAtRepresentedNumber(f.getPaperSize()) : std::string();
    showMessage(1615, "%s%s", fnd::Array{fnd::Value(f.getName().value_or(std::string())), fnd::Value(paper)});
    if (ver(&Quirel_UIScannerInfo::isVer1700Later)) mFavorite = 0;
    setValueOfSelectedCrop(0);
    return;
  }

  takeFavoritePreferences(f, false);
  mHighQualityMode = f.getHighQualityMode();
  const bool hasSize = lookUpFavoriteOutputSize(f);
  if (hasSize && mCropList.empty()) {
    if (Quirel_CropInfo* made = createCropWithView(fnd::Rect())) {
      copyCrop(*mTemplateCrop, *made, false);
      made->setSelect(true);
      setFocus(made);
      made->setLineStyle(1);
      if (!isAlwaysAutoTone(made->getColorMode())) mOriginalScan = true;
    }
  }
  if (f.getColorMode() != colorBefore) {
    for (Quirel_CropInfo* crop : getAllCrops()) updateCropByColorMode(f.getColorMode(), *crop);
    mOriginalScan = true;
  }
  if (mCropList.empty()) {
    updateCropByFavoriteSetting(f, *mTemplateCrop);
  } else {
    const CropList crops = mCropList;
    for (const auto& crop : crops)
      if (crop->isSelected()) updateCropByFavoriteSetting(f, *crop);
  }
  finishFavorite(f, index);
  record->colorMode[slot] = f.getColorMode();
  finishFavoriteSectionsAndMessages(f);

  showImageDialogs(f.getColorMode());
  setValueOfSelectedCrop(0);
  updatePreviewArea();
  if (mImageSource != sourceBefore) inputSourceChangePostToSM();
  if (!mOriginalScan) {
    if (isThumbnailMode())
      updateImageSetSelectByThumbnailPreview(1);
    else
      updateImageSetSelectByPreview(1);
    setValueOfSelectedCrop(0);
    return;
  }
  setEnabledMainWindow(false);
  const int threshold = mScannerInfo ? mScannerInfo->thresholdValue() : 0;
  if (!postPreviewWithScan(false, false, false, false, true, false, mCreateFilmCrop, mChangeThumbnailSize, 0,
                           threshold, true))
    setEnabledMainWindow(true);
}

void Quirel_ExtendMode::favoriteSettingChangeToOtherForFilm(int index) {
  mOriginalScan = false;
  mCreateFilmCrop = false;
  const int sourceBefore = mImageSource;
  ImgSrcSetting* current = getImgSrcSettingAtIndex(mImageSource);
  if (!current || !mTemplateCrop) return;
  const int colorBefore = current->colorMode[colorModeSlot(mImageSource)];

  std::unique_ptr<Quirel_FavoriteSetting> found = findFavorite(index, false);
  if (!found) {
    favoriteNotFound();
    return;
  }
  Quirel_FavoriteSetting& f = *found;
  takeFavoritePreferences(f, true);
  mHighQualityMode = f.getHighQualityMode();
  lookUpFavoriteOutputSize(f);
  if (ImgSrcSetting* target = getImgSrcSettingAtIndex(f.getImageSource()))
    target->colorMode[colorModeSlot(f.getImageSource())] = f.getColorMode();
  if (f.getImageSource() != mImageSource) {
    mOriginalScan = true;
    mCreateFilmCrop = true;
  }

  if (mCreateFilmCrop) {
    resetPreview(getPaperSizeWH_Pixel96(current->paperSize), false, false);
    setImageSource(f.getImageSource());
    mTemplateCrop->setImageSource(f.getImageSource());
    updateCropByFavoriteSetting(f, *mTemplateCrop);
    mTemplateCrop->setTempOutputSize(f.getOutputSize());
    mClickCrop = nullptr;
    if (isThumbnailMode()) {
      removeThumbnails();
    } else {
      for (const auto& crop : mCropList)
        if (CropFrameViewLink* view = crop->getCropView()) view->removeFromSuperview();
      mCropList.clear();
    }
  } else {
    if (f.getColorMode() != colorBefore) {
      for (Quirel_CropInfo* crop : getAllCrops()) updateCropByColorMode(f.getColorMode(), *crop);
      mOriginalScan = true;
    }
    updateCropByFavoriteSetting(f, *mTemplateCrop);
    const CropList crops = mCropList;
    for (const auto& crop : crops) {
      crop->setApplyToneValueToAll(f.isApplyToneValueToAll());
      crop->setExposureOfApplyToneValueToAll(f.isExposureOfApplyToneValueToAll());
      crop->setExposureValueOfApplyToneValueToAll(f.getExposureValueOfApplyToneValueToAll());
      crop->setBaseCropOfApplyToneValueToAll(f.getBaseCropOfApplyToneValueToAll());
    }
    for (const auto& crop : crops)
      if (crop->isSelected()) updateCropByFavoriteSetting(f, *crop);
  }
  finishFavorite(f, index);
  finishFavoriteSectionsAndMessages(f);

  showImageDialogs(f.getColorMode());
  setValueOfSelectedCrop(0);
  updatePreviewArea();
  if (mImageSource != sourceBefore) inputSourceChangePostToSM();
  if (!mOriginalScan) {
    if (isThumbnailMode())
      updateImageSetAllSelectByThumbnailPreview(1);
    else
      updateImageSetAllSelectByPreview(1, mMultiCrop, mHasPreview, true);
    setValueOfSelectedCrop(0);
    return;
  }
  setEnabledMainWindow(false);
  const int threshold = mScannerInfo ? mScannerInfo->thresholdValue() : 0;
  if (!postPreviewWithScan(false, false, false, true, true, false, mCreateFilmCrop, false,
                           mEnableThumbnailBtn ? 0 : -1, threshold, true))
    setEnabledMainWindow(true);
}
