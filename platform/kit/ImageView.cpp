#include "kit/ImageView.h"

#include <algorithm>
#include <cmath>

#include "kit/ControlDrawing.h"

namespace kit {

using fnd::Rect;

ImageView::ImageView(const Rect& frame) : Control(frame) {}
ImageView::~ImageView() = default;

void ImageView::setImage(const Image& image) {
  image_ = image;
  setNeedsDisplay(true);
}
void ImageView::setImageScaling(ImageScaling scaling) {
  scaling_ = scaling;
  setNeedsDisplay(true);
}
void ImageView::setImageFrameStyle(ImageFrameStyle style) {
  frameStyle_ = style;
  setNeedsDisplay(true);
}

Rect ImageView::imageRect() const {
  if (!image_.isValid()) return Rect();
  Rect b = bounds().insetBy(frameStyle_ == ImageFrameStyle::None ? 0 : 3, frameStyle_ == ImageFrameStyle::None ? 0 : 3);
  fnd::Size s = image_.size();
  double w = s.width, h = s.height;
  switch (scaling_) {
    case ImageScaling::AxesIndependently:
      return b;
    case ImageScaling::None:
      break;
    case ImageScaling::ProportionallyDown:
    case ImageScaling::ProportionallyUpOrDown: {
      double f = std::min(b.size.width / std::max(1.0, w), b.size.height / std::max(1.0, h));
      if (scaling_ == ImageScaling::ProportionallyDown) f = std::min(1.0, f);
      w *= f;
      h *= f;
      break;
    }
  }
  return Rect(std::round(b.midX() - w / 2), std::round(b.midY() - h / 2), w, h);
}

void ImageView::drawRect(const Rect&) {
  if (frameStyle_ != ImageFrameStyle::None) look::bezel(bounds(), 3, false, true);
  if (!image_.isValid()) return;
  GraphicsContext* ctx = GraphicsContext::current();
  if (!ctx) return;
  ctx->saveGraphicsState();
  ctx->clipToRect(bounds());
  // Disabled: the image shows through at half strength.
  image_.drawInRect(imageRect(), {}, isEnabled() ? 1.0 : 0.5);
  ctx->restoreGraphicsState();
}

void ImageView::mouseDown(const Event& event) {
  if (!hasAction()) {
    View::mouseDown(event);
    return;
  }
  Control::mouseDown(event);
}

}  // namespace kit
