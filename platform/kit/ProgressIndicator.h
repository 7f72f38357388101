#pragma once

#include <memory>

#include "kit/View.h"

namespace fnd {
class Timer;
}

namespace kit {

enum class ProgressIndicatorStyle { Bar = 0, Spinning = 1 };

// A bar that fills from minimum to maximum, or an indeterminate bar (or spinner) that moves
// while animating.
class ProgressIndicator : public View {
 public:
  explicit ProgressIndicator(const fnd::Rect& frame = {});
  ~ProgressIndicator() override;

  double minValue() const { return min_; }
  void setMinValue(double v);
  double maxValue() const { return max_; }
  void setMaxValue(double v);
  double doubleValue() const { return value_; }
  void setDoubleValue(double v);
  void incrementBy(double delta) { setDoubleValue(value_ + delta); }
  bool isIndeterminate() const { return indeterminate_; }
  void setIndeterminate(bool on);
  ProgressIndicatorStyle style() const { return style_; }
  void setStyle(ProgressIndicatorStyle style);
  bool isDisplayedWhenStopped() const { return displayedWhenStopped_; }
  void setDisplayedWhenStopped(bool on);
  // Moves an indeterminate indicator (a timer of the common modes, so it moves during modal
  // runs and tracking too).
  void startAnimation();
  void stopAnimation();
  bool isAnimating() const { return animating_; }

  void drawRect(const fnd::Rect& dirty) override;

 private:
  double min_ = 0;
  double max_ = 100;
  double value_ = 0;
  bool indeterminate_ = true;
  bool animating_ = false;
  bool displayedWhenStopped_ = true;
  ProgressIndicatorStyle style_ = ProgressIndicatorStyle::Bar;
  int phase_ = 0;
  std::shared_ptr<fnd::Timer> timer_;
};

}  // namespace kit
