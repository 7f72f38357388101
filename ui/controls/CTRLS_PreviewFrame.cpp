#include "ui/controls/CTRLS_PreviewFrame.h"

Quirel_CTRLS_PreviewFrame::Quirel_CTRLS_PreviewFrame() : mFrameView(std::make_unique<Quirel_PreviewFrameView>()) {
  mFrameView->setAutoresizingMask(kit::kViewWidthSizable | kit::kViewHeightSizable);
}

Quirel_CTRLS_PreviewFrame::~Quirel_CTRLS_PreviewFrame() = default;

void Quirel_CTRLS_PreviewFrame::setFrameViewRect(double x, double y, double width, double height) {
  mFrameView->setFrame(fnd::Rect(x, y, width, height));
}

void Quirel_CTRLS_PreviewFrame::addView(kit::View* view, const fnd::Rect& rect) {
  if (!view) return;
  view->setFrame(rect);
  mFrameView->addSubview(view);
}
