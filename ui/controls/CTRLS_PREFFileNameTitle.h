#pragma once

#include "ui/controls/CTRLS_TextField.h"

// A label of the preferences' save tab; a long file name given to setStringValue is cut in
// the middle.
class Quirel_CTRLS_PREFFileNameTitle : public Quirel_CTRLS_TextField {
 public:
  Quirel_CTRLS_PREFFileNameTitle();
  void setStringValue(const std::string& text);
  void setTitle(const std::string& text, double x, double y, double width, double height) {
    setText(text, x, y, width, height);
  }
  void setText(const std::string& text, double x, double y, double width, double height);
  void setTitleRect(double x, double y, double width, double height) { setTextFRect(x, y, width, height); }
  Quirel_StringField* getTitle() const { return getTextF(); }
};
