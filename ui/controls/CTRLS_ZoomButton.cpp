#include "ui/controls/CTRLS_ZoomButton.h"

#include "ui/controls/ClickHandshake.h"

Quirel_CTRLS_ZoomButton::Quirel_CTRLS_ZoomButton() {
  getPushBT()->setAction([this](kit::Control&) { ZoomBTAction(); });
}

void Quirel_CTRLS_ZoomButton::setPushBTTitle(const std::string& onTitle, const std::string& offTitle) {
  mOnTitle = onTitle;
  mOffTitle = offTitle;
  mHasTitles = true;
}

void Quirel_CTRLS_ZoomButton::ZoomBTAction() { Quirel_ClickHandshake::post(kZoomPost, getPushBT()); }
