#include "ui/controls/CursorTextField.h"

#include "kit/Window.h"

Quirel_CursorTextField::~Quirel_CursorTextField() {
  if (mTrackTag != -1) removeTrackingRect(mTrackTag);
}

void Quirel_CursorTextField::resetTrackingRect() {
  if (!changesCursor()) return;
  if (mTrackTag != -1) removeTrackingRect(mTrackTag);
  mTrackTag = window() ? addTrackingRect(bounds(), nullptr, false) : -1;
}

void Quirel_CursorTextField::setCursorIfActive(const kit::Cursor& cursor) {
  if (changesCursor() && window() && window()->isKeyWindow() && isEnabled()) cursor.set();
}

void Quirel_CursorTextField::mouseEntered(const kit::Event& event) {
  setCursorIfActive(kit::Cursor::iBeam());
  kit::TextField::mouseEntered(event);
}

void Quirel_CursorTextField::mouseExited(const kit::Event& event) {
  setCursorIfActive(kit::Cursor::arrow());
  kit::TextField::mouseExited(event);
}

void Quirel_CursorTextField::drawRect(const fnd::Rect& dirty) {
  resetTrackingRect();
  kit::TextField::drawRect(dirty);
}

void Quirel_CursorTextField::setFrame(const fnd::Rect& frame) {
  kit::TextField::setFrame(frame);
  resetTrackingRect();
}

void Quirel_CursorTextField::viewDidMoveToWindow() {
  kit::TextField::viewDidMoveToWindow();
  resetTrackingRect();
}
