// Whole-frame changes: mirror and quarter turns of the preview or the selected thumbnails, frame
// copies and the template, neutral tone values, the zoom scan's area and its way back, and the
// fitting of automatically found frames.

#include <algorithm>
#include <cmath>

#include "kit/View.h"
#include "ui/controls/CTRLS_Preview.h"
#include "ui/model/CropFrameViewLink.h"
#include "ui/model/CropInfo.h"
#include "ui/model/OutputSize.h"
#include "ui/model/ThumbnailInfo.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/modes/base/BaseScanMode.h"

namespace {

// Thumbnails a toolbar turn or mirror applies to: the selected ones, or the focused one on
// scanners before 1300.
bool framesAppliesToThumbnail(const Quirel_ThumbnailInfo& t, const Quirel_UIScannerInfo* scanner) {
  return scanner && scanner->isVer1300Later() ? t.isSelected() : t.isFocus();
}

// The thumbnail's own saved crop, when it has a frame and one is saved apart from its record.
// Without one the thumbnail answers its record, which is turned or mirrored once, not twice.
Quirel_CropInfo* framesSavedThumbnailCrop(const Quirel_ThumbnailInfo& t) {
  if (!t.hasCrop()) return nullptr;
  const std::shared_ptr<Quirel_CropInfo> saved = t.getThumnailCrop();
  return saved && saved != t.getCropInfo() ? saved.get() : nullptr;
}

void framesRedrawThumbnail(const Quirel_ThumbnailInfo& t) {
  if (auto* view = dynamic_cast<kit::View*>(t.getFrameView())) view->setNeedsDisplay();
}

}  // namespace

void Quirel_BaseScanMode::mirrorImage() {
  if (!inThumbnailMode()) {
    mMirror = !mMirror;
    if (mTemplateCrop) updateCropByMirror(mMirror, *mTemplateCrop);
    for (const auto& crop : mCropList) updateCropByMirror(mMirror, *crop);
    updatePreview();
    return;
  }
  for (const auto& t : mThumbnailList) {
    if (!framesAppliesToThumbnail(*t, mScannerInfo.get())) continue;
    const bool mirror = !t->getMirror();
    t->setMirror(mirror);
    if (Quirel_CropInfo* saved = framesSavedThumbnailCrop(*t)) updateCropByMirror(mirror, *saved);
    if (t->getCropInfo()) updateCropByMirror(mirror, *t->getCropInfo());
    t->setVisiblePreviewSize_Pixel96(t->getVisiblePreviewSize_Pixel96());
    resizeThumbnailPreview(t->getNo());
    framesRedrawThumbnail(*t);
  }
}

namespace {

int framesTurn(int rotation, int step) { return (rotation + step + 4) % 4; }

}  // namespace

void Quirel_BaseScanMode::rotateToLeft() { rotateFrames(true); }
void Quirel_BaseScanMode::rotateToRight() { rotateFrames(false); }

void Quirel_BaseScanMode::rotateFrames(bool left) {
  // A left turn of a mirrored picture is a right turn of the plain one.
  const auto step = [left](bool mirror) { return left != mirror ? 1 : -1; };
  void (*const turn)(int, Quirel_CropInfo&) = left ? &updateCropByLeftRotate : &updateCropByRightRotate;
  if (!inThumbnailMode()) {
    mRotation = framesTurn(mRotation, step(mMirror));
    if (mPreview) {
      const fnd::Size v = mPreview->getVisiblePreviewSize_Pixel96();
      mPreview->setVisiblePreviewSize_Pixel96({v.height, v.width});
    }
    if (mTemplateCrop) turn(mRotation, *mTemplateCrop);
    for (const auto& crop : mCropList) turn(mRotation, *crop);
    if (mZoomScan && mPreview) {
      if (const Quirel_CropInfo* focus = getFocusCrop()) {
        const SSizeDouble v = focus->getVisiblePreviewSize_Pixel96();
        mPreview->setVisiblePreviewSize_Pixel96({v.width, v.height});
      }
    }
    updatePreview();
    return;
  }
  for (const auto& t : mThumbnailList) {
    if (!framesAppliesToThumbnail(*t, mScannerInfo.get())) continue;
    const int rotation = framesTurn(t->getRotation(), step(t->getMirror()));
    t->setRotation(rotation);
    if (Quirel_CropInfo* saved = framesSavedThumbnailCrop(*t)) turn(rotation, *saved);
    if (t->getCropInfo()) turn(rotation, *t->getCropInfo());
    t->setVisiblePreviewSize_Pixel96(t->getVisiblePreviewSize_Pixel96());
    resizeThumbnailPreview(t->getNo());
    framesRedrawThumbnail(*t);
  }
}

