// The floating panels of the adjustment and information dialogs: the refresh posts as the
// pointer crosses the title-button band, the window buttons refused while disabled, the
// title-bar swallow, the Option key and the mouse-move reports.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ControlsTestSupport.h"
#include "foundation/RunLoop.h"
#include "kit/Application.h"
#include "ui/controls/ImageDataProcessPanel.h"
#include "ui/controls/InfoDlgPanel.h"

using controls_test::PostRecorder;
using kit::EventType;

namespace {

constexpr unsigned kFloatingPanelStyle =
    kit::kTitledWindowMask | kit::kClosableWindowMask | kit::kMiniaturizableWindowMask | kit::kUtilityWindowMask;

template <class P>
struct FloatingPanelRig {
  P panel{fnd::Rect(300, 300, 300, 200), kFloatingPanelStyle};
  std::vector<EventType> passed;

  FloatingPanelRig() {
    panel.setAcceptsMouseMovedEvents(true);
    // The band ends at the zoom button's right-hand edge.
    panel.setFinalZoomRect(panel.standardWindowButtonFrame(kit::WindowButton::Zoom));
    panel.setEventHook([this](const kit::Event& e) {
      passed.push_back(e.type());
      return kit::EventHookResult::Pass;
    });
    panel.makeKeyAndOrderFront();
  }
  ~FloatingPanelRig() {
    panel.orderOut();
    kit::Application::shared().discardEventsMatchingMask(kit::kAnyEventMask);
  }
  double top() const { return panel.contentRectSize().height; }
  fnd::Point content() const { return {100, 100}; }
  fnd::Point buttons() const { return {30, top() + 10}; }
  fnd::Point titleBar() const { return {200, top() + 10}; }
  fnd::Point on(kit::WindowButton b) const {
    fnd::Rect r = panel.standardWindowButtonFrame(b);
    return {r.origin.x + r.size.width / 2, r.origin.y + r.size.height / 2};
  }
  void send(EventType type, fnd::Point at) {
    kit::Application::shared().sendEvent(kit::Event::mouseEvent(type, at, 0, &panel, 1));
  }
  void exit() {
    kit::Application::shared().sendEvent(kit::Event::enterExitEvent(EventType::MouseExited, {-5, -5}, &panel, 999, nullptr));
  }
};

}  // namespace

TEST(FloatingPanels, RefreshPostsAsThePointerCrossesTheTitleButtons) {
  FloatingPanelRig<Quirel_ImageDataProcessPanel> r;
  PostRecorder rec({"FINAL_REFLESH"});
  auto count = [&] { return rec.posts.size(); };

  r.send(EventType::MouseMoved, r.content());
  EXPECT_EQ(count(), 0u) << "nothing to refresh yet";
  r.send(EventType::MouseMoved, r.buttons());
  EXPECT_EQ(count(), 1u) << "content -> buttons";
  r.send(EventType::MouseMoved, r.content());
  EXPECT_EQ(count(), 2u) << "buttons -> content";
  r.send(EventType::MouseMoved, r.content());
  EXPECT_EQ(count(), 2u);
  r.exit();
  EXPECT_EQ(count(), 3u) << "leaving while flag 3 is still set";
  r.exit();
  EXPECT_EQ(count(), 3u) << "flag 3 is cleared by the first exit";

  r.send(EventType::MouseMoved, r.buttons());
  EXPECT_EQ(count(), 4u);
  r.send(EventType::MouseMoved, r.titleBar());
  EXPECT_EQ(count(), 5u) << "buttons -> elsewhere on the title bar";
  r.send(EventType::MouseMoved, {250, r.top() + 12});
  EXPECT_EQ(count(), 5u);
  EXPECT_FALSE(r.panel.titleBtnFlg1());
  EXPECT_TRUE(r.panel.titleBtnFlg2());
  EXPECT_TRUE(r.panel.titleBtnFlg3());
  r.exit();
  EXPECT_EQ(count(), 6u);
  for (const void* s : rec.senders) EXPECT_EQ(s, &r.panel);
}

TEST(FloatingPanels, WithoutTheOwnersRectangleTheBandIsEmpty) {
  FloatingPanelRig<Quirel_InfoDlgPanel> r;
  r.panel.setFinalZoomRect(fnd::Rect());
  PostRecorder rec({"FINAL_REFLESH"});
  for (double x : {1.0, 5.0, 12.0, 30.0}) r.send(EventType::MouseMoved, {x, r.top() + 10});
  EXPECT_TRUE(rec.posts.empty()) << "the band ends before it starts";
  r.panel.setFinalZoomRect(fnd::Rect(100, r.top() + 3, 20, 16));
  r.send(EventType::MouseMoved, {110, r.top() + 10});
  r.send(EventType::MouseMoved, {130, r.top() + 10});
  EXPECT_EQ(rec.posts.size(), 2u) << "in the band, then out of it";
}

