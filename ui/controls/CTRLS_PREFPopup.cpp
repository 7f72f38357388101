#include "ui/controls/CTRLS_PREFPopup.h"

#include "ui/controls/ClickHandshake.h"

Quirel_CTRLS_PREFPopup::Quirel_CTRLS_PREFPopup(const char* postName, Variant variant)
    : Quirel_CTRLS_PopupButton(variant), mPostName(postName) {
  getPopupBT()->setAction([this](kit::Control&) { PopupBTAction(); });
}

void Quirel_CTRLS_PREFPopup::setEnabled(bool enabled) {
  setTitleTxtColor(enabled ? kit::Color::controlText() : kit::Color::disabledControlText());
  Quirel_CTRLS_PopupButton::setEnabled(enabled);
}

void Quirel_CTRLS_PREFPopup::PopupBTAction() { Quirel_ClickHandshake::post(mPostName, getPopupBT()); }
