#include "ui/controls/CTRLS_PREFMonitorGammaTextF.h"

#include "foundation/StringFormat.h"
#include "ui/controls/CTRLS_Base.h"
#include "ui/controls/ClickHandshake.h"
#include "ui/controls/NumberFieldFormatter.h"

Quirel_CTRLS_PREFMonitorGammaTextF::Quirel_CTRLS_PREFMonitorGammaTextF()
    : Title(Quirel_CTRLS_Base::makeLabel(true)),
      TextF(std::make_unique<Quirel_NumberField>()),
      Stepper(std::make_unique<Quirel_NoFocusStepper>()) {
  Title->setStringValue("");
  TextF->setFormatter(std::make_unique<Quirel_NumberFieldFormatter>(1, 0, 5));
  TextF->setSendsActionOnEndEditing(true);
  TextF->setAction([this](kit::Control&) { TextFieldAction(); });
  Stepper->setIncrement(0.01);
  Stepper->setMaxValue(10.0);
  Stepper->setMinValue(0.1);
  Stepper->setAutorepeat(true);
  Stepper->setValueWraps(false);
  Stepper->setAction([this](kit::Control&) { StepperAction(); });
}

void Quirel_CTRLS_PREFMonitorGammaTextF::setTitle(const std::string& title, double x, double y, double width,
                                                  double height) {
  Title->setStringValue(title);
  Title->setFrame(fnd::Rect(x, y, width, height));
}

void Quirel_CTRLS_PREFMonitorGammaTextF::setStringValue(const char* text) {
  if (!text) return;
  TextF->setStringValue(text);
  Stepper->setDoubleValue(TextF->doubleValue());
}

void Quirel_CTRLS_PREFMonitorGammaTextF::setDoubleValue(double value) {
  TextF->setStringValue(fnd::stringWithFormat("%.2f", value));
  Stepper->setDoubleValue(TextF->doubleValue());
}

void Quirel_CTRLS_PREFMonitorGammaTextF::setEnabled(bool enabled) {
  Title->setTextColor(enabled ? kit::Color::controlText() : kit::Color::disabledControlText());
  TextF->setEnabled(enabled);
  Stepper->setEnabled(enabled);
}

void Quirel_CTRLS_PREFMonitorGammaTextF::TextFieldAction() { Quirel_ClickHandshake::post(kTextFieldPost, TextF.get()); }

void Quirel_CTRLS_PREFMonitorGammaTextF::StepperAction() {
  TextF->setStringValue(fnd::stringWithFormat("%.2f", Stepper->doubleValue()));
  Quirel_ClickHandshake::post(kStepperPost, Stepper.get());
}
