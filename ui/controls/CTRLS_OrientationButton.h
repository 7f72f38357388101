#pragma once

#include "kit/Image.h"
#include "ui/controls/CTRLS_PushButton.h"
#include "ui/controls/NoFocusImageView.h"

// The feeder's orientation button with a picture of the document fed from the top or from
// the left beside it. The button only reports the press; the owner picks the picture.
class Quirel_CTRLS_OrientationButton : public Quirel_CTRLS_PushButton {
 public:
  static constexpr const char* kButtonPost = "AdvOrientationButtonPost";
  Quirel_CTRLS_OrientationButton();

  // Loads both pictures from the bundle; the top one shows.
  void setImage(const std::string& topName, const std::string& leftName, const std::string& bundle);
  void changeImage(bool left) { ImageView->setImage(left ? mLeftImage : mTopImage); }
  void setImageRect(double x, double y, double width, double height) {
    ImageView->setFrame(fnd::Rect(x, y, width, height));
  }
  Quirel_NoFocusImageView* getImageView() const { return ImageView.get(); }
  fnd::Rect getImageViewRect() const { return rectOf(ImageView.get()); }
  void setHidden(bool hidden);
  void OrientatinoBTAction();

 private:
  kit::Image mTopImage;
  kit::Image mLeftImage;
  std::unique_ptr<Quirel_NoFocusImageView> ImageView;
};
