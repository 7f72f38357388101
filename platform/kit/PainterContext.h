#pragma once

#include "kit/GraphicsContext.h"

class QPainter;

namespace kit {

// A context that paints with a QPainter. The context's own space is a rectangle of points
// (a view's bounds): y up, or y down when flipped, mapped onto the painter's pixels with
// the rectangle's origin at the device's top-left (flipped) or bottom-left (not flipped).
class PainterContext : public GraphicsContext {
 public:
  PainterContext(QPainter* painter, const fnd::Rect& bounds, bool flipped);
  // The context's own space mapped onto device pixels by toDevice.
  PainterContext(QPainter* painter, const fnd::AffineTransform& toDevice, bool flipped);

 protected:
  void doFillPath(const BezierPath& path) override;
  void doStrokePath(const BezierPath& path) override;
  void doDrawImage(const Image& image, const fnd::Rect& into, const fnd::Rect& from, double opacity) override;
  void doDrawText(const std::string& text, const fnd::Rect& in, const Font& font, const Color& color,
                  TextAlignment alignment) override;

 private:
  void applyState();
  // Maps user space so that a rectangle draws upright (images and text).
  void uprightIn(const fnd::Rect& rect);

  QPainter* painter_;
  fnd::AffineTransform base_;  // the context's space to device pixels
};

}  // namespace kit
