// The basic mode's part in the main window's life (about to show, shown, about to close,
// closed), the tab's layout when it shows, and the feeder layout of the panel.

#include "kit/Window.h"
#include "ui/base/PostNotification.h"
#include "ui/controls/CTRLS_ImageSourcePopup.h"
#include "ui/controls/CTRLS_MainWindow.h"
#include "ui/controls/CTRLS_NextThumbnailButton.h"
#include "ui/controls/CTRLS_Preview.h"
#include "ui/controls/CTRLS_PreviewFrame.h"
#include "ui/controls/CTRLS_TOOLView.h"
#include "ui/controls/NoFocusImageView.h"
#include "ui/controls/NoFocusView.h"
#include "ui/controls/PreviewFrameView.h"
#include "ui/controls/ToolView.h"
#include "ui/model/CropFrameViewLink.h"
#include "ui/model/CropInfo.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/modes/basic/StandardMode.h"
#include "ui/modes/toolbar/Toolbar.h"
#include "ui/settings/InfoDialog.h"

namespace {

void stdWinShow(Quirel_CropInfo& crop, bool shown) {
  if (CropFrameViewLink* view = crop.getCropView()) view->setHidden(!shown);
}

void stdGrow(kit::View* view, double by) {
  if (!view) return;
  fnd::Rect frame = view->frame();
  frame.size.height += by;
  view->setFrame(frame);
}

}  // namespace

int Quirel_StandardMode::previewAtStart() const { return mPreferenceInfo ? mPreferenceInfo->getPrevStart() : 0; }

bool Quirel_StandardMode::isCalibrationEveryScan() {
  return panelVer(1400) && Quirel_BaseScanMode::isCalibrationEveryScan();
}

int Quirel_StandardMode::getImgSrcNumber() {
  return mImageSourcePopup && mImageSourcePopup->selected() >= 0 ? mImageSourcePopup->getRepresentedNumber()
                                                                 : mImageSource;
}

// ---- Tab ------------------------------------------------------------------------------------

void Quirel_StandardMode::showTab() {
  Quirel_MainWindow* window = mMainWindow ? mMainWindow->getWindow() : nullptr;
  const fnd::Rect content = window && window->contentView() ? window->contentView()->frame() : fnd::Rect();
  if (mToolbar && mToolbar->getToolbarView()) {
    Quirel_CTRLS_TOOLView* tools = mToolbar->getToolbarView();
    fnd::Rect frame = tools->getToolViewRect();
    frame.size.height = 40;
    frame.origin.y = content.origin.y + content.size.height - 45;
    tools->setToolViewRect(frame);
  }
  if (mPreviewFrame) {
    fnd::Rect frame = mPreviewFrame->getFrameViewRect();
    frame.size.height = content.origin.y + content.size.height - (40 + 10 + frame.origin.y);
    mPreviewFrame->setFrameViewRect(frame.origin.x, frame.origin.y, frame.size.width, frame.size.height);
  }
  setADFControl(isADFMode());
  setFrameStandardItem();
  createOutputSizeObjects();
  if (mPreviewFrame) mPreviewFrame->setHidden(false);
  if (mPreview) {
    mPreview->changeTitle(isADFMode(), isFilmMode());
    if (mHasPreview) mPreview->setHiddenTitle(true);
    mPreview->setHidden(isThumbnailMode());
  }
  if (mNextThumbnailBtn) mNextThumbnailBtn->setHidden(!(isThumbnailMode() && mZoomScan));
  updatePreviewArea();
  setDisableControlInTabview();
  setEnabledToolTips();
  setValueOfSelectedCrop(false);
}

void Quirel_StandardMode::didShowTabView() {
  setHiddenToolbar_CropCount(static_cast<int>(mCropList.size()));
  setEnabledToolbar();
  setFrameStandardItem();
}

void Quirel_StandardMode::setADFControl(bool adf) {
  if (!panelVer(1300) || adf == mADFLayout) return;
  const double shift = panelVer(1600) ? 0 : 30;
  auto show = [](kit::View* view, bool shown) {
    if (view) view->setHidden(!shown);
  };
  show(mImageSourceStep.view.get(), true);
  show(mPreviewStep.view.get(), !adf);
  show(mOutputSizeStep.view.get(), !adf);
  show(mAdjustCropStep.view.get(), !adf);
  show(mDestinationStep.view.get(), true);
  show(mScanStep.view.get(), true);
  show(mImageCorrectStep.view.get(), !adf || panelVer(1700));
  show(mScanStep.number.get(), !adf);
  show(mScanBtnNumImage_ADF.get(), adf);
  const double by = adf ? shift : -shift;
  for (kit::View* view : {static_cast<kit::View*>(mDestinationStep.view.get()),
                          static_cast<kit::View*>(mDestinationStep.line.get()),
                          static_cast<kit::View*>(mScanStep.view.get()), static_cast<kit::View*>(mScanStep.line.get())})
    stdGrow(view, by);
  mADFLayout = adf;
  setFrameStandardItem();
}

