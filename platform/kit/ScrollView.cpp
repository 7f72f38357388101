#include "kit/ScrollView.h"

#include <algorithm>

#include "kit/Box.h"
#include "kit/ControlDrawing.h"

namespace kit {

using fnd::Point;
using fnd::Rect;

ScrollView::ScrollView(const Rect& frame) : View(frame) { setContentView(std::make_unique<ClipView>()); }
ScrollView::~ScrollView() = default;

void ScrollView::setContentView(std::unique_ptr<ClipView> clip) {
  ClipView* raw = clip.get();
  if (clip_ && clip_ != raw) clip_->removeFromSuperview();
  clip_ = raw;
  if (raw) addSubview(std::move(clip));
  tile();
}

void ScrollView::setContentView(ClipView* clip) {
  if (clip_ && clip_ != clip) clip_->removeFromSuperview();
  clip_ = clip;
  if (clip) addSubview(clip);
  tile();
}

void ScrollView::setDocumentView(std::unique_ptr<View> view) {
  if (clip_) clip_->setDocumentView(std::move(view));
  tile();
}

void ScrollView::setDocumentView(View* view) {
  if (clip_) clip_->setDocumentView(view);
  tile();
}

void ScrollView::setHasVerticalScroller(bool on) {
  vertical_ = on;
  tile();
}
void ScrollView::setHasHorizontalScroller(bool on) {
  horizontal_ = on;
  tile();
}
void ScrollView::setAutohidesScrollers(bool on) {
  autohides_ = on;
  tile();
}
BorderType ScrollView::borderType() const { return static_cast<BorderType>(border_); }
void ScrollView::setBorderType(BorderType type) {
  border_ = static_cast<int>(type);
  tile();
}

void ScrollView::tile() {
  if (!clip_ || tiling_) return;
  tiling_ = true;
  Rect b = bounds();
  double inset = border_ == 0 ? 0 : 1;
  Rect inner = b.insetBy(inset, inset);
  showsVertical_ = vertical_;
  showsHorizontal_ = horizontal_;
  if (autohides_ && documentView()) {
    // A scroller shows only when the document does not fit; one scroller can make room short
    // for the other way.
    const fnd::Size need = documentView()->scrollableSize();
    showsVertical_ = vertical_ && need.height > inner.size.height;
    showsHorizontal_ = horizontal_ && need.width > inner.size.width - (showsVertical_ ? kScrollerWidth : 0);
    if (showsHorizontal_ && !showsVertical_) showsVertical_ = vertical_ && need.height > inner.size.height - kScrollerWidth;
  }
  if (showsVertical_) inner.size.width = std::max(0.0, inner.size.width - kScrollerWidth);
  if (showsHorizontal_) {
    inner.origin.y += kScrollerWidth;
    inner.size.height = std::max(0.0, inner.size.height - kScrollerWidth);
  }
  clip_->setFrame(inner);
  clip_->scrollToPoint(clip_->bounds().origin);
  setNeedsDisplay(true);
  tiling_ = false;
}

void ScrollView::setFrame(const Rect& frame) {
  View::setFrame(frame);
  tile();
}

void ScrollView::scrollToPoint(Point p) {
  if (!clip_ || !documentView()) return;
  clip_->scrollToPoint(clip_->convertPointFromView(p, documentView()));
}

Rect ScrollView::verticalTrack() const {
  Rect c = clip_ ? clip_->frame() : Rect();
  return Rect(c.maxX(), c.minY(), kScrollerWidth, c.size.height);
}

Rect ScrollView::horizontalTrack() const {
  Rect c = clip_ ? clip_->frame() : Rect();
  return Rect(c.minX(), c.minY() - kScrollerWidth, c.size.width, kScrollerWidth);
}

void ScrollView::drawRect(const Rect&) {
  Rect b = bounds();
  Color::controlBackground().setFill();
  BezierPath::fillRect(b);
  if (border_ != 0) look::bezelBorder(b);
  View* doc = documentView();
  if (!clip_ || !doc) return;
  Rect docFrame = doc->frame();
  Rect visible = clip_->bounds();
  auto knob = [](const Rect& track, double docLen, double visLen, double pos, bool vertical) {
    Color::calibratedWhite(0.94).setFill();
    BezierPath::fillRect(track);
    double len = vertical ? track.size.height : track.size.width;
    if (docLen <= visLen || len <= 0) return;
    double k = std::max(20.0, len * visLen / docLen);
    double off = (len - k) * std::clamp(pos / (docLen - visLen), 0.0, 1.0);
    Rect r = vertical ? Rect(track.minX() + 3, track.maxY() - off - k, track.size.width - 6, k)
                      : Rect(track.minX() + off, track.minY() + 3, k, track.size.height - 6);
    Color::calibratedWhite(0.6).setFill();
    look::roundedRect(r, 4).fill();
  };
  if (showsVertical()) {
    // Position from the top: a flipped document scrolls down as y grows.
    double fromTop = clip_->isFlipped() ? visible.minY() - docFrame.minY() : docFrame.maxY() - visible.maxY();
    knob(verticalTrack(), docFrame.size.height, visible.size.height, fromTop, true);
  }
  if (showsHorizontal()) knob(horizontalTrack(), docFrame.size.width, visible.size.width, visible.minX() - docFrame.minX(), false);
}

void ScrollView::mouseDown(const Event& event) {
  if (!clip_ || !documentView()) return;
  auto jump = [&](const Event& e) {
    Point p = convertPointFromView(e.locationInWindow(), nullptr);
    Rect doc = documentView()->frame();
    Rect vis = clip_->bounds();
    Point o = vis.origin;
    if (showsVertical() && verticalTrack().insetBy(0, -1000).contains(p) && p.x >= verticalTrack().minX()) {
      Rect t = verticalTrack();
      double f = std::clamp((t.maxY() - p.y) / std::max(1.0, t.size.height), 0.0, 1.0);
      double fromTop = f * std::max(0.0, doc.size.height - vis.size.height);
      o.y = clip_->isFlipped() ? doc.minY() + fromTop : doc.maxY() - vis.size.height - fromTop;
    } else if (showsHorizontal() && p.y < horizontalTrack().maxY()) {
      Rect t = horizontalTrack();
      double f = std::clamp((p.x - t.minX()) / std::max(1.0, t.size.width), 0.0, 1.0);
      o.x = doc.minX() + f * std::max(0.0, doc.size.width - vis.size.width);
    } else {
      return;
    }
    clip_->scrollToPoint(o);
  };
  jump(event);
  trackMouse(jump);
}

}  // namespace kit
