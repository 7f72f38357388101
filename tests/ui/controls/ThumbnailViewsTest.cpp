// Thumbnail cells and colour-pattern cells: their marks, their images and their clicks.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "ControlsTestSupport.h"
#include "kit/RecordingContext.h"
#include "ui/controls/ColorPatternFrameView.h"
#include "ui/controls/ColorPatternImageView.h"
#include "ui/controls/ThumbnailFrameView.h"
#include "ui/controls/ThumbnailPreviewView.h"
#include "ui/controls/ThumbnailSelectView.h"
#include "ui/controls/NoFocusButton.h"
#include "ui/model/ThumbnailInfo.h"

using controls_test::PostRecorder;
using controls_test::TestWindow;

namespace {

std::vector<kit::DrawOperation> strokesOf(kit::View& v) {
  kit::RecordingContext ctx;
  v.displayRectIgnoringOpacity(v.bounds(), ctx);
  return ctx.strokes();
}

// Left half red, right half blue.
kit::Image halves(int w, int h) {
  std::vector<std::uint8_t> px(static_cast<std::size_t>(w) * h * 3);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      std::uint8_t* p = &px[(static_cast<std::size_t>(y) * w + x) * 3];
      p[0] = x < w / 2 ? 255 : 0;
      p[2] = x < w / 2 ? 0 : 255;
    }
  return kit::Image::fromRGB(px.data(), w, h);
}

}  // namespace

TEST(ThumbnailFrame, MarksByStateAndPressedDrawsGreyWithoutMark) {
  struct Case {
    bool will, focus, selected;
    kit::Color colour;
    double markWidth;  // 0 = no mark
  };
  const Case cases[] = {
      {false, false, false, kit::Color::controlHighlight(), 0},
      {false, false, true, kit::Color::controlHighlight(), 2.0},
      {false, true, false, kit::Color::controlHighlight(), 4.0},
      {false, true, true, kit::Color::controlHighlight(), 4.0},
      {true, true, true, kit::Color::gray(), 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.will) + std::to_string(c.focus) + std::to_string(c.selected));
    Quirel_ThumbnailFrameView v(fnd::Rect(0, 0, 90, 70), 3);
    v.setWillSelected(c.will);
    v.setFocus(c.focus);
    v.setSelected(c.selected);
    kit::RecordingContext ctx;
    v.displayRectIgnoringOpacity(v.bounds(), ctx);
    auto strokes = ctx.strokes();
    ASSERT_EQ(strokes.size(), c.markWidth > 0 ? 2u : 1u);
    EXPECT_EQ(strokes[0].state.strokeColor, c.colour);
    EXPECT_FALSE(strokes[0].state.antialias);
    EXPECT_EQ(strokes[0].path.controlPointBounds(), fnd::Rect(2, 2, 86, 66));
    ASSERT_EQ(ctx.fills().size(), 1u);
    EXPECT_EQ(ctx.fills()[0].state.fillColor, c.colour);
    if (c.markWidth > 0) {
      EXPECT_EQ(strokes[1].state.strokeColor, kit::Color::blue());
      EXPECT_EQ(strokes[1].path.lineWidth(), c.markWidth);
      EXPECT_EQ(strokes[1].path.elements().front().points[0], fnd::Point(2, 4));
    }
  }
}

TEST(ThumbnailPreview, WhiteWithoutImageAndTransformScaledOnce) {
  Quirel_ThumbnailPreviewView v(fnd::Rect(0, 0, 80, 60), 1);
  v.setTransform(fnd::AffineTransform::translation(3, 4), 0);
  EXPECT_DOUBLE_EQ(v.transform()->a, 1.0) << "without an image the scale is 1";
  kit::RecordingContext white;
  v.displayRectIgnoringOpacity(v.bounds(), white);
  ASSERT_EQ(white.fills().size(), 1u);
  EXPECT_EQ(white.fills()[0].state.fillColor, kit::Color::white());

  v.setImage(halves(160, 240));
  const fnd::AffineTransform owner = fnd::AffineTransform::identity();
  v.setTransform(owner, 90);
  v.setTransform(owner, 90);
  EXPECT_DOUBLE_EQ(v.transform()->a, 60.0 / 160);
  EXPECT_DOUBLE_EQ(v.transform()->d, 80.0 / 240);
  kit::RecordingContext drawn;
  v.displayRectIgnoringOpacity(v.bounds(), drawn);
  EXPECT_TRUE(drawn.fills().empty());
  ASSERT_EQ(drawn.operations().size(), 1u);
  EXPECT_EQ(drawn.operations()[0].kind, kit::DrawOperation::Kind::Image);
}

