#include "kit/Window.h"

#include <algorithm>

#include "kit/Application.h"
#include "kit/ApplicationImpl.h"
#include "kit/Cursor.h"
#include "kit/QtBridge.h"
#include "kit/View.h"
#include "kit/WindowImpl.h"

// The event side of Window: dispatch, the hook before it, tracking and cursor rectangles.

namespace kit {

using fnd::Point;
using fnd::Rect;
using fnd::Size;

void Window::setEventHook(std::function<EventHookResult(const Event&)> hook) { d_->hook = std::move(hook); }

void Window::sendEvent(const Event& event) {
  if (eventPassesHook(d_->hook, event, this)) dispatch(event);
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
        // On a desktop the click that activates a window also goes through, as everywhere
        // there; offscreen (tests) keeps the views' own first-click rule.
        bool firstMouse = v && (bridge::hasWindowSystem() || v->acceptsFirstMouse(&event));
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
  // Escape reaching the end of the responder chain cancels, Tab walks the key-view loop;
  // other keys stop here.
  const std::string& chars = event.characters();
  if (chars == std::string(1, keys::kEscape)) cancelOperation();
  if (chars == std::string(1, keys::kBackTab) ||
      (chars == std::string(1, keys::kTab) && (event.modifierFlags() & kShiftKeyMask)))
    selectPreviousKeyView();
  else if (chars == std::string(1, keys::kTab))
    selectNextKeyView();
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
    // Through sendEvent, as any event: subclasses and the hook see entered and exited too.
    sendEvent(Event::enterExitEvent(c.inside ? EventType::MouseEntered : EventType::MouseExited, location, this,
                                    static_cast<int>(c.tag), c.userData));
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

}  // namespace kit
