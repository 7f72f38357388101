#include "ui/controls/CTRLS_InputSizeWidthTextF.h"

#include "ui/controls/ClickHandshake.h"

Quirel_CTRLS_InputSizeWidthTextF::Quirel_CTRLS_InputSizeWidthTextF() {
  mTitleTxt->setFont(kit::Font::systemFont(13));
  getNumberTxtF()->setSendsActionOnEndEditing(true);
  getNumberTxtF()->setAction([this](kit::Control&) { InputWidthNumberFAction(); });
}

void Quirel_CTRLS_InputSizeWidthTextF::InputWidthNumberFAction() { Quirel_ClickHandshake::post(kChangePost, getNumberTxtF()); }
