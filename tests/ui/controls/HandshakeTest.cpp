// The click hand-shake with real mouse events: every clickable control announces a press, an
// observer of that announcement can swallow the click, "CONTROL_YES" follows, and the next
// click acts.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "ControlsTestSupport.h"
#include "kit/Menu.h"
#include "ui/controls/NoFocusButton.h"
#include "ui/controls/NoFocusPopUpButton.h"
#include "ui/controls/NoFocusRadioButton.h"
#include "ui/controls/NoFocusStepper.h"
#include "ui/controls/NoFocusTabView.h"
#include "ui/controls/Slider.h"
#include "ui/controls/TabViewItem.h"

using controls_test::PostRecorder;
using controls_test::TestWindow;

namespace {

// One clickable control in a window: where to click it, how to clear its flag, how many times
// it has acted.
struct Pressable {
  kit::View* view = nullptr;
  fnd::Point at;
  std::function<void()> clearFlag;
  std::function<int()> acted;
};

struct HandshakeCase {
  const char* name;
  const char* downPost;
  std::function<Pressable(TestWindow&, int& actions)> make;
};

fnd::Point centreInWindow(kit::View* v, const fnd::Rect& r) {
  return v->convertPointToView(fnd::Point(r.midX(), r.midY()), nullptr);
}

std::vector<HandshakeCase> cases() {
  return {
      {"button", "BUTTON_DOWN",
       [](TestWindow& w, int& actions) {
         auto* b = w.add(std::make_unique<Quirel_NoFocusButton>(fnd::Rect(10, 10, 100, 30)));
         b->setAction([&actions](kit::Control&) { ++actions; });
         return Pressable{b, {50, 25}, [b] { b->setDownOnOff(false); }, [&actions] { return actions; }};
       }},
      {"radio matrix", "RADIO_DOWN",
       [](TestWindow& w, int& actions) {
         auto* m = w.add(std::make_unique<Quirel_NoFocusRadioButton>(fnd::Rect(10, 10, 120, 40), 2, 1));
         m->setCellTitle(0, 0, "One");
         m->setCellTitle(1, 0, "Two");
         m->setAction([&actions](kit::Control&) { ++actions; });
         return Pressable{m, centreInWindow(m, m->cellFrame(1, 0)), [m] { m->setDownOnOff(false); },
                          [&actions] { return actions; }};
       }},
      {"stepper", "STEPPER_DOWN",
       [](TestWindow& w, int& actions) {
         auto* s = w.add(std::make_unique<Quirel_NoFocusStepper>(fnd::Rect(10, 10, 19, 27)));
         s->setAutorepeat(false);
         s->setMaxValue(100);
         s->setAction([&actions](kit::Control&) { ++actions; });
         return Pressable{s, {19, 32}, [s] { s->setDownOnOff(false); }, [s] { return s->intValue(); }};
       }},
      {"tab view", "TAB_DOWN",
       [](TestWindow& w, int&) {
         auto* t = w.add(std::make_unique<Quirel_NoFocusTabView>(fnd::Rect(10, 10, 300, 150)));
         for (const char* label : {"One", "Two"}) {
           auto item = std::make_unique<Quirel_TabViewItem>(label);
           item->setLabel(label);
           t->addTabViewItem(std::move(item));
         }
         t->selectTabViewItemAtIndex(0);
         return Pressable{t, centreInWindow(t, t->tabRect(1)), [t] { t->setChangeOnOff(false); },
                          [t] { return t->indexOfSelectedTabViewItem(); }};
       }},
      {"slider", "SLIDER_MOVE",
       [](TestWindow& w, int& actions) {
         auto* s = w.add(std::make_unique<Quirel_Slider>(fnd::Rect(10, 10, 200, 24)));
         s->setMaxValue(100);
         s->setAction([&actions](kit::Control&) { ++actions; });
         return Pressable{s, {160, 22}, [s] { s->setMoveOnOff(false); }, [&actions] { return actions; }};
       }},
  };
}

}  // namespace