void Quirel_StandardMode::inputSourceChangePostToSM() {
  Quirel_PostNotification(mCenter).postExternalNotificationName(
      "changeInputSourcePost", outwardObject(),
      fnd::makeShared(fnd::Dictionary{{"InputSource", getInputSourceForPostToSM()}}));
}

// ---- Window life ----------------------------------------------------------------------------

void Quirel_StandardMode::willShowWindow() {
  showTab();
  if (previewAtStart() == 1 && mHasPreview) {
    Quirel_BaseScanMode::setEnabledMainWindow(false);
    const int threshold = mScannerInfo ? mScannerInfo->thresholdValue() : 0;
    // The kept preview is processed again; a request that did not go out gives the window back.
    if (!postPreviewWithScan(false, false, false, true, false, true, false, false, 0, threshold))
      Quirel_BaseScanMode::setEnabledMainWindow(true);
  }
}

void Quirel_StandardMode::didShowWindow(bool previewWanted) {
  const bool start = previewWanted && previewAtStart() == 0;
  if (!isThumbnailMode()) {
    if (start && !isADFMode()) {
      previewStart(nullptr);
      setValueOfSelectedCrop(false);
      return;
    }
    if (!start)
      for (auto it = mCropList.rbegin(); it != mCropList.rend(); ++it) stdWinShow(**it, true);
  } else if (start) {
    previewStart(nullptr);
    setValueOfSelectedCrop(false);
    return;
  }
  setValueOfSelectedCrop(false);
  if (Quirel_MainWindow* window = mMainWindow ? mMainWindow->getWindow() : nullptr) window->display();
}

void Quirel_StandardMode::postClearPreview() {
  Quirel_PostNotification(mCenter).postExternalNotificationName("Clear_Preview", outwardObject(), nullptr);
}

void Quirel_StandardMode::willCloseWindow() {
  if (!mTemplateCrop) return;
  const int v = previewAtStart();
  if (isThumbnailMode()) {
    if (v == 0 || v == 2) {
      copyCropFromFocusToTemplate();
      updateCropByMagnification(*mTemplateCrop);
      if (mHasPreview) {
        if (v == 0)
          if (Quirel_CropInfo* focus = getFocusCrop()) mTemplateCrop->setTempOutputSize(focus->getOutputSize());
        mClickCrop = nullptr;
        removeThumbnails();
      } else if (mHasNonThumPreview) {
        postClearPreview();
      }
      mHasPreview = false;
      mHasNonThumPreview = false;
      mZoomScan = false;
    } else if (!mHasPreview && mHasNonThumPreview) {
      postClearPreview();
      mHasPreview = false;
      mHasNonThumPreview = false;
    }
    return;
  }
  if (v != 0 && v != 2) return;
  if (isFilmMode() && mHasPreview)
    if (Quirel_CropInfo* focus = getFocusCrop()) mTemplateCrop->setTempOutputSize(focus->getOutputSize());
  resetPreview(getPaperSizeWH_Pixel96(mTemplateCrop->getPaperSize()), true, false);
  if (isFilmMode()) {
    copyCropFromFocusToTemplate();
    mClickCrop = nullptr;
    mCropList.clear();
    return;
  }
  const int cropAfterPreview = mPreferenceInfo ? mPreferenceInfo->getCropAfterPrev() : 0;
  if (cropAfterPreview == 2) {
    copyCropFromFocusToTemplate();
    updateCropByMagnification(*mTemplateCrop);
    mClickCrop = nullptr;
    mCropList.clear();
  } else if (cropAfterPreview == 0 && !mCropList.empty()) {
    // The focused frame is held here while the list is emptied around it.
    std::shared_ptr<Quirel_CropInfo> kept;
    for (auto it = mCropList.rbegin(); it != mCropList.rend() && !kept; ++it)
      if ((*it)->isFocus()) kept = *it;
    mClickCrop = nullptr;
    mCropList.clear();
    if (!kept) return;
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
      const SSizeDouble noted = mTemplateCrop->getInputRect_Pixel96().size;
      copyCrop(*kept, *mTemplateCrop, false);
      const SRectDouble input = mTemplateCrop->getInputRect_Pixel96();
      mTemplateCrop->setInputRect_Pixel96(input);
      mTemplateCrop->setOutputWidth_Pixel96(maltipleUnit(mTemplateCrop->getMagnification(), input.size.width));
      mTemplateCrop->setOutputHeight_Pixel96(maltipleUnit(mTemplateCrop->getMagnification(), input.size.height));
      mTemplateCrop->setRatio(noted);
    }
  }
}

void Quirel_StandardMode::closeWindow() {
  if (mInfoDialog && mInfoDialog->isVisible()) mInfoDialog->closeScanInfoDialog();
}
