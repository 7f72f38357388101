#include "ui/controls/CTRLS_FAVSetNameTextF.h"

Quirel_CTRLS_FAVSetNameTextF::Quirel_CTRLS_FAVSetNameTextF() {
  getTextF()->setBackgroundColor(kit::Color::controlHighlight());
  getTextF()->setSelectable(true);
  getTextF()->setUsesSingleLineMode(true);
}
