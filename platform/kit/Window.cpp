#include "kit/Window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPalette>
#include <QPixmap>
#include <QResizeEvent>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <cfloat>

#include "foundation/NotificationCenter.h"
#include "kit/Application.h"
#include "kit/Cursor.h"
#include "kit/QtBridge.h"
#include "kit/Screen.h"
#include "kit/View.h"
#include "kit/WindowAccess.h"
#include "kit/WindowDelegate.h"
#include "kit/ZOrderManager.h"

namespace kit {

using fnd::Point;
using fnd::Rect;
using fnd::Size;

namespace {

// The top-level widget behind a window: as large as the content.
class WindowWidget : public QWidget {
 public:
  explicit WindowWidget(Window* window) : QWidget(nullptr, Qt::Window), window_(window) {
    setMouseTracking(true);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, bridge::toQColor(Color::windowBackground()));
    setPalette(pal);
  }
  Window* window() const { return window_; }
  void forget() { window_ = nullptr; }
  bool applying = false;

 protected:
  void resizeEvent(QResizeEvent* event) override {
    QWidget::resizeEvent(event);
    if (window_ && !applying) WindowAccess::resized(window_, width(), height());
  }
  void closeEvent(QCloseEvent* event) override {
    // The window manager's close button: the window decides, through performClose.
    event->ignore();
    if (window_) WindowAccess::closeRequested(window_);
  }
  void leaveEvent(QEvent* event) override {
    QWidget::leaveEvent(event);
    if (window_) WindowAccess::pointerLeft(window_);
  }

 private:
  Window* window_;
};

}  // namespace

struct Window::Impl {
  WindowWidget* widget = nullptr;
  std::unique_ptr<View> content;
  Rect frame;
  unsigned style = 0;
  std::string title;
  Size minSize{0, 0};
  Size maxSize{FLT_MAX, FLT_MAX};
  int level = kNormalWindowLevel;
  Window* parent = nullptr;
  std::vector<Window*> children;
  Responder* firstResponder = nullptr;
  View* defaultButton = nullptr;
  WindowDelegate* delegate = nullptr;
  std::function<EventHookResult(const Event&)> hook;
  bool acceptsMouseMoved = false;
  Point mouseLocation;
  View* mouseDownView = nullptr;
  bool visible = false;
  bool zoomed = false;
  Rect unzoomedFrame;
  bool miniaturized = false;
  bool cursorRectsValid = false;
  bool cursorFromRect = false;
  Cursor appliedCursor;
  double alpha = 1.0;
  bool closing = false;
  bool stayOnTop = false;
};

void WindowAccess::resized(Window* window, int width, int height) { window->qtResized(width, height); }
void WindowAccess::closeRequested(Window* window) { window->qtCloseRequested(); }
void WindowAccess::pointerLeft(Window* window) { window->updateTracking({-1e9, -1e9}, false); }
int WindowAccess::runHook(Window* window, const Event& event) {
  return static_cast<int>(window->d_->hook ? window->d_->hook(event) : EventHookResult::Pass);
}
Window* WindowAccess::windowOfWidget(QWidget* topLevel) {
  auto* w = dynamic_cast<WindowWidget*>(topLevel);
  return w ? w->window() : nullptr;
}

// --- Construction

Rect Window::frameRectForContentRect(const Rect& contentRect, unsigned styleMask) {
  Rect r = contentRect;
  if (styleMask & kTitledWindowMask) r.size.height += kTitleBarHeight;
  return r;
}

Rect Window::contentRectForFrameRect(const Rect& frameRect, unsigned styleMask) {
  Rect r = frameRect;
  if (styleMask & kTitledWindowMask) r.size.height = std::max(0.0, r.size.height - kTitleBarHeight);
  return r;
}

Rect Window::contentRectForFrameRect(const Rect& frameRect) const { return contentRectForFrameRect(frameRect, d_->style); }
Rect Window::frameRectForContentRect(const Rect& contentRect) const { return frameRectForContentRect(contentRect, d_->style); }