namespace {

// The values from the magnification to the threshold, shared by the frame copy and the template.
void framesCopyImageValues(const Quirel_CropInfo& s, Quirel_CropInfo& t) {
  t.setMagnification(s.getMagnification());
  t.setAutoTone(s.getAutoTone());
  t.setColorAdjust(s.getColorAdjust());
  t.setCopyGamma(s.getCopyGamma());
  t.setUnsharpMask(s.getUnsharpMask());
  t.setDescreen(s.getDescreen());
  t.setReduceDust(s.getReduceDust());
  t.setReduceDustFAU(s.getReduceDustFAU());
  t.setRemoveDust(s.getRemoveDust());
  t.setFadingCorrect(s.getFadingCorrect());
  t.setGrainCorrect(s.getGrainCorrect());
  t.setBackLightCorrect(s.getBackLightCorrect());
  t.setBookCorrect(s.getBookCorrect());
  t.setAutoDocCorrect(s.getAutoDocCorrect());
  t.setExposure(s.isExposure());
  t.setExposureValue(s.getExposureValue());
  t.setApplyToneValueToAll(s.isApplyToneValueToAll());
  t.setExposureOfApplyToneValueToAll(s.isExposureOfApplyToneValueToAll());
  t.setExposureValueOfApplyToneValueToAll(s.getExposureValueOfApplyToneValueToAll());
  t.setBaseCropOfApplyToneValueToAll(s.getBaseCropOfApplyToneValueToAll());
  t.setColorBalance(s.getColorBalance());
  t.setToneBC_Channel(s.getToneBC_Channel());
  t.setToneBC(s.getToneBC());
  t.setHistogram_Channel(s.getHistogram_Channel());
  t.setHistogram(s.getHistogram());
  t.setToneCurve_Channel(s.getToneCurve_Channel());
  t.setToneCurve(s.getToneCurve());
  t.setThreshold(s.getThreshold());
}

}  // namespace

void Quirel_BaseScanMode::copyCrop(const Quirel_CropInfo& s, Quirel_CropInfo& t, bool withSizes) {
  if (&s == &t) return;
  t.setImageSource(s.getImageSource());
  t.setImageSourceForStandard(s.getImageSourceForStandard());
  t.setColorMode(s.getColorMode());
  t.setPaperSize(s.getPaperSize());
  t.setFixesRatio(s.isFixesRatio());
  t.setRatio(s.getRatio());
  if (withSizes) t.setInputSize_Pixel96(s.getInputWidth_Pixel96(), s.getInputHeight_Pixel96());
  t.setUnit(s.getUnit());
  t.setResolution(s.getResolution());
  t.setOutputSize(s.getOutputSize());
  t.setDestination(s.getDestination());
  if (s.getOutputSize() != 0 || withSizes) t.setOutputSize_Pixel96(s.getOutputSize_Pixel96());
  framesCopyImageValues(s, t);
  t.setRotation(s.getRotation());
  t.setMirror(s.getMirror());
  t.setPreviewViewSize(s.getPreviewViewSize());
  t.setPreviewSize_Pixel96(s.getPreviewSize_Pixel96());
  t.setVisiblePreviewSize_Pixel96(s.getVisiblePreviewSize_Pixel96());
  t.setPreviewStartPoint_Pixel96(s.getPreviewStartPoint_Pixel96());
}

namespace {

void framesTemplateFrom(const Quirel_CropInfo& s, Quirel_CropInfo& t) {
  const SSizeDouble p = t.getPreviewSize_Pixel96();
  t.setImageSource(s.getImageSource());
  t.setImageSourceForStandard(s.getImageSourceForStandard());
  t.setColorMode(s.getColorMode());
  t.setPaperSize(s.getPaperSize());
  t.setInputRect_Pixel96({{0, 0}, {p.width, p.height}});
  t.setRatio(p.width, p.height);
  t.setUnit(s.getUnit());
  t.setResolution(s.getResolution());
  t.setDestination(s.getDestination());
  const int m = s.getMagnification();
  t.setOutputWidth_Pixel96(Quirel_BaseScanMode::maltipleUnit(m, p.width));
  t.setOutputHeight_Pixel96(Quirel_BaseScanMode::maltipleUnit(m, p.height));
  framesCopyImageValues(s, t);
}

}  // namespace

void Quirel_BaseScanMode::copyCropFromFocusToTemplate() {
  const Quirel_CropInfo* focus = getFocusCrop();
  if (focus && mTemplateCrop && focus != mTemplateCrop.get()) framesTemplateFrom(*focus, *mTemplateCrop);
}

