#include "ui/controls/CTRLS_IconOnOffButton.h"

Quirel_CTRLS_IconOnOffButton::Quirel_CTRLS_IconOnOffButton()
    : mIconBT(std::make_unique<Quirel_IconOnOffButton>(fnd::Rect(10, 10, 30, 25))) {}

Quirel_CTRLS_IconOnOffButton::~Quirel_CTRLS_IconOnOffButton() = default;

void Quirel_CTRLS_IconOnOffButton::setIconBTRect(double x, double y, double width, double height) {
  mIconBT->setFrame(fnd::Rect(x, y, width, height));
}
