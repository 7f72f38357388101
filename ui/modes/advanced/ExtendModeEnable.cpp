// Which controls of the advanced panel are shown and usable: the whole window switched off
// while the scan module works, the corrections each colour mode and preview state offers, the
// toolbar, the Zoom, Preview and Scan buttons and the three fold-out groups.

#include "kit/Window.h"
#include "ui/adjust/ColorBalanceDialog.h"
#include "ui/adjust/FinalReviewDialog.h"
#include "ui/adjust/HistogramDialog.h"
#include "ui/adjust/ThresholdDialog.h"
#include "ui/adjust/ToneBCDialog.h"
#include "ui/adjust/ToneCurveDialog.h"
#include "ui/controls/CTRLS_MainWindow.h"
#include "ui/controls/CTRLS_Preview.h"
#include "ui/controls/CTRLS_PreviewFrame.h"
#include "ui/controls/CTRLS_TOOLView.h"
#include "ui/controls/PreviewFrameView.h"
#include "ui/controls/DisabledView.h"
#include "ui/controls/MainWindow.h"
#include "ui/controls/PreviewView.h"
#include "ui/model/CropFrameViewLink.h"
#include "ui/model/CropInfo.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/modes/advanced/ExtendMode.h"
#include "ui/modes/advanced/ExtendModeControls.h"
#include "ui/modes/toolbar/Toolbar.h"
#include "ui/settings/InfoDialog.h"

// Rows: group 0 (colour 3, 4, 5), 1 (grayscale 1, 2), 2 (black and white 0 and mode 6); within a
// group colour settings 0, 1, 2, each without and with a preview. Columns: auto tone, unsharp,
// descreen, dust, fading, grain, backlight, book, (unused), copy gamma.
const std::array<std::uint8_t, 180> Quirel_ExtendMode::sPlatenPopupFlg = {
    0, 1, 1, 1, 0, 1, 0, 0, 0, 1,  1, 1, 1, 1, 1, 1, 1, 1, 0, 1,  //
    0, 1, 1, 1, 0, 1, 0, 0, 0, 0,  1, 1, 1, 1, 0, 1, 0, 1, 0, 0,  //
    0, 1, 1, 1, 0, 1, 0, 0, 0, 0,  0, 1, 1, 1, 0, 1, 0, 1, 0, 0,  //
    0, 1, 1, 1, 0, 1, 0, 0, 0, 1,  1, 1, 1, 1, 1, 1, 1, 1, 0, 1,  //
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0,  0, 0, 0, 0, 0, 0, 0, 1, 0, 0,  //
    0, 1, 1, 1, 0, 1, 0, 0, 0, 0,  0, 1, 1, 1, 0, 1, 0, 1, 0, 0,  //
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0,  0, 0, 0, 0, 0, 0, 0, 1, 0, 0,  //
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0,  0, 0, 0, 0, 0, 0, 0, 1, 0, 0,  //
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0,  0, 0, 0, 0, 0, 0, 0, 1, 0, 0,  //
};

namespace {

enum ExtCorrectionItem { kExtAutoTone = 0, kExtUnsharp, kExtDescreen, kExtDust, kExtFading, kExtGrain,
                         kExtBacklight, kExtBook, kExtUnused, kExtCopyGamma };

template <typename Control>
void extEnable(Control& control, bool enabled) {
  if (control) control->setEnabled(enabled);
}

void extShow(kit::View* view, bool shown) {
  if (view) view->setHidden(!shown);
}

template <typename Box, typename Field, typename Buttons>
void extDisableExposure(Box& box, Field& field, Buttons& buttons) {
  extEnable(box, false);
  extEnable(field, false);
  extEnable(buttons, false);
}

// The exposure group shows the exposure applied to all (box and field locked, Apply on) or the
// crop's own (box free, the field only while the box is ticked).
template <typename Box, typename Field, typename Buttons>
void extShowExposure(Box& box, Field& field, Buttons& buttons, bool applyAll, bool applyCheck, int applyFieldValue,
                     bool check, int value) {
  if (applyAll) {
    if (box) {
      box->setCheck(applyCheck);
      box->setEnabled(false);
    }
    if (field) {
      field->setIntValue(applyFieldValue);
      field->setEnabled(false);
    }
    if (buttons) buttons->setOnState(true);
  } else {
    if (buttons) buttons->setOnState(false);
    if (box) {
      box->setEnabled(true);
      box->setCheck(check);
    }
    if (field) {
      field->setIntValue(check ? value : 100);
      field->setEnabled(check);
    }
  }
}

}  // namespace

