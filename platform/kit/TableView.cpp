#include "kit/TableView.h"

#include <algorithm>
#include <cmath>

#include "foundation/NotificationCenter.h"
#include "kit/ClipView.h"
#include "kit/ControlDrawing.h"
#include "kit/ScrollView.h"

namespace kit {

using fnd::Point;
using fnd::Rect;

TableView::TableView(const Rect& frame) : Control(frame) {}
TableView::~TableView() = default;

TableColumn* TableView::addTableColumn(TableColumn column) {
  column.width = std::clamp(column.width, column.minWidth, std::max(column.minWidth, column.maxWidth));
  columns_.push_back(std::move(column));
  setNeedsDisplay(true);
  return &columns_.back();
}

void TableView::removeTableColumn(const std::string& identifier) {
  columns_.erase(std::remove_if(columns_.begin(), columns_.end(),
                                [&](const TableColumn& c) { return c.identifier == identifier; }),
                 columns_.end());
  setNeedsDisplay(true);
}

TableColumn* TableView::tableColumnWithIdentifier(const std::string& identifier) {
  for (auto& c : columns_)
    if (c.identifier == identifier) return &c;
  return nullptr;
}

TableColumn* TableView::tableColumnAtIndex(int index) {
  if (index < 0 || index >= numberOfColumns()) return nullptr;
  return &columns_[static_cast<size_t>(index)];
}

void TableView::reloadData() {
  rows_ = source_ ? std::max(0, source_->numberOfRowsInTableView(*this)) : 0;
  std::set<int> kept;
  for (int r : selection_)
    if (r < rows_) kept.insert(r);
  if (kept != selection_) changeSelection(std::move(kept));
  sizeToRows();
  setNeedsDisplay(true);
}

fnd::Value TableView::valueAt(int column, int row) const {
  if (!source_ || column < 0 || column >= numberOfColumns() || row < 0 || row >= rows_) return fnd::Value();
  return source_->objectValueForTableColumn(const_cast<TableView&>(*this), &columns_[static_cast<size_t>(column)], row);
}

fnd::Size TableView::scrollableSize() const {
  double w = 0;
  for (const TableColumn& c : columns_) w += c.width;
  return fnd::Size{w, headerHeight() + rows_ * rowHeight_};
}

void TableView::sizeToRows() {
  // Inside a clip view the table is as large as its columns and rows, and at least as large as
  // the visible area. A scroll view around it decides again whether its scrollers are needed.
  auto* clip = dynamic_cast<ClipView*>(superview());
  if (!clip) return;
  if (auto* scroll = dynamic_cast<ScrollView*>(clip->superview())) scroll->tile();
  const fnd::Size need = scrollableSize();
  const double w = std::max(need.width, clip->bounds().size.width);
  const double h = std::max(need.height, clip->bounds().size.height);
  setFrame(Rect(frame().origin, fnd::Size{w, h}));
  clip->scrollToPoint(clip->bounds().origin);
}

void TableView::resizeWithOldSuperviewSize(fnd::Size oldSuperviewSize) {
  if (dynamic_cast<ClipView*>(superview())) {
    sizeToRows();
    return;
  }
  Control::resizeWithOldSuperviewSize(oldSuperviewSize);
}

int TableView::selectedRow() const { return selection_.empty() ? -1 : *selection_.rbegin(); }

void TableView::changeSelection(std::set<int> rows) {
  if (rows == selection_) return;
  selection_ = std::move(rows);
  setNeedsDisplay(true);
  if (delegate_) delegate_->tableViewSelectionDidChange(*this);
  fnd::NotificationCenter::defaultCenter().post(kSelectionDidChangeNotification, this);
}

void TableView::selectRowIndexes(const std::set<int>& rows, bool extend) {
  std::set<int> next = extend && allowsMultiple_ ? selection_ : std::set<int>{};
  for (int r : rows) {
    if (r < 0 || r >= rows_) continue;
    if (!allowsMultiple_) next.clear();
    next.insert(r);
  }
  if (next.empty() && !allowsEmpty_ && !selection_.empty()) return;
  changeSelection(std::move(next));
}

bool TableView::deselectAll() {
  if (!allowsEmpty_ && !selection_.empty()) return false;
  changeSelection({});
  return true;
}

void TableView::deselectRow(int row) {
  if (!isRowSelected(row)) return;
  if (!allowsEmpty_ && selection_.size() == 1) return;
  std::set<int> next = selection_;
  next.erase(row);
  changeSelection(std::move(next));
}

void TableView::setRowHeight(double h) {
  rowHeight_ = std::max(1.0, h);
  sizeToRows();
  setNeedsDisplay(true);
}

void TableView::setHasHeader(bool on) {
  header_ = on;
  sizeToRows();
  setNeedsDisplay(true);
}

void TableView::setUsesAlternatingRowBackgroundColors(bool on) {
  alternating_ = on;
  setNeedsDisplay(true);
}

Rect TableView::rectOfRow(int row) const {
  if (row < 0 || row >= rows_) return Rect();
  return Rect(0, headerHeight() + row * rowHeight_, bounds().size.width, rowHeight_);
}

void TableView::scrollRowToVisible(int row) {
  const Rect r = rectOfRow(row);
  if (!r.isEmpty()) scrollRectToVisible(r);
}

int TableView::rowAtPoint(Point p) const {
  double y = p.y - headerHeight();
  if (y < 0 || p.x < 0 || p.x >= bounds().size.width) return -1;
  int row = static_cast<int>(std::floor(y / rowHeight_));
  return row < rows_ ? row : -1;
}

bool TableView::performClickOnRow(int row) {
  if (!isEnabled()) return false;
  clickedRow_ = row;
  if (row >= 0 && row < rows_) {
    if (!delegate_ || delegate_->tableViewShouldSelectRow(*this, row)) selectRow(row, false);
  } else if (allowsEmpty_) {
    deselectAll();
  }
  sendAction();
  return true;
}

void TableView::trackMouseDown(const Event& event) {
  int row = rowAtPoint(locationOf(event));
  bool extend = allowsMultiple_ && (event.modifierFlags() & (kCommandKeyMask | kShiftKeyMask)) != 0;
  clickedRow_ = row;
  if (row >= 0) {
    if (!delegate_ || delegate_->tableViewShouldSelectRow(*this, row)) {
      if (extend && isRowSelected(row))
        deselectRow(row);
      else
        selectRow(row, extend);
    }
  } else if (allowsEmpty_) {
    deselectAll();
  }
  trackMouse([](const Event&) {});
  if (event.clickCount() == 2 && doubleAction_) {
    Action run = doubleAction_;
    run(*this);
  } else {
    sendAction();
  }
}

void TableView::keyDown(const Event& event) {
  const std::string& c = event.characters();
  int delta = c == keys::kUpArrow ? -1 : c == keys::kDownArrow ? 1 : 0;
  if (delta == 0) return Control::keyDown(event);
  int row = std::clamp(selectedRow() + delta, 0, std::max(0, rows_ - 1));
  if (rows_ > 0 && (!delegate_ || delegate_->tableViewShouldSelectRow(*this, row))) selectRow(row, false);
  scrollPoint(rectOfRow(row).origin);
}

void TableView::drawRect(const Rect&) {
  Rect b = bounds();
  Color::controlBackground().setFill();
  BezierPath::fillRect(b);
  Font f = font();
  int rowCount = std::max(rows_, static_cast<int>(std::ceil((b.size.height - headerHeight()) / rowHeight_)));
  for (int r = 0; r < rowCount; ++r) {
    Rect rr(0, headerHeight() + r * rowHeight_, b.size.width, rowHeight_);
    if (r < rows_ && isRowSelected(r)) {
      Color::selectedControl().setFill();
      BezierPath::fillRect(rr);
    } else if (alternating_ && r % 2 == 1) {
      Color::calibratedRGB(0.94, 0.96, 0.99).setFill();
      BezierPath::fillRect(rr);
    }
    if (r >= rows_) continue;
    double x = 0;
    for (int c = 0; c < numberOfColumns(); ++c) {
      const TableColumn& col = columns_[static_cast<size_t>(c)];
      double w = c == numberOfColumns() - 1 ? std::max(col.width, b.size.width - x) : col.width;
      fnd::Value v = valueAt(c, r);
      std::string text = v.kind() == fnd::Value::Kind::Integer ? std::to_string(v.toInteger()) : v.toString();
      look::textLine(text, Rect(x + 4, rr.minY(), std::max(0.0, w - 8), rr.size.height), f,
                     isEnabled() ? Color::controlText() : Color::disabledControlText(), TextAlignment::Left);
      x += w;
    }
  }
  if (header_) {
    Rect h(0, 0, b.size.width, headerHeight());
    Color::calibratedWhite(0.93).setFill();
    BezierPath::fillRect(h);
    Color::calibratedWhite(0.7).setFill();
    BezierPath::fillRect(Rect(0, headerHeight() - 1, b.size.width, 1));
    double x = 0;
    for (const auto& col : columns_) {
      look::textLine(col.title, Rect(x + 4, 0, std::max(0.0, col.width - 8), headerHeight()), Font::systemFont(11),
                     Color::controlText(), TextAlignment::Left);
      x += col.width;
      BezierPath::fillRect(Rect(x - 1, 2, 1, headerHeight() - 4));
    }
  }
}

}  // namespace kit
