#include "ui/controls/NoFocusButton.h"

#include "ui/controls/ClickHandshake.h"

void Quirel_NoFocusButton::mouseDown(const kit::Event& event) {
  if (Quirel_ClickHandshake::pass(kButtonDownPost, this, mDownOnOffFlg)) kit::Button::mouseDown(event);
}
