// The crop tool: a frame drawn, moved or resized by one press, drag and release. Each step is
// computed from the frame saved at the press and the mouse's whole travel, so rounding never
// piles up over a long drag.

#include <algorithm>
#include <optional>

#include "kit/Event.h"
#include "kit/Window.h"
#include "ui/controls/CTRLS_Preview.h"
#include "ui/controls/PreviewView.h"
#include "ui/model/CropInfo.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/modes/base/BaseScanMode.h"

namespace {

constexpr double kCropToolEdge = 3;  // how near an edge a press resizes

// The frame's fixed ratio in points of its preview view, or none when it has none. A ratio with
// a side of zero (or a view of no size) counts as none, so no side is divided by zero.
std::optional<fnd::Size> cropToolRatioInPoints(const Quirel_CropInfo& crop, bool withNamedSize) {
  if (!crop.isFixesRatio() && !(withNamedSize && crop.getOutputSize() != 0)) return std::nullopt;
  const SSizeDouble ratio = crop.getRatio();
  const fnd::Size view = crop.getPreviewViewSize();
  const SSizeDouble visible = crop.getVisiblePreviewSize_Pixel96();
  const double qw = calcRatio(visible.width, ratio.width, view.width);
  const double qh = calcRatio(visible.height, ratio.height, view.height);
  if (!(qw > 0) || !(qh > 0)) return std::nullopt;
  return fnd::Size{qw, qh};
}

}  // namespace

bool Quirel_BaseScanMode::commandKeyIn(unsigned flags) { return (flags & kit::kCommandKeyMask) != 0; }
bool Quirel_BaseScanMode::optionKeyIn(unsigned flags) { return (flags & kit::kAlternateKeyMask) != 0; }

Quirel_PreviewView* Quirel_BaseScanMode::previewImageView() const {
  return mPreview ? mPreview->getImageView() : nullptr;
}

void Quirel_BaseScanMode::takeFirstResponder(kit::View* view) {
  if (!view) return;
  if (kit::Window* window = view->window()) window->makeFirstResponder(view);
}

fnd::Size Quirel_BaseScanMode::cropMinimumInPoints(const Quirel_CropInfo& crop) const {
  const double length = minimumCropLength();
  const fnd::Size view = crop.getPreviewViewSize();
  const SSizeDouble visible = crop.getVisiblePreviewSize_Pixel96();
  return {calcRatio(visible.width, length, view.width), calcRatio(visible.height, length, view.height)};
}

bool Quirel_BaseScanMode::isCropLimitReached() const {
  int limit = 10;
  if (mScanMode == 2)
    limit = 30;
  else if (mScannerInfo && mScannerInfo->isVer1500Later())
    limit = 12;
  // A list already past the limit (restored, or handed over by the other mode) grows no further.
  return static_cast<int>(mCropList.size()) >= limit;
}

void Quirel_BaseScanMode::pressedCropEdges(const fnd::Rect& f, const fnd::Point& p, int& cropMode, int& resizeMode) {
  auto near = [](double v, double edge) { return edge - kCropToolEdge <= v && v <= edge + kCropToolEdge; };
  const bool x0 = near(p.x, f.origin.x), x1 = near(p.x, f.origin.x + f.size.width);
  const bool y0 = near(p.y, f.origin.y), y1 = near(p.y, f.origin.y + f.size.height);
  resizeMode = (y1 ? 1 : 0) + (y0 ? 2 : 0) + (x0 ? 4 : 0) + (x1 ? 8 : 0);
  // Both opposite edges at once: the frame is too thin to tell, so it moves.
  if (resizeMode == 3 || resizeMode == 12) {
    resizeMode = 0;
    cropMode = 4;
  } else {
    cropMode = resizeMode ? 3 : 4;
  }
}

