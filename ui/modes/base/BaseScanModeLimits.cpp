// Feature tests, the scanner's size and data limits, and greying the whole main window.

#include "kit/Window.h"
#include "ui/controls/CTRLS_MainWindow.h"
#include "ui/controls/DisabledView.h"
#include "ui/model/CropInfo.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/model/ThumbnailInfo.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/modes/base/BaseScanMode.h"

const Quirel_CropInfo* Quirel_BaseScanMode::focusedOrTemplateCrop() const {
  for (const auto& crop : mCropList) {
    if (crop && crop->isFocus()) return crop.get();
  }
  return mTemplateCrop.get();
}

bool Quirel_BaseScanMode::checkScanCount() const {
  if (!inThumbnailMode()) return true;
  return getCheckedThumbnailCount() > 0;
}

bool Quirel_BaseScanMode::checkScanSize(int colorMode) const {
  double maxWidth = 0;
  double maxHeight = 0;
  if (mScannerInfo) {
    if (isEnableLargeScan()) {
      maxWidth = mScannerInfo->maxScanWidth_L();
      maxHeight = mScannerInfo->maxScanHeight_L();
    } else if (colorMode == 2 || colorMode == 4) {
      maxWidth = mScannerInfo->maxScanWidth_48();
      maxHeight = mScannerInfo->maxScanHeight_48();
    } else {
      maxWidth = mScannerInfo->maxScanWidth_24();
      maxHeight = mScannerInfo->maxScanHeight_24();
    }
  }
  const double platen = mPlatenResolution;
  const auto fits = [&](const Quirel_CropInfo* crop) {
    if (!crop || platen == 0) return true;
    const double width = crop->getOutputWidth_Pixel96() * crop->getResolution() / platen;
    const double height = crop->getOutputHeight_Pixel96() * crop->getResolution() / platen;
    return width < maxWidth + 1 && height < maxHeight + 1;
  };

  if (inThumbnailMode() && !mThumbnailList.empty()) {
    for (const auto& thumbnail : mThumbnailList) {
      if (thumbnail && thumbnail->isChecked() && !fits(thumbnail->getCropInfo().get())) return false;
    }
    return true;
  }
  if (mMultiCrop) return true;
  if (mCropList.empty()) return fits(mTemplateCrop.get());
  for (const auto& crop : mCropList) {
    if (!fits(crop.get())) return false;
  }
  return true;
}

double Quirel_BaseScanMode::dataSizeIn(const Quirel_CropInfo& crop, Quirel_DataSizeUnit unit) const {
  const double bytes = static_cast<double>(crop.getDataSize(mPlatenResolution));
  switch (unit) {
    case Quirel_DataSizeUnit::GiB: return bytes / (1024.0 * 1024.0 * 1024.0);
    case Quirel_DataSizeUnit::MiB: return bytes / (1024.0 * 1024.0);
    case Quirel_DataSizeUnit::Byte: break;
  }
  return bytes;
}

bool Quirel_BaseScanMode::checkScanDataSize(double limit, Quirel_DataSizeUnit unit, bool total) const {
  if (limit <= 0) return true;
  if (!(mScannerInfo && mScannerInfo->isVer1600Later() && unit == Quirel_DataSizeUnit::GiB)) limit += 0.01;

  double sum = 0;
  // NO as soon as a frame, or the running sum with `total`, reaches the limit.
  const auto reaches = [&](const Quirel_CropInfo* crop) {
    if (!crop) return false;
    const double size = dataSizeIn(*crop, unit);
    sum += size;
    return limit <= (total ? sum : size);
  };

  if (inThumbnailMode() && !mThumbnailList.empty()) {
    for (const auto& thumbnail : mThumbnailList) {
      if (thumbnail && thumbnail->isChecked() && reaches(thumbnail->getCropInfo().get())) return false;
    }
    return true;
  }
  if (mMultiCrop) return true;
  if (mCropList.empty()) return !mTemplateCrop || dataSizeIn(*mTemplateCrop, unit) < limit;
  for (const auto& crop : mCropList) {
    if (reaches(crop.get())) return false;
  }
  return true;
}