TEST(ThumbnailClicks, FramePostsOncePreviewPostsItsStream) {
  TestWindow w;
  auto* frame = w.add(std::make_unique<Quirel_ThumbnailFrameView>(fnd::Rect(10, 10, 120, 100), 4));
  auto* image = static_cast<Quirel_ThumbnailPreviewView*>(
      frame->addSubview(std::make_unique<Quirel_ThumbnailPreviewView>(fnd::Rect(10, 10, 60, 40), 4)));
  std::vector<std::string> posts;
  std::vector<int> numbers;
  std::vector<fnd::NotificationCenter::Token> tokens;
  for (const char* name : {Quirel_ThumbnailFrameView::kMouseEventPost, Quirel_ThumbnailPreviewView::kMouseEventPost,
                           "VIEW_DOWN", "CONTROL_YES"})
    tokens.push_back(fnd::NotificationCenter::defaultCenter().observe(name, nullptr, [&](const fnd::Notification& n) {
      posts.push_back(n.name);
      if (n.userInfo) numbers.push_back(n.userInfo->intValue("no"));
    }));
  w.post(kit::EventType::LeftMouseDown, {110, 90});
  w.post(kit::EventType::LeftMouseDragged, {112, 92});
  w.post(kit::EventType::LeftMouseUp, {112, 92});
  w.dispatch();
  EXPECT_EQ(posts, (std::vector<std::string>{"MouseEventOnThumbnailFramePost"})) << "no stream from the frame";
  posts.clear();
  w.post(kit::EventType::LeftMouseDown, {40, 40});
  w.post(kit::EventType::LeftMouseDragged, {42, 42});
  w.post(kit::EventType::LeftMouseUp, {42, 42});
  w.dispatch();
  EXPECT_EQ(posts, std::vector<std::string>(3, "MouseEventOnThumbnailPreviewPost"));
  EXPECT_EQ(numbers, std::vector<int>(4, 4));
  posts.clear();
  image->setDownOnOff(false);
  w.click({40, 40});
  EXPECT_EQ(posts, (std::vector<std::string>{"VIEW_DOWN", "CONTROL_YES"}));
}

TEST(ThumbnailSelect, DottedSegmentsEndOneShortAsDrawn) {
  Quirel_ThumbnailSelectView v(fnd::Rect(0, 0, 50, 40));
  auto strokes = strokesOf(v);
  ASSERT_EQ(strokes.size(), 4u);
  EXPECT_EQ(strokes[0].path.lineDash(), std::vector<double>{1.5});
  EXPECT_EQ(strokes[0].path.lineDashPhase(), 1.0);
  EXPECT_EQ(strokes[0].state.strokeColor, kit::Color::white());
  EXPECT_EQ(strokes[0].path.elements()[1].points[0], fnd::Point(0, 38));
  EXPECT_EQ(strokes[3].path.elements()[1].points[0], fnd::Point(48, 38));
}

TEST(ColorPattern, FitsCentresMirrorsAndMarks) {
  TestWindow w(fnd::Rect(0, 0, 400, 300));
  auto* cell = w.add(std::make_unique<Quirel_ColorPatternFrameView>(fnd::Rect(10, 10, 120, 120)));
  auto* image = static_cast<Quirel_ColorPatternImageView*>(
      cell->addSubview(std::make_unique<Quirel_ColorPatternImageView>(fnd::Rect(0, 0, 10, 10))));
  image->setImage(halves(200, 100), 90, false);
  EXPECT_EQ(image->frame(), fnd::Rect(35, 10, 50, 100));
  image->setImage(halves(200, 100), 0, false);
  EXPECT_EQ(image->frame(), fnd::Rect(10, 35, 100, 50));
  // The drawn pixels: red on the left, blue on the right; mirrored, the other way round.
  for (bool mirror : {false, true}) {
    image->setImage(halves(200, 100), 0, mirror);
    w.window().display();
    std::string png = (std::filesystem::current_path() / ("colorpattern-" + std::to_string(mirror) + ".png")).string();
    ASSERT_TRUE(w.window().grabToPng(png));
    kit::Image shot = kit::Image::fromFile(png);
    ASSERT_TRUE(shot.isValid());
    const double scale = shot.pixelsWide() / w.window().contentView()->frame().size.width;
    const int y = static_cast<int>((300 - 70) * scale);
    kit::Color left = shot.colorAtPixel(static_cast<int>(40 * scale), y);
    kit::Color right = shot.colorAtPixel(static_cast<int>(100 * scale), y);
    EXPECT_GT(mirror ? left.blueComponent() : left.redComponent(), 0.9);
    EXPECT_GT(mirror ? right.redComponent() : right.blueComponent(), 0.9);
  }
  cell->setSelected(true);
  cell->setBased(true);
  kit::RecordingContext ctx;
  kit::GraphicsContext::Scope scope(&ctx);
  cell->drawRect(cell->bounds());
  ASSERT_EQ(ctx.strokes().size(), 2u);
  EXPECT_EQ(ctx.strokes()[1].state.strokeColor, kit::Color::blue());
  cell->setSelected(false);
  ctx.clear();
  cell->drawRect(cell->bounds());
  EXPECT_EQ(ctx.strokes()[1].state.strokeColor, kit::Color::black());
}

