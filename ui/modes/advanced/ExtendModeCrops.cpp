#include <algorithm>

#include "ui/model/CropInfo.h"
#include "ui/model/FavoriteSetting.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/model/ToneSetting.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/modes/advanced/ExtendMode.h"

std::vector<Quirel_CropInfo*> Quirel_ExtendMode::getTargetCrops() {
  std::vector<Quirel_CropInfo*> targets;
  if (mCropList.empty()) {
    if (mTemplateCrop) targets.push_back(mTemplateCrop.get());
    return targets;
  }
  for (const auto& crop : mCropList) {
    if (crop->isSelected()) targets.push_back(crop.get());
  }
  return targets;
}

std::vector<Quirel_CropInfo*> Quirel_ExtendMode::getAllCrops() {
  std::vector<Quirel_CropInfo*> all;
  if (mTemplateCrop) all.push_back(mTemplateCrop.get());
  for (const auto& crop : mCropList) all.push_back(crop.get());
  return all;
}

void Quirel_ExtendMode::updateCropByUnit(int v, Quirel_CropInfo& crop) { crop.setUnit(v); }
void Quirel_ExtendMode::updateCropByColorAdjustment(int v, Quirel_CropInfo& crop) { crop.setColorAdjust(v); }
void Quirel_ExtendMode::updateCropByCopyGamma(int v, Quirel_CropInfo& crop) { crop.setCopyGamma(v); }
void Quirel_ExtendMode::updateCropByUnsharpMask(int v, Quirel_CropInfo& crop) { crop.setUnsharpMask(v); }
void Quirel_ExtendMode::updateCropByDescreen(int v, Quirel_CropInfo& crop) { crop.setDescreen(v); }
void Quirel_ExtendMode::updateCropByReduceDust(int v, Quirel_CropInfo& crop) { crop.setReduceDust(v); }
void Quirel_ExtendMode::updateCropByRemoveDust(int v, Quirel_CropInfo& crop) { crop.setRemoveDust(v); }
void Quirel_ExtendMode::updateCropByReduceDustFAU(int v, Quirel_CropInfo& crop) { crop.setReduceDustFAU(v); }
void Quirel_ExtendMode::updateCropByFadingCorrect(int v, Quirel_CropInfo& crop) { crop.setFadingCorrect(v); }
void Quirel_ExtendMode::updateCropByGrainCorrect(int v, Quirel_CropInfo& crop) { crop.setGrainCorrect(v); }
void Quirel_ExtendMode::updateCropByBackLightCorrect(int v, Quirel_CropInfo& crop) { crop.setBackLightCorrect(v); }
void Quirel_ExtendMode::updateCropByBookCorrect(int v, Quirel_CropInfo& crop) { crop.setBookCorrect(v); }
void Quirel_ExtendMode::updateCropByExposureValue(int v, Quirel_CropInfo& crop) { crop.setExposureValue(v); }

void Quirel_ExtendMode::updateCropByExposure(bool on, Quirel_CropInfo& crop) {
  crop.setExposure(on);
  updateAutoToneByChangeManualExposure(crop);
}

// Off, the group goes back to neutral; the callers refresh automatic tone themselves.
void Quirel_ExtendMode::updateCropByAllExposure(bool on, Quirel_CropInfo& crop, const Quirel_CropInfo& source) {
  crop.setApplyToneValueToAll(on);
  crop.setExposureOfApplyToneValueToAll(on && source.isExposure());
  crop.setExposureValueOfApplyToneValueToAll(on ? source.getExposureValue() : 100);
  crop.setBaseCropOfApplyToneValueToAll(on ? &source : nullptr);
}

void Quirel_ExtendMode::updateCropByColorMode(int colorMode, Quirel_CropInfo& crop) {
  const int old = crop.getColorMode();
  if (old == colorMode) return;
  crop.setColorMode(colorMode);
  // Within the colour modes (3 to 5), or within the grays (1 and 2), the automatic tone holds.
  const bool colour = old >= 3 && old <= 5 && colorMode >= 3 && colorMode <= 5;
  const bool gray = (old == 1 || old == 2) && (colorMode == 1 || colorMode == 2);
  if (!colour && !gray) updateAutoToneByChangeColorMode(crop);
}

// A named output size keeps its own magnification.
void Quirel_ExtendMode::updateCropByMagnification(int value, Quirel_CropInfo& crop) {
  if (crop.getOutputSize() != 0) return;
  const SSizeDouble in = crop.getInputSize_Pixel96();
  crop.setMagnification(value);
  crop.setOutputSize_Pixel96({maltipleUnit(value, in.width), maltipleUnit(value, in.height)});
}

