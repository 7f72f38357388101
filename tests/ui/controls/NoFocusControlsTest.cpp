// The no-focus controls: they never take the keyboard focus, and the button announces a press
// before it handles it.

#include <gtest/gtest.h>

#include <vector>

#include "foundation/NotificationCenter.h"
#include "kit/Application.h"
#include "kit/Event.h"
#include "kit/Window.h"
#include "ui/controls/NoFocusButton.h"
#include "ui/controls/NoFocusImageView.h"

TEST(NoFocusControls, ButtonPostsButtonDownBeforeItActs) {
  kit::Window window(fnd::Rect(0, 0, 200, 100), kit::kTitledWindowMask);
  auto* button = static_cast<Quirel_NoFocusButton*>(
      window.contentView()->addSubview(std::make_unique<Quirel_NoFocusButton>(fnd::Rect(10, 10, 100, 32))));
  std::vector<std::string> order;
  button->setAction([&](kit::Control&) { order.push_back("action"); });
  auto token = fnd::NotificationCenter::defaultCenter().observe(
      Quirel_NoFocusButton::kButtonDownPost, nullptr, [&](const fnd::Notification& n) {
        order.push_back(n.sender == button ? "BUTTON_DOWN from the button" : "BUTTON_DOWN from another");
      });
  window.makeKeyAndOrderFront();
  // A whole press, dispatched as the loop would.
  kit::Application& app = kit::Application::shared();
  app.postEvent(kit::Event::mouseEvent(kit::EventType::LeftMouseDown, {50, 25}, 0, &window));
  app.postEvent(kit::Event::mouseEvent(kit::EventType::LeftMouseUp, {50, 25}, 0, &window));
  app.dispatchQueuedEvents();
  EXPECT_EQ(order, (std::vector<std::string>{"BUTTON_DOWN from the button", "action"}));
  EXPECT_FALSE(button->acceptsFirstResponder());
  EXPECT_FALSE(window.makeFirstResponder(button) && window.firstResponder() == button);
  window.orderOut();
}

TEST(NoFocusControls, ImageViewRefusesFocusAndKeepsItsImage) {
  Quirel_NoFocusImageView view(fnd::Rect(0, 0, 64, 64));
  EXPECT_FALSE(view.acceptsFirstResponder());
  view.setImage(kit::Image::named("caution"));
  EXPECT_TRUE(view.image().isValid());
}
