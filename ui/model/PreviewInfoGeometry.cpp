// Conversions between crop rectangles as drawn (view units, origin bottom left, turned and
// mirrored) and rectangles in preview-image pixels or scan coordinates; the auto-crop rectangle
// and the multi-crop point list.
#include <cmath>

#include "ui/model/CropInfo.h"
#include "ui/model/PreviewInfo.h"
#include "ui/model/UIScannerInfo.h"

namespace {

void raiseOrigin(SRectDouble* r) {
  if (r->origin.x < 0) r->origin.x = 0;
  if (r->origin.y < 0) r->origin.y = 0;
}

fnd::Value point(long long x, long long y) { return fnd::Dictionary{{"X", x}, {"Y", y}}; }

}  // namespace

SSizeDouble Quirel_PreviewInfo::imageSize(bool zoom) const {
  const int w = zoom ? mZoomWidth : mOWidth;
  const int h = zoom ? mZoomHeight : mOHeight;
  if (w == 0 || h == 0) return mPreviewDataSize;
  return {static_cast<double>(w), static_cast<double>(h)};
}

// The mapping table; ratios in single precision when `single`. False (and zeros) for a rotation
// outside 0..3 or an empty view, which has no ratio.
bool Quirel_PreviewInfo::mapRect(SRectDouble* out, double W, double H, double vw, double vh, int rotation,
                                 bool mirror, double x, double y, double w, double h, bool single) {
  *out = zeroSRectDouble();
  if (rotation < 0 || rotation > 3 || !(vw > 0) || !(vh > 0)) return false;
  auto ratio = [single](double a, double b) { return single ? static_cast<double>(static_cast<float>(a / b)) : a / b; };
  const double rWw = ratio(W, vw), rHh = ratio(H, vh), rWh = ratio(W, vh), rHw = ratio(H, vw);
  const double xBar = vw - (x + w);
  const double yBar = vh - (y + h);
  switch (rotation) {
    case 0: *out = makeSRectDouble((mirror ? xBar : x) * rWw, yBar * rHh, w * rWw, h * rHh); break;
    case 1: *out = makeSRectDouble(y * rWh, (mirror ? xBar : x) * rHw, h * rWh, w * rHw); break;
    case 2: *out = makeSRectDouble((mirror ? x : xBar) * rWw, y * rHh, w * rWw, h * rHh); break;
    case 3: *out = makeSRectDouble(yBar * rWh, (mirror ? x : xBar) * rHw, h * rWh, w * rHw); break;
  }
  return true;
}

void Quirel_PreviewInfo::setOrgPixelLRect2(SRectDouble* out, bool zoom, double vw, double vh, int rotation,
                                           bool mirror, double x, double y, double w, double h, bool shrink) const {
  if (!out) return;
  const SSizeDouble size = imageSize(zoom);
  // A rotation outside 0..3 or an empty view gives zeros, never an unset or infinite rectangle.
  if (!mapRect(out, size.width, size.height, vw, vh, rotation, mirror, x, y, w, h, true)) return;
  if (out->size.width < 32 || out->size.height < 32) {
    setOrgPixelLRectReCal(out, zoom, vw, vh, rotation, mirror, x, y, w, h, shrink);
    return;
  }
  raiseOrigin(out);
}

void Quirel_PreviewInfo::setOrgPixelLRectReCal(SRectDouble* out, bool zoom, double vw, double vh, int rotation,
                                               bool mirror, double x, double y, double w, double h,
                                               bool shrink) const {
  if (!out) return;
  const SSizeDouble size = imageSize(zoom);
  if (shrink) {
    vw -= 0.05;
    vh -= 0.05;
  }
  mapRect(out, size.width, size.height, vw, vh, rotation, mirror, x, y, w, h, false);
  raiseOrigin(out);
}

