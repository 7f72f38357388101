// The preview image view and its surroundings: the image fitted through the owner's
// transform, and every gesture on it turned into notifications, with real events.

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "ControlsTestSupport.h"
#include "foundation/NotificationCenter.h"
#include "kit/Application.h"
#include "kit/ClipView.h"
#include "kit/RecordingContext.h"
#include "ui/controls/NoFocusTextField.h"
#include "ui/controls/PreviewFrameView.h"
#include "ui/controls/PreviewScrollView.h"
#include "ui/controls/PreviewShadowView.h"
#include "ui/controls/PreviewView.h"

using controls_test::PostRecorder;
using controls_test::TestWindow;

namespace {

kit::Image solidImage(int w, int h, std::uint8_t r = 200, std::uint8_t g = 40, std::uint8_t b = 40) {
  std::vector<std::uint8_t> px(static_cast<std::size_t>(w) * h * 3);
  for (std::size_t i = 0; i < px.size(); i += 3) {
    px[i] = r;
    px[i + 1] = g;
    px[i + 2] = b;
  }
  return kit::Image::fromRGB(px.data(), w, h);
}

std::vector<kit::DrawOperation> images(const kit::RecordingContext& ctx) {
  std::vector<kit::DrawOperation> out;
  for (const auto& op : ctx.operations())
    if (op.kind == kit::DrawOperation::Kind::Image) out.push_back(op);
  return out;
}

// Notification names with the type of the event each one carries (0 when none).
class StreamRecorder {
 public:
  explicit StreamRecorder(const std::vector<std::string>& names) {
    for (const std::string& name : names)
      tokens_.push_back(fnd::NotificationCenter::defaultCenter().observe(
          name, nullptr, [this](const fnd::Notification& n) {
            int type = 0;
            if (n.userInfo)
              if (auto e = n.userInfo->get(Quirel_PreviewView::kEventKey).toObject<kit::Event>())
                type = static_cast<int>(e->type());
            posts.push_back(n.name + (type ? ":" + std::to_string(type) : ""));
          }));
  }
  std::vector<std::string> posts;

 private:
  std::vector<fnd::NotificationCenter::Token> tokens_;
};

const std::vector<std::string> kAllPosts = {
    "VIEW_DOWN", "CONTROL_YES", "MouseEventOnPreviewPost", "deleteKeyDownOnPreviewPost",
    "MouseExitedOnPreviewPost", "MouseEventOnPreviewFramePost"};

std::string down() { return "MouseEventOnPreviewPost:" + std::to_string(int(kit::EventType::LeftMouseDown)); }
std::string drag() { return "MouseEventOnPreviewPost:" + std::to_string(int(kit::EventType::LeftMouseDragged)); }
std::string up() { return "MouseEventOnPreviewPost:" + std::to_string(int(kit::EventType::LeftMouseUp)); }

// A superview that records the keys handed on to it.
class KeySink : public kit::View {
 public:
  using kit::View::View;
  void keyDown(const kit::Event& e) override { keys.push_back(e.characters()); }
  std::vector<std::string> keys;
};

}  // namespace

TEST(PreviewViewScale, TransformWithoutImageWaitsForTheFirstDrawAndScalesOnce) {
  Quirel_PreviewView v(fnd::Rect(0, 0, 400, 300));
  v.setTransform(fnd::AffineTransform::translation(5, 7), 0);
  EXPECT_EQ(v.scaleX(), -1.0);
  EXPECT_EQ(v.scaleY(), -1.0);
  v.setPreviewImage(solidImage(800, 1200));
  EXPECT_EQ(v.scaleX(), -1.0) << "setting the image changes no scale";

  kit::RecordingContext first;
  v.displayRectIgnoringOpacity(v.bounds(), first);
  EXPECT_DOUBLE_EQ(v.scaleX(), 0.5);
  EXPECT_DOUBLE_EQ(v.scaleY(), 0.25);
  kit::RecordingContext second;
  v.displayRectIgnoringOpacity(v.bounds(), second);
  ASSERT_EQ(images(first).size(), 1u);
  ASSERT_EQ(images(second).size(), 1u);
  const fnd::AffineTransform m1 = images(first)[0].state.ctm;
  const fnd::AffineTransform m2 = images(second)[0].state.ctm;
  EXPECT_DOUBLE_EQ(m1.a, 0.5);
  EXPECT_DOUBLE_EQ(m1.d, 0.25);
  EXPECT_DOUBLE_EQ(m1.tx, 5);
  EXPECT_DOUBLE_EQ(m1.ty, 7);
  EXPECT_DOUBLE_EQ(m2.a, m1.a) << "the second draw does not scale again";
  EXPECT_DOUBLE_EQ(m2.d, m1.d);
  EXPECT_EQ(images(first)[0].rect, fnd::Rect(0, 0, 800, 1200));
}

