// The advanced mode's part in the main window's life: the tab's layout when it shows, the
// preview at start, leaving for the basic or multi-scan tab, the close; and the few shared
// steps these need (the input source told to the scan module, clearing the preview, the feeder
// layout of the input box, the information panel of the toolbar).

#include "kit/Window.h"
#include "ui/adjust/ColorBalanceDialog.h"
#include "ui/adjust/FinalReviewDialog.h"
#include "ui/adjust/HistogramDialog.h"
#include "ui/adjust/ThresholdDialog.h"
#include "ui/adjust/ToneBCDialog.h"
#include "ui/adjust/ToneCurveDialog.h"
#include "ui/base/PostNotification.h"
#include "ui/controls/CTRLS_MainWindow.h"
#include "ui/controls/CTRLS_NextThumbnailButton.h"
#include "ui/controls/CTRLS_Preview.h"
#include "ui/controls/CTRLS_PreviewFrame.h"
#include "ui/controls/CTRLS_TOOLView.h"
#include "ui/controls/MainWindow.h"
#include "ui/controls/PreviewFrameView.h"
#include "ui/controls/ToolView.h"
#include "ui/model/CropFrameViewLink.h"
#include "ui/model/CropInfo.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/modes/advanced/ExtendMode.h"
#include "ui/modes/advanced/ExtendModeControls.h"
#include "ui/modes/toolbar/Toolbar.h"
#include "ui/settings/InfoDialog.h"

namespace {

int extPrevStart(const Quirel_PreferenceInfo* preferences) { return preferences ? preferences->getPrevStart() : 0; }

SSizeDouble extSwapped(SSizeDouble size, bool swap) {
  return swap ? SSizeDouble{size.height, size.width} : size;
}

}  // namespace

// ---- The input source ------------------------------------------------------------------------

int Quirel_ExtendMode::inputSourceForImageSource(int imageSource) {
  static constexpr int kTable[] = {0, 3, 4, 5, 6, 1, 2};
  return imageSource >= 0 && imageSource < 7 ? kTable[imageSource] : 0;
}

int Quirel_ExtendMode::getInputSourceForPostToSM() const { return inputSourceForImageSource(mImageSource); }

void Quirel_ExtendMode::inputSourceChangePostToSM() {
  Quirel_PostNotification(mCenter).postExternalNotificationName(
      "changeInputSourcePost", outwardObject(),
      fnd::makeShared(fnd::Dictionary{{"InputSource", getInputSourceForPostToSM()}}));
}

// ---- The feeder layout ------------------------------------------------------------------------

void Quirel_ExtendMode::setADFControl(bool adfLayout, int orientation) {
  const bool newer = ver(&Quirel_UIScannerInfo::isVer1300Later);
  auto show = [](kit::View* view, bool shown) {
    if (view) view->setHidden(!shown);
  };
  if (adfLayout) {
    show(mOrientationView.get(), true);
    if (mOrientationBtn) mOrientationBtn->changeImage(orientation != 0);
  } else {
    show(mOrientationView.get(), false);
  }
  if (mADFLayout != adfLayout) {
    show(mPaperSizeView.get(), true);
    show(mOutputSizeView.get(), !adfLayout);
    if (adfLayout) show(mFilmSizeView.get(), false);
    if (newer) {
      if (mZoomBtn) mZoomBtn->setHidden(adfLayout);
      if (mPrevBtn) mPrevBtn->setHidden(adfLayout);
    } else {
      show(mOutputWHView.get(), !adfLayout);
    }
    if (mPreview) {
      if (adfLayout) mPreview->setHidden(false);
      if (newer)
        mPreview->changeTitle(adfLayout, false);
      else
        mPreview->changeTitle(isADFMode(), isFilmMode());
      mPreview->setHiddenTitle(!adfLayout);
    }
    mADFLayout = adfLayout;
  }
  setFrameExtendItem();
  const ImgSrcSetting* record = getImgSrcSettingAtIndex(mImageSource);
  const SSizeDouble size = getPaperSizeWH_Pixel96(record ? record->paperSize : 0);
  resetPreview(extSwapped(size, isADFMode() && mADFDirection == 1), true, false);
}

// ---- Clearing the preview ---------------------------------------------------------------------