Window::Window(const Rect& contentRect, unsigned styleMask) : d_(std::make_unique<Impl>()) {
  d_->style = styleMask;
  d_->frame = frameRectForContentRect(contentRect.standardized(), styleMask);
  d_->firstResponder = this;
  d_->widget = new WindowWidget(this);
  if (!(styleMask & kTitledWindowMask)) d_->widget->setWindowFlag(Qt::FramelessWindowHint, true);
  Size cs = contentRectSize();
  auto content = std::make_unique<View>(Rect(0, 0, cs.width, cs.height));
  content->setAutoresizingMask(kViewWidthSizable | kViewHeightSizable);
  setContentView(std::move(content));
  Application::shared().addWindow(this);
  applyFrame(false);
}

Window::~Window() {
  Application::shared().removeWindow(this);
  ZOrderManager::shared().forget(this);
  if (d_->parent) d_->parent->removeChildWindow(this);
  for (Window* child : d_->children) child->d_->parent = nullptr;
  d_->children.clear();
  if (d_->content) {
    View* content = d_->content.get();
    content->setWindowRecursive(nullptr);
    if (QWidget* cw = content->nativeWidget()) cw->setParent(nullptr);
    d_->content.reset();
  }
  if (WindowWidget* w = d_->widget) {
    w->forget();
    w->hide();
    if (QCoreApplication::instance())
      w->deleteLater();
    else
      delete w;
    d_->widget = nullptr;
  }
}

// --- Frame and content

Rect Window::frame() const { return d_->frame; }
Size Window::contentRectSize() const { return contentRectForFrameRect(d_->frame, d_->style).size; }

void Window::applyFrame(bool display) {
  Size cs = contentRectSize();
  int w = std::max(1, static_cast<int>(std::lround(cs.width)));
  int h = std::max(1, static_cast<int>(std::lround(cs.height)));
  d_->widget->applying = true;
  Screen screen = Screen::mainScreen();
  if (screen.exists()) {
    // Qt places the content's top-left, y down from the top of the main screen.
    double top = screen.frame().size.height - (d_->frame.origin.y + cs.height);
    d_->widget->setGeometry(static_cast<int>(std::lround(d_->frame.origin.x)), static_cast<int>(std::lround(top)), w, h);
  } else {
    d_->widget->resize(w, h);
  }
  d_->widget->applying = false;
  if (d_->content) {
    d_->content->setFrame(Rect(0, 0, cs.width, cs.height));
    d_->content->updateWidgetGeometry();
  }
  d_->cursorRectsValid = false;
  if (display) this->display();
}

void Window::setFrame(const Rect& frame, bool display, bool) {
  Rect old = d_->frame;
  Rect nf = frame.standardized();
  if (nf == old) {
    if (display) this->display();
    return;
  }
  d_->frame = nf;
  applyFrame(display);
  if (d_->delegate && old.size != nf.size) d_->delegate->windowDidResize(*this);
  if (d_->delegate && old.origin != nf.origin) d_->delegate->windowDidMove(*this);
}

void Window::setFrameOrigin(Point origin) { setFrame(Rect(origin, d_->frame.size), false); }

void Window::setFrameTopLeftPoint(Point topLeft) {
  setFrame(Rect(topLeft.x, topLeft.y - d_->frame.size.height, d_->frame.size.width, d_->frame.size.height), false);
}

void Window::setContentSize(Size size) {
  Rect content = contentRectForFrameRect(d_->frame);
  // Keeps the top edge where it is.
  Rect nf = frameRectForContentRect(Rect(content.origin.x, content.maxY() - size.height, size.width, size.height));
  setFrame(nf, true);
}

Size Window::minSize() const { return d_->minSize; }
Size Window::maxSize() const { return d_->maxSize; }

