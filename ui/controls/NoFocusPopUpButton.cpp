#include "ui/controls/NoFocusPopUpButton.h"

#include "ui/controls/ClickHandshake.h"

void Quirel_NoFocusPopUpButton::mouseDown(const kit::Event& event) {
  if (mNotificationType == 1) {
    if (Quirel_ClickHandshake::pass(kPopupDownPost, this, mMenuOnOffFlg)) kit::PopUpButton::mouseDown(event);
    return;
  }
  Quirel_ClickHandshake::post(kSetValuePost, this);
  if (mMenuOnOffFlg)
    kit::PopUpButton::mouseDown(event);
  else
    mMenuOnOffFlg = true;
  Quirel_ClickHandshake::post(kControlSetYesPost, this);
}
