#include <algorithm>
#include <cmath>

#include "ui/controls/CropView.h"
#include "ui/model/CropInfo.h"
#include "ui/model/OutputSize.h"
#include "ui/model/ThumbnailInfo.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/model/Units.h"
#include "ui/modes/basic/StandardMode.h"

namespace {

bool stdCropThumbnailMode(int scanMode) { return scanMode == 1 || scanMode == 3; }
bool stdCropFilmMode(int scanMode) { return scanMode == 2 || scanMode == 3; }

}  // namespace

std::optional<SSizeDouble> Quirel_StandardMode::namedSizeInPreviewPixels(const Quirel_OutputSize& o,
                                                                         double pixelDpi) const {
  const OutputSizeLength w = o.getOutputWidth();
  const OutputSizeLength h = o.getOutputHeight();
  SSizeDouble size{0, 0};
  switch (o.getUnit()) {
    case 2:
      size = {convertResolution(w.pixel, pixelDpi, mPlatenResolution), convertResolution(h.pixel, pixelDpi, mPlatenResolution)};
      break;
    case 0:
      size = {inchToPixel(w.inch, mPlatenResolution), inchToPixel(h.inch, mPlatenResolution)};
      break;
    default:
      size = {cmToPixel(w.cm, mPlatenResolution), cmToPixel(h.cm, mPlatenResolution)};
      break;
  }
  if (!(size.width > 0) || !(size.height > 0)) return std::nullopt;
  return size;
}

bool Quirel_StandardMode::checkOutputSizeInPreview(int n, double W, double H, int rotation, int paperSize) {
  if (n == 0 || n == -1) return true;
  const std::shared_ptr<Quirel_OutputSize> o = getOutputSizeObject(n);
  if (!o) return true;
  // A named size without a usable side cannot be shown: the crop becomes a free size.
  const std::optional<SSizeDouble> named = namedSizeInPreviewPixels(*o, o->getDestination() == 0 ? 300 : 150);
  if (!named) return false;
  double w = named->width;
  double h = named->height;
  const bool v15 = mScannerInfo && mScannerInfo->isVer1500Later();
  if (v15 && stdCropThumbnailMode(mScanMode)) {
    if ((H > W) != (h > w)) std::swap(w, h);
  } else if (mScanMode == 3 && needRotation90(paperSize, W, H, rotation)) {
    if (rotation == 0 || rotation == 2) std::swap(w, h);
  } else if (rotation == 1 || rotation == 3) {
    std::swap(w, h);
  }
  if (w > W || h > H) {
    const SSizeDouble fit = calcSizeInSize(w, h, W, H);
    w = fit.width;
    h = fit.height;
  }
  const double minimum = convertResolution(48, 300, mPlatenResolution);
  if (w < minimum) {
    h = calcRatio(w, h, minimum);
    w = minimum;
  }
  if (h < minimum) {
    w = calcRatio(h, w, minimum);
    h = minimum;
  }
  return !(w > W || h > H);
}

void Quirel_StandardMode::updateCropByDestination(int destination, Quirel_CropInfo& crop, bool removeCropView) {
  if (crop.getDestination() == destination) return;
  crop.setDestination(destination);
  updateCropByOutputSize(0, crop, removeCropView);
}

void Quirel_StandardMode::updateCropByOutputSize(int n, Quirel_CropInfo& crop, bool removeCropView) {
  const SSizeDouble visible = crop.getVisiblePreviewSize_Pixel96();
  const std::shared_ptr<Quirel_OutputSize> o = n != 0 ? getOutputSizeObject(n) : nullptr;
  if (o && checkOutputSizeInPreview(n, visible.width, visible.height, crop.getRotation(), crop.getPaperSize())) {
    changeToFixedSize(*o, crop);
  } else {
    changeToFlexible(crop, removeCropView);
  }
  updateCropRectFromCrop(crop, true);
  if (!(mScannerInfo && mScannerInfo->isVer1400Later()) && stdCropThumbnailMode(mScanMode)) updateCropByMagnification(crop);
}

