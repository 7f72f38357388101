#include "ui/controls/CTRLS_Preview.h"

#include "kit/Color.h"
#include "kit/Font.h"

std::unique_ptr<Quirel_CTRLS_Preview> Quirel_CTRLS_Preview::initForStandardMode() {
  std::unique_ptr<Quirel_CTRLS_Preview> p(new Quirel_CTRLS_Preview(Quirel_PreviewView::initForStandardMode()));
  p->mTitleTxt->setFont(kit::Font::systemFont(17));
  p->mTitleTxt->setTextColor(kit::Color::darkGray());
  return p;
}

std::unique_ptr<Quirel_CTRLS_Preview> Quirel_CTRLS_Preview::initForExtendMode() {
  std::unique_ptr<Quirel_CTRLS_Preview> p(new Quirel_CTRLS_Preview(Quirel_PreviewView::initForExtendMode()));
  // 280 points, as the advanced mode has always had it.
  p->mTitleTxt->setFont(kit::Font::systemFont(280));
  p->mTitleTxt->setTextColor(kit::Color::gray());
  return p;
}

Quirel_CTRLS_Preview::Quirel_CTRLS_Preview(std::unique_ptr<Quirel_PreviewView> imageView)
    : mScrollView(std::make_unique<Quirel_PreviewScrollView>()),
      mShadowView(std::make_unique<Quirel_PreviewShadowView>()),
      mTempView(std::make_unique<kit::View>()),
      mPreView(std::move(imageView)),
      mTitleTxt(std::make_unique<Quirel_NoFocusTextField>()) {
  mClipView = mScrollView->contentView();
  mScrollView->setHasVerticalScroller(false);
  mScrollView->setHasHorizontalScroller(false);
  mScrollView->setBorderType(kit::BorderType::BezelBorder);
  mTempView->addSubview(mPreView.get());
  mScrollView->setDocumentView(mTempView.get());
  mTitleTxt->setDrawsBackground(false);
  mTitleTxt->setBezeled(false);
  mTitleTxt->setBordered(false);
  mTitleTxt->setEditable(false);
  mTitleTxt->setAutoresizingMask(kit::kViewMinYMargin);
  mPreView->addSubview(mTitleTxt.get());
  mPreView->setTextField(mTitleTxt.get());
}

// The scroll view goes first, with its clip view, so that no clip view is left pointing at
// a document view already gone; the others leave their superviews as they go.
Quirel_CTRLS_Preview::~Quirel_CTRLS_Preview() {
  mPreView->setTextField(nullptr);
  mScrollView.reset();
}

void Quirel_CTRLS_Preview::setScrollViewRect(double x, double y, double width, double height) {
  setScrollViewRect(fnd::Rect(x, y, width, height));
}

void Quirel_CTRLS_Preview::setScrollViewRect(const fnd::Rect& rect) {
  mScrollView->setFrame(rect);
  mShadowView->setFrame(fnd::Rect(rect.origin.x + 4, rect.origin.y - 4, rect.size.width, rect.size.height));
}

void Quirel_CTRLS_Preview::setImageViewRect(const fnd::Rect& rect) {
  const fnd::Rect whole = rect.integral();
  mTempView->setFrame(fnd::Rect(0, 0, whole.size.width, whole.size.height));
  mPreView->setFrame(fnd::Rect(0, 0, rect.size.width, rect.size.height));
}

void Quirel_CTRLS_Preview::setHidden(bool hidden) {
  if (hidden) mPreView->removeTrackingRect();
  mShadowView->setHidden(hidden);
  mScrollView->setHidden(hidden);
}

void Quirel_CTRLS_Preview::updateDisplay() {
  mShadowView->setNeedsDisplay();
  mScrollView->setNeedsDisplay();
}

void Quirel_CTRLS_Preview::addCrop(kit::View* cropView) {
  if (cropView) mPreView->addSubview(cropView);
}

void Quirel_CTRLS_Preview::changeTitle(bool adf, bool film) {
  setHiddenTitle(false);
  mTitleTxt->setStringValue(adf ? mADFTitle : film ? mFilmTitle : mPlatenTitle);
  mPreView->setNeedsDisplay();
}

void Quirel_CTRLS_Preview::setTitleRect(double x, double y, double width, double height) {
  setTitleRect(fnd::Rect(x, y, width, height));
}

void Quirel_CTRLS_Preview::setHiddenTitle(bool hidden) {
  mTitleTxt->removeFromSuperview();
  if (!hidden) mPreView->addSubview(mTitleTxt.get());
}
