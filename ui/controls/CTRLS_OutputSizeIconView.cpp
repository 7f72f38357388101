#include "ui/controls/CTRLS_OutputSizeIconView.h"

void Quirel_CTRLS_OutputSizeIconView::setImage(const std::string& name, const std::string& bundle, double x,
                                               double y, double width, double height) {
  mImage = kit::Image::named(name, bundle);
  mImageView->setImage(mImage);
  mImageView->setImageScaling(kit::ImageScaling::AxesIndependently);
  mImageView->setFrame(fnd::Rect(x, y, width, height));
}
