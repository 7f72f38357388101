// The basic panel brought in line with one crop: the values shown, the rows visible, the
// controls usable; the whole window switched off while a request runs; the information panel.

#include "kit/Window.h"
#include "ui/base/PVLocalizedString.h"
#include "ui/controls/CTRLS_ColorPatternButton.h"
#include "ui/controls/CTRLS_DestinationPopup.h"
#include "ui/controls/CTRLS_ImageSourcePopup.h"
#include "ui/controls/CTRLS_MainWindow.h"
#include "ui/controls/CTRLS_OutputSizePopup.h"
#include "ui/controls/CTRLS_Preview.h"
#include "ui/controls/CTRLS_PushButton.h"
#include "ui/controls/CTRLS_STDCheckBox.h"
#include "ui/controls/CTRLS_STDDirectionButton.h"
#include "ui/controls/CTRLS_STDPreviewButton.h"
#include "ui/controls/CTRLS_STDScanButton.h"
#include "ui/controls/DisabledView.h"
#include "ui/controls/NoFocusView.h"
#include "ui/controls/PreviewView.h"
#include "ui/model/CropFrameViewLink.h"
#include "ui/model/CropInfo.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/model/Units.h"
#include "ui/modes/basic/StandardMode.h"
#include "ui/modes/toolbar/Toolbar.h"
#include "ui/settings/InfoDialog.h"

bool Quirel_StandardMode::windowEnabled() const {
  const Quirel_MainWindow* window = mMainWindow ? mMainWindow->getWindow() : nullptr;
  return window && window->isEnabled();
}

int Quirel_StandardMode::colorSettingFor(int colorMode) const {
  return mPreferenceInfo ? mPreferenceInfo->getColorSetting(colorMode) : 0;
}

void Quirel_StandardMode::showRow(kit::View* row, bool shown) {
  if (row) row->setHidden(!shown);
}

void Quirel_StandardMode::closeModalDialog() {
  mModal = false;
  if (Quirel_MainWindow* window = mMainWindow ? mMainWindow->getWindow() : nullptr) window->makeKeyAndOrderFront();
}

// ---- The whole window -----------------------------------------------------------------------

void Quirel_StandardMode::setEnabledAllControl(bool enable) {
  Quirel_MainWindow* window = mMainWindow ? mMainWindow->getWindow() : nullptr;
  if (window && window->getCloseFlg()) return;
  if (!isThumbnailMode()) {
    if (Quirel_CropInfo* focus = getFocusCrop())
      if (CropFrameViewLink* view = focus->getCropView()) view->runTimer(enable);
  }
  if (enable)
    closeModalDialog();
  else
    showModalDialog();
  if (mInfoDialog && mInfoDialog->isVisible()) mInfoDialog->setEnabledAllControl(enable);
  if (window) window->setEnabled(enable);
  if (mToolbar) mToolbar->setAllEnabledControl(enable, 0);
  if (mPreview) mPreview->getImageView()->setEnabled(enable);
  if (mPrefBtn) mPrefBtn->setEnabled(enable);
  if (mCloseWindowBtn) mCloseWindowBtn->setEnabled(enable);
  if (enable)
    setValueOfSelectedCrop(false);
  else
    setDisableControlInTabview();
  setEnabledToolTips();
  // One overlay for the whole window, shared with the base's own disabling, so that a second
  // disabling lays no second one.
  kit::View* content = window ? window->contentView() : nullptr;
  if (!enable) {
    if (!mWindowMaskView && content) {
      mWindowMaskView = std::make_unique<Quirel_DisabledView>(content->frame());
      mWindowMaskView->setAutoresizingMask(kit::kViewWidthSizable | kit::kViewHeightSizable);
      content->addSubview(mWindowMaskView.get());
    }
  } else if (mWindowMaskView) {
    mWindowMaskView->removeFromSuperview();
    mWindowMaskView.reset();
  }
  // Disabling is drawn with the next redraw, once the loop runs (a preview or a scan starts right
  // after it); enabling is drawn at once, so that the ended work's window shows at once.
  if (!enable && content)
    content->setNeedsDisplay(true);
  else if (window)
    window->display();
}

