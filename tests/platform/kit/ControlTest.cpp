// Buttons, the radio matrix, the stepper and the slider: clicks, the owner's swallow hook,
// states, key equivalents, limits and the stop-tracking hooks.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QMouseEvent>
#include <QWidget>
#include <memory>

#include "foundation/RunLoop.h"

#include "KitTestSupport.h"
#include "kit/Button.h"
#include "kit/Matrix.h"
#include "kit/Slider.h"
#include "kit/Stepper.h"

namespace {

using fnd::Rect;
using kit::Button;
using kit::ButtonType;
using kit::EventType;
using kit::Window;
using kittest::mouse;

class ControlTest : public kittest::KitTest {
 protected:
  void SetUp() override {
    KitTest::SetUp();
    window = std::make_unique<Window>(Rect(100, 100, 300, 200), kit::kTitledWindowMask);
    window->makeKeyAndOrderFront();
  }
  void TearDown() override {
    window.reset();
    KitTest::TearDown();
  }
  template <class T>
  T* add(std::unique_ptr<T> v) {
    return static_cast<T*>(window->contentView()->addSubview(std::move(v)));
  }
  // A whole press: down, up at the same place, dispatched as the loop would.
  void click(double x, double y, int clicks = 1) {
    kit::Application& app = kit::Application::shared();
    app.postEvent(mouse(EventType::LeftMouseDown, *window, x, y, 0, clicks));
    app.postEvent(mouse(EventType::LeftMouseUp, *window, x, y, 0, clicks));
    app.dispatchQueuedEvents();
  }
  std::unique_ptr<Window> window;
};

TEST_F(ControlTest, AnOwnerSwallowsOnePressAndTheNextPressActs) {
  auto* button = add(std::make_unique<Button>(Rect(20, 20, 100, 30)));
  int actions = 0;
  button->setAction([&](kit::Control&) { ++actions; });
  // The owner's one-shot flag, as the hand-shake keeps it: cleared while a text entry is
  // unconfirmed, restored by the swallowed press.
  bool armed = false;
  int swallowed = 0;
  button->setMouseDownHook([&](kit::Control&, const kit::Event&) {
    if (armed) return true;
    armed = true;
    ++swallowed;
    return false;
  });
  click(50, 35);
  EXPECT_EQ(actions, 0);
  EXPECT_EQ(swallowed, 1);
  EXPECT_FALSE(button->isHighlighted());
  click(50, 35);
  EXPECT_EQ(actions, 1);
  EXPECT_EQ(swallowed, 1);
}

TEST_F(ControlTest, AClickFromQtPressesTheButtonAndTheHookSeesItFirst) {
  auto* button = add(std::make_unique<Button>(Rect(20, 20, 100, 30)));
  int actions = 0, hooks = 0;
  button->setAction([&](kit::Control&) { ++actions; });
  button->setMouseDownHook([&](kit::Control&, const kit::Event& e) {
    ++hooks;
    EXPECT_EQ(e.locationInWindow(), (fnd::Point{30, 40}));
    return true;
  });
  QWidget* widget = button->nativeWidget();
  auto post = [&](QEvent::Type t, Qt::MouseButtons held) {
    QPointF p(10, 10);  // 10 right of the left edge, 10 down from the top: (30, 40) in the window
    QCoreApplication::postEvent(widget, new QMouseEvent(t, p, widget->mapToGlobal(p), Qt::LeftButton, held, Qt::NoModifier));
  };
  post(QEvent::MouseButtonPress, Qt::LeftButton);
  post(QEvent::MouseButtonRelease, Qt::NoButton);
  for (int i = 0; i < 50 && actions == 0; ++i) fnd::RunLoop::main().runOnce(fnd::RunLoopMode::Default, 0.01);
  EXPECT_EQ(hooks, 1);
  EXPECT_EQ(actions, 1);
}

TEST_F(ControlTest, ReleasingOutsideOrOnADisabledButtonDoesNothing) {
  auto* button = add(std::make_unique<Button>(Rect(20, 20, 100, 30)));
  int actions = 0;
  button->setAction([&](kit::Control&) { ++actions; });
  kit::Application& app = kit::Application::shared();
  app.postEvent(mouse(EventType::LeftMouseDown, *window, 50, 35));
  app.postEvent(mouse(EventType::LeftMouseDragged, *window, 250, 150));
  app.postEvent(mouse(EventType::LeftMouseUp, *window, 250, 150));
  app.dispatchQueuedEvents();
  EXPECT_EQ(actions, 0);
  // Dragged out and back in: acts once.
  app.postEvent(mouse(EventType::LeftMouseDown, *window, 50, 35));
  app.postEvent(mouse(EventType::LeftMouseDragged, *window, 250, 150));
  app.postEvent(mouse(EventType::LeftMouseDragged, *window, 60, 30));
  app.postEvent(mouse(EventType::LeftMouseUp, *window, 60, 30));
  app.dispatchQueuedEvents();
  EXPECT_EQ(actions, 1);
  button->setEnabled(false);
  click(50, 35);
  EXPECT_FALSE(button->performClick());
  EXPECT_EQ(actions, 1);
}

TEST_F(ControlTest, ADoubleClickOnAButtonThatIgnoresMultipleClicksActsOnce) {
  auto* button = add(std::make_unique<Button>(Rect(20, 20, 100, 30)));
  int actions = 0;
  button->setAction([&](kit::Control&) { ++actions; });
  button->setIgnoresMultipleClicks(true);
  click(50, 35, 1);
  click(50, 35, 2);
  EXPECT_EQ(actions, 1);
}

TEST_F(ControlTest, ButtonTypesChangeTheirStateOnAClick) {
  struct Case {
    ButtonType type;
    int afterOne;
    int afterTwo;
  };
  const Case cases[] = {
      {ButtonType::MomentaryPushIn, kit::kOffState, kit::kOffState},
      {ButtonType::Switch, kit::kOnState, kit::kOffState},
      {ButtonType::OnOff, kit::kOnState, kit::kOffState},
      {ButtonType::PushOnPushOff, kit::kOnState, kit::kOffState},
      {ButtonType::Radio, kit::kOnState, kit::kOnState},
  };
  for (const Case& c : cases) {
    Button b(Rect(0, 0, 80, 20));
    b.setButtonType(c.type);
    int seen = -5;
    b.setAction([&](kit::Control& sender) { seen = sender.state(); });
    b.performClick();
    EXPECT_EQ(b.state(), c.afterOne) << static_cast<int>(c.type);
    EXPECT_EQ(seen, c.afterOne) << "the action sees the new state";
    b.performClick();
    EXPECT_EQ(b.state(), c.afterTwo) << static_cast<int>(c.type);
  }
}

TEST_F(ControlTest, KeyEquivalentsClickTheButtonThatClaimsThem) {
  auto* ok = add(std::make_unique<Button>(Rect(20, 20, 80, 30)));
  auto* cancel = add(std::make_unique<Button>(Rect(120, 20, 80, 30)));
  int okClicks = 0, cancelClicks = 0;
  ok->setAction([&](kit::Control&) { ++okClicks; });
  cancel->setAction([&](kit::Control&) { ++cancelClicks; });
  ok->setKeyEquivalent("\r");
  cancel->setKeyEquivalent(std::string(1, kit::keys::kEscape));
  EXPECT_TRUE(window->contentView()->performKeyEquivalent(kittest::key(*window, "\r")));
  EXPECT_TRUE(window->contentView()->performKeyEquivalent(kittest::key(*window, std::string(1, kit::keys::kEscape))));
  EXPECT_FALSE(window->contentView()->performKeyEquivalent(kittest::key(*window, "x")));
  EXPECT_EQ(okClicks, 1);
  EXPECT_EQ(cancelClicks, 1);
  // An emptied key equivalent no longer answers.
  ok->setKeyEquivalent("");
  EXPECT_FALSE(window->contentView()->performKeyEquivalent(kittest::key(*window, "\r")));
}

TEST_F(ControlTest, TargetAndActionCallTheTargetWithTheSender) {
  struct Owner {
    kit::Control* sender = nullptr;
    void pushed(kit::Control* c) { sender = c; }
  } owner;
  Button b(Rect(0, 0, 80, 20));
  b.setTarget(&owner, &Owner::pushed);
  EXPECT_EQ(b.target(), &owner);
  b.performClick();
  EXPECT_EQ(owner.sender, &b);
  // A button that clears its own action on the first click does nothing on the second.
  b.setAction([](kit::Control& c) { c.clearAction(); });
  EXPECT_TRUE(b.sendAction());
  EXPECT_FALSE(b.sendAction());
}

TEST_F(ControlTest, MatrixSelectsOneCellAndKeepsItsRules) {
  auto* m = add(std::make_unique<kit::Matrix>(Rect(20, 20, 120, 60), 0, 1));
  for (const char* t : {"Reflective", "Film", "Feeder"}) {
    m->addRow();
    m->setCellTitle(m->numberOfRows() - 1, 0, t);
  }
  m->setToolTip("Film holder", 1, 0);
  EXPECT_EQ(m->toolTipForCell(1, 0), "Film holder");
  EXPECT_EQ(m->toolTipForCell(7, 0), "");
  EXPECT_EQ(m->selectedRow(), -1);
  int actions = 0;
  m->setAction([&](kit::Control&) { ++actions; });
  // Three rows of 20 points from the top: row 2 is the bottom band.
  click(40, 25);
  EXPECT_EQ(m->selectedRow(), 2);
  EXPECT_EQ(m->selectedColumn(), 0);
  EXPECT_EQ(actions, 1);
  m->selectCellAtRow(0, 0);
  EXPECT_EQ(m->cellAt(0, 0)->state, kit::kOnState);
  EXPECT_EQ(m->cellAt(2, 0)->state, kit::kOffState);
  m->setAllowsEmptySelection(false);
  m->selectCellAtRow(-1, -1);
  EXPECT_EQ(m->selectedRow(), 0);
  m->setAllowsEmptySelection(true);
  m->selectCellAtRow(-1, -1);
  EXPECT_EQ(m->selectedRow(), -1);
  // A disabled cell cannot be chosen.
  m->cellAt(1, 0)->enabled = false;
  click(40, 45);
  EXPECT_EQ(m->selectedRow(), -1);
  EXPECT_FALSE(m->performClickOnCell(1, 0));
  EXPECT_EQ(actions, 1);
}

TEST_F(ControlTest, StepperClampsWithoutWrappingAndStopsTrackingOncePerPress) {
  auto* s = add(std::make_unique<kit::Stepper>(Rect(20, 20, 15, 22)));
  s->setMinValue(0);
  s->setMaxValue(3);
  s->setIncrement(1);
  s->setValueWraps(false);
  s->setAutorepeat(false);
  s->setDoubleValue(2);
  int stops = 0, actions = 0;
  s->setStopTrackingHook([&](kit::Stepper&, bool up) {
    ++stops;
    EXPECT_TRUE(up);
  });
  s->setAction([&](kit::Control&) { ++actions; });
  // Upper half steps up, lower half down.
  click(27, 38);
  click(27, 38);
  click(27, 38);
  EXPECT_EQ(s->intValue(), 3);
  EXPECT_EQ(stops, 3);
  EXPECT_EQ(actions, 3);
  for (int i = 0; i < 5; ++i) click(27, 24);
  EXPECT_EQ(s->intValue(), 0);
  EXPECT_EQ(stops, 8);
  // With wrapping the top leads back to the minimum.
  s->setValueWraps(true);
  s->setDoubleValue(3);
  s->stepUp();
  EXPECT_EQ(s->intValue(), 0);
  s->setDoubleValue(99);
  EXPECT_EQ(s->intValue(), 3);
}

TEST_F(ControlTest, AnAutorepeatingStepperHeldDownStopsAtItsMaximumAndStopsTrackingOnce) {
  auto* s = add(std::make_unique<kit::Stepper>(Rect(20, 20, 15, 22)));
  s->setMinValue(0);
  s->setMaxValue(3);
  s->setValueWraps(false);
  s->setAutorepeat(true);
  s->setDoubleValue(1);
  int stops = 0, actions = 0;
  s->setStopTrackingHook([&](kit::Stepper&, bool) { ++stops; });
  kit::Application& app = kit::Application::shared();
  // Held through the press and four repeats (two of them against the maximum), then released.
  s->setAction([&](kit::Control&) {
    if (++actions == 5) app.postEvent(mouse(EventType::LeftMouseUp, *window, 27, 38));
  });
  app.postEvent(mouse(EventType::LeftMouseDown, *window, 27, 38));
  app.dispatchQueuedEvents();
  EXPECT_EQ(s->intValue(), 3);
  EXPECT_EQ(actions, 5);
  EXPECT_EQ(stops, 1);
}

TEST_F(ControlTest, SliderFollowsTheDragAndStopsTrackingOnce) {
  auto* s = add(std::make_unique<kit::Slider>(Rect(20, 20, 216, 20)));
  s->setMinValue(0);
  s->setMaxValue(200);
  std::vector<double> seen;
  int stops = 0;
  s->setAction([&](kit::Control& c) { seen.push_back(c.doubleValue()); });
  s->setStopTrackingHook([&](kit::Slider&, bool) { ++stops; });
  kit::Application& app = kit::Application::shared();
  // The bar runs from 8 to 208 within the slider (half a knob in from each end).
  app.postEvent(mouse(EventType::LeftMouseDown, *window, 20 + 8 + 50, 30));
  app.postEvent(mouse(EventType::LeftMouseDragged, *window, 20 + 8 + 150, 30));
  app.postEvent(mouse(EventType::LeftMouseDragged, *window, 400, 30));
  app.postEvent(mouse(EventType::LeftMouseUp, *window, 400, 30));
  app.dispatchQueuedEvents();
  ASSERT_FALSE(seen.empty());
  EXPECT_DOUBLE_EQ(seen.front(), 50);
  EXPECT_DOUBLE_EQ(s->doubleValue(), 200);
  EXPECT_EQ(stops, 1);
  s->setDoubleValue(-4);
  EXPECT_DOUBLE_EQ(s->doubleValue(), 0);
}

}  // namespace