int Quirel_ExtendMode::correctionGroup(int colorMode) {
  switch (colorMode) {
    case 1: case 2:
      return 1;
    case 0: case 6:
      return 2;
    default:
      return 0;
  }
}

bool Quirel_ExtendMode::correctionOffered(int colorMode, int colorSetting, int item) const {
  const int setting = colorSetting >= 0 && colorSetting <= 2 ? colorSetting : 0;
  const int index = correctionGroup(colorMode) * 60 + setting * 20 + (mHasPreview ? 10 : 0) + item;
  return sPlatenPopupFlg[static_cast<std::size_t>(index)] != 0;
}

bool Quirel_ExtendMode::hasDisabledOverlay() const { return mWindowMaskView != nullptr; }

// ---- The whole window ------------------------------------------------------------------------

void Quirel_ExtendMode::setEnabledAllControl(bool enable) {
  Quirel_MainWindow* window = mMainWindow ? mMainWindow->getWindow() : nullptr;
  if (window && window->getCloseFlg()) return;
  if (!isThumbnailMode()) {
    for (const auto& crop : mCropList) {
      const bool marching = mMultiCrop ? crop->isMultiCrop() && crop->isSelected() : crop->isFocus();
      if (marching && crop->getCropView()) crop->getCropView()->runTimer(enable);
    }
  }
  if (enable)
    closeModalDialog();
  else
    showModalDialog();
  if (mToneBCDialog) mToneBCDialog->setEnabledAllControl(enable);
  if (mHistogramDialog) mHistogramDialog->setEnabledAllControl(enable);
  if (mToneCurveDialog) mToneCurveDialog->setEnabledAllControl(enable);
  if (mFinalReviewDialog) mFinalReviewDialog->setEnabledAllControl(enable);
  if (mThresholdDialog) mThresholdDialog->setEnabledAllControl(enable);
  if (mInfoDialog) mInfoDialog->setEnabledAllControl(enable);
  if (mColorBalanceDialog) mColorBalanceDialog->setEnabledAllControl(enable);
  if (window) window->setEnabled(enable);
  if (mPreview && mPreview->getImageView()) mPreview->getImageView()->setEnabled(enable);
  kit::View* content = window ? window->contentView() : nullptr;
  if (enable) {
    if (mWindowMaskView) {
      mWindowMaskView->removeFromSuperview();
      mWindowMaskView.reset();
    }
    setValueOfSelectedCrop(0);
  } else {
    setDisableControlInTabview();
    if (mPrefBtn) mPrefBtn->setEnabled(false);
    if (mCloseWindowBtn) mCloseWindowBtn->setEnabled(false);
    if (mToolbar) mToolbar->setAllEnabledControl(false, 1);
    setEnabledToolTips();
    // One overlay for the whole window, so that a second disabling lays no second one.
    if (!mWindowMaskView && content) {
      mWindowMaskView = std::make_unique<Quirel_DisabledView>(content->frame());
      mWindowMaskView->setAutoresizingMask(kit::kViewWidthSizable | kit::kViewHeightSizable);
      content->addSubview(mWindowMaskView.get());
    }
  }
  if (window) window->display();
}

