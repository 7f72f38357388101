#pragma once

// A crop whose every stored setting holds a value of its own (derived from n), so that a field
// lost or crossed on the way through a dictionary or a copy shows.

#include <memory>

#include "ui/model/CropInfo.h"

namespace cropfixtures {

inline ChannelValues channels(int base) { return ChannelValues{base, base + 1, base + 2, base + 3}; }

inline void fill(Quirel_CropInfo& c, int n) {
  c.setFocus(true);
  c.setSelect(true);
  c.setCropViewRotation(12.5 + n);
  c.setMultiCrop(true);
  c.setImageSourceForStandard(3 + n);
  c.setImageSource(2 + n);
  c.setColorMode(4);
  c.setPaperSize(10 + n);
  c.setUnit(1);
  c.setInputRect_Pixel96(makeSRectDouble(100.5 + n, 200.25, 3000 + n, 4000.75));
  c.setResolution(600 + n);
  c.setOutputSize(5);
  c.setTempOutputSize(6);
  c.setDestination(1);
  c.setMagnification(150 + n);
  c.setFixesRatio(true);
  c.setRatio(4.0, 3.0 + n);
  c.setOutputSize_Pixel96(makeSSizeDouble(6000.5 + n, 8000.25));
  c.setAutoTone(1);
  c.setColorAdjust(2);
  c.setCopyGamma(3);
  c.setUnsharpMask(4);
  c.setDescreen(5);
  c.setReduceDust(6);
  c.setReduceDustFAU(7);
  c.setRemoveDust(8);
  c.setFadingCorrect(9);
  c.setGrainCorrect(10);
  c.setBackLightCorrect(11);
  c.setBookCorrect(12);
  c.setAutoDocCorrect(13 + n);
  c.setAutoPhotoCorrect(1);  // not stored
  c.setExposure(true);
  c.setExposureValue(120 + n);
  c.setApplyToneValueToAll(true);
  c.setExposureOfApplyToneValueToAll(true);
  c.setExposureValueOfApplyToneValueToAll(90 + n);
  c.setRetainNumber(7 + n);
  c.setColorBalance(ColorBalanceValues{-10 - n, 20, -30, 40});
  c.setToneBC_Channel(2);
  c.setToneBC(ToneBCValues{channels(-20 - n), channels(30)});
  c.setHistogram_Channel(3);
  c.setHistogram(HistogramValues{channels(5 + n), channels(120), channels(240), channels(126)});
  c.setToneCurve_Channel(1);
  ToneCurveValues curve = c.getToneCurve();
  curve.selectToneCurve = ChannelValues{5, 1, 2, 3};
  for (int ch = 0; ch < 4; ++ch) {
    curve.setPointCount[ch] = 3 + ch + n % 5;
    for (int i = 0; i < kCropToneCurvePoints; ++i) {
      curve.setPoint[ch][i] = TagPoint{ch * 16 + i + n, 255 - i};
      curve.squarePoint[ch][i] = TagPoint{i * 2, ch + i + n};
    }
  }
  c.setToneCurve(curve);
  c.setThreshold(140 + n);
  c.setRotation(1 + n % 3);
  c.setMirror(true);
  c.setPreviewViewSize(fnd::Size{640.5, 480.25 + n});
  c.setPreviewSize_Pixel96(makeSSizeDouble(81600 + n, 112320));
  c.setVisiblePreviewSize_Pixel96(makeSSizeDouble(40000, 50000 + n));
  c.setPreviewStartPoint_Pixel96(makeSPointDouble(1234.5 + n, 2345.25));
  c.setcropCorRect(makeSRectDouble(1, 2 + n, 300, 400));
}

inline std::unique_ptr<Quirel_CropInfo> filledCrop(int n) {
  auto crop = std::make_unique<Quirel_CropInfo>();
  fill(*crop, n);
  return crop;
}

}  // namespace cropfixtures
