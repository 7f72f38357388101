#include "ui/windows/ScanResultImage.h"

#include <string>

Quirel_ScanResultImage::Quirel_ScanResultImage() : kit::View(fnd::Rect(10, 5, 110, 130)) { build(10, 10); }

Quirel_ScanResultImage::Quirel_ScanResultImage(std::int32_t number, const kit::Image& image)
    : kit::View(fnd::Rect(number * kPitch - 116, 25, kPitch, 130)) {
  build(5, 5);
  mImageView->setImage(image);
  mTextField->setStringValue(std::to_string(number));
}

void Quirel_ScanResultImage::build(double imageX, double labelX) {
  auto view = std::make_unique<Quirel_NoFocusImageView>(fnd::Rect(imageX, 25, 100, 100));
  view->setImageFrameStyle(kit::ImageFrameStyle::GrayBezel);
  view->setImageScaling(kit::ImageScaling::ProportionallyDown);
  mImageView = static_cast<Quirel_NoFocusImageView*>(addSubview(std::move(view)));

  auto label = std::make_unique<kit::TextField>(fnd::Rect(labelX, 2, 100, 20));
  label->setDrawsBackground(false);
  label->setBezeled(false);
  label->setEditable(false);
  label->setSelectable(false);
  label->setAlignment(kit::TextAlignment::Center);
  mTextField = static_cast<kit::TextField*>(addSubview(std::move(label)));
}