void Quirel_ExtendMode::updateCropByToneSetting(const Quirel_ToneSetting* setting, Quirel_CropInfo& crop) {
  if (!setting) return;
  crop.setColorBalance(setting->getColorBalance());
  crop.setToneBC_Channel(0);
  crop.setToneBC(setting->getToneBC());
  crop.setHistogram_Channel(0);
  crop.setHistogram(setting->getHistogram());
  crop.setToneCurve_Channel(0);
  crop.setToneCurve(setting->getToneCurve());
  crop.setThreshold(setting->getThreshold());
}

void Quirel_ExtendMode::updateCropByFavoriteSetting(const Quirel_FavoriteSetting& f, Quirel_CropInfo& crop) {
  crop.setColorMode(f.getColorMode());
  if (&crop != mTemplateCrop.get()) {
    if (isThumbnailMode())
      updateCropByOutputSize(f.getOutputSize(), crop, false);
    else if (ver(&Quirel_UIScannerInfo::isVer1700Later))
      updateCropByOutputSize(f.getOutputSize(), f.getOutputSizeRotated(), crop, true);
    else
      updateCropByOutputSize(f.getOutputSize(), crop, true);
  }
  updateCropByResolusion(f.getResolution(), crop);
  updateCropByMagnification(crop.getMagnification(), crop);
  if (crop.isFixesRatio()) crop.setRatio(crop.getInputWidth_Pixel96(), crop.getInputHeight_Pixel96());
  crop.setUnit(f.getUnit());
  crop.setAutoTone(f.getAutoTone());
  crop.setColorAdjust(f.getColorAdjust());
  crop.setCopyGamma(f.getCopyGamma());
  crop.setUnsharpMask(f.getUnsharpMask());
  crop.setDescreen(f.getDescreen());
  crop.setReduceDust(f.getReduceDust());
  crop.setRemoveDust(f.getRemoveDust());
  crop.setReduceDustFAU(f.getReduceDustFAU());
  crop.setFadingCorrect(f.getFadingCorrect());
  crop.setGrainCorrect(f.getGrainCorrect());
  crop.setBackLightCorrect(f.getLightCorrect());
  crop.setBookCorrect(f.getBookCorrect());
  crop.setAutoDocCorrect(f.getAutoDocCorrect());
  crop.setExposure(f.isExposure());
  crop.setExposureValue(f.getExposureValue());
  crop.setApplyToneValueToAll(f.isApplyToneValueToAll());
  crop.setExposureOfApplyToneValueToAll(f.isExposureOfApplyToneValueToAll());
  crop.setExposureValueOfApplyToneValueToAll(f.getExposureValueOfApplyToneValueToAll());
  crop.setBaseCropOfApplyToneValueToAll(f.getBaseCropOfApplyToneValueToAll());
  // The values alone: the channels the dialogs show stay as they are.
  crop.setColorBalance(f.getColorBalance());
  crop.setToneBC(f.getToneBC());
  crop.setHistogram(f.getHistogram());
  crop.setToneCurve(f.getToneCurve());
  crop.setThreshold(f.getThreshold());
  if (crop.getBaseCropOfDataPersistence()) crop.removeBaseCropOfDataPersistence();
  if (crop.getAutoTone() == 5) crop.setBaseCropOfDataPersistence(f.getBaseCropOfDataPersistence());
}

void Quirel_ExtendMode::updateCropsByStartMultiCrop() {
  for (const auto& crop : mCropList) {
    if (!crop->isMultiCrop()) crop->setHidden(true);
  }
}

void Quirel_ExtendMode::updateCropsByEndMultiCrop() {
  if (mPreferenceInfo && mPreferenceInfo->getCropAfterPrev() == 1) {
    std::erase_if(mCropList, [](const std::shared_ptr<Quirel_CropInfo>& crop) {
      if (!crop->isMultiCrop()) return false;
      crop->removeCropView();
      return true;
    });
    for (const auto& crop : mCropList) crop->setHidden(false);
    return;
  }
  copyCropFromMultiToTemplate();
  if (mTemplateCrop) {
    mTemplateCrop->setFixesRatio(false);
    updateCropByMagnification(100, *mTemplateCrop);
  }
  for (const auto& crop : mCropList) crop->removeCropView();
  mCropList.clear();
}

void Quirel_ExtendMode::updateCropByResetToneSetting(Quirel_CropInfo& crop, bool withThreshold) {
  Quirel_BaseScanMode::updateCropByResetToneSetting(crop, withThreshold);
  resetChanelImageDialogs();
}