void Window::setMinSize(Size size) {
  d_->minSize = size;
  Rect c = contentRectForFrameRect(Rect(Point{}, size));
  d_->widget->setMinimumSize(static_cast<int>(c.size.width), static_cast<int>(c.size.height));
}

void Window::setMaxSize(Size size) {
  d_->maxSize = size;
  Rect c = contentRectForFrameRect(Rect(Point{}, size));
  auto clampInt = [](double v) { return static_cast<int>(std::min(v, 16777215.0)); };
  d_->widget->setMaximumSize(clampInt(c.size.width), clampInt(c.size.height));
}

void Window::center() {
  Screen screen = Screen::mainScreen();
  if (!screen.exists()) return;
  Rect vf = screen.visibleFrame();
  Size s = d_->frame.size;
  // Centred across, and a little above the middle (a third of the free space above).
  double x = std::floor(vf.origin.x + (vf.size.width - s.width) / 2);
  double y = std::floor(vf.origin.y + (vf.size.height - s.height) * 2.0 / 3.0);
  setFrameOrigin({x, y});
}

unsigned Window::styleMask() const { return d_->style; }
const std::string& Window::title() const { return d_->title; }
void Window::setTitle(const std::string& title) {
  d_->title = title;
  d_->widget->setWindowTitle(bridge::qs(title));
}

Rect Window::standardWindowButtonFrame(WindowButton button) const {
  if (!(d_->style & kTitledWindowMask)) return Rect();
  double top = contentRectSize().height;
  double x = button == WindowButton::Close ? 7 : (button == WindowButton::Miniaturize ? 27 : 47);
  return Rect(x, top + 3, 14, 16);
}

View* Window::contentView() const { return d_->content.get(); }

void Window::setContentView(std::unique_ptr<View> view) {
  if (!view) return;
  if (d_->content) {
    View* old = d_->content.get();
    old->setWindowRecursive(nullptr);
    if (QWidget* w = old->nativeWidget()) w->setParent(nullptr);
  }
  d_->content = std::move(view);
  View* content = d_->content.get();
  if (QWidget* w = content->nativeWidget()) {
    w->setParent(d_->widget);
    w->setVisible(!content->isHidden());
  }
  Size cs = contentRectSize();
  content->setWindowRecursive(this);
  content->setFrame(Rect(0, 0, cs.width, cs.height));
  content->updateWidgetGeometry();
  d_->cursorRectsValid = false;
}

// --- Order and visibility

void Window::orderFront() {
  if (!d_->visible) {
    d_->visible = true;
    d_->closing = false;
    d_->widget->show();
  }
  ZOrderManager::shared().orderFront(this);
  for (Window* child : d_->children)
    if (child->isVisible()) ZOrderManager::shared().orderFront(child);
}

void Window::orderFrontRegardless() { orderFront(); }

void Window::makeKeyAndOrderFront() {
  orderFront();
  makeKeyWindow();
}

void Window::orderBack() {
  if (!d_->visible) {
    d_->visible = true;
    d_->widget->show();
  }
  ZOrderManager::shared().orderBack(this);
}

void Window::orderOut() {
  if (!d_->visible) return;
  std::vector<Window*> children = d_->children;
  for (Window* child : children) child->orderOut();
  d_->visible = false;
  d_->mouseDownView = nullptr;
  d_->widget->hide();
  ZOrderManager::shared().orderOut(this);
  Application::shared().windowDidOrderOut(this);
}

bool Window::isVisible() const { return d_->visible; }

void Window::close() {
  if (d_->closing) return;
  d_->closing = true;
  if (d_->delegate) d_->delegate->windowWillClose(*this);
  fnd::NotificationCenter::defaultCenter().post("NSWindowWillCloseNotification", this);
  orderOut();
  Application::shared().windowClosed(this);
}

void Window::qtCloseRequested() { performClose(); }

void Window::performClose() {
  if (!(d_->style & kClosableWindowMask)) return;
  if (d_->delegate && !d_->delegate->windowShouldClose(*this)) return;
  close();
}

