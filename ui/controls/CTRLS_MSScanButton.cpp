#include "ui/controls/CTRLS_MSScanButton.h"

#include "ui/controls/ClickHandshake.h"

Quirel_CTRLS_MSScanButton::Quirel_CTRLS_MSScanButton() {
  getColorPushBT()->setAutoresizingMask(kit::kViewMinYMargin);
  getColorPushBT()->setAction([this](kit::Control&) { ScanBTAction(); });
}

void Quirel_CTRLS_MSScanButton::ScanBTAction() { Quirel_ClickHandshake::post(kStartPost, getColorPushBT()); }
