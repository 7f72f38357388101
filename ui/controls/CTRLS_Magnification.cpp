#include "ui/controls/CTRLS_Magnification.h"

#include "ui/controls/ClickHandshake.h"
#include "ui/controls/NumberFieldFormatter.h"

Quirel_CTRLS_Magnification::Quirel_CTRLS_Magnification()
    : mNumberTxtF(std::make_unique<Quirel_NumberField>()),
      mStepper(std::make_unique<Quirel_NoFocusStepper>()),
      mUnitTxt(std::make_unique<Quirel_NoFocusTextField>()) {
  mNumberTxtF->setFormatter(std::make_unique<Quirel_NumberFieldFormatter>(0, 0, 5));
  mNumberTxtF->setSendsActionOnEndEditing(true);
  mNumberTxtF->setAction([this](kit::Control&) { NumberFieldAction(); });
  mStepper->setMinValue(25);
  mStepper->setMaxValue(19200);
  mStepper->setAutorepeat(true);
  mStepper->setValueWraps(false);
  mStepper->setAction([this](kit::Control&) { StepperAction(); });
  mUnitTxt->setDrawsBackground(false);
  mUnitTxt->setBezeled(false);
  mUnitTxt->setEditable(false);
  mUnitTxt->setFont(kit::Font::systemFont(13));
}

void Quirel_CTRLS_Magnification::setStringValue(const char* text) {
  if (!text) return;
  mNumberTxtF->setStringValue(text);
  mStepper->setIntValue(mNumberTxtF->intValue());
}

void Quirel_CTRLS_Magnification::setIntValue(int value) {
  mNumberTxtF->setIntValue(value);
  mStepper->setIntValue(mNumberTxtF->intValue());
}

void Quirel_CTRLS_Magnification::setDoubleValue(double value) {
  mNumberTxtF->setDoubleValue(value);
  mStepper->setDoubleValue(mNumberTxtF->doubleValue());
}

void Quirel_CTRLS_Magnification::setEnabled(bool enabled) {
  mNumberTxtF->setEnabled(enabled);
  mStepper->setEnabled(enabled);
}

void Quirel_CTRLS_Magnification::NumberFieldAction() { Quirel_ClickHandshake::post(kChangePost, mNumberTxtF.get()); }

void Quirel_CTRLS_Magnification::StepperAction() {
  mNumberTxtF->setStringValue(mStepper->stringValue());
  Quirel_ClickHandshake::post(kStepperPost, mStepper.get());
}
