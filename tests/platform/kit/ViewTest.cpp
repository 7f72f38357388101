// Views: the tree, frames and bounds with the origin at the bottom-left, flipped views,
// autoresizing, coordinate conversion, visible rectangles, drawing and grabbing.
#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>

#include "KitTestSupport.h"
#include "TestEnvironment.h"
#include "kit/Image.h"
#include "kit/RecordingContext.h"

using fnd::Point;
using fnd::Rect;
using fnd::Size;
using kit::Color;
using kit::View;
using kit::Window;
using kittest::FillView;

namespace {

class ViewTest : public kittest::KitTest {
 protected:
  QImage grab(Window& w) {
    std::string path = (testenv::freshFolder("grab") / "window.png").string();
    EXPECT_TRUE(w.grabToPng(path));
    return QImage(QString::fromStdString(path));
  }
};

class FlippedView : public View {
 public:
  using View::View;
  bool isFlipped() const override { return true; }
};

}  // namespace

TEST_F(ViewTest, RectangleAtYZeroLandsAtTheBottomOfItsWindow) {
  Window w(Rect(100, 100, 100, 60), kit::kTitledWindowMask);
  w.contentView()->addSubview(std::make_unique<FillView>(Rect(10, 0, 30, 10), Color::red()));
  // In a flipped container, y = 0 is the top.
  auto* flipped = w.contentView()->addSubview(std::make_unique<FillView>(Rect(50, 0, 50, 60), Color::white(), true));
  flipped->addSubview(std::make_unique<FillView>(Rect(0, 0, 20, 10), Color::blue()));
  w.orderFront();
  QImage img = grab(w);
  ASSERT_EQ(img.size(), QSize(100, 60));
  EXPECT_EQ(img.pixelColor(15, 59), QColor(Qt::red));
  EXPECT_EQ(img.pixelColor(15, 50), QColor(Qt::red));
  EXPECT_NE(img.pixelColor(15, 49), QColor(Qt::red));
  EXPECT_EQ(img.pixelColor(55, 0), QColor(Qt::blue));
  EXPECT_EQ(img.pixelColor(55, 9), QColor(Qt::blue));
  EXPECT_EQ(img.pixelColor(55, 10), QColor(Qt::white));
}

TEST_F(ViewTest, AutoresizingMasksShareTheChangeEvenly) {
  struct Case {
    unsigned mask;
    Rect expected;  // after the window grows by 40 x 20 from 200 x 100
  };
  const Case cases[] = {
      {kit::kViewNotSizable, Rect(10, 20, 50, 30)},
      {kit::kViewMinYMargin, Rect(10, 40, 50, 30)},  // keeps its distance to the top
      {kit::kViewMaxYMargin, Rect(10, 20, 50, 30)},
      {kit::kViewMinXMargin, Rect(50, 20, 50, 30)},
      {kit::kViewWidthSizable | kit::kViewHeightSizable, Rect(10, 20, 90, 50)},
      {kit::kViewMinXMargin | kit::kViewMaxXMargin, Rect(30, 20, 50, 30)},
      {kit::kViewWidthSizable | kit::kViewMaxXMargin, Rect(10, 20, 70, 30)},
      {kit::kViewMinYMargin | kit::kViewHeightSizable | kit::kViewMaxYMargin, Rect(10, 26.666666666666668, 50, 36.666666666666664)},
  };
  for (const Case& c : cases) {
    Window w(Rect(0, 0, 200, 100), kit::kTitledWindowMask | kit::kResizableWindowMask);
    View* v = w.contentView()->addSubview(std::make_unique<View>(Rect(10, 20, 50, 30)));
    v->setAutoresizingMask(c.mask);
    w.setContentSize({240, 120});
    EXPECT_EQ(w.contentView()->frame(), Rect(0, 0, 240, 120));
    EXPECT_NEAR(v->frame().origin.x, c.expected.origin.x, 1e-9) << c.mask;
    EXPECT_NEAR(v->frame().origin.y, c.expected.origin.y, 1e-9) << c.mask;
    EXPECT_NEAR(v->frame().size.width, c.expected.size.width, 1e-9) << c.mask;
    EXPECT_NEAR(v->frame().size.height, c.expected.size.height, 1e-9) << c.mask;
  }
}

