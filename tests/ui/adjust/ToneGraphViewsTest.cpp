// The adjustment graphs' drawing, read from a recording context: field, grid, curves (one
// path of 255 one-point segments each, the chosen channel on top) and histograms; the zoom
// view's pixels grabbed offscreen; the graph frame, the point markers' mouse protocol and the
// pixel readout.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "AdjustTestSupport.h"
#include "foundation/RunLoop.h"
#include "kit/BezierPath.h"
#include "kit/Color.h"
#include "kit/RecordingContext.h"
#include "kit/TextField.h"
#include "ui/adjust/BlackPointImageView.h"
#include "ui/adjust/FRPixelValueView.h"
#include "ui/adjust/FRZoomView.h"
#include "ui/adjust/FinalReviewGraph.h"
#include "ui/adjust/GraphFrameView.h"
#include "ui/adjust/HistogramGraphView.h"
#include "ui/adjust/MidPointImageView.h"
#include "ui/adjust/ToneBCGraphView.h"
#include "ui/adjust/ToneCurveGraphView.h"
#include "ui/adjust/ToneGraphLook.h"

namespace tone_views_test {

constexpr double kSide = 150;

std::vector<kit::DrawOperation> drawn(kit::View& view) {
  kit::RecordingContext ctx;
  view.displayRectIgnoringOpacity(view.bounds(), ctx);
  return ctx.operations();
}

// A curve: one antialiased stroke of 255 separate segments (a move and a line each).
bool isCurve(const kit::DrawOperation& op) {
  using Kind = kit::BezierPath::Element::Kind;
  const auto& e = op.path.elements();
  if (op.kind != kit::DrawOperation::Kind::Stroke || !op.state.antialias || e.size() != 510) return false;
  for (std::size_t i = 0; i < e.size(); ++i)
    if (e[i].kind != (i % 2 == 0 ? Kind::MoveTo : Kind::LineTo)) return false;
  return true;
}

// The curves in drawing order: the colour of each and its 255 segments, each as the stroke of
// its own two points with the curve's state and width.
struct CurveRun {
  kit::Color colour;
  std::vector<kit::DrawOperation> segments;
};
std::vector<CurveRun> curves(const std::vector<kit::DrawOperation>& ops) {
  std::vector<CurveRun> runs;
  for (const auto& op : ops) {
    if (!isCurve(op)) continue;
    runs.push_back({op.state.strokeColor, {}});
    const auto& e = op.path.elements();
    for (std::size_t i = 0; i < e.size(); i += 2) {
      kit::DrawOperation segment = op;
      segment.path = kit::BezierPath();
      segment.path.moveTo(e[i].points[0]);
      segment.path.lineTo(e[i + 1].points[0]);
      segment.path.setLineWidth(op.path.lineWidth());
      runs.back().segments.push_back(segment);
    }
  }
  return runs;
}

fnd::Point from(const kit::DrawOperation& op) { return op.path.elements()[0].points[0]; }
fnd::Point to(const kit::DrawOperation& op) { return op.path.elements()[1].points[0]; }

// The strokes of black paths with more than one bar (the histogram).
std::vector<kit::DrawOperation> histogramPaths(const std::vector<kit::DrawOperation>& ops) {
  std::vector<kit::DrawOperation> out;
  for (const auto& op : ops)
    if (op.kind == kit::DrawOperation::Kind::Stroke && op.state.strokeColor == kit::Color::black() &&
        !op.state.antialias && op.path.elements().size() % 2 == 0 && op.path.lineWidth() == 1)
      out.push_back(op);
  return out;
}

void expectSharedLook(const std::vector<kit::DrawOperation>& ops) {
  ASSERT_FALSE(ops.empty());
  EXPECT_EQ(ops[0].kind, kit::DrawOperation::Kind::Fill);
  EXPECT_FALSE(ops[0].state.antialias);
  EXPECT_EQ(ops[0].state.fillColor, kit::Color::calibratedRGB(0.867, 0.867, 0.867, 1));
  // The grid: lines at the quarters, width 1, each drawn as pieces that meet end to end from one
  // side to the other, none longer than the piece length.
  std::vector<std::pair<fnd::Point, fnd::Point>> pieces;
  for (const auto& op : ops)
    if (op.kind == kit::DrawOperation::Kind::Stroke && op.state.strokeColor == kit::Color::calibratedRGB(1, 1, 1, 0.5)) {
      EXPECT_FALSE(op.state.antialias);
      EXPECT_EQ(op.path.lineWidth(), 1);
      ASSERT_EQ(op.path.elements().size(), 2u);
      pieces.emplace_back(op.path.elements()[0].points[0], op.path.elements()[1].points[0]);
    }
  for (int k = 1; k <= 3; ++k)
    for (bool vertical : {true, false}) {
      const double at = k * kSide / 4;
      double reached = 0;
      for (const auto& [from, to] : pieces) {
        const bool onLine = vertical ? (from.x == at && to.x == at) : (from.y == at && to.y == at);
        if (!onLine) continue;
        EXPECT_EQ(vertical ? from.y : from.x, reached) << k << (vertical ? " vertical" : " horizontal");
        reached = vertical ? to.y : to.x;
        EXPECT_LE(std::abs((vertical ? to.y - from.y : to.x - from.x)), Quirel_ToneGraphLook::kGridPiece);
      }
      EXPECT_EQ(reached, kSide) << k << (vertical ? " vertical" : " horizontal");
    }
}

// A block of pixels, all (r, g, b).
std::vector<std::uint8_t> pixels(int count, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  std::vector<std::uint8_t> out;
  for (int i = 0; i < count; ++i) out.insert(out.end(), {r, g, b});
  return out;
}

class RecordingSpline : public Quirel_FinalReviewGraph {
 public:
  RecordingSpline() : Quirel_FinalReviewGraph(fnd::Rect(0, 0, kSide, kSide)) {}
  std::vector<std::vector<TagPoint>> calls;

