#pragma once

#include "kit/Image.h"
#include "kit/Slider.h"

// How a Quirel slider draws: its knob is a picture, its bar only the window background, and
// the end of each press is announced with the cell as object.
class Quirel_SliderCell {
 public:
  static constexpr const char* kStopTrackingPost = "SliderCellStopTrackingPost";

  virtual ~Quirel_SliderCell() = default;
  void setKnobImage(const kit::Image& image) { knobImage_ = image; }
  const kit::Image& knobImage() const { return knobImage_; }
  // The whole picture into (K.x - 5, K.y - 11, 32, 32), full opacity.
  virtual void drawKnob(const fnd::Rect& knob);
  virtual void drawBarInside(const fnd::Rect& bar, bool flipped);
  virtual void stopTracking(bool mouseIsUp);

 private:
  kit::Image knobImage_;
};
