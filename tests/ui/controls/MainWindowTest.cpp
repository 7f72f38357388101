// The main window's filters before kit's dispatch, driven by synthetic events at the title
// bar and window-button frames, and the main-window wrapper's window.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ControlsTestSupport.h"
#include "foundation/RunLoop.h"
#include "kit/Application.h"
#include "kit/ZOrderManager.h"
#include "ui/controls/CTRLS_MainWindow.h"
#include "ui/controls/MainWindow.h"

using controls_test::PostRecorder;
using kit::EventType;

namespace {

// A shown main window whose kit hook records what the filters let through to kit.
struct MainWindowRig : ::testing::Test {
  Quirel_MainWindow win{fnd::Rect(100, 100, 400, 300),
                        kit::kTitledWindowMask | kit::kClosableWindowMask | kit::kResizableWindowMask};
  std::vector<EventType> passed;
  PostRecorder rec{{"zoomBtnOn", "MainWindowOptionKeyDownPost", "MainWindowOptionKeyUpPost",
                    "MainWindowMouseMovedPost"}};

  MainWindowRig() {
    win.setAcceptsMouseMovedEvents(true);
    win.setEventHook([this](const kit::Event& e) {
      passed.push_back(e.type());
      return kit::EventHookResult::Pass;
    });
    win.makeKeyAndOrderFront();
  }
  ~MainWindowRig() override {
    win.orderOut();
    kit::Application::shared().discardEventsMatchingMask(kit::kAnyEventMask);
  }
  fnd::Point onButton(kit::WindowButton b) const {
    fnd::Rect r = win.standardWindowButtonFrame(b);
    return {r.origin.x + r.size.width / 2, r.origin.y + r.size.height / 2};
  }
  fnd::Point onTitleBar() const { return {250, win.contentRectSize().height + 10}; }
  void post(EventType type, fnd::Point at) {
    kit::Application::shared().postEvent(kit::Event::mouseEvent(type, at, 0, &win, 1));
  }
  void dispatch() { kit::Application::shared().dispatchQueuedEvents(); }
};

}  // namespace

TEST_F(MainWindowRig, WhileClosingNothingPassesAndNothingIsPosted) {
  win.setCloseFlg(true);
  post(EventType::LeftMouseDown, {50, 50});
  post(EventType::LeftMouseUp, {50, 50});
  post(EventType::MouseMoved, {60, 60});
  post(EventType::LeftMouseDown, onButton(kit::WindowButton::Zoom));
  kit::Application::shared().postEvent(kit::Event::flagsChangedEvent(kit::kAlternateKeyMask, &win));
  dispatch();
  win.mouseMoved(kit::Event::mouseEvent(EventType::MouseMoved, {60, 60}, 0, &win));
  EXPECT_TRUE(passed.empty());
  EXPECT_TRUE(rec.posts.empty());
  win.setCloseFlg(false);
  post(EventType::MouseMoved, {60, 60});
  dispatch();
  EXPECT_EQ(passed, std::vector<EventType>{EventType::MouseMoved});
  EXPECT_EQ(rec.posts, std::vector<std::string>{"MainWindowMouseMovedPost"});
}

TEST_F(MainWindowRig, WindowButtonsPassOnlyWhileBothEnableFlagsAreOn) {
  for (kit::WindowButton button : {kit::WindowButton::Zoom, kit::WindowButton::Miniaturize, kit::WindowButton::Close})
    for (bool enabled : {true, false})
      for (bool systemBtn : {true, false}) {
        SCOPED_TRACE(::testing::Message() << "button " << static_cast<int>(button) << " enabled " << enabled
                                          << " system " << systemBtn);
        passed.clear();
        rec.posts.clear();
        win.setEnabled(enabled);
        win.setEnabledSystemBtn(systemBtn);
        post(EventType::LeftMouseDown, onButton(button));
        dispatch();
        const bool on = enabled && systemBtn;
        EXPECT_EQ(passed.size(), on ? 1u : 0u);
        const bool zoomPost = on && button == kit::WindowButton::Zoom;
        EXPECT_EQ(rec.posts, zoomPost ? std::vector<std::string>{"zoomBtnOn"} : std::vector<std::string>{});
        if (zoomPost) {
          EXPECT_EQ(rec.senders.front(), &win);
        }
      }
}

TEST_F(MainWindowRig, TitleBarOffSwallowsThePressUpToItsMouseUp) {
  const fnd::Rect before = win.frame();
  std::vector<EventType> reachedApp;
  kit::Application::shared().setEventHook([&](const kit::Event& e) {
    reachedApp.push_back(e.type());
    return kit::EventHookResult::Pass;
  });
  win.setTitleDownOnOff(false);
  post(EventType::LeftMouseDown, onTitleBar());
  post(EventType::LeftMouseDragged, {300, onTitleBar().y + 40});
  post(EventType::LeftMouseUp, {300, onTitleBar().y + 40});
  post(EventType::LeftMouseDown, {20, 20});  // a later click in the content goes through
  dispatch();
  kit::Application::shared().setEventHook(nullptr);
  EXPECT_EQ(win.frame(), before);
  EXPECT_EQ(passed, (std::vector<EventType>{EventType::LeftMouseDragged, EventType::LeftMouseDown}))
      << "the press and its mouse-up never reach kit";
  EXPECT_EQ(std::count(reachedApp.begin(), reachedApp.end(), EventType::LeftMouseUp), 0)
      << "the mouse-up was taken out of the queue";

  passed.clear();
  win.setTitleDownOnOff(true);
  post(EventType::LeftMouseDown, onTitleBar());
  post(EventType::LeftMouseUp, onTitleBar());
  dispatch();
  EXPECT_EQ(passed, (std::vector<EventType>{EventType::LeftMouseDown, EventType::LeftMouseUp}));
}

