#include "kit/ClipView.h"

#include <algorithm>

#include "kit/ScrollView.h"

namespace kit {

using fnd::Point;
using fnd::Rect;

ClipView::ClipView(const Rect& frame) : View(frame) {}
ClipView::~ClipView() = default;

void ClipView::setDocumentView(std::unique_ptr<View> view) {
  View* raw = view.get();
  if (document_ && document_ != raw) document_->removeFromSuperview();
  document_ = raw;
  if (raw) addSubview(std::move(view));
  scrollToPoint(bounds().origin);
}

void ClipView::setDocumentView(View* view) {
  if (document_ && document_ != view) document_->removeFromSuperview();
  document_ = view;
  if (view) addSubview(view);
  scrollToPoint(bounds().origin);
}

Rect ClipView::documentVisibleRect() const {
  if (!document_) return Rect();
  return document_->convertRectFromView(bounds(), this).intersection(document_->bounds());
}

Point ClipView::constrainScrollPoint(Point p) const {
  if (!document_) return Point{};
  Rect doc = document_->frame();
  fnd::Size size = bounds().size;
  p.x = std::clamp(p.x, doc.minX(), std::max(doc.minX(), doc.maxX() - size.width));
  p.y = std::clamp(p.y, doc.minY(), std::max(doc.minY(), doc.maxY() - size.height));
  return p;
}

void ClipView::scrollToPoint(Point newOrigin) {
  setBoundsOrigin(constrainScrollPoint(newOrigin));
  if (View* sup = superview()) sup->setNeedsDisplay(true);
}

void ClipView::scrollWheel(const Event& event) {
  if (!document_) return View::scrollWheel(event);
  double step = 3 * 16;
  Point o = bounds().origin;
  // Wheel up shows what is above: towards the top of a flipped document, up in y otherwise.
  o.y += (isFlipped() ? -1 : 1) * event.deltaY() * step;
  const auto* scroll = dynamic_cast<const ScrollView*>(superview());
  const double lineX = scroll && scroll->horizontalLineScroll() > 0 ? scroll->horizontalLineScroll() : step;
  o.x -= event.deltaX() * lineX;
  scrollToPoint(o);
}

}  // namespace kit
