#include "kit/Color.h"

#include <algorithm>

#include "kit/GraphicsContext.h"

namespace kit {

namespace {
double clamp01(double v) { return std::clamp(v, 0.0, 1.0); }
}  // namespace

Color Color::calibratedRGB(double red, double green, double blue, double alpha) {
  return Color(clamp01(red), clamp01(green), clamp01(blue), clamp01(alpha));
}
Color Color::calibratedWhite(double white, double alpha) {
  return calibratedRGB(white, white, white, alpha);
}

Color Color::black() { return calibratedWhite(0.0); }
Color Color::white() { return calibratedWhite(1.0); }
Color Color::gray() { return calibratedWhite(0.5); }
Color Color::lightGray() { return calibratedWhite(2.0 / 3.0); }
Color Color::darkGray() { return calibratedWhite(1.0 / 3.0); }
Color Color::red() { return calibratedRGB(1, 0, 0); }
Color Color::green() { return calibratedRGB(0, 1, 0); }
Color Color::blue() { return calibratedRGB(0, 0, 1); }
Color Color::yellow() { return calibratedRGB(1, 1, 0); }
Color Color::clear() { return calibratedWhite(0.0, 0.0); }

Color Color::windowBackground() { return calibratedWhite(0.925); }
Color Color::controlBackground() { return calibratedWhite(1.0); }
Color Color::control() { return calibratedWhite(0.91); }
Color Color::controlText() { return calibratedWhite(0.0); }
Color Color::disabledControlText() { return calibratedWhite(0.0, 0.4); }
Color Color::controlHighlight() { return calibratedWhite(0.85); }
Color Color::controlShadow() { return calibratedWhite(0.6); }
Color Color::selectedControl() { return calibratedRGB(0.70, 0.84, 1.0); }
Color Color::text() { return calibratedWhite(0.0); }
Color Color::textBackground() { return calibratedWhite(1.0); }
Color Color::keyboardFocusIndicator() { return calibratedRGB(0.23, 0.51, 0.96, 0.75); }
Color Color::gridColor() { return calibratedWhite(0.8); }

Color Color::withAlphaComponent(double alpha) const { return Color(r_, g_, b_, clamp01(alpha)); }

void Color::set() const {
  if (GraphicsContext* ctx = GraphicsContext::current()) {
    ctx->setFillColor(*this);
    ctx->setStrokeColor(*this);
  }
}
void Color::setFill() const {
  if (GraphicsContext* ctx = GraphicsContext::current()) ctx->setFillColor(*this);
}
void Color::setStroke() const {
  if (GraphicsContext* ctx = GraphicsContext::current()) ctx->setStrokeColor(*this);
}

}  // namespace kit
