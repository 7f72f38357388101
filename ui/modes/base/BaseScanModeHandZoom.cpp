// The hand tool that scrolls an enlarged preview, the zoom tool that steps its magnification
// about the click, the selection of multi-crop frames, and select all and check all.

#include <cmath>

#include "kit/ClipView.h"
#include "kit/Event.h"
#include "ui/controls/CTRLS_Preview.h"
#include "ui/controls/CTRLS_PreviewFrame.h"
#include "ui/controls/PreviewScrollView.h"
#include "ui/controls/PreviewView.h"
#include "ui/model/CropInfo.h"
#include "ui/model/ThumbnailInfo.h"
#include "ui/modes/base/BaseScanMode.h"

void Quirel_BaseScanMode::mouseDownOnPreviewForHand(const kit::Event& event) {
  takeFirstResponder(previewImageView());
  const fnd::Point window = event.locationInWindow();
  mMouseStart = {window.x, window.y};
  mScrollPoint = {0, 0};
  if (mPreview) {
    if (const kit::ClipView* clip = mPreview->getScrollView()->contentView()) {
      const fnd::Point origin = clip->bounds().origin;
      mScrollPoint = {origin.x, origin.y};
    }
  }
}

void Quirel_BaseScanMode::mouseDraggedOnPreviewForHand(const kit::Event& event) {
  Quirel_PreviewView* view = previewImageView();
  if (!view) return;
  const fnd::Point l = event.locationInWindow();
  view->scrollPoint({mMouseStart.x - l.x + mScrollPoint.x, mMouseStart.y - l.y + mScrollPoint.y});
}

void Quirel_BaseScanMode::mouseUpOnPreviewForHand() {
  mMouseStart = {0, 0};
  mScrollPoint = {0, 0};
}

void Quirel_BaseScanMode::mouseDownOnPreviewForZoom(const kit::Event& event) {
  mOnlyClick = true;
  Quirel_PreviewView* view = previewImageView();
  if (!view) return;
  takeFirstResponder(view);
  const fnd::Point p = view->convertPointFromView(event.locationInWindow(), nullptr);
  if (optionKeyIn(event.modifierFlags())) mOptionKey = true;
  const double oldRate = getSZoomRate(mZoomRate);
  if (mOptionKey) {
    if (mZoomRate <= 0) return;
    --mZoomRate;
  } else {
    if (mZoomRate >= 4) return;
    ++mZoomRate;
  }
  const double newRate = getSZoomRate(mZoomRate);
  resizePreviewSize(newRate);
  const fnd::Rect image = mPreview->getImageViewRect();
  const double angle = getSRotationRate(mRotation);
  mPreview->setTransform(makeTransform(angle, mMirror, image.size), static_cast<int>(angle));
  const fnd::Point scaled{p.x * newRate / oldRate, p.y * newRate / oldRate};
  const fnd::Rect visible = view->visibleRect();
  view->scrollPoint({std::floor(scaled.x - visible.size.width / 2), std::floor(scaled.y - visible.size.height / 2)});
  if (mPreviewFrame) mPreviewFrame->updateDisplay();
}

void Quirel_BaseScanMode::mouseUpOnPreviewForZoom() {
  mMouseStart = {0, 0};
  mClickCrop = nullptr;
  mCommndKey = false;
  mOnlyClick = false;
}

void Quirel_BaseScanMode::mouseDownOnPreviewForMultiCrop(const kit::Event& event) {
  mOnlyClick = true;
  Quirel_PreviewView* view = previewImageView();
  if (!view) return;
  takeFirstResponder(view);
  const fnd::Point p = view->convertPointFromView(event.locationInWindow(), nullptr);
  if (commandKeyIn(event.modifierFlags())) mCommndKey = true;
  mClickCrop = getMultiCropInPoint(p);
}

void Quirel_BaseScanMode::mouseDraggedOnPreviewForMultiCrop() {
  // Multi-crop frames come from the scanner's detection: a drag never moves them.
  mOnlyClick = false;
}

void Quirel_BaseScanMode::mouseUpOnPreviewForMultiCrop() {
  if (Quirel_CropInfo* crop = mClickCrop) {
    auto select = [](Quirel_CropInfo& c, bool on) {
      c.setSelect(on);
      if (CropFrameViewLink* view = c.getCropView()) view->runTimer(on);
    };
    if (mCommndKey) {
      select(*crop, !crop->isSelected());
    } else {
      select(*crop, true);
      for (auto it = mCropList.rbegin(); it != mCropList.rend(); ++it)
        if (it->get() != crop && (*it)->isMultiCrop()) select(**it, false);
    }
  }
  if (mPreview) mPreview->updateDisplay();
  mClickCrop = nullptr;
  mCommndKey = false;
  mOnlyClick = false;
}

void Quirel_BaseScanMode::selectAllCrops() {
  if (mCropList.empty()) return;
  for (const auto& crop : mCropList) {
    if (mMultiCrop) {
      if (!crop->isMultiCrop()) continue;
      crop->setSelect(true);
      if (CropFrameViewLink* view = crop->getCropView()) view->runTimer(true);
    } else {
      crop->setSelect(true);
      crop->setLineStyle(1);
      crop->setCropMode(0);
    }
  }
  if (mPreviewFrame) mPreviewFrame->updateDisplay();
}

void Quirel_BaseScanMode::selectAllFrames(bool select) {
  if (mThumbnailList.empty()) return;
  for (const auto& thumbnail : mThumbnailList) {
    if (select)
      thumbnail->setSelected(true);
    else if (!thumbnail->isFocus())
      thumbnail->setSelected(false);
  }
  if (mPreviewFrame) mPreviewFrame->updateDisplay();
}

void Quirel_BaseScanMode::checkAllFrames(bool check) {
  if (!inThumbnailMode()) return;
  for (const auto& thumbnail : mThumbnailList) thumbnail->setChecked(check);
  if (mPreviewFrame) mPreviewFrame->updateDisplay();
}
