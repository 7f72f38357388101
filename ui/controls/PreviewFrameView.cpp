#include "ui/controls/PreviewFrameView.h"

#include "kit/BezierPath.h"
#include "kit/Color.h"
#include "kit/GraphicsContext.h"
#include "kit/Window.h"
#include "ui/controls/ClickHandshake.h"
#include "ui/controls/PreviewView.h"
#include "ui/controls/ResponderView.h"

bool Quirel_PreviewFrameView::previewHasFocus() const {
  kit::Window* w = window();
  if (!w) return false;
  auto* responder = dynamic_cast<Quirel_ResponderView*>(w->firstResponder());
  return responder && responder->isFirstResponder();
}

void Quirel_PreviewFrameView::drawRect(const fnd::Rect&) {
  kit::BezierPath path = kit::BezierPath::withRect(bounds());
  path.setLineWidth(2.0);
  path.setLineCapStyle(kit::LineCapStyle::Square);
  kit::Color::lightGray().setFill();
  path.fill();
  kit::Color::black().setStroke();
  path.stroke();
  if (!mDrawFocusRing || !previewHasFocus()) return;
  // kit has no focus-ring style: the ring is the same outline in the focus colour.
  kit::GraphicsContext* ctx = kit::GraphicsContext::current();
  if (!ctx) return;
  ctx->saveGraphicsState();
  kit::Color::keyboardFocusIndicator().setStroke();
  path.stroke();
  ctx->restoreGraphicsState();
}

void Quirel_PreviewFrameView::mouseDown(const kit::Event& event) {
  if (!mPostNotification) return kit::View::mouseDown(event);
  Quirel_ClickHandshake::post(Quirel_ClickHandshake::kControlYesPost, this);
  Quirel_PreviewView::postMouseStream(*this, kMouseEventPost, event);
}
