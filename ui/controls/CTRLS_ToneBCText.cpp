#include "ui/controls/CTRLS_ToneBCText.h"

Quirel_CTRLS_ToneBCText::Quirel_CTRLS_ToneBCText() : mTitleTxt(std::make_unique<Quirel_NoFocusTextField>()) {
  mTitleTxt->setDrawsBackground(false);
  mTitleTxt->setBezeled(false);
  mTitleTxt->setEditable(false);
  mTitleTxt->setFont(kit::Font::systemFont(10));
  mTitleTxt->setAlignment(kit::TextAlignment::Center);
  mTitleTxt->setAutoresizingMask(kit::kViewMaxYMargin);
}
