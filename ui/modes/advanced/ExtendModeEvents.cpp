// The advanced mode's mouse events on the preview, on the thumbnails and on the frames around
// them, the option and delete keys, the thumbnail arrows and the simple toolbar actions. Every
// change of the crops by hand clears the favourite and tone-setting choices.

#include "kit/Event.h"
#include "ui/adjust/FinalReviewDialog.h"
#include "ui/adjust/HistogramDialog.h"
#include "ui/controls/PreviewView.h"
#include "ui/controls/ThumbnailFrameView.h"
#include "ui/controls/ThumbnailPreviewView.h"
#include "ui/model/CropInfo.h"
#include "ui/model/ThumbnailInfo.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/modes/advanced/ExtendMode.h"

namespace {

std::shared_ptr<kit::Event> extEventOf(const fnd::Notification& n) {
  const fnd::Dictionary* info = n.info();
  if (!info || !info->contains(Quirel_PreviewView::kEventKey)) return nullptr;
  return info->get(Quirel_PreviewView::kEventKey).toObject<kit::Event>();
}

}  // namespace

void Quirel_ExtendMode::clearChoices() {
  mFavorite = 0;
  mToneCurve = 0;
}

void Quirel_ExtendMode::stopSpoitTool() {
  if (mToolMode == 3 && mHistogramDialog && mHistogramDialog->isVisible()) {
    mHistogramDialog->spoitToolStop();
    mToolMode = 0;
  }
}

// ---- the preview ------------------------------------------------------------------------------

void Quirel_ExtendMode::mouseEventOnPreview(const fnd::Notification& n) {
  const std::shared_ptr<kit::Event> event = extEventOf(n);
  if (!event || isADFMode() || (isFilmMode() && !mHasPreview)) return;
  const kit::EventType type = event->type();
  if (type == kit::EventType::LeftMouseDown) {
    if (mMultiCrop) {
      mouseDownOnPreviewForMultiCrop(*event);
    } else {
      switch (mToolMode) {
        case 0: mouseDownOnPreviewForCrop(*event); break;
        case 1: mouseDownOnPreviewForHand(*event); break;
        case 2: mouseDownOnPreviewForZoom(*event); break;
        case 3: mouseDownOnPreviewForSpoit(*event); break;
        default: break;
      }
    }
  } else if (type == kit::EventType::LeftMouseDragged) {
    if (mMultiCrop) {
      mouseDraggedOnPreviewForMultiCrop();
    } else if (mToolMode == 1) {
      mouseDraggedOnPreviewForHand(*event);
    } else if (mToolMode == 3) {
      mouseDraggedOnPreviewForSpoit(*event);
    } else if (mToolMode == 0) {
      // Even a drag that changes no crop counts as a change by hand.
      clearChoices();
      const bool onlyClick = mOnlyClick;
      mouseDraggedOnPreviewForCrop(*event);
      if (!onlyClick) setValueOfSelectedCrop(true);
    }
  } else if (type == kit::EventType::LeftMouseUp) {
    if (mMultiCrop) {
      mouseUpOnPreviewForMultiCrop();
    } else if (mToolMode == 1) {
      mouseUpOnPreviewForHand();
    } else if (mToolMode == 2) {
      mouseUpOnPreviewForZoom();
    } else if (mToolMode == 3) {
      mouseUpOnPreviewForSpoit();
    } else if (mToolMode == 0) {
      const bool keepZoomView = ver(&Quirel_UIScannerInfo::isVer1700Later) && finalIsVisible() && mOnlyClick;
      if (!keepZoomView && mFinalReviewDialog) mFinalReviewDialog->zoomViewHidden();
      const Quirel_CropInfo* before = getFocusCrop();
      mIgnoreKey = true;
      mouseUpOnPreviewForCrop(1);
      // A release that sent a new preview stays in progress until that preview ends; any other
      // is over now, and the delete key works again.
      if (!(mHasPreview && mOriginalScan)) mIgnoreKey = false;
      const Quirel_CropInfo* after = getFocusCrop();
      if (after && after != before) clearChoices();
      setValueOfSelectedCrop(false);
    }
    setEnabledToolbar();
  }
  setMouseCursor();
  setEnabledMouseDownOnControl(true);
  setFocusAllNumberF(true);
}