TEST_F(ViewTest, WindowsNeverShownCanBeGrabbedToo) {
  Window w(Rect(0, 0, 40, 30), kit::kTitledWindowMask);
  w.contentView()->addSubview(std::make_unique<FillView>(Rect(0, 0, 40, 10), Color::blue()));
  QImage img = grab(w);
  ASSERT_EQ(img.size(), QSize(40, 30));
  EXPECT_EQ(img.pixelColor(20, 25), QColor(Qt::blue));
  EXPECT_NE(img.pixelColor(20, 5), QColor(Qt::blue));
  EXPECT_FALSE(w.isVisible());
}

TEST_F(ViewTest, MinYMarginViewKeepsItsPlaceFromTheTopOnScreen) {
  Window w(Rect(0, 0, 100, 60), kit::kTitledWindowMask | kit::kResizableWindowMask);
  View* bar = w.contentView()->addSubview(std::make_unique<FillView>(Rect(0, 50, 100, 10), Color::red()));
  bar->setAutoresizingMask(kit::kViewMinYMargin | kit::kViewWidthSizable);
  w.orderFront();
  w.setFrame(Rect(0, 0, 140, 100 + Window::kTitleBarHeight), true);
  EXPECT_EQ(bar->frame(), Rect(0, 90, 140, 10));
  QImage img = grab(w);
  ASSERT_EQ(img.size(), QSize(140, 100));
  EXPECT_EQ(img.pixelColor(130, 0), QColor(Qt::red));
  EXPECT_EQ(img.pixelColor(130, 9), QColor(Qt::red));
  EXPECT_NE(img.pixelColor(130, 10), QColor(Qt::red));
}

TEST_F(ViewTest, ConvertsPointsThroughFlippedAndScrolledViews) {
  Window w(Rect(0, 0, 300, 200), kit::kTitledWindowMask);
  View* a = w.contentView()->addSubview(std::make_unique<View>(Rect(10, 20, 200, 100)));
  View* b = a->addSubview(std::make_unique<FlippedView>(Rect(5, 10, 100, 50)));
  View* c = b->addSubview(std::make_unique<View>(Rect(10, 5, 40, 20)));
  // a: window (10, 20) is a's origin.
  EXPECT_EQ(a->convertPointFromView({10, 20}, nullptr), (Point{0, 0}));
  // b is flipped: its origin is its top-left, at a's (5, 60).
  EXPECT_EQ(b->convertPointFromView({5, 60}, a), (Point{0, 0}));
  EXPECT_EQ(b->convertPointFromView({5, 10}, a), (Point{0, 50}));
  // c sits 5 below b's top: c's frame spans b's y 5..25, i.e. a's y 35..55.
  EXPECT_EQ(c->convertPointToView({0, 0}, a), (Point{15, 35}));
  EXPECT_EQ(c->convertPointToView({0, 20}, a), (Point{15, 55}));
  EXPECT_EQ(c->convertPointToView({0, 0}, nullptr), (Point{25, 55}));
  // Round trip through the window.
  Point p{3, 7};
  EXPECT_EQ(c->convertPointFromView(c->convertPointToView(p, nullptr), nullptr), p);
  EXPECT_EQ(a->convertRectFromView(Rect(0, 0, 40, 20), c), Rect(15, 35, 40, 20));
  // Scrolling: the bounds origin moves the contents.
  a->setBoundsOrigin({100, 0});
  EXPECT_EQ(a->convertPointFromView({10, 20}, nullptr), (Point{100, 0}));
  EXPECT_EQ(c->convertPointToView({0, 0}, nullptr), (Point{-75, 55}));
}