bool Quirel_ExtendMode::clearPreviewWithMessageID(int message, bool clearColorSetting) {
  if (message != -1 && showMessage(message) == 0) return false;
  if (mToolMode == 3 && mHistogramDialog) mHistogramDialog->spoitToolStop();
  mToolMode = 0;
  mZoomScan = false;
  const ImgSrcSetting* record = getImgSrcSettingAtIndex(mImageSource);
  const SSizeDouble paper = getPaperSizeWH_Pixel96(record ? record->paperSize : 0);
  if (!mTemplateCrop) return false;
  Quirel_CropInfo& templ = *mTemplateCrop;

  if (isFilmMode()) {
    Quirel_CropInfo* focus = getFocusCrop();
    const int focusSize = focus ? focus->getOutputSize() : 0;
    copyCropFromFocusToTemplate();
    updateCropByMagnification(100, templ);
    templ.setExposure(false);
    templ.setExposureValue(100);
    if (focus) templ.setTempOutputSize(focusSize);
    mClickCrop = nullptr;
    if (isThumbnailMode())
      removeThumbnails();
    else
      mCropList.clear();
    resetPreview(paper, true, false);
  } else if (isThumbnailMode()) {
    copyCropFromFocusToTemplate();
    updateCropByMagnification(100, templ);
    mClickCrop = nullptr;
    removeThumbnails();
    resetPreview(paper, true, false);
  } else {
    if (mMultiCrop) {
      updateCropsByEndMultiCrop();
      CropList kept;
      for (const auto& crop : mCropList) {
        if (crop->isMultiCrop()) continue;
        if (CropFrameViewLink* view = crop->getCropView()) view->setHidden(false);
        kept.push_back(crop);
      }
      mCropList = std::move(kept);
      mMultiCrop = false;
    }
    resetPreview(paper, true, false);
    if (isADFMode()) {
      mADFDirection = 0;
      mADFBinding = 0;
      if (mOrientationBtn) mOrientationBtn->changeImage(false);
      templ.setInputSize_Pixel96(paper.width, paper.height);
      templ.setOutputSize_Pixel96(paper);
    }
    auto templateToFreeSize = [&] {
      templ.setRatio(templ.getInputSize_Pixel96());
      templ.setFixesRatio(false);
      updateCropByMagnification(100, templ);
    };
    const int afterPreview = mPreferenceInfo ? mPreferenceInfo->getCropAfterPrev() : 0;
    if (afterPreview == 2) {
      copyCropFromFocusToTemplate();
      templateToFreeSize();
      mClickCrop = nullptr;
      mCropList.clear();
    } else if (afterPreview == 1) {
      for (const auto& crop : mCropList)
        if (CropFrameViewLink* view = crop->getCropView()) view->setHidden(false);
    } else if (!mCropList.empty()) {
      std::shared_ptr<Quirel_CropInfo> kept;
      for (auto it = mCropList.rbegin(); it != mCropList.rend() && !kept; ++it)
        if ((*it)->isFocus()) kept = *it;
      mClickCrop = nullptr;
      mCropList.clear();
      if (kept && kept->getOutputSize() != 0) {
        if (Quirel_CropInfo* crop = createCropWithView(fnd::Rect())) {
          copyCrop(*kept, *crop, true);
          updateCropByOutputSize(kept->getOutputSize(), *crop, true);
          crop->setSelect(true);
          setFocus(crop);
          crop->setLineStyle(1);
        }
      } else {
        if (kept) copyCrop(*kept, templ, true);
        updateCropByResolusion(templ.getResolution(), templ);
        templateToFreeSize();
      }
    } else {
      templateToFreeSize();
    }
  }

  if (clearColorSetting) {
    updateAutoToneByClearPreview(templ);
    for (const auto& crop : mCropList) updateAutoToneByClearPreview(*crop);
  } else {
    updateAutoToneByPreviewUpdate(templ);
  }
  setHiddenToolbar(mScanMode, static_cast<int>(mCropList.size()));
  setEnabledToolbar();
  mFavorite = 0;
  setMenuItem_FavoritePopupBT();
  mToneCurve = 0;
  updateMouseCursorRects();
  setValueOfSelectedCrop(0);
  return true;
}

// ---- The tab ----------------------------------------------------------------------------------

