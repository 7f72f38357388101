// The advanced panel brought in line with the crop in hand: every control's value, the data
// size, the floating dialogs and the scan-information panel. Nothing here changes a setting but
// the favourite and tone-setting numbers, which fall back to 0 when their entry is gone.

#include <array>
#include <cmath>
#include <cstdio>

#include "kit/Color.h"
#include "kit/TextField.h"
#include "kit/Window.h"
#include "ui/adjust/ColorBalanceDialog.h"
#include "ui/adjust/FinalReviewDialog.h"
#include "ui/adjust/HistogramDialog.h"
#include "ui/adjust/ThresholdDialog.h"
#include "ui/adjust/ToneBCDialog.h"
#include "ui/adjust/ToneCurveDialog.h"
#include "ui/controls/CTRLS_MainWindow.h"
#include "ui/controls/CTRLS_Preview.h"
#include "ui/controls/MainWindow.h"
#include "ui/controls/PreviewView.h"
#include "ui/model/CropInfo.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/model/Units.h"
#include "ui/modes/advanced/ExtendMode.h"
#include "ui/modes/advanced/ExtendModeControls.h"
#include "ui/settings/InfoDialog.h"

namespace {

constexpr double kExtMegabyte = 1048576.0;
constexpr double kExtGigabyte = 1073741824.0;

// The number fields the size setters share: text, format and state in one place.
template <typename Field>
void extShowSizeField(Field* field, bool blank, bool integer, int maxLength, bool enabled, const std::string& text) {
  if (!field) return;
  field->setStringValue("");
  if (blank) {
    field->setEnabled(false);
    return;
  }
  if (integer)
    field->setNumberFormatForInt(maxLength);
  else
    field->setNumberFormatForFloat(maxLength);
  field->setEnabled(enabled);
  field->setStringValue(text);
}

}  // namespace

bool Quirel_ExtendMode::windowEnabled() const {
  const Quirel_MainWindow* window = mMainWindow ? mMainWindow->getWindow() : nullptr;
  return window && window->isEnabled();
}

int Quirel_ExtendMode::colorSettingFor(int colorMode) const {
  return mPreferenceInfo ? mPreferenceInfo->getColorSetting(colorMode) : 0;
}

Quirel_CropInfo* Quirel_ExtendMode::getCropInHand() const {
  if (mMultiCrop) {
    for (auto it = mCropList.rbegin(); it != mCropList.rend(); ++it)
      if ((*it)->isMultiCrop()) return it->get();
    return mTemplateCrop.get();
  }
  if (mClickCrop) return mClickCrop;
  if (Quirel_CropInfo* focus = getFocusCrop()) return focus;
  return mTemplateCrop.get();
}

std::string Quirel_ExtendMode::lengthText(double pixels, int unit, int resolution) const {
  const double platen = mPlatenResolution > 0 ? mPlatenResolution : 300;
  switch (unit) {
    case 0:
      return roundDownForString(pixelToInch(pixels, platen), 2);
    case 1:
      if (ver(&Quirel_UIScannerInfo::isVer1300Later)) return roundDownForString(pixelToCm(pixels, platen) * 10, 1);
      return roundDownForString(pixelToCm(pixels, platen), 2);
    default:
      return roundDownForString(convertResolution(pixels, platen, resolution > 0 ? resolution : platen), 0);
  }
}

double Quirel_ExtendMode::dataSizeLimitMB(int colorMode) const {
  if (mScanMode == 1 && mScannerInfo) {
    const double limit = mScannerInfo->maxThumbnailDataSizeAtColorMode(colorMode);
    if (limit != 0) return limit;
  }
  return 100;
}

bool Quirel_ExtendMode::isDataSizeOver(std::uint64_t bytes, double limitMB) {
  return static_cast<double>(bytes) / kExtMegabyte >= limitMB + 0.01;
}

