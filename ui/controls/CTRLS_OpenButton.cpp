#include "ui/controls/CTRLS_OpenButton.h"

#include "ui/controls/ClickHandshake.h"

Quirel_CTRLS_OpenButton::Quirel_CTRLS_OpenButton(const char* postName) : mPostName(postName) {
  mTitleTxt->setAutoresizingMask(kit::kViewMinYMargin);
  Quirel_NoFocusButton* button = getPushBT();
  // A click must flip the state, as the section's disclosure does.
  button->setButtonType(kit::ButtonType::OnOff);
  button->setBezelStyle(kit::BezelStyle::ShadowlessSquare);
  button->setAutoresizingMask(kit::kViewMinYMargin);
  button->setIgnoresMultipleClicks(false);
  button->setState(kit::kOnState);
  button->setAction([this](kit::Control&) { openAction(); });
}

void Quirel_CTRLS_OpenButton::setPushBTImage(const std::string& onName, const std::string& offName,
                                             const std::string& bundle) {
  mOnImage = kit::Image::named(onName, bundle);
  mOffImage = kit::Image::named(offName, bundle);
  getPushBT()->setImage(mOnImage);
  getPushBT()->setImagePosition(kit::ImagePosition::ImageOnly);
}

void Quirel_CTRLS_OpenButton::setOnState(bool on) {
  getPushBT()->setState(on ? kit::kOnState : kit::kOffState);
  getPushBT()->setImage(on ? mOnImage : mOffImage);
}

void Quirel_CTRLS_OpenButton::openAction() {
  getPushBT()->setImage(getPushBT()->state() == kit::kOnState ? mOnImage : mOffImage);
  Quirel_ClickHandshake::post(mPostName, getPushBT());
}
