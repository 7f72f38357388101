// The application: modal runs answered from tests, sessions, the main loop, termination
// with its delegate, and the application notifications.
#include <gtest/gtest.h>

#include <thread>

#include "KitTestSupport.h"

using fnd::Rect;
using kit::Application;
using kit::Window;
using kittest::TestButton;

namespace {

class ApplicationTest : public kittest::KitTest {};

// A small message box: OK stops the modal run with 1, Cancel with 0.
struct MessageBox {
  Window window{Rect(0, 0, 300, 120), kit::kTitledWindowMask};
  TestButton* ok;
  TestButton* cancel;
  MessageBox() {
    ok = static_cast<TestButton*>(window.contentView()->addSubview(std::make_unique<TestButton>(
        Rect(200, 12, 90, 30), "OK", [] { Application::shared().stopModalWithCode(1); })));
    ok->setTag(1);
    cancel = static_cast<TestButton*>(window.contentView()->addSubview(std::make_unique<TestButton>(
        Rect(100, 12, 90, 30), "Cancel", [] { Application::shared().stopModalWithCode(0); })));
    cancel->setTag(2);
    window.setDefaultButton(ok);
  }
};

struct AppDelegate : kit::ApplicationDelegate {
  std::vector<std::string> log;
  kit::TerminateReply reply = kit::TerminateReply::Now;
  bool afterLastWindow = false;
  void applicationDidFinishLaunching(Application&) override { log.push_back("launched"); }
  kit::TerminateReply applicationShouldTerminate(Application&) override {
    log.push_back("shouldTerminate");
    return reply;
  }
  bool applicationShouldTerminateAfterLastWindowClosed(Application&) override {
    log.push_back("afterLastWindow");
    return afterLastWindow;
  }
  void applicationWillTerminate(Application&) override { log.push_back("willTerminate"); }
};

}  // namespace

TEST_F(ApplicationTest, RunModalAnswersTheCodeOfTheButtonAndDefaultCallsWaitUntilItEnds) {
  MessageBox box;
  Application& app = Application::shared();
  std::vector<std::string> order;
  app.onNextModalWindow([&](Window& w) {
    EXPECT_EQ(&w, &box.window);
    EXPECT_EQ(app.modalWindow(), &box.window);
    EXPECT_TRUE(w.isKeyWindow());
    fnd::RunLoop::main().perform([&] { order.push_back("default call"); });
    // A call of the modal mode runs inside the run; it clicks OK.
    fnd::RunLoop::main().perform(
        [&] {
          order.push_back("modal call");
          static_cast<TestButton*>(box.window.contentView()->viewWithTag(1))->performClick();
        },
        fnd::RunLoopMode::ModalPanel);
  });
  int code = app.runModalForWindow(box.window);
  order.push_back("returned");
  EXPECT_EQ(code, 1);
  EXPECT_EQ(app.modalWindow(), nullptr);
  EXPECT_EQ(app.pendingModalResponders(), 0u);
  fnd::RunLoop::main().runOnce(fnd::RunLoopMode::Default, 0);
  EXPECT_EQ(order, (std::vector<std::string>{"modal call", "returned", "default call"}));
}