void Quirel_BaseScanMode::copyCropFromMultiToTemplate() {
  if (!mTemplateCrop) return;
  for (auto it = mCropList.rbegin(); it != mCropList.rend(); ++it) {
    if ((*it)->isMultiCrop()) {
      framesTemplateFrom(**it, *mTemplateCrop);
      return;
    }
  }
}

void Quirel_BaseScanMode::resetCropExposure(Quirel_CropInfo& crop) {
  crop.setExposure(false);
  crop.setExposureValue(100);
  crop.setApplyToneValueToAll(false);
  crop.setExposureOfApplyToneValueToAll(false);
  crop.setExposureValueOfApplyToneValueToAll(100);
  crop.setBaseCropOfApplyToneValueToAll(nullptr);
}

void Quirel_BaseScanMode::updateCropByResetToneSetting(Quirel_CropInfo& crop, bool withThreshold) {
  crop.setColorBalance({0, 0, 0, 0});
  crop.setToneBC_Channel(0);
  crop.setToneBC({{0, 0, 0, 0}, {0, 0, 0, 0}});
  crop.setHistogram_Channel(0);
  crop.setHistogram({{0, 0, 0, 0}, {128, 128, 128, 128}, {255, 255, 255, 255}, {128, 128, 128, 128}});
  crop.setToneCurve_Channel(0);
  ToneCurveValues curve{};
  for (int c = 0; c < 4; ++c) {
    curve.setPointCount[c] = 2;
    curve.setPoint[c][0] = {0, 0};
    curve.setPoint[c][1] = {255, 255};
    curve.squarePoint[c][0] = {0, 0};
    curve.squarePoint[c][1] = {145, 145};
  }
  crop.setToneCurve(curve);
  if (withThreshold && mScannerInfo) crop.setThreshold(mScannerInfo->thresholdValue());
}

SRectDouble Quirel_BaseScanMode::updateCropByZoomScan(Quirel_CropInfo& crop) {
  const SSizeDouble v = crop.getVisiblePreviewSize_Pixel96();
  const SRectDouble r = crop.getInputRect_Pixel96();
  const double x = r.origin.x, y = r.origin.y, w = r.size.width, h = r.size.height;
  // The frame fills 80 percent of the area, whose sides keep within 5 to 1.
  double zw = std::min(w * 100 / 80, v.width);
  double zh = std::min(h * 100 / 80, v.height);
  if (zh <= zw && 5 * zh < zw) zh = zw / 5;
  if (zw <= zh && 5 * zw < zh) zw = zh / 5;
  double ox = (zw - w) * 0.5, oy = (zh - h) * 0.5;
  double zx = x - ox, zy = y - oy;
  if (zx < 0) {
    ox += zx;
    zx = 0;
  }
  if (zx + zw > v.width) {
    const double excess = zx + zw - v.width;
    zx -= excess;
    ox += excess;
  }
  if (zy < 0) {
    oy += zy;
    zy = 0;
  }
  if (zy + zh > v.height) {
    const double excess = zy + zh - v.height;
    zy -= excess;
    oy += excess;
  }
  const double mx = crop.getMirror() ? v.width - (zw + zx) : zx;
  SPointDouble start{mx, zy};
  switch (crop.getRotation()) {
    case 1: start = {zy, v.width - (mx + zw)}; break;
    case 2: start = {v.width - (mx + zw), v.height - (zh + zy)}; break;
    case 3: start = {v.height - (zh + zy), mx}; break;
    default: break;
  }
  crop.setInputPoint_Pixel96(ox, oy);
  crop.setVisiblePreviewSize_Pixel96({zw, zh});
  crop.setPreviewStartPoint_Pixel96(start);
  return {{zx, zy}, {zw, zh}};
}

SRectDouble Quirel_BaseScanMode::updateCropByResetZoomScan(Quirel_CropInfo& crop, double vw, double vh) {
  const SPointDouble s = crop.getPreviewStartPoint_Pixel96();
  const SSizeDouble z = crop.getVisiblePreviewSize_Pixel96();
  const SRectDouble r = crop.getInputRect_Pixel96();
  double x = r.origin.x, y = r.origin.y;
  const double w = r.size.width;
  const bool mirror = crop.getMirror();
  if (mirror) x = z.width - (x + w);
  switch (crop.getRotation()) {
    case 1:
      x += vw - (s.y + z.width);
      y += s.x;
      break;
    case 2:
      x += vw - (s.x + z.width);
      y += vh - (s.y + z.height);
      break;
    case 3:
      x += s.y;
      y += vh - (s.x + z.height);
      break;
    default:
      x += s.x;
      y += s.y;
      break;
  }
  if (mirror) x = vw - (w + x);
  crop.setInputPoint_Pixel96(x, y);
  crop.setVisiblePreviewSize_Pixel96({vw, vh});
  crop.setPreviewStartPoint_Pixel96({0, 0});
  return zeroSRectDouble();
}

