#include "ui/controls/CTRLS_OUTWidthTextF.h"

#include "ui/controls/ClickHandshake.h"

void Quirel_CTRLS_OUTWidthTextF::setNumberFAction() {
  getNumberTxtF()->setAction([this](kit::Control&) { OutputWidthNumberFAction(); });
  getNumberTxtF()->setSendsActionOnEndEditing(true);
}

void Quirel_CTRLS_OUTWidthTextF::OutputWidthNumberFAction() { Quirel_ClickHandshake::post(kChangePost, getNumberTxtF()); }
