// What the advanced mode adds around the base's end of a platen, film, zoom or multi-crop
// preview: the film size chosen, the frames fitted to their output sizes, automatic tone
// refreshed, and the scan loop ended.

#include <algorithm>
#include <cmath>
#include <numbers>

#include "ui/controls/CTRLS_Preview.h"
#include "ui/controls/CTRLS_MainWindow.h"
#include "ui/controls/MainWindow.h"
#include "ui/model/CropFrameViewLink.h"
#include "ui/model/CropInfo.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/model/PreviewInfo.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/model/Units.h"
#include "ui/modes/advanced/ExtendMode.h"
#include "ui/modes/toolbar/Toolbar.h"

namespace {

void extShowFrame(Quirel_CropInfo& crop) {
  if (CropFrameViewLink* view = crop.getCropView()) view->setHidden(false);
}

// One corner of a multi-crop entry; false when "X" or "Y" is missing or not a number.
bool extMultiCropPoint(const fnd::Value& v, SPointDouble& point) {
  if (!v.isDictionary()) return false;
  const fnd::Dictionary& d = v.toDictionary();
  const fnd::Value* x = d.find("X");
  const fnd::Value* y = d.find("Y");
  const auto number = [](const fnd::Value* v) { return v && (v->isInteger() || v->isReal()); };
  if (!number(x) || !number(y)) return false;
  point = {x->toReal(), y->toReal()};
  return true;
}

}  // namespace

void Quirel_ExtendMode::endScan() { mScanLoop = false; }

// ---- platen ----------------------------------------------------------------------------------

void Quirel_ExtendMode::endPreview_previewInfo(Quirel_PreviewInfo* preview, const SRectDouble& autoCropRect,
                                               const fnd::Array* mcPoints) {
  mScanLoop = false;
  mIgnoreKey = false;
  const bool createCrop = mCreateFilmCrop;
  Quirel_BaseScanMode::endPreview_previewInfo(preview, autoCropRect, mcPoints);
  if (!mZoomScan && createCrop) {
    setHiddenToolbar(mScanMode, static_cast<int>(mCropList.size()));
    setEnabledToolbar();
    setMenuItem_FavoritePopupBT();
  }
  setValueOfSelectedCrop(0);
  updatePreviewArea();
}

void Quirel_ExtendMode::endPreviewClearImage() {
  mScanLoop = false;
  clearPreviewWithMessageID(-1, false);
  if (mTemplateCrop) mTemplateCrop->setTempOutputSize(0);
}

void Quirel_ExtendMode::endFilmPreviewClearImage() {
  mScanLoop = false;
  clearPreviewWithMessageID(-1, false);
}

// ---- film ------------------------------------------------------------------------------------

int Quirel_ExtendMode::filmSizeAtEndOfPreview(bool ver1600, bool detected, bool thumbnail, bool useCapsFilmSize,
                                              int detectedSize, int currentSize) {
  if (!ver1600) return detected ? detectedSize : currentSize;
  if (thumbnail) return detected ? detectedSize : 21;
  if (!useCapsFilmSize) return currentSize;
  return detected ? detectedSize : 21;
}

