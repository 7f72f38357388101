#pragma once

#include <memory>

#include "ui/controls/NoFocusStepper.h"
#include "ui/controls/NoFocusTextField.h"
#include "ui/controls/NumberField.h"

// The lamp-off time of the preferences (4 to 56 minutes in steps of 4) with caption and unit.
class Quirel_CTRLS_PREFLampOffTimeTextF {
 public:
  static constexpr const char* kChangePost = "PrefLampOffTimeChangePost";
  static constexpr const char* kStepperPost = "PrefLampOffTimeStepperPost";
  Quirel_CTRLS_PREFLampOffTimeTextF();

  Quirel_NoFocusTextField* getTitleF() const { return Title.get(); }
  void setTitle(const std::string& title, double x, double y, double width, double height);
  void setTitleRect(double x, double y, double width, double height) { Title->setFrame(fnd::Rect(x, y, width, height)); }
  fnd::Rect getTitleRect() const { return Title ? Title->frame() : fnd::Rect(); }
  Quirel_NumberField* getNumberField() const { return TextF.get(); }
  void setNumberFieldRect(double x, double y, double width, double height) {
    TextF->setFrame(fnd::Rect(x, y, width, height));
  }
  fnd::Rect getNumberFieldRect() const { return TextF ? TextF->frame() : fnd::Rect(); }
  Quirel_NoFocusStepper* getStepper() const { return Stepper.get(); }
  void setStepperRect(double x, double y, double width, double height) {
    Stepper->setFrame(fnd::Rect(x, y, width, height));
  }
  fnd::Rect getStepperRect() const { return Stepper ? Stepper->frame() : fnd::Rect(); }
  Quirel_NoFocusTextField* getUnit() const { return Unit.get(); }
  void setUnit(const std::string& unit, double x, double y, double width, double height);
  void setUnitRect(double x, double y, double width, double height) { Unit->setFrame(fnd::Rect(x, y, width, height)); }
  fnd::Rect getUnitRect() const { return Unit ? Unit->frame() : fnd::Rect(); }

  void setIntValue(int value);
  int getIntValue() const { return TextF->intValue(); }
  void setEnabled(bool enabled);
  void setHidden(bool hidden);
  void NumberFieldAction();
  void StepperAction();

 private:
  std::unique_ptr<Quirel_NoFocusTextField> Title;
  std::unique_ptr<Quirel_NumberField> TextF;
  std::unique_ptr<Quirel_NoFocusStepper> Stepper;
  std::unique_ptr<Quirel_NoFocusTextField> Unit;
};
