#include "ui/controls/CTRLS_ADVDirectionButton.h"

#include "ui/controls/ClickHandshake.h"

Quirel_CTRLS_ADVDirectionButton::Quirel_CTRLS_ADVDirectionButton() {
  getIconBT()->setAction([this](kit::Control&) { DirectionBTAction(); });
}

void Quirel_CTRLS_ADVDirectionButton::DirectionBTAction() { Quirel_ClickHandshake::post(kChangePost, getIconBT()); }