void Quirel_ExtendMode::endFilmPreview_previewInfo(Quirel_PreviewInfo* preview, const fnd::Array* capsPoints,
                                                   int capsFilmSize) {
  mScanLoop = false;
  if (preview)
    mPreviewDataSize = {static_cast<double>(preview->getPreviewWidth()),
                        static_cast<double>(preview->getPreviewHeight())};
  const bool v1600 = ver(&Quirel_UIScannerInfo::isVer1600Later);
  if (v1600) setCapsFilmSizeRects(capsPoints);
  mHasPreview = true;
  mHasNonThumPreview = true;

  if (mCreateFilmCrop && mTemplateCrop) {
    const int current = mTemplateCrop->getPaperSize();
    const bool detected = capsPoints && !capsPoints->empty();
    const int detectedSize = detected ? convFilmSizeCapsToUIM(capsFilmSize) : 21;
    const bool thumbnail = isThumbnailMode();
    const int film = filmSizeAtEndOfPreview(v1600, detected, thumbnail, mUseCapsFilmSize, detectedSize, current);
    if (v1600 && !thumbnail) mFilmSizeWithoutCaps = film;
    if (ImgSrcSetting* record = getImgSrcSettingAtIndex(mImageSource)) record->paperSize = film;
    mTemplateCrop->setPaperSize(film);
    if (film != current && mTemplateCrop->getTempOutputSize() != 0) {
      mTemplateCrop->setMagnification(100);
      mTemplateCrop->setTempOutputSize(0);
      updateCropByResolusion(1200, *mTemplateCrop);
    }
    if (mScanMode != 2)
      endFilmThumbnailPreview_capsPointArray(capsPoints);
    else if (v1600)
      endFilmPlatenPreview_capsPointArray(capsPoints, detectedSize, film);
    else
      endFilmPlatenPreview_capsPointArray(capsPoints);
    if (getProgressStatus() != -1) mEnableThumbnailBtn = true;

    const bool v1500 = ver(&Quirel_UIScannerInfo::isVer1500Later);
    for (const auto& crop : mCropList) {
      if (mChangeThumbnailSize) {
        if (crop->getOutputSize() != 0) {
          const int resolution = crop->getResolution();
          updateCropByOutputSize(v1500 ? crop->getOutputSize() : 0, *crop, true);
          updateCropByResolusion(resolution, *crop);
        }
      } else if (mTemplateCrop->getTempOutputSize() != 0) {
        updateCropByOutputSize(mTemplateCrop->getTempOutputSize(), *crop, true);
        updateCropByResolusion(mTemplateCrop->getResolution(), *crop);
      }
      extShowFrame(*crop);
    }
    const bool save = ver(&Quirel_UIScannerInfo::isVer1700Later) && mChangeFavoriteSetting;
    updateAutoToneByPreviewUpdate(*mTemplateCrop, save);
    for (const auto& crop : mCropList) updateAutoToneByPreviewUpdate(*crop, save);
    const bool noFrame = thumbnail && mThumbnailList.empty();
    if (noFrame) mHasPreview = false;
    setMenuItem_FavoritePopupBT();
    setValueOfSelectedCrop(0);
    setFrameInImageSettings();
    updatePreviewArea();
    if (noFrame) showMessage(1500);
  }
  if (mCropList.empty()) mHasPreview = false;
  mCreateFilmCrop = false;
  mChangeThumbnailSize = false;
  setHiddenToolbar(mScanMode, static_cast<int>(mCropList.size()));
}

// ---- thumbnails, automatic crop and multi-crop ---------------------------------------------------

void Quirel_ExtendMode::setThumbnailRectFromCropCorRect() {
  if (mCreateFilmCrop) {
    Quirel_BaseScanMode::setThumbnailRectFromCropCorRect();
    const bool keepUnit =
        !ver(&Quirel_UIScannerInfo::isVer1600Later) || ver(&Quirel_UIScannerInfo::isVer1700Later);
    for (const auto& crop : mCropList) {
      const int resolution = crop->getResolution();
      const int unit = crop->getUnit();
      if (crop->getOutputSize() != 0) updateCropByOutputSize(crop->getOutputSize(), *crop, true);
      updateCropByResolusion(convEnableResolution(resolution), *crop);
      if (keepUnit) crop->setUnit(unit);
      extShowFrame(*crop);
    }
  }
  setValueOfSelectedCrop(0);
}

void Quirel_ExtendMode::setThumbnailImage(Quirel_PreviewInfo* preview) {
  Quirel_BaseScanMode::setThumbnailImage(preview);
  setValueOfSelectedCrop(0);
}

void Quirel_ExtendMode::setAutoCropRect(Quirel_PreviewInfo* preview) {
  const SRectDouble rect = preview ? preview->getAutoCropRect() : SRectDouble{{0, 0}, {0, 0}};
  // The rectangle is in the preview's pixels: the mode's own preview size places it (the model
  // learns that size only when a request is built, and before one it is empty).
  const SSizeDouble size = getPreviewDataSize();
  if (ver(&Quirel_UIScannerInfo::isVer1700Later) && !mZoomScan && !mCropList.empty() &&
      (rect.size.width < 12 || rect.size.height < 12)) {
    deleteCropByAutoCrop();
  } else {
    Quirel_CropInfo* focus = getFocusCrop();
    const bool toneFirst = focus && !focus->isHidden();
    if (toneFirst) updateAutoToneByCropViewUpdate(*focus, focus);
    Quirel_BaseScanMode::setAutoCropRect(size, rect);
    if ((focus = getFocusCrop())) {
      const int n = focus->getOutputSize();
      const std::shared_ptr<Quirel_OutputSize> named = n != 0 ? getOutputSizeObject(n) : nullptr;
      if (named)
        updateCropForFixedAutoCrop(*named, *focus, true);
      else
        updateCropForFlexibleAutoCrop(*focus);
      extShowFrame(*focus);
      if (!toneFirst) updateAutoToneByCropViewUpdate(*focus, focus);
    }
  }
  setValueOfSelectedCrop(0);
  updatePreviewArea();
}

