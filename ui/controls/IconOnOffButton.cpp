#include "ui/controls/IconOnOffButton.h"

Quirel_IconOnOffButton::Quirel_IconOnOffButton(const fnd::Rect& frame) : Quirel_IconButtonBase(frame) {
  setButtonType(kit::ButtonType::OnOff);
  setImagePosition(kit::ImagePosition::ImageOnly);
}

void Quirel_IconOnOffButton::setOnImage(const std::string& enter, const std::string& exit,
                                        const std::string& disable, const std::string& bundle) {
  mOn.load(enter, exit, disable, bundle);
  showImage(mOn.exit);
}

void Quirel_IconOnOffButton::setOffImage(const std::string& enter, const std::string& exit,
                                         const std::string& disable, const std::string& bundle) {
  mOff.load(enter, exit, disable, bundle);
  showImage(mOff.exit);
}

void Quirel_IconOnOffButton::changeImage(bool on) {
  const Quirel_IconImages& set = on ? mOn : mOff;
  showImage(mMouseEnter ? set.enter : set.exit);
}

void Quirel_IconOnOffButton::setState(int state) {
  showImage(state != kit::kOffState ? mOn.exit : mOff.exit);
  Quirel_IconButtonBase::setState(state);
}

void Quirel_IconOnOffButton::setEnabled(bool enabled) {
  if (!enabled) mMouseEnter = false;
  Quirel_IconButtonBase::setEnabled(enabled);
}

void Quirel_IconOnOffButton::mouseEntered(const kit::Event& event) {
  if (isEnabled()) {
    if (windowIsKey()) mMouseEnter = true;
    showImage(windowIsKey() ? currentSet().enter : currentSet().exit);
  }
  Quirel_NoFocusButton::mouseEntered(event);
}

void Quirel_IconOnOffButton::mouseExited(const kit::Event& event) {
  mMouseEnter = false;
  Quirel_IconButtonBase::mouseExited(event);
}

void Quirel_IconOnOffButton::mouseDown(const kit::Event& event) {
  Quirel_IconButtonBase::mouseDown(event);
  if (isEnabled()) changeImage(state() != kit::kOffState);
}
