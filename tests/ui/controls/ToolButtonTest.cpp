// The toolbar's image button, driven by real mouse events through the application's queue and
// drawn into a recording context, and the toolbar wrappers around it.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ControlsTestSupport.h"
#include "foundation/Bundle.h"
#include "foundation/RunLoop.h"
#include "kit/Application.h"
#include "kit/RecordingContext.h"
#include "ui/base/PVLocalizedBundle.h"
#include "ui/controls/CTRLS_TOOLAllCropPushButton.h"
#include "ui/controls/CTRLS_TOOLAllFramePushButton.h"
#include "ui/controls/CTRLS_TOOLButton.h"
#include "ui/controls/CTRLS_TOOLMultiCropButton.h"
#include "ui/controls/CTRLS_TOOLThumbnailButton.h"
#include "ui/controls/CTRLS_TOOLView.h"
#include "ui/controls/ToolButton.h"

using controls_test::PostRecorder;
using controls_test::TestWindow;
using kit::EventType;

namespace {

kit::Image toolPicture(std::uint8_t shade) {
  std::vector<std::uint8_t> px(17 * 17 * 3, shade);
  return kit::Image::fromRGB(px.data(), 17, 17);
}

struct ToolButtonRig : ::testing::Test {
  TestWindow w;
  Quirel_ToolButton* button = w.add(std::make_unique<Quirel_ToolButton>(fnd::Rect(20, 20, 23, 23)));
  int actions = 0;
  kit::Image enter = toolPicture(200), exit = toolPicture(120), disable = toolPicture(60);

  ToolButtonRig() {
    button->setAction([this](kit::Control&) { ++actions; });
    button->setImage(enter, exit, disable);
  }
  ~ToolButtonRig() override { kit::Application::shared().discardEventsMatchingMask(kit::kAnyEventMask); }
  std::vector<kit::DrawOperation> drawn() {
    kit::RecordingContext ctx;
    button->displayRectIgnoringOpacity(button->bounds(), ctx);
    return ctx.operations();
  }
  // The one picture drawn and its opacity.
  std::pair<int, double> picture() {
    std::pair<int, double> out{-1, -1};
    for (const kit::DrawOperation& op : drawn())
      if (op.kind == kit::DrawOperation::Kind::Image) out = {static_cast<int>(op.rect.origin.x), op.opacity};
    return out;
  }
  int strokes() {
    int n = 0;
    for (const kit::DrawOperation& op : drawn()) n += op.kind == kit::DrawOperation::Kind::Stroke;
    return n;
  }
};

}  // namespace

