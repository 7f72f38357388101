#include "ui/controls/CTRLS_ImageSettingView.h"

void Quirel_CTRLS_ImageSettingView::setItem(kit::View* view, const fnd::Rect& rect) {
  if (!view) return;
  view->setFrame(rect);
  mView->addSubview(view);
}
