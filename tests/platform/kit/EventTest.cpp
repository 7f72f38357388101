// Events: dispatch to views and the first responder, the view's own tracking loop, the hook
// before dispatch, tracking and cursor rectangles, key equivalents, and Qt input turned into
// events in window coordinates.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QWidget>

#include "KitTestSupport.h"
#include "kit/Cursor.h"
#include "kit/Panel.h"

using fnd::Point;
using fnd::Rect;
using kit::Application;
using kit::Event;
using kit::EventType;
using kit::View;
using kit::Window;
using kittest::key;
using kittest::mouse;
using kittest::Recorder;
using kittest::TestButton;

namespace {

using Log = std::vector<std::string>;

class EventTest : public kittest::KitTest {};

}  // namespace

TEST_F(EventTest, TrackingLoopGetsPressDragAndReleaseInOrderWhileOtherInputWaits) {
  Window w(Rect(0, 0, 200, 100), kit::kTitledWindowMask);
  Log log;
  auto* a = static_cast<Recorder*>(w.contentView()->addSubview(std::make_unique<Recorder>(Rect(0, 0, 100, 100), &log, "a")));
  auto* b = static_cast<Recorder*>(w.contentView()->addSubview(std::make_unique<Recorder>(Rect(100, 0, 100, 100), &log, "b")));
  a->trackOnMouseDown = true;
  b->firstResponder = true;
  w.makeKeyAndOrderFront();
  w.makeFirstResponder(b);
  Application& app = Application::shared();
  app.postEvent(mouse(EventType::LeftMouseDown, w, 10, 10));
  app.postEvent(mouse(EventType::LeftMouseDragged, w, 20, 10));
  app.postEvent(key(w, "x"));                                      // waits for the mouse-up
  app.postEvent(mouse(EventType::LeftMouseDragged, w, 150, 10));  // over b: still a's
  app.postEvent(mouse(EventType::LeftMouseUp, w, 150, 10));
  app.postEvent(mouse(EventType::LeftMouseDown, w, 150, 10));
  app.dispatchQueuedEvents();
  EXPECT_EQ(log, (Log{"a:down", "a:drag", "a:drag", "a:up", "b:key x", "b:down"}));
  EXPECT_EQ(app.queuedEventCount(), 0u);
}

TEST_F(EventTest, WithoutATrackingLoopDragsAndTheUpGoToTheViewPressed) {
  Window w(Rect(0, 0, 200, 100), kit::kTitledWindowMask);
  Log log;
  w.contentView()->addSubview(std::make_unique<Recorder>(Rect(0, 0, 100, 100), &log, "a"));
  w.contentView()->addSubview(std::make_unique<Recorder>(Rect(100, 0, 100, 100), &log, "b"));
  w.makeKeyAndOrderFront();
  Application& app = Application::shared();
  app.sendEvent(mouse(EventType::LeftMouseDown, w, 10, 10));
  app.sendEvent(mouse(EventType::LeftMouseDragged, w, 150, 10));
  app.sendEvent(mouse(EventType::LeftMouseUp, w, 150, 10));
  app.sendEvent(mouse(EventType::LeftMouseUp, w, 150, 10));
  EXPECT_EQ(log, (Log{"a:down", "a:dragged", "a:mouseUp", "b:mouseUp"}));
}

TEST_F(EventTest, MouseEventsMoveTheMouseLocationInScreenPoints) {
  Window w(Rect(100, 200, 80, 60), kit::kTitledWindowMask);
  w.makeKeyAndOrderFront();
  Application& app = Application::shared();
  app.sendEvent(mouse(EventType::MouseMoved, w, 10, 20));
  EXPECT_EQ(app.mouseLocation(), (Point{110, 220}));
  // An event a tracking loop takes from the queue moves it too.
  app.postEvent(mouse(EventType::LeftMouseDragged, w, 30, 40));
  auto e = app.nextEventMatchingMask(kit::kMouseTrackingMask, 0, fnd::RunLoopMode::EventTracking, &w);
  ASSERT_TRUE(e);
  EXPECT_EQ(app.mouseLocation(), (Point{130, 240}));
}