TEST(PreviewViewScale, ScalesByRotationAndTheSameTransformTwiceIsOnce) {
  struct Case {
    int rotation;
    double sx, sy;
  };
  for (const Case& c : {Case{0, 0.5, 0.25}, Case{180, 0.5, 0.25}, Case{90, 0.375, 1.0 / 3}, Case{270, 0.375, 1.0 / 3}}) {
    SCOPED_TRACE(c.rotation);
    Quirel_PreviewView v(fnd::Rect(0, 0, 400, 300));
    v.setPreviewImage(solidImage(800, 1200));
    const fnd::AffineTransform owner = fnd::AffineTransform::identity().rotated(c.rotation * M_PI / 180);
    v.setTransform(owner, c.rotation);
    EXPECT_DOUBLE_EQ(v.scaleX(), c.sx);
    EXPECT_DOUBLE_EQ(v.scaleY(), c.sy);
    const fnd::AffineTransform once = *v.transform();
    v.setTransform(owner, c.rotation);
    EXPECT_DOUBLE_EQ(v.transform()->a, once.a);
    EXPECT_DOUBLE_EQ(v.transform()->b, once.b);
    EXPECT_DOUBLE_EQ(v.transform()->c, once.c);
    EXPECT_DOUBLE_EQ(v.transform()->d, once.d);
  }
}

TEST(PreviewViewScale, NoImageOrEmptyImageDrawsWhiteWithTheLabelCentred) {
  TestWindow w(fnd::Rect(0, 0, 500, 400));
  auto* v = w.add(std::make_unique<Quirel_PreviewView>(fnd::Rect(0, 0, 400, 300)));
  auto* label = static_cast<Quirel_NoFocusTextField*>(
      v->addSubview(std::make_unique<Quirel_NoFocusTextField>(fnd::Rect(0, 0, 10, 20))));
  label->setStringValue("No preview");
  v->setTextField(label);
  // A picture of no size is no picture: nothing divides by zero, the scales stay unset.
  for (const std::optional<kit::Image>& img : {std::optional<kit::Image>(), std::optional(kit::Image())}) {
    v->setPreviewImage(img);
    v->setTransform(fnd::AffineTransform::identity(), 0);
    kit::RecordingContext ctx;
    v->displayRectIgnoringOpacity(v->bounds(), ctx);
    EXPECT_EQ(v->scaleX(), -1.0);
    EXPECT_TRUE(images(ctx).empty());
    ASSERT_FALSE(ctx.fills().empty());
    EXPECT_EQ(ctx.fills()[0].state.fillColor, kit::Color::white());
    EXPECT_FALSE(label->isHidden());
    const double cw = label->cellSize().width;
    EXPECT_DOUBLE_EQ(label->frame().origin.x, (400 - cw) * 0.5);
    EXPECT_DOUBLE_EQ(label->frame().origin.y, (300 - 20) * 0.5);
  }
  v->setPreviewImage(solidImage(40, 30));
  kit::RecordingContext ctx;
  v->displayRectIgnoringOpacity(v->bounds(), ctx);
  EXPECT_TRUE(label->isHidden());
  EXPECT_EQ(images(ctx).size(), 1u);
  v->removePreviewImage();
  EXPECT_FALSE(v->getPreviewImage());
  EXPECT_FALSE(v->transform());
}

