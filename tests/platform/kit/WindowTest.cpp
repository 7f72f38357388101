// Windows: frames in screen points, levels and the z-order manager, key and main state with
// the delegate, closing, resizing, zooming, panels and screens.
#include <gtest/gtest.h>

#include <QWidget>

#include "KitTestSupport.h"
#include "kit/Panel.h"
#include "kit/Screen.h"
#include "kit/WindowDelegate.h"
#include "kit/ZOrderManager.h"

using fnd::Point;
using fnd::Rect;
using fnd::Size;
using kit::Application;
using kit::Window;
using kit::ZOrderManager;

namespace {

class WindowTest : public kittest::KitTest {};

struct Delegate : kit::WindowDelegate {
  std::vector<std::string> log;
  bool allowClose = true;
  bool allowZoom = true;
  Size forcedSize{0, 0};
  void windowDidBecomeKey(Window&) override { log.push_back("becomeKey"); }
  void windowDidResignKey(Window&) override { log.push_back("resignKey"); }
  void windowDidUpdate(Window&) override { log.push_back("update"); }
  bool windowShouldClose(Window&) override {
    log.push_back("shouldClose");
    return allowClose;
  }
  void windowWillClose(Window&) override { log.push_back("willClose"); }
  Size windowWillResize(Window&, Size proposed) override {
    log.push_back("willResize");
    return forcedSize.width > 0 ? forcedSize : proposed;
  }
  void windowDidResize(Window&) override { log.push_back("didResize"); }
  bool windowShouldZoom(Window&, const Rect&) override {
    log.push_back("shouldZoom");
    return allowZoom;
  }
};

}  // namespace

TEST_F(WindowTest, FramesAreInScreenPointsWithTheTitleBarAboveTheContent) {
  Window w(Rect(100, 200, 300, 150), kit::kTitledWindowMask);
  EXPECT_EQ(w.frame(), Rect(100, 200, 300, 150 + Window::kTitleBarHeight));
  EXPECT_EQ(w.contentRectForFrameRect(w.frame()), Rect(100, 200, 300, 150));
  EXPECT_EQ(w.contentView()->frame(), Rect(0, 0, 300, 150));
  Window plain(Rect(0, 0, 50, 40), kit::kBorderlessWindowMask);
  EXPECT_EQ(plain.frame(), Rect(0, 0, 50, 40));
  w.setFrameTopLeftPoint({10, 500});
  EXPECT_EQ(w.frame().maxY(), 500);
  EXPECT_EQ(w.frame().origin.x, 10);
  // Qt gets the content size.
  EXPECT_EQ(w.nativeWidget()->size(), QSize(300, 150));
  kit::Screen screen = kit::Screen::mainScreen();
  ASSERT_TRUE(screen.exists());
  EXPECT_FALSE(screen.frame().isEmpty());
  EXPECT_TRUE(screen.frame().contains(screen.visibleFrame()));
  EXPECT_EQ(screen.userSpaceScaleFactor(), 1.0);
  w.center();
  Rect vf = screen.visibleFrame();
  EXPECT_NEAR(w.frame().midX(), vf.midX(), 1.0);
  EXPECT_GE(w.frame().midY(), vf.midY() - 1);  // a little above the middle
}

