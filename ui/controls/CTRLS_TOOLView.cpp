#include "ui/controls/CTRLS_TOOLView.h"

Quirel_CTRLS_TOOLView::Quirel_CTRLS_TOOLView() : mToolBar(std::make_unique<Quirel_ToolView>(fnd::Rect(0, 0, 455, 60))) {
  mToolBar->setAutoresizingMask(kit::kViewWidthSizable | kit::kViewMinYMargin);
}

Quirel_CTRLS_TOOLView::~Quirel_CTRLS_TOOLView() = default;

void Quirel_CTRLS_TOOLView::setItem(kit::View* item) {
  if (item) mToolBar->addSubview(item);
}
