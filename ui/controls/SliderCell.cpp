#include "ui/controls/SliderCell.h"

#include "kit/Color.h"
#include "kit/GraphicsContext.h"
#include "ui/controls/ClickHandshake.h"

void Quirel_SliderCell::drawKnob(const fnd::Rect& knob) {
  // The picture is larger than the knob and centred on it by these fixed offsets; kit draws
  // it upright whether the context is flipped or not.
  knobImage_.drawInRect(fnd::Rect(knob.origin.x - 5, knob.origin.y - 11, 32, 32), {}, 1.0);
}

void Quirel_SliderCell::drawBarInside(const fnd::Rect& bar, bool) {
  kit::GraphicsContext* ctx = kit::GraphicsContext::current();
  if (!ctx) return;
  ctx->setFillColor(kit::Color::windowBackground());
  ctx->fillRect(bar);
}

void Quirel_SliderCell::stopTracking(bool) { Quirel_ClickHandshake::post(kStopTrackingPost, this); }
