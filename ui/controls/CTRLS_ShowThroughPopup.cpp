#include "ui/controls/CTRLS_ShowThroughPopup.h"

#include "ui/controls/ClickHandshake.h"

Quirel_CTRLS_ShowThroughPopup::Quirel_CTRLS_ShowThroughPopup() {
  getPopupBT()->setAction([this](kit::Control&) { ShowThroughPopupAction(); });
}

void Quirel_CTRLS_ShowThroughPopup::ShowThroughPopupAction() { Quirel_ClickHandshake::post(kChangePost, getPopupBT()); }
