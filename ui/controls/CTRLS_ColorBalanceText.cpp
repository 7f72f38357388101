#include "ui/controls/CTRLS_ColorBalanceText.h"

Quirel_CTRLS_ColorBalanceText::Quirel_CTRLS_ColorBalanceText()
    : mTitleTxt(std::make_unique<Quirel_NoFocusTextField>()) {
  mTitleTxt->setDrawsBackground(false);
  mTitleTxt->setBezeled(false);
  mTitleTxt->setEditable(false);
  mTitleTxt->setFont(kit::Font::systemFont(10));
  mTitleTxt->setAlignment(kit::TextAlignment::Center);
  mTitleTxt->setAutoresizingMask(kit::kViewMinYMargin);
}