void Quirel_ExtendMode::setDisableControlInTabview() {
  extEnable(mFavoritePopup, false);
  extEnable(mImgSrcPopup, false);
  extEnable(mPaperSizePopup, false);
  extEnable(mFilmSizePopup, false);
  extEnable(mOrientationBtn, false);
  extEnable(mColorModePopup, false);
  extEnable(mInSizeWTextF, false);
  extEnable(mFixRatioBtn, false);
  extEnable(mInSizeHTextF, false);
  extEnable(mUnitPopup, false);
  extEnable(mResComboBox, false);
  extEnable(mOutSizePopup, false);
  extEnable(mOutSizeWTextF, false);
  extEnable(mOutSizeHTextF, false);
  extEnable(mMagnification, false);
  extEnable(mDirectionBtn, false);
  extEnable(mDataSizeTextF, false);
  for (const auto& row : correctionRows()) row.first->setEnabled(false);
  extEnable(mExposureOpenBtn, false);
  extEnable(mExposureCbx, false);
  extEnable(mExposureField, false);
  extEnable(mExposureBtns, false);
  if (mScannerInfo && mScannerInfo->highQualityMode()) {
    extEnable(mScanSettingOpenBtn, false);
    extEnable(mHighQualityPopup, false);
  }
  if (mScannerInfo && mScannerInfo->calibration() && !(mScannerInfo->isVer310() && isFilmMode())) {
    extEnable(mCalibrationOpenBtn, false);
    if (mScannerInfo->manualCalibration()) extEnable(mCalibrationBtn, false);
    if (mScannerInfo->alwaysCalibration()) extEnable(mCalibrationPopup, false);
  }
  extEnable(mColorBalanceBtn, false);
  extEnable(mContrastBtn, false);
  extEnable(mHistogramBtn, false);
  extEnable(mToneCurveBtn, false);
  extEnable(mFinalReviewBtn, false);
  extEnable(mThresholdBtn, false);
  extEnable(mToneCurvePopup, false);
  extEnable(mToneResetBtn, false);
  extEnable(mZoomBtn, false);
  extEnable(mPrevBtn, false);
  extEnable(mScanBtn, false);
}

std::vector<std::pair<Quirel_CTRLS_PopupButton*, kit::View*>> Quirel_ExtendMode::correctionRows() const {
  std::vector<std::pair<Quirel_CTRLS_PopupButton*, kit::View*>> rows;
  auto add = [&](Quirel_CTRLS_PopupButton* popup, kit::View* view) {
    if (popup) rows.emplace_back(popup, view);
  };
  add(mAutoTonePopup.get(), mAutoToneView.get());
  add(mColorAdjustPopup.get(), mColorAdjustView.get());
  add(mCopyGammaPopup.get(), mCopyGammaView.get());
  add(mUnsharpPopup.get(), mUnsharpView.get());
  add(mDescreenPopup.get(), mDescreenView.get());
  add(mRdcDustPopup.get(), mRdcDustView.get());
  add(mRemoveDustPopup.get(), mRemoveDustView.get());
  add(mReduceDustFAUPopup.get(), mReduceDustFAUView.get());
  add(mFdCorctPopup.get(), mFdCorctView.get());
  add(mGrCorctPopup.get(), mGrCorctView.get());
  add(mBlCorctPopup.get(), mBlCorctView.get());
  add(mBookCorctPopup.get(), mBookCorctView.get());
  return rows;
}

// ---- The toolbar ----------------------------------------------------------------------------

