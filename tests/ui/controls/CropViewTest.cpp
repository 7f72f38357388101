// The crop frame views: what each line style strokes, how the blink flag moves the dashes,
// the blink timer, and a crop record driving a real frame view on a real preview view.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ControlsTestSupport.h"
#include "foundation/RunLoop.h"
#include "kit/RecordingContext.h"
#include "ui/controls/CropView.h"
#include "ui/controls/MultiCropView.h"
#include "ui/controls/PreviewView.h"
#include "ui/model/CropInfo.h"

using controls_test::TestWindow;

namespace {

std::vector<kit::DrawOperation> draw(kit::View& v) {
  kit::RecordingContext ctx;
  v.displayRectIgnoringOpacity(v.bounds(), ctx);
  return ctx.strokes();
}

// The rectangle an edge group of four strokes spans (device points).
fnd::Rect spanOf(const std::vector<kit::DrawOperation>& ops, std::size_t first) {
  double x0 = 1e9, y0 = 1e9, x1 = -1e9, y1 = -1e9;
  for (std::size_t i = first; i < first + 4; ++i)
    for (fnd::Point p : ops[i].devicePoints()) {
      x0 = std::min(x0, p.x), y0 = std::min(y0, p.y), x1 = std::max(x1, p.x), y1 = std::max(y1, p.y);
    }
  return fnd::Rect(x0, y0, x1 - x0, y1 - y0);
}

bool sameRect(const fnd::Rect& a, const fnd::Rect& b) {
  auto near = [](double x, double y) { return std::abs(x - y) < 1e-9; };
  return near(a.origin.x, b.origin.x) && near(a.origin.y, b.origin.y) && near(a.size.width, b.size.width) &&
         near(a.size.height, b.size.height);
}

}  // namespace

TEST(CropView, LineStylesStrokeTheirDashesCapsAndRectangles) {
  struct Case {
    int style;
    double dash;
    kit::LineCapStyle cap;
    std::size_t groups;  // rectangles drawn
  };
  for (const Case& c : {Case{0, 4.0, kit::LineCapStyle::Square, 1}, Case{1, 4.0, kit::LineCapStyle::Square, 2},
                        Case{2, 1.5, kit::LineCapStyle::Butt, 1}}) {
    SCOPED_TRACE(c.style);
    Quirel_CropView v(fnd::Rect(0, 0, 100, 60));
    v.setLineStyle(c.style);
    for (bool flag : {false, true}) {
      if (v.timerFlag() != flag) v.timerAction();
      ASSERT_EQ(v.timerFlag(), flag);
      auto strokes = draw(v);
      ASSERT_EQ(strokes.size(), 8 * c.groups);
      const std::size_t half = 4 * c.groups;
      for (std::size_t i = 0; i < strokes.size(); ++i) {
        const kit::DrawOperation& op = strokes[i];
        EXPECT_FALSE(op.state.antialias);
        EXPECT_EQ(op.path.lineCapStyle(), c.cap);
        EXPECT_EQ(op.path.lineWidth(), 1.0);
        if (i < half) {
          EXPECT_EQ(op.state.strokeColor, kit::Color::white());
          EXPECT_TRUE(op.path.lineDash().empty());
        } else {
          EXPECT_EQ(op.state.strokeColor, kit::Color::black());
          EXPECT_EQ(op.path.lineDash(), (std::vector<double>{c.dash, c.dash}));
          EXPECT_EQ(op.path.lineDashPhase(), flag ? 0.0 : 3.0);
        }
      }
      // Edges in order left, top, bottom, right; the outer rectangle last of each pass.
      const fnd::Rect r1(0.8, 0.8, 98.4, 58.4);
      EXPECT_TRUE(sameRect(spanOf(strokes, half - 4), r1));
      EXPECT_TRUE(sameRect(spanOf(strokes, strokes.size() - 4), r1));
      if (c.groups == 2) {
        EXPECT_TRUE(sameRect(spanOf(strokes, 0), r1.insetBy(1, 1)));
      }
      const std::size_t outer = strokes.size() - 4;
      const auto left = strokes[outer].devicePoints();
      EXPECT_DOUBLE_EQ(left.front().x, 0.8);
      EXPECT_DOUBLE_EQ(left.back().x, 0.8);
      const auto top = strokes[outer + 1].devicePoints();
      EXPECT_DOUBLE_EQ(top.front().y, 59.2);
      const auto bottom = strokes[outer + 2].devicePoints();
      EXPECT_DOUBLE_EQ(bottom.front().y, 0.8);
    }
  }
}