void Quirel_BaseScanMode::mouseDownOnPreviewForCrop(const kit::Event& event) {
  mOnlyClick = true;
  Quirel_PreviewView* view = previewImageView();
  if (!view) return;
  takeFirstResponder(view);
  const fnd::Point p = view->convertPointFromView(event.locationInWindow(), nullptr);
  mMouseStart = {p.x, p.y};
  if (commandKeyIn(event.modifierFlags())) mCommndKey = true;
  if (Quirel_CropInfo* focus = getFocusCrop()) focus->setCropMode(0);
  mClickCrop = getCropInPoint(p);
  if (mClickCrop) {
    int cropMode = 4, resizeMode = 0;
    if (const CropFrameViewLink* cropView = mClickCrop->getCropView())
      pressedCropEdges(cropView->frame(), p, cropMode, resizeMode);
    mClickCrop->setCropMode(cropMode);
    mClickCrop->setResizeMode(resizeMode);
    mClickCrop->saveRect();
  }
  for (auto it = mCropList.rbegin(); it != mCropList.rend(); ++it) {
    if (!(*it)->isFocus()) continue;
    if (CropFrameViewLink* cropView = (*it)->getCropView()) cropView->runTimer(false);
  }
  mPreview->updateDisplay();
}

void Quirel_BaseScanMode::mouseDraggedOnPreviewForCrop(const kit::Event& event) {
  Quirel_PreviewView* view = previewImageView();
  if (!view) return;
  const fnd::Point p = view->convertPointFromView(event.locationInWindow(), nullptr);
  const fnd::Point start{mMouseStart.x, mMouseStart.y};
  if (!mClickCrop) {
    if (mZoomScan || isCropLimitReached()) {
      mOnlyClick = false;
      return;
    }
    const Quirel_CropInfo* source = getFocusCrop();
    if (!source) source = mTemplateCrop.get();
    Quirel_CropInfo* crop = createCropWithView(fnd::Rect(start.x, start.y, 0, 0));
    mClickCrop = crop;
    crop->setCropMode(2);
    crop->setSelect(true);
    crop->setLineStyle(2);
    if (source) copyCrop(*source, *crop, false);
  }
  Quirel_CropInfo& crop = *mClickCrop;
  switch (crop.getCropMode()) {
    case 2:
      mouseDragForCreateCrop(start, p, crop);
      break;
    case 3:
    case 4: {
      if (mOnlyClick) {
        crop.setSrcView();
        const bool older = !(mScannerInfo && mScannerInfo->isVer1500Later());
        if (older && mHasPreview && isEnabledAlwaysAutoTone(crop.getColorMode()) &&
            !(mPreferenceInfo && mPreferenceInfo->getAlwaysAutoTone()) && crop.getAutoTone() == 1)
          crop.setBaseCropOfDataPersistence(&crop);
      }
      if (crop.getCropMode() == 3)
        mouseDragForResizeCrop(start, checkMouseDragForResizeCrop(start, p, crop), crop);
      else
        mouseDragForMoveCrop(start, checkMouseDragForMoveCrop(start, p, crop), crop);
      break;
    }
    default:
      break;
  }
  mOnlyClick = false;
  crop.setLineStyle(2);
}

void Quirel_BaseScanMode::mouseDragForCreateCrop(const fnd::Point& s, const fnd::Point& c, Quirel_CropInfo& crop) {
  CropFrameViewLink* view = crop.getCropView();
  if (!view) return;
  const fnd::Size size = crop.getPreviewViewSize();
  const double SW = size.width, SH = size.height;
  const fnd::Rect o = view->frame();
  const double dx = c.x - s.x, dy = c.y - s.y;
  double x, y, w, h;
  int bits = 0;
  if (dx >= 0) {
    x = s.x, w = dx, bits |= 8;
  } else {
    x = c.x, w = -dx, bits |= 4;
  }
  if (dy >= 0) {
    y = s.y, h = dy, bits |= 1;
  } else {
    y = c.y, h = -dy, bits |= 2;
  }
  crop.setResizeMode(bits);
  auto keepX = [&] {
    if (x + w > SW) w = SW - x;
    if (x < 0) w = o.origin.x + o.size.width, x = 0;
  };
  auto keepY = [&] {
    if (y + h > SH) h = SH - y;
    if (y < 0) h = o.origin.y + o.size.height, y = 0;
  };
  keepX();
  keepY();
  if (const auto q = cropToolRatioInPoints(crop, false)) {
    const double qw = q->width, qh = q->height;
    h = w * qh / qw;
    y = dy < 0 ? s.y - h : s.y;
    keepY();
    w = h * qw / qh;
    x = dx < 0 ? s.x - w : s.x;
    keepX();
    h = w * qh / qw;
    y = dy < 0 ? s.y - h : s.y;
  }
  const fnd::Rect frame(x, y, w, h);
  view->redrawSuperview(o);
  view->setFrame(frame);
  crop.saveRect();
  view->redrawSuperview(frame);
  updateCropFromCropRect(crop);
}

