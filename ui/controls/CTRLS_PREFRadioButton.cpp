#include "ui/controls/CTRLS_PREFRadioButton.h"

Quirel_CTRLS_PREFRadioButton::Quirel_CTRLS_PREFRadioButton() {
  mRadioBT->setAction([this](kit::Control&) { RadioBTAction(); });
}

void Quirel_CTRLS_PREFRadioButton::setEnabled(bool enabled) {
  mTitleTxt->setTextColor(enabled ? kit::Color::controlText() : kit::Color::disabledControlText());
  Quirel_CTRLS_RadioButton::setEnabled(enabled);
}
