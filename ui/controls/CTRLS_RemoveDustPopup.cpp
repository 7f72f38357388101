#include "ui/controls/CTRLS_RemoveDustPopup.h"

#include "ui/controls/ClickHandshake.h"

Quirel_CTRLS_RemoveDustPopup::Quirel_CTRLS_RemoveDustPopup() {
  getPopupBT()->setAction([this](kit::Control&) { RemoveDustPopupAction(); });
}

void Quirel_CTRLS_RemoveDustPopup::setVexaImage(const std::string& name, const std::string& bundle) {
  vexaImage = kit::Image::named(name, bundle);
  if (!vexaImageView) vexaImageView = std::make_unique<Quirel_NoFocusImageView>(fnd::Rect(0, 0, 50, 25));
  vexaImageView->setImage(vexaImage);
}

void Quirel_CTRLS_RemoveDustPopup::setVexaImageViewRect(double x, double y, double width, double height) {
  if (vexaImageView) vexaImageView->setFrame(fnd::Rect(x, y, width, height));
}

void Quirel_CTRLS_RemoveDustPopup::setHidden(bool hidden) {
  Quirel_CTRLS_PopupButton::setHidden(hidden);
  if (vexaImageView) vexaImageView->setHidden(hidden);
}

void Quirel_CTRLS_RemoveDustPopup::RemoveDustPopupAction() { Quirel_ClickHandshake::post(kChangePost, getPopupBT()); }
