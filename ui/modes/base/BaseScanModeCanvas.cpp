// Auto-tone values of the frames, one rule per kind of change, and the preview canvas: redraw,
// size, reset and its picture.

#include <algorithm>
#include <cmath>

#include "kit/Application.h"
#include "kit/Image.h"
#include "ui/base/PostNotification.h"
#include "ui/controls/CTRLS_MainWindow.h"
#include "ui/controls/CTRLS_Preview.h"
#include "ui/controls/CTRLS_PreviewFrame.h"
#include "ui/controls/MainWindow.h"
#include "ui/controls/PreviewView.h"
#include "ui/model/CropInfo.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/model/PreviewInfo.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/modes/base/BaseScanMode.h"

namespace {

// Stores the value; a frame whose value is not "kept" (5) drops its reference copy, which tells
// the preview model through the record's own post.
void canvasStoreAutoTone(Quirel_CropInfo& crop, int value) {
  crop.setAutoTone(value);
  if (value != 5) crop.removeBaseCropOfDataPersistence();
}

bool canvasExposureLocked(const Quirel_CropInfo& crop) {
  return crop.isApplyToneValueToAll() ? crop.isExposureOfApplyToneValueToAll() : crop.isExposure();
}

}  // namespace

void Quirel_BaseScanMode::updateAutoToneByCropViewUpdate(Quirel_CropInfo& crop, const Quirel_CropInfo* base) {
  if (!mHasPreview) return;
  if (mScannerInfo && mScannerInfo->isVer1500Later()) {
    canvasStoreAutoTone(crop, 1);
    return;
  }
  if (!isEnabledAlwaysAutoTone(crop.getColorMode()) || canvasExposureLocked(crop)) {
    canvasStoreAutoTone(crop, 0);
    return;
  }
  if (mPreferenceInfo && mPreferenceInfo->getAlwaysAutoTone()) {
    canvasStoreAutoTone(crop, 1);
    updateCropByResetToneSetting(crop, false);
    return;
  }
  const int value = crop.getAutoTone();
  if (value == 1 || value == 5) {
    if (!crop.getBaseCropOfDataPersistence() && base) crop.setBaseCropOfDataPersistence(base);
    canvasStoreAutoTone(crop, 5);
    return;
  }
  canvasStoreAutoTone(crop, 0);
}

void Quirel_BaseScanMode::updateAutoToneByPreviewUpdate(Quirel_CropInfo& crop, bool keepTone) {
  if (!isEnabledAlwaysAutoTone(crop.getColorMode())) {
    canvasStoreAutoTone(crop, 0);
    if (!keepTone) updateCropByResetToneSetting(crop, true);
    return;
  }
  if (canvasExposureLocked(crop)) {
    canvasStoreAutoTone(crop, 0);
    return;
  }
  if (mPreferenceInfo && mPreferenceInfo->getAlwaysAutoTone()) {
    canvasStoreAutoTone(crop, 1);
    if (!keepTone) updateCropByResetToneSetting(crop, true);
    return;
  }
  canvasStoreAutoTone(crop, 0);
}

void Quirel_BaseScanMode::updateAutoToneByChangeColorMode(Quirel_CropInfo& crop) {
  canvasStoreAutoTone(crop, isAlwaysAutoTone(crop.getColorMode()) ? 1 : 0);
  updateCropByResetToneSetting(crop, true);
}

void Quirel_BaseScanMode::updateAutoToneByChangeAutoTone(int value, Quirel_CropInfo& crop) {
  canvasStoreAutoTone(crop, value);
  if (value == 1) updateCropByResetToneSetting(crop, true);
}

void Quirel_BaseScanMode::updateAutoToneByChangeManualExposure(Quirel_CropInfo& crop) {
  int value = crop.getAutoTone();
  if (crop.isExposure())
    value = 0;
  else if (isAlwaysAutoTone(crop.getColorMode()))
    value = 1;
  canvasStoreAutoTone(crop, value);
}