 protected:
  int splineCalc(std::uint8_t* table, const TagPoint* points, int count) override {
    calls.emplace_back(points, points + count);
    return Quirel_FinalReviewGraph::splineCalc(table, points, count);
  }
};

}  // namespace tone_views_test

using namespace tone_views_test;

TEST(ToneGraphViews, BrightnessContrastCurvesEndInsideAndTheChosenChannelLiesOnTop) {
  Quirel_ToneBCGraphView master(fnd::Rect(0, 0, kSide, kSide));
  master.setBrightness({127, 0, 0, 0});
  auto ops = drawn(master);
  expectSharedLook(ops);
  auto runs = curves(ops);
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].colour, kit::Color::gray());
  const auto& last = runs[0].segments.back();
  EXPECT_EQ(from(last), fnd::Point(254 * kSide / 255, 254 * kSide / 255));
  EXPECT_EQ(to(last), fnd::Point(kSide, 254 * kSide / 255));

  Quirel_ToneBCGraphView red(fnd::Rect(0, 0, kSide, kSide));
  red.setChannel(1);
  red.setBrightness({0, 60, 0, 0});
  red.setContrast({0, -40, 0, 0});
  runs = curves(drawn(red));
  ASSERT_EQ(runs.size(), 3u);
  EXPECT_EQ(runs[0].colour, kit::Color::green());
  EXPECT_EQ(runs[1].colour, kit::Color::blue());
  EXPECT_EQ(runs[2].colour, kit::Color::red());
  for (int i : {0, 100, 254}) {
    EXPECT_EQ(from(runs[0].segments[i]), fnd::Point(i * kSide / 255, i * kSide / 255)) << i;  // identity
  }
  EXPECT_NE(from(runs[2].segments[100]), from(runs[0].segments[100]));
  EXPECT_EQ(red.brightness().red, 188);

  Quirel_ToneBCGraphView other(fnd::Rect(0, 0, kSide, kSide));
  other.setChannel(4);
  EXPECT_TRUE(curves(drawn(other)).empty());
}

