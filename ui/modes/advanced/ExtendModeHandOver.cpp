// Taking over from the basic mode when the user changes to the advanced tab: the advanced mode
// starts from its defaults and takes the source and the preview, and on older scanners the
// frames, of the basic mode.

#include "ui/controls/CTRLS_Preview.h"
#include "ui/model/CropFrameViewLink.h"
#include "ui/model/CropInfo.h"
#include "ui/model/ThumbnailInfo.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/modes/advanced/ExtendMode.h"

void Quirel_ExtendMode::setStandardModeData(Quirel_BaseScanMode* basic) {
  if (!basic) return;
  if (ver(&Quirel_UIScannerInfo::isVer1300Later))
    resetAndSetStandardModeData(*basic);
  else if (basic->isFilmMode() && basic->isThumbnailMode())
    setStandardModeThumbnailData(*basic);
  else
    setStandardModePlatenData(*basic);
  mBookCorrectMsg = basic->showBookCorrectMsg();
  mClearThumbnailMsg = basic->showClearThumbnailMsg();
  mLargePicMsg = basic->showLargePixelMsg();
  mColorBitMsg = basic->showBitEnableMsg();
  mFavoriteMsg = basic->showFavoriteDlgMsg();
  mToneSettingMsg = basic->showToneSettingDlgMsg();
  mColorModeAndDataFormatMsg = basic->showColorModeAndDataFormatMsg();
  mPreviewDataSize = basic->getPreviewDataSize();
}

void Quirel_ExtendMode::resetAndSetStandardModeData(Quirel_BaseScanMode& basic) {
  setDefaultSetting(nullptr);
  const Quirel_CropInfo* basicTemplate = basic.getTemplateCrop();
  setImageSource(basicTemplate ? basicTemplate->getImageSource() : 0);
  mScanMode = basic.getScanMode();
  mPlatenThumbnail = basic.getPlatenThumbnail();
  mFilmThumbnail = basic.getFilmThumbnail();

  const ImgSrcSetting record = *getImgSrcSettingAtIndex(mImageSource);
  const int colorMode = record.colorMode[colorModeSlot(mImageSource)];
  const bool autoTone = isAlwaysAutoTone(colorMode);
  resetPreview(getPaperSizeWH_Pixel96(record.paperSize), true, false);
  setADFControl(isADFMode(), mADFDirection);
  mProgressStatus = basic.getProgressStatus();
  mHasPreview = basic.getHasPreview();
  mHasNonThumPreview = basic.getHasNonThumPreview();
  mEnableThumbnailBtn = basic.getEnableThumbnailBtn();

  if (mTemplateCrop) {
    Quirel_CropInfo& templ = *mTemplateCrop;
    updateCropByImageSource(mImageSource, record.paperSize, colorMode, templ);
    updateCropByResolusion(record.resolution, templ);
    updateAutoToneByChangeAutoTone(autoTone ? 1 : 0, templ);
    updateImageSettingFromImageSouceSetting(record, templ);
  }
  if (!mHasPreview) return;
  setValueOfSelectedCrop(0);
  Quirel_BaseScanMode::setEnabledMainWindow(false);
  const int threshold = mScannerInfo ? mScannerInfo->thresholdValue() : 0;
  if (!postPreviewWithScan(false, false, false, isFilmMode(), true, false, mScanMode != 0, false, mProgressStatus,
                           threshold))
    Quirel_BaseScanMode::setEnabledMainWindow(true);
}

void Quirel_ExtendMode::setStandardModeThumbnailData(Quirel_BaseScanMode& basic) {
  setDefaultSetting(nullptr);
  mScanMode = basic.getScanMode();
  mPlatenThumbnail = basic.getPlatenThumbnail();
  mFilmThumbnail = basic.getFilmThumbnail();
  mZoomScan = basic.getZoomScan();
  const Quirel_CropInfo* basicTemplate = basic.getTemplateCrop();
  if (basicTemplate && mTemplateCrop) {
    copyCrop(*basicTemplate, *mTemplateCrop, true);
    mTemplateCrop->setTempOutputSize(basicTemplate->getTempOutputSize());
  }
  removeThumbnails();
  if (mPreview && basicTemplate) {
    const SSizeDouble size = getPaperSizeWH_Pixel96(basicTemplate->getPaperSize());
    mPreview->setVisiblePreviewSize_Pixel96({size.width, size.height});
  }
  const ThumbnailList& thumbnails = basic.getThumbnailList();
  mThumbnailCount = static_cast<int>(thumbnails.size());
  createThumbnailsFromThumbnailInfos(&thumbnails);

  Quirel_CropInfo* focus = getFocusCrop();
  const Quirel_CropInfo* source = focus ? focus : mTemplateCrop.get();
  if (source) setImageSource(source->getImageSource());
  mHasPreview = basic.getHasPreview();
  mHasNonThumPreview = basic.getHasNonThumPreview();
  mEnableThumbnailBtn = basic.getEnableThumbnailBtn();

  if (mTemplateCrop) {
    updateCropByMagnification(100, *mTemplateCrop);
    updateCropByResolusion(1200, *mTemplateCrop);
  }
  for (const auto& thumbnail : mThumbnailList) {
    Quirel_CropInfo* crop = thumbnail ? thumbnail->getCropInfo().get() : nullptr;
    if (!crop) continue;
    updateCropByMagnification(100, *crop);
    updateCropByResolusion(crop->getOutputSize() != 0 ? crop->getResolution() : 1200, *crop);
    if (mZoomScan && !crop->isFocus()) crop->setSelect(false);
  }
  updateThumbnail();
}