void Quirel_ExtendMode::setHiddenToolbar(int scanMode, int cropCount) {
  if (!mToolbar) return;
  if (!ver(&Quirel_UIScannerInfo::isVer1300Later)) {
    mToolbar->setHiddenToolbar(scanMode, cropCount);
    return;
  }
  kit::View* tool = mToolbar->getToolbarView() ? mToolbar->getToolbarView()->getToolView() : nullptr;
  const fnd::Rect before = tool ? tool->frame() : fnd::Rect();
  mToolbar->setHiddenToolbar(scanMode, cropCount);
  const fnd::Rect after = tool ? tool->frame() : fnd::Rect();
  if (before == after || !mPreviewFrame || !mMainWindow || !mMainWindow->getWindow()) return;
  kit::View* content = mMainWindow->getWindow()->contentView();
  kit::View* frameView = mPreviewFrame->getFrameView();
  if (!content || !frameView) return;
  const fnd::Rect c = content->frame();
  fnd::Rect f = frameView->frame();
  f.size.height = (c.origin.y + c.size.height) - after.size.height - 10 - f.origin.y;
  frameView->setFrame(f);
  updatePreviewArea();
}

void Quirel_ExtendMode::setEnabledToolbar() {
  if (!mToolbar || !windowEnabled()) return;
  int count = static_cast<int>(mCropList.size());
  if (mMultiCrop) {
    count = 0;
    for (const auto& crop : mCropList)
      if (crop->isMultiCrop() && crop->isSelected()) ++count;
  }
  mToolbar->setEnabledToolbar_scanMode(mScanMode, mHasPreview, mZoomRate > 0, count, mMultiCrop, mZoomScan,
                                       getCurrentColorMode());
  mToolbar->setThumbnailMode(isThumbnailMode(), isFilmMode());
  mToolbar->setEnabledThumbnailButton(mEnableThumbnailBtn, 1, isFilmMode());
  switch (mToolMode) {
    case 0: mToolbar->setCropMode(true); mToolbar->setHandMode(false); mToolbar->setZoomMode(false); break;
    case 1: mToolbar->setCropMode(false); mToolbar->setHandMode(true); mToolbar->setZoomMode(false); break;
    case 2: mToolbar->setCropMode(false); mToolbar->setHandMode(false); mToolbar->setZoomMode(true); break;
    case 3: mToolbar->setCropMode(false); mToolbar->setHandMode(false); mToolbar->setZoomMode(false); break;
    default: break;
  }
  mToolbar->setMultiCropMode(mMultiCrop);
}

// ---- The colour settings --------------------------------------------------------------------

void Quirel_ExtendMode::setEnabledToneCurveBT(int m) {
  const bool balance = mScannerInfo && mScannerInfo->colorBalance();
  const bool gray = m == 1 || m == 2;
  const bool color = m >= 3 && m <= 5;
  auto place = [m](auto& button, bool shown) {
    if (!button) return;
    button->setHidden(!shown);
    if (shown) button->setColorMode(m);
  };
  place(mColorBalanceBtn, color && balance);
  place(mContrastBtn, gray || color);
  place(mHistogramBtn, gray || color);
  place(mToneCurveBtn, gray || color);
  place(mFinalReviewBtn, gray || color);
  if (mThresholdBtn) mThresholdBtn->setHidden(m != 0);
  setFrameInColorSettings();

  bool enabled = windowEnabled() && !mMultiCrop && m != 6 && colorSettingFor(m) != 1;
  if (ver(&Quirel_UIScannerInfo::isVer1600Later) && isFilmMode() && !mHasPreview) enabled = false;
  extEnable(mColorBalanceBtn, enabled);
  extEnable(mContrastBtn, enabled);
  extEnable(mHistogramBtn, enabled);
  extEnable(mToneCurveBtn, enabled);
  extEnable(mFinalReviewBtn, enabled);
  extEnable(mThresholdBtn, enabled);
  extEnable(mToneCurvePopup, enabled);
  extEnable(mToneResetBtn, enabled);
  if (mToneCurveSetBox && mToneCurveSetBox->getBox()) mToneCurveSetBox->getBox()->setNeedsDisplay(true);
}

// ---- The image corrections ------------------------------------------------------------------

