#include "kit/Stepper.h"

#include <algorithm>
#include <cmath>
#include <sstream>

#include "kit/Application.h"
#include "kit/ControlDrawing.h"
#include "kit/Window.h"

namespace kit {

using fnd::Rect;

namespace {
constexpr double kFirstRepeat = 0.5;
constexpr double kRepeat = 0.1;
}  // namespace

Stepper::Stepper(const Rect& frame) : Control(frame) { setContinuous(true); }
Stepper::~Stepper() = default;

void Stepper::setMinValue(double v) {
  min_ = v;
  if (value_ < min_) value_ = min_;
  setNeedsDisplay(true);
}

void Stepper::setMaxValue(double v) {
  max_ = v;
  if (value_ > max_) value_ = max_;
  setNeedsDisplay(true);
}

void Stepper::setDoubleValue(double value) {
  value_ = std::clamp(value, min_, std::max(min_, max_));
  setNeedsDisplay(true);
}

std::string Stepper::stringValue() const {
  std::ostringstream s;
  s << value_;
  return s.str();
}

void Stepper::step(bool up) {
  double next = value_ + (up ? increment_ : -increment_);
  if (next > max_) next = wraps_ ? min_ : max_;
  if (next < min_) next = wraps_ ? max_ : min_;
  value_ = next;
  setNeedsDisplay(true);
  sendAction();
}

bool Stepper::performClick() {
  if (!isEnabled()) return false;
  step(true);
  return true;
}

void Stepper::stopTracking(bool mouseIsUp) {
  if (stopHook_) stopHook_(*this, mouseIsUp);
}

void Stepper::trackMouseDown(const Event& event) {
  bool up = inUpperHalf(locationOf(event));
  pressed_ = up ? 1 : -1;
  step(up);
  bool mouseUp = false;
  if (!autorepeat_) {
    mouseUp = trackMouse([](const Event&) {});
  } else {
    Application& app = Application::shared();
    bool inside = true;
    double wait = kFirstRepeat;
    for (;;) {
      Window* w = window();
      if (!w) break;
      std::optional<Event> e = w->nextEventMatchingMask(kMouseTrackingMask, wait);
      if (!e) {
        // Time-out, or the window or application went away.
        if (app.isTerminated() || !window() || !window()->isVisible()) break;
        if (inside && isEnabled()) step(up);
        wait = kRepeat;
        continue;
      }
      fnd::Point p = locationOf(*e);
      inside = bounds().contains(p) && inUpperHalf(p) == up;
      int shown = inside ? (up ? 1 : -1) : 0;
      if (shown != pressed_) {
        pressed_ = shown;
        setNeedsDisplay(true);
      }
      if (e->type() == EventType::LeftMouseUp) {
        mouseUp = true;
        break;
      }
    }
  }
  pressed_ = 0;
  setNeedsDisplay(true);
  stopTracking(mouseUp);
}

void Stepper::drawRect(const Rect&) {
  Rect b = bounds();
  double w = std::min(b.size.width, 15.0);
  Rect body(std::round(b.midX() - w / 2), b.minY() + 1, w, b.size.height - 2);
  Rect upper(body.minX(), body.midY(), body.size.width, body.size.height / 2);
  Rect lower(body.minX(), body.minY(), body.size.width, body.size.height / 2);
  bool enabled = isEnabled();
  look::bezel(upper, 3, pressed_ == 1, enabled);
  look::bezel(lower, 3, pressed_ == -1, enabled);
  look::textColor(enabled).setFill();
  double aw = 6;
  BezierPath a, v;
  a.moveTo({upper.midX() - aw / 2, upper.midY() - 2});
  a.lineTo({upper.midX() + aw / 2, upper.midY() - 2});
  a.lineTo({upper.midX(), upper.midY() + 2});
  a.closePath();
  v.moveTo({lower.midX() - aw / 2, lower.midY() + 2});
  v.lineTo({lower.midX() + aw / 2, lower.midY() + 2});
  v.lineTo({lower.midX(), lower.midY() - 2});
  v.closePath();
  a.fill();
  v.fill();
}

}  // namespace kit
