#include "ui/controls/ColorPatternImageView.h"

#include <cmath>

#include "kit/GraphicsContext.h"
#include "ui/controls/ColorPatternFrameView.h"
#include "ui/controls/PreviewView.h"

void Quirel_ColorPatternImageView::setImage(std::optional<kit::Image> image, int rotation, bool mirror) {
  mImage = std::move(image);
  if (!mImage) return;
  fnd::Size i = mImage->size();
  bool turned = rotation == 90 || rotation == 270;
  const double dw = turned ? i.height : i.width;
  const double dh = turned ? i.width : i.height;
  // A picture of no width or height gets a view of no size and draws nothing.
  double vw = 0, vh = 0;
  if (dw > 0 && dh > 0) {
    if (dw < dh) {
      vh = kBox;
      vw = dw / dh * kBox;
    } else {
      vw = kBox;
      vh = dh / dw * kBox;
    }
  }
  fnd::Size cell = superview() ? superview()->frame().size : fnd::Size();
  setFrame(fnd::Rect(std::floor((cell.width - vw) * 0.5), std::floor((cell.height - vh) * 0.5), vw, vh));
  fnd::AffineTransform t;
  if (mirror) t = {-1, 0, 0, 1, vw, 0};
  double tx = 0, ty = 0;
  if (rotation == 90) tx = vw;
  if (rotation == 180) tx = vw, ty = vh;
  if (rotation == 270) ty = vh;
  t = t.translated(tx, ty).rotated(rotation * M_PI / 180.0);
  const double s = dw > 0 ? vw / dw : 0;
  mTransform = t.scaled(s, s);
}

void Quirel_ColorPatternImageView::drawRect(const fnd::Rect& dirty) {
  if (!mImage) return kit::View::drawRect(dirty);
  if (!mTransform || frame().size.width <= 0 || frame().size.height <= 0) return;
  Quirel_PreviewView::drawImageThrough(*mImage, *mTransform);
}

void Quirel_ColorPatternImageView::mouseDown(const kit::Event&) {
  if (!mPostNotification) return;
  Quirel_ColorPatternFrameView::postClick(*this, superview());
}