void Quirel_StandardMode::setDisableControlInTabview() {
  if (mImageSourcePopup) mImageSourcePopup->setEnabled(false);
  if (mPreviewBtn) mPreviewBtn->setEnabled(false);
  if (mDestinationPopup) mDestinationPopup->setEnabled(false);
  if (mOutputSizePopup) mOutputSizePopup->setEnabled(false);
  if (mDirectionBtn) mDirectionBtn->setEnabled(false);
  for (Quirel_CTRLS_STDCheckBox* box : {mRemoveDustCbx.get(), mReduceDustFAUCbx.get(), mFadingCorrectCbx.get(),
                                        mLightCorrectCbx.get(), mBookCorrectCbx.get(), mAutoDocCorrectCbx.get(),
                                        mAutoPhotoCorrectCbx.get()})
    if (box) box->setEnabled(false);
  if (mColorPatternBtn) mColorPatternBtn->setEnabled(false);
  if (mScanBtn) mScanBtn->setEnabled(false);
}

void Quirel_StandardMode::setEnabledMainWindow(bool enable) {
  if (mInfoDialog && mInfoDialog->isVisible()) mInfoDialog->setEnabledAllControl(enable);
  Quirel_BaseScanMode::setEnabledMainWindow(enable);
}

// ---- The panel from one crop ----------------------------------------------------------------

void Quirel_StandardMode::setValueOfSelectedCrop(bool infoOnly) {
  Quirel_CropInfo* crop = mClickCrop ? mClickCrop : getFocusCrop();
  if (!crop) crop = mTemplateCrop.get();
  if (!crop) return;
  if (infoOnly) {
    setValueInfoDialog(*crop, true, false);
    return;
  }
  const bool enabled = windowEnabled();
  const int colorMode = crop->getColorMode();
  if (mImageSourcePopup) {
    mImageSourcePopup->selectAtRepresentedNumber(mImageSource);
    mImageSourcePopup->setEnabled(enabled);
  }
  if (mPreviewBtn) mPreviewBtn->setEnabled(enabled && !isADFMode());
  setValueDestinationPopupBT(crop->getDestination());
  mDestination = crop->getDestination();

  const bool film = isFilmMode();
  const int tempSize = mTemplateCrop ? mTemplateCrop->getTempOutputSize() : 0;
  int outputSize = crop->getOutputSize();
  if (panelVer(1500)) {
    if (film)
      outputSize = mHasPreview ? crop->getOutputSize() : tempSize;
    else if (tempSize != 0)
      outputSize = tempSize;
  } else if (film && !mHasPreview) {
    outputSize = tempSize;
  }
  setValueOutputSizePopupBT(outputSize);
  if (mDirectionBtn) mDirectionBtn->setEnabled(enabled && crop->getOutputSize() != 0);

  setValueRemoveDustBT(crop->getRemoveDust());
  setValueReduceDustFAUBT(crop->getReduceDustFAU());
  setValueFadingCorrectBT(colorMode, crop->getFadingCorrect());
  setValueBackLightCorrectBT(colorMode, crop->getBackLightCorrect());
  setValueBookCorrectBT(crop->getBookCorrect());
  setValueAutoDocumentCorrectBT_ColorMode(colorMode, crop->getAutoDocCorrect());
  setValueAutoPhotoCorrectBT(crop->getAutoPhotoCorrect());
  setValueColorPatternBT(colorMode);
  setFrameInImageCorrectView();

  if (mScanBtn) mScanBtn->setEnabled(enabled && !(film && !mHasPreview));
  setHiddenToolbar_CropCount(static_cast<int>(mCropList.size()));
  setEnabledToolbar();
  setEnabledToolTips();
  setValueInfoDialog(*crop, false, false);
}