TEST(ClickHandshake, AnObserverOfThePressSwallowsOneClick) {
  for (const HandshakeCase& c : cases()) {
    SCOPED_TRACE(c.name);
    TestWindow w;
    int actions = 0;
    Pressable p = c.make(w, actions);
    EXPECT_FALSE(p.view->acceptsFirstResponder());
    bool clearOnPress = true;
    auto token = fnd::NotificationCenter::defaultCenter().observe(c.downPost, p.view, [&](const fnd::Notification&) {
      if (clearOnPress) p.clearFlag();
    });
    PostRecorder rec({c.downPost, "CONTROL_YES"});
    const int before = p.acted();
    w.click(p.at);
    EXPECT_EQ(p.acted(), before) << "the swallowed click acted";
    EXPECT_EQ(rec.posts, (std::vector<std::string>{c.downPost, "CONTROL_YES"}));
    EXPECT_EQ(rec.senders, (std::vector<const void*>{p.view, p.view}));
    clearOnPress = false;
    rec.posts.clear();
    w.click(p.at);
    EXPECT_NE(p.acted(), before) << "the next click did not act";
    EXPECT_EQ(rec.posts, (std::vector<std::string>{c.downPost}));
  }
}

TEST(ClickHandshake, PopUpOfTypeTwoWithItsFlagClearedOpensOnTheNextPress) {
  TestWindow w;
  auto* pop = w.add(std::make_unique<Quirel_NoFocusPopUpButton>(fnd::Rect(10, 10, 120, 26)));
  pop->addItemsWithTitles({"A", "B"});
  pop->setNotificationType(2);
  pop->setMenuOnOff(false);
  int opened = 0;
  kit::Menu::onNextPopUp([&](kit::Menu&) {
    ++opened;
    return 1;
  });
  PostRecorder rec({"SET_VALUE", "CONTROL_SET_YES", "CONTROL_YES", "POPUP_DOWN"});
  w.click({40, 23});
  EXPECT_EQ(opened, 0);
  EXPECT_EQ(rec.posts, (std::vector<std::string>{"SET_VALUE", "CONTROL_SET_YES"}));
  rec.posts.clear();
  w.click({40, 23});
  EXPECT_EQ(opened, 1);
  EXPECT_EQ(pop->indexOfSelectedItem(), 1);
  EXPECT_EQ(rec.posts, (std::vector<std::string>{"SET_VALUE", "CONTROL_SET_YES"}));
}

TEST(ClickHandshake, PopUpOfTypeOneAnnouncesThePressAndFollowsTheHandshake) {
  TestWindow w;
  auto* pop = w.add(std::make_unique<Quirel_NoFocusPopUpButton>(fnd::Rect(10, 10, 120, 26)));
  pop->addItemsWithTitles({"A", "B"});
  int opened = 0;
  kit::Menu::onNextPopUp([&](kit::Menu&) {
    ++opened;
    return 1;
  });
  PostRecorder rec({"SET_VALUE", "CONTROL_SET_YES", "CONTROL_YES", "POPUP_DOWN"});
  pop->setMenuOnOff(false);
  w.click({40, 23});
  EXPECT_EQ(opened, 0);
  EXPECT_EQ(rec.posts, (std::vector<std::string>{"POPUP_DOWN", "CONTROL_YES"}));
  rec.posts.clear();
  w.click({40, 23});
  EXPECT_EQ(opened, 1);
  EXPECT_EQ(rec.posts, (std::vector<std::string>{"POPUP_DOWN"}));
}

TEST(ClickHandshake, StepperAndSliderCellsAnnounceTheEndOfEachPress) {
  TestWindow w;
  auto* stepper = w.add(std::make_unique<Quirel_NoFocusStepper>(fnd::Rect(10, 10, 19, 27)));
  stepper->setAutorepeat(false);
  auto* slider = w.add(std::make_unique<Quirel_Slider>(fnd::Rect(60, 10, 200, 24)));
  PostRecorder rec({"StepperCellStopTrackingPost", "SliderCellStopTrackingPost"});
  w.click({19, 32});
  w.click({150, 22});
  EXPECT_EQ(rec.posts, (std::vector<std::string>{"StepperCellStopTrackingPost", "SliderCellStopTrackingPost"}));
  EXPECT_EQ(rec.senders, (std::vector<const void*>{stepper->cell(), slider->cell()}));
}