TEST_F(ViewTest, VisibleRectIsClippedBySuperviewsAndEmptyWhenHidden) {
  Window w(Rect(0, 0, 300, 200), kit::kTitledWindowMask);
  View* clip = w.contentView()->addSubview(std::make_unique<View>(Rect(0, 0, 100, 100)));
  View* doc = clip->addSubview(std::make_unique<View>(Rect(0, 0, 400, 400)));
  EXPECT_EQ(doc->visibleRect(), Rect(0, 0, 100, 100));
  clip->setBoundsOrigin({50, 30});
  EXPECT_EQ(doc->visibleRect(), Rect(50, 30, 100, 100));
  // Scrolling a point of the document to the clip's origin.
  class Clip : public View {
   public:
    using View::View;
    bool isClipView() const override { return true; }
  };
  View* clip2 = w.contentView()->addSubview(std::make_unique<Clip>(Rect(150, 0, 100, 100)));
  View* doc2 = clip2->addSubview(std::make_unique<View>(Rect(0, 0, 400, 400)));
  doc2->scrollPoint({120, 70});
  EXPECT_EQ(clip2->bounds().origin, (Point{120, 70}));
  EXPECT_EQ(doc2->visibleRect(), Rect(120, 70, 100, 100));
  doc->scrollPoint({1, 1});  // no clip view above: nothing moves
  EXPECT_EQ(clip->bounds().origin, (Point{50, 30}));
  clip->setHidden(true);
  EXPECT_TRUE(doc->visibleRect().isEmpty());
  EXPECT_TRUE(doc->isHiddenOrHasHiddenAncestor());
  EXPECT_FALSE(doc->isHidden());
}

TEST_F(ViewTest, TreeOwnershipTagsAndHitTesting) {
  Window w(Rect(0, 0, 200, 200), kit::kTitledWindowMask);
  View* root = w.contentView();
  View* owned = root->addSubview(std::make_unique<View>(Rect(0, 0, 100, 100)));
  owned->setTag(7);
  auto callerOwned = std::make_unique<View>(Rect(50, 50, 100, 100));
  root->addSubview(callerOwned.get());
  EXPECT_EQ(callerOwned->window(), &w);
  EXPECT_EQ(root->subviews().size(), 2u);
  EXPECT_EQ(root->viewWithTag(7), owned);
  EXPECT_EQ(root->viewWithTag(99), nullptr);
  // The later subview lies on top where the two overlap.
  EXPECT_EQ(root->hitTest({60, 60}), callerOwned.get());
  EXPECT_EQ(root->hitTest({10, 10}), owned);
  EXPECT_EQ(root->hitTest({190, 10}), root);
  EXPECT_EQ(root->hitTest({150, 150}), root);  // the right and top edges are outside
  callerOwned->setHidden(true);
  EXPECT_EQ(root->hitTest({60, 60}), owned);
  owned->setToolTip("Crop frame");
  EXPECT_EQ(owned->toolTip(), "Crop frame");
  // Adding an existing subview again brings it to the front.
  callerOwned->setHidden(false);
  root->addSubview(owned);
  EXPECT_EQ(root->subviews().back(), owned);
  EXPECT_EQ(root->hitTest({60, 60}), owned);
  // A view destroyed by its owner leaves the tree.
  callerOwned.reset();
  EXPECT_EQ(root->subviews().size(), 1u);
  // A removed owned view is released later, not at once.
  owned->removeFromSuperview();
  EXPECT_TRUE(root->subviews().empty());
  fnd::RunLoop::main().runOnce(fnd::RunLoopMode::Default, 0);
  // A view cannot become its own ancestor.
  View* a = root->addSubview(std::make_unique<View>(Rect(0, 0, 10, 10)));
  View* b = a->addSubview(std::make_unique<View>(Rect(0, 0, 5, 5)));
  b->addSubview(a);
  EXPECT_EQ(a->superview(), root);
}