void Quirel_ExtendMode::setEnabledImageSettings_ColorMode(int m, int c) {
  if (!windowEnabled() || !mScannerInfo) return;
  const Quirel_UIScannerInfo& s = *mScannerInfo;
  const bool film = isFilmMode();
  const bool adf = isADFMode();
  const bool v1400 = s.isVer1400Later();
  auto row = [](auto& popup, auto& view, bool shown, bool enabled) {
    extShow(view.get(), shown);
    if (popup) {
      popup->setHidden(!shown);
      popup->setEnabled(shown && enabled);
    }
  };
  auto T = [&](int item) { return correctionOffered(m, c, item); };

  if (m != 0 && m != 6) {
    // Auto tone.
    if (!s.AutoTone()) {
      row(mAutoTonePopup, mAutoToneView, false, false);
    } else if (s.isVer310() || v1400) {
      row(mAutoTonePopup, mAutoToneView, !(adf && v1400) && c == 0, T(kExtAutoTone));
    } else {
      row(mAutoTonePopup, mAutoToneView, c == 0 || c == 1, T(kExtAutoTone));
    }
    // Colour adjustment.
    if (!s.ColorAdjust())
      row(mColorAdjustPopup, mColorAdjustView, false, false);
    else if (s.useRACS2())
      row(mColorAdjustPopup, mColorAdjustView, !isHiddenColorAdjust(), mHasPreview || adf);
    else
      row(mColorAdjustPopup, mColorAdjustView, c == 0 && !adf, mHasPreview);
    // Copy gamma.
    if (!s.CopyGamma())
      row(mCopyGammaPopup, mCopyGammaView, false, false);
    else if (s.useRACS2())
      row(mCopyGammaPopup, mCopyGammaView, !isHiddenCopyGamma(), true);
    else
      row(mCopyGammaPopup, mCopyGammaView, adf && c == 0, T(kExtCopyGamma));
    row(mUnsharpPopup, mUnsharpView, s.Unsharp(), T(kExtUnsharp));
    row(mDescreenPopup, mDescreenView, s.Descreen() && !film, T(kExtDescreen));
    row(mRdcDustPopup, mRdcDustView, s.ReduceDust() && !film, T(kExtDust));
    row(mRemoveDustPopup, mRemoveDustView, s.VEXA() && film && (mImageSource == 1 || mImageSource == 2),
        T(kExtDust));
    row(mReduceDustFAUPopup, mReduceDustFAUView, s.ReduceDustForFAU() && film, T(kExtDust));
    row(mFdCorctPopup, mFdCorctView, s.FadingCorrect() && m >= 3 && m <= 5 && c == 0 && !(adf && v1400),
        T(kExtFading));
    row(mGrCorctPopup, mGrCorctView, s.GrainCorrect(), T(kExtGrain));
    row(mBlCorctPopup, mBlCorctView, s.BackLightCorrect() && c == 0 && !(adf && v1400),
        T(kExtBacklight) && !isEnableLargeScan());
    row(mBookCorctPopup, mBookCorctView, s.BookCorrect() && !film && !adf, T(kExtBook));
  } else {
    row(mAutoTonePopup, mAutoToneView, false, false);
    row(mColorAdjustPopup, mColorAdjustView, false, false);
    row(mCopyGammaPopup, mCopyGammaView, false, false);
    row(mUnsharpPopup, mUnsharpView, false, false);
    row(mDescreenPopup, mDescreenView, false, false);
    row(mRdcDustPopup, mRdcDustView, false, false);
    row(mRemoveDustPopup, mRemoveDustView, false, false);
    row(mReduceDustFAUPopup, mReduceDustFAUView, false, false);
    row(mFdCorctPopup, mFdCorctView, false, false);
    row(mGrCorctPopup, mGrCorctView, false, false);
    row(mBlCorctPopup, mBlCorctView, false, false);
    row(mBookCorctPopup, mBookCorctView, s.BookCorrect() && !film && !adf, T(kExtBook));
  }

  if (mExposureView) mExposureView->setHidden(!film);
  if (mScanSettingView) {
    bool shown = s.highQualityMode() && mScanSettingView->hasHighQualityPopup() && film;
    if (!s.isVer1400Later()) shown = shown && m >= 3 && m <= 5;
    mScanSettingView->setHidden(!shown);
  }
  if (mCalibrationView) {
    bool shown = s.calibration();
    if (s.isVer1400Later())
      shown = false;
    else if (s.isVer310())
      shown = shown && !film;
    mCalibrationView->setHidden(!shown);
  }
  setFrameInImageSettings();
  if (mMultiCrop) {
    extEnable(mAutoTonePopup, false);
    extEnable(mFdCorctPopup, false);
    extEnable(mBlCorctPopup, false);
    extEnable(mBookCorctPopup, false);
  }
}

