#include "ui/controls/CTRLS_PREFFileNameTitle.h"

#include "ui/controls/CTRLS_PREFPathTextF.h"

Quirel_CTRLS_PREFFileNameTitle::Quirel_CTRLS_PREFFileNameTitle() {
  getTextF()->setDrawsBackground(false);
  getTextF()->setEditable(false);
  getTextF()->setBezeled(false);
  getTextF()->setBordered(false);
  getTextF()->setChangeCursor(false);
}

void Quirel_CTRLS_PREFFileNameTitle::setStringValue(const std::string& text) {
  Quirel_CTRLS_PREFPathTextF::showTruncatedMiddle(*getTextF(), text);
}

void Quirel_CTRLS_PREFFileNameTitle::setText(const std::string& text, double x, double y, double width,
                                             double height) {
  setTextFRect(x, y, width, height);
  getTextF()->setStringValue(text);
}