std::string Quirel_ExtendMode::dataSizeText(std::uint64_t bytes) const {
  const double b = static_cast<double>(bytes);
  double value;
  const char* unitKey;
  if (b > kExtGigabyte) {
    value = b / kExtGigabyte + (ver(&Quirel_UIScannerInfo::isVer1600Later) ? 0.01 : 0);
    unitKey = "IDS_GB";
  } else if (b > kExtMegabyte) {
    value = b / kExtMegabyte;
    unitKey = "IDS_MB";
  } else {
    value = std::max(b / 1024.0, 0.01);
    unitKey = "IDS_KB";
  }
  return roundDownForString(value, 2) + " " + uiText(unitKey);
}

// ---- The hub ---------------------------------------------------------------------------------

void Quirel_ExtendMode::setValueOfSelectedCrop(int quick) {
  setFocusAllNumberF(true);
  Quirel_CropInfo* crop = getCropInHand();
  if (!crop) return;
  const int colorMode = crop->getColorMode();
  const int colorSetting = colorSettingFor(colorMode);
  const int named = crop->getOutputSize();
  const int unit = crop->getUnit();
  const int resolution = crop->getResolution();
  const int selected = getSelectedCropCount();

  setValueFavoritePopupBT();
  setValueToneCurzePopupBT(colorMode);
  setValueInputWidthTextF(named, unit, resolution, selected, crop->getInputWidth_Pixel96());
  setValueInputHeightTextF(named, unit, resolution, selected, crop->getInputHeight_Pixel96());
  setValueOutputWidthTextF(named, unit, resolution, selected, crop->getOutputWidth_Pixel96());
  setValueOutputHeightTextF(named, unit, resolution, selected, crop->getOutputHeight_Pixel96());
  setValueDataSizeTextF_DataSize(crop->getDataSize(mPlatenResolution), colorMode);
  if (quick) {
    setValueInfoDialog(*crop, true, false);
    setEnabledToolTips();
    return;
  }

  setValueImageSourcePopupBT(mImageSource);
  setValuePaperSizePopupBT(crop->getPaperSize());
  setEnabledOrientationBT();
  setValueColorModePopupBT(colorMode);
  setValueFixesRatioBT(named, crop->isFixesRatio(), selected);
  setValueUnitPopupBT(unit);
  setValueResolutionComboBox(resolution);

  // The named output size shown: a film crop without a preview shows the template's own.
  const int tempSize = mTemplateCrop ? mTemplateCrop->getTempOutputSize() : 0;
  int shownSize = named;
  if (ver(&Quirel_UIScannerInfo::isVer1500Later)) {
    if (isFilmMode() && !mHasPreview)
      shownSize = tempSize;
    else if (!isFilmMode() && tempSize != 0)
      shownSize = tempSize;
  } else if (isFilmMode() && !mHasPreview) {
    shownSize = tempSize;
  }
  setValueOutputSizePopupBT(shownSize);
  setValueMagnificationTextFS(named, crop->getMagnification(), resolution);
  setValueDirectionBT(named);
  setEnabledImageSettings_ColorMode(colorMode, colorSetting);
  setValueCorrectionPopups(*crop);
  if (ver(&Quirel_UIScannerInfo::isVer1500Later))
    setValueExposureTextFS_Check(crop->isExposure(), crop->getExposureValue(), crop->isApplyToneValueToAll(),
                                 crop->isExposureOfApplyToneValueToAll(),
                                 crop->getExposureValueOfApplyToneValueToAll());
  else
    setValueExposureTextFS(crop->isExposure(), crop->getExposureValue(), crop->isApplyToneValueToAll(),
                           crop->isExposureOfApplyToneValueToAll(), crop->getExposureValueOfApplyToneValueToAll());
  setValueScanningSetting(crop->isApplyToneValueToAll());
  setValueCalibrationSetting();
  setEnabledToneCurveBT(colorMode);
  setEnabledScanBTs(selected);
  setEnabledToolbar();
  setValueColorSettingDialog();
  setValueInfoDialog(*crop, false, false);
  setEnabledToolTips();
  setKeyboardLoop();
}