void Window::performZoom() {
  Screen screen = Screen::mainScreen();
  Rect target = d_->zoomed ? d_->unzoomedFrame : (screen.exists() ? screen.visibleFrame() : d_->frame);
  if (d_->delegate && !d_->delegate->windowShouldZoom(*this, target)) return;
  if (!d_->zoomed) d_->unzoomedFrame = d_->frame;
  d_->zoomed = !d_->zoomed;
  setFrame(target, true);
}

void Window::performMiniaturize() {
  d_->miniaturized = true;
  d_->widget->showMinimized();
}

bool Window::isZoomed() const { return d_->zoomed; }
bool Window::isMiniaturized() const { return d_->miniaturized; }
int Window::level() const { return d_->level; }

void Window::setLevel(int level) {
  if (d_->level == level) return;
  d_->level = level;
  ZOrderManager::shared().levelChanged(this);
}

void Window::addChildWindow(Window* child) {
  if (!child || child == this || child->d_->parent == this) return;
  if (child->d_->parent) child->d_->parent->removeChildWindow(child);
  child->d_->parent = this;
  d_->children.push_back(child);
  if (child->isVisible()) ZOrderManager::shared().orderFront(child);
}

void Window::removeChildWindow(Window* child) {
  auto& list = d_->children;
  auto it = std::find(list.begin(), list.end(), child);
  if (it == list.end()) return;
  list.erase(it);
  child->d_->parent = nullptr;
  ZOrderManager::shared().levelChanged(child);
}

std::vector<Window*> Window::childWindows() const { return d_->children; }
Window* Window::parentWindow() const { return d_->parent; }

void Window::applyStacking(bool stayOnTop, Window* transientParent) {
  QWidget* w = d_->widget;
  if (d_->stayOnTop != stayOnTop) {
    d_->stayOnTop = stayOnTop;
    bool shown = w->isVisible();
    w->setWindowFlag(Qt::WindowStaysOnTopHint, stayOnTop);
    if (shown) w->show();  // changing the flags hides a window
  }
  if (QWindow* handle = w->windowHandle()) {
    QWindow* parentHandle = transientParent ? transientParent->d_->widget->windowHandle() : nullptr;
    if (handle->transientParent() != parentHandle) handle->setTransientParent(parentHandle);
  }
  // The offscreen platform keeps no stacking (and says so on every raise).
  static const bool canRaise = QGuiApplication::platformName() != QLatin1String("offscreen");
  if (canRaise && w->isVisible()) w->raise();
}

// --- Key and main state, responders

bool Window::isKeyWindow() const { return Application::shared().keyWindow() == this; }
bool Window::isMainWindow() const { return Application::shared().mainWindow() == this; }

bool Window::canBecomeKeyWindow() const { return (d_->style & (kTitledWindowMask | kResizableWindowMask)) != 0; }
bool Window::canBecomeMainWindow() const { return canBecomeKeyWindow(); }

void Window::makeKeyWindow() {
  if (!canBecomeKeyWindow()) return;
  Application::shared().setKeyWindow(this);
  if (canBecomeMainWindow()) Application::shared().setMainWindow(this);
}

void Window::makeMainWindow() {
  if (canBecomeMainWindow()) Application::shared().setMainWindow(this);
}

void Window::resignKeyWindow() {
  if (isKeyWindow()) Application::shared().setKeyWindow(nullptr);
}

Responder* Window::firstResponder() const { return d_->firstResponder; }

bool Window::makeFirstResponder(Responder* r) {
  if (!r) r = this;
  if (r == d_->firstResponder) return true;
  if (d_->firstResponder && d_->firstResponder != this && !d_->firstResponder->resignFirstResponder()) return false;
  d_->firstResponder = this;
  if (r == this) return true;
  auto* view = dynamic_cast<View*>(r);
  if (view && view->window() != this) return false;
  if (!r->acceptsFirstResponder() || !r->becomeFirstResponder()) return false;
  d_->firstResponder = r;
  // A Qt editor behind the view takes the keyboard focus with it.
  if (view && view->handlesNativeInput() && view->nativeWidget()) view->nativeWidget()->setFocus(Qt::OtherFocusReason);
  return true;
}

