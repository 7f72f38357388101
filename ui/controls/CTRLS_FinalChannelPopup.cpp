#include "ui/controls/CTRLS_FinalChannelPopup.h"

Quirel_CTRLS_FinalChannelPopup::Quirel_CTRLS_FinalChannelPopup() : Quirel_CTRLS_ChannelPopupBase(Caption::Plain) {
  mTitleTxt->setFont(kit::Font::systemFont(10));
}
