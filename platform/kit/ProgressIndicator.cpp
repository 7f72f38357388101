#include "kit/ProgressIndicator.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "foundation/Timer.h"
#include "kit/ControlDrawing.h"

namespace kit {

using fnd::Rect;

ProgressIndicator::ProgressIndicator(const Rect& frame) : View(frame) {}
ProgressIndicator::~ProgressIndicator() { stopAnimation(); }

void ProgressIndicator::setMinValue(double v) {
  min_ = v;
  setNeedsDisplay(true);
}
void ProgressIndicator::setMaxValue(double v) {
  max_ = v;
  setNeedsDisplay(true);
}
void ProgressIndicator::setDoubleValue(double v) {
  value_ = std::clamp(v, min_, std::max(min_, max_));
  setNeedsDisplay(true);
}
void ProgressIndicator::setIndeterminate(bool on) {
  indeterminate_ = on;
  setNeedsDisplay(true);
}
void ProgressIndicator::setStyle(ProgressIndicatorStyle style) {
  style_ = style;
  setNeedsDisplay(true);
}
void ProgressIndicator::setDisplayedWhenStopped(bool on) {
  displayedWhenStopped_ = on;
  setNeedsDisplay(true);
}

void ProgressIndicator::startAnimation() {
  if (animating_) return;
  animating_ = true;
  timer_ = fnd::Timer::scheduled(
      1.0 / 15, true,
      [this](fnd::Timer&) {
        phase_ = (phase_ + 1) % 1000;
        setNeedsDisplay(true);
      },
      fnd::kCommonModes);
  setNeedsDisplay(true);
}

void ProgressIndicator::stopAnimation() {
  animating_ = false;
  if (timer_) timer_->invalidate();
  timer_.reset();
  setNeedsDisplay(true);
}

void ProgressIndicator::drawRect(const Rect&) {
  if (!animating_ && !displayedWhenStopped_ && (indeterminate_ || style_ == ProgressIndicatorStyle::Spinning)) return;
  Rect b = bounds();
  if (style_ == ProgressIndicatorStyle::Spinning) {
    double r = std::min(b.size.width, b.size.height) / 2 - 1;
    for (int i = 0; i < 12; ++i) {
      double a = (i * 30.0 - phase_ * 30.0) * std::numbers::pi / 180.0;
      double shade = animating_ ? 0.3 + 0.05 * ((i + 12) % 12) : 0.7;
      BezierPath spoke;
      spoke.setLineWidth(2);
      spoke.setLineCapStyle(LineCapStyle::Round);
      spoke.moveTo({b.midX() + std::cos(a) * r * 0.45, b.midY() + std::sin(a) * r * 0.45});
      spoke.lineTo({b.midX() + std::cos(a) * r, b.midY() + std::sin(a) * r});
      Color::calibratedWhite(std::min(0.9, shade)).setStroke();
      spoke.stroke();
    }
    return;
  }
  double h = std::min(b.size.height, 12.0);
  Rect track(b.minX() + 0.5, std::round(b.midY() - h / 2) + 0.5, b.size.width - 1, h - 1);
  Color::calibratedWhite(0.9).setFill();
  BezierPath trackPath = look::roundedRect(track, h / 2);
  trackPath.fill();
  if (indeterminate_) {
    GraphicsContext* ctx = GraphicsContext::current();
    if (ctx) {
      ctx->saveGraphicsState();
      ctx->clipToRect(track);
      Color::selectedControl().withAlphaComponent(0.6).setFill();
      double stripe = 12;
      double offset = animating_ ? std::fmod(phase_ * 2.0, stripe * 2) : 0;
      for (double x = track.minX() - stripe * 2 + offset; x < track.maxX(); x += stripe * 2) {
        BezierPath s;
        s.moveTo({x, track.minY()});
        s.lineTo({x + stripe, track.minY()});
        s.lineTo({x + stripe + h, track.maxY()});
        s.lineTo({x + h, track.maxY()});
        s.closePath();
        s.fill();
      }
      ctx->restoreGraphicsState();
    }
  } else {
    double f = max_ > min_ ? (value_ - min_) / (max_ - min_) : 0;
    if (f > 0) {
      Color::selectedControl().setFill();
      look::roundedRect(Rect(track.minX(), track.minY(), std::max(h, track.size.width * f), track.size.height), h / 2)
          .fill();
    }
  }
  Color::calibratedWhite(0.6).setStroke();
  trackPath.stroke();
}

}  // namespace kit
