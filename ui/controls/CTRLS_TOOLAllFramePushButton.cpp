#include "ui/controls/CTRLS_TOOLAllFramePushButton.h"

#include "ui/controls/ClickHandshake.h"

Quirel_CTRLS_TOOLAllFramePushButton::Quirel_CTRLS_TOOLAllFramePushButton() {
  getPushBT()->setFont(kit::Font::systemFont(11));
  getPushBT()->setAction([this](kit::Control&) { SelectAllFrameBTAction(); });
}

void Quirel_CTRLS_TOOLAllFramePushButton::setPushBTOriginX(double x) {
  getPushBT()->setFrameOrigin(fnd::Point{x, getPushBTRect().origin.y});
}

void Quirel_CTRLS_TOOLAllFramePushButton::SelectAllFrameBTAction() {
  Quirel_ClickHandshake::post(kSelectAllFramePost, getPushBT());
}
