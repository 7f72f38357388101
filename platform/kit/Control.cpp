#include "kit/Control.h"

#include "kit/Window.h"

namespace kit {

Control::Control(const fnd::Rect& frame) : View(frame) {}
Control::~Control() = default;

void Control::setAction(Action action) {
  action_ = std::move(action);
  target_ = nullptr;
}

void Control::clearAction() {
  action_ = nullptr;
  target_ = nullptr;
}

bool Control::sendAction() {
  if (!action_) return false;
  // The action may replace or clear itself (a button that disarms itself on its first click).
  Action run = action_;
  run(*this);
  return true;
}

void Control::setEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  if (!enabled) highlighted_ = false;
  setNeedsDisplay(true);
}

void Control::setState(int state) {
  if (state != kOnState && state != kOffState && state != kMixedState) state = kOnState;
  if (state_ == state) return;
  state_ = state;
  setNeedsDisplay(true);
}

void Control::highlight(bool on) {
  if (highlighted_ == on) return;
  highlighted_ = on;
  setNeedsDisplay(true);
}

void Control::setObjectValue(const fnd::Value& value) {
  value_ = value;
  setNeedsDisplay(true);
}

std::string Control::stringValue() const {
  fnd::Value v = objectValue();
  if (v.kind() == fnd::Value::Kind::Integer) return std::to_string(v.toInteger());
  return v.toString();
}

int Control::intValue() const {
  fnd::Value v = objectValue();
  if (v.kind() == fnd::Value::Kind::String) {
    try {
      return static_cast<int>(std::stod(v.toString()));
    } catch (...) {
      return 0;
    }
  }
  return v.toInt();
}

double Control::doubleValue() const {
  fnd::Value v = objectValue();
  if (v.kind() == fnd::Value::Kind::String) {
    try {
      return std::stod(v.toString());
    } catch (...) {
      return 0;
    }
  }
  return v.toReal();
}

void Control::setFont(const Font& font) {
  font_ = font;
  setNeedsDisplay(true);
}

void Control::setAlignment(TextAlignment alignment) {
  alignment_ = alignment;
  setNeedsDisplay(true);
}

bool Control::performClick() {
  if (!enabled_ || isHiddenOrHasHiddenAncestor()) return false;
  clicked();
  return true;
}

void Control::mouseDown(const Event& event) {
  if (!enabled_) return;
  if (ignoresMultipleClicks_ && event.clickCount() > 1) return;
  if (mouseDownHook_ && !mouseDownHook_(*this, event)) return;
  trackMouseDown(event);
}

fnd::Point Control::locationOf(const Event& event) const {
  return convertPointFromView(event.locationInWindow(), nullptr);
}

void Control::trackMouseDown(const Event& event) {
  bool inside = bounds().contains(locationOf(event));
  highlight(inside);
  bool finished = trackMouse([&](const Event& e) {
    inside = bounds().contains(locationOf(e));
    if (e.type() != EventType::LeftMouseUp) highlight(inside);
  });
  highlight(false);
  if (finished && inside && enabled_) clicked();
}

void Control::clicked() { sendAction(); }

}  // namespace kit
