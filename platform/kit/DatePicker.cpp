#include "kit/DatePicker.h"

#include <cstdio>

#include "kit/Stepper.h"
#include "kit/TextField.h"

namespace kit {

namespace {
constexpr double kStepperWidth = 19;
constexpr int kMinutesADay = 24 * 60;
}  // namespace

DatePicker::DatePicker(const fnd::Rect& frame) : Control(frame) {
  auto field = std::make_unique<TextField>();
  field->setSendsActionOnEndEditing(true);
  field->setAction([this](Control&) { fieldEdited(); });
  field_ = static_cast<TextField*>(addSubview(std::move(field)));
  auto stepper = std::make_unique<Stepper>();
  stepper->setMinValue(0);
  stepper->setMaxValue(kMinutesADay - 1);
  stepper->setIncrement(1);
  stepper->setValueWraps(true);
  stepper->setAction([this](Control&) { stepped(); });
  stepper_ = static_cast<Stepper*>(addSubview(std::move(stepper)));
  layoutParts();
  setTime(0, 0);
}

DatePicker::~DatePicker() = default;

void DatePicker::setTime(int hour, int minute) {
  hour_ = hour < 0 ? 0 : (hour > 23 ? 23 : hour);
  minute_ = minute < 0 ? 0 : (minute > 59 ? 59 : minute);
  field_->setStringValue(formatTime(hour_, minute_));
  stepper_->setDoubleValue(hour_ * 60 + minute_);
}

bool DatePicker::parseTime(const std::string& text, int* hour, int* minute) {
  const std::size_t colon = text.find(':');
  if (colon == std::string::npos || colon == 0 || colon > 2 || text.size() != colon + 3) return false;
  int h = 0;
  int m = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (i == colon) continue;
    if (text[i] < '0' || text[i] > '9') return false;
    (i < colon ? h : m) = (i < colon ? h : m) * 10 + (text[i] - '0');
  }
  if (h > 23 || m > 59) return false;
  *hour = h;
  *minute = m;
  return true;
}

std::string DatePicker::formatTime(int hour, int minute) {
  char text[16];
  std::snprintf(text, sizeof text, "%d:%02d", hour, minute);
  return text;
}

void DatePicker::setEnabled(bool enabled) {
  Control::setEnabled(enabled);
  field_->setEnabled(enabled);
  stepper_->setEnabled(enabled);
}

void DatePicker::setFrame(const fnd::Rect& frame) {
  Control::setFrame(frame);
  layoutParts();
}

void DatePicker::layoutParts() {
  if (!field_ || !stepper_) return;
  const fnd::Rect b = bounds();
  const double fieldWidth = b.size.width > kStepperWidth + 2 ? b.size.width - kStepperWidth - 2 : 0;
  field_->setFrame(fnd::Rect(0, 0, fieldWidth, b.size.height));
  stepper_->setFrame(fnd::Rect(fieldWidth + 2, 0, kStepperWidth, b.size.height));
}

void DatePicker::fieldEdited() {
  int h = 0;
  int m = 0;
  if (!parseTime(field_->stringValue(), &h, &m)) {
    field_->setStringValue(formatTime(hour_, minute_));
    return;
  }
  const bool changed = h != hour_ || m != minute_;
  setTime(h, m);
  if (changed) sendAction();
}

void DatePicker::stepped() {
  const int total = static_cast<int>(stepper_->doubleValue());
  setTime(total / 60, total % 60);
  sendAction();
}

}  // namespace kit