fnd::Point Quirel_BaseScanMode::checkMouseDragForMoveCrop(const fnd::Point& s, const fnd::Point& c,
                                                          Quirel_CropInfo& crop) {
  const fnd::Rect r = crop.getSaveRect();
  const fnd::Size size = crop.getPreviewViewSize();
  double nx = r.origin.x + (c.x - s.x), ny = r.origin.y + (c.y - s.y);
  if (nx + r.size.width > size.width) nx = size.width - r.size.width;
  if (ny + r.size.height > size.height) ny = size.height - r.size.height;
  nx = std::max(0.0, nx);
  ny = std::max(0.0, ny);
  return {nx - r.origin.x + s.x, ny - r.origin.y + s.y};
}

void Quirel_BaseScanMode::mouseDragForMoveCrop(const fnd::Point& s, const fnd::Point& l, Quirel_CropInfo& crop) {
  CropFrameViewLink* view = crop.getCropView();
  if (!view) return;
  const fnd::Rect r = crop.getSaveRect();
  const fnd::Rect old = view->frame();
  const fnd::Rect frame(r.origin.x + (l.x - s.x), r.origin.y + (l.y - s.y), r.size.width, r.size.height);
  view->setFrame(frame);
  view->redrawSuperview(old);
  view->redrawSuperview(frame);
  // A move changes only where the frame lies, never its sizes.
  const SSizeDouble input = crop.getInputSize_Pixel96();
  const SSizeDouble output = crop.getOutputSize_Pixel96();
  updateCropFromCropRect(crop);
  crop.setInputSize_Pixel96(input.width, input.height);
  crop.setOutputSize_Pixel96(output);
}

namespace {

// One axis of a free resize: the saved edge pair (r0, r0 + rl), the travel d, whether the low
// and the high edge follow, the view's length and the minimum. Gives the new start and length.
void cropToolResizeAxis(double r0, double rl, double d, bool low, bool high, double limit, double minimum,
                        double& v, double& l) {
  v = r0, l = rl;
  if (low) v = r0 + d, l = rl - d;
  if (high) l += d;
  if (l > limit) {
    v = 0;
    l = limit;
  }
  if (v + l > limit) l = limit - v;
  if (v < 0) {
    l = r0 + rl;
    v = 0;
  }
  if (l < minimum) {
    l = minimum;
    if (low) v = r0 + rl - minimum;
  }
}

}  // namespace

