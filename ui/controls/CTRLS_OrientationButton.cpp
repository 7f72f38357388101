#include "ui/controls/CTRLS_OrientationButton.h"

#include "ui/controls/ClickHandshake.h"

Quirel_CTRLS_OrientationButton::Quirel_CTRLS_OrientationButton()
    : ImageView(std::make_unique<Quirel_NoFocusImageView>()) {
  getPushBT()->setAction([this](kit::Control&) { OrientatinoBTAction(); });
}

void Quirel_CTRLS_OrientationButton::setImage(const std::string& topName, const std::string& leftName,
                                              const std::string& bundle) {
  mTopImage = kit::Image::named(topName, bundle);
  mLeftImage = kit::Image::named(leftName, bundle);
  ImageView->setImage(mTopImage);
}

void Quirel_CTRLS_OrientationButton::setHidden(bool hidden) {
  ImageView->setHidden(hidden);
  Quirel_CTRLS_PushButton::setHidden(hidden);
}

void Quirel_CTRLS_OrientationButton::OrientatinoBTAction() { Quirel_ClickHandshake::post(kButtonPost, getPushBT()); }
