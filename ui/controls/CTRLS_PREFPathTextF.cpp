#include "ui/controls/CTRLS_PREFPathTextF.h"

Quirel_CTRLS_PREFPathTextF::Quirel_CTRLS_PREFPathTextF() {
  getTextF()->setBackgroundColor(kit::Color::controlHighlight());
  getTextF()->setEditable(false);
  getTextF()->setChangeCursor(false);
}

void Quirel_CTRLS_PREFPathTextF::showTruncatedMiddle(kit::TextField& field, const std::string& text) {
  field.setLineBreakMode(kit::LineBreakMode::TruncatingMiddle);
  field.setStringValue(text);
}
