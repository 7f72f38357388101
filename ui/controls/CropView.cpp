#include "ui/controls/CropView.h"

#include "foundation/RunLoopMode.h"
#include "kit/BezierPath.h"
#include "kit/Color.h"
#include "kit/GraphicsContext.h"

Quirel_CropView::~Quirel_CropView() { runTimer(false); }

void Quirel_CropView::runTimer(bool run) {
  if (run) {
    if (mTimer) return;
    mTimer = fnd::Timer::scheduled(
        kBlinkInterval, true, [this](fnd::Timer&) { timerAction(); },
        fnd::ModeSet(fnd::RunLoopMode::Default) | fnd::RunLoopMode::EventTracking);
    return;
  }
  if (!mTimer) return;
  mTimer->invalidate();
  mTimer.reset();
}

void Quirel_CropView::timerAction() {
  if (kit::View::isHidden()) return;
  mTimerFlg = !mTimerFlg;
  drawLineWithNeedLock();
  displayIfNeeded();
}

// kit draws a view only inside its display pass: the tick marks the whole view, and the pass
// that follows draws whatever the view's full redraw draws.
void Quirel_CropView::drawLineWithNeedLock() { setNeedsDisplay(true); }

void Quirel_CropView::drawRect(const fnd::Rect&) { drawLine(); }

void Quirel_CropView::strokeEdges(const fnd::Rect& r, kit::BezierPath& path, bool closeEach, double otherWidth) {
  const fnd::Point edges[4][2] = {
      {{r.minX(), r.minY()}, {r.minX(), r.maxY()}},
      {{r.minX(), r.maxY()}, {r.maxX(), r.maxY()}},
      {{r.minX(), r.minY()}, {r.maxX(), r.minY()}},
      {{r.maxX(), r.minY()}, {r.maxX(), r.maxY()}},
  };
  double firstWidth = path.lineWidth();
  for (int i = 0; i < 4; ++i) {
    if (otherWidth > 0) path.setLineWidth(i == 0 ? firstWidth : otherWidth);
    path.moveTo(edges[i][0]);
    path.lineTo(edges[i][1]);
    if (closeEach) path.closePath();
    path.stroke();
    path.removeAllPoints();
  }
  path.setLineWidth(firstWidth);
}

void Quirel_CropView::drawLine() {
  kit::GraphicsContext* ctx = kit::GraphicsContext::current();
  if (!ctx) return;
  ctx->setShouldAntialias(false);
  fnd::Rect r1 = bounds().insetBy(0.8, 0.8);
  fnd::Rect r2 = r1.insetBy(1.0, 1.0);
  bool fine = mLineStyle == 2;
  double d = fine ? 1.5 : 4.0;
  kit::LineCapStyle cap = fine ? kit::LineCapStyle::Butt : kit::LineCapStyle::Square;

  kit::BezierPath white;
  white.setLineCapStyle(cap);
  kit::Color::white().setStroke();
  if (mLineStyle == 1) strokeEdges(r2, white, true);
  strokeEdges(r1, white, true);

  kit::BezierPath black;
  black.setLineCapStyle(cap);
  black.setLineDash({d, d}, dashPhase());
  kit::Color::black().setStroke();
  if (mLineStyle == 1) strokeEdges(r2, black, false);
  strokeEdges(r1, black, false);
}

std::unique_ptr<Quirel_CropView> Quirel_CropView::makeSibling(const fnd::Rect& frame) const {
  return std::make_unique<Quirel_CropView>(frame);
}

std::unique_ptr<CropFrameViewLink> Quirel_CropView::makeSourceView(const fnd::Rect& frame, int lineStyle) {
  std::unique_ptr<Quirel_CropView> source = makeSibling(frame);
  source->setLineStyle(lineStyle);
  if (kit::View* super = superview()) super->addSubview(static_cast<kit::View*>(source.get()));
  return source;
}

fnd::Size Quirel_CropView::superviewSize() const {
  kit::View* super = superview();
  return super ? super->frame().size : fnd::Size();
}

void Quirel_CropView::redrawSuperview(const fnd::Rect& rect) {
  if (kit::View* super = superview()) super->setNeedsDisplayInRect(rect);
}