void Quirel_ExtendMode::mouseExitedOnPreview(const fnd::Notification&) { setMouseCursor(); }

void Quirel_ExtendMode::optionKeyDown(const fnd::Notification&) {
  mOptionKey = true;
  setMouseCursor();
}

void Quirel_ExtendMode::optionKeyUp(const fnd::Notification&) {
  mOptionKey = false;
  setMouseCursor();
}

void Quirel_ExtendMode::previewViewUpdateCursorRects(const fnd::Notification& n) {
  Quirel_BaseScanMode::previewViewUpdateCursorRects(n);
}

// ---- thumbnails and the frames around them --------------------------------------------------------

void Quirel_ExtendMode::mouseEventOnThumbnail(const fnd::Notification& n) {
  const std::shared_ptr<kit::Event> event = extEventOf(n);
  if (!event) return;
  const int k = n.info()->intValue(Quirel_ThumbnailFrameView::kNoKey);
  const kit::EventType type = event->type();
  if (type == kit::EventType::LeftMouseDown) {
    if (n.name == Quirel_ThumbnailFrameView::kMouseEventPost) {
      const Quirel_CropInfo* before = getFocusCrop();
      mouseDownOnThumbnail(*event, k);
      if (mZoomScan) {
        for (auto it = mThumbnailList.rbegin(); it != mThumbnailList.rend(); ++it)
          if (!(*it)->isZoom()) (*it)->setSelected(false);
      }
      if (getFocusCrop() != before) {
        clearChoices();
        if (mToolMode == 3) {
          if (mHistogramDialog) mHistogramDialog->spoitToolStop();
          mToolMode = 0;
        }
      }
      updateMouseCursorRects();
    } else if (n.name == Quirel_ThumbnailPreviewView::kMouseEventPost) {
      if (mToolMode == 0) mouseDownOnThumbnailPreview(*event, k);
      if (mToolMode == 3) mouseDownOnThumbnailPreviewForSpoit(*event, k);
    }
    setValueOfSelectedCrop(false);
  } else if (type == kit::EventType::LeftMouseDragged) {
    if (mToolMode == 0) {
      clearChoices();
      mouseDraggedOnThumbnailPreview(*event, k);
    } else if (mToolMode == 3) {
      mouseDraggedOnThumbnailPreviewForSpoit(*event, k);
    }
    setValueOfSelectedCrop(true);
  } else if (type == kit::EventType::LeftMouseUp) {
    if (mToolMode == 0) {
      const Quirel_CropInfo* before = getFocusCrop();
      const bool hadView = before && before->hasCropView();
      mouseUpOnThumbnailPreview(k, 1);
      const Quirel_CropInfo* after = getFocusCrop();
      if (after && (after != before || after->hasCropView() != hadView)) clearChoices();
    } else if (mToolMode == 3) {
      mouseUpOnThumbnailPreviewForSpoit(*event, k);
    }
    setValueOfSelectedCrop(false);
  }
  updateMouseCursorRects();
  setMouseCursor();
}

void Quirel_ExtendMode::mouseEventOnPreviewFrameExt(const fnd::Notification& n) {
  const std::shared_ptr<kit::Event> event = extEventOf(n);
  if (!event || !isThumbnailMode() || !mHasPreview || mZoomScan) return;
  const kit::EventType type = event->type();
  if (type == kit::EventType::LeftMouseDown) {
    mouseDownOnPreviewFrame(*event);
  } else if (type == kit::EventType::LeftMouseDragged) {
    mouseDraggedOnPreviewFrame(*event);
  } else if (type == kit::EventType::LeftMouseUp) {
    if (mouseUpOnPreviewFrame()) clearChoices();
    setValueOfSelectedCrop(false);
  }
}