TEST(ToneGraphViews, FinalReviewCurvesFollowColourModeAndChannel) {
  struct Case {
    int colour, channel;
    std::vector<kit::Color> order;
  } cases[] = {
      {3, 0, {kit::Color::red(), kit::Color::green(), kit::Color::blue()}},
      {4, 1, {kit::Color::green(), kit::Color::blue(), kit::Color::red()}},
      {5, 2, {kit::Color::red(), kit::Color::blue(), kit::Color::green()}},
      {3, 3, {kit::Color::red(), kit::Color::green(), kit::Color::blue()}},
      {1, 2, {kit::Color::gray()}},
      {2, 0, {kit::Color::gray()}},
      {3, 7, {}},
  };
  for (const Case& c : cases) {
    Quirel_FinalReviewGraph graph(fnd::Rect(0, 0, kSide, kSide));
    graph.setColor(c.colour);
    graph.setChannel(c.channel);
    graph.setToneSelectTable({0, 0, 0, 0});
    auto ops = drawn(graph);
    expectSharedLook(ops);
    std::vector<kit::Color> got;
    for (const auto& run : curves(ops)) got.push_back(run.colour);
    EXPECT_EQ(got, c.order) << c.colour << "/" << c.channel;
  }
}

TEST(ToneGraphViews, HistogramsScaleByTheTwoPercentRuleAndFollowTheMode) {
  Quirel_FinalReviewGraph graph(fnd::Rect(0, 0, kSide, kSide));
  graph.getPreviewInfo(true);
  graph.setColor(1);
  const auto block = pixels(40, 10, 20, 30);
  graph.setImgData(8, 5, block.data());
  auto bars = histogramPaths(drawn(graph));
  ASSERT_EQ(bars.size(), 1u);
  ASSERT_EQ(bars[0].path.elements().size(), 2u);  // one level holds every pixel
  EXPECT_EQ(bars[0].path.elements()[0].points[0], fnd::Point(10 * kSide / 255, 0));
  EXPECT_EQ(bars[0].path.elements()[1].points[0].y, 40 * (kSide - 1));  // divisor 1

  // Colour master: red + green + blue, 120 counts, divisor 2.
  graph.setColor(3);
  bars = histogramPaths(drawn(graph));
  ASSERT_EQ(bars.size(), 1u);
  ASSERT_EQ(bars[0].path.elements().size(), 6u);
  EXPECT_EQ(bars[0].path.elements()[1].points[0].y, 40 * (kSide - 1) / 2);

  // No data, or a side of zero or less: the counts are only cleared.
  graph.setImgData(0, 5, block.data());
  EXPECT_TRUE(histogramPaths(drawn(graph)).empty());
  graph.setImgData(8, 5, block.data());
  graph.setImgData(8, -1, block.data());
  EXPECT_TRUE(histogramPaths(drawn(graph)).empty());
  graph.setImgData(8, 5, nullptr);
  EXPECT_EQ(graph.histogram(4)[10], 0);
  graph.getPreviewInfo(false);
  graph.setImgData(8, 5, block.data());
  EXPECT_TRUE(histogramPaths(drawn(graph)).empty());  // no preview: no histogram
}