TEST(PreviewViewEvents, HandshakeSwallowsOnePressThenTheStreamFlows) {
  TestWindow w;
  auto* v = w.add(std::make_unique<Quirel_PreviewView>(fnd::Rect(10, 10, 200, 150)));
  StreamRecorder rec(kAllPosts);
  v->setDownOnOff(false);
  w.click({50, 50});
  EXPECT_EQ(rec.posts, (std::vector<std::string>{"VIEW_DOWN", "CONTROL_YES"}));
  EXPECT_TRUE(v->downOnOff());

  rec.posts.clear();
  w.post(kit::EventType::LeftMouseDown, {50, 50});
  w.post(kit::EventType::LeftMouseDragged, {60, 55});
  w.post(kit::EventType::LeftMouseDragged, {70, 60});
  w.post(kit::EventType::LeftMouseUp, {70, 60});
  w.dispatch();
  EXPECT_EQ(rec.posts, (std::vector<std::string>{down(), drag(), drag(), up()}));

  // An observer of the announcement that re-arms the view lets the same press through.
  rec.posts.clear();
  v->setDownOnOff(false);
  auto token = fnd::NotificationCenter::defaultCenter().observe("VIEW_DOWN", v,
                                                               [v](const fnd::Notification&) { v->setDownOnOff(true); });
  w.click({50, 50});
  EXPECT_EQ(rec.posts, (std::vector<std::string>{"VIEW_DOWN", down(), up()}));
}

TEST(PreviewViewEvents, KeysAndTheDisabledView) {
  TestWindow w;
  auto* sink = w.add(std::make_unique<KeySink>(fnd::Rect(0, 0, 300, 250)));
  auto* v = static_cast<Quirel_PreviewView*>(sink->addSubview(std::make_unique<Quirel_PreviewView>(fnd::Rect(10, 10, 200, 150))));
  ASSERT_TRUE(w.window().makeFirstResponder(v));
  StreamRecorder rec(kAllPosts);
  auto key = [&](const std::string& chars) {
    kit::Application::shared().postEvent(kit::Event::keyEvent(kit::EventType::KeyDown, chars, 0, &w.window()));
    w.dispatch();
  };
  key("\x7f");
  key("a");
  EXPECT_EQ(rec.posts, (std::vector<std::string>{"deleteKeyDownOnPreviewPost:" + std::to_string(int(kit::EventType::KeyDown))}));
  EXPECT_EQ(sink->keys, (std::vector<std::string>{"\x7f", "a"})) << "every key is handed on";

  rec.posts.clear();
  sink->keys.clear();
  v->setEnabled(false);
  key("\x7f");
  w.click({50, 50});
  EXPECT_TRUE(rec.posts.empty());
  EXPECT_TRUE(sink->keys.empty());
}

TEST(PreviewViewEvents, LeavingTheTrackingRectPostsAndCursorRectsAreAsked) {
  TestWindow w;
  auto* v = w.add(std::make_unique<Quirel_PreviewView>(fnd::Rect(10, 10, 200, 150)));
  v->updateTrackingRect();
  PostRecorder exits({"MouseExitedOnPreviewPost"});
  w.moveTo({50, 50});
  EXPECT_TRUE(v->isEntered());
  w.moveTo({350, 250});
  EXPECT_FALSE(v->isEntered());
  EXPECT_EQ(exits.posts.size(), 1u);
  EXPECT_EQ(exits.senders[0], v);
  // The cursor is the scan mode's business: asked for cursor rectangles, the view only posts.
  PostRecorder cursors({"PreviewViewUpdateCursorRectsPost"});
  v->resetCursorRects();
  EXPECT_EQ(cursors.posts.size(), 1u);
  EXPECT_TRUE(v->cursorRects().empty());
  v->removeTrackingRect();
  EXPECT_TRUE(v->trackingRects().empty());
}

