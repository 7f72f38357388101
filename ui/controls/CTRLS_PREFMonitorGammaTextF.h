#pragma once

#include <memory>

#include "kit/TextField.h"
#include "ui/controls/NoFocusStepper.h"
#include "ui/controls/NumberField.h"

// The monitor gamma of the preferences (0.1 to 10.0 in steps of 0.01, shown with two
// decimals) with its caption.
class Quirel_CTRLS_PREFMonitorGammaTextF {
 public:
  static constexpr const char* kTextFieldPost = "PrefMonitorGanmaTextFPost";
  static constexpr const char* kStepperPost = "PrefMonitorGanmaStepperPost";
  Quirel_CTRLS_PREFMonitorGammaTextF();

  kit::TextField* getTitle() const { return Title.get(); }
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

  // A null text is ignored; otherwise the stepper follows the field.
  void setStringValue(const char* text);
  std::string getStringValue() const { return TextF->stringValue(); }
  void setDoubleValue(double value);
  double getDoubleValue() const { return TextF->doubleValue(); }
  void setEnabled(bool enabled);
  void TextFieldAction();
  void StepperAction();

 private:
  std::unique_ptr<kit::TextField> Title;
  std::unique_ptr<Quirel_NumberField> TextF;
  std::unique_ptr<Quirel_NoFocusStepper> Stepper;
};
