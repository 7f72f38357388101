#include "ui/controls/NoFocusButton.h"

#include "foundation/NotificationCenter.h"

void Quirel_NoFocusButton::mouseDown(const kit::Event& event) {
  fnd::NotificationCenter::defaultCenter().post(kButtonDownPost, this);
  kit::Button::mouseDown(event);
}
