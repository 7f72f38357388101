#include "ui/controls/NoFocusRadioButton.h"

#include "ui/controls/ClickHandshake.h"

void Quirel_NoFocusRadioButton::mouseDown(const kit::Event& event) {
  if (Quirel_ClickHandshake::pass(kRadioDownPost, this, mDownOnOffFlg)) kit::Matrix::mouseDown(event);
}