fnd::Point Quirel_BaseScanMode::checkMouseDragForResizeCrop(const fnd::Point& s, const fnd::Point& c,
                                                            Quirel_CropInfo& crop) {
  const fnd::Rect r = crop.getSaveRect();
  const fnd::Size size = crop.getPreviewViewSize();
  const fnd::Size minimum = cropMinimumInPoints(crop);
  const int bits = crop.getResizeMode();
  const double SW = size.width, SH = size.height;
  const double rx = r.origin.x, ry = r.origin.y, rw = r.size.width, rh = r.size.height;
  const auto q = cropToolRatioInPoints(crop, false);
  if (!q) {
    double x, w, y, h;
    cropToolResizeAxis(rx, rw, c.x - s.x, bits & 4, bits & 8, SW, minimum.width, x, w);
    cropToolResizeAxis(ry, rh, c.y - s.y, bits & 2, bits & 1, SH, minimum.height, y, h);
    fnd::Point limited = c;
    if (bits & 4)
      limited.x = x - rx + s.x;
    else if (bits & 8)
      limited.x = (x + w) - (rx + rw) + s.x;
    if (bits & 2)
      limited.y = y - ry + s.y;
    else if (bits & 1)
      limited.y = (y + h) - (ry + rh) + s.y;
    return limited;
  }
  const double qw = q->width, qh = q->height;
  const double dx = c.x - s.x, dy = c.y - s.y;
  // The driving edge by the table, and where the following edge moves.
  const bool x0 = bits & 4, y1 = bits & 1;
  const bool drivesX = (x0 && y1) || (!y1 && (bits & 8) && !x0) || (x0 && !y1);
  // How the following side grows: up from a fixed origin, or down from a fixed top edge.
  const bool followKeepsOrigin = (x0 && y1) || (y1 && !x0) || (bits == 2);
  if (drivesX) {
    double w = x0 ? rw - dx : rw + dx;
    if (x0 && rx + rw - w < 0) w = rx + rw;
    if (!x0 && rx + w > SW) w = SW - rx;
    w = std::max(w, minimum.width);
    double h = w * qh / qw;
    const double room = followKeepsOrigin ? SH - ry : ry + rh;
    h = std::min(h, room);
    h = std::max(h, minimum.height);
    w = h * qw / qh;
    return {x0 ? (rw - w) + s.x : (w - rw) + s.x, c.y};
  }
  double h = (bits & 2) ? rh - dy : rh + dy;
  if ((bits & 2) && ry + rh - h < 0) h = ry + rh;
  if (!(bits & 2) && ry + h > SH) h = SH - ry;
  h = std::max(h, minimum.height);
  double w = h * qw / qh;
  w = std::min(w, SW - rx);
  w = std::max(w, minimum.width);
  h = w * qh / qw;
  return {c.x, (bits & 2) ? (rh - h) + s.y : (h - rh) + s.y};
}

void Quirel_BaseScanMode::mouseDragForResizeCrop(const fnd::Point& s, const fnd::Point& l, Quirel_CropInfo& crop) {
  CropFrameViewLink* view = crop.getCropView();
  if (!view) return;
  const fnd::Rect r = crop.getSaveRect();
  const int bits = crop.getResizeMode();
  const double dx = l.x - s.x, dy = l.y - s.y;
  double x = r.origin.x, y = r.origin.y, w = r.size.width, h = r.size.height;
  if (const auto q = cropToolRatioInPoints(crop, false)) {
    const double qw = q->width, qh = q->height;
    const bool x0 = bits & 4, y1 = bits & 1;
    if (x0 && y1) {
      x = r.origin.x + dx, w = r.size.width - dx, h = w * qh / qw;
    } else if (y1) {
      h = r.size.height + dy, w = h * qw / qh;
    } else if (bits & 8 && !x0) {
      w = r.size.width + dx, h = w * qh / qw, y = r.origin.y - (h - r.size.height);
    } else if (bits == 2) {
      y = r.origin.y + dy, h = r.size.height - dy, w = h * qw / qh;
    } else if (x0) {
      x = r.origin.x + dx, w = r.size.width - dx, h = w * qh / qw, y = r.origin.y - (h - r.size.height);
    }
  } else {
    if (bits & 1) h = r.size.height + dy;
    if (bits & 2) y = r.origin.y + dy, h -= dy;
    if (bits & 4) x = r.origin.x + dx, w = r.size.width - dx;
    if (bits & 8) w += dx;
  }
  const fnd::Rect old = view->frame();
  const fnd::Rect frame(x, y, w, h);
  view->setFrame(frame);
  view->redrawSuperview(old);
  view->redrawSuperview(frame);
  updateCropFromCropRect(crop);
}

void Quirel_BaseScanMode::settleCropViewAtMouseUp(Quirel_CropInfo& crop) {
  CropFrameViewLink* view = crop.getCropView();
  if (!view) return;
  const fnd::Rect f = view->frame();
  const fnd::Size size = crop.getPreviewViewSize();
  const fnd::Size minimum = cropMinimumInPoints(crop);
  const auto q = cropToolRatioInPoints(crop, true);
  double w = f.size.width, h = f.size.height;
  if (w < minimum.width) {
    w = minimum.width;
    if (q) h = w * q->height / q->width;
  }
  if (h < minimum.height) {
    h = minimum.height;
    if (q) w = h * q->width / q->height;
  }
  const int bits = crop.getResizeMode();
  double x = (bits & 4) ? f.origin.x + f.size.width - w : f.origin.x;
  double y = (bits & 2) ? f.origin.y + f.size.height - h : f.origin.y;
  x = std::max(0.0, x);
  if (x + w > size.width) x = size.width - w;
  y = std::max(0.0, y);
  if (y + h > size.height) y = size.height - h;
  view->setFrame(fnd::Rect(x, y, w, h));
}