void Quirel_ExtendMode::setStandardModePlatenData(Quirel_BaseScanMode& basic) {
  // Read first: the defaults below reset this mode only, but the frames are the basic mode's,
  // shared from here on, so its emptying its own list afterwards leaves them with this mode.
  const std::optional<kit::Image> image = basic.getPreviewImage();
  const int rotation = basic.getRotation();
  const bool mirror = basic.getMirror();
  const Quirel_CropInfo* basicTemplate = basic.getTemplateCrop();
  const CropList frames = basic.getCropList();

  setDefaultSetting(nullptr);
  mScanMode = basic.getScanMode();
  mPlatenThumbnail = basic.getPlatenThumbnail();
  mFilmThumbnail = basic.getFilmThumbnail();
  mADFDirection = 0;
  mADFBinding = 0;
  const bool film = isFilmMode();

  if (isADFMode()) {
    setADFControl(true, 0);
    mHasPreview = false;
    mHasNonThumPreview = false;
    mEnableThumbnailBtn = true;
    if (basicTemplate && mTemplateCrop) copyCrop(*basicTemplate, *mTemplateCrop, true);
    if (mTemplateCrop) mTemplateCrop->setImageSource(5);
    mImageSource = 5;
    mClickCrop = nullptr;
    mCropList.clear();
    if (mPreview && mTemplateCrop) {
      const SSizeDouble size = getPaperSizeWH_Pixel96(mTemplateCrop->getPaperSize());
      mPreview->setVisiblePreviewSize_Pixel96({size.width, size.height});
    }
  } else {
    setADFControl(false, mADFDirection);
    mRotation = rotation;
    mMirror = mirror;
    SSizeDouble visible = getPaperSizeWH_Pixel96(film && basicTemplate ? basicTemplate->getPaperSize() : 0);
    if (rotation == 1 || rotation == 3) visible = {visible.height, visible.width};
    if (mPreview) mPreview->setVisiblePreviewSize_Pixel96({visible.width, visible.height});
    mHasPreview = basic.getHasPreview();
    mHasNonThumPreview = basic.getHasNonThumPreview();
    if (mPreview && basic.getHasPreview() && image) mPreview->setImage(image);
    mEnableThumbnailBtn = basic.getEnableThumbnailBtn();
    if (basicTemplate && mTemplateCrop) {
      copyCrop(*basicTemplate, *mTemplateCrop, true);
      if (basicTemplate->getImageSourceForStandard() == 1) mTemplateCrop->setDescreen(1);
      if (film) mTemplateCrop->setTempOutputSize(basicTemplate->getTempOutputSize());
      mTemplateCrop->setVisiblePreviewSize_Pixel96(visible);
    }
    mClickCrop = nullptr;
    mCropList = frames;
    Quirel_CropInfo* focus = nullptr;
    for (const auto& crop : mCropList) {
      if (crop->isFocus()) focus = crop.get();
      if (mPreview)
        if (auto* view = dynamic_cast<kit::View*>(crop->getCropView())) mPreview->addCrop(view);
    }
    if (focus)
      mImageSource = focus->getImageSource();
    else if (mCropList.empty() && mTemplateCrop)
      mImageSource = mTemplateCrop->getImageSource();
  }
  const int defaultResolution = film ? 1200 : 300;
  if (mTemplateCrop) {
    updateCropByMagnification(100, *mTemplateCrop);
    updateCropByResolusion(defaultResolution, *mTemplateCrop);
  }
  for (const auto& crop : mCropList) {
    updateCropByMagnification(100, *crop);
    updateCropByResolusion(crop->getOutputSize() != 0 ? crop->getResolution() : defaultResolution, *crop);
  }
}
