#include "ui/controls/CTRLS_PREFText.h"

Quirel_CTRLS_PREFText::Quirel_CTRLS_PREFText() : Text(std::make_unique<Quirel_NoFocusTextField>()) {
  Text->setEditable(false);
  Text->setSelectable(false);
  Text->setBezeled(false);
  Text->setBordered(false);
  Text->setBackgroundColor(kit::Color::control());
  Text->setStringValue("");
}

void Quirel_CTRLS_PREFText::setText(const std::string& text, double x, double y, double width, double height) {
  Text->setStringValue(text);
  Text->setFrame(fnd::Rect(x, y, width, height));
}

void Quirel_CTRLS_PREFText::setEnabled(bool enabled) {
  Text->setTextColor(enabled ? kit::Color::controlText() : kit::Color::disabledControlText());
}