void Quirel_PreviewInfo::setOrgPixelLRectThumbnail(SRectDouble* out, const Quirel_CropInfo* crop) const {
  if (!out) return;
  SSizeDouble preview{}, visible{};
  SRectDouble in{};
  SPointDouble start{};
  int rotation = 0;
  bool mirror = false;
  if (crop) {
    preview = crop->getPreviewSize_Pixel96();
    visible = crop->getVisiblePreviewSize_Pixel96();
    in = crop->getInputRect_Pixel96();
    start = crop->getPreviewStartPoint_Pixel96();
    rotation = crop->getRotation();
    mirror = crop->getMirror();
  }
  const double vw = visible.width, vh = visible.height;
  double x = in.origin.x, y = in.origin.y;
  const double w = in.size.width, h = in.size.height;
  if (mirror) x = vw - (x + w);
  SRectDouble r{};
  double P = preview.width, Q = preview.height;
  switch (rotation) {
    case 0: r = makeSRectDouble(x, y, w, h); break;
    case 1:
      r = makeSRectDouble(y, vw - (x + w), h, w);
      std::swap(P, Q);
      break;
    case 2: r = makeSRectDouble(vw - (x + w), vh - (y + h), w, h); break;
    case 3:
      r = makeSRectDouble(vh - (y + h), x, h, w);
      std::swap(P, Q);
      break;
    default:
      *out = zeroSRectDouble();
      return;
  }
  r.origin.x += start.x;
  r.origin.y += start.y;
  setOrgPixelLRect2(out, false, P, Q, 0, false, r.origin.x, r.origin.y, r.size.width, r.size.height, true);
}

void Quirel_PreviewInfo::setOrgPixelLRect2ThumbAuto(SRectDouble* out, double A, double B, int rotation, double x,
                                                    double y, double w, double h) const {
  if (!out) return;
  switch (rotation) {
    case 0: *out = makeSRectDouble(x, B - (y + h), w, h); break;
    case 1: *out = makeSRectDouble(y, x, h, w); break;
    case 2: *out = makeSRectDouble(A - (x + w), y, w, h); break;
    case 3: *out = makeSRectDouble(B - (y + h), A - (x + w), h, w); break;
    default: *out = zeroSRectDouble(); return;
  }
  if (mUIScannerInfo && mPlatenResolution > 0) {
    const double to = mUIScannerInfo->platenPreviewResolution();
    const double from = mPlatenResolution;
    out->origin.x = convertResolution(out->origin.x, from, to);
    out->origin.y = convertResolution(out->origin.y, from, to);
    out->size.width = convertResolution(out->size.width, from, to);
    out->size.height = convertResolution(out->size.height, from, to);
  }
  raiseOrigin(out);
}

void Quirel_PreviewInfo::setScanRectPixel2(ScanRect* out, int rotation, bool mirror, double A, double B, double x,
                                           double y, double w, double h) {
  if (!out) return;
  switch (rotation) {
    case 1: *out = mirror ? ScanRect{y, B - (x + w), h, w} : ScanRect{y, x, h, w}; break;
    case 2: *out = mirror ? ScanRect{x, y, w, h} : ScanRect{A - (x + w), y, w, h}; break;
    case 3: *out = mirror ? ScanRect{A - (y + h), x, h, w} : ScanRect{A - (y + h), B - (x + w), h, w}; break;
    default: *out = mirror ? ScanRect{A - (x + w), B - (y + h), w, h} : ScanRect{x, B - (y + h), w, h}; break;
  }
}

void Quirel_PreviewInfo::setScanRectPixelADF(ScanRect* out, int rotation, double x, double y, double w, double h) {
  if (!out) return;
  const bool swap = rotation == 1 || rotation == 3;
  *out = swap ? ScanRect{x, y, h, w} : ScanRect{x, y, w, h};
}

void Quirel_PreviewInfo::setScanSizePixel(ScanRect* out, int rotation, double w, double h) {
  if (!out) return;
  if (rotation == 1 || rotation == 3) {
    out->width = h;
    out->height = w;
  } else if (rotation == 0 || rotation == 2) {
    out->width = w;
    out->height = h;
  }
}

void Quirel_PreviewInfo::setCropScanRect(const Quirel_CropInfo* crop, CropSetting* setting, int rotation,
                                         bool mirror, SSizeDouble area) const {
  if (!crop || !setting) return;
  const SPointDouble at = crop->getInputPoint_Pixel96();
  cropScanRectAt(crop, setting, rotation, mirror, area, at.x, at.y);
}