TEST_F(WindowTest, ZOrderFollowsLevelsThenRecencyAndChildrenStayAbove) {
  for (int mainLevel : {int(kit::kNormalWindowLevel), 9}) {
    Window main(Rect(0, 0, 100, 100), kit::kTitledWindowMask);
    Window plus2(Rect(0, 0, 100, 100), kit::kTitledWindowMask);
    Window plus3(Rect(0, 0, 100, 100), kit::kTitledWindowMask);
    Window top(Rect(0, 0, 100, 100), kit::kTitledWindowMask);
    main.setLevel(mainLevel);
    plus3.setLevel(main.level() + 3);
    plus2.setLevel(main.level() + 2);
    top.setLevel(12);
    top.orderFront();
    plus3.orderFront();
    plus2.orderFront();
    main.orderFront();  // ordering main front does not lift it over higher levels
    ZOrderManager& z = ZOrderManager::shared();
    EXPECT_TRUE(z.isAbove(&plus3, &plus2)) << mainLevel;
    EXPECT_TRUE(z.isAbove(&plus2, &main)) << mainLevel;
    EXPECT_TRUE(z.isAbove(&top, &plus2)) << mainLevel;
    if (mainLevel == kit::kNormalWindowLevel) {
      EXPECT_TRUE(z.isAbove(&top, &plus3));
    }
    // Same level: the one ordered front last is in front.
    top.orderFront();
    EXPECT_TRUE(z.isAbove(&top, &plus3)) << mainLevel;
    EXPECT_EQ(z.indexOf(&top), 0) << mainLevel;
    // On screen, levels above normal stay on top.
    EXPECT_TRUE(top.nativeWidget()->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(bool(main.nativeWidget()->windowFlags() & Qt::WindowStaysOnTopHint), mainLevel > 0);
    plus2.orderOut();
    EXPECT_FALSE(z.isOrderedIn(&plus2));
    EXPECT_FALSE(z.isAbove(&plus2, &main));
  }
  Window parent(Rect(0, 0, 100, 100), kit::kTitledWindowMask);
  Window child(Rect(0, 0, 50, 50), kit::kTitledWindowMask);
  Window other(Rect(0, 0, 50, 50), kit::kTitledWindowMask);
  parent.addChildWindow(&child);
  child.orderFront();
  parent.orderFront();
  other.orderFront();
  parent.orderFront();
  EXPECT_EQ(ZOrderManager::shared().indexOf(&child), 0);
  EXPECT_EQ(ZOrderManager::shared().indexOf(&parent), 1);
  EXPECT_EQ(child.parentWindow(), &parent);
  parent.orderOut();  // takes its children with it
  EXPECT_FALSE(child.isVisible());
}

TEST_F(WindowTest, KeyWindowHonoursTheVetoAndTellsTheDelegate) {
  class Stubborn : public Window {
   public:
    using Window::Window;
    bool mayBecomeKey = false;
    bool canBecomeKeyWindow() const override { return mayBecomeKey && Window::canBecomeKeyWindow(); }
  };
  Delegate da, db;
  Window a(Rect(0, 0, 100, 100), kit::kTitledWindowMask);
  Stubborn b(Rect(0, 0, 100, 100), kit::kTitledWindowMask);
  a.setDelegate(&da);
  b.setDelegate(&db);
  a.makeKeyAndOrderFront();
  EXPECT_TRUE(a.isKeyWindow());
  b.makeKeyAndOrderFront();
  EXPECT_TRUE(a.isKeyWindow());
  EXPECT_TRUE(b.isVisible());
  b.mayBecomeKey = true;
  b.makeKeyWindow();
  EXPECT_TRUE(b.isKeyWindow());
  EXPECT_EQ(Application::shared().keyWindow(), &b);
  EXPECT_EQ(da.log, (std::vector<std::string>{"becomeKey", "resignKey"}));
  EXPECT_EQ(db.log, (std::vector<std::string>{"becomeKey"}));
  // Ordering the key window out hands the key to the frontmost window that can take it.
  b.orderOut();
  EXPECT_TRUE(a.isKeyWindow());
  Window borderless(Rect(0, 0, 10, 10), kit::kBorderlessWindowMask);
  EXPECT_FALSE(borderless.canBecomeKeyWindow());
  kit::Panel panel(Rect(0, 0, 10, 10), kit::kTitledWindowMask | kit::kUtilityWindowMask);
  EXPECT_FALSE(panel.canBecomeMainWindow());
  panel.setFloatingPanel(true);
  EXPECT_EQ(panel.level(), kit::kFloatingWindowLevel);
}

TEST_F(WindowTest, CloseAsksTheDelegateOnlyThroughTheCloseButton) {
  Delegate d;
  Window w(Rect(0, 0, 100, 100), kit::kTitledWindowMask | kit::kClosableWindowMask);
  w.setDelegate(&d);
  w.orderFront();
  d.allowClose = false;
  w.performClose();
  EXPECT_TRUE(w.isVisible());
  // The window manager's close button goes the same way.
  w.nativeWidget()->close();
  EXPECT_TRUE(w.isVisible());
  EXPECT_EQ(d.log, (std::vector<std::string>{"shouldClose", "shouldClose"}));
  d.allowClose = true;
  w.performClose();
  EXPECT_FALSE(w.isVisible());
  EXPECT_EQ(d.log.back(), "willClose");
  // close() does not ask.
  d.log.clear();
  w.orderFront();
  d.allowClose = false;
  w.close();
  EXPECT_FALSE(w.isVisible());
  EXPECT_EQ(d.log, (std::vector<std::string>{"willClose"}));
  // A window without a close button ignores performClose.
  Window fixed(Rect(0, 0, 10, 10), kit::kTitledWindowMask);
  fixed.orderFront();
  fixed.performClose();
  EXPECT_TRUE(fixed.isVisible());
}

// A window that refuses the window manager's close (a busy window) stays, without asking its
// delegate; its own close button still goes through performClose.
TEST_F(WindowTest, ABusyWindowRefusesTheWindowManagersClose) {
  struct Busy : Window {
    using Window::Window;
    bool busy = true;
    bool acceptsWindowManagerClose() const override { return !busy; }
  };
  Delegate d;
  Busy w(Rect(0, 0, 100, 100), kit::kTitledWindowMask | kit::kClosableWindowMask);
  w.setDelegate(&d);
  w.orderFront();
  w.nativeWidget()->close();
  EXPECT_TRUE(w.isVisible());
  EXPECT_TRUE(d.log.empty());
  w.busy = false;
  w.nativeWidget()->close();
  EXPECT_FALSE(w.isVisible());
  EXPECT_EQ(d.log, (std::vector<std::string>{"shouldClose", "willClose"}));
}

TEST_F(WindowTest, UserResizingGoesThroughTheDelegateAndTheLimits) {
  Delegate d;
  Window w(Rect(0, 0, 200, 100), kit::kTitledWindowMask | kit::kResizableWindowMask);
  w.setDelegate(&d);
  w.setMinSize({150, 80 + Window::kTitleBarHeight});
  w.orderFront();
  double top = w.frame().maxY();
  // Program frames are set as given.
  w.setFrame(Rect(0, 0, 100, 50), false);
  EXPECT_EQ(w.frame(), Rect(0, 0, 100, 50));
  EXPECT_EQ(d.log, (std::vector<std::string>{"didResize"}));
  w.setFrame(Rect(0, 0, 200, 100 + Window::kTitleBarHeight), false);
  top = w.frame().maxY();
  d.log.clear();
  // A resize from the window manager: the delegate answers, the top edge stays.
  d.forcedSize = {260, 130};
  w.nativeWidget()->resize(240, 100);
  EXPECT_EQ(d.log, (std::vector<std::string>{"willResize", "didResize"}));
  EXPECT_EQ(w.frame().size, (Size{260, 130}));
  EXPECT_EQ(w.frame().maxY(), top);
  EXPECT_EQ(w.contentView()->frame().size, (Size{260, 130 - Window::kTitleBarHeight}));
  // Below the minimum: clamped.
  d.forcedSize = {0, 0};
  w.nativeWidget()->resize(20, 20);
  EXPECT_EQ(w.frame().size, (Size{150, 80 + Window::kTitleBarHeight}));
  // Zoom asks first.
  d.log.clear();
  d.allowZoom = false;
  Rect before = w.frame();
  w.performZoom();
  EXPECT_EQ(w.frame(), before);
  d.allowZoom = true;
  w.performZoom();
  EXPECT_TRUE(w.isZoomed());
  w.performZoom();
  EXPECT_EQ(w.frame(), before);
}

TEST_F(WindowTest, UpdateAfterEachPassAndAttentionRequests) {
  Delegate d;
  Window shown(Rect(0, 0, 10, 10), kit::kTitledWindowMask);
  Window hidden(Rect(0, 0, 10, 10), kit::kTitledWindowMask);
  Delegate dh;
  shown.setDelegate(&d);
  hidden.setDelegate(&dh);
  shown.orderFront();
  int updates = 0;
  fnd::NotificationCenter::Token t = fnd::NotificationCenter::defaultCenter().observe(
      Application::kDidUpdateNotification, nullptr, [&](const fnd::Notification&) { ++updates; });
  Application::shared().postEvent(kittest::key(shown, "a"));
  fnd::RunLoop::main().runOnce(fnd::RunLoopMode::Default, 0);
  EXPECT_EQ(d.log, (std::vector<std::string>{"update"}));
  EXPECT_TRUE(dh.log.empty());
  EXPECT_EQ(updates, 1);
  int before = Application::shared().userAttentionRequestCount();
  Application::shared().requestUserAttention(kit::AttentionRequest::Critical);
  EXPECT_EQ(Application::shared().userAttentionRequestCount(), before + 1);
}

TEST_F(WindowTest, MinFrameWidthWithTitleHoldsTheTitleBetweenTheButtons) {
  const unsigned utility = kit::kTitledWindowMask | kit::kClosableWindowMask | kit::kResizableWindowMask |
                           kit::kUtilityWindowMask;  // 27
  ASSERT_EQ(utility, 27u);
  const std::string title = "Brightness and contrast";
  const double titleWidth = kit::Font::systemFont(kit::Font::smallSystemFontSize()).widthOfString(title);
  const double w = Window::minFrameWidthWithTitle(title, utility);
  // The title whole, with the zoom button's room on both sides of the centred title.
  const double zoomRight = Window(Rect(0, 0, 50, 50), utility).standardWindowButtonFrame(kit::WindowButton::Zoom).maxX();
  EXPECT_GE(w, titleWidth + 2 * zoomRight);
  EXPECT_LT(w, titleWidth + 2 * zoomRight + 20);
  // A longer title needs more; a closable-only window less room; no title bar, no width.
  EXPECT_GT(Window::minFrameWidthWithTitle(title + " and more", utility), w);
  EXPECT_LT(Window::minFrameWidthWithTitle(title, kit::kTitledWindowMask | kit::kClosableWindowMask |
                                                      kit::kUtilityWindowMask),
            w);
  EXPECT_EQ(Window::minFrameWidthWithTitle(title, kit::kBorderlessWindowMask), 0.0);
  // The ordinary title font is larger than the utility panel's.
  EXPECT_GT(Window::minFrameWidthWithTitle(title, utility & ~kit::kUtilityWindowMask), w);
}
