// Crop frames between their records (preview pixels) and their views (points of the preview
// image view): conversions, hit tests, focus order, creation and quarter turns.

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>

#include "ui/controls/CTRLS_Preview.h"
#include "ui/controls/CropView.h"
#include "ui/controls/MultiCropView.h"
#include "ui/model/CropInfo.h"
#include "ui/model/Units.h"
#include "ui/modes/base/BaseScanMode.h"

namespace {

constexpr double kGeometryDegrees = std::numbers::pi / 180.0;

// The frame of a crop's view, or none.
std::optional<fnd::Rect> geometryViewFrame(const Quirel_CropInfo& crop) {
  if (const CropFrameViewLink* view = crop.getCropView()) return view->frame();
  return std::nullopt;
}

bool geometryInGrownFrame(const Quirel_CropInfo& crop, const fnd::Point& p) {
  const auto frame = geometryViewFrame(crop);
  return frame && frame->insetBy(-3, -3).contains(p);
}

}  // namespace

fnd::AffineTransform Quirel_BaseScanMode::makeTransform(double angle, bool mirror, const fnd::Size& size) {
  double tx = 0, ty = 0;
  if (angle == 90) {
    tx = size.width;
  } else if (angle == 180) {
    tx = size.width;
    ty = size.height;
  } else if (angle == 270) {
    ty = size.height;
  }
  fnd::AffineTransform t = fnd::AffineTransform::identity();
  if (mirror) t = {-1, 0, 0, 1, size.width, 0};
  // Each step goes in front of what is there, so a point is turned, then moved, then mirrored.
  return t.translated(tx, ty).rotated(angle * kGeometryDegrees);
}

double Quirel_BaseScanMode::minimumCropLength() const { return convertResolution(48, 300, mPlatenResolution); }

void Quirel_BaseScanMode::updateCropRectFromCrop(Quirel_CropInfo& crop, bool redraw) {
  CropFrameViewLink* view = crop.getCropView();
  if (!view) return;
  const fnd::Size viewSize = crop.getPreviewViewSize();
  const SSizeDouble visible = crop.getVisiblePreviewSize_Pixel96();
  const SRectDouble r = crop.getInputRect_Pixel96();
  const fnd::Rect old = view->frame();
  const fnd::Rect frame(calcRatio(visible.width, r.origin.x, viewSize.width),
                        calcRatio(visible.height, r.origin.y, viewSize.height),
                        calcRatio(visible.width, r.size.width, viewSize.width),
                        calcRatio(visible.height, r.size.height, viewSize.height));
  view->setFrame(frame);
  if (redraw) {
    view->redrawSuperview(old);
    view->redrawSuperview(frame);
  }
}

void Quirel_BaseScanMode::updateCropFromCropRect(Quirel_CropInfo& crop) {
  const CropFrameViewLink* view = crop.getCropView();
  if (!view) return;
  const fnd::Rect f = view->frame();
  const fnd::Size s = view->superviewSize();
  const SSizeDouble visible = crop.getVisiblePreviewSize_Pixel96();
  const double minLength = minimumCropLength();
  // A frame drawn at the minimum in points keeps the minimum exactly, not a rounded conversion.
  const double minWidth = calcRatio(visible.width, minLength, s.width);
  const double minHeight = calcRatio(visible.height, minLength, s.height);
  const double x = calcRatio(s.width, f.origin.x, visible.width);
  const double y = calcRatio(s.height, f.origin.y, visible.height);
  const double w = f.size.width == minWidth ? minLength : calcRatio(s.width, f.size.width, visible.width);
  const double h = f.size.height == minHeight ? minLength : calcRatio(s.height, f.size.height, visible.height);
  crop.setInputRect_Pixel96({{x, y}, {w, h}});
  if (crop.getOutputSize() != 0) {
    crop.setMagnification(w != 0 ? static_cast<int>(crop.getOutputWidth_Pixel96() * 100 / w) : 0);
    return;
  }
  const int m = crop.getMagnification();
  crop.setOutputWidth_Pixel96(maltipleUnit(m, w));
  crop.setOutputHeight_Pixel96(maltipleUnit(m, h));
  if (!crop.isFixesRatio() && w != 0 && h != 0) crop.setRatio(w, h);
}

bool Quirel_BaseScanMode::checkCropInPreview(const SSizeDouble& size, Quirel_CropInfo& crop, bool move) {
  SRectDouble r = crop.getInputRect_Pixel96();
  const bool inside = r.origin.x >= 0 && r.origin.y >= 0 && std::max(0.0, r.origin.x) + r.size.width <= size.width &&
                      std::max(0.0, r.origin.y) + r.size.height <= size.height;
  if (!inside && move) {
    // A frame larger than the size ends at W - w, a negative x: kept as the callers know it.
    r.origin.x = std::max(0.0, r.origin.x);
    if (r.origin.x + r.size.width > size.width) r.origin.x = size.width - r.size.width;
    r.origin.y = std::max(0.0, r.origin.y);
    if (r.origin.y + r.size.height > size.height) r.origin.y = size.height - r.size.height;
    crop.setInputRect_Pixel96(r);
  }
  return inside;
}

