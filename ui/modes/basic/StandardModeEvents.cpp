// The basic mode's preview and thumbnail mouse events (handed to the base's tools), the
// calibration start and the clearing of the preview that it and the tab hand-over use.

#include "kit/Event.h"
#include "ui/base/PostNotification.h"
#include "ui/controls/CTRLS_Preview.h"
#include "ui/controls/PreviewView.h"
#include "ui/controls/ThumbnailFrameView.h"
#include "ui/controls/ThumbnailPreviewView.h"
#include "ui/model/CropFrameViewLink.h"
#include "ui/model/CropInfo.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/modes/basic/StandardMode.h"
#include "ui/windows/MessageFunctions.h"

namespace {

std::shared_ptr<kit::Event> evtFromNotification(const fnd::Notification& n) {
  const fnd::Dictionary* info = n.info();
  if (!info || !info->contains(Quirel_PreviewView::kEventKey)) return nullptr;
  return info->get(Quirel_PreviewView::kEventKey).toObject<kit::Event>();
}

}  // namespace

void Quirel_StandardMode::observePreviewEvents() {
  if (!mPreview || !mPreview->getImageView()) return;
  const void* view = static_cast<const kit::View*>(mPreview->getImageView());
  registObserver(view, [this](const fnd::Notification& n) { ntf_mouseEventOnPreview(n); },
                 Quirel_PreviewView::kMouseEventPost);
  // The exit and cursor posts name the view itself.
  const void* self = mPreview->getImageView();
  registObserver(self, [this](const fnd::Notification& n) { ntf_mouseExitedOnPreview(n); },
                 Quirel_PreviewView::kMouseExitedPost);
  registObserver(self, [this](const fnd::Notification& n) { ntf_previewViewUpdateCursorRects(n); },
                 Quirel_PreviewView::kUpdateCursorRectsPost);
}


// ---- Calibration and clearing ---------------------------------------------------------------

void Quirel_StandardMode::calibrationStart(const fnd::Notification& n) {
  int mode = isFilmMode() ? 2 : 1;
  if (const fnd::Dictionary* info = n.info())
    if (info->get("CalibrationMode").isNumber()) mode = info->intValue("CalibrationMode");
  if (!clearPreviewWithMessageID(getCalibrationMassageID(mode), true)) return;
  setEnabledAllControl(false);
  Quirel_PostNotification(mCenter).postExternalNotificationName(
      "ExecuteCalibrationPost", outwardObject(), fnd::makeShared(fnd::Dictionary{{"CalibrationMode", mode}}));
  setEnabledAllControl(true);
}

bool Quirel_StandardMode::clearPreviewWithMessageID(int messageId, bool clearColorSetting) {
  if (!mTemplateCrop) return false;
  if (messageId != -1) {
    showModalDialog();
    const int answer = MES_ShowMessageAndNumberMainThreadMode(messageId, 0, 0, 0);
    closeModalDialog();
    if (answer == 0) return false;
  }
  mToolMode = 0;
  mZoomScan = false;
  if (isFilmMode()) {
    copyCropFromFocusToTemplate();
    if (Quirel_CropInfo* focus = getFocusCrop()) mTemplateCrop->setTempOutputSize(focus->getOutputSize());
    mClickCrop = nullptr;
    if (isThumbnailMode())
      removeThumbnails();
    else
      mCropList.clear();
    resetPreview(getPaperSizeWH_Pixel96(mTemplateCrop->getPaperSize()), true, false);
  } else if (isThumbnailMode()) {
    copyCropFromFocusToTemplate();
    updateCropByMagnification(*mTemplateCrop);
    mClickCrop = nullptr;
    removeThumbnails();
    resetPreview(getPaperSizeWH_Pixel96(0), true, false);
  } else {
    resetPreview(getPaperSizeWH_Pixel96(0), true, false);
    const int cropAfterPreview = mPreferenceInfo ? mPreferenceInfo->getCropAfterPrev() : 0;
    if (cropAfterPreview == 2) {
      copyCropFromFocusToTemplate();
      updateCropByMagnification(*mTemplateCrop);
      mTemplateCrop->setFixesRatio(false);
      mClickCrop = nullptr;
      mCropList.clear();
    } else if (cropAfterPreview != 0) {
      for (const auto& crop : mCropList)
        if (CropFrameViewLink* view = crop->getCropView()) view->setHidden(false);
    } else if (!mCropList.empty()) {
      // The focused frame is held here for the whole operation while the list is emptied
      // around it and a new frame is copied from it.
      std::shared_ptr<Quirel_CropInfo> kept;
      for (auto it = mCropList.rbegin(); it != mCropList.rend() && !kept; ++it)
        if ((*it)->isFocus()) kept = *it;
      mClickCrop = nullptr;
      mCropList.clear();
      if (kept) {
        const int n = kept->getOutputSize();
        if (n != 0) {
          if (Quirel_CropInfo* made = createCropWithView(fnd::Rect())) {
            copyCrop(*kept, *made, false);
            updateCropByOutputSize(n, *made, true);
            made->setSelect(true);
            setFocus(made);
            made->setLineStyle(1);
          }
        } else {
          copyCrop(*kept, *mTemplateCrop, false);
          updateCropByResolusion(mTemplateCrop->getResolution(), *mTemplateCrop);
          mTemplateCrop->setRatio(mTemplateCrop->getInputSize_Pixel96());
          mTemplateCrop->setFixesRatio(false);
        }
      }
    } else {
      mTemplateCrop->setRatio(mTemplateCrop->getInputSize_Pixel96());
      mTemplateCrop->setFixesRatio(false);
    }
  }
  auto tone = [&](Quirel_CropInfo& crop) {
    if (clearColorSetting)
      updateAutoToneByClearPreview(crop);
    else
      updateAutoToneByPreviewUpdate(crop);
  };
  tone(*mTemplateCrop);
  const CropList crops = mCropList;
  for (auto it = crops.rbegin(); it != crops.rend(); ++it) tone(**it);
  setHiddenToolbar_CropCount(static_cast<int>(mCropList.size()));
  if (mPreview) mPreview->setHiddenTitle(mHasPreview);
  updatePreviewArea();
  updateMouseCursorRects();
  setValueOfSelectedCrop(false);
  return true;
}

