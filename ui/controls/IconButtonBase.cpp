#include "ui/controls/IconButtonBase.h"

#include "kit/Window.h"

void Quirel_IconImages::loadInto(kit::Image& field, const std::string& name, const std::string& bundle) {
  if (name.empty()) return;
  kit::Image image = kit::Image::named(name, bundle);
  if (image.isValid()) field = image;
}

void Quirel_IconImages::load(const std::string& enterName, const std::string& exitName,
                             const std::string& disableName, const std::string& bundle) {
  loadInto(enter, enterName, bundle);
  loadInto(exit, exitName, bundle);
  loadInto(disable, disableName, bundle);
}

Quirel_IconButtonBase::Quirel_IconButtonBase(const fnd::Rect& frame) : Quirel_NoFocusButton(frame) {
  setBezelStyle(kit::BezelStyle::ShadowlessSquare);
  // The pictures are the whole look: no bezel drawn around them, which would also shrink them.
  setBordered(false);
  installTrackingRect();
}

Quirel_IconButtonBase::~Quirel_IconButtonBase() {
  if (mTrackingRectTag != -1) removeTrackingRect(mTrackingRectTag);
}

void Quirel_IconButtonBase::installTrackingRect() {
  if (mTrackingRectTag != -1) removeTrackingRect(mTrackingRectTag);
  mTrackingRectTag = addTrackingRect(bounds(), nullptr, false);
}

void Quirel_IconButtonBase::setFrame(const fnd::Rect& frame) {
  bool changed = !(frame == this->frame());
  Quirel_NoFocusButton::setFrame(frame);
  if (changed) installTrackingRect();
}

void Quirel_IconButtonBase::resetCursorRects() {
  Quirel_NoFocusButton::resetCursorRects();
  installTrackingRect();
}

bool Quirel_IconButtonBase::windowIsKey() const { return window() && window()->isKeyWindow(); }

void Quirel_IconButtonBase::showImage(const kit::Image& image) { setImage(image); }

void Quirel_IconButtonBase::setEnabled(bool enabled) {
  showImage(enabled ? currentSet().exit : currentSet().disabledLook());
  Quirel_NoFocusButton::setEnabled(enabled);
}

void Quirel_IconButtonBase::mouseEntered(const kit::Event& event) {
  if (isEnabled()) showImage(windowIsKey() ? currentSet().enter : currentSet().exit);
  Quirel_NoFocusButton::mouseEntered(event);
}

void Quirel_IconButtonBase::mouseExited(const kit::Event& event) {
  if (isEnabled()) showImage(currentSet().exit);
  Quirel_NoFocusButton::mouseExited(event);
}
