#pragma once

// What a stepper consults at the end of each press: it announces the end of tracking with
// itself as object, so owners can act once per press however many steps were made.
class Quirel_StepperCell {
 public:
  static constexpr const char* kStopTrackingPost = "StepperCellStopTrackingPost";

  virtual ~Quirel_StepperCell() = default;
  virtual void stopTracking(bool mouseIsUp);
};
