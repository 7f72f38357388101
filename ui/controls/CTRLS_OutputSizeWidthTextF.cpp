#include "ui/controls/CTRLS_OutputSizeWidthTextF.h"

#include "ui/controls/ClickHandshake.h"

Quirel_CTRLS_OutputSizeWidthTextF::Quirel_CTRLS_OutputSizeWidthTextF() {
  mTitleTxt->setFont(kit::Font::systemFont(13));
  getNumberTxtF()->setSendsActionOnEndEditing(true);
  getNumberTxtF()->setAction([this](kit::Control&) { OutputWidthNumberFAction(); });
}

void Quirel_CTRLS_OutputSizeWidthTextF::OutputWidthNumberFAction() { Quirel_ClickHandshake::post(kChangePost, getNumberTxtF()); }
