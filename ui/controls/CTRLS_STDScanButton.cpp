#include "ui/controls/CTRLS_STDScanButton.h"

#include "ui/controls/ClickHandshake.h"

Quirel_CTRLS_STDScanButton::Quirel_CTRLS_STDScanButton() {
  mTitleTxt->setFont(kit::Font::boldSystemFont(12));
  getColorPushBT()->setAction([this](kit::Control&) { ScanBTAction(); });
}

void Quirel_CTRLS_STDScanButton::ScanBTAction() {
  if (getColorPushBT()->isEnabled()) Quirel_ClickHandshake::post(kStartPost, getColorPushBT());
}
