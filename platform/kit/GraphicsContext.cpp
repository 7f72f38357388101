#include "kit/GraphicsContext.h"

#include <numbers>

namespace kit {

namespace {
GraphicsContext* gCurrent = nullptr;
}  // namespace

GraphicsContext::~GraphicsContext() {
  if (gCurrent == this) gCurrent = nullptr;
}

GraphicsContext* GraphicsContext::current() { return gCurrent; }

GraphicsContext::Scope::Scope(GraphicsContext* ctx) : previous_(gCurrent) { gCurrent = ctx; }
GraphicsContext::Scope::~Scope() { gCurrent = previous_; }

void GraphicsContext::saveGraphicsState() { stack_.push_back(state_); }

void GraphicsContext::restoreGraphicsState() {
  if (stack_.empty()) return;
  state_ = stack_.back();
  stack_.pop_back();
}

void GraphicsContext::translate(double dx, double dy) { state_.ctm = state_.ctm.translated(dx, dy); }
void GraphicsContext::rotateByDegrees(double degrees) {
  state_.ctm = state_.ctm.rotated(degrees * std::numbers::pi / 180.0);
}
void GraphicsContext::scale(double sx, double sy) { state_.ctm = state_.ctm.scaled(sx, sy); }
void GraphicsContext::concat(const fnd::AffineTransform& t) { state_.ctm = t.concat(state_.ctm); }

void GraphicsContext::clipToRect(const fnd::Rect& rect) {
  fnd::Rect r = state_.ctm.apply(rect.standardized());
  state_.clip = state_.hasClip ? state_.clip.intersection(r) : r;
  state_.hasClip = true;
}

void GraphicsContext::fillPath(const BezierPath& path) {
  if (!path.isEmpty()) doFillPath(path);
}
void GraphicsContext::strokePath(const BezierPath& path) {
  if (!path.isEmpty()) doStrokePath(path);
}
void GraphicsContext::drawImage(const Image& image, const fnd::Rect& into, const fnd::Rect& from, double opacity) {
  doDrawImage(image, into, from, opacity);
}
void GraphicsContext::drawText(const std::string& text, const fnd::Rect& in, const Font& font, const Color& color,
                               TextAlignment alignment) {
  if (!text.empty()) doDrawText(text, in, font, color, alignment);
}
void GraphicsContext::drawText(const std::string& text, fnd::Point at, const Font& font, const Color& color) {
  fnd::Size s = font.sizeOfString(text);
  drawText(text, fnd::Rect(at, {s.width + 1, s.height}), font, color, TextAlignment::Left);
}

}  // namespace kit
