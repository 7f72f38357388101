#include "ui/controls/CTRLS_ExposureField.h"

#include "ui/controls/ClickHandshake.h"
#include "ui/controls/NumberFieldFormatter.h"

Quirel_CTRLS_ExposureField::Quirel_CTRLS_ExposureField()
    : mNumberTxtF(std::make_unique<Quirel_NumberField>()),
      mStepper(std::make_unique<Quirel_NoFocusStepper>()),
      mStepperCell(std::make_unique<Quirel_ExposureStepperCell>()),
      mUnitTxt(std::make_unique<Quirel_NoFocusTextField>()) {
  mNumberTxtF->setFormatter(std::make_unique<Quirel_NumberFieldFormatter>(0, 0, 4));
  mNumberTxtF->setSendsActionOnEndEditing(true);
  mNumberTxtF->setAction([this](kit::Control&) { NumberFieldAction(); });
  mStepper->setMinValue(50);
  mStepper->setMaxValue(200);
  mStepper->setAutorepeat(true);
  mStepper->setValueWraps(false);
  mStepper->setAction([this](kit::Control&) { StepperAction(); });
  Quirel_ExposureStepperCell* cell = mStepperCell.get();
  mStepper->setStopTrackingHook([cell](kit::Stepper&, bool mouseIsUp) { cell->stopTracking(mouseIsUp); });
  mUnitTxt->setDrawsBackground(false);
  mUnitTxt->setBezeled(false);
  mUnitTxt->setEditable(false);
  mUnitTxt->setFont(kit::Font::systemFont(13));
}

Quirel_CTRLS_ExposureField::~Quirel_CTRLS_ExposureField() { mStepper->setStopTrackingHook({}); }

void Quirel_CTRLS_ExposureField::setIntValue(int value) {
  mNumberTxtF->setIntValue(value);
  mStepper->setIntValue(mNumberTxtF->intValue());
}

void Quirel_CTRLS_ExposureField::setStringValue(const char* text) {
  if (!text) return;
  mNumberTxtF->setStringValue(text);
  mStepper->setIntValue(mNumberTxtF->intValue());
}

void Quirel_CTRLS_ExposureField::setEnabled(bool enabled) {
  mNumberTxtF->setEnabled(enabled);
  mStepper->setEnabled(enabled);
  mUnitTxt->setTextColor(enabled ? kit::Color::controlText() : kit::Color::disabledControlText());
}

void Quirel_CTRLS_ExposureField::setHidden(bool hidden) {
  mNumberTxtF->setHidden(hidden);
  mStepper->setHidden(hidden);
  mUnitTxt->setHidden(hidden);
}

void Quirel_CTRLS_ExposureField::NumberFieldAction() { Quirel_ClickHandshake::post(kChangePost, mNumberTxtF.get()); }

void Quirel_CTRLS_ExposureField::StepperAction() { mNumberTxtF->setStringValue(mStepper->stringValue()); }
