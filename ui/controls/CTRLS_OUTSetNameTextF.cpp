#include "ui/controls/CTRLS_OUTSetNameTextF.h"

Quirel_CTRLS_OUTSetNameTextF::Quirel_CTRLS_OUTSetNameTextF() {
  getTextF()->setBackgroundColor(kit::Color::controlHighlight());
  getTextF()->setSelectable(true);
  getTextF()->setUsesSingleLineMode(true);
}
