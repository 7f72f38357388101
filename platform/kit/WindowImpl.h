#pragma once

// Private to kit: the state of a window, shared by the files of Window.

#include <QCloseEvent>
#include <QMoveEvent>
#include <QPalette>
#include <QResizeEvent>
#include <QWidget>
#include <cfloat>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "kit/Cursor.h"
#include "kit/QtBridge.h"
#include "kit/View.h"
#include "kit/Window.h"
#include "kit/WindowAccess.h"

namespace kit {

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
  void moveEvent(QMoveEvent* event) override {
    QWidget::moveEvent(event);
    if (window_ && !applying) WindowAccess::moved(window_, pos().x(), pos().y());
  }
  void closeEvent(QCloseEvent* event) override {
    // The window manager's close button: the window decides, through performClose.
    event->ignore();
    if (window_) WindowAccess::closeRequested(window_);
  }
  void changeEvent(QEvent* event) override {
    QWidget::changeEvent(event);
    // The window manager activated us (a click on the frame, a window switcher): follow it.
    if (window_ && event->type() == QEvent::ActivationChange && isActiveWindow()) WindowAccess::activated(window_);
  }
  void leaveEvent(QEvent* event) override {
    QWidget::leaveEvent(event);
    if (window_) WindowAccess::pointerLeft(window_);
  }

 private:
  Window* window_;
};

struct Window::Impl {
  WindowWidget* widget = nullptr;
  std::unique_ptr<View> content;
  fnd::Rect frame;
  unsigned style = 0;
  std::string title;
  fnd::Size minSize{0, 0};
  fnd::Size maxSize{FLT_MAX, FLT_MAX};
  int level = kNormalWindowLevel;
  Window* parent = nullptr;
  std::vector<Window*> children;
  Responder* firstResponder = nullptr;
  View* defaultButton = nullptr;
  WindowDelegate* delegate = nullptr;
  std::function<EventHookResult(const Event&)> hook;
  bool acceptsMouseMoved = false;
  fnd::Point mouseLocation;
  View* mouseDownView = nullptr;
  bool visible = false;
  bool zoomed = false;
  fnd::Rect unzoomedFrame;
  bool miniaturized = false;
  bool cursorRectsValid = false;
  bool cursorFromRect = false;
  Cursor appliedCursor;
  double alpha = 1.0;
  bool closing = false;
  bool stayOnTop = false;
  bool platformModal = false;
  Window* modalOver = nullptr;  // the window a modal run keeps this one above
  std::shared_ptr<bool> alive = std::make_shared<bool>(true);  // for calls that may outlive us
};


}  // namespace kit
