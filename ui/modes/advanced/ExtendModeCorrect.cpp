// The image-settings actions of the advanced mode: the twelve correction pop-ups, the exposure
// group, high-quality scanning and calibration.

#include "foundation/RunLoop.h"
#include "ui/base/PostNotification.h"
#include "ui/controls/CTRLS_AutoTonePopup.h"
#include "ui/controls/CTRLS_CalibrationOpenButton.h"
#include "ui/controls/CTRLS_CheckBox.h"
#include "ui/controls/CTRLS_ColorAdjustmentPopup.h"
#include "ui/controls/CTRLS_ExposureButton.h"
#include "ui/controls/CTRLS_ExposureField.h"
#include "ui/controls/CTRLS_ExposureOpenButton.h"
#include "ui/controls/CTRLS_ExposureView.h"
#include "ui/controls/CTRLS_PopupButton.h"
#include "ui/controls/CTRLS_RemoveDustPopup.h"
#include "ui/controls/CTRLS_ScanSettingOpenButton.h"
#include "ui/controls/CTRLS_ShowThroughPopup.h"
#include "ui/controls/NoFocusButton.h"
#include "ui/controls/NoFocusStepper.h"
#include "ui/controls/NumberField.h"
#include "ui/model/CropInfo.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/modes/advanced/ExtendMode.h"
#include "ui/windows/BookCorrectDialog.h"

namespace {

int extPopupValue(const Quirel_CTRLS_PopupButton* popup) { return popup ? popup->getRepresentedNumber() : 0; }

// Unsharp masking and descreening exclude each other: true when `other` is on where the new one
// goes (any frame of a multi-crop, else the focused crop or the template).
bool otherSharpeningOn(bool multiCrop, const CropList& crops, const Quirel_CropInfo& single,
                       int (Quirel_CropInfo::*other)() const) {
  if (!multiCrop) return (single.*other)() == 1;
  for (const auto& crop : crops)
    if (crop->isMultiCrop() && ((*crop).*other)() == 1) return true;
  return false;
}

}  // namespace

// ---- the shared steps of a correction pop-up ---------------------------------------------------

void Quirel_ExtendMode::recomputeSelectedPreview() {
  if (isThumbnailMode())
    updateImageSetSelectByThumbnailPreview(1);
  else
    updateImageSetSelectByPreview(1);
}

template <typename Get, typename Update>
void Quirel_ExtendMode::correctionChange(int value, bool multiCropBranch, bool clearsToneCurve, bool recomputes,
                                         Get get, Update update) {
  if (!mTemplateCrop) return;
  if (multiCropBranch && mMultiCrop) {
    // Every frame of the multi-crop takes the value, selected or not; the favourite stays.
    for (const auto& crop : mCropList)
      if (crop->isMultiCrop()) update(*crop);
  } else {
    bool changed = false;
    if (mCropList.empty()) {
      if (get(*mTemplateCrop) != value) {
        update(*mTemplateCrop);
        changed = true;
      }
    } else {
      for (const auto& crop : mCropList) {
        if (!crop->isSelected() || get(*crop) == value) continue;
        update(*crop);
        changed = true;
      }
    }
    if (changed) {
      mFavorite = 0;
      if (clearsToneCurve) mToneCurve = 0;
      if (recomputes) recomputeSelectedPreview();
    }
  }
  setValueOfSelectedCrop(0);
}

#define QUIREL_EXTEND_CORRECTION(popup, getter, updater) \
  [](const Quirel_CropInfo& c) { return c.getter(); }, [this, value](Quirel_CropInfo& c) { updater(value, c); }

void Quirel_ExtendMode::autoToneChange(const fnd::Notification&) {
  const int value = extPopupValue(mAutoTonePopup.get());
  correctionChange(value, true, true, true, QUIREL_EXTEND_CORRECTION(mAutoTonePopup, getAutoTone, updateAutoToneByChangeAutoTone));
}