void Quirel_StandardMode::changeToFlexible(Quirel_CropInfo& crop, bool removeCropView) {
  const bool ver1400 = mScannerInfo && mScannerInfo->isVer1400Later();
  const int destination = crop.getDestination();
  const int resolution = ver1400 && stdCropFilmMode(mScanMode) ? 1200 : destination == 1 ? 150 : 300;
  const int unit = destination == 1 ? 2 : mUserLocaleUnits.unit;
  const int m = ver1400 ? 100 : crop.getMagnification();
  SRectDouble r = crop.getInputRect_Pixel96();
  if (stdCropThumbnailMode(mScanMode) && removeCropView) {
    if (crop.getCropView()) {
      if (Quirel_ThumbnailInfo* t = getThumbnailAtCrop(&crop)) t->removeThumbnailCrop();
      crop.removeCropView();
    }
    const SSizeDouble visible = crop.getVisiblePreviewSize_Pixel96();
    r = {{0, 0}, visible};
  }
  crop.setUnit(unit);
  crop.setInputRect_Pixel96(r);
  crop.setOutputSize(0);
  crop.setOutputSize_Pixel96({m * r.size.width / 100, m * r.size.height / 100});
  crop.setResolution(resolution);
  crop.setMagnification(m);
  crop.setFixesRatio(false);
  crop.setRatio(r.size.width, r.size.height);
}

void Quirel_StandardMode::changeToFixedSize(const Quirel_OutputSize& o, Quirel_CropInfo& crop) {
  const bool thumbnail = stdCropThumbnailMode(mScanMode);
  const std::optional<SSizeDouble> named = namedSizeInPreviewPixels(o, 300);
  if (!named) {
    // A named size without a usable side is no fixed size at all.
    changeToFlexible(crop, false);
    return;
  }
  if (thumbnail) giveThumbnailCropAView(crop);
  const SSizeDouble visible = crop.getVisiblePreviewSize_Pixel96();
  const double VW = visible.width;
  const double VH = visible.height;
  const int d = o.getDestination();
  const int r = d == 1 ? 150 : 300;
  const int rot = crop.getRotation();
  const bool mir = crop.getMirror();
  double OW = named->width;
  double OH = named->height;
  const bool v15 = mScannerInfo && mScannerInfo->isVer1500Later();
  if (v15 && thumbnail) {
    if ((VH > VW && OW > OH) || (VH <= VW && OH > OW)) std::swap(OW, OH);
  } else if (mScanMode == 3 && needRotation90(crop.getPaperSize(), VW, VH, rot)) {
    if (rot == 0 || rot == 2) std::swap(OW, OH);
  } else if (rot == 1 || rot == 3) {
    std::swap(OW, OH);
  }
  const SRectDouble in = crop.getInputRect_Pixel96();
  double w = OW;
  double h = OH;
  double X0 = 0, Y0 = 0, X1 = VW, Y1 = VH;
  if (thumbnail && v15) {
    const SSizeDouble fit = calcSizeInSize(OW, OH, VW, VH);
    w = fit.width;
    h = fit.height;
  } else if (!thumbnail && (in.size.width != 0 || in.size.height != 0)) {
    const SSizeDouble fit = calcSizeInSize(OW, OH, in.size.width, in.size.height);
    w = fit.width;
    h = fit.height;
    X0 = in.origin.x;
    Y0 = in.origin.y;
    X1 = in.origin.x + in.size.width;
    Y1 = in.origin.y + in.size.height;
  }
  fitFixedSizeToPreview(OW, OH, VW, VH, w, h);
  double x = in.origin.x;
  double y = in.origin.y;
  if (thumbnail) {
    x = (VW - w) * 0.5;
    y = (VH - h) * 0.5;
  } else {
    switch (rot) {
      case 0: x = mir ? X1 - w : X0; y = Y1 - h; break;
      case 1: x = mir ? X1 - w : X0; y = Y0; break;
      case 2: x = mir ? X0 : X1 - w; y = Y0; break;
      case 3: x = mir ? X0 : X1 - w; y = Y1 - h; break;
      default: break;
    }
  }
  const int magnification = static_cast<int>(calcRatio(w, OW, 100));
  const int unit = o.getUnit() == 1 ? mUserLocaleUnits.unit : o.getUnit();
  crop.setDestination(d);
  crop.setInputRect_Pixel96({{x, y}, {w, h}});
  crop.setUnit(unit);
  crop.setResolution(300);
  crop.setMagnification(magnification);
  crop.setOutputSize(o.getIndex());
  crop.setOutputSize_Pixel96({OW, OH});
  crop.setFixesRatio(true);
  crop.setRatio(OW, OH);
  checkCropInPreview(visible, crop, true);
  updateCropByResolusion(r, crop);
}

