// The image source of the advanced mode: the change between platen, film and feeder, which
// keeps each kind's corrections in its record, and the defaults a crop takes on entering one.

#include "ui/controls/CTRLS_Preview.h"
#include "ui/model/CropFrameViewLink.h"
#include "ui/model/CropInfo.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/modes/advanced/ExtendMode.h"
#include "ui/modes/advanced/ExtendModeControls.h"

void Quirel_ExtendMode::updateCropByImageSource(int imageSource, int paperSize, int colorMode, Quirel_CropInfo& crop) {
  const bool adf = imageSource == 5 || imageSource == 6;
  SSizeDouble paper = getPaperSizeWH_Pixel96(paperSize);
  if (adf && mADFDirection == 1) paper = {paper.height, paper.width};
  crop.setImageSource(imageSource);
  crop.setPaperSize(paperSize);
  crop.setColorMode(colorMode);
  crop.setResolution(imageSource == 0 || adf ? 300 : 1200);
  crop.setOutputSize(0);
  crop.setUnit(mUserLocaleUnits.unit);
  crop.setInputSize_Pixel96(paper.width, paper.height);
  crop.setMagnification(100);
  crop.setOutputSize_Pixel96(paper);
  crop.setFixesRatio(false);
  crop.setRatio(1, 1);
  crop.setAutoTone(0);
  crop.setFadingCorrect(0);
  crop.setBackLightCorrect(0);
  crop.setColorAdjust(0);
  if (!adf) {
    crop.setCopyGamma(mScannerInfo && mScannerInfo->useRACS2() ? 0 : 2);
    crop.setUnsharpMask(1);
    crop.setDescreen(0);
    crop.setReduceDust(0);
    crop.setRemoveDust(0);
    crop.setReduceDustFAU(0);
    crop.setGrainCorrect(0);
    crop.setBookCorrect(0);
  }
  crop.setAutoDocCorrect(0);
  crop.setExposure(false);
  crop.setExposureValue(100);
  updateCropByAllExposure(false, crop, crop);
  updateCropByResetToneSetting(crop, true);
}

// ---- The change of source ------------------------------------------------------------------------

namespace {

constexpr int kExtSourceChangeQuestion = 1001;
constexpr int kExtSameFilmZoomQuestion = 1414;

bool extIsFilmSource(int source) { return source >= 1 && source <= 4; }
bool extIsADFSource(int source) { return source == 5 || source == 6; }

}  // namespace

void Quirel_ExtendMode::imageSourceChange(const fnd::Notification&) {
  if (!mImgSrcPopup) return;
  const int source = mImgSrcPopup->getRepresentedNumber();
  if (source == mImageSource) return;
  const int from = mImageSource;
  if (source == 0)
    changeToPlaten(source);
  else if (extIsADFSource(source))
    changeToADF(source);
  else if ((from == 1 && source == 3) || (from == 3 && source == 1) || (from == 2 && source == 4) ||
           (from == 4 && source == 2))
    changeToSameFilm(source);
  else
    changeToFilm(source);
  updatePreviewArea();
  setHiddenToolbar(mScanMode, static_cast<int>(mCropList.size()));
  setEnabledToolbar();
  mFavorite = 0;
  setMenuItem_FavoritePopupBT();
  mToneCurve = 0;
  setValueOfSelectedCrop(0);
}

bool Quirel_ExtendMode::askSourceChange() {
  return !mHasPreview || showMessage(kExtSourceChangeQuestion) != 0;
}

Quirel_CropInfo& Quirel_ExtendMode::sourceCropOfCorrections() {
  Quirel_CropInfo* focus = getFocusCrop();
  return focus ? *focus : *mTemplateCrop;
}

void Quirel_ExtendMode::saveSourceBeingLeft(int leaving, const Quirel_CropInfo& source) {
  ImgSrcSetting* record = getImgSrcSettingAtIndex(leaving);
  if (!record) return;
  record->resolution = extIsFilmSource(leaving) ? 1200 : 300;
  if (extIsADFSource(leaving)) record->paperSize = mUserLocaleUnits.paperSize;
  record->colorAdjust = source.getColorAdjust();
  record->unsharpMask = source.getUnsharpMask();
  record->descreen = source.getDescreen();
  record->reduceDust = source.getReduceDust();
  record->removeDust = source.getRemoveDust();
  record->reduceDustFAU = source.getReduceDustFAU();
  record->fading = source.getFadingCorrect();
  record->grain = source.getGrainCorrect();
  record->backlight = source.getBackLightCorrect();
  record->book = source.getBookCorrect();
}

