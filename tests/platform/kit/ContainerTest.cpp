// Tab views, tables in scroll views, boxes, image views, progress indicators and path
// controls.

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <memory>

#include "KitTestSupport.h"
#include "foundation/NotificationCenter.h"
#include "kit/Box.h"
#include "kit/ImageView.h"
#include "kit/PathControl.h"
#include "kit/ProgressIndicator.h"
#include "kit/RecordingContext.h"
#include "kit/ScrollView.h"
#include "kit/TabView.h"
#include "kit/TableView.h"

namespace {

using fnd::Point;
using fnd::Rect;

class ContainerTest : public kittest::KitTest {};

class Refuser : public kit::TabViewDelegate {
 public:
  bool allow = true;
  std::vector<std::string> selected;
  bool tabViewShouldSelectTabViewItem(kit::TabView&, kit::TabViewItem*) override { return allow; }
  void tabViewDidSelectTabViewItem(kit::TabView&, kit::TabViewItem* item) override { selected.push_back(item->identifier()); }
};

TEST_F(ContainerTest, TabViewShowsOnlyTheSelectedItemsViewAndAsksItsDelegate) {
  kit::Window w(Rect(0, 0, 400, 300), kit::kTitledWindowMask);
  w.makeKeyAndOrderFront();
  auto* tabs = static_cast<kit::TabView*>(w.contentView()->addSubview(std::make_unique<kit::TabView>(Rect(10, 10, 380, 280))));
  std::vector<kit::View*> views;
  for (const char* id : {"scanner", "colour", "general"}) {
    auto item = std::make_unique<kit::TabViewItem>(id);
    item->setLabel(id);
    item->setView(std::make_unique<kit::View>());
    views.push_back(item->view());
    tabs->addTabViewItem(std::move(item));
  }
  Refuser d;
  tabs->setDelegate(&d);
  EXPECT_EQ(tabs->indexOfSelectedTabViewItem(), 0);
  EXPECT_FALSE(views[0]->isHidden());
  EXPECT_TRUE(views[1]->isHidden());
  EXPECT_EQ(views[0]->frame(), tabs->contentRect());
  // A press on the third tab selects it.
  Rect third = tabs->convertRectToView(tabs->tabRect(2), nullptr);
  Point p{third.midX(), third.midY()};
  kit::Application::shared().sendEvent(kittest::mouse(kit::EventType::LeftMouseDown, w, p.x, p.y));
  EXPECT_EQ(tabs->indexOfSelectedTabViewItem(), 2);
  EXPECT_TRUE(views[0]->isHidden());
  EXPECT_FALSE(views[2]->isHidden());
  d.allow = false;
  EXPECT_FALSE(tabs->selectTabViewItemAtIndex(1));
  EXPECT_EQ(tabs->indexOfSelectedTabViewItem(), 2);
  EXPECT_EQ(d.selected, (std::vector<std::string>{"general"}));
  EXPECT_EQ(tabs->indexOfTabViewItemWithIdentifier("colour"), 1);
  EXPECT_FALSE(tabs->selectTabViewItemAtIndex(9));
}

TEST_F(ContainerTest, ATabLabelDrawnByItsItemGetsItsRectangle) {
  // A label that measures itself wider than its tab shrinks the tab view's font once.
  struct Shrinking : kit::TabViewItem {
    using TabViewItem::TabViewItem;
    int checks = 0;
    bool done = false;
    void drawLabel(bool truncate, const Rect& r) override {
      if (!done && sizeOfLabel(false).width > r.size.width) {
        ++checks;
        tabView()->setFont(kit::Font::labelFont(kit::Font::labelFontSize() - 1));
      }
      done = true;
      TabViewItem::drawLabel(truncate, r);
    }
  };
  kit::TabView tabs(Rect(0, 0, 160, 100));
  auto item = std::make_unique<Shrinking>("a");
  item->setLabel("An extremely long label that cannot fit");
  auto* raw = static_cast<Shrinking*>(tabs.addTabViewItem(std::move(item)));
  kit::RecordingContext ctx(false);
  tabs.displayRectIgnoringOpacity(tabs.bounds(), ctx);
  tabs.displayRectIgnoringOpacity(tabs.bounds(), ctx);
  EXPECT_EQ(raw->checks, 1);
  EXPECT_EQ(tabs.font().pointSize(), kit::Font::labelFontSize() - 1);
}

class Rows : public kit::TableViewDataSource {
 public:
  std::vector<std::string> names;
  int numberOfRowsInTableView(kit::TableView&) override { return static_cast<int>(names.size()); }
  fnd::Value objectValueForTableColumn(kit::TableView&, const kit::TableColumn* c, int row) override {
    return c->identifier == "column1" ? fnd::Value(names[static_cast<size_t>(row)]) : fnd::Value(row);
  }
};

TEST_F(ContainerTest, TableSelectionFollowsItsRulesAndSurvivesAReload) {
  kit::Window w(Rect(0, 0, 300, 200), kit::kTitledWindowMask);
  w.makeKeyAndOrderFront();
  auto* scroll = static_cast<kit::ScrollView*>(
      w.contentView()->addSubview(std::make_unique<kit::ScrollView>(Rect(10, 10, 200, 100))));
  scroll->setHasVerticalScroller(true);
  auto table = std::make_unique<kit::TableView>();
  table->setHasHeader(false);
  table->addTableColumn(kit::TableColumn{"column1", "", 200});
  auto* t = table.get();
  scroll->setDocumentView(std::move(table));
  Rows rows;
  rows.names = {"Scanner A", "Scanner B", "Scanner C", "Scanner D", "Scanner E", "Scanner F", "Scanner G"};
  t->setDataSource(&rows);
  t->reloadData();
  EXPECT_EQ(t->numberOfRows(), 7);
  EXPECT_EQ(t->valueAt(0, 2).toString(), "Scanner C");
  int changes = 0;
  fnd::NotificationCenter::defaultCenter().addObserver(&changes, kit::TableView::kSelectionDidChangeNotification, t,
                                                       [&](const fnd::Notification&) { ++changes; });
  int clicks = 0;
  t->setAction([&](kit::Control&) { ++clicks; });
  // A press on the second row (rows run down from the top of the flipped table).
  Point inWindow = t->convertPointToView({20, 17 * 1 + 8}, nullptr);
  kit::Application& app = kit::Application::shared();
  app.postEvent(kittest::mouse(kit::EventType::LeftMouseDown, w, inWindow.x, inWindow.y));
  app.postEvent(kittest::mouse(kit::EventType::LeftMouseUp, w, inWindow.x, inWindow.y));
  app.dispatchQueuedEvents();
  EXPECT_EQ(t->selectedRow(), 1);
  EXPECT_EQ(t->clickedRow(), 1);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(changes, 1);
  t->selectRow(5, true);
  EXPECT_EQ(t->selectedRowIndexes(), (std::set<int>{5})) << "one row at a time";
  t->setAllowsEmptySelection(false);
  EXPECT_FALSE(t->deselectAll());
  EXPECT_EQ(t->selectedRow(), 5);
  rows.names.resize(3);
  t->setAllowsEmptySelection(true);
  t->reloadData();
  EXPECT_EQ(t->selectedRow(), -1) << "the selected row is gone";
  t->setAllowsMultipleSelection(true);
  t->selectRowIndexes({0, 2}, false);
  t->selectRow(1, true);
  EXPECT_EQ(t->selectedRowIndexes(), (std::set<int>{0, 1, 2}));
  fnd::NotificationCenter::defaultCenter().removeObserver(&changes);
}

TEST_F(ContainerTest, ArrowKeysFromTheKeyboardMoveTheTableSelection) {
  kit::Window w(Rect(0, 0, 300, 200), kit::kTitledWindowMask);
  w.makeKeyAndOrderFront();
  auto* t = static_cast<kit::TableView*>(w.contentView()->addSubview(std::make_unique<kit::TableView>(Rect(0, 0, 200, 100))));
  t->addTableColumn(kit::TableColumn{"column1", "", 200});
  Rows rows;
  rows.names = {"Scanner A", "Scanner B", "Scanner C"};
  t->setDataSource(&rows);
  t->reloadData();
  t->selectRow(0, false);
  ASSERT_TRUE(w.makeFirstResponder(t));
  auto press = [&](Qt::Key k) {
    QKeyEvent e(QEvent::KeyPress, k, Qt::NoModifier);
    QApplication::sendEvent(w.nativeWidget(), &e);
  };
  press(Qt::Key_Down);
  EXPECT_EQ(t->selectedRow(), 1);
  press(Qt::Key_Down);
  press(Qt::Key_Down);
  EXPECT_EQ(t->selectedRow(), 2) << "stops at the last row";
  press(Qt::Key_Up);
  EXPECT_EQ(t->selectedRow(), 1);
}

TEST_F(ContainerTest, ScrollingToAPointStaysWithinTheDocument) {
  kit::ScrollView scroll(Rect(0, 0, 100, 100));
  scroll.setHasVerticalScroller(true);
  scroll.setHasHorizontalScroller(true);
  auto* doc = scroll.contentView();
  scroll.setDocumentView(std::make_unique<kit::View>(Rect(0, 0, 400, 300)));
  Rect clip = doc->frame();
  EXPECT_EQ(clip.size.width, 100 - kit::ScrollView::kScrollerWidth);
  EXPECT_EQ(clip.size.height, 100 - kit::ScrollView::kScrollerWidth);
  scroll.scrollToPoint({50, 60});
  EXPECT_EQ(scroll.documentVisibleRect().origin, (Point{50, 60}));
  scroll.scrollToPoint({1000, -40});
  EXPECT_EQ(scroll.documentVisibleRect().origin, (Point{400 - clip.size.width, 0}));
  // scrollPoint from inside the document finds the clip view.
  scroll.documentView()->scrollPoint({10, 20});
  EXPECT_EQ(scroll.documentVisibleRect().origin, (Point{10, 20}));
}

TEST_F(ContainerTest, ScrollingARowToVisibleMovesOnlyAsFarAsItTakes) {
  // 100 points high: 5 rows of 17 and the 20-point header fit, the rest lies below.
  kit::ScrollView scroll(Rect(0, 0, 200, 100));
  scroll.setHasVerticalScroller(true);
  auto table = std::make_unique<kit::TableView>(Rect(0, 0, 200, 100));
  table->addTableColumn(kit::TableColumn{"column1", "", 180});
  kit::TableView* t = table.get();
  scroll.setDocumentView(std::move(table));
  Rows rows;
  rows.names.assign(20, "entry");
  t->setDataSource(&rows);
  t->reloadData();
  auto shows = [&](int row) {
    const Rect visible = t->visibleRect();
    const Rect r = t->rectOfRow(row);
    return r.minY() >= visible.minY() && r.maxY() <= visible.maxY();
  };
  ASSERT_FALSE(shows(19));
  struct Case {
    int row;
    double top;  // the first point of the table shown afterwards
  };
  const std::vector<Case> cases = {
      {2, 0},                     // shown already: nothing moves
      {19, 20 + 20 * 17 - 100},   // below: the last row comes up to the bottom edge
      {17, 20 + 20 * 17 - 100},   // shown now: nothing moves
      {3, 20 + 3 * 17},           // above: the row goes to the top edge
      {-1, 20 + 3 * 17},          // no such row
      {20, 20 + 3 * 17},
  };
  for (const Case& c : cases) {
    t->scrollRowToVisible(c.row);
    EXPECT_EQ(t->visibleRect().minY(), c.top) << "row " << c.row;
    if (c.row >= 0 && c.row < 20) {
      EXPECT_TRUE(shows(c.row)) << "row " << c.row;
    }
  }
}

TEST_F(ContainerTest, AHorizontalWheelLineScrollsTheScrollViewsLineAmount) {
  kit::ScrollView scroll(Rect(0, 0, 100, 100));
  scroll.setHasHorizontalScroller(true);
  scroll.setDocumentView(std::make_unique<kit::View>(Rect(0, 0, 1000, 80)));
  const kit::Event wheel = kit::Event::scrollWheelEvent({10, 10}, -1, 0, 0, nullptr);
  scroll.contentView()->scrollWheel(wheel);
  const double plain = scroll.documentVisibleRect().origin.x;
  EXPECT_GT(plain, 0);
  scroll.scrollToPoint({0, 0});
  scroll.setHorizontalLineScroll(120);
  scroll.contentView()->scrollWheel(wheel);
  EXPECT_EQ(scroll.documentVisibleRect().origin.x, 120);
  scroll.contentView()->scrollWheel(wheel);
  EXPECT_EQ(scroll.documentVisibleRect().origin.x, 240);
}

TEST_F(ContainerTest, AutohidingScrollersShowOnlyWhenTheTableDoesNotFit) {
  kit::ScrollView scroll(Rect(0, 0, 210, 180));
  scroll.setHasVerticalScroller(true);
  scroll.setHasHorizontalScroller(true);
  scroll.setBorderType(kit::BorderType::BezelBorder);
  scroll.setAutohidesScrollers(true);
  auto table = std::make_unique<kit::TableView>(Rect(0, 0, 210, 180));
  table->setHasHeader(false);
  kit::TableColumn* column = table->addTableColumn(kit::TableColumn{"column1", "", 190});
  kit::TableView* t = table.get();
  scroll.setDocumentView(std::move(table));
  Rows rows;
  rows.names = {"A", "B", "C"};
  t->setDataSource(&rows);
  const double sw = kit::ScrollView::kScrollerWidth;
  struct Case {
    int rows;
    double columnWidth;
    double clipWidth, clipHeight;  // inside the 1-point border
  };
  const std::vector<Case> cases = {
      {3, 190, 208, 178},            // fits: no scrollers
      {3, 250, 208, 178 - sw},       // too wide: the horizontal one only
      {20, 190, 208 - sw, 178},      // too tall, and the vertical one leaves room for the column
      {20, 200, 208 - sw, 178 - sw}, // too tall, and then too wide beside the vertical one
      {3, 190, 208, 178},            // fits again
  };
  for (const Case& c : cases) {
    rows.names.assign(static_cast<std::size_t>(c.rows), "row");
    column->width = c.columnWidth;
    t->reloadData();
    t->tile();
    const Rect clip = scroll.contentView()->frame();
    EXPECT_EQ(clip.size.width, c.clipWidth) << c.rows << " rows, column " << c.columnWidth;
    EXPECT_EQ(clip.size.height, c.clipHeight) << c.rows << " rows, column " << c.columnWidth;
    // The table covers the visible area and reaches as far as its column.
    EXPECT_EQ(t->frame().size.width, std::max(c.columnWidth, c.clipWidth));
  }
}

TEST_F(ContainerTest, ADisabledImageViewDrawsItsImageGreyedAndScalesAsSet) {
  std::vector<std::uint8_t> px(40 * 20 * 3, 200);
  kit::Image img = kit::Image::fromRGB(px.data(), 40, 20);
  kit::ImageView v(Rect(0, 0, 100, 100));
  v.setImage(img);
  v.setImageScaling(kit::ImageScaling::None);
  EXPECT_EQ(v.imageRect(), Rect(30, 40, 40, 20)) << "centred";
  v.setImageScaling(kit::ImageScaling::AxesIndependently);
  EXPECT_EQ(v.imageRect(), Rect(0, 0, 100, 100));
  for (bool enabled : {true, false}) {
    v.setEnabled(enabled);
    kit::RecordingContext ctx(false);
    v.displayRectIgnoringOpacity(v.bounds(), ctx);
    ASSERT_FALSE(ctx.operations().empty());
    EXPECT_DOUBLE_EQ(ctx.operations().back().opacity, enabled ? 1.0 : 0.5);
  }
}

TEST_F(ContainerTest, ProgressAndPathControlsKeepTheirValues) {
  kit::ProgressIndicator p(Rect(0, 0, 200, 20));
  p.setIndeterminate(false);
  p.setMaxValue(50);
  p.setDoubleValue(80);
  EXPECT_DOUBLE_EQ(p.doubleValue(), 50);
  p.setIndeterminate(true);
  p.startAnimation();
  EXPECT_TRUE(p.isAnimating());
  p.stopAnimation();
  EXPECT_FALSE(p.isAnimating());
  kit::PathControl path(Rect(0, 0, 300, 22));
  path.setPath("/srv/scans/2026");
  EXPECT_EQ(path.componentTitles(), (std::vector<std::string>{"/", "srv", "scans", "2026"}));
  EXPECT_EQ(path.stringValue(), "/srv/scans/2026");
}

}  // namespace
