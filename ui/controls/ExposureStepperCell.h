#pragma once

#include "ui/controls/StepperCell.h"

// The exposure stepper's cell: it reports the end of each press, so the owner hears of a
// stepped exposure once per press, however often the press repeated.
class Quirel_ExposureStepperCell : public Quirel_StepperCell {
 public:
  static constexpr const char* kStepperPost = "AdvExposureStepperPost";
  void stopTracking(bool mouseIsUp) override;
};
