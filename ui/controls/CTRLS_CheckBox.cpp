#include "ui/controls/CTRLS_CheckBox.h"

Quirel_CTRLS_CheckBox::Quirel_CTRLS_CheckBox(Variant variant)
    : Quirel_CTRLS_Base(Caption::NoFocus),
      mCheckBox(std::make_unique<Quirel_NoFocusButton>(fnd::Rect(10, 10, 30, 25))),
      mCheckBoxTitleTxt(makeLabel(false)) {
  mCheckBox->setButtonType(kit::ButtonType::Switch);
  mCheckBox->setTitle("");
  mCheckBox->setAction([this](kit::Control&) { checkBoxAction(); });
  if (variant == Variant::MS) {
    mCheckBox->setFont(kit::Font::systemFont(13));
    mCheckBoxTitleTxt->setFont(kit::Font::systemFont(13));
    mCheckBox->setAutoresizingMask(kit::kViewMinYMargin);
  } else if (variant == Variant::ADV) {
    mCheckBox->setIgnoresMultipleClicks(true);
    mTitleTxt->setFont(kit::Font::systemFont(13));
  }
}

void Quirel_CTRLS_CheckBox::setCheckBoxRect(double x, double y, double width, double height) {
  setCheckBoxRect(fnd::Rect(x, y, width, height));
}

void Quirel_CTRLS_CheckBox::setCheckBoxRect(const fnd::Rect& rect) { mCheckBox->setFrame(rect); }

void Quirel_CTRLS_CheckBox::setCheckBoxTitleTxtRect(double x, double y, double width, double height) {
  setCheckBoxTitleTxtRect(fnd::Rect(x, y, width, height));
}

void Quirel_CTRLS_CheckBox::setEnabled(bool enabled) {
  mCheckBoxTitleTxt->setTextColor(enabled ? kit::Color::controlText() : kit::Color::disabledControlText());
  mCheckBox->setEnabled(enabled);
}

void Quirel_CTRLS_CheckBox::setHidden(bool hidden) {
  mCheckBox->setHidden(hidden);
  mCheckBoxTitleTxt->setHidden(hidden);
  mTitleTxt->setHidden(hidden);
}
