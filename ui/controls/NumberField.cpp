#include "ui/controls/NumberField.h"

#include "ui/controls/ClickHandshake.h"

bool Quirel_NumberField::textShouldBeginEditing() {
  Quirel_ClickHandshake::post(kTextBeginEditPost, this);
  return Quirel_CursorTextField::textShouldBeginEditing();
}

bool Quirel_NumberField::textShouldEndEditing() {
  if (mSetFocus) return Quirel_CursorTextField::textShouldEndEditing();
  mSetFocus = true;
  Quirel_ClickHandshake::post(kSetFocusPost, this);
  return false;
}

void Quirel_NumberField::mouseDown(const kit::Event& event) {
  if (Quirel_ClickHandshake::pass(nullptr, this, mDownOnOffFlg)) Quirel_CursorTextField::mouseDown(event);
}