void Quirel_PreviewInfo::cropScanRectAt(const Quirel_CropInfo* crop, CropSetting* setting, int rotation, bool mirror,
                                        SSizeDouble area, double x, double y) {
  const SSizeDouble in = crop->getInputSize_Pixel96();
  setScanRectPixel2(&setting->ScanRect, rotation, mirror, area.width, area.height, x, y, in.width, in.height);
  setScanSizePixel(&setting->ScanRect, rotation, crop->getOutputWidth_Pixel96(), crop->getOutputHeight_Pixel96());
  // A zero input width has no scale to give; the magnification stands in.
  if (crop->getOutputSize() != 0 && in.width > 0)
    setting->Scale = crop->getOutputWidth_Pixel96() / in.width * 100;
  else
    setting->Scale = crop->getMagnification();
}

void Quirel_PreviewInfo::setCropScanRectThumbAuto(const Quirel_CropInfo* crop, CropSetting* setting, int rotation,
                                                  bool mirror, SSizeDouble area, double fx, double fy, double fw,
                                                  double fh) const {
  if (!crop || !setting) return;
  const double A = area.width, B = area.height;
  const SRectDouble in = crop->getInputRect_Pixel96();
  const double x = in.origin.x, y = in.origin.y;
  SPointDouble moved{x, y};
  switch (rotation) {
    case 0: moved = {x + fx, B - (fy + fh - y)}; break;
    case 1: moved = {x + fy, y + fx}; break;
    case 2: moved = {A - (fx + fw - x), y + fy}; break;
    case 3: moved = {B - (fy + fh - x), A - (fx + fw - y)}; break;
    default: break;
  }
  cropScanRectAt(crop, setting, rotation, mirror, area, moved.x, moved.y);
}

void Quirel_PreviewInfo::setAutoCropInitRect(const fnd::Dictionary* dictionary) {
  if (dictionary) {
    const fnd::Dictionary& min = dictionary->dictionary("min");
    const fnd::Dictionary& max = dictionary->dictionary("max");
    const double minX = static_cast<double>(min.integer("X")), minY = static_cast<double>(min.integer("Y"));
    const double maxX = static_cast<double>(max.integer("X")), maxY = static_cast<double>(max.integer("Y"));
    prevInitAutoCrop = makeSRectDouble(minX, minY, maxX - minX + 1, maxY - minY + 1);
  } else {
    prevInitAutoCrop = makeSRectDouble(0, 0, mOWidth, mOHeight);
    if (mUIScannerInfo) {
      const double from = mUIScannerInfo->platenPreviewResolution();
      const double to = mUIScannerInfo->platenAutoCropResolution();
      if (from != to && from > 0) {
        prevInitAutoCrop.size.width = convertResolution(prevInitAutoCrop.size.width, from, to);
        prevInitAutoCrop.size.height = convertResolution(prevInitAutoCrop.size.height, from, to);
      }
    }
  }
  autoCrop = prevInitAutoCrop;
}

void Quirel_PreviewInfo::setmultiCropPointArray(const fnd::Array& points, bool keepSingle, bool autoFlag,
                                                bool thumbnail) {
  mThumbnailAuto = 0;
  multiCropPoints.clear();
  if (points.size() >= 2) {
    // Entry 0 is the whole found area; the frames follow it.
    multiCropPoints.assign(points.begin() + 1, points.end());
    if (autoFlag && thumbnail) mThumbnailAuto = 1;
  } else if (keepSingle) {
    // An empty list has no entry 0 to keep: nothing is stored.
    if (points.empty()) return;
    multiCropPoints.push_back(points[0]);
    if (thumbnail) mThumbnailAuto = 1;
  } else {
    const long long w = mOWidth, h = mOHeight;
    multiCropPoints.push_back(fnd::Dictionary{
        {"points", fnd::Array{point(0, 0), point(w, 0), point(w, h), point(0, h)}},
        {"min", point(0, 0)},
        {"max", point(w, h)}});
  }
}
