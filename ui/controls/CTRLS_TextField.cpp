#include "ui/controls/CTRLS_TextField.h"

#include "ui/controls/StringFormatter.h"

Quirel_CTRLS_TextField::Quirel_CTRLS_TextField()
    : Quirel_CTRLS_Base(Caption::None), mTxtF(std::make_unique<Quirel_StringField>()) {}

void Quirel_CTRLS_TextField::setStringFormat(int maxLength) {
  mTxtF->setFormatter(std::make_unique<Quirel_StringFormatter>(maxLength));
}

void Quirel_CTRLS_TextField::setStringValue(const char* text) {
  if (text) mTxtF->setStringValue(text);
}

void Quirel_CTRLS_TextField::setPlaneLabel() {
  mTxtF->setDrawsBackground(false);
  mTxtF->setBezeled(false);
  mTxtF->setEditable(false);
}

void Quirel_CTRLS_TextField::setEnabled(bool enabled) {
  mTxtF->setEnabled(enabled);
  mTxtF->setSelectable(enabled);
}
