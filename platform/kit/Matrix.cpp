#include "kit/Matrix.h"

#include <QString>
#include <QWidget>
#include <algorithm>
#include <cmath>

#include "kit/ControlDrawing.h"

namespace kit {

using fnd::Point;
using fnd::Rect;
using fnd::Size;

Matrix::Matrix(const Rect& frame, int rows, int columns)
    : Control(frame), rows_(std::max(0, rows)), columns_(std::max(0, columns)) {
  cells_.resize(static_cast<size_t>(rows_ * columns_));
}

Matrix::~Matrix() = default;

void Matrix::addRow() {
  ++rows_;
  cells_.resize(static_cast<size_t>(rows_ * columns_));
  setNeedsDisplay(true);
}

void Matrix::addColumn() {
  std::vector<MatrixCell> grown(static_cast<size_t>(rows_ * (columns_ + 1)));
  for (int r = 0; r < rows_; ++r)
    for (int c = 0; c < columns_; ++c) grown[static_cast<size_t>(r * (columns_ + 1) + c)] = cells_[index(r, c)];
  cells_ = std::move(grown);
  ++columns_;
  setNeedsDisplay(true);
}

void Matrix::removeRow(int row) {
  if (row < 0 || row >= rows_) return;
  cells_.erase(cells_.begin() + index(row, 0), cells_.begin() + index(row, 0) + columns_);
  --rows_;
  if (selRow_ == row) {
    selRow_ = selCol_ = -1;
  } else if (selRow_ > row) {
    --selRow_;
  }
  setNeedsDisplay(true);
}

void Matrix::renewRows(int rows, int columns) {
  rows_ = std::max(0, rows);
  columns_ = std::max(0, columns);
  cells_.assign(static_cast<size_t>(rows_ * columns_), MatrixCell{});
  selRow_ = selCol_ = -1;
  setNeedsDisplay(true);
}

MatrixCell* Matrix::cellAt(int row, int column) {
  if (row < 0 || column < 0 || row >= rows_ || column >= columns_) return nullptr;
  return &cells_[index(row, column)];
}

const MatrixCell* Matrix::cellAt(int row, int column) const {
  return const_cast<Matrix*>(this)->cellAt(row, column);
}

MatrixCell* Matrix::cellWithTag(int tag) {
  for (auto& c : cells_)
    if (c.tag == tag) return &c;
  return nullptr;
}

void Matrix::setCellTitle(int row, int column, const std::string& title) {
  if (MatrixCell* c = cellAt(row, column)) {
    c->title = title;
    setNeedsDisplay(true);
  }
}

void Matrix::setToolTip(const std::string& text, int row, int column) {
  if (MatrixCell* c = cellAt(row, column)) c->toolTip = text;
}

std::string Matrix::toolTipForCell(int row, int column) const {
  const MatrixCell* c = cellAt(row, column);
  return c ? c->toolTip : std::string();
}

void Matrix::selectCellAtRow(int row, int column) {
  MatrixCell* target = cellAt(row, column);
  if (!target && !allowsEmpty_) return;
  for (auto& c : cells_) c.state = kOffState;
  if (target) {
    target->state = kOnState;
    selRow_ = row;
    selCol_ = column;
  } else {
    selRow_ = selCol_ = -1;
  }
  setNeedsDisplay(true);
}

bool Matrix::selectCellWithTag(int tag) {
  for (int r = 0; r < rows_; ++r)
    for (int c = 0; c < columns_; ++c)
      if (cells_[index(r, c)].tag == tag) {
        selectCellAtRow(r, c);
        return true;
      }
  return false;
}

void Matrix::deselectAllCells() {
  if (!allowsEmpty_) return;
  selectCellAtRow(-1, -1);
}

MatrixCell* Matrix::selectedCell() { return cellAt(selRow_, selCol_); }

void Matrix::setAutosizesCells(bool on) {
  autosizes_ = on;
  setNeedsDisplay(true);
}

Size Matrix::cellSize() const {
  if (!autosizes_ || rows_ == 0 || columns_ == 0) return cellSize_;
  Size b = bounds().size;
  return Size{std::max(0.0, (b.width - spacing_.width * (columns_ - 1)) / columns_),
              std::max(0.0, (b.height - spacing_.height * (rows_ - 1)) / rows_)};
}

void Matrix::setCellSize(Size size) {
  cellSize_ = size;
  setNeedsDisplay(true);
}

void Matrix::setIntercellSpacing(Size spacing) {
  spacing_ = spacing;
  setNeedsDisplay(true);
}

Rect Matrix::cellFrame(int row, int column) const {
  Size s = cellSize();
  double x = column * (s.width + spacing_.width);
  double top = bounds().size.height - row * (s.height + spacing_.height);
  return Rect(x, top - s.height, s.width, s.height);
}

bool Matrix::getRowColumnForPoint(Point p, int* row, int* column) const {
  for (int r = 0; r < rows_; ++r)
    for (int c = 0; c < columns_; ++c)
      if (cellFrame(r, c).contains(p)) {
        if (row) *row = r;
        if (column) *column = c;
        return true;
      }
  return false;
}

void Matrix::sizeToCells() {
  Size s = cellSize_;
  setFrameSize(Size{columns_ * s.width + std::max(0, columns_ - 1) * spacing_.width,
                    rows_ * s.height + std::max(0, rows_ - 1) * spacing_.height});
}

bool Matrix::performClickOnCell(int row, int column) {
  const MatrixCell* c = cellAt(row, column);
  if (!isEnabled() || !c || !c->enabled) return false;
  selectCellAtRow(row, column);
  sendAction();
  return true;
}

bool Matrix::performClick() { return performClickOnCell(std::max(0, selRow_), std::max(0, selCol_)); }

void Matrix::trackMouseDown(const Event& event) {
  int row = -1, col = -1;
  if (!getRowColumnForPoint(locationOf(event), &row, &col) || !cellAt(row, col)->enabled) {
    trackMouse([](const Event&) {});
    return;
  }
  pressedRow_ = row;
  pressedCol_ = col;
  setNeedsDisplay(true);
  bool inside = true;
  bool finished = trackMouse([&](const Event& e) {
    int r = -1, c = -1;
    inside = getRowColumnForPoint(locationOf(e), &r, &c) && r == row && c == col;
    int showRow = inside ? row : -1;
    if (showRow != pressedRow_) {
      pressedRow_ = showRow;
      pressedCol_ = inside ? col : -1;
      setNeedsDisplay(true);
    }
  });
  pressedRow_ = pressedCol_ = -1;
  setNeedsDisplay(true);
  if (finished && inside && isEnabled()) {
    selectCellAtRow(row, col);
    sendAction();
  }
}

void Matrix::mouseMoved(const Event& event) {
  int r = -1, c = -1;
  std::string tip;
  if (getRowColumnForPoint(locationOf(event), &r, &c)) tip = cells_[index(r, c)].toolTip;
  if (tip.empty()) tip = View::toolTip();
  // Shown by Qt; the matrix's own tip stays as it was set.
  if (QWidget* w = nativeWidget()) w->setToolTip(QString::fromStdString(tip));
}

void Matrix::drawRect(const Rect&) {
  for (int r = 0; r < rows_; ++r) {
    for (int c = 0; c < columns_; ++c) {
      const MatrixCell& cell = cells_[index(r, c)];
      Rect f = cellFrame(r, c);
      bool enabled = isEnabled() && cell.enabled;
      double size = std::min(14.0, f.size.height);
      Rect box(f.minX() + 1, std::round(f.midY() - size / 2), size, size);
      look::radioButton(box, cell.state != kOffState, r == pressedRow_ && c == pressedCol_, enabled);
      look::textLine(cell.title, Rect(box.maxX() + 4, f.minY(), std::max(0.0, f.maxX() - box.maxX() - 4), f.size.height),
                     font(), look::textColor(enabled), TextAlignment::Left);
    }
  }
}

}  // namespace kit
