#pragma once

#include "ui/controls/CTRLS_Base.h"
#include "ui/controls/StringField.h"

// A free-text field without caption, limited in length by a string formatter.
class Quirel_CTRLS_TextField : public Quirel_CTRLS_Base {
 public:
  Quirel_CTRLS_TextField();

  Quirel_StringField* getTextF() const { return mTxtF.get(); }
  void setTextFRect(double x, double y, double width, double height) { mTxtF->setFrame(fnd::Rect(x, y, width, height)); }
  fnd::Rect getTextFRect() const { return rectOf(mTxtF.get()); }
  void setDelegate(kit::TextFieldDelegate* delegate) { mTxtF->setDelegate(delegate); }
  // Installs a new formatter that allows at most maxLength characters (NFKC, UTF-16 units).
  void setStringFormat(int maxLength);
  std::string getStringValue() const { return mTxtF->stringValue(); }
  // A null text leaves the field unchanged.
  void setStringValue(const char* text);
  void setStringValue(const std::string& text) { mTxtF->setStringValue(text); }
  // Turns the field into a label: no background, no bezel, not editable.
  void setPlaneLabel();
  void setEnabled(bool enabled);
  void setHidden(bool hidden) { mTxtF->setHidden(hidden); }
  bool isHidden() const { return mTxtF->isHidden(); }

 private:
  std::unique_ptr<Quirel_StringField> mTxtF;
};
