#include "ui/controls/CTRLS_ImageSettingScrollView.h"

#include "ui/controls/CTRLS_Base.h"

Quirel_CTRLS_ImageSettingScrollView::Quirel_CTRLS_ImageSettingScrollView(double x, double y, double width,
                                                                         double height)
    : mTitleTxt(Quirel_CTRLS_Base::makeLabel(true)) {
  fnd::Rect r(x, y, width, height);
  mTitleTxt->setFont(kit::Font::boldSystemFont(13));
  mTitleTxt->setAutoresizingMask(kit::kViewMinYMargin);
  mView = std::make_unique<kit::View>(r);
  mView->setAutoresizingMask(kit::kViewMinYMargin);
  mClipView = std::make_unique<kit::ClipView>(r);
  mScrollView = std::make_unique<kit::ScrollView>(r);
  mScrollView->setHasVerticalScroller(true);
  mScrollView->setBorderType(kit::BorderType::BezelBorder);
  mScrollView->setAutoresizingMask(kit::kViewHeightSizable);
}

Quirel_CTRLS_ImageSettingScrollView::~Quirel_CTRLS_ImageSettingScrollView() {
  // Undo the nesting before the pieces go, so none outlives a view that still points at it.
  mView.reset();
  mClipView.reset();
}

void Quirel_CTRLS_ImageSettingScrollView::setViewRect(double x, double y, double width, double height) {
  fnd::Rect r(x, y, width, height);
  mView->setFrame(r);
  mClipView->setFrame(r);
}

void Quirel_CTRLS_ImageSettingScrollView::setItem(kit::View* view, const fnd::Rect& rect) {
  if (!view) return;
  view->setFrame(rect);
  mView->addSubview(view);
}

void Quirel_CTRLS_ImageSettingScrollView::endScrollView() {
  mClipView->setDocumentView(mView.get());
  mScrollView->setContentView(mClipView.get());
}
