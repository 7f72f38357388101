#include "ui/controls/CTRLS_TOOLMultiCropButton.h"

#include "ui/base/PVLocalizedBundle.h"
#include "ui/base/PVLocalizedString.h"
#include "ui/controls/ClickHandshake.h"

Quirel_CTRLS_TOOLMultiCropButton::Quirel_CTRLS_TOOLMultiCropButton() {
  getPushBT()->setFont(kit::Font::systemFont(11));
  getPushBT()->setAction([this](kit::Control&) { MultiCropBTAction(); });
}

void Quirel_CTRLS_TOOLMultiCropButton::setPushBTOriginX(double x) {
  getPushBT()->setFrameOrigin(fnd::Point{x, getPushBTRect().origin.y});
}

void Quirel_CTRLS_TOOLMultiCropButton::setPushBTTitle(const char* onTitle, const char* offTitle) {
  mOnTitle = onTitle ? onTitle : "";
  mOffTitle = offTitle ? offTitle : "";
}

void Quirel_CTRLS_TOOLMultiCropButton::setState(bool on) {
  const Quirel_PVLocalizedString texts(Quirel_PVLocalizedBundle::askWindowController(this));
  getPushBT()->setTitle(on ? mOnTitle : mOffTitle);
  // Without a bundle there is no tip to show.
  getPushBT()->setToolTip(texts.ls_localizedStringForKey(on ? kResetToolTipKey : kApplyToolTipKey, "ToolTips").value_or(""));
}

void Quirel_CTRLS_TOOLMultiCropButton::MultiCropBTAction() { Quirel_ClickHandshake::post(kMultiCropPost, getPushBT()); }