void Window::setDefaultButton(View* button) { d_->defaultButton = button; }
View* Window::defaultButton() const { return d_->defaultButton; }
void Window::setDelegate(WindowDelegate* delegate) { d_->delegate = delegate; }
WindowDelegate* Window::delegate() const { return d_->delegate; }

void Window::forgetView(View* view, bool keepInTree) {
  auto within = [&](Responder* r) {
    auto* v = dynamic_cast<View*>(r);
    return v && v->isDescendantOf(view);
  };
  if (within(d_->firstResponder)) d_->firstResponder = this;
  if (d_->mouseDownView && d_->mouseDownView->isDescendantOf(view)) d_->mouseDownView = nullptr;
  if (!keepInTree && d_->defaultButton && d_->defaultButton->isDescendantOf(view)) d_->defaultButton = nullptr;
  d_->cursorRectsValid = false;
}

// --- Events

void Window::setEventHook(std::function<EventHookResult(const Event&)> hook) { d_->hook = std::move(hook); }

void Window::sendEvent(const Event& event) {
  if (d_->hook) {
    switch (d_->hook(event)) {
      case EventHookResult::Pass:
        break;
      case EventHookResult::Drop:
        return;
      case EventHookResult::SwallowUntilMouseUp:
        if (event.type() == EventType::LeftMouseUp) return;
        while (auto e = nextEventMatchingMask(kMouseTrackingMask)) {
          if (e->type() == EventType::LeftMouseUp) break;
        }
        return;
    }
  }
  dispatch(event);
}

void Window::dispatch(const Event& event) {
  Point loc = event.locationInWindow();
  View* content = d_->content.get();
  Size cs = contentRectSize();
  bool inContent = loc.x >= 0 && loc.y >= 0 && loc.x < cs.width && loc.y < cs.height;
  auto hit = [&]() -> View* { return content && inContent ? content->hitTest(loc) : nullptr; };
  if (event.isMouse()) d_->mouseLocation = loc;

  switch (event.type()) {
    case EventType::LeftMouseDown:
    case EventType::RightMouseDown: {
      View* v = hit();
      if (!isKeyWindow() && canBecomeKeyWindow() && event.type() == EventType::LeftMouseDown) {
        bool firstMouse = v && v->acceptsFirstMouse(&event);
        makeKeyAndOrderFront();
        if (!firstMouse) return;
      }
      if (!v) return;
      if (event.type() == EventType::LeftMouseDown) {
        if (v->acceptsFirstResponder()) makeFirstResponder(v);
        d_->mouseDownView = v;
        v->mouseDown(event);
        // The view may have run its own tracking loop and taken the mouse-up.
      } else {
        v->rightMouseDown(event);
      }
      return;
    }
    case EventType::LeftMouseDragged:
    case EventType::RightMouseDragged: {
      updateTracking(loc, inContent);
      View* v = d_->mouseDownView ? d_->mouseDownView : hit();
      if (!v) return;
      if (event.type() == EventType::LeftMouseDragged)
        v->mouseDragged(event);
      else
        v->rightMouseDragged(event);
      return;
    }
    case EventType::LeftMouseUp:
    case EventType::RightMouseUp: {
      View* v = d_->mouseDownView ? d_->mouseDownView : hit();
      if (event.type() == EventType::LeftMouseUp) d_->mouseDownView = nullptr;
      if (!v) return;
      if (event.type() == EventType::LeftMouseUp)
        v->mouseUp(event);
      else
        v->rightMouseUp(event);
      return;
    }
    case EventType::MouseMoved:
      updateTracking(loc, inContent);
      updateCursor(loc);
      if (d_->acceptsMouseMoved && d_->firstResponder) d_->firstResponder->mouseMoved(event);
      return;
    case EventType::MouseEntered:
    case EventType::MouseExited:
      // Entered and exited events go to the view that owns the tracking rectangle.
      if (content) {
        std::vector<View*> stack{content};
        while (!stack.empty()) {
          View* v = stack.back();
          stack.pop_back();
          for (const View::TrackingRect& t : v->trackingRects())
            if (t.tag == event.trackingNumber()) {
              if (event.type() == EventType::MouseEntered)
                v->mouseEntered(event);
              else
                v->mouseExited(event);
              return;
            }
          for (View* c : v->subviews()) stack.push_back(c);
        }
      }
      return;
    case EventType::ScrollWheel:
      if (View* v = hit()) v->scrollWheel(event);
      return;
    case EventType::KeyDown: {
      if (content && content->performKeyEquivalent(event)) return;
      const std::string& chars = event.characters();
      bool isReturn = chars == std::string(1, keys::kReturn) || chars == std::string(1, keys::kEnter);
      if (isReturn && d_->defaultButton && !d_->defaultButton->isHiddenOrHasHiddenAncestor() &&
          d_->defaultButton->window() == this && d_->defaultButton->performClick())
        return;
      if (d_->firstResponder) d_->firstResponder->keyDown(event);
      return;
    }
    case EventType::KeyUp:
      if (d_->firstResponder) d_->firstResponder->keyUp(event);
      return;
    case EventType::FlagsChanged:
      if (d_->firstResponder) d_->firstResponder->flagsChanged(event);
      return;
    default:
      return;
  }
}

