#include "ui/controls/CTRLS_Base.h"

#include "ui/controls/ClickHandshake.h"
#include "ui/controls/NoFocusTextField.h"

Quirel_CTRLS_Base::Quirel_CTRLS_Base(Caption caption) {
  if (caption != Caption::None) mTitleTxt = makeLabel(caption == Caption::Plain);
}

Quirel_CTRLS_Base::~Quirel_CTRLS_Base() = default;

std::unique_ptr<kit::TextField> Quirel_CTRLS_Base::makeLabel(bool plain) {
  std::unique_ptr<kit::TextField> label =
      plain ? std::make_unique<kit::TextField>() : std::make_unique<Quirel_NoFocusTextField>();
  label->setDrawsBackground(false);
  label->setBezeled(false);
  label->setEditable(false);
  return label;
}

void Quirel_CTRLS_Base::setTitleTxtTitle(const std::string& title) {
  if (mTitleTxt) mTitleTxt->setStringValue(title);
}

void Quirel_CTRLS_Base::setTitleTxtRect(double x, double y, double width, double height) {
  setTitleTxtRect(fnd::Rect(x, y, width, height));
}

void Quirel_CTRLS_Base::setTitleTxtRect(const fnd::Rect& rect) {
  if (mTitleTxt) mTitleTxt->setFrame(rect);
}

void Quirel_CTRLS_Base::setTitleTxtColor(const kit::Color& color) {
  if (mTitleTxt) mTitleTxt->setTextColor(color);
}

void Quirel_CTRLS_Base::setTitleTxtFont(const kit::Font& font) {
  if (mTitleTxt) mTitleTxt->setFont(font);
}

void Quirel_CTRLS_Base::postAction(const void* control) const {
  if (!mActionPostName.empty()) Quirel_ClickHandshake::post(mActionPostName.c_str(), control);
}