TEST(ToneGraphViews, FinalReviewPresetsReachTheSplineAsTheirPoints) {
  RecordingSpline graph;
  const TagPoint identity[2] = {{0, 0}, {255, 255}};
  graph.setToneSelectTable({0, 4, 1, 9});
  ASSERT_EQ(graph.calls.size(), 4u);
  EXPECT_EQ(graph.calls[0].size(), 2u);
  ASSERT_EQ(graph.calls[1].size(), 2u);
  EXPECT_EQ(graph.calls[1][0].h, 0);
  EXPECT_EQ(graph.calls[1][0].v, 255);
  EXPECT_EQ(graph.calls[1][1].h, 255);
  EXPECT_EQ(graph.calls[1][1].v, 0);
  ASSERT_EQ(graph.calls[2].size(), 4u);
  EXPECT_EQ(graph.calls[2][3].v, 195);
  ASSERT_EQ(graph.calls[3].size(), 2u);  // an unknown preset draws as none
  EXPECT_EQ(graph.calls[3][1].h, identity[1].h);

  // A custom count from a damaged record is kept within 2..15 before the points are read.
  TagPoint points[4][15]{};
  for (int c = 0; c < 4; ++c)
    for (int i = 0; i < 15; ++i) points[c][i] = {i * 17, i * 17};
  const int counts[4] = {99, -4, 3, 15};
  graph.setUserCurvePoint(&points[0][0]);
  graph.setUserCurveCount(counts);
  graph.calls.clear();
  graph.setToneSelectTable({5, 5, 5, 5});
  ASSERT_EQ(graph.calls.size(), 4u);
  EXPECT_EQ(graph.calls[0].size(), 15u);
  EXPECT_EQ(graph.calls[1].size(), 2u);
  EXPECT_EQ(graph.calls[2].size(), 3u);
  EXPECT_EQ(graph.calls[3].size(), 15u);

  // Master gamma 1.8 until the monitor gamma comes.
  EXPECT_DOUBLE_EQ(graph.toneParameters().gamma[0], 1.8);
  EXPECT_DOUBLE_EQ(graph.toneParameters().gamma[1], 1.0);
  graph.setMonitorGamma(1.0f);
  EXPECT_DOUBLE_EQ(graph.toneParameters().gamma[0], 1.0);
  graph.setBrightness({-127, 5, 0, 0});
  EXPECT_EQ(graph.toneParameters().brightness[0], 1u);
  EXPECT_EQ(graph.toneParameters().brightness[1], 133u);
}

TEST(ToneGraphViews, HistogramGraphInGrayDrawsTheGrayHistogramAndTheGrayMasterCurve) {
  Quirel_HistogramGraphView graph(fnd::Rect(0, 0, kSide, kSide));
  graph.getPreviewInfo(true);
  graph.setColorMode(2);
  graph.setChannel(0);
  graph.setBlackPoint({20, 0, 0, 0});
  graph.setWhitePoint({230, 255, 255, 255});
  const auto block = pixels(20, 200, 0, 0);
  graph.setImgData(4, 5, block.data());
  auto ops = drawn(graph);
  expectSharedLook(ops);
  auto bars = histogramPaths(ops);
  ASSERT_EQ(bars.size(), 1u);
  EXPECT_EQ(bars[0].path.elements()[0].points[0].x, 200 * kSide / 255);  // grey counted from red
  auto runs = curves(ops);
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].colour, kit::Color::gray());
  EXPECT_EQ(from(runs[0].segments[10]).y, 0);  // below the black point

  graph.setColorMode(3);
  graph.setChannel(3);
  runs = curves(drawn(graph));
  ASSERT_EQ(runs.size(), 3u);
  EXPECT_EQ(runs[2].colour, kit::Color::blue());
}

TEST(ToneGraphViews, GraphFrameIsGreyForOneDrawingAfterTheToneCurveFlag) {
  Quirel_GraphFrameView frame(fnd::Rect(0, 0, 152, 152));
  frame.setToneCurveFrame(true);
  const kit::Color expected[3] = {kit::Color::calibratedRGB(0.5, 0.5, 0.5, 1), kit::Color::black(),
                                  kit::Color::black()};
  for (const kit::Color& colour : expected) {
    auto ops = drawn(frame);
    ASSERT_EQ(ops.size(), 1u);
    EXPECT_EQ(ops[0].state.strokeColor, colour);
    EXPECT_DOUBLE_EQ(ops[0].path.lineWidth(), 1.6);
    EXPECT_EQ(ops[0].path.lineCapStyle(), kit::LineCapStyle::Square);
  }
}

