#include "ui/controls/ColorButton.h"

#include <cmath>

#include "kit/GraphicsContext.h"
#include "kit/TextField.h"
#include "kit/Window.h"
#include "ui/controls/ClickHandshake.h"

Quirel_ColorButton::Quirel_ColorButton(const fnd::Rect& frame) : kit::Control(frame) { installTrackingRect(); }

Quirel_ColorButton::~Quirel_ColorButton() {
  if (mTrackingRectTag != -1) removeTrackingRect(mTrackingRectTag);
}

void Quirel_ColorButton::installTrackingRect() {
  if (mTrackingRectTag != -1) removeTrackingRect(mTrackingRectTag);
  mTrackingRectTag = addTrackingRect(bounds(), nullptr, false);
}

void Quirel_ColorButton::setImage(const kit::Image& enter, const kit::Image& exit, const kit::Image& down,
                                  const kit::Image& disable) {
  mEnterImage = enter;
  mExitImage = exit;
  mDownImage = down;
  mDisableImage = disable;
  redraw();
}

void Quirel_ColorButton::setTitle(const std::string& title, const std::optional<kit::Color>& enabledColor,
                                  const std::optional<kit::Color>& disabledColor,
                                  const std::optional<kit::Font>& font) {
  if (!mTextF) {
    auto label = std::make_unique<kit::TextField>(fnd::Rect(0, 0, 0, kTitleHeight));
    label->setDrawsBackground(false);
    label->setBezeled(false);
    label->setBordered(false);
    label->setEditable(false);
    label->setSelectable(false);
    label->setAlignment(kit::TextAlignment::Center);
    mTextF = static_cast<kit::TextField*>(addSubview(std::move(label)));
  }
  mTextF->setStringValue(title);
  mEnabledTextColor = enabledColor;
  mDisabledTextColor = disabledColor;
  if (font) mTextF->setFont(*font);
  updateTitleTextField();
}

void Quirel_ColorButton::updateTitleTextField() {
  if (!mTextF) return;
  fnd::Rect label = mTextF->frame();
  double height = label.size.height;
  double y = std::floor((bounds().size.height - height) * 0.5);
  fnd::Rect placed(label.origin.x, y, bounds().size.width, height);
  if (!(placed == label)) mTextF->setFrame(placed);
  const std::optional<kit::Color>& color = isEnabled() ? mEnabledTextColor : mDisabledTextColor;
  // Called while drawing: setting the colour again would ask for another drawing, for ever.
  if (color && !(mTextF->textColor() == *color)) mTextF->setTextColor(*color);
}

void Quirel_ColorButton::setEnabled(bool enabled) {
  kit::Control::setEnabled(enabled);
  updateTitleTextField();
  redraw();
}

void Quirel_ColorButton::setFrame(const fnd::Rect& frame) {
  bool changed = !(frame == this->frame());
  kit::Control::setFrame(frame);
  updateTitleTextField();
  if (changed) installTrackingRect();
}

void Quirel_ColorButton::resetCursorRects() { installTrackingRect(); }

void Quirel_ColorButton::mouseEntered(const kit::Event&) {
  mEnter = isEnabled() && window() && window()->isKeyWindow();
  redraw();
}

void Quirel_ColorButton::mouseExited(const kit::Event&) {
  mEnter = false;
  if (isEnabled()) redraw();
}

void Quirel_ColorButton::mouseDown(const kit::Event& event) {
  mEnter = true;
  if (ignoresMultipleClicks() && event.clickCount() != 1) return;
  if (!isEnabled() || mDown) return;
  if (!Quirel_ClickHandshake::pass(kButtonDownPost, this, mDownOnOffFlg)) return;
  mDown = true;
  redraw();
  bool releasedInside = false;
  while (isEnabled() && mDown) {
    kit::Window* w = window();
    // No window, or the wait answering nothing (window closed, application ending): the
    // press ends without an action rather than waiting forever.
    std::optional<kit::Event> next = w ? w->nextEventMatchingMask(kit::kMouseTrackingMask) : std::nullopt;
    if (!next) break;
    bool inside = bounds().contains(convertPointFromView(next->locationInWindow(), nullptr));
    if (next->type() == kit::EventType::LeftMouseUp) {
      releasedInside = inside;
      break;
    }
    if (inside != mEnter) {
      mEnter = inside;
      redraw();
    }
  }
  if (releasedInside && isEnabled() && mDown && hasAction()) {
    mDown = false;
    redraw();
    sendAction();
  }
  mDown = false;
  redraw();
}

void Quirel_ColorButton::drawImage(const kit::Image& image, double fraction) {
  if (!image.isValid()) return;
  image.drawInRect(bounds(), {}, fraction);
}

void Quirel_ColorButton::drawRect(const fnd::Rect&) {
  updateTitleTextField();
  kit::GraphicsContext* ctx = kit::GraphicsContext::current();
  if (!ctx) return;
  ctx->setFillColor(mBgColor ? *mBgColor : kit::Color::windowBackground());
  ctx->fillRect(bounds());
  if (!isEnabled()) {
    if (mDisableImage.isValid())
      drawImage(mDisableImage, 1.0);
    else
      drawImage(mExitImage, 0.5);
  } else if (mEnter) {
    drawImage(mDown ? mDownImage : mEnterImage, 1.0);
  } else {
    drawImage(mExitImage, 1.0);
  }
}
