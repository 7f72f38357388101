#include "ui/frontdoor/MessageTextField.h"

#include <algorithm>

#include "kit/GraphicsContext.h"

Quirel_MessageTextField::Quirel_MessageTextField(const fnd::Rect& frame) : kit::Control(frame) {
  setFont(kit::Font::messageFont(0));
}

void Quirel_MessageTextField::setStringValue(const std::string& text) {
  text_ = text;
  kit::Control::setStringValue(text);
  setNeedsDisplay(true);
}

double Quirel_MessageTextField::naturalWidth() const { return font().widthOfString(text_) + 2 * kInset; }

double Quirel_MessageTextField::heightForWidth(double width) const {
  return font().heightForWidth(text_, std::max(1.0, width - 2 * kInset));
}

void Quirel_MessageTextField::drawRect(const fnd::Rect&) {
  kit::GraphicsContext* ctx = kit::GraphicsContext::current();
  if (!ctx) return;
  fnd::Rect b = bounds();
  fnd::Rect area(b.origin.x + kInset, b.origin.y, std::max(0.0, b.size.width - 2 * kInset), b.size.height);
  ctx->drawText(text_, area, font(), isEnabled() ? kit::Color::controlText() : kit::Color::disabledControlText());
}
