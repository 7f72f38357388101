#include "ui/controls/ColorPatternFrameView.h"

#include "foundation/NotificationCenter.h"
#include "kit/Color.h"
#include "kit/GraphicsContext.h"
#include "ui/controls/OutlinePaths.h"

void Quirel_ColorPatternFrameView::drawRect(const fnd::Rect&) {
  if (!kit::GraphicsContext::current()) return;
  kit::Color::controlHighlight().set();
  kit::BezierPath outline = Quirel_OutlinePaths::roundedRect(bounds().insetBy(1, 1), 10);
  outline.setLineWidth(2.0);
  outline.stroke();
  kit::BezierPath::fillRect(bounds().insetBy(2, 2));
  if (!mSelected && !mBased) return;
  (mSelected ? kit::Color::blue() : kit::Color::black()).setStroke();
  kit::BezierPath mark = Quirel_OutlinePaths::chamferedRect(bounds().insetBy(1, 1), 2);
  mark.setLineWidth(2.0);
  mark.stroke();
}

void Quirel_ColorPatternFrameView::postClick(kit::View& tracker, const void* sender) {
  fnd::NotificationCenter::defaultCenter().post(kClickPost, sender);
  tracker.trackMouse([](const kit::Event&) {});
}

void Quirel_ColorPatternFrameView::mouseDown(const kit::Event&) { postClick(*this, this); }
