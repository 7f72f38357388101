#include "ui/adjust/PointMarkerImageView.h"

#include "foundation/NotificationCenter.h"
#include "kit/GraphicsContext.h"

void Quirel_PointMarkerImageView::mouseDown(const kit::Event&) {
  auto& centre = fnd::NotificationCenter::defaultCenter();
  centre.post(pressName(), this);
  centre.post("CONTROL_YES", this);
  trackMouse([&](const kit::Event& e) {
    if (e.type() == kit::EventType::LeftMouseDragged) centre.post(dragName(), this);
  });
  centre.post(releaseName(), this);
}

void Quirel_PointMarkerImageView::drawRect(const fnd::Rect& dirtyRect) {
  if (!mKnobImage.isValid()) {
    kit::ImageView::drawRect(dirtyRect);
    return;
  }
  kit::GraphicsContext* ctx = kit::GraphicsContext::current();
  if (!ctx) return;
  // The knob fills the marker, which the dialog sizes to it; drawn further left and down
  // it would fall outside the marker and show as a sliver.
  const fnd::Size size = mKnobImage.size();
  ctx->drawImage(mKnobImage, fnd::Rect(bounds().origin.x, bounds().origin.y, size.width, size.height), fnd::Rect(),
                 1.0);
}
