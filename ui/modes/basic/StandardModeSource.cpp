// The basic mode's image-source pop-up: a change within the platen kind only re-applies the
// source's settings; a change of kind asks before a preview is lost, remembers the correction
// boxes of the kind left, clears preview and frames and tells the scan module.

#include "ui/controls/CTRLS_ImageSourcePopup.h"
#include "ui/controls/CTRLS_Preview.h"
#include "ui/model/CropInfo.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/modes/basic/StandardMode.h"
#include "ui/windows/MessageFunctions.h"

namespace {

bool srcIsPlatenValue(int v) { return (v >= 0 && v <= 3) || v == 12 || v == 13; }
bool srcIsADFValue(int v) { return v >= 6 && v <= 11; }

Quirel_StandardMode::ImgSrcSetting srcSettingOf(const Quirel_CropInfo& crop) {
  Quirel_StandardMode::ImgSrcSetting s;
  s.removeDust = crop.getRemoveDust();
  s.reduceDustFAU = crop.getReduceDustFAU();
  s.fading = crop.getFadingCorrect();
  s.backlight = crop.getBackLightCorrect();
  s.book = crop.getBookCorrect();
  s.autoDocCorrect = crop.getAutoDocCorrect();
  return s;
}

}  // namespace

void Quirel_StandardMode::ntf_imageSourceChange(const fnd::Notification& n) { imageSourceChange(&n); }

void Quirel_StandardMode::imageSourceChange(const fnd::Notification*) {
  if (!mImageSourcePopup || !mTemplateCrop) return;
  const int v = mImageSourcePopup->getRepresentedNumber();
  if (v == mImageSource) return;
  if (v > 13 || v < 0) {
    setValueOfSelectedCrop(false);
    return;
  }
  bool changed = false;
  if (srcIsPlatenValue(v))
    changed = changeToPlaten(v);
  else if (srcIsADFValue(v))
    changed = changeToADF(v);
  else
    changed = changeToFilm(v);
  setValueOfSelectedCrop(false);
  if (changed && mHasPreview) {
    setEnabledMainWindow(false);
    const int threshold = mScannerInfo ? mScannerInfo->thresholdValue() : 0;
    if (!postPreviewWithScan(false, false, false, false, false, false, false, false, 0, threshold))
      setEnabledMainWindow(true);
  }
}

bool Quirel_StandardMode::confirmSourceChange() {
  if (!mHasPreview) return true;
  showModalDialog();
  const int answer = MES_ShowMessageAndNumberMainThreadMode(1001, 0, 0, 0);
  closeModalDialog();
  return answer != 0;
}

Quirel_CropInfo& Quirel_StandardMode::focusOrTemplate() const {
  Quirel_CropInfo* focus = getFocusCrop();
  return focus ? *focus : *mTemplateCrop;
}

void Quirel_StandardMode::rememberSourceSetting() {
  mImgSrcSetting[isFilmMode() ? 1 : 0] = srcSettingOf(focusOrTemplate());
}

void Quirel_StandardMode::clearForSourceChange(int paperSize) {
  resetPreview(getPaperSizeWH_Pixel96(paperSize), true, true);
  mClickCrop = nullptr;
  if (isThumbnailMode())
    removeThumbnails();
  else
    mCropList.clear();
}

void Quirel_StandardMode::finishSourceChange(bool adf, bool film, bool postInputSource) {
  if (mPreview) {
    mPreview->setHidden(isThumbnailMode() && !adf);
    mPreview->changeTitle(adf, film);
    mPreview->setHiddenTitle(mHasPreview);
  }
  updatePreviewArea();
  if (postInputSource) inputSourceChangePostToSM();
}

bool Quirel_StandardMode::changeToPlaten(int value) {
  if (!mTemplateCrop) return false;
  if (isFilmMode() || isADFMode()) {
    if (!confirmSourceChange()) return false;
    rememberSourceSetting();
    const int paperSize = focusOrTemplate().getPaperSize();
    setADFControl(false);
    clearForSourceChange(paperSize);
    mScanMode = mPlatenThumbnail ? 1 : 0;
    mImageSource = value;
    updateCropByImageSource(value, *mTemplateCrop, true, true);
    mTemplateCrop->setTempOutputSize(0);
    resetPreview(getPaperSizeWH_Pixel96(0), true, true);
    finishSourceChange(false, false, true);
    return true;
  }
  mImageSource = value;
  const bool tone = isAlwaysAutoTone(mTemplateCrop->getColorMode());
  updateCropByImageSource(value, *mTemplateCrop, false, tone);
  // Held: the crop update may reach the list while it runs.
  const CropList crops = mCropList;
  for (const auto& crop : crops) updateCropByImageSource(value, *crop, false, tone);
  finishSourceChange(false, false, false);
  return true;
}

bool Quirel_StandardMode::changeToADF(int value) {
  if (!mTemplateCrop) return false;
  if (!confirmSourceChange()) return false;
  const bool post = !isADFMode();
  if (post) rememberSourceSetting();
  clearForSourceChange(focusOrTemplate().getPaperSize());
  mScanMode = 4;
  mImageSource = value;
  mADFDirection = 0;
  mADFBinding = 0;
  updateCropByImageSource(value, *mTemplateCrop, post, true);
  mTemplateCrop->setTempOutputSize(0);
  setADFControl(true);
  resetPreview(getPaperSizeWH_Pixel96(mTemplateCrop->getPaperSize()), true, true);
  finishSourceChange(true, false, post);
  return true;
}

bool Quirel_StandardMode::changeToFilm(int value) {
  if (!mTemplateCrop) return false;
  if (!confirmSourceChange()) return false;
  if (isFilmMode()) {
    resetPreview(getPaperSizeWH_Pixel96(mTemplateCrop->getPaperSize()), true, true);
    copyCropFromFocusToTemplate();
    mTemplateCrop->setTempOutputSize(0);
    const int paperSize = mTemplateCrop->getPaperSize();
    const bool v1700 = mScannerInfo && mScannerInfo->isVer1700Later();
    if (v1700) mImgSrcSetting[1] = srcSettingOf(*mTemplateCrop);
    mClickCrop = nullptr;
    removeThumbnails();
    mImageSource = value;
    updateCropByImageSource(value, *mTemplateCrop, v1700, true);
    mTemplateCrop->setPaperSize(paperSize);
  } else {
    if (!isADFMode()) mImgSrcSetting[0] = srcSettingOf(focusOrTemplate());
    const int paperSize = focusOrTemplate().getPaperSize();
    setADFControl(false);
    clearForSourceChange(paperSize);
    mScanMode = mFilmThumbnail ? 3 : 2;
    mImageSource = value;
    updateCropByImageSource(value, *mTemplateCrop, true, true);
    mTemplateCrop->setTempOutputSize(0);
  }
  resetPreview(getPaperSizeWH_Pixel96(mTemplateCrop->getPaperSize()), true, true);
  finishSourceChange(false, true, true);
  return true;
}