TEST(PreviewViewEvents, WheelMovesNothingAndTheSurroundingsPost) {
  TestWindow w(fnd::Rect(0, 0, 500, 400));
  auto* frame = w.add(std::make_unique<Quirel_PreviewFrameView>(fnd::Rect(0, 0, 500, 400)));
  auto* shadow = static_cast<Quirel_PreviewShadowView*>(
      frame->addSubview(std::make_unique<Quirel_PreviewShadowView>(fnd::Rect(24, 16, 300, 200))));
  auto* scroll = static_cast<Quirel_PreviewScrollView*>(
      frame->addSubview(std::make_unique<Quirel_PreviewScrollView>(fnd::Rect(20, 20, 300, 200))));
  auto preview = std::make_unique<Quirel_PreviewView>(fnd::Rect(0, 0, 600, 600));
  Quirel_PreviewView* v = preview.get();
  scroll->setDocumentView(std::move(preview));
  const fnd::Point before = scroll->contentView()->bounds().origin;
  kit::Application::shared().postEvent(kit::Event::scrollWheelEvent({100, 100}, 2, -3, 0, &w.window()));
  w.dispatch();
  EXPECT_EQ(scroll->contentView()->bounds().origin, before);

  StreamRecorder rec(kAllPosts);
  w.click({400, 350});  // on the frame, outside the scroll view
  const std::string frameDown = "MouseEventOnPreviewFramePost:" + std::to_string(int(kit::EventType::LeftMouseDown));
  const std::string frameUp = "MouseEventOnPreviewFramePost:" + std::to_string(int(kit::EventType::LeftMouseUp));
  EXPECT_EQ(rec.posts, (std::vector<std::string>{"CONTROL_YES", frameDown, frameUp}));
  rec.posts.clear();
  frame->setPostNotification(false);
  w.click({400, 350});
  EXPECT_TRUE(rec.posts.empty());

  PostRecorder senders({"CONTROL_YES"});
  shadow->mouseDown(kit::Event::mouseEvent(kit::EventType::LeftMouseDown, {25, 17}, 0, &w.window()));
  scroll->mouseDown(kit::Event::mouseEvent(kit::EventType::LeftMouseDown, {21, 21}, 0, &w.window()));
  EXPECT_EQ(senders.senders, (std::vector<const void*>{shadow, scroll}));
  (void)v;
}

TEST(PreviewViewEvents, FrameDrawsTheFocusRingWhileThePreviewHasTheFocus) {
  TestWindow w(fnd::Rect(0, 0, 500, 400));
  auto* frame = w.add(std::make_unique<Quirel_PreviewFrameView>(fnd::Rect(0, 0, 500, 400)));
  auto* v = static_cast<Quirel_PreviewView*>(frame->addSubview(std::make_unique<Quirel_PreviewView>(fnd::Rect(20, 20, 300, 200))));
  auto strokesOfFrame = [&] {
    kit::RecordingContext ctx;
    kit::GraphicsContext::Scope scope(&ctx);
    frame->drawRect(frame->bounds());
    return ctx.strokes();
  };
  EXPECT_EQ(strokesOfFrame().size(), 1u);
  ASSERT_TRUE(w.window().makeFirstResponder(v));
  EXPECT_TRUE(v->isFirstResponder());
  auto strokes = strokesOfFrame();
  ASSERT_EQ(strokes.size(), 2u);
  EXPECT_EQ(strokes[0].state.strokeColor, kit::Color::black());
  EXPECT_EQ(strokes[1].state.strokeColor, kit::Color::keyboardFocusIndicator());
  EXPECT_EQ(strokes[0].path.lineCapStyle(), kit::LineCapStyle::Square);
  frame->setDrawFocusRing(false);
  EXPECT_EQ(strokesOfFrame().size(), 1u);
  w.window().makeFirstResponder(nullptr);
  EXPECT_FALSE(v->isFirstResponder());
}