TEST_F(MainWindowRig, TitleBarWaitEndsWhenTheWindowClosesOrStartsClosingOrTheApplicationEnds) {
  win.setTitleDownOnOff(false);
  kit::Application& app = kit::Application::shared();
  for (const char* how : {"close flag", "window closed", "application ends"}) {
    SCOPED_TRACE(how);
    const std::string h = how;
    win.makeKeyAndOrderFront();
    win.setCloseFlg(false);
    bool fired = false;
    fnd::RunLoop::main().performAfterDelay(0.05, [&] {
      fired = true;
      if (h == "close flag")
        win.setCloseFlg(true);
      else if (h == "window closed")
        win.close();
      else
        app.terminate();
    }, fnd::kCommonModes);
    post(EventType::LeftMouseDown, onTitleBar());  // no mouse-up ever comes
    dispatch();
    app.resetTerminated();
    EXPECT_TRUE(fired);
    EXPECT_TRUE(passed.empty());
  }
}

TEST_F(MainWindowRig, OptionKeyDownAndUpPostOnceEach) {
  kit::Application::shared().sendEvent(kit::Event::flagsChangedEvent(kit::kAlternateKeyMask | kit::kShiftKeyMask, &win));
  kit::Application::shared().sendEvent(kit::Event::flagsChangedEvent(kit::kShiftKeyMask, &win));
  EXPECT_EQ(rec.posts, (std::vector<std::string>{"MainWindowOptionKeyDownPost", "MainWindowOptionKeyUpPost"}));
  EXPECT_EQ(passed.size(), 2u);
}

TEST_F(MainWindowRig, AVetoedWindowCannotBecomeKey) {
  win.resignKeyWindow();
  win.setCanBecomeKeyWindow(false);
  win.makeKeyAndOrderFront();
  EXPECT_FALSE(win.isKeyWindow());
  post(EventType::LeftMouseDown, {20, 20});
  post(EventType::LeftMouseUp, {20, 20});
  dispatch();
  EXPECT_FALSE(win.isKeyWindow());
  win.setCanBecomeKeyWindow(true);
  win.makeKeyAndOrderFront();
  EXPECT_TRUE(win.isKeyWindow());
  EXPECT_EQ(win.baseWindowLevel(), kit::kNormalWindowLevel);
}

TEST(MainWindowWrapper, WindowGeometryLevelAndStoredRectangles) {
  Quirel_CTRLS_MainWindow wrapper;
  Quirel_MainWindow* w = wrapper.getWindow();
  EXPECT_EQ(w->contentRectForFrameRect(w->frame()), fnd::Rect(100, 300, 800, 800));
  EXPECT_EQ(w->minSize(), fnd::Size(850, 638));
  EXPECT_EQ(w->styleMask(), kit::kTitledWindowMask | kit::kClosableWindowMask | kit::kResizableWindowMask);
  EXPECT_TRUE(w->acceptsMouseMovedEvents());
  EXPECT_TRUE(w->isEnabled());
  EXPECT_TRUE(w->isEnabledSystemBtn());
  EXPECT_TRUE(w->canBecomeKeyWindow());
  EXPECT_EQ(w->level(), 9);
  wrapper.setWindowTitie("Scanner");
  EXPECT_EQ(w->title(), "Scanner");
  wrapper.setFirstRect(fnd::Rect(1, 2, 3, 4));
  wrapper.setDefaultRect(fnd::Rect(5, 6, 7, 8));
  EXPECT_EQ(wrapper.getFirstRect(), fnd::Rect(1, 2, 3, 4));
  EXPECT_EQ(wrapper.getDefaultRect(), fnd::Rect(5, 6, 7, 8));
  EXPECT_EQ(w->contentRectForFrameRect(w->frame()), fnd::Rect(100, 300, 800, 800)) << "the wrapper keeps them only";

  // Level 9 in the z-order: in front of normal windows, behind higher levels.
  kit::Window normal(fnd::Rect(0, 0, 100, 100), kit::kTitledWindowMask);
  kit::Window higher(fnd::Rect(0, 0, 100, 100), kit::kTitledWindowMask);
  higher.setLevel(10);
  w->orderFront();
  higher.orderFront();
  normal.orderFront();
  kit::ZOrderManager& z = kit::ZOrderManager::shared();
  EXPECT_TRUE(z.isAbove(w, &normal));
  EXPECT_TRUE(z.isAbove(&higher, w));

  auto item = std::make_unique<kit::View>(fnd::Rect(0, 0, 10, 10));
  wrapper.addWindowItem(item.get());
  EXPECT_EQ(item->window(), w);
  w->orderOut();
  normal.orderOut();
  higher.orderOut();
}
