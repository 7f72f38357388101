#pragma once

#include <memory>
#include <optional>

#include "kit/Color.h"
#include "kit/TextField.h"
#include "ui/controls/NoFocusTextField.h"

// The estimated data size with its caption. The owner colours the size (for instance when it
// is too large); disabling greys it until the owner passes a colour again.
class Quirel_CTRLS_DateSizeTextF {
 public:
  Quirel_CTRLS_DateSizeTextF();

  kit::TextField* getTitleTxt() const { return mTitleTxt.get(); }
  void setTitleTxtTitle(const std::string& title) { mTitleTxt->setStringValue(title); }
  void setTitleTxtRect(double x, double y, double width, double height) {
    mTitleTxt->setFrame(fnd::Rect(x, y, width, height));
  }
  fnd::Rect getTitleTxtRect() const { return mTitleTxt ? mTitleTxt->frame() : fnd::Rect(); }
  Quirel_NoFocusTextField* getTxtF() const { return mTxtF.get(); }
  void setTxtFRect(double x, double y, double width, double height) { mTxtF->setFrame(fnd::Rect(x, y, width, height)); }
  fnd::Rect getTxtFRect() const { return mTxtF ? mTxtF->frame() : fnd::Rect(); }
  // Either part may be absent: a missing text or colour leaves that part as it was.
  void setTxtFValue(const char* text, const std::optional<kit::Color>& color);
  void setEnabled(bool enabled);

 private:
  std::unique_ptr<kit::TextField> mTitleTxt;
  std::unique_ptr<Quirel_NoFocusTextField> mTxtF;
};