void Quirel_ExtendMode::setKeyboardLoop() {
  // Preview, then the typed fields in the panel's order, the exposure last and back to the
  // preview; Tab passes over whatever is hidden or disabled at the time.
  kit::View* preview = mPreview ? mPreview->getImageView() : nullptr;
  const std::array<kit::View*, 8> loop{
      preview,
      mInSizeWTextF ? mInSizeWTextF->getNumberTxtF() : nullptr,
      mInSizeHTextF ? mInSizeHTextF->getNumberTxtF() : nullptr,
      mResComboBox ? mResComboBox->getNumberTxtF() : nullptr,
      mOutSizeWTextF ? mOutSizeWTextF->getNumberTxtF() : nullptr,
      mOutSizeHTextF ? mOutSizeHTextF->getNumberTxtF() : nullptr,
      mMagnification ? mMagnification->getNumberTxtF() : nullptr,
      mExposureField ? mExposureField->getNumberTxtF() : nullptr,
  };
  kit::View* last = nullptr;
  kit::View* first = nullptr;
  for (kit::View* v : loop) {
    if (!v) continue;
    if (last && last->nextKeyView() != v) last->setNextKeyView(v);
    if (!first) first = v;
    last = v;
  }
  if (last && first && last != first && last->nextKeyView() != first) last->setNextKeyView(first);
}

// ---- The input box ---------------------------------------------------------------------------

void Quirel_ExtendMode::setValueFavoritePopupBT() {
  if (!mFavoritePopup) return;
  if (!mFavoritePopup->isExistAtRepresentedNumber(mFavorite)) mFavorite = 0;
  mFavoritePopup->selectAtRepresentedNumber(mFavorite);
  mFavoritePopup->setEnabled(windowEnabled() && !mMultiCrop && !mZoomScan);
}

void Quirel_ExtendMode::setValueToneCurzePopupBT(int colorMode) {
  if (!mToneCurvePopup) return;
  if (colorMode == 6 || !mToneCurvePopup->isExistAtRepresentedNumber(mToneCurve)) mToneCurve = 0;
  mToneCurvePopup->selectAtRepresentedNumber(mToneCurve);
}

void Quirel_ExtendMode::setValueImageSourcePopupBT(int imageSource) {
  if (!mImgSrcPopup) return;
  mImgSrcPopup->selectAtRepresentedNumber(imageSource);
  mImgSrcPopup->setEnabled(windowEnabled());
}

void Quirel_ExtendMode::setValuePaperSizePopupBT(int paperSize) {
  const bool enabled = windowEnabled();
  if (isFilmMode()) {
    if (mPaperSizeView) mPaperSizeView->setHidden(true);
    if (mFilmSizeView) mFilmSizeView->setHidden(false);
    if (!mFilmSizePopup) return;
    if (isThumbnailMode()) {
      mFilmSizePopup->setEnabled(false);
      mFilmSizePopup->changeCropTitle(false);
      mFilmSizePopup->selectAtRepresentedNumber(paperSize);
    } else {
      mFilmSizePopup->setEnabled(enabled && !mZoomScan);
      mFilmSizePopup->changeCropTitle(true);
      const bool caps = ver(&Quirel_UIScannerInfo::isVer1600Later) && mUseCapsFilmSize;
      mFilmSizePopup->selectAtRepresentedNumber(caps ? 34 : paperSize);
    }
    return;
  }
  if (mFilmSizeView) mFilmSizeView->setHidden(true);
  if (mPaperSizeView) mPaperSizeView->setHidden(false);
  if (!mPaperSizePopup) return;
  if (isADFMode()) {
    const bool both = mImageSource == 6;
    if (!mPaperSizePopup->isADFMenu() || mPaperSizePopup->isBothSideADFMenu() != both)
      mPaperSizePopup->setADFMenu(both);
  } else if (mPaperSizePopup->isADFMenu()) {
    mPaperSizePopup->setPlatenMenu();
  }
  mPaperSizePopup->selectAtRepresentedNumber(paperSize);
  mPaperSizePopup->setEnabled(!isThumbnailMode() && enabled);
}