void Quirel_ExtendMode::removeCropsForSourceChange() {
  mClickCrop = nullptr;
  if (isThumbnailMode()) {
    removeThumbnails();
    return;
  }
  for (const auto& crop : mCropList)
    if (CropFrameViewLink* view = crop->getCropView()) view->removeFromSuperview();
  mCropList.clear();
}

void Quirel_ExtendMode::enterSource(int previous, bool keepResolutionAndUnit) {
  const ImgSrcSetting record = *getImgSrcSettingAtIndex(mImageSource);
  Quirel_CropInfo& templ = *mTemplateCrop;
  const int resolution = templ.getResolution();
  const int unit = templ.getUnit();
  updateCropByImageSource(mImageSource, record.paperSize, record.colorMode[colorModeSlot(mImageSource)], templ);
  if (keepResolutionAndUnit) {
    templ.setResolution(resolution);
    templ.setUnit(unit);
  } else {
    updateCropByResolusion(record.resolution, templ);
  }
  templ.setTempOutputSize(0);
  updateImageSettingFromImageSouceSetting(record, templ);
  if (mPreview) mPreview->setHidden(isThumbnailMode());
  showImageDialogs(getCurrentColorMode());
  if (mImageSource != previous) inputSourceChangePostToSM();
}

void Quirel_ExtendMode::changeToPlaten(int source) {
  if (!mTemplateCrop || !askSourceChange()) return;
  const int from = mImageSource;
  Quirel_CropInfo& crop = sourceCropOfCorrections();
  if (extIsADFSource(from)) {
    ImgSrcSetting& platen = *getImgSrcSettingAtIndex(0);
    platen.resolution = 300;
    platen.paperSize = 0;
    platen.colorMode[0] = crop.getColorMode();
  }
  if (from != 0) {
    saveSourceBeingLeft(from, crop);
    ImgSrcSetting& left = *getImgSrcSettingAtIndex(from);
    if (extIsFilmSource(from))
      left.copyGamma = ver(&Quirel_UIScannerInfo::isVer1900Later) ? 0 : 2;
    else
      left.copyGamma = ver(&Quirel_UIScannerInfo::isVer1700Later) ? crop.getCopyGamma() : 2;
  }
  if (extIsADFSource(from)) setADFControl(false, mADFDirection);
  if (extIsFilmSource(from)) removeCropsForSourceChange();
  mScanMode = mPlatenThumbnail ? 1 : 0;
  resetPreview(getPaperSizeWH_Pixel96(getImgSrcSettingAtIndex(0)->paperSize), true, false);
  mImageSource = source;
  enterSource(from, false);
}

void Quirel_ExtendMode::changeToADF(int source) {
  if (!mTemplateCrop || !askSourceChange()) return;
  const int from = mImageSource;
  const bool adfToAdf = extIsADFSource(from);
  const bool racs2 = mScannerInfo && mScannerInfo->useRACS2();
  ImgSrcSetting& adf = *getImgSrcSettingAtIndex(5);
  Quirel_CropInfo& crop = sourceCropOfCorrections();
  if (adfToAdf) {
    if (from == 5 && source == 6 && adf.paperSize != 10 && adf.paperSize != 17)
      adf.paperSize = mUserLocaleUnits.paperSize;
    mImageSource = source;
    mTemplateCrop->setImageSource(source);
  }
  if (mMultiCrop) {
    updateCropsByEndMultiCrop();
    mMultiCrop = false;
  }
  mADFDirection = 0;
  if (mOrientationBtn) mOrientationBtn->changeImage(false);
  mADFBinding = 0;
  if (!extIsFilmSource(from)) {
    adf.colorMode[0] = crop.getColorMode();
    if (!racs2)
      adf.colorAdjust = 0;
    else if (adfToAdf)
      adf.colorAdjust = crop.getColorAdjust();
    if (adfToAdf) {
      adf.copyGamma = crop.getCopyGamma();
      adf.unsharpMask = crop.getUnsharpMask();
      adf.descreen = crop.getDescreen();
      adf.reduceDust = crop.getReduceDust();
      adf.grain = crop.getGrainCorrect();
    } else {
      adf.paperSize = mUserLocaleUnits.paperSize;
      if (!ver(&Quirel_UIScannerInfo::isVer1700Later)) adf.copyGamma = 2;
    }
  }
  if (!adfToAdf) {
    saveSourceBeingLeft(from, crop);
    ImgSrcSetting& left = *getImgSrcSettingAtIndex(from);
    if (from == 0) left.paperSize = 0;
    if (extIsFilmSource(from))
      left.copyGamma = 0;
    else
      left.copyGamma = racs2 ? crop.getCopyGamma() : 2;
    removeCropsForSourceChange();
    setADFControl(true, mADFDirection);
  }
  mScanMode = 4;
  mImageSource = source;
  enterSource(from, adfToAdf);
  if (mPreview) mPreview->setHidden(false);
  SSizeDouble size = getPaperSizeWH_Pixel96(adf.paperSize);
  if (mADFDirection == 1) size = {size.height, size.width};
  resetPreview(size, true, false);
}

