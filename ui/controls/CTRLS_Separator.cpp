#include "ui/controls/CTRLS_Separator.h"

Quirel_CTRLS_Separator::Quirel_CTRLS_Separator() : mSeparator(std::make_unique<kit::Box>(fnd::Rect(10, 10, 295, 5))) {
  mSeparator->setBoxType(kit::BoxType::Separator);
}

Quirel_CTRLS_Separator::~Quirel_CTRLS_Separator() = default;

void Quirel_CTRLS_Separator::setOriginY(double y) {
  fnd::Rect r = mSeparator->frame();
  r.origin.y = y;
  mSeparator->setFrame(r);
}

void Quirel_CTRLS_Separator::setOriginX(double x) {
  fnd::Rect r = mSeparator->frame();
  r.origin.x = x;
  mSeparator->setFrame(r);
}