void Quirel_StandardMode::updateCropByMagnification(Quirel_CropInfo& crop) {
  if (crop.getOutputSize() != 0) return;
  int m = 100;
  if (stdCropFilmMode(mScanMode) && !(mScannerInfo && mScannerInfo->isVer1400Later())) {
    const SSizeDouble print = getPaperSizeWH_Pixel96(mUserLocaleUnits.filmSize);
    const double Lg = std::max(print.width, print.height);
    const double Sh = std::min(print.width, print.height);
    const SSizeDouble size = stdCropThumbnailMode(mScanMode) ? crop.getVisiblePreviewSize_Pixel96() : crop.getInputSize_Pixel96();
    const double w = size.width;
    const double h = size.height;
    const int m1 = static_cast<int>(w >= h ? calcRatio(w, Lg, 100) : calcRatio(w, Sh, 100));
    const int m2 = static_cast<int>(w >= h ? calcRatio(h, Sh, 100) : calcRatio(h, Lg, 100));
    m = std::max(m1, m2);
  }
  const SSizeDouble in = crop.getInputSize_Pixel96();
  crop.setMagnification(m);
  crop.setOutputSize_Pixel96({m * in.width / 100, m * in.height / 100});
}

void Quirel_StandardMode::updateCropByResolusion(int resolution, Quirel_CropInfo& crop) {
  const int n = crop.getOutputSize();
  const int old = crop.getResolution();
  crop.setResolution(resolution);
  const SSizeDouble in = crop.getInputSize_Pixel96();
  const SSizeDouble out = crop.getOutputSize_Pixel96();
  const std::shared_ptr<Quirel_OutputSize> o = n != 0 ? getOutputSizeObject(n) : nullptr;
  if (o) {
    double OW = out.width;
    double OH = out.height;
    if (o->getUnit() == 2 && resolution > 0 && old > 0) {
      OW = convertResolution(convertResolution(OW, mPlatenResolution, old), resolution, mPlatenResolution);
      OH = convertResolution(convertResolution(OH, mPlatenResolution, old), resolution, mPlatenResolution);
    }
    crop.setMagnification(static_cast<int>(calcRatio(in.width, OW, 100)));
    crop.setOutputSize_Pixel96({OW, OH});
  } else {
    crop.setMagnification(100);
    crop.setOutputSize_Pixel96(in);
  }
}

void Quirel_StandardMode::updateCropByRemoveDust(int value, Quirel_CropInfo& crop) { crop.setRemoveDust(value); }
void Quirel_StandardMode::updateCropByReduceDustFAU(int value, Quirel_CropInfo& crop) { crop.setReduceDustFAU(value); }
void Quirel_StandardMode::updateCropByFadingCorrect(int value, Quirel_CropInfo& crop) { crop.setFadingCorrect(value); }
void Quirel_StandardMode::updateCropByBackLightCorrect(int value, Quirel_CropInfo& crop) { crop.setBackLightCorrect(value); }
void Quirel_StandardMode::updateCropByBookCorrect(int value, Quirel_CropInfo& crop) { crop.setBookCorrect(value); }

void Quirel_StandardMode::updateCropByColorPattern(const ColorBalanceValues& b, Quirel_CropInfo& crop) {
  const ColorBalanceValues current = crop.getColorBalance();
  crop.setColorBalance({current.chroma, b.cyanRed, b.magentaGreen, b.yellowBlue});
}
