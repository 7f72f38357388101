#include "ui/controls/CTRLS_TONESetNameTextF.h"

Quirel_CTRLS_TONESetNameTextF::Quirel_CTRLS_TONESetNameTextF() {
  getTextF()->setBackgroundColor(kit::Color::controlHighlight());
  getTextF()->setSelectable(true);
  getTextF()->setUsesSingleLineMode(true);
}
