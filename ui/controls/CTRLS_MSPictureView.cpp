#include "ui/controls/CTRLS_MSPictureView.h"

Quirel_CTRLS_MSPictureView::Quirel_CTRLS_MSPictureView() : mImageView(std::make_unique<Quirel_NoFocusImageView>()) {
  mImageView->setAutoresizingMask(kit::kViewMinYMargin);
  mImageView->setImageScaling(kit::ImageScaling::None);
}

Quirel_CTRLS_MSPictureView::~Quirel_CTRLS_MSPictureView() { mImageArray.clear(); }

bool Quirel_CTRLS_MSPictureView::addImage(int index, const std::string& name, const std::string& bundle) {
  if (index < 0 || index > imageCount()) return false;
  kit::Image image = kit::Image::named(name, bundle);
  if (!image.isValid()) return false;
  mImageArray.insert(mImageArray.begin() + index, image);
  return true;
}

void Quirel_CTRLS_MSPictureView::changeImage(int index) {
  if (index >= 0 && index < imageCount()) mImageView->setImage(mImageArray[static_cast<std::size_t>(index)]);
}