// ---- Mouse events ---------------------------------------------------------------------------

void Quirel_StandardMode::mouseMovedOnPreview(const fnd::Notification&) { setMouseCursor(); }

void Quirel_StandardMode::mouseExitedOnPreview(const fnd::Notification&) { setMouseCursor(); }

void Quirel_StandardMode::mouseEventOnPreview(const fnd::Notification& n) {
  const std::shared_ptr<kit::Event> event = evtFromNotification(n);
  if (!event || isADFMode() || (isFilmMode() && !mHasPreview)) return;
  const kit::EventType type = event->type();
  if (mToolMode == 0) {
    if (type == kit::EventType::LeftMouseDown) {
      mouseDownOnPreviewForCrop(*event);
    } else if (type == kit::EventType::LeftMouseDragged) {
      mouseDraggedOnPreviewForCrop(*event);
      if (!mOnlyClick) setValueOfSelectedCrop(true);
    } else if (type == kit::EventType::LeftMouseUp) {
      mouseUpOnPreviewForCrop(0);
      setValueOfSelectedCrop(false);
    }
  }
  if (type == kit::EventType::LeftMouseUp) setEnabledToolbar();
  setMouseCursor();
}

void Quirel_StandardMode::mouseEventOnThumbnail(const fnd::Notification& n) {
  const std::shared_ptr<kit::Event> event = evtFromNotification(n);
  if (!event) return;
  const int no = n.info()->intValue(Quirel_ThumbnailFrameView::kNoKey);
  const kit::EventType type = event->type();
  if (type == kit::EventType::LeftMouseDragged) {
    mouseDraggedOnThumbnailPreview(*event, no);
  } else if (type == kit::EventType::LeftMouseUp) {
    mouseUpOnThumbnailPreview(no, 0);
  } else if (type == kit::EventType::LeftMouseDown) {
    if (n.name == Quirel_ThumbnailFrameView::kMouseEventPost)
      mouseDownOnThumbnail(*event, no);
    else if (n.name == Quirel_ThumbnailPreviewView::kMouseEventPost)
      mouseDownOnThumbnailPreview(*event, no);
  }
  setMouseCursor();
  setValueOfSelectedCrop(false);
}

void Quirel_StandardMode::mouseEventOnPreviewFrameStd(const fnd::Notification& n) {
  const std::shared_ptr<kit::Event> event = evtFromNotification(n);
  if (!event || !isThumbnailMode() || !mHasPreview || mSelectAllThumbnail || mZoomScan) return;
  const kit::EventType type = event->type();
  if (type == kit::EventType::LeftMouseDown) {
    mouseDownOnPreviewFrame(*event);
  } else if (type == kit::EventType::LeftMouseDragged) {
    mouseDraggedOnPreviewFrame(*event);
  } else if (type == kit::EventType::LeftMouseUp) {
    mouseUpOnPreviewFrame();
    setValueOfSelectedCrop(false);
  }
}

void Quirel_StandardMode::ntf_mouseEventOnPreview(const fnd::Notification& n) { mouseEventOnPreview(n); }
void Quirel_StandardMode::ntf_mouseExitedOnPreview(const fnd::Notification& n) { mouseExitedOnPreview(n); }
void Quirel_StandardMode::ntf_previewViewUpdateCursorRects(const fnd::Notification& n) {
  previewViewUpdateCursorRects(n);
}
