// The image source of the advanced mode: the defaults a crop takes when it enters a source.

#include "ui/model/CropInfo.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/modes/advanced/ExtendMode.h"

void Quirel_ExtendMode::updateCropByImageSource(int imageSource, int paperSize, int colorMode, Quirel_CropInfo& crop) {
  const bool adf = imageSource == 5 || imageSource == 6;
  SSizeDouble paper = getPaperSizeWH_Pixel96(paperSize);
  if (adf && mADFDirection == 1) paper = {paper.height, paper.width};
  crop.setImageSource(imageSource);
  crop.setPaperSize(paperSize);
  crop.setColorMode(colorMode);
  crop.setResolution(imageSource == 0 || adf ? 300 : 1200);
  crop.setOutputSize(0);
  crop.setUnit(mUserLocaleUnits.unit);
  crop.setInputSize_Pixel96(paper.width, paper.height);
  crop.setMagnification(100);
  crop.setOutputSize_Pixel96(paper);
  crop.setFixesRatio(false);
  crop.setRatio(1, 1);
  crop.setAutoTone(0);
  crop.setFadingCorrect(0);
  crop.setBackLightCorrect(0);
  crop.setColorAdjust(0);
  if (!adf) {
    crop.setCopyGamma(mScannerInfo && mScannerInfo->useRACS2() ? 0 : 2);
    crop.setUnsharpMask(1);
    crop.setDescreen(0);
    crop.setReduceDust(0);
    crop.setRemoveDust(0);
    crop.setReduceDustFAU(0);
    crop.setGrainCorrect(0);
    crop.setBookCorrect(0);
  }
  crop.setAutoDocCorrect(0);
  crop.setExposure(false);
  crop.setExposureValue(100);
  updateCropByAllExposure(false, crop, crop);
  updateCropByResetToneSetting(crop, true);
}