void Quirel_ExtendMode::setValueColorModePopupBT(int colorMode) {
  if (!mColorModePopup) return;
  const bool bitEnabled = mPreferenceInfo && mPreferenceInfo->getBitEnabled();
  if (isFilmMode())
    mColorModePopup->setFilmModeMenu(bitEnabled);
  else if (mMultiCrop)
    mColorModePopup->setPlatenModeMenu(false);
  else
    mColorModePopup->setPlatenModeMenu(mScannerInfo && mScannerInfo->isSFS() ? bitEnabled : false);
  mColorModePopup->selectAtRepresentedNumber(colorMode);
  mColorModePopup->setEnabled(windowEnabled() && !(isFilmMode() && !isThumbnailMode() && mZoomScan));
}

// The rule the four size fields share: blank and disabled with multi-crop or a film crop
// without a preview; else usable only for one crop of free size.
#define QUIREL_EXT_SIZE_STATE(named, selected)                                                           \
  const bool blank = mMultiCrop || (isFilmMode() && !mHasPreview);                                       \
  const bool usable = windowEnabled() && !isADFMode() && !(mScanMode == 1 && !mHasPreview) && (named) == 0 && \
                      (selected) < 2

void Quirel_ExtendMode::setValueInputWidthTextF(int named, int unit, int resolution, int selected, double pixels) {
  QUIREL_EXT_SIZE_STATE(named, selected);
  extShowSizeField(mInSizeWTextF.get(), blank, unit == 2, 6, usable,
                   named != 0 ? std::string() : lengthText(pixels, unit, resolution));
}

void Quirel_ExtendMode::setValueInputHeightTextF(int named, int unit, int resolution, int selected, double pixels) {
  QUIREL_EXT_SIZE_STATE(named, selected);
  extShowSizeField(mInSizeHTextF.get(), blank, unit == 2, 6, usable,
                   named != 0 ? std::string() : lengthText(pixels, unit, resolution));
}

void Quirel_ExtendMode::setValueOutputWidthTextF(int named, int unit, int resolution, int selected, double pixels) {
  QUIREL_EXT_SIZE_STATE(named, selected);
  extShowSizeField(mOutSizeWTextF.get(), blank, unit == 2, 8, usable, lengthText(pixels, unit, resolution));
}

void Quirel_ExtendMode::setValueOutputHeightTextF(int named, int unit, int resolution, int selected, double pixels) {
  QUIREL_EXT_SIZE_STATE(named, selected);
  extShowSizeField(mOutSizeHTextF.get(), blank, unit == 2, 8, usable, lengthText(pixels, unit, resolution));
}

#undef QUIREL_EXT_SIZE_STATE

void Quirel_ExtendMode::setValueFixesRatioBT(int named, bool fixed, int selected) {
  if (!mFixRatioBtn) return;
  const bool off = (isFilmMode() && !mHasPreview) || mMultiCrop || isADFMode() || (mScanMode == 1 && !mHasPreview) ||
                   named != 0;
  if (off) {
    mFixRatioBtn->setOnState(false);
    mFixRatioBtn->setEnabled(false);
    return;
  }
  mFixRatioBtn->setOnState(fixed);
  mFixRatioBtn->setEnabled(windowEnabled() && selected < 2);
}

void Quirel_ExtendMode::setValueUnitPopupBT(int unit) {
  if (!mUnitPopup) return;
  mUnitPopup->selectAtRepresentedNumber(unit);
  mUnitPopup->setEnabled(windowEnabled() && !mMultiCrop);
}

