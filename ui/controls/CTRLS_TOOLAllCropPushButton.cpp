#include "ui/controls/CTRLS_TOOLAllCropPushButton.h"

#include "ui/controls/ClickHandshake.h"

Quirel_CTRLS_TOOLAllCropPushButton::Quirel_CTRLS_TOOLAllCropPushButton() {
  getPushBT()->setFont(kit::Font::systemFont(11));
  getPushBT()->setAction([this](kit::Control&) { SelectAllCropBTAction(); });
}

void Quirel_CTRLS_TOOLAllCropPushButton::setPushBTOriginX(double x) {
  getPushBT()->setFrameOrigin(fnd::Point{x, getPushBTRect().origin.y});
}

void Quirel_CTRLS_TOOLAllCropPushButton::SelectAllCropBTAction() {
  Quirel_ClickHandshake::post(kSelectAllCropPost, getPushBT());
}
