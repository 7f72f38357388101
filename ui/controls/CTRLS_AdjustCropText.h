#pragma once

#include <memory>

#include "kit/Image.h"
#include "ui/controls/NoFocusImageView.h"
#include "ui/controls/NoFocusTextField.h"

// The basic mode's hint on adjusting the crop frame: a picture of a frame and the hint text.
class Quirel_CTRLS_AdjustCropText {
 public:
  Quirel_CTRLS_AdjustCropText();

  void setImage(const std::string& name, const std::string& bundle);
  Quirel_NoFocusImageView* getImageView() const { return mImageView.get(); }
  void setImageViewRect(double x, double y, double width, double height) {
    mImageView->setFrame(fnd::Rect(x, y, width, height));
  }
  fnd::Rect getImageViewRect() const { return mImageView ? mImageView->frame() : fnd::Rect(); }
  Quirel_NoFocusTextField* getTitleTxt() const { return mTitleTxt.get(); }
  void setTitleTxtTitle(const std::string& title) { mTitleTxt->setStringValue(title); }
  void setTitleTxtColor(const kit::Color& color) { mTitleTxt->setTextColor(color); }
  void setTitleTxtRect(double x, double y, double width, double height) {
    mTitleTxt->setFrame(fnd::Rect(x, y, width, height));
  }
  fnd::Rect getTitleTxtRect() const { return mTitleTxt ? mTitleTxt->frame() : fnd::Rect(); }
  void setHidden(bool hidden);

 private:
  kit::Image mImage;
  std::unique_ptr<Quirel_NoFocusImageView> mImageView;
  std::unique_ptr<Quirel_NoFocusTextField> mTitleTxt;
};