void Quirel_ExtendMode::setValueResolutionComboBox(int resolution) {
  if (!mResComboBox) return;
  if (isFilmMode()) {
    if (!mResComboBox->isFilmModeMenu()) mResComboBox->setFilmModeMenu();
  } else if (isADFMode()) {
    if (!mResComboBox->isADFModeMenu()) mResComboBox->setADFModeMenu();
  } else if (mMultiCrop) {
    if (!mResComboBox->isMultiCropMenu()) mResComboBox->setMultiCropMenu();
  } else if (!mResComboBox->isPlatenModeMenu()) {
    mResComboBox->setPlatenModeMenu();
  }
  mResComboBox->setIntValue(resolution);
  mResComboBox->setEnabled(windowEnabled());
}

void Quirel_ExtendMode::setValueOutputSizePopupBT(int outputSize) {
  if (!mOutSizePopup) return;
  if (mMultiCrop)
    mOutSizePopup->select(-1);
  else
    mOutSizePopup->selectAtRepresentedNumber(outputSize);
  const bool usable = !(mScanMode >= 1 && mScanMode <= 3 && !mHasPreview) && mScanMode != 4 && !mMultiCrop;
  mOutSizePopup->setEnabled(windowEnabled() && usable);
}

void Quirel_ExtendMode::setValueMagnificationTextFS(int named, int magnification, int resolution) {
  if (!mMagnification) return;
  if (mMultiCrop || (isFilmMode() && !mHasPreview)) {
    mMagnification->setStringValue("100");
    mMagnification->setEnabled(false);
    return;
  }
  if (mScanMode == 1 && !mHasPreview) {
    mMagnification->setIntValue(magnification);
    mMagnification->setEnabled(false);
    return;
  }
  if (named < 0 || magnification < 0 || named != 0) {
    mMagnification->setStringValue("");
  } else {
    mMagnification->setIntValue(magnification);
    mMagnification->setMaxValue(getMaxMagnification(resolution));
  }
  mMagnification->setEnabled(windowEnabled() && !isADFMode() && named == 0);
}

void Quirel_ExtendMode::setValueDirectionBT(int named) {
  if (!mDirectionBtn) return;
  mDirectionBtn->setEnabled(windowEnabled() && !isADFMode() && !mMultiCrop && named != 0);
}

void Quirel_ExtendMode::setValueDataSizeTextF_DataSize(std::uint64_t bytes, int colorMode) {
  if (!mDataSizeTextF) return;
  if (mMultiCrop || (isFilmMode() && !mHasPreview)) {
    mDataSizeTextF->setTxtFValue("", kit::Color::black());
    return;
  }
  const bool red = isDataSizeOver(bytes, dataSizeLimitMB(colorMode));
  const std::string text = dataSizeText(bytes);
  mDataSizeTextF->setTxtFValue(text.c_str(), red ? kit::Color::red() : kit::Color::black());
  mDataSizeTextF->setEnabled(windowEnabled());
}

// ---- The corrections -------------------------------------------------------------------------

void Quirel_ExtendMode::setValueAutoTonePopupBT(int value) {
  if (!mAutoTonePopup) return;
  if (value == 5) {
    if (!mAutoTonePopup->isDataPersistence()) mAutoTonePopup->setDataPersistenceMenu();
  } else if (mAutoTonePopup->isDataPersistence()) {
    mAutoTonePopup->setNormalMenu();
  }
  mAutoTonePopup->selectAtRepresentedNumber(!mHasPreview ? 0 : mMultiCrop ? 1 : value);
}

void Quirel_ExtendMode::setValueColorAdjustmentPopupBT(int value) {
  if (!mColorAdjustPopup) return;
  const bool racs2 = mScannerInfo && mScannerInfo->useRACS2();
  const int menuMode = isFilmMode() ? 1 : (isADFMode() && racs2) ? 2 : 0;
  if (mColorAdjustPopup->nowMenuMode() != menuMode) mColorAdjustPopup->setMenuAtMode(menuMode);
  const bool shows = isFilmMode() || (!isADFMode() && mHasPreview) || (isADFMode() && racs2);
  mColorAdjustPopup->selectAtRepresentedNumber(shows ? value : 0);
}

