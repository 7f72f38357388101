#pragma once

#include <memory>

#include "kit/Image.h"
#include "ui/controls/NoFocusImageView.h"

// The picture that links the output width and height fields.
class Quirel_CTRLS_OutputSizeIconView {
 public:
  Quirel_CTRLS_OutputSizeIconView() : mImageView(std::make_unique<Quirel_NoFocusImageView>()) {}

  // Loads the picture, scales it to the view (axes independently) and places the view.
  void setImage(const std::string& name, const std::string& bundle, double x, double y, double width,
                double height);
  Quirel_NoFocusImageView* getImageView() const { return mImageView.get(); }
  fnd::Rect getImageViewRect() const { return mImageView ? mImageView->frame() : fnd::Rect(); }

 private:
  kit::Image mImage;
  std::unique_ptr<Quirel_NoFocusImageView> mImageView;
};
