// The basic mode's end of preview: what the base's end of preview leaves to it (the panel
// refreshed, the frames that survive a cleared preview, the output sizes of new film frames,
// the film message 1500) and the automatic crop with the refusal of a tiny one.

#include <algorithm>

#include "kit/Window.h"
#include "ui/controls/CTRLS_MainWindow.h"
#include "ui/controls/CTRLS_Preview.h"
#include "ui/model/CropFrameViewLink.h"
#include "ui/model/CropInfo.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/model/PreviewInfo.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/modes/basic/StandardMode.h"
#include "ui/windows/MessageFunctions.h"

namespace {

void stdShowView(Quirel_CropInfo& crop) {
  if (CropFrameViewLink* view = crop.getCropView()) view->setHidden(false);
}

}  // namespace

void Quirel_StandardMode::takeCropIntoTemplate(const Quirel_CropInfo& crop) {
  copyCrop(crop, *mTemplateCrop, false);
  const SRectDouble input = mTemplateCrop->getInputRect_Pixel96();
  mTemplateCrop->setInputRect_Pixel96(input);
  const double magnification = mTemplateCrop->getMagnification();
  mTemplateCrop->setOutputSize_Pixel96(
      {magnification * input.size.width / 100.0, magnification * input.size.height / 100.0});
  mTemplateCrop->setRatio(input.size);
}

void Quirel_StandardMode::refreshAutoToneOfCrop(Quirel_CropInfo& crop, const Quirel_CropInfo& base) {
  if (panelVer(1500))
    updateAutoToneByCropViewUpdate(crop, &base);
  else if (isAlwaysAutoTone(crop.getColorMode()))
    updateCropByResetToneSetting(crop, true);
}

void Quirel_StandardMode::markContentForRedisplay() {
  if (Quirel_MainWindow* window = mMainWindow ? mMainWindow->getWindow() : nullptr)
    if (kit::View* content = window->contentView()) content->setNeedsDisplay(true);
}

// ---- Platen ---------------------------------------------------------------------------------

void Quirel_StandardMode::endPreview_previewInfo(Quirel_PreviewInfo* preview, const SRectDouble& autoCropRect,
                                                 const fnd::Array* mcPoints) {
  Quirel_BaseScanMode::endPreview_previewInfo(preview, autoCropRect, mcPoints);
  setValueOfSelectedCrop(false);
  if (mPreview) mPreview->setHiddenTitle(mHasPreview);
  updatePreviewArea();
}

void Quirel_StandardMode::endPreviewClearImage() {
  resetPreview(getPaperSizeWH_Pixel96(0), true, true);
  mHasPreview = false;
  mHasNonThumPreview = false;
  mEnableThumbnailBtn = true;
  if (isThumbnailMode()) {
    mClickCrop = nullptr;
    removeThumbnails();
  } else {
    const int cropAfterPreview = mPreferenceInfo ? mPreferenceInfo->getCropAfterPrev() : 0;
    if (cropAfterPreview == 0) {
      // The focused frame is held here while it leaves the list.
      std::shared_ptr<Quirel_CropInfo> focus;
      for (const auto& crop : mCropList)
        if (crop->isFocus()) focus = crop;
      if (focus) {
        const int n = focus->getOutputSize();
        if (n != 0) {
          focus->setInputRect_Pixel96({{0, 0}, {0, 0}});
          focus->setOutputSize_Pixel96({0, 0});
          if (CropFrameViewLink* view = focus->getCropView()) view->setFrame(fnd::Rect());
          focus->setOutputSize(0);
          updateCropByOutputSize(n, *focus, true);
          stdShowView(*focus);
        } else if (mTemplateCrop) {
          takeCropIntoTemplate(*focus);
          focus->removeBaseCropOfDataPersistence();
          if (mClickCrop == focus.get()) mClickCrop = nullptr;
          mCropList.erase(std::find(mCropList.begin(), mCropList.end(), focus));
        }
      }
    } else if (cropAfterPreview != 2) {
      for (const auto& crop : mCropList) stdShowView(*crop);
    }
  }
  if (mTemplateCrop) mTemplateCrop->setTempOutputSize(0);
  mTabChanging = false;
  if (mPreview) mPreview->setHiddenTitle(mHasPreview);
  updatePreviewArea();
}

// ---- Film -----------------------------------------------------------------------------------

