#pragma once

#include "kit/Control.h"

namespace kit {

class Stepper;
class TextField;

// A time-of-day picker: an hour and a minute shown as "H:MM" in a text field, with a stepper
// at its right that moves the minute by one (wrapping through the hours). A time typed into the
// field is taken when editing ends; a text that is no valid time is refused and the field shows
// the picker's time again. The action is sent after every change by the user.
class DatePicker : public Control {
 public:
  explicit DatePicker(const fnd::Rect& frame = {});
  ~DatePicker() override;

  int hour() const { return hour_; }
  int minute() const { return minute_; }
  // Out-of-range values are brought into 0..23 and 0..59.
  void setTime(int hour, int minute);
  // Parses "H:MM" or "HH:MM"; false (and nothing changes) for anything else.
  static bool parseTime(const std::string& text, int* hour, int* minute);
  static std::string formatTime(int hour, int minute);

  void setEnabled(bool enabled) override;
  void setFrame(const fnd::Rect& frame) override;
  std::string stringValue() const override { return formatTime(hour_, minute_); }
  TextField* textField() const { return field_; }
  Stepper* stepper() const { return stepper_; }

 private:
  void layoutParts();
  void fieldEdited();
  void stepped();
  TextField* field_ = nullptr;  // subviews, owned by this view
  Stepper* stepper_ = nullptr;
  int hour_ = 0;
  int minute_ = 0;
};

}  // namespace kit
