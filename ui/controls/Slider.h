#pragma once

#include <memory>

#include "kit/Slider.h"
#include "ui/controls/SliderCell.h"

// A slider that never takes the keyboard focus; announces each press with "SLIDER_MOVE",
// honours the click hand-shake, and draws through its cell (knob picture, plain bar).
class Quirel_Slider : public kit::Slider {
 public:
  static constexpr const char* kSliderMovePost = "SLIDER_MOVE";

  explicit Quirel_Slider(const fnd::Rect& frame = {});
  bool acceptsFirstResponder() const override { return false; }
  void mouseDown(const kit::Event& event) override;
  void stopTracking(bool mouseIsUp) override;
  void drawKnob(const fnd::Rect& knob) override;
  void drawBar(const fnd::Rect& bar) override;
  void setMoveOnOff(bool on) { mMoveFlg = on; }
  Quirel_SliderCell* cell() const { return cell_.get(); }

 private:
  bool mMoveFlg = true;
  std::unique_ptr<Quirel_SliderCell> cell_;
};
