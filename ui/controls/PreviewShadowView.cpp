#include "ui/controls/PreviewShadowView.h"

#include "kit/BezierPath.h"
#include "kit/Color.h"
#include "ui/controls/ClickHandshake.h"

void Quirel_PreviewShadowView::drawRect(const fnd::Rect&) {
  kit::Color::gray().set();
  kit::BezierPath::fillRect(bounds());
}

void Quirel_PreviewShadowView::mouseDown(const kit::Event&) {
  Quirel_ClickHandshake::post(Quirel_ClickHandshake::kControlYesPost, this);
}