void Quirel_BaseScanMode::updateAutoToneByChangeAllExposure(Quirel_CropInfo& crop, const Quirel_CropInfo& source) {
  if (source.isExposure()) {
    canvasStoreAutoTone(crop, 0);
  } else if (isAlwaysAutoTone(crop.getColorMode())) {
    canvasStoreAutoTone(crop, 1);
    updateCropByResetToneSetting(crop, false);
  } else {
    canvasStoreAutoTone(crop, crop.getAutoTone());
  }
}

void Quirel_BaseScanMode::updateAutoToneByZoomScan(Quirel_CropInfo& crop) {
  const bool older = !(mScannerInfo && mScannerInfo->isVer1500Later());
  if (older && isEnabledAlwaysAutoTone(crop.getColorMode()) && crop.getAutoTone() == 1) {
    crop.setBaseCropOfDataPersistence(&crop);
    crop.setAutoTone(5);
  }
  canvasStoreAutoTone(crop, crop.getAutoTone());
}

void Quirel_BaseScanMode::updateAutoToneByClearPreview(Quirel_CropInfo& crop) {
  canvasStoreAutoTone(crop, 0);
  crop.removeBaseCropOfDataPersistence();
  updateCropByResetToneSetting(crop, true);
}

// ---- the canvas -----------------------------------------------------------------------------

void Quirel_BaseScanMode::updatePreview() {
  resizePreviewSize(getSZoomRate(mZoomRate));
  const fnd::Rect image = mPreview ? mPreview->getImageViewRect() : fnd::Rect();
  const double angle = getSRotationRate(mRotation);
  if (mPreview) mPreview->setTransform(makeTransform(angle, mMirror, image.size), static_cast<int>(angle));
  if (mPreviewFrame) mPreviewFrame->updateDisplay();
}

void Quirel_BaseScanMode::resizePreviewSize(double zoom) {
  const fnd::Rect frame = mPreviewFrame ? mPreviewFrame->getFrameViewRect() : fnd::Rect();
  const double W = frame.size.width, H = frame.size.height;
  const fnd::Size visible = mPreview ? mPreview->getVisiblePreviewSize_Pixel96() : fnd::Size();
  double h = H - 40;
  double w = calcRatio(visible.height, h, visible.width);
  if (w > W - 40) {
    w = W - 40;
    h = calcRatio(visible.width, w, visible.height);
  }
  const fnd::Rect image = fnd::Rect(0, 0, w * zoom, h * zoom).integral();
  const double contentWidth = image.size.width + 1, contentHeight = image.size.height + 1;
  double sw = contentWidth, sh = contentHeight;
  const bool scrollers = zoom != 1.0;
  if (scrollers) {
    sw = std::min(W - 40, contentWidth);
    sh = std::min(H - 40, contentHeight);
  }
  const fnd::Rect scroll = fnd::Rect((W - sw) * 0.5, (H - sh) * 0.5, sw + 1, sh + 1).integral();
  if (mPreview) {
    mPreview->setHasVerticalScroller(scrollers);
    mPreview->setHasHorizontalScroller(scrollers);
    mPreview->setScrollViewRect(scroll);
    mPreview->setImageViewRect(image);
  }
  if (mTemplateCrop) mTemplateCrop->setPreviewViewSize(image.size);
  for (auto it = mCropList.rbegin(); it != mCropList.rend(); ++it) (*it)->setPreviewViewSize(image.size);
  for (auto it = mCropList.rbegin(); it != mCropList.rend(); ++it) updateCropRectFromCrop(**it, false);
}

