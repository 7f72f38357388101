#include "ui/controls/ToolButton.h"

#include <cmath>

#include "kit/BezierPath.h"
#include "kit/Color.h"
#include "kit/GraphicsContext.h"
#include "kit/Window.h"
#include "ui/controls/ClickHandshake.h"
#include "ui/controls/EventWait.h"

Quirel_ToolButton::Quirel_ToolButton(const fnd::Rect& frame) : kit::Control(frame) { installTrackingRect(); }

Quirel_ToolButton::~Quirel_ToolButton() {
  if (mTrackingRectTag != -1) removeTrackingRect(mTrackingRectTag);
}

void Quirel_ToolButton::installTrackingRect() {
  if (mTrackingRectTag != -1) removeTrackingRect(mTrackingRectTag);
  // A replacement starts where the hover look is: the window rebuilds the rectangles right
  // after the pointer entered, and the exit must still come.
  mTrackingRectTag = addTrackingRect(bounds(), nullptr, mEnter);
}

void Quirel_ToolButton::setFrame(const fnd::Rect& frame) {
  const bool changed = !(frame == this->frame());
  kit::Control::setFrame(frame);
  if (changed) installTrackingRect();
}

void Quirel_ToolButton::resetCursorRects() {
  kit::Control::resetCursorRects();
  installTrackingRect();
}

void Quirel_ToolButton::setImage(const kit::Image& enter, const kit::Image& exit, const kit::Image& disable) {
  mEnterImage = enter;
  mExitImage = exit;
  mDisableImage = disable;
}

void Quirel_ToolButton::setState(int state) {
  kit::Control::setState(state);
  setNeedsDisplay();
}

void Quirel_ToolButton::setEnabled(bool enabled) {
  kit::Control::setEnabled(enabled);
  if (!enabled) kit::Control::setState(kit::kOffState);
  setNeedsDisplay();
}

void Quirel_ToolButton::setLook(bool down, int state) {
  if (mDown == down && this->state() == state) return;
  mDown = down;
  kit::Control::setState(state);
  setNeedsDisplay();
}

void Quirel_ToolButton::mouseDown(const kit::Event& event) {
  if (!isEnabled() || mDown || event.clickCount() != 1) return;
  if (!Quirel_ClickHandshake::pass(kToolButtonDownPost, this, mDownOnOffFlg)) return;
  mEnter = true;
  setLook(true, kit::kOnState);
  for (;;) {
    // The wait ends without an event when the button is disabled meanwhile, the window
    // closes or the application ends: the press then ends without an action.
    std::optional<kit::Event> next =
        Quirel_EventWait::next(window(), kit::kMouseTrackingMask, [this] { return !isEnabled(); });
    if (!next) {
      mDown = false;
      setNeedsDisplay();
      break;
    }
    const bool up = next->type() == kit::EventType::LeftMouseUp;
    if (bounds().contains(convertPointFromView(next->locationInWindow(), nullptr))) {
      setLook(true, kit::kOnState);
    } else {
      if (up) mEnter = false;
      setLook(false, kit::kOffState);
    }
    if (up) break;
  }
  if (isEnabled() && mDown && hasAction()) sendAction();
  mDown = false;
  setNeedsDisplay();
}

void Quirel_ToolButton::mouseEntered(const kit::Event&) {
  mEnter = isEnabled() && window() && window()->isKeyWindow();
  setNeedsDisplay();
}

void Quirel_ToolButton::mouseExited(const kit::Event&) {
  mEnter = false;
  if (isEnabled()) setNeedsDisplay();
}

void Quirel_ToolButton::drawImage(const kit::Image& image, double fraction) {
  if (!image.isValid()) return;
  const fnd::Size b = bounds().size;
  const fnd::Size i = image.size();
  image.drawAtPoint(fnd::Point{std::floor((b.width - i.width) * 0.5), std::floor((b.height - i.height) * 0.5)}, {},
                    fraction);
}

void Quirel_ToolButton::strokeEdge(fnd::Point from, fnd::Point to, const kit::Color& color) {
  color.set();
  kit::BezierPath edge;
  edge.setLineWidth(1.0);
  edge.setLineCapStyle(kit::LineCapStyle::Square);
  edge.moveTo(from);
  edge.lineTo(to);
  edge.stroke();
}

void Quirel_ToolButton::drawRect(const fnd::Rect&) {
  kit::GraphicsContext* ctx = kit::GraphicsContext::current();
  if (!ctx) return;
  const fnd::Rect b = bounds();
  const double top = b.origin.y + b.size.height;
  const double right = b.origin.x + b.size.width;
  auto sunkenEdges = [&] {
    strokeEdge({0, 0}, {0, top}, kit::Color::darkGray());
    strokeEdge({0, top}, {right, top}, kit::Color::darkGray());
  };
  ctx->setFillColor(kit::Color::windowBackground());
  ctx->fillRect(b);
  if (!isEnabled()) {
    if (mDisableImage.isValid())
      drawImage(mDisableImage, 1.0);
    else
      drawImage(mExitImage, 0.5);
    return;
  }
  if (mEnter) {
    if (mDown) {
      ctx->setFillColor(kit::Color::gray());
      ctx->fillRect(b);
      sunkenEdges();
      drawImage(mEnterImage, 0.5);
      return;
    }
    if (state() == kit::kOnState) {
      ctx->setFillColor(kit::Color::controlShadow());
      ctx->fillRect(b);
      sunkenEdges();
    } else {
      strokeEdge({0, 0}, {0, top}, kit::Color::white());
      strokeEdge({0, top}, {right, top}, kit::Color::white());
      strokeEdge({0, 0}, {right - 1, 0}, kit::Color::darkGray());
      strokeEdge({right, 0}, {right, top}, kit::Color::darkGray());
    }
    drawImage(mEnterImage, 1.0);
    return;
  }
  if (state() == kit::kOnState) {
    ctx->setFillColor(kit::Color::controlShadow());
    ctx->fillRect(b);
    sunkenEdges();
  }
  drawImage(mExitImage, 1.0);
}
