#include "ui/controls/CTRLS_ToneBCChannelPopup.h"

Quirel_CTRLS_ToneBCChannelPopup::Quirel_CTRLS_ToneBCChannelPopup() : Quirel_CTRLS_ChannelPopupBase(Caption::NoFocus) {
  mTitleTxt->setFont(kit::Font::systemFont(10));
  mTitleTxt->setAutoresizingMask(kit::kViewMinYMargin);
}

void Quirel_CTRLS_ToneBCChannelPopup::setAutoresizingMask(unsigned mask) {
  getPopupBT()->setAutoresizingMask(mask);
  mTitleTxt->setAutoresizingMask(mask);
}