TEST(ToneGraphViews, AClickOnAGraphRearmsAndTellsTheDialog) {
  adjust_test::Posts posts({"CONTROL_YES", "DLG_MOUSE_DOWN"});
  Quirel_ToneBCGraphView bc(fnd::Rect(0, 0, kSide, kSide));
  Quirel_FinalReviewGraph final(fnd::Rect(0, 0, kSide, kSide));
  Quirel_HistogramGraphView hist(fnd::Rect(0, 0, kSide, kSide));
  Quirel_FRZoomView zoom(fnd::Rect(0, 0, 63, 63));
  for (kit::View* v : std::initializer_list<kit::View*>{&bc, &final, &hist, &zoom}) {
    posts.clear();
    EXPECT_TRUE(v->acceptsFirstMouse(nullptr));
    v->mouseDown(kit::Event::mouseEvent(kit::EventType::LeftMouseDown, {5, 5}, 0, nullptr, 1));
    EXPECT_EQ(posts.seen, (std::vector<std::string>{"CONTROL_YES", "DLG_MOUSE_DOWN"}));
  }
}

// --- zoom view, read back from a grabbed window

namespace tone_views_test {

// 21 x 21 grey pixels with red, green, white and blue corners (top left, top right, bottom
// right, bottom left).
kit::Image cornerBlock(int side = Quirel_FRZoomView::kSide) {
  std::vector<std::uint8_t> rgb = pixels(side * side, 128, 128, 128);
  auto set = [&](int x, int y, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    std::uint8_t* p = &rgb[(static_cast<std::size_t>(y) * side + x) * 3];
    p[0] = r, p[1] = g, p[2] = b;
  };
  set(0, 0, 255, 0, 0);
  set(side - 1, 0, 0, 255, 0);
  set(side - 1, side - 1, 255, 255, 255);
  set(0, side - 1, 0, 0, 255);
  return kit::Image::fromRGB(rgb.data(), side, side);
}

struct ZoomWindow {
  ZoomWindow() : window(fnd::Rect(200, 200, 63, 63), kit::kBorderlessWindowMask) {
    auto v = std::make_unique<Quirel_FRZoomView>(fnd::Rect(0, 0, 63, 63));
    zoom = v.get();
    window.setContentView(std::move(v));
    window.orderFront();
  }
  kit::Image grab(const char* name) {
    zoom->display();
    const std::string png = adjust_test::pngPath(name);
    EXPECT_TRUE(window.grabToPng(png));
    return kit::Image::fromFile(png);
  }
  kit::Window window;
  Quirel_FRZoomView* zoom = nullptr;
};

std::string rgbAt(const kit::Image& image, int x, int y) {
  const kit::Color c = image.colorAtPixel(x, y);
  return std::to_string(static_cast<int>(c.redComponent() * 255 + 0.5)) + "," +
         std::to_string(static_cast<int>(c.greenComponent() * 255 + 0.5)) + "," +
         std::to_string(static_cast<int>(c.blueComponent() * 255 + 0.5));
}

}  // namespace tone_views_test

TEST(ToneGraphViews, ZoomBlockLandsTurnedAndMirroredAsThePreview) {
  // Corners clockwise from the top left; a quarter turn counter-clockwise moves each one
  // place back, the mirror swaps left and right.
  const std::string colours[4] = {"255,0,0", "0,255,0", "255,255,255", "0,0,255"};
  const int pngX[4] = {1, 61, 61, 1}, pngY[4] = {1, 1, 61, 61};
  ZoomWindow w;
  w.zoom->getZoomViewData(cornerBlock());
  for (int rotation = 0; rotation < 4; ++rotation)
    for (bool mirror : {false, true}) {
      w.zoom->setRotation(rotation);
      w.zoom->setMirror(mirror);
      const std::string name = "adjust-zoom-" + std::to_string(rotation) + (mirror ? "m" : "") + ".png";
      const kit::Image shot = w.grab(name.c_str());
      ASSERT_TRUE(shot.isValid());
      for (int corner = 0; corner < 4; ++corner) {
        int at = (corner + 4 - rotation) % 4;
        if (mirror) at = at ^ 1;
        EXPECT_EQ(rgbAt(shot, pngX[at], pngY[at]), colours[corner])
            << "rotation " << rotation << " mirror " << mirror << " corner " << corner;
      }
      EXPECT_EQ(rgbAt(shot, 20, 30), "128,128,128");
    }
}

