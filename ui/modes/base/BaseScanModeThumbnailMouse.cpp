// The mouse over the thumbnails: the rubber band that selects them, a click or double click on
// one, and the one crop frame each thumbnail carries inside its own small preview.

#include <algorithm>
#include <cmath>
#include <memory>

#include "kit/Event.h"
#include "ui/controls/CTRLS_PreviewFrame.h"
#include "ui/controls/CropView.h"
#include "ui/controls/PreviewFrameView.h"
#include "ui/controls/ThumbnailFrameView.h"
#include "ui/controls/ThumbnailPreviewView.h"
#include "ui/controls/ThumbnailSelectView.h"
#include "ui/model/CropInfo.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/model/ThumbnailInfo.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/modes/base/BaseScanMode.h"

namespace {

Quirel_ThumbnailPreviewView* thumbMousePreviewView(const Quirel_ThumbnailInfo& t) {
  return dynamic_cast<Quirel_ThumbnailPreviewView*>(t.getPreviewView());
}

kit::View* thumbMouseFrameView(const Quirel_ThumbnailInfo& t) { return dynamic_cast<kit::View*>(t.getFrameView()); }

}  // namespace

void Quirel_BaseScanMode::mouseDownOnPreviewFrame(const kit::Event& event) {
  if (Quirel_ThumbnailInfo* focus = getFocusThumbnail()) takeFirstResponder(thumbMousePreviewView(*focus));
  if (commandKeyIn(event.modifierFlags())) mCommndKey = true;
  kit::View* frameView = mPreviewFrame ? mPreviewFrame->getFrameView() : nullptr;
  const fnd::Point p = frameView ? frameView->convertPointFromView(event.locationInWindow(), nullptr) : fnd::Point{};
  mMouseStart = {p.x, p.y};
  if (mTumbnailSelView) {
    mTumbnailSelView->removeFromSuperview();
    mTumbnailSelView.reset();
  }
}

void Quirel_BaseScanMode::mouseDraggedOnPreviewFrame(const kit::Event& event) {
  kit::View* frameView = mPreviewFrame ? mPreviewFrame->getFrameView() : nullptr;
  if (!frameView) return;
  const fnd::Point p = frameView->convertPointFromView(event.locationInWindow(), nullptr);
  if (!mTumbnailSelView) {
    mTumbnailSelView = std::make_unique<Quirel_ThumbnailSelectView>();
    frameView->addSubview(mTumbnailSelView.get());
  }
  const fnd::Rect band(std::min(mMouseStart.x, p.x), std::min(mMouseStart.y, p.y), std::abs(p.x - mMouseStart.x),
                       std::abs(p.y - mMouseStart.y));
  mTumbnailSelView->setFrame(band);
  for (const auto& t : mThumbnailList) {
    const kit::View* view = thumbMouseFrameView(*t);
    t->setWillSelected(view && view->frame().intersects(band));
  }
  mPreviewFrame->updateDisplay();
}

bool Quirel_BaseScanMode::mouseUpOnPreviewFrame() {
  const bool marked =
      std::any_of(mThumbnailList.begin(), mThumbnailList.end(), [](const auto& t) { return t->isWillSelected(); });
  if (marked) {
    for (const auto& t : mThumbnailList) {
      const bool mark = t->isWillSelected();
      if (!mCommndKey) {
        t->setSelected(mark);
        if (!mark) t->setFocus(false);
      } else if (mark) {
        if (t->isSelected()) {
          t->setSelected(false);
          t->setFocus(false);
        } else {
          t->setSelected(true);
        }
      }
      t->setWillSelected(false);
    }
    if (!getFocusThumbnail() && !mThumbnailList.empty()) {
      if (getSelectedCropCount() != 0) {
        for (const auto& t : mThumbnailList) {
          if (!t->isSelected()) continue;
          t->setFocus(true);
          break;
        }
      } else {
        mThumbnailList.front()->setFocus(true);
        mThumbnailList.front()->setSelected(true);
      }
    }
  }
  if (mTumbnailSelView) {
    mTumbnailSelView->removeFromSuperview();
    mTumbnailSelView.reset();
  }
  if (mPreviewFrame) mPreviewFrame->updateDisplay();
  mCommndKey = false;
  return marked;
}

void Quirel_BaseScanMode::mouseDownOnThumbnail(const kit::Event& event, int i) {
  if (i < 0 || i >= static_cast<int>(mThumbnailList.size())) return;
  takeFirstResponder(thumbMousePreviewView(*mThumbnailList[i]));
  const int clicks = event.clickCount();
  if (clicks == 1 || (clicks == 2 && commandKeyIn(event.modifierFlags()))) {
    setSelectedThumbnail(event.modifierFlags(), i);
  } else if (clicks == 2 && mThumbnailList.size() > 1) {
    zoomThumbnail(i);
  }
}