void Quirel_BaseScanMode::updateCropForFlexibleAutoCrop(Quirel_CropInfo& crop) {
  const double minLength = minimumCropLength();
  if (crop.getInputWidth_Pixel96() >= minLength && crop.getInputHeight_Pixel96() >= minLength) return;
  const SSizeDouble v = crop.getVisiblePreviewSize_Pixel96();
  const int m = crop.getMagnification();
  crop.setInputRect_Pixel96({{0, 0}, {v.width, v.height}});
  crop.setOutputSize_Pixel96({maltipleUnit(m, v.width), maltipleUnit(m, v.height)});
  crop.setRatio(v.width, v.height);
  updateCropRectFromCrop(crop, false);
}

void Quirel_BaseScanMode::updateCropForFixedAutoCrop(const Quirel_OutputSize& o, Quirel_CropInfo& f, bool useOrientation) {
  const SSizeDouble v = f.getVisiblePreviewSize_Pixel96();
  const double r = f.getResolution();
  const double R = mPlatenResolution;
  double ow = 0, oh = 0;
  if (o.getUnit() == 2) {
    ow = convertResolution(o.getOutputWidth().pixel, r, R);
    oh = convertResolution(o.getOutputHeight().pixel, r, R);
  } else if (o.getUnit() == 0) {
    ow = inchToPixel(o.getOutputWidth().inch, R);
    oh = inchToPixel(o.getOutputHeight().inch, R);
  } else {
    ow = cmToPixel(o.getOutputWidth().cm, R);
    oh = cmToPixel(o.getOutputHeight().cm, R);
  }
  std::optional<SSizeDouble> orientation;
  if (mScannerInfo && mScannerInfo->isVer1500Later())
    orientation = f.getInputSize_Pixel96();
  else if (useOrientation)
    orientation = f.getOutputSize_Pixel96();
  if (orientation) {
    const bool landscape = orientation->width >= orientation->height;
    if ((landscape && ow < oh) || (!landscape && ow > oh)) std::swap(ow, oh);
  }
  const SRectDouble in = f.getInputRect_Pixel96();
  double x = in.origin.x;
  SSizeDouble size = calcSizeOutSize(ow, oh, in.size.width, in.size.height);
  if (size.width > v.width || size.height > v.height) size = calcSizeInSize(ow, oh, v.width, v.height);
  double top = in.origin.y + in.size.height;
  const double minLength = minimumCropLength();
  if (size.width < minLength || size.height < minLength) {
    size = calcSizeInSize(ow, oh, v.width, v.height);
    switch (f.getRotation()) {
      case 1:
        x = 0;
        top = size.height;
        break;
      case 2:
        x = v.width - size.width;
        top = size.height;
        break;
      case 3:
        x = v.width - size.width;
        top = v.height;
        break;
      default:
        x = 0;
        top = v.height;
        break;
    }
  }
  double y = top - size.height;
  x = std::max(0.0, x);
  if (x + size.width > v.width) x = v.width - size.width;
  y = std::max(0.0, y);
  if (y + size.height > v.height) y = v.height - size.height;
  f.setInputRect_Pixel96({{x, y}, size});
  f.setMagnification(size.width != 0 ? static_cast<int>(ow * 100 / size.width) : 0);
  f.setOutputSize(o.getIndex());
  f.setOutputSize_Pixel96({ow, oh});
  f.setFixesRatio(true);
  f.setRatio(ow, oh);
  updateCropRectFromCrop(f, false);
}

Quirel_CropInfo* Quirel_BaseScanMode::makeFocusCropFromTemplate() {
  Quirel_CropInfo* made = createCropWithView(fnd::Rect());
  if (!made) return nullptr;
  copyCrop(*mTemplateCrop, *made, true);
  made->setSelect(true);
  setFocus(made);
  made->setLineStyle(1);
  return made;
}

std::shared_ptr<Quirel_CropInfo> Quirel_BaseScanMode::removeAllButFocusCrop() {
  std::shared_ptr<Quirel_CropInfo> kept;
  for (auto it = mCropList.end(); it != mCropList.begin();) {
    --it;
    if ((*it)->isFocus() && !kept) {
      kept = *it;
      continue;
    }
    if (mClickCrop == it->get()) mClickCrop = nullptr;
    it = mCropList.erase(it);
  }
  if (kept)
    if (CropFrameViewLink* view = kept->getCropView()) view->setHidden(true);
  return kept;
}