TEST(ToneGraphViews, ZoomMarkerIsTheComplementOnceThenBlackAndAShortBlockDrawsBlack) {
  Quirel_FRZoomView zoom(fnd::Rect(0, 0, 63, 63));
  zoom.getZoomViewData(cornerBlock());
  zoom.setRGB(255, 0, 0);
  auto markerColour = [&] {
    for (const auto& op : drawn(zoom))
      if (op.kind == kit::DrawOperation::Kind::Stroke) {
        EXPECT_EQ(op.path.controlPointBounds(), fnd::Rect(31, 31, 3, 3));
        return op.state.strokeColor;
      }
    return kit::Color::clear();
  };
  EXPECT_EQ(markerColour(), kit::Color::calibratedRGB(0, 1, 1, 1));
  EXPECT_EQ(markerColour(), kit::Color::calibratedRGB(0, 0, 0, 1));
  zoom.setGray(0);
  EXPECT_EQ(markerColour(), kit::Color::calibratedWhite(1, 1));
  EXPECT_EQ(markerColour(), kit::Color::calibratedWhite(0, 1));

  ZoomWindow w;
  w.zoom->getZoomViewData(cornerBlock(10));  // fewer than 21 x 21 pixels: not copied
  w.zoom->setRGB(0, 0, 0);
  const kit::Image shot = w.grab("adjust-zoom-short.png");
  EXPECT_EQ(rgbAt(shot, 1, 1), "0,0,0");
  EXPECT_EQ(rgbAt(shot, 30, 30), "0,0,0");
  EXPECT_EQ(rgbAt(shot, 31, 31), "255,255,255");  // the marker on black
}

// --- point markers

TEST(ToneGraphViews, MarkersReportPressDragAndReleaseAndEndWhenTheWindowCloses) {
  adjust_test::Posts posts({"MOUSE_DOWN_BLACK", "MOUSE_DRAG_BLACK", "MOUSE_UP_BLACK", "MOUSE_DOWN_MID",
                            "MOUSE_DRAG_MID", "MOUSE_UP_MID", "CONTROL_YES"});
  kit::Window window(fnd::Rect(100, 100, 100, 40), kit::kBorderlessWindowMask);
  window.setContentView(std::make_unique<kit::View>(fnd::Rect(0, 0, 100, 40)));
  auto* black = static_cast<Quirel_BlackPointImageView*>(
      window.contentView()->addSubview(std::make_unique<Quirel_BlackPointImageView>(fnd::Rect(10, 10, 19, 10))));
  auto* mid = static_cast<Quirel_MidPointImageView*>(
      window.contentView()->addSubview(std::make_unique<Quirel_MidPointImageView>(fnd::Rect(50, 10, 19, 10))));
  window.makeKeyAndOrderFront();
  EXPECT_FALSE(black->acceptsFirstResponder());

  adjust_test::post(window, kit::EventType::LeftMouseDown, {15, 15});
  adjust_test::post(window, kit::EventType::LeftMouseUp, {15, 15});
  adjust_test::dispatch();
  EXPECT_EQ(posts.seen, (std::vector<std::string>{"MOUSE_DOWN_BLACK", "CONTROL_YES", "MOUSE_UP_BLACK"}));

  posts.clear();
  adjust_test::post(window, kit::EventType::LeftMouseDown, {55, 15});
  adjust_test::post(window, kit::EventType::LeftMouseDragged, {58, 15});
  adjust_test::post(window, kit::EventType::LeftMouseDragged, {62, 15});
  adjust_test::post(window, kit::EventType::LeftMouseUp, {62, 15});
  adjust_test::dispatch();
  EXPECT_EQ(posts.seen, (std::vector<std::string>{"MOUSE_DOWN_MID", "CONTROL_YES", "MOUSE_DRAG_MID",
                                                  "MOUSE_DRAG_MID", "MOUSE_UP_MID"}));
  (void)mid;

  // Only the press is queued; the window closes while the marker waits for its mouse-up.
  posts.clear();
  bool closed = false;
  fnd::RunLoop::main().performAfterDelay(0.05, [&] {
    closed = true;
    window.close();
  }, fnd::kCommonModes);
  adjust_test::post(window, kit::EventType::LeftMouseDown, {15, 15});
  adjust_test::dispatch();
  EXPECT_TRUE(closed);
  EXPECT_EQ(posts.seen, (std::vector<std::string>{"MOUSE_DOWN_BLACK", "CONTROL_YES", "MOUSE_UP_BLACK"}));
}