void Quirel_ExtendMode::showTab() {
  Quirel_CropInfo* crop = getFocusCrop();
  if (!crop) crop = mTemplateCrop.get();
  int colorMode = getCurrentColorMode();
  if (crop) {
    if (ImgSrcSetting* record = getImgSrcSettingAtIndex(mImageSource)) {
      record->paperSize = crop->getPaperSize();
      record->colorMode[colorModeSlot(mImageSource)] = crop->getColorMode();
    }
    colorMode = crop->getColorMode();
  }
  Quirel_MainWindow* window = mMainWindow ? mMainWindow->getWindow() : nullptr;
  const fnd::Rect content = window && window->contentView() ? window->contentView()->frame() : fnd::Rect();
  const double top = content.origin.y + content.size.height;
  if (mToolbar && mToolbar->getToolbarView()) {
    Quirel_CTRLS_TOOLView* tools = mToolbar->getToolbarView();
    fnd::Rect frame = tools->getToolViewRect();
    frame.size.height = 55;
    frame.origin.y = top - 60;
    tools->setToolViewRect(frame);
    mToolbar->setToolViewWidth(frame.size.width);
  }
  if (mPreviewFrame) {
    const fnd::Rect frame = mPreviewFrame->getFrameViewRect();
    mPreviewFrame->setFrameViewRect(frame.origin.x, frame.origin.y, frame.size.width,
                                    top - (55 + 10 + frame.origin.y));
  }
  setHiddenToolbar(mScanMode, static_cast<int>(mCropList.size()));
  setEnabledToolbar();
  if (isADFMode()) setADFControl(true, mADFDirection);
  setFrameExtendItem();
  setMenuItem_FavoritePopupBT();
  setMenuItem_OutputSizePopupBT();
  setMenuItem_ToneCurvePopupBT(colorMode);
  if (mPreviewFrame) mPreviewFrame->setHidden(false);
  if (mPreview) {
    mPreview->changeTitle(isADFMode(), isFilmMode());
    mPreview->setHiddenTitle(!isADFMode());
    mPreview->setHidden(isThumbnailMode());
  }
  if (mNextThumbnailBtn) mNextThumbnailBtn->setHidden(!(isThumbnailMode() && mZoomScan));
  updatePreviewArea();
  setDisableControlInTabview();
  setEnabledToolTips();
  setValueOfSelectedCrop(0);
}

void Quirel_ExtendMode::didShowTabView() {
  setFrameExtendItem();
  setValueOfSelectedCrop(0);
}

// ---- The window shown -------------------------------------------------------------------------

void Quirel_ExtendMode::willShowWindow() {
  showTab();
  if (extPrevStart(mPreferenceInfo.get()) != 1 || !mHasPreview) return;
  Quirel_BaseScanMode::setEnabledMainWindow(false);
  const bool thumbnails = isThumbnailMode();
  const int templateMode = mTemplateCrop ? mTemplateCrop->getColorMode() : 0;
  const int threshold = mScannerInfo ? mScannerInfo->thresholdValue() : 0;
  // A request that did not go out gives the window back.
  if (!postPreviewWithScan(false, thumbnails ? false : mZoomScan, !thumbnails, true, !isAlwaysAutoTone(templateMode),
                           true, false, false, 0, threshold))
    Quirel_BaseScanMode::setEnabledMainWindow(true);
}

void Quirel_ExtendMode::didShowWindow(bool current) {
  showImageDialogs(getCurrentColorMode());
  if (mInfoDialog && mInfoDialog->isHidden()) {
    mInfoDialog->setLLDVersionStr(mLLDversionStr ? mLLDversionStr->c_str() : nullptr);
    mInfoDialog->setInterfaceStr(mInterfaceStr ? mInterfaceStr->c_str() : nullptr);
    mInfoDialog->setDriverVersionStr(mDriverVersionStr ? mDriverVersionStr->c_str() : nullptr);
    mInfoDialog->setHidden(false);
    mInfoDialog->setHasOpened(true);
    mInfoDialog->showScanInfoDialog();
  }
  Quirel_MainWindow* window = mMainWindow ? mMainWindow->getWindow() : nullptr;
  if (window) window->makeKeyWindow();
  const bool start = current && extPrevStart(mPreferenceInfo.get()) == 0;
  const fnd::Notification none{"", nullptr};
  if (start && (isThumbnailMode() || !isADFMode())) {
    previewStart(none);
    setEnabledToolbar();
    setValueOfSelectedCrop(0);
    return;
  }
  if (!start && !isThumbnailMode()) {
    for (auto it = mCropList.rbegin(); it != mCropList.rend(); ++it)
      if (CropFrameViewLink* view = (*it)->getCropView()) view->setHidden(mZoomScan && !(*it)->isFocus());
  }
  setEnabledToolbar();
  setValueOfSelectedCrop(0);
  if (window) window->display();
}

// ---- Leaving the tab --------------------------------------------------------------------------

