// The eyedropper of the histogram dialog on the preview and on the thumbnails: a click picks
// one pixel of the crop's data before correction, a drag the average of a rectangle.

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "kit/Event.h"
#include "ui/adjust/HistogramDialog.h"
#include "ui/controls/CTRLS_MainWindow.h"
#include "ui/controls/CTRLS_Preview.h"
#include "ui/controls/CTRLS_PreviewFrame.h"
#include "ui/controls/CropView.h"
#include "ui/controls/MainWindow.h"
#include "ui/controls/PreviewView.h"
#include "ui/controls/ThumbnailPreviewView.h"
#include "ui/model/CropInfo.h"
#include "ui/model/ThumbnailInfo.h"
#include "ui/modes/advanced/ExtendMode.h"

namespace {

int spoitTrunc(double v) {
  if (!std::isfinite(v)) return 0;
  if (v >= 2147483647.0) return 2147483647;
  if (v <= -2147483648.0) return -2147483647 - 1;
  return static_cast<int>(v);
}

std::string spoitText(int v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%d", v);
  return buf;
}

const kit::View* spoitCropView(const Quirel_CropInfo& crop) {
  return dynamic_cast<const kit::View*>(crop.getCropView());
}

Quirel_ThumbnailPreviewView* spoitThumbnailView(const ThumbnailList& list, int index) {
  if (index < 0 || index >= static_cast<int>(list.size()) || !list[static_cast<std::size_t>(index)]) return nullptr;
  return dynamic_cast<Quirel_ThumbnailPreviewView*>(list[static_cast<std::size_t>(index)]->getPreviewView());
}

}  // namespace

fnd::Rect Quirel_ExtendMode::spoitRubberBand(fnd::Point start, fnd::Point current, const fnd::Rect& bounds) {
  double x = std::min(start.x, current.x), y = std::min(start.y, current.y);
  double w = std::fabs(current.x - start.x), h = std::fabs(current.y - start.y);
  const double right = bounds.origin.x + bounds.size.width, top = bounds.origin.y + bounds.size.height;
  if (x + w > right) w = right - x;
  if (x < bounds.origin.x) {
    w -= bounds.origin.x - x;
    x = bounds.origin.x;
  }
  if (y + h > top) h = top - y;
  if (y < bounds.origin.y) {
    h -= bounds.origin.y - y;
    y = bounds.origin.y;
  }
  return fnd::Rect(x, y, std::max(w, 0.0), std::max(h, 0.0));
}

void Quirel_ExtendMode::mouseDragForCreateSpoit(Quirel_CropView& band, fnd::Point start, fnd::Point current,
                                                const fnd::Rect& bounds) {
  const fnd::Rect old = band.frame();
  kit::View* super = band.superview();
  if (super) super->setNeedsDisplayInRect(old);
  band.setFrame(spoitRubberBand(start, current, bounds));
  if (super) super->setNeedsDisplayInRect(band.frame());
}

fnd::Rect Quirel_ExtendMode::spoitBoundsOnPreview() const {
  if (const Quirel_CropInfo* focus = getFocusCrop())
    if (const kit::View* v = spoitCropView(*focus)) return v->frame();
  return mPreview ? mPreview->getImageView()->visibleRect() : fnd::Rect();
}

void Quirel_ExtendMode::mouseDownOnPreviewForSpoit(const kit::Event& event) {
  mOnlyClick = true;
  mSpoitStart = false;
  mSpoitView.reset();
  if (!mPreview) return;
  Quirel_PreviewView* imageView = mPreview->getImageView();
  if (mMainWindow && mMainWindow->getWindow()) mMainWindow->getWindow()->makeFirstResponder(imageView);
  const fnd::Point p = imageView->convertPointFromView(event.locationInWindow(), nullptr);
  if (spoitBoundsOnPreview().contains(p)) {
    mMouseStart = {p.x, p.y};
    mSpoitStart = true;
  }
}

void Quirel_ExtendMode::mouseDraggedOnPreviewForSpoit(const kit::Event& event) {
  mOnlyClick = false;
  if (!mSpoitStart || !mPreview) return;
  Quirel_PreviewView* imageView = mPreview->getImageView();
  const fnd::Rect bounds = spoitBoundsOnPreview();
  const fnd::Point start{mMouseStart.x, mMouseStart.y};
  if (!mSpoitView) {
    mSpoitView = std::make_unique<Quirel_CropView>(fnd::Rect(start, fnd::Size{0, 0}));
    mSpoitView->setLineStyle(2);
    mPreview->addCrop(mSpoitView.get());
  }
  mouseDragForCreateSpoit(*mSpoitView, start, imageView->convertPointFromView(event.locationInWindow(), nullptr),
                          bounds);
}

