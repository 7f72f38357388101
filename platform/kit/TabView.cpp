#include "kit/TabView.h"

#include <algorithm>
#include <cmath>

#include "kit/ControlDrawing.h"

namespace kit {

using fnd::Point;
using fnd::Rect;

namespace {
constexpr double kTabHeight = 24;
constexpr double kTabPadding = 14;
}  // namespace

TabView::TabView(const Rect& frame) : View(frame) {}

TabView::~TabView() {
  // The items' views are owned by the items: take them out of the tree first.
  for (auto& item : items_)
    if (item->view()) item->view()->removeFromSuperview();
}

TabViewItem* TabView::addTabViewItem(std::unique_ptr<TabViewItem> item) {
  return insertTabViewItem(std::move(item), numberOfTabViewItems());
}

TabViewItem* TabView::insertTabViewItem(std::unique_ptr<TabViewItem> item, int index) {
  if (!item) return nullptr;
  index = std::clamp(index, 0, numberOfTabViewItems());
  item->tabView_ = this;
  TabViewItem* raw = item.get();
  items_.insert(items_.begin() + index, std::move(item));
  if (!selected_) selected_ = raw;
  placeViews();
  if (delegate_) delegate_->tabViewDidChangeNumberOfTabViewItems(*this);
  setNeedsDisplay(true);
  return raw;
}

void TabView::removeTabViewItem(TabViewItem* item) {
  int i = indexOfTabViewItem(item);
  if (i < 0) return;
  if (item->view()) item->view()->removeFromSuperview();
  bool wasSelected = item == selected_;
  items_.erase(items_.begin() + i);
  if (wasSelected) selected_ = items_.empty() ? nullptr : items_[static_cast<size_t>(std::min(i, numberOfTabViewItems() - 1))].get();
  placeViews();
  if (delegate_) delegate_->tabViewDidChangeNumberOfTabViewItems(*this);
  setNeedsDisplay(true);
}

TabViewItem* TabView::tabViewItemAtIndex(int index) const {
  if (index < 0 || index >= numberOfTabViewItems()) return nullptr;
  return items_[static_cast<size_t>(index)].get();
}

int TabView::indexOfTabViewItem(const TabViewItem* item) const {
  for (size_t i = 0; i < items_.size(); ++i)
    if (items_[i].get() == item) return static_cast<int>(i);
  return -1;
}

int TabView::indexOfTabViewItemWithIdentifier(const std::string& id) const {
  for (size_t i = 0; i < items_.size(); ++i)
    if (items_[i]->identifier() == id) return static_cast<int>(i);
  return -1;
}

bool TabView::selectTabViewItemAtIndex(int index) { return selectTabViewItem(tabViewItemAtIndex(index)); }

bool TabView::selectTabViewItem(TabViewItem* item) {
  if (!item || indexOfTabViewItem(item) < 0) return false;
  if (item == selected_) return true;
  if (delegate_ && !delegate_->tabViewShouldSelectTabViewItem(*this, item)) return false;
  if (delegate_) delegate_->tabViewWillSelectTabViewItem(*this, item);
  selected_ = item;
  placeViews();
  setNeedsDisplay(true);
  if (delegate_) delegate_->tabViewDidSelectTabViewItem(*this, item);
  return true;
}

bool TabView::selectTabViewItemWithIdentifier(const std::string& id) {
  return selectTabViewItemAtIndex(indexOfTabViewItemWithIdentifier(id));
}

void TabView::setFont(const Font& font) {
  font_ = font;
  setNeedsDisplay(true);
}

Rect TabView::contentRect() const {
  Rect b = bounds();
  return Rect(b.minX() + 7, b.minY() + 7, std::max(0.0, b.size.width - 14),
              std::max(0.0, b.size.height - kTabHeight / 2 - 14 - kTabHeight / 2));
}

Rect TabView::tabRect(int index) const {
  if (index < 0 || index >= numberOfTabViewItems()) return Rect();
  std::vector<double> widths;
  double total = 0;
  for (const auto& item : items_) {
    double w = std::ceil(item->sizeOfLabel(false).width + 2 * kTabPadding);
    widths.push_back(w);
    total += w;
  }
  Rect b = bounds();
  // Wider than the view: every tab gets an equal share and its label is truncated.
  if (total > b.size.width - 4) {
    double each = std::floor((b.size.width - 4) / numberOfTabViewItems());
    std::fill(widths.begin(), widths.end(), each);
    total = each * numberOfTabViewItems();
  }
  double x = std::round(b.midX() - total / 2);
  for (int i = 0; i < index; ++i) x += widths[static_cast<size_t>(i)];
  return Rect(x, b.maxY() - kTabHeight, widths[static_cast<size_t>(index)], kTabHeight);
}

TabViewItem* TabView::tabViewItemAtPoint(Point p) const {
  for (int i = 0; i < numberOfTabViewItems(); ++i)
    if (tabRect(i).contains(p)) return tabViewItemAtIndex(i);
  return nullptr;
}

void TabView::placeViews() {
  Rect content = contentRect();
  for (auto& item : items_) {
    View* v = item->view();
    if (!v) continue;
    if (v->superview() != this) addSubview(v);
    v->setFrame(content);
    v->setHidden(item.get() != selected_);
  }
}

void TabView::setFrame(const Rect& frame) {
  View::setFrame(frame);
  placeViews();
}

void TabView::mouseDown(const Event& event) {
  Point p = convertPointFromView(event.locationInWindow(), nullptr);
  if (TabViewItem* item = tabViewItemAtPoint(p)) selectTabViewItem(item);
}

void TabView::drawRect(const Rect&) {
  Rect b = bounds();
  // The pane: a rounded frame from the middle of the tabs down.
  Rect pane(b.minX() + 0.5, b.minY() + 0.5, b.size.width - 1, b.size.height - kTabHeight / 2 - 1);
  Color::calibratedWhite(0, 0.04).setFill();
  BezierPath panePath = look::roundedRect(pane, 4);
  panePath.fill();
  Color::calibratedWhite(0.6).setStroke();
  panePath.stroke();
  for (int i = 0; i < numberOfTabViewItems(); ++i) {
    Rect t = tabRect(i).insetBy(0, 2);
    TabViewItem* item = tabViewItemAtIndex(i);
    bool sel = item == selected_;
    look::bezel(t, 0, sel, true);
    if (sel) {
      Color::selectedControl().withAlphaComponent(0.35).setFill();
      BezierPath::fillRect(t.insetBy(1, 1));
    }
    item->drawLabel(true, t.insetBy(4, 0));
  }
}

}  // namespace kit