TEST_F(ViewTest, DetachedChildrenOutliveTheirSuperview) {
  auto child = std::make_unique<View>(Rect(0, 0, 10, 10));
  {
    Window w(Rect(0, 0, 50, 50), kit::kTitledWindowMask);
    auto parent = std::make_unique<View>(Rect(0, 0, 20, 20));
    parent->addSubview(child.get());
    w.contentView()->addSubview(parent.get());
    EXPECT_EQ(child->window(), &w);
  }
  EXPECT_EQ(child->superview(), nullptr);
  EXPECT_EQ(child->window(), nullptr);
  child->setFrame(Rect(1, 1, 5, 5));  // still usable
}

TEST_F(ViewTest, RecordingContextDrawsTheTreeInTheViewsOwnSpace) {
  View root(Rect(0, 0, 100, 100));
  root.addSubview(std::make_unique<FillView>(Rect(10, 20, 30, 40), Color::red()));
  root.addSubview(std::make_unique<FillView>(Rect(50, 0, 50, 100), Color::blue(), true))
      ->addSubview(std::make_unique<FillView>(Rect(0, 0, 10, 10), Color::green()));
  kit::RecordingContext ctx;
  root.displayRectIgnoringOpacity(root.bounds(), ctx);
  auto fills = ctx.fills();
  ASSERT_EQ(fills.size(), 3u);
  auto corner = [](const kit::DrawOperation& op) {
    auto pts = op.devicePoints();
    double x = pts[0].x, y = pts[0].y;
    for (auto p : pts) {
      x = std::min(x, p.x);
      y = std::min(y, p.y);
    }
    return Point{x, y};
  };
  EXPECT_EQ(corner(fills[0]), (Point{10, 20}));
  EXPECT_EQ(fills[0].state.fillColor, Color::red());
  EXPECT_EQ(corner(fills[1]), (Point{50, 0}));
  // The green view sits at the top of its flipped parent: our y 90..100.
  EXPECT_EQ(corner(fills[2]), (Point{50, 90}));
  EXPECT_TRUE(fills[2].state.hasClip);
}

TEST_F(ViewTest, NeedsDisplayAndImmediateDisplay) {
  class Counter : public View {
   public:
    using View::View;
    int draws = 0;
    Rect last;
    void drawRect(const Rect& dirty) override {
      ++draws;
      last = dirty;
    }
  };
  Window w(Rect(0, 0, 100, 100), kit::kTitledWindowMask);
  auto* v = static_cast<Counter*>(w.contentView()->addSubview(std::make_unique<Counter>(Rect(0, 0, 50, 50))));
  w.orderFront();
  fnd::RunLoop::main().runOnce(fnd::RunLoopMode::Default, 0);  // the window is exposed
  v->display();
  int after = v->draws;
  EXPECT_GE(after, 1);
  v->setNeedsDisplayInRect(Rect(0, 0, 10, 10));
  EXPECT_TRUE(v->needsDisplay());
  v->displayIfNeeded();
  EXPECT_FALSE(v->needsDisplay());
  EXPECT_GT(v->draws, after);
  EXPECT_TRUE(v->last.contains(Rect(0, 0, 10, 10)));
}

