// The small views: tab labels that shrink the font, the grey-out of a disabled image view,
// the dialog background and the click blocker, the slider's knob picture.

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <memory>

#include "ControlsTestSupport.h"
#include "kit/RecordingContext.h"
#include "ui/controls/DisabledView.h"
#include "ui/controls/DlgBackgroundView.h"
#include "ui/controls/DlgImageView.h"
#include "ui/controls/NoFocusButton.h"
#include "ui/controls/NoFocusImageView.h"
#include "ui/controls/NoFocusTabView.h"
#include "ui/controls/Slider.h"
#include "ui/controls/TabViewItem.h"
#include "ui/controls/ToolView.h"

using controls_test::PostRecorder;
using controls_test::TestWindow;

TEST(SmallViews, TabLabelThatDoesNotFitShrinksTheFontOncePerLabel) {
  Quirel_NoFocusTabView tabs(fnd::Rect(0, 0, 160, 100));
  auto* first = static_cast<Quirel_TabViewItem*>(tabs.addTabViewItem(std::make_unique<Quirel_TabViewItem>("a")));
  first->setLabel("One");
  auto* second = static_cast<Quirel_TabViewItem*>(tabs.addTabViewItem(std::make_unique<Quirel_TabViewItem>("b")));
  second->setLabel("Two");
  const kit::Font original = tabs.font();
  kit::RecordingContext ctx;
  tabs.displayRectIgnoringOpacity(tabs.bounds(), ctx);
  EXPECT_EQ(tabs.font(), original) << "labels that fit keep the font";
  second->setLabel("A label far too long for its tab");
  tabs.displayRectIgnoringOpacity(tabs.bounds(), ctx);
  const kit::Font shrunk = kit::Font::labelFont(kit::Font::labelFontSize() - 1);
  EXPECT_EQ(tabs.font(), shrunk);
  // The check ran for this label: a font set afterwards stays through later drawings.
  tabs.setFont(original);
  tabs.displayRectIgnoringOpacity(tabs.bounds(), ctx);
  EXPECT_EQ(tabs.font(), original);
  second->setLabel("Another label far too long for it");
  tabs.displayRectIgnoringOpacity(tabs.bounds(), ctx);
  EXPECT_EQ(tabs.font(), shrunk);
}

TEST(SmallViews, DisabledImageViewLaysWhiteAtFortyPercentOverItself) {
  TestWindow w(fnd::Rect(0, 0, 120, 80));
  auto* view = w.add(std::make_unique<Quirel_NoFocusImageView>(fnd::Rect(10, 10, 60, 60)));
  view->setImage(kit::Image::named("BtnDirection_off", "quirel_r14"));
  std::filesystem::path dir = std::filesystem::temp_directory_path() / "controls-greyout";
  std::filesystem::create_directories(dir);
  auto grab = [&](const char* name) {
    std::string path = (dir / name).string();
    EXPECT_TRUE(w.window().grabToPng(path));
    return kit::Image::fromFile(path);
  };
  view->setEnabled(false);
  kit::Image disabled = grab("disabled.png");
  view->setGrayoutWhenDisable(false);
  kit::Image plain = grab("plain.png");
  ASSERT_TRUE(disabled.isValid() && plain.isValid());
  // A point of the background inside the view (top-left pixel counting) and one outside it.
  for (auto [x, y, inside] : {std::tuple{14, 20, true}, std::tuple{100, 20, false}}) {
    kit::Color before = plain.colorAtPixel(x, y);
    kit::Color after = disabled.colorAtPixel(x, y);
    double expected = inside ? before.redComponent() * 0.6 + 0.4 : before.redComponent();
    EXPECT_NEAR(after.redComponent(), expected, 2.0 / 255) << x << "," << y;
    EXPECT_NEAR(after.blueComponent(), inside ? before.blueComponent() * 0.6 + 0.4 : before.blueComponent(),
                2.0 / 255);
  }
}

TEST(SmallViews, DialogBackgroundAndToolViewReArmTheControls) {
  TestWindow w;
  auto* bg = w.add(std::make_unique<Quirel_DlgBackgroundView>(fnd::Rect(0, 0, 200, 100)));
  auto* image = w.add(std::make_unique<Quirel_DlgImageView>(fnd::Rect(0, 120, 50, 50)));
  auto* tool = w.add(std::make_unique<Quirel_ToolView>(fnd::Rect(220, 0, 100, 100)));
  PostRecorder rec({"CONTROL_YES", "DLG_MOUSE_DOWN"});
  w.click({50, 50});
  w.click({20, 140});
  w.click({250, 50});
  EXPECT_EQ(rec.posts, (std::vector<std::string>{"CONTROL_YES", "DLG_MOUSE_DOWN", "CONTROL_YES", "DLG_MOUSE_DOWN",
                                                 "CONTROL_YES"}));
  EXPECT_EQ(rec.senders, (std::vector<const void*>{bg, bg, image, image, tool}));
  EXPECT_TRUE(bg->acceptsFirstMouse(nullptr));
  EXPECT_FALSE(image->acceptsFirstResponder());
}

TEST(SmallViews, DisabledViewBlocksAClickToTheViewBeneath) {
  TestWindow w;
  auto* button = w.add(std::make_unique<Quirel_NoFocusButton>(fnd::Rect(10, 10, 100, 30)));
  int actions = 0;
  button->setAction([&](kit::Control&) { ++actions; });
  auto* blocker = w.add(std::make_unique<Quirel_DisabledView>(fnd::Rect(0, 0, 400, 300)));
  PostRecorder rec({"BUTTON_DOWN"});
  w.click({50, 25});
  EXPECT_EQ(actions, 0);
  EXPECT_TRUE(rec.posts.empty());
  blocker->setAlphaComponent(0.3f);
  EXPECT_FLOAT_EQ(blocker->alphaComponent(), 0.3f);
  blocker->removeFromSuperview();
  w.click({50, 25});
  EXPECT_EQ(actions, 1);
}

TEST(SmallViews, SliderDrawsItsKnobPictureAndAPlainBar) {
  Quirel_Slider slider(fnd::Rect(0, 0, 200, 24));
  slider.setMaxValue(100);
  slider.setDoubleValue(50);
  kit::Image knob = kit::Image::named("SliderKnob", "quirel_r14");
  ASSERT_TRUE(knob.isValid());
  slider.cell()->setKnobImage(knob);
  kit::RecordingContext ctx;
  slider.displayRectIgnoringOpacity(slider.bounds(), ctx);
  fnd::Rect k = slider.knobRect();
  std::vector<kit::DrawOperation> images;
  for (const auto& op : ctx.operations())
    if (op.kind == kit::DrawOperation::Kind::Image) images.push_back(op);
  ASSERT_EQ(images.size(), 1u);
  EXPECT_EQ(images[0].rect, fnd::Rect(k.origin.x - 5, k.origin.y - 11, 32, 32));
  EXPECT_EQ(images[0].opacity, 1.0);
  ASSERT_FALSE(ctx.fills().empty());
  EXPECT_EQ(ctx.fills()[0].state.fillColor, kit::Color::windowBackground());
  EXPECT_FALSE(slider.acceptsFirstResponder());
}
