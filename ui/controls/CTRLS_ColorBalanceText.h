#pragma once

#include <memory>

#include "ui/controls/NoFocusTextField.h"

// A small centred caption of the adjustment dialogs.
class Quirel_CTRLS_ColorBalanceText {
 public:
  Quirel_CTRLS_ColorBalanceText();

  Quirel_NoFocusTextField* getTitleTxtF() const { return mTitleTxt.get(); }
  void setTitleTxtFTitle(const std::string& title) { mTitleTxt->setStringValue(title); }
  void setTitleTxtFRect(double x, double y, double width, double height) {
    mTitleTxt->setFrame(fnd::Rect(x, y, width, height));
  }

 private:
  std::unique_ptr<Quirel_NoFocusTextField> mTitleTxt;
};
