#include "ui/controls/NoFocusStepper.h"

#include "ui/controls/ClickHandshake.h"

Quirel_NoFocusStepper::Quirel_NoFocusStepper(const fnd::Rect& frame)
    : kit::Stepper(frame), cell_(std::make_unique<Quirel_StepperCell>()) {}

void Quirel_NoFocusStepper::mouseDown(const kit::Event& event) {
  if (Quirel_ClickHandshake::pass(kStepperDownPost, this, mDownOnOffFlg)) kit::Stepper::mouseDown(event);
}

void Quirel_NoFocusStepper::stopTracking(bool mouseIsUp) {
  kit::Stepper::stopTracking(mouseIsUp);
  cell_->stopTracking(mouseIsUp);
}