TEST(FloatingPanels, DisabledDialogsRefuseOnlyTheButtonsTheirPanelTests) {
  FloatingPanelRig<Quirel_ImageDataProcessPanel> image;
  FloatingPanelRig<Quirel_InfoDlgPanel> info;
  image.panel.setEnabled(false);
  info.panel.setEnabled(false);
  struct Case {
    kit::WindowButton button;
    bool imagePasses, infoPasses;
  };
  for (const Case& c : {Case{kit::WindowButton::Zoom, true, false}, Case{kit::WindowButton::Miniaturize, true, false},
                        Case{kit::WindowButton::Close, false, false}}) {
    SCOPED_TRACE(static_cast<int>(c.button));
    image.passed.clear();
    info.passed.clear();
    image.send(EventType::LeftMouseDown, image.on(c.button));
    info.send(EventType::LeftMouseDown, info.on(c.button));
    EXPECT_EQ(image.passed.size(), c.imagePasses ? 1u : 0u);
    EXPECT_EQ(info.passed.size(), c.infoPasses ? 1u : 0u);
  }
  info.panel.setEnabled(true);
  info.passed.clear();
  info.send(EventType::LeftMouseDown, info.on(kit::WindowButton::Close));
  EXPECT_EQ(info.passed.size(), 1u);
}

TEST(FloatingPanels, TitleBarOffSwallowsTheClickAndTheWaitEndsWithThePanel) {
  FloatingPanelRig<Quirel_InfoDlgPanel> r;
  const fnd::Rect before = r.panel.frame();
  r.panel.setTitleDownOnOff(false);
  kit::Application& app = kit::Application::shared();
  app.postEvent(kit::Event::mouseEvent(EventType::LeftMouseDown, r.titleBar(), 0, &r.panel, 1));
  app.postEvent(kit::Event::mouseEvent(EventType::LeftMouseUp, {260, r.top() + 40}, 0, &r.panel, 1));
  app.dispatchQueuedEvents();
  EXPECT_TRUE(r.passed.empty());
  EXPECT_EQ(r.panel.frame(), before);
  EXPECT_EQ(app.queuedEventCount(), 0u);

  bool fired = false;
  fnd::RunLoop::main().performAfterDelay(0.05, [&] {
    fired = true;
    r.panel.close();
  }, fnd::kCommonModes);
  r.send(EventType::LeftMouseDown, r.titleBar());  // no mouse-up ever comes
  EXPECT_TRUE(fired);
  EXPECT_TRUE(r.passed.empty());
}

TEST(FloatingPanels, OptionKeyAndMouseMoveReports) {
  FloatingPanelRig<Quirel_ImageDataProcessPanel> image;
  FloatingPanelRig<Quirel_InfoDlgPanel> info;
  PostRecorder rec({"FloatingPanelOptionKeyDownPost", "FloatingPanelOptionKeyUpPost", "FloatingPanelMouseMovedPost",
                    "ToneCurveDlgMouseMoved"});
  kit::Application& app = kit::Application::shared();
  app.sendEvent(kit::Event::flagsChangedEvent(kit::kAlternateKeyMask, &info.panel));
  app.sendEvent(kit::Event::flagsChangedEvent(0, &info.panel));
  EXPECT_EQ(rec.posts, (std::vector<std::string>{"FloatingPanelOptionKeyDownPost", "FloatingPanelOptionKeyUpPost"}));

  struct Case {
    const char* name;
    bool imageKey;
    std::vector<std::string> imagePosts, infoPosts;
  };
  const Case cases[] = {
      {"image panel key",
       true,
       {"ToneCurveDlgMouseMoved", "FloatingPanelMouseMovedPost"},
       {}},
      {"info panel key", false, {"ToneCurveDlgMouseMoved"}, {"FloatingPanelMouseMovedPost"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    (c.imageKey ? image.panel : static_cast<kit::Window&>(info.panel)).makeKeyWindow();
    rec.posts.clear();
    image.send(EventType::MouseMoved, image.content());
    EXPECT_EQ(rec.posts, c.imagePosts);
    rec.posts.clear();
    info.send(EventType::MouseMoved, info.content());
    EXPECT_EQ(rec.posts, c.infoPosts);
  }
}
