#include <gtest/gtest.h>

#include <iostream>

#include "TestEnvironment.h"
#include "foundation/NotificationCenter.h"
#include "kit/Application.h"
#include "kit/Button.h"
#include "kit/TextField.h"
#include "kit/View.h"
#include "ui/controls/NoFocusProgressIndicator.h"
#include "ui/windows/ProcessImageDialog.h"
#include "ui/windows/ProcessImagePanel.h"

namespace {

void step(const fnd::Dictionary* info = nullptr) {
  fnd::NotificationCenter::defaultCenter().post(Quirel_ProcessImageDialog::kPercentagePost, nullptr,
                                                info ? fnd::makeShared(*info) : nullptr);
}

std::string shown(const Quirel_ProcessImageDialog& d) { return d.textField()->stringValue(); }

}  // namespace

TEST(ProcessImageDialog, StepsDivideTheWorkAndTheLastReachesAHundred) {
  Quirel_ProcessImageDialog d;
  d.setDivideCount(3);
  EXPECT_EQ(d.incrementPercentage(), 33);
  EXPECT_EQ(d.maxPercentage(), 99);
  d.showProcessImageDialog();
  step();  // the first step shows 1 and then its own value: 0 + 33, not 1 + 33
  EXPECT_EQ(shown(d), "33%");
  step();
  EXPECT_EQ(shown(d), "66%");
  EXPECT_EQ(d.indicator()->doubleValue(), 66);
  step();
  EXPECT_EQ(shown(d), "100%");
  EXPECT_EQ(d.indicator()->doubleValue(), 100);

  Quirel_ProcessImageDialog one;
  one.setDivideCount(1);
  one.showProcessImageDialog();
  step();
  EXPECT_EQ(shown(one), "100%");
  one.setDivideCount(0);  // never a division by zero
  EXPECT_EQ(one.incrementPercentage(), 100);
}

TEST(ProcessImageDialog, AGivenPercentageAbove100Shows100) {
  Quirel_ProcessImageDialog d;
  d.setDivideCount(4);
  d.showProcessImageDialog();
  const fnd::Dictionary over{{"Percentage", 150}};
  step(&over);
  EXPECT_EQ(shown(d), "100%");
  const fnd::Dictionary some{{"Percentage", 40}};
  step(&some);
  EXPECT_EQ(shown(d), "40%");
  const fnd::Dictionary none{{"Other", 1}};
  step(&none);  // user information without the key keeps the value
  EXPECT_EQ(shown(d), "40%");
}

TEST(ProcessImageDialog, OnePanelForTwoShowsAndACloseBeforeTheShowDoesNothing) {
  Quirel_ProcessImageDialog d;
  d.closeProcessImageDialog();
  EXPECT_EQ(d.panel(), nullptr);
  kit::Window parent(fnd::Rect(100, 100, 700, 500), kit::kTitledWindowMask);
  d.setParentWindow(&parent);
  d.setParentWindow(nullptr);  // ignored
  d.showProcessImageDialog();
  Quirel_ProcessImagePanel* panel = d.panel();
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(panel->level(), 11);
  EXPECT_TRUE(panel->worksWhenModal());
  EXPECT_NEAR(panel->frame().midX(), parent.frame().midX(), 1);
  fnd::NotificationCenter::defaultCenter().post(Quirel_ProcessImageDialog::kShowPost);
  EXPECT_EQ(d.panel(), panel);
  EXPECT_EQ(d.textField()->stringValue(), "0%");
  const std::string png = (testenv::freshFolder("process-image") / "process-image.png").string();
  step();
  ASSERT_TRUE(panel->grabToPng(png));
  std::cout << "image-processing panel screenshot: " << png << std::endl;
}

TEST(ProcessImageDialog, EventsAfterTheCloseAreDropped) {
  Quirel_ProcessImageDialog d;
  d.showProcessImageDialog();
  int clicks = 0;
  auto button = std::make_unique<kit::Button>(fnd::Rect(0, 0, 60, 24));
  button->setAction([&](kit::Control&) { ++clicks; });
  d.panel()->contentView()->addSubview(std::move(button));
  kit::Application& app = kit::Application::shared();
  const auto press = [&] {
    app.postEvent(kit::Event::mouseEvent(kit::EventType::LeftMouseDown, {20, 10}, 0, d.panel()));
    app.postEvent(kit::Event::mouseEvent(kit::EventType::LeftMouseUp, {20, 10}, 0, d.panel()));
    app.dispatchQueuedEvents();
  };
  press();
  EXPECT_EQ(clicks, 1);
  fnd::NotificationCenter::defaultCenter().post(Quirel_ProcessImageDialog::kClosePost);
  EXPECT_TRUE(d.panel()->stopEvent());
  EXPECT_FALSE(d.panel()->isVisible());
  d.panel()->sendEvent(kit::Event::mouseEvent(kit::EventType::LeftMouseDown, {20, 10}, 0, d.panel()));
  d.panel()->sendEvent(kit::Event::mouseEvent(kit::EventType::LeftMouseUp, {20, 10}, 0, d.panel()));
  EXPECT_EQ(clicks, 1);
}
