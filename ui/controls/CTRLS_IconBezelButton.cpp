#include "ui/controls/CTRLS_IconBezelButton.h"

Quirel_CTRLS_IconBezelButton::Quirel_CTRLS_IconBezelButton()
    : Quirel_CTRLS_Base(Caption::NoFocus),
      mIconBT(std::make_unique<Quirel_IconBezelButton>(fnd::Rect(10, 10, 30, 25))) {}

void Quirel_CTRLS_IconBezelButton::setIconBTRect(double x, double y, double width, double height) {
  setIconBTRect(fnd::Rect(x, y, width, height));
}

void Quirel_CTRLS_IconBezelButton::setHidden(bool hidden) {
  mIconBT->setHidden(hidden);
  mTitleTxt->setHidden(hidden);
}
