#pragma once

#include <cmath>
#include <functional>

#include "kit/Control.h"

namespace kit {

// A bar with a knob, horizontal unless taller than wide. A press moves the knob to the
// pointer and drags it; a continuous slider sends its action at every move, the others at
// the mouse-up. stopTracking runs once when the press ends. Owners draw their own knob and
// bar by overriding drawKnob and drawBar.
class Slider : public Control {
 public:
  using StopTrackingHook = std::function<void(Slider&, bool mouseIsUp)>;

  explicit Slider(const fnd::Rect& frame = {});
  ~Slider() override;

  double minValue() const { return min_; }
  void setMinValue(double v);
  double maxValue() const { return max_; }
  void setMaxValue(double v);
  bool isVertical() const { return bounds().size.height > bounds().size.width; }

  fnd::Value objectValue() const override { return fnd::Value(value_); }
  void setObjectValue(const fnd::Value& value) override { setDoubleValue(value.toReal()); }
  double doubleValue() const override { return value_; }
  void setDoubleValue(double value) override;
  int intValue() const override { return static_cast<int>(std::lround(value_)); }
  void setIntValue(int value) override { setDoubleValue(value); }

  virtual void stopTracking(bool mouseIsUp);
  void setStopTrackingHook(StopTrackingHook hook) { stopHook_ = std::move(hook); }

  // Where the knob and the bar are drawn, in the bounds.
  fnd::Rect knobRect() const;
  fnd::Rect barRect() const;
  double knobThickness() const { return 16; }
  virtual void drawBar(const fnd::Rect& bar);
  virtual void drawKnob(const fnd::Rect& knob);
  void drawRect(const fnd::Rect& dirty) override;

 protected:
  void trackMouseDown(const Event& event) override;

 private:
  double valueAt(fnd::Point p) const;
  double min_ = 0;
  double max_ = 1;
  double value_ = 0;
  StopTrackingHook stopHook_;
};

}  // namespace kit