TEST_F(EventTest, HookBeforeDispatchDropsOrSwallowsBeforeAnyViewSeesTheEvent) {
  Window w(Rect(0, 0, 100, 100), kit::kTitledWindowMask);
  Log log;
  w.contentView()->addSubview(std::make_unique<Recorder>(Rect(0, 0, 100, 100), &log, "v"));
  w.makeKeyAndOrderFront();
  Application& app = Application::shared();
  int seen = 0;
  w.setEventHook([&](const Event& e) {
    ++seen;
    if (e.type() == EventType::LeftMouseDown && e.locationInWindow().x < 50) return kit::EventHookResult::Drop;
    if (e.type() == EventType::LeftMouseDown && e.locationInWindow().y > 90)
      return kit::EventHookResult::SwallowUntilMouseUp;
    return kit::EventHookResult::Pass;
  });
  app.sendEvent(mouse(EventType::LeftMouseDown, w, 10, 10));
  EXPECT_EQ(seen, 1);
  EXPECT_TRUE(log.empty());
  // Swallowed: the press, the drags and the release are gone; what follows gets through.
  app.postEvent(mouse(EventType::LeftMouseDown, w, 60, 95));
  app.postEvent(mouse(EventType::LeftMouseDragged, w, 70, 95));
  app.postEvent(mouse(EventType::LeftMouseUp, w, 70, 95));
  app.postEvent(mouse(EventType::LeftMouseDown, w, 60, 10));
  app.dispatchQueuedEvents();
  EXPECT_EQ(log, (Log{"v:down"}));
  w.setEventHook(nullptr);
  // The application's hook sees events before any window.
  app.setEventHook([](const Event& e) {
    return e.type() == EventType::KeyDown ? kit::EventHookResult::Drop : kit::EventHookResult::Pass;
  });
  log.clear();
  app.sendEvent(key(w, "a"));
  app.sendEvent(mouse(EventType::LeftMouseUp, w, 60, 10));
  EXPECT_EQ(log, (Log{"v:mouseUp"}));
  // The application's hook swallows a whole click as the window's does.
  app.setEventHook([](const Event& e) {
    return e.type() == EventType::LeftMouseDown && e.locationInWindow().y > 90 ? kit::EventHookResult::SwallowUntilMouseUp
                                                                               : kit::EventHookResult::Pass;
  });
  log.clear();
  app.postEvent(mouse(EventType::LeftMouseDown, w, 60, 95));
  app.postEvent(mouse(EventType::LeftMouseDragged, w, 70, 95));
  app.postEvent(mouse(EventType::LeftMouseUp, w, 70, 95));
  app.postEvent(mouse(EventType::LeftMouseDown, w, 60, 10));
  app.dispatchQueuedEvents();
  EXPECT_EQ(log, (Log{"v:down"}));
  EXPECT_EQ(app.queuedEventCount(), 0u);
}

TEST_F(EventTest, TitleBarClicksCanBeFilteredWithSyntheticEvents) {
  // A window that drops clicks on its zoom button unless enabled, as main windows do.
  class GuardedWindow : public Window {
   public:
    using Window::Window;
    bool enabled = false;
    int zooms = 0;
    void sendEvent(const Event& e) override {
      if (e.type() == EventType::LeftMouseDown) {
        Rect content = contentView()->frame();
        if (!content.contains(e.locationInWindow())) {
          if (standardWindowButtonFrame(kit::WindowButton::Zoom).contains(e.locationInWindow())) {
            if (!enabled) return;
            ++zooms;
          }
        }
      }
      Window::sendEvent(e);
    }
  };
  GuardedWindow w(Rect(0, 0, 200, 100), kit::kTitledWindowMask | kit::kClosableWindowMask | kit::kResizableWindowMask);
  Log log;
  w.contentView()->addSubview(std::make_unique<Recorder>(Rect(0, 0, 200, 100), &log, "v"));
  w.makeKeyAndOrderFront();
  Rect zoom = w.standardWindowButtonFrame(kit::WindowButton::Zoom);
  EXPECT_GE(zoom.minY(), 100.0);  // above the content
  EXPECT_LE(zoom.maxY(), 100.0 + Window::kTitleBarHeight);
  Event click = mouse(EventType::LeftMouseDown, w, zoom.midX(), zoom.midY());
  Application::shared().sendEvent(click);
  EXPECT_EQ(w.zooms, 0);
  w.enabled = true;
  Application::shared().sendEvent(click);
  EXPECT_EQ(w.zooms, 1);
  EXPECT_TRUE(log.empty());  // title-bar clicks reach no view
  EXPECT_TRUE(kit::Window(Rect(0, 0, 10, 10), kit::kBorderlessWindowMask)
                  .standardWindowButtonFrame(kit::WindowButton::Close)
                  .isEmpty());
}