TEST(ColorPattern, ClicksReportTheCellUnlessTheImageIsToldNotTo) {
  TestWindow w(fnd::Rect(0, 0, 400, 300));
  auto* cell = w.add(std::make_unique<Quirel_ColorPatternFrameView>(fnd::Rect(10, 10, 120, 120)));
  auto* image = static_cast<Quirel_ColorPatternImageView*>(
      cell->addSubview(std::make_unique<Quirel_ColorPatternImageView>(fnd::Rect(0, 0, 10, 10))));
  image->setImage(halves(100, 100), 0, false);
  PostRecorder rec({Quirel_ColorPatternFrameView::kClickPost});
  w.click({70, 70});  // on the image
  w.click({13, 13});  // on the cell's border
  EXPECT_EQ(rec.senders, (std::vector<const void*>{cell, cell}));
  image->setPostNotification(false);
  rec.senders.clear();
  // Not tracked: the drag after the press reaches the window's normal dispatch.
  w.post(kit::EventType::LeftMouseDown, {70, 70});
  w.dispatch();
  EXPECT_TRUE(rec.senders.empty());
  w.post(kit::EventType::LeftMouseUp, {70, 70});
  w.dispatch();
  // An empty picture gets no size and draws nothing.
  image->setImage(kit::Image(), 0, false);
  EXPECT_EQ(image->frame().size, fnd::Size(0, 0));
  kit::RecordingContext ctx;
  image->displayRectIgnoringOpacity(image->bounds(), ctx);
  EXPECT_TRUE(ctx.operations().empty());
}

TEST(ThumbnailRecord, RealViewsAndCheckBoxServeTheRecord) {
  TestWindow w;
  auto record = std::make_unique<Quirel_ThumbnailInfo>(2);
  auto frameOwned = std::make_unique<Quirel_ThumbnailFrameView>(fnd::Rect(10, 10, 120, 140), 2);
  auto imageOwned = std::make_unique<Quirel_ThumbnailPreviewView>(fnd::Rect(10, 30, 100, 100), 2);
  auto boxOwned = std::make_unique<Quirel_NoFocusButton>(fnd::Rect(10, 5, 20, 20));
  Quirel_ThumbnailFrameView* frame = frameOwned.get();
  Quirel_ThumbnailPreviewView* image = imageOwned.get();
  Quirel_NoFocusButton* box = boxOwned.get();
  box->setButtonType(kit::ButtonType::Switch);
  w.window().contentView()->addSubview(static_cast<kit::View*>(frame));
  frame->addSubview(static_cast<kit::View*>(image));
  frame->addSubview(static_cast<kit::View*>(box));
  image->updateTrackingRect();
  record->setFrameView(std::move(frameOwned));
  record->setPreviewView(std::move(imageOwned));
  record->setCheckBox(std::move(boxOwned));

  EXPECT_FALSE(record->isChecked());
  w.click({30, 25});
  EXPECT_EQ(box->state(), 1);
  EXPECT_TRUE(record->isChecked()) << "the click ran the record's action";
  w.click({30, 25});
  EXPECT_FALSE(record->isChecked());

  record->setHidden(true);
  EXPECT_TRUE(frame->kit::View::isHidden());
  EXPECT_TRUE(image->trackingRects().empty());
  record.reset();
  EXPECT_TRUE(w.window().contentView()->subviews().empty()) << "the record's views leave with it";
}