void Quirel_ExtendMode::finishSpoit(const Quirel_CropInfo& crop, const kit::View& view, fnd::Point clickPoint,
                                    fnd::Rect band, int rotation, bool mirror) {
  const SRectDouble data = crop.getcropCorRect();
  const int cw = spoitTrunc(data.size.width), ch = spoitTrunc(data.size.height);
  // No pick at all from a crop without data.
  if (cw <= 0 || ch <= 0 || !crop.getcropBefData()) return;
  const fnd::Size vs = view.frame().size;
  std::optional<std::array<int, 3>> pick;
  if (mOnlyClick || band.size.width <= 0 || band.size.height <= 0) {
    const PixelIndex at = locatePixel({vs.width, vs.height}, {clickPoint.x, clickPoint.y}, rotation, mirror, cw, ch);
    pick = averagePixels(crop.getcropBefData(), cw, ch, at.x, at.y, 1, 1);
  } else {
    const SRectDouble r = calcNonConvertedRect({{band.origin.x, band.origin.y}, {band.size.width, band.size.height}},
                                               {vs.width, vs.height}, mirror, rotation);
    double w = vs.width, h = vs.height;
    if (rotation == 1 || rotation == 3) std::swap(w, h);
    int x0 = w == 0 ? 0 : std::max(0, spoitTrunc(r.origin.x * cw / w));
    int y0 = h == 0 ? 0 : std::max(0, spoitTrunc((h - (r.origin.y + r.size.height)) * ch / h));
    int n = w == 0 ? 0 : spoitTrunc(r.size.width * cw / w);
    int m = h == 0 ? 0 : spoitTrunc(r.size.height * ch / h);
    if (n <= 0) {
      n = 1;
      if (x0 + 1 > cw) x0 = cw - 1;
    }
    if (m <= 0) {
      m = 1;
      if (y0 + 1 > ch) y0 = ch - 1;
    }
    pick = averagePixels(crop.getcropBefData(), cw, ch, x0, y0, n, m);
  }
  if (!pick) return;
  fnd::Dictionary d;
  d.set("RedValue", spoitText((*pick)[0]));
  d.set("GreenValue", spoitText((*pick)[1]));
  d.set("BlueValue", spoitText((*pick)[2]));
  d.set("GrayValue", spoitText((*pick)[1]));
  if (histIsVisible()) mHistogramDialog->spoitValueSet(&d);
}

void Quirel_ExtendMode::mouseUpOnPreviewForSpoit() {
  if (!mSpoitStart || !mPreview) return;
  Quirel_PreviewView* imageView = mPreview->getImageView();
  fnd::Rect band;
  if (mSpoitView) {
    band = mSpoitView->frame();
    mSpoitView->removeFromSuperview();
    mSpoitView.reset();
  }
  const Quirel_CropInfo* crop = getFocusCrop();
  const kit::View* view = crop ? spoitCropView(*crop) : nullptr;
  if (!crop) crop = mTemplateCrop.get();
  if (!view) view = imageView;
  if (crop) {
    const fnd::Point start{mMouseStart.x, mMouseStart.y};
    const fnd::Point click = view == imageView ? start : view->convertPointFromView(start, imageView);
    const fnd::Rect rect = view == imageView ? band : view->convertRectFromView(band, imageView);
    finishSpoit(*crop, *view, click, rect, mRotation, mMirror);
  }
  mouseMovedOnPlaten();
  if (mPreviewFrame) mPreviewFrame->updateDisplay();
}

void Quirel_ExtendMode::mouseDownOnThumbnailPreviewForSpoit(const kit::Event& event, int index) {
  mOnlyClick = true;
  mSpoitStart = false;
  mSpoitView.reset();
  Quirel_ThumbnailPreviewView* view = spoitThumbnailView(mThumbnailList, index);
  if (!view || !mThumbnailList[static_cast<std::size_t>(index)]->isFocus()) return;
  const fnd::Point p = view->convertPointFromView(event.locationInWindow(), nullptr);
  mMouseStart = {p.x, p.y};
  mSpoitStart = true;
}

void Quirel_ExtendMode::mouseDraggedOnThumbnailPreviewForSpoit(const kit::Event& event, int index) {
  mOnlyClick = false;
  if (!mSpoitStart) return;
  Quirel_ThumbnailPreviewView* view = spoitThumbnailView(mThumbnailList, index);
  if (!view) return;
  const fnd::Point start{mMouseStart.x, mMouseStart.y};
  if (!mSpoitView) {
    mSpoitView = std::make_unique<Quirel_CropView>(fnd::Rect(start, fnd::Size{0, 0}));
    mSpoitView->setLineStyle(2);
    view->addSubview(mSpoitView.get());
  }
  mouseDragForCreateSpoit(*mSpoitView, start, view->convertPointFromView(event.locationInWindow(), nullptr),
                          view->visibleRect());
}

void Quirel_ExtendMode::mouseUpOnThumbnailPreviewForSpoit(const kit::Event& event, int index) {
  if (!mSpoitStart) return;
  fnd::Rect band;
  if (mSpoitView) {
    band = mSpoitView->frame();
    mSpoitView->removeFromSuperview();
    mSpoitView.reset();
  }
  Quirel_ThumbnailPreviewView* view = spoitThumbnailView(mThumbnailList, index);
  if (!view) return;
  const auto& thumbnail = mThumbnailList[static_cast<std::size_t>(index)];
  const std::shared_ptr<Quirel_CropInfo> crop = thumbnail->getThumnailCrop();
  if (!crop) return;
  // A click on a thumbnail picks the pixel under the release, not the press.
  const fnd::Point click = view->convertPointFromView(event.locationInWindow(), nullptr);
  finishSpoit(*crop, *view, click, band, thumbnail->getRotation(), thumbnail->getMirror());
}