TEST_F(ToolButtonRig, ReleaseInsideActsDraggingOutAndReleasingDoesNot) {
  struct Case {
    const char* name;
    std::vector<std::pair<EventType, fnd::Point>> events;
    int actions;
    int state;
  };
  const Case cases[] = {
      {"press, release", {{EventType::LeftMouseDown, {30, 30}}, {EventType::LeftMouseUp, {30, 30}}}, 1, 1},
      {"press, out, release outside",
       {{EventType::LeftMouseDown, {30, 30}},
        {EventType::LeftMouseDragged, {200, 200}},
        {EventType::LeftMouseUp, {200, 200}}},
       0,
       0},
      {"press, out, back in, release",
       {{EventType::LeftMouseDown, {30, 30}},
        {EventType::LeftMouseDragged, {200, 200}},
        {EventType::LeftMouseDragged, {31, 31}},
        {EventType::LeftMouseUp, {31, 31}}},
       1,
       1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    actions = 0;
    button->setState(0);
    PostRecorder rec({"TOOLBUTTON_DOWN", "CONTROL_YES"});
    for (const auto& [type, at] : c.events) w.post(type, at);
    w.dispatch();
    EXPECT_EQ(actions, c.actions);
    EXPECT_EQ(button->state(), c.state) << "the owner turns the button off after a click";
    EXPECT_FALSE(button->isDown());
    EXPECT_EQ(rec.posts, std::vector<std::string>{"TOOLBUTTON_DOWN"});
  }
}

TEST_F(ToolButtonRig, ADoubleClickActsOnce) {
  w.click({30, 30}, 1);
  w.click({30, 30}, 2);
  EXPECT_EQ(actions, 1);
}

TEST_F(ToolButtonRig, DisablingDuringThePressEndsTrackingWithoutAction) {
  bool fired = false;
  fnd::RunLoop::main().performAfterDelay(0.05, [&] {
    fired = true;
    button->setEnabled(false);
  }, fnd::kCommonModes);
  w.post(EventType::LeftMouseDown, {30, 30});  // the mouse-up comes only after the press ended
  w.dispatch();
  EXPECT_TRUE(fired);
  EXPECT_FALSE(button->isDown());
  EXPECT_EQ(button->state(), 0);
  w.post(EventType::LeftMouseUp, {30, 30});
  w.dispatch();
  EXPECT_EQ(actions, 0);
}

TEST_F(ToolButtonRig, PressEndsWhenTheApplicationEndsOrTheWindowClosesDuringTheWait) {
  kit::Application& app = kit::Application::shared();
  for (bool terminate : {true, false}) {
    SCOPED_TRACE(terminate ? "application ends" : "window closed");
    fnd::RunLoop::main().performAfterDelay(0.05, [&] {
      if (terminate)
        app.terminate();
      else
        w.window().close();
    }, fnd::kCommonModes);
    w.post(EventType::LeftMouseDown, {30, 30});
    w.dispatch();
    app.resetTerminated();
    EXPECT_FALSE(button->isDown());
    EXPECT_EQ(actions, 0);
  }
}

TEST_F(ToolButtonRig, SwallowedPressPostsOnlyTheHandshakeAndTheNextClickWorks) {
  PostRecorder rec({"TOOLBUTTON_DOWN", "CONTROL_YES"});
  button->setDownOnOff(false);
  w.click({30, 30});
  EXPECT_EQ(actions, 0);
  EXPECT_EQ(button->state(), 0);
  EXPECT_EQ(rec.posts, (std::vector<std::string>{"TOOLBUTTON_DOWN", "CONTROL_YES"}));
  w.click({30, 30});
  EXPECT_EQ(actions, 1);

  // An observer of the announcement may let the click through.
  button->setDownOnOff(false);
  auto letThrough = fnd::NotificationCenter::defaultCenter().observe(
      "TOOLBUTTON_DOWN", button, [this](const fnd::Notification&) { button->setDownOnOff(true); });
  w.click({30, 30});
  EXPECT_EQ(actions, 2);
}

TEST_F(ToolButtonRig, LooksAtRestHoverLatchedPressedAndDisabled) {
  // At rest: the exit picture, centred on whole points, no edges.
  EXPECT_EQ(picture(), (std::pair<int, double>{3, 1.0}));
  EXPECT_EQ(strokes(), 0);
  // Hover on the key window: raised edges and the enter picture.
  w.moveTo({30, 30});
  EXPECT_TRUE(button->isEnter());
  {
    std::vector<kit::DrawOperation> ops = drawn();
    std::vector<kit::Color> edges;
    for (const kit::DrawOperation& op : ops)
      if (op.kind == kit::DrawOperation::Kind::Stroke) {
        edges.push_back(op.state.strokeColor);
        EXPECT_EQ(op.path.lineWidth(), 1.0);
      }
    ASSERT_EQ(edges.size(), 4u);
    EXPECT_EQ(edges[0], kit::Color::white());
    EXPECT_EQ(edges[3], kit::Color::darkGray());
  }
  // Latched: sunken, full strength.
  button->setState(1);
  EXPECT_EQ(picture().second, 1.0);
  EXPECT_EQ(strokes(), 2);
  // Pointer away while latched: still sunken, exit picture.
  w.moveTo({200, 200});
  EXPECT_FALSE(button->isEnter());
  EXPECT_EQ(strokes(), 2);
  button->setState(0);
  EXPECT_EQ(strokes(), 0);
  // Disabled: the disable picture; without one, the exit picture at half strength.
  button->setState(1);
  button->setEnabled(false);
  EXPECT_EQ(button->state(), 0) << "disabling turns it off";
  EXPECT_EQ(picture().second, 1.0);
  button->setImage(enter, exit, kit::Image());
  EXPECT_EQ(picture().second, 0.5);
  EXPECT_EQ(strokes(), 0);
}

TEST_F(ToolButtonRig, HoverShowsOnlyOnTheKeyWindow) {
  TestWindow other(fnd::Rect(0, 0, 200, 200), false);
  auto* b = other.add(std::make_unique<Quirel_ToolButton>(fnd::Rect(20, 20, 23, 23)));
  b->setImage(enter, exit, disable);
  other.moveTo({30, 30});
  EXPECT_FALSE(b->isEnter());
  kit::RecordingContext ctx;
  b->displayRectIgnoringOpacity(b->bounds(), ctx);
  EXPECT_TRUE(ctx.strokes().empty()) << "the exit look, no raised edges";
}

TEST_F(ToolButtonRig, PressedLookIsSunkenAtHalfStrength) {
  std::pair<int, double> during{-1, -1};
  int edges = -1;
  button->setAction([&](kit::Control&) {});
  fnd::RunLoop::main().performAfterDelay(0.05, [&] {
    during = picture();
    edges = strokes();
    w.post(EventType::LeftMouseUp, {30, 30});
  }, fnd::kCommonModes);
  w.post(EventType::LeftMouseDown, {30, 30});
  w.dispatch();
  EXPECT_EQ(during.second, 0.5);
  EXPECT_EQ(edges, 2);
}

TEST(ToolbarWrappers, OffStateOnePopsBackZeroLatches) {
  TestWindow w;
  Quirel_CTRLS_TOOLView bar;
  EXPECT_EQ(bar.getToolViewRect(), fnd::Rect(0, 0, 455, 60));
  EXPECT_EQ(bar.getToolView()->autoresizingMask(), 10u);
  bar.setToolViewRect(0, 0, 400, 60);
  w.window().contentView()->addSubview(bar.getToolView());
  Quirel_CTRLS_TOOLButton momentary;
  Quirel_CTRLS_TOOLButton latching;
  EXPECT_EQ(momentary.getToolBTRect(), fnd::Rect(10, 10, 23, 23));
  EXPECT_EQ(momentary.offState(), 1);
  momentary.setToolbarBTActionPostNtf("ZoomToolPost");
  latching.setToolbarBTActionPostNtf("HandToolPost", 0);
  momentary.setToolBTOrigin(10, 20);
  latching.setToolBTOrigin(50, 20);
  EXPECT_EQ(latching.getToolBTRect(), fnd::Rect(50, 20, 23, 23));
  bar.setItem(momentary.getToolBT());
  bar.setItem(latching.getToolBT());
  PostRecorder rec({"ZoomToolPost", "HandToolPost"});
  w.click({20, 30});
  w.click({60, 30});
  EXPECT_EQ(rec.posts, (std::vector<std::string>{"ZoomToolPost", "HandToolPost"}));
  EXPECT_EQ(rec.senders, (std::vector<const void*>{momentary.getToolBT(), latching.getToolBT()}));
  EXPECT_FALSE(momentary.isOnState());
  EXPECT_TRUE(latching.isOnState());
  latching.setOnState(false);
  EXPECT_FALSE(latching.isOnState());

  auto showAll = Quirel_CTRLS_TOOLButton::initWithShowAllCropBT();
  EXPECT_TRUE(showAll->getToolBT()->ignoresMultipleClicks());
  EXPECT_FALSE(showAll->getToolBT()->canDoubleClick());
  EXPECT_TRUE(momentary.getToolBT()->canDoubleClick());

  // Pictures by name; a name not found keeps the picture loaded before.
  momentary.setToolBTImage("BtnDirection_on", "BtnDirection_off", "BtnDirection_d", controls_test::kBundle);
  EXPECT_TRUE(momentary.getToolBT()->enterImage().isValid());
  momentary.setToolBTImage("NoSuchPicture", "", "", controls_test::kBundle);
  EXPECT_TRUE(momentary.getToolBT()->enterImage().isValid());
  bar.getToolView()->removeFromSuperview();
}

TEST(ToolbarWrappers, ThumbnailButtonSwapsPictureSetsAndPostsOff) {
  TestWindow w;
  Quirel_CTRLS_TOOLThumbnailButton thumb;
  thumb.setThumbnailOnImage("BT_LOCK_ON_S", "BT_LOCK_ON_N", "BT_LOCK_ON_G", controls_test::kBundle);
  thumb.setThumbnailOffImage("BT_LOCK_OFF_S", "BT_LOCK_OFF_N", "BT_LOCK_OFF_G", controls_test::kBundle);
  EXPECT_FALSE(thumb.getToolBT()->exitImage().isValid()) << "loading changes nothing yet";
  thumb.setThumbnailMode(true);
  EXPECT_TRUE(thumb.isThumbnailMode());
  const kit::Color onColour = thumb.getToolBT()->exitImage().colorAtPixel(4, 12);
  thumb.setThumbnailMode(false);
  const kit::Color offColour = thumb.getToolBT()->exitImage().colorAtPixel(4, 12);
  EXPECT_NE(onColour, offColour);
  EXPECT_TRUE(thumb.getToolBT()->ignoresMultipleClicks());
  w.window().contentView()->addSubview(thumb.getToolBT());
  PostRecorder rec({"ToolThumbnailButtonPost"});
  w.click({20, 20});
  EXPECT_EQ(rec.posts.size(), 1u);
  EXPECT_EQ(rec.senders.front(), thumb.getToolBT());
  EXPECT_EQ(thumb.getToolBT()->state(), 0);
  thumb.getToolBT()->removeFromSuperview();
}

TEST(ToolbarWrappers, PushButtonsPostTheirNamesWithTheButton) {
  Quirel_CTRLS_TOOLAllCropPushButton crops;
  Quirel_CTRLS_TOOLAllFramePushButton frames;
  Quirel_CTRLS_TOOLMultiCropButton multi;
  PostRecorder rec({"ToolSelectAllCropButtonPost", "ToolSelectAllFrameButtonPost", "ToolMultiCropButtonPost"});
  crops.getPushBT()->performClick();
  frames.getPushBT()->performClick();
  multi.getPushBT()->performClick();
  EXPECT_EQ(rec.posts, (std::vector<std::string>{"ToolSelectAllCropButtonPost", "ToolSelectAllFrameButtonPost",
                                                 "ToolMultiCropButtonPost"}));
  EXPECT_EQ(rec.senders, (std::vector<const void*>{crops.getPushBT(), frames.getPushBT(), multi.getPushBT()}));
  EXPECT_EQ(crops.getPushBT()->font().pointSize(), 11);
  crops.setPushBTRect(5, 6, 70, 20);
  crops.setPushBTOriginX(40);
  EXPECT_EQ(crops.getPushBTRect(), fnd::Rect(40, 6, 70, 20));
  frames.setPushBTRect(5, 6, 70, 20);
  frames.setPushBTOriginX(41);
  EXPECT_EQ(frames.getPushBTRect(), fnd::Rect(41, 6, 70, 20));
}

TEST(ToolbarWrappers, MultiCropStateFollowsTheTitleAndLocalisesTheTip) {
  Quirel_CTRLS_TOOLMultiCropButton multi;
  multi.setPushBTTitle("Reset", "Apply");
  EXPECT_FALSE(multi.isOnState());
  {
    fnd::NotificationCenter::Token controller = fnd::NotificationCenter::defaultCenter().observe(
        Quirel_PVLocalizedBundle::kLocalizePostName, nullptr, [](const fnd::Notification& n) {
          if (auto carrier = Quirel_PVLocalizedBundle::fromLocalizeRequest(n))
            carrier->setLocalizedBundleStr(fnd::Bundle::main().identifier());
        });
    multi.setState(true);
    EXPECT_TRUE(multi.isOnState());
    EXPECT_EQ(multi.getPushBT()->title(), "Reset");
    EXPECT_EQ(multi.getPushBT()->toolTip(), "Reset the frames found on the preview");
    multi.setState(false);
    EXPECT_FALSE(multi.isOnState());
    EXPECT_EQ(multi.getPushBT()->title(), "Apply");
    EXPECT_EQ(multi.getPushBT()->toolTip(), "Find the frames on the preview and apply them");
  }
  multi.setPushBTTitle("Apply");
  EXPECT_FALSE(multi.isOnState());
  multi.setPushBTTitle("Reset");
  EXPECT_TRUE(multi.isOnState()) << "the shown title decides";
  multi.setPushBTTitle(nullptr, nullptr);
  EXPECT_FALSE(multi.isOnState());
  multi.setPushBTTitle("");
  EXPECT_TRUE(multi.isOnState()) << "a missing on title is the empty title";
  multi.setState(true);
  EXPECT_EQ(multi.getPushBT()->toolTip(), "") << "nobody names a bundle: no tip";
}