void Window::keyDown(const Event& event) {
  // Escape reaching the end of the responder chain cancels; other keys stop here.
  if (event.characters() == std::string(1, keys::kEscape)) cancelOperation();
}

void Window::updateTracking(Point location, bool insideWindow) {
  View* content = d_->content.get();
  if (!content) return;
  struct Change {
    View* view;
    TrackingRectTag tag;
    bool inside;
    void* userData;
  };
  std::vector<Change> changes;
  std::vector<View*> stack{content};
  while (!stack.empty()) {
    View* v = stack.back();
    stack.pop_back();
    if (v->isHidden()) continue;
    for (View::TrackingRect& t : v->trackingRectsForUpdate()) {
      Rect r = v->convertRectToView(t.rect, nullptr);
      bool inside = insideWindow && r.contains(location);
      if (inside != t.inside) {
        t.inside = inside;
        changes.push_back({v, t.tag, inside, t.userData});
      }
    }
    for (View* c : v->subviews()) stack.push_back(c);
  }
  for (const Change& c : changes) {
    // A handler may have removed a view: deliver only to views still in this window.
    if (!c.view || c.view->window() != this) continue;
    Event e = Event::enterExitEvent(c.inside ? EventType::MouseEntered : EventType::MouseExited, location, this,
                                    static_cast<int>(c.tag), c.userData);
    if (c.inside)
      c.view->mouseEntered(e);
    else
      c.view->mouseExited(e);
  }
}

void Window::resetCursorRects() {
  View* content = d_->content.get();
  d_->cursorRectsValid = true;
  if (!content) return;
  std::vector<View*> stack{content};
  while (!stack.empty()) {
    View* v = stack.back();
    stack.pop_back();
    v->discardCursorRects();
    if (v->isHidden()) continue;
    v->resetCursorRects();
    for (View* c : v->subviews()) stack.push_back(c);
  }
}

void Window::invalidateCursorRectsForView(View*) { d_->cursorRectsValid = false; }