TEST_F(EventTest, FirstClickIntoAnInactiveWindowActsOnlyOnViewsThatAcceptFirstMouse) {
  Window front(Rect(0, 0, 100, 100), kit::kTitledWindowMask);
  Window back(Rect(200, 0, 100, 100), kit::kTitledWindowMask);
  Log log;
  auto* plain = static_cast<Recorder*>(back.contentView()->addSubview(std::make_unique<Recorder>(Rect(0, 0, 50, 100), &log, "plain")));
  auto* eager = static_cast<Recorder*>(back.contentView()->addSubview(std::make_unique<Recorder>(Rect(50, 0, 50, 100), &log, "eager")));
  eager->firstMouse = true;
  (void)plain;
  back.orderFront();
  front.makeKeyAndOrderFront();
  Application& app = Application::shared();
  app.sendEvent(mouse(EventType::LeftMouseDown, back, 10, 10));
  EXPECT_TRUE(log.empty());
  EXPECT_TRUE(back.isKeyWindow());
  front.makeKeyAndOrderFront();
  app.sendEvent(mouse(EventType::LeftMouseDown, back, 60, 10));
  EXPECT_EQ(log, (Log{"eager:down"}));
}

TEST_F(EventTest, KeysGoToTheFirstResponderAfterKeyEquivalentsAndTheDefaultButton) {
  class CancelWindow : public Window {
   public:
    using Window::Window;
    int cancels = 0;
    void cancelOperation() override { ++cancels; }
  };
  CancelWindow w(Rect(0, 0, 200, 100), kit::kTitledWindowMask);
  Log log;
  auto* field = static_cast<Recorder*>(w.contentView()->addSubview(std::make_unique<Recorder>(Rect(0, 0, 100, 100), &log, "f")));
  auto* ok = static_cast<TestButton*>(w.contentView()->addSubview(std::make_unique<TestButton>(Rect(100, 0, 50, 20), "OK", nullptr)));
  auto* cancel = static_cast<TestButton*>(w.contentView()->addSubview(std::make_unique<TestButton>(Rect(150, 0, 50, 20), "Cancel", nullptr)));
  w.makeKeyAndOrderFront();
  Application& app = Application::shared();
  // A view that refuses cannot become first responder; the window stays it.
  EXPECT_FALSE(w.makeFirstResponder(field));
  EXPECT_EQ(w.firstResponder(), &w);
  field->firstResponder = true;
  EXPECT_TRUE(w.makeFirstResponder(field));
  app.sendEvent(key(w, "a"));
  EXPECT_EQ(log, (Log{"f:key a"}));
  // Return clicks the default button; Escape with no taker reaches cancelOperation.
  app.sendEvent(key(w, "\r"));
  EXPECT_EQ(ok->clicks, 0);
  w.setDefaultButton(ok);
  app.sendEvent(key(w, "\r"));
  EXPECT_EQ(ok->clicks, 1);
  app.sendEvent(key(w, "\x1b"));
  EXPECT_EQ(w.cancels, 1);
  EXPECT_EQ(log, (Log{"f:key a", "f:key \r", "f:key \x1b"}));
  // A button whose key equivalent is Escape takes it first.
  cancel->keyEquivalent = "\x1b";
  app.sendEvent(key(w, "\x1b"));
  EXPECT_EQ(cancel->clicks, 1);
  EXPECT_EQ(w.cancels, 1);
  // A hidden default button does not click; a removed one is forgotten.
  ok->setHidden(true);
  app.sendEvent(key(w, "\r"));
  EXPECT_EQ(ok->clicks, 1);
  ok->removeFromSuperview();
  EXPECT_EQ(w.defaultButton(), nullptr);
  // Modifier changes go to the first responder too; a mouse-down on a view that takes the
  // first responder makes it so.
  log.clear();
  app.sendEvent(Event::flagsChangedEvent(kit::kAlternateKeyMask, &w));
  EXPECT_EQ(log, (Log{"f:flags"}));
}

