#pragma once

#include <memory>

#include "ui/controls/NoFocusTextField.h"

// A caption of the threshold dialog (light, dark).
class Quirel_CTRLS_ThresholdText {
 public:
  Quirel_CTRLS_ThresholdText();

  Quirel_NoFocusTextField* getTitleTxt() const { return mTitleTxt.get(); }
  void setTitleTxtRect(double x, double y, double width, double height) {
    mTitleTxt->setFrame(fnd::Rect(x, y, width, height));
  }
  void setTitleTxtTitle(const std::string& title) { mTitleTxt->setStringValue(title); }
  void setHidden(bool hidden) { mTitleTxt->setHidden(hidden); }
  bool isHidden() const { return mTitleTxt->isHidden(); }

 private:
  std::unique_ptr<Quirel_NoFocusTextField> mTitleTxt;
};
