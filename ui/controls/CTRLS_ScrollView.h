#pragma once

#include "kit/ClipView.h"
#include "kit/ScrollView.h"
#include "ui/controls/CTRLS_Base.h"
#include "ui/controls/TableView.h"

// A scroll view holding a one-column table without header, with a caption. The owner
// configures the table, then calls endScrollView, which nests table, clip view and scroll view.
class Quirel_CTRLS_ScrollView : public Quirel_CTRLS_Base {
 public:
  static constexpr const char* kColumnIdentifier = "column1";

  Quirel_CTRLS_ScrollView(double x, double y, double width, double height);
  ~Quirel_CTRLS_ScrollView() override;

  kit::ScrollView* getScrollView() const { return mScrollView.get(); }
  Quirel_TableView* getTableView() const { return mTableView.get(); }
  void setScrollViewRect(double x, double y, double width, double height);
  fnd::Rect getScrollViewRect() const { return rectOf(mScrollView.get()); }
  // Moves the table and its clip view together.
  void setTableViewRect(double x, double y, double width, double height);
  fnd::Rect getTableViewRect() const { return rectOf(mTableView.get()); }
  void endScrollView();
  // A dialog's list: `title` in `titleRect` over it, the scroll view ended, an empty selection
  // allowed, rows from `source`; caption and scroll view added to `parent`.
  void endDialogList(kit::View* parent, const std::string& title, const fnd::Rect& titleRect,
                     kit::TableViewDataSource* source);

  void setDataSource(kit::TableViewDataSource* source) { mTableView->setDataSource(source); }
  void reloadData() { mTableView->reloadData(); }
  int selectedRow() const { return mTableView->selectedRow(); }
  int numberOfRows() const { return mTableView->numberOfRows(); }
  void setAllowsEmptySelection(bool on) { mTableView->setAllowsEmptySelection(on); }
  void deselectAll() { mTableView->deselectAll(); }
  void setAllowsMultipleSelection(bool on) { mTableView->setAllowsMultipleSelection(on); }
  void setEditable(bool on);
  void setMaxWidth(double width);
  void selectRow(int row, bool extend) { mTableView->selectRowIndexes({row}, extend); }
  void scrollRowToVisible(int row) { mTableView->scrollRowToVisible(row); }
  void setHidden(bool hidden) { mScrollView->setHidden(hidden); }
  bool isHidden() const { return mScrollView->isHidden(); }

 private:
  kit::TableColumn* column() const { return mTableView->tableColumnWithIdentifier(kColumnIdentifier); }
  // Declared so that the table leaves the clip view, and the clip view the scroll view, first.
  std::unique_ptr<kit::ScrollView> mScrollView;
  std::unique_ptr<kit::ClipView> mClipView;
  std::unique_ptr<Quirel_TableView> mTableView;
};