TEST_F(EventTest, TrackingRectanglesReportEnteredAndExited) {
  Window w(Rect(0, 0, 200, 100), kit::kTitledWindowMask);
  Log log;
  auto* v = static_cast<Recorder*>(w.contentView()->addSubview(std::make_unique<Recorder>(Rect(50, 0, 100, 100), &log, "v")));
  kit::TrackingRectTag tag = v->addTrackingRect(Rect(10, 10, 20, 20), nullptr, false);
  w.makeKeyAndOrderFront();
  Application& app = Application::shared();
  app.sendEvent(mouse(EventType::MouseMoved, w, 5, 5));
  app.sendEvent(mouse(EventType::MouseMoved, w, 65, 15));  // v's (15, 15)
  app.sendEvent(mouse(EventType::MouseMoved, w, 66, 16));
  app.sendEvent(mouse(EventType::LeftMouseDragged, w, 100, 50));
  EXPECT_EQ(log, (Log{"v:entered", "v:exited", "v:dragged"}));
  // Entered and exited pass the window's hook like any event.
  log.clear();
  std::vector<EventType> hooked;
  w.setEventHook([&](const Event& e) {
    hooked.push_back(e.type());
    return e.type() == EventType::MouseEntered ? kit::EventHookResult::Drop : kit::EventHookResult::Pass;
  });
  app.sendEvent(mouse(EventType::MouseMoved, w, 65, 15));
  app.sendEvent(mouse(EventType::MouseMoved, w, 5, 5));
  EXPECT_EQ(log, (Log{"v:exited"}));
  EXPECT_EQ(hooked, (std::vector<EventType>{EventType::MouseMoved, EventType::MouseEntered, EventType::MouseMoved,
                                            EventType::MouseExited}));
  w.setEventHook(nullptr);
  // Mouse moves reach the first responder only when the window asks for them.
  log.clear();
  w.setAcceptsMouseMovedEvents(true);
  v->firstResponder = true;
  w.makeFirstResponder(v);
  app.sendEvent(mouse(EventType::MouseMoved, w, 65, 15));
  EXPECT_EQ(log, (Log{"v:entered", "v:moved"}));
  v->removeTrackingRect(tag);
  log.clear();
  app.sendEvent(mouse(EventType::MouseMoved, w, 5, 5));
  EXPECT_EQ(log, (Log{"v:moved"}));
  // Scroll wheel events go to the view under the pointer.
  log.clear();
  app.sendEvent(Event::scrollWheelEvent({60, 50}, 0, 1, 0, &w));
  EXPECT_EQ(log, (Log{"v:wheel"}));
}