void Quirel_BaseScanMode::resetPreview(const SSizeDouble& size, bool clearImage, bool hideFrames) {
  auto reset = [this, &size](Quirel_CropInfo& crop) {
    setNonConvertedRect(crop);
    crop.setPreviewSize_Pixel96(size);
    crop.setVisiblePreviewSize_Pixel96(size);
    crop.setPreviewStartPoint_Pixel96({0, 0});
  };
  if (mTemplateCrop) reset(*mTemplateCrop);
  for (auto it = mCropList.rbegin(); it != mCropList.rend(); ++it) {
    reset(**it);
    (*it)->setHidden(hideFrames);
  }
  if (clearImage) {
    if (mPreview) {
      if (const std::optional<kit::Image>& shown = mPreview->getImageView()->getPreviewImage()) mClearedPicture = shown;
      mPreview->removeImage();
    }
    if (mHasPreview || mHasNonThumPreview) {
      if (inThumbnailMode()) {
        mCenter.post("removeThumbnailImagePost", selfIdentity());
        mThumbnailCount = 0;
      }
      Quirel_PostNotification().postExternalNotificationName("Clear_Preview", outwardObject(), nullptr);
    }
    mHasPreview = false;
    mHasNonThumPreview = false;
    mEnableThumbnailBtn = true;
  }
  mZoomRate = 0;
  mRotation = 0;
  mMirror = false;
  mMouseStart = {0, 0};
  mClickCrop = nullptr;
  mCommndKey = false;
  mOptionKey = false;
  mOnlyClick = false;
  mToolMode = 0;
  mSpoitMode = -1;
  mZoomScan = false;
  // Out of the zoom for good: the unzoomed picture kept for zooming out goes too.
  mTempImage.reset();
  mMultiCrop = false;
  if (mPreview) mPreview->setVisiblePreviewSize_Pixel96({size.width, size.height});
  updatePreview();
}

SSizeDouble Quirel_BaseScanMode::getPreviewViewSize() {
  if (!mPreview) return {0, 0};
  const fnd::Rect r = mPreview->getImageViewRect();
  return {r.size.width, r.size.height};
}

std::optional<kit::Image> Quirel_BaseScanMode::getPreviewImage() const {
  if (!mPreview) return std::nullopt;
  return mPreview->getImageView()->getPreviewImage();
}

std::optional<kit::Image> Quirel_BaseScanMode::getPreviewImage(const Quirel_PreviewInfo* preview) const {
  if (!mHasPreview || !preview) return std::nullopt;
  const int width = preview->getPreviewWidth(0);
  const int height = preview->getPreviewHeight(0);
  const std::uint8_t* pixels = preview->getOriginalPixel24(0);
  // Only whole pixels of a positive size are copied; a buffer shorter than the size is refused.
  if (width <= 0 || height <= 0 || !pixels) return std::nullopt;
  const std::size_t bytes = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3;
  if (preview->getOriginalPixel24Size(0) < bytes) return std::nullopt;
  return kit::Image::fromRGB(pixels, width, height);
}

void Quirel_BaseScanMode::updatePreviewArea() {
  if (inThumbnailMode())
    updateThumbnail();
  else
    updatePreview();
}

bool Quirel_BaseScanMode::isEnteredInPreview() const {
  if (!mPreview) return false;
  Quirel_PreviewView* view = mPreview->getImageView();
  const kit::Window* window = mMainWindow ? mMainWindow->getWindow() : nullptr;
  const fnd::Point origin = window ? window->frame().origin : fnd::Point{};
  const fnd::Point screen = kit::Application::shared().mouseLocation();
  const fnd::Point p = view->convertPointFromView({screen.x - origin.x, screen.y - origin.y}, nullptr);
  return view->visibleRect().contains(p) && view->isEntered();
}

void Quirel_BaseScanMode::resetModeStateToDefaults(bool selectAllThumbnail) {
  const bool platenThumbnail = mScannerInfo && mScannerInfo->defaultPlatenThumbnail();
  mScanMode = platenThumbnail ? 1 : 0;
  mPlatenThumbnail = platenThumbnail;
  mFilmThumbnail = mScannerInfo && mScannerInfo->defaultFilmThumbnail();
  mZoomScan = false;
  mMultiCrop = false;
  mADFDirection = 0;
  mADFBinding = 0;
  mHasPreview = false;
  mHasNonThumPreview = false;
  mEnableThumbnailBtn = true;
  mHighQualityMode = false;
  mUseCapsFilmSize = true;
  mToolMode = 0;
  mZoomRate = 0;
  mRotation = 0;
  mMirror = false;
  mSpoitMode = -1;
  mThumbnailCount = 0;
  mSelectAllThumbnail = selectAllThumbnail;
  mBookCorrectMsg = mClearThumbnailMsg = mLargePicMsg = mColorBitMsg = true;
  mFavoriteMsg = mToneSettingMsg = mColorModeAndDataFormatMsg = true;
}
