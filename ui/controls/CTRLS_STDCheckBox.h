#pragma once

#include "kit/Image.h"
#include "ui/controls/CTRLS_CheckBox.h"
#include "ui/controls/NoFocusImageView.h"

// A correction check box of the basic mode with a picture beside it that shows the
// correction on, off or unavailable. A click swaps the picture and posts the owner's
// notification, when one was set.
class Quirel_CTRLS_STDCheckBox : public Quirel_CTRLS_CheckBox {
 public:
  Quirel_CTRLS_STDCheckBox();

  // Each picture loads only when named and found; the off picture then shows.
  void setImage(const char* onName, const char* offName, const char* disableName, const std::string& bundle);
  Quirel_NoFocusImageView* getImageView() const { return mImageView.get(); }
  void setImageViewRect(double x, double y, double width, double height) {
    mImageView->setFrame(fnd::Rect(x, y, width, height));
  }
  fnd::Rect getImageViewRect() const { return rectOf(mImageView.get()); }
  bool hasDisableImage() const { return mDisableImage.isValid(); }
  void setHidden(bool hidden);
  void setEnabled(bool enabled);
  void check(bool on);
  void checkBoxActionSub();

 private:
  kit::Image mOnImage;
  kit::Image mOffImage;
  kit::Image mDisableImage;
  std::unique_ptr<Quirel_NoFocusImageView> mImageView;
};
