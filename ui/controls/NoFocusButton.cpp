#include "ui/controls/NoFocusButton.h"

#include "ui/controls/ClickHandshake.h"

void Quirel_NoFocusButton::mouseDown(const kit::Event& event) {
  if (Quirel_ClickHandshake::pass(kButtonDownPost, this, mDownOnOffFlg)) kit::Button::mouseDown(event);
}

void Quirel_NoFocusButton::setAction(std::function<void()> action) {
  if (!action) return kit::Button::setAction(nullptr);
  kit::Button::setAction([action = std::move(action)](kit::Control&) { action(); });
}