TEST_F(EventTest, CursorRectanglesSetTheCursorInTheKeyWindow) {
  class CursorView : public View {
   public:
    using View::View;
    int resets = 0;
    void resetCursorRects() override {
      ++resets;
      addCursorRect(Rect(0, 0, 50, 50), kit::Cursor::crosshair());
      addCursorRect(Rect(10, 10, 10, 10), kit::Cursor::pointingHand());
    }
  };
  Window w(Rect(0, 0, 200, 100), kit::kTitledWindowMask);
  auto* v = static_cast<CursorView*>(w.contentView()->addSubview(std::make_unique<CursorView>(Rect(100, 0, 100, 100))));
  Application& app = Application::shared();
  w.orderFront();
  kit::Cursor::arrow().set();
  app.sendEvent(mouse(EventType::MouseMoved, w, 120, 20));
  EXPECT_EQ(kit::Cursor::current(), kit::Cursor::arrow());  // not the key window
  w.makeKeyWindow();
  app.updateWindows();
  EXPECT_GE(v->resets, 1);
  app.sendEvent(mouse(EventType::MouseMoved, w, 140, 40));
  EXPECT_EQ(kit::Cursor::current(), kit::Cursor::crosshair());
  app.sendEvent(mouse(EventType::MouseMoved, w, 115, 15));
  EXPECT_EQ(kit::Cursor::current(), kit::Cursor::pointingHand());
  app.sendEvent(mouse(EventType::MouseMoved, w, 180, 80));
  EXPECT_EQ(kit::Cursor::current(), kit::Cursor::arrow());
  int before = v->resets;
  w.invalidateCursorRectsForView(v);
  app.sendEvent(mouse(EventType::MouseMoved, w, 140, 40));
  EXPECT_EQ(v->resets, before + 1);
  EXPECT_EQ(kit::Cursor::current(), kit::Cursor::crosshair());
  kit::Cursor::arrow().set();
}

TEST_F(EventTest, QtInputArrivesInWindowCoordinatesAndFeedsTheTrackingLoop) {
  Window w(Rect(0, 0, 200, 100), kit::kTitledWindowMask);
  Log log;
  auto* v = static_cast<Recorder*>(w.contentView()->addSubview(std::make_unique<Recorder>(Rect(20, 10, 100, 50), &log, "v")));
  v->trackOnMouseDown = true;
  std::vector<Point> where;
  w.setEventHook([&](const Event& e) {
    where.push_back(e.locationInWindow());
    return kit::EventHookResult::Pass;
  });
  w.makeKeyAndOrderFront();
  QWidget* widget = v->nativeWidget();
  ASSERT_NE(widget, nullptr);
  // Widget pixel (5, 45) is 5 points right of v's left edge and 5 above its bottom.
  auto post = [&](QEvent::Type t, QPointF p, Qt::MouseButton b, Qt::MouseButtons bs) {
    QCoreApplication::postEvent(widget, new QMouseEvent(t, p, widget->mapToGlobal(p), b, bs, Qt::NoModifier));
  };
  post(QEvent::MouseButtonPress, {5, 45}, Qt::LeftButton, Qt::LeftButton);
  post(QEvent::MouseMove, {15, 40}, Qt::NoButton, Qt::LeftButton);
  post(QEvent::MouseButtonRelease, {15, 40}, Qt::LeftButton, Qt::NoButton);
  for (int i = 0; i < 20 && log.size() < 3; ++i) fnd::RunLoop::main().runOnce(fnd::RunLoopMode::Default, 0.01);
  EXPECT_EQ(log, (Log{"v:down", "v:drag", "v:up"}));
  ASSERT_FALSE(where.empty());
  EXPECT_EQ(where[0], (Point{25, 15}));
  // A double click arrives as a second press with a click count of 2.
  std::vector<int> clicks;
  w.setEventHook([&](const Event& e) {
    if (e.type() == EventType::LeftMouseDown) clicks.push_back(e.clickCount());
    return kit::EventHookResult::Drop;
  });
  for (QEvent::Type t : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick,
                         QEvent::MouseButtonRelease}) {
    bool down = t != QEvent::MouseButtonRelease;
    QMouseEvent m(t, QPointF(5, 5), widget->mapToGlobal(QPointF(5, 5)), Qt::LeftButton,
                  down ? Qt::LeftButton : Qt::NoButton, Qt::ShiftModifier);
    QApplication::sendEvent(widget, &m);
  }
  EXPECT_EQ(clicks, (std::vector<int>{1, 2}));
  w.setEventHook(nullptr);
  // Keys go to the first responder, with Return as "\r".
  v->firstResponder = true;
  w.makeFirstResponder(v);
  log.clear();
  QKeyEvent ret(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
  QApplication::sendEvent(widget, &ret);
  QKeyEvent opt(QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier);
  QApplication::sendEvent(widget, &opt);
  EXPECT_EQ(log, (Log{"v:key \r", "v:flags"}));
}