TEST_F(ApplicationTest, ModalRunsAnsweredByKeysStopAbortAndClose) {
  Application& app = Application::shared();
  struct Case {
    const char* what;
    std::function<void(MessageBox&)> answer;
    int code;
  };
  auto titled = [](Window& w, const std::string& title) {
    return static_cast<TestButton*>(w.contentView()->findView([&](kit::View& v) {
      auto* b = dynamic_cast<TestButton*>(&v);
      return b && b->title() == title;
    }));
  };
  const Case cases[] = {
      {"the button titled OK", [&](MessageBox& b) { titled(b.window, "OK")->performClick(); }, 1},
      {"Return clicks OK", [](MessageBox& b) { Application::shared().sendEvent(kittest::key(b.window, "\r")); }, 1},
      {"Cancel by tag", [](MessageBox& b) { b.window.contentView()->viewWithTag(2)->performClick(); }, 0},
      {"stopModal", [](MessageBox&) { Application::shared().stopModal(); }, kit::kModalResponseStop},
      {"abortModal", [](MessageBox&) { Application::shared().abortModal(); }, kit::kModalResponseAbort},
      {"window closed", [](MessageBox& b) { b.window.close(); }, kit::kModalResponseAbort},
  };
  for (const Case& c : cases) {
    MessageBox box;
    app.onNextModalWindow([&](Window&) { c.answer(box); });
    EXPECT_EQ(app.runModalForWindow(box.window), c.code) << c.what;
  }
  // Two runs queued: each takes its own responder, in order.
  MessageBox first, second;
  app.onNextModalWindow([&](Window& w) { static_cast<TestButton*>(w.contentView()->viewWithTag(2))->performClick(); });
  app.onNextModalWindow([&](Window& w) { static_cast<TestButton*>(w.contentView()->viewWithTag(1))->performClick(); });
  EXPECT_EQ(app.runModalForWindow(first.window), 0);
  EXPECT_EQ(app.runModalForWindow(second.window), 1);
}

TEST_F(ApplicationTest, NestedModalRunsStopTheInnermostFirst) {
  Application& app = Application::shared();
  MessageBox outer, inner;
  int innerCode = 0;
  app.onNextModalWindow([&](Window&) {
    app.onNextModalWindow([&](Window& w) { w.contentView()->viewWithTag(1)->performClick(); });
    innerCode = app.runModalForWindow(inner.window);
    EXPECT_EQ(app.modalWindow(), &outer.window);
    outer.window.contentView()->viewWithTag(2)->performClick();
  });
  EXPECT_EQ(app.runModalForWindow(outer.window), 0);
  EXPECT_EQ(innerCode, 1);
}

TEST_F(ApplicationTest, ModalSessionsRunPassByPass) {
  Application& app = Application::shared();
  MessageBox box;
  kit::ModalSession* s = app.beginModalSession(box.window);
  EXPECT_EQ(app.modalWindow(), &box.window);
  EXPECT_EQ(app.runModalSession(s), kit::kModalResponseContinue);
  bool ran = false;
  fnd::RunLoop::main().perform([&] { ran = true; });
  EXPECT_EQ(app.runModalSession(s), kit::kModalResponseContinue);
  EXPECT_FALSE(ran);  // default-mode calls wait while the session lasts
  box.ok->performClick();
  EXPECT_EQ(app.runModalSession(s), 1);
  app.endModalSession(s);
  EXPECT_EQ(app.modalWindow(), nullptr);
  fnd::RunLoop::main().runOnce(fnd::RunLoopMode::Default, 0);
  EXPECT_TRUE(ran);
}

TEST_F(ApplicationTest, TerminateAsksTheDelegateAndEndsTheMainLoop) {
  Application& app = Application::shared();
  AppDelegate d;
  app.setDelegate(&d);
  int willTerminate = 0;
  auto token = fnd::NotificationCenter::defaultCenter().observe(
      Application::kWillTerminateNotification, nullptr, [&](const fnd::Notification&) { ++willTerminate; });
  d.reply = kit::TerminateReply::Cancel;
  EXPECT_FALSE(app.terminate());
  EXPECT_FALSE(app.isTerminated());
  d.reply = kit::TerminateReply::Now;
  // The main loop runs until a call in it terminates.
  fnd::RunLoop::main().perform([&] { app.terminate(); });
  EXPECT_EQ(app.run(), 0);
  EXPECT_TRUE(app.isTerminated());
  EXPECT_EQ(willTerminate, 1);
  d.log.erase(std::remove(d.log.begin(), d.log.end(), "launched"), d.log.end());  // once per process
  EXPECT_EQ(d.log, (std::vector<std::string>{"shouldTerminate", "shouldTerminate", "willTerminate"}));
  // A modal run going on when the application terminates ends.
  app.resetTerminated();
  MessageBox box;
  app.onNextModalWindow([&](Window&) { app.terminate(); });
  EXPECT_EQ(app.runModalForWindow(box.window), kit::kModalResponseAbort);
}

