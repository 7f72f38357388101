#include "ui/controls/CTRLS_PREFFileNameTextF.h"

#include "ui/controls/ClickHandshake.h"

Quirel_CTRLS_PREFFileNameTextF::Quirel_CTRLS_PREFFileNameTextF() {
  Quirel_StringField* field = getTextF();
  field->setEditable(true);
  field->setChangeCursor(true);
  field->setAction([this](kit::Control&) { FileNameTextFieldAction(); });
  field->setSendsActionOnEndEditing(true);
  field->setUsesSingleLineMode(true);
}

void Quirel_CTRLS_PREFFileNameTextF::setText(const std::string& text, double x, double y, double width,
                                             double height) {
  setTextFRect(x, y, width, height);
  getTextF()->setStringValue(text);
}

void Quirel_CTRLS_PREFFileNameTextF::FileNameTextFieldAction() { Quirel_ClickHandshake::post(kChangePost, getTextF()); }