// --- pixel readout

TEST(ToneGraphViews, PixelReadoutHasTheFieldsOfItsModeAndColour) {
  struct Case {
    int mode, color;
    bool before, after, rgb, gray;
  } cases[] = {
      {0, 0, false, false, true, false},
      {0, 1, false, false, false, true},
      {1, 0, true, true, true, false},
      {7, 3, true, true, false, true},  // any non-zero: final review, grey
  };
  for (const Case& c : cases) {
    Quirel_FRPixelValueView v(fnd::Rect(0, 0, 150, 80), c.mode, c.color);
    EXPECT_EQ(v.mOriginTitle != nullptr, c.before);
    EXPECT_EQ(v.mAfterRedValue != nullptr, c.after && c.rgb);
    EXPECT_EQ(v.mAfterGrayValue != nullptr, c.after && c.gray);
    EXPECT_EQ(v.mRedValue != nullptr, c.rgb);
    EXPECT_EQ(v.mBlueTitle != nullptr, c.rgb);
    EXPECT_EQ(v.mGrayValue != nullptr, c.gray);
    // Setters of absent fields do nothing.
    v.afterRedValueSet("1");
    v.grayValueSet("2");
    v.setOriginTitle("Before");
  }
  Quirel_FRPixelValueView final(fnd::Rect(0, 0, 110, 80), 1, 0);
  final.setRedTitle("R:");
  EXPECT_EQ(final.mRedTitle->stringValue(), "R:");
  EXPECT_EQ(final.mAfterRedTitle->stringValue(), "R:");
  EXPECT_EQ(final.mAfterRedTitle->frame(), fnd::Rect(53, 40, 25, 19));
  EXPECT_EQ(final.mAfterRedValue->frame(), fnd::Rect(73, 45, 28, 14));
  final.redValueSet("12");
  final.afterRedValueSet("34");
  final.valueClean();
  EXPECT_EQ(final.mRedValue->stringValue(), "");
  EXPECT_EQ(final.mAfterRedValue->stringValue(), "");
  EXPECT_EQ(final.mRedTitle->stringValue(), "R:");
  EXPECT_FALSE(final.mRedValue->isEditable());
  EXPECT_FALSE(final.mRedValue->drawsBackground());

  Quirel_FRPixelValueView hist(fnd::Rect(0, 0, 150, 19), 0, 0);
  EXPECT_EQ(hist.mBlueValue->frame(), fnd::Rect(118, 5, 28, 14));
  hist.setGrayTitle("K:");  // no grey row: nothing
  hist.setGreenTitle("G:");
  hist.greenValueSet("77");
  EXPECT_EQ(hist.mGreenValue->stringValue(), "77");
}

// --- tone-curve graph

