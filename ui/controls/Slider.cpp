#include "ui/controls/Slider.h"

#include "ui/controls/ClickHandshake.h"

Quirel_Slider::Quirel_Slider(const fnd::Rect& frame)
    : kit::Slider(frame), cell_(std::make_unique<Quirel_SliderCell>()) {}

void Quirel_Slider::mouseDown(const kit::Event& event) {
  if (Quirel_ClickHandshake::pass(kSliderMovePost, this, mMoveFlg)) kit::Slider::mouseDown(event);
}

void Quirel_Slider::stopTracking(bool mouseIsUp) {
  kit::Slider::stopTracking(mouseIsUp);
  cell_->stopTracking(mouseIsUp);
}

void Quirel_Slider::drawKnob(const fnd::Rect& knob) {
  // Without a knob picture the standard knob stands in, so the slider is never invisible.
  if (cell_->knobImage().isValid())
    cell_->drawKnob(knob);
  else
    kit::Slider::drawKnob(knob);
}

void Quirel_Slider::drawBar(const fnd::Rect& bar) {
  if (cell_->knobImage().isValid())
    cell_->drawBarInside(bar, isFlipped());
  else
    kit::Slider::drawBar(bar);
}
