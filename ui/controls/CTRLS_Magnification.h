#pragma once

#include <memory>

#include "ui/controls/NoFocusStepper.h"
#include "ui/controls/NoFocusTextField.h"
#include "ui/controls/NumberField.h"

// The output scale in per cent (25 to 19200, or the owner's maximum): a field with a stepper
// and the unit after it.
class Quirel_CTRLS_Magnification {
 public:
  static constexpr const char* kChangePost = "AdvMagnificationChangePost";
  static constexpr const char* kStepperPost = "AdvMagnificationStepperPost";
  Quirel_CTRLS_Magnification();

  Quirel_NumberField* getNumberTxtF() const { return mNumberTxtF.get(); }
  void setNumberTxtFRect(double x, double y, double width, double height) {
    mNumberTxtF->setFrame(fnd::Rect(x, y, width, height));
  }
  fnd::Rect getNumberTxtFRect() const { return mNumberTxtF ? mNumberTxtF->frame() : fnd::Rect(); }
  Quirel_NoFocusStepper* getStepper() const { return mStepper.get(); }
  void setStepperRect(double x, double y, double width, double height) {
    mStepper->setFrame(fnd::Rect(x, y, width, height));
  }
  fnd::Rect getStepperRect() const { return mStepper ? mStepper->frame() : fnd::Rect(); }
  Quirel_NoFocusTextField* getUnitTxt() const { return mUnitTxt.get(); }
  void setUnitTxtTitle(const std::string& title) { mUnitTxt->setStringValue(title); }
  void setUnitTxtRect(double x, double y, double width, double height) {
    mUnitTxt->setFrame(fnd::Rect(x, y, width, height));
  }
  fnd::Rect getUnitTxtRect() const { return mUnitTxt ? mUnitTxt->frame() : fnd::Rect(); }

  void setMaxValue(int value) { mStepper->setMaxValue(value); }
  // Each sets the field, then the stepper takes its value from the field; a null text is ignored.
  void setStringValue(const char* text);
  void setIntValue(int value);
  void setDoubleValue(double value);
  std::string getStringValue() const { return mNumberTxtF->stringValue(); }
  int getIntValue() const { return mNumberTxtF->intValue(); }
  double getDoubleValue() const { return mNumberTxtF->doubleValue(); }
  void setEnabled(bool enabled);
  void NumberFieldAction();
  void StepperAction();

 private:
  std::unique_ptr<Quirel_NumberField> mNumberTxtF;
  std::unique_ptr<Quirel_NoFocusStepper> mStepper;
  std::unique_ptr<Quirel_NoFocusTextField> mUnitTxt;
};