void Quirel_ExtendMode::colorAdjustmentChange(const fnd::Notification&) {
  const int value = extPopupValue(mColorAdjustPopup.get());
  correctionChange(value, false, true, true, [](const Quirel_CropInfo& c) { return c.getColorAdjust(); },
                   [this, value](Quirel_CropInfo& c) {
                     updateCropByColorAdjustment(value, c);
                     updateAutoToneByChangeAutoTone(1, c);
                   });
}

void Quirel_ExtendMode::copyGammaChange(const fnd::Notification&) {
  if (!mTemplateCrop) return;
  const int value = extPopupValue(mCopyGammaPopup.get());
  if (mMultiCrop) {
    for (const auto& crop : mCropList)
      if (crop->isMultiCrop()) updateCropByCopyGamma(value, *crop);
    setValueOfSelectedCrop(0);
    return;
  }
  const bool racs2 = mScannerInfo && mScannerInfo->useRACS2();
  bool changed = false;
  if (mCropList.empty()) {
    if (mTemplateCrop->getCopyGamma() != value) {
      updateCropByCopyGamma(value, *mTemplateCrop);
      changed = true;
    }
  } else {
    for (const auto& crop : mCropList) {
      if (!crop->isSelected() || crop->getCopyGamma() == value) continue;
      if (racs2 && isHiddenPlatenCopyGammaAtCrop(*crop)) continue;
      updateCropByCopyGamma(value, *crop);
      changed = true;
    }
  }
  if (changed) {
    mFavorite = 0;
    if (ver(&Quirel_UIScannerInfo::isVer1700Later)) mToneCurve = 0;
    if (!isADFMode() && racs2) recomputeSelectedPreview();
  }
  setValueOfSelectedCrop(0);
}

void Quirel_ExtendMode::unsharpMaskChange(const fnd::Notification&) {
  if (!mTemplateCrop) return;
  const int value = extPopupValue(mUnsharpPopup.get());
  const Quirel_CropInfo* focus = getFocusCrop();
  if (value == 1 &&
      otherSharpeningOn(mMultiCrop, mCropList, focus ? *focus : *mTemplateCrop, &Quirel_CropInfo::getDescreen))
    showMessage(1100);
  correctionChange(value, true, false, true, QUIREL_EXTEND_CORRECTION(mUnsharpPopup, getUnsharpMask, updateCropByUnsharpMask));
  if (mMultiCrop) updateImageSetAllSelectByPreview(1, true, mHasPreview, true);
}

void Quirel_ExtendMode::descreenChange(const fnd::Notification&) {
  if (!mTemplateCrop) return;
  const int value = extPopupValue(mDescreenPopup.get());
  const Quirel_CropInfo* focus = getFocusCrop();
  if (value == 1 &&
      otherSharpeningOn(mMultiCrop, mCropList, focus ? *focus : *mTemplateCrop, &Quirel_CropInfo::getUnsharpMask))
    showMessage(1100);
  correctionChange(value, true, false, false, QUIREL_EXTEND_CORRECTION(mDescreenPopup, getDescreen, updateCropByDescreen));
}

void Quirel_ExtendMode::reduceDustChange(const fnd::Notification&) {
  const int value = extPopupValue(mRdcDustPopup.get());
  correctionChange(value, true, false, false, QUIREL_EXTEND_CORRECTION(mRdcDustPopup, getReduceDust, updateCropByReduceDust));
}

void Quirel_ExtendMode::removeDustChange(const fnd::Notification&) {
  const int value = extPopupValue(mRemoveDustPopup.get());
  correctionChange(value, false, false, false, QUIREL_EXTEND_CORRECTION(mRemoveDustPopup, getRemoveDust, updateCropByRemoveDust));
}

void Quirel_ExtendMode::reduceDustFAUChange(const fnd::Notification&) {
  const int value = extPopupValue(mReduceDustFAUPopup.get());
  correctionChange(value, false, false, false,
                   QUIREL_EXTEND_CORRECTION(mReduceDustFAUPopup, getReduceDustFAU, updateCropByReduceDustFAU));
}

void Quirel_ExtendMode::fadingCorrectChange(const fnd::Notification&) {
  const int value = extPopupValue(mFdCorctPopup.get());
  correctionChange(value, true, false, true, QUIREL_EXTEND_CORRECTION(mFdCorctPopup, getFadingCorrect, updateCropByFadingCorrect));
}