TEST_F(EventTest, WhileAModalWindowRunsOtherWindowsGetNoInputUnlessTheyWorkWhenModal) {
  Window other(Rect(0, 0, 100, 100), kit::kTitledWindowMask);
  kit::Panel panel(Rect(200, 0, 100, 100), kit::kTitledWindowMask | kit::kUtilityWindowMask);
  Window modal(Rect(400, 0, 100, 100), kit::kTitledWindowMask);
  Log log;
  static_cast<Recorder*>(other.contentView()->addSubview(std::make_unique<Recorder>(Rect(0, 0, 100, 100), &log, "other")))
      ->firstMouse = true;
  static_cast<Recorder*>(panel.contentView()->addSubview(std::make_unique<Recorder>(Rect(0, 0, 100, 100), &log, "panel")))
      ->firstMouse = true;
  other.orderFront();
  panel.orderFront();
  panel.setWorksWhenModal(true);
  Application& app = Application::shared();
  kit::ModalSession* s = app.beginModalSession(modal);
  EXPECT_EQ(app.modalWindow(), &modal);
  app.sendEvent(mouse(EventType::LeftMouseDown, other, 10, 10));
  app.sendEvent(mouse(EventType::LeftMouseDown, panel, 10, 10));
  EXPECT_EQ(log, (Log{"panel:down"}));
  app.endModalSession(s);
  EXPECT_EQ(app.modalWindow(), nullptr);
  app.sendEvent(mouse(EventType::LeftMouseDown, other, 10, 10));
  EXPECT_EQ(log, (Log{"panel:down", "other:down"}));
}

TEST_F(EventTest, ViewsBackedByAQtEditorTakeTheirOwnInputAfterTheHooks) {
  // The seam for controls built on Qt widgets: kit places the widget and runs the hooks, Qt
  // does the editing.
  class Field : public View {
   public:
    explicit Field(const Rect& frame) : View(frame, new QLineEdit()) {}
    bool handlesNativeInput() const override { return true; }
    bool acceptsFirstResponder() const override { return true; }
    QLineEdit* edit() const { return static_cast<QLineEdit*>(nativeWidget()); }
  };
  Window w(Rect(0, 0, 200, 100), kit::kTitledWindowMask);
  auto* field = static_cast<Field*>(w.contentView()->addSubview(std::make_unique<Field>(Rect(10, 60, 150, 24))));
  w.makeKeyAndOrderFront();
  // Placed by its frame: 60 up from the bottom is 16 down from the top.
  EXPECT_EQ(field->edit()->geometry(), QRect(10, 16, 150, 24));
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), field->edit()->mapToGlobal(QPointF(5, 5)),
                    Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(field->edit(), &press);
  EXPECT_EQ(w.firstResponder(), field);
  QKeyEvent a(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
  QApplication::sendEvent(field->edit(), &a);
  EXPECT_EQ(field->edit()->text(), QStringLiteral("a"));
  auto type = [&](Qt::Key k, const char* text) {
    QKeyEvent e(QEvent::KeyPress, k, Qt::NoModifier, QString::fromLatin1(text));
    QApplication::sendEvent(field->edit(), &e);
  };
  // The window's hook and the application's see native input too, before Qt does.
  w.setEventHook([](const Event& e) { return e.isKey() ? kit::EventHookResult::Drop : kit::EventHookResult::Pass; });
  type(Qt::Key_B, "b");
  EXPECT_EQ(field->edit()->text(), QStringLiteral("a"));
  w.setEventHook(nullptr);
  Application::shared().setEventHook([](const Event&) { return kit::EventHookResult::Drop; });
  type(Qt::Key_C, "c");
  EXPECT_EQ(field->edit()->text(), QStringLiteral("a"));
  Application::shared().setEventHook(nullptr);
  type(Qt::Key_D, "d");
  EXPECT_EQ(field->edit()->text(), QStringLiteral("ad"));
}