TEST_F(ApplicationTest, LastWindowClosedTerminatesWhenTheDelegateSaysSo) {
  Application& app = Application::shared();
  AppDelegate d;
  app.setDelegate(&d);
  for (Window* w : app.windows()) w->orderOut();
  {
    Window a(Rect(0, 0, 10, 10), kit::kTitledWindowMask);
    a.orderFront();
    a.close();
    fnd::RunLoop::main().runOnce(fnd::RunLoopMode::Default, 0);
    EXPECT_FALSE(app.isTerminated());
  }
  d.afterLastWindow = true;
  Window a(Rect(0, 0, 10, 10), kit::kTitledWindowMask);
  Window b(Rect(0, 0, 10, 10), kit::kTitledWindowMask);
  a.orderFront();
  b.orderFront();
  a.close();
  fnd::RunLoop::main().runOnce(fnd::RunLoopMode::Default, 0);
  EXPECT_FALSE(app.isTerminated());
  b.close();
  fnd::RunLoop::main().runOnce(fnd::RunLoopMode::Default, 0);
  EXPECT_TRUE(app.isTerminated());
}

TEST_F(ApplicationTest, ActivationNotifications) {
  Application& app = Application::shared();
  std::vector<std::string> log;
  auto& nc = fnd::NotificationCenter::defaultCenter();
  auto t1 = nc.observe(Application::kDidBecomeActiveNotification, nullptr, [&](const fnd::Notification&) { log.push_back("active"); });
  auto t2 = nc.observe(Application::kWillResignActiveNotification, nullptr, [&](const fnd::Notification&) { log.push_back("resign"); });
  app.deactivate();
  app.deactivate();
  app.activateIgnoringOtherApps(true);
  app.activateIgnoringOtherApps(true);
  EXPECT_TRUE(app.isActive());
  EXPECT_EQ(log.back(), "active");
  EXPECT_EQ(std::count(log.begin(), log.end(), "active"), 1);
}

// The event dispatched last stays current while the did-update notification goes out.
TEST_F(ApplicationTest, TheCurrentEventIsTheOneDispatchedLastAlsoDuringTheUpdate) {
  Application& app = Application::shared();
  Window window(Rect(0, 0, 200, 100), kit::kTitledWindowMask);
  window.makeKeyAndOrderFront();
  std::string seen;
  auto token = fnd::NotificationCenter::defaultCenter().observe(
      Application::kDidUpdateNotification, nullptr, [&](const fnd::Notification&) {
        const std::optional<kit::Event> e = app.currentEvent();
        seen = e ? e->characters() : "";
      });
  app.sendEvent(kittest::key(window, "x", kit::kCommandKeyMask));
  ASSERT_TRUE(app.currentEvent());
  EXPECT_EQ(app.currentEvent()->characters(), "x");
  EXPECT_EQ(app.currentEvent()->modifierFlags(), unsigned(kit::kCommandKeyMask));
  app.postEvent(kittest::key(window, "y"));
  for (int i = 0; i < 10 && seen != "y"; ++i) fnd::RunLoop::main().runOnce(fnd::RunLoopMode::Default, 0.01);
  EXPECT_EQ(seen, "y");
  window.orderOut();
}

TEST_F(ApplicationTest, WaitsThatCannotBeAnsweredEndAtOnce) {
  Application& app = Application::shared();
  MessageBox box;
  int code = 0;
  bool gotEvent = true;
  std::thread other([&] {
    code = app.runModalForWindow(box.window);
    gotEvent = app.nextEventMatchingMask(kit::kAnyEventMask, -1, fnd::RunLoopMode::Default).has_value();
  });
  other.join();
  EXPECT_EQ(code, kit::kModalResponseAbort);
  EXPECT_FALSE(gotEvent);
  EXPECT_EQ(app.modalWindow(), nullptr);
  // A tracking loop whose window goes away ends.
  box.window.orderFront();
  fnd::RunLoop::main().perform([&] { box.window.orderOut(); }, fnd::kCommonModes);
  EXPECT_FALSE(box.window.nextEventMatchingMask(kit::kMouseTrackingMask).has_value());
  // After termination a modal run does not start.
  app.terminate();
  EXPECT_EQ(app.runModalForWindow(box.window), kit::kModalResponseAbort);
}