void Quirel_ExtendMode::grainCorrectChange(const fnd::Notification&) {
  const int value = extPopupValue(mGrCorctPopup.get());
  correctionChange(value, true, false, false, QUIREL_EXTEND_CORRECTION(mGrCorctPopup, getGrainCorrect, updateCropByGrainCorrect));
}

void Quirel_ExtendMode::backlightCorrectChange(const fnd::Notification&) {
  const int value = extPopupValue(mBlCorctPopup.get());
  correctionChange(value, true, false, true,
                   QUIREL_EXTEND_CORRECTION(mBlCorctPopup, getBackLightCorrect, updateCropByBackLightCorrect));
}

void Quirel_ExtendMode::bookCorrectChange(const fnd::Notification&) {
  if (!mTemplateCrop) return;
  const int value = extPopupValue(mBookCorctPopup.get());
  const Quirel_CropInfo* focus = getFocusCrop();
  if ((focus ? *focus : *mTemplateCrop).getBookCorrect() == 0 && value != 0 && mBookCorrectMsg) showBookCorrectNotice();
  correctionChange(value, false, false, true, QUIREL_EXTEND_CORRECTION(mBookCorctPopup, getBookCorrect, updateCropByBookCorrect));
}

#undef QUIREL_EXTEND_CORRECTION

// ---- exposure ----------------------------------------------------------------------------------

void Quirel_ExtendMode::exposureOpen(const fnd::Notification&) {
  if (!mExposureView) return;
  setExposureSettingViewState(mExposureOpenBtn && mExposureOpenBtn->isOnState(), false);
  setFrameInImageSettings();
  setValueOfSelectedCrop(0);
}

void Quirel_ExtendMode::scanSettingOpen(const fnd::Notification&) {
  setScanSettingViewState(mScanSettingOpenBtn && mScanSettingOpenBtn->isOnState(), false);
  setFrameInImageSettings();
}

void Quirel_ExtendMode::calibrationOpen(const fnd::Notification&) {
  setCalibrationSettingViewState(mCalibrationOpenBtn && mCalibrationOpenBtn->isOnState(), false);
  setFrameInImageSettings();
}

void Quirel_ExtendMode::exposureCheck(const fnd::Notification&) {
  if (!mTemplateCrop) return;
  const bool on = mExposureCbx && mExposureCbx->isChecked();
  if (mCropList.empty()) {
    updateCropByExposure(on, *mTemplateCrop);
  } else {
    for (const auto& crop : mCropList)
      if (crop->isSelected()) updateCropByExposure(on, *crop);
    recomputeSelectedPreview();
  }
  mFavorite = 0;
  mToneCurve = 0;
  setValueOfSelectedCrop(0);
  updatePreviewArea();
}

bool Quirel_ExtendMode::typedExposureChange(bool stepper) {
  if (!mTemplateCrop || !mExposureField) return false;
  const int value = stepper ? mExposureField->getStepper()->intValue() : mExposureField->getNumberTxtF()->intValue();
  if (value < 50 || value > 200) {
    showMessage(1110);
    setValueOfSelectedCrop(0);
    return true;
  }
  bool differs = false;
  if (mCropList.empty()) {
    differs = mTemplateCrop->getExposureValue() != value;
  } else {
    for (const auto& crop : mCropList)
      if (crop->isSelected() && crop->isExposure() && crop->getExposureValue() != value) differs = true;
  }
  if (!differs) {
    if (stepper) setValueOfSelectedCrop(0);
    return false;
  }
  if (mCropList.empty()) {
    updateCropByExposureValue(value, *mTemplateCrop);
  } else {
    for (const auto& crop : mCropList)
      if (crop->isSelected() && crop->isExposure()) updateCropByExposureValue(value, *crop);
  }
  mFavorite = 0;
  mToneCurve = 0;
  setValueOfSelectedCrop(0);
  recomputeSelectedPreview();
  return true;
}

void Quirel_ExtendMode::exposureChange(const fnd::Notification&) { typedExposureChange(false); }
void Quirel_ExtendMode::exposureChangeByStepper(const fnd::Notification&) { typedExposureChange(true); }