void Quirel_StandardMode::setHiddenToolbar_CropCount(int count) {
  if (mToolbar) mToolbar->setHiddenToolbar(mScanMode, count);
}

void Quirel_StandardMode::setEnabledToolbar() {
  if (!mToolbar || !windowEnabled()) return;
  const int colorMode = mTemplateCrop ? mTemplateCrop->getColorMode() : 0;
  mToolbar->setEnabledToolbar_scanMode(mScanMode, mHasPreview, false, static_cast<int>(mCropList.size()), false,
                                       mZoomScan, colorMode);
  mToolbar->setThumbnailMode(isThumbnailMode(), isFilmMode());
  mToolbar->setEnabledThumbnailButton(mEnableThumbnailBtn, 0, isFilmMode());
}

void Quirel_StandardMode::setValueDestinationPopupBT(int destination) {
  if (!mDestinationPopup) return;
  if (mImageSource == 4 || mImageSource == 5) {
    if (!mDestinationPopup->isFilmModeMenu()) mDestinationPopup->setFilmModeMenu();
  } else if (mDestinationPopup->isFilmModeMenu()) {
    mDestinationPopup->setPlatenModeMenu();
  }
  mDestinationPopup->selectAtRepresentedNumber(destination);
  mDestinationPopup->setEnabled(windowEnabled());
}

void Quirel_StandardMode::setValueOutputSizePopupBT(int outputSize) {
  if (!mOutputSizePopup) return;
  setMenuItem_OutputSizePopupBT(mDestination);
  mOutputSizePopup->selectAtRepresentedNumber(outputSize);
  const bool usable = !(mScanMode == 4 || (mScanMode >= 1 && mScanMode <= 3 && !mHasPreview));
  mOutputSizePopup->setEnabled(usable && windowEnabled());
}

namespace {

// A correction box: ticked and usable only when allowed, else unticked and disabled.
void stdSetBox(Quirel_CTRLS_STDCheckBox* box, bool allowed, bool ticked, bool enabled) {
  if (!box) return;
  box->check(allowed && ticked);
  box->setEnabled(allowed && enabled);
}

}  // namespace

void Quirel_StandardMode::setValueRemoveDustBT(int value) {
  const bool film = isFilmMode();
  showRow(mRemoveDustView.get(), mScannerInfo && mScannerInfo->VEXA() && film);
  stdSetBox(mRemoveDustCbx.get(), mHasPreview, value == 3, windowEnabled());
}

void Quirel_StandardMode::setValueReduceDustFAUBT(int value) {
  const bool film = isFilmMode();
  showRow(mReduceDustFAUView.get(), mScannerInfo && mScannerInfo->ReduceDustForFAU() && film);
  stdSetBox(mReduceDustFAUCbx.get(), mHasPreview, value == 3, windowEnabled());
}

void Quirel_StandardMode::setValueFadingCorrectBT(int colorMode, int value) {
  const bool feature = mScannerInfo && mScannerInfo->FadingCorrect();
  const bool shown = panelVer(1700) ? feature && (isFilmMode() || (mScanMode == 0 && mImageSource == 0)) : feature;
  showRow(mFadingCorrectView.get(), shown);
  const bool allowed = mHasPreview && colorMode == 3 && colorSettingFor(3) == 0;
  stdSetBox(mFadingCorrectCbx.get(), allowed, value == 3, windowEnabled());
}

void Quirel_StandardMode::setValueBackLightCorrectBT(int colorMode, int value) {
  const bool feature = mScannerInfo && mScannerInfo->BackLightCorrect();
  const bool shown = panelVer(1700) ? feature && (isFilmMode() || (mScanMode == 0 && mImageSource == 0)) : feature;
  showRow(mLightCorrectView.get(), shown);
  const bool allowed = mHasPreview && colorMode != 0 && colorSettingFor(colorMode) == 0;
  stdSetBox(mLightCorrectCbx.get(), allowed, value == 3, windowEnabled());
}