void Quirel_BaseScanMode::mouseDownOnThumbnailPreview(const kit::Event& event, int i) {
  mOnlyClick = true;
  if (i < 0 || i >= static_cast<int>(mThumbnailList.size())) return;
  Quirel_ThumbnailInfo& t = *mThumbnailList[i];
  Quirel_ThumbnailPreviewView* view = thumbMousePreviewView(t);
  takeFirstResponder(view);
  setSelectedThumbnail(event.modifierFlags(), i);
  if (!t.isSelected() || !view) return;
  const fnd::Point p = view->convertPointFromView(event.locationInWindow(), nullptr);
  mMouseStart = {p.x, p.y};
  Quirel_CropInfo* crop = t.getCropInfo().get();
  if (!crop) return;
  const CropFrameViewLink* cropView = crop->getCropView();
  if (!cropView) {
    crop->setCropMode(2);
    crop->setResizeMode(0);
    if (mPreviewFrame) mPreviewFrame->updateDisplay();
    return;
  }
  if (cropView->frame().insetBy(-3, -3).contains(p)) {
    int cropMode = 4, resizeMode = 0;
    pressedCropEdges(cropView->frame(), p, cropMode, resizeMode);
    crop->setCropMode(cropMode);
    crop->setResizeMode(resizeMode);
    crop->saveRect();
  } else {
    crop->setCropMode(2);
    crop->setResizeMode(0);
  }
  view->setNeedsDisplay();
}

void Quirel_BaseScanMode::mouseDraggedOnThumbnailPreview(const kit::Event& event, int i) {
  if (i < 0 || i >= static_cast<int>(mThumbnailList.size())) return;
  Quirel_ThumbnailInfo& t = *mThumbnailList[i];
  Quirel_ThumbnailPreviewView* view = thumbMousePreviewView(t);
  Quirel_CropInfo* crop = t.getCropInfo().get();
  if (!t.isSelected() || !view || !crop) return;
  const fnd::Point p = view->convertPointFromView(event.locationInWindow(), nullptr);
  const fnd::Point start{mMouseStart.x, mMouseStart.y};
  switch (crop->getCropMode()) {
    case 2:
      if (crop->hasCropView()) {
        if (mOnlyClick) crop->setSrcView();
      } else {
        t.saveThumbnailCrop();
        auto cropView = std::make_unique<Quirel_CropView>(fnd::Rect(p.x, p.y, 0, 0));
        view->addSubview(cropView.get());
        crop->setCropView(std::move(cropView));
        crop->setCropMode(2);
      }
      mouseDragForCreateCrop(start, p, *crop);
      break;
    case 3:
    case 4:
      if (mOnlyClick) {
        crop->setSrcView();
        const bool older = !(mScannerInfo && mScannerInfo->isVer1500Later());
        if (older && isEnabledAlwaysAutoTone(crop->getColorMode()) &&
            !(mPreferenceInfo && mPreferenceInfo->getAlwaysAutoTone()) && crop->getAutoTone() == 1)
          crop->setBaseCropOfDataPersistence(crop);
      }
      if (crop->getCropMode() == 3)
        mouseDragForResizeCrop(start, checkMouseDragForResizeCrop(start, p, *crop), *crop);
      else
        mouseDragForMoveCrop(start, checkMouseDragForMoveCrop(start, p, *crop), *crop);
      break;
    default:
      break;
  }
  mOnlyClick = false;
  crop->setLineStyle(2);
}

void Quirel_BaseScanMode::mouseUpOnThumbnailPreview(int i, int uiMode) {
  if (i < 0 || i >= static_cast<int>(mThumbnailList.size())) return;
  Quirel_ThumbnailInfo& t = *mThumbnailList[i];
  Quirel_CropInfo* crop = t.getCropInfo().get();
  if (!t.isSelected() || !crop) return;
  crop->removeSrcView();
  if (crop->getCropMode() == 2) {
    if (mOnlyClick) {
      if (crop->getOutputSize() == 0) {
        // A click beside the frame drops it: the whole thumbnail is scanned again.
        t.removeThumbnailCrop();
        crop->removeCropView();
        const SSizeDouble visible = t.getVisiblePreviewSize_Pixel96();
        crop->setInputRect_Pixel96({{0, 0}, visible});
        const int m = crop->getMagnification();
        crop->setOutputWidth_Pixel96(maltipleUnit(m, visible.width));
        crop->setOutputHeight_Pixel96(maltipleUnit(m, visible.height));
      }
    } else {
      updateAutoToneByCropViewUpdate(*crop, getFocusCrop());
      mouseUpAfterCreateThumbnailCrop(*crop);
    }
  } else if (!mOnlyClick) {
    if (crop->getCropMode() == 3) mouseUpAfterCreateThumbnailCrop(*crop);
    updateAutoToneByCropViewUpdate(*crop, nullptr);
  }
  crop->setLineStyle(0);
  crop->setCropMode(0);
  crop->setResizeMode(0);
  if (Quirel_ThumbnailPreviewView* view = thumbMousePreviewView(t)) view->setNeedsDisplay();
  updateFocusThumbnailPostByPreview(uiMode, mHasPreview);
}

void Quirel_BaseScanMode::mouseUpAfterCreateThumbnailCrop(Quirel_CropInfo& crop) {
  settleCropViewAtMouseUp(crop);
  updateCropFromCropRect(crop);
}
