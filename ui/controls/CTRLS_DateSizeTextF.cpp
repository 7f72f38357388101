#include "ui/controls/CTRLS_DateSizeTextF.h"

#include "ui/controls/CTRLS_Base.h"

Quirel_CTRLS_DateSizeTextF::Quirel_CTRLS_DateSizeTextF()
    : mTitleTxt(Quirel_CTRLS_Base::makeLabel(true)), mTxtF(std::make_unique<Quirel_NoFocusTextField>()) {
  mTitleTxt->setFont(kit::Font::systemFont(13));
  mTxtF->setBackgroundColor(kit::Color::controlHighlight());
  mTxtF->setEditable(false);
}

void Quirel_CTRLS_DateSizeTextF::setTxtFValue(const char* text, const std::optional<kit::Color>& color) {
  if (text) mTxtF->setStringValue(text);
  if (color) mTxtF->setTextColor(*color);
}

void Quirel_CTRLS_DateSizeTextF::setEnabled(bool enabled) {
  // Enabling waits for the owner's next colour: the size may still be one to warn about.
  if (!enabled) mTxtF->setTextColor(kit::Color::disabledControlText());
}
