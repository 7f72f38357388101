#include "ui/controls/CTRLS_IconBezelCGButton.h"

Quirel_CTRLS_IconBezelCGButton::Quirel_CTRLS_IconBezelCGButton()
    : Quirel_CTRLS_Base(Caption::None),
      mIconCGBT(std::make_unique<Quirel_IconBezelCGButton>(fnd::Rect(10, 10, 30, 25))) {
  mIconCGBT->setAction([this](kit::Control&) { IconBezelCGBTAction(); });
}

void Quirel_CTRLS_IconBezelCGButton::setIconCGBTRect(double x, double y, double width, double height) {
  setIconCGBTRect(fnd::Rect(x, y, width, height));
}
