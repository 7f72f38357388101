#include "ui/controls/CTRLS_ScrollView.h"

Quirel_CTRLS_ScrollView::Quirel_CTRLS_ScrollView(double x, double y, double width, double height)
    : Quirel_CTRLS_Base(Caption::Plain) {
  fnd::Rect r(x, y, width, height);
  mTableView = std::make_unique<Quirel_TableView>(r);
  mTableView->setHasHeader(false);
  kit::TableColumn column;
  column.identifier = kColumnIdentifier;
  column.editable = false;
  mTableView->addTableColumn(column);
  mClipView = std::make_unique<kit::ClipView>(r);
  mScrollView = std::make_unique<kit::ScrollView>(r);
  mScrollView->setHasVerticalScroller(true);
  mScrollView->setHasHorizontalScroller(true);
  // The scrollers show only when the names do not fit, the way the lists look elsewhere.
  mScrollView->setAutohidesScrollers(true);
  mScrollView->setBorderType(kit::BorderType::BezelBorder);
  mScrollView->setAutoresizingMask(kit::kViewHeightSizable);
}

Quirel_CTRLS_ScrollView::~Quirel_CTRLS_ScrollView() {
  // Undo the nesting before the pieces go, so none outlives a view that still points at it.
  mTableView.reset();
  mClipView.reset();
}

void Quirel_CTRLS_ScrollView::setScrollViewRect(double x, double y, double width, double height) {
  mScrollView->setFrame(fnd::Rect(x, y, width, height));
}

void Quirel_CTRLS_ScrollView::setTableViewRect(double x, double y, double width, double height) {
  fnd::Rect r(x, y, width, height);
  mTableView->setFrame(r);
  mClipView->setFrame(r);
}

void Quirel_CTRLS_ScrollView::endDialogList(kit::View* parent, const std::string& title, const fnd::Rect& titleRect,
                                            kit::TableViewDataSource* source) {
  setTitleTxtTitle(title);
  setTitleTxtRect(titleRect);
  endScrollView();
  setAllowsEmptySelection(true);
  setDataSource(source);
  parent->addSubview(getTitleTxt());
  parent->addSubview(getScrollView());
}

void Quirel_CTRLS_ScrollView::endScrollView() {
  mClipView->setDocumentView(mTableView.get());
  mScrollView->setContentView(mClipView.get());
}

void Quirel_CTRLS_ScrollView::setEditable(bool on) {
  if (kit::TableColumn* c = column()) c->editable = on;
}

void Quirel_CTRLS_ScrollView::setMaxWidth(double width) {
  if (kit::TableColumn* c = column()) c->maxWidth = width;
}
