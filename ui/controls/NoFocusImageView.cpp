#include "ui/controls/NoFocusImageView.h"

#include "kit/Color.h"
#include "kit/GraphicsContext.h"

void Quirel_NoFocusImageView::setGrayoutWhenDisable(bool on) {
  mGrayoutWhenDisable = on;
  setNeedsDisplay();
}

void Quirel_NoFocusImageView::setEnabled(bool enabled) {
  kit::ImageView::setEnabled(enabled);
  setNeedsDisplay();
}

void Quirel_NoFocusImageView::drawRect(const fnd::Rect& dirty) {
  kit::ImageView::drawRect(dirty);
  kit::GraphicsContext* ctx = kit::GraphicsContext::current();
  if (!ctx || isEnabled() || !mGrayoutWhenDisable) return;
  ctx->setFillColor(kit::Color::calibratedWhite(1.0, kGrayoutAlpha));
  ctx->fillRect(bounds());
}
