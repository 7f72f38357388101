#include "ui/controls/CTRLS_STDDirectionButton.h"

#include "ui/controls/ClickHandshake.h"

Quirel_CTRLS_STDDirectionButton::Quirel_CTRLS_STDDirectionButton() {
  getIconBT()->setAutoresizingMask(kit::kViewMinYMargin);
  mTitleTxt->setFont(kit::Font::systemFont(11));
  mTitleTxt->setAutoresizingMask(kit::kViewMinYMargin);
  getIconBT()->setAction([this](kit::Control&) { DirectionBTAction(); });
}

void Quirel_CTRLS_STDDirectionButton::setEnabled(bool enabled) {
  Quirel_CTRLS_IconBezelButton::setEnabled(enabled);
  setTitleTxtColor(enabled ? kit::Color::controlText() : kit::Color::disabledControlText());
}

void Quirel_CTRLS_STDDirectionButton::DirectionBTAction() { Quirel_ClickHandshake::post(kChangePost, getIconBT()); }
