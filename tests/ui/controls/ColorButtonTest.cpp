// The colour button, driven by real mouse events through the application's queue, and drawn
// into a recording context.

#include <gtest/gtest.h>

#include <memory>

#include "ControlsTestSupport.h"
#include "foundation/RunLoop.h"
#include "kit/RecordingContext.h"
#include "kit/TextField.h"
#include "ui/controls/ColorButton.h"

using controls_test::PostRecorder;
using controls_test::TestWindow;
using kit::EventType;

namespace {

struct ColorButtonFixture : ::testing::Test {
  TestWindow w;
  Quirel_ColorButton* button = w.add(std::make_unique<Quirel_ColorButton>(fnd::Rect(20, 20, 96, 32)));
  int actions = 0;
  kit::Image enter = kit::Image::named("PreviewButton_In", "quirel_r14");
  kit::Image exit = kit::Image::named("PreviewButton_Out", "quirel_r14");
  kit::Image down = kit::Image::named("PreviewButton_Down", "quirel_r14");

  ColorButtonFixture() {
    button->setAction([this](kit::Control&) { ++actions; });
    button->setImage(enter, exit, down, kit::Image());
  }
  // What the button draws: its image operations.
  std::vector<kit::DrawOperation> images() {
    kit::RecordingContext ctx;
    button->displayRectIgnoringOpacity(button->bounds(), ctx);
    std::vector<kit::DrawOperation> out;
    for (const kit::DrawOperation& op : ctx.operations())
      if (op.kind == kit::DrawOperation::Kind::Image) out.push_back(op);
    return out;
  }
};

}  // namespace

TEST_F(ColorButtonFixture, PicturesArePresent) {
  ASSERT_TRUE(enter.isValid());
  ASSERT_TRUE(exit.isValid());
  ASSERT_TRUE(down.isValid());
}

TEST_F(ColorButtonFixture, ReleaseInsideActsOnceReleaseOutsideNever) {
  struct Case {
    const char* name;
    std::vector<std::pair<EventType, fnd::Point>> events;
    int actions;
  };
  const Case cases[] = {
      {"press, release", {{EventType::LeftMouseDown, {60, 36}}, {EventType::LeftMouseUp, {60, 36}}}, 1},
      {"press, out, back in, release",
       {{EventType::LeftMouseDown, {60, 36}},
        {EventType::LeftMouseDragged, {300, 200}},
        {EventType::LeftMouseDragged, {62, 38}},
        {EventType::LeftMouseUp, {62, 38}}},
       1},
      {"press, out, release outside",
       {{EventType::LeftMouseDown, {60, 36}},
        {EventType::LeftMouseDragged, {300, 200}},
        {EventType::LeftMouseUp, {300, 200}}},
       0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    actions = 0;
    PostRecorder rec({"BUTTON_DOWN"});
    for (const auto& [type, at] : c.events) w.post(type, at);
    w.dispatch();
    EXPECT_EQ(actions, c.actions);
    EXPECT_EQ(rec.posts.size(), 1u);
    EXPECT_FALSE(button->isDown());
  }
}

TEST_F(ColorButtonFixture, DoubleClickActsOnceWhenMultipleClicksAreIgnored) {
  button->setIgnoresMultipleClicks(true);
  w.click({60, 36}, 1);
  w.click({60, 36}, 2);
  EXPECT_EQ(actions, 1);
  button->setIgnoresMultipleClicks(false);
  w.click({60, 36}, 2);
  EXPECT_EQ(actions, 2);
}

TEST_F(ColorButtonFixture, SwallowedPressPostsControlYesAndActsNext) {
  PostRecorder rec({"BUTTON_DOWN", "CONTROL_YES"});
  button->setDownOnOff(false);
  w.click({60, 36});
  EXPECT_EQ(actions, 0);
  EXPECT_EQ(rec.posts, (std::vector<std::string>{"BUTTON_DOWN", "CONTROL_YES"}));
  w.click({60, 36});
  EXPECT_EQ(actions, 1);
}

TEST_F(ColorButtonFixture, WithoutAnActionReleaseOnlyRedraws) {
  button->clearAction();
  w.click({60, 36});
  EXPECT_FALSE(button->isDown());
  EXPECT_EQ(actions, 0);
}

TEST_F(ColorButtonFixture, PressEndsWhenTheWindowClosesDuringTheWait) {
  // Only the press is queued; the window closes while the button waits for its mouse-up.
  bool closed = false;
  fnd::RunLoop::main().performAfterDelay(0.05, [&] {
    closed = true;
    w.window().close();
  }, fnd::kCommonModes);
  w.post(EventType::LeftMouseDown, {60, 36});
  w.dispatch();
  EXPECT_TRUE(closed);
  EXPECT_FALSE(button->isDown());
  EXPECT_EQ(actions, 0);
}

TEST_F(ColorButtonFixture, ShownPictureFollowsHoverPressAndEnabling) {
  // Disabled without a disabled picture: the pointer-away picture at half strength.
  button->setEnabled(false);
  auto ops = images();
  ASSERT_EQ(ops.size(), 1u);
  EXPECT_EQ(ops[0].opacity, 0.5);
  EXPECT_EQ(ops[0].rect, button->bounds());
  EXPECT_EQ(ops[0].imageSize, exit.size());
  // With a disabled picture: that one, at full strength.
  kit::Image disabled = kit::Image::named("ScanButton_Out", "quirel_r14");
  button->setImage(enter, exit, down, disabled);
  ops = images();
  ASSERT_EQ(ops.size(), 1u);
  EXPECT_EQ(ops[0].opacity, 1.0);
  EXPECT_EQ(ops[0].imageSize, disabled.size());
  // Hover on the key window shows the pointer-over picture; leaving shows pointer-away.
  button->setEnabled(true);
  w.moveTo({300, 200});
  w.moveTo({60, 36});
  EXPECT_TRUE(button->isEnter());
  w.moveTo({300, 200});
  EXPECT_FALSE(button->isEnter());
}

TEST(ColorButton, HoverOnAWindowThatIsNotKeyKeepsThePointerAway) {
  TestWindow w(fnd::Rect(0, 0, 300, 200), false);
  auto* button = w.add(std::make_unique<Quirel_ColorButton>(fnd::Rect(20, 20, 96, 32)));
  w.moveTo({250, 150});
  w.moveTo({60, 36});
  EXPECT_FALSE(button->isEnter());
}

TEST(ColorButton, SecondTitleReplacesTheLabel) {
  TestWindow w;
  auto* button = w.add(std::make_unique<Quirel_ColorButton>(fnd::Rect(20, 20, 96, 40)));
  button->setTitle("Preview", kit::Color::white(), kit::Color::gray(), kit::Font::systemFont(12));
  button->setTitle("Scan", kit::Color::black(), std::nullopt, std::nullopt);
  ASSERT_EQ(button->subviews().size(), 1u);
  kit::TextField* label = button->getTextField();
  EXPECT_EQ(label->stringValue(), "Scan");
  EXPECT_EQ(label->textColor(), kit::Color::black());
  EXPECT_EQ(label->font().pointSize(), 12);
  // Centred: the full width, at floor((40 - 17) / 2).
  EXPECT_EQ(label->frame(), fnd::Rect(0, 11, 96, 17));
  button->setEnabled(false);
  EXPECT_EQ(label->textColor(), kit::Color::black()) << "no disabled colour given: the colour stays";
}