void Quirel_ExtendMode::setValueCorrectionPopups(const Quirel_CropInfo& crop) {
  setValueAutoTonePopupBT(crop.getAutoTone());
  setValueColorAdjustmentPopupBT(crop.getColorAdjust());
  const bool previewOnly = mHasPreview && !mMultiCrop;
  auto show = [](auto& popup, int value) {
    if (popup) popup->selectAtRepresentedNumber(value);
  };
  show(mCopyGammaPopup, crop.getCopyGamma());
  show(mUnsharpPopup, crop.getUnsharpMask());
  show(mDescreenPopup, crop.getDescreen());
  show(mRdcDustPopup, crop.getReduceDust());
  show(mRemoveDustPopup, crop.getRemoveDust());
  show(mReduceDustFAUPopup, crop.getReduceDustFAU());
  show(mGrCorctPopup, crop.getGrainCorrect());
  show(mFdCorctPopup, previewOnly ? crop.getFadingCorrect() : 0);
  show(mBlCorctPopup, previewOnly ? crop.getBackLightCorrect() : 0);
  show(mBookCorctPopup, previewOnly ? crop.getBookCorrect() : 0);
}

// ---- The floating dialogs and the information panel -------------------------------------------

void Quirel_ExtendMode::setValueColorSettingDialog() {
  if (!windowEnabled()) return;
  const bool closeAll = mMultiCrop || (ver(&Quirel_UIScannerInfo::isVer1600Later) && isFilmMode() && !mScanLoop &&
                                       !mHasPreview);
  const bool preview = mHasPreview && !mScanLoop && !mChangeThumbnailMode;
  Quirel_CropInfo* templ = mTemplateCrop.get();
  // Dialogs not made yet have nothing to show.
  if (mColorBalanceDialog && mColorBalanceDialog->isVisible()) {
    if (closeAll)
      mColorBalanceDialog->closeColorBalanceDialog();
    else
      mColorBalanceDialog->updateColorBalanceDialog(&mCropList, templ);
  }
  if (mToneBCDialog && mToneBCDialog->isVisible()) {
    if (closeAll)
      mToneBCDialog->close();
    else
      mToneBCDialog->updateToneBCDialog(&mCropList, templ);
  }
  if (mToneCurveDialog && mToneCurveDialog->isVisible()) {
    if (closeAll)
      mToneCurveDialog->close();
    else
      mToneCurveDialog->updateToneCurveDialog(&mCropList, templ);
  }
  if (mHistogramDialog && mHistogramDialog->isVisible()) {
    if (closeAll)
      mHistogramDialog->close();
    else
      mHistogramDialog->updateHistDialog(templ, &mCropList, preview);
  }
  if (mFinalReviewDialog && mFinalReviewDialog->isVisible()) {
    if (closeAll) {
      mFinalReviewDialog->close();
    } else {
      mFinalReviewDialog->updateToneCurve(&mCropList, preview, templ, mPreferenceInfo.get());
      mFinalReviewDialog->drawHistgram(&mCropList, preview, templ);
    }
  }
  if (mThresholdDialog && mThresholdDialog->isVisible()) {
    if (closeAll)
      mThresholdDialog->close();
    else
      mThresholdDialog->updateThresholdDialog(&mCropList, preview, templ);
  }
}

