#include "ui/controls/CTRLS_OUTSizeListView.h"

#include "ui/controls/ClickHandshake.h"

void Quirel_CTRLS_OUTSizeListView::wireListAction() {
  getTableView()->setAction([this](kit::Control&) { onSelect(); });
}

void Quirel_CTRLS_OUTSizeListView::onSelect() {
  int row = getTableView()->selectedRow();
  if (row == mSelectRow) Quirel_ClickHandshake::post(mPostName, getTableView());
  mSelectRow = row;
}