void Quirel_StandardMode::setValueBookCorrectBT(int value) {
  const bool feature = mScannerInfo && mScannerInfo->BookCorrect();
  const bool shown = panelVer(1700) ? feature && mScanMode == 0 && mImageSource != 0 : feature && !isFilmMode();
  showRow(mBookCorrectView.get(), shown);
  stdSetBox(mBookCorrectCbx.get(), mHasPreview, value == 3, windowEnabled());
}

void Quirel_StandardMode::setValueAutoDocumentCorrectBT_ColorMode(int colorMode, int value) {
  const bool shown = panelVer(1700) && mScannerInfo->AutoDocCorrect() &&
                     (isADFMode() || (mScanMode == 0 && mImageSource != 0));
  showRow(mAutoDocCorrectView.get(), shown);
  const bool allowed = (mHasPreview || isADFMode()) && colorSettingFor(colorMode) == 0;
  stdSetBox(mAutoDocCorrectCbx.get(), allowed, value != 0, windowEnabled());
}

void Quirel_StandardMode::setValueAutoPhotoCorrectBT(int value) {
  showRow(mAutoPhotoCorrectView.get(), mScannerInfo && mScannerInfo->AutoPhotoCorrect());
  stdSetBox(mAutoPhotoCorrectCbx.get(), mHasPreview, value != 0, windowEnabled());
}

void Quirel_StandardMode::setValueColorPatternBT(int colorMode) {
  const bool feature = mScannerInfo && mScannerInfo->colorPattern();
  showRow(mColorPatternView.get(), feature && !(panelVer(1700) && isADFMode()));
  if (!mColorPatternBtn) return;
  const bool colour = colorMode == 3 || colorMode == 4 || colorMode == 5;
  mColorPatternBtn->setEnabled(windowEnabled() && mHasPreview && colorSettingFor(colorMode) != 1 && colour);
}

// ---- The information panel ------------------------------------------------------------------