void Quirel_ExtendMode::exposureApply(const fnd::Notification&) { applyOrResetAllExposure(true); }
void Quirel_ExtendMode::exposureReset(const fnd::Notification&) { applyOrResetAllExposure(false); }

void Quirel_ExtendMode::applyOrResetAllExposure(bool apply) {
  if (!mTemplateCrop) return;
  Quirel_CropInfo* focus = getFocusCrop();
  if (mCropList.empty()) {
    updateCropByAllExposure(apply, *mTemplateCrop, *mTemplateCrop);
    updateAutoToneByChangeAllExposure(*mTemplateCrop, *mTemplateCrop);
  } else {
    for (const auto& crop : mCropList) {
      // Applying spreads the focused crop's (or the template's) exposure; resetting keeps each its own.
      const Quirel_CropInfo& base = apply ? (focus ? *focus : *mTemplateCrop) : *crop;
      updateCropByAllExposure(apply, *crop, base);
      updateAutoToneByChangeAllExposure(*crop, base);
    }
  }
  if (mExposureBtns) mExposureBtns->getApplyBT()->setState(apply ? kit::kOnState : kit::kOffState);
  mFavorite = 0;
  mToneCurve = 0;
  setValueOfSelectedCrop(0);
  updatePreviewArea();
  if (isThumbnailMode())
    updateImageSetAllSelectByThumbnailPreview(1);
  else
    updateImageSetAllSelectByPreview(1, mMultiCrop, mHasPreview, true);
  setValueOfSelectedCrop(0);
}

// ---- scan settings and calibration -----------------------------------------------------------------

void Quirel_ExtendMode::highQualityChange(const fnd::Notification&) {
  if (!mScannerInfo || !mScannerInfo->highQualityMode()) return;
  mHighQualityMode = extPopupValue(mHighQualityPopup.get()) == 1;
  mFavorite = 0;
  setValueOfSelectedCrop(0);
}

void Quirel_ExtendMode::calibrationChange(const fnd::Notification&) {
  if (!mScannerInfo || !mScannerInfo->alwaysCalibration()) return;
  if (mPreferenceInfo) mPreferenceInfo->setCalibrationEveryScan(extPopupValue(mCalibrationPopup.get()) == 1);
  mFavorite = 0;
  setValueOfSelectedCrop(0);
}

void Quirel_ExtendMode::calibrationStart(const fnd::Notification& n) {
  int mode = isFilmMode() ? 2 : 1;
  if (n.info())
    if (const fnd::Value* v = n.info()->find("CalibrationMode"); v && (v->isInteger() || v->isReal())) mode = v->toInt();
  const int message = getCalibrationMassageID(mode);
  if (!clearPreviewWithMessageID(message, true)) return;
  const int cropAfterPreview = mPreferenceInfo ? mPreferenceInfo->getCropAfterPrev() : 0;
  if (mTemplateCrop && (isFilmMode() || cropAfterPreview != 1)) {
    updateCropByMagnification(100, *mTemplateCrop);
    for (const auto& crop : mCropList) updateCropByMagnification(100, *crop);
  }
  setValueOfSelectedCrop(0);
  setEnabledAllControl(false);
  const fnd::Dictionary request{{"CalibrationMode", static_cast<long long>(mode)}};
  if (ver(&Quirel_UIScannerInfo::isVer1400Later)) {
    calibrationStartPerformSelector(request);
  } else {
    // Older models take the request one pass later through the run loop.
    Quirel_ScanRetryGate::Ticket alive = mScanRetryGate.ticket();
    fnd::RunLoop::main().performAfterDelay(0, [this, alive, request] {
      if (*alive) calibrationStartPerformSelector(request);
    });
  }
}

void Quirel_ExtendMode::calibrationStartPerformSelector(const fnd::Dictionary& request) {
  Quirel_PostNotification poster(mCenter);
  poster.postExternalNotificationName("ExecuteCalibrationPost", outwardObject(), std::make_shared<fnd::Dictionary>(request));
  setEnabledAllControl(true);
}
