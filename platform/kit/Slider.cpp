#include "kit/Slider.h"

#include <algorithm>
#include <cmath>

#include "kit/ControlDrawing.h"

namespace kit {

using fnd::Point;
using fnd::Rect;

Slider::Slider(const Rect& frame) : Control(frame) { setContinuous(true); }
Slider::~Slider() = default;

void Slider::setMinValue(double v) {
  min_ = v;
  setDoubleValue(value_);
}

void Slider::setMaxValue(double v) {
  max_ = v;
  setDoubleValue(value_);
}

void Slider::setDoubleValue(double value) {
  value_ = std::clamp(value, min_, std::max(min_, max_));
  setNeedsDisplay(true);
}

void Slider::stopTracking(bool mouseIsUp) {
  if (stopHook_) stopHook_(*this, mouseIsUp);
}

Rect Slider::barRect() const {
  Rect b = bounds();
  double k = knobThickness();
  if (isVertical()) return Rect(std::round(b.midX() - 2), b.minY() + k / 2, 4, std::max(0.0, b.size.height - k));
  return Rect(b.minX() + k / 2, std::round(b.midY() - 2), std::max(0.0, b.size.width - k), 4);
}

Rect Slider::knobRect() const {
  Rect b = bounds();
  double k = knobThickness();
  double f = max_ > min_ ? (value_ - min_) / (max_ - min_) : 0;
  if (isVertical()) return Rect(std::round(b.midX() - k / 2), b.minY() + f * (b.size.height - k), k, k);
  return Rect(b.minX() + f * (b.size.width - k), std::round(b.midY() - k / 2), k, k);
}

double Slider::valueAt(Point p) const {
  Rect bar = barRect();
  double f = isVertical() ? (bar.size.height > 0 ? (p.y - bar.minY()) / bar.size.height : 0)
                          : (bar.size.width > 0 ? (p.x - bar.minX()) / bar.size.width : 0);
  return min_ + std::clamp(f, 0.0, 1.0) * (max_ - min_);
}

void Slider::trackMouseDown(const Event& event) {
  setDoubleValue(valueAt(locationOf(event)));
  if (isContinuous()) sendAction();
  highlight(true);
  bool up = trackMouse([&](const Event& e) {
    double v = valueAt(locationOf(e));
    bool moved = v != value_;
    setDoubleValue(v);
    if (moved && isContinuous() && e.type() != EventType::LeftMouseUp) sendAction();
  });
  highlight(false);
  if (up) sendAction();
  stopTracking(up);
}

void Slider::drawBar(const Rect& bar) {
  look::bezel(bar, 2, false, isEnabled());
  Rect filled = bar;
  Rect knob = knobRect();
  if (isVertical())
    filled.size.height = std::max(0.0, knob.midY() - bar.minY());
  else
    filled.size.width = std::max(0.0, knob.midX() - bar.minX());
  (isEnabled() ? Color::selectedControl() : Color::calibratedWhite(0.8)).setFill();
  BezierPath::fillRect(filled);
}

void Slider::drawKnob(const Rect& knob) {
  look::radioButton(knob.insetBy(1, 1), false, isHighlighted(), isEnabled());
}

void Slider::drawRect(const Rect&) {
  drawBar(barRect());
  drawKnob(knobRect());
}

}  // namespace kit
