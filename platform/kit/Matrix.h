#pragma once

#include <string>
#include <vector>

#include "kit/Control.h"

namespace kit {

// One cell of a matrix: a radio button drawn by the matrix.
struct MatrixCell {
  std::string title;
  int state = kOffState;
  bool enabled = true;
  int tag = 0;
  std::string toolTip;
};

// A grid of radio-button cells, addressed by row and column. In radio mode one cell at most is
// on: selecting a cell turns the others off. A click on an enabled cell selects it and sends
// the matrix's action. With autosizesCells the cells share the matrix's bounds evenly.
class Matrix : public Control {
 public:
  Matrix(const fnd::Rect& frame = {}, int rows = 0, int columns = 1);
  ~Matrix() override;

  int numberOfRows() const { return rows_; }
  int numberOfColumns() const { return columns_; }
  // Appends a row of empty cells.
  void addRow();
  void addColumn();
  void removeRow(int row);
  void renewRows(int rows, int columns);
  // Null outside the grid.
  MatrixCell* cellAt(int row, int column);
  const MatrixCell* cellAt(int row, int column) const;
  MatrixCell* cellWithTag(int tag);
  void setCellTitle(int row, int column, const std::string& title);
  // Per-cell tool tips (shown as the pointer moves over the cell); the matrix's own stays.
  using View::setToolTip;
  void setToolTip(const std::string& text, int row, int column);
  std::string toolTipForCell(int row, int column) const;

  // --- Selection. Out-of-grid indices (or -1) clear the selection when empty selection is
  // allowed, and are ignored otherwise.
  void selectCellAtRow(int row, int column);
  bool selectCellWithTag(int tag);
  void deselectAllCells();
  int selectedRow() const { return selRow_; }
  int selectedColumn() const { return selCol_; }
  MatrixCell* selectedCell();
  bool allowsEmptySelection() const { return allowsEmpty_; }
  void setAllowsEmptySelection(bool on) { allowsEmpty_ = on; }

  // --- Layout
  bool autosizesCells() const { return autosizes_; }
  void setAutosizesCells(bool on);
  fnd::Size cellSize() const;
  void setCellSize(fnd::Size size);
  fnd::Size intercellSpacing() const { return spacing_; }
  void setIntercellSpacing(fnd::Size spacing);
  // The cell's rectangle in the matrix's bounds (row 0 at the top).
  fnd::Rect cellFrame(int row, int column) const;
  // Row and column of the cell under a point of the bounds; false when none.
  bool getRowColumnForPoint(fnd::Point p, int* row, int* column) const;
  // Sets the frame to hold the cells at their cell size.
  void sizeToCells();

  // Clicks a cell by program: selects it and sends the action (nothing when disabled).
  bool performClickOnCell(int row, int column);
  bool performClick() override;

  void drawRect(const fnd::Rect& dirty) override;
  void mouseMoved(const Event& event) override;

 protected:
  void trackMouseDown(const Event& event) override;

 private:
  int index(int row, int column) const { return row * columns_ + column; }
  std::vector<MatrixCell> cells_;
  int rows_ = 0;
  int columns_ = 1;
  int selRow_ = -1;
  int selCol_ = -1;
  int pressedRow_ = -1;
  int pressedCol_ = -1;
  bool allowsEmpty_ = true;
  bool autosizes_ = true;
  fnd::Size cellSize_{100, 18};
  fnd::Size spacing_{0, 2};
};

}  // namespace kit