// ---- Zoom, Preview and Scan -------------------------------------------------------------------

void Quirel_ExtendMode::setEnabledScanBTs(int n) {
  if (mZoomBtn) mZoomBtn->setState(mZoomScan);
  bool zoom = false, preview = true, scan = true;
  const bool enabled = windowEnabled();
  const int crops = static_cast<int>(mCropList.size());
  if (!enabled) {
    zoom = preview = scan = false;
  } else if (isFilmMode()) {
    if (mHasPreview && crops > 0)
      zoom = isThumbnailMode() ? mThumbnailCount > 1 : n == 1;
    else
      scan = false;
  } else if (isADFMode()) {
    preview = false;
  } else if (isThumbnailMode()) {
    zoom = mHasPreview && mThumbnailCount > 1;
  } else if (!mMultiCrop) {
    zoom = mHasPreview && crops >= 1 && n == 1;
  }
  extEnable(mZoomBtn, zoom);
  extEnable(mPrevBtn, preview);
  extEnable(mScanBtn, scan);
  if (mPrefBtn) mPrefBtn->setEnabled(enabled);
  if (mCloseWindowBtn) mCloseWindowBtn->setEnabled(enabled);
}

void Quirel_ExtendMode::setEnabledOrientationBT() {
  if (isADFMode() && mOrientationBtn) mOrientationBtn->setEnabled(windowEnabled());
}

// ---- The fold-out groups ----------------------------------------------------------------------

void Quirel_ExtendMode::setExposureSettingViewState(bool open, bool onlyIfNeeded) {
  if (!mExposureOpenBtn) return;
  if (onlyIfNeeded && mExposureOpenBtn->isOnState() == open) return;
  mExposureOpenBtn->setOnState(open);
  if (mExposureCbx) mExposureCbx->setHidden(!open);
  if (mExposureField) mExposureField->setHidden(!open);
  if (mExposureBtns) mExposureBtns->setHidden(!open);
  if (mHighQualityPopup && mScannerInfo && mScannerInfo->highQualityMode() && mExposureView &&
      mExposureView->hasHighQualityPopup())
    mHighQualityPopup->setHidden(!open);
}

void Quirel_ExtendMode::setScanSettingViewState(bool open, bool onlyIfNeeded) {
  if (!mScanSettingOpenBtn || !mScannerInfo || !mScannerInfo->highQualityMode() || !mScanSettingView ||
      !mScanSettingView->hasHighQualityPopup())
    return;
  if (onlyIfNeeded && mScanSettingOpenBtn->isOnState() == open) return;
  mScanSettingOpenBtn->setOnState(open);
  if (mHighQualityPopup) mHighQualityPopup->setHidden(!open);
}

void Quirel_ExtendMode::setCalibrationSettingViewState(bool open, bool onlyIfNeeded) {
  if (!mCalibrationOpenBtn || !mScannerInfo || !mScannerInfo->calibration()) return;
  if (mScannerInfo->isVer310() && isFilmMode()) return;
  if (onlyIfNeeded && mCalibrationOpenBtn->isOnState() == open) return;
  mCalibrationOpenBtn->setOnState(open);
  if (mCalibrationBtn) mCalibrationBtn->setHidden(!(open && mScannerInfo->manualCalibration()));
  if (mCalibrationPopup) mCalibrationPopup->setHidden(!(open && mScannerInfo->alwaysCalibration()));
}

