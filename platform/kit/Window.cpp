#include "kit/Window.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPalette>
#include <QPixmap>
#include <QResizeEvent>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <cfloat>
#include <cmath>

#include "foundation/NotificationCenter.h"
#include "foundation/RunLoop.h"
#include "kit/Application.h"
#include "kit/Cursor.h"
#include "kit/Font.h"
#include "kit/QtBridge.h"
#include "kit/Screen.h"
#include "kit/TextField.h"
#include "kit/View.h"
#include "kit/WindowAccess.h"
#include "kit/WindowDelegate.h"
#include "kit/WindowImpl.h"
#include "kit/ZOrderManager.h"

namespace kit {

using fnd::Point;
using fnd::Rect;
using fnd::Size;

void WindowAccess::resized(Window* window, int width, int height) { window->qtResized(width, height); }
void WindowAccess::moved(Window* window, int x, int top) {
  // Offscreen nobody but the program moves windows.
  if (bridge::hasWindowSystem()) window->qtMoved(x, top);
}
void WindowAccess::closeRequested(Window* window) { window->qtCloseRequested(); }
void WindowAccess::activated(Window* window) {
  // Offscreen, activation follows our own calls only; elsewhere the window manager's too.
  if (bridge::hasWindowSystem()) Application::shared().platformActivated(window);
}
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

double Window::minFrameWidthWithTitle(const std::string& title, unsigned styleMask) {
  if (!(styleMask & kTitledWindowMask)) return 0;
  // The buttons sit 20 points apart from x 7 (close, miniaturise, zoom; zoom for a resizable
  // window); the title keeps 8 points from the last one shown.
  double buttonRoom = 8;
  if (styleMask & kResizableWindowMask)
    buttonRoom = 47 + 14 + 8;
  else if (styleMask & kMiniaturizableWindowMask)
    buttonRoom = 27 + 14 + 8;
  else if (styleMask & kClosableWindowMask)
    buttonRoom = 7 + 14 + 8;
  const Font font = Font::systemFont((styleMask & kUtilityWindowMask) ? Font::smallSystemFontSize()
                                                                       : Font::systemFontSize());
  return std::ceil(font.widthOfString(title)) + 2 * buttonRoom;
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
  // Hand the key on as an ordered-out window does; our delegate may be gone already.
  d_->delegate = nullptr;
  d_->hook = nullptr;
  if (d_->visible) orderOut();
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
  if (screen.exists() && bridge::hasWindowSystem()) {
    // On a desktop the frame is the window manager's: its top-left is where Qt moves a window
    // to (and where the window manager puts the frame of a window it maps), so a frame read back
    // from a move comes back to the same place.
    d_->widget->move(static_cast<int>(std::lround(d_->frame.origin.x)),
                     static_cast<int>(std::lround(screen.frame().size.height - d_->frame.maxY())));
    d_->widget->resize(w, h);
  } else if (screen.exists()) {
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
  if (d_->platformModal && Application::shared().modalWindow() != this) setPlatformModality(false, nullptr);
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

void Window::qtCloseRequested() {
  if (acceptsWindowManagerClose()) performClose();
}

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
  if (d_->modalOver) transientParent = d_->modalOver;
  if (QWindow* handle = w->windowHandle()) {
    QWindow* parentHandle = transientParent ? transientParent->d_->widget->windowHandle() : nullptr;
    if (handle->transientParent() != parentHandle) handle->setTransientParent(parentHandle);
  }
  // The offscreen platform keeps no stacking (and says so on every raise).
  if (bridge::hasWindowSystem() && w->isVisible()) w->raise();
}

void Window::beginPlatformModality(Window* over) {
  if (!bridge::hasWindowSystem() || d_->platformModal) return;
  setPlatformModality(true, over);
}

void Window::endPlatformModality() {
  if (!d_->platformModal) return;
  if (!d_->visible) {
    setPlatformModality(false, nullptr);
    return;
  }
  // Most callers close the window right after the run: leave it to them (orderOut), and only a
  // window still shown on the next pass stops being modal there.
  d_->modalOver = nullptr;
  fnd::RunLoop::main().perform(
      [alive = std::weak_ptr<bool>(d_->alive), this] {
        if (alive.expired() || !d_->platformModal || Application::shared().modalWindow() == this) return;
        setPlatformModality(false, nullptr);
      },
      fnd::kCommonModes);
}

void Window::setPlatformModality(bool modal, Window* over) {
  QWidget* w = d_->widget;
  d_->platformModal = modal;
  d_->modalOver = modal ? over : nullptr;
  // Qt reads a window's modality when it is shown, and a modal window hidden after its modality
  // was cleared would block the others for ever: change it only while hidden.
  const bool shown = w->isVisible();
  if (shown) w->hide();
  // A dialog to the window system, which then names the window it stands over (a plain window
  // names none, and the window manager would stack it anywhere).
  Qt::WindowFlags flags = (w->windowFlags() & ~Qt::WindowType_Mask) | (modal ? Qt::Dialog : Qt::Window);
  // Above a stay-on-top window only a stay-on-top window shows: a modal run over one is one too.
  const bool onTop = (d_->modalOver && d_->modalOver->d_->stayOnTop) || d_->level > kNormalWindowLevel;
  d_->stayOnTop = onTop;
  flags.setFlag(Qt::WindowStaysOnTopHint, onTop);
  if (flags != w->windowFlags()) w->setWindowFlags(flags);
  w->setWindowModality(!modal ? Qt::NonModal : over ? Qt::WindowModal : Qt::ApplicationModal);
  w->winId();  // the platform window, for its transient parent
  Window* parent = d_->modalOver ? d_->modalOver : d_->parent;
  QWindow* parentHandle = parent ? parent->d_->widget->windowHandle() : nullptr;
  if (parent && !parentHandle) {
    parent->d_->widget->winId();
    parentHandle = parent->d_->widget->windowHandle();
  }
  if (QWindow* handle = w->windowHandle()) handle->setTransientParent(parentHandle);
  if (shown) w->show();
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

void Window::selectNextKeyView() { selectKeyView(true); }
void Window::selectPreviousKeyView() { selectKeyView(false); }

void Window::selectKeyView(bool forward) {
  auto* current = dynamic_cast<View*>(d_->firstResponder);
  if (!current) return;
  View* target = forward ? current->nextValidKeyView() : current->previousValidKeyView();
  if (!target || !makeFirstResponder(target)) return;
  // A view reached by the keyboard in a scrolled list comes into sight.
  target->scrollRectToVisible(target->bounds());
  // As Tab into a field does everywhere: the whole text, ready to be typed over.
  if (auto* field = dynamic_cast<TextField*>(target); field && field->lineEdit()) field->lineEdit()->selectAll();
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
  if (bridge::hasWindowSystem() && !acceptsWindowManagerMove()) {
    applyFrame(false);
    return;
  }
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

void Window::qtMoved(int x, int top) {
  Screen screen = Screen::mainScreen();
  if (!screen.exists()) return;
  if (!acceptsWindowManagerMove()) {
    applyFrame(false);
    return;
  }
  // The user (through the window manager) moved the window: the frame follows, so that what the
  // program stores and places next is where the window is.
  Point origin{static_cast<double>(x), screen.frame().size.height - top - d_->frame.size.height};
  if (std::lround(origin.x) == std::lround(d_->frame.origin.x) && std::lround(origin.y) == std::lround(d_->frame.origin.y))
    return;
  d_->frame.origin = origin;
  if (d_->delegate) d_->delegate->windowDidMove(*this);
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

}  // namespace kit
