#pragma once

#include <memory>

#include "ui/controls/ExposureStepperCell.h"
#include "ui/controls/NoFocusStepper.h"
#include "ui/controls/NoFocusTextField.h"
#include "ui/controls/NumberField.h"

// The exposure in per cent (stepped within 50 to 200; a typed value is the owner's to judge)
// with its unit. Committing the field reports it; a stepper press moves the field at every
// step and is reported once, by the stepper's cell, when the press ends.
class Quirel_CTRLS_ExposureField {
 public:
  static constexpr const char* kChangePost = "AdvExposureChangePost";
  Quirel_CTRLS_ExposureField();
  ~Quirel_CTRLS_ExposureField();
  Quirel_CTRLS_ExposureField(const Quirel_CTRLS_ExposureField&) = delete;
  Quirel_CTRLS_ExposureField& operator=(const Quirel_CTRLS_ExposureField&) = delete;

  Quirel_NumberField* getNumberTxtF() const { return mNumberTxtF.get(); }
  void setNumberTxtFRect(double x, double y, double width, double height) {
    mNumberTxtF->setFrame(fnd::Rect(x, y, width, height));
  }
  fnd::Rect getNumberTxtFRect() const { return mNumberTxtF ? mNumberTxtF->frame() : fnd::Rect(); }
  Quirel_NoFocusStepper* getStepper() const { return mStepper.get(); }
  Quirel_ExposureStepperCell* getStepperCell() const { return mStepperCell.get(); }
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

  void setIntValue(int value);
  int getIntValue() const { return mNumberTxtF->intValue(); }
  // A null text is ignored.
  void setStringValue(const char* text);
  std::string getStringValue() const { return mNumberTxtF->stringValue(); }
  void setEnabled(bool enabled);
  void setHidden(bool hidden);
  bool isHidden() const { return mNumberTxtF->isHidden(); }
  void NumberFieldAction();
  void StepperAction();

 private:
  std::unique_ptr<Quirel_NumberField> mNumberTxtF;
  std::unique_ptr<Quirel_NoFocusStepper> mStepper;
  std::unique_ptr<Quirel_ExposureStepperCell> mStepperCell;
  std::unique_ptr<Quirel_NoFocusTextField> mUnitTxt;
};
