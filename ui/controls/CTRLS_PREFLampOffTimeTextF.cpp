#include "ui/controls/CTRLS_PREFLampOffTimeTextF.h"

#include "ui/controls/ClickHandshake.h"
#include "ui/controls/NumberFieldFormatter.h"

namespace {

std::unique_ptr<Quirel_NoFocusTextField> makeLampOffCaption() {
  auto caption = std::make_unique<Quirel_NoFocusTextField>();
  caption->setDrawsBackground(false);
  caption->setBezeled(false);
  caption->setEditable(false);
  caption->setStringValue("");
  return caption;
}

}  // namespace

Quirel_CTRLS_PREFLampOffTimeTextF::Quirel_CTRLS_PREFLampOffTimeTextF()
    : Title(makeLampOffCaption()),
      TextF(std::make_unique<Quirel_NumberField>()),
      Stepper(std::make_unique<Quirel_NoFocusStepper>()),
      Unit(makeLampOffCaption()) {
  TextF->setFormatter(std::make_unique<Quirel_NumberFieldFormatter>(0, 0, 4));
  TextF->setSendsActionOnEndEditing(true);
  TextF->setAction([this](kit::Control&) { NumberFieldAction(); });
  Stepper->setIncrement(4);
  Stepper->setMaxValue(56);
  Stepper->setMinValue(4);
  Stepper->setAutorepeat(true);
  Stepper->setValueWraps(false);
  Stepper->setAction([this](kit::Control&) { StepperAction(); });
}

void Quirel_CTRLS_PREFLampOffTimeTextF::setTitle(const std::string& title, double x, double y, double width,
                                                 double height) {
  Title->setStringValue(title);
  Title->setFrame(fnd::Rect(x, y, width, height));
}

void Quirel_CTRLS_PREFLampOffTimeTextF::setUnit(const std::string& unit, double x, double y, double width,
                                                double height) {
  Unit->setStringValue(unit);
  Unit->setFrame(fnd::Rect(x, y, width, height));
}

void Quirel_CTRLS_PREFLampOffTimeTextF::setIntValue(int value) {
  TextF->setIntValue(value);
  Stepper->setIntValue(TextF->intValue());
}

void Quirel_CTRLS_PREFLampOffTimeTextF::setEnabled(bool enabled) {
  kit::Color color = enabled ? kit::Color::controlText() : kit::Color::disabledControlText();
  Title->setTextColor(color);
  Unit->setTextColor(color);
  TextF->setEnabled(enabled);
  Stepper->setEnabled(enabled);
}

void Quirel_CTRLS_PREFLampOffTimeTextF::setHidden(bool hidden) {
  Title->setHidden(hidden);
  TextF->setHidden(hidden);
  Stepper->setHidden(hidden);
  Unit->setHidden(hidden);
}

void Quirel_CTRLS_PREFLampOffTimeTextF::NumberFieldAction() { Quirel_ClickHandshake::post(kChangePost, TextF.get()); }

void Quirel_CTRLS_PREFLampOffTimeTextF::StepperAction() {
  TextF->setStringValue(Stepper->stringValue());
  Quirel_ClickHandshake::post(kStepperPost, Stepper.get());
}