void Quirel_StandardMode::endFilmPreview_previewInfo(Quirel_PreviewInfo* preview, const fnd::Array* capsPoints,
                                                     int capsFilmSize) {
  mHasPreview = true;
  mHasNonThumPreview = true;
  if (preview)
    mPreviewDataSize = {static_cast<double>(preview->getPreviewWidth()),
                        static_cast<double>(preview->getPreviewHeight())};
  if (panelVer(1600)) setCapsFilmSizeRects(capsPoints);
  if (mCreateFilmCrop && mTemplateCrop) {
    const int oldSize = mTemplateCrop->getPaperSize();
    const int newSize = capsPoints && !capsPoints->empty() ? convFilmSizeCapsToUIM(capsFilmSize) : 21;
    mTemplateCrop->setPaperSize(newSize);
    if (newSize != oldSize) mTemplateCrop->setTempOutputSize(0);
    if (mScanMode == 2)
      endFilmPlatenPreview_capsPointArray(capsPoints);
    else if (mScanMode == 3)
      endFilmThumbnailPreview_capsPointArray(capsPoints);
    mEnableThumbnailBtn = getProgressStatus() != -1;
    for (const auto& crop : mCropList) {
      int n = mTemplateCrop->getTempOutputSize();
      if (mChangeThumbnailSize) n = panelVer(1500) ? crop->getOutputSize() : 0;
      updateCropByOutputSize(n, *crop, true);
      updateCropByMagnification(*crop);
      stdShowView(*crop);
    }
    updateAutoToneByPreviewUpdate(*mTemplateCrop);
    for (auto it = mCropList.rbegin(); it != mCropList.rend(); ++it) updateAutoToneByPreviewUpdate(**it);
    if (isThumbnailMode() && mThumbnailList.empty()) mHasPreview = false;
    setValueOfSelectedCrop(false);
    updatePreviewArea();
    if (!mTabChanging && isThumbnailMode() && mThumbnailList.empty()) {
      // The film-thumbnail preview found no frame to show.
      showModalDialog();
      MES_ShowMessageAndNumberMainThreadMode(1500, 0, 0, 0);
      closeModalDialog();
    }
  }
  if (mCropList.empty()) mHasPreview = false;
  mTabChanging = false;
  setHiddenToolbar_CropCount(static_cast<int>(mCropList.size()));
  markContentForRedisplay();
}

void Quirel_StandardMode::endFilmPreviewClearImage() {
  mClickCrop = nullptr;
  if (isThumbnailMode())
    removeThumbnails();
  else
    mCropList.clear();
  resetPreview(getPaperSizeWH_Pixel96(mTemplateCrop ? mTemplateCrop->getPaperSize() : 0), true, true);
  mTabChanging = false;
  setHiddenToolbar_CropCount(static_cast<int>(mCropList.size()));
  markContentForRedisplay();
}

void Quirel_StandardMode::setThumbnailRectFromCropCorRect() {
  if (mCreateFilmCrop) {
    Quirel_BaseScanMode::setThumbnailRectFromCropCorRect();
    for (const auto& crop : mCropList) {
      updateCropByOutputSize(crop->getOutputSize(), *crop, true);
      stdShowView(*crop);
    }
  }
  setValueOfSelectedCrop(false);
}

// ---- Automatic crop -------------------------------------------------------------------------

void Quirel_StandardMode::setAutoCropRect(Quirel_PreviewInfo* preview) {
  const SRectDouble rect = preview ? preview->getAutoCropRect() : SRectDouble{{0, 0}, {0, 0}};
  // The rectangle is in the preview's pixels: the mode's own preview size places it (the model
  // learns that size only when a request is built, and before one it is empty).
  const SSizeDouble size = getPreviewDataSize();
  if (panelVer(1700) && !mZoomScan && !mCropList.empty() && (rect.size.width < 12 || rect.size.height < 12)) {
    deleteCropByAutoCrop();
  } else {
    Quirel_BaseScanMode::setAutoCropRect(size, rect);
    if (Quirel_CropInfo* focus = getFocusCrop()) {
      const int n = focus->getOutputSize();
      std::shared_ptr<Quirel_OutputSize> named = n != 0 ? getOutputSizeObject(n) : nullptr;
      if (named)
        updateCropForFixedAutoCrop(*named, *focus, true);
      else
        updateCropForFlexibleAutoCrop(*focus);
      stdShowView(*focus);
      refreshAutoToneOfCrop(*focus, *focus);
    }
  }
  setValueOfSelectedCrop(false);
  updatePreviewArea();
}

void Quirel_StandardMode::deleteCropByAutoCrop() {
  if (isThumbnailMode() || isADFMode() || isFilmMode() || mCropList.empty() || !mTemplateCrop) return;
  Quirel_CropInfo* focusRaw = getFocusCrop();
  if (!focusRaw) return;
  auto it = std::find_if(mCropList.begin(), mCropList.end(), [focusRaw](const auto& c) { return c.get() == focusRaw; });
  if (it == mCropList.end()) return;
  // The focused frame is held here until its settings have gone where they go.
  std::shared_ptr<Quirel_CropInfo> kept = *it;
  if (mClickCrop == kept.get()) mClickCrop = nullptr;
  mCropList.erase(it);
  if (mCropList.empty()) {
    const int n = kept->getOutputSize();
    Quirel_CropInfo* target = nullptr;
    if (n != 0) {
      target = createCropWithView(fnd::Rect());
      if (target) {
        copyCrop(*kept, *target, false);
        updateCropByOutputSize(n, *target, true);
      }
    } else {
      takeCropIntoTemplate(*kept);
      target = mTemplateCrop.get();
    }
    if (target) updateAutoToneByCropViewUpdate(*target, kept.get());
  }
  kept.reset();
  if (!mCropList.empty()) {
    if (Quirel_CropInfo* next = getNextCrop(nullptr)) {
      next->setSelect(true);
      setFocus(next);
      next->setLineStyle(1);
    }
  }
}