bool Quirel_BaseScanMode::isEnableLargeScan() const {
  if (!mScannerInfo || !mScannerInfo->enableLargeScan()) return false;
  switch (mScannerInfo->largeScanFromApplication()) {
    case 1: return false;
    case 2: return true;
    default: return mPreferenceInfo && mPreferenceInfo->getEnableLargeScan();
  }
}

bool Quirel_BaseScanMode::isEnabledAlwaysAutoTone(int colorMode) const {
  const int choice = mPreferenceInfo ? mPreferenceInfo->getColorSetting(colorMode) : 0;
  if (mScannerInfo && (mScannerInfo->isVer310() || mScannerInfo->isVer1400Later())) return choice == 0;
  return choice != 2;
}

bool Quirel_BaseScanMode::isAlwaysAutoTone(int colorMode) const {
  return isEnabledAlwaysAutoTone(colorMode) && mPreferenceInfo && mPreferenceInfo->getAlwaysAutoTone();
}

bool Quirel_BaseScanMode::isHiddenColorAdjust() const {
  const Quirel_CropInfo* crop = focusedOrTemplateCrop();
  const int colorMode = crop ? crop->getColorMode() : 0;
  if (!mScannerInfo || !mScannerInfo->ColorAdjust()) return true;
  if (colorMode == 0 || colorMode == 6) return true;
  if (mPreferenceInfo && mPreferenceInfo->getColorSetting(colorMode) != 0) return true;
  if (isADFMode()) return !mScannerInfo->useRACS2();
  return false;
}

bool Quirel_BaseScanMode::isHiddenCopyGamma() const {
  const Quirel_CropInfo* crop = focusedOrTemplateCrop();
  const int colorMode = crop ? crop->getColorMode() : 0;
  if (!mScannerInfo || !mScannerInfo->CopyGamma()) return true;
  if (inFilmMode() || colorMode == 0 || colorMode == 6) return true;
  if (mPreferenceInfo && mPreferenceInfo->getColorSetting(colorMode) != 0) return true;
  const bool racs2 = mScannerInfo->useRACS2();
  if (isADFMode()) {
    if (!racs2) return false;
    if (mUIMode == 0) return true;
    return !crop || isHiddenPlatenCopyGammaAtCrop(*crop);
  }
  if (!racs2 || mUIMode == 0 || !mHasPreview) return true;
  return !crop || isHiddenPlatenCopyGammaAtCrop(*crop);
}

bool Quirel_BaseScanMode::isHiddenPlatenCopyGammaAtCrop(const Quirel_CropInfo& crop) const {
  const int adjust = crop.getColorAdjust();
  return !(adjust == 3 || adjust == 4);
}

int Quirel_BaseScanMode::getCalibrationMassageID(int kind) const {
  const bool p = mHasPreview;
  if (kind != 1 && mScannerInfo) {
    if (mScannerInfo->isOneFrameFAU()) return p ? 1281 : 1280;
    if (mScannerInfo->isCIS()) return p ? 1418 : 1415;
  }
  return p ? 1202 : -1;
}

int Quirel_BaseScanMode::convEnableResolution(int r) const {
  if (mScanMode != 1) return r;
  if (r >= 1201 && r <= 2400) return 2400;
  if (r >= 2401 && r <= 4800) return 4800;
  if (r >= 4801 && r <= 9600) return 9600;
  if (r >= 9601 && r <= 19200) return 19200;
  return r;
}

void Quirel_BaseScanMode::setEnabledMainWindow(bool enable) {
  if (Quirel_MainWindow* window = mMainWindow ? mMainWindow->getWindow() : nullptr)
    window->setMasked(!enable, mWindowMaskView);
}
