#include "ui/controls/CTRLS_OutputSizeHeightTextF.h"

#include "ui/controls/ClickHandshake.h"

Quirel_CTRLS_OutputSizeHeightTextF::Quirel_CTRLS_OutputSizeHeightTextF() {
  mTitleTxt->setFont(kit::Font::systemFont(13));
  getNumberTxtF()->setSendsActionOnEndEditing(true);
  getNumberTxtF()->setAction([this](kit::Control&) { OutputHeightNumberFAction(); });
}

void Quirel_CTRLS_OutputSizeHeightTextF::OutputHeightNumberFAction() { Quirel_ClickHandshake::post(kChangePost, getNumberTxtF()); }
