#include "ui/controls/CTRLS_AdjustCropText.h"

Quirel_CTRLS_AdjustCropText::Quirel_CTRLS_AdjustCropText()
    : mImageView(std::make_unique<Quirel_NoFocusImageView>()), mTitleTxt(std::make_unique<Quirel_NoFocusTextField>()) {
  mImageView->setImageScaling(kit::ImageScaling::None);
  mImageView->setAutoresizingMask(kit::kViewMinYMargin);
  mTitleTxt->setDrawsBackground(false);
  mTitleTxt->setBezeled(false);
  mTitleTxt->setEditable(false);
  mTitleTxt->setFont(kit::Font::boldSystemFont(12));
  mTitleTxt->setAutoresizingMask(kit::kViewMinYMargin);
}

void Quirel_CTRLS_AdjustCropText::setImage(const std::string& name, const std::string& bundle) {
  mImage = kit::Image::named(name, bundle);
  mImageView->setImage(mImage);
}

void Quirel_CTRLS_AdjustCropText::setHidden(bool hidden) {
  mTitleTxt->setHidden(hidden);
  mImageView->setHidden(hidden);
}