// ---- Exposure, scan setting, calibration values ------------------------------------------------

void Quirel_ExtendMode::setValueExposureTextFS(bool check, int value, bool applyAll, bool applyCheck, int applyValue) {
  if (!windowEnabled() || !isFilmMode()) {
    extEnable(mExposureOpenBtn, false);
    if (mExposureCbx) {
      mExposureCbx->setCheck(false);
      mExposureCbx->setEnabled(false);
    }
    extEnable(mExposureField, false);
    extEnable(mExposureBtns, false);
    return;
  }
  if (mExposureBtns) mExposureBtns->changeCropTitle(!isThumbnailMode());
  extEnable(mExposureOpenBtn, true);
  if (!mHasPreview) {
    if (mExposureField) mExposureField->setIntValue(100);
    if (mExposureCbx) {
      mExposureCbx->setCheck(false);
      mExposureCbx->setEnabled(false);
    }
    extEnable(mExposureField, false);
    extEnable(mExposureBtns, false);
    return;
  }
  extEnable(mExposureBtns, true);
  extShowExposure(mExposureCbx, mExposureField, mExposureBtns, applyAll, applyCheck, applyValue, check, value);
  if (!isThumbnailMode() && mZoomScan) extDisableExposure(mExposureCbx, mExposureField, mExposureBtns);
}

void Quirel_ExtendMode::setValueExposureTextFS_Check(bool check, int value, bool applyAll, bool applyCheck,
                                                     int applyValue) {
  if (!windowEnabled() || !isFilmMode()) {
    extEnable(mExposureOpenBtn, false);
    extDisableExposure(mExposureCbx, mExposureField, mExposureBtns);
    return;
  }
  if (mExposureBtns) mExposureBtns->changeCropTitle(!isThumbnailMode());
  extEnable(mExposureOpenBtn, true);
  extShowExposure(mExposureCbx, mExposureField, mExposureBtns, applyAll, applyCheck, applyCheck ? applyValue : 100,
                  check, value);
  if (!applyAll && !mHasPreview) extDisableExposure(mExposureCbx, mExposureField, mExposureBtns);
  if (!isThumbnailMode() && mZoomScan) extDisableExposure(mExposureCbx, mExposureField, mExposureBtns);
}

void Quirel_ExtendMode::setValueScanningSetting(bool applyAll) {
  if (!mScannerInfo || !mScannerInfo->highQualityMode()) return;
  if (mHighQualityPopup) mHighQualityPopup->selectAtRepresentedNumber(mHighQualityMode ? 1 : 0);
  const bool enabled = windowEnabled() && isFilmMode();
  extEnable(mScanSettingOpenBtn, enabled);
  extEnable(mHighQualityPopup, enabled && (!mZoomScan || isThumbnailMode()) && !applyAll);
}

void Quirel_ExtendMode::setValueCalibrationSetting() {
  if (!mScannerInfo || !mScannerInfo->calibration()) return;
  if (mScannerInfo->isVer310() && isFilmMode()) return;
  const bool enabled = windowEnabled();
  if (mScannerInfo->alwaysCalibration() && mCalibrationPopup)
    mCalibrationPopup->selectAtRepresentedNumber(mPreferenceInfo && mPreferenceInfo->getCalibrationEveryScan() == 1);
  extEnable(mCalibrationOpenBtn, enabled);
  if (mScannerInfo->manualCalibration()) extEnable(mCalibrationBtn, enabled);
  if (mScannerInfo->alwaysCalibration()) extEnable(mCalibrationPopup, enabled);
}
