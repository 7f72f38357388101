#include "ui/controls/CTRLS_ADVScanButton.h"

#include "ui/controls/ClickHandshake.h"

Quirel_CTRLS_ADVScanButton::Quirel_CTRLS_ADVScanButton() { getColorPushBT()->setAction([this](kit::Control&) { ScanBTAction(); }); }

void Quirel_CTRLS_ADVScanButton::ScanBTAction() { Quirel_ClickHandshake::post(kStartPost, getColorPushBT()); }