void Window::updateCursor(Point location) {
  if (!isKeyWindow() || !d_->content) return;
  if (!d_->cursorRectsValid) resetCursorRects();
  const Cursor* found = nullptr;
  std::vector<View*> order;
  std::vector<View*> stack{d_->content.get()};
  while (!stack.empty()) {
    View* v = stack.back();
    stack.pop_back();
    if (v->isHidden()) continue;
    order.push_back(v);
    const auto& subs = v->subviews();
    for (auto it = subs.rbegin(); it != subs.rend(); ++it) stack.push_back(*it);
  }
  // Depth-first order: later views lie on top, so the last match wins.
  for (View* v : order) {
    Rect visible = v->visibleRect();
    for (const View::CursorRect& c : v->cursorRects()) {
      Rect r = v->convertRectToView(c.rect.intersection(visible), nullptr);
      if (r.contains(location)) found = &c.cursor;
    }
  }
  if (found) {
    if (!d_->cursorFromRect || !(d_->appliedCursor == *found)) {
      d_->appliedCursor = *found;
      d_->cursorFromRect = true;
      found->set();
    }
  } else if (d_->cursorFromRect) {
    d_->cursorFromRect = false;
    Cursor::arrow().set();
  }
}

std::optional<Event> Window::nextEventMatchingMask(EventMask mask, double timeoutSeconds) {
  return Application::shared().nextEventMatchingMask(mask, timeoutSeconds, fnd::RunLoopMode::EventTracking, this);
}

void Window::discardEventsMatchingMask(EventMask mask) { Application::shared().discardEventsMatchingMask(mask, this); }
bool Window::acceptsMouseMovedEvents() const { return d_->acceptsMouseMoved; }
void Window::setAcceptsMouseMovedEvents(bool on) { d_->acceptsMouseMoved = on; }
Point Window::mouseLocationOutsideOfEventStream() const { return d_->mouseLocation; }

void Window::update() {
  if (!d_->cursorRectsValid && isKeyWindow()) resetCursorRects();
  if (d_->delegate) d_->delegate->windowDidUpdate(*this);
}

void Window::display() {
  if (d_->content) d_->content->display();
}

void Window::displayIfNeeded() {
  if (d_->content) d_->content->displayIfNeeded();
}

void Window::qtResized(int width, int height) {
  Size cs = contentRectSize();
  if (std::lround(cs.width) == width && std::lround(cs.height) == height) return;
  // The user (through the window manager) resized: the delegate and the limits decide.
  Size proposed = frameRectForContentRect(Rect(0, 0, width, height)).size;
  if (d_->delegate) proposed = d_->delegate->windowWillResize(*this, proposed);
  proposed.width = std::clamp(proposed.width, d_->minSize.width, d_->maxSize.width);
  proposed.height = std::clamp(proposed.height, d_->minSize.height, d_->maxSize.height);
  double top = d_->frame.maxY();
  Rect nf(d_->frame.origin.x, top - proposed.height, proposed.width, proposed.height);
  if (nf == d_->frame) {
    applyFrame(false);
    return;
  }
  d_->frame = nf;
  applyFrame(false);
  if (d_->delegate) d_->delegate->windowDidResize(*this);
}

// --- Flags

void Window::setExcludedFromWindowsMenu(bool) {}
void Window::setOneShot(bool) {}
void Window::setReleasedWhenClosed(bool) {}
void Window::setHasShadow(bool) {}
void Window::setOpaque(bool) {}
void Window::setMovableByWindowBackground(bool) {}
void Window::setAlphaValue(double alpha) {
  d_->alpha = std::clamp(alpha, 0.0, 1.0);
  d_->widget->setWindowOpacity(d_->alpha);
}
double Window::alphaValue() const { return d_->alpha; }

bool Window::grabToPng(const std::string& path) {
  d_->widget->ensurePolished();
  if (d_->content) d_->content->displayIfNeeded();
  QPixmap pixmap = d_->widget->grab();
  return bridge::savePngAtomically(pixmap.toImage(), path);
}

QWidget* Window::nativeWidget() const { return d_->widget; }

bool Window::becomesKeyOnClick() const { return canBecomeKeyWindow(); }

}  // namespace kit
