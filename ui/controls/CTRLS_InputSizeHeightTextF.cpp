#include "ui/controls/CTRLS_InputSizeHeightTextF.h"

#include "ui/controls/ClickHandshake.h"

Quirel_CTRLS_InputSizeHeightTextF::Quirel_CTRLS_InputSizeHeightTextF() {
  mTitleTxt->setFont(kit::Font::systemFont(13));
  getNumberTxtF()->setSendsActionOnEndEditing(true);
  getNumberTxtF()->setAction([this](kit::Control&) { InputHeightNumberFAction(); });
}

void Quirel_CTRLS_InputSizeHeightTextF::InputHeightNumberFAction() { Quirel_ClickHandshake::post(kChangePost, getNumberTxtF()); }