Quirel_CropInfo* Quirel_BaseScanMode::getCropInPoint(const fnd::Point& p) const {
  if (mZoomScan) {
    Quirel_CropInfo* focus = getFocusCrop();
    return focus && geometryInGrownFrame(*focus, p) ? focus : nullptr;
  }
  for (auto it = mCropList.rbegin(); it != mCropList.rend(); ++it) {
    const auto frame = geometryViewFrame(**it);
    if (frame && frame->insetBy(-3, -3).contains(p) && !frame->integral().insetBy(2, 2).contains(p)) return it->get();
  }
  if (Quirel_CropInfo* focus = getFocusCrop(); focus && geometryInGrownFrame(*focus, p)) return focus;
  for (auto it = mCropList.rbegin(); it != mCropList.rend(); ++it)
    if ((*it)->isSelected() && geometryInGrownFrame(**it, p)) return it->get();
  for (auto it = mCropList.rbegin(); it != mCropList.rend(); ++it)
    if (geometryInGrownFrame(**it, p)) return it->get();
  return nullptr;
}

Quirel_CropInfo* Quirel_BaseScanMode::getCropInPoint2(const fnd::Point& p) const {
  auto contains = [&p](const Quirel_CropInfo& crop) {
    const auto frame = geometryViewFrame(crop);
    return frame && frame->contains(p);
  };
  if (mZoomScan) {
    Quirel_CropInfo* focus = getFocusCrop();
    return focus && contains(*focus) ? focus : nullptr;
  }
  for (const auto& crop : mCropList)
    if (crop->isFocus() && contains(*crop)) return crop.get();
  for (const auto& crop : mCropList)
    if (contains(*crop)) return crop.get();
  return nullptr;
}

Quirel_CropInfo* Quirel_BaseScanMode::getMultiCropInPoint(const fnd::Point& p) const {
  for (auto it = mCropList.rbegin(); it != mCropList.rend(); ++it)
    if (inMultiCrop(p, **it)) return it->get();
  return nullptr;
}

bool Quirel_BaseScanMode::inMultiCrop(const fnd::Point& p, const Quirel_CropInfo& crop) {
  const CropFrameViewLink* view = crop.getCropView();
  if (!crop.isMultiCrop() || !view) return false;
  const fnd::Rect f = view->frame();
  const double ox = f.origin.x, oy = f.origin.y;
  // Turn the point back about the frame's origin, by which the view is drawn turned.
  const double d = std::hypot(p.y - oy, p.x - ox);
  const double a = std::atan2(p.y - oy, p.x - ox) / kGeometryDegrees;
  const double theta = (360 - view->frameRotation() + a) * kGeometryDegrees;
  const fnd::Point back{ox + d * std::cos(theta), oy + d * std::sin(theta)};
  return fnd::Rect(ox, oy, f.size.width, f.size.height).contains(back);
}

Quirel_CropInfo* Quirel_BaseScanMode::getFocusCrop() const {
  for (const auto& crop : mCropList)
    if (crop->isFocus()) return crop.get();
  return nullptr;
}

void Quirel_BaseScanMode::setFocus(Quirel_CropInfo* focus) {
  for (auto it = mCropList.rbegin(); it != mCropList.rend(); ++it) {
    const bool on = it->get() == focus;
    (*it)->setFocus(on);
    if (CropFrameViewLink* view = (*it)->getCropView()) view->runTimer(on);
  }
  if (inThumbnailMode() || !focus) return;
  auto it = std::find_if(mCropList.begin(), mCropList.end(), [focus](const auto& c) { return c.get() == focus; });
  if (it == mCropList.end() || it + 1 == mCropList.end()) return;
  std::shared_ptr<Quirel_CropInfo> keep = *it;
  mCropList.erase(it);
  mCropList.push_back(std::move(keep));
}

Quirel_CropInfo* Quirel_BaseScanMode::getNextCrop(const Quirel_CropInfo* crop) const {
  if (Quirel_CropInfo* selected = getNextSelectedCrop(crop)) return selected;
  for (auto it = mCropList.rbegin(); it != mCropList.rend(); ++it)
    if (it->get() != crop) return it->get();
  return nullptr;
}

Quirel_CropInfo* Quirel_BaseScanMode::getNextSelectedCrop(const Quirel_CropInfo* crop) const {
  for (auto it = mCropList.rbegin(); it != mCropList.rend(); ++it)
    if (it->get() != crop && (*it)->isSelected()) return it->get();
  return nullptr;
}

