#include "ui/controls/CTRLS_HistoChannelPopup.h"

Quirel_CTRLS_HistoChannelPopup::Quirel_CTRLS_HistoChannelPopup() : Quirel_CTRLS_ChannelPopupBase(Caption::Plain) {
  mTitleTxt->setFont(kit::Font::systemFont(10));
}