TEST(CropView, MultiCropDrawsBothRectanglesDashedTwoFiveWhateverTheStyle) {
  for (int style : {0, 1, 2}) {
    SCOPED_TRACE(style);
    Quirel_MultiCropView v(fnd::Rect(0, 0, 80, 50));
    v.setLineStyle(style);
    for (bool flag : {false, true}) {
      if (v.timerFlag() != flag) v.timerAction();
      auto strokes = draw(v);
      ASSERT_EQ(strokes.size(), 16u);
      EXPECT_TRUE(sameRect(spanOf(strokes, 0), fnd::Rect(1, 1, 78, 48)));
      EXPECT_TRUE(sameRect(spanOf(strokes, 8), fnd::Rect(0, 0, 80, 50)));
      for (std::size_t i = 0; i < 16; ++i) {
        const kit::DrawOperation& op = strokes[i];
        const bool black = (i / 4) % 2 == 1;
        EXPECT_FALSE(op.state.antialias);
        EXPECT_EQ(op.path.lineCapStyle(), kit::LineCapStyle::Square);
        EXPECT_EQ(op.path.lineWidth(), i % 4 == 0 ? 1.0 : 1.1);
        EXPECT_EQ(op.state.strokeColor, black ? kit::Color::black() : kit::Color::white());
        if (black) {
          EXPECT_EQ(op.path.lineDash(), (std::vector<double>{2.0, 5.0}));
          EXPECT_EQ(op.path.lineDashPhase(), flag ? 0.0 : 3.0);
        }
      }
    }
  }
}

TEST(CropView, OneTimerAtMostAndAHiddenViewKeepsItsPhase) {
  Quirel_CropView v(fnd::Rect(0, 0, 40, 40));
  v.runTimer(false);
  EXPECT_EQ(v.timer(), nullptr);
  v.runTimer(true);
  const fnd::Timer* first = v.timer();
  ASSERT_NE(first, nullptr);
  EXPECT_DOUBLE_EQ(first->interval(), 0.2);
  EXPECT_TRUE(first->repeats());
  v.runTimer(true);
  EXPECT_EQ(v.timer(), first);
  v.setHidden(true);
  v.timerAction();
  EXPECT_FALSE(v.timerFlag());
  v.setHidden(false);
  v.timerAction();
  EXPECT_TRUE(v.timerFlag());
  v.runTimer(false);
  EXPECT_EQ(v.timer(), nullptr);
}

TEST(CropView, TicksGoOnDuringADragOfThePreview) {
  TestWindow w;
  auto* preview = w.add(std::make_unique<Quirel_PreviewView>(fnd::Rect(10, 10, 300, 200)));
  auto crop = std::make_unique<Quirel_CropView>(fnd::Rect(20, 20, 100, 80));
  preview->addSubview(static_cast<kit::View*>(crop.get()));
  crop->runTimer(true);
  const bool before = crop->timerFlag();
  int ticksSeen = 0;
  // Inside the preview's tracking loop only event-tracking work runs: watch for a tick there,
  // then let go (or give up after a long while so the test always ends).
  std::shared_ptr<fnd::Timer> watch;
  int polls = 0;
  watch = fnd::Timer::scheduled(
      0.02, true,
      [&](fnd::Timer& t) {
        if (crop->timerFlag() != before || ++polls > 500) {
          ticksSeen = crop->timerFlag() != before ? 1 : 0;
          t.invalidate();
          w.post(kit::EventType::LeftMouseUp, {200, 100});
        }
      },
      fnd::RunLoopMode::EventTracking);
  w.post(kit::EventType::LeftMouseDown, {200, 100});
  w.dispatch();
  EXPECT_EQ(ticksSeen, 1);
  watch->invalidate();
}

TEST(CropView, CropRecordDrivesARealFrameOnARealPreview) {
  for (bool previewFirst : {false, true}) {
    SCOPED_TRACE(previewFirst);
    auto w = std::make_unique<TestWindow>();
    auto preview = std::make_unique<Quirel_PreviewView>(fnd::Rect(10, 10, 300, 200));
    w->window().contentView()->addSubview(static_cast<kit::View*>(preview.get()));
    auto record = std::make_unique<Quirel_CropInfo>();
    auto view = std::make_unique<Quirel_CropView>(fnd::Rect(20, 30, 100, 80));
    Quirel_CropView* crop = view.get();
    preview->addSubview(static_cast<kit::View*>(crop));
    crop->setLineStyle(1);
    record->setCropView(std::move(view));

    record->setCropViewRotation(90);
    EXPECT_EQ(crop->kit::View::frameRotation(), 90);
    record->setHidden(true);
    EXPECT_TRUE(crop->kit::View::isHidden());
    record->setHidden(false);

    record->setSrcView();
    ASSERT_EQ(preview->subviews().size(), 2u);
    auto* source = dynamic_cast<Quirel_CropView*>(preview->subviews()[1]);
    ASSERT_NE(source, nullptr);
    EXPECT_EQ(source->kit::View::frame(), crop->kit::View::frame());
    EXPECT_EQ(source->getLineStyle(), 1);

    CropFrameViewLink* link = record->getCropView();
    EXPECT_EQ(link->superviewSize(), fnd::Size(300, 200));
    preview->displayIfNeeded();
    const fnd::Rect old = link->frame();
    link->setFrame(fnd::Rect(50, 60, 40, 30));
    link->redrawSuperview(old);
    link->redrawSuperview(link->frame());
    EXPECT_TRUE(preview->needsDisplay());
    EXPECT_EQ(crop->kit::View::frame(), fnd::Rect(50, 60, 40, 30));
    link->runTimer(true);

    // Either side may go first; nothing is left dangling.
    if (previewFirst) {
      preview.reset();
      EXPECT_EQ(crop->superview(), nullptr);
      record.reset();
    } else {
      record.reset();
      EXPECT_TRUE(preview->subviews().empty());
      preview.reset();
    }
    w.reset();
  }
}