void Quirel_ExtendMode::setValueInfoDialog(const Quirel_CropInfo& crop, bool sizesOnly, bool evenWhenHidden) {
  Quirel_InfoDialog* info = mInfoDialog.get();
  if (!info) return;
  if (!info->isVisible() && !evenWhenHidden) return;
  const int unit = crop.getUnit();
  const double platen = mPlatenResolution > 0 ? mPlatenResolution : 300;
  const double res = crop.getResolution() > 0 ? crop.getResolution() : platen;
  auto inUnit = [&](double pixels) {
    if (unit == 0) return pixelToInch(pixels, platen);
    if (unit == 1) return pixelToCm(pixels, platen);
    return convertResolution(pixels, platen, res);
  };
  info->setInputWidth(unit, inUnit(crop.getInputWidth_Pixel96()));
  info->setInputHeight(unit, inUnit(crop.getInputHeight_Pixel96()));
  info->setOutputWidth(unit, inUnit(crop.getOutputWidth_Pixel96()));
  info->setOutputHeight(unit, inUnit(crop.getOutputHeight_Pixel96()));
  const double pixels = std::floor(convertResolution(crop.getOutputWidth_Pixel96(), platen, res) *
                                   convertResolution(crop.getOutputHeight_Pixel96(), platen, res));
  info->setDataSize(crop.getDataSize(mPlatenResolution), pixels > 0 ? static_cast<std::uint64_t>(pixels) : 0);
  if (sizesOnly) return;

  auto titleOf = [](const Quirel_CTRLS_PopupButton* popup) {
    return popup ? popup->getTitleAtAtRepresentedNumber(popup->getRepresentedNumber()) : std::string();
  };
  info->setSourceStr(titleOf(mImgSrcPopup.get()).c_str());
  if (isFilmMode())
    info->setFilmSizeStr(titleOf(mFilmSizePopup.get()).c_str());
  else
    info->setPaperSizeStr(titleOf(mPaperSizePopup.get()).c_str());
  info->setColorModeStr(titleOf(mColorModePopup.get()).c_str());
  info->setOutputSizeStr(titleOf(mOutSizePopup.get()).c_str());
  info->setOutputScale(crop.getMagnification());
  info->setResolution(crop.getResolution());
  info->setAutoToneStr(titleOf(mAutoTonePopup.get()).c_str());
  info->setColorAdjustStr(titleOf(mColorAdjustPopup.get()).c_str());
  info->setCopyGammaStr(titleOf(mCopyGammaPopup.get()).c_str());
  info->setUnsharpStr(titleOf(mUnsharpPopup.get()).c_str());
  info->setDescreenStr(titleOf(mDescreenPopup.get()).c_str());
  info->setReduceDustStr(titleOf(mRdcDustPopup.get()).c_str());
  info->setRemoveDustStr(titleOf(mRemoveDustPopup.get()).c_str());
  info->setReduceDustFAUStr(titleOf(mReduceDustFAUPopup.get()).c_str());
  info->setFadingCorrectStr(titleOf(mFdCorctPopup.get()).c_str());
  info->setGrainCorrectStr(titleOf(mGrCorctPopup.get()).c_str());
  info->setBackLightStr(titleOf(mBlCorctPopup.get()).c_str());
  info->setBookCorrectStr(titleOf(mBookCorctPopup.get()).c_str());
  if (isFilmMode()) {
    const bool all = crop.isApplyToneValueToAll();
    info->setExposure(crop.isExposure());
    if (crop.isExposure())
      info->setExposureValue(all ? crop.getExposureValueOfApplyToneValueToAll() : crop.getExposureValue());
    info->setSaveTone(all, isThumbnailMode());
    if (mScannerInfo && mScannerInfo->highQualityMode())
      info->setHighQualityModeStr(titleOf(mHighQualityPopup.get()).c_str());
  }
  if (mScannerInfo && mScannerInfo->alwaysCalibration())
    info->setCalibrationEveryScanStr(titleOf(mCalibrationPopup.get()).c_str());
  info->setColorSetting(colorSettingFor(crop.getColorMode()));
  info->setSilentMode(mPreferenceInfo && mPreferenceInfo->getQuietMode());

  int count = static_cast<int>(mCropList.size());
  if (mMultiCrop) {
    count = 0;
    for (const auto& c : mCropList)
      if (c->isMultiCrop()) ++count;
  }
  if (mScanMode == 2 && !mHasPreview)
    info->setNumberCropStr("-");
  else
    info->setNumberCropStr(std::to_string(count).c_str());
  if (mPreferenceInfo)
    info->setColumn_UIMode(1, mScanMode, mHasPreview, mMultiCrop, *mPreferenceInfo, crop, isHiddenCopyGamma());
}
