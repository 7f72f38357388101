#include "ui/controls/CTRLS_OUTHeightTextF.h"

#include "ui/controls/ClickHandshake.h"

void Quirel_CTRLS_OUTHeightTextF::setNumberFAction() {
  getNumberTxtF()->setAction([this](kit::Control&) { OutputHeightNumberFAction(); });
  getNumberTxtF()->setSendsActionOnEndEditing(true);
}

void Quirel_CTRLS_OUTHeightTextF::OutputHeightNumberFAction() { Quirel_ClickHandshake::post(kChangePost, getNumberTxtF()); }
