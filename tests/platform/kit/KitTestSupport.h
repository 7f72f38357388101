#pragma once

// Small views and helpers shared by the kit suites.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "foundation/NotificationCenter.h"
#include "foundation/RunLoop.h"
#include "kit/Application.h"
#include "kit/BezierPath.h"
#include "kit/Color.h"
#include "kit/Font.h"
#include "kit/GraphicsContext.h"
#include "kit/View.h"
#include "kit/Window.h"

namespace kittest {

// Every test starts with a quiet application: no delegate, no hooks, nothing queued.
class KitTest : public ::testing::Test {
 protected:
  void SetUp() override { reset(); }
  void TearDown() override {
    reset();
    // Let released views and queued calls go.
    fnd::RunLoop::main().runOnce(fnd::RunLoopMode::Default, 0);
  }
  static void reset() {
    kit::Application& app = kit::Application::shared();
    app.resetTerminated();
    app.setDelegate(nullptr);
    app.setEventHook(nullptr);
    app.discardEventsMatchingMask(kit::kAnyEventMask);
  }
};

// A view that fills its bounds with one colour.
class FillView : public kit::View {
 public:
  FillView(const fnd::Rect& frame, kit::Color color, bool flipped = false)
      : View(frame), color_(color), flipped_(flipped) {}
  bool isFlipped() const override { return flipped_; }
  void drawRect(const fnd::Rect&) override {
    color_.set();
    kit::BezierPath::fillRect(bounds());
  }

 private:
  kit::Color color_;
  bool flipped_;
};

// A view that writes down every event it gets as "<name>:<what>".
class Recorder : public kit::View {
 public:
  Recorder(const fnd::Rect& frame, std::vector<std::string>* log, std::string name)
      : View(frame), log_(log), name_(std::move(name)) {}
  bool trackOnMouseDown = false;
  bool firstResponder = false;
  bool firstMouse = false;

  bool acceptsFirstResponder() const override { return firstResponder; }
  bool acceptsFirstMouse(const kit::Event*) const override { return firstMouse; }
  void mouseDown(const kit::Event& e) override {
    add("down");
    if (trackOnMouseDown)
      trackMouse([this](const kit::Event& t) { add(t.type() == kit::EventType::LeftMouseUp ? "up" : "drag"); });
  }
  void mouseDragged(const kit::Event&) override { add("dragged"); }
  void mouseUp(const kit::Event&) override { add("mouseUp"); }
  void mouseEntered(const kit::Event&) override { add("entered"); }
  void mouseExited(const kit::Event&) override { add("exited"); }
  void mouseMoved(const kit::Event&) override { add("moved"); }
  void scrollWheel(const kit::Event& e) override { add("wheel"); }
  // Keys are noted, then passed on up the responder chain, as a view that does not use them.
  void keyDown(const kit::Event& e) override {
    add("key " + e.characters());
    View::keyDown(e);
  }
  void flagsChanged(const kit::Event&) override { add("flags"); }

 private:
  void add(const std::string& what) { log_->push_back(name_ + ":" + what); }
  std::vector<std::string>* log_;
  std::string name_;
};

// A stand-in for a push button: a key equivalent, a tag and an action.
class TestButton : public kit::View {
 public:
  TestButton(const fnd::Rect& frame, std::string title, std::function<void()> action)
      : View(frame), title_(std::move(title)), action_(std::move(action)) {}
  std::string keyEquivalent;
  int clicks = 0;
  const std::string& title() const { return title_; }
  bool performClick() override {
    ++clicks;
    if (action_) action_();
    return true;
  }
  bool performKeyEquivalent(const kit::Event& e) override {
    if (!keyEquivalent.empty() && e.characters() == keyEquivalent) return performClick();
    return View::performKeyEquivalent(e);
  }
  void drawRect(const fnd::Rect&) override {
    kit::Color::lightGray().set();
    kit::BezierPath::fillRect(bounds());
    kit::Color::black().set();
    kit::BezierPath::strokeRect(bounds().insetBy(0.5, 0.5));
    if (auto* ctx = kit::GraphicsContext::current()) {
      kit::Font font = kit::Font::systemFont(13);
      double h = font.lineHeight();
      ctx->drawText(title_, fnd::Rect(0, (bounds().size.height - h) / 2, bounds().size.width, h), font,
                    kit::Color::black(), kit::TextAlignment::Center);
    }
  }

 private:
  std::string title_;
  std::function<void()> action_;
};

inline kit::Event mouse(kit::EventType type, kit::Window& w, double x, double y, unsigned mods = 0, int clicks = 1) {
  return kit::Event::mouseEvent(type, {x, y}, mods, &w, clicks);
}

inline kit::Event key(kit::Window& w, const std::string& chars, unsigned mods = 0) {
  return kit::Event::keyEvent(kit::EventType::KeyDown, chars, mods, &w);
}

}  // namespace kittest
