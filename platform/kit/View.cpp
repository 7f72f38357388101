#include "kit/View.h"

#include <QCoreApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "foundation/RunLoop.h"
#include "kit/GraphicsContext.h"
#include "kit/PainterContext.h"
#include "kit/QtBridge.h"
#include "kit/Window.h"

namespace kit {

// Lets the widget behind a view reach the view's private painting entry.
struct ViewAccess {
  static void paint(View* view, void* painter, const fnd::Rect& dirty);
  static fnd::AffineTransform pixelsToBounds(const View* view) { return view->boundsToPixels().inverted(); }
  static fnd::AffineTransform boundsToSuper(const View* view) { return view->boundsToSuper(); }
};

using fnd::Point;
using fnd::Rect;
using fnd::Size;

namespace {

TrackingRectTag gNextTrackingTag = 1;

// The widget behind an ordinary view: it paints by asking the view to draw.
class ViewWidget : public QWidget {
 public:
  explicit ViewWidget(View* view) : view_(view) {}
  void forget() { view_ = nullptr; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  View* view_;
};

// A rectangle's bounding box through a transform, as whole pixels (outward).
QRect pixelBox(const fnd::AffineTransform& t, const Rect& r) {
  Rect box = t.apply(r.standardized());
  // Axis-aligned edges land on the nearest pixel, like frames given in whole points do.
  auto snap = [](double v) { return std::fabs(v - std::round(v)) < 1e-6 ? std::round(v) : v; };
  int x0 = static_cast<int>(std::floor(snap(box.minX()) + 1e-9));
  int y0 = static_cast<int>(std::floor(snap(box.minY()) + 1e-9));
  int x1 = static_cast<int>(std::ceil(snap(box.maxX()) - 1e-9));
  int y1 = static_cast<int>(std::ceil(snap(box.maxY()) - 1e-9));
  return QRect(x0, y0, std::max(0, x1 - x0), std::max(0, y1 - y0));
}

// A space with these bounds (y up, or down when flipped) onto its widget's pixels.
fnd::AffineTransform spaceToPixels(const Rect& bounds, bool flipped) {
  if (flipped) return {1, 0, 0, 1, -bounds.origin.x, -bounds.origin.y};
  return {1, 0, 0, -1, -bounds.origin.x, bounds.size.height + bounds.origin.y};
}

}  // namespace

struct View::Impl {
  QWidget* widget = nullptr;
  bool nativeBacked = false;
  View* superview = nullptr;
  std::vector<View*> subviews;
  std::vector<std::unique_ptr<View>> owned;
  Window* window = nullptr;
  Rect frame;
  Point boundsOrigin;
  double rotation = 0;  // degrees, about the frame origin
  unsigned mask = kViewNotSizable;
  bool autoresizes = true;
  int tag = -1;
  bool hidden = false;
  bool needsDisplay = false;
  Rect dirty;
  std::string toolTip;
  std::vector<TrackingRect> tracking;
  std::vector<CursorRect> cursors;
  View* nextKeyView = nullptr;
  std::vector<View*> keyViewReferrers;  // views whose next key view this is, oldest first
};

void ViewWidget::paintEvent(QPaintEvent* event) {
  if (!view_) return;
  QPainter painter(this);
  QRect px = event->rect();
  Rect dirty = ViewAccess::pixelsToBounds(view_).apply(Rect(px.x(), px.y(), px.width(), px.height()));
  ViewAccess::paint(view_, &painter, dirty);
}

void ViewAccess::paint(View* view, void* painter, const Rect& dirty) { view->paintWidget(painter, dirty); }

View::View(const Rect& frame) : d_(std::make_unique<Impl>()) {
  d_->frame = frame;
  auto* w = new ViewWidget(this);
  w->setMouseTracking(true);
  w->setAttribute(Qt::WA_NoMousePropagation, false);
  d_->widget = w;
  updateWidgetGeometry();
}

View::View(const Rect& frame, QWidget* nativeWidget) : d_(std::make_unique<Impl>()) {
  d_->frame = frame;
  d_->widget = nativeWidget ? nativeWidget : new ViewWidget(this);
  d_->nativeBacked = nativeWidget != nullptr;
  d_->widget->setMouseTracking(true);
  updateWidgetGeometry();
}

View::~View() {
  if (d_->window) d_->window->forgetView(this);
  setNextKeyView(nullptr);
  for (View* r : d_->keyViewReferrers) r->d_->nextKeyView = nullptr;
  d_->keyViewReferrers.clear();
  // Leave the superview; an owning superview is destroying us and has let go already.
  if (View* sup = d_->superview) {
    auto& list = sup->d_->subviews;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    d_->superview = nullptr;
  }
  // Children the caller owns survive us, detached; our own children go with us.
  std::vector<View*> children = std::move(d_->subviews);
  d_->subviews.clear();
  for (View* child : children) {
    child->d_->superview = nullptr;
    child->setWindowRecursive(nullptr);
    if (child->d_->widget) child->d_->widget->setParent(nullptr);
  }
  std::vector<std::unique_ptr<View>> owned = std::move(d_->owned);
  owned.clear();
  if (QWidget* w = d_->widget) {
    if (auto* vw = dynamic_cast<ViewWidget*>(w)) vw->forget();
    w->hide();
    w->setParent(nullptr);
    // Qt may be delivering an event to the widget right now: let Qt delete it later.
    if (QCoreApplication::instance())
      w->deleteLater();
    else
      delete w;
    d_->widget = nullptr;
  }
}

// --- Tree

View* View::superview() const { return d_->superview; }
const std::vector<View*>& View::subviews() const { return d_->subviews; }
Window* View::window() const { return d_->window; }

View* View::addSubview(std::unique_ptr<View> view) {
  View* raw = view.get();
  if (!raw || raw == this) return raw;
  addSubview(raw);
  d_->owned.push_back(std::move(view));
  return raw;
}

void View::addSubview(View* view) {
  if (!view || view == this || isDescendantOf(view)) return;
  if (view->d_->superview == this) {
    // Already ours: move it to the front.
    auto& list = d_->subviews;
    list.erase(std::remove(list.begin(), list.end(), view), list.end());
    list.push_back(view);
    if (view->d_->widget) view->d_->widget->raise();
    return;
  }
  if (view->d_->superview) view->removeFromSuperview();
  d_->subviews.push_back(view);
  view->d_->superview = this;
  if (view->d_->widget) {
    view->d_->widget->setParent(d_->widget);
    view->updateWidgetGeometry();
    view->d_->widget->setVisible(!view->d_->hidden);
    view->d_->widget->raise();  // child widgets stack fine on every platform
  }
  view->setWindowRecursive(d_->window);
  if (d_->window) d_->window->invalidateCursorRectsForView(view);
  setNeedsDisplayInRect(view->frame());
}

void View::removeFromSuperview() {
  View* sup = d_->superview;
  if (!sup) return;
  sup->setNeedsDisplayInRect(d_->frame);
  if (d_->window) d_->window->forgetView(this);
  setWindowRecursive(nullptr);
  auto& list = sup->d_->subviews;
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  d_->superview = nullptr;
  if (d_->widget) {
    d_->widget->hide();
    d_->widget->setParent(nullptr);
  }
  // An owned view is released at the end of this pass, not under the caller's feet.
  auto& owned = sup->d_->owned;
  auto it = std::find_if(owned.begin(), owned.end(), [this](const auto& p) { return p.get() == this; });
  if (it != owned.end()) {
    View* released = it->release();
    owned.erase(it);
    fnd::RunLoop::main().perform([released] { delete released; }, fnd::kCommonModes);
  }
}

bool View::isDescendantOf(const View* other) const {
  for (const View* v = this; v; v = v->d_->superview)
    if (v == other) return true;
  return false;
}

View* View::viewWithTag(int tag) {
  if (d_->tag == tag) return this;
  for (View* v : d_->subviews)
    if (View* found = v->viewWithTag(tag)) return found;
  return nullptr;
}

View* View::findView(const std::function<bool(View&)>& match) {
  if (match(*this)) return this;
  for (View* v : d_->subviews)
    if (View* found = v->findView(match)) return found;
  return nullptr;
}

int View::tag() const { return d_->tag; }
void View::setTag(int tag) { d_->tag = tag; }
bool View::isHidden() const { return d_->hidden; }

void View::setHidden(bool hidden) {
  if (d_->hidden == hidden) return;
  d_->hidden = hidden;
  if (d_->widget && d_->superview) d_->widget->setVisible(!hidden);
  if (d_->window) {
    if (hidden) d_->window->forgetView(this, /*keepInTree=*/true);
    d_->window->invalidateCursorRectsForView(this);
  }
  if (d_->superview) d_->superview->setNeedsDisplayInRect(d_->frame);
}

bool View::isHiddenOrHasHiddenAncestor() const {
  for (const View* v = this; v; v = v->d_->superview)
    if (v->d_->hidden) return true;
  return false;
}

void View::setWindowRecursive(Window* window) {
  if (d_->window == window) return;
  viewWillMoveToWindow(window);
  if (d_->window) d_->window->forgetView(this);
  d_->window = window;
  for (View* v : d_->subviews) v->setWindowRecursive(window);
  // Qt orders tabs only inside one window: links made before both ends were there apply now.
  applyTabOrder();
  viewDidMoveToWindow();
}

// --- Geometry

Rect View::frame() const { return d_->frame; }

void View::setFrame(const Rect& frame) {
  Rect old = d_->frame;
  if (old == frame) return;
  if (d_->superview) d_->superview->setNeedsDisplayInRect(old);
  d_->frame = frame;
  bool sized = old.size != frame.size;
  if (sized && d_->autoresizes) resizeSubviewsWithOldSize(old.size);
  updateWidgetGeometry();
  updateSubviewGeometry();
  if (d_->window) d_->window->invalidateCursorRectsForView(this);
  setNeedsDisplay(true);
}

void View::setFrameOrigin(Point origin) { setFrame(Rect(origin, d_->frame.size)); }
void View::setFrameSize(Size size) { setFrame(Rect(d_->frame.origin, size)); }

Rect View::bounds() const { return Rect(d_->boundsOrigin, d_->frame.size); }

void View::setBoundsOrigin(Point origin) {
  if (d_->boundsOrigin == origin) return;
  d_->boundsOrigin = origin;
  updateSubviewGeometry();
  if (d_->window) d_->window->invalidateCursorRectsForView(this);
  setNeedsDisplay(true);
}

unsigned View::autoresizingMask() const { return d_->mask; }
void View::setAutoresizingMask(unsigned mask) { d_->mask = mask; }
bool View::autoresizesSubviews() const { return d_->autoresizes; }
void View::setAutoresizesSubviews(bool on) { d_->autoresizes = on; }

void View::resizeSubviewsWithOldSize(Size oldSize) {
  std::vector<View*> children = d_->subviews;
  for (View* v : children) v->resizeWithOldSuperviewSize(oldSize);
}

void View::resizeWithOldSuperviewSize(Size oldSuperviewSize) {
  if (!d_->superview || d_->mask == kViewNotSizable) return;
  Size now = d_->superview->bounds().size;
  Rect f = d_->frame;
  // The change along an axis is shared evenly by its flexible parts (margins and size).
  auto share = [](double delta, bool minMargin, bool size, bool maxMargin, double& origin, double& length) {
    int parts = int(minMargin) + int(size) + int(maxMargin);
    if (parts == 0 || delta == 0) return;
    double part = delta / parts;
    if (minMargin) origin += part;
    if (size) length = std::max(0.0, length + part);
  };
  share(now.width - oldSuperviewSize.width, d_->mask & kViewMinXMargin, d_->mask & kViewWidthSizable,
        d_->mask & kViewMaxXMargin, f.origin.x, f.size.width);
  share(now.height - oldSuperviewSize.height, d_->mask & kViewMinYMargin, d_->mask & kViewHeightSizable,
        d_->mask & kViewMaxYMargin, f.origin.y, f.size.height);
  setFrame(f);
}

fnd::AffineTransform View::superToPixels() const {
  // The superview's own widget pixels, wherever that widget sits (and however it is turned).
  if (d_->superview) return d_->superview->boundsToPixels();
  if (d_->window && d_->window->contentView() == this)
    return spaceToPixels(Rect(Point{}, d_->window->contentRectSize()), false);
  return spaceToPixels(Rect(0, 0, d_->frame.maxX(), d_->frame.maxY()), false);
}

fnd::AffineTransform View::boundsToSuper() const {
  const Rect& f = d_->frame;
  const Point& b = d_->boundsOrigin;
  bool superFlipped = d_->superview ? d_->superview->isFlipped() : false;
  fnd::AffineTransform t = isFlipped() == superFlipped
                               ? fnd::AffineTransform{1, 0, 0, 1, f.origin.x - b.x, f.origin.y - b.y}
                               : fnd::AffineTransform{1, 0, 0, -1, f.origin.x - b.x, f.origin.y + f.size.height + b.y};
  if (d_->rotation != 0) {
    // Turned about the frame origin, counter-clockwise in the superview's space.
    t = t.concat(fnd::AffineTransform::translation(-f.origin.x, -f.origin.y))
            .concat(fnd::AffineTransform::rotation(d_->rotation * std::numbers::pi / 180.0))
            .concat(fnd::AffineTransform::translation(f.origin.x, f.origin.y));
  }
  return t;
}

fnd::AffineTransform View::boundsToPixels() const {
  QRect g = d_->widget ? d_->widget->geometry() : QRect();
  return boundsToSuper().concat(superToPixels()).concat(fnd::AffineTransform::translation(-g.x(), -g.y()));
}

void View::updateWidgetGeometry() {
  if (!d_->widget) return;
  QRect r = pixelBox(boundsToSuper().concat(superToPixels()), bounds());
  if (d_->widget->geometry() != r) d_->widget->setGeometry(r);
}

double View::frameRotation() const { return d_->rotation; }

void View::setFrameRotation(double degrees) {
  if (d_->rotation == degrees) return;
  if (d_->superview) d_->superview->setNeedsDisplay(true);
  d_->rotation = degrees;
  updateWidgetGeometry();
  updateSubviewGeometry();
  if (d_->window) d_->window->invalidateCursorRectsForView(this);
  setNeedsDisplay(true);
}

void View::updateSubviewGeometry() {
  for (View* v : d_->subviews) v->updateWidgetGeometry();
}

// --- Coordinates

namespace {
Point toSuper(const View* v, Point p) { return ViewAccess::boundsToSuper(v).apply(p); }
Point fromSuper(const View* v, Point q) { return ViewAccess::boundsToSuper(v).inverted().apply(q); }

Point toWindow(const View* v, Point p) {
  for (; v; v = v->superview()) p = toSuper(v, p);
  return p;
}

Point fromWindow(const View* v, Point p) {
  std::vector<const View*> chain;
  for (; v; v = v->superview()) chain.push_back(v);
  for (auto it = chain.rbegin(); it != chain.rend(); ++it) p = fromSuper(*it, p);
  return p;
}

Rect rectThrough(const Rect& r, const std::function<Point(Point)>& map) {
  Point a = map({r.minX(), r.minY()}), b = map({r.maxX(), r.maxY()});
  return Rect(std::min(a.x, b.x), std::min(a.y, b.y), std::fabs(b.x - a.x), std::fabs(b.y - a.y));
}
}  // namespace

Point View::convertPointFromView(Point p, const View* from) const {
  Point w = from ? toWindow(from, p) : p;
  return fromWindow(this, w);
}

Point View::convertPointToView(Point p, const View* to) const {
  Point w = toWindow(this, p);
  return to ? fromWindow(to, w) : w;
}

Rect View::convertRectFromView(const Rect& r, const View* from) const {
  return rectThrough(r, [&](Point p) { return convertPointFromView(p, from); });
}

Rect View::convertRectToView(const Rect& r, const View* to) const {
  return rectThrough(r, [&](Point p) { return convertPointToView(p, to); });
}

Rect View::visibleRect() const {
  if (isHiddenOrHasHiddenAncestor()) return Rect();
  Rect visible = bounds();
  for (const View* sup = d_->superview; sup; sup = sup->d_->superview) {
    visible = visible.intersection(convertRectFromView(sup->bounds(), sup));
    if (visible.isEmpty()) return Rect();
  }
  return visible;
}

View* View::hitTest(Point pointInSuperview) {
  if (d_->hidden) return nullptr;
  Point p = fromSuper(this, pointInSuperview);
  if (d_->rotation == 0 ? !d_->frame.contains(pointInSuperview) : !bounds().contains(p)) return nullptr;
  for (auto it = d_->subviews.rbegin(); it != d_->subviews.rend(); ++it)
    if (View* hit = (*it)->hitTest(p)) return hit;
  return this;
}

void View::scrollPoint(Point point) {
  for (View* a = d_->superview; a; a = a->d_->superview) {
    if (a->isClipView()) {
      a->scrollToPoint(a->convertPointFromView(point, this));
      return;
    }
  }
}

void View::scrollRectToVisible(const Rect& rect) {
  for (View* a = d_->superview; a; a = a->d_->superview) {
    if (!a->isClipView()) continue;
    const Rect r = a->convertRectFromView(rect, this);
    const Rect shown = a->bounds();
    auto along = [](double low, double high, double from, double length) {
      if (low <= from && high >= from + length) return from;
      if (high > from + length) from = high - length;
      return low < from ? low : from;
    };
    const Point origin(along(r.minX(), r.maxX(), shown.minX(), shown.size.width),
                       along(r.minY(), r.maxY(), shown.minY(), shown.size.height));
    if (origin != shown.origin) a->scrollToPoint(origin);
    return;
  }
}

// --- Drawing

void View::setNeedsDisplay(bool needed) {
  d_->needsDisplay = needed;
  if (!needed) {
    d_->dirty = Rect();
    return;
  }
  d_->dirty = bounds();
  if (d_->widget) d_->widget->update();
}

void View::setNeedsDisplayInRect(const Rect& rect) {
  Rect r = rect.intersection(bounds());
  if (r.isEmpty()) return;
  d_->needsDisplay = true;
  d_->dirty = d_->dirty.isEmpty() ? r : d_->dirty.unionWith(r);
  if (d_->widget) d_->widget->update(pixelBox(boundsToPixels(), r).adjusted(-1, -1, 1, 1));
}

bool View::needsDisplay() const { return d_->needsDisplay; }

void View::display() {
  d_->needsDisplay = false;
  d_->dirty = Rect();
  for (View* v : d_->subviews) {
    v->d_->needsDisplay = false;
    v->d_->dirty = Rect();
  }
  if (d_->widget && d_->widget->isVisible()) d_->widget->repaint();
}

void View::displayIfNeeded() {
  if (d_->needsDisplay) {
    Rect dirty = d_->dirty;
    d_->needsDisplay = false;
    d_->dirty = Rect();
    if (d_->widget && d_->widget->isVisible())
      d_->widget->repaint(pixelBox(boundsToPixels(), dirty).adjusted(-1, -1, 1, 1));
  }
  std::vector<View*> children = d_->subviews;
  for (View* v : children) v->displayIfNeeded();
}

void View::drawRect(const Rect&) {}

void View::paintWidget(void* painter, const Rect& dirty) {
  PainterContext ctx(static_cast<QPainter*>(painter), boundsToPixels(), isFlipped());
  GraphicsContext::Scope scope(&ctx);
  d_->needsDisplay = false;
  d_->dirty = Rect();
  drawRect(dirty);
}

void View::displayRectIgnoringOpacity(const Rect& rect, GraphicsContext& ctx) {
  if (d_->hidden) return;
  GraphicsContext::Scope scope(&ctx);
  ctx.saveGraphicsState();
  drawRect(rect.intersection(bounds()));
  ctx.restoreGraphicsState();
  for (View* v : d_->subviews) {
    if (v->isHidden()) continue;
    Rect inChild = v->convertRectFromView(rect, this).intersection(v->bounds());
    if (inChild.isEmpty()) continue;
    // The child's space, mapped into ours: an affine map fixed by three points.
    Point o = toSuper(v, {0, 0}), ex = toSuper(v, {1, 0}), ey = toSuper(v, {0, 1});
    fnd::AffineTransform t{ex.x - o.x, ex.y - o.y, ey.x - o.x, ey.y - o.y, o.x, o.y};
    ctx.saveGraphicsState();
    if (v->frameRotation() == 0) ctx.clipToRect(v->frame());
    ctx.concat(t);
    v->displayRectIgnoringOpacity(inChild, ctx);
    ctx.restoreGraphicsState();
  }
}

// --- Events

Responder* View::nextResponder() const {
  if (d_->superview) return d_->superview;
  if (d_->window && d_->window->contentView() == this) return d_->window;
  return nullptr;
}

bool View::performKeyEquivalent(const Event& event) {
  std::vector<View*> children = d_->subviews;
  for (View* v : children)
    if (!v->isHidden() && v->performKeyEquivalent(event)) return true;
  return false;
}

bool View::trackMouse(const std::function<void(const Event&)>& onEvent) {
  Window* w = d_->window;
  if (!w) return false;
  for (;;) {
    std::optional<Event> e = w->nextEventMatchingMask(kMouseTrackingMask);
    if (!e) return false;
    onEvent(*e);
    if (e->type() == EventType::LeftMouseUp) return true;
  }
}

// --- Tool tips, tracking and cursor rectangles

void View::setToolTip(const std::string& text) {
  d_->toolTip = text;
  if (d_->widget) d_->widget->setToolTip(bridge::qs(text));
}
const std::string& View::toolTip() const { return d_->toolTip; }

TrackingRectTag View::addTrackingRect(const Rect& rect, void* userData, bool assumeInside) {
  TrackingRectTag tag = gNextTrackingTag++;
  d_->tracking.push_back({tag, rect, userData, assumeInside});
  return tag;
}

void View::removeTrackingRect(TrackingRectTag tag) {
  auto& list = d_->tracking;
  list.erase(std::remove_if(list.begin(), list.end(), [tag](const TrackingRect& t) { return t.tag == tag; }),
             list.end());
}

void View::addCursorRect(const Rect& rect, const Cursor& cursor) {
  if (rect.isEmpty()) return;
  d_->cursors.push_back({rect, cursor});
}

void View::removeCursorRect(const Rect& rect, const Cursor& cursor) {
  auto& list = d_->cursors;
  list.erase(std::remove_if(list.begin(), list.end(),
                            [&](const CursorRect& c) { return c.rect == rect && c.cursor == cursor; }),
             list.end());
}

void View::discardCursorRects() { d_->cursors.clear(); }

const std::vector<View::TrackingRect>& View::trackingRects() const { return d_->tracking; }
const std::vector<View::CursorRect>& View::cursorRects() const { return d_->cursors; }

QWidget* View::nativeWidget() const { return d_->widget; }

// --- Key-view loop

namespace {

// The widget that really takes the focus for a view: the end of its focus-proxy chain.
QWidget* focusTargetOf(const View* view) {
  QWidget* w = view ? view->nativeWidget() : nullptr;
  while (w && w->focusProxy()) w = w->focusProxy();
  return w;
}

void allowTabFocus(QWidget* w) {
  if (w && w->focusPolicy() != Qt::NoFocus) w->setFocusPolicy(Qt::FocusPolicy(w->focusPolicy() | Qt::TabFocus));
}

void orderTabs(const View* first, const View* second) {
  if (!first || !second || !first->window() || first->window() != second->window()) return;
  QWidget* a = focusTargetOf(first);
  QWidget* b = focusTargetOf(second);
  if (!a || !b || a == b) return;
  QWidget::setTabOrder(a, b);
  allowTabFocus(a);
  allowTabFocus(b);
}

}  // namespace

View* View::nextKeyView() const { return d_->nextKeyView; }

View* View::previousKeyView() const {
  return d_->keyViewReferrers.empty() ? nullptr : d_->keyViewReferrers.back();
}

void View::setNextKeyView(View* next) {
  if (next == this) next = nullptr;
  if (View* old = d_->nextKeyView) {
    auto& list = old->d_->keyViewReferrers;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
  }
  d_->nextKeyView = next;
  if (!next) return;
  auto& list = next->d_->keyViewReferrers;
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  list.push_back(this);
  // A plain view (drawn by kit) takes no focus in Qt until it is in a loop; clicks stay kit's.
  for (View* v : {this, next})
    if (!v->d_->nativeBacked && v->d_->widget->focusPolicy() == Qt::NoFocus) v->d_->widget->setFocusPolicy(Qt::TabFocus);
  orderTabs(this, next);
}

void View::applyTabOrder() {
  orderTabs(this, d_->nextKeyView);
  for (View* r : d_->keyViewReferrers) orderTabs(r, this);
}

bool View::canBecomeKeyView() const {
  return d_->window && !isHiddenOrHasHiddenAncestor() && acceptsFirstResponder();
}

// Walks the loop one way from `from`; a chain that closes on itself without passing `from`
// again ends where it repeats.
static View* validKeyViewAlong(const View* from, View* (View::*step)() const) {
  std::vector<const View*> seen{from};
  for (View* v = (from->*step)(); v && std::find(seen.begin(), seen.end(), v) == seen.end(); v = (v->*step)()) {
    if (v->canBecomeKeyView()) return v;
    seen.push_back(v);
  }
  return nullptr;
}

View* View::nextValidKeyView() const { return validKeyViewAlong(this, &View::nextKeyView); }
View* View::previousValidKeyView() const { return validKeyViewAlong(this, &View::previousKeyView); }

std::vector<View::TrackingRect>& View::trackingRectsForUpdate() { return d_->tracking; }

}  // namespace kit