void Quirel_ExtendMode::backThumbnail(const fnd::Notification&) {
  showBackThumbnail();
  clearChoices();
  stopSpoitTool();
  setValueOfSelectedCrop(false);
}

void Quirel_ExtendMode::nextThumbnail(const fnd::Notification&) {
  showNextThumbnail();
  clearChoices();
  stopSpoitTool();
  setValueOfSelectedCrop(false);
}

// ---- deleting crops ------------------------------------------------------------------------------

void Quirel_ExtendMode::deleteSelectedCrops(bool byKey) {
  deleteCrops();
  setEnabledToolbar();
  clearChoices();
  setValueOfSelectedCrop(false);
  if (mMultiCrop) {
    if (!mCropList.empty()) remakeMultiCropButtonByPreview();
  } else {
    RemakeDeleteCropPostByPreview(1);
    if (mCropList.size() == 1) updateFocusCropPostByPreview(1, mHasPreview, 1);
  }
  setValueOfSelectedCrop(false);
  if (byKey) {
    setEnabledMouseDownOnControl(true);
    setFocusAllNumberF(true);
  }
}

void Quirel_ExtendMode::deleteKeyDownOnPreview(const fnd::Notification&) {
  if (isThumbnailMode() || mCropList.empty() || mZoomScan) return;
  // A key that arrives while a crop-tool release is being handled is dropped at once; the
  // main thread is never put to sleep for it.
  if (mIgnoreKey) return;
  deleteSelectedCrops(true);
}

void Quirel_ExtendMode::toolDeleteCropButtonClick(const fnd::Notification&) {
  if (mZoomScan) return;
  deleteSelectedCrops(false);
  setValueOfSelectedCrop(false);
}

// ---- the simple toolbar actions ---------------------------------------------------------------------

void Quirel_ExtendMode::toolClearPrevButtonClick(const fnd::Notification&) {
  clearPreviewWithMessageID(1003, true);
}

void Quirel_ExtendMode::toolMirrorButtonClick(const fnd::Notification&) {
  mirrorImage();
  setValueOfSelectedCrop(true);
}

void Quirel_ExtendMode::toolLeftRotateButtonClick(const fnd::Notification&) {
  rotateToLeft();
  setValueOfSelectedCrop(true);
}

void Quirel_ExtendMode::toolRightRotateButtonClick(const fnd::Notification&) {
  rotateToRight();
  setValueOfSelectedCrop(true);
}

void Quirel_ExtendMode::toolSelectAllCropButtonClick(const fnd::Notification&) {
  selectAllCrops();
  clearChoices();
  setValueOfSelectedCrop(false);
}

void Quirel_ExtendMode::toolSelectAllFrameButtonClick(const fnd::Notification&) {
  selectAllFrames(true);
  clearChoices();
  setValueOfSelectedCrop(false);
}

void Quirel_ExtendMode::toolAllCheckButtonClick(const fnd::Notification&) { checkAllFrames(true); }

void Quirel_ExtendMode::toolAllCheckResetButtonClick(const fnd::Notification&) { checkAllFrames(false); }

void Quirel_ExtendMode::toolCropButtonClick(const fnd::Notification&) {
  stopSpoitTool();
  mToolMode = 0;
  setValueOfSelectedCrop(false);
}

void Quirel_ExtendMode::toolHandButtonClick(const fnd::Notification&) {
  stopSpoitTool();
  mToolMode = 1;
  setValueOfSelectedCrop(false);
}

void Quirel_ExtendMode::toolZoomButtonClick(const fnd::Notification&) {
  stopSpoitTool();
  mToolMode = 2;
  setValueOfSelectedCrop(false);
}