void Quirel_ExtendMode::setDisabledAllTextField() {
  if (mInSizeWTextF) mInSizeWTextF->setEnabled(false);
  if (mInSizeHTextF) mInSizeHTextF->setEnabled(false);
  if (mResComboBox) mResComboBox->setEnabled(false);
  if (mOutSizeWTextF) mOutSizeWTextF->setEnabled(false);
  if (mOutSizeHTextF) mOutSizeHTextF->setEnabled(false);
  if (mMagnification) mMagnification->setEnabled(false);
  if (mExposureField) mExposureField->setEnabled(false);
}

bool Quirel_ExtendMode::willChangeToStandardMode() {
  setDisabledAllTextField();
  mClickCrop = nullptr;
  if (isThumbnailMode()) {
    removeThumbnails();
    if (mPreview) mPreview->removeImage();
  } else {
    mCropList.clear();
    if (mPreview) {
      mPreview->removeImage();
      mPreview->setHidden(true);
    }
  }
  closeModelessDialogs(false);
  setDefaultSetting(nullptr);
  return true;
}

bool Quirel_ExtendMode::willChangeToMultiScanMode() {
  if (ver(&Quirel_UIScannerInfo::isVer1500Later)) {
    clearPreviewWithMessageID(-1, true);
    if (isFilmMode()) {
      const bool v16 = ver(&Quirel_UIScannerInfo::isVer1600Later);
      setDefaultSettingAtFilmWithResetColorFilm(v16, v16);
    } else if (isADFMode()) {
      setDefaultSettingAtADF();
    } else {
      setDefaultSettingAtPlaten();
    }
    setDisabledAllTextField();
  } else if (!isThumbnailMode()) {
    if (mToolMode == 3 && mHistogramDialog && mHistogramDialog->isVisible()) mHistogramDialog->spoitToolStop();
    if (mZoomRate != 0) {
      mZoomRate = 0;
      resizePreviewSize(getSZoomRate(0));
      if (mPreview)
        mPreview->setTransform(makeTransform(getSRotationRate(mRotation), mMirror,
                                             mPreview->getImageViewRect().size),
                               mRotation);
    }
    mToolMode = 0;
  }
  if (mPreview) mPreview->setHidden(true);
  if (mPreviewFrame) mPreviewFrame->setHidden(true);
  closeModelessDialogs(false);
  return true;
}

void Quirel_ExtendMode::didChangeToMultiScanMode() {
  if (mMultiCrop) toolMultiCropButtonClick(fnd::Notification{"", nullptr});
}

// ---- The close --------------------------------------------------------------------------------

void Quirel_ExtendMode::willCloseWindow() {
  if (mMultiCrop) {
    updateCropsByEndMultiCrop();
    mMultiCrop = false;
  }
  const int prevStart = extPrevStart(mPreferenceInfo.get());
  if (prevStart == 0 || prevStart == 2) {
    clearPreviewWithMessageID(-1, false);
  } else if (isThumbnailMode() && !mHasPreview && mHasNonThumPreview) {
    Quirel_PostNotification(mCenter).postExternalNotificationName("Clear_Preview", outwardObject(), nullptr);
    mHasPreview = false;
    mHasNonThumPreview = false;
  }
  if (mThresholdDialog && mThresholdDialog->isVisible()) mThresholdDialog->willCloseDlg();
  if (mToneBCDialog && mToneBCDialog->isVisible()) mToneBCDialog->willCloseDlg();
  if (mHistogramDialog && mHistogramDialog->isVisible()) mHistogramDialog->willCloseDlg();
  if (mColorBalanceDialog && mColorBalanceDialog->isVisible()) mColorBalanceDialog->willCloseDlg();
}

void Quirel_ExtendMode::closeWindow() {
  if (mInfoDialog && mInfoDialog->isVisible()) mInfoDialog->closeScanInfoDialog();
  if (mToneCurveDialog && mToneCurveDialog->isVisible()) mToneCurveDialog->close();
  if (mThresholdDialog && mThresholdDialog->isVisible()) mThresholdDialog->close();
  if (mFinalReviewDialog && mFinalReviewDialog->isVisible()) mFinalReviewDialog->close();
  if (mToneBCDialog && mToneBCDialog->isVisible()) mToneBCDialog->close();
  if (mHistogramDialog && mHistogramDialog->isVisible()) mHistogramDialog->close();
  if (mColorBalanceDialog && mColorBalanceDialog->isVisible()) mColorBalanceDialog->closeColorBalanceDialog();
}
