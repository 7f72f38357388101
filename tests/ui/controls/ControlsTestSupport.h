#pragma once

// Shared by the controls' tests: a key window to put controls in, real mouse events through
// the application's queue, and a recorder of notifications by name.

#include <memory>
#include <string>
#include <vector>

#include "foundation/NotificationCenter.h"
#include "kit/Application.h"
#include "kit/Event.h"
#include "kit/View.h"
#include "kit/Window.h"

namespace controls_test {

// The folder of the controls' pictures.
inline constexpr const char* kBundle = "quirel_r14";

class TestWindow {
 public:
  explicit TestWindow(fnd::Rect frame = fnd::Rect(0, 0, 400, 300), bool key = true)
      : window_(frame, kit::kTitledWindowMask) {
    if (key)
      window_.makeKeyAndOrderFront();
    else
      window_.orderFront();
  }
  ~TestWindow() { window_.orderOut(); }
  kit::Window& window() { return window_; }
  template <class V>
  V* add(std::unique_ptr<V> view) {
    return static_cast<V*>(window_.contentView()->addSubview(std::move(view)));
  }
  void post(kit::EventType type, fnd::Point at, int clicks = 1) {
    kit::Application::shared().postEvent(kit::Event::mouseEvent(type, at, 0, &window_, clicks));
  }
  // A whole click at a point of the window, dispatched as the loop would.
  void click(fnd::Point at, int clicks = 1) {
    post(kit::EventType::LeftMouseDown, at, clicks);
    post(kit::EventType::LeftMouseUp, at, clicks);
    dispatch();
  }
  void dispatch() { kit::Application::shared().dispatchQueuedEvents(); }
  // The pointer moves to the point: tracking rectangles see it.
  void moveTo(fnd::Point at) {
    post(kit::EventType::MouseMoved, at);
    dispatch();
  }

 private:
  kit::Window window_;
};

// Records the names (in order) of the notifications it watches, from any sender.
class PostRecorder {
 public:
  explicit PostRecorder(const std::vector<std::string>& names) {
    for (const std::string& name : names)
      tokens_.push_back(fnd::NotificationCenter::defaultCenter().observe(
          name, nullptr, [this](const fnd::Notification& n) {
            posts.push_back(n.name);
            senders.push_back(n.sender);
          }));
  }
  std::vector<std::string> posts;
  std::vector<const void*> senders;

 private:
  std::vector<fnd::NotificationCenter::Token> tokens_;
};

}  // namespace controls_test
