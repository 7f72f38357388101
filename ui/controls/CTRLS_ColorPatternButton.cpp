#include "ui/controls/CTRLS_ColorPatternButton.h"

#include "ui/controls/ClickHandshake.h"

namespace {

// The picture drawn at 16 x 16 points.
kit::Image sixteenPointImage(const kit::Image& image) {
  if (!image.isValid() || (image.pixelsWide() == 16 && image.pixelsHigh() == 16)) return image;
  return image.scaledTo(16, 16);
}

}  // namespace

Quirel_CTRLS_ColorPatternButton::Quirel_CTRLS_ColorPatternButton(Look look) {
  if (look == Look::WithImageView) {
    mImageView = std::make_unique<Quirel_NoFocusImageView>();
    mImageView->setImageScaling(kit::ImageScaling::None);
    mImageView->setAutoresizingMask(kit::kViewMinYMargin);
  }
  getPushBT()->setBezelStyle(kit::BezelStyle::RegularSquare);
  getPushBT()->setAction([this](kit::Control&) { ColorPatternBTAction(); });
}

void Quirel_CTRLS_ColorPatternButton::showImage(const kit::Image& image) {
  if (mImageView) {
    mImageView->setImage(image);
    return;
  }
  getPushBT()->setImage(image);
  getPushBT()->setImagePosition(kit::ImagePosition::ImageLeft);
}

void Quirel_CTRLS_ColorPatternButton::setImage_16(const std::string& onName, const std::string& offName,
                                                  const std::string& bundle) {
  mOnImage = sixteenPointImage(kit::Image::named(onName, bundle));
  mOffImage = sixteenPointImage(kit::Image::named(offName, bundle));
  showImage(mOnImage);
}

void Quirel_CTRLS_ColorPatternButton::setImage_32(const std::string& onName, const std::string& offName,
                                                  const std::string& bundle) {
  mOnImage = kit::Image::named(onName, bundle);
  mOffImage = kit::Image::named(offName, bundle);
  showImage(mOnImage);
}

void Quirel_CTRLS_ColorPatternButton::setImageViewRect(double x, double y, double width, double height) {
  if (mImageView) mImageView->setFrame(fnd::Rect(x, y, width, height));
}

void Quirel_CTRLS_ColorPatternButton::setHidden(bool hidden) {
  if (mImageView) mImageView->setHidden(hidden);
  Quirel_CTRLS_PushButton::setHidden(hidden);
}

void Quirel_CTRLS_ColorPatternButton::setEnabled(bool enabled) {
  showImage(enabled ? mOnImage : mOffImage);
  Quirel_CTRLS_PushButton::setEnabled(enabled);
}

void Quirel_CTRLS_ColorPatternButton::ColorPatternBTAction() {
  if (getPushBT()->isEnabled()) Quirel_ClickHandshake::post(kOpenPost, getPushBT());
}