void Quirel_ExtendMode::setMultiCropPoints(Quirel_PreviewInfo* preview) {
  if (mPreview && preview) mPreview->setImage(getPreviewImage(preview));
  const double W = preview ? preview->getPreviewWidth() : 0;
  const double H = preview ? preview->getPreviewHeight() : 0;
  const fnd::Array* entries = preview ? &preview->getMultiCropPoints() : nullptr;
  if (entries && mTemplateCrop) {
    const fnd::Size view = mPreview ? mPreview->getImageViewRect().size : fnd::Size{W, H};
    const std::size_t count = std::min<std::size_t>(entries->size(), 10);
    for (std::size_t i = 0; i < count; ++i) {
      const fnd::Value& entry = (*entries)[i];
      if (!entry.isDictionary()) continue;
      const fnd::Value* pointsValue = entry.toDictionary().find("points");
      if (!pointsValue || !pointsValue->isArray() || pointsValue->toArray().size() < 4) continue;
      // A frame needs four corners that are numbers; anything less is skipped.
      SPointDouble raw[4];
      bool whole = true;
      for (int k = 0; k < 4 && whole; ++k) whole = extMultiCropPoint(pointsValue->toArray()[k], raw[k]);
      if (!whole) continue;
      SPointDouble turned[4];
      for (int k = 0; k < 4; ++k) turned[k] = {raw[k].x, H - raw[k].y};
      double angle = std::atan2(turned[1].y - turned[0].y, turned[1].x - turned[0].x) * 180.0 / std::numbers::pi;
      if (angle < 0) angle += 360;
      if (angle >= 360) angle -= 360;
      const double width = std::hypot(turned[1].x - turned[0].x, turned[1].y - turned[0].y);
      const double height = std::hypot(turned[3].x - turned[0].x, turned[3].y - turned[0].y);
      const fnd::Rect rect{calcRatio(W, turned[3].x, view.width), calcRatio(H, turned[3].y, view.height),
                           calcRatio(W, width, view.width), calcRatio(H, height, view.height)};
      Quirel_CropInfo* frame = createMultiCropWithView(rect);
      if (!frame) continue;
      frame->setCropViewRotation(angle);
      const Quirel_CropInfo* focus = getFocusCrop();
      copyCrop(focus ? *focus : *mTemplateCrop, *frame, false);
      if (frame->getResolution() > 600) frame->setResolution(600);
      updateCropByMagnification(100, *frame);
      updateCropByResetToneSetting(*frame, true);
      frame->setSelect(false);
      frame->setLineStyle(1);
      frame->setMultiCrop(true);
      frame->setMultiCropCorPoints(raw);
      updateCropFromCropRect(*frame);
    }
    remakeMultiCropButtonByPreview();
  }
  const int cropAfterPreview = mPreferenceInfo ? mPreferenceInfo->getCropAfterPrev() : 0;
  for (auto it = mCropList.begin(); it != mCropList.end();) {
    if ((*it)->isMultiCrop()) {
      ++it;
    } else if (cropAfterPreview == 1) {
      if (CropFrameViewLink* view = (*it)->getCropView()) view->setHidden(true);
      ++it;
    } else {
      if (mClickCrop == it->get()) mClickCrop = nullptr;
      it = mCropList.erase(it);
    }
  }
}

// ---- redraw pass and threshold -----------------------------------------------------------------

void Quirel_ExtendMode::updateImageSetEndPreview() {
  const int threshold = mScannerInfo ? mScannerInfo->thresholdValue() : 0;
  postPreviewWithScan(false, false, false, false, true, mPreviewAtStart, false, false, 0, threshold);
}

int Quirel_ExtendMode::getForcusThreshold() {
  if (mCropList.empty()) return mTemplateCrop ? mTemplateCrop->getThreshold() : 0;
  for (auto it = mCropList.rbegin(); it != mCropList.rend(); ++it)
    if ((*it)->isFocus()) return (*it)->getThreshold();
  return mScannerInfo ? mScannerInfo->thresholdValue() : 0;
}
