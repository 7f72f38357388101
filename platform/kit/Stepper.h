#pragma once

#include <functional>

#include "kit/Control.h"

namespace kit {

// Two arrows that step a value between a minimum and a maximum. A press steps at once and
// sends the action; with autorepeat the step repeats while the arrow is held (first after
// half a second, then ten times a second). Without wrapping the value stops at the ends.
// When the press ends, stopTracking runs once, whatever the number of steps.
class Stepper : public Control {
 public:
  using StopTrackingHook = std::function<void(Stepper&, bool mouseIsUp)>;

  explicit Stepper(const fnd::Rect& frame = {});
  ~Stepper() override;

  double minValue() const { return min_; }
  void setMinValue(double v);
  double maxValue() const { return max_; }
  void setMaxValue(double v);
  double increment() const { return increment_; }
  void setIncrement(double v) { increment_ = v; }
  bool autorepeat() const { return autorepeat_; }
  void setAutorepeat(bool on) { autorepeat_ = on; }
  bool valueWraps() const { return wraps_; }
  void setValueWraps(bool on) { wraps_ = on; }

  // The value, kept within minimum and maximum.
  fnd::Value objectValue() const override { return fnd::Value(value_); }
  void setObjectValue(const fnd::Value& value) override { setDoubleValue(value.toReal()); }
  double doubleValue() const override { return value_; }
  void setDoubleValue(double value) override;
  int intValue() const override { return static_cast<int>(value_); }
  void setIntValue(int value) override { setDoubleValue(value); }
  std::string stringValue() const override;

  // One step up (or down) by program, as a press on that arrow, with the action.
  void stepUp() { step(true); }
  void stepDown() { step(false); }
  bool performClick() override;

  // Runs once at the end of each press; the default calls the hook.
  virtual void stopTracking(bool mouseIsUp);
  void setStopTrackingHook(StopTrackingHook hook) { stopHook_ = std::move(hook); }

  void drawRect(const fnd::Rect& dirty) override;

 protected:
  void trackMouseDown(const Event& event) override;

 private:
  void step(bool up);
  bool inUpperHalf(fnd::Point p) const { return p.y >= bounds().midY(); }
  double min_ = 0;
  double max_ = 59;
  double increment_ = 1;
  double value_ = 0;
  bool autorepeat_ = true;
  bool wraps_ = true;
  int pressed_ = 0;  // 1 up, -1 down
  StopTrackingHook stopHook_;
};

}  // namespace kit
