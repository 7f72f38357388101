#pragma once

#include <memory>

#include "kit/Stepper.h"
#include "ui/controls/StepperCell.h"

// A stepper that never takes the keyboard focus; announces each press with "STEPPER_DOWN",
// honours the click hand-shake, and lets its cell announce the end of each press.
class Quirel_NoFocusStepper : public kit::Stepper {
 public:
  static constexpr const char* kStepperDownPost = "STEPPER_DOWN";

  explicit Quirel_NoFocusStepper(const fnd::Rect& frame = {});
  bool acceptsFirstResponder() const override { return false; }
  void mouseDown(const kit::Event& event) override;
  void stopTracking(bool mouseIsUp) override;
  void setDownOnOff(bool on) { mDownOnOffFlg = on; }
  Quirel_StepperCell* cell() const { return cell_.get(); }

 private:
  bool mDownOnOffFlg = true;
  std::unique_ptr<Quirel_StepperCell> cell_;
};