void Quirel_BaseScanMode::mouseUpAfterCreateCrop() {
  if (!mClickCrop) return;
  Quirel_CropInfo& crop = *mClickCrop;
  settleCropViewAtMouseUp(crop);
  updateCropFromCropRect(crop);
  for (auto it = mCropList.rbegin(); it != mCropList.rend(); ++it) {
    if (it->get() == &crop) continue;
    (*it)->setSelect(false);
    (*it)->setLineStyle(0);
    (*it)->setCropMode(0);
  }
  crop.setSelect(true);
  setFocus(&crop);
  crop.setLineStyle(1);
  crop.setCropMode(0);
}

void Quirel_BaseScanMode::mouseUpAfterResizeCrop() {
  if (!mClickCrop) return;
  Quirel_CropInfo* crop = mClickCrop;
  settleCropViewAtMouseUp(*crop);
  if (crop->getCropMode() == 4) {
    const SSizeDouble input = crop->getInputSize_Pixel96();
    const SSizeDouble output = crop->getOutputSize_Pixel96();
    updateCropFromCropRect(*crop);
    crop->setInputSize_Pixel96(input.width, input.height);
    crop->setOutputSize_Pixel96(output);
  } else {
    updateCropFromCropRect(*crop);
  }
  if (!mCommndKey) {
    for (const auto& other : mCropList) {
      if (other.get() == crop) continue;
      other->setSelect(false);
      other->setLineStyle(0);
    }
  } else if (crop->isSelected()) {
    if (Quirel_CropInfo* next = getNextSelectedCrop(crop)) {
      crop->setSelect(false);
      crop->setLineStyle(0);
      crop->setCropMode(0);
      crop = next;
    }
  }
  crop->setSelect(true);
  setFocus(crop);
  crop->setLineStyle(1);
  crop->setCropMode(0);
}

void Quirel_BaseScanMode::mouseUpOnPreviewForCrop(int uiMode) {
  mOriginalScan = false;
  bool post = false;
  bool corrected = true;
  if (Quirel_CropInfo* crop = mClickCrop) {
    if (crop->getCropMode() == 2) {
      if (mOnlyClick) {
        mouseUpAfterCreateCrop();
      } else if (mCropList.size() == 1 && mCropList.front().get() == crop) {
        mouseUpAfterCreateCrop();
        updateAutoToneByCropViewUpdate(*crop, crop);
        if (uiMode == 1 && !isAlwaysAutoTone(crop->getColorMode())) mOriginalScan = true;
      } else {
        updateAutoToneByCropViewUpdate(*crop, getFocusCrop());
        mouseUpAfterCreateCrop();
      }
      post = true;
    } else {
      Quirel_CropInfo* before = getFocusCrop();
      crop->removeSrcView();
      mouseUpAfterResizeCrop();
      Quirel_CropInfo* after = getFocusCrop();
      post = true;
      if (mOnlyClick) {
        if (before && after) {
          if (before == after)
            post = false;
          else
            corrected = false;
        }
      } else {
        updateAutoToneByCropViewUpdate(*crop, nullptr);
      }
    }
  }
  for (auto it = mCropList.rbegin(); it != mCropList.rend(); ++it) {
    if (!(*it)->isFocus()) continue;
    if (CropFrameViewLink* cropView = (*it)->getCropView()) cropView->runTimer(true);
  }
  if (mHasPreview && post) {
    if (mOriginalScan) {
      postPreviewWithScan(false, false, false, true, true, false, false, false, 0,
                          mScannerInfo ? mScannerInfo->thresholdValue() : 0);
    } else {
      updateFocusCropPostByPreview(uiMode, true, corrected ? 1 : 0);
      mIgnoreKey = false;
    }
  }
  if (mPreview) mPreview->updateDisplay();
  mMouseStart = {0, 0};
  mClickCrop = nullptr;
  mCommndKey = false;
  mOnlyClick = false;
}