namespace {

template <class ViewClass>
Quirel_CropInfo* geometryCreateCrop(CropList& list, Quirel_CTRLS_Preview* preview, const fnd::Rect& rect) {
  auto crop = std::make_shared<Quirel_CropInfo>();
  auto view = std::make_unique<ViewClass>(rect);
  if (preview) preview->addCrop(view.get());
  crop->setCropView(std::move(view));
  list.push_back(std::move(crop));
  return list.back().get();
}

}  // namespace

Quirel_CropInfo* Quirel_BaseScanMode::createCropWithView(const fnd::Rect& rect) {
  return geometryCreateCrop<Quirel_CropView>(mCropList, mPreview.get(), rect);
}

Quirel_CropInfo* Quirel_BaseScanMode::createMultiCropWithView(const fnd::Rect& rect) {
  return geometryCreateCrop<Quirel_MultiCropView>(mCropList, mPreview.get(), rect);
}

namespace {

void geometrySwapSizes(Quirel_CropInfo& crop) {
  const SSizeDouble preview = crop.getPreviewSize_Pixel96();
  crop.setPreviewSize_Pixel96({preview.height, preview.width});
  const SSizeDouble visible = crop.getVisiblePreviewSize_Pixel96();
  crop.setVisiblePreviewSize_Pixel96({visible.height, visible.width});
}

void geometrySwapOutputAndRatio(Quirel_CropInfo& crop, int rotation) {
  const SSizeDouble out = crop.getOutputSize_Pixel96();
  crop.setOutputSize_Pixel96({out.height, out.width});
  const SSizeDouble ratio = crop.getRatio();
  crop.setRatio(ratio.height, ratio.width);
  crop.setRotation(rotation);
}

}  // namespace

void Quirel_BaseScanMode::updateCropByLeftRotate(int rotation, Quirel_CropInfo& crop) {
  const SSizeDouble visible = crop.getVisiblePreviewSize_Pixel96();
  geometrySwapSizes(crop);
  const SRectDouble r = crop.getInputRect_Pixel96();
  crop.setInputRect_Pixel96({{visible.height - (r.origin.y + r.size.height), r.origin.x}, {r.size.height, r.size.width}});
  geometrySwapOutputAndRatio(crop, rotation);
}

void Quirel_BaseScanMode::updateCropByRightRotate(int rotation, Quirel_CropInfo& crop) {
  const SSizeDouble visible = crop.getVisiblePreviewSize_Pixel96();
  geometrySwapSizes(crop);
  const SRectDouble r = crop.getInputRect_Pixel96();
  crop.setInputRect_Pixel96({{r.origin.y, visible.width - (r.origin.x + r.size.width)}, {r.size.height, r.size.width}});
  geometrySwapOutputAndRatio(crop, rotation);
}

void Quirel_BaseScanMode::updateCropByMirror(bool mirror, Quirel_CropInfo& crop) {
  const double vw = crop.getVisiblePreviewSize_Pixel96().width;
  const SRectDouble r = crop.getInputRect_Pixel96();
  crop.setInputX_Pixel96(vw - (r.origin.x + r.size.width));
  crop.setMirror(mirror);
}

// Turns the frame a quarter: width and height trade places, and the frame stays inside the
// visible preview (fitted to it when it no longer fits).
void Quirel_BaseScanMode::updateCropByDirection(Quirel_CropInfo& crop) {
  const SSizeDouble visible = crop.getVisiblePreviewSize_Pixel96();
  const double VW = visible.width;
  const double VH = visible.height;
  const SRectDouble in = crop.getInputRect_Pixel96();
  double x = in.origin.x;
  double y = in.origin.y;
  const double iw = in.size.width;
  const double ih = in.size.height;
  double w = ih;
  double h = iw;
  if (ih > VW || iw > VH) {
    const SSizeDouble fit = calcSizeInSize(ih, iw, VW, VH);
    w = fit.width;
    h = fit.height;
    if (iw > VH) {
      y = VH - h;
    } else {
      x = 0;
      y = ih > VW ? y + ih - h : 0;
    }
  } else {
    y = y + ih - iw;
  }
  const SSizeDouble out = crop.getOutputSize_Pixel96();
  const SSizeDouble ratio = crop.getRatio();
  crop.setInputRect_Pixel96({{x, y}, {w, h}});
  crop.setOutputSize_Pixel96({out.height, out.width});
  crop.setRatio(ratio.height, ratio.width);
  checkCropInPreview(visible, crop, true);
  updateCropRectFromCrop(crop, true);
}

void Quirel_BaseScanMode::fitFixedSizeToPreview(double OW, double OH, double VW, double VH, double& w,
                                                double& h) const {
  if (w > VW || h > VH) {
    const SSizeDouble fit = calcSizeInSize(OW, OH, VW, VH);
    w = fit.width;
    h = fit.height;
  }
  const double minimum = convertResolution(48, 300, mPlatenResolution);
  if (w < minimum) {
    w = minimum;
    h = minimum * OH / OW;
  }
  if (h < minimum) {
    h = minimum;
    w = minimum * OW / OH;
  }
}