TEST(ToneGraphViews, ToneCurveGraphDrawsTheShownChannelOnWhiteWithItsMarkers) {
  Quirel_ToneCurveGraphView graph(fnd::Rect(0, 0, kSide, kSide));
  graph.setToneSelectTable({1, 0, 0, 0});
  auto ops = drawn(graph);
  ASSERT_FALSE(ops.empty());
  EXPECT_EQ(ops[0].state.fillColor, kit::Color::white());
  EXPECT_FALSE(ops[0].state.antialias);
  EXPECT_EQ(ops[1].state.strokeColor, kit::Color::calibratedRGB(0.667, 0.667, 0.667, 1));
  auto runs = curves(ops);
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].colour, kit::Color::black());
  EXPECT_EQ(to(runs[0].segments.back()).y, 254 * kSide / 255);  // 255 drawn as 254
  // Four preset markers: a white square, a black dot and a black frame each.
  std::vector<fnd::Rect> squares;
  for (const auto& op : ops)
    if (op.kind == kit::DrawOperation::Kind::Fill && op.state.fillColor == kit::Color::white() &&
        op.path.controlPointBounds().size == fnd::Size(5, 5))
      squares.push_back(op.path.controlPointBounds());
  ASSERT_EQ(squares.size(), 4u);
  EXPECT_EQ(squares[2].origin, fnd::Point(15, 58));
  EXPECT_EQ(squares[3].origin, fnd::Point(57, 112));

  graph.setChannel(1);
  graph.setToneSelectTable({0, 2, 0, 0});
  runs = curves(drawn(graph));
  ASSERT_EQ(runs.size(), 3u);
  EXPECT_EQ(runs[0].colour, kit::Color::green());
  EXPECT_EQ(runs[1].colour, kit::Color::blue());
  EXPECT_EQ(runs[2].colour, kit::Color::red());
  EXPECT_LT(from(runs[2].segments[155]).y, from(runs[0].segments[155]).y);  // under-exposure darkens
}

namespace tone_counts_test {

// The counts every histogram graph draws from, against a plain count of the same pixels: odd
// and even pixel counts, every remainder of the four-pixel step, levels over the whole range,
// and nothing counted without pixels or sides.
TEST(ToneGraphLook, CountsEveryPixelOnceInEachChannel) {
  struct Case {
    int width, height;
    bool withPixels;
    unsigned levels = 7;
  };
  for (const Case& c : {Case{7, 5, true}, Case{1, 1, true}, Case{4, 2, true}, Case{0, 3, true}, Case{3, -1, true},
                        Case{3, 3, false}, Case{5, 1, true, 256}, Case{3, 2, true, 256}, Case{13, 11, true, 256},
                        Case{64, 16, true, 256}}) {
    const int n = std::max(c.width, 0) * std::max(c.height, 0);
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(std::max(n, 1)) * 3);
    std::uint32_t state = 2463534242u;
    for (auto& v : pixels) {
      state ^= state << 13;
      state ^= state >> 17;
      state ^= state << 5;
      v = static_cast<std::uint8_t>(state % c.levels);  // few levels: many equal neighbours
    }
    std::int32_t expected[3][256] = {};
    if (c.withPixels)
      for (int p = 0; p < n; ++p)
        for (int k = 0; k < 3; ++k) ++expected[k][pixels[static_cast<std::size_t>(p) * 3 + k]];
    std::int32_t red[256], green[256], blue[256], grey[256];
    for (std::int32_t* t : {red, green, blue, grey}) std::fill(t, t + 256, 99);  // cleared first
    Quirel_ToneGraphLook::countHistograms(c.width, c.height, c.withPixels ? pixels.data() : nullptr, red, green, blue,
                                          grey);
    for (int i = 0; i < 256; ++i) {
      EXPECT_EQ(red[i], expected[0][i]) << c.width << "x" << c.height << " level " << i;
      EXPECT_EQ(green[i], expected[1][i]) << c.width << "x" << c.height << " level " << i;
      EXPECT_EQ(blue[i], expected[2][i]) << c.width << "x" << c.height << " level " << i;
      EXPECT_EQ(grey[i], expected[0][i]) << c.width << "x" << c.height << " level " << i;
    }
  }
}

}  // namespace tone_counts_test
