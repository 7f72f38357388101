#include "kit/InputFilter.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QWidget>
#include <algorithm>

#include "kit/ApplicationImpl.h"
#include "kit/View.h"
#include "kit/WindowAccess.h"

namespace kit {

using fnd::Point;

namespace {

unsigned modifiersOf(Qt::KeyboardModifiers m) {
  unsigned flags = 0;
  if (m & Qt::ShiftModifier) flags |= kShiftKeyMask;
  // The command key of shortcuts is Control on Linux; the Meta key plays control.
  if (m & Qt::ControlModifier) flags |= kCommandKeyMask;
  if (m & Qt::MetaModifier) flags |= kControlKeyMask;
  if (m & Qt::AltModifier) flags |= kAlternateKeyMask;
  return flags;
}

std::string charactersOf(const QKeyEvent* k) {
  switch (k->key()) {
    case Qt::Key_Return: return std::string(1, keys::kReturn);
    case Qt::Key_Enter: return std::string(1, keys::kEnter);
    case Qt::Key_Escape: return std::string(1, keys::kEscape);
    case Qt::Key_Backspace: return std::string(1, keys::kDelete);
    case Qt::Key_Tab: return std::string(1, keys::kTab);
    case Qt::Key_Backtab: return std::string(1, keys::kBackTab);
    case Qt::Key_Up: return keys::kUpArrow;
    case Qt::Key_Down: return keys::kDownArrow;
    case Qt::Key_Left: return keys::kLeftArrow;
    case Qt::Key_Right: return keys::kRightArrow;
    case Qt::Key_Delete: return keys::kForwardDelete;
    default: return k->text().toStdString();
  }
}

bool isModifierKey(int key) {
  return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt || key == Qt::Key_Meta ||
         key == Qt::Key_AltGr;
}

}  // namespace

int InputFilter::clickCountFor(const QMouseEvent* e) {
  QPointF pos = e->globalPosition();
  bool near = (pos - lastPressPos_).manhattanLength() <= 4;
  if (lastPress_.isValid() && near && lastPress_.elapsed() <= QApplication::doubleClickInterval())
    ++clickCount_;
  else
    clickCount_ = 1;
  lastPress_.start();
  lastPressPos_ = pos;
  return clickCount_;
}

bool InputFilter::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
      break;
    default:
      return false;
  }
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!widget) return false;
  QWidget* top = widget->window();
  Window* window = WindowAccess::windowOfWidget(top);
  if (!window) return false;
  Application& app = Application::shared();
  double height = window->contentRectSize().height;
  auto toWindow = [&](QPointF local) {
    QPointF p = widget->mapTo(top, local);
    return Point{p.x(), height - p.y()};
  };
  // The view under the pointer when it is a Qt editor that takes its own input.
  auto nativeViewAt = [&](Point loc) -> View* {
    View* content = window->contentView();
    View* hit = content ? content->hitTest(loc) : nullptr;
    return hit && hit->handlesNativeInput() ? hit : nullptr;
  };

  Event e;
  View* nativeTarget = nullptr;
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseMove: {
      auto* m = static_cast<QMouseEvent*>(event);
      Point loc = toWindow(m->position());
      unsigned mods = modifiersOf(m->modifiers());
      EventType type;
      int clicks = 1;
      if (event->type() == QEvent::MouseMove) {
        if (m->buttons() & Qt::LeftButton)
          type = EventType::LeftMouseDragged;
        else if (m->buttons() & Qt::RightButton)
          type = EventType::RightMouseDragged;
        else
          type = EventType::MouseMoved;
      } else if (event->type() == QEvent::MouseButtonRelease) {
        if (m->button() != Qt::LeftButton && m->button() != Qt::RightButton) return true;
        type = m->button() == Qt::LeftButton ? EventType::LeftMouseUp : EventType::RightMouseUp;
        clicks = std::max(1, clickCount_);
      } else {
        if (m->button() != Qt::LeftButton && m->button() != Qt::RightButton) return true;
        type = m->button() == Qt::LeftButton ? EventType::LeftMouseDown : EventType::RightMouseDown;
        clicks = clickCountFor(m);
      }
      e = Event::mouseEvent(type, loc, mods, window, clicks);
      nativeTarget = nativeViewAt(loc);
      break;
    }
    case QEvent::Wheel: {
      auto* w = static_cast<QWheelEvent*>(event);
      Point loc = toWindow(w->position());
      e = Event::scrollWheelEvent(loc, w->angleDelta().x() / 120.0, w->angleDelta().y() / 120.0,
                                  modifiersOf(w->modifiers()), window);
      nativeTarget = nativeViewAt(loc);
      break;
    }
    default: {
      auto* k = static_cast<QKeyEvent*>(event);
      unsigned mods = modifiersOf(k->modifiers());
      if (isModifierKey(k->key())) {
        e = Event::flagsChangedEvent(mods, window, static_cast<int>(k->nativeScanCode()));
      } else {
        e = Event::keyEvent(event->type() == QEvent::KeyPress ? EventType::KeyDown : EventType::KeyUp,
                            charactersOf(k), mods, window, static_cast<int>(k->nativeScanCode()));
        e.setRepeat(k->isAutoRepeat());
      }
      // Tab out of an editor in a key-view loop is kit's to move, not the editor's.
      bool tab = (k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) &&
                 !(k->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
      if (auto* v = dynamic_cast<View*>(window->firstResponder()); v && v->handlesNativeInput())
        if (!tab || (!v->nextKeyView() && !v->previousKeyView())) nativeTarget = v;
      break;
    }
  }

  if (nativeTarget) {
    // A Qt editor handles its own input once the hooks have let the event through.
    if (!app.inputAllowed(e)) return true;
    if (app.d_->hook && app.d_->hook(e) != EventHookResult::Pass) return true;
    if (WindowAccess::runHook(window, e) != static_cast<int>(EventHookResult::Pass)) return true;
    if (e.type() == EventType::LeftMouseDown && nativeTarget->acceptsFirstResponder())
      window->makeFirstResponder(nativeTarget);
    app.d_->needsUpdate = true;
    return false;
  }
  app.postEvent(e);
  if (!app.isTracking()) app.dispatchQueuedEvents();
  return true;
}

}  // namespace kit