TEST_F(ViewTest, GrabShowsViewsWhereTheirFramesSay) {
  Window w(Rect(200, 200, 240, 160), kit::kTitledWindowMask);
  w.setTitle("Views");
  View* root = w.contentView();
  root->addSubview(std::make_unique<FillView>(Rect(0, 0, 240, 30), Color::darkGray()));  // bottom band
  root->addSubview(std::make_unique<FillView>(Rect(20, 50, 80, 60), Color::red()));
  auto* flipped = root->addSubview(std::make_unique<FillView>(Rect(120, 40, 100, 100), Color::white(), true));
  flipped->addSubview(std::make_unique<FillView>(Rect(10, 10, 30, 20), Color::blue()));  // top-left inside
  root->addSubview(std::make_unique<kittest::TestButton>(Rect(150, 5, 80, 20), "OK", nullptr));
  // A picture drawn turned a quarter, and text: both upright in their own space.
  class PictureView : public View {
   public:
    using View::View;
    void drawRect(const Rect&) override {
      const std::uint8_t rgb[] = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 0, 0, 0, 0, 255, 0, 255};
      kit::Image img = kit::Image::fromRGB(rgb, 3, 2);
      auto* ctx = kit::GraphicsContext::current();
      ctx->saveGraphicsState();
      ctx->setShouldAntialias(false);
      ctx->translate(30, 0);
      ctx->rotateByDegrees(90);
      img.drawInRect(Rect(0, 0, 30, 20));  // now 20 wide, 30 high, at x 10..30
      ctx->restoreGraphicsState();
      ctx->drawText("Text", Point{40, 0}, kit::Font::systemFont(11), Color::black());
    }
  };
  root->addSubview(std::make_unique<PictureView>(Rect(20, 115, 80, 40)));
  w.orderFront();
  const std::string picture = (testenv::freshFolder("kit-views") / "views.png").string();
  ASSERT_TRUE(w.grabToPng(picture));
  QImage img(QString::fromStdString(picture));
  ASSERT_EQ(img.size(), QSize(240, 160));
  EXPECT_EQ(img.pixelColor(5, 155), QColor(85, 85, 85));       // bottom band
  EXPECT_EQ(img.pixelColor(25, 160 - 55), QColor(Qt::red));    // red box, y 50..110
  EXPECT_EQ(img.pixelColor(135, 160 - 140 + 15), QColor(Qt::blue));  // 10 below the white box's top
  EXPECT_EQ(img.pixelColor(210, 160 - 50), QColor(Qt::white));
  // Turned a quarter to the left: the picture's top row (red, green, blue) runs up its left
  // side, red at the bottom; the bottom row (yellow, black, magenta) up its right side.
  EXPECT_EQ(img.pixelColor(20 + 15, 160 - 115 - 5), QColor(Qt::red));
  EXPECT_EQ(img.pixelColor(20 + 15, 160 - 115 - 25), QColor(Qt::blue));
  EXPECT_EQ(img.pixelColor(20 + 25, 160 - 115 - 5), QColor(Qt::yellow));
  EXPECT_EQ(img.pixelColor(20 + 25, 160 - 115 - 25), QColor(Qt::magenta));
}

TEST_F(ViewTest, TurnedViewsHitTestConvertAndDrawTurned) {
  Window w(Rect(0, 0, 200, 200), kit::kTitledWindowMask);
  View* v = w.contentView()->addSubview(std::make_unique<FillView>(Rect(50, 50, 80, 40), Color::red()));
  v->setFrameRotation(90);  // now covers x 10..50, y 50..130
  EXPECT_EQ(v->frame(), Rect(50, 50, 80, 40));
  EXPECT_EQ(w.contentView()->hitTest({30, 100}), v);
  EXPECT_EQ(w.contentView()->hitTest({100, 60}), w.contentView());
  Point p = v->convertPointFromView({30, 100}, nullptr);
  EXPECT_NEAR(p.x, 50, 1e-9);
  EXPECT_NEAR(p.y, 20, 1e-9);
  w.orderFront();
  QImage img = grab(w);
  EXPECT_EQ(img.pixelColor(30, 200 - 100), QColor(Qt::red));
  EXPECT_EQ(img.pixelColor(12, 200 - 128), QColor(Qt::red));
  EXPECT_NE(img.pixelColor(100, 200 - 60), QColor(Qt::red));
  EXPECT_NE(img.pixelColor(55, 200 - 55), QColor(Qt::red));
}