void Quirel_StandardMode::setValueInfoDialog(const Quirel_CropInfo& crop, bool sizesOnly, bool force) {
  Quirel_InfoDialog* info = mInfoDialog.get();
  if (!info) return;
  if (!force && !info->isVisible()) return;
  const int unit = crop.getUnit();
  const double platen = mPlatenResolution;
  const double resolution = crop.getResolution();
  auto length = [&](double pixels) {
    if (unit == 0) return pixelToInch(pixels, platen);
    if (unit == 1) return pixelToCm(pixels, platen);
    return convertResolution(pixels, platen, resolution);
  };
  info->setInputWidth(unit, length(crop.getInputWidth_Pixel96()));
  info->setInputHeight(unit, length(crop.getInputHeight_Pixel96()));
  info->setOutputWidth(unit, length(crop.getOutputWidth_Pixel96()));
  info->setOutputHeight(unit, length(crop.getOutputHeight_Pixel96()));
  const auto pixelsW = static_cast<std::uint64_t>(convertResolution(crop.getOutputWidth_Pixel96(), platen, resolution));
  const auto pixelsH = static_cast<std::uint64_t>(convertResolution(crop.getOutputHeight_Pixel96(), platen, resolution));
  info->setDataSize(crop.getDataSize(platen), pixelsW * pixelsH);
  if (sizesOnly) return;

  if (mImageSourcePopup) {
    const int selected = mImageSourcePopup->selected();
    const std::string title =
        selected >= 0 ? mImageSourcePopup->getTitleAtAtRepresentedNumber(mImageSourcePopup->getRepresentedNumber())
                      : std::string();
    info->setSourceStr(title.c_str());
  }
  const bool film = isFilmMode();
  if (film) {
    int paper = crop.getPaperSize();
    if (panelVer(1600) && !isThumbnailMode() && mUseCapsFilmSize) paper = 34;
    info->setFilmSize(paper);
  } else {
    info->setPaperSizeForStandard(crop.getPaperSize());
  }
  info->setColorMode(crop.getColorMode());
  info->setResolution(crop.getResolution());
  if (mOutputSizePopup) {
    const std::string title = mOutputSizePopup->selected() >= 0
                                  ? mOutputSizePopup->getTitleAtAtRepresentedNumber(mOutputSizePopup->getRepresentedNumber())
                                  : std::string();
    info->setOutputSizeStr(title.c_str());
  }
  info->setOutputScale(crop.getMagnification());

  const int colorSetting = colorSettingFor(crop.getColorMode());
  const bool v17Doc = panelVer(1700) && mScannerInfo->AutoDocCorrect() && colorSetting == 0;
  const std::string undisplay = uiText("IDS_ADV_FLAG_UNDISPLAY");
  if (mHasPreview) {
    info->setAutoTone(crop.getAutoTone());
    const int doc = (v17Doc && !film && mImageSource != 0) ? crop.getAutoDocCorrect() : 0;
    info->setAutoDocCorrect(doc);
    if (doc == 1) {
      info->setColorAdjustStr(undisplay.c_str());
      info->setCopyGamma(crop.getCopyGamma());
      info->setUnsharpStr(undisplay.c_str());
    } else {
      info->setColorAdjust(crop.getColorAdjust());
      info->setCopyGamma(crop.getCopyGamma());
      info->setUnsharp(crop.getUnsharpMask());
    }
    info->setDescreen(crop.getDescreen());
    info->setReduceDust(crop.getReduceDust());
    info->setRemoveDust(crop.getRemoveDust());
    info->setReduceDustFAU(crop.getReduceDustFAU());
    const bool grayOrText = mImageSource == 1 || mImageSource == 3 || mImageSource == 12 || mImageSource == 13;
    const bool noTone = panelVer(1700) && grayOrText;
    info->setFadingCorrect(noTone ? 0 : crop.getFadingCorrect());
    info->setGrainCorrect(crop.getGrainCorrect());
    info->setBackLight(noTone ? 0 : crop.getBackLightCorrect());
    info->setBookCorrect(panelVer(1700) && mImageSource == 0 ? 0 : crop.getBookCorrect());
  } else {
    info->setAutoTone(0);
    const int doc = (v17Doc && isADFMode()) ? crop.getAutoDocCorrect() : 0;
    info->setAutoDocCorrect(doc);
    if (doc == 1) {
      info->setColorAdjustStr(undisplay.c_str());
      info->setCopyGammaStr(undisplay.c_str());
      info->setUnsharpStr(undisplay.c_str());
    } else {
      info->setColorAdjust(mScannerInfo && mScannerInfo->useRACS2() ? crop.getColorAdjust() : 0);
      info->setCopyGamma(crop.getCopyGamma());
      info->setUnsharp(crop.getUnsharpMask());
    }
    info->setDescreen(crop.getDescreen());
    info->setReduceDust(crop.getReduceDust());
    info->setRemoveDust(crop.getRemoveDust());
    info->setReduceDustFAU(crop.getReduceDustFAU());
    info->setGrainCorrect(crop.getGrainCorrect());
    info->setFadingCorrect(0);
    info->setBackLight(0);
    info->setBookCorrect(0);
  }
  if (film) {
    info->setExposure(crop.isExposure());
    if (crop.isExposure()) info->setExposureValue(crop.getExposureValue());
    info->setSaveTone(false, isThumbnailMode());
    info->setHighQualityMode(mHighQualityMode ? 1 : 0);
  }
  info->setCalibrationEveryScan(isCalibrationEveryScan() ? 1 : 0);
  info->setColorSetting(colorSetting);
  info->setSilentMode(mPreferenceInfo && mPreferenceInfo->getQuietMode());
  if (mScanMode == 2 && !mHasPreview)
    info->setNumberCropStr("-");
  else
    info->setNumberCrop(static_cast<int>(mCropList.size()));
  if (mPreferenceInfo)
    info->setColumn_UIMode(0, mScanMode, mHasPreview, mMultiCrop, *mPreferenceInfo, crop, isHiddenCopyGamma());
}
