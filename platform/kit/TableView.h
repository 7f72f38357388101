#pragma once

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "foundation/Value.h"
#include "kit/Control.h"

namespace kit {

class TableView;

// One column: an identifier, a header title, a width with limits, editable or not.
struct TableColumn {
  std::string identifier;
  std::string title;
  double width = 100;
  double minWidth = 10;
  double maxWidth = 1e6;
  bool editable = false;
};

// Where the rows come from.
class TableViewDataSource {
 public:
  virtual ~TableViewDataSource() = default;
  virtual int numberOfRowsInTableView(TableView& table) = 0;
  virtual fnd::Value objectValueForTableColumn(TableView& table, const TableColumn* column, int row) = 0;
};

class TableViewDelegate {
 public:
  virtual ~TableViewDelegate() = default;
  virtual bool tableViewShouldSelectRow(TableView&, int /*row*/) { return true; }
  virtual void tableViewSelectionDidChange(TableView&) {}
};

// Rows of text in one or more columns, flipped (row 0 at the top). The table asks its data
// source for the number of rows and each cell's value at reloadData and when drawing. A press
// on a row selects it (within the selection rules and the delegate's say) and sends the
// action; a double click sends the double action.
class TableView : public Control {
 public:
  static constexpr const char* kSelectionDidChangeNotification = "NSTableViewSelectionDidChangeNotification";

  explicit TableView(const fnd::Rect& frame = {});
  ~TableView() override;

  // --- Columns
  TableColumn* addTableColumn(TableColumn column);
  void removeTableColumn(const std::string& identifier);
  int numberOfColumns() const { return static_cast<int>(columns_.size()); }
  TableColumn* tableColumnWithIdentifier(const std::string& identifier);
  TableColumn* tableColumnAtIndex(int index);

  // --- Data
  void setDataSource(TableViewDataSource* source) { source_ = source; }
  TableViewDataSource* dataSource() const { return source_; }
  void setDelegate(TableViewDelegate* delegate) { delegate_ = delegate; }
  TableViewDelegate* delegate() const { return delegate_; }
  // Asks the data source again; the selection keeps the rows that still exist.
  void reloadData();
  int numberOfRows() const { return rows_; }
  fnd::Value valueAt(int column, int row) const;

  // --- Selection
  int selectedRow() const;
  const std::set<int>& selectedRowIndexes() const { return selection_; }
  int numberOfSelectedRows() const { return static_cast<int>(selection_.size()); }
  bool isRowSelected(int row) const { return selection_.count(row) != 0; }
  void selectRowIndexes(const std::set<int>& rows, bool extend);
  void selectRow(int row, bool extend) { selectRowIndexes({row}, extend); }
  // Clears the selection (refused when empty selection is not allowed).
  bool deselectAll();
  void deselectRow(int row);
  bool allowsEmptySelection() const { return allowsEmpty_; }
  void setAllowsEmptySelection(bool on) { allowsEmpty_ = on; }
  bool allowsMultipleSelection() const { return allowsMultiple_; }
  void setAllowsMultipleSelection(bool on) { allowsMultiple_ = on; }
  // The row the last press landed on (-1 when none).
  int clickedRow() const { return clickedRow_; }

  // --- Look
  double rowHeight() const { return rowHeight_; }
  void setRowHeight(double h);
  bool hasHeader() const { return header_; }
  void setHasHeader(bool on);
  bool usesAlternatingRowBackgroundColors() const { return alternating_; }
  void setUsesAlternatingRowBackgroundColors(bool on);
  fnd::Rect rectOfRow(int row) const;
  // Scrolls the enclosing clip view as little as it takes to show the whole row (the top of a
  // row taller than the view); nothing when the row is shown already or there is no such row.
  void scrollRowToVisible(int row);
  // Sizes the table to its columns and rows after a column's width changed (at least as large
  // as the clip view it shows in), and lets an enclosing scroll view show or hide its scrollers.
  void tile() { sizeToRows(); }
  // The columns' widths side by side, the header and the rows.
  fnd::Size scrollableSize() const override;
  void resizeWithOldSuperviewSize(fnd::Size oldSuperviewSize) override;
  int rowAtPoint(fnd::Point p) const;

  void setDoubleAction(Action action) { doubleAction_ = std::move(action); }

  // Clicks a row by program: selects it (by the rules) and sends the action.
  bool performClickOnRow(int row);

  bool isFlipped() const override { return true; }
  void drawRect(const fnd::Rect& dirty) override;
  void keyDown(const Event& event) override;
  bool acceptsFirstResponder() const override { return true; }

 protected:
  void trackMouseDown(const Event& event) override;

 private:
  void changeSelection(std::set<int> rows);
  void sizeToRows();
  double headerHeight() const { return header_ ? 20 : 0; }
  std::vector<TableColumn> columns_;
  TableViewDataSource* source_ = nullptr;
  TableViewDelegate* delegate_ = nullptr;
  std::set<int> selection_;
  int rows_ = 0;
  int clickedRow_ = -1;
  double rowHeight_ = 17;
  bool allowsEmpty_ = true;
  bool allowsMultiple_ = false;
  bool header_ = true;
  bool alternating_ = false;
  Action doubleAction_;
};

}  // namespace kit
