#pragma once

#include <memory>

#include "ui/controls/NoFocusTextField.h"

// One line of the scan-information panel: a caption and its value.
class Quirel_CTRLS_ScanInfoText {
 public:
  Quirel_CTRLS_ScanInfoText();

  Quirel_NoFocusTextField* getTitleTxt() const { return mTitleTxt.get(); }
  fnd::Rect getTitleTxtRect() const { return mTitleTxt ? mTitleTxt->frame() : fnd::Rect(); }
  void setTitleTxtTitle(const std::string& title) { mTitleTxt->setStringValue(title); }
  void setTitleTxtRect(double x, double y, double width, double height) {
    mTitleTxt->setFrame(fnd::Rect(x, y, width, height));
  }
  Quirel_NoFocusTextField* getValueTxt() const { return mValueTxt.get(); }
  fnd::Rect getValueTxtRect() const { return mValueTxt ? mValueTxt->frame() : fnd::Rect(); }
  // A null text keeps the value shown.
  void setValueTxtTitle(const char* value) {
    if (value) mValueTxt->setStringValue(value);
  }
  void setValueTxtRect(double x, double y, double width, double height) {
    mValueTxt->setFrame(fnd::Rect(x, y, width, height));
  }
  // Moves both texts to the height; x, width and height stay.
  void setOriginY(double y);
  double getHeight() const { return mTitleTxt ? mTitleTxt->frame().size.height : 0; }
  void setHidden(bool hidden);
  bool isHidden() const { return mTitleTxt->isHidden(); }

 private:
  std::unique_ptr<Quirel_NoFocusTextField> mTitleTxt;
  std::unique_ptr<Quirel_NoFocusTextField> mValueTxt;
};