void Quirel_ExtendMode::changeToFilm(int source) {
  if (!mTemplateCrop || !askSourceChange()) return;
  const int from = mImageSource;
  if (mMultiCrop) {
    updateCropsByEndMultiCrop();
    mMultiCrop = false;
  }
  if (extIsADFSource(from)) setADFControl(false, mADFDirection);
  ImgSrcSetting& film = *getImgSrcSettingAtIndex(1);
  Quirel_CropInfo& templ = *mTemplateCrop;
  if (extIsFilmSource(from)) {
    Quirel_CropInfo* focus = getFocusCrop();
    if (mHasPreview && focus) templ.setTempOutputSize(focus->getOutputSize());
    resetPreview(getPaperSizeWH_Pixel96(film.paperSize), true, true);
    copyCropFromFocusToTemplate();
    removeCropsForSourceChange();
    mImageSource = source;
    templ.setImageSource(source);
    templ.setColorMode(film.colorMode[colorModeSlot(source)]);
    templ.setPaperSize(film.paperSize);
    updateCropByResolusion(film.resolution, templ);
    templ.setTempOutputSize(0);
    templ.setUnit(mUserLocaleUnits.unit);
    updateCropByMagnification(100, templ);
    templ.setExposure(false);
    templ.setExposureValue(100);
    updateCropByAllExposure(false, templ, templ);
    updateCropByResetToneSetting(templ, true);
    if (mPreview) mPreview->setHidden(isThumbnailMode());
    if (mImageSource != from) inputSourceChangePostToSM();
    return;
  }
  Quirel_CropInfo& crop = sourceCropOfCorrections();
  saveSourceBeingLeft(from, crop);
  ImgSrcSetting& left = *getImgSrcSettingAtIndex(from);
  const bool v1700 = ver(&Quirel_UIScannerInfo::isVer1700Later);
  const bool racs2 = mScannerInfo && mScannerInfo->useRACS2();
  left.copyGamma = v1700 && (extIsADFSource(from) || racs2) ? crop.getCopyGamma() : 2;
  removeCropsForSourceChange();
  mScanMode = mFilmThumbnail ? 3 : 2;
  resetPreview(getPaperSizeWH_Pixel96(film.paperSize), true, true);
  mImageSource = source;
  enterSource(from, false);
}

void Quirel_ExtendMode::changeToSameFilm(int source) {
  if (!mTemplateCrop) return;
  if (isFilmMode() && mHasPreview && mZoomScan && showMessage(kExtSameFilmZoomQuestion) == 0) return;
  const int from = mImageSource;
  const ImgSrcSetting& film = *getImgSrcSettingAtIndex(1);
  const int colorMode = film.colorMode[colorModeSlot(source)];
  const int paperSize = film.paperSize;
  const bool hadPreview = mHasPreview;
  Quirel_CropInfo& templ = *mTemplateCrop;
  if (Quirel_CropInfo* focus = getFocusCrop()) templ.setTempOutputSize(focus->getOutputSize());
  resetPreview(getPaperSizeWH_Pixel96(paperSize), false, false);
  copyCropFromFocusToTemplate();
  mImageSource = source;
  templ.setImageSource(source);
  templ.setPaperSize(paperSize);
  updateCropByColorMode(colorMode, templ);
  templ.setExposure(false);
  templ.setExposureValue(100);
  if (!ver(&Quirel_UIScannerInfo::isVer1500Later)) updateCropByAllExposure(false, templ, templ);
  removeCropsForSourceChange();
  setValueOfSelectedCrop(0);
  updatePreviewArea();
  if (mImageSource != from) inputSourceChangePostToSM();
  if (!hadPreview) return;
  // The image stays; a new preview makes the frames afresh in the other film type.
  Quirel_BaseScanMode::setEnabledMainWindow(false);
  const int threshold = mScannerInfo ? mScannerInfo->thresholdValue() : 0;
  if (!postPreviewWithScan(false, false, false, true, true, false, true, false, mEnableThumbnailBtn ? 0 : -1,
                           threshold))
    Quirel_BaseScanMode::setEnabledMainWindow(true);
}
