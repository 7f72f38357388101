#include "ui/controls/ThumbnailFrameView.h"

#include "kit/Color.h"
#include "kit/GraphicsContext.h"
#include "ui/controls/ClickHandshake.h"
#include "ui/controls/OutlinePaths.h"
#include "ui/controls/PreviewView.h"

void Quirel_ThumbnailFrameView::mouseDown(const kit::Event& event) {
  if (!mDownOnOff && !Quirel_ClickHandshake::pass(Quirel_PreviewView::kViewDownPost, this, mDownOnOff)) return;
  Quirel_PreviewView::postWithEvent(kMouseEventPost, static_cast<kit::View*>(this), event, {{kNoKey, mNo}});
}

void Quirel_ThumbnailFrameView::drawRect(const fnd::Rect&) {
  kit::GraphicsContext* ctx = kit::GraphicsContext::current();
  if (!ctx) return;
  ctx->setShouldAntialias(false);
  kit::Color colour = mWillSelected ? kit::Color::gray() : kit::Color::controlHighlight();
  colour.set();
  kit::BezierPath outline = Quirel_OutlinePaths::roundedRect(bounds().insetBy(2, 2), 10);
  outline.setLineWidth(2.0);
  outline.stroke();
  kit::BezierPath::fillRect(bounds().insetBy(3, 3));
  if (mWillSelected) return;
  double width = mFocus ? 4.0 : mSelected ? 2.0 : 0.0;
  if (width == 0.0) return;
  kit::BezierPath mark = Quirel_OutlinePaths::chamferedRect(bounds().insetBy(2, 2), 2);
  mark.setLineWidth(width);
  kit::Color::blue().setStroke();
  mark.stroke();
}
